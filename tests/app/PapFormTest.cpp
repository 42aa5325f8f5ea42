// The main window's behaviour on a real installation: first paint, the command frame, the
// commands not yet available, <Esc> and closing.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "AppTestSupport.h"
#include "app/Commands.h"
#include "app/StatementContextFor.h"
#include "pap/StatementTitles.h"
#include "startup/WindowSlots.h"

namespace axo::app::test {
namespace {

std::vector<std::string> Utf8Lines(const ui::TranscriptEntry& e) {
    return e.lines;
}

TEST(PapForm, CreatesTheWindowCentredAtTheTopWithoutAStoredPosition) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Created());
    const WindowPlacement p = inst.Form().FormCreate(1280);
    EXPECT_EQ(" POMOCNÝ ANALYTICKÝ PŘEHLED, PAP pro příspěvkové organizace"_t, p.caption);
    EXPECT_EQ(640, p.width);
    EXPECT_EQ(424, p.height);
    EXPECT_EQ(0, p.top);
    EXPECT_EQ(320, p.left);
    EXPECT_EQ(801 / 2 - 320, inst.Form().FormCreate(801).left);
}

TEST(PapForm, TakesTheWindowSlotsStoredPosition) {
    Installation inst(2024);
    startup::tWindowSlots slots;
    slots.top = 100;
    slots.left = 50;
    slots.arrangement = 1;
    slots.slots[0] = 1;  // another instance runs: this one is shifted 20 pixels down and right
    std::ofstream(inst.Home() / "axo_0A1B2C3D.INI", std::ios::binary)
        .write(reinterpret_cast<const char*>(&slots), sizeof slots);
    const WindowPlacement p = inst.Form().FormCreate(1280);
    EXPECT_EQ(120, p.top);
    EXPECT_EQ(70, p.left);
}

TEST(PapForm, FirstPaintStartsUpOnceAndGivesTheCaptions) {
    Installation inst(2024);
    PapForm& form = inst.Form();
    ASSERT_TRUE(form.TakeFirstPaint());
    EXPECT_FALSE(form.TakeFirstPaint());
    ASSERT_TRUE(form.FormPaint());
    EXPECT_TRUE(form.StartupSucceeded());
    EXPECT_TRUE(form.DocumentVaultOpen());
    EXPECT_TRUE(form.ParameterVaultOpen());
    EXPECT_TRUE(inst.View().toolPanelShown);
    EXPECT_TRUE(inst.View().aboutButton);
    EXPECT_EQ(0, inst.View().closeRequests);
    EXPECT_EQ("Rok: 2024"_t, inst.Ui().StatusPanel(1));
    EXPECT_EQ(" "_t + startup::DefaultFirmName(), inst.Ui().StatusPanel(2));
    for (int n = 1; n <= 17; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(pap::StatementCaption(n), inst.View().captions[StatementCommand(n)]);
        EXPECT_EQ(pap::StatementCaption(n), form.ItemCaption(StatementCommand(n)));
    }
    const Text xvi = form.ItemCaption(CommandId::Vykaz16);
    EXPECT_EQ("  XVI. "_t + pap::StatementTitle(16), xvi);
    // Items other than statements keep their captions.
    EXPECT_EQ("Kontrolní výpis z účtu"_t, form.ItemCaption(CommandId::Vypis));
}

TEST(PapForm, FailedStartUpClosesTheWindowWithoutAMessageOfItsOwn) {
    Installation inst(2024, "spatne"_t);
    const std::size_t before = inst.Ui().Transcript().size();
    EXPECT_FALSE(inst.Form().FormPaint());
    EXPECT_FALSE(inst.Form().StartupSucceeded());
    EXPECT_EQ(1, inst.View().closeRequests);
    EXPECT_FALSE(inst.View().toolPanelShown);
    EXPECT_TRUE(inst.View().captions.empty());
    // The start-up's own refusal is the only window.
    const auto windows = inst.WindowsSince(before);
    ASSERT_EQ(1u, windows.size());
    EXPECT_NE(std::string::npos, windows[0].ToString().find("Zadané heslo není správné."));
    inst.Form().FormClose();
}

TEST(PapForm, FrameDisablesTheMenuAndPushesAnEmptyProcess) {
    struct Row {
        CommandId command;
        int depthDuring;
        bool captionGiven;
    };
    const Row rows[] = {{CommandId::Vykaz04, 1, true},
                        {CommandId::Vykaz14, 1, false},
                        {CommandId::Sehr01_09, 0, false},
                        {CommandId::Vypis, 1, false}};
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    for (const Row& r : rows) {
        SCOPED_TRACE(ItemOf(r.command).name);
        bool menuDuring = true;
        int depthDuring = -1;
        Text panelDuring;
        Text captionGiven;
        inst.Form().SetRunner([&](const RoutineCall&, const Text& caption) {
            menuDuring = inst.Ui().MainMenuEnabled() || inst.Ui().MenuEnabled();
            depthDuring = inst.Ui().ProcessDepth();
            panelDuring = inst.Ui().StatusPanel(3);
            captionGiven = caption;
        });
        inst.Form().ItemClick(r.command);
        EXPECT_FALSE(menuDuring);
        EXPECT_EQ(r.depthDuring, depthDuring);
        if (r.depthDuring == 1) {
            EXPECT_EQ(" "_t + "  ["_t + "  1]"_t, panelDuring);
        }
        EXPECT_EQ(r.captionGiven ? inst.Form().ItemCaption(r.command) : Text(), captionGiven);
        EXPECT_TRUE(inst.Ui().MainMenuEnabled());
        EXPECT_TRUE(inst.Ui().MenuEnabled());
        EXPECT_EQ(0, inst.Ui().ProcessDepth());
    }
}

