// Text shaping, case, folding, mask matching and comparing at decimals.
#include "util/Retezce.h"

#include <gtest/gtest.h>

namespace axo {
namespace {

TEST(RetezceTest, RepeatAndBlanksStopAt255) {
    EXPECT_EQ(""_t, Repeat('x', 0));
    EXPECT_EQ("xxx"_t, Repeat('x', 3));
    EXPECT_EQ("──"_t, Repeat("─"_t[0], 2));
    EXPECT_EQ("    "_t, Blanks(4));
    EXPECT_EQ(Text(255, '='), Repeat('=', 300));
    EXPECT_EQ(Text(255, ' '), Blanks(256));
}

TEST(RetezceTest, LeftAndRightJustifyCutThenPad) {
    struct Case {
        Text text;
        std::size_t n;
        Text left;
        Text right;
    } cases[] = {
        {"ABC"_t, 5, "ABC  "_t, "  ABC"_t},
        {"ABCDEF"_t, 4, "ABCD"_t, "ABCD"_t},  // the cut keeps the start in both
        {"ABCD"_t, 4, "ABCD"_t, "ABCD"_t},
        {""_t, 3, "   "_t, "   "_t},
        {"AB"_t, 0, ""_t, ""_t},
        {" A "_t, 4, " A  "_t, "  A "_t},  // blanks of the text are kept
        {"Čáp"_t, 4, "Čáp "_t, " Čáp"_t},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.left, LeftJustify(c.text, c.n)) << c.text << " in " << c.n;
        EXPECT_EQ(c.right, RightJustify(c.text, c.n)) << c.text << " in " << c.n;
    }
    EXPECT_EQ(Text(255, 'a'), LeftJustify(Text(300, 'a'), 400));
    EXPECT_EQ(Text(254, ' ') + 'a', RightJustify("a"_t, 256));
}

TEST(RetezceTest, RightJustifyTrimmedTrimsOnlyTextsTooLong) {
    struct Case {
        Text text;
        std::size_t n;
        Text expected;
    } cases[] = {
        {"  12"_t, 2, "12"_t},      // longer: trimmed first, so the digits survive
        {"  12 "_t, 4, "  12"_t},   // longer: both ends trimmed
        {"  12"_t, 4, "  12"_t},    // fits: left as it is
        {" 1 "_t, 5, "   1 "_t},    // fits: the trailing blank stays
        {"ABCDEF"_t, 4, "ABCD"_t},  // nothing to trim: cut as RightJustify
        {"  ABCDEF"_t, 4, "ABCD"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RightJustifyTrimmed(c.text, c.n)) << c.text << " in " << c.n;
}

TEST(RetezceTest, JustifyWithCharDoesNotCountHotKeyMarks) {
    struct Case {
        Text text;
        std::size_t n;
        char fill;
        Alignment alignment;
        Text expected;
    } cases[] = {
        {"~Soubor"_t, 8, ' ', Alignment::kCentre, " ~Soubor "_t},
        {"AB"_t, 5, '.', Alignment::kLeft, "AB..."_t},
        {"AB"_t, 5, '.', Alignment::kRight, "...AB"_t},
        {"AB"_t, 5, '.', Alignment::kCentre, ".AB.."_t},  // the smaller half on the left
        {"AB"_t, 6, '.', Alignment::kCentre, "..AB.."_t},
        {"Ko~nec"_t, 5, '-', Alignment::kRight, "Ko~nec"_t},  // 5 visible: nothing to add
        {"ABCDEF"_t, 4, '.', Alignment::kLeft, "ABCD"_t},
        {"A~BCDEF"_t, 3, '.', Alignment::kRight, "A~BC"_t},  // cut after 3 visible characters
        {"AB~C"_t, 2, '.', Alignment::kLeft, "AB"_t},        // the mark of a cut letter goes too
        {""_t, 3, '*', Alignment::kCentre, "***"_t},
        {"AB"_t, 4, '.', static_cast<Alignment>(7), "AB.."_t},  // unknown code: as left
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, JustifyWithChar(c.text, c.n, c.fill, c.alignment))
            << c.text << " in " << c.n << " alignment " << static_cast<int>(c.alignment);
    }
    // The marks take bytes, but the result stays a short text.
    EXPECT_EQ(255u, JustifyWithChar("~A"_t + Text(260, 'b'), 255, ' ', Alignment::kLeft).size());
}

TEST(RetezceTest, FixedKeyText) {
    struct Case {
        Text text;
        std::size_t n;
        Text expected;
    } cases[] = {
        {"Čížek  "_t, 8, "ČIŽEK   "_t},  // trailing blanks go, then padded
        {"šťáva"_t, 3, "ŠTA"_t},         // cut after upper-casing fits the width
        {"  abc"_t, 5, "  ABC"_t},       // leading blanks stay
        {"ďábel řeže"_t, 10, "DABEL ŘEŽE"_t},
        {"Ödön Őry Ürü"_t, 12, "ODON ORY URU"_t},
        {"ľĺŕô"_t, 4, "ľĺŕô"_t},  // letters outside the national set stay as they are
        {""_t, 3, "   "_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, FixedKeyText(c.text, c.n)) << c.text;
}

TEST(RetezceTest, TrimRemovesBlanksOnly) {
    struct Case {
        Text text;
        Text left;
        Text right;
        Text both;
    } cases[] = {
        {"  a b  "_t, "a b  "_t, "  a b"_t, "a b"_t},
        {"\ta\t"_t, "\ta\t"_t, "\ta\t"_t, "\ta\t"_t},                // tabs are not blanks
        {" \xC2\xA0"_t, "\xC2\xA0"_t, " \xC2\xA0"_t, "\xC2\xA0"_t},  // nor is a no-break space
        {"   "_t, ""_t, ""_t, ""_t},
        {""_t, ""_t, ""_t, ""_t},
        {"x"_t, "x"_t, "x"_t, "x"_t},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.left, TrimLeft(c.text)) << "[" << c.text << "]";
        EXPECT_EQ(c.right, TrimRight(c.text)) << "[" << c.text << "]";
        EXPECT_EQ(c.both, Trim(c.text)) << "[" << c.text << "]";
    }
}

TEST(RetezceTest, RemoveAndReplaceCharacters) {
    EXPECT_EQ("1234567"_t, RemoveBlanks(" 1 234 567 "_t));
    EXPECT_EQ("abc"_t, RemoveChar("-a-b--c-"_t, '-'));
    EXPECT_EQ("a b"_t, RemoveChar("a b"_t, '-'));
    EXPECT_EQ("čř"_t, RemoveChar("č~ř"_t, '~'));
    EXPECT_EQ("001234.50"_t, ReplaceChar(ReplaceChar("  1234,50"_t, ' ', '0'), ',', '.'));
    EXPECT_EQ("xyz"_t, ReplaceChar("xyz"_t, 'q', 'r'));
}

TEST(RetezceTest, CaseAndFoldingByCharacter) {
    struct Case {
        Text in;
        Text upper;
        Text national;
        Text collation;
        Text full;
    } cases[] = {
        {"a"_t, "A"_t, "A"_t, "A"_t, "A"_t},
        {"z"_t, "Z"_t, "Z"_t, "Z"_t, "Z"_t},
        {"Q"_t, "Q"_t, "Q"_t, "Q"_t, "Q"_t},
        {"á"_t, "á"_t, "Á"_t, "A"_t, "A"_t},
        {"Á"_t, "Á"_t, "Á"_t, "A"_t, "A"_t},
        {"ä"_t, "ä"_t, "Ä"_t, "A"_t, "A"_t},
        {"Ä"_t, "Ä"_t, "Ä"_t, "A"_t, "A"_t},
        {"č"_t, "č"_t, "Č"_t, "Č"_t, "C"_t},
        {"Č"_t, "Č"_t, "Č"_t, "Č"_t, "C"_t},
        {"ď"_t, "ď"_t, "Ď"_t, "D"_t, "D"_t},
        {"Ď"_t, "Ď"_t, "Ď"_t, "D"_t, "D"_t},
        {"é"_t, "é"_t, "É"_t, "E"_t, "E"_t},
        {"ë"_t, "ë"_t, "Ë"_t, "E"_t, "E"_t},
        {"ě"_t, "ě"_t, "Ě"_t, "E"_t, "E"_t},
        {"Ě"_t, "Ě"_t, "Ě"_t, "E"_t, "E"_t},
        {"í"_t, "í"_t, "Í"_t, "I"_t, "I"_t},
        {"ň"_t, "ň"_t, "Ň"_t, "N"_t, "N"_t},
        {"ó"_t, "ó"_t, "Ó"_t, "O"_t, "O"_t},
        {"ő"_t, "ő"_t, "Ő"_t, "O"_t, "O"_t},
        {"ö"_t, "ö"_t, "Ö"_t, "O"_t, "O"_t},
        {"Ő"_t, "Ő"_t, "Ő"_t, "O"_t, "O"_t},
        {"ř"_t, "ř"_t, "Ř"_t, "Ř"_t, "R"_t},
        {"Ř"_t, "Ř"_t, "Ř"_t, "Ř"_t, "R"_t},
        {"š"_t, "š"_t, "Š"_t, "Š"_t, "S"_t},
        {"Š"_t, "Š"_t, "Š"_t, "Š"_t, "S"_t},
        {"ť"_t, "ť"_t, "Ť"_t, "T"_t, "T"_t},
        {"ú"_t, "ú"_t, "Ú"_t, "U"_t, "U"_t},
        {"ů"_t, "ů"_t, "Ů"_t, "U"_t, "U"_t},
        {"ű"_t, "ű"_t, "Ű"_t, "U"_t, "U"_t},
        {"ü"_t, "ü"_t, "Ü"_t, "U"_t, "U"_t},
        {"Ü"_t, "Ü"_t, "Ü"_t, "U"_t, "U"_t},
        {"ý"_t, "ý"_t, "Ý"_t, "Y"_t, "Y"_t},
        {"ž"_t, "ž"_t, "Ž"_t, "Ž"_t, "Z"_t},
        {"Ž"_t, "Ž"_t, "Ž"_t, "Ž"_t, "Z"_t},
        // Letters outside the Czech set keep their case and diacritic everywhere.
        {"ľ"_t, "ľ"_t, "ľ"_t, "ľ"_t, "ľ"_t},
        {"ĺ"_t, "ĺ"_t, "ĺ"_t, "ĺ"_t, "ĺ"_t},
        {"ŕ"_t, "ŕ"_t, "ŕ"_t, "ŕ"_t, "ŕ"_t},
        {"ô"_t, "ô"_t, "ô"_t, "ô"_t, "ô"_t},
        {"Ô"_t, "Ô"_t, "Ô"_t, "Ô"_t, "Ô"_t},
        {"ß"_t, "ß"_t, "ß"_t, "ß"_t, "ß"_t},
        {"1 -"_t, "1 -"_t, "1 -"_t, "1 -"_t, "1 -"_t},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.upper, UpperCase(c.in)) << c.in;
        EXPECT_EQ(c.national, NationalUpperCase(c.in)) << c.in;
        EXPECT_EQ(c.collation, CollationFold(c.in)) << c.in;
        EXPECT_EQ(c.full, FullFold(c.in)) << c.in;
    }
    EXPECT_EQ("ŽLUŤOUČKÝ KŮŇ"_t, NationalUpperCase("Žluťoučký kůň"_t));
}

