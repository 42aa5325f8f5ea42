// What the text imports of the PAP code lists share: reading the family's text file (Windows-1250
// or UTF-8, CR LF or LF) into trimmed lines, splitting a line at its tab characters, and the
// fill itself: the questions and messages around it, the check of every line before anything
// changes, and the new list built beside the old one and put in its place at once.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "pap/ImportCsv.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "storage/Files.h"
#include "ui/ProgressPanel.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::pap {

/// The longest line of an import file that counts; the rest of a longer line is dropped.
inline constexpr std::size_t kImportLineLength = 255;

/// What a fill of a code list did.
struct CodeListImportResult {
    bool done = false;  ///< the list was filled and "HOTOVO!" shown
    int written = 0;    ///< records added or changed
    int skipped = 0;    ///< lines that changed nothing (existing keys, unknown analytics, ...)
    /// The list had records and was left as it was, since it was not to be replaced.
    bool keptExisting = false;
};

struct CodeListImportOptions {
    /// Whether a list that has records may be replaced by the file. The desktop program asks
    /// before every fill; the command line replaces such a list only when told so.
    bool replaceExisting = true;
};

/// The lines of a file's contents in Windows-1250: each cut to 255 characters and trimmed of
/// blanks; empty lines stay (callers skip them).
std::vector<Text> SplitImportLines(const Text& content);

/// The lines of a file's bytes, as SplitImportLines gives them. Bytes that IsUtf8File takes
/// for UTF-8 (a byte order mark, or valid UTF-8 holding a character beyond ASCII) are read as
/// UTF-8 (the mark dropped), any others as Windows-1250. A line holding a control character other
/// than a tab, or a character that Windows-1250 cannot hold, goes to `errors` (and comes out
/// empty).
std::vector<Text> DecodeImportLines(std::string_view bytes, std::vector<ImportError>& errors);

/// The fields of a line split at tab characters, each trimmed of blanks. A field counts only
/// when a tab follows it: "a\tb" gives one field, "a\tb\t" two.
std::vector<Text> TabFields(const Text& line);

/// The file as messages name it.
Text ImportFileName(const std::filesystem::path& file);

/// Opens a code list shared (created when missing) and takes its write lock in one attempt;
/// false after "Číselník nelze zamčít, jeho naplnění nebude provedeno." when either fails (the
/// file is then closed).
bool OpenLocked(ui::UiServices& ui, storage::tSoubor& list);

/// The record numbers of a table in record-number order, read before the table is changed.
std::vector<std::int32_t> RecordNumbers(storage::tSoubor& table);

/// What one kind of fill does.
struct CodeListFill {
    /// The question asked before the fill ("Číselník bude smazán a předplněn ...").
    Text question;
    /// The file replaces the list (else it changes the records the list has, which are copied
    /// into the new list first).
    bool replaces = true;
    /// Adds an error for each line that does not have the file's structure, and one for a file
    /// without a single line to take.
    std::function<void(const std::vector<Text>& lines, std::vector<ImportError>& errors)> check;
    /// A table object of the list in `where` (closed).
    std::function<std::unique_ptr<storage::tSoubor>(const storage::DataContext& ctx,
                                                    const PapLocation& where)>
        table;
    /// Fills `staged` (empty, open and locked; the records of `list` already copied into it
    /// unless the file replaces the list) from the lines.
    std::function<CodeListImportResult(storage::tSoubor& staged, const std::vector<Text>& lines,
                                       ui::ProgressPanel& progress)>
        fill;
};

/// Fills a code list of `where` from `file`: a file that is missing, is a directory or is no
/// regular file is refused ("Soubor ... neexistuje.", ...); after the user's confirmation the
/// file is read whole and every line checked, and a file with errors is refused with all of
/// them named, changing nothing. The list is then opened exclusively ("Číselník nelze zamčít,
/// jeho naplnění nebude provedeno." when another user has it open), the new list is built
/// beside it with a progress panel and put in its place in one step, and "HOTOVO!" is shown. A
/// run that fails or is killed at any point leaves the old list whole.
CodeListImportResult FillCodeList(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const std::filesystem::path& file,
                                  const CodeListImportOptions& options, const CodeListFill& fill);

}  // namespace axo::pap
