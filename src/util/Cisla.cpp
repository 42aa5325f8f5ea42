// Number texts, reading numbers from texts, decimal rounding and numbers in words.
#include "util/Cisla.h"

#include "util/Retezce.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace axo {

namespace {

constexpr int kMaxDecimals = 30;
// Holds the digits of the largest double (309) with sign, point and kMaxDecimals + 1 decimals.
constexpr std::size_t kFormatBuffer = 400;

/// Whether x lies exactly halfway between two multiples of 10^-d. Such x is odd * 2^-(d+1):
/// scaling by 2^(d+1) is exact and must give an odd whole number (doubles from 2^53 up are even).
bool IsExactTie(double x, int d) {
    const double scaled = std::ldexp(std::fabs(x), d + 1);
    return scaled < 0x1p53 && scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

/// Adds one unit in the last place to the magnitude of a decimal text ("-9.99" -> "-10.00").
void IncrementMagnitude(std::string& s) {
    for (std::size_t i = s.size(); i-- > 0;) {
        if (s[i] == '.')
            continue;
        if (s[i] == '-')
            break;
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s[0] == '-' ? 1 : 0, 1, '1');
}

/// x with d decimals and "." as point, without padding. Exact ties are rounded away from zero,
/// everything else to the nearest: the standard conversions round ties to even (0.125 -> 0.12),
/// while amounts halve away from zero. Never depends on the process locale. A negative value that
/// shows no digit 1-9 is written without its "-".
std::string FormatFixed(double x, int d) {
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x < 0 ? "-Inf" : "Inf";
    d = std::clamp(d, 0, kMaxDecimals);
    const bool tie = IsExactTie(x, d);
    char buffer[kFormatBuffer];
    // A tie has exactly d + 1 decimals, so writing them all is exact; the last one is the 5.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, tie ? d + 1 : d);
    std::string s(buffer, result.ptr);
    if (tie) {
        s.pop_back();
        if (d == 0)
            s.pop_back();
        IncrementMagnitude(s);
    }
    if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
        s.erase(0, 1);
    return s;
}

int ClampWidth(int w) {
    return std::clamp(w, 0, static_cast<int>(kMaxNumberText));
}

/// The number text right-aligned in w, cut at the longest number text.
Text NumberText(std::string s, int w) {
    const auto width = static_cast<std::size_t>(ClampWidth(w));
    if (s.size() < width)
        s.insert(0, width - s.size(), ' ');
    if (s.size() > kMaxNumberText)
        s.resize(kMaxNumberText);
    return Text::FromBytes(std::move(s));
}

/// Blanks turned into "0" and a "-" moved to the front.
Text WithZeros(Text text) {
    const bool negative = text.find('-') != Text::npos;
    std::string& s = text.Bytes();
    std::erase(s, '-');
    std::replace(s.begin(), s.end(), ' ', '0');
    if (negative)
        s.insert(0, 1, '-');
    return text;
}

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

/// Splits an optional sign off s; false when nothing is left after it.
bool TakeSign(std::string_view& s, bool& negative) {
    negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    return !s.empty();
}

std::optional<long long> ParseInt(std::string_view s) {
    s = TrimBlanks(s);
    bool negative = false;
    if (!TakeSign(s, negative) || s[0] < '0' || s[0] > '9')
        return std::nullopt;
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size())
        return std::nullopt;
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (magnitude > kMax + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
}

std::optional<double> ParseReal(std::string_view s) {
    s = TrimBlanks(s);
    bool negative = false;
    // A digit or a point must follow the sign: "inf" and "nan" are no numbers of ours.
    if (!TakeSign(s, negative) || !((s[0] >= '0' && s[0] <= '9') || s[0] == '.'))
        return std::nullopt;
    double value = 0;
    const auto result =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size())
        return std::nullopt;
    return negative ? -value : value;
}

double ParseRealOrZero(std::string s) {
    return ParseReal(s).value_or(0.0);
}

/// Integer digits grouped by three from the right.
std::string Grouped(const std::string& digits, char separator) {
    if (separator == '\0')
        return digits;
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(separator);
        out.push_back(digits[i]);
    }
    return out;
}

double NonNegativeZero(double x) {
    return x == 0 ? 0.0 : x;
}

// --- Decimal arithmetic of the general rounding: values as whole numbers of 10^-10.

using Scaled = __int128;
constexpr int kScaledDecimals = 10;

