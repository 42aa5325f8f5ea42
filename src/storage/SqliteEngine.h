// The SQLite engine of the keyed-table layer: one database file per table holding the table
// "DATA" in the engine-level layout and its indexes, a rollback journal with full synchronous
// commits, and the table's open modes and table locks as byte locks on its lock file. Each write
// is committed before it returns, except under the table write lock, where writes are grouped
// into one commit and each is kept in the table's write log until then (SqliteWriteLog.h). So a
// write that returned survives a killed process always, and a crash of the machine or a power
// cut once it is committed: at once outside a table lock, under one at Unlock or FlushFile (or
// when the group reaches its size or age limit).
#pragma once

#include <memory>

#include "storage/Engine.h"

struct sqlite3;

namespace axo::storage {

struct SqliteOptions {
    /// How long a statement waits while another connection writes the file.
    int busyTimeoutMs = 10000;
    /// How long a write outside a table lock waits for another process's table write lock.
    int writerWaitMs = 10000;
};

/// The name of the table inside every table file.
inline constexpr const char* kSqliteTableName = "DATA";

/// The definition of the table in a table file, as it was created.
TableDef SqliteDefinition(const std::filesystem::path& dataFile);

/// A SQLite engine with the given settings.
std::shared_ptr<Engine> MakeSqliteEngine(const SqliteOptions& options = {});

/// Applies the settings every connection of the layer needs: the key collation, extended
/// result codes, the busy timeout, the rollback journal and full synchronous commits. Returns
/// the SQLite result code of the first step that failed (SQLITE_OK when none did).
int ConfigureConnection(sqlite3* db, int busyTimeoutMs);

}  // namespace axo::storage
