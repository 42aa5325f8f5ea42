// The part files of the methodology from 2014: the fragments of parts I-IX, the bodies of parts
// X-XIII, XV and XVI from the statement's result rows, and the bodies of parts XIV and XVII from
// the CSV files the user prepares in the target directory.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pap/papVykazFiles.h"
#include "ui/UiServices.h"
#include "xml/papXML.h"

namespace axo::xml {

using Rows = std::vector<pap::tVeta_Zorvi>;

/// An amount column of the result record: a numbered one (00-40) or a side column (debit or
/// credit, 00 or 01).
struct ColumnRef {
    enum class Side { Numbered, Debit, Credit };
    Side side = Side::Numbered;
    int number = 0;
};
inline ColumnRef Numbered(int n) {
    return {ColumnRef::Side::Numbered, n};
}
inline ColumnRef Debit(int n) {
    return {ColumnRef::Side::Debit, n};
}
inline ColumnRef Credit(int n) {
    return {ColumnRef::Side::Credit, n};
}
/// The cell of a row in a column.
const pap::tSloupec& Cell(const pap::tVeta_Zorvi& row, ColumnRef column);
/// Whether the cell is written at all: its mark is 0 or 1 and it has a transaction code (a
/// cell without a code names no type of change).
bool CellWritten(const pap::tSloupec& cell);

/// A column of parts IV-IX as the part's XML carries it.
struct ChangeColumn {
    ColumnRef column;
    bool firstOnly = false;  ///< only the first record's cell is carried
};
/// The columns of part 4-9 in the order its XML writes them, by methodology (from 2014, or up
/// to 2013).
std::vector<ChangeColumn> ChangeColumns(int part, bool od2014);
/// The amounts of the rows of part 4-9 that its XML does not carry, each with the reason, in
/// the order of the rows and of the columns.
std::vector<UntransmittedAmount> UntransmittedAmounts(int part, bool od2014, const Rows& rows);

/// The fragment of part 1-9 ("Cast1" ... "Cast9"): one pass for I-III, one pass per column for
/// IV-IX in the part's order.
void WriteFragment2014(XmlLines& file, int part, const Rows& rows);
/// The body of part 10-13, 15 or 16: opening lines, header, one row per record unless the
/// first record's analytics is empty, and the closing tag of the root.
void WriteBody2014(XmlLines& file, const PartFile& part, const Rows& rows, const XmlExportParams& p,
                   const HeaderDates& dates);

// ---- Parts XIV and XVII -------------------------------------------------------------------

/// The input file of part 14 or 17 ("PAP_CastXIV.csv", "PAP_CastXVII.csv").
std::string CsvFileName(int part);

/// A line of the input that makes a row: its number in the file and its fields.
struct CsvRow {
    int lineNumber = 0;
    std::vector<Text> fields;
    /// Field k (from 1); empty when the line has fewer.
    Text Field(std::size_t k) const {
        return k >= 1 && k <= fields.size() ? fields[k - 1] : Text();
    }
};

/// Splits a line at ";": every field but the last without blanks at both ends, the last one as
/// it stands.
std::vector<Text> SplitCsvLine(const Text& line);
/// An amount as typed with "," as "." (blanks around it dropped); "0.00" when empty; none when
/// it is no decimal number or has more digits than the parts' amounts (11 before the decimal
/// point, 2 after it).
std::optional<std::string> CsvAmount(const Text& field);
/// A date typed as d.m.yyyy (one-digit day or month completed) as yyyy-mm-dd; empty when the
/// field is empty; none when it is no valid date.
std::optional<std::string> CsvDateIso(const Text& field);

/// Reads the rows of the input file of part 14 or 17: lines whose first field is "X" (either
/// case) and whose second field is filled. A UTF-8 file (with or without a byte-order mark) is
/// read as UTF-8, any other as Windows-1250. None, after showing why, when the file is missing,
/// cannot be read, or a line holds an amount that is no number or a date that is no date.
std::optional<std::vector<CsvRow>> ReadPartCsv(ui::UiServices& ui,
                                               const std::filesystem::path& file, int part);

/// The body of part XIV, resp. XVII, from the rows of its input.
void WriteBodyXIV(XmlLines& file, const XmlExportParams& p, const HeaderDates& dates,
                  const std::vector<CsvRow>& rows);
void WriteBodyXVII(XmlLines& file, const XmlExportParams& p, const HeaderDates& dates,
                   const std::vector<CsvRow>& rows);

}  // namespace axo::xml
