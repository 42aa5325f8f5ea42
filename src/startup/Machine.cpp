// Computer identification and installation home.
#include "startup/Machine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "util/Retezce.h"

namespace axo::startup {

EnvironmentReader ProcessEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string(value);
    };
}

Text ComputerIdFromMachineId(const std::string& machineId) {
    // FNV-1a over the id: stable for a machine, spread over the 32 bits the field can show.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : machineId) {
        if (c == '\n' || c == '\r' || c == ' ')
            continue;
        hash ^= c;
        hash *= 16777619u;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", hash);
    return Text::FromBytes(digits);
}

Text ComputerId(const EnvironmentReader& environment, const std::filesystem::path& machineIdFile) {
    if (const auto forced = environment("AXO_COMPUTER_ID"); forced && !forced->empty())
        return NationalUpperCase(Trim(FromUtf8(*forced))).substr(0, 8);
    std::ifstream in(machineIdFile);
    std::string id;
    if (in && std::getline(in, id) && !id.empty())
        return ComputerIdFromMachineId(id);
    return "00000000"_t;
}

std::filesystem::path ProgramFileDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

namespace {

/// The directory named on the first line of a home file (blanks around it dropped, "~/" the
/// user's home directory); empty when the file is missing or names none.
std::filesystem::path HomeFromFile(const std::filesystem::path& file,
                                   const EnvironmentReader& environment) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    if (line.starts_with("~/"))
        if (const auto userHome = environment("HOME"); userHome && !userHome->empty())
            return std::filesystem::path(*userHome) / line.substr(2);
    return line;
}

/// The user's home file: "$XDG_CONFIG_HOME/axo-pap/home", else "$HOME/.config/axo-pap/home".
std::filesystem::path UserHomeFile(const EnvironmentReader& environment) {
    if (const auto config = environment("XDG_CONFIG_HOME"); config && !config->empty())
        return std::filesystem::path(*config) / "axo-pap" / "home";
    if (const auto userHome = environment("HOME"); userHome && !userHome->empty())
        return std::filesystem::path(*userHome) / ".config" / "axo-pap" / "home";
    return {};
}

}  // namespace

std::filesystem::path InstallationHome(const std::optional<std::string>& option,
                                       const EnvironmentReader& environment,
                                       const std::filesystem::path& systemHomeFile) {
    std::filesystem::path home;
    if (option && !option->empty())
        home = *option;
    else if (const auto fromEnvironment = environment("AXO_HOME");
             fromEnvironment && !fromEnvironment->empty())
        home = *fromEnvironment;
    if (home.empty())
        home = HomeFromFile(UserHomeFile(environment), environment);
    if (home.empty())
        home = HomeFromFile(systemHomeFile, environment);
    if (home.empty())
        home = ProgramFileDirectory();
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(home, ec);
    std::filesystem::path normal = (ec ? home : absolute).lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path())
        normal = normal.parent_path();
    return normal;
}

bool HasInstallation(const std::filesystem::path& home) {
    std::error_code ec;
    return std::filesystem::is_regular_file(home / "AXO.DB", ec);
}

Text MissingInstallationHint(const std::filesystem::path& home) {
    return "V adresáři "_t + FromUtf8(home.string()) +
           " není instalace AXO PAP (soubor AXO.DB)."_t + "\r\rNovou instalaci založí příkaz\r"_t +
           "    axo-pap-cli init ADRESÁŘ --year RRRR\r"_t +
           "(například axo-pap-cli init ~/axo --year 2025).\r\r"_t +
           "Programy ji pak najdou podle volby --home ADRESÁŘ, proměnné prostředí AXO_HOME "_t +
           "nebo cesty zapsané v souboru ~/.config/axo-pap/home "_t +
           "(pro všechny uživatele počítače v souboru "_t + Text::FromBytes(kSystemHomeFile) +
           ")."_t;
}

}  // namespace axo::startup
