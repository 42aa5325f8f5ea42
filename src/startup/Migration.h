// Moving every keyed table of an installation to the other engine: SQLite files to a
// PostgreSQL server, or the server's tables back to files. All or nothing: the installation's
// program table is held exclusively meanwhile (no program runs in it), every table is copied
// in one transaction of its own, the counts are checked at the end, and only then does AXO.CFG
// name the new engine. A failure takes away every table made so far. The old tables stay as
// they were (a copy to return to); the report says where.
#pragma once

#include <filesystem>
#include <string>

#include "storage/Engine.h"
#include "ui/ProgressPanel.h"
#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::startup {

struct MigrationRequest {
    std::filesystem::path home;
    bool toPostgresql = true;
    /// The libpq connection text of the server (both ways: the source or the target).
    std::string connection;
};

struct MigrationResult {
    bool done = false;
    int tables = 0;
    long long records = 0;
};

/// Copies one table into a new table `file` of the engine `target` in one transaction, with the
/// definition `def`; the number of records copied (`done` counts them on, `progress` shows
/// them in thousands when given). Throws EngineError when anything fails or the counts differ.
long long CopyTable(storage::EngineTable& from, storage::Engine& target,
                    const std::filesystem::path& file, const storage::TableDef& def,
                    ui::ProgressPanel* progress, long long& done);

/// Moves the installation's tables; false after a message.
bool MigrateInstallation(const MigrationRequest& request, ui::UiServices& ui, const Clock& clock,
                         MigrationResult& result);

}  // namespace axo::startup
