// Dates and times in reports: a date-time is a day serial (whole days since 30 December 1899,
// the time of day as the fraction), as the print date and time variables and date literals
// give it; texts of dates in the program's form; and the date masks of FORMATDT and of the
// print date and time variables.
//
// Date masks (FORMATDT(d, mask), the mask of a date or time variable):
//   d     day without a leading zero          dd    day in two digits
//   ddd   short day name ("po" ... "ne")      dddd  day name ("pondělí" ... "neděle")
//   m     month without a leading zero        mm    month in two digits
//   mmm   short month name ("led" ... "pro")  mmmm  month name ("leden" ... "prosinec")
//         (m and mm right after an hour, blanks and ":" between, are minutes)
//   yy    year in two digits                  yyyy  year in four digits
//   h hh  hour     n nn  minutes     s ss  seconds     z zzz  milliseconds
//   '...' "..."  literal text; any other character is written as it stands
// Letters are case-insensitive. An empty mask writes the program's date text (" 5. 3.2024"),
// followed by a blank and the time ("08:07:06") when the value has one; a value between 0 and
// one day is a time of day and writes the time alone. A value outside the years 1-9999 gives
// an empty text.
#pragma once

#include <optional>

#include "util/Clock.h"
#include "util/Text.h"

namespace axo::report {

/// The day serial of a date and time (not checked).
double DateTimeSerial(const DateTime& t);
/// The date and time of a day serial; nullopt outside the years 1-9999 or for no number.
std::optional<DateTime> DateTimeOfSerial(double serial);

/// A date-time text read as a day serial: "d.m.yyyy" with blanks allowed around the numbers,
/// optionally followed by "h:mm" or "h:mm:ss"; or a time "h:mm[:ss]" alone. Nullopt when the
/// text is no valid date or time.
std::optional<double> ParseDateTimeText(const Text& text);

/// A day serial by a date mask (grammar above).
Text FormatDateTimeMask(double serial, const Text& mask);

}  // namespace axo::report
