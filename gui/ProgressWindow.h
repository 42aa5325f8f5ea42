// The progress panel of long passes, drawn at the bottom edge of its owner window: caption,
// message, step text, the bar and the red STOP control that <Esc> also presses.
#pragma once

#include <QWidget>
#include <memory>

#include "ui/UiServices.h"

namespace axo::gui {

/// Opens the panel on `owner` (the main window, or the modal window in front of it).
std::unique_ptr<ui::ProgressView> OpenProgressPanel(QWidget* owner, const ui::ProgressState& state);

}  // namespace axo::gui
