// Input options of edit fields and the number and year texts they lead to.
#include "ui/PrvekFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

/// The characters after an option letter up to a backslash or the end; `i` moves past them.
Text OptionPayload(const Text& options, std::size_t& i) {
    const std::size_t end = options.find('\\', i);
    const Text payload = options.substr(i, end == Text::npos ? Text::npos : end - i);
    i = end == Text::npos ? options.size() : end + 1;
    return payload;
}

/// Blanks turned into "0" and a minus sign moved to the front; asterisks stay.
Text WithLeadingZeros(Text text) {
    if (text.find('*') != Text::npos)
        return text;
    std::string& s = text.Bytes();
    const bool negative = std::erase(s, '-') > 0;
    std::replace(s.begin(), s.end(), ' ', '0');
    if (negative)
        s.insert(0, 1, '-');
    return text;
}

/// A minus sign on a text without any digit 1-9 goes; the width is kept with a blank.
Text DropMinusOnZero(Text text) {
    const std::size_t minus = text.find('-');
    if (minus == Text::npos || text.View().find_first_of("123456789") != std::string_view::npos)
        return text;
    text.erase(minus, 1);
    return ' ' + text;
}

}  // namespace

PrvekOptions PrvekOptions::Parse(const Text& options) {
    PrvekOptions o;
    for (std::size_t i = 0; i + 1 < options.size();) {
        if (options[i] != '/') {
            ++i;
            continue;
        }
        const char letter =
            static_cast<char>(std::toupper(static_cast<unsigned char>(options[i + 1])));
        i += 2;
        switch (letter) {
            case 'L': {
                const Text digits = OptionPayload(options, i);
                // Three digits hold every width a field can have (at most 255).
                if (!digits.empty() && digits.size() <= 3 &&
                    std::all_of(digits.begin(), digits.end(), IsDigit))
                    o.shownWidth = std::min(std::atoi(digits.Bytes().c_str()), 255);
                break;
            }
            case 'M':
                o.allowed = OptionPayload(options, i);
                break;
            case 'S':
                o.noSign = true;
                break;
            case '0':
                o.positive = true;
                break;
            case 'T':
                o.decimalComma = true;
                break;
            case 'Z':
                o.zeros = true;
                break;
            case '?':
                o.questionFill = true;
                break;
            case 'C':
                o.fixedPitch = true;
                break;
            case 'R':
                o.year = true;
                break;
            case 'D':
                o.dateMayBeEmpty = true;
                break;
            case 'V':
                o.keepScroll = true;
                break;
            case 'J':
                o.alignDecimal = true;
                break;
            default:
                break;
        }
    }
    return o;
}

Text FormatFieldDouble(double x, int width, int decimals, const PrvekOptions& options,
                       const RegionalSettings& regional) {
    // "/T" is the amount text with a decimal comma and no grouping, so it shares its fall-backs.
    const RegionalSettings shown = options.decimalComma ? RegionalSettings{',', '\0'} : regional;
    Text text;
    if (options.zeros) {
        text = WithLeadingZeros(AmountText(x, width, decimals, {shown.decimalSeparator, '\0'}));
    } else if (options.alignDecimal) {
        text = AmountInColumn(x, width, decimals, shown);
    } else {
        text = AmountText(x, width, decimals, shown);
    }
    return DropMinusOnZero(text);
}

Text FormatFieldInteger(long long n, int width, bool zeros) {
    return zeros ? IntToTextZeros(n, width) : IntToText(n, width);
}

double ReadTypedNumber(const Text& text, bool isSigned) {
    std::string kept;
    for (char ch : text) {
        if (IsDigit(ch) || ch == ',' || ch == '.')
            kept.push_back(ch == ',' ? '.' : ch);
    }
    // Only the last separator is the decimal point: "1 234,50" and "1.234,50" both read 1234.5.
    const std::size_t point = kept.rfind('.');
    if (point != std::string::npos) {
        const std::size_t before = static_cast<std::size_t>(
            std::count(kept.begin(), kept.begin() + static_cast<long>(point), '.'));
        std::erase(kept, '.');
        kept.insert(point - before, 1, '.');
    }
    const double magnitude = kept.empty() || kept == "." ? 0.0 : TextToReal(Text::FromBytes(kept));
    const bool negative = isSigned && text.find('-') != Text::npos;
    return negative && magnitude != 0.0 ? -magnitude : magnitude;
}

int CompleteYear(int year) {
    if (year >= 0 && year <= 50)
        return 2000 + year;
    if (year >= 51 && year <= 99)
        return 1900 + year;
    return year;
}

Text CompleteYearText(const Text& typed) {
    const Text digits = Trim(typed);
    if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return typed;
    const int year = std::atoi(digits.Bytes().c_str());
    if (year > 99)
        return typed;
    return IntToText(CompleteYear(year), 4);
}

}  // namespace axo::ui
