// The VAT payer check: whether a payer (or every payer of the address list) is unreliable and
// which bank accounts it has published, asked of the register over the network while a wait
// window shows; the result records kept in the document vault until the next check; the text
// written into an address's notes; and the result dialog with account picking.
#pragma once

#include <optional>
#include <vector>

#include "lookups/AddressBook.h"
#include "lookups/LookupContext.h"
#include "lookups/VatPayerAnswer.h"

namespace axo::lookups {

enum class VatCheckOutcome {
    Refused,   ///< forbidden by the configuration, or the DIČ is not fit to send (shown)
    Failed,    ///< no answer, or one that could not be read (shown; nothing changed)
    NotFound,  ///< the register does not know the one DIČ asked for (shown)
    Found,     ///< result records that replaced the previous ones
};

struct VatCheckResult {
    VatCheckOutcome outcome = VatCheckOutcome::Refused;
    std::vector<VatPayerRecord> records;
    /// Whole-list check: DIČs of the list that are not "CZ" + 8 to 10 digits and were not sent.
    int skipped = 0;
};

/// Checks one DIČ ("CZ" + 8 to 10 digits; blanks around it and lower case are forgiven).
VatCheckResult CheckVatPayer(LookupContext& ctx, const Text& dic);

/// Checks every DIČ of the address list beginning with "CZ" (in requests of at most 100).
/// An empty list, or one without such a DIČ, is reported and refused.
VatCheckResult CheckVatPayers(LookupContext& ctx, AddressListSource& addresses);

/// The records of one payer (DIČ with or without "CZ") among `records`.
std::vector<VatPayerRecord> RecordsOf(const std::vector<VatPayerRecord>& records, const Text& dic);

/// The result records of the last check kept in the document vault; none without a vault.
std::vector<VatPayerRecord> LoadVatResults(startup::tTrezor* vault);
/// Replaces the kept result records.
void StoreVatResults(startup::tTrezor* vault, const std::vector<VatPayerRecord>& records);

/// The text written into the notes for a payer's records (lines ended by CR LF); none, after
/// the message "Žádné údaje spolehlivosti plátců DPH nejsou k dispozici.", without records.
std::optional<Text> VatPayerNotes(LookupContext& ctx, const std::vector<VatPayerRecord>& records);

/// How the result dialog was closed.
struct VatResultChoice {
    bool shown = false;  ///< false: there were no records (the message said so)
    int picked = -1;     ///< the index in the records of the account picked with "Použít"
    bool writeNotes = false;
};

/// The result dialog for the payer `dic` named `name`: its reliability, office and published
/// accounts; "Použít" beside each account when `mayPick`, the notes check box when
/// `mayWriteNotes`.
VatResultChoice ShowVatPayerResult(LookupContext& ctx, const std::vector<VatPayerRecord>& records,
                                   const Text& dic, const Text& name, bool mayPick,
                                   bool mayWriteNotes);

}  // namespace axo::lookups
