// The command "Doplnění údajů pro PAP do účtového rozvrhu": every account of the chart takes the
// PAP attributes of its statistical analytics from the list of PAP codes for statements.
#pragma once

#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// The name of the command, also its process name.
Text FillChartTitle();

/// Copies the analytics, the partner and transaction-code duties and the statement flags from
/// the PAP code of each account's analytics into the account, or clears them all (the analytics
/// included) when the analytics is empty or not in the list; every other field stays. Opens the
/// chart exclusively and the code list shared, and shows "HOTOVO!". Returns false, after
/// "Účtový rozvrh nelze EXCLUSIVNĚ otevřít!" or "Číselník pomocný analytický přehled pro výkazy
/// nelze otevřít!", when either cannot be opened; the chart is then unchanged. The caller closes
/// any chart it holds open itself before.
bool FillChartFromPap(const PapLocation& where, const storage::DataContext& ctx,
                      ui::UiServices& ui);

/// The fill itself, on an open chart (written in place) and an open code list; no messages.
void FillChartAccounts(tFileRozvrh& chart, tFileUAPV& codes);

/// The account's PAP attributes taken from `code`, or cleared when `code` is null.
void CopyPapAttributes(tVetaRozvrh& account, const tVetaUAPV* code);

}  // namespace axo::pap
