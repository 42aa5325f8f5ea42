// Statements II and III: costs and revenues of the period split by activity, sums, and what
// never counts (other activities, lines before the period).
#include "PapTestSupport.h"
#include "pap/papVykaz02a03.h"

namespace axo::pap::test {
namespace {

class Vykaz02a03Test : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        int row = 0;
        for (const char* sa : {"501", "5011", "5012", "502"})
            Add(PapCode(sa, 2, ++row, {2}));
        row = 0;
        for (const char* sa : {"601", "602", "603"})
            Add(PapCode(sa, 3, ++row, {3}));
        Add(Account(501, 1, "5011", 'N', {2}, 1));
        Add(Account(501, 2, "5012", 'N', {2}, 2));
        Add(Account(502, 0, "502", 'M', {2}, 2));
        Add(Account(601, 0, "601", 'V', {3}, 1));
        Add(Account(602, 0, "602", 'V', {3}, 0));  // no activity: in no column
        Add(Account(603, 0, "603", 'W', {3}, 2));
        Add(Line("202302", 501, 1, 300, 20));
        Add(Line("202302", 501, 2, 50, 0));
        Add(Line("202303", 502, 0, 1000, 100));
        Add(Line("202300", 502, 0, 5000, 0));  // opening balances play no part
        Add(Line("202302", 601, 0, 10, 800));
        Add(Line("202302", 602, 0, 0, 77));
        Add(Line("202301", 603, 0, 0, 55));  // before the period 2-3
    }
};

TEST_F(Vykaz02a03Test, CostsByActivity) {
    ASSERT_TRUE(Compile(2, 2, 3));
    struct Case {
        const char* sa;
        double hlavni, hospodarska;
    } cases[] = {{"501", 280, 50}, {"5011", 280, 0}, {"5012", 0, 50}, {"502", 0, 900}};
    ASSERT_EQ(std::size(cases), rows_.size());
    for (const Case& c : cases) {
        EXPECT_EQ(c.hlavni, Col(Row(c.sa), 1)) << c.sa;
        EXPECT_EQ(c.hospodarska, Col(Row(c.sa), 2)) << c.sa;
    }
    EXPECT_TRUE(Row("501").Soucet);
    EXPECT_EQ(2, rows_[0].CisloVykazu);
}

TEST_F(Vykaz02a03Test, RevenuesByActivity) {
    ASSERT_TRUE(Compile(3, 2, 3));
    struct Case {
        const char* sa;
        double hlavni, hospodarska;
    } cases[] = {{"601", 790, 0}, {"602", 0, 0}, {"603", 0, 0}};
    ASSERT_EQ(std::size(cases), rows_.size());
    for (const Case& c : cases) {
        EXPECT_EQ(c.hlavni, Col(Row(c.sa), 1)) << c.sa;
        EXPECT_EQ(c.hospodarska, Col(Row(c.sa), 2)) << c.sa;
    }
    EXPECT_EQ(4, tPAP_Vykaz02_03(ctx_, 3, {}).PodejDruhPts());
}

}  // namespace
}  // namespace axo::pap::test
