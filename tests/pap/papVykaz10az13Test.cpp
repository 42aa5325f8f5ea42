// Statements X to XIII and XVI: rows per partner (and per public contract in X from 2014), both
// methodologies of X and XI, the partner checks, the walk from group 2 into group 3, FSA/FKT/FP1
// groups, header-only rows, XII's and XIII's filters, XVI's codes and sides.
#include "PapTestSupport.h"
#include "pap/papVykaz10az13.h"
#include "pap/papVykaz10az13_od2014.h"
#include "pap/papVykaz16.h"

namespace axo::pap::test {
namespace {

std::string S(const StrN<10>& t) {
    return ToUtf8(t);
}

class Vykaz10Test : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        Add(PapCode("071", 1, 1, {10}));  // a sum: no rows of its own in X
        tVetaUAPV oprava = PapCode("0711", 1, 2, {10});
        oprava.CojePartner = 1;  // partner of the asset
        Add(oprava);
        Add(PapCode("0211", 1, 3, {10}));  // partner of the transaction
        Add(PapCode("0311", 1, 4, {1}));   // not in X
        Add(Account(71, 1, "0711", 'A', {10}));
        Add(Account(21, 1, "0211", 'A', {10}));
        Add(Account(31, 1, "0311", 'A', {10}));
        Add(WithPartner(Line("202300", 71, 1, 0, 500), "12345678", "", "Dodavatel"));
        Add(WithPartner(Line("202302", 71, 1, 100, 0), "12345678", "", "Jiný text"));
        Add(WithPartner(Line("202302", 71, 1, 0, 30), "DE"));
        tVetaUDPO zakazka = WithPartner(Line("202302", 21, 1, 40, 0), "87654321", "", "Odběratel");
        zakazka.PLATBA_PREDEM = "VZ-2023-01"_t;
        Add(zakazka);
        Add(WithPartner(Line("202302", 31, 1, 1, 0), "12345678"));
    }
    bool Run(bool od2014) {
        CloseTables();
        rows_.clear();
        ui_->QueueDialog("mesicOd=1 mesicDo=3 key:F2");
        Text result;
        return od2014 ? SestavVykazX(ctx_, StatementCaption(10), {}, nullptr, result)
                      : SestavVykazX_2013(ctx_, StatementCaption(10), {}, nullptr, result);
    }
};

TEST_F(Vykaz10Test, Analytics071IsPassiveOnlyFrom2014) {
    struct Case {
        bool od2014;
        double s1, s4;
    } cases[] = {{false, -500, -400}, {true, 500, 400}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Run(c.od2014));
        ASSERT_EQ(3u, rows_.size()) << c.od2014;
        const tVeta_Zorvi& r = rows_[0];  // 0711 / 12345678: rows follow the code list
        EXPECT_EQ("12345678", S(r.P1));
        EXPECT_EQ(c.s1, Col(r, 1)) << c.od2014;
        EXPECT_EQ(100.0, Col(r, 2));
        EXPECT_EQ(0.0, Col(r, 3));
        EXPECT_EQ(c.s4, Col(r, 4)) << c.od2014;
    }
}

TEST_F(Vykaz10Test, RowsPerPartnerWithTheFieldsOfEachMethodology) {
    ASSERT_TRUE(Run(false));
    std::vector<std::string> p1;
    for (const tVeta_Zorvi& r : rows_)
        p1.push_back(S(r.SA) + "/" + S(r.P1) + "/" + S(r.P2) + "/" + S(r.FSA));
    EXPECT_EQ((std::vector<std::string>{"0711/12345678//0711", "0711/DE//", "0211/87654321//0211"}),
              p1);
    EXPECT_EQ(10, handOver_.kind.cislo);
    EXPECT_FALSE(handOver_.kind.od2014);

    ASSERT_TRUE(Run(true));
    ASSERT_EQ(3u, rows_.size());
    const tVeta_Zorvi& transakce = rows_[2];  // partner of the transaction goes to P2
    EXPECT_EQ("", S(transakce.P1));
    EXPECT_EQ("87654321", S(transakce.P2));
    EXPECT_EQ("VZ-2023-01", ToUtf8(transakce.StZakazka));
    EXPECT_EQ("Odběratel", ToUtf8(transakce.Partner_Nazev));
    EXPECT_EQ("Dodavatel", ToUtf8(rows_[0].Partner_Nazev));  // the first line's note
    EXPECT_EQ("12345678", S(rows_[0].P1));
    EXPECT_EQ(30.0, Col(rows_[1], 4));  // DE, passive from 2014
    EXPECT_TRUE(handOver_.kind.od2014);
    EXPECT_EQ(0, PrintoutCount());
}

