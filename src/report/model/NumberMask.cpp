// Number formats and number masks of reports.
#include "report/model/NumberMask.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "report/model/CalcValue.h"
#include "util/Cisla.h"

namespace axo::report {

namespace {

constexpr int kMaxDigits = 18;

/// "d,dddE+xx": one integer digit, `decimals` decimals, the exponent with at least
/// `expDigits` digits and its sign always (or, without `alwaysSign`, only when negative).
std::string ExponentText(double x, int decimals, int expDigits, bool alwaysSign) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", std::clamp(decimals, 0, kMaxDigits), x);
    std::string s = buffer;
    const std::size_t e = s.find('E');
    std::string mantissa = s.substr(0, e);
    const bool negativeExp = s[e + 1] == '-';
    std::string digits = s.substr(e + 2);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (digits.size() < static_cast<std::size_t>(expDigits))
        digits.insert(0, static_cast<std::size_t>(expDigits) - digits.size(), '0');
    if (const std::size_t p = mantissa.find('.'); p != std::string::npos)
        mantissa[p] = CurrentRegionalSettings().decimalSeparator;
    return mantissa + "E" + (negativeExp ? "-" : alwaysSign ? "+" : "") + digits;
}

/// One section of a mask, parsed.
struct Item {
    enum Kind { kDigit, kPoint, kLiteral } kind;
    bool zero = false;  ///< "0" rather than "#"
    std::string literal;
};

struct Section {
    std::vector<Item> items;
    bool thousands = false;
    bool exponent = false;
    bool exponentSign = false;  ///< "E+"
    int exponentDigits = 0;
    std::string exponentPrefix;  ///< "E" or "e"
    int integerPlaces = 0;
    int minInteger = 0;  ///< places from the first "0" of the integer part on
    int decimals = 0;
    int minDecimals = 0;  ///< places up to the last "0" of the decimals
};

std::vector<std::string> SplitSections(const std::string& mask) {
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char c : mask) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';' && sections.size() < 3) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

Section ParseSection(const std::string& s) {
    Section section;
    bool afterPoint = false;
    auto literal = [&section](const std::string& text) {
        if (!section.items.empty() && section.items.back().kind == Item::kLiteral)
            section.items.back().literal += text;
        else
            section.items.push_back({Item::kLiteral, false, text});
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = s.find(c, i + 1);
            literal(s.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1));
            i = end == std::string::npos ? s.size() : end;
        } else if (c == '0' || c == '#') {
            section.items.push_back({Item::kDigit, c == '0', {}});
            if (afterPoint) {
                ++section.decimals;
                if (c == '0')
                    section.minDecimals = section.decimals;
            } else {
                ++section.integerPlaces;
                if (c == '0' && section.minInteger == 0)
                    section.minInteger = 1;
                else if (section.minInteger > 0)
                    ++section.minInteger;
            }
        } else if (c == '.' && !afterPoint && !section.exponent) {
            afterPoint = true;
            section.items.push_back({Item::kPoint, false, {}});
        } else if (c == ',') {
            section.thousands = section.thousands || !afterPoint;
        } else if ((c == 'E' || c == 'e') && !section.exponent && i + 2 < s.size() &&
                   (s[i + 1] == '+' || s[i + 1] == '-') && s[i + 2] == '0') {
            section.exponent = true;
            section.exponentPrefix = std::string(1, c);
            section.exponentSign = s[i + 1] == '+';
            i += 2;
            while (i < s.size() && s[i] == '0') {
                ++section.exponentDigits;
                ++i;
            }
            --i;
            // The exponent stands where it was written among the literals.
            section.items.push_back({Item::kLiteral, false, std::string(1, '\x01')});
        } else {
            literal(std::string(1, c));
        }
    }
    section.decimals = std::min(section.decimals, kMaxDigits);
    section.minDecimals = std::min(section.minDecimals, section.decimals);
    return section;
}

