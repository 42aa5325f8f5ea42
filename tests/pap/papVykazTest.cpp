// The statement compiler: the period and its defaults, the accumulation rules (period filter,
// opening balances, record states, " U" documents, partner padding, rounding after every
// addition), the error protocol with every reason, sum rows and their look-ahead, and the
// hand-over (template, XML, caller's progress panel, batch, cancel and abort).
#include "PapTestSupport.h"
#include "pap/papVykaz01.h"
#include "pap/papVykaz10az13.h"
#include "storage/WorkFiles.h"
#include "ui/Dialog.h"
#include "util/Retezce.h"

namespace axo::pap::test {
namespace {

class VykazTest : public StatementTest {
  protected:
    /// Statement I over one code "0211" (row 1) of account 021/000.
    void SetUp() override {
        StatementTest::SetUp();
        Add(PapCode("0211", 1, 1, {1, 10}));
        Add(Account(21, 0, "0211", 'A', {1, 10}));
    }
};

TEST(VykazPeriodTest, DefaultPeriodEndsWithTheLastFullQuarter) {
    struct Case {
        int programMonth, currentMonth, expected;
    } cases[] = {
        {2, 2, 3},  // first quarter: never earlier
        {3, 3, 3},  // 1. quarter, month closing it
        {5, 5, 3},  // 2. quarter, not its last month: the quarter before
        {6, 6, 6},  // 2. quarter on its last month
        {6, 5, 3},  // the accounting period decides whether the quarter is complete
        {9, 9, 9},  {11, 11, 9}, {12, 12, 12},
        {12, 1, 9}, {0, 6, 12},  // no program date: the whole year
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, VychoziDoMesic(c.programMonth, c.currentMonth))
            << c.programMonth << "/" << c.currentMonth;
}

TEST(VykazPeriodTest, ClosingDateIsTheLastDayOfTheLastMonth) {
    struct Case {
        int month, year;
        const char* expected;
    } cases[] = {{3, 2023, "31.3.2023"},
                 {12, 2023, "31.12.2023"},
                 {2, 2023, "28.2.2023"},
                 {2, 2024, "29.2.2024"},
                 {6, 2023, "30.6.2023"}};
    for (const Case& c : cases)
        EXPECT_EQ(FromUtf8(c.expected), KDatu(c.month, c.year));
}

TEST_F(VykazTest, PeriodFilterAndOpeningBalances) {
    Add(Line("202300", 21, 0, 1000, 0));  // opening balance: before every period
    Add(Line("202301", 21, 0, 200, 50));  // before the period 2-3: opening state
    Add(Line("202302", 21, 0, 300, 0));
    Add(Line("202303", 21, 0, 0, 100));
    Add(Line("202304", 21, 0, 999, 999));  // after the period: ignored
    ASSERT_TRUE(Compile(1, 2, 3));
    ASSERT_EQ(1u, rows_.size());
    const tVeta_Zorvi& r = rows_[0];
    EXPECT_EQ(1150.0, Col(r, 1));
    EXPECT_EQ(300.0, Col(r, 2));
    EXPECT_EQ(100.0, Col(r, 3));
    EXPECT_EQ(1350.0, Col(r, 4));
    EXPECT_EQ(2, r.OdMesic);
    EXPECT_EQ(3, r.DoMesic);
    EXPECT_EQ(2023, r.Rok);
    EXPECT_EQ("31.3.2023"_t, r.KDatu.Get());
    EXPECT_EQ(1, r.CisloVykazu);
    EXPECT_EQ(Trim(StatementCaption(1)), r.NazevVykazu.Get());
    EXPECT_EQ(0, PrintoutCount());
}

TEST_F(VykazTest, LinesOfOtherStatesAndDocumentsUAreNeverCounted) {
    tVetaUDPO stornovany = Line("202302", 21, 0, 1, 0);
    stornovany.PRIZNAK = 1;
    tVetaUDPO treti = Line("202302", 21, 0, 10, 0);
    treti.PRIZNAK = 3;
    tVetaUDPO u = Line("202302", 21, 0, 100, 0);
    u.IDENTIFIKACE = "202302 U01 0001"_t;
    tVetaUDPO jiny = Line("202302", 21, 0, 1000, 0);
    jiny.IDENTIFIKACE = "202302 F01 0001"_t;  // a blank in 7 alone is no " U" document
    for (const tVetaUDPO& r : {stornovany, treti, u, jiny})
        Add(r);
    ASSERT_TRUE(Compile(1, 1, 3));
    EXPECT_EQ(1000.0, Col(rows_.at(0), 2));
}

TEST_F(VykazTest, EveryAdditionIsRoundedToTwoDecimals) {
    // 0.005 + 0.005 is 0.01 exactly, but rounded after each addition it is 0.01 + 0.005 = 0.02.
    Add(Line("202301", 21, 0, 0.005, 0));
    Add(Line("202301", 21, 0, 0.005, 0));
    Add(Line("202302", 21, 0, 0, 2.675));
    ASSERT_TRUE(Compile(1, 1, 3));
    EXPECT_EQ(0.02, Col(rows_.at(0), 2));
    EXPECT_EQ(2.68, Col(rows_.at(0), 3));
    EXPECT_EQ(-2.66, Col(rows_.at(0), 4));
}

TEST_F(VykazTest, ProtocolListsEveryReasonOncePerLineInThePeriod) {
    Add(PapCode("031", 1, 2, {1}));
    Add(PapCode("0311", 1, 3, {1}));
    Add(Account(22, 0, "", 'A', {1}));      // no analytics
    Add(Account(23, 0, "9999", 'A', {1}));  // analytics not in the code list
    Add(Account(31, 0, "031", 'A', {1}));   // a sum code
    Add(Account(41, 0, "0211", 'A', {2}));  // not in statement I: silently left out
    tVetaUDPO missing = Line("202302", 99, 5, 12.5, 0);
    missing.IDENTIFIKACE = "202302 FA1 0007"_t;
    missing.RADEK = 3;
    Add(missing);                      // account 099/005 does not exist
    Add(Line("202304", 22, 0, 7, 0));  // after the period: not reported
    Add(Line("202302", 22, 0, 1234.5, 0));
    Add(Line("202300", 22, 0, 8, 0));  // opening balance: reported
    Add(Line("202303", 22, 0, 0, 1));  // every line of the account is reported
    Add(Line("202302", 23, 0, 1, 2));
    Add(Line("202302", 31, 0, 3, 4));
    Add(Line("202302", 41, 0, 5, 6));
    ASSERT_TRUE(Compile(1, 1, 3));
    // In account order; the document numbers are those of the lines above.
    const std::vector<std::string> expected = {
        "│02/23 FA01/00003│    1│022/000│      1 234,50│          0,00│          │nezad. │",
        "│00/23 FA01/00004│    1│022/000│          8,00│          0,00│          │nezad. │",
        "│03/23 FA01/00005│    1│022/000│          0,00│          1,00│          │nezad. │",
        "│02/23 FA01/00006│    1│023/000│          1,00│          2,00│9999      │neex.  │",
        "│02/23 FA01/00007│    1│031/000│          3,00│          4,00│031       │součet │",
        "│02/23 _FA1/0007 │    3│099/005│         12,50│          0,00│   ???    │       │",
    };
    EXPECT_EQ(expected, ProtocolRows());
    const std::vector<std::string> all = Printouts();
    EXPECT_NE(all.end(), std::find_if(all.begin(), all.end(), [](const std::string& l) {
                  return l.find("chybový protokol [od 1 do 3/2023]") != std::string::npos;
              }));
    EXPECT_EQ(1, PrintoutCount());
    // The legend explains the marks used, and only those.
    const std::vector<std::string> legend = {
        "  ???       účet v účtovém rozvrhu neexistuje, nezapočítal se",
        "  nezad.    účet nemá v účtovém rozvrhu zadanou analytiku PAP, nezapočítal se",
        "  neex.     analytika PAP účtu není v číselníku PAP, účet se nezapočítal",
        "  součet    analytika PAP účtu je součtový řádek, účet se nezapočítal",
    };
    EXPECT_EQ(legend, LegendLines());
}

TEST_F(VykazTest, SumRowsNeedALongerCodeRightBehindThem) {
    Add(PapCode("101", 1, 10, {1}));
    Add(PapCode("1011", 1, 11, {1}));
    Add(PapCode("1012", 1, 12, {1}));
    Add(PapCode("102", 1, 13, {1}));
    Add(PapCode("103", 1, 14, {1}));  // the last code of the group: an ordinary row
    Add(Account(101, 1, "1011", 'A', {1}));
    Add(Account(101, 2, "1012", 'A', {1}));
    Add(Account(102, 0, "102", 'A', {1}));
    Add(Account(103, 0, "103", 'A', {1}));
    Add(Line("202302", 101, 1, 10, 0));
    Add(Line("202302", 101, 2, 20, 1));
    Add(Line("202302", 102, 0, 40, 0));
    Add(Line("202302", 103, 0, 80, 0));
    ASSERT_TRUE(Compile(1, 1, 3));
    ASSERT_EQ(6u, rows_.size());
    struct Case {
        const char* sa;
        bool soucet;
        double md, dal;
    } cases[] = {{"101", true, 30, 1},
                 {"1011", false, 10, 0},
                 {"1012", false, 20, 1},
                 {"102", false, 40, 0},
                 {"103", false, 80, 0}};
    for (const Case& c : cases) {
        const tVeta_Zorvi& r = Row(c.sa);
        EXPECT_EQ(c.soucet, r.Soucet != 0) << c.sa;
        EXPECT_EQ(c.md, Col(r, 2)) << c.sa;
        EXPECT_EQ(c.dal, Col(r, 3)) << c.sa;
    }
    // Rows follow the code list's row order.
    EXPECT_EQ(1, rows_[0].RADEK);
    EXPECT_EQ(14, rows_[5].RADEK);
}

TEST_F(VykazTest, SpecialPartnersArePaddedWithZeros) {
    for (const char* p : {"222", "111", "25596641"})
        Add(WithPartner(Line("202302", 21, 0, 1, 0), p));
    CloseTables();
    ui_->QueueDialog("key:F2");
    Text result;
    ASSERT_TRUE(SestavVykazX_2013(ctx_, StatementCaption(10), {}, nullptr, result));
    std::vector<std::string> partners;
    for (const tVeta_Zorvi& r : rows_)
        partners.push_back(ToUtf8(r.P1));
    EXPECT_EQ((std::vector<std::string>{"00000111", "00000222", "25596641"}), partners);
}

TEST_F(VykazTest, CancelledDialogCompilesNothing) {
    CloseTables();
    ui_->QueueDialog("key:Esc");
    Text result;
    EXPECT_FALSE(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result));
    EXPECT_TRUE(rows_.empty());
}

TEST_F(VykazTest, PeriodDialogShowsTheDefaultsAndRefusesAPeriodBackwards) {
    CloseTables();
    ui_->QueueDialog("mesicOd=5 mesicDo=2 key:F2");
    ui_->QueueOk();  // the error message
    ui_->QueueDialog("mesicOd=1 key:F2");
    Text result;
    ASSERT_TRUE(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result));
    ASSERT_EQ(1u, rows_.size());
    EXPECT_EQ(1, rows_[0].OdMesic);
    EXPECT_EQ(2, rows_[0].DoMesic);  // the value typed before stays in the dialog shown again
    const std::string error = "Počáteční měsíc období nesmí být větší než koncový.";
    int errors = 0;
    for (const ui::TranscriptEntry& e : ui_->Transcript())
        errors += !e.lines.empty() && e.lines[0] == error;
    EXPECT_EQ(1, errors);
}

