// Statements IV to IX: columns laid out from the transaction code list, amounts and marks per
// code, the fixed codes in the special columns, the protocol of incorrect codes, VIII's rule
// for 067 and code 33, the fixed columns of 363 in VI, both layouts of the result, and IX
// refused from 2022.
#include "PapTestSupport.h"
#include "pap/papVykaz04az09.h"

namespace axo::pap::test {
namespace {

/// The compiled layout as it is before any template adapts it.
class NeupravenyVykaz : public tPAP_Vykaz04_09 {
  public:
    using tPAP_Vykaz04_09::tPAP_Vykaz04_09;
    void UpravZorviFile(const Text&) override {}
};

std::string Kod(const tSloupec& s) {
    return ToUtf8(s.TRANSAKCE);
}

/// Runs a statement without adapting its result to a template.
class RawStatementTest : public StatementTest {
  protected:
    bool CompileRaw(int cislo) {
        CloseTables();
        rows_.clear();
        ui_->QueueDialog("mesicOd=2 mesicDo=3 key:F2");
        NeupravenyVykaz vykaz(ctx_, cislo, {StatementCaption(cislo), {}, nullptr, nullptr, false});
        Text result;
        return SpustVykaz(vykaz, result);
    }
};

class Vykaz04Test : public RawStatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        for (const char* kod : {"401", "402", "433", "451", "483", "501"})
            Add(TransactionCode(kod));
        tVetaUAPV soucet = PapCode("021", 1, 1, {4});
        Flags(soucet, {1, 2, 51});
        tVetaUAPV bezMd02 = PapCode("0211", 1, 2, {4});
        Flags(bezMd02, {1, 51});
        tVetaUAPV vse = PapCode("0212", 1, 3, {4});
        Flags(vse, {1, 2, 51});
        for (const tVetaUAPV& k : {soucet, bezMd02, vse})
            Add(k);
        Add(Account(21, 1, "0211", 'A', {4}));
        Add(Account(21, 2, "0212", 'A', {4}));
    }
    void Lines0211() {
        Add(WithKod(Line("202302", 21, 1, 100, 0), "401"));
        Add(WithKod(Line("202302", 21, 1, 30, 0), "402"));  // 0211 does not allow 402
        Add(WithKod(Line("202302", 21, 1, 0, 40), "451"));
    }
    void Lines0212() {
        Add(WithKod(Line("202303", 21, 2, 70, 0), "433"));
        Add(WithKod(Line("202303", 21, 2, 0, 15), "483"));
        Add(WithKod(Line("202303", 21, 2, 5, 0), "405"));     // not in the code list
        Add(WithKod(Line("202303", 21, 2, 9, 0), ""));        // no code
        Add(WithKod(Line("202301", 21, 2, 1000, 0), "401"));  // before the period
    }
};

