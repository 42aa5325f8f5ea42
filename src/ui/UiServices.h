// The UI services: the one interface through which the core talks to the user. Its non-virtual
// operations are the family's message services (messages, decisions, prompts, the process stack
// in the status bar, main-menu enabling); they build window models and hand them to the
// primitives, which each front end implements: the Qt desktop program and the scripted one used
// by the tests and the command line.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "ui/Screen.h"
#include "util/Text.h"

namespace axo::report {
class TFormSestP;
}

namespace axo::ui {

/// A modeless window on screen; it closes when this object is destroyed.
class ModelessWindow {
  public:
    virtual ~ModelessWindow() = default;
};

/// What a progress panel shows.
struct ProgressState {
    Text caption;
    Text message;
    Text stepText;  ///< right-aligned, bold; at most 70 characters
    int position = 0;
    int maximum = 0;
    bool withStop = true;
};

/// A progress panel as the front end draws it.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void Update(const ProgressState& state) = 0;
    /// True once for each click on STOP or <Esc> since the last call.
    virtual bool TakeStopRequest() = 0;
};

/// The window shown while waiting for a file or record another user holds.
struct WaitWindow {
    Text caption;
    Text operation;  ///< first line: what is being waited for
    Text fileLine;   ///< second line: which file
    bool interruptible = false;
    int timeoutMs = 7000;
};

enum class WaitOutcome { TimedOut, Escaped };

/// The report window of data errors and warnings: label pairs (only the shown ones) above a
/// read-only detail text, an O.K. button and a print button.
struct ReportWindow {
    Text caption;
    std::vector<std::pair<Text, Text>> labels;
    Text detail;
};

/// The system file dialog for choosing a directory or a file (texts in Windows-1250; paths
/// with "/").
struct FileDialogRequest {
    Text title;
    Text fileName;  ///< the preset file name ("Adresář" when choosing a directory)
    Text filter;    ///< "*.*" or "*." + an extension
    Text startDirectory;
    bool chooseDirectory = false;
    /// A file to be written (it need not exist) rather than one to be read.
    bool save = false;
    /// What the filter shows ("Soubory HTML"); empty: the pattern alone.
    Text filterName;
    /// The extension a typed name without one gets ("htm"); empty: none.
    Text defaultExtension;
};

/// A text printout handed to the user: the listing file (Windows-1250, CR LF, the family's frame
/// codes) with the measures its output needs.
struct ListingView {
    Text title;  ///< the printout's name
    std::filesystem::path file;
    int lineWidth = 78;
    int narrowLength = 0;  ///< lines per page up to 80 characters a line; both 0: endless paper
    int wideLength = 0;    ///< lines per page above 80 characters a line
};

/// The message of a printout that could not be written: "Sestavu nelze zapsat do souboru [" +
/// file + "]: " + the cause + ".".
Text PrintoutFailureText(const std::filesystem::path& file, int error);

class TDialogAXO;
class TKalendarAXO;
class TKalkulatorAXO;
class TRolMem;
class TBrowser;

/// Thrown by front ends that cannot end the process (the scripted one in tests) when the
/// program must end at once.
struct ProgramEnded {
    int exitCode;
};

class UiServices {
  public:
    UiServices();
    virtual ~UiServices();
    UiServices(const UiServices&) = delete;
    UiServices& operator=(const UiServices&) = delete;

    // ---- Messages -------------------------------------------------------------------------

    /// Information message (" INFORMACE"); returns when closed.
    void ShowInfo(const Text& text);
    /// Error message (" CHYBA") of the text followed by the appended text.
    void ShowError(const Text& text, const Text& appended = {});
    /// As ShowError; the last line is centred (a centring mark is appended when missing).
    void ShowErrorLine(const Text& text);
    /// Information message; returns its close code (1 O.K., 2 <Esc>).
    int AskKey(const Text& text, const Text& appended = {});
    /// As AskKey, for callers that hold a lock other users wait for.
    int ShowBlocking(const Text& text, const Text& appended);
    /// Any message kind; `columns` 0 sizes the window by its text. Returns the close code.
    int ShowMessage(MessageKind kind, const Text& text, const Text& appended = {}, int columns = 0,
                    Placement placement = {});
    /// Modeless wait message (kind 4), no O.K. button; closed when the result is destroyed.
    std::unique_ptr<ModelessWindow> ShowWait(const Text& text);
    /// Modeless notice (kind 5).
    std::unique_ptr<ModelessWindow> ShowNotice(const Text& text);

    // ---- Decisions and prompts ------------------------------------------------------------

    /// Decision window with up to ten buttons ("~X~" marks an accelerator). Returns the
    /// 1-based number of the chosen button, 0 for <Esc>.
    int Decide(const Text& text, const std::vector<Text>& captions, int defaultButton);
    /// As Decide, the title telling that the caller blocks other users.
    int DecideBlocking(const Text& text, const std::vector<Text>& captions, int defaultButton);
    /// True when the first button was chosen.
    bool YesNo(const Text& text, const Text& first, const Text& second, int defaultButton);
    /// One-value prompt; the value is edited in `buffer` (kept only on confirmation).
    /// Returns the close code: 1 confirmed, 2 left.
    int PromptValue(const Text& prompt, const Text& title, Text& buffer, bool password,
                    bool centred, int fieldWidth, int maxLength);

    // ---- Status line, process stack, main menu --------------------------------------------

