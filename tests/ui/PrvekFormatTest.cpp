// Input options of edit fields, number texts of fields, reading typed numbers, year completion.
#include "ui/PrvekFormat.h"

#include <gtest/gtest.h>

namespace axo::ui {
namespace {

const RegionalSettings kCzech{',', ' '};
const RegionalSettings kEnglish{'.', ','};

TEST(PrvekFormatTest, OptionsAreReadWithTheirPayloads) {
    const PrvekOptions a = PrvekOptions::Parse("/L20\\/M0123456789\\/Z"_t);
    EXPECT_EQ(20, a.shownWidth.value_or(-1));
    EXPECT_EQ("0123456789"_t, a.allowed.value_or(Text()));
    EXPECT_TRUE(a.zeros);
    EXPECT_FALSE(a.noSign);

    const PrvekOptions b = PrvekOptions::Parse("/S/0/T/?/C/R/D/V/J"_t);
    EXPECT_TRUE(b.noSign && b.positive && b.decimalComma && b.questionFill && b.fixedPitch &&
                b.year && b.dateMayBeEmpty && b.keepScroll && b.alignDecimal);
    EXPECT_FALSE(b.zeros || b.shownWidth || b.allowed);

    // "/M" without a backslash takes the rest, "/" included; a width that is no number is
    // ignored.
    EXPECT_EQ("0/1"_t, PrvekOptions::Parse("/z/m0/1"_t).allowed.value_or(Text()));
    EXPECT_TRUE(PrvekOptions::Parse("/z/m0/1"_t).zeros);
    EXPECT_FALSE(PrvekOptions::Parse("/Lx\\"_t).shownWidth);
}

TEST(PrvekFormatTest, DoublesFallBackToAsterisksWhenTheyDoNotFit) {
    struct Case {
        double x;
        int width;
        int decimals;
        const char* options;
        RegionalSettings regional;
        const char* shown;
    } cases[] = {
        {123456789, 8, 2, "", kCzech, "********"},
        {1234.5, 10, 2, "", kCzech, "  1 234,50"},
        {1234567.891, 10, 2, "", kCzech, "1234567,89"},  // without the separators
        {123456789.5, 10, 2, "", kCzech, " 123456789"},  // then without decimals
        {-1234567.5, 8, 2, "", kCzech, "-1234567"},
        {-0.001, 6, 2, "", kCzech, "  0,00"},  // no minus on a zero
        {-0.5, 3, 2, "", kCzech, "  0"},       // nor after the fall-back
        {1234.5, 10, 2, "", kEnglish, "  1,234.50"},
        {1234.5, 10, 2, "/T", kEnglish, "   1234,50"},  // decimal comma, no grouping
        {1234.5, 10, 2, "/T", kCzech, "   1234,50"},
        {12.5, 8, 2, "/Z", kCzech, "00012,50"},
        {-12.5, 8, 2, "/Z", kCzech, "-0012,50"},
        {12.5, 10, 1, "/J", kCzech, "    12,5  "},  // decimals padded to three places
        {7, 6, 0, "/J", kCzech, " 7    "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FromUtf8(c.shown),
                  FormatFieldDouble(c.x, c.width, c.decimals,
                                    PrvekOptions::Parse(FromUtf8(c.options)), c.regional))
            << c.x << " " << c.options;
    }
}

TEST(PrvekFormatTest, IntegersAreRightAlignedWithBlanksOrZeros) {
    EXPECT_EQ("  12"_t, FormatFieldInteger(12, 4, false));
    EXPECT_EQ("0012"_t, FormatFieldInteger(12, 4, true));
    EXPECT_EQ("-005"_t, FormatFieldInteger(-5, 4, true));
    EXPECT_EQ("12345"_t, FormatFieldInteger(12345, 4, false));  // never cut
}

TEST(PrvekFormatTest, TypedNumbersKeepOnlyDigitsAndTheLastSeparatorAsPoint) {
    struct Case {
        const char* typed;
        bool isSigned;
        double value;
    } cases[] = {
        {"", true, 0},
        {"   ", true, 0},
        {"12,5", true, 12.5},
        {"12.5", true, 12.5},
        {"1 234,50", true, 1234.5},
        {"1.234,50", true, 1234.5},  // "." grouping of a formatted amount
        {"1,000,000.25", true, 1000000.25},
        {"-12.5", true, -12.5},
        {"12-", true, -12},      // any minus makes it negative
        {"-12.5", false, 12.5},  // unless the field has no sign
        {"********", true, 0},
        {"-0", true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ReadTypedNumber(FromUtf8(c.typed), c.isSigned)) << c.typed;
}

TEST(PrvekFormatTest, YearsOfOneToThreeDigitsAreCompleted) {
    struct Case {
        const char* typed;
        const char* completed;
    } cases[] = {
        {"5", "2005"},    {"50", "2050"}, {"51", "1951"},
        {"099", "1999"},  {"0", "2000"},  {"123", "123"},  // no year up to 99: left as typed
        {"2024", "2024"}, {"", ""},       {"ab", "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FromUtf8(c.completed), CompleteYearText(FromUtf8(c.typed))) << c.typed;
    EXPECT_EQ(2049, CompleteYear(49));
    EXPECT_EQ(1951, CompleteYear(51));
    EXPECT_EQ(150, CompleteYear(150));
}

}  // namespace
}  // namespace axo::ui
