// Value records and the number <-> text conversions of the report engine.
#include "report/model/CalcValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace axo::report {

TCalcType TCalcType::Null() {
    TCalcType v;
    v.isNull = true;
    return v;
}

TCalcType TCalcType::Number(double x) {
    TCalcType v;
    v.type = ValueType::kNumber;
    v.number = x;
    v.hasText = false;
    return v;
}

TCalcType TCalcType::NumberWithText(double x) {
    TCalcType v;
    v.type = ValueType::kNumber;
    v.number = x;
    v.text = NumberToText(x);
    return v;
}

TCalcType TCalcType::FromText(const Text& t) {
    TCalcType v;
    v.type = ValueType::kText;
    v.text = t.size() > kMaxValueText ? t.substr(0, kMaxValueText) : t;
    v.number = TextToNumber(v.text);
    return v;
}

void TCalcType::EnsureText() {
    if (hasText)
        return;
    text = NumberToText(number);
    hasText = true;
}

double TextToNumber(const Text& text) {
    const char separator = CurrentRegionalSettings().decimalSeparator;
    const char other = separator == ',' ? '.' : ',';
    std::string_view s = text.View();
    s.remove_prefix(std::min(s.find_first_not_of(' '), s.size()));
    const bool negative = s.starts_with('-');
    int digits = 0;
    int separators = 0;
    double whole = 0;
    for (std::size_t i = negative ? 1 : 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            whole = whole * 10 + (c - '0');
        } else if (c == separator || (c == other && separators == 0 && s.find(other) == i)) {
            // The first "." (with "," as the separator, or the other way round) is taken as
            // the separator.
            ++separators;
        } else {
            return 0;
        }
    }
    if (digits == 0 || separators > 1)
        return 0;
    // A whole number of up to 15 digits is exact in a double: no need for strtod.
    if (separators == 0 && digits <= 15)
        return negative ? -whole : whole;
    std::string number(s);
    for (char& c : number)
        if (c == separator || c == other)
            c = '.';
    // Digits only, so strtod cannot be misled by the process locale or by hexadecimal forms.
    const double x = std::strtod(number.c_str(), nullptr);
    return std::isfinite(x) ? x : 0;
}

Text NumberToText(double x, int precision, const RegionalSettings& regional) {
    if (!std::isfinite(x))
        return {};
    if (precision < 1 || precision > 18)
        precision = 15;
    if (x == 0)
        return "0"_t;
    char buffer[64];
    // Whole numbers of fewer digits than the precision (row and page numbers, counts) read
    // the same as %G writes them, without its cost.
    if (std::abs(x) < 1e15 && x == std::trunc(x) &&
        (precision >= 15 || std::abs(x) < std::pow(10.0, static_cast<double>(precision)))) {
        const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(x));
        return Text::FromBytes(std::string(buffer, end));
    }
    std::snprintf(buffer, sizeof buffer, "%.*G", precision, x);
    std::string s = buffer;
    std::string exponent;
    if (const std::size_t e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e + 1);
        s.erase(e);
        const bool negative = exponent.starts_with('-');
        exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        exponent = (negative ? "E-" : "E") + exponent;
    }
    if (s.find('.') != std::string::npos) {
        // %G keeps no trailing zeros in the mantissa except with an exponent; drop them.
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        if (const std::size_t p = s.find('.'); p != std::string::npos)
            s[p] = regional.decimalSeparator;
    }
    if (s == "-0")
        s = "0";
    return Text::FromBytes(s + exponent);
}

int ClampToInt(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (x <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}

}  // namespace axo::report
