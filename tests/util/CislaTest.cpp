// Number texts, reading numbers, rounding and numbers in words.
#include "util/Cisla.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace axo {
namespace {

const RegionalSettings kCzech{',', ' '};
const RegionalSettings kEnglish{'.', ','};

TEST(CislaTest, IntegerTexts) {
    struct Case {
        long long n;
        int w;
        bool zeros;
        Text expected;
    } cases[] = {
        {0, 0, false, "0"_t},
        {42, 5, false, "   42"_t},
        {-42, 5, false, "  -42"_t},
        {123456, 3, false, "123456"_t},       // never cut
        {7, 60, false, Text(39, ' ') + '7'},  // at most 40 characters
        {std::numeric_limits<long long>::min(), 0, false, "-9223372036854775808"_t},
        {5, 4, true, "0005"_t},
        {-5, 4, true, "-005"_t},
        {-123, 2, true, "-123"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.zeros ? IntToTextZeros(c.n, c.w) : IntToText(c.n, c.w))
            << c.n << " in " << c.w;
}

TEST(CislaTest, RealTextsRoundHalvesAwayFromZero) {
    struct Case {
        double x;
        int w;
        int d;
        Text expected;
    } cases[] = {
        {0.125, 0, 2, "0.13"_t},  // an exact half: away from zero, not to even
        {-0.125, 0, 2, "-0.13"_t},
        {2.5, 0, 0, "3"_t},
        {0.5, 0, 0, "1"_t},
        {-2.5, 4, 0, "  -3"_t},
        {0.25, 0, 1, "0.3"_t},
        {9.995, 0, 2, "9.99"_t},     // stored below the half: the nearest is 9.99
        {99.5, 0, 0, "100"_t},       // carry into a new digit
        {-9.95, 0, 1, "-9.9"_t},     // stored as -9.9499...
        {-0.001, 6, 2, "  0.00"_t},  // no "-" before a zero
        {1234.5, 9, 3, " 1234.500"_t},
        {3.14159, 3, 4, "3.1416"_t},  // never cut
        {1e20, 0, 1, "100000000000000000000.0"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RealToText(c.x, c.w, c.d)) << c.x << " in " << c.w << ":" << c.d;
}

TEST(CislaTest, RealTextVariants) {
    EXPECT_EQ("-001.50"_t, RealToTextZeros(-1.5, 7, 2));
    EXPECT_EQ("0012.3"_t, RealToTextZeros(12.34, 6, 1));
    EXPECT_EQ("   3,142"_t, RealToTextComma(3.14159, 8, 3));
    EXPECT_EQ("-0,50"_t, RealToTextComma(-0.5, 0, 2));
}

TEST(CislaTest, ShortestRealText) {
    struct Case {
        double x;
        Text expected;
    } cases[] = {
        {12.5, "12.5"_t},      {3, "3"_t},     {100, "100"_t},  // zeros before the point stay
        {-0.25, "-0.25"_t},    {0.1, "0.1"_t}, {0.123456789, "0.123456789"_t},
        {1.0000000004, "1"_t}, {1e-10, "0"_t}, {-1e-10, "0"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ShortestRealText(c.x)) << c.x;
}

TEST(CislaTest, AmountFallsBackStepByStepWhenTooWide) {
    struct Case {
        double x;
        int w;
        int d;
        Text expected;
    } cases[] = {
        {1234567.891, 12, 2, "1 234 567,89"_t},
        {1234567.891, 13, 2, " 1 234 567,89"_t},
        {1234567.891, 10, 2, "1234567,89"_t},  // separators dropped
        {1234567.891, 7, 2, "1234567"_t},      // decimals dropped, not rounded
        {1234567.891, 6, 2, "******"_t},
        {1234567.891, 0, 2, "1 234 567,89"_t},  // no width limit
        {-1234.5, 10, 2, " -1 234,50"_t},
        {-1234.5, 8, 2, "-1234,50"_t},
        {-0.001, 6, 2, "  0,00"_t},  // a negative zero loses its "-"
        {0.5, 6, 2, "  0,50"_t},     // below 1 the leading 0 stays
        {999.999, 0, 2, "1 000,00"_t},
        {0.125, 5, 2, " 0,13"_t},
        {1234, 8, 0, "   1 234"_t},  // no decimal separator without decimals
        {123456, 7, 0, "123 456"_t},
        {123, 5, 0, "  123"_t},
        {-123456789, 12, 0, "-123 456 789"_t},
        {1e50, 0, 0, Text(40, '*')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AmountText(c.x, c.w, c.d, kCzech))
            << c.x << " in " << c.w << ":" << c.d;
}

TEST(CislaTest, AmountFollowsTheRegionalSeparators) {
    EXPECT_EQ("1,234,567.89"_t, AmountText(1234567.891, 12, 2, kEnglish));
    EXPECT_EQ("  1234567.89"_t, AmountText(1234567.891, 12, 2, RegionalSettings{'.', '\0'}));
    {
        ScopedRegionalSettings english(kEnglish);
        EXPECT_EQ("   1,234.50"_t, AmountText(1234.5, 11, 2));
        EXPECT_EQ(" 1,234.5  "_t, AmountInColumn(1234.5, 10, 1));
    }
    EXPECT_EQ("   1 234,50"_t, AmountText(1234.5, 11, 2));  // restored
}

TEST(CislaTest, AmountInColumnStandsOnOneDecimalPoint) {
    struct Case {
        double x;
        int w;
        int d;
        Text expected;
    } cases[] = {
        {1234, 12, 0, "   1 234    "_t},        {1234.5, 12, 1, "   1 234,5  "_t},
        {1234.5, 12, 2, "   1 234,50 "_t},      {1234.5, 12, 3, "   1 234,500"_t},
        {1234567.891, 12, 2, "1 234 567,89"_t},  // the padding is cut on the right
        {1234567.891, 8, 0, "1234568 "_t},      {1.5, 0, 1, "1,5  "_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AmountInColumn(c.x, c.w, c.d, kCzech))
            << c.x << " in " << c.w << ":" << c.d;
}

TEST(CislaTest, TimeTextInOneToFourParts) {
    const FixedClock clock(DateTime{2024, 3, 5, 8, 7, 6, 5});
    struct Case {
        int parts;
        Text expected;
    } cases[] = {
        {1, "08"_t},          {2, "08:07"_t}, {3, "08:07:06"_t},
        {4, "08:07:06:05"_t}, {0, "08"_t},    {9, "08:07:06:05"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TimeText(c.parts, clock)) << c.parts;
    EXPECT_EQ("23:59:59:123"_t, TimeText(4, FixedClock(DateTime{2024, 3, 5, 23, 59, 59, 123})));
}

TEST(CislaTest, TextToInteger) {
    struct Case {
        Text text;
        long long plain;
        long long blanksAsZeros;
    } cases[] = {
        {"42"_t, 42, 42},
        {"  -17"_t, -17, 0},  // "00-17" is no number
        {"+5"_t, 5, 5},
        {"12 "_t, 12, 120},
        {" 1 2"_t, 0, 102},
        {"   "_t, 0, 0},
        {""_t, 0, 0},
        {"12a"_t, 0, 0},
        {"1.5"_t, 0, 0},
        {"-"_t, 0, 0},
        {"99999999999999999999"_t, 0, 0},
        {"-9223372036854775808"_t, std::numeric_limits<long long>::min(),
         std::numeric_limits<long long>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.plain, TextToInt(c.text)) << '"' << c.text << '"';
        EXPECT_EQ(c.blanksAsZeros, TextToIntBlanks(c.text)) << '"' << c.text << '"';
    }
    EXPECT_EQ(std::nullopt, TryTextToInt("x"_t));
    EXPECT_EQ(0, TryTextToInt(" 0 "_t));
}

TEST(CislaTest, TextToRealAndAmounts) {
    struct Case {
        Text text;
        double real;
        double amount;
        double withThousands;
    } cases[] = {
        {"3.25"_t, 3.25, 3.25, 325},  // a "." groups thousands in the last one
        {"3,25"_t, 0, 3.25, 3.25},
        {" -0.5 "_t, -0.5, -0.5, -5},
        {"1234,50-"_t, 0, -1234.5, 0},  // a "-" anywhere makes an amount negative
        {"1 234,50"_t, 0, 0, 1234.5},
        {"1.234,50"_t, 0, 0, 1234.5},
        {"-1.000.000"_t, 0, 0, -1000000},
        {"1e3"_t, 1000, 1000, 1000},
        {".5"_t, 0.5, 0.5, 5},
        {"inf"_t, 0, 0, 0},
        {"abc"_t, 0, 0, 0},
        {""_t, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.real, TextToReal(c.text)) << '"' << c.text << '"';
        EXPECT_EQ(c.amount, TextToAmount(c.text)) << '"' << c.text << '"';
        EXPECT_EQ(c.withThousands, TextToAmountThousands(c.text)) << '"' << c.text << '"';
    }
}

TEST(CislaTest, RoundHalvesAwayFromZeroDespiteBinaryValues) {
    struct Case {
        double x;
        int d;
        double expected;
    } cases[] = {
        {2.675, 2, 2.68},  // stored as 2.67499999...
        {-2.675, 2, -2.68},
        {1.005, 2, 1.01},
        {0.285, 2, 0.29},
        {0.004, 2, 0},
        {2.5, 0, 3},
        {-2.5, 0, -3},
        {2.4999, 0, 2},
        {1.49999999999, 0, 2},  // within 10^-10 of the half counts as the half
        {1234.5678, 0, 1235},
        {0.1234565, 6, 0.123457},
        {-0.0000004, 6, 0},
        {1e21, 2, 1e21},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Round(c.x, c.d)) << c.x << " to " << c.d;
    EXPECT_FALSE(std::signbit(Round(-0.004, 2)));
}

TEST(CislaTest, GeneralRounding) {
    struct Case {
        double x;
        int p;
        int mode;
        double expected;
    } cases[] = {
        // Up to 0-2 places forgives an excess below a hundredth of the step.
        {2.01, 0, kRoundUp, 3},
        {2.009, 0, kRoundUp, 2},
        {-2.01, 0, kRoundUp, -3},
        {2.0, 0, kRoundUp, 2},
        {1.2301, 2, kRoundUp, 1.24},
        {1.23009, 2, kRoundUp, 1.23},
        {0.11, 1, kRoundUp, 0.2},
        // Up to 3-6 places and nearest to 0-6 places are the plain rounding.
        {1.2341, 3, kRoundUp, 1.234},
        {1.2345, 3, kRoundUp, 1.235},
        {2.675, 2, kRoundNearest, 2.68},
        {-2.5, 0, kRoundNearest, -3},
        // Everything else works on the value scaled to whole steps.
        {1234, -2, kRoundNearest, 1200},
        {1250, -2, kRoundNearest, 1300},
        {-1250, -2, kRoundNearest, -1300},
        {1201, -2, kRoundUp, 1300},
        {-1201, -2, kRoundUp, -1300},
        {1200, -2, kRoundUp, 1200},
        {1299, -2, kRoundDown, 1200},
        {-1201, -2, kRoundDown, -1300},
        {2.99, 0, kRoundDown, 2},
        {-2.01, 0, kRoundDown, -3},
        {2.3, 1, kRoundDown, 2.3},  // 2.3 * 10 is not 22.99...
        {1.15, 1, kRoundDown, 1.1},
        {0.7, 1, kRoundDown, 0.7},
        {1.00000001, 7, kRoundUp, 1.0000001},
        {1.00000016, 7, kRoundNearest, 1.0000002},
        {-0.4, -1, kRoundNearest, 0},
        {4.9e17, -17, kRoundNearest, 5e17},
        // Halves.
        {2.3, kRoundToHalves, kRoundNearest, 2.5},
        {2.2, kRoundToHalves, kRoundNearest, 2.0},
        {2.75, kRoundToHalves, kRoundNearest, 3.0},
        {2.1, kRoundToHalves, kRoundUp, 2.5},
        {2.6, kRoundToHalves, kRoundDown, 2.5},
        // An unknown mode leaves the value.
        {2.3456, 2, 7, 2.3456},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RoundGeneral(c.x, c.p, c.mode))
            << c.x << " to " << c.p << " in mode " << c.mode;
    EXPECT_FALSE(std::signbit(RoundGeneral(-0.4, -1, kRoundNearest)));
}

TEST(CislaTest, GeneralRoundingToUnitPricePlaces) {
    EXPECT_EQ(1.235, RoundGeneral(1.23456, kRoundToUnitPricePlaces, kRoundNearest, 3));
    EXPECT_EQ(1.24, RoundGeneral(1.23456, kRoundToUnitPricePlaces, kRoundUp, 2));
    EXPECT_EQ(1.5, RoundGeneral(1.3, kRoundToUnitPricePlaces, kRoundUp, kRoundToHalves));
}

TEST(CislaTest, ShareRatioAndPowersOfTen) {
    EXPECT_EQ(210, Share(1000, 21, 2));
    EXPECT_EQ(5, Share(33.33, 15, 2));  // 4.9995
    EXPECT_EQ(0.33, Ratio(1, 3, 2));
    EXPECT_EQ(-0.67, Ratio(2, -3, 2));
    EXPECT_EQ(1.0 / 3, Ratio(1, 3, 99));
    EXPECT_EQ(0, Ratio(5, 0, 2));
    EXPECT_EQ(0, Ratio(5, 4e-21, 99));  // 0 at 20 decimals
    EXPECT_DOUBLE_EQ(5e20, Ratio(5, 1e-20, 99));

    struct Case {
        int n;
        double expected;
    } powers[] = {{0, 1}, {3, 1000}, {22, 1e22}, {-1, 0.1}, {-2, 0.01}, {-22, 1e-22}};
    for (const Case& c : powers)
        EXPECT_EQ(c.expected, PowerOfTen(c.n)) << c.n;
    EXPECT_DOUBLE_EQ(1e30, PowerOfTen(30));
    EXPECT_DOUBLE_EQ(1e-30, PowerOfTen(-30));
}

TEST(CislaTest, RomanNumeralsOfStatementNumbers) {
    struct Case {
        int n;
        Text expected;
    } cases[] = {
        {1, "    I"_t},    {4, "   IV"_t},    {9, "   IX"_t},   {14, "  XIV"_t},  {17, " XVII"_t},
        {18, "XVIII"_t},   {19, "  XIX"_t},   {20, "   XX"_t},  {40, "   XL"_t},  {50, "    L"_t},
        {90, "   XC"_t},   {100, "    C"_t},  {400, "   CD"_t}, {500, "    D"_t}, {900, "   CM"_t},
        {1000, "    M"_t}, {666, "DCLXVI"_t}, {21, "21"_t},     {30, "30"_t},     {0, "0"_t},
        {-4, "-4"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RomanNumeral(c.n)) << c.n;
}

TEST(CislaTest, NumbersInCzechWords) {
    struct Case {
        long long n;
        bool masculine;
        Text expected;
    } cases[] = {
        {0, false, ""_t},
        {1, true, "jedna"_t},
        {2, true, "dva"_t},
        {2, false, "dvě"_t},
        {19, false, "devatenáct"_t},
        {21, false, "dvacetjedna"_t},
        {22, false, "dvacetdvě"_t},
        {90, false, "devadesát"_t},
        {100, false, "sto"_t},
        {102, false, "stodvě"_t},
        {200, false, "dvěstě"_t},
        {300, false, "třista"_t},
        {456, false, "čtyřistapadesátšest"_t},
        {500, false, "pětset"_t},
        {999, true, "devětsetdevadesátdevět"_t},
        {1000, false, "tisíc"_t},
        {1234, false, "tisícdvěstětřicetčtyři"_t},
        {2000, false, "dvatisíce"_t},  // the multiplier is masculine
        {2002, false, "dvatisícedvě"_t},
        {4999, true, "čtyřitisícedevětsetdevadesátdevět"_t},
        {5000, false, "pěttisíc"_t},
        {21000, false, "dvacetjednatisíc"_t},
        {102000, false, "stodvatisíc"_t},
        {1000000, false, "milión"_t},
        {1000002, false, "milióndvě"_t},
        {2000000, false, "dvamilióny"_t},
        {5000000, false, "pětmiliónů"_t},
        {999999999, false,
         "devětsetdevadesátdevětmiliónůdevětsetdevadesátdevěttisícdevětsetdevadesátdevět"_t},
        {1000000000, false, ""_t},
        {-5, false, ""_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, NumberInWords(c.n, c.masculine)) << c.n;
}

TEST(CislaTest, AmountsInWords) {
    struct Case {
        double x;
        Text currency;
        Text expected;
    } cases[] = {
        {1234.50, "Kč"_t, "Tisícdvěstětřicetčtyři Kč padesát "_t},
        {2, "Kč"_t, "Dvě Kč"_t},
        {4, "Kč"_t, "Čtyři Kč"_t},  // the Czech capital
        {1.02, "Kč"_t, "Jedna Kč dva "_t},
        {8.29, "Kč"_t, "Osm Kč dvacetdevět "_t},
        {0.5, "Kč"_t, "Padesát "_t},
        {0.01, "Kč"_t, "Jedna "_t},
        {1.999, "Kč"_t, "Dvě Kč"_t},
        {3, ""_t, "Tři "_t},
        {3, "CZKX"_t, "Tři CZK"_t},
        {0, "Kč"_t, ""_t},
        {-5, "Kč"_t, ""_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AmountInWords(c.x, c.currency)) << c.x;
}

TEST(CislaTest, DaysInMonthAndQuarter) {
    struct Days {
        int month;
        int year;
        int expected;
    } days[] = {{1, 2023, 31},  {2, 1900, 29},  {2, 2023, 28}, {2, 2024, 29}, {4, 2024, 30},
                {11, 2024, 30}, {12, 2024, 31}, {0, 2024, 0},  {13, 2024, 0}};
    for (const Days& c : days)
        EXPECT_EQ(c.expected, DaysInMonth(c.month, c.year)) << c.month << "/" << c.year;

    struct Quarters {
        Text date;
        int expected;
    } quarters[] = {
        {" 5. 3.2024"_t, 1}, {"01.04.2024"_t, 2}, {"15. 9.2024"_t, 3}, {"31.12.2024"_t, 4}};
    for (const Quarters& c : quarters)
        EXPECT_EQ(c.expected, Quarter(c.date)) << c.date;
}

}  // namespace
}  // namespace axo
