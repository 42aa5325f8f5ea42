// The list lines of the program's tables as their browse windows show them, and the table names
// the command line takes.
#include "app/BrowseTables.h"

#include <gtest/gtest.h>

namespace axo::app {
namespace {

TEST(BrowseTablesTest, CodeListLines) {
    pap::tVetaUKod both;
    both.Kod = "433"_t;
    both.Nazev = "Ostatní zvýšení"_t;
    both.PARTNER2 = 1;
    both.FILLER_STR = "1"_t;
    pap::tVetaUKod none = both;
    none.PARTNER2 = 0;
    none.FILLER_STR = "0"_t;
    pap::tVetaUAPV xv;
    xv.STAT_ANAL = "902"_t;
    xv.POPIS = "Jiný majetek"_t;
    xv.RADEK = 12;
    xv.PARTNER = 1;
    xv.CojePartner = 1;
    xv.KOD = 1;
    xv.VYKAZY[14] = 1;
    xv.VYKAZY[3] = 1;
    pap::tVetaUAPV first = xv;
    first.VYKAZ_I_II_III = 1;
    first.PARTNER = 1;
    first.CojePartner = 0;
    first.PARTNER2 = 1;
    first.Konsolidace = 1;
    first.KOD = 0;
    pap::tVetaRozvrh account;
    account.SE = 501;
    account.AE = 100;
    account.NAZ_UCT = "Spotřeba materiálu"_t;
    account.AKT_PAS = 'N';
    account.STAT_ANAL = "5011"_t;
    account.PARTNER = 1;
    account.CojePartner = 1;
    account.KOD = 1;
    account.VYKAZY[1] = 1;
    account.VYKAZY[3] = 1;
    account.PO_CINNOST = 1;
    const std::string tail150 = std::string(150 - 12, ' ');
    struct Case {
        Text line;
        std::string expected;
    };
    const Case cases[] = {
        {TransactionCodeLine(both), " 433 Ostatní zvýšení" + std::string(85, ' ') + " Partner 2PT"},
        {TransactionCodeLine(none),
         " 433 Ostatní zvýšení" + std::string(85, ' ') + std::string(12, ' ')},
        {PapCodeLine(xv), " 902        Jiný majetek" + tail150 + "  XV    12 x AP " +
                              std::string(6, ' ') + "x    4 15 "},
        {PapCodeLine(first),
         " 902        Jiný majetek" + tail150 + "   I    12 x T  x  x       4 15 "},
        {ChartLine(account, "první\r\ndruhá"_t, 3),
         " 501 100  Spotřeba materiálu             " + std::string(8, ' ') + "       " +
             "Nákladový - daňový      Hlav 5011       " + std::string(31, ' ') +
             "X  P-AP    24         [prvnídruhá]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ToUtf8(c.line));
}

TEST(BrowseTablesTest, TableNames) {
    const std::pair<const char*, std::optional<BrowseTable>> cases[] = {
        {"doklady", BrowseTable::DocumentLines},
        {"UDPO", BrowseTable::DocumentLines},
        {"Rozvrh", BrowseTable::Chart},
        {"pap", BrowseTable::PapCodes},
        {"ukod", BrowseTable::TransactionCodes},
        {"zbozi", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [name, table] : cases)
        EXPECT_EQ(table, BrowseTableNamed(name)) << name;
}

}  // namespace
}  // namespace axo::app
