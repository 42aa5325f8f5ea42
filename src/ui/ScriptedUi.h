// The scripted front end of the UI services: answers come from a queue (filled by tests or read
// from a script), every text shown is recorded in a transcript, and the command line uses it
// with default answers, echoing messages to standard error and drawing progress on a terminal.
#pragma once

#include <deque>
#include <filesystem>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/UiServices.h"

namespace axo::ui {

/// One window as it was shown, in UTF-8: kind, title, lines, buttons and the answer given.
struct TranscriptEntry {
    std::string kind;  ///< "message", "wait", "notice", "decision", "prompt", "progress", ...
    std::string title;
    std::vector<std::string> lines;
    std::vector<std::string> buttons;
    std::string answer;
    /// The entry as text: "[kind] title", a "| " line per text line, "buttons: ...",
    /// "answer: ...".
    std::string ToString() const;
};

/// An answer to the next question.
struct ScriptAnswer {
    enum class Kind {
        Ok,
        Esc,
        Button,
        Value,
        Leave,
        Timeout,
        Print,
        Dialog,
        List,
        Browse,
        Preview
    };
    Kind kind = Kind::Ok;
    int button = 0;
    std::string value;  ///< UTF-8, for Value; the steps of a Dialog or List answer
};

/// A script does not fit the questions asked (too few answers, or the wrong kind).
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ScriptedUi : public UiServices {
  public:
    struct Options {
        /// With strict, a question without a fitting queued answer throws ScriptError;
        /// otherwise it gets its default (O.K., the default button, confirmation, time-out;
        /// a dialog is confirmed with <F2> as its fields stand, and left with <Esc> when that
        /// fails; a file dialog is cancelled).
        bool strict = true;
        /// Where each window's text is echoed as it is shown (none when null).
        std::ostream* echo = nullptr;
        /// Where a progress bar is drawn (none when null); meant for a terminal.
        std::ostream* progress = nullptr;
        /// How long the wait window stays before the next attempt.
        int waitMs = 0;
        /// Where shown printouts are written (UTF-8); empty: the system's temporary directory.
        std::filesystem::path printoutDirectory;
        Desktop desktop;
    };

    ScriptedUi();
    explicit ScriptedUi(Options options);
    ~ScriptedUi() override;

    // ---- Script --------------------------------------------------------------------------
    void Queue(ScriptAnswer::Kind kind, int button = 0, std::string value = {}) {
        answers_.push_back(ScriptAnswer{kind, button, std::move(value)});
    }
    void QueueOk() { Queue(ScriptAnswer::Kind::Ok); }
    void QueueEsc() { Queue(ScriptAnswer::Kind::Esc); }
    void QueueButton(int button) { Queue(ScriptAnswer::Kind::Button, button); }
    void QueueValue(std::string utf8) { Queue(ScriptAnswer::Kind::Value, 0, std::move(utf8)); }
    /// Queues a dialog answer: steps such as "mesicOd=1 mesicDo=6 key:F2" (see DialogScript.h).
    /// Throws ScriptError when the steps cannot be read.
    void QueueDialog(std::string steps);
    /// Queues a list window answer: steps "line=N" (line N becomes current), "key:NAME" and
    /// "click:BUTTON" (a button of the window by its name, e.g. click:ButtonVyber). Throws
    /// ScriptError when the steps cannot be read.
    void QueueList(std::string steps);
    /// Queues a browse window answer: keys, clicks, typed text and rows (see BrowseScript.h).
    /// Throws ScriptError when the steps cannot be read.
    void QueueBrowse(std::string steps);
    /// Queues a print preview answer: steps such as "key:CtrlPgDn save:pdf=x.pdf key:Esc"
    /// (see report/preview/PreviewScript.h).
    void QueuePreview(std::string steps);
    /// Reads answers, one a line: "ok", "esc", "button N", "value TEXT", "leave", "timeout",
    /// "print", "dialog STEPS", "list STEPS", "browse STEPS" and "stop N" (STOP pressed at the
    /// Nth step of the next progress panel). Blank lines and lines starting with "#" are
    /// skipped. Throws ScriptError on a bad line.
    void LoadScript(std::string_view script);
    /// STOP is pressed on the next progress panel when its pass reaches this step.
    void StopProgressAtStep(int step) { stopAtSteps_.push_back(step); }
    std::size_t PendingAnswers() const { return answers_.size(); }
    /// Where shown printouts are written from now on (the system's temporary directory when
    /// empty).
    void SetPrintoutDirectory(std::filesystem::path directory) {
        options_.printoutDirectory = std::move(directory);
    }
    /// The name (without ".txt") of the printouts shown from now on, e.g. "kontrola-01-12";
    /// empty: a name made of each printout's title ("chybovy-protokol-od-1-do-12-2024"). In
    /// the system's temporary directory the name begins with "axo-" and the process number.
    void SetPrintoutName(std::string stem) { printoutName_ = std::move(stem); }

    // ---- What was shown ------------------------------------------------------------------
    const std::vector<TranscriptEntry>& Transcript() const { return transcript_; }
    /// The printouts shown from transcript entry `from` on: the files written, and how many
    /// could not be written.
    struct ShownPrintouts {
        std::vector<std::filesystem::path> files;
        int failed = 0;
    };
    ShownPrintouts PrintoutsSince(std::size_t from) const;
    std::string TranscriptText() const;
    void ClearTranscript() { transcript_.clear(); }
    Text StatusPanel(int panel) const;
    bool MenuEnabled() const { return menuEnabled_; }
    int ProgressSteps() const { return progressSteps_; }

    // ---- Primitives ----------------------------------------------------------------------
    Desktop GetDesktop() const override { return options_.desktop; }
    int RunMessage(const MessageWindow& window) override;
    std::unique_ptr<ModelessWindow> OpenModeless(const MessageWindow& window) override;
    int RunDecision(const DecisionWindow& window) override;
    int RunPrompt(const PromptWindow& window, Text& value) override;
    void ShowStatus(int panel, const Text& text) override;
    void SetMenuEnabled(bool enabled) override { menuEnabled_ = enabled; }
    void ProcessEvents() override {}
    std::unique_ptr<ProgressView> OpenProgress(const ProgressState& state) override;
    WaitOutcome RunWait(const WaitWindow& window) override;
    void RunReport(const ReportWindow& window, const std::function<void()>& print) override;
    [[noreturn]] void Terminate(int exitCode) override;
    /// Applies the queued dialog answers (several in a row when the first leaves the dialog
    /// open) and records the dialog as it closed: "[dialog] caption", a line per element,
    /// the buttons and "answer: close N". A value an element cannot hold as given is recorded
    /// before it as "[refused] caption" with the message of ApplyDialogSteps; the dialog is then
    /// left unless the script goes on.
    int RunDialogWindow(TDialogAXO& dialog) override;
    /// "value DATE" chooses and confirms a date; "ok" confirms the shown one; "esc" cancels.
    bool RunCalendar(TKalendarAXO& calendar) override;
    /// "value EXPRESSION" types and confirms it; "ok" confirms the line; "esc" cancels.
    bool RunCalculator(TKalkulatorAXO& calculator) override;
    /// "value PATH" chooses a path; "esc" or "leave" cancels.
    std::optional<Text> RunFileDialog(const FileDialogRequest& request) override;
    /// Showing a printout writes it (UTF-8, box characters, LF) whole or not at all to a new
    /// file in the printout directory, never over another file: NAME.txt, else NAME-2.txt,
    /// NAME-3.txt, ... (NAME: see SetPrintoutName). It records "[printout] title" with the line
    /// "file: PATH", or, when the listing cannot be read or the file written, the failure as
    /// `PrintoutFailed` does. It asks nothing; only a queued "print" answer, when it is next,
    /// sends the printout to the output channel.
    void ShowListing(const ListingView& listing, const std::function<void()>& output) override;
    /// Records "[printout-failed] title" with the message (`PrintoutFailureText`), echoed like
    /// every entry; asks nothing.
    void PrintoutFailed(const ListingView& listing, const std::filesystem::path& file,
                        int error) override;
    /// Applies the queued list answers (several in a row while the window stays open) and
    /// records "[list] caption" with the header, the lines (the current one marked ">") and
    /// "answer: close N". A window the script leaves open is an error when strict, else left
    /// with <Esc>.
    int RunListWindow(TRolMem& window) override;
    /// Applies the queued browse answers (several in a row while the window stays open) and
    /// records the page as it closed: "[browse] caption", the header, the rows (the current one
    /// marked ">"), the order and "answer: close N". A window the script leaves open is an error
    /// when strict, else left with <Esc>. The page is not echoed: a command prints it itself.
    int RunBrowseWindow(TBrowser& window) override;
    void RunReportPreview(report::TFormSestP& preview) override;

  private:
    class Progress;

    Options options_;
    std::deque<ScriptAnswer> answers_;
    std::deque<int> stopAtSteps_;
    std::vector<TranscriptEntry> transcript_;
    std::vector<Text> statusPanels_;
    bool menuEnabled_ = true;
    int progressSteps_ = 0;

    /// Takes the next answer when it is one of `accepted`; nullptr when the queue is empty or
    /// the next answer is of another kind and the script is lenient.
    const ScriptAnswer* Next(std::initializer_list<ScriptAnswer::Kind> accepted,
                             const TranscriptEntry& question);
    void Record(TranscriptEntry entry);
    /// Closes a dialog the script left open: <F2> first, <Esc> after that.
    void CloseByDefault(TDialogAXO& dialog, bool refused);
    /// The directory and the name (without ".txt") of a shown printout's file.
    std::filesystem::path PrintoutDirectory() const;
    std::string PrintoutStem(const ListingView& listing) const;
    std::string printoutName_;
    ScriptAnswer taken_;
    // Default answers given to the dialog being run, so that a dialog refusing to close
    // cannot loop for ever.
    const TDialogAXO* defaultedDialog_ = nullptr;
    int defaultedShows_ = 0;
};

/// The lines of a message window in UTF-8, as the transcript records them.
std::vector<std::string> LinesUtf8(const std::vector<MessageLine>& lines);

}  // namespace axo::ui
