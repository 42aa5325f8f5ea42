// What the data layer needs from the running program. One context is made at start-up and
// passed to every table object and file helper; nothing in the layer is global.
#pragma once

#include <filesystem>
#include <functional>

#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::storage {

struct DataContext {
    /// Messages, wait windows, progress panels, report windows and the end of the program.
    ui::UiServices* ui = nullptr;
    /// Date and time for journal entries and print copies.
    const Clock* clock = nullptr;
    /// The program directory: installation files, vaults and the "AXO_PROGRAM_PATH" override.
    std::filesystem::path programDirectory;
    /// The current directory of the run: where the error journal "Axo-Zurn.Err" is kept and
    /// where tables without a directory live (the start-up makes it the program directory).
    std::filesystem::path currentDirectory;
    /// The work directory for temporary files; empty means the current directory.
    std::filesystem::path workDirectory;
    /// The running program's file name as the family knows it (e.g. "AXO_PAP.EXE").
    Text programFileName;
    /// The user works at the service access level: repeated attempts are announced.
    bool serviceLevel = false;
    /// Marks the crash in the user's login records; filled in by the start-up.
    std::function<void()> markCrash;

    /// The work directory to use: the configured one, else the current directory.
    std::filesystem::path WorkDirectoryOrCurrent() const {
        return workDirectory.empty() ? currentDirectory : workDirectory;
    }
};

}  // namespace axo::storage
