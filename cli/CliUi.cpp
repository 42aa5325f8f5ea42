// The UI services of the command line.
#include "CliUi.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace axo::cli {

namespace {

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

}  // namespace axo::cli
