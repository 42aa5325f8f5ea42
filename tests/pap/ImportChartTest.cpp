// The CSV import of the chart of accounts: the CSV reading it shares with the journal import,
// accounts added and changed with notes kept and stale PAP duties cleared, and bad files or a
// chart in use that change nothing.
#include "pap/ImportChart.h"

#include "ImportTestSupport.h"

namespace axo::pap::test {
namespace {

class ImportChartTest : public ImportTest {
  protected:
    tVetaRozvrh Read(int se, int ae, Text* notes = nullptr) {
        tFileRozvrh chart(ctx_, where_);
        EXPECT_TRUE(chart.InitFile(1, storage::_NoWait));
        tVetaRozvrh a;
        a.SE = static_cast<Word>(se);
        a.AE = static_cast<Word>(ae);
        std::int32_t n = 0;
        EXPECT_TRUE(chart.BtFindKey(1, n, chart.MakeKey(1, &a))) << se << "/" << ae;
        if (n)
            chart.GetRec(n, &a);
        if (notes)
            *notes = chart.ReadMemo("NOTES"_t);
        return a;
    }
    void AddAccount(int se, int ae, const char* analytics, const Text& notes) {
        tFileRozvrh chart(ctx_, where_);
        ASSERT_TRUE(chart.InitFile(2, storage::_NoWait));
        tVetaRozvrh a;
        a.SE = static_cast<Word>(se);
        a.AE = static_cast<Word>(ae);
        a.NAZ_UCT = "starý název"_t;
        a.AKT_PAS = 'P';
        a.STAT_ANAL = FromUtf8(analytics);
        a.PARTNER = a.KOD = 1;
        a.VYKAZY[0] = 1;
        a.MENA = "CZK"_t;
        chart.SetNotes(notes);
        std::int32_t n = 0;
        chart.AddRec(n, &a);
    }
};

TEST(CsvTableTest, ReadsQuotedFieldsBomAndHeaderInAnyCase) {
    std::vector<ImportError> errors;
    const CsvTable t = CsvTable::Parse(
        "\xEF\xBB\xBF"
        "SU ; Nazev;ae\r\n"
        "501;\"Spotřeba; \"\"materiál\"\"\";100\r\n"
        "\r\n"
        "502;\"víc\nřádků\";\n"
        "503;x;\n",
        {"su", "ae", "nazev"}, {}, errors);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(4, errors[0].line);
    EXPECT_EQ("text \"víc...\" je rozdělen na víc řádků"_t, errors[0].reason);
    ASSERT_EQ(3u, t.Rows().size());
    EXPECT_EQ("Spotřeba; \"materiál\""_t, t.Value(t.Rows()[0], "nazev"));
    EXPECT_EQ("100"_t, t.Value(t.Rows()[0], "ae"));
    EXPECT_EQ(6, t.Rows()[2].line);
    EXPECT_TRUE(t.Value(t.Rows()[2], "ae").empty());
}

TEST_F(ImportChartTest, AddsNewAccountsAndChangesListedOnes) {
    AddAccount(501, 100, "5011", "poznámka 501"_t);
    AddAccount(21, 0, "021", "poznámka 021"_t);
    AddAccount(911, 0, "911", {});
    const auto file = WriteFile("ucty.csv",
                                "\xEF\xBB\xBF"
                                "stat_anal;SU;ae;nazev;povaha;cinnost;saldo\r\n"
                                "5012;501;100;\"Spotřeba; kancelář\";n;1;1\r\n"
                                "021;021;0;Stavby;A;;0\r\n"
                                "3111;311;100;Odběratelé;A;0;1\r\n");
    ui_.QueueOk();
    const ChartImportResult r = ImportChart(where_, ctx_, ui_, file);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(1, r.added);
    EXPECT_EQ(2, r.changed);
    EXPECT_EQ(std::vector<std::string>{"message 1: HOTOVO!"}, Shown());

    Text notes;
    const tVetaRozvrh a501 = Read(501, 100, &notes);
    EXPECT_EQ("Spotřeba; kancelář"_t, a501.NAZ_UCT.Get());
    EXPECT_EQ('N', a501.AKT_PAS);
    EXPECT_EQ(1, a501.PO_CINNOST);
    EXPECT_EQ(1, a501.SALDO);
    EXPECT_EQ("CZK"_t, a501.MENA.Get()) << "no currency column: the account keeps its own";
    EXPECT_EQ("5012"_t, a501.STAT_ANAL.Get());
    EXPECT_EQ(0, a501.PARTNER) << "the duties of the old analytics are cleared";
    EXPECT_EQ(0, a501.KOD);
    EXPECT_EQ(0, a501.VYKAZY[0]);
    EXPECT_EQ("poznámka 501"_t, notes);

    const tVetaRozvrh a021 = Read(21, 0, &notes);
    EXPECT_EQ(1, a021.PARTNER) << "same analytics: the duties stay";
    EXPECT_EQ(1, a021.KOD);
    EXPECT_EQ(1, a021.VYKAZY[0]);
    EXPECT_EQ("poznámka 021"_t, notes);
    EXPECT_EQ("Odběratelé"_t, Read(311, 100).NAZ_UCT.Get());
    EXPECT_EQ("starý název"_t, Read(911, 0).NAZ_UCT.Get());
    EXPECT_FALSE(std::filesystem::exists(where_.codeListDirectory / "!IMP_Rozv2024"));
}

TEST_F(ImportChartTest, BadFilesChangeNothing) {
    AddAccount(501, 100, "5011", "poznámka"_t);
    const auto before = Dump<tFileRozvrh>();
    const std::string head = "su;ae;nazev;povaha;cinnost;stat_anal\n";
    struct Case {
        const char* label;
        std::string csv;
        const char* reason;
    } cases[] = {
        {"unknown column", "su;ae;nazev;povaha;cinnost;stat_anal;saldoo\n",
         "neznámý sloupec \"saldoo\""},
        {"no accounts", head, "soubor neobsahuje žádný účet"},
        {"missing column", "su;ae;nazev;cinnost;stat_anal\n501;1;x;1;5\n",
         "chybí sloupec \"povaha\""},
        {"account format", head + "5011;100;Spotřeba;N;1;5011\n",
         "řádek 2: hodnota \"5011\" ve sloupci su není celé číslo 0-999"},
        {"letters in account", head + "5O1;100;Spotřeba;N;1;5011\n",
         "řádek 2: hodnota \"5O1\" ve sloupci su není celé číslo 0-999"},
        {"nature", head + "501;100;Spotřeba;Q;1;5011\n",
         "řádek 2: povaha účtu \"Q\" není jedna z A, P, R, M, N, V, W, X, Z"},
        {"activity", head + "501;100;Spotřeba;N;3;5011\n",
         "řádek 2: hodnota \"3\" ve sloupci cinnost není celé číslo 0-2"},
        {"long name", head + "501;100;" + std::string(31, 'n') + ";N;1;5011\n",
         "ve sloupci nazev je delší než 30 znaků"},
        {"twice", head + "501;100;A;N;1;5011\n501;100;B;N;1;5011\n",
         "řádek 3: účet 501/100 je už na řádku 2"},
        {"unmappable", head + "501;100;Spotřeba → sklad;N;1;5011\n",
         "řádek 2: znak U+2192 nelze zapsat v kódování Windows-1250"},
        {"bad utf-8",
         head + "501;100;Spot\xF8"
                "eba;N;1;5011\n",
         "řádek 2: neplatný zápis znaku v UTF-8"},
        {"field count", head + "501;100;A;N;1;5011;x\n", "řádek 2: 7 polí, záhlaví má 6"},
        {"open quote", head + "501;100;\"A;N;1;5011\n", "řádek 2: uvozovky nejsou uzavřeny"},
    };
    for (const Case& c : cases) {
        ui_.ClearTranscript();
        ui_.QueueOk();
        const auto file = WriteFile("bad.csv", c.csv);
        EXPECT_FALSE(ImportChart(where_, ctx_, ui_, file).done) << c.label;
        const std::vector<std::string> shown = Shown();
        ASSERT_EQ(1u, shown.size()) << c.label;
        EXPECT_NE(std::string::npos, shown[0].find(c.reason)) << c.label << "\n" << shown[0];
        EXPECT_NE(std::string::npos, shown[0].find("Účtový rozvrh nebyl změněn.")) << c.label;
        EXPECT_EQ(before, Dump<tFileRozvrh>()) << c.label;
    }
}

TEST_F(ImportChartTest, FailingWriteLeavesTheChartAsItWas) {
    AddAccount(501, 100, "5011", "poznámka"_t);
    AddAccount(21, 0, "021", {});
    const auto before = Dump<tFileRozvrh>();
    std::vector<ImportError> errors;
    const auto accounts = ReadChartCsv(WriteFile("ucty.csv",
                                                 "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                                 "501;100;Nový název;N;1;5012\n"
                                                 "502;0;Energie;N;1;502\n"),
                                       errors);
    ASSERT_TRUE(errors.empty());
    for (int failAt = 1; failAt <= 3; ++failAt) {
        ChartImportResult r;
        EXPECT_THROW(WriteChartAccounts(where_, ctx_, ui_, accounts, r,
                                        [failAt](int writes) {
                                            if (writes == failAt)
                                                throw ui::ProgramEnded{1};
                                        }),
                     ui::ProgramEnded)
            << failAt;
        EXPECT_EQ(before, Dump<tFileRozvrh>()) << failAt;
        EXPECT_FALSE(std::filesystem::exists(where_.codeListDirectory / "!IMP_Rozv2024"));
    }
}

TEST_F(ImportChartTest, ChartInUseChangesNothing) {
    AddAccount(501, 100, "5011", "poznámka"_t);
    const auto before = Dump<tFileRozvrh>();
    tFileRozvrh other(ctx_, where_);
    ASSERT_TRUE(other.InitFile(1, storage::_NoWait));
    ui_.QueueOk();
    const auto file =
        WriteFile("ucty.csv", "su;ae;nazev;povaha;cinnost;stat_anal\n502;0;E;N;1;502\n");
    EXPECT_FALSE(ImportChart(where_, ctx_, ui_, file).done);
    EXPECT_EQ(std::vector<std::string>{"message 2: Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"},
              Shown());
    other.CloseFile();
    EXPECT_EQ(before, Dump<tFileRozvrh>());
}

}  // namespace
}  // namespace axo::pap::test