TEST_F(Vykaz04Test, ColumnsAmountsAndMarks) {
    Lines0211();
    Lines0212();
    ASSERT_TRUE(CompileRaw(4));
    ASSERT_EQ(3u, rows_.size());
    for (const tVeta_Zorvi& r : rows_) {
        EXPECT_EQ("401", Kod(r.Sloupec[1]));
        EXPECT_EQ("402", Kod(r.Sloupec[2]));
        EXPECT_EQ("451", Kod(r.Sloupec[3]));
        EXPECT_EQ("", Kod(r.Sloupec[4]));
        EXPECT_EQ("433", Kod(r.SloupecMD[0]));
        EXPECT_EQ("483", Kod(r.SloupecDAL[0]));
        EXPECT_EQ("", Kod(r.SloupecMD[1]));  // IV has one fixed code on each side
    }
    struct Case {
        const char* sa;
        double c1, c2, c3, md, dal;
        Byte k1, k2, k3, kmd, kdal;
    } cases[] = {
        {"021", 100, 30, 40, 70, 15, 1, 1, 1, 1, 1},
        {"0211", 100, 30, 40, 0, 0, 1, 2, 1, 0, 0},  // 402 not allowed but booked: mark 2
        {"0212", 0, 0, 0, 70, 15, 0, 0, 0, 1, 1},    // the January 401 is before the period
    };
    for (const Case& c : cases) {
        const tVeta_Zorvi& r = Row(c.sa);
        EXPECT_EQ(c.c1, Col(r, 1)) << c.sa;
        EXPECT_EQ(c.c2, Col(r, 2)) << c.sa;
        EXPECT_EQ(c.c3, Col(r, 3)) << c.sa;
        EXPECT_EQ(c.md, r.SloupecMD[0].SLOUPEC) << c.sa;
        EXPECT_EQ(c.dal, r.SloupecDAL[0].SLOUPEC) << c.sa;
        EXPECT_EQ(c.k1, r.Sloupec[1].KRIZEK) << c.sa;
        EXPECT_EQ(c.k2, r.Sloupec[2].KRIZEK) << c.sa;
        EXPECT_EQ(c.k3, r.Sloupec[3].KRIZEK) << c.sa;
        EXPECT_EQ(c.kmd, r.SloupecMD[0].KRIZEK) << c.sa;
        EXPECT_EQ(c.kdal, r.SloupecDAL[0].KRIZEK) << c.sa;
    }
    // The accumulation reports codes the row's code does not allow; the compilation the
    // work records whose code has no column, once, under their own row and not the sum row.
    const std::vector<std::string> expected = {
        "│02/23 FA01/00002│    1│021/001│         30,00│          0,00│0211      │402 x  │",
        "│03/23 FA01/00006│    1│021/002│          5,00│          0,00│0212      │405 x  │",
        "│03/23 FA01/00007│    1│021/002│          9,00│          0,00│0212      │kt --- │",
        "│0212        │         │          9,00│          0,00│",
        "│0212        │405      │          5,00│          0,00│",
    };
    EXPECT_EQ(expected, ProtocolRows());
    EXPECT_EQ(2, PrintoutCount());
    const std::vector<std::string> all = Printouts();
    EXPECT_NE(all.end(), std::find_if(all.begin(), all.end(), [](const std::string& l) {
                  return l.find("nekorektní kódy transakce") != std::string::npos;
              }));
    // Each printout ends with a legend of its marks, those of the statement's cells with them.
    const std::vector<std::string> legend = {
        "  kt ---    řádek dokladu nemá kód transakce",
        "  kód x     kód transakce, který analytika PAP nepovoluje nebo do výkazu nepatří",
        "  x         ve výkazu: sloupec s kódem, který analytika PAP nepovoluje",
        "  !         ve výkazu: částka s kódem, který analytika PAP nepovoluje",
        "  nekorektní kódy transakce:",
        "            obraty s kódem, pro který výkaz nemá sloupec; nezapočetly se",
        "  x         ve výkazu: sloupec s kódem, který analytika PAP nepovoluje",
        "  !         ve výkazu: částka s kódem, který analytika PAP nepovoluje",
    };
    EXPECT_EQ(legend, LegendLines());
}

TEST_F(Vykaz04Test, FixedNumberOfAnotherStatementIsAnIncorrectCode) {
    Add(WithKod(Line("202302", 21, 2, 70, 0), "533"));  // V's 33 on a IV account
    Add(WithKod(Line("202302", 21, 2, 0, 15), "983"));  // IX's 83
    Add(WithKod(Line("202302", 21, 2, 5, 0), "433"));
    ASSERT_TRUE(CompileRaw(4));
    for (const char* sa : {"021", "0212"}) {
        const tVeta_Zorvi& r = Row(sa);
        EXPECT_EQ(5.0, r.SloupecMD[0].SLOUPEC) << sa;
        EXPECT_EQ("433", Kod(r.SloupecMD[0])) << sa;
        EXPECT_EQ(0.0, r.SloupecDAL[0].SLOUPEC) << sa;
        EXPECT_EQ("483", Kod(r.SloupecDAL[0])) << sa;
    }
    // Listed once, under the row itself, not again under the sum row.
    const std::vector<std::string> rows = ProtocolRows();
    for (const char* line : {"│0212        │533      │         70,00│          0,00│",
                             "│0212        │983      │          0,00│         15,00│"})
        EXPECT_EQ(1, std::count(rows.begin(), rows.end(), line)) << line;
}

TEST_F(Vykaz04Test, SumRowListsTheCodesOfAChildWithoutARowOfItsOwn) {
    // 0213 is not a code of statement IV, its account is: only the sum row meets its work
    // records, and so it lists them.
    Add(PapCode("0213", 1, 4, {5}));
    Add(Account(21, 3, "0213", 'A', {4}));
    Add(WithKod(Line("202302", 21, 3, 7, 0), "405"));
    Add(WithKod(Line("202302", 21, 2, 8, 0), "405"));
    ASSERT_TRUE(CompileRaw(4));
    const std::vector<std::string> expected = {
        "│02/23 FA01/00002│    1│021/002│          8,00│          0,00│0212      │405 x  │",
        "│02/23 FA01/00001│    1│021/003│          7,00│          0,00│0213      │405 x  │",
        "│0213        │405      │          7,00│          0,00│",
        "│0212        │405      │          8,00│          0,00│",
    };
    EXPECT_EQ(expected, ProtocolRows());
}

