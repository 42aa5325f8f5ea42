// The scripted front end: queued answers, transcript, echo and terminal progress.
#include "ui/ScriptedUi.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <thread>

#include "ui/Calculator.h"
#include "ui/Calendar.h"
#include "ui/Dialog.h"
#include "ui/DialogScript.h"
#include "ui/ListWindow.h"
#include "ui/browse/BrowseScript.h"
#include "ui/browse/Browser.h"
#include "util/AtomicFile.h"
#include "util/Datum.h"
#include "util/Lines.h"
#include "util/Prevody.h"

namespace axo::ui {

namespace {

using Kind = ScriptAnswer::Kind;

std::string KindName(Kind kind) {
    switch (kind) {
        case Kind::Ok:
            return "ok";
        case Kind::Esc:
            return "esc";
        case Kind::Button:
            return "button";
        case Kind::Value:
            return "value";
        case Kind::Leave:
            return "leave";
        case Kind::Timeout:
            return "timeout";
        case Kind::Print:
            return "print";
        case Kind::Dialog:
            return "dialog";
        case Kind::List:
            return "list";
        case Kind::Browse:
            return "browse";
        case Kind::Preview:
            return "preview";
    }
    return "?";
}

std::string MessageKindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Wait:
            return "wait";
        case MessageKind::Notice:
            return "notice";
        default:
            return "message " + std::to_string(static_cast<int>(kind));
    }
}

std::string CaptionUtf8(const Caption& c) {
    Text shown = c.shown;
    if (c.accelerator >= 0)
        shown.insert(static_cast<std::size_t>(c.accelerator), "&"_t);
    return ToUtf8(shown);
}

class Window : public ModelessWindow {};

/// The list window's buttons by their component names.
std::optional<ListButton> ListButtonByName(const std::string& name) {
    static const std::pair<const char*, ListButton> kButtons[] = {
        {"ButtonSipkaDolu", ListButton::SipkaDolu},
        {"ButtonSipkaNahoru", ListButton::SipkaNahoru},
        {"ButtonPageDown", ListButton::PageDown},
        {"ButtonPageUp", ListButton::PageUp},
        {"ButtonCtrlEnd", ListButton::CtrlEnd},
        {"ButtonCtrlHome", ListButton::CtrlHome},
        {"ButtonPrint", ListButton::Print},
        {"ButtonInfo", ListButton::Info},
        {"BitBtnF7", ListButton::F7},
        {"ButtonVyber", ListButton::Vyber},
        {"ButtonExit", ListButton::Exit},
    };
    for (const auto& [buttonName, button] : kButtons)
        if (name == buttonName)
            return button;
    return std::nullopt;
}

/// Reads list window steps; throws ScriptError for a step a list window does not take.
std::vector<DialogStep> ParseListSteps(const std::string& steps) {
    std::vector<DialogStep> parsed;
    try {
        parsed = ParseDialogSteps(steps);
    } catch (const DialogScriptError& e) {
        throw ScriptError(e.what());
    }
    for (const DialogStep& step : parsed) {
        const bool ok =
            step.kind == DialogStep::Kind::Key ||
            (step.kind == DialogStep::Kind::Click && ListButtonByName(step.name)) ||
            (step.kind == DialogStep::Kind::Fill && step.name == "line" && !step.value.empty() &&
             step.value.find_first_not_of("0123456789") == std::string::npos &&
             step.value.size() < 6);
        if (!ok)
            throw ScriptError("a list window takes no step \"" + step.name + "\"");
    }
    return parsed;
}

void ApplyListSteps(TRolMem& window, const std::vector<DialogStep>& steps) {
    for (const DialogStep& step : steps) {
        if (window.IsClosed())
            return;
        if (step.kind == DialogStep::Kind::Key)
            window.KeyDown(step.key);
        else if (step.kind == DialogStep::Kind::Click)
            window.Press(*ListButtonByName(step.name));
        else
            window.SetCurrent(std::stoi(step.value) - 1);
    }
}

TranscriptEntry ListEntry(const TRolMem& window) {
    TranscriptEntry e{"list", ToUtf8(window.Caption()), {}, {"O.K.", "Zpět"}, {}};
    if (window.HeaderVisible())
        e.lines.push_back("header: " + ToUtf8(window.Header()));
    for (int i = 0; i < window.LineCount(); ++i)
        e.lines.push_back((i == window.Current() ? "> " : "  ") +
                          ToUtf8(window.Lines()[static_cast<std::size_t>(i)]));
    return e;
}

