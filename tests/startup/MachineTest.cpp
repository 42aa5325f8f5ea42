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
    EXPECT_EQ(std::filesystem::path("/opt/axo"),
              InstallationHome("/opt/axo/", Env({{"AXO_HOME", "/srv/axo"}})));
    EXPECT_EQ(std::filesystem::path("/srv/axo"),
              InstallationHome(std::nullopt, Env({{"AXO_HOME", "/srv/axo"}})));
    EXPECT_EQ(ProgramFileDirectory(), InstallationHome(std::nullopt, Env({})));
    EXPECT_TRUE(InstallationHome("relative/dir", Env({})).is_absolute());
}

}  // namespace
}  // namespace axo::startup
