// The rules of the accounting record check for one document line: account, transaction code,
// statistical analytics, partners and their identification numbers, statement and side of the
// transaction code, under the rule set from 2015 or the one before it. Pure: the caller looks
// the account, the PAP code and the transaction code up and hands them in.
#pragma once

#include <array>

#include "pap/Records.h"
#include "util/Text.h"

namespace axo::control {

/// The error marks, numbered as in the protocol's legend.
inline constexpr int kMarkCount = 13;
inline constexpr int kMarkNoAccount = 1;        ///< "nezadaný účet"
inline constexpr int kMarkNotInChart = 2;       ///< "účet není v rozvrhu"
inline constexpr int kMarkNoCode = 3;           ///< "nezadaný kód transakce"
inline constexpr int kMarkUnknownCode = 4;      ///< "kód transakce není v číselníku"
inline constexpr int kMarkPartner1 = 5;         ///< "partner 1 nezadán"
inline constexpr int kMarkPartner2 = 6;         ///< "partner 2 nezadán"
inline constexpr int kMarkStatement = 7;        ///< "první znak kódu transakce/výkaz"
inline constexpr int kMarkDebitNumber = 8;      ///< code number outside n01-n20 on debit
inline constexpr int kMarkCreditNumber = 9;     ///< code number outside n51-n70 on credit
inline constexpr int kMarkCodeNotAllowed = 10;  ///< "nepřípustný kód transakce pro IV až IX"
inline constexpr int kMarkBadIco = 11;          ///< "IČO partnera nemá 8 znaků nebo je chybné"
inline constexpr int kMarkUnknownAnalytics = 12;  ///< "stat.analytika není v číselníku PAP"
inline constexpr int kMarkSumAnalytics = 13;      ///< "součet stat.analytik "neúčtovat""

/// The legend text of a mark (1-13); empty outside.
Text MarkLegend(int mark);

/// The two rule sets: the one from 2015 and the older one with its consolidation options.
enum class RuleSet { Before2015, From2015 };

/// The rule set of a run: from 2015 when fiscal year × 100 + the program date's month is
/// 201501 or later.
RuleSet RuleSetFor(int fiscalYear, int programMonth);

/// The options of the older rule set: which accounts ignore the PAP code's consolidation mark.
struct ConsolidationOptions {
    bool ignoreAll = true;         ///< "Ignorovat konsolidaci": every account
    bool ignoreAccounts01 = true;  ///< "Ignorovat konsolidaci pro účty 0??, 1??": SE below 200
};

/// One document line with what the look-ups found for it.
struct RecordContext {
    const pap::tVetaUDPO* line = nullptr;             ///< required
    bool openingBalance = false;                      ///< month "00" of the identification
    const pap::tVetaRozvrh* account = nullptr;        ///< none: not in the chart of accounts
    const pap::tVetaUAPV* papCode = nullptr;          ///< none: no analytics, or not in the list
    bool papCodeIsSum = false;                        ///< 3 characters, and a longer code follows
    const pap::tVetaUKod* transactionCode = nullptr;  ///< none: not in the list
    bool consolidationSwitch = false;                 ///< switch AXO_PAP_KONSOLIDACE
    RuleSet rules = RuleSet::From2015;
};

/// The outcome of one line's check.
struct RecordCheck {
    std::array<bool, kMarkCount> marks{};
    int statement = 0;           ///< the statement (4-9) mark 7 refers to
    bool consolidation = false;  ///< marks 5 and 6 are shown "K" rather than "X"

    bool Passes() const;
    bool Has(int mark) const { return mark >= 1 && mark <= kMarkCount && marks[mark - 1]; }
    void Set(int mark) { marks[mark - 1] = true; }
};

/// Checks one line against the PAP attributes of its account. `options` matter only to the
/// older rule set. Never fails; a line the context leaves unchecked passes.
RecordCheck CheckRecordPap(const RecordContext& context, const ConsolidationOptions& options);

/// Whether an IČO is valid: "111", "222", "333", "444" and their forms padded with zeros to 8
/// are; other values must have exactly 8 characters whose last is the modulo-11 check digit of
/// the first seven (a character that is no digit counts as 0).
bool IcoCheckDigitValid(const Text& ico);

/// Whether the transaction code is permitted in statement `statement` (4-9) by the PAP code:
/// its first character must be the statement's digit, and its number (characters 2-3) must
/// have the PAP code's debit flag (1-20) or credit flag (51-70), or be one of the statement's
/// extra numbers.
bool CodePermittedForStatement(const pap::tVetaUAPV& papCode, const Text& kod, int statement);

/// The code numbers a statement digit (4-9) allows outside 1-20 on the debit side and outside
/// 51-70 on the credit side; 0 marks an empty slot.
std::array<int, 2> ExtraDebitNumbers(int statementDigit);
std::array<int, 2> ExtraCreditNumbers(int statementDigit);

}  // namespace axo::control
