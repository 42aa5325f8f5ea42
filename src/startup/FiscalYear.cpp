// Fiscal years, period and date checks, VAT rates and the command-line preset.
#include "startup/FiscalYear.h"

#include <algorithm>

#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace {

Text NormalisedCode(const Text& code) {
    return NationalUpperCase(Trim(code));
}

/// A number of two places with a blank instead of a leading zero.
Text TwoPlaces(int n) {
    return IntToText(n, 2);
}

bool IsNumber(const Text& t) {
    if (t.empty())
        return false;
    for (char c : t)
        if (c < '0' || c > '9')
            return false;
    return true;
}

}  // namespace

bool FiscalYearEntry::InUse() const {
    return Trim(code).size() == 4;
}

int FindFiscalYear(const FiscalYearTable& table, const Text& code) {
    const Text wanted = NormalisedCode(code);
    for (int i = 0; i < kFiscalYearCount; ++i) {
        const Text own = NormalisedCode(table[i].code);
        if (own.size() == 4 && own == wanted)
            return i + 1;
    }
    return 0;
}

int FiscalYearOf(const FiscalYearTable& table, int month, int year) {
    const int period = year * 100 + std::min(month, 12);
    for (int i = 0; i < kFiscalYearCount; ++i) {
        const FiscalYearEntry& e = table[i];
        if (e.InUse() && e.FirstPeriod() <= period && period <= e.LastPeriod())
            return i + 1;
    }
    return 0;
}

Text FiscalYearListText(const FiscalYearEntry& e) {
    return Trim(e.code) + "  ( 1."_t + TwoPlaces(e.firstMonth) + "."_t + IntToText(e.firstYear) +
           "-"_t + TwoPlaces(DaysInMonth(e.lastMonth, e.lastYear)) + "."_t +
           TwoPlaces(e.lastMonth) + "."_t + IntToText(e.lastYear) + ")"_t;
}

SelectedFiscalYear SelectFiscalYear(const FiscalYearTable& table, int index) {
    SelectedFiscalYear s;
    if (index < 1 || index > kFiscalYearCount)
        return s;
    const FiscalYearEntry& e = table[index - 1];
    s.index = index;
    s.code = NormalisedCode(e.code);
    if (index > 1)
        s.previousCode = NormalisedCode(table[index - 2].code);
    if (index < kFiscalYearCount)
        s.nextCode = NormalisedCode(table[index].code);
    s.firstMonth = e.firstMonth;
    s.firstYear = e.firstYear;
    s.lastMonth = e.lastMonth;
    s.lastYear = e.lastYear;
    s.daysInLastMonth = DaysInMonth(e.lastMonth, e.lastYear);
    s.firstDay = DateText(1, e.firstMonth, e.firstYear);
    s.lastDay = DateText(s.daysInLastMonth, e.lastMonth, e.lastYear);
    return s;
}

std::optional<Text> CheckYearAndPeriod(const FiscalYearTable& table, const Text& code, int month,
                                       int year) {
    const Text trimmed = Trim(code);
    if (trimmed.size() != 4)
        return "Neplatné zadání hospodářského roku ["_t + trimmed + "]."_t;
    const int index = FindFiscalYear(table, trimmed);
    if (index == 0) {
        return "Zadaný hospodářský rok není definován v programovém instalačním souboru ["_t +
               trimmed + "]."_t;
    }
    const FiscalYearEntry& e = table[index - 1];
    const int period = year * 100 + month;
    if (period < e.FirstPeriod())
        return "Aktuální účetní období je menší než počátek hospodářského roku."_t;
    if (period > e.LastPeriod())
        return "Aktuální účetní období je větší než konec hospodářského roku."_t;
    return std::nullopt;
}

bool DateInFiscalYear(const SelectedFiscalYear& year, const Text& programDate) {
    const long long date = DateNumber(programDate);
    return DateNumber(year.firstDay) <= date && date <= DateNumber(year.lastDay);
}

Text DateOutsideYearQuestion(const SelectedFiscalYear& year) {
    return "Vámi zadané datum je mimo rozsah aktuálního \rúčetního (hospodářského) roku "_t +
           year.code + ".\r\r[ "_t + year.firstDay + " až "_t + year.lastDay + " ]"_t;
}

VatRateTable::VatRateTable(const std::vector<Text>& entries) {
    for (const Text& text : entries) {
        if (Trim(text).empty())
            continue;
        Entry e;
        e.firstDay = DateNumber(text.substr(0, 10));
        e.lastDay = DateNumber(text.substr(10, 10));
        for (int k = 0; k < 3; ++k)
            e.rates[k] = TextToAmount(Trim(text.substr(20 + 5 * static_cast<std::size_t>(k), 5)));
        entries_.push_back(e);
    }
}

bool VatRateTable::Sazby_DPH_OK(const Text& date, int currentMonth, const Text& currencySign,
                                tDPH_Sazba& rates, ui::UiServices* ui) const {
    rates = {};
    Text effective = date;
    if (effective.substr(3, 2) == "99"_t) {
        const Text month = IntToTextZeros(currentMonth, 2);
        effective[3] = month[0];
        effective[4] = month[1];
    }
    const long long day = DateNumber(effective);
    const auto covering = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.firstDay <= day && day <= e.lastDay;
    });
    if (covering == entries_.end())
        return true;
    std::copy(std::begin(covering->rates), std::end(covering->rates), rates.rate);

    const long long period = day / 100;
    const Text currency = FixedKeyText(currencySign, 3);
    const bool vatPeriod6 =
        period >= 201501 && period <= 202312 && currency != "SK "_t && currency != "EUR"_t;
    const bool accepted = Round(rates.rate[0], 2) != 0 && Round(rates.rate[1], 2) != 0 &&
                          !(vatPeriod6 && Round(rates.rate[2], 2) == 0);
    if (!accepted && ui) {
        ui->ShowErrorLine(
            "Pro datum "_t + date + " není korektně definováno DPH. \r\r"_t +
            "Prověřte programový instalační soubor v modulu SPRÁVCE SYSTÉMU AXO \r"_t +
            "a opakujte akci."_t);
    }
    return accepted;
}

std::optional<YearPreset> ParseYearPreset(const Text& parameter, const Clock& clock) {
    const Text p = NationalUpperCase(Trim(parameter));
    if (!p.StartsWith("/U"_t))
        return std::nullopt;
    YearPreset preset;
    preset.code = p.substr(2, 4);
    Text rest = p.size() > 6 ? p.substr(6) : Text();
    if (rest.size() > 5) {
        const DateTime now = clock.Now();
        const Text month = rest.substr(0, 2);
        const Text year = rest.substr(2, 4);
        preset.month = IsNumber(month) ? static_cast<int>(TextToInt(month)) : now.month;
        preset.year = IsNumber(year) ? static_cast<int>(TextToInt(year)) : now.year;
        rest = rest.substr(6);
    }
    if (rest.size() == 10) {
        Text date = rest;
        if (date[0] == '0')
            date[0] = ' ';
        if (date[3] == '0')
            date[3] = ' ';
        preset.programDate = date;
    }
    return preset;
}

}  // namespace axo::startup
