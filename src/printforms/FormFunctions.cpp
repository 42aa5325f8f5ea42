// Evaluating the functions of acronym values.
#include "printforms/FormFunctions.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr std::size_t kMaxName = 20;
constexpr std::size_t kMaxArguments = 10;
constexpr std::size_t kMaxArgument = 40;
constexpr std::size_t kMaxCopied = 200;

/// The argument at `i`; empty beyond the arguments given.
Text Arg(const FunctionCall& call, std::size_t i) {
    return i < call.arguments.size() ? call.arguments[i] : Text();
}

/// A number, or the name of an acronym whose value is one.
std::optional<double> NumberOf(const Text& arg, const AcronymTable& acronyms) {
    if (const auto x = ReadFormNumber(arg))
        return x;
    if (const Text* value = acronyms.Find(arg))
        return ReadFormNumber(*value);
    return std::nullopt;
}

double Numeric(const Text& arg, const AcronymTable& acronyms) {
    return NumberOf(arg, acronyms).value_or(0);
}

/// An operand or a result of IFPLN: a number when it reads as one (itself or the acronym it
/// names), else a text: the acronym's value, or the argument itself.
using Operand = std::variant<double, Text>;

Operand OperandOf(const Text& arg, const AcronymTable& acronyms) {
    if (const auto x = NumberOf(arg, acronyms))
        return *x;
    if (const Text* value = acronyms.Find(arg))
        return *value;
    return arg;
}

Text OperandText(const Operand& operand) {
    if (const double* x = std::get_if<double>(&operand))
        return NumberResultText(*x);
    return std::get<Text>(operand);
}

bool Compare(const Operand& left, char op, const Operand& right) {
    const double* l = std::get_if<double>(&left);
    const double* r = std::get_if<double>(&right);
    if (!l || !r) {
        const Text a = l ? NumberResultText(*l) : std::get<Text>(left);
        const Text b = r ? NumberResultText(*r) : std::get<Text>(right);
        return op == '=' ? a == b : op == '!' ? a != b : false;
    }
    return CompareNumbers(*l, op, *r, 2);
}

/// The arithmetic result rounded as the third and fourth arguments say.
double Rounded(double x, const FunctionCall& call, const AcronymTable& acronyms) {
    if (Trim(Arg(call, 2)).empty())
        return x;
    const double places = Numeric(Arg(call, 2), acronyms);
    const int p = static_cast<int>(std::clamp(std::trunc(places), -15.0, 15.0));
    const Text mode = NationalUpperCase(Trim(Arg(call, 3)));
    const int m = mode.StartsWith("D"_t)   ? kRoundDown
                  : mode.StartsWith("N"_t) ? kRoundUp
                                           : kRoundNearest;
    return RoundGeneral(x, p, m);
}

std::optional<double> Arithmetic(const FunctionCall& call, const AcronymTable& acronyms) {
    const double a = Numeric(Arg(call, 0), acronyms);
    const double b = Numeric(Arg(call, 1), acronyms);
    const Text& f = call.name;
    if (f == "NAS"_t)
        return a * b;
    if (f == "DEL"_t)
        return b == 0 ? 0 : a / b;
    if (f == "DEL1"_t)
        return b == 0 ? 1 : a / b;
    if (f == "SUM"_t || f == "SUMWA"_t)
        return a + b;
    if (f == "MIN"_t)
        return a - b;
    return std::nullopt;
}

/// "COP": `count` characters from position `from` (1-based) of the acronym's value or the
/// argument itself, held inside the text.
Text Copy(const FunctionCall& call, const AcronymTable& acronyms) {
    const Text* value = acronyms.Find(Arg(call, 0));
    const Text source = (value ? *value : Arg(call, 0)).substr(0, kMaxCopied);
    const double from = std::trunc(Numeric(Arg(call, 1), acronyms));
    const double count = std::trunc(Numeric(Arg(call, 2), acronyms));
    if (count <= 0 || from > static_cast<double>(source.size()))
        return {};
    const std::size_t start = from < 1 ? 0 : static_cast<std::size_t>(from) - 1;
    const std::size_t n = static_cast<std::size_t>(std::min(count, 1000.0));
    return source.substr(start, n);
}

}  // namespace

std::optional<FunctionCall> ParseFunctionCall(const Text& value) {
    if (value.empty() || value[0] != '@')
        return std::nullopt;
    const std::size_t open = value.find('(');
    if (open == Text::npos)
        return std::nullopt;
    FunctionCall call;
    call.name = NationalUpperCase(Trim(value.substr(1, open - 1))).substr(0, kMaxName);
    std::size_t close = value.View().rfind(')');
    if (close == std::string_view::npos || close < open)
        close = value.size();
    const Text inside = value.substr(open + 1, close - open - 1);
    std::size_t start = 0;
    while (call.arguments.size() < kMaxArguments) {
        const std::size_t end = inside.find(';', start);
        call.arguments.push_back(Trim(inside.substr(start, end - start)).substr(0, kMaxArgument));
        if (end == Text::npos)
            break;
        start = end + 1;
    }
    return call;
}

Text EvaluateValue(const Text& value, AcronymTable& acronyms) {
    const std::optional<FunctionCall> call = ParseFunctionCall(value);
    if (!call)
        return value;
    if (const auto x = Arithmetic(*call, acronyms)) {
        const Text result = NumberResultText(Rounded(*x, *call, acronyms));
        if (call->name == "SUMWA"_t && !Trim(Arg(*call, 4)).empty())
            acronyms.Set(Arg(*call, 4), result);
        return result;
    }
    if (call->name == "CDT"_t)
        return AmountInWords(Numeric(Arg(*call, 0), acronyms), Text());
    if (call->name == "COP"_t)
        return Copy(*call, acronyms);
    if (call->name == "IFPLN"_t) {
        const Text op = Trim(Arg(*call, 2));
        const bool holds = !op.empty() && Compare(OperandOf(Arg(*call, 1), acronyms), op[0],
                                                  OperandOf(Arg(*call, 3), acronyms));
        return OperandText(OperandOf(Arg(*call, holds ? 4 : 0), acronyms));
    }
    return value;
}

}  // namespace axo::printforms
