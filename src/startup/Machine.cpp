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

std::filesystem::path InstallationHome(const std::optional<std::string>& option,
                                       const EnvironmentReader& environment) {
    std::filesystem::path home;
    if (option && !option->empty()) {
        home = *option;
    } else if (const auto fromEnvironment = environment("AXO_HOME");
               fromEnvironment && !fromEnvironment->empty()) {
        home = *fromEnvironment;
    } else {
        home = ProgramFileDirectory();
    }
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(home, ec);
    std::filesystem::path normal = (ec ? home : absolute).lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path())
        normal = normal.parent_path();
    return normal;
}

}  // namespace axo::startup
