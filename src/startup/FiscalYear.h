// Fiscal years of the installation, the accounting period and the program date: the table of
// up to thirty fiscal years, finding and selecting one, the checks of a period and a date
// against it, the VAT rate table that decides whether a date may be used, and the "/U"
// command-line preset.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::startup {

/// One entry of the fiscal-year table.
struct FiscalYearEntry {
    Text code;  ///< path code: the subdirectory of the year under every data-area root
    int firstMonth = 0;
    int firstYear = 0;
    int lastMonth = 0;
    int lastYear = 0;

    /// An entry whose trimmed code is exactly 4 characters is in use.
    bool InUse() const;
    int FirstPeriod() const { return firstYear * 100 + firstMonth; }
    int LastPeriod() const { return lastYear * 100 + lastMonth; }
};

inline constexpr int kFiscalYearCount = 30;
/// Entries 1..30 at indexes 0..29.
using FiscalYearTable = std::array<FiscalYearEntry, kFiscalYearCount>;

/// The first entry (1..30) whose code, trimmed and upper-cased and 4 characters long, equals
/// `code` trimmed and upper-cased; 0 when none.
int FindFiscalYear(const FiscalYearTable& table, const Text& code);
/// The first entry (1..30) whose period range holds month/year (a month above 12 counts as
/// 12); 0 when none.
int FiscalYearOf(const FiscalYearTable& table, int month, int year);
/// The text of an entry in the fiscal-year list: "2014  ( 1. 1.2014-31.12.2014)".
Text FiscalYearListText(const FiscalYearEntry& entry);

/// The fiscal year a run works in.
struct SelectedFiscalYear {
    int index = 0;  ///< 1..30; 0 = none selected
    Text code;
    Text previousCode;
    Text nextCode;
    int firstMonth = 0;
    int firstYear = 0;
    int lastMonth = 0;
    int lastYear = 0;
    int daysInLastMonth = 0;
    Text firstDay;  ///< " 1. 1.2014"
    Text lastDay;   ///< "31.12.2014"

    int FirstPeriod() const { return firstYear * 100 + firstMonth; }
    int LastPeriod() const { return lastYear * 100 + lastMonth; }
};

/// Selects entry `index` (1..30) of the table.
SelectedFiscalYear SelectFiscalYear(const FiscalYearTable& table, int index);

/// The checks of a chosen fiscal-year code and accounting period, in order; the first failing
/// one's message (shown as an error line), or none when they pass.
std::optional<Text> CheckYearAndPeriod(const FiscalYearTable& table, const Text& code, int month,
                                       int year);
/// True when the program date lies between the year's first and last day.
bool DateInFiscalYear(const SelectedFiscalYear& year, const Text& programDate);
/// The question asked when the program date lies outside the fiscal year.
Text DateOutsideYearQuestion(const SelectedFiscalYear& year);

/// The three VAT rates valid on a date.
struct tDPH_Sazba {
    double rate[3] = {0, 0, 0};
};

/// The VAT rate table of the program installation: validity ranges with three rates each.
class VatRateTable {
  public:
    VatRateTable() = default;
    /// Builds the table from the twelve texts of the installation ("DPH_Sazby0" ...): an empty
    /// text is an unused entry; characters 1-10 and 11-20 are the first and last day, 21-25,
    /// 26-30 and 31-35 the three rates in percent.
    explicit VatRateTable(const std::vector<Text>& entries);

    /// Decides whether `date` may be used: the rates of the first entry covering it (none:
    /// accepted with zero rates); a first or second rate of 0, or a third rate of 0 in the
    /// months of 2015-2023 of an installation whose currency is neither "SK" nor "EUR", refuses
    /// the date. A month part "99" stands for `currentMonth`. With `ui`, a refusal is reported.
    bool Sazby_DPH_OK(const Text& date, int currentMonth, const Text& currencySign,
                      tDPH_Sazba& rates, ui::UiServices* ui) const;

  private:
    struct Entry {
        long long firstDay = 0;
        long long lastDay = 0;
        double rates[3] = {0, 0, 0};
    };
    std::vector<Entry> entries_;
};

/// A fiscal year, period and program date preset on the command line ("/U" parameters).
struct YearPreset {
    Text code;
    std::optional<int> month;
    std::optional<int> year;
    std::optional<Text> programDate;  ///< day and month with blanks for leading zeros
};

/// Reads a "/U" parameter (trimmed, upper-cased first): the path code (4 characters), then,
/// when more than five characters follow, month (2) and year (4) — each falling back to the
/// clock's month and year when not a number — then, when exactly 10 characters remain, the
/// program date. None when the parameter does not begin with "/U".
std::optional<YearPreset> ParseYearPreset(const Text& parameter, const Clock& clock);

}  // namespace axo::startup