/// The bytes of a listing file as UTF-8 text with box characters and LF line ends.
std::string PrintoutText(const std::string& bytes) {
    std::string text;
    ForEachLine(bytes, [&text](std::string_view line, int) {
        text += ListingToUtf8(Text::FromBytes(line)) + "\n";
    });
    return text;
}

/// A file name made of a title: its letters without diacritics in lower case and its digits,
/// each run of other characters one "-"; at most 60 characters.
std::string NameFromTitle(const Text& title) {
    constexpr std::size_t kLongest = 60;
    const Text plain = ConvertCodePage(title, CodePageDirection::kWin1250ToPlain);
    std::string name;
    for (const char ch : plain.Bytes()) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 128 && std::isalnum(c))
            name += static_cast<char>(std::tolower(c));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    }
    if (name.size() > kLongest)
        name.resize(kLongest);
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name.empty() ? "sestava" : name;
}

/// The `n`th name of a printout: NAME.txt, then NAME-2.txt, ...
std::filesystem::path NumberedName(const std::string& stem, int n) {
    return stem + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".txt";
}

}  // namespace

std::vector<std::string> LinesUtf8(const std::vector<MessageLine>& lines) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const MessageLine& l : lines)
        out.push_back(ToUtf8(l.text));
    return out;
}

std::string TranscriptEntry::ToString() const {
    std::ostringstream out;
    out << "[" << kind << "]";
    if (!title.empty())
        out << " " << title;
    out << "\n";
    for (const std::string& l : lines)
        out << "| " << l << "\n";
    if (!buttons.empty()) {
        out << "buttons:";
        for (const std::string& b : buttons)
            out << " [" << b << "]";
        out << "\n";
    }
    if (!answer.empty())
        out << "answer: " << answer << "\n";
    return out.str();
}

/// A progress panel of the scripted front end: counts steps, presses STOP where the script
/// says so, and draws a bar on a terminal.
class ScriptedUi::Progress : public ProgressView {
  public:
    Progress(ScriptedUi& ui, const ProgressState& state) : ui_(ui) {
        if (!ui_.stopAtSteps_.empty()) {
            stopAt_ = ui_.stopAtSteps_.front();
            ui_.stopAtSteps_.pop_front();
        }
        Draw(state, true);
    }
    ~Progress() override {
        if (ui_.options_.progress && drawn_)
            *ui_.options_.progress << "\r\033[K" << std::flush;
    }

    void Update(const ProgressState& state) override {
        ++steps_;
        ++ui_.progressSteps_;
        Draw(state, false);
    }

    bool TakeStopRequest() override {
        if (stopAt_ > 0 && steps_ >= stopAt_) {
            stopAt_ = 0;
            return true;
        }
        return false;
    }

  private:
    ScriptedUi& ui_;
    int steps_ = 0;
    int stopAt_ = 0;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};

    void Draw(const ProgressState& state, bool force) {
        std::ostream* out = ui_.options_.progress;
        if (!out)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (!force && now - last_ < std::chrono::milliseconds(100))
            return;
        last_ = now;
        constexpr int kBarWidth = 30;
        const int filled = state.maximum > 0
                               ? kBarWidth * std::min(state.position, state.maximum) / state.maximum
                               : 0;
        *out << "\r\033[K" << ToUtf8(state.caption) << " [" << std::string(filled, '#')
             << std::string(kBarWidth - filled, '.') << "] " << state.position << "/"
             << state.maximum;
        if (!state.stepText.empty())
            *out << " " << ToUtf8(state.stepText);
        *out << std::flush;
        drawn_ = true;
    }
};

ScriptedUi::ScriptedUi() : ScriptedUi(Options{}) {}

ScriptedUi::ScriptedUi(Options options) : options_(std::move(options)) {
    RegisterStatusBar();
}

ScriptedUi::~ScriptedUi() = default;

