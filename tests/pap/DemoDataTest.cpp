// The demo organisation: the same documents for the same seed, balanced documents, valid
// partners, ordinary documents that keep every rule of the record check, faulty documents that
// break each rule at least once, a chart of every class, an installation filled end to end,
// and rows of partners in its statements XII and XIII.
#include "pap/DemoData.h"

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ImportTestSupport.h"
#include "PapTestSupport.h"
#include "pap/DemoCatalog.h"
#include "pap/DemoJournal.h"

namespace axo::pap::test {
namespace {

/// The modulo-11 check of an IČO, written out from the rule: weights 8 ... 2 over the first
/// seven digits, r = S mod 11, the eighth digit 1 for r = 0, 0 for r = 1, else 11 - r.
bool IcoValid(const std::string& ico) {
    for (const char* special : {"111", "222", "333", "444"})
        if (ico == special || ico == std::string("00000") + special)
            return true;
    if (ico.size() != 8 || ico.find_first_not_of("0123456789") != std::string::npos)
        return false;
    int s = 0;
    for (int i = 0; i < 7; ++i)
        s += (8 - i) * (ico[static_cast<std::size_t>(i)] - '0');
    const int r = s % 11;
    return ico[7] - '0' == (r == 0 ? 1 : r == 1 ? 0 : 11 - r);
}

bool PartnerValid(const std::string& p) {
    if (p.empty())
        return true;
    if (p.size() == 2)
        return std::isupper(static_cast<unsigned char>(p[0])) &&
               std::isupper(static_cast<unsigned char>(p[1]));
    return IcoValid(p);
}

/// What the catalogue says about an account's analytics.
struct AccountFacts {
    bool inChart = false;
    std::string statAnal;
    bool partner1 = false;
    bool sum = false;
    int firstStatement = 0;  ///< the first of statements IV-IX, 0 when none (no code duty)
};

AccountFacts Facts(int su, int ae) {
    AccountFacts f;
    for (const DemoAccount& a : DemoAccounts())
        if (a.su == su && a.ae == ae) {
            f.inChart = true;
            f.statAnal = a.statAnal;
        }
    for (const DemoCode& c : DemoCodes()) {
        const std::string code = c.statAnal;
        if (f.statAnal.size() == 3 && code.size() > 3 && code.starts_with(f.statAnal))
            f.sum = true;
        if (code != f.statAnal)
            continue;
        f.partner1 = *c.partner1 != 0;
        std::istringstream statements(c.statements);
        for (int s = 0; statements >> s;)
            if (s >= 4 && s <= 9 && f.firstStatement == 0)
                f.firstStatement = s;
    }
    return f;
}

const DemoTransactionCode* FindCode(const std::string& kod) {
    for (const DemoTransactionCode& t : DemoTransactionCodes())
        if (kod == t.kod)
            return &t;
    return nullptr;
}

/// The rules of the record check that a line of the demo may break, each by its mark number.
std::set<int> BrokenRules(const tVetaUDPO& u) {
    std::set<int> marks;
    if (u.SU == 0 && u.AE == 0)
        return {1};
    const AccountFacts f = Facts(u.SU, u.AE);
    if (!f.inChart)
        return {2};
    const std::string id = ToUtf8(u.IDENTIFIKACE);
    const std::string kod = ToUtf8(u.KOD);
    const std::string p1 = ToUtf8(u.PARTNER), p2 = ToUtf8(u.PARTNER2);
    if (!PartnerValid(p1) || !PartnerValid(p2))
        marks.insert(11);
    if (id.substr(4, 2) == "00")
        return marks;
    if (f.partner1 && p1.empty())
        marks.insert(5);
    if (f.firstStatement == 0)
        return marks;
    if (kod.empty())
        return {3};
    const DemoTransactionCode* t = FindCode(kod);
    if (!t)
        marks.insert(4);
    if (t && t->twoPartners && p2.empty())
        marks.insert(6);
    if (kod[0] - '0' != f.firstStatement)
        marks.insert(7);
    const int n = std::stoi(kod.substr(1));
    if (u.MA_DATI != 0 && !(n >= 1 && n <= 20))
        marks.insert(8);
    if (u.DAL != 0 && !(n >= 51 && n <= 70))
        marks.insert(9);
    if (f.statAnal == DemoWithdrawnCode()) {
        marks.insert(12);
    } else if (f.sum) {
        marks.insert(13);
    } else if (t) {
        const DemoAllowed allowed = DemoAllowedCodes(f.firstStatement, f.statAnal.c_str());
        const auto& side = n <= 20 ? allowed.debit : allowed.credit;
        if (std::find(side.begin(), side.end(), n) == side.end())
            marks.insert(10);
    }
    return marks;
}

bool IsFault(const JournalDocument& d) {
    return d.header.POPIS.Get().StartsWith(DemoFaultPrefix());
}

std::string Bytes(const std::vector<JournalDocument>& docs) {
    std::string out;
    for (const JournalDocument& d : docs) {
        out.append(reinterpret_cast<const char*>(&d.header), sizeof d.header);
        for (const JournalLine& l : d.lines)
            out.append(reinterpret_cast<const char*>(&l.record), sizeof l.record);
    }
    return out;
}

TEST(DemoJournalTest, SameSeedSameDocumentsAboutTheLinesAsked) {
    const auto a = BuildDemoJournal({2024, 20000, 7});
    const auto b = BuildDemoJournal({2024, 20000, 7});
    const auto c = BuildDemoJournal({2024, 20000, 8});
    EXPECT_EQ(Bytes(a), Bytes(b));
    EXPECT_NE(Bytes(a), Bytes(c));
    std::size_t lines = 0;
    for (const JournalDocument& d : a)
        lines += d.lines.size();
    EXPECT_GE(lines, 19800u);
    EXPECT_LE(lines, 20300u);
}

TEST(DemoJournalTest, DocumentsAreBalancedAndIdentifiedAsStored) {
    std::set<std::string> identifications;
    std::set<std::string> months;
    int adjusting = 0, stateThree = 0;
    for (const JournalDocument& d : BuildDemoJournal({2024, 20000, 1})) {
        const std::string id = ToUtf8(d.header.IDENTIFIKACE);
        ASSERT_EQ(15u, id.size()) << id;
        EXPECT_TRUE(id.starts_with("2024")) << id;
        EXPECT_TRUE(identifications.insert(id).second) << "twice: " << id;
        months.insert(id.substr(4, 2));
        adjusting += id.substr(6, 2) == " U";
        stateThree += d.header.PRIZNAK == 3;
        double md = 0, dal = 0;
        for (std::size_t i = 0; i < d.lines.size(); ++i) {
            const tVetaUDPO& u = d.lines[i].record;
            EXPECT_EQ(static_cast<LongInt>(i + 1), u.RADEK) << id;
            EXPECT_EQ(d.header.PRIZNAK, u.PRIZNAK) << id;
            EXPECT_EQ(d.header.IDENTIFIKACE, u.IDENTIFIKACE) << id;
            md += u.MA_DATI;
            dal += u.DAL;
        }
        EXPECT_NEAR(md, dal, 0.001) << id;
    }
    EXPECT_EQ(13u, months.size()) << "opening balances and twelve months";
    EXPECT_GE(adjusting, 2);
    EXPECT_GE(stateThree, 2);
}

TEST(DemoJournalTest, OrdinaryDocumentsKeepTheRulesAndFaultyOnesBreakEach) {
    std::map<int, int> brokenInFaults;
    std::set<std::string> faultPartners;
    bool withoutAnalytics = false;
    for (const JournalDocument& d : BuildDemoJournal({2024, 20000, 3})) {
        for (const JournalLine& l : d.lines) {
            const std::set<int> marks = BrokenRules(l.record);
            if (!IsFault(d)) {
                EXPECT_TRUE(marks.empty()) << ToUtf8(d.header.IDENTIFIKACE) << " line "
                                           << l.record.RADEK << " breaks " << *marks.begin();
                EXPECT_TRUE(PartnerValid(ToUtf8(l.record.PARTNER))) << ToUtf8(l.record.PARTNER);
                EXPECT_TRUE(PartnerValid(ToUtf8(l.record.PARTNER2))) << ToUtf8(l.record.PARTNER2);
                continue;
            }
            for (int m : marks)
                ++brokenInFaults[m];
            withoutAnalytics |= l.record.SU == DemoAccountWithoutAnalytics().su &&
                                l.record.AE == DemoAccountWithoutAnalytics().ae;
            faultPartners.insert(ToUtf8(l.record.PARTNER));
        }
    }
    for (int mark = 1; mark <= 13; ++mark)
        EXPECT_GE(brokenInFaults[mark], 1) << "mark " << mark;
    EXPECT_TRUE(withoutAnalytics);
    for (const char* bad : {"1234567", "12345678", "123456789"})
        EXPECT_TRUE(faultPartners.count(bad)) << bad;
}

TEST(DemoJournalTest, CheckDigitsAsTheRuleGivesThem) {
    struct Case {
        std::uint32_t digits;
        const char* ico;
    } cases[] = {{1234567, "12345679"},
                 {0, "00000001"},
                 {6, "00000060"},
                 {4119751, "41197518"},
                 {696, "00006963"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FromUtf8(c.ico), IcoWithCheckDigit(c.digits)) << c.digits;
        EXPECT_TRUE(IcoValid(c.ico)) << c.ico;
    }
    EXPECT_FALSE(IcoValid("12345678"));
}

TEST(DemoCatalogTest, ChartHasAccountsOfEveryClass) {
    std::set<int> classes;
    for (const DemoAccount& a : DemoAccounts())
        classes.insert(a.su / 100);
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), classes);
}

