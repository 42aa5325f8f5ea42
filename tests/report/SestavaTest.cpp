// The report a host runs: compiled statements reach the engine through their result files and
// the shipped templates show their rows; a missing template, a missing data source and a
// template that cannot be saved are refused with the engine's messages and result codes.
#include "ReportTestSupport.h"
#include "pap/PapTestSupport.h"
#include "report/Sestava.h"
#include "report/data/StatementSource.h"
#include "report/template/TemplateFile.h"
#include "support/ScratchDir.h"

namespace axo::report::test {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplates = fs::path(AXO_TEST_SOURCE_DIR) / ".." / "data" / "templates";

ui::ScriptedUi::Options Answering() {
    ui::ScriptedUi::Options o;
    o.strict = false;
    return o;
}

/// The last message shown, its lines joined by blanks.
std::string LastMessage(const ui::ScriptedUi& ui) {
    std::string text;
    for (const std::string& line : ui.Transcript().back().lines)
        text += (text.empty() ? "" : " ") + line;
    return text;
}

/// A statement compiled from booked lines and shown through a shipped template.
class StatementTemplateTest : public pap::test::StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        ctx_.templateDirectory = kTemplates;
        ctx_.runReport = [this](const pap::ReportHandOver& h) {
            std::unique_ptr<StatementSource> source = OpenStatementSource(data_, h);
            ASSERT_TRUE(source);
            TSestava report(ui_.get());
            report.dataSource = source.get();
            report.reportDirIgnore = false;
            report.SetReportName(h.templatePath);
            report.parametry.assign(15, Text());
            report.parametry[0] = "Základní škola Demo"_t;
            report.parametry[3] = "Jana Nováková"_t;
            report.parametry[4] = "12345678"_t;
            report.popis = h.caption;
            result_ =
                report.ComputeValues(Recorder(printed_), {2023, 6, 15, 10, 0, 0, 0}, &warnings_);
            source.reset();
            pap::DeleteResultFile(h.dataFile);
        };
    }
    std::vector<std::vector<std::string>> Bodies() const {
        std::vector<std::vector<std::string>> bodies;
        for (const Printed& p : printed_)
            if (p.section == kBody)
                bodies.push_back(p.texts);
        return bodies;
    }
    const Printed& First(int section) const {
        for (const Printed& p : printed_)
            if (p.section == section)
                return p;
        ADD_FAILURE() << "section " << section << " not printed";
        return printed_.front();
    }

    int result_ = -1;
    std::vector<Printed> printed_;
    std::vector<Text> warnings_;
};

TEST_F(StatementTemplateTest, StatementIThroughItsTemplate) {
    Add(pap::test::PapCode("021", 1, 1, {1}));
    Add(pap::test::PapCode("0211", 1, 2, {1}));
    Add(pap::test::Account(21, 1, "0211", 'A', {1}));
    Add(pap::test::Line("202300", 21, 1, 1500.5, 0));
    Add(pap::test::Line("202302", 21, 1, 120, 20));
    ctx_.defaultTemplate = "PAP_VYKAZY I Výkaz I.pts"_t;
    ASSERT_TRUE(Compile(1, 1, 3));
    ASSERT_EQ(kSestOk, result_);
    EXPECT_TRUE(warnings_.empty());
    // The sum row in bold, the ordinary row in regular type; the amounts grouped by three.
    EXPECT_EQ(
        (std::vector<std::vector<std::string>>{
            {"1", "-", "-", "021", "Řádek 021", "1 500,50", "120,00", "20,00", "1 600,50"},
            {"2", "0211", "Řádek 0211", "-", "-", "1 500,50", "120,00", "20,00", "1 600,50"}}),
        Bodies());
    const std::vector<std::string>& header = First(kPageHeader).texts;
    EXPECT_EQ("Základní škola Demo", header.at(0));
    EXPECT_EQ("12345678", header.at(2));
    EXPECT_EQ("15. 6.2023", header.at(4));
    EXPECT_EQ("I. Počáteční a koncové stavy a obraty na vybraných rozvahových účtech",
              header.at(10));
    EXPECT_EQ("za období 1-3/2023, sestaveno k 31.3.2023", header.at(11));
    const std::vector<std::string>& end = First(kReportEnd).texts;
    EXPECT_EQ("2", end.at(1));
    EXPECT_EQ("Jana Nováková", end.at(3));
}

