// The rules of one line's check: one table of cases per branch of the rules, each a small change
// to a line that passes, with the marks, statement number and consolidation flag it must give;
// the differences of the rule set before 2015; the IČO check digit.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "control/CheckRecordPap.h"
#include "util/Text.h"

namespace axo::control::test {
namespace {

/// A line and what the look-ups found for it. The starting point passes: account 501/100 needs
/// a transaction code, feeds statement IV and has analytics "5011", whose PAP code allows
/// debit code numbers 1 and 2 and credit 51 and 55; the line books 100 on debit with code 401.
/// Each change returns the scenario, so that a case is one chain of changes.
struct Scenario {
    pap::tVetaUDPO line;
    pap::tVetaRozvrh account;
    bool inChart = true;
    pap::tVetaUAPV papCode;
    bool papFound = true;
    bool papIsSum = false;
    pap::tVetaUKod code;
    bool codeFound = true;
    bool openingBalance = false;
    bool consolidationSwitch = false;
    RuleSet rules = RuleSet::From2015;
    ConsolidationOptions options{false, false};

    Scenario() {
        line.IDENTIFIKACE = "202303FA0100001"_t;
        line.SU = 501;
        line.AE = 100;
        line.KOD = "401"_t;
        line.MA_DATI = 100;
        account.SE = 501;
        account.AE = 100;
        account.STAT_ANAL = "5011"_t;
        account.KOD = 1;
        account.VYKAZY[3] = 1;
        papCode.STAT_ANAL = "5011"_t;
        papCode.MD[0] = papCode.MD[1] = 1;
        papCode.DAL[0] = papCode.DAL[4] = 1;
        code.Kod = "401"_t;
    }

    RecordCheck Run() const {
        RecordContext c;
        c.line = &line;
        c.openingBalance = openingBalance;
        c.account = inChart ? &account : nullptr;
        c.papCode = papFound ? &papCode : nullptr;
        c.papCodeIsSum = papIsSum;
        c.transactionCode = codeFound ? &code : nullptr;
        c.consolidationSwitch = consolidationSwitch;
        c.rules = rules;
        return CheckRecordPap(c, options);
    }

