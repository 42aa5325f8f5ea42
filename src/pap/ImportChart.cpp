// Importing a chart of accounts from a CSV file.
#include "pap/ImportChart.h"

#include <functional>
#include <map>

#include "pap/CodeListImport.h"
#include "pap/TableSwap.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

const std::vector<std::string> kRequired = {"su", "ae", "nazev", "povaha", "cinnost", "stat_anal"};
const std::vector<std::string> kOptional = {"mena", "saldo"};

Text AccountText(int su, int ae) {
    return IntToTextZeros(su, 3) + "/"_t + IntToTextZeros(ae, 3);
}

ChartAccount ReadAccount(const CsvTable& table, const CsvRow& row,
                         std::vector<ImportError>& errors) {
    CsvFieldReader r(table, row, errors);
    ChartAccount a;
    a.line = row.line;
    a.su = static_cast<Word>(r.Number("su", 0, 999, true));
    a.ae = static_cast<Word>(r.Number("ae", 0, 999, false));
    if (a.su == 0 && a.ae == 0 && !table.Value(row, "su").empty())
        r.Error("účet 000/000 nelze založit"_t);
    a.name = r.Str("nazev", 30, true);
    const Text nature = UpperCase(r.Str("povaha", 1, true));
    if (!nature.empty() && Text("APRMNVWXZ"_t).find(nature[0]) == Text::npos)
        r.Error("povaha účtu \""_t + nature + "\" není jedna z A, P, R, M, N, V, W, X, Z"_t);
    a.nature = nature.empty() ? 'A' : nature[0];
    a.activity = static_cast<Byte>(r.Number("cinnost", 0, 2, false));
    a.statAnal = r.Str("stat_anal", 10);
    if (table.Has("mena"))
        a.currency = r.Str("mena", 3);
    if (table.Has("saldo"))
        a.openItem = r.Number("saldo", 0, 1, false) == 1;
    return a;
}

/// The account's record changed by the import.
void ApplyAccount(const ChartAccount& a, tVetaRozvrh& record) {
    record.SE = a.su;
    record.AE = a.ae;
    record.NAZ_UCT = a.name;
    record.AKT_PAS = static_cast<Byte>(a.nature);
    record.PO_CINNOST = a.activity;
    if (a.currency)
        record.MENA = *a.currency;
    if (a.openItem)
        record.SALDO = *a.openItem ? 1 : 0;
    if (FixedKeyText(record.STAT_ANAL, 10) != FixedKeyText(a.statAnal, 10)) {
        // The duties and statements belonged to the old analytics.
        record.PARTNER = record.CojePartner = record.PARTNER2 = record.KOD = 0;
        for (Boolean& v : record.VYKAZY)
            v = 0;
    }
    record.STAT_ANAL = a.statAnal;
}

Text AccountKey(int su, int ae) {
    return KeyNumber(su, 3) + KeyNumber(ae, 3);
}

/// Copies the chart into the staged one with the imported accounts applied.
void BuildStagedChart(tFileRozvrh& chart, tFileRozvrh& staged,
                      const std::vector<ChartAccount>& accounts, ChartImportResult& result,
                      const std::function<void(int)>& afterStagedWrite) {
    int writes = 0;
    auto add = [&](const tVetaRozvrh& record) {
        std::int32_t n = 0;
        staged.AddRec(n, &record);
        if (afterStagedWrite)
            afterStagedWrite(++writes);
    };
    std::map<Text, const ChartAccount*> byKey;
    for (const ChartAccount& a : accounts)
        byKey[AccountKey(a.su, a.ae)] = &a;
    for (std::int32_t n : RecordNumbers(chart)) {
        tVetaRozvrh record;
        chart.GetRec(n, &record);
        staged.SetNotes(chart.ReadMemo("NOTES"_t));
        const auto it = byKey.find(AccountKey(record.SE, record.AE));
        if (it != byKey.end()) {
            ApplyAccount(*it->second, record);
            byKey.erase(it);
            ++result.changed;
        }
        add(record);
    }
    staged.SetNotes({});
    for (const ChartAccount& a : accounts) {
        if (!byKey.count(AccountKey(a.su, a.ae)))
            continue;
        tVetaRozvrh record;
        ApplyAccount(a, record);
        add(record);
        ++result.added;
    }
}

}  // namespace

std::vector<ChartAccount> ReadChartCsv(const std::filesystem::path& file,
                                       std::vector<ImportError>& errors) {
    const CsvTable table = CsvTable::Read(file, kRequired, kOptional, errors);
    std::vector<ChartAccount> accounts;
    std::map<Text, int> lines;
    for (const CsvRow& row : table.Rows()) {
        accounts.push_back(ReadAccount(table, row, errors));
        const ChartAccount& a = accounts.back();
        const auto [it, fresh] = lines.emplace(AccountKey(a.su, a.ae), row.line);
        if (!fresh)
            errors.push_back({row.line, "účet "_t + AccountText(a.su, a.ae) + " je už na řádku "_t +
                                            IntToText(it->second)});
    }
    if (accounts.empty() && errors.empty())
        errors.push_back({0, "soubor neobsahuje žádný účet"_t});
    return accounts;
}

bool WriteChartAccounts(const PapLocation& where, const storage::DataContext& ctx,
                        ui::UiServices& ui, const std::vector<ChartAccount>& accounts,
                        ChartImportResult& result,
                        const std::function<void(int)>& afterStagedWrite) {
    tFileRozvrh chart(ctx, where);
    if (!chart.InitFile(5, storage::_NoWait)) {
        ui.ShowError("Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"_t);
        return false;
    }
    std::unique_ptr<TableSwap> swap =
        MakeTableSwap(ui, where.codeListDirectory, chart.FileName(), ctx);
    if (!swap) {
        chart.CloseFile();
        return false;
    }
    PapLocation staging = where;
    staging.codeListDirectory = swap->Directory();
    bool committed = false;
    {
        tFileRozvrh staged(swap->Context(), staging);
        staged.InitFile(6, storage::_NoWait);
        staged.BtLockFileBlock(storage::_NoWait);
        BuildStagedChart(chart, staged, accounts, result, afterStagedWrite);
        staged.Unlock();
        staged.CloseFile();
        committed = swap->Commit({{staged.DataFilePath(), chart.DataFilePath()}});
    }
    chart.CloseFile();
    if (!committed) {
        ui.ShowError("Účtový rozvrh nelze nahradit novým obsahem."_t);
        result = {};
    }
    return committed;
}

ChartImportResult ImportChart(const PapLocation& where, const storage::DataContext& ctx,
                              ui::UiServices& ui, const std::filesystem::path& file) {
    ChartImportResult result;
    std::vector<ImportError> errors;
    const std::vector<ChartAccount> accounts = ReadChartCsv(file, errors);
    if (!errors.empty()) {
        ui.ShowError(ImportErrorText(storage::TextFromPath(file), errors),
                     "\rÚčtový rozvrh nebyl změněn."_t);
        return result;
    }
    if (!WriteChartAccounts(where, ctx, ui, accounts, result))
        return result;
    result.done = true;
    ui.ShowInfo("HOTOVO!"_t);
    return result;
}

}  // namespace axo::pap
