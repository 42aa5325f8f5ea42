// The demo organisation in an installation.
#include "pap/DemoData.h"

#include <fstream>
#include <string>

#include "pap/CodeListImport.h"
#include "pap/DemoCatalog.h"
#include "pap/DemoJournal.h"
#include "pap/FillChart.h"
#include "pap/ImportChart.h"
#include "pap/ImportJournal.h"
#include "pap/ImportUKod.h"
#include "pap/ImportUPAP.h"
#include "printforms/ShippedForms.h"

namespace axo::pap {

namespace {

bool WriteText(const std::filesystem::path& file, const Text& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text.Bytes();
    return static_cast<bool>(out.flush());
}

void WriteTexts(const std::filesystem::path& directory) {
    WriteText(directory / "UPAP.txt", DemoUpapText());
    for (int s = 4; s <= 9; ++s)
        WriteText(directory / ("UPAP_0" + std::to_string(s)), DemoUpapUpdateText(s));
    WriteText(directory / "UKod.txt", DemoUKodText());
}

bool FillTransactionCodes(const PapLocation& where, const storage::DataContext& ctx,
                          ui::UiServices& ui, DemoResult& result) {
    tFileUKod list(ctx, where);
    if (!OpenLocked(ui, list))
        return false;
    result.transactionCodes = FillUKod(list, SplitImportLines(DemoUKodText())).written;
    for (const DemoTransactionCode& t : DemoTransactionCodes()) {
        tVetaUKod code;
        code.Kod = FromUtf8(t.kod);
        std::int32_t n = 0;
        if (t.twoPartners && list.BtFindKey(1, n, list.MakeKey(1, &code)) &&
            list.GetRec(n, &code)) {
            code.FILLER_STR = "1"_t;
            list.PutRec(n, &code);
        }
    }
    list.Unlock();
    list.CloseFile();
    return true;
}

/// Sets what the code editor would: consolidation and the turnover/margin flag.
void EditCodes(tFileUAPV& list) {
    auto edit = [&list](const char* analytics, auto change) {
        tVetaUAPV code;
        code.STAT_ANAL = FromUtf8(analytics);
        std::int32_t n = 0;
        if (list.BtFindKey(1, n, list.MakeKey(1, &code)) && list.GetRec(n, &code)) {
            change(code);
            list.PutRec(n, &code);
        }
    };
    for (const char* c : DemoConsolidationCodes())
        edit(c, [](tVetaUAPV& code) { code.Konsolidace = 1; });
    for (const char* c : DemoBezObratuCodes())
        edit(c, [](tVetaUAPV& code) { code.X_BezObratu = 1; });
}

bool FillPapCodes(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                  DemoResult& result) {
    tFileUAPV list(ctx, where);
    if (!OpenLocked(ui, list))
        return false;
    result.papCodes = FillUpapReplace(list, SplitImportLines(DemoUpapText())).written;
    for (int s = 4; s <= 9; ++s)
        FillUpapUpdate(list, SplitImportLines(DemoUpapUpdateText(s)));
    EditCodes(list);
    list.Unlock();
    list.CloseFile();
    return true;
}

std::vector<ChartAccount> ChartOfDemo() {
    std::vector<ChartAccount> accounts;
    for (const DemoAccount& a : DemoAccounts()) {
        ChartAccount c;
        c.su = static_cast<Word>(a.su);
        c.ae = static_cast<Word>(a.ae);
        c.name = FromUtf8(a.name);
        c.nature = a.nature;
        c.activity = static_cast<Byte>(a.activity);
        c.statAnal = FromUtf8(a.statAnal);
        c.currency = Text();
        c.openItem = a.openItem;
        accounts.push_back(c);
    }
    return accounts;
}

/// The fill, then the two changes that leave work for the protocols: an account without
/// analytics in statement II, and an analytics withdrawn from the code list.
bool FillChart(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui) {
    tFileRozvrh chart(ctx, where);
    tFileUAPV codes(ctx, where);
    if (!chart.InitFile(4, storage::_NoWait) || !codes.InitFile(1, storage::_NoWait)) {
        ui.ShowError("Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"_t);
        return false;
    }
    FillChartAccounts(chart, codes);
    tVetaRozvrh account;
    account.SE = static_cast<Word>(DemoAccountWithoutAnalytics().su);
    account.AE = static_cast<Word>(DemoAccountWithoutAnalytics().ae);
    std::int32_t n = 0;
    if (chart.BtFindKey(1, n, chart.MakeKey(1, &account)) && chart.GetRec(n, &account)) {
        chart.SetNotes(chart.ReadMemo("NOTES"_t));
        account.VYKAZY[1] = 1;
        chart.PutRec(n, &account);
    }
    chart.CloseFile();
    codes.CloseFile();
    tFileUAPV list(ctx, where);
    if (!OpenLocked(ui, list))
        return false;
    tVetaUAPV withdrawn;
    withdrawn.STAT_ANAL = FromUtf8(DemoWithdrawnCode());
    list.DeleteByKey(&withdrawn);
    list.Unlock();
    list.CloseFile();
    return true;
}

}  // namespace

bool InstallDemoData(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                     const DemoOptions& options, DemoResult& result) {
    if (!options.textDirectory.empty())
        WriteTexts(options.textDirectory);
    if (!printforms::InstallShippedForms(ctx, {{where.codeListDirectory, where.yearCode}}) ||
        !FillTransactionCodes(where, ctx, ui, result) || !FillPapCodes(where, ctx, ui, result))
        return false;
    ChartImportResult chart;
    if (!WriteChartAccounts(where, ctx, ui, ChartOfDemo(), chart) || !FillChart(where, ctx, ui))
        return false;
    result.accounts = chart.added + chart.changed;

    JournalImportOptions journal;
    journal.replace = true;
    journal.askRetry = false;
    journal.firstPeriod = options.year * 100 + 1;
    journal.lastPeriod = options.year * 100 + 12;
    JournalImportResult written;
    std::vector<ImportError> errors;
    if (!WriteJournal(where, ctx, ui, BuildDemoJournal({options.year, options.lines, options.seed}),
                      journal, written, errors))
        return false;
    result.documents = written.documents;
    result.lines = written.lines;
    return true;
}

}  // namespace axo::pap
