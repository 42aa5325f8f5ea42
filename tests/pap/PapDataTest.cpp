// The look-ups of the accounting data: accounts with the synthetic-with-analytics result, PAP
// codes with sum detection, transaction codes, lists opened around a look-up, the document
// pair's messages, and the display forms of a document identification.
#include "PapTestSupport.h"
#include "pap/PapData.h"

namespace axo::pap::test {
namespace {

class PapDataTest : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        Add(Account(501, 0, "5011", 'N', {2}));
        Add(Account(501, 100, "5011", 'N', {2}));
        Add(Account(501, 200, "5012", 'N', {2}));
        Add(Account(502, 0, "502", 'N', {2}));
        Add(Account(503, 7, "503", 'N', {2}));
        int row = 0;
        for (const char* sa : {"501", "5011", "502", "503", "5031"})
            Add(PapCode(sa, 2, ++row, {2}));
        Add(TransactionCode("401", true));
        CloseTables();
    }
};

TEST_F(PapDataTest, AccountLookUpTellsSyntheticAccountsWithAnalytics) {
    CodeLists lists(data_, where_);
    struct Case {
        int su, ae, expected;
        const char* sa;
    } cases[] = {
        {501, 0, kUcetSAnalytikami, "5011"},  // 501/100 and 501/200 follow
        {502, 0, kUcetNalezen, "502"},        // no analytic accounts
        {501, 100, kUcetNalezen, "5011"},    {503, 7, kUcetNalezen, "503"},
        {503, 0, kUcetNenalezen, ""},  // only an analytic account exists
        {999, 1, kUcetNenalezen, ""},
    };
    for (const Case& c : cases) {
        tVetaRozvrh ucet;
        ucet.STAT_ANAL = "zbytek"_t;
        EXPECT_EQ(c.expected,
                  lists.FindAccount(static_cast<Word>(c.su), static_cast<Word>(c.ae), ucet))
            << c.su << "/" << c.ae;
        EXPECT_EQ(FromUtf8(c.sa), ucet.STAT_ANAL.Get()) << c.su << "/" << c.ae;
    }
    // Looked up on a closed list: opened around the look-up and closed again.
    EXPECT_FALSE(lists.Chart().Opened());
    ASSERT_TRUE(lists.OpenChart());
    ASSERT_TRUE(lists.OpenChart());
    lists.CloseChart();
    EXPECT_TRUE(lists.Chart().Opened());
    lists.CloseChart();
    EXPECT_FALSE(lists.Chart().Opened());

    std::filesystem::remove(dir_ / "Rozv2023.DB");
    tVetaRozvrh ucet;
    EXPECT_EQ(kRozvrhNelzeOtevrit, lists.FindAccount(501, 0, ucet));
}

TEST_F(PapDataTest, PapCodeLookUpDetectsSums) {
    CodeLists lists(data_, where_);
    ASSERT_TRUE(lists.OpenPapCodes());
    struct Case {
        const char* sa;
        bool found, soucet;
    } cases[] = {
        {"501", true, true},    // followed by 5011
        {"502", true, false},   // followed by 503
        {"5031", true, false},  // the last code, and not 3 characters
        {"5011", true, false},  // longer codes are never sums
        {"504", false, false},
    };
    for (const Case& c : cases) {
        tVetaUAPV kod;
        bool soucet = !c.soucet;
        EXPECT_EQ(c.found, lists.FindPapCodeWithSum(FromUtf8(c.sa), kod, soucet)) << c.sa;
        EXPECT_EQ(c.soucet, soucet) << c.sa;
        if (c.found) {
            EXPECT_EQ(FromUtf8(c.sa), kod.STAT_ANAL.Get());
        }
    }
    tVetaUKod veta;
    EXPECT_TRUE(lists.FindTransactionCode("401"_t, veta));
    EXPECT_EQ(1, veta.PARTNER2);
    EXPECT_FALSE(lists.FindTransactionCode("402"_t, veta));
    lists.ClosePapCodes();
}

TEST(DocumentIdTextTest, ShortAndLongForms) {
    struct Case {
        const char* id;
        const char* form;
        const char* expected;
    } cases[] = {
        {"202303FA01 0012", "RR", "03/23 FA01/0012"},
        {"202303FA01 0012", "*", "03/2023 FA01/0012"},
        {"202300 PS 00001", "RR", "00/23 PS/00001"},
        {"202311_U1  12 3", "RR", "11/23 _U1/123"},
        {"20230", "RR", "                "},
        {"202303FA01 00123", "*", "                  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FromUtf8(c.expected), DocumentIdText(FromUtf8(c.id), FromUtf8(c.form))) << c.id;
}

TEST_F(PapDataTest, DocumentPairMessages) {
    std::filesystem::remove(dir_ / "UDHL2023.DB");
    DocumentTables shared(data_, where_);
    ui_->QueueOk();
    EXPECT_FALSE(shared.Open(false));
    EXPECT_EQ("Soubory účetních dokladů nelze otevřít. Akce končí.", LastMessage());
    EXPECT_FALSE(shared.Lines().Opened());

    // Exclusive: asked whether to try again; the second attempt finds the table back.
    DocumentTables exclusive(data_, where_);
    ui_->QueueButton(1);
    ui_->QueueButton(2);
    EXPECT_FALSE(exclusive.Open(true));
    EXPECT_EQ("decision", ui_->Transcript().back().kind);
    Headers();
    CloseTables();
    EXPECT_TRUE(exclusive.Open(true));
    exclusive.Close();
}

}  // namespace
}  // namespace axo::pap::test
