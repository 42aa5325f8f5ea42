// The UI services of the command line: the scripted front end with default answers, messages
// echoed to standard error, a progress bar when standard error is a terminal, an immediate exit
// when the program must end, waits for another station that give up after a while, and a
// printout that could not be written remembered for the exit code.
#pragma once

#include <chrono>
#include <string>

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
    /// Reports the printout as the scripted front end does, and marks the run as failed.
    void PrintoutFailed(const ui::ListingView& listing, const std::filesystem::path& file,
                        int error) override;

  private:
    std::chrono::milliseconds waitLimit_{60000};
    /// The wait being repeated: its texts and when it began.
    std::string waitingFor_;
    std::chrono::steady_clock::time_point waitBegan_{};
    std::chrono::steady_clock::time_point lastWait_{};
};

/// The months of a period as a part of a printout's name: "01-12" for months 1 to 12.
std::string MonthsInName(int from, int to);

/// Whether a printout of this process could not be written (it was reported when it failed);
/// the program then ends with a non-zero exit code whatever the command returned.
bool AnyPrintoutFailed();

}  // namespace axo::cli
