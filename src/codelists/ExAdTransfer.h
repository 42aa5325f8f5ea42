// Export and import of external addresses between the list of this installation and the list
// of another directory: the copy itself (chosen addresses, new classifications, a target
// created anew), which builds the target's new contents beside it and swaps them in whole, and
// the interactive export and import with their dialogs, the address selector and the report.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "codelists/a_Anc_EA.h"
#include "ui/ProgressPanel.h"

namespace axo::codelists {

struct TransferOptions {
    /// "Přidělit nové zatřídění": each address gets the target's next free classification.
    bool renumber = false;
    /// "nově založit" / "PŘEPSAT": the target keeps none of its addresses.
    bool recreate = false;
    /// Called after each address (tests stop a run here); none: nothing.
    std::function<void(int copied)> afterAddress;
};

/// What a copy did.
struct TransferReport {
    bool done = false;  ///< the target holds the new contents
    Text failure;       ///< why nothing was done (empty when done or left by the user)
    int copied = 0;
    std::vector<Text> clashes;   ///< classifications skipped: a unique key clashed in the target
    std::vector<Text> noNumber;  ///< skipped: no free classification was left
    std::vector<Text> missing;   ///< chosen classifications the source does not have
};

/// Builds new contents of the list in `directory` beside it and puts them in its place in one
/// rename: the list's own addresses when `keepExisting`, then what `fill` adds to the staged
/// table (`adding` steps of the progress panel); a `fill` that returns false leaves the list
/// as it was. The list is held exclusively meanwhile; a
/// failure or a kill leaves it as it was. False with the reason in `failure`.
bool RebuildAddressList(const storage::DataContext& ctx, ui::UiServices& ui,
                        const std::filesystem::path& directory, const Text& yearCode,
                        bool keepExisting, int adding,
                        const std::function<bool(tExtAdresy&, ui::ProgressPanel&)>& fill,
                        Text& failure);

/// Copies the addresses with `classifications` (in that order; all of the source in the order
/// of classifications when empty) from the list in `sourceDirectory` to the list in
/// `targetDirectory`. The target is held exclusively; its new contents (its own addresses unless
/// recreated, then the copied ones) are built in a staging directory beside it and put in its
/// place in one rename, so a failure or a kill leaves it as it was. The same table as source and
/// target is refused, as is a missing source list.
TransferReport CopyAddresses(const storage::DataContext& ctx, ui::UiServices& ui,
                             const std::filesystem::path& sourceDirectory,
                             const std::filesystem::path& targetDirectory, const Text& yearCode,
                             const std::vector<Text>& classifications,
                             const TransferOptions& options);

/// The addresses skipped, a line per reason with their count and classifications; empty when
/// none was.
Text TransferSkippedText(const TransferReport& report);

/// The closing message: "\t\rHOTOVO!" and, when addresses were skipped, how many and which.
Text TransferReportText(const TransferReport& report);

/// The interactive export ("Export externích adres") and import ("Import externích adres").
void ExportAddresses(const AddressBook& book);
void ImportAddresses(const AddressBook& book);

}  // namespace axo::codelists