/// Writes `x` (not negative) into the section's placeholders.
std::string ApplySection(const Section& section, double x, bool minus) {
    const RegionalSettings& regional = CurrentRegionalSettings();
    std::string exponentText;
    if (section.exponent) {
        int exponent = x == 0 ? 0 : static_cast<int>(std::floor(std::log10(x)));
        double mantissa = x / std::pow(10.0, exponent);
        if (std::stod(RealToText(mantissa, 0, section.decimals).Bytes()) >= 10) {
            ++exponent;
            mantissa /= 10;
        }
        x = mantissa;
        std::string digits = std::to_string(std::abs(exponent));
        if (digits.size() < static_cast<std::size_t>(section.exponentDigits))
            digits.insert(0, static_cast<std::size_t>(section.exponentDigits) - digits.size(), '0');
        exponentText = section.exponentPrefix +
                       (exponent < 0           ? "-"
                        : section.exponentSign ? "+"
                                               : "") +
                       digits;
    }
    const std::string fixed = RealToText(x, 0, section.decimals).Bytes();
    const std::size_t point = fixed.find('.');
    std::string integer = fixed.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : fixed.substr(point + 1);
    if (minus && integer.find_first_not_of('0') == std::string::npos &&
        fraction.find_first_not_of('0') == std::string::npos)
        minus = false;
    integer.erase(0, integer.find_first_not_of('0'));
    if (integer.size() < static_cast<std::size_t>(section.minInteger))
        integer.insert(0, static_cast<std::size_t>(section.minInteger) - integer.size(), '0');
    while (fraction.size() > static_cast<std::size_t>(section.minDecimals) &&
           fraction.back() == '0')
        fraction.pop_back();

    std::string out;
    const int places = section.integerPlaces;
    const int length = static_cast<int>(integer.size());
    int place = 0;    // integer placeholders met so far
    int written = 0;  // integer digits written so far
    int decimal = 0;  // decimal placeholders met so far
    bool pointDone = false;
    auto digit = [&](int index) {
        if (section.thousands && written > 0 && (length - index) % 3 == 0 &&
            regional.thousandsSeparator != '\0')
            out += regional.thousandsSeparator;
        out += integer[static_cast<std::size_t>(index)];
        ++written;
    };
    for (const Item& item : section.items) {
        if (item.kind == Item::kLiteral) {
            const bool inside = place > 0 && place < places && !pointDone;
            if (item.literal == "\x01")
                out += exponentText;
            else if (!inside || written > 0)
                out += item.literal;
        } else if (item.kind == Item::kPoint) {
            pointDone = true;
            if (!fraction.empty())
                out += regional.decimalSeparator;
        } else if (!pointDone) {
            if (place == 0 && minus)
                out += '-';
            // The first placeholder takes every digit beyond the placeholders.
            const int first = place == 0 ? 0 : length - (places - place);
            const int last = length - (places - place);
            for (int i = std::max(first, 0); i <= last && i < length; ++i)
                if (i >= 0)
                    digit(i);
            ++place;
        } else {
            if (static_cast<std::size_t>(decimal) < fraction.size())
                out += fraction[static_cast<std::size_t>(decimal)];
            ++decimal;
        }
    }
    if (places == 0 && minus && !out.empty())
        out.insert(0, 1, '-');
    return out;
}

}  // namespace

Text FormatNumber(double x, int format, int precision, int digits) {
    if (!std::isfinite(x))
        return {};
    if (precision < 1 || precision > kMaxDigits)
        precision = 15;
    digits = std::clamp(digits, 0, kMaxDigits);
    if (format == 0)
        return NumberToText(x, precision);
    const bool huge = std::fabs(x) >= std::pow(10.0, precision);
    if (format == 1 || huge)
        return Text::FromBytes(ExponentText(x, precision - 1, std::min(digits, 4), true));
    switch (format) {
        case 3:
            return AmountText(x, 0, digits);
        case 4:
            return AmountText(x, 0, digits) + " Kč"_t;
        default: {
            Text text = RealToText(x, 0, digits);
            std::replace(text.begin(), text.end(), '.', CurrentRegionalSettings().decimalSeparator);
            return text;
        }
    }
}

Text FormatNumberMask(double x, const Text& mask) {
    if (!std::isfinite(x))
        return {};
    if (mask.empty())
        return NumberToText(x);
    std::vector<std::string> sections = SplitSections(mask.Bytes());
    std::string chosen = sections[0];
    bool minus = x < 0;
    if (x < 0 && sections.size() > 1 && !sections[1].empty()) {
        chosen = sections[1];
        minus = false;
    } else if (x == 0 && sections.size() > 2 && !sections[2].empty()) {
        chosen = sections[2];
    }
    std::string out = ApplySection(ParseSection(chosen), std::fabs(x), minus);
    if (out.size() > kMaxValueText)
        out.resize(kMaxValueText);
    return Text::FromBytes(out);
}

}  // namespace axo::report