TEST_F(VykazTest, TemplateNotChosenEndsWithoutXmlOrReport) {
    Add(Line("202302", 21, 0, 1, 0));
    bool exported = false;
    ctx_.exportXml = [&](tFileZorvi&, bool, const XmlExportParams&) { exported = true; };
    ctx_.pickTemplate = [](int type, unsigned mask, const Text& title) -> std::optional<Text> {
        EXPECT_EQ(58, type);
        EXPECT_EQ(2u, mask);
        EXPECT_EQ(" Vyberte formulář pro opis výkazu PAP"_t, title);
        return std::nullopt;
    };
    EXPECT_TRUE(Compile(1, 1, 3, "xml=1"));
    EXPECT_FALSE(exported);
    EXPECT_TRUE(rows_.empty());
    // Chosen: the XML hook gets the open result file, then the report its template.
    ctx_.pickTemplate = [](int, unsigned, const Text&) -> std::optional<Text> {
        return "PAP_VYKAZY I Výkaz I.pts"_t;
    };
    ctx_.templateDirectory = dir_ / "sablony";
    int exportedRows = 0;
    ctx_.exportXml = [&](tFileZorvi& f, bool batch, const XmlExportParams&) {
        EXPECT_FALSE(batch);
        exportedRows = f.BtUsedRecs();
    };
    EXPECT_TRUE(Compile(1, 1, 3, "xml=1"));
    EXPECT_EQ(1, exportedRows);
    EXPECT_EQ(dir_ / "sablony" / "PAP_VYKAZY I Výkaz I.pts", handOver_.templatePath);
    EXPECT_EQ(1u, rows_.size());
}