    static constexpr int kMaxProcessDepth = 20;
    static constexpr int kProcessPanel = 3;
    /// The main window registers its status bar; before that the process stack reports an
    /// error instead of showing its entries.
    void RegisterStatusBar(bool registered = true) { statusBarRegistered_ = registered; }
    void PushProcess(const Text& name);
    void PopProcess();
    int ProcessDepth() const { return depth_; }
    /// The text the process panel shows at the current depth (empty at depth 0).
    Text ProcessPanelText() const;
    /// Disables every top-level item of the main menu while a command runs.
    void EnableMainMenu(bool running);
    bool MainMenuEnabled() const { return mainMenuEnabled_; }

    // ---- Settings -------------------------------------------------------------------------

    void SetColorScheme(bool systemColours) { scheme_ = ColourScheme::Make(systemColours); }
    const ColourScheme& Colours() const { return scheme_; }
    void SetCentreOnDesktop(bool onDesktop) { centreOnDesktop_ = onDesktop; }
    Desktop CurrentDesktop() const;

    // ---- The progress panel registered for the running pass ----------------------------------

    class ProgressPanel* RunProgress() const {
        return runProgress_;
    }
    void SetRunProgress(class ProgressPanel* panel) { runProgress_ = panel; }

    // ---- Primitives each front end implements -----------------------------------------------

    /// Screen and main window geometry.
    virtual Desktop GetDesktop() const { return {}; }
    /// Shows a modal message window; returns its close code.
    virtual int RunMessage(const MessageWindow& window) = 0;
    /// Shows a modeless message window.
    virtual std::unique_ptr<ModelessWindow> OpenModeless(const MessageWindow& window) = 0;
    /// Shows a decision window; returns the chosen button (1-based), 0 for <Esc>.
    virtual int RunDecision(const DecisionWindow& window) = 0;
    /// Shows a one-value prompt on `value`; returns the close code.
    virtual int RunPrompt(const PromptWindow& window, Text& value) = 0;
    /// Sets the text of a status-bar panel (1-based).
    virtual void ShowStatus(int panel, const Text& text) = 0;
    /// Enables or disables the main menu and the tool panel.
    virtual void SetMenuEnabled(bool enabled) = 0;
    /// Lets pending window messages through (repaints, key presses) during long work.
    virtual void ProcessEvents() = 0;
    /// Opens a progress panel at the bottom of the main window.
    virtual std::unique_ptr<ProgressView> OpenProgress(const ProgressState& state) = 0;
    /// Shows the wait window until its time is up or <Esc>.
    virtual WaitOutcome RunWait(const WaitWindow& window) = 0;
    /// Shows a report window; `print` makes its print copy when the user asks for one.
    virtual void RunReport(const ReportWindow& window, const std::function<void()>& print) = 0;
    /// Ends the program at once, without any further closing steps.
    [[noreturn]] virtual void Terminate(int exitCode) = 0;

    // ---- Primitives of dialog forms (a front end without them leaves every dialog) --------

    /// Runs a dialog modally: shows the model, feeds the user's keys, typed characters, clicks
    /// and choices into it, redraws it after each, and returns when the model has closed, with
    /// its close code. A window closed by other means closes the model with code 2 (leave).
    virtual int RunDialogWindow(TDialogAXO& dialog);
    /// Runs the calendar window until the model closes; true when a date was confirmed.
    virtual bool RunCalendar(TKalendarAXO& calendar);
    /// Runs the calculator window until the model closes; true when a result was confirmed.
    virtual bool RunCalculator(TKalkulatorAXO& calculator);
    /// Shows the system file dialog; the chosen directory or file, none when cancelled.
    virtual std::optional<Text> RunFileDialog(const FileDialogRequest& request);

    // ---- Primitives of text printouts and list windows ------------------------------------

    /// Shows a text printout. `output` sends it to the output channel of the printer set-up
    /// (print module, print manager, text or HTML file); a viewer calls it for its print and
    /// save actions, as often as the user asks. The listing file stays valid until this
    /// returns; the caller deletes it afterwards. The base has no viewer: it sends the
    /// printout to the output channel at once.
    virtual void ShowListing(const ListingView& listing, const std::function<void()>& output);
    /// A printout that could not be written whole: `file` (the listing or the copy the front end
    /// writes) failed with the system's error number `error`. Nothing of the printout is shown;
    /// the user is told once which file and why (`PrintoutFailureText`). The base shows it as an
    /// error message.
    virtual void PrintoutFailed(const ListingView& listing, const std::filesystem::path& file,
                                int error);
    /// Runs the scrolling list window modally: shows the model, feeds the user's keys, clicks
    /// and resizes into it, and returns when the model has closed, with its result (1 picked,
    /// 2 left). The base has no window: it leaves the list (2).
    virtual int RunListWindow(TRolMem& window);
    /// Runs a browse or selector window modally: shows the model's page, feeds the user's keys,
    /// clicks, wheel and resizes into it, and returns when the model has closed, with its
    /// result. The base has no window: it leaves the browser (2).
    virtual int RunBrowseWindow(TBrowser& window);

    // ---- Primitive of the report engine -----------------------------------------------------

    /// Shows the print preview of prepared pages modally: draws the model, feeds the user's
    /// keys, wheel, drags and commands into it, and returns when the model has closed. The
    /// base has no window: it closes the preview at once.
    virtual void RunReportPreview(report::TFormSestP& preview);

  private:
    ColourScheme scheme_;
    bool centreOnDesktop_ = false;
    bool statusBarRegistered_ = false;
    bool mainMenuEnabled_ = true;
    int depth_ = 0;
    Text entries_[kMaxProcessDepth + 1];
    class ProgressPanel* runProgress_ = nullptr;

    void ShowProcessPanel();
};

}  // namespace axo::ui
