// The rules an account's nature follows: by the synthetic account's class, the kind of
// accounting unit and the fiscal year, which natures an account may have and which it gets when
// the one it has does not fit; and the kind of activity that cost and revenue accounts of
// contributory organisations must carry.
#pragma once

#include "pap/Records.h"
#include "util/Text.h"

namespace axo::pap {

/// The natures account `synthetic` (0-999) may have in a unit of `unitKind` (0-5) in
/// `fiscalYear`, as nature letters; the first one is the default. An account outside 0-999
/// takes "X".
Text AcceptableNatures(int synthetic, int unitKind, int fiscalYear);

/// `nature` when it fits the account, else the account's default nature.
std::uint8_t FittingNature(int synthetic, std::uint8_t nature, int unitKind, int fiscalYear);

/// Units of kinds 3 and 4 show the account's kind of activity.
bool ShowsActivity(int unitKind);

/// The kind of activity an account of such a unit gets: an account of class 5 or 6 without
/// one gets 1 ("Hlavní činnost"); any other keeps what it has.
std::uint8_t FittingActivity(int synthetic, std::uint8_t activity, int unitKind);

/// Applies both rules to the account; true when something changed.
bool FitNatureAndActivity(tVetaRozvrh& account, int unitKind, int fiscalYear);

}  // namespace axo::pap