TEST_F(Vykaz10Test, PublicContractsOfOnePartnerAreRowsOfTheirOwnFrom2014) {
    // 87654321 has 40 under "VZ-2023-01" already.
    for (const auto& [zakazka, md] :
         {std::pair{"VZ-2023-02", 5.0}, {"VZ-2023-01", 2.0}, {"", 1.0}}) {
        tVetaUDPO radek = WithPartner(Line("202303", 21, 1, md, 0), "87654321");
        radek.PLATBA_PREDEM = FromUtf8(zakazka);
        Add(radek);
    }
    struct Case {
        bool od2014;
        std::vector<std::string> rows;  ///< P1|P2|contract|FSA|debit of the rows of 0211
    } cases[] = {
        {false, {"87654321|||0211|48.00"}},
        {true,
         {"|87654321||0211|1.00", "|87654321|VZ-2023-01||42.00", "|87654321|VZ-2023-02||5.00"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Run(c.od2014));
        std::vector<std::string> rows;
        for (const tVeta_Zorvi& r : rows_)
            if (S(r.SA) == "0211")
                rows.push_back(S(r.P1) + "|" + S(r.P2) + "|" + ToUtf8(r.StZakazka) + "|" +
                               S(r.FSA) + "|" + ToUtf8(RealToText(Col(r, 2), 0, 2)));
        EXPECT_EQ(c.rows, rows) << c.od2014;
    }
}

TEST_F(Vykaz10Test, PartnerChecksOfBothMethodologies) {
    Add(WithPartner(Line("202302", 71, 1, 7, 0), ""));
    Add(WithPartner(Line("202302", 71, 1, 8, 0), "XX"));        // no country code
    Add(WithPartner(Line("202302", 71, 1, 9, 0), "1234567A"));  // not digits
    ASSERT_TRUE(Run(false));
    // To 2013 an empty partner is reported and not counted; the others count as partners.
    EXPECT_EQ(
        (std::vector<std::string>{
            "│02/23 FA01/00006│    1│071/001│          7,00│          0,00│0711      │P1 --- │"}),
        ProtocolRows());
    EXPECT_EQ(5u, rows_.size());

    ui_->ClearTranscript();
    ASSERT_TRUE(Run(true));
    // From 2014 wrong partners are reported but counted; an empty one is just a partner.
    const std::vector<std::string> rows = ProtocolRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_NE(std::string::npos, rows[0].find("│          8,00│"));
    EXPECT_NE(std::string::npos, rows[1].find("│          9,00│"));
    EXPECT_EQ(6u, rows_.size());
}

TEST_F(Vykaz10Test, EmptyResultGetsOneHeaderRow) {
    for (bool od2014 : {false, true}) {
        ui_->QueueDialog("mesicOd=1 mesicDo=3 key:F2");
        CloseTables();
        rows_.clear();
        std::filesystem::remove(dir_ / "UDPO2023.DB");
        Lines();
        CloseTables();
        Text result;
        ASSERT_TRUE(od2014 ? SestavVykazX(ctx_, StatementCaption(10), {}, nullptr, result)
                           : SestavVykazX_2013(ctx_, StatementCaption(10), {}, nullptr, result));
        ASSERT_EQ(1u, rows_.size());
        EXPECT_EQ(10, rows_[0].CisloVykazu);
        EXPECT_EQ(0, rows_[0].RADEK);
        EXPECT_EQ("", S(rows_[0].SA));
        EXPECT_EQ("31.3.2023", ToUtf8(rows_[0].KDatu));
    }
}

class Vykaz11Test : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        tVetaUAPV naklady = PapCode("5011", 2, 1, {11});
        naklady.X_BezObratu = 1;
        Add(naklady);
        Add(PapCode("5021", 2, 2, {2}));
        Add(PapCode("6011", 3, 1, {11}));
        Add(Account(501, 1, "5011", 'N', {11}, 1));
        Add(Account(502, 1, "5021", 'N', {11}, 1));
        Add(Account(601, 1, "6011", 'V', {11}, 2));
        Add(PapCode("602", 3, 2, {11}));  // 3 characters, nothing below: an ordinary row
        Add(Account(602, 0, "602", 'W', {11}, 1));
        Add(WithPartner(Line("202302", 602, 0, 0, 3), "33333333"));
        Add(WithPartner(Line("202302", 501, 1, 300, 20), "11111111", "", "Hlavní"));
        Add(WithPartner(Line("202302", 502, 1, 5, 0), "11111111"));
        Add(WithPartner(Line("202302", 601, 1, 10, 400), "22222222", "", "Výnosy"));
    }
};

