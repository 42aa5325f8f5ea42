// What the text imports of the PAP code lists share: reading the family's text file (Windows-1250,
// CR LF or LF) into trimmed lines, splitting a line at its tab characters, the questions and
// messages around a fill, and opening a code list locked for writing.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "storage/Files.h"
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
};

/// The lines of a text file: each cut to 255 characters and trimmed of blanks; empty lines stay
/// (callers skip them). nullopt when the file cannot be read; `errorCode` is then the system's
/// error number.
std::optional<std::vector<Text>> ReadImportLines(const std::filesystem::path& file, int& errorCode);

/// The lines of a file's contents, as ReadImportLines gives them.
std::vector<Text> SplitImportLines(const Text& content);

/// The fields of a line split at tab characters, each trimmed of blanks. A field counts only
/// when a tab follows it: "a\tb" gives one field, "a\tb\t" two.
std::vector<Text> TabFields(const Text& line);

/// The file as messages name it.
Text ImportFileName(const std::filesystem::path& file);

/// Shows "Soubor ... neexistuje." when the file is missing; true when it exists.
bool ImportFileExists(ui::UiServices& ui, const std::filesystem::path& file);

/// Asks whether to go on: `question` + line break + file name + " !", buttons "Pokračovat"
/// (default) and "<Esc>zpět". True for "Pokračovat".
bool ConfirmImport(ui::UiServices& ui, const Text& question, const std::filesystem::path& file);

/// Reads the file's lines; shows "Soubor ... nelze otevřít. Chyba číslo ..." when it cannot.
std::optional<std::vector<Text>> ReadImportFile(ui::UiServices& ui,
                                                const std::filesystem::path& file);

/// Opens a code list shared (created when missing) and takes its write lock in one attempt;
/// false after "Číselník nelze zamčít, jeho naplnění nebude provedeno." when either fails (the
/// file is then closed).
bool OpenLocked(ui::UiServices& ui, storage::tSoubor& list);

/// The record numbers of a table in record-number order, read before the table is changed.
std::vector<std::int32_t> RecordNumbers(storage::tSoubor& table);

/// "HOTOVO!".
void ShowDone(ui::UiServices& ui);

}  // namespace axo::pap
