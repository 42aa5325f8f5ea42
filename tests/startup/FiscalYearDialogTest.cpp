// Fixing the fiscal year, period and program date at start-up: the "/U" presets, the dialog
// with its <F10> presets and checks, the question about a date outside the year, the VAT check;
// and the later change of date and period.
#include "startup/FiscalYearDialog.h"

#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartUp.h"

namespace axo::startup::test {
namespace {

class FiscalYearDialogTest : public InstallationTest {
  protected:
    /// Starts with the "/U" parameters (none: the dialog) and the script of answers.
    std::unique_ptr<Session> Start(std::vector<const char*> parameters, const std::string& script,
                                   bool& started) {
        StartUpOptions options = Quiet();
        options.yearChoice.reset();
        for (const char* p : parameters)
            options.parameters.push_back(FromUtf8(p));
        ui_.ClearTranscript();
        ui_.LoadScript(script);
        auto session = NewSession(options);
        started = StartUp(*session);
        EXPECT_EQ(0u, ui_.PendingAnswers()) << "answers left over";
        return session;
    }
    /// The kinds of the windows shown, in order.
    std::string Windows() const {
        std::string kinds;
        for (const ui::TranscriptEntry& e : ui_.Transcript())
            kinds += (kinds.empty() ? "" : ",") + e.kind.substr(0, e.kind.find(' '));
        return kinds;
    }
};

struct Choice {
    const char* name;
    std::vector<const char*> parameters;
    const char* script;
    bool started;
    const char* code;
    int period;
    const char* date;
    const char* windows;
};

TEST_F(FiscalYearDialogTest, PresetsAndTheDialog) {
    const Choice cases[] = {
        {"preset of year and period", {"/U2014012014"}, "", true, "2014", 201401, "15. 6.2014", ""},
        {"preset with a date",
         {"x", " /u201401201415.01.2014 "},
         "",
         true,
         "2014",
         201401,
         "15. 1.2014",
         ""},
        {"preset of another year, its date accepted",
         {"/U2013122013"},
         "button 1\n",
         true,
         "2013",
         201312,
         "15. 6.2014",
         "decision"},
        {"unknown code opens the dialog",
         {"/U20XX"},
         "ok\ndialog key:F2\n",
         true,
         "2014",
         201406,
         "15. 6.2014",
         "message,dialog"},
        {"period after the year",
         {"/U2014132014"},
         "ok\ndialog key:Esc\n",
         false,
         "",
         0,
         "",
         "message,dialog"},
        {"period before the year",
         {"/U2014122013"},
         "ok\ndialog key:Esc\n",
         false,
         "",
         0,
         "",
         "message,dialog"},
        {"date after the year, <Esc> returns to the dialog",
         {"/U201401201415.01.2015"},
         "button 2\ndialog key:Esc\n",
         false,
         "",
         0,
         "",
         "decision,dialog"},
        {"dialog as preset", {}, "dialog key:F2\n", true, "2014", 201406, "15. 6.2014", "dialog"},
        {"first list item is the latest year",
         {},
         "dialog rok=#0 key:F10 key:F2\n",
         true,
         "2014",
         201406,
         "15. 6.2014",
         "dialog"},
        {"<F10> on the list",
         {},
         "dialog rok=#1 key:F10 key:F2\n",
         true,
         "2013",
         201312,
         "31.12.2013",
         "dialog"},
        {"a year chosen in the list brings date and period along",
         {},
         "dialog rok=#1 key:F2\n",
         true,
         "2013",
         201312,
         "31.12.2013",
         "dialog"},
        {"<F10> on the date",
         {},
         "dialog datum=15.03.2013 key:F10 key:F2\n",
         true,
         "2013",
         201303,
         "15. 3.2013",
         "dialog"},
        {"<F10> on the period",
         {},
         "dialog mesic=3 rokObdobi=2013 key:F10 key:F2\n",
         true,
         "2013",
         201303,
         " 1. 3.2013",
         "dialog"},
        {"<F10> button on the period",
         {},
         "dialog mesic=4 rokObdobi=2013 click:predvolba key:F2\n",
         true,
         "2013",
         201304,
         " 1. 4.2013",
         "dialog"},
        {"<F10> on a date outside the table",
         {},
         "dialog datum=15.03.2016 key:F10 key:Esc\nok\n",
         false,
         "",
         0,
         "",
         "message,dialog"},
        {"<F10> on a period outside the table",
         {},
         "dialog mesic=3 rokObdobi=2016 key:F10 key:Esc\nok\n",
         false,
         "",
         0,
         "",
         "message,dialog"},
        {"date outside the year accepted",
         {},
         "dialog datum=15.01.2015 key:F2\nbutton 1\n",
         true,
         "2014",
         201406,
         "15. 1.2015",
         "dialog,decision"},
        {"date outside the year, <Esc> returns to the dialog",
         {},
         "dialog datum=15.01.2015 key:F2\nbutton 2\ndialog key:Esc\n",
         false,
         "",
         0,
         "",
         "dialog,decision,dialog"},
    };
    for (const Choice& c : cases) {
        SCOPED_TRACE(c.name);
        bool started = false;
        auto session = Start(c.parameters, c.script, started);
        EXPECT_EQ(c.started, started);
        EXPECT_EQ(c.windows, Windows());
        if (!started)
            continue;
        EXPECT_EQ(FromUtf8(c.code), session->FiscalYear().code);
        EXPECT_EQ(c.period, session->CurrentPeriod());
        EXPECT_EQ(FromUtf8(c.date), session->ProgramDate());
        ShutDown(*session);
    }
}

TEST_F(FiscalYearDialogTest, DateOutsideEveryYearPreselectsTheLatestYear) {
    // After and before the table: confirming the dialog as it stands asks nothing more.
    for (const DateTime today :
         {DateTime{2026, 12, 9, 8, 0, 0, 0}, DateTime{2010, 2, 1, 8, 0, 0, 0}}) {
        SCOPED_TRACE(today.year);
        clock_.Set(today);
        bool started = false;
        auto session = Start({}, "dialog key:F2\n", started);
        ASSERT_TRUE(started);
        EXPECT_EQ("dialog", Windows());
        EXPECT_EQ("2014"_t, session->FiscalYear().code);
        EXPECT_EQ(201412, session->CurrentPeriod());
        EXPECT_EQ("31.12.2014"_t, session->ProgramDate());
        ShutDown(*session);
    }
}

TEST_F(FiscalYearDialogTest, MessagesOfTheChecks) {
    bool started = false;
    Start({"/U2014132014"}, "ok\ndialog key:Esc\n", started);
    EXPECT_EQ("Aktuální účetní období je větší než konec hospodářského roku.",
              FlatLines(ui_.Transcript().at(0)));
    Start({"/U2014122013"}, "ok\ndialog key:Esc\n", started);
    EXPECT_EQ("Aktuální účetní období je menší než počátek hospodářského roku.",
              FlatLines(ui_.Transcript().at(0)));
    Start({"/U20XX"}, "ok\ndialog key:Esc\n", started);
    EXPECT_EQ("Zadaný hospodářský rok není definován v programovém instalačním souboru [20XX].",
              FlatLines(ui_.Transcript().at(0)));
    Start({}, "dialog datum=15.03.2016 key:F10 key:Esc\nok\n", started);
    EXPECT_EQ("Datum je mimo rozsah tabulky přípustných hospodářských roků!",
              FlatLines(ui_.Transcript().at(0)));
    Start({}, "dialog mesic=3 rokObdobi=2016 key:F10 key:Esc\nok\n", started);
    EXPECT_EQ("Účetní období je mimo rozsah tabulky přípustných hospodářských roků!",
              FlatLines(ui_.Transcript().at(0)));
    Start({}, "dialog datum=15.01.2015 key:F2\nbutton 2\ndialog key:Esc\n", started);
    const ui::TranscriptEntry& question = ui_.Transcript().at(1);
    EXPECT_EQ(
        "Vámi zadané datum je mimo rozsah aktuálního účetního (hospodářského) roku 2014. "
        "[ 1. 1.2014 až 31.12.2014 ]",
        FlatLines(question));
    EXPECT_EQ((std::vector<std::string>{"&Akceptovat datum 15. 1.2015", "<Esc>opakovat &zadání"}),
              question.buttons);
}

TEST_F(FiscalYearDialogTest, DialogShowsTheRunsValues) {
    bool started = false;
    auto session = Start({}, "dialog key:F2\n", started);
    ASSERT_TRUE(started);
    EXPECT_EQ(
        "[dialog]  Zadejte hospodářský rok pro vstup do modulu\n"
        "| Datum jen pro daný modul AXO [15. 6.2014]\n"
        "| Hospodářský rok          [ 2014  ( 1. 1.2014-31.12.2014)]\n"
        "| Aktuální účetní období   [ 6]\n"
        "| /[2014]\n"
        "buttons: [vstoupit do modulu systému AXO] [odchod] [q]\n"
        "answer: close 1\n",
        ui_.TranscriptText());
    ShutDown(*session);
}

TEST_F(FiscalYearDialogTest, ChangeOfDateAndPeriodKeepsTheYear) {
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    ui_.LoadScript("dialog datum=15.03.2014 key:F10 key:F2\n");
    EXPECT_TRUE(ChangeProgramDate(*session));
    EXPECT_EQ("15. 3.2014"_t, session->ProgramDate());
    EXPECT_EQ(201403, session->CurrentPeriod());
    EXPECT_EQ("2014"_t, session->FiscalYear().code);
    EXPECT_EQ(" Změna data a účetního období jen pro stávající modul AXO",
              ui_.Transcript().back().title);
    EXPECT_EQ(0, ui_.ProcessDepth());
    ui_.ClearTranscript();
    ui_.LoadScript("dialog datum=15.03.2013 key:F10 key:Esc\nok\nok\n");
    EXPECT_FALSE(ChangeProgramDate(*session));
    ASSERT_EQ(3u, ui_.Transcript().size());
    EXPECT_EQ("Datum je mimo rozsah aktuálního hospodářského roku!",
              FlatLines(ui_.Transcript()[0]));
    EXPECT_EQ(
        "I nadále bude jako datum pro program akceptováno datum 15. 3.2014 v účetním "
        "období 3/2014.",
        FlatLines(ui_.Transcript()[2]));
    EXPECT_EQ("15. 3.2014"_t, session->ProgramDate());
    ShutDown(*session);
}

TEST_F(FiscalYearDialogTest, VatRatesDecideWhetherTheDateIsTaken) {
    struct Case {
        const char* code;
        const char* date;
        const char* currency;
        bool refused;
    } cases[] = {
        {"2016", "15.03.2016", "Kč", true},
        {"2014", "15.03.2014", "Kč", false},
        {"2024", "15.03.2024", "Kč", false},
        {"2016", "15.03.2016", "EUR", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.currency);
        tables_.EditProgram([&](tVetaAXO& p) {
            p.DPH_Sazby[0] = " 1. 1.201031.12.209921.0015.00 0.00"_t;
            for (int i = 1; i < kVatRateSlots; ++i)
                p.DPH_Sazby[i] = Text();
            p.ZnakMeny = FromUtf8(c.currency);
            p.OBD[2] = {"2016"_t, 1, 2016, 12, 2016};
            p.OBD[3] = {"2024"_t, 1, 2024, 12, 2024};
        });
        ui::ScriptedUi ui(Lenient());
        ui.RegisterStatusBar();
        StartUpOptions options = Quiet();
        options.yearChoice = StartUpOptions::YearChoice{FromUtf8(c.code), FromUtf8(c.date)};
        Session session(ui, clock_, Home(), "0000ABCD"_t, options);
        StartUp(session);  // the years without data directories end at the first area
        const std::string vat = "Pro datum 15. 3." + std::string(c.code).substr(0, 4) +
                                " není korektně definováno DPH. Prověřte programový instalační "
                                "soubor v modulu SPRÁVCE SYSTÉMU AXO a opakujte akci.";
        bool shown = false;
        for (const ui::TranscriptEntry& e : ui.Transcript())
            shown = shown || FlatLines(e) == vat;
        EXPECT_EQ(c.refused, shown);
        EXPECT_EQ(c.refused, !session.FiscalYearSelected());
        ShutDown(session);
    }
}

TEST_F(FiscalYearDialogTest, ChoiceOfTheFrontEndNeverShowsTheDialog) {
    struct Case {
        const char* code;
        const char* date;
        const char* script;
        bool started;
        const char* expectedDate;
    } cases[] = {
        {"2013", "", "", true, "31.12.2013"},            // the year's last day: today is later
        {"", "2.4.2013", "", true, " 2. 4.2013"},        // the year containing the date
        {"2014", "31.02.2014", "ok\n", false, ""},       // no such day
        {"", "1.1.2016", "ok\n", false, ""},             // no year contains it
        {"2014", "15.01.2013", "ok\n", false, ""},       // its period is before the year
        {"2014", "31.12.2014", "", true, "31.12.2014"},  // the date gives the period
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + "/" + c.date);
        StartUpOptions options = Quiet();
        options.yearChoice = StartUpOptions::YearChoice{FromUtf8(c.code), FromUtf8(c.date)};
        ui_.ClearTranscript();
        ui_.LoadScript(c.script);
        auto session = NewSession(options);
        EXPECT_EQ(c.started, StartUp(*session));
        EXPECT_EQ(0u, ui_.PendingAnswers());
        for (const ui::TranscriptEntry& e : ui_.Transcript())
            EXPECT_NE("dialog", e.kind);
        EXPECT_EQ(FromUtf8(c.expectedDate), c.started ? session->ProgramDate() : Text());
        ShutDown(*session);
    }
}

}  // namespace
}  // namespace axo::startup::test