TEST_F(StatementTemplateTest, StatementIvShowsTheColumnsItHas) {
    for (const char* kod : {"401", "402", "433", "451", "483"})
        Add(pap::test::TransactionCode(kod));
    pap::tVetaUAPV soucet = pap::test::PapCode("021", 1, 1, {4});
    pap::test::Flags(soucet, {1, 2, 51});
    pap::tVetaUAPV bezMd02 = pap::test::PapCode("0211", 1, 2, {4});
    pap::test::Flags(bezMd02, {1, 51});
    Add(soucet);
    Add(bezMd02);
    Add(pap::test::Account(21, 1, "0211", 'A', {4}));
    Add(pap::test::WithKod(pap::test::Line("202302", 21, 1, 30, 0), "402"));
    Add(pap::test::WithKod(pap::test::Line("202302", 21, 1, 0, 40), "451"));
    ctx_.defaultTemplate = "PAP_VYKAZY IV-IX Výkazy IV až IX.pts"_t;
    ASSERT_TRUE(Compile(4, 2, 3));
    ASSERT_EQ(kSestOk, result_);
    EXPECT_TRUE(warnings_.empty());
    // The column headings are the codes of the columns that hold amounts.
    const std::vector<std::string>& header = First(kPageHeader).texts;
    EXPECT_EQ((std::vector<std::string>{"402", "451", "", "", "", "", "", "", "", ""}),
              std::vector<std::string>(header.end() - 10, header.end()));
    // 402 is not allowed on 0211 but was booked; empty columns print blank cells.
    std::vector<std::string> expected = {"2", "0211", "Řádek 0211", "-", "-", "30,00",
                                         "-", "-",    "40,00",      "-", "-"};
    for (int c = 3; c <= 10; ++c)
        expected.insert(expected.end(), {"-", "-", ""});
    ASSERT_EQ(2u, Bodies().size());
    EXPECT_EQ(expected, Bodies()[1]);
}

TEST(SestavaTest, ARunWithoutItsTemplateOrSourceIsRefused) {
    axo::test::ScratchDir dir("axo-sestava");
    RowsBridge rows({{"A", kFtString}}, {{"x"}});
    struct Case {
        const char* name;
        bool source;
        const char* templateName;
        int code;
        std::string message;
    } cases[] = {
        {"missing template", true, "chybi.pts", kSestTemplateNotLoaded,
         "Nebyl nalezen soubor s předlohou tiskové sestavy \"" + (dir / "chybi.pts").string() +
             "\""},
        {"no data source", false, "a.pts", kSestNothingDone, "Není definován zdroj dat."},
        {"no template name", true, "", kSestNothingDone,
         "Není definována cesta a název souboru s předlohou."},
    };
    for (const Case& c : cases) {
        ui::ScriptedUi ui(Answering());
        TSestava report(&ui);
        report.reportDirIgnore = false;
        report.SetReportDir(dir.Path());
        report.SetReportName(c.templateName);
        report.dataSource = c.source ? &rows : nullptr;
        int raised = 0;
        report.events.onError = [&raised](TSestavaTyp&, int code) {
            raised = code;
            return true;
        };
        int sections = 0;
        EXPECT_EQ(c.code, report.ComputeValues([&](int, ReportComputation&) { ++sections; },
                                               {2024, 1, 1, 0, 0, 0, 0}))
            << c.name;
        EXPECT_EQ(c.code, raised) << c.name;
        EXPECT_EQ(0, sections) << c.name;
        ASSERT_FALSE(ui.Transcript().empty()) << c.name;
        EXPECT_EQ(c.message, LastMessage(ui)) << c.name;
    }
}

