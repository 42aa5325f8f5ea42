// The external address editor `TOknoEA` over its pages, the storing rule that keeps
// classifications unique, the notes page's file and print actions, the register buttons, and
// where an account picked from the VAT register goes.
#pragma once

#include <cstdint>

#include "codelists/a_Anc_EA.h"

namespace axo::codelists {

/// What storing an address gave.
enum class StoreOutcome {
    Stored,
    Fault,         ///< CheckAddress refused it
    Clash,         ///< its classification is another address's
    NoFreeNumber,  ///< a new address clashed and no free classification is left
};

/// Stores an address with its notes: the checks, the date of the last change, then insert
/// (record number into `n`) or update of record `n`. A new address whose classification is
/// taken gets the next free one. `fault` gets the message of a refusal.
StoreOutcome StoreAddress(tExtAdresy& table, bool insert, std::int32_t& n, tVetaExtAdresa& record,
                          const Text& notes, const Text& date, Text& fault);

/// The editor: shows the address until it is confirmed and stored (true; the record, its notes
/// and number returned) or left (false, nothing stored). <F4> stores and prints it. On update
/// the record must be locked by the caller; the lock is released.
bool EditAddress(const AddressBook& book, tExtAdresy& table, bool insert, std::int32_t& n,
                 tVetaExtAdresa& record, Text& notes);

/// The start of a new address: the picker's template when one waits (then used up), else the
/// given record when it has a classification, else empty; with the next free classification.
tVetaExtAdresa NewAddressStart(tExtAdresy& table, std::optional<tVetaExtAdresa>& pendingTemplate,
                               const tVetaExtAdresa* given);

/// An account published in the VAT register.
struct PickedAccount {
    Text prefix;
    Text number;
    Text bankCode;
};

/// Whether bank connection `connection` of the address (0 the primary one, 1-5 the further
/// ones I-V) holds no account.
bool ConnectionEmpty(const tVetaExtAdresa& record, int connection);

/// Writes the account into bank connection `connection`: the primary one (0) is cleared first
/// (bank name, specific symbol, IBAN, SWIFT, bank address lines) and gets the number and the
/// bank code; a further one (1-5) gets "prefix-number/code".
void WriteAccountInto(tVetaExtAdresa& record, int connection, const PickedAccount& account);

/// Where a picked account went.
enum class AccountPlace { Primary, Further, Nowhere };

/// Puts a picked account into the address: into the primary connection when that is empty, or
/// (`overwrite`) after clearing it; otherwise into the first empty further connection I-V.
/// With all five filled and no overwrite, nothing changes (Nowhere) - the account never lands
/// beside the primary connection's old IBAN and bank. `index` gets the further connection (0-4).
AccountPlace PlacePickedAccount(tVetaExtAdresa& record, const PickedAccount& account,
                                bool overwrite, int& index);

/// The printout of one address (the print form picker when the book has one).
void PrintAddress(const AddressBook& book, const tVetaExtAdresa& record, const Text& notes);

}  // namespace axo::codelists
