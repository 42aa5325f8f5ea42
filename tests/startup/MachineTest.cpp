// Computer identification and installation home.
#include "startup/Machine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace axo::startup {
namespace {

EnvironmentReader Env(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    };
}

TEST(MachineTest, ComputerIdComesFromTheOverrideOrTheMachineId) {
    const auto dir = std::filesystem::temp_directory_path() / "axo_machine_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "machine-id") << "0123456789abcdef0123456789abcdef\n";

    const Text derived = ComputerId(Env({}), dir / "machine-id");
    EXPECT_EQ(8u, derived.size());
    EXPECT_EQ(derived.Bytes().find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(derived, ComputerId(Env({}), dir / "machine-id"));  // stable
    EXPECT_NE(derived, ComputerIdFromMachineId("fedcba9876543210fedcba9876543210"));
    EXPECT_EQ("1A2B3C4D"_t, ComputerId(Env({{"AXO_COMPUTER_ID", " 1a2b3c4d "}}), dir / "x"));
    EXPECT_EQ("00000000"_t, ComputerId(Env({}), dir / "missing"));
    std::filesystem::remove_all(dir);
}

TEST(MachineTest, InstallationHomeOrder) {
    // Option, environment, the user's home file, the computer's home file, program directory.
    const auto dir = std::filesystem::temp_directory_path() / "axo_machine_home";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "user" / ".config" / "axo-pap");
    std::filesystem::create_directories(dir / "xdg" / "axo-pap");
    std::ofstream(dir / "user" / ".config" / "axo-pap" / "home") << "  /srv/user-home/ \n";
    std::ofstream(dir / "xdg" / "axo-pap" / "home") << "~/axo\n";
    std::ofstream(dir / "system") << "/srv/computer\n";
    std::ofstream(dir / "blank") << "   \n";
    const std::string user = (dir / "user").string();
    const std::string xdg = (dir / "xdg").string();
    const struct {
        std::optional<std::string> option;
        std::map<std::string, std::string> environment;
        std::filesystem::path systemFile;
        std::filesystem::path expected;
    } cases[] = {
        {"/opt/axo/", {{"AXO_HOME", "/srv/axo"}, {"HOME", user}}, dir / "system", "/opt/axo"},
        {std::nullopt, {{"AXO_HOME", "/srv/axo"}, {"HOME", user}}, dir / "system", "/srv/axo"},
        {std::nullopt, {{"HOME", user}}, dir / "system", "/srv/user-home"},
        {std::nullopt, {{"HOME", user}, {"XDG_CONFIG_HOME", xdg}}, {}, dir / "user" / "axo"},
        {std::nullopt, {{"HOME", "/nowhere"}}, dir / "system", "/srv/computer"},
        {std::nullopt, {{"HOME", "/nowhere"}}, dir / "blank", ProgramFileDirectory()},
        {std::nullopt, {}, dir / "missing", ProgramFileDirectory()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, InstallationHome(c.option, Env(c.environment), c.systemFile))
            << c.expected;
    EXPECT_TRUE(InstallationHome("relative/dir", Env({}), dir / "missing").is_absolute());

    // Only a home with its installation table is taken for an installation; the hint for one
    // without it names the directory and the command that makes one.
    EXPECT_FALSE(HasInstallation(dir));
    std::ofstream(dir / "AXO.DB") << "";
    EXPECT_TRUE(HasInstallation(dir));
    const std::string hint = ToUtf8(MissingInstallationHint("/srv/nic"));
    EXPECT_NE(std::string::npos, hint.find("V adresáři /srv/nic není instalace"));
    EXPECT_NE(std::string::npos, hint.find("axo-pap-cli init ADRESÁŘ --year RRRR"));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace axo::startup