TEST_F(Vykaz04Test, CodeNotAllowedIsCrossedOutWithoutAmount) {
    Lines0212();
    ASSERT_TRUE(CompileRaw(4));
    EXPECT_EQ(kKrizekSkrtnut, Row("0211").Sloupec[2].KRIZEK);
    EXPECT_EQ(kKrizekNic, Row("0211").Sloupec[1].KRIZEK);
    EXPECT_EQ(kKrizekNic, Row("0212").Sloupec[2].KRIZEK);
}

TEST_F(Vykaz04Test, ReducedLayoutKeepsOnlyColumnsWithAmounts) {
    Add(WithKod(Line("202302", 21, 1, 30, 0), "402"));
    Add(WithKod(Line("202302", 21, 1, 0, 40), "451"));
    Add(WithKod(Line("202303", 21, 2, 70, 0), "433"));
    ctx_.defaultTemplate = "PAP_VYKAZY IV-IX Výkaz IV až IX.pts"_t;
    ASSERT_TRUE(Compile(4, 2, 3));
    ASSERT_EQ(3u, rows_.size());
    for (const tVeta_Zorvi& r : rows_) {
        EXPECT_EQ("402", Kod(r.Sloupec[1])) << r.SA;
        EXPECT_EQ("433", Kod(r.Sloupec[2])) << r.SA;  // debit fixed codes after debit codes
        EXPECT_EQ("451", Kod(r.Sloupec[3])) << r.SA;
        EXPECT_EQ("", Kod(r.Sloupec[4])) << r.SA;
    }
    const tVeta_Zorvi& r = Row("0211");
    EXPECT_EQ(30.0, Col(r, 1));
    EXPECT_EQ(kKrizekNepovolen, r.Sloupec[1].KRIZEK);
    EXPECT_EQ(0.0, Col(r, 2));
    EXPECT_EQ(40.0, Col(r, 3));
    EXPECT_EQ(70.0, Col(Row("0212"), 2));
    EXPECT_EQ(kKrizekPovolen, Row("0212").Sloupec[2].KRIZEK);
}

TEST_F(Vykaz04Test, FullLayoutPutsEveryCodeInTheColumnOfItsNumber) {
    Lines0211();
    ctx_.pickTemplate = [](int, unsigned mask, const Text&) -> std::optional<Text> {
        EXPECT_EQ(24u, mask);
        return "PAP_VYKAZY IV-IX-KOMPLET Výkaz.pts"_t;
    };
    ASSERT_TRUE(Compile(4, 2, 3));
    const tVeta_Zorvi& r = Row("0211");
    EXPECT_EQ("401", Kod(r.Sloupec[1]));
    EXPECT_EQ("402", Kod(r.Sloupec[2]));
    EXPECT_EQ("", Kod(r.Sloupec[3]));
    EXPECT_EQ("451", Kod(r.Sloupec[21]));
    EXPECT_EQ(100.0, Col(r, 1));
    EXPECT_EQ(30.0, Col(r, 2));
    EXPECT_EQ(kKrizekNepovolen, r.Sloupec[2].KRIZEK);
    EXPECT_EQ(0.0, Col(r, 3));
    EXPECT_EQ(40.0, Col(r, 21));
    EXPECT_EQ("433", Kod(r.SloupecMD[0]));  // special columns stay
}

