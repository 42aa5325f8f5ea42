// Date fields of dialogs: a typed date completed from the program date, its year completed,
// its day put into the month, and written as the program's date text.
#pragma once

#include "util/Datum.h"
#include "util/Text.h"

namespace axo::ui {

/// Characters of a date field.
inline constexpr int kDateFieldLength = 10;

/// What an empty date field ("/D") shows: "  .  .    ".
Text EmptyDateText();

/// A date as a field shows it: " 5. 3.2023", or "05.03.2023" with zeros.
Text DateFieldText(const DateParts& date, bool zeros);

/// A typed date after normalisation.
struct DateInput {
    enum class Status {
        Valid,    ///< `date` and `text` hold the normalised date
        Empty,    ///< no digit typed and the field may stay empty; `text` is EmptyDateText()
        Invalid,  ///< no such date (a month outside 1-12, a year beyond 9999); `date` as read
    };
    Status status = Status::Valid;
    DateParts date;
    Text text;
};

/// Normalises a typed date: a text without digits is the program date (or stays empty when
/// `mayStayEmpty`); day, month and year are the parts separated by "." (a part without "."
/// being its next two characters), a missing one taken from the program date; a year of 0-50
/// is 2000-2050 and 51-99 is 1951-1999; a day beyond the month is its last day and day 0 is 1.
DateInput NormaliseDate(const Text& typed, const DateParts& programDate, bool zeros,
                        bool mayStayEmpty);

/// Whether a text holds any digit (a date field without one counts as empty).
bool HasDigit(const Text& text);

}  // namespace axo::ui
