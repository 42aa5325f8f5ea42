// Windows-1250 texts, their literals and the conversions to and from UTF-8.
#include "util/Text.h"

#include <gtest/gtest.h>

namespace axo {
namespace {

TEST(TextTest, LiteralIsConvertedToWindows1250) {
    const Text t = "Žluťoučký kůň"_t;
    EXPECT_EQ(13u, t.size());
    EXPECT_EQ(0x8E, t.Code(0));   // Ž
    EXPECT_EQ(0x9D, t.Code(3));   // ť
    EXPECT_EQ(0xF9, t.Code(11));  // ů
    EXPECT_EQ("Žluťoučký kůň", ToUtf8(t));
}

TEST(TextTest, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    const Text t = Text::FromBytes(all);
    bool lost = true;
    const Text back = FromUtf8(ToUtf8(t), '?', &lost);
    EXPECT_FALSE(lost);
    EXPECT_EQ(t, back);
}

TEST(TextTest, FrameCharactersInListingsAndLiterals) {
    const Text frame = "┌─┐│└┘"_t;
    EXPECT_EQ(Text::FromBytes("\x87\x81\x90\x85\x95\x9C"), frame);
    EXPECT_EQ("┌─┐│└┘", ListingToUtf8(frame));
    // Outside printouts the same bytes keep their standard meaning.
    EXPECT_EQ("‡\xC2\x81\xC2\x90…•ś", ToUtf8(frame));
}

TEST(TextTest, FromUtf8ReplacesWhatWindows1250CannotHold) {
    struct Case {
        std::string in;
        std::string expectedBytes;
        bool lost;
    } cases[] = {
        {"abc", "abc", false},         {"Łódź", "\xA3\xF3\x64\x9F", false},
        {"日本", "??", true},          {"\xC3", "?", true},  // cut short
        {"\xC0\x80", "??", true},                            // overlong zero
        {"\xED\xA0\x80", "???", true},                       // surrogate
        {"a\x80z", "a?z", true},
    };
    for (const Case& c : cases) {
        bool lost = false;
        EXPECT_EQ(Text::FromBytes(c.expectedBytes), FromUtf8(c.in, '?', &lost)) << c.in;
        EXPECT_EQ(c.lost, lost) << c.in;
    }
}

TEST(TextTest, FilesInUtf8OrWindows1250) {
    struct Case {
        std::string bytes;
        bool utf8;
        std::string expectedBytes;  // Windows-1250
    } cases[] = {
        {"AXO_TEMP=temp", false, "AXO_TEMP=temp"},   // ASCII reads the same
        {"\x9E\xE1ha", false, "\x9E\xE1ha"},         // "žáha" in Windows-1250
        {"\xC5\xBE\xC3\xA1ha", true, "\x9E\xE1ha"},  // in UTF-8
        {"\xEF\xBB\xBF"
         "abc",
         true, "abc"},                                // the mark alone tells
        {"\xEF\xBB\xBF\xC5\xBE\xFF", true, "\x9E?"},  // marked, then broken
        {"\xC5\xBE\xFF", false, "\xC5\xBE\xFF"},      // broken: not UTF-8
        {"\xEF\xBB", false, "\xEF\xBB"},              // half a mark
    };
    for (const Case& c : cases) {
        bool utf8 = !c.utf8;
        EXPECT_EQ(c.utf8, IsUtf8File(c.bytes)) << testing::PrintToString(c.bytes);
        EXPECT_EQ(Text::FromBytes(c.expectedBytes), TextFromFileBytes(c.bytes, &utf8))
            << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.utf8, utf8) << testing::PrintToString(c.bytes);
    }
}

TEST(TextTest, StrNKeepsLengthFirstAndZeroPadding) {
    StrN<5> s;
    static_assert(sizeof(StrN<5>) == 6);
    s = "abcdefg"_t;
    EXPECT_EQ("abcde"_t, s.Get());
    s = "xy"_t;
    const unsigned char expected[6] = {2, 'x', 'y', 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(expected, &s, 6));
    s.len = 200;  // a damaged length byte never reads past the field
    EXPECT_EQ(5u, s.Get().size());
}

}  // namespace
}  // namespace axo
