// The tree of a parsed expression (private to the parser and the evaluator): nodes in one
// vector, children by index, and the table of built-in functions.
#pragma once

#include <cstdint>

#include "report/expr/Expression.h"

namespace axo::report::detail {

enum class Op : std::uint8_t {
    kNumber,
    kText,
    kDate,
    kField,
    kParameter,
    kFunction,
    kVariable,
    kNegate,
    kNot,
    kAdd,
    kSubtract,
    kMultiply,
    kDivide,
    kPower,
    kAnd,
    kOr,
    kEqual,
    kLess,
    kGreater,
    kLessEqual,
    kGreaterEqual,
    kNotEqual,
    kIn,
    kCall,
};

/// The built-in functions, in the order of `kBuiltins`.
enum class Builtin : std::uint8_t {
    kAbs,
    kInt,
    kSgn,
    kMax,
    kMin,
    kIif,
    kLeft,
    kRight,
    kSubstr,
    kUpper,
    kLower,
    kLtrim,
    kRtrim,
    kAlltrim,
    kFormat,
    kSin,
    kCos,
    kTan,
    kCotg,
    kExp,
    kLog,
    kAsin,
    kAcos,
    kAtan,
    kAcotg,
    kChr,
    kOrd,
    kLength,
    kPos,
    kIsNull,
    kYear,
    kMonth,
    kDay,
    kHour,
    kMinute,
    kSecond,
    kFormatDt,
    kStrToNum,
    kNumToStr,
    kRound,
    kExRound,
};

struct BuiltinInfo {
    const char* name;
    Builtin id;
    int arguments;
    bool textResult;
    /// What each argument is read for: 'N' its number, 'T' its text, 'Y' its text when it is
    /// a text or date (else its number), '*' as the call's own need (IIF's branches).
    const char* needs;
};
inline constexpr int kBuiltinCount = 41;
extern const BuiltinInfo kBuiltins[kBuiltinCount];

struct Node {
    Op op = Op::kNumber;
    Builtin builtin = Builtin::kAbs;
    bool isText = false;  ///< the result is a text by the types of the parts
    int position = 0;     ///< from 1
    int index = 0;        ///< reference number from 0
    int argc = 0;
    int args[3] = {-1, -1, -1};
    double number = 0;
    Text text;
};

}  // namespace axo::report::detail
