// Date texts and time stamps.
#include "util/Datum.h"

#include "util/Cisla.h"

#include <algorithm>
#include <optional>

namespace axo {

namespace {

struct SplitDate {
    Text day;
    Text month;
    Text year;
};

/// The text split at its first two full stops; the year keeps any further stop.
SplitDate SplitAtStops(const Text& text) {
    const std::size_t first = text.find('.');
    if (first == Text::npos)
        return {text, {}, {}};
    const std::size_t second = text.find('.', first + 1);
    if (second == Text::npos)
        return {text.substr(0, first), text.substr(first + 1), {}};
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

Text IsoText(int day, int month, int year) {
    return IntToTextZeros(year, 4) + '-' + IntToTextZeros(month, 2) + '-' + IntToTextZeros(day, 2);
}

Text StampText(const DateTime& t) {
    return IsoText(t.day, t.month, t.year) + 'T' + IntToTextZeros(t.hour, 2) + ':' +
           IntToTextZeros(t.minute, 2) + ':' + IntToTextZeros(t.second, 2) + 'Z';
}

int ReadPart(const Text& part) {
    return static_cast<int>(TextToInt(part));
}

}  // namespace

Text DateText(int day, int month, int year) {
    return IntToText(day, 2) + '.' + IntToText(month, 2) + '.' + IntToText(year, 4);
}

Text TodayText(const Clock& clock) {
    const DateTime now = clock.Now();
    return DateText(now.day, now.month, now.year);
}

DateParts ParseDate(const Text& dateText) {
    Text compact = dateText;
    std::erase(compact.Bytes(), ' ');
    const SplitDate parts = SplitAtStops(compact);
    return {ReadPart(parts.day), ReadPart(parts.month), ReadPart(parts.year)};
}

int CheckDate(int day, int month, int year) {
    if (year <= 0)
        return kDateBadYear;
    if (month < 1 || month > 12)
        return kDateBadMonth;
    if (day < 1 || day > DaysInMonth(month, year))
        return kDateBadDay;
    return kDateValid;
}

int CheckDate(const Text& dateText) {
    const DateParts date = ParseDate(dateText);
    return CheckDate(date.day, date.month, date.year);
}

long long DateNumber(const Text& dateText) {
    Text zeros = dateText;
    std::replace(zeros.begin(), zeros.end(), ' ', '0');
    const SplitDate parts = SplitAtStops(zeros);
    const std::optional<long long> day = TryTextToInt(parts.day);
    const std::optional<long long> month = TryTextToInt(parts.month);
    const std::optional<long long> year = TryTextToInt(parts.year);
    if (!day || !month || !year)
        return 0;
    return *year * 10000 + *month * 100 + *day;
}

Text IsoDate(const Text& dateText) {
    const DateParts date = ParseDate(dateText);
    return IsoText(date.day, date.month, date.year);
}

Text IsoDate(const Clock& clock) {
    const DateTime now = clock.Now();
    return IsoText(now.day, now.month, now.year);
}

Text DateTimeText(const DateTime& stamp) {
    return IntToTextZeros(stamp.day, 2) + '.' + IntToTextZeros(stamp.month, 2) + '.' +
           IntToTextZeros(stamp.year, 4) + ' ' + IntToTextZeros(stamp.hour, 2) + ':' +
           IntToTextZeros(stamp.minute, 2) + ':' + IntToTextZeros(stamp.second, 2);
}

Text IsoStamp(const Clock& clock) {
    return StampText(clock.Now());
}

Text IsoStampUtc(const Clock& clock) {
    return StampText(clock.NowUtc());
}

}  // namespace axo
