// The demo organisation: the same documents for the same seed, balanced documents, valid
// partners, ordinary documents that keep every rule of the record check, faulty documents that
// break each rule at least once and give the statement protocols every reason, a year an
// accountant recognises (balances on their side at every month end, a school's turnovers), a
// chart of every class, an installation filled end to end, and rows of partners in its
// statements XII and XIII.
#include "pap/DemoData.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ImportTestSupport.h"
#include "PapTestSupport.h"
#include "pap/DemoCatalog.h"
#include "pap/DemoJournal.h"
#include "util/Retezce.h"

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
    // The numbers each statement allows besides 1-20 and 51-70: 33 and 83 (V also 34 and 84,
    // VIII also 32 and 82).
    const int s = kod[0] - '0';
    const bool extraDebit = n == 33 || (s == 5 && n == 34) || (s == 8 && n == 32);
    const bool extraCredit = n == 83 || (s == 5 && n == 84) || (s == 8 && n == 82);
    if (u.MA_DATI != 0 && !(n >= 1 && n <= 20) && !extraDebit)
        marks.insert(8);
    if (u.DAL != 0 && !(n >= 51 && n <= 70) && !extraCredit)
        marks.insert(9);
    if (f.statAnal == DemoWithdrawnCode()) {
        marks.insert(12);
    } else if (f.sum) {
        marks.insert(13);
    } else if (t) {
        const DemoAllowed allowed = DemoAllowedCodes(f.firstStatement, f.statAnal.c_str());
        const auto& side = n <= 20 ? allowed.debit : allowed.credit;
        if (std::find(side.begin(), side.end(), n) == side.end() && !extraDebit && !extraCredit)
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

/// The demo year as an accountant reads it: per account (and per partner of an open-item
/// account) the balance, debit minus credit, after the opening balances (month 0) and at the end
/// of every month; the turnovers of months 1-12 per account. `counted`: only the lines the
/// statements count (state 0, no adjusting documents); otherwise every line.
struct Year {
    using Months = std::array<double, 13>;
    std::map<std::pair<int, int>, Months> balance;
    std::map<std::tuple<int, int, std::string>, Months> partnerBalance;
    std::map<std::pair<int, int>, std::pair<double, double>> turnover;

    Year(const std::vector<JournalDocument>& docs, bool counted) {
        for (const JournalDocument& d : docs) {
            const std::string id = ToUtf8(d.header.IDENTIFIKACE);
            if (counted && (d.header.PRIZNAK != 0 || id.substr(6, 2) == " U"))
                continue;
            const auto month = static_cast<std::size_t>(std::stoi(id.substr(4, 2)));
            for (const JournalLine& l : d.lines) {
                const tVetaUDPO& u = l.record;
                const double change = u.MA_DATI - u.DAL;
                for (std::size_t m = month; m <= 12; ++m) {
                    balance[{u.SU, u.AE}][m] += change;
                    partnerBalance[{u.SU, u.AE, ToUtf8(u.PARTNER)}][m] += change;
                }
                if (month > 0) {
                    turnover[{u.SU, u.AE}].first += u.MA_DATI;
                    turnover[{u.SU, u.AE}].second += u.DAL;
                }
            }
        }
    }
    /// Debit minus credit turnover of the accounts whose number begins with `prefix`.
    double Net(const std::string& prefix) const {
        double net = 0;
        for (const auto& [account, t] : turnover)
            if (std::to_string(account.first).starts_with(prefix))
                net += t.first - t.second;
        return net;
    }
};

/// The side an account's balance belongs on: 1 debit (assets, off-balance assets), -1 credit
/// (liabilities, funds, accumulated depreciation and allowances kept on asset accounts,
/// off-balance liabilities), 0 none (costs, revenues, closing and balancing accounts).
int BalanceSide(const DemoAccount& a) {
    if ((a.su >= 71 && a.su <= 89) || (a.su >= 141 && a.su <= 199))
        return -1;
    if (a.su < 500)
        return a.nature == 'A' ? 1 : a.nature == 'P' ? -1 : 0;
    if (a.su < 900 || a.su == 999)
        return 0;
    for (const char* liability : {"906", "912", "914", "916", "952", "954", "956", "993", "994"})
        if (std::to_string(a.su) == liability)
            return -1;
    return a.su / 10 == 97 || a.su / 10 == 98 ? -1 : 1;
}

TEST(DemoJournalTest, YearIsOneAnAccountantRecognises) {
    std::map<std::pair<int, int>, const DemoAccount*> chart;
    for (const DemoAccount& a : DemoAccounts())
        chart[{a.su, a.ae}] = &a;
    const struct {
        int lines;
        std::uint64_t seed;
    } cases[] = {{200, 1}, {400, 11}, {3000, 5}, {20000, 1}, {20000, 7}, {60000, 3}};
    for (const auto& c : cases) {
        const auto docs = BuildDemoJournal({2024, c.lines, c.seed});
        for (const bool counted : {true, false}) {
            SCOPED_TRACE(std::to_string(c.lines) + " lines, seed " + std::to_string(c.seed) +
                         (counted ? ", counted lines" : ", every line"));
            const Year year(docs, counted);
            // No balance on the wrong side at any month end: no negative stock, cash or bank
            // account, no liability or fund in debit, no supplier overpaid or customer in credit.
            for (const auto& [key, months] : year.partnerBalance) {
                const auto& [su, ae, partner] = key;
                const auto account = chart.find({su, ae});
                if (account == chart.end() || BalanceSide(*account->second) == 0)
                    continue;
                const int side = BalanceSide(*account->second);
                for (std::size_t m = 0; m <= 12; ++m) {
                    EXPECT_GE(side * year.balance.at({su, ae})[m], -0.005)
                        << su << "/" << ae << " month " << m;
                    if (account->second->openItem) {
                        EXPECT_GE(side * months[m], -0.005)
                            << su << "/" << ae << " partner " << partner << " month " << m;
                    }
                }
            }
            // Turnovers of a school: wages and levies make most of the costs, transfers from the
            // founder and the state budget most of the revenues, the canteen's fees pay for its
            // food, depreciation feeds the fund for the renewal of assets, the result stays
            // small.
            const double costs = year.Net("5");
            const double revenues = -year.Net("6");
            const double personal =
                year.Net("521") + year.Net("524") + year.Net("525") + year.Net("527");
            EXPECT_GT(personal, 0.55 * costs);
            EXPECT_GT(-year.Net("672"), 0.7 * revenues);
            EXPECT_LT(std::abs(revenues - costs), 0.03 * revenues) << revenues << " " << costs;
            auto net = [&year](int su, int ae) {
                const auto it = year.turnover.find({su, ae});
                return it == year.turnover.end() ? 0.0 : it->second.first - it->second.second;
            };
            const double meals = -net(602, 100) - net(602, 200);
            EXPECT_GT(net(501, 100), 0.8 * meals);
            EXPECT_LT(net(501, 100), 1.2 * meals);
            for (const char* kind : {"501", "502", "511", "518", "521", "524", "527", "551", "558",
                                     "602", "603", "672"})
                EXPECT_GT(std::abs(year.Net(kind)), 0) << kind;
            EXPECT_LT(year.Net("416"), 0);
        }
    }
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

TEST_F(DemoStatementsTest, ProtocolsGiveEveryReasonAndStatesStayOnTheirSide) {
    std::set<std::string> reasons;
    bool missingAccount = false;
    for (int cislo : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16}) {
        ASSERT_TRUE(Compile(cislo, 1, 12)) << cislo;
        // The statements by partner have rows of partners.
        if (cislo >= 10 && cislo != 15) {
            EXPECT_GE(std::count_if(rows_.begin(), rows_.end(),
                                    [](const tVeta_Zorvi& r) { return !r.P1.Get().empty(); }),
                      2)
                << cislo;
        }
        // Every closing state of the statements of states is on its row's side: no negative
        // stock, money or liability, by code and by partner; only the balancing account of
        // the off-balance records may go either way.
        if (cislo == 1 || cislo == 10 || cislo == 15 || cislo == 16) {
            for (const tVeta_Zorvi& r : rows_) {
                if (r.SA.Get() != "999"_t) {
                    EXPECT_GE(Col(r, 4), -0.005) << cislo << " " << ToUtf8(r.SA) << " "
                                                 << ToUtf8(r.P1) << " " << ToUtf8(r.P2);
                }
            }
        }
    }
    for (const std::string& row : ProtocolRows()) {
        const std::size_t end = row.rfind("│");
        const std::size_t begin = row.rfind("│", end - 1);
        reasons.insert(ToUtf8(TrimRight(FromUtf8(row.substr(begin + 3, end - begin - 3)))));
        missingAccount |= row.find("???") != std::string::npos;
    }
    EXPECT_TRUE(missingAccount);
    for (const char* reason : {"nezad.", "neex.", "součet", "kt ---", "405 x", "499 x", "P1 ---"})
        EXPECT_TRUE(reasons.count(reason)) << reason;
}

}  // namespace
}  // namespace axo::pap::test