void ScriptedUi::LoadScript(std::string_view script) {
    int number = 0;
    for (std::string line : SplitLines(script)) {
        ++number;
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos || line[start] == '#')
            continue;
        line = line.substr(start);
        const auto blank = line.find(' ');
        const std::string word = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        auto number_of = [&](const std::string& text) {
            char* end = nullptr;
            const long n = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || n < 0 || n > 1000000000)
                throw ScriptError("script line " + std::to_string(number) + ": number expected");
            return static_cast<int>(n);
        };
        if (word == "ok") {
            Queue(Kind::Ok);
        } else if (word == "esc") {
            Queue(Kind::Esc);
        } else if (word == "button") {
            QueueButton(number_of(rest));
        } else if (word == "value") {
            QueueValue(rest);
        } else if (word == "leave") {
            Queue(Kind::Leave);
        } else if (word == "timeout") {
            Queue(Kind::Timeout);
        } else if (word == "print") {
            Queue(Kind::Print);
        } else if (word == "dialog") {
            try {
                QueueDialog(rest);
            } catch (const ScriptError& e) {
                throw ScriptError("script line " + std::to_string(number) + ": " + e.what());
            }
        } else if (word == "list") {
            try {
                QueueList(rest);
            } catch (const ScriptError& e) {
                throw ScriptError("script line " + std::to_string(number) + ": " + e.what());
            }
        } else if (word == "browse") {
            try {
                QueueBrowse(rest);
            } catch (const ScriptError& e) {
                throw ScriptError("script line " + std::to_string(number) + ": " + e.what());
            }
        } else if (word == "preview") {
            try {
                QueuePreview(rest);
            } catch (const ScriptError& e) {
                throw ScriptError("script line " + std::to_string(number) + ": " + e.what());
            }
        } else if (word == "stop") {
            StopProgressAtStep(number_of(rest));
        } else {
            throw ScriptError("script line " + std::to_string(number) + ": unknown answer \"" +
                              word + "\"");
        }
    }
}

void ScriptedUi::QueueDialog(std::string steps) {
    try {
        ParseDialogSteps(steps);
    } catch (const DialogScriptError& e) {
        throw ScriptError(e.what());
    }
    Queue(Kind::Dialog, 0, std::move(steps));
}

std::string ScriptedUi::TranscriptText() const {
    std::string out;
    for (const TranscriptEntry& e : transcript_)
        out += e.ToString();
    return out;
}

Text ScriptedUi::StatusPanel(int panel) const {
    if (panel < 1 || static_cast<std::size_t>(panel) > statusPanels_.size())
        return {};
    return statusPanels_[static_cast<std::size_t>(panel) - 1];
}

const ScriptAnswer* ScriptedUi::Next(std::initializer_list<ScriptAnswer::Kind> accepted,
                                     const TranscriptEntry& question) {
    if (!answers_.empty()) {
        for (Kind k : accepted) {
            if (answers_.front().kind == k) {
                taken_ = answers_.front();
                answers_.pop_front();
                return &taken_;
            }
        }
        if (options_.strict)
            throw ScriptError("the script answers \"" + KindName(answers_.front().kind) +
                              "\" to:\n" + question.ToString());
    } else if (options_.strict) {
        throw ScriptError("the script has no answer to:\n" + question.ToString());
    }
    return nullptr;
}

void ScriptedUi::Record(TranscriptEntry entry) {
    if (options_.echo) {
        std::ostream& out = *options_.echo;
        if (!entry.title.empty())
            out << entry.title << ":\n";
        for (const std::string& l : entry.lines)
            out << "  " << l << "\n";
        out << std::flush;
    }
    transcript_.push_back(std::move(entry));
}

int ScriptedUi::RunMessage(const MessageWindow& window) {
    TranscriptEntry e{
        MessageKindName(window.kind), ToUtf8(window.title), LinesUtf8(window.lines), {}, {}};
    if (window.okButton)
        e.buttons.push_back(ToUtf8(window.okCaption));
    const ScriptAnswer* a = Next({Kind::Ok, Kind::Esc}, e);
    const int code = a && a->kind == Kind::Esc ? kCloseLeave : kCloseConfirm;
    e.answer = code == kCloseConfirm ? "ok" : "esc";
    Record(std::move(e));
    return code;
}

std::unique_ptr<ModelessWindow> ScriptedUi::OpenModeless(const MessageWindow& window) {
    Record({MessageKindName(window.kind), ToUtf8(window.title), LinesUtf8(window.lines), {}, {}});
    return std::make_unique<Window>();
}

int ScriptedUi::RunDecision(const DecisionWindow& window) {
    TranscriptEntry e{"decision", ToUtf8(window.title), LinesUtf8(window.lines), {}, {}};
    for (const DecisionButton& b : window.buttons)
        e.buttons.push_back(CaptionUtf8(b.caption));
    const ScriptAnswer* a = Next({Kind::Button, Kind::Esc}, e);
    int chosen = window.defaultButton;
    if (a)
        chosen = a->kind == Kind::Esc ? 0 : a->button;
    if (chosen < 0 || chosen > static_cast<int>(window.buttons.size())) {
        throw ScriptError("the script chooses button " + std::to_string(chosen) + " of " +
                          std::to_string(window.buttons.size()) + " in:\n" + e.ToString());
    }
    e.answer = chosen == 0 ? "esc" : "button " + std::to_string(chosen);
    Record(std::move(e));
    return chosen;
}