Scaled PowerOfTenScaled(int n) {
    Scaled p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

/// x as a whole number of 10^-10, read from its text with 10 decimals, so that 2.01 is exactly
/// 2.01 and not the binary value just below it; nullopt for values too large for the type.
std::optional<Scaled> ToScaled(double x) {
    if (!(std::fabs(x) < 1e17))
        return std::nullopt;
    std::string s = FormatFixed(x, kScaledDecimals);
    const bool negative = s[0] == '-';
    Scaled value = 0;
    for (char c : s)
        if (c >= '0' && c <= '9')
            value = value * 10 + (c - '0');
    return negative ? -value : value;
}

/// sign * whole * 10^-places as a double, through its decimal text (correctly rounded).
double FromWhole(bool negative, Scaled whole, int places) {
    std::string digits;
    for (Scaled w = whole; w > 0; w /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(w % 10)));
    if (digits.empty())
        return 0.0;
    if (places < 0)
        digits.append(static_cast<std::size_t>(-places), '0');
    else if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, places - digits.size() + 1, '0');
        digits.insert(digits.size() - places, 1, '.');
    }
    const double value = ParseRealOrZero(digits);
    return negative ? -value : value;
}

/// Whether the magnitude goes one step up from `whole` given the dropped fraction
/// (`fraction` of `step`). Up and nearest are symmetric about zero, as amounts of both signs
/// must round alike; down is towards minus infinity, so a negative value with a fraction goes up
/// in magnitude.
template <typename Number>
bool StepsUp(int mode, bool negative, Number fraction, Number step) {
    switch (mode) {
        case kRoundUp:
            return fraction > 0;
        case kRoundNearest:
            return 2 * fraction >= step;
        default:
            return negative && fraction > 0;
    }
}

/// x * 10^p made whole in the mode and divided by 10^p again.
double RoundScaled(double x, int p, int mode) {
    const std::optional<Scaled> scaled = ToScaled(x);
    if (!scaled || p < -20) {
        // Values this large have no fraction a double could hold; only tens and up matter.
        const double y = std::fabs(x) * PowerOfTen(p);
        double whole = std::trunc(y);
        const double fraction = y - whole;
        if (StepsUp(mode, x < 0, fraction, 1.0))
            whole += 1;
        const double back = p >= 0 ? whole / PowerOfTen(p) : whole * PowerOfTen(-p);
        return NonNegativeZero(std::copysign(back, x));
    }
    if (p >= kScaledDecimals)
        return FromWhole(*scaled < 0, *scaled < 0 ? -*scaled : *scaled, kScaledDecimals);
    const bool negative = *scaled < 0;
    const Scaled magnitude = negative ? -*scaled : *scaled;
    const Scaled step = PowerOfTenScaled(kScaledDecimals - p);
    Scaled whole = magnitude / step;
    if (StepsUp(mode, negative, magnitude % step, step))
        ++whole;
    return FromWhole(negative, whole, p);
}

/// Rounding up to p = 0-2 decimals that forgives an excess below a hundredth of the step, the
/// noise of a price computed from others.
double RoundUpForgiving(double x, int p) {
    const std::optional<Scaled> scaled = ToScaled(x);
    if (!scaled)
        return x;
    const bool negative = *scaled < 0;
    const Scaled magnitude = negative ? -*scaled : *scaled;
    const Scaled step = PowerOfTenScaled(kScaledDecimals - p);
    Scaled whole = magnitude / step;
    if (magnitude % step >= step / 100)
        ++whole;
    return FromWhole(negative, whole, p);
}

// --- Numbers in words.

Text Words(long long n, bool masculine) {
    static const Text kBelowTwenty[] = {""_t,         "jedna"_t,    "dva"_t,     "tři"_t,
                                        "čtyři"_t,    "pět"_t,      "šest"_t,    "sedm"_t,
                                        "osm"_t,      "devět"_t,    "deset"_t,   "jedenáct"_t,
                                        "dvanáct"_t,  "třináct"_t,  "čtrnáct"_t, "patnáct"_t,
                                        "šestnáct"_t, "sedmnáct"_t, "osmnáct"_t, "devatenáct"_t};
    static const Text kTens[] = {""_t,         ""_t,         "dvacet"_t,  "třicet"_t,
                                 "čtyřicet"_t, "padesát"_t,  "šedesát"_t, "sedmdesát"_t,
                                 "osmdesát"_t, "devadesát"_t};
    constexpr long long kThousand = 1000;
    constexpr long long kMillion = 1000000;
    if (n <= 0 || n >= 1000 * kMillion)
        return {};
    if (n < 20)
        return n == 2 && !masculine ? "dvě"_t : kBelowTwenty[n];
    if (n < 100)
        return kTens[n / 10] + Words(n % 10, masculine);
    if (n < 200)
        return "sto"_t + Words(n - 100, masculine);
    if (n < 300)
        return "dvěstě"_t + Words(n - 200, masculine);
    if (n < 1000)
        return Words(n / 100, true) + (n < 500 ? "sta"_t : "set"_t) + Words(n % 100, masculine);
    if (n < 2 * kThousand)
        return "tisíc"_t + Words(n - kThousand, masculine);
    if (n < kMillion)
        return Words(n / kThousand, true) + (n < 5 * kThousand ? "tisíce"_t : "tisíc"_t) +
               Words(n % kThousand, masculine);
    if (n < 2 * kMillion)
        return "milión"_t + Words(n - kMillion, masculine);
    return Words(n / kMillion, true) + (n < 5 * kMillion ? "milióny"_t : "miliónů"_t) +
           Words(n % kMillion, masculine);
}

}  // namespace

