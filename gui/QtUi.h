// The UI services drawn with Qt Widgets: every window model of the core (messages, decisions,
// prompts, the progress panel, the wait and report windows, dialog forms, calendar, calculator,
// file dialogs, the printout viewer, the list window and the browse windows) shown as a Qt window,
// with the user's keys and clicks fed back into the model.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/UiServices.h"

namespace axo::gui {

/// What the main window offers the UI services: its widget, the status bar and the commands.
class MainWindowSurface {
  public:
    virtual ~MainWindowSurface() = default;
    virtual QWidget* Widget() = 0;
    /// Panel 1-3 of the status bar.
    virtual void SetStatusText(int panel, const QString& text) = 0;
    /// The main menu and the tool panel.
    virtual void SetCommandsEnabled(bool enabled) = 0;
};

/// A window as it was shown (for the tests and the screenshots): its kind, title and lines.
struct ShownWindow {
    std::string kind;  ///< "message", "decision", "prompt", "dialog", "printout", "list", ...
    QString title;
    QStringList lines;
};

class QtUi : public ui::UiServices {
  public:
    QtUi();
    ~QtUi() override;

    void SetMainWindow(MainWindowSurface* surface) { surface_ = surface; }
    MainWindowSurface* MainWindow() const { return surface_; }
    /// The window modal windows belong to: the active modal window, else the main window.
    QWidget* OwnerWindow() const;
    /// Every window shown so far, oldest first.
    const std::vector<ShownWindow>& Shown() const { return shown_; }
    void Record(ShownWindow window) { shown_.push_back(std::move(window)); }

    ui::Desktop GetDesktop() const override;
    int RunMessage(const ui::MessageWindow& window) override;
    std::unique_ptr<ui::ModelessWindow> OpenModeless(const ui::MessageWindow& window) override;
    int RunDecision(const ui::DecisionWindow& window) override;
    int RunPrompt(const ui::PromptWindow& window, Text& value) override;
    void ShowStatus(int panel, const Text& text) override;
    void SetMenuEnabled(bool enabled) override;
    void ProcessEvents() override;
    std::unique_ptr<ui::ProgressView> OpenProgress(const ui::ProgressState& state) override;
    ui::WaitOutcome RunWait(const ui::WaitWindow& window) override;
    void RunReport(const ui::ReportWindow& window, const std::function<void()>& print) override;
    [[noreturn]] void Terminate(int exitCode) override;
    int RunDialogWindow(ui::TDialogAXO& dialog) override;
    bool RunCalendar(ui::TKalendarAXO& calendar) override;
    bool RunCalculator(ui::TKalkulatorAXO& calculator) override;
    std::optional<Text> RunFileDialog(const ui::FileDialogRequest& request) override;
    void ShowListing(const ui::ListingView& listing, const std::function<void()>& output) override;
    int RunListWindow(ui::TRolMem& window) override;
    int RunBrowseWindow(ui::TBrowser& window) override;
    void RunReportPreview(report::TFormSestP& preview) override;

  private:
    MainWindowSurface* surface_ = nullptr;
    std::vector<ShownWindow> shown_;
};

}  // namespace axo::gui
