// Sizing, wrapping and layout of the message, decision and prompt windows.
#include "ui/Screen.h"

#include <gtest/gtest.h>

namespace axo::ui {
namespace {

std::vector<Text> Texts(const std::vector<MessageLine>& lines) {
    std::vector<Text> out;
    for (const MessageLine& l : lines)
        out.push_back(l.text);
    return out;
}

TEST(ScreenTest, MessageWidthFollowsTheTextLength) {
    struct Case {
        std::size_t length;
        int columns;
        int expected;
    } cases[] = {
        {65, 0, 70},                 // longer than 64: 70 columns
        {64, 0, 70},                 // 64 + 6
        {40, 0, 46},                 // length + 6
        {10, 0, 37},                 // never fewer than 37
        {0, 0, 37},   {10, 50, 50},  // a given width stands
        {10, 90, 80},
    };
    for (const Case& c : cases) {
        const MessageWindow w = BuildMessage(MessageKind::Info, Text(c.length, 'x'), {}, c.columns,
                                             Desktop{}, ColourScheme::Make(false));
        EXPECT_EQ(c.expected, w.columns) << c.length << "/" << c.columns;
    }
}

TEST(ScreenTest, WrappingKeepsWordsWholeAndBlankRunsIntact) {
    struct Case {
        const char* text;
        const char* appended;
        int usable;
        std::vector<Text> expected;
    } cases[] = {
        {"aaa bbb ccc", "", 7, {"aaa bbb"_t, "ccc"_t}},
        {"aaa bbb", " ccc", 11, {"aaa bbb ccc"_t}},
        {"aaa bbb", "ccc", 11, {"aaa bbb ccc"_t}},
        {"aaa bbb", "ccc", 8, {"aaa bbb"_t, "ccc"_t}},
        {"aaa", "\rccc", 40, {"aaa"_t, "ccc"_t}},
        {"aaa\r", "ccc", 40, {"aaa"_t, "ccc"_t}},
        {"Procedura   : Bt", "", 40, {"Procedura   : Bt"_t}},
        {"a\rb\r\nc\nd", "", 40, {"a"_t, "b"_t, "c"_t, "d"_t}},
        {"a\r\rb", "", 40, {"a"_t, ""_t, "b"_t}},
        {"trailing break\r", "", 40, {"trailing break"_t}},
        {"waytoolongword x", "", 4, {"waytoolongword"_t, "x"_t}},
        {"\x0Fno wrap here at all\rnext", "", 5, {"no wrap here at all"_t, "next"_t}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Texts(WrapMessage(FromUtf8(c.text), FromUtf8(c.appended), c.usable)))
            << c.text;
    }
}

TEST(ScreenTest, CentringMarkCentresTheLineItEnds) {
    const auto lines = WrapMessage("first\x0E\x0Esecond"_t, {}, 40);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ((MessageLine{"first"_t, true}), lines[0]);
    EXPECT_EQ((MessageLine{""_t, true}), lines[1]);
    EXPECT_EQ((MessageLine{"second"_t, false}), lines[2]);
}

TEST(ScreenTest, MessageShowsAtMostTwentyLinesOfAtMost76Characters) {
    Text text;
    for (int i = 0; i < 30; ++i)
        text += "line\r"_t;
    const MessageWindow w =
        BuildMessage(MessageKind::Error, text, {}, 0, Desktop{}, ColourScheme::Make(false));
    EXPECT_EQ(20u, w.lines.size());
    EXPECT_EQ(23, w.rows);
    EXPECT_EQ(372, w.frame.height);  // 23 rows would be 437 pixels
    EXPECT_EQ(70 * 8, w.frame.width);

    const auto longLine = WrapMessage("\x0F"_t + Text(100, 'y'), {}, 64);
    EXPECT_EQ(76u, longLine.at(0).text.size());
}

TEST(ScreenTest, KindsHaveTheirTitlesIconsAndButtons) {
    struct Case {
        MessageKind kind;
        Text title;
        Icon icon;
        bool ok;
    } cases[] = {
        {MessageKind::Plain, ""_t, Icon::None, true},
        {MessageKind::Info, " INFORMACE"_t, Icon::Information, true},
        {MessageKind::Error, " CHYBA"_t, Icon::Warning, true},
        {MessageKind::Decision, " ROZHODNUTÍ"_t, Icon::Question, true},
        {MessageKind::Wait, ""_t, Icon::None, false},
        {MessageKind::Notice, ""_t, Icon::SystemLogo, false},
        {MessageKind::Call, " VÝZVA"_t, Icon::Warning, true},
        {MessageKind::App, ""_t, Icon::Application, false},
    };
    const ColourScheme classic = ColourScheme::Make(false);
    for (const Case& c : cases) {
        const MessageWindow w = BuildMessage(c.kind, "x"_t, {}, 0, Desktop{}, classic);
        EXPECT_EQ(c.title, w.title);
        EXPECT_EQ(c.icon, w.icon);
        EXPECT_EQ(c.ok, w.okButton);
    }
    EXPECT_EQ((Rgb{172, 2, 45}),
              BuildMessage(MessageKind::Error, "x"_t, {}, 0, Desktop{}, classic).colours.window);
    EXPECT_EQ((Rgb{0, 128, 128}),
              BuildMessage(MessageKind::Info, "x"_t, {}, 0, Desktop{}, classic).colours.window);
}

TEST(ScreenTest, MessagePlacement) {
    Desktop d;
    d.screen = {0, 0, 1000, 800};
    d.mainWindow = {100, 50, 640, 475};
    const ColourScheme s = ColourScheme::Make(true);
    // Centred on the main window.
    EXPECT_EQ((Rect{100 + (640 - 296) / 2, 50 + (475 - 76) / 2, 296, 76}),
              BuildMessage(MessageKind::Info, "x"_t, {}, 0, d, s).frame);
    // At the caller's row.
    EXPECT_EQ(50 + 4 * 19, BuildMessage(MessageKind::Info, "x"_t, {}, 0, d, s, {4}).frame.y);
    // 80 columns wide: its last row is row 23.
    const MessageWindow wide = BuildMessage(MessageKind::Info, "x"_t, {}, 80, d, s, {4});
    EXPECT_EQ(50 + (23 - wide.rows + 1) * 19, wide.frame.y);
    // Centred on the desktop when asked to.
    d.centreOnDesktop = true;
    EXPECT_EQ((Rect{(1000 - 296) / 2, (800 - 76) / 2, 296, 76}),
              BuildMessage(MessageKind::Info, "x"_t, {}, 0, d, s).frame);
}

TEST(ScreenTest, CaptionAccelerators) {
    struct Case {
        Text caption;
        Caption expected;
    } cases[] = {
        {"~I~gnorovat"_t, {"Ignorovat"_t, 0}},
        {"Zn~o~vu"_t, {"Znovu"_t, 2}},
        {"&NE"_t, {"NE"_t, 0}},
        {"<Esc>ano"_t, {"<Esc>ano"_t, -1}},
        {"&O.K."_t, {"O.K."_t, 0}},
        {"A && B"_t, {"A & B"_t, -1}},
        {"konec~"_t, {"konec"_t, -1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ParseCaption(c.caption)) << c.caption;
}

TEST(ScreenTest, DecisionLayout) {
    Desktop d;
    const DecisionWindow w =
        BuildDecision("\r\rOpravdu?\rDruhý řádek textu\r"_t, {"~A~no"_t, "~N~e"_t}, 2,
                      " ROZHODNUTÍ"_t, d, ColourScheme::Make(false));
    ASSERT_EQ(2u, w.lines.size());  // leading and trailing breaks removed
    EXPECT_EQ(6, w.rows);           // one break + 5
    EXPECT_EQ(21, w.columns);       // longest line 17 + 4 beats the captions' 3 + 2 + 2 + 2
    ASSERT_EQ(2u, w.buttons.size());
    const int buttonWidth = 21 * 8 / 2 - 8;
    EXPECT_EQ((Rect{5, 3 * 19, buttonWidth, 23}), w.buttons[0].frame);
    EXPECT_EQ((Rect{5 + buttonWidth + 4, 3 * 19, buttonWidth, 23}), w.buttons[1].frame);
    EXPECT_EQ(2, w.defaultButton);

    std::vector<Text> many(12, "x"_t);
    EXPECT_EQ(10u, BuildDecision("q"_t, many, 1, {}, d, ColourScheme::Make(false)).buttons.size());
    const DecisionWindow wide =
        BuildDecision("q"_t, {Text(70, 'c')}, 1, {}, d, ColourScheme::Make(false));
    EXPECT_EQ(60u, wide.buttons[0].caption.shown.size());
    EXPECT_EQ(62, wide.columns);
}

TEST(ScreenTest, DecisionLargerThanTheScreenScrolls) {
    Desktop d;
    d.screen = {0, 0, 300, 200};
    const DecisionWindow w =
        BuildDecision(Text(70, 'q'), {"a"_t}, 1, {}, d, ColourScheme::Make(false));
    EXPECT_TRUE(w.scrolls);
    EXPECT_EQ(270, w.frame.width);
}

TEST(ScreenTest, PromptWidth) {
    struct Case {
        int promptLength, titleLength, field;
        int expected;
    } cases[] = {
        {38, 12, 7, 44},  // the password prompt
        {10, 5, 50, 54},  // a wide field
        {50, 5, 7, 54},   // a long prompt widens by its excess over 40
        {10, 40, 7, 50},  // at least the title + 10
        {120, 5, 7, 80},  // at most 80
    };
    for (const Case& c : cases) {
        const PromptWindow w =
            BuildPrompt(Text(c.promptLength, 'p'), Text(c.titleLength, 't'), true, false, c.field,
                        c.field, Desktop{}, ColourScheme::Make(false));
        EXPECT_EQ(c.expected, w.columns) << c.promptLength << "/" << c.field;
        EXPECT_EQ(6, w.rows);
    }
}

}  // namespace
}  // namespace axo::ui
