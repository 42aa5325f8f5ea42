// Day serials, date-time texts and date masks.
#include "report/model/DateMask.h"

#include <cmath>
#include <string>
#include <vector>

#include "util/Cisla.h"
#include "util/Datum.h"

namespace axo::report {

namespace {

/// Days from 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

constexpr long long kSerialEpoch = -25569;  ///< 30 December 1899 in days from 1970
constexpr double kFirstSerial = -693593;    ///< 1 January of the year 1
constexpr double kLastSerial = 2958466;     ///< 1 January 10000

const char* const kDayNames[] = {"pondělí", "úterý",  "středa", "čtvrtek",
                                 "pátek",   "sobota", "neděle"};
const char* const kShortDayNames[] = {"po", "út", "st", "čt", "pá", "so", "ne"};
const char* const kMonthNames[] = {"leden",    "únor",  "březen", "duben", "květen",   "červen",
                                   "červenec", "srpen", "září",   "říjen", "listopad", "prosinec"};
const char* const kShortMonthNames[] = {"led", "úno", "bře", "dub", "kvě", "čvn",
                                        "čvc", "srp", "zář", "říj", "lis", "pro"};

/// The numbers and separators of a date-time text, blanks skipped.
struct Token {
    char separator = 0;  ///< '.', ':' or 0 for a number
    long long number = 0;
};

std::optional<std::vector<Token>> Tokens(const Text& text) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (c == '.' || c == ':') {
            tokens.push_back({c, 0});
            ++i;
        } else if (c >= '0' && c <= '9') {
            long long n = 0;
            std::size_t digits = 0;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
                if (++digits > 6)
                    return std::nullopt;
                n = n * 10 + (text[i++] - '0');
            }
            // Two numbers in a row are the date and the time: a blank stood between them.
            tokens.push_back({0, n});
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

/// Reads "h:mm[:ss]" at `i`; false when the tokens are no time.
bool ReadTime(const std::vector<Token>& t, std::size_t i, double& fraction) {
    const std::size_t n = t.size() - i;
    if (n != 3 && n != 5)
        return false;
    for (std::size_t k = 0; k < n; ++k)
        if ((k % 2 == 1) != (t[i + k].separator == ':'))
            return false;
    const long long h = t[i].number;
    const long long m = t[i + 2].number;
    const long long s = n == 5 ? t[i + 4].number : 0;
    if (h > 23 || m > 59 || s > 59)
        return false;
    fraction = static_cast<double>(h * 3600 + m * 60 + s) / 86400.0;
    return true;
}

}  // namespace

double DateTimeSerial(const DateTime& t) {
    const long long days = DaysFromCivil(t.year, t.month, t.day) - kSerialEpoch;
    const double time =
        ((t.hour * 60.0 + t.minute) * 60.0 + t.second + t.millisecond / 1000.0) / 86400.0;
    return static_cast<double>(days) + time;
}

std::optional<DateTime> DateTimeOfSerial(double serial) {
    if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kLastSerial)
        return std::nullopt;
    long long day = static_cast<long long>(std::floor(serial));
    long long ms = std::llround((serial - static_cast<double>(day)) * 86400000.0);
    if (ms >= 86400000) {
        ++day;
        ms = 0;
    }
    DateTime t;
    CivilFromDays(day + kSerialEpoch, t.year, t.month, t.day);
    if (t.year > 9999)
        return std::nullopt;
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

std::optional<double> ParseDateTimeText(const Text& text) {
    const auto tokens = Tokens(text);
    if (!tokens || tokens->empty())
        return std::nullopt;
    const std::vector<Token>& t = *tokens;
    double fraction = 0;
    if (t.size() >= 2 && t[1].separator == ':')
        return ReadTime(t, 0, fraction) ? std::optional<double>(fraction) : std::nullopt;
    if (t.size() < 5 || t[0].separator || t[1].separator != '.' || t[2].separator ||
        t[3].separator != '.' || t[4].separator)
        return std::nullopt;
    const int day = static_cast<int>(t[0].number);
    const int month = static_cast<int>(t[2].number);
    const int year = static_cast<int>(t[4].number);
    if (year > 9999 || CheckDate(day, month, year) != kDateValid)
        return std::nullopt;
    if (t.size() > 5 && !ReadTime(t, 5, fraction))
        return std::nullopt;
    return DateTimeSerial({year, month, day, 0, 0, 0, 0}) + fraction;
}

Text FormatDateTimeMask(double serial, const Text& mask) {
    const auto when = DateTimeOfSerial(serial);
    if (!when)
        return {};
    const DateTime& t = *when;
    const Text time = IntToTextZeros(t.hour, 2) + ":"_t + IntToTextZeros(t.minute, 2) + ":"_t +
                      IntToTextZeros(t.second, 2);
    if (mask.empty()) {
        if (serial >= 0 && serial < 1)
            return time;
        const Text date = DateText(t.day, t.month, t.year);
        const bool hasTime = t.hour || t.minute || t.second || t.millisecond;
        return hasTime ? date + " "_t + time : date;
    }
    const int weekday =
        static_cast<int>(((DaysFromCivil(t.year, t.month, t.day) + 3) % 7 + 7) % 7);  // 0 = Monday
    Text out;
    bool afterHour = false;
    const std::string& m = mask.Bytes();
    for (std::size_t i = 0; i < m.size() && out.size() < 255;) {
        const char c = m[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = m.find(c, i + 1);
            out += Text::FromBytes(
                m.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1));
            i = end == std::string::npos ? m.size() : end + 1;
            continue;
        }
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        std::size_t run = 1;
        while (i + run < m.size() && (m[i + run] | 0x20) == lower && run < 4)
            ++run;
        switch (lower) {
            case 'd':
                out += run == 1 ? IntToText(t.day)
                       : run == 2
                           ? IntToTextZeros(t.day, 2)
                           : FromUtf8(run == 3 ? kShortDayNames[weekday] : kDayNames[weekday]);
                afterHour = false;
                break;
            case 'm':
                if (afterHour && run <= 2)
                    out += run == 1 ? IntToText(t.minute) : IntToTextZeros(t.minute, 2);
                else
                    out += run == 1   ? IntToText(t.month)
                           : run == 2 ? IntToTextZeros(t.month, 2)
                                      : FromUtf8(run == 3 ? kShortMonthNames[t.month - 1]
                                                          : kMonthNames[t.month - 1]);
                afterHour = false;
                break;
            case 'y':
                out += run >= 3 ? IntToTextZeros(t.year, 4) : IntToTextZeros(t.year % 100, 2);
                afterHour = false;
                break;
            case 'h':
                run = std::min<std::size_t>(run, 2);
                out += run == 1 ? IntToText(t.hour) : IntToTextZeros(t.hour, 2);
                afterHour = true;
                break;
            case 'n':
            case 's':
                run = std::min<std::size_t>(run, 2);
                {
                    const int v = lower == 'n' ? t.minute : t.second;
                    out += run == 1 ? IntToText(v) : IntToTextZeros(v, 2);
                }
                afterHour = false;
                break;
            case 'z':
                run = run >= 3 ? 3 : 1;
                out += run == 3 ? IntToTextZeros(t.millisecond, 3) : IntToText(t.millisecond);
                afterHour = false;
                break;
            default:
                run = 1;
                out += c;
                break;
        }
        i += run;
    }
    return out.size() > 255 ? out.substr(0, 255) : out;
}

}  // namespace axo::report
