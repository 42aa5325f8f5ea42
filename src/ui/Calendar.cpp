// The calendar window's logic.
#include "ui/Calendar.h"

#include <algorithm>
#include <chrono>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

std::chrono::sys_days ToDays(const DateParts& d) {
    return std::chrono::sys_days(std::chrono::year(d.year) / std::chrono::month(unsigned(d.month)) /
                                 std::chrono::day(unsigned(d.day)));
}

DateParts FromDays(std::chrono::sys_days days) {
    const std::chrono::year_month_day ymd(days);
    return {int(unsigned(ymd.day())), int(unsigned(ymd.month())), int(ymd.year())};
}

bool Valid(const DateParts& d) {
    return d.year >= 1 && d.year <= 9999 && CheckDate(d.day, d.month, d.year) == kDateValid &&
           std::chrono::year_month_day(std::chrono::year(d.year) /
                                       std::chrono::month(unsigned(d.month)) /
                                       std::chrono::day(unsigned(d.day)))
               .ok();
}

std::optional<DateParts> ValidDate(const Text& text) {
    if (text.empty())
        return std::nullopt;
    const DateParts d = ParseDate(text);
    return Valid(d) ? std::optional<DateParts>(d) : std::nullopt;
}

/// The days of a month by the real calendar (the leap rule of the centuries included).
int MonthLength(int month, int year) {
    return int(unsigned(std::chrono::year_month_day_last(
                            std::chrono::year(year) /
                            std::chrono::month_day_last(std::chrono::month(unsigned(month))))
                            .day()));
}

}  // namespace

int DayOfWeek(const DateParts& date) {
    const std::chrono::weekday wd(ToDays(date));
    return int((wd.c_encoding() + 6) % 7);
}

DateParts AddDays(const DateParts& date, int days) {
    const DateParts moved = FromDays(ToDays(date) + std::chrono::days(days));
    return Valid(moved) ? moved : date;
}

DateParts AddMonths(const DateParts& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    DateParts moved{date.day, index % 12 + 1, index / 12};
    if (moved.year < 1 || moved.year > 9999)
        return date;
    moved.day = std::min(moved.day, MonthLength(moved.month, moved.year));
    return moved;
}

TKalendarAXO::TKalendarAXO(const DateParts& start, const DialogEnvironment& env)
    : date_(Valid(start) ? start : env.ProgramDate()),
      today_(env.SystemDate()),
      firstDay_(ValidDate(env.fiscalYearFirstDay)),
      lastDay_(ValidDate(env.fiscalYearLastDay)),
      firstText_(env.fiscalYearFirstDay),
      lastText_(env.fiscalYearLastDay) {
    if (!Valid(date_))
        date_ = today_;
    if (!firstDay_ || !lastDay_)
        firstDay_ = lastDay_ = std::nullopt;
}

std::vector<Text> TKalendarAXO::HelpLines() const {
    std::vector<Text> lines{"aktuální systémové datum počítače <Home>"_t};
    if (firstDay_) {
        lines.push_back("první den hospodářského roku "_t + firstText_ + " <Ctrl Home>"_t);
        lines.push_back("poslední den hospodářského roku "_t + lastText_ + " <Ctrl End>"_t);
    }
    return lines;
}

Text TKalendarAXO::MonthCaption() const {
    static const char* const kMonths[] = {"leden",  "únor",   "březen",   "duben",
                                          "květen", "červen", "červenec", "srpen",
                                          "září",   "říjen",  "listopad", "prosinec"};
    return FromUtf8(kMonths[date_.month - 1]) + " "_t + IntToText(date_.year);
}

std::array<std::array<int, 7>, 6> TKalendarAXO::MonthGrid() const {
    std::array<std::array<int, 7>, 6> grid{};
    const int offset = DayOfWeek({1, date_.month, date_.year});
    const int days = MonthLength(date_.month, date_.year);
    for (int day = 1; day <= days; ++day) {
        const int cell = offset + day - 1;
        grid[std::size_t(cell / 7)][std::size_t(cell % 7)] = day;
    }
    return grid;
}

std::array<Text, 7> TKalendarAXO::DayNames() {
    return {"Po"_t, "Út"_t, "St"_t, "Čt"_t, "Pá"_t, "So"_t, "Ne"_t};
}

void TKalendarAXO::Select(const DateParts& date) {
    if (Valid(date))
        date_ = date;
}

void TKalendarAXO::ClickDay(int day) {
    Select({day, date_.month, date_.year});
}

bool TKalendarAXO::KeyDown(const KeyEvent& key) {
    const int step = key.ctrl ? 12 : 1;
    switch (key.key) {
        case Key::Left:
            date_ = AddDays(date_, -1);
            return true;
        case Key::Right:
            date_ = AddDays(date_, 1);
            return true;
        case Key::Up:
            date_ = AddDays(date_, -7);
            return true;
        case Key::Down:
            date_ = AddDays(date_, 7);
            return true;
        case Key::PageUp:
            date_ = AddMonths(date_, -step);
            return true;
        case Key::PageDown:
            date_ = AddMonths(date_, step);
            return true;
        case Key::Home:
            date_ = key.ctrl ? firstDay_.value_or(date_) : today_;
            return true;
        case Key::End:
            if (key.ctrl && lastDay_)
                date_ = *lastDay_;
            return key.ctrl;
        case Key::Enter:
            Confirm();
            return true;
        case Key::Esc:
            Cancel();
            return true;
        default:
            return false;
    }
}

}  // namespace axo::ui
