// The report engine's value record: what data fields, parameters, user functions, variables and
// expressions give - a number, a text, a type and a null flag - with the conversions between
// numbers and texts that every part of the engine shares.
#pragma once

#include <cstdint>

#include "util/Regional.h"
#include "util/Text.h"

namespace axo::report {

/// The type byte of a value.
enum class ValueType : std::uint8_t {
    kNone = 0,
    kNumber = 1,
    kText = 2,
    kDate = 5,  ///< a date literal: its text as written, its number the day serial
};

/// The value record (`TCalcType`). A value of type text always carries its text; a number may
/// leave the text empty where nobody asked for it (`hasText` false), since turning every
/// amount into a text would cost more than the computation itself.
struct TCalcType {
    ValueType type = ValueType::kNone;
    double number = 0;
    Text text;
    bool isNull = false;
    bool hasText = true;

    /// The empty value: type none, number 0, empty text, not null.
    static TCalcType Empty() { return {}; }
    /// A null value (type none).
    static TCalcType Null();
    /// A number without its text.
    static TCalcType Number(double x);
    /// A number with its text (`NumberToText`).
    static TCalcType NumberWithText(double x);
    /// A text with its numeric reading (`TextToNumber`).
    static TCalcType FromText(const Text& t);

    /// Fills in the text of a number when it was left out.
    void EnsureText();
};

/// The longest text an expression value holds; longer results are cut.
inline constexpr std::size_t kMaxValueText = 255;

/// A text read as a number: leading blanks dropped, the first "." or "," taken as the decimal
/// separator, then only digits with at most one separator and an optional leading "-" are a
/// number; anything else gives 0.
double TextToNumber(const Text& text);

/// The text of a number in the general form: up to `precision` (1-18, otherwise 15)
/// significant digits, the regional decimal separator, an exponent ("1,5E20", "1E-5") only for
/// very large or very small values, never "-0". Not-a-number and infinities give an empty text.
Text NumberToText(double x, int precision = 15,
                  const RegionalSettings& regional = CurrentRegionalSettings());

/// x clamped to the range of int (NaN gives 0), for counts and positions read from numbers.
int ClampToInt(double x);

}  // namespace axo::report
