// axo-pap-cli: the program's commands without a window. Global options come before or after
// the command; each command parses its own options and calls the core.
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Commands.h"
#include "Options.h"
#include "util/Regional.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    axo::SetRegionalSettings(axo::RegionalSettings::FromEnvironment());
    try {
        const axo::cli::Options options(args, axo::cli::FlagNames());
        return axo::cli::RunCommand(options, std::cout, std::cerr);
    } catch (const std::invalid_argument& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
}