TEST_F(Vykaz11Test, CostsAndRevenuesPerPartnerInBothGroups) {
    for (bool od2014 : {false, true}) {
        CloseTables();
        rows_.clear();
        ui_->QueueDialog("key:F2");
        Text result;
        ASSERT_TRUE(od2014 ? SestavVykazXI(ctx_, StatementCaption(11), {}, nullptr, result)
                           : SestavVykazXI_2013(ctx_, StatementCaption(11), {}, nullptr, result));
        ASSERT_EQ(3u, rows_.size());
        EXPECT_EQ(3.0, Col(Row("602"), 1));
        const tVeta_Zorvi& naklady = Row("5011");
        EXPECT_EQ(280.0, Col(naklady, 1));
        EXPECT_EQ(0.0, Col(naklady, 2));  // main activity only
        EXPECT_EQ(1, naklady.X_BezObratu);
        const tVeta_Zorvi& vynosy = Row("6011");
        EXPECT_EQ(0.0, Col(vynosy, 1));
        EXPECT_EQ(390.0, Col(vynosy, 2));
        EXPECT_EQ("22222222", S(vynosy.P1));
        EXPECT_EQ(od2014 ? "Výnosy" : "", ToUtf8(vynosy.Partner_Nazev));
        EXPECT_EQ("6011", S(vynosy.FSA));
    }
    EXPECT_NE(std::string::npos, ToUtf8(rows_[0].NazevVykazu).find(" METODIKA PLATNÁ OD 2014"));
}

/// The groups that run procedure A walks: group 2 ends with the 3-character code "551", and
/// the first code of group 3 begins with the same characters.
class SkupinyTest : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        Add(PapCode("501", 2, 1, {2, 11}));
        Add(PapCode("5011", 2, 2, {2, 11}));
        Add(PapCode("551", 2, 3, {2, 11}));
        Add(PapCode("5511", 3, 1, {3, 11}));
        Add(PapCode("602", 3, 2, {3, 11}));  // the last code: an ordinary row
        Add(Account(501, 1, "5011", 'N', {2, 11}));
        Add(Account(551, 0, "551", 'N', {2, 11}));  // a code with a longer one: "součet"
        Add(Account(551, 1, "5511", 'V', {3, 11}));
        Add(Account(602, 0, "602", 'V', {3, 11}));
        Add(WithPartner(Line("202302", 501, 1, 100, 0), "11111111"));
        Add(WithPartner(Line("202302", 551, 0, 5, 0), "22222222"));
        Add(WithPartner(Line("202302", 551, 1, 0, 40), "33333333"));
        Add(WithPartner(Line("202302", 602, 0, 0, 9), "44444444"));
    }
};