Text IntToText(long long n, int w) {
    return NumberText(std::to_string(n), w);
}

Text IntToTextZeros(long long n, int w) {
    return WithZeros(IntToText(n, w));
}

Text RealToText(double x, int w, int d) {
    return NumberText(FormatFixed(x, d), w);
}

Text RealToTextZeros(double x, int w, int d) {
    return WithZeros(RealToText(x, w, d));
}

Text RealToTextComma(double x, int w, int d) {
    Text text = RealToText(x, w, d);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

Text ShortestRealText(double x) {
    std::string s = FormatFixed(x, 9);
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    return NumberText(std::move(s), 0);
}

Text AmountText(double x, int w, int d, const RegionalSettings& regional) {
    d = std::clamp(d, 0, kMaxDecimals);
    const int width = w <= 0 ? static_cast<int>(kMaxNumberText) : ClampWidth(w);
    if (!std::isfinite(x))
        return Text(static_cast<std::size_t>(width), '*');
    std::string fixed = FormatFixed(x, d);
    const std::string sign = fixed[0] == '-' ? "-" : "";
    fixed.erase(0, sign.size());
    const std::size_t point = fixed.find('.');
    const std::string digits = fixed.substr(0, point);
    const std::string decimals =
        d > 0 ? std::string(1, regional.decimalSeparator) + fixed.substr(point + 1) : "";

    for (const std::string& candidate :
         {sign + Grouped(digits, regional.thousandsSeparator) + decimals, sign + digits + decimals,
          sign + digits}) {
        if (candidate.size() <= static_cast<std::size_t>(width))
            return NumberText(candidate, w);
    }
    return Text(static_cast<std::size_t>(width), '*');
}

Text AmountText(double x, int w, int d) {
    return AmountText(x, w, d, CurrentRegionalSettings());
}

Text AmountInColumn(double x, int w, int d, const RegionalSettings& regional) {
    std::string s(TrimBlanks(AmountText(x, w, d, regional).View()));
    s.append(d == 0 ? 4 : d == 1 ? 2 : d == 2 ? 1 : 0, ' ');
    if (w > 0 && s.size() > static_cast<std::size_t>(ClampWidth(w)))
        s.resize(static_cast<std::size_t>(ClampWidth(w)));
    return NumberText(std::move(s), w);
}

Text AmountInColumn(double x, int w, int d) {
    return AmountInColumn(x, w, d, CurrentRegionalSettings());
}

Text TimeText(int parts, const Clock& clock) {
    const DateTime now = clock.Now();
    const int values[] = {now.hour, now.minute, now.second, now.millisecond};
    Text text;
    for (int i = 0; i < std::clamp(parts, 1, 4); ++i) {
        if (i > 0)
            text += ':';
        text += IntToTextZeros(values[i], 2);
    }
    return text;
}

std::optional<long long> TryTextToInt(const Text& text) {
    return ParseInt(text.View());
}

std::optional<double> TryTextToReal(const Text& text) {
    return ParseReal(text.View());
}

long long TextToInt(const Text& text) {
    return ParseInt(text.View()).value_or(0);
}

long long TextToIntBlanks(const Text& text) {
    std::string s = text.Bytes();
    std::replace(s.begin(), s.end(), ' ', '0');
    return ParseInt(s).value_or(0);
}

double TextToReal(const Text& text) {
    return ParseReal(text.View()).value_or(0.0);
}

double TextToAmount(const Text& text) {
    std::string s = text.Bytes();
    const bool negative = std::erase(s, '-') > 0;
    std::replace(s.begin(), s.end(), ',', '.');
    const double value = ParseRealOrZero(s);
    return negative ? -value : value;
}

double TextToAmountThousands(const Text& text) {
    std::string s = text.Bytes();
    std::erase(s, ' ');
    std::erase(s, '.');
    std::replace(s.begin(), s.end(), ',', '.');
    return ParseRealOrZero(s);
}

double Round(double x, int d) {
    static constexpr double kHalfSteps[] = {0.5,  0.05, 0.005, 5e-4,  5e-5, 5e-6,
                                            5e-7, 5e-8, 5e-9,  5e-10, 5e-11};
    if (!std::isfinite(x))
        return x;
    d = std::clamp(d, 0, 10);
    const double shifted = x >= 0 ? x + kHalfSteps[d] : x - kHalfSteps[d];
    // Writing the shifted value with 10 decimals and cutting the rest off (not rounding it) is
    // what lets 2.675, stored as 2.67499999..., come out as 2.68: the half added lands within
    // 10^-10 of the next step, and the 10-decimal text rounds it onto the step.
    if (std::fabs(shifted) >= 1e20)
        return x;  // a double this large holds no fraction to round
    std::string s = FormatFixed(shifted, 10);
    const std::size_t point = s.find('.');
    s.resize(d == 0 ? point : point + 1 + d);
    return NonNegativeZero(ParseRealOrZero(s));
}

double RoundGeneral(double x, int p, int mode, int unitPricePlaces) {
    if (!std::isfinite(x) || mode < kRoundUp || mode > kRoundDown)
        return x;
    if (p == kRoundToUnitPricePlaces)
        p = unitPricePlaces;
    if (p == kRoundToHalves)
        return NonNegativeZero(RoundGeneral(2 * x, 0, mode) / 2);
    if (mode == kRoundNearest && p >= 0 && p <= 6)
        return Round(x, p);
    if (mode == kRoundUp && p >= 0 && p <= 2)
        return RoundUpForgiving(x, p);
    if (mode == kRoundUp && p >= 3 && p <= 6)
        return Round(x, p);
    return RoundScaled(x, p, mode);
}

double Share(double x, double percent, int d) {
    return Round(x * percent / 100, d);
}

double Ratio(double a, double b, int d) {
    if (std::fabs(b) < 5e-21)  // b shows as zero with 20 decimals
        return 0.0;
    const double ratio = a / b;
    return d == 99 ? ratio : Round(ratio, d);
}

double PowerOfTen(int n) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    // Powers up to 10^22 are exact doubles; dividing by one rounds once, to the nearest.
    if (n >= 0 && n <= 22)
        return kExact[n];
    if (n < 0 && n >= -22)
        return 1.0 / kExact[-n];
    return std::pow(10.0, n);
}