int ScriptedUi::RunPrompt(const PromptWindow& window, Text& value) {
    TranscriptEntry e{"prompt",
                      ToUtf8(window.title),
                      {ToUtf8(window.prompt)},
                      {ToUtf8(window.confirmCaption), ToUtf8(window.leaveCaption)},
                      {}};
    const ScriptAnswer* a = Next({Kind::Value, Kind::Leave, Kind::Esc}, e);
    int code = kCloseConfirm;
    if (a && a->kind == Kind::Value) {
        value = FromUtf8(a->value);
    } else if (a) {
        code = kCloseLeave;
    }
    e.answer = code == kCloseLeave ? "leave"
               : window.password   ? "value ***"
                                   : "value " + ToUtf8(value);
    Record(std::move(e));
    return code;
}

void ScriptedUi::ShowStatus(int panel, const Text& text) {
    if (panel < 1)
        return;
    if (statusPanels_.size() < static_cast<std::size_t>(panel))
        statusPanels_.resize(panel);
    statusPanels_[static_cast<std::size_t>(panel) - 1] = text;
}

std::unique_ptr<ProgressView> ScriptedUi::OpenProgress(const ProgressState& state) {
    std::vector<std::string> lines{ToUtf8(state.caption)};
    if (!state.message.empty())
        lines.push_back(ToUtf8(state.message));
    transcript_.push_back({"progress", "", std::move(lines), {}, {}});
    return std::make_unique<Progress>(*this, state);
}

WaitOutcome ScriptedUi::RunWait(const WaitWindow& window) {
    TranscriptEntry e{"wait-window",
                      ToUtf8(window.caption),
                      {ToUtf8(window.operation), ToUtf8(window.fileLine)},
                      {},
                      {}};
    const ScriptAnswer* a = Next({Kind::Timeout, Kind::Esc}, e);
    const bool escaped = a && a->kind == Kind::Esc;
    if (!escaped && options_.waitMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(options_.waitMs));
    e.answer = escaped ? "esc" : "timeout";
    Record(std::move(e));
    return escaped ? WaitOutcome::Escaped : WaitOutcome::TimedOut;
}

void ScriptedUi::RunReport(const ReportWindow& window, const std::function<void()>& print) {
    TranscriptEntry e{"report", ToUtf8(window.caption), {}, {"O.K.", "Tisk"}, {}};
    for (const auto& [label, value] : window.labels)
        e.lines.push_back(ToUtf8(label) + " " + ToUtf8(value));
    if (!window.detail.empty())
        e.lines.push_back(ToUtf8(window.detail));
    const ScriptAnswer* a = Next({Kind::Ok, Kind::Print, Kind::Esc}, e);
    const bool printed = a && a->kind == Kind::Print;
    e.answer = printed ? "print" : "ok";
    Record(std::move(e));
    if (printed && print)
        print();
}

namespace {

std::vector<std::string> Utf8Lines(const std::vector<Text>& texts) {
    std::vector<std::string> lines;
    for (const Text& t : texts) {
        // A memo's line breaks become lines of their own.
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = t.find(kLineBreakMark, start);
            lines.push_back(ToUtf8(t.substr(start, end == Text::npos ? Text::npos : end - start)));
            if (end == Text::npos)
                break;
            start = end + 1;
        }
    }
    return lines;
}

TranscriptEntry DialogEntry(const TDialogAXO& dialog) {
    return {"dialog",
            ToUtf8(dialog.Caption()),
            Utf8Lines(dialog.TranscriptLines()),
            Utf8Lines(dialog.ButtonCaptions()),
            {}};
}

}  // namespace

