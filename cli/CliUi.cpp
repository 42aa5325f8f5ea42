// The UI services of the command line.
#include "CliUi.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "util/Text.h"

namespace axo::cli {

namespace {

bool printoutFailed = false;

ui::ScriptedUi::Options CliOptions() {
    ui::ScriptedUi::Options o;
    o.strict = false;
    o.echo = &std::cerr;
    o.progress = isatty(STDERR_FILENO) ? &std::cerr : nullptr;
    o.waitMs = 7000;
    return o;
}

}  // namespace

CliUi::CliUi() : ScriptedUi(CliOptions()) {}

void CliUi::Terminate(int exitCode) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(exitCode == 0 ? 1 : exitCode);
}

ui::WaitOutcome CliUi::RunWait(const ui::WaitWindow& window) {
    using Clock = std::chrono::steady_clock;
    const std::string what = ToUtf8(window.operation) + "\n" + ToUtf8(window.fileLine);
    const Clock::time_point now = Clock::now();
    // A wait follows on from the previous one when it is the same and comes right after it.
    const bool repeated =
        what == waitingFor_ && now - lastWait_ < std::chrono::milliseconds(window.timeoutMs) * 2;
    if (!repeated) {
        waitingFor_ = what;
        waitBegan_ = now;
    }
    ui::WaitOutcome outcome = ui::WaitOutcome::TimedOut;
    if (window.interruptible && waitLimit_.count() > 0 && now - waitBegan_ >= waitLimit_) {
        std::cerr << "Čekání na přístup vzdáno po " << waitLimit_.count() / 1000 << " s.\n";
        outcome = ui::WaitOutcome::Escaped;
        waitingFor_.clear();
    } else {
        outcome = ScriptedUi::RunWait(window);
    }
    lastWait_ = Clock::now();
    return outcome;
}

void CliUi::PrintoutFailed(const ui::ListingView& listing, const std::filesystem::path& file,
                           int error) {
    ScriptedUi::PrintoutFailed(listing, file, error);
    printoutFailed = true;
}

std::string MonthsInName(int from, int to) {
    auto month = [](int m) { return (m >= 0 && m < 10 ? "0" : "") + std::to_string(m); };
    return month(from) + "-" + month(to);
}

bool AnyPrintoutFailed() {
    return printoutFailed;
}

}  // namespace axo::cli
