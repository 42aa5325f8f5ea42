// The 41 built-in functions of report expressions.
#include <cmath>
#include <numbers>

#include "report/expr/Evaluator.h"
#include "report/model/CharClass.h"
#include "report/model/DateMask.h"
#include "report/model/NumberMask.h"

namespace axo::report {

using detail::Builtin;
using detail::Node;

namespace detail {

const BuiltinInfo kBuiltins[kBuiltinCount] = {
    {"ABS", Builtin::kAbs, 1, false, "N"},
    {"INT", Builtin::kInt, 1, false, "N"},
    {"SGN", Builtin::kSgn, 1, false, "N"},
    {"MAX", Builtin::kMax, 2, false, "NN"},
    {"MIN", Builtin::kMin, 2, false, "NN"},
    {"IIF", Builtin::kIif, 3, false, "N**"},
    {"LEFT", Builtin::kLeft, 2, true, "TN"},
    {"RIGHT", Builtin::kRight, 2, true, "TN"},
    {"SUBSTR", Builtin::kSubstr, 3, true, "TNN"},
    {"UPPER", Builtin::kUpper, 1, true, "T"},
    {"LOWER", Builtin::kLower, 1, true, "T"},
    {"LTRIM", Builtin::kLtrim, 1, true, "T"},
    {"RTRIM", Builtin::kRtrim, 1, true, "T"},
    {"ALLTRIM", Builtin::kAlltrim, 1, true, "T"},
    {"FORMAT", Builtin::kFormat, 2, true, "NT"},
    {"SIN", Builtin::kSin, 1, false, "N"},
    {"COS", Builtin::kCos, 1, false, "N"},
    {"TAN", Builtin::kTan, 1, false, "N"},
    {"COTG", Builtin::kCotg, 1, false, "N"},
    {"EXP", Builtin::kExp, 1, false, "N"},
    {"LOG", Builtin::kLog, 1, false, "N"},
    {"ASIN", Builtin::kAsin, 1, false, "N"},
    {"ACOS", Builtin::kAcos, 1, false, "N"},
    {"ATAN", Builtin::kAtan, 1, false, "N"},
    {"ACOTG", Builtin::kAcotg, 1, false, "N"},
    {"CHR", Builtin::kChr, 1, true, "N"},
    {"ORD", Builtin::kOrd, 1, false, "T"},
    {"LENGTH", Builtin::kLength, 1, false, "T"},
    {"POS", Builtin::kPos, 2, false, "TT"},
    {"ISNULL", Builtin::kIsNull, 1, false, "N"},
    {"YEAR", Builtin::kYear, 1, false, "Y"},
    {"MONTH", Builtin::kMonth, 1, false, "Y"},
    {"DAY", Builtin::kDay, 1, false, "Y"},
    {"HOUR", Builtin::kHour, 1, false, "Y"},
    {"MINUTE", Builtin::kMinute, 1, false, "Y"},
    {"SECOND", Builtin::kSecond, 1, false, "Y"},
    {"FORMATDT", Builtin::kFormatDt, 2, true, "YT"},
    {"STRTONUM", Builtin::kStrToNum, 1, false, "T"},
    {"NUMTOSTR", Builtin::kNumToStr, 1, true, "N"},
    {"ROUND", Builtin::kRound, 1, false, "N"},
    {"EXROUND", Builtin::kExRound, 2, false, "NN"},
};

}  // namespace detail

namespace {

Need NeedOf(char c, Need own) {
    switch (c) {
        case 'T':
            return Need::kText;
        case 'Y':
            return Need::kTyped;
        case '*':
            return own;
        default:
            return Need::kNumber;
    }
}

/// A count or position read from a number: whole (towards zero) and within 0-256.
std::size_t Count(double x) {
    if (!(x > 0))
        return 0;
    return x >= 256 ? 256 : static_cast<std::size_t>(x);
}

/// Rounded to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double diff = x - below;
    if (diff < 0.5)
        return below;
    if (diff > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

/// EXROUND on a value that is not negative (see the header of Expression.h).
double ExRound(double x, double step) {
    if (step == 0 || !std::isfinite(step))
        return x;
    const double whole = std::floor(x);
    const double fraction = x - whole;
    // A fraction that is a multiple of the step up to the noise of binary fractions counts as
    // that multiple (0.3 is three steps of 0.1, not a bit more).
    constexpr double kNoise = 1e-9;
    if (step > 0)
        return whole + std::ceil(fraction / step - kNoise) * step;
    const double s = -step;
    return whole + 1 - std::ceil((1 - fraction) / s - kNoise) * s;
}

Text Trimmed(const Text& t, bool left, bool right) {
    std::size_t a = 0;
    std::size_t z = t.size();
    while (left && a < z && t[a] == ' ')
        ++a;
    while (right && z > a && t[z - 1] == ' ')
        --z;
    return t.substr(a, z - a);
}

}  // namespace

double Evaluator::SerialOf(const TCalcType& v) {
    if (v.type == ValueType::kText || v.type == ValueType::kDate)
        return ParseDateTimeText(v.text).value_or(NAN);
    return v.number;
}

void Evaluator::Call(const Node& n, Need need, TCalcType& out) {
    const detail::BuiltinInfo& info = detail::kBuiltins[static_cast<int>(n.builtin)];
    if (n.builtin == Builtin::kIif) {
        Eval(n.args[0], Need::kNumber, out);
        if (out.isNull)
            return;
        const int branch = out.number > 0 ? n.args[1] : n.args[2];
        const Need branchNeed = n.isText && need == Need::kTyped ? Need::kText : need;
        Eval(branch, branchNeed, out);
        if (!out.isNull && !n.isText && out.type == ValueType::kText)
            out.type = ValueType::kNumber;
        else if (!out.isNull && n.isText)
            out.type = ValueType::kText;
        return;
    }
    TCalcType a[3];
    for (int k = 0; k < n.argc; ++k) {
        Eval(n.args[k], NeedOf(info.needs[k], need), a[k]);
        if (a[k].isNull && n.builtin != Builtin::kIsNull) {
            out = TCalcType::Null();
            return;
        }
    }
    const double x = a[0].number;
    const Text& t = a[0].text;
    double r = 0;
    switch (n.builtin) {
        case Builtin::kLeft:
            SetText(out, t.substr(0, Count(a[1].number)));
            return;
        case Builtin::kRight: {
            const std::size_t count = std::min(Count(a[1].number), t.size());
            SetText(out, t.substr(t.size() - count));
            return;
        }
        case Builtin::kSubstr: {
            // A position before the first character counts as the first.
            const std::size_t from = std::max<std::size_t>(Count(a[1].number), 1) - 1;
            SetText(out, t.substr(from, Count(a[2].number)));
            return;
        }
        case Builtin::kUpper:
        case Builtin::kLower: {
            Text converted = t;
            for (char& c : converted)
                c = static_cast<char>(n.builtin == Builtin::kUpper
                                          ? UpperOf(static_cast<unsigned char>(c))
                                          : LowerOf(static_cast<unsigned char>(c)));
            SetText(out, std::move(converted));
            return;
        }
        case Builtin::kLtrim:
        case Builtin::kRtrim:
        case Builtin::kAlltrim:
            SetText(out, Trimmed(t, n.builtin != Builtin::kRtrim, n.builtin != Builtin::kLtrim));
            return;
        case Builtin::kFormat:
            SetText(out, FormatNumberMask(x, a[1].text));
            return;
        case Builtin::kChr: {
            const double code = std::round(x);
            SetText(out, code >= 1 && code <= 255 ? Text(1, static_cast<char>(code)) : Text());
            return;
        }
        case Builtin::kFormatDt:
            SetText(out, FormatDateTimeMask(SerialOf(a[0]), a[1].text));
            return;
        case Builtin::kNumToStr:
            SetText(out, NumberToText(x));
            return;
        case Builtin::kIsNull:
            SetNumber(out, a[0].isNull ? 1 : 0, need);
            return;
        case Builtin::kOrd:
            SetNumber(out, t.empty() ? 0 : static_cast<unsigned char>(t[0]), need);
            return;
        case Builtin::kLength:
            SetNumber(out, static_cast<double>(t.size()), need);
            return;
        case Builtin::kPos: {
            const std::size_t p = t.empty() ? Text::npos : a[1].text.find(t);
            SetNumber(out, p == Text::npos ? 0 : static_cast<double>(p + 1), need);
            return;
        }
        case Builtin::kStrToNum:
            SetNumber(out, TextToNumber(t), need);
            return;
        case Builtin::kYear:
        case Builtin::kMonth:
        case Builtin::kDay:
        case Builtin::kHour:
        case Builtin::kMinute:
        case Builtin::kSecond: {
            const auto when = DateTimeOfSerial(SerialOf(a[0]));
            if (when) {
                const int parts[] = {when->year, when->month,  when->day,
                                     when->hour, when->minute, when->second};
                r = parts[static_cast<int>(n.builtin) - static_cast<int>(Builtin::kYear)];
            }
            SetNumber(out, r, need);
            return;
        }
        case Builtin::kAbs:
            r = std::fabs(x);
            break;
        case Builtin::kInt:
            r = std::trunc(x);
            break;
        case Builtin::kSgn:
            r = x > 0 ? 1 : x < 0 ? -1 : 0;
            break;
        case Builtin::kMax:
            r = std::max(x, a[1].number);
            break;
        case Builtin::kMin:
            r = std::min(x, a[1].number);
            break;
        case Builtin::kSin:
            r = std::sin(x);
            break;
        case Builtin::kCos:
            r = std::cos(x);
            break;
        case Builtin::kTan:
            r = std::tan(x);
            break;
        case Builtin::kCotg:
            r = std::sin(x) == 0 ? NAN : std::cos(x) / std::sin(x);
            break;
        case Builtin::kExp:
            r = std::exp(x);
            break;
        case Builtin::kLog:
            r = x > 0 ? std::log(x) : NAN;
            break;
        case Builtin::kAsin:
            r = std::asin(x);
            break;
        case Builtin::kAcos:
            r = std::acos(x);
            break;
        case Builtin::kAtan:
            r = std::atan(x);
            break;
        case Builtin::kAcotg:
            r = std::numbers::pi / 2 - std::atan(x);
            break;
        case Builtin::kRound:
            r = RoundHalfEven(x);
            break;
        case Builtin::kExRound:
            r = x < 0 ? -ExRound(-x, a[1].number) : ExRound(x, a[1].number);
            break;
        default:
            break;
    }
    if (!std::isfinite(r)) {
        Fail(n.position);
        r = 0;
    }
    SetNumber(out, r, need);
}

}  // namespace axo::report
