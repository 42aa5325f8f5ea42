// Importing booked document lines of the fiscal year from a CSV file (see ImportCsv.h) into the
// document line table `UDPO`, with one header `UDHL` per document. Columns, in any order:
// "doklad" (the identification as stored: year, month - "00" for opening balances -, kind of 4
// and number of 5 characters), "radek", "su", "ae", "md", "dal"; optionally "partner",
// "partner2", "kod", "poznamka", "vs", "zakazka", "stredisko", "platba_predem", "priznak".
// All or nothing: every row is checked before anything is written, and the tables are replaced
// at once by staged copies (TableSwap.h), so that a failure half-way leaves them untouched.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "pap/ImportCsv.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// A document line and the file line it came from.
struct JournalLine {
    int line = 0;
    tVetaUDPO record;
};

/// A document: its header (identification, state and any descriptive fields; the line count and
/// the totals are filled in when it is written) and its lines.
struct JournalDocument {
    tVetaUDHL header;
    std::vector<JournalLine> lines;
};

struct JournalImportOptions {
    /// Documents of the file replace those of the same identification (all their lines and
    /// headers); without it a line whose document and line number exist is refused.
    bool replace = false;
    /// The periods (year * 100 + month) of the fiscal year; identifications outside them are
    /// refused, month 00 only in the first year. 0: not checked.
    int firstPeriod = 0;
    int lastPeriod = 0;
    /// When the document tables are held by another user: ask whether to try again (the
    /// desktop program), or give up at once with a message (the command line).
    bool askRetry = true;
    /// Called after every write into the staged tables with the number of writes so far. A
    /// failing write ends the run (a fatal data error); tests throw here to play that part.
    std::function<void(int)> afterStagedWrite;
};

struct JournalImportResult {
    bool done = false;
    int documents = 0;
    int lines = 0;
    int replacedDocuments = 0;
};

/// The documents of a CSV file, in the order of their first lines, every value checked. Problems
/// go to `errors` with their lines.
std::vector<JournalDocument> ReadJournalCsv(const std::filesystem::path& file,
                                            const JournalImportOptions& options,
                                            std::vector<ImportError>& errors);

/// Writes the documents into the document tables of `where`, opened exclusively (created when
/// missing). Without `replace`, lines whose document and line number exist are listed in
/// `errors` and nothing is written. False when the tables could not be opened (after the
/// message), when `errors` got entries, or when the staged tables could not take the tables'
/// place (after a message; the tables are then as before).
bool WriteJournal(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                  std::vector<JournalDocument> documents, const JournalImportOptions& options,
                  JournalImportResult& result, std::vector<ImportError>& errors);

/// Reads, checks and writes a journal file; errors are shown in one message naming their lines,
/// and then nothing is written. Shows "HOTOVO!" at the end.
JournalImportResult ImportJournal(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const std::filesystem::path& file,
                                  const JournalImportOptions& options);

/// The identity of a document in the tables' keys (its identification as a key text).
Text DocumentKey(const Text& identification);

}  // namespace axo::pap
