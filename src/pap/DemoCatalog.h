// The fixed inputs of the demo organisation, a school run as a contributory organisation: its
// chart of accounts, and the code-list files it is filled from - "UPAP.txt" with the PAP codes
// of statements I to XIII, XV and XVI, the update files "UPAP_04" ... "UPAP_09"
// with the transaction codes each code allows, and "UKod.txt" with the transaction codes.
#pragma once

#include <span>
#include <vector>

#include "util/Text.h"

namespace axo::pap {

/// An account of the demo chart (texts in UTF-8).
struct DemoAccount {
    int su;
    int ae;
    const char* name;
    char nature;
    int activity;          ///< 0 none, 1 main, 2 economic activity
    const char* statAnal;  ///< the PAP code; empty for synthetic accounts with analytic ones
    bool openItem;
};

/// A PAP code of "UPAP.txt" (texts in UTF-8).
struct DemoCode {
    const char* statAnal;
    const char* description;
    const char* partner1;  ///< "", "P10" / "P13" (asset or liability), "P11" (transaction)
    bool partner2;
    const char* statements;  ///< "1 4 10": the first names the group
};

/// A transaction code of "UKod.txt".
struct DemoTransactionCode {
    const char* kod;
    const char* name;
    bool partner;
    bool twoPartners;  ///< set by the demo after the import, as the editor would
};

std::span<const DemoAccount> DemoAccounts();
std::span<const DemoCode> DemoCodes();
std::span<const DemoTransactionCode> DemoTransactionCodes();

/// The analytics the demo marks as consolidation codes, and those that show the margin (XI) or
/// hide the turnovers (X): settings of the code editor that the text files do not carry.
std::span<const char* const> DemoConsolidationCodes();
std::span<const char* const> DemoBezObratuCodes();

/// The analytics whose code the demo deletes after the fill, so that an account keeps an
/// analytics missing from the list.
const char* DemoWithdrawnCode();
/// The account that the demo leaves without analytics but in statement II.
struct DemoAccountRef {
    int su;
    int ae;
};
DemoAccountRef DemoAccountWithoutAnalytics();

/// The transaction codes a PAP code allows, for the update file of `statement` (4-9): debit
/// code numbers (1-20) and credit ones (51-70); empty lists when the code is not in it.
struct DemoAllowed {
    std::vector<int> debit;
    std::vector<int> credit;
};
DemoAllowed DemoAllowedCodes(int statement, const char* statAnal);

/// The file texts in Windows-1250 with CR LF line ends.
Text DemoUpapText();
Text DemoUpapUpdateText(int statement);
Text DemoUKodText();

}  // namespace axo::pap
