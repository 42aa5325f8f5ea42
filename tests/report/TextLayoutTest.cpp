// Text layout with fixed advances (every character 500 sub-units, 1000 high at 10 points):
// alignment offsets, breaks at blanks, one-line elements, justification, tab stops, a fixed
// pitch, the printer's device fonts, heights, and the RTF subset with its tables, settings and
// malformed texts.
#include <gtest/gtest.h>

#include "report/layout/TextLayout.h"

namespace axo::report::test {
namespace {

struct Input {
    std::string text;
    int width = 100;
    int alignment = kAlignLeft;
    bool multiLine = true;
    bool rtf = false;
    double pitch = 0;
    std::string font = "Arial";
};

/// Each line as "text|offset|width" in sub-units.
std::vector<std::string> Lines(const Input& in) {
    TTextInput t;
    t.text = FromUtf8(in.text);
    t.boxWidth = in.width;
    t.font.face = FromUtf8(in.font);
    t.font.size = 10;
    t.alignment = in.alignment;
    t.multiLine = in.multiLine;
    t.rtf = in.rtf;
    t.pitch = in.pitch;
    TSiReportElement e;
    e.font.name = t.font.face;
    e.font.size = 10;
    e.width = in.width;
    if (const auto device = DeviceFontOf(t.font.face))
        t = TextInputOf(e, t.text, in.multiLine);
    TFixedFontMetrics metrics;
    const TRadky r = LayOutText(t, metrics);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < r.lines.size(); ++i)
        lines.push_back(ToUtf8(r.LineText(static_cast<int>(i))) + "|" +
                        std::to_string(r.lines[i].offset) + "|" + std::to_string(r.lines[i].width));
    return lines;
}

TEST(TextLayoutTest, LinesOfPlainText) {
    using V = std::vector<std::string>;
    struct Case {
        const char* what;
        Input in;
        V lines;
    } cases[] = {
        {"left: one unit in", {"abc"}, V{"abc|72|1500"}},
        {"right: one unit from the right", {"abc", 100, kAlignRight}, V{"abc|5628|1500"}},
        {"centre", {"abc", 100, kAlignCentre}, V{"abc|2850|1500"}},
        // 50 units: the 8th character passes 3600 - 72; lines end after their blank.
        {"broken at blanks",
         {"aaaa bbbb cccc", 50},
         V{"aaaa |72|2500", "bbbb |72|2500", "cccc|72|2000"}},
        {"a word longer than the line", {"abcdefghij", 50}, V{"abcdefgh|72|4000", "ij|72|1000"}},
        {"one line keeps the character that passed the edge",
         {"aaaa bbbb cccc", 50, kAlignLeft, false},
         V{"aaaa bbb|72|4000"}},
        {"justified: wrapped lines stretched, the last not",
         {"aaaa bbbb cccc", 50, kAlignJustified},
         V{"aaaa |72|3528", "bbbb |72|3528", "cccc|72|2000"}},
        {"line feeds end paragraphs, carriage returns are ignored",
         {"ab\r\ncd"},
         V{"ab|72|1000", "cd|72|1000"}},
        // t = 500 x 15 / 72 = 104 twips; the next stop of 720 twips is 3456 sub-units.
        {"a tab moves to the next stop", {"a\tb"}, V{"ab|72|3956"}},
        {"a fixed pitch of 10 units", {"ab", 100, kAlignLeft, true, false, 10}, V{"ab|72|1440"}},
        {"a device font: 12 characters an inch",
         {"ab", 100, kAlignLeft, true, false, 0, "Roman 12cpi"},
         V{"ab|72|1200"}},
        {"an empty text has no line", {""}, V{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lines, Lines(c.in)) << c.what;
}

TEST(TextLayoutTest, HeightsAndLinesThatFit) {
    TFixedFontMetrics metrics;
    TTextInput t;
    t.text = "a\nb\nc"_t;
    t.boxWidth = 100;
    t.font = {"Arial"_t, 238, 10, kBlack, 0};
    t.multiLine = true;
    const TRadky r = LayOutText(t, metrics);
    EXPECT_EQ((72 + 3000) / 72, r.Height());
    EXPECT_EQ((72 + 1000) / 72, r.Height(1, 1));
    EXPECT_EQ(1, r.LinesThatFit(0, 28));  // 72 + 2000 > 28 x 72
    EXPECT_EQ(2, r.LinesThatFit(0, 29));
    EXPECT_EQ(0, r.LinesThatFit(0, 10));
    // A device font's lines are 16.667 units high, whatever its characters measure.
    t.font.face = "Roman 10cpi"_t;
    TSiReportElement e;
    e.font.name = t.font.face;
    e.width = 100;
    const TRadky device = LayOutText(TextInputOf(e, t.text, true), metrics);
    EXPECT_EQ(1200, device.lines[0].height);
}

TEST(TextLayoutTest, TheRtfSubset) {
    using V = std::vector<std::string>;
    const std::string tables =
        R"({\rtf1{\fonttbl{\f0\fnil\fcharset238 Times New Roman;}{\f1 Courier New;}})"
        R"({\colortbl;\red255\green0\blue0;}\f0\fs20 )";
    struct Case {
        const char* what;
        std::string rtf;
        V lines;
    } cases[] = {
        {"paragraphs", tables + R"(ab\b c\b0\cf1 d\par e})", V{"abcd|72|2000", "e|72|500"}},
        {"escapes", tables + R"(\'e8\{\}\\\~x})", V{"č{}\\ x|72|3000"}},
        {"alignment and indents", tables + R"(\qr ab\par\pard\li720 cd})",
         V{"ab|6128|1000", "cd|3528|1000"}},
        {"tabs and cells", tables + R"(a\tab b})", V{"ab|72|3956"}},
        {"skipped groups", tables + R"({\info{\title T}}{\*\unknown x}ab})", V{"ab|72|1000"}},
        {"a closing brace too many stops, keeping what was built", R"({\rtf1 ab}}cd)",
         V{"ab|72|1000"}},
        {"a bad hexadecimal digit stops", R"({\rtf1 ab\'zz cd})", V{"ab|72|1000"}},
    };
    for (const Case& c : cases) {
        Input in{c.rtf};
        in.rtf = true;
        EXPECT_EQ(c.lines, Lines(in)) << c.what;
    }
    // The fragments carry the character settings of the tables.
    TTextInput t;
    t.text = FromUtf8(tables + R"(ab\b c\b0\cf1 d\f1 e})");
    t.boxWidth = 200;
    t.font = {"Arial"_t, 0, 12, kBlack, 0};
    t.multiLine = true;
    t.rtf = true;
    TFixedFontMetrics metrics;
    const TRadky r = LayOutText(t, metrics);
    ASSERT_EQ(4u, r.fragments.size());
    const TCharStyle& plain = r.styles[static_cast<std::size_t>(r.fragments[0].style)];
    EXPECT_EQ("Times New Roman", ToUtf8(plain.face));
    EXPECT_EQ(238, plain.charset);
    EXPECT_EQ(10, plain.size);
    EXPECT_EQ(kBold, r.styles[static_cast<std::size_t>(r.fragments[1].style)].style);
    EXPECT_EQ(0x0000FF, r.styles[static_cast<std::size_t>(r.fragments[2].style)].colour);
    EXPECT_EQ("Courier New", ToUtf8(r.styles[static_cast<std::size_t>(r.fragments[3].style)].face));
}

}  // namespace
}  // namespace axo::report::test