TEST_F(SkupinyTest, ThreeCharacterCodeEndingAGroupIsNoSumOfTheNextGroup) {
    struct Case {
        int cislo;
        std::vector<std::string> rows;  ///< SA|sum|P1|first column
        std::size_t soucty;             ///< protocol lines "součet"
    } cases[] = {
        {2, {"501|1||100.00", "5011|0||100.00", "551|0||0.00"}, 1},
        {3, {"5511|0||40.00", "602|0||9.00"}, 0},
        // XI walks on into group 3 after looking ahead from "551".
        {11, {"5011|0|11111111|100.00", "5511|0|33333333|40.00", "602|0|44444444|9.00"}, 1},
    };
    for (const Case& c : cases) {
        ui_->ClearTranscript();
        ASSERT_TRUE(Compile(c.cislo, 1, 3));
        std::vector<std::string> rows;
        for (const tVeta_Zorvi& r : rows_)
            rows.push_back(S(r.SA) + "|" + std::to_string(r.Soucet) + "|" + S(r.P1) + "|" +
                           ToUtf8(RealToText(Col(r, 1), 0, 2)));
        EXPECT_EQ(c.rows, rows) << c.cislo;
        const std::vector<std::string> protokol = ProtocolRows();
        EXPECT_EQ(c.soucty, static_cast<std::size_t>(std::count_if(
                                protokol.begin(), protokol.end(),
                                [](const std::string& l) { return l.find("součet") != l.npos; })))
            << c.cislo;
    }
}

TEST_F(Vykaz11Test, EditButtonRunsTheResultEditorBeforeOutput) {
    CloseTables();
    int edited = -1;
    ctx_.editResult = [&](int cislo, const Text&, tFileZorvi& file) {
        edited = cislo * 100 + file.BtUsedRecs();
    };
    ui_->QueueDialog("click:editovat");
    Text result;
    ASSERT_TRUE(SestavVykazXI(ctx_, StatementCaption(11), {}, nullptr, result));
    EXPECT_EQ(1103, edited);
    const ui::TranscriptEntry* dialog = nullptr;
    for (const ui::TranscriptEntry& e : ui_->Transcript())
        if (e.kind == "dialog")
            dialog = &e;
    ASSERT_TRUE(dialog);
    EXPECT_NE(dialog->lines.end(),
              std::find(dialog->lines.begin(), dialog->lines.end(), "METODIKA PLATNÁ OD 2014"));
    // Without "Editovat" the editor is not run.
    edited = -1;
    ui_->QueueDialog("key:F2");
    ASSERT_TRUE(SestavVykazXI(ctx_, StatementCaption(11), {}, nullptr, result));
    EXPECT_EQ(-1, edited);
}

class Vykaz12Test : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        Add(TransactionCode("401", true));
        Add(TransactionCode("402", false));  // no partner with this code
        Add(TransactionCode("433", true));
        Add(TransactionCode("451", true));
        tVetaUAPV k = PapCode("0211", 1, 1, {12});
        k.PARTNER = 1;
        Flags(k, {1, 2, 51});
        Add(k);
        Add(Account(21, 1, "0211", 'A', {12}));
    }
};

TEST_F(Vykaz12Test, RowsPerCodeAndPartnerWithTheirGroups) {
    Add(WithKod(WithPartner(Line("202302", 21, 1, 100, 0), "11111111"), "401"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 50, 0), "22222222"), "401"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 0, 20), "11111111"), "451"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 10, 10), "33333333"), "401"));  // 0
    Add(WithKod(WithPartner(Line("202302", 21, 1, 9, 0), "11111111"), "402"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 8, 0), "11111111"), "433"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 7, 0), ""), "401"));  // reported
    ASSERT_TRUE(Compile(12, 1, 3));
    std::vector<std::string> rows;
    for (const tVeta_Zorvi& r : rows_)
        rows.push_back(S(r.SA) + "|" + ToUtf8(r.Sloupec[1].TRANSAKCE) + "|" + S(r.P1) + "|" +
                       S(r.FSA) + "|" + ToUtf8(r.FKT) + "|" + S(r.FP1) + "|" +
                       ToUtf8(RealToText(Col(r, 1), 0, 2)));
    EXPECT_EQ((std::vector<std::string>{
                  "0211|401|11111111|0211|401|11111111|100.00",
                  "0211|401|22222222|||22222222|50.00",
                  "0211|451|11111111||451|11111111|20.00",
              }),
              rows);
    EXPECT_EQ(0, rows_[0].RADEK);
    EXPECT_EQ("", ToUtf8(rows_[0].POPIS));
    EXPECT_EQ(
        (std::vector<std::string>{
            "│02/23 FA01/00007│    1│021/001│          7,00│          0,00│0211      │P1 --- │"}),
        ProtocolRows());
}

