// The progress panel of long passes: a bar at the bottom of the main window with a caption, a
// message, an optional step text and a STOP control; <Esc> or STOP asks whether to abort.
#pragma once

#include <memory>

#include "ui/UiServices.h"

namespace axo::ui {

class ProgressPanel {
  public:
    /// Opens the panel. `withStop` adds the STOP control and lets <Esc> abort the pass.
    ProgressPanel(UiServices& ui, bool withStop, int maximum, const Text& caption,
                  const Text& message);
    ~ProgressPanel();
    ProgressPanel(const ProgressPanel&) = delete;
    ProgressPanel& operator=(const ProgressPanel&) = delete;

    /// Advances the bar by one (after the maximum it starts again at 0) and lets pending window
    /// messages through. Returns true while the user has not aborted the pass.
    bool Step();
    /// Sets the bar (clipped to the maximum). Returns true while not aborted.
    bool StepTo(int position);
    /// Bar to 0 with a new maximum.
    void Restart(int maximum);
    /// A right-aligned step text (cut to 70 characters).
    void SetStepText(const Text& text);
    void SetMessage(const Text& message);

    bool Aborted() const { return aborted_; }
    const ProgressState& State() const { return state_; }

    /// The question asked before a pass is aborted.
    static Text AbortQuestion();

  private:
    UiServices& ui_;
    ProgressState state_;
    std::unique_ptr<ProgressView> view_;
    bool aborted_ = false;

    bool Refresh();
};

}  // namespace axo::ui