TEST(SestavaTest, SavingTheTemplateKeepsABakAndRefusesWhatItCannotWrite) {
    axo::test::ScratchDir dir("axo-sestava");
    ui::ScriptedUi ui(Answering());
    TSestava report(&ui);
    report.reportDirIgnore = false;
    report.SetReportDir(dir.Path());
    report.SetReportName("sestava");
    EXPECT_EQ(dir / "sestava.pts", report.GetTemplateFileName());
    report.templateDescription = "První"_t;
    ASSERT_TRUE(report.SaveTemplate());
    report.templateDescription = "Druhá"_t;
    ASSERT_TRUE(report.SaveTemplate());
    EXPECT_EQ("I,0,\"První\"", ToUtf8(ReadTemplateFile(dir / "sestava.BAK").lines.at(0)));
    EXPECT_EQ("I,0,\"Druhá\"", ToUtf8(ReadTemplateFile(dir / "sestava.pts").lines.at(0)));
    ASSERT_TRUE(report.LoadTemplate());
    EXPECT_EQ("Druhá", ToUtf8(report.popis));

    report.AddFunction().name = "A,B"_t;
    EXPECT_FALSE(report.SaveTemplate());
    EXPECT_EQ(kSestTemplateNotSaved, report.LastError());
    EXPECT_EQ(
        "Soubor s předlohou se nepodařilo uložit. Název funkce \"A,B\" obsahuje čárku nebo "
        "začíná uvozovkami; předlohu nelze zapsat.",
        LastMessage(ui));
    EXPECT_EQ("I,0,\"Druhá\"", ToUtf8(ReadTemplateFile(dir / "sestava.pts").lines.at(0)));
}

}  // namespace
}  // namespace axo::report::test

namespace axo::report::test {
namespace {

TEST(SestavaTest, WhereATemplateComesFrom) {
    axo::test::ScratchDir dir("axo-sestava");
    ASSERT_EQ(0, SaveTemplateFile(dir / "soubor.pts", {"I,0,\"Ze souboru\""_t}));
    struct Case {
        const char* name;
        std::function<void(TSestava&, ui::ScriptedUi&)> set;
        bool forEdit;
        bool loaded;
        const char* popis;
    } cases[] = {
        {"the file", [](TSestava&, ui::ScriptedUi&) {}, false, true, "Ze souboru"},
        {"the host's handler instead of the file",
         [](TSestava& r, ui::ScriptedUi&) {
             r.events.onNactiPredlohu = [](TSestavaTyp& report) {
                 ReadTemplate(report, {"I,0,\"Od hostitele\""_t});
                 return true;
             };
         },
         false, true, "Od hostitele"},
        {"lines kept with the host",
         [](TSestava& r, ui::ScriptedUi&) {
             r.isStored = true;
             r.predloha = {"I,0,\"Uložené\""_t};
         },
         false, true, "Uložené"},
        {"a missing file created for the designer",
         [](TSestava& r, ui::ScriptedUi& ui) {
             r.SetReportName("nova");
             ui.QueueButton(1);
         },
         true, true, "Tisková úloha ZORVI"},
        {"a missing file the designer does not create",
         [](TSestava& r, ui::ScriptedUi& ui) {
             r.SetReportName("jina");
             ui.QueueButton(2);
         },
         true, false, "Tisková úloha ZORVI"},
    };
    for (const Case& c : cases) {
        ui::ScriptedUi ui(Answering());
        TSestava report(&ui, dir.Path());
        report.SetReportName("soubor");
        c.set(report, ui);
        EXPECT_EQ(c.loaded, report.LoadTemplate(c.forEdit)) << c.name;
        EXPECT_EQ(c.popis, ToUtf8(report.popis)) << c.name;
    }
    EXPECT_TRUE(fs::exists(dir / "nova.pts"));
    EXPECT_FALSE(fs::exists(dir / "jina.pts"));
}

}  // namespace
}  // namespace axo::report::test
