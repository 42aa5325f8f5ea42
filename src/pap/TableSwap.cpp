// Staged table contents and their swap into place.
#include "pap/TableSwap.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "storage/WorkFiles.h"

namespace axo::pap {

namespace fs = std::filesystem;

namespace {

void SyncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

TableSwap::TableSwap(const fs::path& directory, const Text& tag)
    : staging_(directory / storage::PathFromText("!IMP_"_t + tag)) {
    std::error_code ignored;
    fs::remove_all(staging_, ignored);
    fs::create_directories(staging_);
}

TableSwap::~TableSwap() {
    std::error_code ignored;
    fs::remove_all(staging_, ignored);
}

bool TableSwap::Commit(const std::vector<std::pair<fs::path, fs::path>>& files) {
    for (const auto& [staged, table] : files) {
        // rename(2) replaces the table's file in one step: a reader that opens it afterwards
        // finds either the old or the new table, never a mixture.
        if (std::rename(staged.c_str(), table.c_str()) != 0)
            return false;
        SyncDirectory(table.parent_path());
    }
    return true;
}

std::unique_ptr<TableSwap> MakeTableSwap(ui::UiServices& ui, const fs::path& directory,
                                         const Text& tag) {
    try {
        return std::make_unique<TableSwap>(directory, tag);
    } catch (const fs::filesystem_error&) {
        ui.ShowError("V adresáři "_t + storage::TextFromPath(directory) +
                     " nelze založit pracovní adresář importu."_t);
        return nullptr;
    }
}

}  // namespace axo::pap
