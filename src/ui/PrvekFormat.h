// The input options of an edit field ("/L", "/S", "/0", "/T", "/Z", "/M", "/?", "/C", "/R",
// "/D", "/V", "/J") and the pure text rules behind them: how a number is shown in a field, how
// a typed number is read, and how a typed year is completed.
#pragma once

#include <optional>

#include "util/Regional.h"
#include "util/Text.h"

namespace axo::ui {

/// The options of an edit field, read from its options string.
struct PrvekOptions {
    std::optional<int> shownWidth;  ///< "/L<digits>\": the shown width of a text field
    bool noSign = false;            ///< "/S": the minus key is refused, a minus sign removed
    bool positive = false;          ///< "/0": the value must be greater than zero
    bool decimalComma = false;      ///< "/T": decimal comma, no grouping
    bool zeros = false;             ///< "/Z": right-aligned with "0"; dates with "0"
    std::optional<Text> allowed;    ///< "/M<chars>\": the only characters that may be typed
    bool questionFill = false;      ///< "/?": filled with "?" to the maximum length
    bool fixedPitch = false;        ///< "/C": fixed-pitch font and the wider field
    bool year = false;              ///< "/R": a 4-character year completed from 1-3 digits
    bool dateMayBeEmpty = false;    ///< "/D": the date may stay empty
    bool keepScroll = false;        ///< "/V": the field does not scroll back when left
    bool alignDecimal = false;      ///< "/J": a double aligned on its decimal point

    /// Reads an options string. "/L" takes the digits after it and "/M" the characters after
    /// it, each up to a backslash or the end of the string; the other options are single
    /// letters after "/" (either case). Anything else is ignored.
    static PrvekOptions Parse(const Text& options);
};

/// A double as a field shows it in `width` with `decimals`: by default an amount with the
/// thousands separator (when it does not fit: without separators, then without decimals, then
/// "*" over the whole width); "/T" with a decimal comma and no grouping; "/J" aligned on the
/// decimal point; "/Z" with zeros instead of the leading blanks. A value that shows as zero
/// never keeps a minus sign.
Text FormatFieldDouble(double x, int width, int decimals, const PrvekOptions& options,
                       const RegionalSettings& regional);

/// A whole number right-aligned in `width` (with "0" for "/Z"); never cut.
Text FormatFieldInteger(long long n, int width, bool zeros);

/// The number a typed text holds. Only digits, "," and "." count; an empty text is 0. The last
/// "," or "." is the decimal point, earlier ones are thousands separators. With `signed`, any
/// "-" in the text makes the value negative.
double ReadTypedNumber(const Text& text, bool isSigned);

/// A year of 0-50 as 2000-2050 and of 51-99 as 1951-1999; other years unchanged.
int CompleteYear(int year);

/// The text of a "/R" year field: 1-3 typed digits completed to four (0-50 to 2000-2050, 51-99
/// to 1951-1999); an empty text, four digits, or a text that is no number up to 99 stays.
Text CompleteYearText(const Text& typed);

}  // namespace axo::ui
