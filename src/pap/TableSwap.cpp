// Staged table contents and their swap into place.
#include "pap/TableSwap.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "storage/Engine.h"
#include "storage/WorkFiles.h"

namespace axo::pap {

namespace fs = std::filesystem;

namespace {

const Text kStagingPrefix = "!IMP_"_t;

void SyncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Removes a staging directory. Its files are emptied first: while the staged tables are still
/// open (a fatal error on the way out of the program), removing them alone frees no room.
void DropStaging(const fs::path& staging) {
    std::error_code ec;
    for (fs::directory_iterator it(staging, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec))
            ::truncate(it->path().c_str(), 0);
    fs::remove_all(staging, ec);
}

}  // namespace

TableSwap::TableSwap(const fs::path& directory, const Text& tag, const storage::DataContext& ctx)
    : staging_(directory / storage::PathFromText(kStagingPrefix + tag)), ctx_(ctx) {
    DropStaging(staging_);
    fs::create_directories(staging_);
    // A fatal data error ends the program without unwinding: the staged tables (as large as
    // the tables) must not stay behind, least of all when the disk became full.
    ctx_.markCrash = [staging = staging_, markCrash = ctx.markCrash] {
        DropStaging(staging);
        if (markCrash)
            markCrash();
    };
}

TableSwap::~TableSwap() {
    DropStaging(staging_);
}

bool TableSwap::Commit(const std::vector<std::pair<fs::path, fs::path>>& files) {
    const std::shared_ptr<storage::Engine> engine = storage::DefaultEngine();
    for (const auto& [staged, table] : files) {
        if (!engine->KeepsFiles()) {
            // The server replaces the table in one transaction, as rename(2) does a file.
            try {
                if (!engine->Rename(staged, table))
                    return false;
            } catch (const storage::EngineError&) {
                return false;
            }
            continue;
        }
        // rename(2) replaces the table's file in one step: a reader that opens it afterwards
        // finds either the old or the new table, never a mixture.
        if (std::rename(staged.c_str(), table.c_str()) != 0)
            return false;
        SyncDirectory(table.parent_path());
    }
    return true;
}

std::unique_ptr<TableSwap> MakeTableSwap(ui::UiServices& ui, const fs::path& directory,
                                         const Text& tag, const storage::DataContext& ctx) {
    try {
        return std::make_unique<TableSwap>(directory, tag, ctx);
    } catch (const fs::filesystem_error&) {
        ui.ShowError("V adresáři "_t + storage::TextFromPath(directory) +
                     " nelze založit pracovní adresář importu."_t);
        return nullptr;
    }
}

void RemoveStaleStaging(const std::vector<fs::path>& directories) {
    const std::string prefix = ToUtf8(kStagingPrefix);
    std::vector<fs::path> found;
    for (const fs::path& directory : directories) {
        std::error_code ec;
        for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().filename().string().rfind(prefix, 0) == 0 && it->is_directory(ec))
                found.push_back(it->path());
    }
    for (const fs::path& staging : found) {
        const fs::path table =
            staging.parent_path() / (staging.filename().string().substr(prefix.size()) + ".DB");
        try {
            // Held while the staged files go, so that no import of the table starts meanwhile.
            const auto reservation = storage::DefaultEngine()->Reserve(table);
            DropStaging(staging);
        } catch (const storage::EngineError&) {
            // The table is open: its import may be running.
        }
    }
}

}  // namespace axo::pap