int ScriptedUi::RunDialogWindow(TDialogAXO& dialog) {
    bool refused = false;
    bool answered = false;
    while (!dialog.IsClosed() && !answers_.empty() && answers_.front().kind == Kind::Dialog) {
        const std::string steps = answers_.front().value;
        answers_.pop_front();
        answered = true;
        Text refusal;
        try {
            refused = !ApplyDialogSteps(dialog, ParseDialogSteps(steps), &refusal) || refused;
        } catch (const DialogScriptError& e) {
            throw ScriptError(e.what());
        }
        if (!refusal.empty())
            Record({"refused", ToUtf8(dialog.Caption()), {ToUtf8(refusal)}, {}, {}});
    }
    if (answered || dialog.ShowCount() <= 1 || defaultedDialog_ != &dialog) {
        defaultedDialog_ = &dialog;
        defaultedShows_ = 0;
    }
    if (!dialog.IsClosed()) {
        if (options_.strict) {
            throw ScriptError(std::string(answered ? "the script leaves the dialog open:\n"
                                                   : "the script has no answer to:\n") +
                              DialogEntry(dialog).ToString());
        }
        CloseByDefault(dialog, refused);
    }
    TranscriptEntry e = DialogEntry(dialog);
    e.answer = "close " + std::to_string(dialog.CloseCode());
    Record(std::move(e));
    return dialog.CloseCode();
}

void ScriptedUi::CloseByDefault(TDialogAXO& dialog, bool refused) {
    ++defaultedShows_;
    if (defaultedShows_ > 2)
        throw ScriptError("the dialog refuses to close:\n" + DialogEntry(dialog).ToString());
    if (!refused && defaultedShows_ == 1)
        dialog.KeyDown({Key::F2});
    if (!dialog.IsClosed())
        dialog.KeyDown({Key::Esc});
    // A dialog class may take <Esc> for itself; the window is closed all the same.
    if (!dialog.IsClosed())
        dialog.Close(kCloseLeave);
}

bool ScriptedUi::RunCalendar(TKalendarAXO& calendar) {
    TranscriptEntry e{
        "calendar", ToUtf8(TKalendarAXO::Title()), Utf8Lines(calendar.HelpLines()), {}, {}};
    const ScriptAnswer* a = Next({Kind::Value, Kind::Ok, Kind::Esc, Kind::Leave}, e);
    if (a && a->kind == Kind::Value) {
        const Text typed = FromUtf8(a->value);
        if (CheckDate(typed) != kDateValid)
            throw ScriptError("the script gives no date to the calendar: " + a->value);
        calendar.Select(ParseDate(typed));
        calendar.Confirm();
    } else if (!a || a->kind == Kind::Ok) {
        calendar.Confirm();
    } else {
        calendar.Cancel();
    }
    const DateParts d = calendar.Selected();
    e.answer = calendar.Confirmed() ? "date " + ToUtf8(DateText(d.day, d.month, d.year)) : "esc";
    Record(std::move(e));
    return calendar.Confirmed();
}

bool ScriptedUi::RunCalculator(TKalkulatorAXO& calculator) {
    TranscriptEntry e{
        "calculator", ToUtf8(TKalkulatorAXO::Title()), {ToUtf8(calculator.Line())}, {}, {}};
    const ScriptAnswer* a = Next({Kind::Value, Kind::Ok, Kind::Esc, Kind::Leave}, e);
    if (a && a->kind == Kind::Value) {
        calculator.KeyDown({Key::Delete});
        for (char ch : FromUtf8(a->value))
            calculator.TypeChar(ch);
    }
    if (!a || a->kind == Kind::Value || a->kind == Kind::Ok) {
        if (!calculator.Confirm()) {
            if (options_.strict && a)
                throw ScriptError("the calculator cannot evaluate: " + ToUtf8(calculator.Line()));
            calculator.Cancel();
        }
    } else {
        calculator.Cancel();
    }
    e.answer = calculator.Confirmed() ? "result " + ToUtf8(calculator.Line()) : "esc";
    Record(std::move(e));
    return calculator.Confirmed();
}

std::optional<Text> ScriptedUi::RunFileDialog(const FileDialogRequest& request) {
    TranscriptEntry e{request.chooseDirectory ? "directory-dialog" : "file-dialog",
                      ToUtf8(request.title),
                      {"start: " + ToUtf8(request.startDirectory)},
                      {},
                      {}};
    if (!request.filter.empty())
        e.lines.push_back(
            "filter: " + (request.filterName.empty() ? "" : ToUtf8(request.filterName) + "|") +
            ToUtf8(request.filter));
    if (request.save)
        e.lines.push_back("save");
    const ScriptAnswer* a = Next({Kind::Value, Kind::Esc, Kind::Leave}, e);
    std::optional<Text> chosen;
    if (a && a->kind == Kind::Value)
        chosen = FromUtf8(a->value);
    e.answer = chosen ? "value " + a->value : "esc";
    Record(std::move(e));
    return chosen;
}

