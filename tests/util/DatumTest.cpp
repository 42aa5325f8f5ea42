// Date texts, their checks and forms, and time stamps from the clock.
#include "util/Datum.h"

#include <gtest/gtest.h>

#include <chrono>

namespace axo {
namespace {

TEST(DatumTest, DateTextsAlignDayAndMonthWithBlanks) {
    struct Case {
        int day;
        int month;
        int year;
        Text expected;
    } cases[] = {
        {5, 3, 2024, " 5. 3.2024"_t},
        {31, 12, 2024, "31.12.2024"_t},
        {1, 10, 1999, " 1.10.1999"_t},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DateText(c.day, c.month, c.year));
    EXPECT_EQ(" 5. 3.2024"_t, TodayText(FixedClock(DateTime{2024, 3, 5, 23, 59, 59, 999})));
}

TEST(DatumTest, ParseDateReadsEachPartOrZero) {
    struct Case {
        Text text;
        DateParts expected;
    } cases[] = {
        {" 5. 3.2024"_t, {5, 3, 2024}}, {"05.03.2024"_t, {5, 3, 2024}},
        {"5.3.2024"_t, {5, 3, 2024}},   {"1 5. 0 3.2 024"_t, {15, 3, 2024}},  // every blank goes
        {"xx.3.2024"_t, {0, 3, 2024}},  {"12.2024"_t, {12, 2024, 0}},
        {"1.2.2024.5"_t, {1, 2, 0}},    {""_t, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const DateParts got = ParseDate(c.text);
        EXPECT_EQ(c.expected, got)
            << '"' << c.text << "\" read as " << got.day << "/" << got.month << "/" << got.year;
    }
}

TEST(DatumTest, CheckDateNamesTheFirstWrongPart) {
    struct Case {
        Text text;
        int expected;
    } cases[] = {
        {"31.12.2024"_t, kDateValid},    {"29. 2.2024"_t, kDateValid},
        {"29. 2.1900"_t, kDateValid},  // every year divisible by 4 is a leap year
        {"29. 2.2023"_t, kDateBadDay},   {"31. 4.2024"_t, kDateBadDay},
        {" 0. 1.2024"_t, kDateBadDay},   {"32. 1.2024"_t, kDateBadDay},
        {" 1.13.2024"_t, kDateBadMonth}, {" 1. 0.2024"_t, kDateBadMonth},
        {"32.13.2024"_t, kDateBadMonth}, {" 1. 1.   0"_t, kDateBadYear},
        {"32.13.0000"_t, kDateBadYear},  {""_t, kDateBadYear},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CheckDate(c.text)) << c.text;
}

TEST(DatumTest, DateNumberAndIsoDate) {
    struct Case {
        Text text;
        long long number;
        Text iso;
    } cases[] = {
        {" 5. 3.2024"_t, 20240305, "2024-03-05"_t},
        {"31.12.1999"_t, 19991231, "1999-12-31"_t},
        {"5.3.2024"_t, 20240305, "2024-03-05"_t},
        {"  .  .    "_t, 0, "0000-00-00"_t},
        {""_t, 0, "0000-00-00"_t},
        {"ab.03.2024"_t, 0, "2024-03-00"_t},
        {"05.03"_t, 0, "0000-03-05"_t},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.number, DateNumber(c.text)) << '"' << c.text << '"';
        EXPECT_EQ(c.iso, IsoDate(c.text)) << '"' << c.text << '"';
    }
    EXPECT_EQ("2024-03-05"_t, IsoDate(FixedClock(DateTime{2024, 3, 5, 8, 7, 6, 0})));
}

TEST(DatumTest, DateTimeText) {
    EXPECT_EQ("05.03.2024 08:07:06"_t, DateTimeText(DateTime{2024, 3, 5, 8, 7, 6, 999}));
    EXPECT_EQ("31.12.1999 23:59:59"_t, DateTimeText(DateTime{1999, 12, 31, 23, 59, 59, 0}));
}

TEST(DatumTest, IsoStampsInLocalTimeAndInUtc) {
    struct Case {
        DateTime local;
        int utcOffsetMinutes;
        Text stamp;
        Text stampUtc;
    } cases[] = {
        {{2024, 3, 5, 8, 7, 6, 500}, 60, "2024-03-05T08:07:06Z"_t, "2024-03-05T07:07:06Z"_t},
        {{2024, 1, 1, 0, 30, 0, 0}, 60, "2024-01-01T00:30:00Z"_t, "2023-12-31T23:30:00Z"_t},
        {{2024, 3, 1, 0, 59, 59, 0}, 60, "2024-03-01T00:59:59Z"_t, "2024-02-29T23:59:59Z"_t},
        {{2024, 3, 31, 3, 0, 0, 0}, 120, "2024-03-31T03:00:00Z"_t, "2024-03-31T01:00:00Z"_t},
        {{2024, 6, 30, 23, 30, 0, 0}, -120, "2024-06-30T23:30:00Z"_t, "2024-07-01T01:30:00Z"_t},
    };
    for (const Case& c : cases) {
        const FixedClock clock(c.local, c.utcOffsetMinutes);
        EXPECT_EQ(c.stamp, IsoStamp(clock));
        EXPECT_EQ(c.stampUtc, IsoStampUtc(clock));
    }
}

TEST(DatumTest, SystemClockGivesTheCalendarDate) {
    using namespace std::chrono;
    // Read twice in case midnight passes between the two clocks.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DateTime utc = SystemClock().NowUtc();
        const year_month_day today(floor<days>(system_clock::now()));
        if (unsigned(today.day()) != unsigned(utc.day) && attempt == 0)
            continue;
        EXPECT_EQ(int(today.year()), utc.year);
        EXPECT_EQ(int(unsigned(today.month())), utc.month);
        EXPECT_EQ(int(unsigned(today.day())), utc.day);
        EXPECT_EQ(kDateValid, CheckDate(utc.day, utc.month, utc.year));
        break;
    }
    const DateTime local = SystemClock().Now();
    EXPECT_EQ(kDateValid, CheckDate(local.day, local.month, local.year));
    EXPECT_LE(0, local.millisecond);
    EXPECT_GT(1000, local.millisecond);
}

}  // namespace
}  // namespace axo