    // ---- Changes ---------------------------------------------------------------------------
    Scenario& Code(const char* kod, double md, double dal) {
        line.KOD = FromUtf8(kod);
        code.Kod = FromUtf8(kod);
        line.MA_DATI = md;
        line.DAL = dal;
        return *this;
    }
    Scenario& NoKod() {
        line.KOD = "   "_t;
        return *this;
    }
    Scenario& Feeds(std::initializer_list<int> statements) {
        for (auto& v : account.VYKAZY)
            v = 0;
        for (int v : statements)
            account.VYKAZY[v - 1] = 1;
        return *this;
    }
    Scenario& Account(int su, int ae = 100) {
        account.SE = static_cast<pap::Word>(su);
        line.SU = static_cast<pap::Word>(su);
        line.AE = static_cast<pap::Word>(ae);
        return *this;
    }
    Scenario& NotInChart() {
        inChart = false;
        return *this;
    }
    Scenario& NoAnalytics() {
        account.STAT_ANAL = Text();
        papFound = false;
        return *this;
    }
    Scenario& UnknownAnalytics() {
        papFound = false;
        return *this;
    }
    Scenario& SumAnalytics() {
        papIsSum = true;
        return *this;
    }
    Scenario& UnknownCode() {
        codeFound = false;
        return *this;
    }
    Scenario& NoCodeDuty() {
        account.KOD = 0;
        return *this;
    }
    Scenario& Opening() {
        openingBalance = true;
        return *this;
    }
    Scenario& Partner1(int coje, const char* p1) {
        account.PARTNER = 1;
        account.CojePartner = static_cast<pap::Byte>(coje);
        line.PARTNER = FromUtf8(p1);
        return *this;
    }
    Scenario& Partner2(const char* p2) {
        account.PARTNER2 = 1;
        line.PARTNER2 = FromUtf8(p2);
        return *this;
    }
    Scenario& TwoPartners() {
        code.PARTNER2 = 1;
        return *this;
    }
    Scenario& PartnerMark() {
        code.FILLER_STR = "1"_t;
        return *this;
    }
    Scenario& Exempt(int n) {
        if (n <= 20)
            papCode.MD_NETESTP[n - 1] = 1;
        else
            papCode.DAL_NETESTP[n - 51] = 1;
        return *this;
    }
    Scenario& PapAssetPartner() {
        papCode.CojePartner = 1;
        return *this;
    }
    Scenario& Consolidation() {
        papCode.Konsolidace = 1;
        return *this;
    }
    Scenario& Switch() {
        consolidationSwitch = true;
        return *this;
    }
    Scenario& IgnoreAll() {
        options.ignoreAll = true;
        return *this;
    }
    Scenario& Ignore01() {
        options.ignoreAccounts01 = true;
        return *this;
    }
};

/// A case: what it shows, the change to the starting line, and the outcome: the marks ("4,7"),
/// the statement of mark 7 and the consolidation flag.
struct Case {
    const char* what;
    std::function<void(Scenario&)> change;
    const char* marks;
    int statement = 0;
    bool consolidation = false;
};

std::string Marks(const RecordCheck& r) {
    std::string s;
    for (int m = 1; m <= kMarkCount; ++m)
        if (r.Has(m))
            s += (s.empty() ? "" : ",") + std::to_string(m);
    return s;
}

void RunCases(const std::vector<Case>& cases, RuleSet rules) {
    for (const Case& c : cases) {
        Scenario s;
        s.rules = rules;
        c.change(s);
        const RecordCheck r = s.Run();
        EXPECT_EQ(c.marks, Marks(r)) << c.what;
        EXPECT_EQ(std::string(c.marks).empty(), r.Passes()) << c.what;
        EXPECT_EQ(c.statement, r.statement) << c.what;
        EXPECT_EQ(c.consolidation, r.consolidation) << c.what;
    }
}

TEST(CheckRecordPap, AccountCodeAnalyticsAndSides) {
    const std::vector<Case> cases = {
        {"the starting line", [](Scenario&) {}, ""},
        {"account 0/0: nothing else looked at",
         [](Scenario& s) { s.Account(0, 0).NotInChart().NoKod(); }, "1"},
        {"account not in the chart: nothing else looked at",
         [](Scenario& s) { s.NotInChart().NoKod(); }, "2"},
        {"no code: only mark 3, whatever the partners",
         [](Scenario& s) { s.NoKod().Partner1(1, "").Partner2("").Feeds({5}); }, "3"},
        {"unknown code: straight to statement and side",
         [](Scenario& s) {
             s.UnknownCode().UnknownAnalytics().Partner1(1, "").Code("499", 100, 0).Feeds({5});
         },
         "4,7,8", 5},
        {"analytics not in the list", [](Scenario& s) { s.UnknownAnalytics(); }, "12"},
        {"sum analytics", [](Scenario& s) { s.SumAnalytics(); }, "13"},
        {"no analytics: no code-list tests",
         [](Scenario& s) { s.NoAnalytics().Code("419", 100, 0); }, ""},
        {"debit number the PAP code does not allow", [](Scenario& s) { s.Code("403", 100, 0); },
         "10"},
        {"credit number the PAP code allows", [](Scenario& s) { s.Code("455", 0, 7); }, ""},
        {"extra number 33 of IV", [](Scenario& s) { s.Code("433", 100, 0); }, ""},
        {"extra credit number 84 of V", [](Scenario& s) { s.Feeds({5}).Code("584", 0, 10); }, ""},
        {"34 is no extra number of IV", [](Scenario& s) { s.Code("434", 100, 0); }, "8,10"},
        {"133 on debit: statement 1 has no extra numbers",
         [](Scenario& s) { s.NoAnalytics().Feeds({}).Code("133", 100, 0); }, "8"},
        {"533 on debit: extra number of V",
         [](Scenario& s) { s.NoAnalytics().Feeds({5}).Code("533", 100, 0); }, ""},
        {"455 on credit of an account feeding V and not IV",
         [](Scenario& s) { s.Feeds({5}).Code("455", 0, 20); }, "7", 5},
        {"the first of IV-IX decides",
         [](Scenario& s) {
             s.NoAnalytics().Feeds({4, 5}).Code("501", 100, 0);
         },
         "7", 4},
        {"credit number on the debit side", [](Scenario& s) { s.Code("451", 100, 0); }, "8"},
        {"debit number on the credit side", [](Scenario& s) { s.Code("401", 0, 100); }, "9"},
        {"both sides booked", [](Scenario& s) { s.Code("401", 100, 100); }, "9"},
        {"under half a hundredth is no amount", [](Scenario& s) { s.Code("451", 0.004, 5); }, ""},
        {"half a hundredth is an amount", [](Scenario& s) { s.Code("451", 0.005, 5); }, "8"},
        {"unreadable code number counts as 0",
         [](Scenario& s) { s.NoAnalytics().Code("4AB", 100, 0); }, "8"},
        {"no code duty: no code tests at all",
         [](Scenario& s) { s.NoCodeDuty().NoKod().UnknownCode().Feeds({5}); }, ""},
    };
    RunCases(cases, RuleSet::From2015);
}

TEST(CheckRecordPap, PartnerIdentificationNumbers) {
    struct Value {
        const char* partner;
        const char* marks;
    } values[] = {
        {"", "5"},        {"   ", "5"},  {"12345679", ""},    {"12345678", "11"},
        {"CZ", ""},       {"X", ""},     {"1234567", "11"},   {"333", ""},
        {"00000444", ""}, {"555", "11"}, {"123456790", "11"}, {"25596641", ""},
    };
    for (const Value& v : values) {
        Scenario s;
        s.Partner1(1, v.partner);
        EXPECT_EQ(v.marks, Marks(s.Run())) << "\"" << v.partner << "\"";
    }
}

TEST(CheckRecordPap, PartnerDuties2015) {
    const std::vector<Case> cases = {
        {"asset partner: required", [](Scenario& s) { s.Partner1(1, ""); }, "5"},
        {"transaction partner: not required for one partner",
         [](Scenario& s) { s.Partner1(0, ""); }, ""},
        {"transaction partner: required when the code demands two",
         [](Scenario& s) { s.Partner1(0, "").TwoPartners(); }, "5"},
        {"consolidation: required whatever the kind of partner",
         [](Scenario& s) { s.Consolidation().Partner1(0, ""); }, "5"},
        {"consolidation: dropped on 551",
         [](Scenario& s) { s.Consolidation().Account(551).Partner1(1, "").TwoPartners(); }, ""},
        {"consolidation: dropped below 100 outside 60-69",
         [](Scenario& s) { s.Consolidation().Account(21).Partner1(1, ""); }, ""},
        {"consolidation: kept below 100 when the code demands two partners",
         [](Scenario& s) { s.Consolidation().Account(21).Partner1(1, "").TwoPartners(); }, "5"},
        {"consolidation: kept on 065",
         [](Scenario& s) { s.Consolidation().Account(65).Partner1(1, ""); }, "5"},
        {"partner 2: account duty, code demanding two",
         [](Scenario& s) { s.Partner2("").TwoPartners(); }, "6"},
        {"partner 2: the code's partner mark instead of the account's duty",
         [](Scenario& s) { s.PartnerMark().TwoPartners(); }, "6"},
        {"partner 2: neither duty nor mark", [](Scenario& s) { s.TwoPartners(); }, ""},
        {"partner 2: code not demanding two", [](Scenario& s) { s.Partner2(""); }, ""},
        {"partner 2: exempt debit number",
         [](Scenario& s) { s.Partner2("").TwoPartners().Exempt(1); }, ""},
        {"partner 2: exempt credit number",
         [](Scenario& s) { s.Partner2("").TwoPartners().Code("451", 0, 9).Exempt(51); }, ""},
        {"partner 2: exemption of another number",
         [](Scenario& s) { s.Partner2("").TwoPartners().Exempt(2); }, "6"},
        {"partner 2: bad IČO", [](Scenario& s) { s.Partner2("12345678").TwoPartners(); }, "11"},
        {"consolidation flag with the switch",
         [](Scenario& s) { s.Consolidation().Switch().Partner1(1, "").Partner2("").TwoPartners(); },
         "5,6", 0, true},
        {"no consolidation flag without the switch",
         [](Scenario& s) { s.Consolidation().Partner1(1, "").Partner2("").TwoPartners(); }, "5,6"},
        {"no consolidation flag before the partner-2 decision",
         [](Scenario& s) { s.Consolidation().Switch().Partner1(1, ""); }, "5"},
        {"no code duty: its partner", [](Scenario& s) { s.NoCodeDuty().Partner1(0, ""); }, "5"},
        {"no code duty: consolidation drops it below 100",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().Account(31).Partner1(1, ""); }, ""},
        {"no code duty: consolidation keeps it on 501",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().Partner1(1, ""); }, "5"},
        {"opening balance: asset partner on 221, nothing else",
         [](Scenario& s) { s.Opening().Account(221).Partner1(1, "").NoKod(); }, "5"},
        {"opening balance: not on 021",
         [](Scenario& s) { s.Opening().Account(21).Partner1(1, ""); }, ""},
        {"opening balance: on 069", [](Scenario& s) { s.Opening().Account(69).Partner1(1, ""); },
         "5"},
        {"opening balance: not the transaction partner",
         [](Scenario& s) { s.Opening().Partner1(0, ""); }, ""},
    };
    RunCases(cases, RuleSet::From2015);
}

