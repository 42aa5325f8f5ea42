// How the code lists show a record as one line of their windows and listings: a PAP code, a
// transaction code, an account of the chart with its PAP attributes, and the column headers
// above them; the natures of an account and the kinds of activity by their texts.
#pragma once

#include <cstdint>

#include "pap/Records.h"
#include "util/Text.h"

namespace axo::pap {

/// " " + analytics (10) + " " + description (150) + " " + group ("  I", " II", "III", " XV") +
/// " " + row (5, right-aligned) + " " + partner 1 ("x T  ", "x AP " or five blanks) + partner 2
/// ("x  ") + consolidation ("x  ") + transaction-code duty ("x   ") + the statements, each right-
/// aligned in 2 characters and followed by a blank.
Text PapCodeLine(const tVetaUAPV& code);
/// " " + code (3) + " " + name (100) + " " + "Partner " + "2PT" (or blanks).
Text TransactionCodeLine(const tVetaUKod& code);
/// An account with its PAP attributes; `unitKind` 3 and 4 show the kind of activity, a note is
/// appended in brackets without its line breaks.
Text ChartLine(const tVetaRozvrh& account, const Text& notes, int unitKind);

/// The column headers of the three lists.
Text PapCodeHeader();
Text TransactionCodeHeader();
Text ChartHeader(int unitKind);

/// The natures of an account in the order the editor offers them: "A", "P", "R", "N", "M",
/// "V", "W", "Z", "X".
inline constexpr char kNatures[] = {'A', 'P', 'R', 'N', 'M', 'V', 'W', 'Z', 'X'};
inline constexpr int kNatureCount = 9;
/// "Aktivní", ... "Ostatní tj. podrozvahový, vnitropodnikový atd."; empty for another letter.
Text NatureText(std::uint8_t nature);
/// The editor position of a nature letter; -1 for another letter.
int NatureIndex(std::uint8_t nature);
/// "Hlavní činnost" (1), "Hospodářská činnost" (2); empty otherwise.
Text ActivityText(int activity);

}  // namespace axo::pap