Text RomanNumeral(int n) {
    static const char* const kFirstTwenty[] = {"",    "I",    "II",  "III",  "IV",    "V",   "VI",
                                               "VII", "VIII", "IX",  "X",    "XI",    "XII", "XIII",
                                               "XIV", "XV",   "XVI", "XVII", "XVIII", "XIX", "XX"};
    struct Other {
        int n;
        const char* numeral;
    };
    static constexpr Other kOthers[] = {{40, "XL"},  {50, "L"},  {90, "XC"},  {100, "C"},
                                        {400, "CD"}, {500, "D"}, {900, "CM"}, {1000, "M"}};
    if (n == 666)
        return Text::FromBytes("DCLXVI");
    const char* numeral = nullptr;
    if (n >= 1 && n <= 20)
        numeral = kFirstTwenty[n];
    for (const Other& other : kOthers)
        if (other.n == n)
            numeral = other.numeral;
    if (numeral == nullptr)
        return IntToText(n);
    return NumberText(numeral, 5);
}

Text NumberInWords(long long n, bool masculine) {
    return Words(n, masculine);
}

Text AmountInWords(double x, const Text& currency) {
    const double rounded = Round(x, 2);
    if (!std::isfinite(rounded) || rounded < 0)
        return {};
    // Splitting the amount rounded to hundredths keeps 1.999 from reading as one and a hundred
    // hundredths; x - floor(x) is exact, so 0.29 still gives 29.
    const double whole = std::floor(rounded);
    const auto hundredths = static_cast<int>(std::lround((rounded - whole) * 100));
    Text text;
    if (whole > 0)
        text = Words(whole < 1e9 ? static_cast<long long>(whole) : 0, false) + ' ' +
               currency.substr(0, 3);
    if (hundredths != 0) {
        if (!text.empty())
            text += ' ';
        text += (hundredths == 1 ? "jedna"_t : Words(hundredths, true)) + ' ';
    }
    if (text.empty())
        return text;
    return NationalUpperCase(text.substr(0, 1)) + text.substr(1);
}

int DaysInMonth(int month, int year) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return year % 4 == 0 ? 29 : 28;
        default:
            return 0;
    }
}

int Quarter(const Text& dateText) {
    return static_cast<int>((TextToIntBlanks(dateText.substr(3, 2)) + 2) / 3);
}

}  // namespace axo
