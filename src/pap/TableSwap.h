// New contents of tables built aside and put in place at once: the imports write a complete
// copy of each table into a staging directory beside it and then give every staged file the
// table's name, each in one rename. Until then the tables are untouched, so an import that fails
// or is killed half-way leaves them as they were. A staging directory never outlives its
// import for long: it goes when the import ends, when a fatal data error ends the program, and
// (after a kill) with the next import of the table or the next start of the program.
#pragma once

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "storage/DataContext.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::pap {

class TableSwap {
  public:
    /// The staging directory `directory` + "/!IMP_" + `tag`, created empty (what an earlier,
    /// interrupted run left there is removed). The caller holds the table `tag` of `directory`
    /// exclusively from before this until after the swap is destroyed, so no other run can be
    /// using the directory. Throws std::filesystem_error when it cannot be created.
    TableSwap(const std::filesystem::path& directory, const Text& tag,
              const storage::DataContext& ctx);
    /// Removes the staging directory with everything left in it.
    ~TableSwap();
    TableSwap(const TableSwap&) = delete;
    TableSwap& operator=(const TableSwap&) = delete;

    const std::filesystem::path& Directory() const { return staging_; }
    /// The context for the staged tables: a fatal data error removes the staging directory
    /// first (a full disk is freed again), then marks the crash as the original context does.
    const storage::DataContext& Context() const { return ctx_; }

    /// Puts each staged data file (closed by the caller) in the place of its table's data file,
    /// in the given order, and makes the renames durable. The caller still holds the tables
    /// exclusively, so nobody opens them between the renames. False when a rename fails; the
    /// files renamed before it stay renamed.
    bool Commit(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& files);

  private:
    std::filesystem::path staging_;
    storage::DataContext ctx_;
};

/// A TableSwap, or null after a message naming the directory when it cannot be created.
std::unique_ptr<TableSwap> MakeTableSwap(ui::UiServices& ui, const std::filesystem::path& directory,
                                         const Text& tag, const storage::DataContext& ctx);

/// Removes the staging directories that killed imports left in each of `directories`: those
/// whose table nobody has open (an import holds its table for as long as its staging directory
/// exists). The staging directory of a running import stays. Never fails.
void RemoveStaleStaging(const std::vector<std::filesystem::path>& directories);

}  // namespace axo::pap
