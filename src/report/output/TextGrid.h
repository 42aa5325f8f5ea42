// The character grid: the pages as lines of characters for text-only printers and text
// files. Every text element goes to the row of its position and to one of three pitches (10,
// 12 or 17 characters per inch by its font size) and two weights; the layers of a row are
// merged, converted to the export code page and written with CR LF.
#pragma once

#include <string>

#include "report/layout/PageModel.h"

namespace axo::report {

/// Export languages (`ExportLanguage`).
enum ExportLanguage : int {
    kSlUndefined = 0,
    kSlAscii = 1,
    kSlCp867 = 2,
    kSlCp852 = 3,
    kSlCp1250 = 4,
};

/// The lines of one page of the grid (Windows-1250, before the code page): all rows of the
/// page, or up to the last used one when `trimmed`.
std::vector<Text> GridPage(const TSestVystup& out, int page, bool trimmed);

/// Pages [first, last] (from 1) as the grid's bytes: every row followed by CR LF, rows in the
/// export code page, the last page up to its last used row; `copies` times; with
/// `formFeeds` a form feed ends every page (for printers).
std::string GridText(const TSestVystup& out, int first, int last, int copies = 1,
                     bool formFeeds = false);

/// A text in the export code page: the 44 Czech and Slovak accented letters replaced by the
/// target's (ASCII without diacritics, Kamenický, 852); other bytes stay.
Text ToExportLanguage(const Text& text, int language);

}  // namespace axo::report
