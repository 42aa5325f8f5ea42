// The family's message services over the front-end primitives.
#include "ui/UiServices.h"

#include "report/preview/Preview.h"

#include <string>

#include "ui/Calculator.h"
#include "ui/Calendar.h"
#include "ui/Dialog.h"
#include "ui/ListWindow.h"
#include "ui/browse/Browser.h"
#include "util/SystemError.h"

namespace axo::ui {

namespace {

const Text& BlockingSuffix() {
    static const Text suffix = "   [Blokujete ostatní uživatele !]"_t;
    return suffix;
}

Text DepthText(int depth) {
    const std::string digits = std::to_string(depth);
    return Text(digits.size() < 3 ? 3 - digits.size() : 0, ' ') + Text::FromBytes(digits);
}

}  // namespace

UiServices::UiServices() : scheme_(ColourScheme::Make(false)) {}

UiServices::~UiServices() = default;

Desktop UiServices::CurrentDesktop() const {
    Desktop d = GetDesktop();
    d.centreOnDesktop = d.centreOnDesktop || centreOnDesktop_;
    return d;
}

int UiServices::ShowMessage(MessageKind kind, const Text& text, const Text& appended, int columns,
                            Placement placement) {
    return RunMessage(
        BuildMessage(kind, text, appended, columns, CurrentDesktop(), scheme_, placement));
}

void UiServices::ShowInfo(const Text& text) {
    ShowMessage(MessageKind::Info, text);
}

void UiServices::ShowError(const Text& text, const Text& appended) {
    ShowMessage(MessageKind::Error, text, appended);
}

void UiServices::ShowErrorLine(const Text& text) {
    if (!text.empty() && text.back() == kCentreMark) {
        ShowError(text);
    } else {
        ShowError(text + kCentreMark);
    }
}

int UiServices::AskKey(const Text& text, const Text& appended) {
    return ShowMessage(MessageKind::Info, text, appended);
}

int UiServices::ShowBlocking(const Text& text, const Text& appended) {
    MessageWindow w = BuildMessage(MessageKind::Info, text, appended, 0, CurrentDesktop(), scheme_);
    w.title += BlockingSuffix();
    return RunMessage(w);
}

std::unique_ptr<ModelessWindow> UiServices::ShowWait(const Text& text) {
    return OpenModeless(BuildMessage(MessageKind::Wait, text, {}, 0, CurrentDesktop(), scheme_));
}

std::unique_ptr<ModelessWindow> UiServices::ShowNotice(const Text& text) {
    return OpenModeless(BuildMessage(MessageKind::Notice, text, {}, 0, CurrentDesktop(), scheme_));
}

int UiServices::Decide(const Text& text, const std::vector<Text>& captions, int defaultButton) {
    return RunDecision(
        BuildDecision(text, captions, defaultButton, " ROZHODNUTÍ"_t, CurrentDesktop(), scheme_));
}

int UiServices::DecideBlocking(const Text& text, const std::vector<Text>& captions,
                               int defaultButton) {
    return RunDecision(BuildDecision(text, captions, defaultButton,
                                     " ROZHODNUTÍ"_t + BlockingSuffix(), CurrentDesktop(),
                                     scheme_));
}

bool UiServices::YesNo(const Text& text, const Text& first, const Text& second, int defaultButton) {
    return Decide(text, {first, second}, defaultButton) == 1;
}

int UiServices::PromptValue(const Text& prompt, const Text& title, Text& buffer, bool password,
                            bool centred, int fieldWidth, int maxLength) {
    const PromptWindow w = BuildPrompt(prompt, title, password, centred, fieldWidth, maxLength,
                                       CurrentDesktop(), scheme_);
    Text value = buffer.substr(0, static_cast<std::size_t>(std::max(maxLength, 0)));
    const int code = RunPrompt(w, value);
    if (code == kCloseConfirm)
        buffer = value.substr(0, static_cast<std::size_t>(std::max(maxLength, 0)));
    return code;
}

void UiServices::PushProcess(const Text& name) {
    if (depth_ >= kMaxProcessDepth)
        return;
    ++depth_;
    entries_[depth_] = " "_t + name.substr(0, 100);
    ShowProcessPanel();
}

void UiServices::PopProcess() {
    if (depth_ < 1 || depth_ > kMaxProcessDepth)
        return;
    --depth_;
    ShowProcessPanel();
}

Text UiServices::ProcessPanelText() const {
    if (depth_ == 0)
        return {};
    return entries_[depth_] + "  ["_t + DepthText(depth_) + "]"_t;
}

void UiServices::ShowProcessPanel() {
    if (!statusBarRegistered_) {
        ShowError("Nebyl inicializován HeadStatusBar."_t);
        return;
    }
    ShowStatus(kProcessPanel, ProcessPanelText());
    ProcessEvents();
}

void UiServices::EnableMainMenu(bool running) {
    mainMenuEnabled_ = !running;
    SetMenuEnabled(mainMenuEnabled_);
}

int UiServices::RunDialogWindow(TDialogAXO& dialog) {
    dialog.Close(kCloseLeave);
    return kCloseLeave;
}

bool UiServices::RunCalendar(TKalendarAXO& calendar) {
    calendar.Cancel();
    return false;
}

bool UiServices::RunCalculator(TKalkulatorAXO& calculator) {
    calculator.Cancel();
    return false;
}

std::optional<Text> UiServices::RunFileDialog(const FileDialogRequest&) {
    return std::nullopt;
}

void UiServices::ShowListing(const ListingView&, const std::function<void()>& output) {
    if (output)
        output();
}

void UiServices::PrintoutFailed(const ListingView&, const std::filesystem::path& file, int error) {
    ShowError(PrintoutFailureText(file, error));
}

Text PrintoutFailureText(const std::filesystem::path& file, int error) {
    return "Sestavu nelze zapsat do souboru ["_t + FromUtf8(file.string()) + "]: "_t +
           SystemErrorText(error) + "."_t;
}

int UiServices::RunListWindow(TRolMem& window) {
    window.Close(TRolMem::kResultLeave);
    return TRolMem::kResultLeave;
}

int UiServices::RunBrowseWindow(TBrowser& window) {
    window.Close(kCloseLeave);
    return kCloseLeave;
}

void UiServices::RunReportPreview(report::TFormSestP& preview) {
    preview.Close();
}

}  // namespace axo::ui
