// The fill of the chart of accounts from the PAP code list: the question with the number of
// accounts (declined: nothing changes), attributes copied from a known analytics, cleared for an
// unknown or empty one, every other field kept, the protocol of the changes; and a chart in use
// or a missing code list that change nothing.
#include "pap/FillChart.h"

#include "ImportTestSupport.h"
#include "ui/TextListing.h"
#include "util/Lines.h"

namespace axo::pap::test {
namespace {

class FillChartTest : public ImportTest {
  protected:
    static tVetaRozvrh Account(int se, int ae, const char* analytics) {
        tVetaRozvrh a;
        a.SE = static_cast<Word>(se);
        a.AE = static_cast<Word>(ae);
        a.NAZ_UCT = "Účet "_t + FromUtf8(std::to_string(se));
        a.AKT_PAS = 'A';
        a.PO_CINNOST = 2;
        a.MENA = "EUR"_t;
        a.STAT_ANAL = FromUtf8(analytics);
        return a;
    }
    tVetaRozvrh Read(int se, int ae, Text* notes = nullptr) {
        tFileRozvrh chart(ctx_, where_);
        EXPECT_TRUE(chart.InitFile(1, storage::_NoWait));
        tVetaRozvrh a;
        a.SE = static_cast<Word>(se);
        a.AE = static_cast<Word>(ae);
        std::int32_t n = 0;
        EXPECT_TRUE(chart.BtFindKey(1, n, chart.MakeKey(1, &a)));
        chart.GetRec(n, &a);
        if (notes)
            *notes = chart.ReadMemo("NOTES"_t);
        return a;
    }
    void AddAccount(const tVetaRozvrh& a, const Text& notes) {
        tFileRozvrh chart(ctx_, where_);
        ASSERT_TRUE(chart.InitFile(2, storage::_NoWait));
        chart.SetNotes(notes);
        std::int32_t n = 0;
        chart.AddRec(n, &a);
    }
    void AddCodes() {
        tVetaUAPV code;
        code.STAT_ANAL = "0211"_t;
        code.VYKAZ_I_II_III = 1;
        code.RADEK = 2;
        code.PARTNER = 1;
        code.CojePartner = 1;
        code.PARTNER2 = 1;
        code.KOD = 1;
        code.VYKAZY[0] = code.VYKAZY[3] = code.VYKAZY[9] = 1;
        code.MD[0] = 1;  // not an attribute of the account
        Add<tFileUAPV>(std::vector<tVetaUAPV>{code});
    }
    void SetUp() override {
        ImportTest::SetUp();
        ctx_.workDirectory = dir_;
        listing_.data = &ctx_;
        ui_.SetPrintoutDirectory(dir_);
    }
    ui::ListingEnvironment listing_;
};

TEST_F(FillChartTest, CopiesKnownAnalyticsAndClearsTheRest) {
    AddCodes();
    tVetaRozvrh stale = Account(501, 100, "999");
    stale.PARTNER = stale.KOD = stale.PARTNER2 = 1;
    stale.CojePartner = 1;
    stale.VYKAZY[1] = 1;
    AddAccount(Account(21, 100, "0211"), "poznámka k účtu"_t);
    AddAccount(stale, {});
    tVetaRozvrh empty = Account(518, 0, "");
    empty.VYKAZY[1] = 1;
    AddAccount(empty, "jiná poznámka"_t);
    AddAccount(Account(22, 0, " 0211 "), {});

    const auto before = Dump<tFileRozvrh>();
    ui_.QueueEsc();
    const FillChartOutcome declined = FillChartFromPap(where_, ctx_, ui_, &listing_);
    EXPECT_FALSE(declined.done);
    EXPECT_TRUE(declined.changes.empty());
    EXPECT_EQ(before, Dump<tFileRozvrh>()) << "declined: nothing written";
    ASSERT_EQ(1u, Shown().size());
    EXPECT_THAT(Shown()[0], ::testing::HasSubstr("údaje PAP u 4 účtů účtového rozvrhu"));
    EXPECT_THAT(Shown()[0], ::testing::HasSubstr("U 1 z nich bude vymazána"));

    ui_.ClearTranscript();
    ui_.QueueButton(1);
    ui_.QueueOk();
    const FillChartOutcome filledOutcome = FillChartFromPap(where_, ctx_, ui_, &listing_);
    EXPECT_TRUE(filledOutcome.done);
    std::vector<std::string> lines;
    for (const ChartChange& c : filledOutcome.changes)
        lines.push_back(ToUtf8(ChartChangeLine(c)));
    EXPECT_EQ((std::vector<std::string>{
                  "021/100  0211 -> 0211 KT P1-AP P2 výk. 1,4,10",
                  "022/000  0211 -> 0211 KT P1-AP P2 výk. 1,4,10",
                  "501/100  999 KT P1-AP P2 výk. 2 -> vymazáno (analytika není v číselníku PAP)",
                  "518/000  - výk. 2 -> -",
              }),
              lines);
    const auto shown = Shown();
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("message 1: HOTOVO! Změněných účtů: 4.", shown[2]);
    const auto printouts = ui_.PrintoutsSince(0);
    ASSERT_EQ(1u, printouts.files.size());
    std::ifstream in(printouts.files[0]);
    const std::string protocol((std::istreambuf_iterator<char>(in)), {});
    for (const char* expected : {"Protokol změn účtového rozvrhu", "501/100", "999",
                                 "analytika není v číselníku PAP, vymazána", "Změněných účtů: 4"})
        EXPECT_THAT(protocol, ::testing::HasSubstr(expected));

    // Run again, the chart matches the list: nothing to ask.
    ui_.ClearTranscript();
    ui_.QueueOk();
    EXPECT_TRUE(FillChartFromPap(where_, ctx_, ui_, &listing_).changes.empty());
    EXPECT_EQ(std::vector<std::string>{"message 1: HOTOVO! Údaje PAP všech účtů již odpovídají "
                                       "číselníku PAP, nic se nezměnilo."},
              Shown());

    Text notes;
    const tVetaRozvrh filled = Read(21, 100, &notes);
    EXPECT_EQ("0211"_t, filled.STAT_ANAL.Get());
    EXPECT_EQ(1, filled.PARTNER);
    EXPECT_EQ(1, filled.CojePartner);
    EXPECT_EQ(1, filled.PARTNER2);
    EXPECT_EQ(1, filled.KOD);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(i == 0 || i == 3 || i == 9, filled.VYKAZY[i] != 0) << i;
    EXPECT_EQ("poznámka k účtu"_t, notes);
    EXPECT_EQ(2, filled.PO_CINNOST);
    EXPECT_EQ("EUR"_t, filled.MENA.Get());
    EXPECT_EQ("0211"_t, Read(22, 0).STAT_ANAL.Get()) << "the code's own form is copied";

    for (const auto& [se, ae] : {std::pair{501, 100}, std::pair{518, 0}}) {
        const tVetaRozvrh cleared = Read(se, ae, &notes);
        EXPECT_TRUE(cleared.STAT_ANAL.Get().empty()) << se;
        EXPECT_EQ(0, cleared.PARTNER + cleared.CojePartner + cleared.PARTNER2 + cleared.KOD) << se;
        for (Boolean v : cleared.VYKAZY)
            EXPECT_EQ(0, v) << se;
        EXPECT_EQ('A', cleared.AKT_PAS) << se;
        EXPECT_EQ(2, cleared.PO_CINNOST) << se;
    }
    EXPECT_EQ("jiná poznámka"_t, notes);
    EXPECT_EQ(4u, Dump<tFileRozvrh>().size());
}

TEST_F(FillChartTest, ChartInUseOrMissingCodeListChangesNothing) {
    AddAccount(Account(21, 100, "0211"), "poznámka"_t);
    const auto before = Dump<tFileRozvrh>();

    ui_.QueueOk();
    EXPECT_FALSE(FillChartFromPap(where_, ctx_, ui_, &listing_).done);
    EXPECT_EQ(std::vector<std::string>{"message 2: Číselník pomocného analytického přehledu pro výkazy "
                                       "nelze otevřít!"},
              Shown());

    AddCodes();
    tFileRozvrh other(ctx_, where_);
    ASSERT_TRUE(other.InitFile(1, storage::_NoWait));
    ui_.ClearTranscript();
    ui_.QueueOk();
    EXPECT_FALSE(FillChartFromPap(where_, ctx_, ui_, &listing_).done);
    EXPECT_EQ(std::vector<std::string>{"message 2: Účtový rozvrh nelze EXCLUSIVNĚ otevřít!"},
              Shown());
    other.CloseFile();
    EXPECT_EQ(before, Dump<tFileRozvrh>());
}

}  // namespace
}  // namespace axo::pap::test
