// The message windows of the UI services: messages of the eight kinds (modal and modeless), the
// decision window, the one-value prompt with its Caps Lock warning, the wait window and the
// report window of data errors.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "CapsLock.h"
#include "ui/UiServices.h"

namespace axo::gui {

class QtUi;

/// Shows a message modally; the close code: 1 O.K., 2 <Esc>.
int ShowMessageWindow(QtUi& ui, const ui::MessageWindow& window);
/// Shows a modeless message (no O.K. button); it closes when the result is destroyed.
std::unique_ptr<ui::ModelessWindow> OpenModelessWindow(QtUi& ui, const ui::MessageWindow& window);
/// Shows a decision; the chosen button (1-based), 0 for <Esc>.
int ShowDecisionWindow(QtUi& ui, const ui::DecisionWindow& window);
/// Shows a prompt on `value`; 1 confirmed, 2 left.
int ShowPromptWindow(QtUi& ui, const ui::PromptWindow& window, Text& value);
/// Shows the wait window until its time is up or <Esc> (where the wait is interruptible).
ui::WaitOutcome ShowWaitWindow(QtUi& ui, const ui::WaitWindow& window);
/// Shows the report window of a data error or warning; its print button calls `print`.
void ShowReportWindow(QtUi& ui, const ui::ReportWindow& window, const std::function<void()>& print);

}  // namespace axo::gui
