// Drives the program's windows from a script of steps, as a user would: each step waits until
// the window it is meant for is in front (a modal window whose title holds a text, or the main
// window with no modal window open) and then acts on it (presses keys, clicks, takes a picture).
// The screenshots of the program and its window tests use it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace axo::gui {

class ModalDriver : public QObject {
  public:
    /// Which window a step waits for.
    struct Target {
        /// A text the modal window's title must hold; empty: any modal window.
        QString title;
        /// Wait for the main window itself (no modal window in front) instead.
        bool mainWindow = false;
        /// A further condition (the start-up has finished, ...).
        std::function<bool()> ready;
    };
    using Action = std::function<void(QWidget* window)>;

    explicit ModalDriver(QWidget* mainWindow, int pollMs = 25);

    /// A step for a modal window whose title holds `title` (any when empty).
    ModalDriver& OnModal(const QString& title, Action action);
    /// A step for the main window once `ready` holds and no modal window is open.
    ModalDriver& OnMain(std::function<bool()> ready, Action action);
    ModalDriver& On(Target target, Action action);
    /// A rule applied to any window the current step is not waiting for (closing printouts
    /// that may or may not come, ...).
    ModalDriver& Always(Target target, Action action);

    /// Starts polling; the steps run one after another as their windows appear.
    void Start();
    bool Finished() const { return steps_.empty() && !pending_; }
    std::size_t Remaining() const { return steps_.size(); }

    /// Presses a key on a window (its focused widget gets it).
    static void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = {});
    /// Types text into a window's focused widget.
    static void Type(QWidget* window, const QString& text);
    /// Clicks the window's push button whose text (without "&") holds `text`; false when none.
    static bool ClickButton(QWidget* window, const QString& text);

  private:
    struct Step {
        Target target;
        Action action;
    };
    QWidget* main_;
    QTimer timer_;
    std::deque<Step> steps_;
    std::vector<Step> rules_;
    bool pending_ = false;

    void Poll();
    /// The window a target is in front of, or none.
    QWidget* WindowFor(const Target& target) const;
    void Act(const Action& action, QWidget* window);
};

}  // namespace axo::gui
