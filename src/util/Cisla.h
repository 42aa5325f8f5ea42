// Numbers as texts and texts as numbers: fixed-width number texts with the regional separators,
// amounts for list columns and printouts, decimal rounding, Roman numerals, amounts in Czech
// words, and the small calendar facts (days in a month, quarter of a date).
#pragma once

#include "util/Clock.h"
#include "util/Regional.h"
#include "util/Text.h"

#include <cstddef>
#include <optional>

namespace axo {

/// No number text is longer than this; wider widths count as this width.
inline constexpr std::size_t kMaxNumberText = 40;

// --- Numbers to text. `w` is a width: the text is right-aligned with blanks in w characters and
// --- never cut below kMaxNumberText. A negative value that shows no digit 1-9 loses its "-".

/// The decimal digits of n, "-" in front of negative values.
Text IntToText(long long n, int w = 0);
/// As IntToText with the blanks turned into "0" and the "-" at the front (-5 in 4: "-005").
Text IntToTextZeros(long long n, int w);
/// x with d decimals (halves away from zero) and "." as decimal point; d is taken as 0-30.
Text RealToText(double x, int w, int d);
/// As RealToText with the blanks turned into "0" and the "-" at the front.
Text RealToTextZeros(double x, int w, int d);
/// As RealToText with "," as decimal point.
Text RealToTextComma(double x, int w, int d);
/// x with up to 9 decimals, without trailing zeros and decimal point ("12.5", "3").
Text ShortestRealText(double x);

/// The amount text of list columns and printouts: x with d decimals, integer digits grouped by
/// three with the thousands separator, the decimal separator before the decimals, right-aligned
/// in w. When that is wider than w, the grouping goes; then the decimals (not rounded); then the
/// result is w asterisks. A width of 0 or less means no limit but that of every number text.
Text AmountText(double x, int w, int d, const RegionalSettings& regional);
/// AmountText with the current regional settings.
Text AmountText(double x, int w, int d);
/// The amount padded on the right as if it had three decimals (4 blanks for d = 0, 2 for d = 1,
/// 1 for d = 2), so that amounts of a column stand on one decimal point; right-aligned in w and
/// cut on the right when longer. A width of 0 or less means no width limit.
Text AmountInColumn(double x, int w, int d, const RegionalSettings& regional);
/// AmountInColumn with the current regional settings.
Text AmountInColumn(double x, int w, int d);

/// The current time as 1-4 parts (hours, minutes, seconds, milliseconds) joined by ":", each
/// with at least two digits. `parts` outside 1-4 is taken as the nearest of them.
Text TimeText(int parts, const Clock& clock = SystemClock());

// --- Text to numbers. Blanks around the number are allowed; anything else that is not part of
// --- the number makes the text unreadable.

/// The whole number the text holds; nullopt when it holds none (or one out of range).
std::optional<long long> TryTextToInt(const Text& text);
/// The number ("." as decimal point, an exponent allowed) the text holds; nullopt when none.
std::optional<double> TryTextToReal(const Text& text);
/// The whole number the text holds; 0 when it holds none.
long long TextToInt(const Text& text);
/// TextToInt after every blank became "0" (" 1 2" reads 102).
long long TextToIntBlanks(const Text& text);
/// The number the text holds with "." as decimal point; 0 when it holds none.
double TextToReal(const Text& text);
/// An amount typed with "," or "." as decimal point: a "-" anywhere makes it negative; 0 when
/// unreadable.
double TextToAmount(const Text& text);
/// An amount with thousands grouped by blanks or "." and "," as decimal point ("1.234,50" is
/// 1234.5); 0 when unreadable.
double TextToAmountThousands(const Text& text);

// --- Rounding.

/// x rounded to d decimals (d = 0-6; also 7-10), halves away from zero, so that values such as
/// 2.675 that binary floating point stores just below the half still round up. Never -0.
double Round(double x, int d);

/// Modes of RoundGeneral.
inline constexpr int kRoundUp = 0;
inline constexpr int kRoundNearest = 1;
inline constexpr int kRoundDown = 2;
/// Places values of RoundGeneral with a meaning of their own.
inline constexpr int kRoundToHalves = 50;
inline constexpr int kRoundToUnitPricePlaces = 88;

/// x rounded to p decimal places (negative p for tens, hundreds ...) in a mode: kRoundUp,
/// kRoundNearest or kRoundDown. p = kRoundToHalves rounds to halves; p =
/// kRoundToUnitPricePlaces takes p from `unitPricePlaces` (the data installation's number of
/// decimals of unit prices). Rounding up ignores an excess below a hundredth of the step for
/// p = 0-2 (2.01 gives 3, 2.009 gives 2). Up and nearest are symmetric about zero; down goes
/// towards minus infinity. An unknown mode returns x unchanged. Never -0.
double RoundGeneral(double x, int p, int mode, int unitPricePlaces = 0);
/// x * percent / 100 rounded to d decimals.
double Share(double x, double percent, int d);
/// a / b rounded to d decimals (not rounded when d is 99); 0 when b is 0 at 20 decimals.
double Ratio(double a, double b, int d);
/// 10 to the power n, n whole and possibly negative.
double PowerOfTen(int n);

// --- Other conversions.

/// The Roman numeral of a statement number: for 1-20, 40, 50, 90, 100, 400, 500, 900 and 1000
/// right-aligned in 5 characters ("   IV"), for 666 "DCLXVI", for any other n its digits.
Text RomanNumeral(int n);
/// n in Czech words written together ("dvatisíce"), masculine or not (which only decides
/// between "dva" and "dvě" in the last place); empty for n < 1 and n >= 1 000 000 000.
Text NumberInWords(long long n, bool masculine);
/// x in words for cheques and vouchers: the whole part (feminine), a blank and the currency
/// (cut to 3 characters), then the hundredths in words and a blank ("Tisícdvěstětřicetčtyři Kč
/// padesát "); the first letter capital. Empty for negative amounts.
Text AmountInWords(double x, const Text& currency);
/// The days of a month (February has 29 in every year divisible by 4); 0 for a month not 1-12.
int DaysInMonth(int month, int year);
/// The quarter of a date text (month from characters 4-5).
int Quarter(const Text& dateText);

}  // namespace axo
