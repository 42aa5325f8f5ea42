// The machine and the installation the program runs on: the computer's identification kept in
// the login records, and the installation home (by option, environment, configuration file or
// the program directory).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "util/Text.h"

namespace axo::startup {

/// Reads an environment variable; none when unset. Tests inject their own.
using EnvironmentReader = std::function<std::optional<std::string>(const char* name)>;
/// The process environment.
EnvironmentReader ProcessEnvironment();

/// The computer's identification: 8 upper-case hexadecimal digits. "AXO_COMPUTER_ID" (trimmed,
/// upper-cased, at most 8 characters) when set, else derived from the machine id file, else
/// "00000000".
Text ComputerId(const EnvironmentReader& environment,
                const std::filesystem::path& machineIdFile = "/etc/machine-id");

/// The 8-digit identification derived from the text of a machine id.
Text ComputerIdFromMachineId(const std::string& machineId);

/// The file naming the installation home for all users of the computer.
inline constexpr const char* kSystemHomeFile = "/etc/axo-pap/home";

/// The installation home: the given option, else "AXO_HOME", else the directory named on the
/// first line of the user's "axo-pap/home" in "XDG_CONFIG_HOME" (or "~/.config"), else the one
/// named in `systemHomeFile`, else the directory of the running program. Made absolute.
std::filesystem::path InstallationHome(
    const std::optional<std::string>& option, const EnvironmentReader& environment,
    const std::filesystem::path& systemHomeFile = kSystemHomeFile);

/// Whether `home` holds an installation (its installation table AXO.DB).
bool HasInstallation(const std::filesystem::path& home);

/// What a user is told when `home` holds no installation: how to make one and how to point the
/// programs at it. Lines end with "\r".
Text MissingInstallationHint(const std::filesystem::path& home);

/// The directory of the running program file.
std::filesystem::path ProgramFileDirectory();

}  // namespace axo::startup
