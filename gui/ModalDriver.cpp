// Driving the program's windows from a script of steps.
#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace axo::gui {

ModalDriver::ModalDriver(QWidget* mainWindow, int pollMs) : main_(mainWindow) {
    timer_.setInterval(pollMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
}

ModalDriver& ModalDriver::OnModal(const QString& title, Action action) {
    return On({title, false, {}}, std::move(action));
}

ModalDriver& ModalDriver::OnMain(std::function<bool()> ready, Action action) {
    return On({{}, true, std::move(ready)}, std::move(action));
}

ModalDriver& ModalDriver::On(Target target, Action action) {
    steps_.push_back({std::move(target), std::move(action)});
    return *this;
}

ModalDriver& ModalDriver::Always(Target target, Action action) {
    rules_.push_back({std::move(target), std::move(action)});
    return *this;
}

void ModalDriver::Start() {
    timer_.start();
}

QWidget* ModalDriver::WindowFor(const Target& target) const {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* window = nullptr;
    if (target.mainWindow) {
        if (!modal && main_ && main_->isVisible())
            window = main_;
    } else if (modal && modal->isVisible() && modal->windowTitle().contains(target.title)) {
        window = modal;
    }
    if (!window || (target.ready && !target.ready()))
        return nullptr;
    return window;
}

void ModalDriver::Act(const Action& action, QWidget* window) {
    // The action runs after the poll has returned: it may run a modal window of its own (a key
    // that runs a whole command), and a timer does not fire again while its own slot runs.
    pending_ = true;
    QTimer::singleShot(0, this, [this, action, target = QPointer<QWidget>(window)] {
        pending_ = false;
        if (target)
            action(target);
    });
}

void ModalDriver::Poll() {
    if (pending_)
        return;
    if (steps_.empty() && rules_.empty()) {
        timer_.stop();
        return;
    }
    if (QWidget* window = steps_.empty() ? nullptr : WindowFor(steps_.front().target)) {
        const Action action = steps_.front().action;
        steps_.pop_front();
        Act(action, window);
        return;
    }
    for (const Step& rule : rules_) {
        if (QWidget* window = WindowFor(rule.target)) {
            Act(rule.action, window);
            return;
        }
    }
}

void ModalDriver::PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    // Only the press: the windows act on it, and it may close the window it went to.
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

void ModalDriver::Type(QWidget* window, const QString& text) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
    }
}

bool ModalDriver::ClickButton(QWidget* window, const QString& text) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && QString(b->text()).remove('&').contains(text)) {
            b->click();
            return true;
        }
    }
    return false;
}

}  // namespace axo::gui
