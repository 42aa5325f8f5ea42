// The progress panel with its abort confirmation.
#include "ui/ProgressPanel.h"

#include <algorithm>

namespace axo::ui {

ProgressPanel::ProgressPanel(UiServices& ui, bool withStop, int maximum, const Text& caption,
                             const Text& message)
    : ui_(ui) {
    state_.withStop = withStop;
    state_.maximum = std::max(maximum, 0);
    state_.caption = caption;
    state_.message = message;
    view_ = ui_.OpenProgress(state_);
}

ProgressPanel::~ProgressPanel() {
    if (ui_.RunProgress() == this)
        ui_.SetRunProgress(nullptr);
}

Text ProgressPanel::AbortQuestion() {
    return "Opravdu chcete ukončit\rprobíhající proces?"_t;
}

bool ProgressPanel::Step() {
    state_.position = state_.position >= state_.maximum ? 0 : state_.position + 1;
    return Refresh();
}

bool ProgressPanel::StepTo(int position) {
    state_.position = std::clamp(position, 0, state_.maximum);
    return Refresh();
}

void ProgressPanel::Restart(int maximum) {
    state_.maximum = std::max(maximum, 0);
    state_.position = 0;
    if (view_)
        view_->Update(state_);
}

void ProgressPanel::SetStepText(const Text& text) {
    state_.stepText = text.substr(0, 70);
    if (view_)
        view_->Update(state_);
}

void ProgressPanel::SetMessage(const Text& message) {
    state_.message = message;
    if (view_)
        view_->Update(state_);
}

bool ProgressPanel::Refresh() {
    if (view_)
        view_->Update(state_);
    ui_.ProcessEvents();
    if (!aborted_ && state_.withStop && view_ && view_->TakeStopRequest()) {
        // Only an explicit "NE" keeps the pass going; <Esc> on the question aborts too.
        aborted_ = !ui_.YesNo(AbortQuestion(), "&NE"_t, "<Esc>ano"_t, 1);
    }
    return !aborted_;
}

}  // namespace axo::ui
