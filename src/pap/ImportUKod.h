// Filling the transaction code list from the text file "UKod.txt": one code a line, the code
// (brackets allowed), its name and the partner duty, split at tabs.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "pap/CodeListImport.h"
#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/ProgressPanel.h"
#include "ui/UiServices.h"

namespace axo::pap {

/// Replaces the transaction code list of `where` by the codes of `file`, as FillCodeList does:
/// after the user's confirmation, every line checked first, the new list built aside and put in
/// place at once, and "HOTOVO!". A file that is refused, a declined confirmation or a list that
/// cannot be taken change nothing (after their messages); `done` is then false.
CodeListImportResult ImportUKod(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file,
                                const CodeListImportOptions& options = {});

/// The code of a line: the first field without "[" and "]" (three digits), the second its
/// name, a non-empty third the partner duty. nullopt, with the reason, for a line without that
/// structure.
std::optional<tVetaUKod> UKodOfLine(const Text& line, Text& reason);

/// The fill of an open, locked list from the file's lines: every record is deleted; each line
/// becomes a code (UKodOfLine). Lines whose code exists already, and lines without a code, are
/// skipped.
CodeListImportResult FillUKod(tFileUKod& list, const std::vector<Text>& lines,
                              ui::ProgressPanel* progress = nullptr);

}  // namespace axo::pap
