// The calendar window of date fields ("Kalendář"): a month page on a chosen day, moved by keys,
// with jumps to the computer's date and to the first and last day of the fiscal year.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "ui/DialogElement.h"
#include "util/Datum.h"

namespace axo::ui {

/// The day of the week of a valid date: 0 Monday ... 6 Sunday.
int DayOfWeek(const DateParts& date);
/// The date `days` days later (earlier when negative).
DateParts AddDays(const DateParts& date, int days);
/// The same day `months` months later, put into the month when it has fewer days.
DateParts AddMonths(const DateParts& date, int months);

class TKalendarAXO {
  public:
    /// Opens on `start` when it is a valid date, otherwise on the program date.
    TKalendarAXO(const DateParts& start, const DialogEnvironment& env);

    static Text Title() { return "Kalendář"_t; }
    /// The help lines: the computer's date on <Home>; the fiscal year's first and last day on
    /// <Ctrl Home> and <Ctrl End> when both are known.
    std::vector<Text> HelpLines() const;

    const DateParts& Selected() const { return date_; }
    /// The month shown, e.g. "březen 2024".
    Text MonthCaption() const;
    /// The shown month in weeks, Monday first; 0 for cells outside the month.
    std::array<std::array<int, 7>, 6> MonthGrid() const;
    /// "Po" ... "Ne".
    static std::array<Text, 7> DayNames();

    /// <Left>/<Right> a day, <Up>/<Down> a week, <PgUp>/<PgDn> a month, with Ctrl a year;
    /// <Home> the computer's date, <Ctrl Home>/<Ctrl End> the fiscal year's first/last day;
    /// <Enter> confirms, <Esc> cancels. False for a key the calendar does not use.
    bool KeyDown(const KeyEvent& key);
    /// Chooses a valid date (an invalid one is ignored).
    void Select(const DateParts& date);
    /// Clicks a day of the shown month (ignored when the month has no such day).
    void ClickDay(int day);

    void Confirm() { closed_ = confirmed_ = true; }
    void Cancel() {
        closed_ = true;
        confirmed_ = false;
    }
    bool Closed() const { return closed_; }
    bool Confirmed() const { return confirmed_; }

  private:
    DateParts date_;
    DateParts today_;
    std::optional<DateParts> firstDay_;
    std::optional<DateParts> lastDay_;
    Text firstText_;
    Text lastText_;
    bool closed_ = false;
    bool confirmed_ = false;
};

}  // namespace axo::ui
