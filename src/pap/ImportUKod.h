// Filling the transaction code list from the text file "UKod.txt": one code a line, the code
// (brackets allowed), its name and the partner duty, split at tabs.
#pragma once

#include <filesystem>
#include <vector>

#include "pap/CodeListImport.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/ProgressPanel.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// Empties the transaction code list of `where` and fills it from `file` after the user's
/// confirmation, under the list's write lock, with a progress panel, and shows "HOTOVO!". A
/// missing or unreadable file, a declined confirmation or a list that cannot be locked change
/// nothing (after their messages); `done` is then false.
CodeListImportResult ImportUKod(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file);

/// The fill of an open, locked list from the file's lines: every record is deleted; each line's
/// first field is the code without "[" and "]", the second its name, a non-empty third sets the
/// partner duty. Lines whose code exists already are skipped.
CodeListImportResult FillUKod(tFileUKod& list, const std::vector<Text>& lines,
                              ui::ProgressPanel* progress = nullptr);

}  // namespace axo::pap
