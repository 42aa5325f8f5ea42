// The rules of the accounting record check for one document line.
#include "control/CheckRecordPap.h"

#include <algorithm>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

using pap::tVetaRozvrh;
using pap::tVetaUAPV;

/// The statement digit s (first character) and the code number n (second and third) of a
/// transaction code; what cannot be read counts as 0.
struct CodeDigits {
    int statement = 0;
    int number = 0;
};

CodeDigits DigitsOf(const Text& kod) {
    CodeDigits d;
    if (!kod.empty() && kod[0] >= '0' && kod[0] <= '9')
        d.statement = kod[0] - '0';
    d.number = static_cast<int>(TextToInt(kod.substr(1, 2)));
    return d;
}

bool InSlots(const std::array<int, 2>& slots, int n) {
    return n != 0 && (slots[0] == n || slots[1] == n);
}

bool IsDebitNumber(const CodeDigits& d) {
    return (d.number >= 1 && d.number <= 20) || InSlots(ExtraDebitNumbers(d.statement), d.number);
}

bool IsCreditNumber(const CodeDigits& d) {
    return (d.number >= 51 && d.number <= 70) || InSlots(ExtraCreditNumbers(d.statement), d.number);
}

/// Whether the PAP code allows the code number: its debit or credit flag, or an extra number of
/// the statement outside the regular ranges.
bool CodeNumberAllowed(const tVetaUAPV& code, const CodeDigits& d) {
    if (d.number >= 1 && d.number <= 20)
        return code.MdFlag(d.number);
    if (d.number >= 51 && d.number <= 70)
        return code.DalFlag(d.number);
    return InSlots(ExtraDebitNumbers(d.statement), d.number) ||
           InSlots(ExtraCreditNumbers(d.statement), d.number);
}

/// Whether the PAP code exempts the code number from the partner-2 test.
bool Exempt(const tVetaUAPV* code, int n) {
    if (!code)
        return false;
    if (n >= 1 && n <= 20)
        return code->MD_NETESTP[n - 1] != 0;
    if (n >= 51 && n <= 70)
        return code->DAL_NETESTP[n - 51] != 0;
    return false;
}

bool IsConsolidation(const tVetaUAPV* code) {
    return code && code->Konsolidace == 1;
}

/// The rule set from 2015 drops the partner duty of a consolidation code on small account
/// numbers (outside 060-069) unless the code demands two partners, and always on 551.
bool SeDropsPartner(int se, bool twoPartners) {
    const bool smallAccount = se < 100 && !(se >= 60 && se <= 69);
    return (smallAccount && !twoPartners) || se == 551;
}

bool IgnoresConsolidation(const ConsolidationOptions& options, int se) {
    return options.ignoreAll || (options.ignoreAccounts01 && se < 200);
}

/// The check of one line; each step sets its marks on `result_`.
class Checker {
  public:
    Checker(const RecordContext& c, const ConsolidationOptions& options)
        : c_(c), options_(options), line_(*c.line) {}

    RecordCheck Run() {
        if (line_.SU == 0 && line_.AE == 0) {
            result_.Set(kMarkNoAccount);
            return result_;
        }
        if (!c_.account) {
            result_.Set(kMarkNotInChart);
            return result_;
        }
        const tVetaRozvrh& account = *c_.account;
        hasAnalytics_ = !Trim(account.STAT_ANAL).empty();
        papCode_ = hasAnalytics_ ? c_.papCode : nullptr;
        if (c_.openingBalance)
            OpeningBalance(account);
        else if (account.KOD)
            CodeAccount(account);
        else
            NoCodeAccount(account);
        return result_;
    }

  private:
    bool From2015() const { return c_.rules == RuleSet::From2015; }

    void PartnerTest(const Text& value, int emptyMark) {
        const Text partner = Trim(value);
        if (partner.empty())
            result_.Set(emptyMark);
        else if (partner.size() >= 9 || (partner.size() >= 3 && !IcoCheckDigitValid(partner)))
            result_.Set(kMarkBadIco);
    }

