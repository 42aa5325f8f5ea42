// External addresses as the data of print forms (type "EXADRESY"): the list in an order and
// through the list's filters, or one address. Every record field is an acronym of its own name
// (MATCH_CODE, NAZ_FIRM1, ICO, ...), with POVAHA_TEXT, OSOBA_TEXT and PLATNOST_TEXT naming the
// choices; the notes are the note lines.
#pragma once

#include <filesystem>

#include "codelists/a_Anc_EA.h"
#include "printforms/FormPrinter.h"

namespace axo::codelists {

/// The data text of a printout: the order (1-9), the validity filter, the notes filter (0/1),
/// the four nature switches as digits, the type filter and, for one address, its
/// classification: "2 0 0 1111 2" or "1 0 0 1111 2 0000000042".
Text AddressPrintData(int order, const AddressFilters& filters, const Text& classification = {});

/// The data of forms of type "EXADRESY" from the list in `directory`; other types: `other`.
printforms::DataSourceProvider AddressSources(const storage::DataContext& ctx,
                                              const std::filesystem::path& directory,
                                              const Text& yearCode,
                                              printforms::DataSourceProvider other);

}  // namespace axo::codelists
