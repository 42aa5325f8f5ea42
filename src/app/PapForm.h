// The main window's behaviour without the toolkit: its caption, size and position, the start-up
// on the first paint, the captions of the statement items, the frame every menu command runs
// in, <Esc>, and closing (the confirmation while a process runs, the vaults, the logout). The
// desktop front end draws the window and calls these handlers; tests call them directly.
#pragma once

#include <functional>
#include <map>

#include "app/MainMenu.h"
#include "app/Routines.h"
#include "startup/Session.h"
#include "ui/DialogElement.h"

namespace axo::app {

/// What the window's toolkit part does for the behaviour.
class FormView {
  public:
    virtual ~FormView() = default;
    /// Shows the tool panel (hidden until the start-up succeeded) with the exit button at its
    /// right end.
    virtual void ShowToolPanel() = 0;
    /// Creates the about button, which opens the system information.
    virtual void CreateAboutButton() = 0;
    /// Gives a menu item its caption.
    virtual void SetItemCaption(CommandId command, const Text& caption) = 0;
    /// Closes the window; the toolkit then asks FormCloseQuery and runs FormClose.
    virtual void CloseWindow() = 0;
};

/// The window's caption and geometry (pixels).
struct WindowPlacement {
    Text caption;
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

class PapForm {
  public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 424;
    /// Runs a command's routine with its caption; tests replace the real routines.
    using Runner = std::function<void(const RoutineCall& call, const Text& caption)>;

    PapForm(startup::Session& session, FormView& view);
    PapForm(const PapForm&) = delete;
    PapForm& operator=(const PapForm&) = delete;

    /// FormCreate: the application title as caption, 640 x 424 pixels, the system colours, and
    /// the position of this instance's window slot, else top 0 and centred on a screen
    /// `screenWidth` pixels wide.
    WindowPlacement FormCreate(int screenWidth);

    /// Called on every paint: true only for the first, whose work (FormPaint) the window runs
    /// as soon as it is visible.
    bool TakeFirstPaint();
    /// The first paint's work: the start-up; then the tool panel, the status bar, the about
    /// button, the status texts, the switches, the statement captions and the two vaults. False
    /// (the window has been asked to close) when any of it failed.
    bool FormPaint();

    /// A menu command: Konec closes the window, every other runs in the command frame.
    void ItemClick(CommandId command);
    /// The date button: the program-date dialog.
    void Button_DatumClick();
    /// The about button: the system information.
    void AboutClick();
    /// <Esc> without Shift, Ctrl or Alt closes the window; true when the key was taken.
    bool FormKeyDown(const ui::KeyEvent& key);

    /// Whether the window may close: while a process runs only when the user confirms.
    bool FormCloseQuery();
    /// The closing steps: the vaults, the logout after a successful start-up, the window slot.
    void FormClose();

    void SetRunner(Runner runner) { runner_ = std::move(runner); }
    /// The caption a menu item shows now.
    Text ItemCaption(CommandId command) const;
    bool StartupSucceeded() const { return startupSucceeded_; }
    bool DocumentVaultOpen() const { return documentVaultOpen_; }
    bool ParameterVaultOpen() const { return parameterVaultOpen_; }
    /// Whether a command runs (the process stack of the status bar is not empty).
    bool ProcessRunning() const;
    startup::Session& Session() const { return session_; }

    /// The question asked when the window closes while a process runs.
    static Text CloseQuestion();

  private:
    startup::Session& session_;
    FormView& view_;
    Runner runner_;
    std::map<CommandId, Text> captions_;
    bool firstPaintPending_ = true;
    bool startupSucceeded_ = false;
    bool documentVaultOpen_ = false;
    bool parameterVaultOpen_ = false;
    bool closed_ = false;

    void RunInFrame(CommandId command);
    void ShowStatusTexts();
    void GiveStatementCaptions();
    bool OpenVaults();
};

}  // namespace axo::app
