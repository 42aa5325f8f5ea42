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
#include "ui/ListingEnvironment.h"
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
    /// Refuse the whole file when a document's debit and credit sides differ (else such
    /// documents are imported and listed).
    bool strict = false;
    /// Where the protocol of unbalanced documents is shown; none: no protocol.
    const ui::ListingEnvironment* listing = nullptr;
    /// Called after every write into the staged tables with the number of writes so far. A
    /// failing write ends the run (a fatal data error); tests throw here to play that part.
    std::function<void(int)> afterStagedWrite;
};

/// An imported document whose debit and credit sides differ, as it stands after the import
/// (with the lines the tables had of it already, when they are kept).
struct UnbalancedDocument {
    Text identification;
    int line = 0;   ///< the file line of its first imported line
    int lines = 0;  ///< its lines
    double md = 0;
    double dal = 0;
};

struct JournalImportResult {
    bool done = false;
    int documents = 0;
    int lines = 0;
    int replacedDocuments = 0;
    std::vector<UnbalancedDocument> unbalanced;
};

/// The documents of a CSV file, in the order of their first lines, every value checked. Problems
/// go to `errors` with their lines.
std::vector<JournalDocument> ReadJournalCsv(const std::filesystem::path& file,
                                            const JournalImportOptions& options,
                                            std::vector<ImportError>& errors);

/// Writes the documents into the document tables of `where`, opened exclusively (created when
/// missing). Without `replace`, lines whose document and line number exist are listed in
/// `errors` and nothing is written; with `strict`, so are unbalanced documents (else they go to
/// `result.unbalanced`). False when the tables could not be opened (after the
/// message), when `errors` got entries, or when the staged tables could not take the tables'
/// place (after a message; the tables are then as before).
bool WriteJournal(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                  std::vector<JournalDocument> documents, const JournalImportOptions& options,
                  JournalImportResult& result, std::vector<ImportError>& errors);

/// Reads, checks and writes a journal file; errors are shown in one message naming their lines,
/// and then nothing is written. Unbalanced documents that were written are counted in a
/// message and listed in a protocol (`listing`). Shows "HOTOVO!" at the end.
JournalImportResult ImportJournal(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const std::filesystem::path& file,
                                  const JournalImportOptions& options);

/// The identity of a document in the tables' keys (its identification as a key text).
Text DocumentKey(const Text& identification);

/// Shows the protocol of unbalanced documents of an import of `fileName`.
void ShowUnbalancedProtocol(const ui::ListingEnvironment& env, const Text& fileName,
                            const std::vector<UnbalancedDocument>& documents);

}  // namespace axo::pap
