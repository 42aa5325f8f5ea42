// The desktop program's parameters: password, station and "/U" presets.
#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace axo::startup {
namespace {

TEST(CommandLineTest, PasswordStationAndPresets) {
    struct Case {
        std::vector<std::string> arguments;
        const char* password;  // nullptr: none
        const char* station;
    } cases[] = {
        {{}, nullptr, nullptr},
        {{"tajneheslo"}, "tajnehe", nullptr},
        {{"heslo", "7"}, "heslo", "7"},
        {{"/U2014012014"}, nullptr, nullptr},
        {{"/u2014", "heslo", "/U2013", "x12"}, "heslo", "x12"},
    };
    for (const Case& c : cases) {
        const StartUpOptions o = ParseCommandLine(c.arguments);
        EXPECT_EQ(c.password != nullptr, o.password.has_value());
        EXPECT_EQ(FromUtf8(c.password ? c.password : ""), o.password.value_or(Text()));
        EXPECT_EQ(c.station != nullptr, o.station.has_value());
        EXPECT_EQ(FromUtf8(c.station ? c.station : ""), o.station.value_or(Text()));
        EXPECT_EQ(c.arguments.size(), o.parameters.size());
    }
}

}  // namespace
}  // namespace axo::startup
