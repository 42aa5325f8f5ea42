// Regional settings from the locale named by the environment.
#include "util/Regional.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/ScopedEnv.h"

namespace axo {
namespace {

/// An environment variable for one scope; nullptr unsets it.
struct ScopedEnv : test::ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : test::ScopedEnv(name, value ? std::optional<std::string>(value) : std::nullopt) {}
};

RegionalSettings FromLocale(const char* lcAll, const char* lcNumeric, const char* lang) {
    const ScopedEnv all("LC_ALL", lcAll);
    const ScopedEnv numeric("LC_NUMERIC", lcNumeric);
    const ScopedEnv language("LANG", lang);
    return RegionalSettings::FromEnvironment();
}

TEST(RegionalTest, SeparatorsFromLocaleStrings) {
    struct Case {
        const char* decimalPoint;
        const char* thousandsSep;
        RegionalSettings expected;
    } cases[] = {
        {",", "\xC2\xA0", {',', ' '}},      // UTF-8 non-breaking space
        {",", "\xE2\x80\xAF", {',', ' '}},  // UTF-8 narrow non-breaking space
        {",", "\xA0", {',', ' '}},          // single-byte non-breaking space
        {".", ",", {'.', ','}},
        {",", ".", {',', '.'}},
        {".", "", {'.', '\0'}},  // no grouping
        {"", " ", {',', ' '}},
        {"\xD9\xAB", "\xD9\xAC", {',', ' '}},  // Arabic separators
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RegionalSettings::FromLocaleStrings(c.decimalPoint, c.thousandsSep))
            << '"' << c.decimalPoint << "\" \"" << c.thousandsSep << '"';
}

TEST(RegionalTest, CzechDefaultsWithoutARealLocale) {
    const RegionalSettings czech{',', ' '};
    EXPECT_EQ(czech, RegionalSettings{});
    EXPECT_EQ(czech, FromLocale(nullptr, nullptr, nullptr));
    EXPECT_EQ(czech, FromLocale("C", "en_US.UTF-8", "en_US.UTF-8"));  // LC_ALL decides
    EXPECT_EQ(czech, FromLocale(nullptr, "POSIX", "en_US.UTF-8"));
    EXPECT_EQ(czech, FromLocale(nullptr, nullptr, "C.UTF-8"));
    EXPECT_EQ(czech, FromLocale("xx_NOWHERE.UTF-8", nullptr, nullptr));  // not installed
}

TEST(RegionalTest, InstalledLocaleGivesItsSeparators) {
    locale_t english = newlocale(LC_NUMERIC_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
    if (english == static_cast<locale_t>(0))
        GTEST_SKIP() << "the locale en_US.UTF-8 is not installed";
    freelocale(english);
    EXPECT_EQ((RegionalSettings{'.', ','}), FromLocale(nullptr, "en_US.UTF-8", "C"));
}

TEST(RegionalTest, ReadingTheLocaleLeavesTheProcessLocale) {
    const std::string before = setlocale(LC_NUMERIC, nullptr);
    FromLocale("en_US.UTF-8", nullptr, nullptr);
    EXPECT_EQ(before, setlocale(LC_NUMERIC, nullptr));
}

TEST(RegionalTest, ScopedSettingsAreRestored) {
    const RegionalSettings before = CurrentRegionalSettings();
    {
        const ScopedRegionalSettings outer(RegionalSettings{'.', ','});
        {
            const ScopedRegionalSettings inner(RegionalSettings{'.', '\0'});
            EXPECT_EQ((RegionalSettings{'.', '\0'}), CurrentRegionalSettings());
        }
        EXPECT_EQ((RegionalSettings{'.', ','}), CurrentRegionalSettings());
    }
    EXPECT_EQ(before, CurrentRegionalSettings());
}

}  // namespace
}  // namespace axo