TEST(CheckRecordPap, RuleSetBefore2015) {
    const std::vector<Case> cases = {
        {"opening balance: every account with an asset partner",
         [](Scenario& s) { s.Opening().Account(21).Partner1(1, ""); }, "5"},
        {"no code duty: partner never dropped by the account number",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().Account(31).Partner1(1, ""); }, "5"},
        {"no code duty: consolidation, switch and an option applying end the check",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().Switch().IgnoreAll().Partner1(1, ""); },
         "", 0, true},
        {"no code duty: the option for 0??, 1?? does not apply on 501",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().Switch().Ignore01().Partner1(1, ""); },
         "5", 0, true},
        {"no code duty: the option for 0??, 1?? applies on 150",
         [](Scenario& s) {
             s.NoCodeDuty().Consolidation().Switch().Ignore01().Account(150).Partner1(1, "");
         },
         "", 0, true},
        {"no code duty: without the switch the options do not matter",
         [](Scenario& s) { s.NoCodeDuty().Consolidation().IgnoreAll().Partner1(1, ""); }, "5"},
        {"code: the PAP code's own asset partner",
         [](Scenario& s) { s.Partner1(0, "").PapAssetPartner(); }, "5"},
        {"code: the account's asset partner alone requires nothing",
         [](Scenario& s) { s.Partner1(1, ""); }, ""},
        {"code: two partners demanded", [](Scenario& s) { s.Partner1(1, "").TwoPartners(); }, "5"},
        {"code: two partners demanded, number exempt",
         [](Scenario& s) { s.Partner1(1, "").TwoPartners().Exempt(1); }, ""},
        {"code: consolidation kept requires partner 1, flag with the switch",
         [](Scenario& s) { s.Consolidation().PapAssetPartner().Switch().Partner1(0, ""); }, "5", 0,
         true},
        {"code: consolidation kept, two partners: no flag for partner 1",
         [](Scenario& s) { s.Consolidation().Switch().TwoPartners().Partner1(0, ""); }, "5"},
        {"code: consolidation ignored for every account",
         [](Scenario& s) { s.Consolidation().Switch().IgnoreAll().Partner1(1, "").Partner2(""); },
         ""},
        {"code: the option for 0??, 1?? does not apply on 501",
         [](Scenario& s) { s.Consolidation().Ignore01().Partner1(1, ""); }, "5"},
        {"code: partner 2 whenever consolidation is kept",
         [](Scenario& s) { s.Consolidation().Switch().Partner2(""); }, "6", 0, true},
        {"code: partner 2 needs the duty or the mark",
         [](Scenario& s) { s.Consolidation().TwoPartners(); }, ""},
        {"code: partner 2 of two partners, number exempt",
         [](Scenario& s) { s.Partner2("").TwoPartners().Exempt(1); }, ""},
    };
    RunCases(cases, RuleSet::Before2015);
}