TEST_F(Vykaz12Test, StorageOrderAndAccountOrderAddUpTheSame) {
    // Partners in turns and names that change, so that the order of the lines would show.
    for (int i = 0; i < 40; ++i) {
        tVetaUDPO r = WithKod(WithPartner(Line("202302", 21, 1, 1.25 + i, 0.5),
                                          (std::to_string(10000000 + i % 7)).c_str(), "",
                                          ("Partner " + std::to_string(i)).c_str()),
                              i % 3 ? "401" : "451");
        r.VS1 = IntToTextZeros((i * 17) % 40, 5);
        Add(r);
    }
    std::vector<std::vector<std::string>> results;
    for (bool poradiUctu : {true, false}) {
        ctx_.accountOrderPass = poradiUctu;
        ASSERT_TRUE(Compile(12, 1, 6));
        std::vector<std::string> rows;
        for (const tVeta_Zorvi& r : rows_)
            rows.push_back(ToUtf8(r.P1) + "|" + ToUtf8(r.Partner_Nazev) + "|" +
                           ToUtf8(RealToText(Col(r, 1), 0, 2)));
        results.push_back(rows);
    }
    ASSERT_EQ(14u, results[0].size());
    EXPECT_EQ(results[0], results[1]);
    // Partner 10000000 takes i = 0, 7, 14, 21, 28, 35: 451 for 0 and 21, 401 for the rest,
    // so its 401 row is (8.25 + 15.25 + 29.25 + 36.25) - 4 x 0.5; its name is that of the
    // first of these lines in the account order: VS1 = i x 17 mod 40 is 39, 38, 36 and 35
    // for 7, 14, 28 and 35.
    EXPECT_EQ("10000000|Partner 35|87.00", results[0][0]);
}

TEST_F(Vykaz12Test, SecondPartnerWhenTheCodeRequiresIt) {
    CloseTables();
    Codes().BtClearKey(1);
    std::int32_t n = 0;
    Text key;
    ASSERT_TRUE(Codes().BtNextKey(1, n, key));
    tVetaUAPV k;
    Codes().GetRec(n, &k);
    k.PARTNER2 = 1;
    Codes().PutRec(n, &k);
    Add(WithKod(WithPartner(Line("202302", 21, 1, 100, 0), "11111111", "99999999"), "401"));
    Add(WithKod(WithPartner(Line("202302", 21, 1, 5, 0), "11111111", ""), "401"));
    ASSERT_TRUE(Compile(12, 1, 3));
    ASSERT_EQ(1u, rows_.size());
    EXPECT_EQ("99999999", S(rows_[0].P1));
    ASSERT_EQ(1u, ProtocolRows().size());
    EXPECT_NE(std::string::npos, ProtocolRows()[0].find("│P2 --- │"));
}

TEST_F(Vykaz12Test, NothingToShowGivesOneHeaderRow) {
    for (int cislo : {12, 13}) {
        ASSERT_TRUE(Compile(cislo, 1, 3));
        ASSERT_EQ(1u, rows_.size());
        EXPECT_EQ(cislo, rows_[0].CisloVykazu);
        EXPECT_EQ("", S(rows_[0].SA));
        EXPECT_EQ("31.3.2023", ToUtf8(rows_[0].KDatu));
    }
}

TEST_F(Vykaz12Test, StatementXIIIWantsBothPartners) {
    tVetaUAPV k = PapCode("0311", 1, 2, {13});
    k.PARTNER = 1;
    k.CojePartner = 1;
    k.PARTNER2 = 1;
    Add(k);
    Add(Account(31, 1, "0311", 'A', {13}));
    Add(WithKod(WithPartner(Line("202302", 31, 1, 100, 0), "11111111", "22222222"), "401"));
    Add(WithKod(WithPartner(Line("202302", 31, 1, 0, 30), "11111111", "33333333"), "451"));
    Add(WithKod(WithPartner(Line("202302", 31, 1, 6, 0), "11111111", ""), "401"));
    Add(WithKod(WithPartner(Line("202302", 31, 1, 4, 0), "11111111", "22222222"), "402"));
    ASSERT_TRUE(Compile(13, 1, 3));
    ASSERT_EQ(2u, rows_.size());
    EXPECT_EQ("22222222", S(rows_[0].P2));
    EXPECT_EQ(100.0, Col(rows_[0], 1));
    EXPECT_EQ("33333333", S(rows_[1].P2));
    EXPECT_EQ(30.0, Col(rows_[1], 1));
    EXPECT_EQ("", S(rows_[1].FSA));
    EXPECT_EQ(1u, ProtocolRows().size());
}

