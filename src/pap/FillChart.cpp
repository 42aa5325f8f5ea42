// The fill of the chart of accounts from the list of PAP codes.
#include "pap/FillChart.h"

#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// The PAP code of the account's analytics; false when the analytics is empty or unknown.
bool FindCode(tFileUAPV& codes, const tVetaRozvrh& account, tVetaUAPV& code) {
    if (Trim(account.STAT_ANAL).empty())
        return false;
    code.STAT_ANAL = Trim(account.STAT_ANAL);
    std::int32_t n = 0;
    return codes.BtFindKey(1, n, codes.MakeKey(1, &code)) && codes.GetRec(n, &code);
}

}  // namespace

void FillChartAccounts(tFileRozvrh& chart, tFileUAPV& codes) {
    // The write lock groups the rewrites into few commits.
    chart.BtLockFileBlock(storage::_NoWait);
    // The record numbers are taken first in account order: rewriting an account must not move it
    // back into the walk.
    std::vector<std::int32_t> accounts;
    std::int32_t n = 0;
    Text key;
    chart.BtClearKey(1);
    while (chart.BtNextKey(1, n, key))
        accounts.push_back(n);
    for (std::int32_t account : accounts) {
        tVetaRozvrh record;
        chart.GetRec(account, &record);
        // The note text goes with every rewrite of the record; it must stay as it is.
        chart.SetNotes(chart.ReadMemo("NOTES"_t));
        tVetaUAPV code;
        CopyPapAttributes(record, FindCode(codes, record, code) ? &code : nullptr);
        chart.PutRec(account, &record);
    }
    chart.Unlock();
}

Text FillChartTitle() {
    return "Doplnění údajů pro PAP do účtového rozvrhu"_t;
}

void CopyPapAttributes(tVetaRozvrh& account, const tVetaUAPV* code) {
    const tVetaUAPV empty;
    const tVetaUAPV& from = code ? *code : empty;
    account.STAT_ANAL = from.STAT_ANAL;
    account.PARTNER = from.PARTNER;
    account.CojePartner = from.CojePartner;
    account.PARTNER2 = from.PARTNER2;
    account.KOD = from.KOD;
    for (int i = 0; i < 20; ++i)
        account.VYKAZY[i] = from.VYKAZY[i];
}

bool FillChartFromPap(const PapLocation& where, const storage::DataContext& ctx,
                      ui::UiServices& ui) {
    tFileRozvrh chart(ctx, where);
    if (!chart.InitFile(4, storage::_NoWait)) {
        ui.ShowError("Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"_t);
        return false;
    }
    tFileUAPV codes(ctx, where);
    if (!codes.InitFile(1, storage::_NoWait)) {
        chart.CloseFile();
        ui.ShowError("Číselník pomocný analytický přehled pro výkazy nelze otevřít!"_t);
        return false;
    }
    FillChartAccounts(chart, codes);
    codes.CloseFile();
    chart.CloseFile();
    ui.ShowInfo("HOTOVO!"_t);
    return true;
}

}  // namespace axo::pap
