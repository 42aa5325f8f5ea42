// The calendar: where it opens, its help lines, moving by keys, the month page.
#include "ui/Calendar.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"

namespace axo::ui {
namespace {

using testing::TestEnvironment;

TEST(CalendarTest, OpensOnTheFieldsDateOrTheProgramDate) {
    EXPECT_EQ((DateParts{5, 3, 2024}), TKalendarAXO({5, 3, 2024}, TestEnvironment()).Selected());
    EXPECT_EQ((DateParts{10, 6, 2023}), TKalendarAXO({31, 2, 2024}, TestEnvironment()).Selected());
    EXPECT_EQ("Kalendář"_t, TKalendarAXO::Title());
}

TEST(CalendarTest, HelpNamesTheFiscalYearOnlyWhenItIsKnown) {
    DialogEnvironment env = TestEnvironment();
    EXPECT_EQ((std::vector<Text>{"aktuální systémové datum počítače <Home>"_t,
                                 "první den hospodářského roku  1. 1.2023 <Ctrl Home>"_t,
                                 "poslední den hospodářského roku 31.12.2023 <Ctrl End>"_t}),
              TKalendarAXO({}, env).HelpLines());
    env.fiscalYearLastDay.clear();
    TKalendarAXO without({5, 3, 2024}, env);
    EXPECT_EQ(1u, without.HelpLines().size());
    without.KeyDown({Key::Home, false, true});
    EXPECT_EQ((DateParts{5, 3, 2024}), without.Selected());  // nothing to jump to
}

TEST(CalendarTest, KeysMoveTheChosenDay) {
    struct Case {
        DateParts start;
        KeyEvent key;
        DateParts expected;
    } cases[] = {
        {{31, 1, 2024}, {Key::Right}, {1, 2, 2024}},
        {{1, 1, 2024}, {Key::Left}, {31, 12, 2023}},
        {{28, 2, 2024}, {Key::Down}, {6, 3, 2024}},
        {{6, 3, 2024}, {Key::Up}, {28, 2, 2024}},
        {{31, 1, 2024}, {Key::PageDown}, {29, 2, 2024}},  // into the shorter month
        {{31, 3, 2023}, {Key::PageUp}, {28, 2, 2023}},
        {{29, 2, 2024}, {Key::PageDown, false, true}, {28, 2, 2025}},  // Ctrl: a year
        {{15, 1, 2024}, {Key::PageUp, false, true}, {15, 1, 2023}},
        {{15, 5, 2023}, {Key::Home}, {1, 2, 2024}},  // the computer's date
        {{15, 5, 2023}, {Key::Home, false, true}, {1, 1, 2023}},
        {{15, 5, 2023}, {Key::End, false, true}, {31, 12, 2023}},
    };
    for (const Case& c : cases) {
        TKalendarAXO calendar(c.start, TestEnvironment());
        EXPECT_TRUE(calendar.KeyDown(c.key));
        EXPECT_EQ(c.expected, calendar.Selected()) << c.start.day << "." << c.start.month;
    }
}

TEST(CalendarTest, EnterConfirmsAndEscCancels) {
    TKalendarAXO calendar({5, 3, 2024}, TestEnvironment());
    calendar.ClickDay(31);
    EXPECT_EQ((DateParts{31, 3, 2024}), calendar.Selected());
    calendar.ClickDay(32);
    EXPECT_EQ((DateParts{31, 3, 2024}), calendar.Selected());
    calendar.KeyDown({Key::Enter});
    EXPECT_TRUE(calendar.Closed() && calendar.Confirmed());
    TKalendarAXO left({5, 3, 2024}, TestEnvironment());
    left.KeyDown({Key::Esc});
    EXPECT_TRUE(left.Closed());
    EXPECT_FALSE(left.Confirmed());
}

TEST(CalendarTest, TheMonthPageStartsOnMonday) {
    EXPECT_EQ(5, DayOfWeek({10, 6, 2023}));  // a Saturday
    EXPECT_EQ(4, DayOfWeek({1, 3, 2024}));   // a Friday
    TKalendarAXO calendar({5, 3, 2024}, TestEnvironment());
    const auto grid = calendar.MonthGrid();
    EXPECT_EQ((std::array<int, 7>{0, 0, 0, 0, 1, 2, 3}), grid[0]);
    EXPECT_EQ((std::array<int, 7>{25, 26, 27, 28, 29, 30, 31}), grid[4]);
    EXPECT_EQ((std::array<int, 7>{}), grid[5]);
    EXPECT_EQ("březen 2024"_t, calendar.MonthCaption());
    EXPECT_EQ((DateParts{29, 2, 2024}), AddMonths({31, 12, 2023}, 2));
    EXPECT_EQ((DateParts{1, 3, 2100}), AddDays({28, 2, 2100}, 1));  // 2100 is no leap year
}

}  // namespace
}  // namespace axo::ui
