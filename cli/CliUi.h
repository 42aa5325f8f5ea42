// The UI services of the command line: the scripted front end with default answers, messages
// echoed to standard error, a progress bar when standard error is a terminal, an immediate exit
// when the program must end, and waits for another station that give up after a while.
#pragma once

#include <chrono>

#include "ui/ScriptedUi.h"

namespace axo::cli {

class CliUi : public ui::ScriptedUi {
  public:
    CliUi();
    [[noreturn]] void Terminate(int exitCode) override;
    /// How long one wait that may be given up is repeated before the command gives it up (as
    /// <Esc> would); 0 never gives up.
    void SetWaitLimit(std::chrono::milliseconds limit) { waitLimit_ = limit; }
    ui::WaitOutcome RunWait(const ui::WaitWindow& window) override;

  private:
    std::chrono::milliseconds waitLimit_{60000};
    /// The wait being repeated: its texts and when it began.
    std::string waitingFor_;
    std::chrono::steady_clock::time_point waitBegan_{};
    std::chrono::steady_clock::time_point lastWait_{};
};

}  // namespace axo::cli