class Vykaz16Test : public StatementTest {
  protected:
    static tVetaUAPV Konsolidovany(const char* sa, int row, bool konsolidace = true) {
        tVetaUAPV k = PapCode(sa, 0, row, {16});
        k.PARTNER = 1;
        k.Konsolidace = konsolidace ? 1 : 0;
        return k;
    }
};

TEST_F(Vykaz16Test, StatesPerPartnerOfConsolidatedCodes) {
    Add(Konsolidovany("9011", 1));
    Add(Konsolidovany("9051", 2, false));  // not of the consolidation unit: no rows
    Add(Konsolidovany("9731", 3));
    Add(Account(901, 1, "9011", 'P', {16}));
    Add(Account(905, 1, "9051", 'A', {16}));
    Add(Account(973, 1, "9731", 'A', {16}));
    Add(WithPartner(Line("202300", 901, 1, 100, 0), "11111111", "", "Banka"));
    tVetaUDPO treti = WithPartner(Line("202302", 901, 1, 0, 30), "11111111");
    treti.PRIZNAK = 3;  // counted by XVI
    Add(treti);
    Add(WithPartner(Line("202302", 905, 1, 5, 0), "11111111"));
    Add(WithPartner(Line("202300", 973, 1, 0, 200), "22222222"));
    Add(WithPartner(Line("202302", 973, 1, 0, 1), ""));  // reported, not counted
    ASSERT_TRUE(Compile(16, 1, 3));
    ASSERT_EQ(2u, rows_.size());
    const tVeta_Zorvi& aktivni = Row("9011");
    EXPECT_EQ(100.0, Col(aktivni, 1));  // active whatever the account's nature
    EXPECT_EQ(30.0, Col(aktivni, 3));
    EXPECT_EQ(70.0, Col(aktivni, 4));
    EXPECT_EQ("Banka", ToUtf8(aktivni.Partner_Nazev));
    EXPECT_EQ(1, aktivni.P24);
    const tVeta_Zorvi& pasivni = Row("9731");
    EXPECT_EQ(200.0, Col(pasivni, 1));
    EXPECT_EQ(200.0, Col(pasivni, 4));
    EXPECT_EQ(1u, ProtocolRows().size());
}

TEST_F(Vykaz16Test, PartnerBookedOnlyAfterThePeriodKeepsAZeroRow) {
    Add(Konsolidovany("9011", 1));
    Add(Account(901, 1, "9011", 'A', {16}));
    Add(WithPartner(Line("202305", 901, 1, 100, 0), "11111111"));  // after the period
    ASSERT_TRUE(Compile(16, 1, 3));
    ASSERT_EQ(1u, rows_.size());
    const tVeta_Zorvi& row = Row("9011");
    EXPECT_EQ(1, row.P24);
    EXPECT_EQ("11111111", S(row.P1));
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(0.0, Col(row, c)) << c;
    EXPECT_TRUE(ProtocolRows().empty());
}

TEST_F(Vykaz16Test, YearWithoutSuitableLinesGivesOneHeaderRow) {
    Add(Konsolidovany("9011", 1));
    Add(Account(901, 1, "9011", 'A', {15}));  // not an account of this statement
    Add(WithPartner(Line("202302", 901, 1, 100, 0), "11111111"));
    ASSERT_TRUE(Compile(16, 1, 3));
    ASSERT_EQ(1u, rows_.size());
    EXPECT_EQ(16, rows_[0].CisloVykazu);
    EXPECT_EQ(0, rows_[0].P24);
    EXPECT_EQ("", S(rows_[0].SA));
    EXPECT_EQ(1024, tPAP_Vykaz16(ctx_, {}).PodejDruhPts());
}

}  // namespace
}  // namespace axo::pap::test