TEST_F(VykazTest, CallersProgressPanelGetsTheResultFileByName) {
    Add(Line("202302", 22, 0, 1, 0));  // would be reported; a caller with a panel gets none
    Add(Account(22, 0, "", 'A', {1}));
    CloseTables();
    ui::ProgressPanel panel(*ui_, false, 10, "dávka"_t, {});
    ui_->QueueDialog("key:F2");
    Text result;
    ASSERT_TRUE(SestavVykazI(ctx_, StatementCaption(1), {}, &panel, result, nullptr, false));
    ASSERT_FALSE(result.empty());
    const std::filesystem::path file = storage::PathFromText(result);
    EXPECT_TRUE(std::filesystem::exists(file));
    ReportHandOver h;
    h.dataFile = file;
    h.kind = {1, true};
    auto zorvi = OpenResultFile(data_, h);
    ASSERT_TRUE(zorvi);
    EXPECT_EQ(1, zorvi->BtUsedRecs());
    zorvi->CloseFile();
    DeleteResultFile(file);
    EXPECT_EQ(0, PrintoutCount());
}

TEST_F(VykazTest, BatchTakesThePeriodAndTemplateFromTheBlock) {
    Add(Line("202305", 21, 0, 5, 0));
    Add(Line("202306", 21, 0, 6, 0));
    Add(Line("202307", 21, 0, 7, 0));
    CloseTables();
    XmlExportParams params{};
    params.statementDate = "30. 6.2023"_t;
    params.formI = "PAP_VYKAZY I.pts"_t;
    bool exported = false;
    ctx_.exportXml = [&](tFileZorvi&, bool batch, const XmlExportParams& p) {
        exported = batch && p.statementDate.Get() == "30. 6.2023"_t;
    };
    Text result;
    ASSERT_TRUE(SestavVykazI(ctx_, StatementCaption(1), {}, nullptr, result, &params, true));
    EXPECT_TRUE(exported);
    ASSERT_EQ(1u, rows_.size());
    EXPECT_EQ(1, rows_[0].OdMesic);
    EXPECT_EQ(6, rows_[0].DoMesic);
    EXPECT_EQ(11.0, Col(rows_[0], 2));
    EXPECT_EQ(storage::PathFromText("PAP_VYKAZY I.pts"_t), handOver_.templatePath.filename());
    // Without a template the batch run ends after the XML.
    params.formI.Set({});
    rows_.clear();
    ASSERT_TRUE(SestavVykazI(ctx_, StatementCaption(1), {}, nullptr, result, &params, true));
    EXPECT_TRUE(rows_.empty());
}

