// Statements I and XV: the side rules, the four state columns of ordinary and sum rows (with
// XV's look-ahead in analytics order), and the record state 3 that only XV counts.
#include "PapTestSupport.h"
#include "pap/papVykaz01.h"

namespace axo::pap::test {
namespace {

TEST(StranaTest, PassiveRulesOfTheCodes) {
    struct Case {
        const char* sa;
        bool cisly2013, cisly2014, podrozvaha;
    } cases[] = {
        {"141", true, true, false},   {"1999", true, true, false}, {"140", false, false, false},
        {"200", false, false, false}, {"071", false, true, false}, {"0891", false, true, false},
        {"090", false, false, false}, {"906", false, false, true}, {"9121", false, false, true},
        {"973", false, false, true},  {"98X", false, false, true}, {"901", false, false, false},
        {"995", false, false, false}, {"994", false, false, true}, {"97", false, false, false},
        {"A41", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.cisly2013, PasivniCislem(FromUtf8(c.sa), false)) << c.sa;
        EXPECT_EQ(c.cisly2014, PasivniCislem(FromUtf8(c.sa), true)) << c.sa;
        EXPECT_EQ(c.podrozvaha, PasivniPodrozvaha(FromUtf8(c.sa))) << c.sa;
    }
}

class Vykaz01Test : public StatementTest {};

TEST_F(Vykaz01Test, StatementIStatesOnTheRowsSide) {
    int row = 0;
    for (const char* sa : {"021", "0711", "141", "1411", "1412", "321", "3211", "3212", "401"})
        Add(PapCode(sa, 1, ++row, {1}));
    Add(Account(21, 0, "021", 'A', {1}));
    Add(Account(71, 1, "0711", 'A', {1}));  // 071-089: passive whatever the nature
    Add(Account(141, 1, "1411", 'A', {1}));
    Add(Account(141, 2, "1412", 'A', {1}));
    Add(Account(321, 1, "3211", 'P', {1}));  // passive by nature; decides the sum row 321
    Add(Account(321, 2, "3212", 'A', {1}));
    Add(Line("202300", 21, 0, 500, 0));
    Add(Line("202302", 21, 0, 120, 20));
    Add(Line("202300", 71, 1, 0, 300));
    Add(Line("202303", 71, 1, 10, 0));
    Add(Line("202300", 141, 1, 0, 600));
    Add(Line("202300", 141, 2, 0, 400));
    Add(Line("202302", 141, 1, 200, 0));
    Add(Line("202302", 141, 2, 0, 50));
    Add(Line("202300", 321, 1, 0, 70));
    Add(Line("202300", 321, 2, 30, 0));
    Add(Line("202302", 321, 2, 5, 0));
    ASSERT_TRUE(Compile(1, 1, 3));
    struct Case {
        const char* sa;
        double s1, s2, s3, s4;
    } cases[] = {
        {"021", 500, 120, 20, 600},   // active: opening + MD - Dal
        {"0711", 300, 10, 0, 290},    // passive: opening + Dal - MD
        {"141", 1000, 200, 50, 850},  // the sum of 1411 and 1412, passive by its number
        {"1411", 600, 200, 0, 400},  {"1412", 400, 0, 50, 450},
        {"321", 40, 5, 0, 35},  // passive from 3211: 70 - 30 opening, 40 + 0 - 5
        {"3211", 70, 0, 0, 70},      {"3212", 30, 5, 0, 35},  // active
        {"401", 0, 0, 0, 0},                                  // no amounts: zeros
    };
    ASSERT_EQ(std::size(cases), rows_.size());
    for (const Case& c : cases) {
        const tVeta_Zorvi& r = Row(c.sa);
        EXPECT_EQ(c.s1, Col(r, 1)) << c.sa;
        EXPECT_EQ(c.s2, Col(r, 2)) << c.sa;
        EXPECT_EQ(c.s3, Col(r, 3)) << c.sa;
        EXPECT_EQ(c.s4, Col(r, 4)) << c.sa;
    }
    EXPECT_EQ(1, handOver_.kind.cislo);
}

TEST_F(Vykaz01Test, StatementXVSidesByPatternAndState3Lines) {
    Add(PapCode("901", 0, 1, {15}));
    Add(PapCode("973", 0, 2, {15}));
    Add(PapCode("980", 0, 3, {}));  // not a code of XV: no row
    Add(Account(901, 0, "901", 'P', {15}));
    Add(Account(973, 0, "973", 'A', {15}));
    Add(Account(980, 0, "980", 'A', {15}));
    Add(Line("202300", 901, 0, 0, 100));
    Add(Line("202302", 901, 0, 40, 0));
    tVetaUDPO treti = Line("202302", 973, 0, 0, 25);
    treti.PRIZNAK = 3;  // counted by XV
    Add(treti);
    Add(Line("202300", 973, 0, 0, 200));
    Add(Line("202302", 980, 0, 1, 0));
    ASSERT_TRUE(Compile(15, 1, 3));
    ASSERT_EQ(2u, rows_.size());
    const tVeta_Zorvi& aktivni = Row("901");  // active although its account is "P"
    EXPECT_EQ(-100.0, Col(aktivni, 1));
    EXPECT_EQ(40.0, Col(aktivni, 2));
    EXPECT_EQ(-60.0, Col(aktivni, 4));
    const tVeta_Zorvi& pasivni = Row("973");  // 97?
    EXPECT_EQ(200.0, Col(pasivni, 1));
    EXPECT_EQ(25.0, Col(pasivni, 3));
    EXPECT_EQ(225.0, Col(pasivni, 4));
    EXPECT_EQ(15, pasivni.CisloVykazu);
    EXPECT_EQ(512, tPAP_Vykaz15(ctx_, {}).PodejDruhPts());
}

TEST_F(Vykaz01Test, StatementXVSumRowsLookAheadInAnalyticsOrderAndTakeTheSideOfTheirCode) {
    int row = 0;
    for (const char* sa : {"901", "9011", "9012", "905", "912", "9121", "973", "999"})
        Add(PapCode(sa, 0, ++row, {15}));
    Add(PapCode("9051", 0, ++row, {}));  // not a code of XV, yet the code after "905"
    Add(Account(901, 1, "9011", 'P', {15}));
    Add(Account(901, 2, "9012", 'A', {15}));
    Add(Account(905, 1, "9051", 'A', {15}));
    Add(Account(912, 1, "9121", 'A', {15}));
    Add(Account(973, 0, "973", 'A', {15}));
    Add(Account(999, 0, "999", 'X', {15}));
    Add(Line("202300", 901, 1, 0, 100));
    Add(Line("202302", 901, 1, 40, 0));
    Add(Line("202300", 901, 2, 30, 0));
    Add(Line("202302", 901, 2, 0, 5));
    Add(Line("202302", 905, 1, 7, 0));
    Add(Line("202300", 912, 1, 0, 500));
    Add(Line("202302", 912, 1, 20, 50));
    Add(Line("202300", 973, 0, 0, 200));
    Add(Line("202302", 999, 0, 0, 60));
    ASSERT_TRUE(Compile(15, 1, 3));
    struct Case {
        const char* sa;
        bool soucet;
        double s1, s2, s3, s4;
    } cases[] = {
        // Active by its code although its first account 9011 is "P": -100 + 30 opening.
        {"901", true, -70, 40, 5, -35},
        {"9011", false, -100, 40, 0, -60},
        {"9012", false, 30, 0, 5, 25},
        {"905", true, 0, 7, 0, 7},        // "9051" follows: a sum over it
        {"912", true, 500, 20, 50, 530},  // passive by 912 although its account is "A"
        {"9121", false, 500, 20, 50, 530},
        {"973", false, 200, 0, 0, 200},  // "999" follows: an ordinary row
        {"999", false, 0, 0, 60, -60},   // the last code: an ordinary row
    };
    ASSERT_EQ(std::size(cases), rows_.size());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const tVeta_Zorvi& r = rows_[i];  // rows in the code list's order
        EXPECT_EQ(c.sa, ToUtf8(r.SA)) << i;
        EXPECT_EQ(c.soucet, r.Soucet != 0) << c.sa;
        EXPECT_EQ(c.s1, Col(r, 1)) << c.sa;
        EXPECT_EQ(c.s2, Col(r, 2)) << c.sa;
        EXPECT_EQ(c.s3, Col(r, 3)) << c.sa;
        EXPECT_EQ(c.s4, Col(r, 4)) << c.sa;
    }
}

TEST_F(Vykaz01Test, State3LinesAreNotCountedInStatementI) {
    Add(PapCode("021", 1, 1, {1}));
    Add(Account(21, 0, "021", 'A', {1}));
    tVetaUDPO treti = Line("202302", 21, 0, 25, 0);
    treti.PRIZNAK = 3;
    Add(treti);
    ASSERT_TRUE(Compile(1, 1, 3));
    EXPECT_EQ(0.0, Col(rows_.at(0), 2));
}

}  // namespace
}  // namespace axo::pap::test