TEST(CheckRecordPap, RuleSetBoundary) {
    struct Boundary {
        int year;
        int month;
        RuleSet rules;
    } boundaries[] = {
        {2014, 12, RuleSet::Before2015},
        {2015, 1, RuleSet::From2015},
        {2024, 6, RuleSet::From2015},
    };
    for (const Boundary& b : boundaries)
        EXPECT_EQ(b.rules, RuleSetFor(b.year, b.month)) << b.year << "/" << b.month;

    // The same opening-balance line of account 021 fails only under the older set.
    Scenario s;
    s.Opening().Account(21).Partner1(1, "");
    s.rules = RuleSetFor(2014, 12);
    EXPECT_EQ("5", Marks(s.Run()));
    s.rules = RuleSetFor(2015, 1);
    EXPECT_EQ("", Marks(s.Run()));
}

TEST(IcoCheckDigitValid, CheckDigitsAndSpecialValues) {
    struct Ico {
        const char* text;
        bool valid;
        const char* why;
    } icos[] = {
        {"12345679", true, "r = 2, check digit 9"},
        {"12345678", false, "r = 2, not 9"},
        {"00000001", true, "r = 0, check digit 1"},
        {"00000060", true, "r = 1, check digit 0"},
        {"00000000", false, "r = 0 wants 1"},
        {"25596641", true, "r = 0"},
        {"A2345676", true, "a character that is no digit counts as 0"},
        {"1234567A", false, "no check digit"},
        {"111", true, "special value"},
        {"222", true, "special value"},
        {"333", true, "special value"},
        {"444", true, "special value"},
        {"00000111", true, "special value, 8 characters"},
        {"00000222", true, "special value, 8 characters"},
        {"00000333", true, "special value, 8 characters"},
        {"00000444", true, "special value, 8 characters"},
        {"555", false, "short, not special"},
        {"00000555", false, "r = 3 wants 8"},
        {"0000000", false, "7 characters"},
        {"1234567", false, "7 characters"},
        {"123456790", false, "9 characters"},
        {"", false, "empty"},
    };
    for (const Ico& i : icos)
        EXPECT_EQ(i.valid, IcoCheckDigitValid(FromUtf8(i.text))) << i.text << ": " << i.why;
}

}  // namespace
}  // namespace axo::control::test