TEST_F(VykazTest, StopDuringAccumulationEndsWithoutOutput) {
    for (int i = 0; i < 5; ++i)
        Add(Line("202302", 21, 0, 1, 0));
    CloseTables();
    ui_->QueueDialog("key:F2");
    ui_->StopProgressAtStep(3);
    ui_->QueueButton(2);  // "<Esc>ano": abort
    Text result;
    EXPECT_FALSE(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result));
    EXPECT_TRUE(rows_.empty());
}

TEST_F(VykazTest, MissingTablesEndTheRunWithAMessage) {
    CloseTables();
    std::filesystem::remove(dir_ / "UDPO2023.DB");
    ui_->QueueDialog("key:F2");
    ui_->QueueOk();
    Text result;
    EXPECT_FALSE(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result));
    EXPECT_EQ("Soubory účetních dokladů nelze otevřít.", ui_->Transcript().back().lines.at(0));

    std::filesystem::remove(dir_ / "UKod2023.DB");
    ui_->QueueDialog("key:F2");
    ui_->QueueOk();
    EXPECT_FALSE(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result));
    EXPECT_NE(std::string::npos, LastMessage().find("UKod2023.DB] nelze otevřít."))
        << LastMessage();
}

TEST_F(VykazTest, WorkDirectoryThatTakesNoFileEndsTheProgram) {
    Add(Line("202302", 21, 0, 1, 0));
    CloseTables();
    // A work "directory" that is a file takes no temporary table, whoever runs the test.
    const std::filesystem::path work = dir_ / "work";
    std::ofstream(work) << "x";
    data_.workDirectory = work;
    ui_->QueueDialog("key:F2");
    ui_->QueueOk();  // the warning about the file that cannot be made
    ui_->QueueOk();  // the fatal data error report
    Text result;
    EXPECT_THROW(SestavVykazCislo(ctx_, 1, StatementCaption(1), {}, nullptr, result),
                 ui::ProgramEnded);
    EXPECT_TRUE(rows_.empty());
    // The documents were only read.
    data_.workDirectory.clear();
    EXPECT_EQ(1, Lines().BtUsedRecs());
}

TEST_F(VykazTest, UnknownStatementNumberIsRefused) {
    CloseTables();
    tPAP_Vykaz01 vykaz(ctx_, {"XIV."_t, {}, nullptr, nullptr, false}, 14);
    ui_->QueueDialog("key:F2");
    ui_->QueueOk();
    EXPECT_FALSE(vykaz.Zpracuj());
    EXPECT_EQ("Neznámý výkaz číslo 14!!!", ui_->Transcript().back().lines.at(0));
}

TEST_F(VykazTest, ProcessIsNamedAfterTheTrimmedCaption) {
    CloseTables();
    ui_->PushProcess({});
    std::string shown;
    ctx_.runReport = [&](const ReportHandOver& h) {
        shown = ToUtf8(ui_->ProcessPanelText());
        DeleteResultFile(h.dataFile);
    };
    ui_->QueueDialog("key:F2");
    Text result;
    ASSERT_TRUE(SestavVykazI(ctx_, "   I. Titulek  "_t, {}, nullptr, result, nullptr, false));
    EXPECT_NE(std::string::npos, shown.find(" I. Titulek  ["));
    EXPECT_EQ(1, ui_->ProcessDepth());
    ui_->PopProcess();
}

}  // namespace
}  // namespace axo::pap::test