    void OpeningBalance(const tVetaRozvrh& account) {
        if (!account.PARTNER || account.CojePartner != 1)
            return;
        const bool assetAccount = account.SE >= 100 || (account.SE >= 60 && account.SE <= 69);
        if (!From2015() || assetAccount)
            PartnerTest(line_.PARTNER, kMarkPartner1);
    }

    void NoCodeAccount(const tVetaRozvrh& account) {
        if (!account.PARTNER)
            return;
        const bool consolidation = IsConsolidation(papCode_);
        if (From2015()) {
            if (consolidation && SeDropsPartner(account.SE, false))
                return;
        } else if (consolidation && c_.consolidationSwitch) {
            result_.consolidation = true;
            if (IgnoresConsolidation(options_, account.SE))
                return;
        }
        PartnerTest(line_.PARTNER, kMarkPartner1);
    }

    void CodeAccount(const tVetaRozvrh& account) {
        if (Trim(line_.KOD).empty()) {
            result_.Set(kMarkNoCode);
            return;
        }
        digits_ = DigitsOf(line_.KOD);
        if (!c_.transactionCode) {
            result_.Set(kMarkUnknownCode);
            StatementAndSide(account);
            return;
        }
        if (hasAnalytics_) {
            if (!papCode_)
                result_.Set(kMarkUnknownAnalytics);
            else if (c_.papCodeIsSum)
                result_.Set(kMarkSumAnalytics);
            else if (!CodeNumberAllowed(*papCode_, digits_))
                result_.Set(kMarkCodeNotAllowed);
        }
        const Text partnerMark = c_.transactionCode->FILLER_STR;
        twoPartners_ = c_.transactionCode->PARTNER2 != 0;
        partnerMark_ = !partnerMark.empty() && partnerMark[0] == '1';
        if (From2015())
            Partners2015(account);
        else
            PartnersBefore2015(account);
        StatementAndSide(account);
    }

    void Partners2015(const tVetaRozvrh& account) {
        const bool consolidation = IsConsolidation(papCode_);
        bool partner1 = false;
        if (consolidation)
            partner1 = account.PARTNER && !SeDropsPartner(account.SE, twoPartners_);
        else if (account.PARTNER)
            partner1 = account.CojePartner == 1 || (account.CojePartner == 0 && twoPartners_);
        if (partner1)
            PartnerTest(line_.PARTNER, kMarkPartner1);
        if (!account.PARTNER2 && !partnerMark_)
            return;
        if (twoPartners_ && !Exempt(papCode_, digits_.number))
            PartnerTest(line_.PARTNER2, kMarkPartner2);
        if (c_.consolidationSwitch && consolidation)
            result_.consolidation = true;
    }

    void PartnersBefore2015(const tVetaRozvrh& account) {
        const bool stored = IsConsolidation(papCode_);
        const bool cleared = stored && !IgnoresConsolidation(options_, account.SE);
        const bool demanded = twoPartners_ && !Exempt(papCode_, digits_.number);
        if (account.PARTNER) {
            bool partner1 = true;
            if (!(papCode_ && papCode_->CojePartner == 1 && !stored)) {
                partner1 = demanded || cleared;
                if (!twoPartners_ && c_.consolidationSwitch && cleared)
                    result_.consolidation = true;
            }
            if (partner1)
                PartnerTest(line_.PARTNER, kMarkPartner1);
        }
        if (!account.PARTNER2 && !partnerMark_)
            return;
        if (demanded || cleared)
            PartnerTest(line_.PARTNER2, kMarkPartner2);
        if (c_.consolidationSwitch && cleared)
            result_.consolidation = true;
    }

