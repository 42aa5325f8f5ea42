// Acronym values: the table, numbers, formats and fitting.
#include "printforms/FormValues.h"

#include <cmath>

#include "util/Cisla.h"
#include "util/Regional.h"
#include "util/Retezce.h"

namespace axo::printforms {

namespace {

Text Key(const Text& name) {
    return NationalUpperCase(Trim(name));
}

/// `text` padded with `fill` to `width` on the left, or kept when it is as long already.
Text PadLeft(const Text& text, int width, char fill = ' ') {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    return text.size() >= n ? text : Text(n - text.size(), fill) + text;
}

Text PadRight(const Text& text, int width) {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    return text.size() >= n ? text : text + Text(n - text.size(), ' ');
}

Text Centred(const Text& text, int width) {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    if (text.size() >= n)
        return text;
    const std::size_t left = (n - text.size()) / 2;
    return Text(left, ' ') + text + Text(n - text.size() - left, ' ');
}

}  // namespace

void AcronymTable::Set(const Text& name, const Text& value) {
    values_[Key(name)] = value;
}

const Text* AcronymTable::Find(const Text& name) const {
    const auto it = values_.find(Key(name));
    return it == values_.end() ? nullptr : &it->second;
}

std::optional<double> ReadFormNumber(const Text& text) {
    const RegionalSettings& regional = CurrentRegionalSettings();
    Text t = Trim(text);
    if (regional.thousandsSeparator != '\0' && regional.thousandsSeparator != '.')
        t = RemoveChar(t, regional.thousandsSeparator);
    std::string plain;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        plain.push_back(t[i++]);
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            plain.push_back(c);
            digits = true;
        } else if ((c == '.' || c == regional.decimalSeparator) && !point) {
            plain.push_back('.');
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    const auto value = TryTextToReal(Text::FromBytes(plain));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return Round(*value, 6);
}

bool CompareNumbers(double left, char op, double right, int equalDecimals) {
    const bool equal =
        equalDecimals < 0 ? left == right : EqualAtDecimals(left, right, equalDecimals);
    switch (op) {
        case '<':
            return left < right;
        case '>':
            return left > right;
        case '=':
            return equal;
        case '!':
            return !equal;
        case '{':
            return left <= right;
        case '}':
            return left >= right;
        default:
            return false;
    }
}

Text NumberResultText(double x) {
    return AmountText(x, 20, 6);
}

Text FormatValue(const Text& value, const ValueFormat& format, int unitDecimals, int& fieldWidth,
                 bool& clearAfter) {
    if (format.hasWidth)
        fieldWidth = format.FieldWidth();
    const int w = format.width;
    const int d = format.decimals;
    const double x = ReadFormNumber(value).value_or(0);
    Text text = value;
    switch (format.type) {
        case 'N':
            text = AmountText(x, w + d + 1, d);
            break;
        case 'A':
            if (format.hasWidth)
                text = text.substr(0, static_cast<std::size_t>(w));
            break;
        case 'C':
            text = RealToTextComma(x, fieldWidth, d);
            break;
        case 'M':
            text = AmountInColumn(x, fieldWidth, unitDecimals);
            break;
        case 'T':
            text = RealToText(x, fieldWidth, d);
            break;
        case 'U':
            text = RemoveChar(RealToText(x, fieldWidth, d), '.');
            break;
        case 'V':
            text = NationalUpperCase(format.hasWidth ? text.substr(0, static_cast<std::size_t>(w))
                                                     : text);
            break;
        default:
            break;
    }
    switch (format.alignment) {
        case 0:
        case 'N':
            return text;
        case 'C':
            return Centred(Trim(text), fieldWidth);
        case 'L':
            return PadLeft(Trim(text), fieldWidth);
        case 'Z':
            clearAfter = true;
            return PadLeft(Trim(text), fieldWidth);
        case '0':
            return PadLeft(Trim(text), fieldWidth, '0');
        case 'T':
            text = TrimRight(text);
            fieldWidth = static_cast<int>(text.size());
            return text;
        case 'A':
            text = Trim(text);
            fieldWidth = static_cast<int>(text.size());
            return text;
        default:
            return PadRight(Trim(text), fieldWidth);
    }
}

Text FitValue(const Text& value, int width) {
    const auto n = static_cast<std::size_t>(std::max(width, 0));
    if (value.size() <= n)
        return PadRight(value, width);
    if (const auto number = ReadFormNumber(value)) {
        const auto tail = ReadFormNumber(value.substr(value.size() - n));
        return tail && *tail == *number ? value.substr(value.size() - n) : Text(n, '*');
    }
    return value.substr(0, n);
}

}  // namespace axo::printforms
