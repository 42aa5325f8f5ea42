// The PostgreSQL engine of the keyed-table layer: one server table per keyed table, named from
// its data file (area and file name, see pg::TableName), in the engine-level layout (record
// number, key columns, lock flag, data fields) plus, for every key column, a column "<key>#sk"
// holding the key's sort key, on which the key indexes lie: bytes compare as the key collation
// of the SQLite engine orders (pg::KeySortKey). Each open table has a session of its own; the
// open modes and the table locks are session advisory locks, which the server drops when the
// session ends, also when its client is killed. A write returns once the server committed it;
// BeginWrites/CommitWrites make one transaction. Under the table write lock the commits are not
// waited for on the disk until Unlock or FlushFile: a killed client loses nothing that
// returned, a crash of the server's machine what was not yet flushed.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/Engine.h"

namespace axo::storage {

struct PgOptions {
    /// The libpq connection string or "service=NAME" (the password from ~/.pgpass or
    /// PGPASSWORD, never from the installation).
    std::string conninfo;
    /// The installation's home: table names are taken relative to it.
    std::filesystem::path root;
};

/// A PostgreSQL engine with the given settings.
std::shared_ptr<Engine> MakePgEngine(const PgOptions& options);

/// The data files of the tables on the server (from the names their creation noted).
std::vector<std::filesystem::path> PgTables(const PgOptions& options);
/// The definition of the server table of a data file, as it was created.
TableDef PgDefinition(const PgOptions& options, const std::filesystem::path& dataFile);

}  // namespace axo::storage
