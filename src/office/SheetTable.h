// A printout as a spreadsheet table: the framed part of a listing split into one cell per
// column (at the column joints of its frame lines), amounts as numbers, dates as dates, the
// framed column captions as bold headings; the lines outside the frame one text cell each.
// The page headings repeated after a page break are left out, so that the rows can be sorted
// and summed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "office/ListingDocument.h"

namespace axo::office {

struct SheetCell {
    enum class Kind { Empty, Text, Number, Date };
    Kind kind = Kind::Empty;
    std::string text;  ///< the text as the listing shows it (trimmed)
    double number = 0;
    int year = 0, month = 0, day = 0;

    friend bool operator==(const SheetCell&, const SheetCell&) = default;
};

struct SheetRow {
    std::vector<SheetCell> cells;
    bool heading = false;
};

struct SheetTable {
    std::string name;  ///< the sheet's name
    std::vector<SheetRow> rows;
    std::vector<int> columnWidths;  ///< characters, per column
    int frozenRows = 0;             ///< rows kept on screen (up to the first headings' end)
    bool landscape = false;
};

/// The cell of a text: "1 234,56", "-12.50" or "1.234.567,00" (digits grouped by blanks or
/// dots, a decimal comma or point) are numbers; "5.3.2024" or " 5. 3.2024" dates; an empty
/// text empty; everything else, codes and whole numbers without grouping included, text (an
/// account or a registration number keeps its leading zeros).
SheetCell CellOf(std::string_view text);

/// The table of a printout (see the file comment).
SheetTable TableFromListing(const ListingDocument& doc);

}  // namespace axo::office
