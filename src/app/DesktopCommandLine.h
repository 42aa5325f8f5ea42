// The command line of the desktop program: the system's own parameters (password, client
// station, "/U" presets) and the options --home, --user, --password, --year, --date and
// --screenshots; the password may also come from the environment variable AXO_PASSWORD.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "startup/Machine.h"
#include "startup/Session.h"

namespace axo::app {

struct DesktopOptions {
    /// --home: the installation (else AXO_HOME, else the program's directory).
    std::optional<std::string> home;
    /// What the start-up takes: password, station, "/U" presets, user and fiscal-year choice.
    startup::StartUpOptions startUp;
    /// --screenshots DIR: the program shows its windows one after another, writes a picture of
    /// each into DIR and ends.
    std::optional<std::string> screenshotDirectory;
    /// Options the program does not know, or that lack their value ("--year").
    std::vector<std::string> errors;
};

/// Reads the arguments (UTF-8, without the program name and without the toolkit's own).
/// "--name value" and "--name=value" are both accepted. The password is --password, else the
/// first parameter, else AXO_PASSWORD; --year and --date choose the fiscal year as the dialog
/// would, so that it is not shown.
DesktopOptions ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                       const startup::EnvironmentReader& environment);

}  // namespace axo::app
