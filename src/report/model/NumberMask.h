// Numbers as texts for reports: the five number formats of a user function's result and the
// number masks of FORMAT and of variable elements. Both are built on the program's number
// helpers (rounding halves away from zero, the regional decimal and thousands separators).
//
// Number formats (function result, with its precision p and digits d):
//   0 general   up to p significant digits, exponent only for very large or small values
//   1 exponent  one digit, the separator and p - 1 digits, then "E", the sign and at least d
//               exponent digits (d taken as 0-4): 1234,5 with p = 4, d = 2 gives "1,235E+03"
//   2 fixed     d decimals ("1234,50")
//   3 number    d decimals, integer digits grouped by three ("1 234,50")
//   4 currency  as number, followed by " Kč" ("1 234,50 Kč")
// A precision outside 1-18 counts as 15, digits outside 0-18 as the nearest. Formats 2-4 write
// values with more than p integer digits in the exponent form. Any other format is fixed.
//
// Number masks (FORMAT(x, mask), the mask of a variable element):
//   mask     = section [ ";" section [ ";" section ] ]
//              one section serves every number; with two the second is for negative numbers
//              (written without the "-"); a third is for zero. An empty section falls back
//              to the first.
//   "0"      a digit that is always written (leading and trailing zeros)
//   "#"      a digit written only when it is significant
//   "."      the first one is the decimal point, written as the regional separator (and only
//            when a decimal digit follows); the number of "0" and "#" after it are the decimals
//   ","      before the decimal point: integer digits are grouped by three with the regional
//            thousands separator; after it, nothing
//   "E+0" "E-0" (also "e", any number of "0"): exponent form with one integer digit; "+"
//            writes the exponent's sign always, "-" only when negative; the zeros are the least
//            number of exponent digits
//   '...' "..."  literal text
//   anything else is written as it stands; a literal between digit placeholders is written
//            only when a digit stands before it ("# ##0.00" gives "1 234,50", "12,50")
// Rounding is halves away from zero. The integer part is never cut: digits beyond the
// placeholders go before the first one. A mask without placeholders writes its literals. An
// empty mask writes the general form. Results are cut to 255 characters.
#pragma once

#include "util/Text.h"

namespace axo::report {

/// x in number format `format` (0-4) with `precision` and `digits`; empty for a value that is
/// no finite number.
Text FormatNumber(double x, int format, int precision, int digits);

/// x by a number mask (grammar above); empty for a value that is no finite number.
Text FormatNumberMask(double x, const Text& mask);

}  // namespace axo::report
