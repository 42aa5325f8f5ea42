// New contents of tables built aside and put in place at once: the imports write a complete
// copy of each table into a staging directory beside it and then give every staged file the
// table's name, each in one rename. Until then the tables are untouched, so an import that fails
// or is killed half-way leaves them as they were.
#pragma once

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::pap {

class TableSwap {
  public:
    /// The staging directory `directory` + "/!IMP_" + `tag`, created empty (what an earlier,
    /// interrupted run left there is removed). The caller holds the tables to be replaced
    /// exclusively, so no other run can be using the directory. Throws std::filesystem_error
    /// when it cannot be created.
    TableSwap(const std::filesystem::path& directory, const Text& tag);
    /// Removes the staging directory with everything left in it.
    ~TableSwap();
    TableSwap(const TableSwap&) = delete;
    TableSwap& operator=(const TableSwap&) = delete;

    const std::filesystem::path& Directory() const { return staging_; }

    /// Puts each staged data file (closed by the caller) in the place of its table's data file,
    /// in the given order, and makes the renames durable. The caller still holds the tables
    /// exclusively, so nobody opens them between the renames. False when a rename fails; the
    /// files renamed before it stay renamed.
    bool Commit(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& files);

  private:
    std::filesystem::path staging_;
};

/// A TableSwap, or null after a message naming the directory when it cannot be created.
std::unique_ptr<TableSwap> MakeTableSwap(ui::UiServices& ui, const std::filesystem::path& directory,
                                         const Text& tag);

}  // namespace axo::pap
