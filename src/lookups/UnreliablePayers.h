// The list of unreliable VAT payers: the register's complete list as a text printout, either of
// every payer (only the DIČ, or with each payer's name and address from ARES), or of the payers
// the external address list holds.
#pragma once

#include "lookups/AddressBook.h"
#include "lookups/LookupContext.h"

namespace axo::lookups {

/// Where the list was started from.
enum class UnreliableListStart {
    Menu,         ///< asks whether to fetch each payer's details; marks payers of the address list
    AddressList,  ///< only the payers the address list holds, with their classification and name
};

struct UnreliableListResult {
    bool shown = false;     ///< a printout was handed over
    int payers = 0;         ///< payers printed
    int inAddressList = 0;  ///< of them in the address list
    bool stopped = false;   ///< the user stopped the details
};

/// Fetches the complete list and prints it. `addresses` may be null from the menu (no payer is
/// then marked); the address-list start needs it.
UnreliableListResult ListUnreliablePayers(LookupContext& ctx, AddressListSource* addresses,
                                          UnreliableListStart start);

}  // namespace axo::lookups