TEST(PapForm, FrameRestoresTheMenuWhenTheRoutineFails) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    inst.Form().SetRunner(
        [](const RoutineCall&, const Text&) { throw std::runtime_error("routine failed"); });
    EXPECT_THROW(inst.Form().ItemClick(CommandId::Vykaz01), std::runtime_error);
    EXPECT_TRUE(inst.Ui().MenuEnabled());
    EXPECT_EQ(0, inst.Ui().ProcessDepth());
}

TEST(PapForm, NoCommandRunsBeforeTheStartUp) {
    Installation inst(2024);
    int runs = 0;
    inst.Form().SetRunner([&](const RoutineCall&, const Text&) { ++runs; });
    inst.Form().ItemClick(CommandId::Vykaz01);
    EXPECT_EQ(0, runs);
}

TEST(PapForm, CommandsNotYetAvailableOnlySaySo) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    for (CommandId command :
         {CommandId::Vykaz14, CommandId::Vykaz17, CommandId::XML01_09, CommandId::Sehr01_09,
          CommandId::Vypis, CommandId::Rozklad, CommandId::Ciselniky_UctRozvrh,
          CommandId::Ciselniky_KodyTr, CommandId::Ciselniky_PAP}) {
        if (RoutineAvailable(RoutineFor(command, 2024).routine))
            continue;
        SCOPED_TRACE(ItemOf(command).name);
        const std::size_t before = inst.Ui().Transcript().size();
        inst.Form().ItemClick(command);
        const auto windows = inst.WindowsSince(before);
        ASSERT_EQ(1u, windows.size());
        EXPECT_EQ(" INFORMACE", windows[0].title);
        EXPECT_EQ(std::vector<std::string>{"Funkce zatím není k dispozici."},
                  Utf8Lines(windows[0]));
    }
}

TEST(PapForm, StatementIXIsRefusedFrom2022ByItsEntryRoutine) {
    Installation inst(2022);
    ASSERT_TRUE(inst.Form().FormPaint());
    const std::size_t before = inst.Ui().Transcript().size();
    inst.Form().ItemClick(CommandId::Vykaz09);
    const auto windows = inst.WindowsSince(before);
    ASSERT_EQ(1u, windows.size());
    EXPECT_NE(std::string::npos,
              windows[0].ToString().find("Výkaz č. IX se od roku 2022 nepodává (byl zrušen)"));
    EXPECT_EQ(0, inst.Ui().ProcessDepth());
}

TEST(PapForm, EscapeAloneClosesTheWindow) {
    Installation inst(2024);
    EXPECT_FALSE(inst.Form().FormKeyDown({ui::Key::Esc, true}));
    EXPECT_FALSE(inst.Form().FormKeyDown({ui::Key::Enter}));
    EXPECT_EQ(0, inst.View().closeRequests);
    EXPECT_TRUE(inst.Form().FormKeyDown({ui::Key::Esc}));
    EXPECT_EQ(1, inst.View().closeRequests);
    inst.Form().ItemClick(CommandId::Konec);
    EXPECT_EQ(2, inst.View().closeRequests);
}

TEST(PapForm, ClosingWhileAProcessRunsAsksFirst) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    const std::size_t before = inst.Ui().Transcript().size();
    EXPECT_TRUE(inst.Form().FormCloseQuery());
    EXPECT_EQ(before, inst.Ui().Transcript().size());

    inst.Ui().PushProcess("výkaz"_t);
    // No answer: the default button, "continue".
    EXPECT_FALSE(inst.Form().FormCloseQuery());
    const auto asked = inst.WindowsSince(before);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ("decision", asked[0].kind);
    const std::vector<std::string> lines{
        "Před ukončením aplikace je nutno ukončit všechny procesy. ",
        "Násilné ukončení může mít za následek havárii programu či dat.", "",
        "Jste si jisti, že žádný proces není aktivní?"};
    EXPECT_EQ(lines, asked[0].lines);
    ASSERT_EQ(2u, asked[0].buttons.size());
    EXPECT_EQ("button 2", asked[0].answer);
    inst.Ui().QueueEsc();
    EXPECT_FALSE(inst.Form().FormCloseQuery());
    inst.Ui().QueueButton(1);
    EXPECT_TRUE(inst.Form().FormCloseQuery());
    inst.Ui().PopProcess();
}

TEST(PapForm, ClosingClosesTheVaultsAndLogsOut) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    ASSERT_TRUE(inst.Session().Started());
    inst.Form().FormClose();
    EXPECT_FALSE(inst.Session().Started());
    EXPECT_EQ(nullptr, inst.Session().DocumentVault());
    EXPECT_EQ(nullptr, inst.Session().ParameterVault());
    EXPECT_FALSE(inst.Form().DocumentVaultOpen());
    inst.Form().FormClose();
    EXPECT_FALSE(inst.Session().Started());
}

TEST(StatementContextFor, TakesTheFiscalYearAndPlacesFromTheSession) {
    Installation inst(2014);
    ASSERT_TRUE(inst.Form().FormPaint());
    const pap::StatementContext ctx = StatementContextFor(inst.Session());
    EXPECT_EQ(2014, ctx.fiscalYear);
    EXPECT_EQ(inst.Session().CurrentMonth(), ctx.currentMonth);
    EXPECT_EQ(inst.Session().AccountingDirectory(), ctx.location.dataDirectory);
    EXPECT_EQ(inst.Session().CodeListDirectory(), ctx.location.codeListDirectory);
    EXPECT_EQ(inst.Session().FirmName(), ctx.listing.firmName);
    EXPECT_EQ(&inst.Session().Context(), ctx.data);
    EXPECT_FALSE(ctx.runReport);
}

}  // namespace
}  // namespace axo::app::test
