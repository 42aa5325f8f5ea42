// The checks between the parts: parts that agree give no line, and each rule broken by one
// amount gives its protocol line; over the demo organisation only its faulty documents differ.
#include "pap/KontrolniVazby.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PapTestSupport.h"
#include "pap/DemoData.h"

namespace axo::pap::test {
namespace {

tVeta_Zorvi Row(int radek, const char* sa, std::initializer_list<double> sloupce,
                bool soucet = false) {
    tVeta_Zorvi r;
    r.RADEK = static_cast<Word>(radek);
    r.SA = FromUtf8(sa);
    r.Soucet = soucet ? 1 : 0;
    int c = 1;
    for (double x : sloupce)
        r.Sloupec[c++].SLOUPEC = x;
    return r;
}

tVeta_Zorvi Partner(const char* sa, const char* p1, std::initializer_list<double> sloupce) {
    tVeta_Zorvi r = Row(0, sa, sloupce);
    r.P1 = FromUtf8(p1);
    return r;
}

/// Columns of a row of IV-IX: codes and amounts.
tVeta_Zorvi Breakdown(int radek, const char* sa,
                      std::initializer_list<std::pair<const char*, double>> cells,
                      bool soucet = false) {
    tVeta_Zorvi r = Row(radek, sa, {}, soucet);
    int c = 1;
    for (const auto& [kod, castka] : cells) {
        r.Sloupec[c].TRANSAKCE = FromUtf8(kod);
        r.Sloupec[c++].SLOUPEC = castka;
    }
    return r;
}

/// Parts that agree: a sum row of I with two rows (one broken down by partner in X and by
/// transaction type in IV), II against XI, XV against XVI.
VysledkyCasti Agreeing() {
    VysledkyCasti v;
    tVeta_Zorvi i0221 = Row(2, "0221", {1000, 300, 100, 1200});
    i0221.P10 = 1;
    tVeta_Zorvi i1411 = Row(3, "1411", {500, 50, 80, 530});  // passive: 500 - 50 + 80
    v[1] = {Row(1, "022", {1000, 300, 100, 1200}, true), i0221, i1411};
    v[4] = {Breakdown(1, "022", {{"401", 300}, {"451", 100}}, true),
            Breakdown(2, "0221", {{"401", 300}, {"451", 100}})};
    v[10] = {Partner("0221", "11111111", {600, 100, 100, 600}),
             Partner("0221", "22222222", {400, 200, 0, 600})};
    tVeta_Zorvi ii = Row(4, "5011", {70, 30});
    ii.P11 = 1;
    v[2] = {ii};
    v[11] = {Partner("5011", "11111111", {50, 30}), Partner("5011", "22222222", {20, 0})};
    tVeta_Zorvi xv = Row(1, "9051", {10, 5, 0, 15});
    xv.P24 = 1;
    v[15] = {xv};
    v[16] = {Partner("9051", "11111111", {10, 5, 0, 15})};
    return v;
}

TEST(KontrolniVazbyTest, AgreeingPartsGiveNothingAndEachBrokenRuleItsLine) {
    EXPECT_TRUE(KontrolniVazby(Agreeing()).empty());
    struct Case {
        const char* what;
        std::function<void(VysledkyCasti&)> change;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"closing state of I",
         [](VysledkyCasti& v) { v[1][2].Sloupec[4].SLOUPEC = 531; },
         {"I.       3 1411       KS=PS-MD+D           531,00         530,00           1,00"}},
        {"debit turnover of I against IV",
         [](VysledkyCasti& v) { v[4][1].Sloupec[1].SLOUPEC = 290; },
         {"I.       2 0221       MD v IV.             300,00         290,00          10,00",
          "IV.      1 022        součet sl.1          300,00         290,00          10,00"}},
        {"credit turnover of I against IV",
         [](VysledkyCasti& v) {
             v[4][0].Sloupec[2].SLOUPEC = 90;
             v[4][1].Sloupec[2].SLOUPEC = 90;
         },
         {"I.       1 022        DAL v IV.            100,00          90,00          10,00",
          "I.       2 0221       DAL v IV.            100,00          90,00          10,00"}},
        {"I against the partners of X",
         [](VysledkyCasti& v) { v[10][1].Sloupec[2].SLOUPEC = 150; },
         {"I.       2 0221       sl.2 v X.            300,00         250,00          50,00"}},
        {"II against the partners of XI",
         [](VysledkyCasti& v) { v[11].pop_back(); },
         {"II.      4 5011       sl.1 v XI.            70,00          50,00          20,00"}},
        {"XV against the partners of XVI",
         [](VysledkyCasti& v) { v[16][0].Sloupec[4].SLOUPEC = 16; },
         {"XV.      1 9051       sl.4 v XVI.           15,00          16,00          -1,00"}},
        {"a sum row of I",
         [](VysledkyCasti& v) { v[1][0].Sloupec[1].SLOUPEC = 1400; },
         {"I.       1 022        součet sl.1        1 400,00       1 000,00         400,00"}},
    };
    for (const Case& c : cases) {
        VysledkyCasti v = Agreeing();
        c.change(v);
        std::vector<std::string> lines;
        for (const Text& line : RadkyVazeb(KontrolniVazby(v)))
            lines.push_back(ToUtf8(line));
        EXPECT_EQ(c.lines, lines) << c.what;
    }
}

class DemoVazbyTest : public StatementTest {};

TEST_F(DemoVazbyTest, OnlyTheDemosFaultyDocumentsDiffer) {
    CloseTables();
    DemoOptions o;
    o.year = 2023;
    o.lines = 600;
    o.seed = 3;
    DemoResult r;
    ASSERT_TRUE(InstallDemoData(where_, data_, *ui_, o, r)) << ui_->TranscriptText();
    VysledkyCasti vysledky;
    ASSERT_TRUE(SestavCastiProKontrolu(ctx_, 1, 12, vysledky));
    EXPECT_EQ(12u, vysledky.size());
    const std::vector<RozdilVazby> rozdily = KontrolniVazby(vysledky);
    // The codes booked on the wrong side, of another statement, missing or not allowed on
    // 022/200, 311/100 and 321/100, and the off-balance line without its partner on 905/000.
    std::set<std::string> analytiky;
    for (const RozdilVazby& d : rozdily)
        analytiky.insert(ToUtf8(d.analytika));
    EXPECT_EQ((std::set<std::string>{"022", "0221", "311", "3111", "321", "3211", "905"}),
              analytiky);
    // Nothing compiled for the check is shown or printed.
    EXPECT_EQ(0, PrintoutCount());
}

}  // namespace
}  // namespace axo::pap::test