    /// Statement digit against the account's first statement IV-IX, and the code number against
    /// the side of the amounts.
    void StatementAndSide(const tVetaRozvrh& account) {
        const Text kod = line_.KOD;
        for (int v = 4; v <= 9; ++v) {
            if (!account.VYKAZY[v - 1])
                continue;
            if (kod.empty() || kod[0] != static_cast<char>('0' + v)) {
                result_.Set(kMarkStatement);
                result_.statement = v;
            }
            break;
        }
        if (Round(line_.MA_DATI, 2) != 0 && !IsDebitNumber(digits_))
            result_.Set(kMarkDebitNumber);
        if (Round(line_.DAL, 2) != 0 && !IsCreditNumber(digits_))
            result_.Set(kMarkCreditNumber);
    }

    const RecordContext& c_;
    const ConsolidationOptions& options_;
    const pap::tVetaUDPO& line_;
    RecordCheck result_;
    bool hasAnalytics_ = false;
    const tVetaUAPV* papCode_ = nullptr;
    CodeDigits digits_;
    bool twoPartners_ = false;
    bool partnerMark_ = false;
};

}  // namespace

Text MarkLegend(int mark) {
    static const Text kLegend[kMarkCount] = {
        "nezadaný účet"_t,
        "účet není v rozvrhu"_t,
        "nezadaný kód transakce"_t,
        "kód transakce není v číselníku"_t,
        "partner 1 nezadán"_t,
        "partner 2 nezadán"_t,
        "první znak kódu transakce/výkaz"_t,
        "druhý a třetí znak kódu transakce/MD  mimo n01-n20"_t,
        "druhý a třetí znak kódu transakce/DAL mimo n51-n70"_t,
        "nepřípustný kód transakce pro IV až IX"_t,
        "IČO partnera nemá 8 znaků nebo je chybné"_t,
        "stat.analytika není v číselníku PAP"_t,
        "součet stat.analytik \"neúčtovat\""_t,
    };
    return mark >= 1 && mark <= kMarkCount ? kLegend[mark - 1] : Text();
}

RuleSet RuleSetFor(int fiscalYear, int programMonth) {
    return fiscalYear * 100 + programMonth >= 201501 ? RuleSet::From2015 : RuleSet::Before2015;
}

bool RecordCheck::Passes() const {
    return std::none_of(marks.begin(), marks.end(), [](bool m) { return m; });
}

RecordCheck CheckRecordPap(const RecordContext& context, const ConsolidationOptions& options) {
    if (!context.line)
        return {};
    return Checker(context, options).Run();
}

bool IcoCheckDigitValid(const Text& ico) {
    static const Text kSpecial[] = {"111"_t,      "222"_t,      "333"_t,      "444"_t,
                                    "00000111"_t, "00000222"_t, "00000333"_t, "00000444"_t};
    if (std::find(std::begin(kSpecial), std::end(kSpecial), ico) != std::end(kSpecial))
        return true;
    // A longer text is no IČO either, even when its first eight characters would pass.
    if (ico.size() != 8)
        return false;
    int sum = 0;
    for (int i = 0; i < 7; ++i) {
        const char ch = ico[static_cast<std::size_t>(i)];
        const int digit = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        sum += (8 - i) * digit;
    }
    const int r = sum % 11;
    const char expected = r == 0 ? '1' : r == 1 ? '0' : static_cast<char>('0' + 11 - r);
    return ico[7] == expected;
}

std::array<int, 2> ExtraDebitNumbers(int statementDigit) {
    switch (statementDigit) {
        case 4:
        case 6:
        case 7:
        case 9:
            return {33, 0};
        case 5:
            return {33, 34};
        case 8:
            return {32, 33};
        default:
            return {0, 0};
    }
}

std::array<int, 2> ExtraCreditNumbers(int statementDigit) {
    switch (statementDigit) {
        case 4:
        case 6:
        case 7:
        case 9:
            return {83, 0};
        case 5:
            return {83, 84};
        case 8:
            return {82, 83};
        default:
            return {0, 0};
    }
}

bool CodePermittedForStatement(const pap::tVetaUAPV& papCode, const Text& kod, int statement) {
    const CodeDigits digits = DigitsOf(kod);
    // The number alone would let a code of another statement with the same number pass.
    return digits.statement == statement && CodeNumberAllowed(papCode, digits);
}

}  // namespace axo::control
