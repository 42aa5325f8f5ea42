// Date and time texts: the program's date text " 5. 3.2024" (day and month right-aligned with a
// blank), reading and checking it, its number and ISO forms, and time stamps.
#pragma once

#include "util/Clock.h"
#include "util/Text.h"

namespace axo {

/// A date as its three numbers, not necessarily valid.
struct DateParts {
    int day = 0;
    int month = 0;
    int year = 0;

    friend bool operator==(const DateParts&, const DateParts&) = default;
};

/// Results of CheckDate.
inline constexpr int kDateValid = 0;
inline constexpr int kDateBadDay = 1;
inline constexpr int kDateBadMonth = 2;
inline constexpr int kDateBadYear = 3;

/// The date text of a day: day and month right-aligned in 2 characters with a blank, "." between,
/// the year in 4 (5 March 2024 gives " 5. 3.2024").
Text DateText(int day, int month, int year);
/// Today's date text.
Text TodayText(const Clock& clock = SystemClock());
/// The day, month and year of a date text: blanks are removed and the text is split at its first
/// two full stops; a part that is no whole number, or is missing, gives 0.
DateParts ParseDate(const Text& dateText);
/// kDateValid, or what is wrong, the year first: kDateBadYear for a year of 0 or less,
/// kDateBadMonth for a month not 1-12, kDateBadDay for a day outside the month (February has 29
/// days in every year divisible by 4).
int CheckDate(int day, int month, int year);
/// CheckDate of a date text read with ParseDate.
int CheckDate(const Text& dateText);
/// A date text as year * 10000 + month * 100 + day, blanks read as zeros; 0 for an empty text or
/// one whose day, month or year is no whole number.
long long DateNumber(const Text& dateText);
/// A date text as an ISO date "2024-03-05" (parts that are no number become zeros).
Text IsoDate(const Text& dateText);
/// Today as an ISO date.
Text IsoDate(const Clock& clock = SystemClock());
/// A stored date and time as "05.03.2024 08:07:06".
Text DateTimeText(const DateTime& stamp);
/// The local date and time as "2024-03-05T08:07:06Z", the form the system has always written in
/// its file stamps. The "Z" is no claim of UTC there; where the time must be right (XML
/// messages), use IsoStampUtc.
Text IsoStamp(const Clock& clock = SystemClock());
/// The current UTC date and time as "2024-03-05T07:07:06Z".
Text IsoStampUtc(const Clock& clock = SystemClock());

}  // namespace axo
