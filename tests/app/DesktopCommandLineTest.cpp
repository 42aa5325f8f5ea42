// The desktop program's command line.
#include <gtest/gtest.h>

#include <map>

#include "app/DesktopCommandLine.h"

namespace axo::app {
namespace {

startup::EnvironmentReader Environment(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    };
}

TEST(DesktopCommandLine, PasswordByOptionParameterOrEnvironment) {
    struct Row {
        std::vector<std::string> arguments;
        std::map<std::string, std::string> environment;
        std::optional<std::string> password;
    };
    const Row rows[] = {
        {{"--password", "tajne"}, {{"AXO_PASSWORD", "jine"}}, "tajne"},
        {{"--password=tajne"}, {}, "tajne"},
        {{"heslo"}, {{"AXO_PASSWORD", "jine"}}, "heslo"},
        {{}, {{"AXO_PASSWORD", "zprostredi"}}, "zprostr"},
        {{}, {{"AXO_PASSWORD", ""}}, std::nullopt},
        {{"/U2024"}, {}, std::nullopt},
        {{"--password", "delsinezsedm"}, {}, "delsine"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.arguments.empty() ? std::string("(none)") : r.arguments.front());
        const DesktopOptions o = ParseDesktopCommandLine(r.arguments, Environment(r.environment));
        EXPECT_TRUE(o.errors.empty());
        ASSERT_EQ(r.password.has_value(), o.startUp.password.has_value());
        if (r.password) {
            EXPECT_EQ(FromUtf8(*r.password), *o.startUp.password);
        }
    }
}

TEST(DesktopCommandLine, OptionsBesideTheSystemsParameters) {
    const DesktopOptions o = ParseDesktopCommandLine(
        {"heslo", "7", "/U2024012024", "--home", "/data/axo", "--user=UCETNI", "--year", "2024",
         "--date", "5.3.2024", "--screenshots", "obrazky"},
        Environment({}));
    EXPECT_TRUE(o.errors.empty());
    EXPECT_EQ("/data/axo", o.home.value_or(""));
    EXPECT_EQ("heslo"_t, o.startUp.password.value_or(Text()));
    EXPECT_EQ("7"_t, o.startUp.station.value_or(Text()));
    EXPECT_EQ("UCETNI"_t, o.startUp.userName);
    ASSERT_TRUE(o.startUp.yearChoice.has_value());
    EXPECT_EQ("2024"_t, o.startUp.yearChoice->code);
    EXPECT_EQ("5.3.2024"_t, o.startUp.yearChoice->programDate);
    EXPECT_EQ("obrazky", o.screenshotDirectory.value_or(""));
    // The "/U" preset stays with the parameters, where the fiscal-year step reads it.
    ASSERT_EQ(3u, o.startUp.parameters.size());
    EXPECT_EQ("/U2024012024"_t, o.startUp.parameters[2]);
}

TEST(DesktopCommandLine, UnknownOptionsAndMissingValuesAreErrors) {
    const DesktopOptions o =
        ParseDesktopCommandLine({"--barva", "modra", "--year"}, Environment({}));
    ASSERT_EQ(2u, o.errors.size());
    EXPECT_EQ("Neznámá volba --barva.", o.errors[0]);
    EXPECT_EQ("Volba --year potřebuje hodnotu.", o.errors[1]);
    EXPECT_FALSE(o.startUp.yearChoice.has_value());
}

TEST(DesktopCommandLine, WithoutYearOrDateTheDialogChooses) {
    const DesktopOptions date = ParseDesktopCommandLine({"--date", "1.2.2024"}, Environment({}));
    ASSERT_TRUE(date.startUp.yearChoice.has_value());
    EXPECT_EQ(Text(), date.startUp.yearChoice->code);
    EXPECT_FALSE(ParseDesktopCommandLine({}, Environment({})).startUp.yearChoice.has_value());
}

}  // namespace
}  // namespace axo::app