TEST(Vykaz04TemplateTest, FullLayoutIsNamedAfterTheFirstBlank) {
    struct Case {
        const char* name;
        bool full;
    } cases[] = {{"PAP_VYKAZY IV-IX-KOMPLET Výkaz.pts", true},
                 {"PAP_VYKAZY iv-ix-komplet.pts", true},
                 {"PAP_VYKAZY IV-IX Výkaz.pts", false},
                 {"IV-IX-KOMPLET.pts", false},
                 {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.full, tPAP_Vykaz04_09::JeKompletni(FromUtf8(c.name))) << c.name;
}

TEST(Vykaz04TemplateTest, FixedCodesOfEachStatement) {
    struct Case {
        int vykaz, md0, md1, dal0, dal1;
    } cases[] = {{4, 33, 0, 83, 0}, {5, 33, 34, 83, 84}, {6, 33, 0, 83, 0},
                 {7, 33, 0, 83, 0}, {8, 32, 33, 82, 83}, {9, 33, 0, 83, 0}};
    for (const Case& c : cases) {
        const PevneKody k = PevneKodyVykazu(c.vykaz);
        EXPECT_EQ(c.md0, k.md[0]) << c.vykaz;
        EXPECT_EQ(c.md1, k.md[1]) << c.vykaz;
        EXPECT_EQ(c.dal0, k.dal[0]) << c.vykaz;
        EXPECT_EQ(c.dal1, k.dal[1]) << c.vykaz;
    }
    EXPECT_FALSE(JePevnyKod(4, 0));
    EXPECT_TRUE(JePevnyKod(5, 84));
    EXPECT_FALSE(JePevnyKod(4, 34));
}

class Vykaz08Test : public RawStatementTest {};

TEST_F(Vykaz08Test, Code33IsNoFixedCodeOfAnalytics067) {
    for (const char* kod : {"801", "851"})
        Add(TransactionCode(kod));
    tVetaUAPV a = PapCode("0221", 1, 1, {8});
    tVetaUAPV b = PapCode("0671", 1, 2, {8});
    Flags(a, {1});
    Flags(b, {1});
    Add(a);
    Add(b);
    Add(Account(22, 1, "0221", 'A', {8}));
    Add(Account(67, 1, "0671", 'A', {8}));
    Add(WithKod(Line("202302", 22, 1, 10, 0), "833"));
    Add(WithKod(Line("202302", 22, 1, 20, 0), "832"));
    Add(WithKod(Line("202302", 67, 1, 30, 0), "833"));
    Add(WithKod(Line("202302", 67, 1, 40, 0), "882"));
    Add(WithKod(Line("202302", 22, 1, 50, 0), "732"));  // VII's 32 is no fixed code of VIII
    ASSERT_TRUE(Compile(8, 1, 3));
    const tVeta_Zorvi& r = Row("0221");
    EXPECT_EQ(20.0, r.SloupecMD[0].SLOUPEC);  // 32: table A position 0
    EXPECT_EQ(10.0, r.SloupecMD[1].SLOUPEC);  // 33: table A position 1
    EXPECT_EQ("833", Kod(r.SloupecMD[1]));
    EXPECT_EQ("882", Kod(Row("0671").SloupecDAL[0]));  // only its label
    EXPECT_EQ(-40.0, Row("0671").SloupecDAL[0].SLOUPEC);
    EXPECT_EQ(0.0, Row("0671").SloupecMD[1].SLOUPEC);
    const std::vector<std::string> rows = ProtocolRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ("│0671        │833      │         30,00│          0,00│", rows.back());
    EXPECT_EQ(1, std::count(rows.begin(), rows.end(),
                            "│0221        │732      │         50,00│          0,00│"));
    EXPECT_EQ("832", Kod(r.SloupecMD[0]));
}

class Vykaz06Test : public RawStatementTest {};

TEST_F(Vykaz06Test, Analytics363HasFixedColumnsInVI) {
    for (const char* kod : {"601", "602", "606", "651", "652"})
        Add(TransactionCode(kod));
    tVetaUAPV k = PapCode("363", 1, 1, {6});
    Flags(k, {2, 52});  // the code list's flags do not count for 363
    Add(k);
    Add(Account(363, 0, "363", 'A', {6}));
    Add(WithKod(Line("202302", 363, 0, 10, 0), "602"));
    Add(WithKod(Line("202302", 363, 0, 7, 0), "601"));
    ASSERT_TRUE(CompileRaw(6));
    const tVeta_Zorvi& r = Row("363");
    const Byte expected[] = {kKrizekPovolen, kKrizekNepovolen, kKrizekNic, kKrizekNic,
                             kKrizekSkrtnut};
    const char* kody[] = {"601", "602", "606", "651", "652"};
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(kody[c - 1], Kod(r.Sloupec[c]));
        EXPECT_EQ(expected[c - 1], r.Sloupec[c].KRIZEK) << c;
    }
    EXPECT_EQ(10.0, Col(r, 2));
}

TEST_F(Vykaz06Test, StatementIXIsRefusedFrom2022) {
    CloseTables();
    ctx_.fiscalYear = 2022;
    ui_->QueueOk();
    Text result;
    EXPECT_FALSE(SestavVykazCislo(ctx_, 9, StatementCaption(9), {}, nullptr, result));
    EXPECT_EQ("Výkaz č. IX se od roku 2022 nepodává (byl zrušen)", LastMessage());
    EXPECT_EQ(0u, ui_->PendingAnswers());
    ctx_.fiscalYear = 2021;
    EXPECT_TRUE(Compile(9, 1, 3));
}

}  // namespace
}  // namespace axo::pap::test
