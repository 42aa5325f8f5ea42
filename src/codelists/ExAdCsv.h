// External addresses and CSV files: the list written as CSV (each text cell protected against
// spreadsheet formulas, as partner names come from outside the organisation), and the import
// of a plain CSV of partners from another system, all or nothing.
#pragma once

#include <filesystem>
#include <vector>

#include "codelists/a_Anc_EA.h"

namespace axo::codelists {

/// The columns of the CSV list, in order.
const std::vector<const char*>& AddressCsvColumns();

/// The CSV header line and one address's line (UTF-8, ";" between cells, no line end).
std::string AddressCsvHeader();
std::string AddressCsvLine(const tVetaExtAdresa& r, const Text& notes);

/// What an import of partners did.
struct PartnerImportResult {
    bool done = false;
    int added = 0;
};

/// Adds the partners of a CSV file (UTF-8, header line; columns "nazev" required, "ico", "dic",
/// "ulice", "mesto", "psc", "stat", "ucet" optional) to the list, each under the next free
/// classification. The file is checked whole first: any bad line gives one message listing
/// every bad line, and the list stays as it was. The list gets its new contents at once.
PartnerImportResult ImportPartnersCsv(const AddressBook& book, const std::filesystem::path& file);

}  // namespace axo::codelists
