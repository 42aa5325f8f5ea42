// The register buttons of the external address editor: filling the address from ARES by its
// IČO, and the VAT payer check of its DIČ with the picked account written into a bank
// connection and the result written into the notes.
#pragma once

#include "lookups/AddressBook.h"
#include "lookups/LookupContext.h"

namespace axo::lookups {

/// The ARES button: without an IČO but with a DIČ "CZ…" it offers the DIČ's digits as the IČO;
/// then fills the address from the register. True when the address was filled.
bool AresButton(LookupContext& ctx, AddressEditorFields& address);

/// The VAT payer button: without a DIČ but with an IČO it offers "CZ" + the IČO as the DIČ;
/// then checks the payer, shows the result with account picking and notes writing, and writes
/// what the user chose. True when the check found the payer.
bool VatPayerButton(LookupContext& ctx, AddressEditorFields& address);

}  // namespace axo::lookups
