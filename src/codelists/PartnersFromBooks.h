// Partners of the booked documents taken into the external address list: each IČO a document
// line names as its partner, with the name the line carries, becomes an address unless the list
// already has an address of that IČO.
#pragma once

#include <filesystem>

#include "pap/PapFiles.h"
#include "ui/UiServices.h"

namespace axo::codelists {

/// Adds the partners of the document lines of `where` (8-digit IČOs only: not the groups "111"
/// to "444", not country codes) to the address list in its code-list directory, each under the
/// next free classification. Returns the addresses added; -1 after a message when the list
/// could not be changed (it is then as it was).
int AddPartnersFromBooks(const pap::PapLocation& where, const storage::DataContext& ctx,
                         ui::UiServices& ui);

}  // namespace axo::codelists
