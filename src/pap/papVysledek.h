// The compiled statement as text: the rows of a result file with every column the statement
// uses (for the text printout shown when no report engine takes the result, and for the
// command line), and the result file as CSV with the result record's fields.
#pragma once

#include <iosfwd>
#include <vector>

#include "pap/StatementContext.h"
#include "pap/papVykazFiles.h"

namespace axo::pap {

/// The value of a field of a result row: numbers as digits, amounts with "." and two
/// decimals, texts trimmed (Windows-1250).
Text ResultFieldText(const tVeta_Zorvi& veta, const ResultField& field);

/// Every row of the result file in record-number order.
std::vector<tVeta_Zorvi> ReadResultRows(tFileZorvi& file);

/// The rows as fixed-width lines: a caption line, then one line per row, with the columns
/// the statement uses. Amount columns beyond `maxWidth` characters go to further blocks of
/// the same rows (each with its caption line), separated by an empty line; 0 means no limit.
std::vector<Text> ResultLines(const std::vector<tVeta_Zorvi>& rows, StatementKind kind,
                              std::size_t maxWidth = 0);

/// Shows a handed-over result file as a text printout of its rows.
void UkazVysledek(const ui::ListingEnvironment& env, const ReportHandOver& handOver);

/// Writes the result file as CSV (UTF-8): a line of the field names, then one line per row in
/// record-number order; fields separated by ";", text fields written as `CsvTextCell` writes
/// them (quoted when needed, never taken for a formula), numbers as they stand. False when the
/// stream failed.
bool WriteResultCsv(tFileZorvi& file, std::ostream& out);

}  // namespace axo::pap