void ScriptedUi::QueueList(std::string steps) {
    ParseListSteps(steps);
    Queue(Kind::List, 0, std::move(steps));
}

std::filesystem::path ScriptedUi::PrintoutDirectory() const {
    std::error_code ec;
    return options_.printoutDirectory.empty() ? std::filesystem::temp_directory_path(ec)
                                              : options_.printoutDirectory;
}

std::string ScriptedUi::PrintoutStem(const ListingView& listing) const {
    const std::string stem = printoutName_.empty() ? NameFromTitle(listing.title) : printoutName_;
    // The system's temporary directory is everybody's: the process keeps to names of its own
    // there, rather than numbering on after files nobody removes.
    if (options_.printoutDirectory.empty())
        return "axo-" + std::to_string(::getpid()) + "-" + stem;
    return stem;
}

void ScriptedUi::ShowListing(const ListingView& listing, const std::function<void()>& output) {
    std::string bytes;
    if (const ReadResult read = ReadWholeFile(listing.file, bytes); read.error != 0) {
        PrintoutFailed(listing, listing.file, read.error);
        return;
    }
    const std::string stem = PrintoutStem(listing);
    const std::filesystem::path first = PrintoutDirectory() / NumberedName(stem, 1);
    AtomicFile file;
    std::filesystem::path written;
    if (file.Create(first)) {
        file.Write(PrintoutText(bytes));
        written = file.CommitUnique([&stem](int n) { return NumberedName(stem, n); }, 9999);
    }
    if (written.empty()) {
        PrintoutFailed(listing, first, file.Error());
        return;
    }
    TranscriptEntry e{"printout", ToUtf8(listing.title), {"file: " + written.string()}, {}, {}};
    const bool print = !answers_.empty() && answers_.front().kind == Kind::Print;
    if (print) {
        answers_.pop_front();
        e.answer = "print";
    }
    Record(std::move(e));
    if (print && output)
        output();
}

void ScriptedUi::PrintoutFailed(const ListingView& listing, const std::filesystem::path& file,
                                int error) {
    Record({"printout-failed",
            ToUtf8(listing.title),
            {ToUtf8(PrintoutFailureText(file, error))},
            {},
            {}});
}

ScriptedUi::ShownPrintouts ScriptedUi::PrintoutsSince(std::size_t from) const {
    const std::string prefix = "file: ";
    ShownPrintouts shown;
    for (std::size_t i = from; i < transcript_.size(); ++i) {
        const TranscriptEntry& e = transcript_[i];
        if (e.kind == "printout-failed")
            ++shown.failed;
        else if (e.kind == "printout" && !e.lines.empty() && e.lines[0].starts_with(prefix))
            shown.files.emplace_back(e.lines[0].substr(prefix.size()));
    }
    return shown;
}

int ScriptedUi::RunListWindow(TRolMem& window) {
    bool answered = false;
    while (!window.IsClosed() && !answers_.empty() && answers_.front().kind == Kind::List) {
        const std::string steps = answers_.front().value;
        answers_.pop_front();
        answered = true;
        ApplyListSteps(window, ParseListSteps(steps));
    }
    if (!window.IsClosed()) {
        if (options_.strict) {
            throw ScriptError(std::string(answered ? "the script leaves the list window open:\n"
                                                   : "the script has no answer to:\n") +
                              ListEntry(window).ToString());
        }
        window.KeyDown({Key::Esc});
    }
    TranscriptEntry e = ListEntry(window);
    e.answer = "close " + std::to_string(window.Result());
    if (window.Result() == TRolMem::kResultPicked)
        e.answer += ": " + ToUtf8(window.CurrentLine());
    Record(std::move(e));
    return window.Result();
}

void ScriptedUi::QueueBrowse(std::string steps) {
    try {
        ParseBrowseSteps(steps);
    } catch (const DialogScriptError& e) {
        throw ScriptError(e.what());
    }
    Queue(Kind::Browse, 0, std::move(steps));
}

int ScriptedUi::RunBrowseWindow(TBrowser& window) {
    transcript_.push_back(
        RunScriptedBrowser(window, options_.strict, [this]() -> std::optional<std::string> {
            if (answers_.empty() || answers_.front().kind != Kind::Browse)
                return std::nullopt;
            std::string steps = std::move(answers_.front().value);
            answers_.pop_front();
            return steps;
        }));
    return window.Result();
}

void ScriptedUi::Terminate(int exitCode) {
    std::fflush(nullptr);
    throw ProgramEnded{exitCode};
}

}  // namespace axo::ui