TEST(RetezceTest, FoldingIgnoresTheCaseOfEveryCharacter) {
    // A key built from a national upper-cased text must equal the key of the text itself,
    // otherwise a search typed in small letters would miss the record.
    for (int code = 0; code < 256; ++code) {
        const Text ch(1, static_cast<char>(code));
        EXPECT_EQ(CollationFold(ch), CollationFold(NationalUpperCase(ch))) << code;
        EXPECT_EQ(FullFold(ch), FullFold(CollationFold(ch))) << code;
    }
}

TEST(RetezceTest, MaskMatch) {
    struct Case {
        Text mask;
        Text text;
        bool fold;
        bool expected;
    } cases[] = {
        {"???"_t, ""_t, false, true},  // a mask of "?" only fits even an empty text
        {""_t, "abc"_t, false, true},
        {"A?C"_t, ""_t, false, false},
        {"A?C"_t, "ABC"_t, false, true},
        {"A?C"_t, "AXC"_t, false, true},
        {"A?C"_t, "ABD"_t, false, false},
        {"A?C"_t, "ABCDE"_t, false, true},  // the text is cut to the mask
        {"AB "_t, "AB"_t, false, true},     // and padded with blanks
        {"AB?"_t, "A"_t, false, false},
        {"abc"_t, "ABC"_t, false, false},
        {"abc"_t, "ABC"_t, true, true},
        {"čí?"_t, "CI"_t, true, true},
        {"čí?"_t, "CI"_t, false, false},
        {"Ř??"_t, "rez"_t, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, MaskMatch(c.mask, c.text, c.fold))
            << "[" << c.mask << "] [" << c.text << "] fold " << c.fold;
    }
}

TEST(RetezceTest, EqualAtDecimals) {
    struct Case {
        double x;
        double y;
        int d;
        bool expected;
    } cases[] = {
        {1.004, 1.001, 2, true},       {1.006, 1.004, 2, false},  {-0.001, 0.001, 2, false},
        {-0.001, 0.0, 2, true},        {0.0, -0.0, 2, true},      {-1.5, -1.5, 0, true},
        {2.4, 2.6, 0, false},          {2.6, 3.4, 0, true},       {1.23456, 1.23464, 4, true},
        {1.23456, 1.23444, 4, false},  {-12.34, 12.34, 2, false}, {100.0, 100.0000001, 6, true},
        {100.0, 100.000001, 6, false}, {5.0, 5.4, -3, true},  // negative decimals count as 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, EqualAtDecimals(c.x, c.y, c.d))
            << c.x << " and " << c.y << " at " << c.d;
    }
}

}  // namespace
}  // namespace axo
