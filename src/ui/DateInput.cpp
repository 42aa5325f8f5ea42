// Normalisation of typed dates.
#include "ui/DateInput.h"

#include <algorithm>
#include <optional>

#include "ui/PrvekFormat.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

/// A part of the date: nullopt when missing (nothing but blanks); -1 when it is no number.
std::optional<int> ReadPart(const Text& part) {
    const Text digits = RemoveBlanks(part);
    if (digits.empty())
        return std::nullopt;
    // Six digits are more than any day, month or year; reading more could overflow.
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return -1;
    return static_cast<int>(TextToInt(digits));
}

/// The next day or month part from `pos`: up to the next ".", or the next two characters.
Text TakePart(const Text& typed, std::size_t& pos) {
    const std::size_t dot = typed.find('.', pos);
    Text part;
    if (dot != Text::npos) {
        part = typed.substr(pos, dot - pos);
        pos = dot + 1;
    } else {
        part = typed.substr(pos, 2);
        pos = std::min(pos + 2, typed.size());
    }
    return part;
}

}  // namespace

Text EmptyDateText() {
    return "  .  .    "_t;
}

Text DateFieldText(const DateParts& date, bool zeros) {
    Text text = DateText(date.day, date.month, date.year);
    if (zeros)
        std::replace(text.begin(), text.end(), ' ', '0');
    return text;
}

bool HasDigit(const Text& text) {
    return std::any_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

DateInput NormaliseDate(const Text& typed, const DateParts& programDate, bool zeros,
                        bool mayStayEmpty) {
    if (!HasDigit(typed)) {
        if (mayStayEmpty)
            return {DateInput::Status::Empty, {}, EmptyDateText()};
        return {DateInput::Status::Valid, programDate, DateFieldText(programDate, zeros)};
    }
    std::size_t pos = 0;
    const std::optional<int> day = ReadPart(TakePart(typed, pos));
    const std::optional<int> month = ReadPart(TakePart(typed, pos));
    const std::optional<int> year = ReadPart(RemoveChar(typed.substr(pos), '.'));

    DateParts date{day.value_or(programDate.day), month.value_or(programDate.month),
                   year ? CompleteYear(*year) : programDate.year};
    if (date.day < 0 || date.month < 1 || date.month > 12 || date.year < 1 || date.year > 9999)
        return {DateInput::Status::Invalid, date, typed};
    date.day = std::clamp(date.day, 1, DaysInMonth(date.month, date.year));
    return {DateInput::Status::Valid, date, DateFieldText(date, zeros)};
}

}  // namespace axo::ui
