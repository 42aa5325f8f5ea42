// The message services through the scripted front end: transcripts, answers, process stack,
// menu enabling and the progress panel's abort confirmation.
#include "ui/UiServices.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ui/ProgressPanel.h"
#include "ui/ScriptedUi.h"

namespace axo::ui {
namespace {

TEST(UiServicesTest, MessagesAreRecordedWordForWord) {
    ScriptedUi ui;
    ui.QueueOk();
    ui.ShowError("Nelze založit datový soubor (UDPO2024.DB)."_t, " Program končí."_t);
    ui.QueueOk();
    ui.ShowErrorLine("Chybné datum."_t);
    ASSERT_EQ(2u, ui.Transcript().size());
    EXPECT_EQ(
        "[message 2]  CHYBA\n"
        "| Nelze založit datový soubor (UDPO2024.DB). Program končí.\n"
        "buttons: [&O.K.]\n"
        "answer: ok\n",
        ui.Transcript()[0].ToString());
    EXPECT_EQ(std::vector<std::string>{"Chybné datum."}, ui.Transcript()[1].lines);
}

TEST(UiServicesTest, ErrorLineCentresItsLastLine) {
    struct Probe : ScriptedUi {
        std::vector<MessageLine> lines;
        int RunMessage(const MessageWindow& w) override {
            lines = w.lines;
            return kCloseConfirm;
        }
    } ui;
    ui.ShowErrorLine("první\rposlední"_t);
    ASSERT_EQ(2u, ui.lines.size());
    EXPECT_FALSE(ui.lines[0].centred);
    EXPECT_TRUE(ui.lines[1].centred);
    ui.ShowErrorLine("jen jedna\x0E"_t);  // already ends in the mark: nothing added
    ASSERT_EQ(1u, ui.lines.size());
    EXPECT_TRUE(ui.lines[0].centred);
}

TEST(UiServicesTest, DecisionReturnsTheButtonNumberOrZeroForEsc) {
    struct Case {
        const char* script;
        int expected;
    } cases[] = {{"button 1", 1}, {"button 2", 2}, {"esc", 0}};
    for (const Case& c : cases) {
        ScriptedUi ui;
        ui.LoadScript(c.script);
        EXPECT_EQ(c.expected, ui.Decide("Uložit změny?"_t, {"~A~no"_t, "~N~e"_t}, 1)) << c.script;
        EXPECT_EQ((std::vector<std::string>{"&Ano", "&Ne"}), ui.Transcript().at(0).buttons);
    }
}

TEST(UiServicesTest, BlockingVariantsExtendTheTitle) {
    ScriptedUi ui;
    ui.LoadScript("button 1\nok\n");
    ui.DecideBlocking("q"_t, {"a"_t}, 1);
    ui.ShowBlocking("t"_t, {});
    EXPECT_EQ(" ROZHODNUTÍ   [Blokujete ostatní uživatele !]", ui.Transcript()[0].title);
    EXPECT_EQ(" INFORMACE   [Blokujete ostatní uživatele !]", ui.Transcript()[1].title);
}

TEST(UiServicesTest, PromptWritesBackOnlyOnConfirmation) {
    ScriptedUi ui;
    ui.LoadScript("value tajné\nleave\n");
    Text buffer = "staré"_t;
    EXPECT_EQ(kCloseConfirm,
              ui.PromptValue("Zadejte heslo"_t, "Zadání hesla"_t, buffer, true, false, 7, 7));
    EXPECT_EQ("tajné"_t, buffer);
    EXPECT_EQ("value ***", ui.Transcript()[0].answer);  // passwords never reach the transcript
    EXPECT_EQ(kCloseLeave,
              ui.PromptValue("Zadejte heslo"_t, "Zadání hesla"_t, buffer, true, false, 7, 7));
    EXPECT_EQ("tajné"_t, buffer);
}

TEST(UiServicesTest, PromptCutsTheValueToItsMaximumLength) {
    ScriptedUi ui;
    ui.QueueValue("příliš dlouhé");
    Text buffer;
    ui.PromptValue("p"_t, "t"_t, buffer, false, false, 7, 7);
    EXPECT_EQ("příliš "_t, buffer);
}

TEST(UiServicesTest, StrictScriptRefusesMissingOrWrongAnswers) {
    ScriptedUi ui;
    EXPECT_THROW(ui.ShowInfo("bez odpovědi"_t), ScriptError);
    ui.QueueButton(1);
    EXPECT_THROW(ui.ShowInfo("odpověď jiného druhu"_t), ScriptError);
    ScriptedUi other;
    other.QueueButton(3);
    EXPECT_THROW(other.Decide("q"_t, {"a"_t, "b"_t}, 1), ScriptError);
    EXPECT_THROW(other.LoadScript("maybe"), ScriptError);
    EXPECT_THROW(other.LoadScript("button x"), ScriptError);
}

TEST(UiServicesTest, LenientScriptTakesDefaultsAndEchoes) {
    std::ostringstream echo;
    ScriptedUi::Options options;
    options.strict = false;
    options.echo = &echo;
    ScriptedUi ui(options);
    EXPECT_EQ(2, ui.Decide("q"_t, {"a"_t, "b"_t}, 2));
    ui.ShowInfo("Hotovo."_t);
    EXPECT_EQ(" ROZHODNUTÍ:\n  q\n INFORMACE:\n  Hotovo.\n", echo.str());
}

TEST(UiServicesTest, ProcessStackShowsNameAndDepth) {
    ScriptedUi ui;
    ui.PushProcess("Výkaz I"_t);
    EXPECT_EQ(" Výkaz I  [  1]"_t, ui.StatusPanel(3));
    ui.PushProcess("Tisk"_t);
    EXPECT_EQ(" Tisk  [  2]"_t, ui.StatusPanel(3));
    ui.PopProcess();
    EXPECT_EQ(" Výkaz I  [  1]"_t, ui.StatusPanel(3));
    ui.PopProcess();
    EXPECT_EQ(""_t, ui.StatusPanel(3));
    ui.PopProcess();  // at depth 0 nothing changes
    EXPECT_EQ(0, ui.ProcessDepth());

    for (int i = 0; i < 21; ++i)
        ui.PushProcess("p"_t);
    EXPECT_EQ(20, ui.ProcessDepth());
    EXPECT_EQ(" p  [ 20]"_t, ui.ProcessPanelText());
    ui.PushProcess(Text(150, 'n'));  // ignored at 20
    EXPECT_EQ(" p  [ 20]"_t, ui.ProcessPanelText());
}

TEST(UiServicesTest, ProcessStackWithoutStatusBarReportsAnError) {
    ScriptedUi ui;
    ui.RegisterStatusBar(false);
    ui.QueueOk();
    ui.PushProcess("x"_t);
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ(std::vector<std::string>{"Nebyl inicializován HeadStatusBar."},
              ui.Transcript()[0].lines);
}

TEST(UiServicesTest, MainMenuIsDisabledWhileACommandRuns) {
    ScriptedUi ui;
    ui.EnableMainMenu(true);
    EXPECT_FALSE(ui.MenuEnabled());
    EXPECT_FALSE(ui.MainMenuEnabled());
    ui.EnableMainMenu(false);
    EXPECT_TRUE(ui.MenuEnabled());
}

TEST(UiServicesTest, ProgressStepWrapsAroundAfterTheMaximum) {
    ScriptedUi ui;
    ProgressPanel panel(ui, true, 3, "Výkaz"_t, {});
    std::vector<int> positions;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(panel.Step());
        positions.push_back(panel.State().position);
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0, 1}), positions);
    panel.StepTo(99);
    EXPECT_EQ(3, panel.State().position);
    panel.Restart(10);
    EXPECT_EQ(0, panel.State().position);
    EXPECT_EQ(10, panel.State().maximum);
    panel.SetStepText(Text(90, 's'));
    EXPECT_EQ(70u, panel.State().stepText.size());
}

