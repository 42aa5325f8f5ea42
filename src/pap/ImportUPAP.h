// Filling the list of PAP codes for statements from text files: "UPAP.txt" replaces the list
// (analytics, description, partner duties, statements, rows numbered per statement), and the
// update files "UPAP_04" ... "UPAP_09" set the transaction codes allowed on the debit and the
// credit side of existing codes from their tables of columns.
#pragma once

#include <filesystem>
#include <vector>

#include "pap/CodeListImport.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/ProgressPanel.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// How a file fills the list.
enum class UpapMode {
    Replace,  ///< the list is emptied and filled with the file's codes
    Update,   ///< the transaction-code flags of existing codes are set from the file
};

/// The mode a file's name selects: "UPAP_04" ... "UPAP_09" (any case, with or without an
/// extension) update; any other name replaces.
UpapMode UpapModeOf(const std::filesystem::path& file);

/// The most rows one statement can have in the list: the row key holds four digits.
inline constexpr int kMaxUpapRow = 9999;

/// Fills the PAP code list of `where` from `file` as FillCodeList does: after the user's
/// confirmation, every line checked first, the new list built aside and put in place at once,
/// and "HOTOVO!". A file that is refused (also one giving a statement more than kMaxUpapRow
/// rows), a declined confirmation or a list that cannot be taken change nothing (after their
/// messages); `done` is then false. An update file changes the codes the list has, so
/// `replaceExisting` does not concern it.
CodeListImportResult ImportUPAP(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file,
                                const CodeListImportOptions& options = {});

/// The replace fill of an open, locked list from the file's lines: every record is deleted, then
/// each line with an analytics becomes a code unless its analytics or its group and row exist
/// (or the line lacks the file's structure, or its row would pass kMaxUpapRow).
CodeListImportResult FillUpapReplace(tFileUAPV& list, const std::vector<Text>& lines,
                                     ui::ProgressPanel* progress = nullptr);

/// The update fill of an open, locked list: the header line's bracketed codes ("[401]") name the
/// columns; each following line sets the debit and credit flags of its existing analytics from
/// its cells ("x" = not allowed, anything else allowed). Unknown analytics are skipped.
CodeListImportResult FillUpapUpdate(tFileUAPV& list, const std::vector<Text>& lines,
                                    ui::ProgressPanel* progress = nullptr);

}  // namespace axo::pap
