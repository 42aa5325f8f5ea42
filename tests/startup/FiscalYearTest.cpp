// Fiscal-year table, selection, period and date checks, VAT rates and the "/U" preset.
#include "startup/FiscalYear.h"

#include <gtest/gtest.h>

#include "ui/ScriptedUi.h"

namespace axo::startup {
namespace {

FiscalYearTable TwoYears() {
    FiscalYearTable t{};
    t[0] = {"2013"_t, 1, 2013, 12, 2013};
    t[1] = {"2014"_t, 1, 2014, 12, 2014};
    t[2] = {"HR15"_t, 7, 2015, 6, 2016};  // a fiscal year across two calendar years
    t[3] = {"X1"_t, 1, 2017, 12, 2017};   // a code of the wrong length is not in use
    return t;
}

TEST(FiscalYearTest, FindAndFiscalYearOf) {
    const FiscalYearTable t = TwoYears();
    EXPECT_EQ(2, FindFiscalYear(t, " 2014 "_t));
    EXPECT_EQ(3, FindFiscalYear(t, "hr15"_t));
    EXPECT_EQ(0, FindFiscalYear(t, "X1"_t));
    EXPECT_EQ(0, FindFiscalYear(t, "20XX"_t));
    struct Case {
        int month, year, expected;
    } cases[] = {{1, 2013, 1}, {12, 2014, 2}, {13, 2014, 2}, {6, 2015, 0},
                 {7, 2015, 3}, {6, 2016, 3},  {1, 2017, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, FiscalYearOf(t, c.month, c.year)) << c.month << "/" << c.year;
}

TEST(FiscalYearTest, SelectionAndListText) {
    const FiscalYearTable t = TwoYears();
    const SelectedFiscalYear s = SelectFiscalYear(t, 2);
    EXPECT_EQ("2014"_t, s.code);
    EXPECT_EQ("2013"_t, s.previousCode);
    EXPECT_EQ("HR15"_t, s.nextCode);
    EXPECT_EQ(" 1. 1.2014"_t, s.firstDay);
    EXPECT_EQ("31.12.2014"_t, s.lastDay);
    EXPECT_EQ("2014  ( 1. 1.2014-31.12.2014)"_t, FiscalYearListText(t[1]));
    EXPECT_EQ("HR15  ( 1. 7.2015-30. 6.2016)"_t, FiscalYearListText(t[2]));
    EXPECT_EQ(""_t, SelectFiscalYear(t, 1).previousCode);
}

TEST(FiscalYearTest, YearAndPeriodChecks) {
    const FiscalYearTable t = TwoYears();
    struct Case {
        const char* code;
        int month, year;
        const char* expected;  // empty: accepted
    } cases[] = {
        {"2014", 1, 2014, ""},
        {"2014", 12, 2014, ""},
        {"201", 1, 2014, "Neplatné zadání hospodářského roku [201]."},
        {"20XX", 1, 2014,
         "Zadaný hospodářský rok není definován v programovém instalačním souboru [20XX]."},
        {"2014", 13, 2014, "Aktuální účetní období je větší než konec hospodářského roku."},
        {"2014", 12, 2013, "Aktuální účetní období je menší než počátek hospodářského roku."},
    };
    for (const Case& c : cases) {
        const auto message = CheckYearAndPeriod(t, FromUtf8(c.code), c.month, c.year);
        EXPECT_EQ(std::string(c.expected), message ? ToUtf8(*message) : "") << c.code;
    }
}

TEST(FiscalYearTest, ProgramDateOutsideTheYear) {
    const SelectedFiscalYear s = SelectFiscalYear(TwoYears(), 2);
    EXPECT_TRUE(DateInFiscalYear(s, "31.12.2014"_t));
    EXPECT_FALSE(DateInFiscalYear(s, "15. 1.2015"_t));
    EXPECT_EQ(
        "Vámi zadané datum je mimo rozsah aktuálního \rúčetního (hospodářského) roku 2014."
        "\r\r[  1. 1.2014 až 31.12.2014 ]"_t,
        DateOutsideYearQuestion(s));
}

TEST(FiscalYearTest, VatRatesDecideWhetherADateMayBeUsed) {
    const VatRateTable table({""_t, " 1. 1.201031.12.209921.0015.00 0.00"_t});
    struct Case {
        const char* date;
        const char* currency;
        bool accepted;
    } cases[] = {
        {"15. 3.2016", "Kč", false},  // third rate 0 in the months of 2015-2023
        {"15. 3.2014", "Kč", true},
        {"15. 3.2024", "Kč", true},
        {"15. 3.2016", "EUR", true},
        {"15. 3.2016", "SK", true},
        {" 1. 1.2009", "Kč", true},   // no entry covers it: accepted
                                      // with zero rates
        {"15.99.2016", "Kč", false},  // month 99 stands for the current month
    };
    for (const Case& c : cases) {
        tDPH_Sazba rates;
        EXPECT_EQ(c.accepted,
                  table.Sazby_DPH_OK(FromUtf8(c.date), 4, FromUtf8(c.currency), rates, nullptr))
            << c.date << " " << c.currency;
    }
    tDPH_Sazba rates;
    table.Sazby_DPH_OK("15. 3.2014"_t, 1, "Kč"_t, rates, nullptr);
    EXPECT_EQ(21.0, rates.rate[0]);
    EXPECT_EQ(15.0, rates.rate[1]);

    ui::ScriptedUi ui;
    ui.QueueOk();
    EXPECT_FALSE(table.Sazby_DPH_OK("15. 3.2016"_t, 1, "Kč"_t, rates, &ui));
    EXPECT_EQ(
        (std::vector<std::string>{"Pro datum 15. 3.2016 není korektně definováno DPH. ", "",
                                  "Prověřte programový instalační soubor v modulu SPRÁVCE SYSTÉMU",
                                  "AXO ", "a opakujte akci."}),
        ui.Transcript().at(0).lines);
}

TEST(FiscalYearTest, CommandLinePreset) {
    const FixedClock clock({2024, 5, 17, 10, 0, 0, 0});
    struct Case {
        const char* parameter;
        bool preset;
        const char* code;
        int month, year;
        const char* date;  // empty: none
    } cases[] = {
        {"/U2014012014", true, "2014", 1, 2014, ""},
        {" /u2014122014 ", true, "2014", 12, 2014, ""},
        {"/U2014XX2014", true, "2014", 5, 2014, ""},
        {"/U201401201405.03.2014", true, "2014", 1, 2014, " 5. 3.2014"},
        {"/U2014", true, "2014", 0, 0, ""},
        {"heslo", false, "", 0, 0, ""},
    };
    for (const Case& c : cases) {
        const auto p = ParseYearPreset(FromUtf8(c.parameter), clock);
        ASSERT_EQ(c.preset, p.has_value()) << c.parameter;
        if (!p)
            continue;
        EXPECT_EQ(FromUtf8(c.code), p->code);
        EXPECT_EQ(c.month, p->month.value_or(0)) << c.parameter;
        EXPECT_EQ(c.year, p->year.value_or(0)) << c.parameter;
        EXPECT_EQ(std::string(c.date), p->programDate ? ToUtf8(*p->programDate) : "");
    }
}

}  // namespace
}  // namespace axo::startup
