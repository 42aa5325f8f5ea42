// Reporting failures of the data layer: the fatal report "CHYBA DATOVÉ PODPORY - program končí"
// that ends the program, the non-fatal warning window, the explanation of a record that cannot
// be locked, the stop on a programming error, and the entries they write into the error journal.
#pragma once

#include <filesystem>
#include <vector>

#include "storage/DataContext.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::storage {

/// The error code of an engine failure whose text is the engine's message; the journal entry
/// of such a failure has no "Číslo chyby" line.
inline constexpr int kEngineErrorCode = 9999;
/// Exit codes of the program when a fatal report or a programming error ends it.
inline constexpr int kExitDataError = 2;
inline constexpr int kExitProgramError = 3;

/// The caption of the fatal report and the title of its journal entry.
Text DataErrorTitle();

/// The fatal data error report. Shows the report window titled "CHYBA DATOVÉ PODPORY - program
/// končí" with the procedure, file name, index number, key and record number (the empty ones
/// hidden) and the detail text, writes the journal entry, then marks the crash
/// (`ctx.markCrash`) and ends the program through `ctx.ui->Terminate(kExitDataError)`. Returns
/// only for the task table "AXO_TASK.DB" under the programs "AXO.EXE" and "AXOini.EXE", for
/// which the table is not critical.
void ReportDataError(const DataContext& ctx, int errorCode, const Text& procedure,
                     const Text& fileName, const Text& detail, const Text& recordNumber,
                     const Text& key, const Text& indexNumber);

/// The non-fatal warning: the report window with the title as caption and the text as detail,
/// then the journal entry of the title and the text. Returns when the window is closed.
void ShowDataWarning(const DataContext& ctx, const Text& title, const Text& text);

/// The dialog "Upozornění: VĚTU NELZE ZAMKNOUT" shown when a record is locked: rows with the
/// key, for document files the document identification, the file name, and below it the data
/// file path and the file title; then the explanation of what the user can do as a centred text
/// block in the highlight colours, and an O.K. button. Returns when the dialog is closed.
void ExplainRecordLock(const DataContext& ctx, const Text& key, const Text& fileName,
                       const Text& dataFilePath, const Text& fileTitle);

/// A component called an operation its variant does not provide: shows the error, marks the
/// crash and ends the program (exit code kExitProgramError).
[[noreturn]] void StopOnProgramError(const DataContext& ctx, const Text& methodName);

/// Writes a journal entry: a line of "*", date + " " + time + "  " + title, the "*" line again,
/// the given lines (line breaks inside a line start new journal lines), and an empty line.
/// File errors are ignored.
void AppendJournalEntry(const DataContext& ctx, const Text& title, const std::vector<Text>& lines);

/// The lines of a journal entry as AppendJournalEntry writes them.
std::vector<Text> JournalEntryLines(const DataContext& ctx, const Text& title,
                                    const std::vector<Text>& lines);

/// The document identification of a key of a document file ("UDHL", "UDHH": characters 2-16 of
/// the key; "SDHL", "SVDH", "PDHL", "FAHL", "LFHL": the whole key), formatted as year, month,
/// document kind and number separated by "*" ("2024*05*FP  *00123"); empty for other files.
Text DocumentIdentification(const Text& fileName, const Text& key);

/// The print copy of a report window: "ERR_" + ddmmyyyy + "_AXO.TXT" in the work directory
/// (the program directory when none is set).
std::filesystem::path PrintCopyPath(const DataContext& ctx);
/// The lines of the print copy of a report window.
std::vector<Text> PrintCopyLines(const DataContext& ctx, const ui::ReportWindow& window);
/// Writes the print copy (Windows-1250, CR LF) and returns its path; file errors are ignored
/// (the copy is then simply missing).
std::filesystem::path WritePrintCopy(const DataContext& ctx, const ui::ReportWindow& window);

/// Opens a text file in the user's text editor: `$VISUAL`, else `$EDITOR` (both run through the
/// shell and waited for, as terminal editors need), else `xdg-open` when a display is set
/// (started and left running). Does nothing when none of them is available.
void OpenInTextEditor(const std::filesystem::path& file);

}  // namespace axo::storage
