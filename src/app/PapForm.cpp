// The main window's behaviour.
#include "app/PapForm.h"

#include "app/Commands.h"
#include "codelists/SessionAddresses.h"
#include "pap/StatementTitles.h"
#include "startup/FiscalYearDialog.h"
#include "startup/StartUp.h"
#include "startup/SystemInformation.h"
#include "util/Retezce.h"

namespace axo::app {

namespace {

/// The command frame: the menu and the tool panel are disabled and (for most commands) an empty
/// process entry is pushed for the routine to name; both are undone on every way out.
class CommandFrame {
  public:
    CommandFrame(ui::UiServices& ui, bool pushProcess) : ui_(ui), pushed_(pushProcess) {
        ui_.EnableMainMenu(true);
        if (pushed_)
            ui_.PushProcess({});
    }
    ~CommandFrame() {
        if (pushed_)
            ui_.PopProcess();
        ui_.EnableMainMenu(false);
    }
    CommandFrame(const CommandFrame&) = delete;
    CommandFrame& operator=(const CommandFrame&) = delete;

  private:
    ui::UiServices& ui_;
    bool pushed_;
};

}  // namespace

PapForm::PapForm(startup::Session& session, FormView& view) : session_(session), view_(view) {
    runner_ = [this](const RoutineCall& call, const Text& caption) {
        RunRoutine(session_, call, caption);
    };
    for (const Menu& menu : MainMenuTable()) {
        if (menu.command)
            captions_[menu.command->command] = menu.command->caption;
        for (const MenuItem& item : menu.items)
            captions_[item.command] = item.caption;
    }
}

WindowPlacement PapForm::FormCreate(int screenWidth) {
    WindowPlacement p;
    p.caption = ApplicationTitle();
    p.width = kWidth;
    p.height = kHeight;
    session_.Ui().SetColorScheme(true);
    int top = 0;
    int left = 0;
    if (session_.WindowSlot(top, left)) {
        p.top = top;
        p.left = left;
    } else {
        p.top = 0;
        p.left = (screenWidth - kWidth) / 2;
    }
    return p;
}

bool PapForm::TakeFirstPaint() {
    const bool first = firstPaintPending_;
    firstPaintPending_ = false;
    return first;
}

bool PapForm::FormPaint() {
    startupSucceeded_ = false;
    documentVaultOpen_ = false;
    parameterVaultOpen_ = false;
    ui::UiServices& ui = session_.Ui();
    // The fiscal-year step of the start-up already shows its process name in the status bar.
    ui.RegisterStatusBar();
    if (!startup::StartUp(session_)) {
        view_.CloseWindow();
        return false;
    }
    startupSucceeded_ = true;
    view_.ShowToolPanel();
    view_.CreateAboutButton();
    ShowStatusTexts();
    session_.ReadSwitches();
    session_.SetRecipientPicker(codelists::RecipientPickerFor(session_));
    GiveStatementCaptions();
    if (!OpenVaults()) {
        view_.CloseWindow();
        return false;
    }
    return true;
}

void PapForm::ShowStatusTexts() {
    ui::UiServices& ui = session_.Ui();
    ui.ShowStatus(1, ("Rok: "_t + Trim(session_.FiscalYear().code)).substr(0, 9));
    ui.ShowStatus(2, (" "_t + TrimRight(session_.OrganisationDescription())).substr(0, 41));
}

void PapForm::GiveStatementCaptions() {
    for (int n = 1; n <= pap::kStatementCount; ++n) {
        const CommandId command = StatementCommand(n);
        captions_[command] = pap::StatementCaption(n);
        view_.SetItemCaption(command, captions_[command]);
    }
}

bool PapForm::OpenVaults() {
    ui::UiServices& ui = session_.Ui();
    if (!session_.OpenVault(startup::VaultKind::Documents)) {
        ui.ShowError("Nelze vytvořit pomocný trezorový soubor pro doklady AXO."_t);
        return false;
    }
    documentVaultOpen_ = true;
    if (!session_.OpenVault(startup::VaultKind::Parameters)) {
        ui.ShowError("Nelze vytvořit pomocný trezorový soubor pro parametry AXO."_t);
        return false;
    }
    parameterVaultOpen_ = true;
    return true;
}

void PapForm::ItemClick(CommandId command) {
    if (command == CommandId::Konec) {
        view_.CloseWindow();
        return;
    }
    if (!startupSucceeded_)
        return;
    RunInFrame(command);
}

void PapForm::RunInFrame(CommandId command) {
    const RoutineCall call = RoutineFor(command, session_.FiscalYear().firstYear);
    const Text caption = call.takesCaption ? StripAmpersands(ItemCaption(command)) : Text();
    CommandFrame frame(session_.Ui(), call.pushesProcess);
    runner_(call, caption);
}

void PapForm::Button_DatumClick() {
    if (startupSucceeded_)
        startup::ChangeProgramDate(session_);
}

void PapForm::AboutClick() {
    startup::ShowSystemInformation(session_);
}

bool PapForm::FormKeyDown(const ui::KeyEvent& key) {
    if (key.key != ui::Key::Esc || !key.Plain())
        return false;
    view_.CloseWindow();
    return true;
}

Text PapForm::CloseQuestion() {
    return "Před ukončením aplikace je nutno ukončit všechny procesy. "_t + ui::kLineBreakMark +
           "Násilné ukončení může mít za následek havárii programu či dat."_t + ui::kLineBreakMark +
           ui::kLineBreakMark + "Jste si jisti, že žádný proces není aktivní?"_t;
}

bool PapForm::ProcessRunning() const {
    return session_.Ui().ProcessDepth() != 0;
}

bool PapForm::FormCloseQuery() {
    if (!ProcessRunning())
        return true;
    return session_.Ui().YesNo(CloseQuestion(), " ~A~no, program bude ukončen "_t,
                               " <~Esc~> pokračování v běhu programu "_t, 2);
}

void PapForm::FormClose() {
    if (closed_)
        return;
    closed_ = true;
    if (documentVaultOpen_ || parameterVaultOpen_)
        session_.CloseVaults();
    documentVaultOpen_ = parameterVaultOpen_ = false;
    if (startupSucceeded_)
        startup::ShutDown(session_);
    session_.ReleaseWindowSlot();
}

Text PapForm::ItemCaption(CommandId command) const {
    const auto it = captions_.find(command);
    return it == captions_.end() ? Text() : it->second;
}

}  // namespace axo::app