TEST(UiServicesTest, StopAsksAndOnlyNoContinuesThePass) {
    struct Case {
        const char* answer;
        bool continues;
    } cases[] = {{"button 1", true}, {"button 2", false}, {"esc", false}};
    for (const Case& c : cases) {
        ScriptedUi ui;
        ui.StopProgressAtStep(3);
        ui.LoadScript(c.answer);
        ProgressPanel panel(ui, true, 100, "Průchod"_t, {});
        int steps = 0;
        while (steps < 10 && panel.Step())
            ++steps;
        EXPECT_EQ(c.continues ? 10 : 2, steps) << c.answer;
        const TranscriptEntry& question = ui.Transcript().back();
        EXPECT_EQ((std::vector<std::string>{"Opravdu chcete ukončit", "probíhající proces?"}),
                  question.lines);
        EXPECT_EQ((std::vector<std::string>{"&NE", "<Esc>ano"}), question.buttons);
    }
}

TEST(UiServicesTest, PanelWithoutStopCannotBeAborted) {
    ScriptedUi ui;
    ui.StopProgressAtStep(1);
    ProgressPanel panel(ui, false, 5, "Rekonstrukce"_t, {});
    EXPECT_TRUE(panel.Step());
    EXPECT_TRUE(panel.Step());
}

TEST(UiServicesTest, TerminateEndsTheScriptedProgramWithAnException) {
    ScriptedUi ui;
    try {
        ui.Terminate(3);
        FAIL() << "Terminate returned";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(3, e.exitCode);
    }
}

}  // namespace
}  // namespace axo::ui
