// The command table of axo-pap-cli.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Options.h"

namespace axo::cli {

/// Options of any command that take no value.
std::vector<std::string> FlagNames();
/// Runs the command the options name; returns the exit code.
int RunCommand(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