class DemoDataTest : public ImportTest {};

TEST_F(DemoDataTest, FillsAnInstallationEndToEnd) {
    DemoOptions o;
    o.year = 2024;
    o.lines = 1500;
    o.seed = 5;
    o.textDirectory = dir_;
    DemoResult r;
    ASSERT_TRUE(InstallDemoData(where_, ctx_, ui_, o, r)) << ui_.TranscriptText();
    EXPECT_TRUE(Shown().empty()) << ui_.TranscriptText();
    EXPECT_EQ(static_cast<int>(DemoTransactionCodes().size()), r.transactionCodes);
    EXPECT_EQ(static_cast<int>(DemoCodes().size()), r.papCodes);
    EXPECT_EQ(static_cast<int>(DemoAccounts().size()), r.accounts);
    EXPECT_EQ(static_cast<std::size_t>(r.lines), Dump<tFileUDPO>().size());
    EXPECT_EQ(static_cast<std::size_t>(r.documents), Dump<tFileUDHL>().size());
    for (const char* file : {"UPAP.txt", "UPAP_04", "UPAP_09", "UKod.txt"})
        EXPECT_TRUE(std::filesystem::exists(dir_ / file)) << file;

    std::map<std::string, tVetaUAPV> codes;
    for (const std::string& bytes : Dump<tFileUAPV>()) {
        tVetaUAPV c;
        std::memcpy(&c, bytes.data(), sizeof c);
        codes[ToUtf8(c.STAT_ANAL)] = c;
    }
    EXPECT_EQ(DemoCodes().size() - 1, codes.size());
    EXPECT_FALSE(codes.count(DemoWithdrawnCode()));
    EXPECT_TRUE(codes["0221"].MdFlag(1));
    EXPECT_FALSE(codes["0221"].MdFlag(5));
    EXPECT_TRUE(codes["0221"].DalFlag(51));
    EXPECT_EQ(1, codes["905"].Konsolidace);
    EXPECT_EQ(1, codes["905"].VYKAZY[15]);

    std::map<std::pair<int, int>, tVetaRozvrh> chart;
    for (const std::string& bytes : Dump<tFileRozvrh>()) {
        tVetaRozvrh a;
        std::memcpy(&a, bytes.data(), sizeof a);
        chart[{a.SE, a.AE}] = a;
    }
    EXPECT_EQ(1, (chart[{21, 100}].KOD));
    EXPECT_EQ(1, (chart[{21, 100}].VYKAZY[3]));
    EXPECT_EQ(1, (chart[{311, 100}].PARTNER));
    EXPECT_EQ(1, (chart[{311, 100}].CojePartner));
    EXPECT_TRUE((chart[{518, 900}].STAT_ANAL.Get().empty()));
    EXPECT_EQ(1, (chart[{518, 900}].VYKAZY[1]));
    EXPECT_EQ(FromUtf8(DemoWithdrawnCode()), (chart[{378, 900}].STAT_ANAL.Get()));

    tFileUKod kinds(ctx_, where_);
    ASSERT_TRUE(kinds.InitFile(1, storage::_NoWait));
    tVetaUKod code;
    code.Kod = "952"_t;
    std::int32_t n = 0;
    ASSERT_TRUE(kinds.BtFindKey(1, n, kinds.MakeKey(1, &code)));
    kinds.GetRec(n, &code);
    EXPECT_EQ("1"_t, code.FILLER_STR.Get());
    EXPECT_EQ(1, code.PARTNER2);
}

