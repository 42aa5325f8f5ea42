// Spreadsheet tables as .xlsx workbooks (libxlsxwriter): numbers as numbers with two decimals,
// dates as dates, heading rows bold and frozen, column widths from the table.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "office/SheetTable.h"

namespace axo::office {

/// Writes the tables as a workbook, one sheet each, whole or not at all (the workbook is made
/// beside the target and renamed into place). The system's error number of a failure; 0 when
/// written.
int WriteXlsx(const std::vector<SheetTable>& tables, const std::filesystem::path& target);
inline int WriteXlsx(const SheetTable& table, const std::filesystem::path& target) {
    return WriteXlsx(std::vector<SheetTable>{table}, target);
}

/// A sheet name Excel accepts: at most 31 characters, none of []:*?/\, not empty.
std::string SheetName(std::string_view title);

}  // namespace axo::office
