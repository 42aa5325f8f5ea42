// The command "Doplnění údajů pro PAP do účtového rozvrhu": every account of the chart takes the
// PAP attributes of its statistical analytics from the list of PAP codes for statements. The
// command first tells how many accounts it will change and asks; the accounts it changed are
// listed in a protocol, their attributes before and after.
#pragma once

#include <vector>

#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/ListingEnvironment.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// The name of the command, also its process name.
Text FillChartTitle();

/// One account whose PAP attributes the fill changes.
struct ChartChange {
    Word se = 0;
    Word ae = 0;
    tVetaRozvrh before;
    tVetaRozvrh after;
    /// The account had an analytics that the fill clears (it is not in the code list).
    bool AnalyticsCleared() const;
};

/// What the command did.
struct FillChartOutcome {
    bool done = false;                 ///< the chart now matches the code list
    std::vector<ChartChange> changes;  ///< the accounts changed (empty when none or declined)
};

/// Copies the analytics, the partner and transaction-code duties and the statement flags from
/// the PAP code of each account's analytics into the account, or clears them all (the analytics
/// included) when the analytics is empty or not in the list; every other field stays. Opens the
/// chart exclusively and the code list shared; reports "Účtový rozvrh nelze EXCLUSIVNĚ
/// otevřít!" or "Číselník pomocného analytického přehledu pro výkazy nelze otevřít!" when either
/// cannot be opened. Before writing it asks whether the counted accounts may change (declined:
/// nothing is written); afterwards the protocol of the changes is shown (when `listing` is
/// given) and "HOTOVO!" with their number. The caller closes any chart it holds open itself.
FillChartOutcome FillChartFromPap(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const ui::ListingEnvironment* listing);

/// The fill itself, on an open chart (written in place) and an open code list; no messages.
/// Returns the accounts changed.
std::vector<ChartChange> FillChartAccounts(tFileRozvrh& chart, tFileUAPV& codes);

/// The changes the fill would make, in account order; nothing is written.
std::vector<ChartChange> PlannedChartChanges(tFileRozvrh& chart, tFileUAPV& codes);

/// The account's PAP attributes taken from `code`, or cleared when `code` is null.
void CopyPapAttributes(tVetaRozvrh& account, const tVetaUAPV* code);

/// The account number as the protocol shows it: "378/900".
Text ChartAccountText(Word se, Word ae);
/// The duties of an account: "KT" (transaction code), "P1-T" or "P1-AP" (partner 1 of the
/// transaction or of the asset/liability), "P2", separated by blanks.
Text PapDutiesText(const tVetaRozvrh& account);
/// The statements an account takes part in, by number: "1,4,10".
Text PapStatementsText(const tVetaRozvrh& account);
/// One change on one line (the command line prints these): "378/900  3789 P1-T 1 -> vymazáno".
Text ChartChangeLine(const ChartChange& change);

}  // namespace axo::pap