/// The demo installed where the statement tests compile (fiscal year 2023).
class DemoStatementsTest : public StatementTest {
  protected:
    void SetUp() override {
        StatementTest::SetUp();
        CloseTables();
        DemoOptions o;
        o.year = 2023;
        o.lines = 300;
        o.seed = 5;
        DemoResult r;
        ASSERT_TRUE(InstallDemoData(where_, data_, *ui_, o, r)) << ui_->TranscriptText();
    }
};

TEST_F(DemoStatementsTest, StatementsXIIAndXIIIHaveRowsOfPartners) {
    for (int cislo : {12, 13}) {
        ASSERT_TRUE(Compile(cislo, 1, 12)) << cislo;
        ASSERT_GE(rows_.size(), 2u) << cislo;
        std::set<std::string> groups;  // analytics and code
        bool otherPartner2 = false;
        for (const tVeta_Zorvi& r : rows_) {
            const std::string row = ToUtf8(r.SA) + "|" + ToUtf8(r.Sloupec[1].TRANSAKCE) + "|" +
                                    ToUtf8(r.P1) + "|" + ToUtf8(r.P2);
            EXPECT_FALSE(r.SA.Get().empty()) << row;
            EXPECT_FALSE(r.P1.Get().empty()) << row;
            EXPECT_EQ(cislo == 13, !r.P2.Get().empty()) << row;
            EXPECT_NE(0.0, Col(r, 1)) << row;
            groups.insert(ToUtf8(r.SA) + ToUtf8(r.Sloupec[1].TRANSAKCE));
            otherPartner2 |= cislo == 13 && r.P1.Get() != r.P2.Get();
        }
        // Some analytics and code has more than one partner.
        EXPECT_LT(groups.size(), rows_.size()) << cislo;
        EXPECT_EQ(cislo == 13, otherPartner2);
    }
}

}  // namespace
}  // namespace axo::pap::test
