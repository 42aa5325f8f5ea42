// The SQLite engine: creating table files all or nothing, opening them under the table's open
// mode, and the file-level services the layer needs.
#include "storage/SqliteEngine.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "storage/FileLocks.h"
#include "storage/SqliteSupport.h"
#include "storage/SqliteTable.h"
#include "storage/SqliteText.h"

namespace axo::storage {

namespace fs = std::filesystem;
using Stage = EngineError::Stage;
using namespace sqlite;

namespace {

std::string ColumnSql(const ColumnDef& c) {
    const std::string name = Quote(c.name);
    const std::string length = std::to_string(c.length);
    switch (c.kind) {
        case ColumnKind::RecordNumber:
            return name + " INTEGER PRIMARY KEY";
        case ColumnKind::Key:
            return name + " VARCHAR(" + length + ") COLLATE " + kKeyCollation;
        case ColumnKind::LockFlag:
            return name + " BOOLEAN NOT NULL DEFAULT 0";
        case ColumnKind::SmallInt:
            return name + " SMALLINT CHECK (" + name + " BETWEEN -32768 AND 32767)";
        case ColumnKind::Integer:
            return name + " INTEGER";
        case ColumnKind::Float:
            return name + " REAL";
        case ColumnKind::Boolean:
            return name + " BOOLEAN";
        case ColumnKind::String:
            return name + " VARCHAR(" + length + ")";
        case ColumnKind::Memo:
            return name + " TEXT";
    }
    return name;
}

std::string CreateTableSql(const TableDef& def) {
    std::string sql = std::string("CREATE TABLE ") + kSqliteTableName + " (";
    for (std::size_t i = 0; i < def.columns.size(); ++i)
        sql += (i ? ", " : "") + ColumnSql(def.columns[i]);
    return sql + ")";
}

std::string CreateIndexSql(const IndexDef& index) {
    return std::string("CREATE ") + (index.unique || index.primary ? "UNIQUE " : "") + "INDEX " +
           Quote(index.name) + " ON " + kSqliteTableName + " (" + Quote(index.column) + ")";
}

/// Creates the empty file the engine builds a new table in, with the permissions a new file of
/// the process gets (the kernel applies the umask), less the access of others for a
/// confidential table. The engine itself would create it readable by everybody and writable by
/// its owner alone, whatever the umask: a second user of a shared installation could not write.
void CreateEmptyFile(const fs::path& file, bool confidential) {
    const mode_t mode = confidential ? 0660 : 0666;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        throw EngineError(std::string(engine_text::kCannotAccessDirectory) + " (" +
                              std::strerror(errno) + ": the new table cannot be created)",
                          Stage::CreateTable);
    ::close(fd);
}

class SqliteReservation : public TableReservation {
  public:
    SqliteReservation(fs::path lockFile, std::unique_ptr<LockFile> lock)
        : lockFile_(std::move(lockFile)), lock_(std::move(lock)) {}
    void TableDeleted() noexcept override {
        // With both slots held nobody else has a lock on the file, and whoever opened it
        // meanwhile notices that it is gone once it gets its lock.
        if (lock_->TryLock(LockFile::kTableLockSlot, LockFile::Mode::Exclusive) ==
            LockFile::Conflict::None)
            ::unlink(lockFile_.c_str());
    }

  private:
    fs::path lockFile_;
    std::unique_ptr<LockFile> lock_;
};

class SqliteEngine : public Engine {
  public:
    explicit SqliteEngine(const SqliteOptions& options) : options_(options) {}

    void Create(const fs::path& dataFile, const TableDef& def) override {
        // The table is built under a name of its own and then given the data file's name in one
        // step, so that nobody ever opens a half-created table and two stations creating the
        // same table at once both end up with one complete table.
        const fs::path building(dataFile.string() + ".new" + std::to_string(::getpid()));
        RemoveQuiet(building);
        RemoveQuiet(JournalOf(building));
        try {
            CreateEmptyFile(building, def.confidential);
            {
                Db db = OpenDb(building, false, options_.busyTimeoutMs, Stage::CreateTable);
                Exec(db.get(), "BEGIN", Stage::CreateTable);
                Exec(db.get(), CreateTableSql(def), Stage::CreateTable);
                for (const IndexDef& index : def.indexes)
                    Exec(db.get(), CreateIndexSql(index), Stage::CreateIndexes);
                Exec(db.get(), "COMMIT", Stage::CloseCreated);
                if (const int rc = sqlite3_close(db.release()); rc != SQLITE_OK)
                    Throw(rc, nullptr, Stage::CloseCreated);
            }
            if (::renameat2(AT_FDCWD, building.c_str(), AT_FDCWD, dataFile.c_str(),
                            RENAME_NOREPLACE) != 0 &&
                errno != EEXIST)
                throw EngineError(std::string(engine_text::kCannotAccessDirectory) +
                                      " (the new table cannot be given its name)",
                                  Stage::CloseCreated);
            RemoveQuiet(building);
            SyncDirectory(dataFile.parent_path());
        } catch (...) {
            RemoveQuiet(building);
            RemoveQuiet(JournalOf(building));
            throw;
        }
    }

    std::unique_ptr<EngineTable> Open(const fs::path& dataFile, bool exclusive) override {
        auto lock = std::make_unique<LockFile>(LockFilePath(dataFile));
        const auto mode = exclusive ? LockFile::Mode::Exclusive : LockFile::Mode::Shared;
        if (lock->TryLock(LockFile::kOpenSlot, mode) != LockFile::Conflict::None)
            throw EngineError(std::string(engine_text::kFileLocked) +
                              (exclusive ? " (the table is open elsewhere)"
                                         : " (the table is open exclusively elsewhere)"));
        Db db = OpenDb(dataFile, false, options_.busyTimeoutMs);
        auto table =
            std::make_unique<SqliteTable>(std::move(db), dataFile, std::move(lock), options_);
        // Writes that returned to a process killed while holding the table lock are in its
        // write log: the table is complete only with them.
        table->RecoverWriteLog();
        return table;
    }

    std::vector<Text> IndexNames(const fs::path& dataFile) override {
        Db db = OpenDb(dataFile, false, options_.busyTimeoutMs);
        Statement s(db.get(), "SELECT name FROM sqlite_master WHERE type = 'index'");
        std::vector<Text> names;
        while (s.Step()) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(s.Get(), 0));
            names.push_back(FromUtf8(name ? name : ""));
        }
        return names;
    }

    std::vector<fs::path> TableFiles(const fs::path& dataFile) override {
        // The journal goes with its data file: a journal left behind would be played back into
        // a new table of the same name and damage it.
        return {dataFile, JournalOf(dataFile), WriteLogOf(dataFile)};
    }

    void Settle(const fs::path& dataFile) override {
        // Reading the schema makes SQLite play back a journal left by a killed writer; the
        // caller holds the table, so a write log left beside it is written again too.
        Db db = OpenDb(dataFile, false, options_.busyTimeoutMs);
        Exec(db.get(), "SELECT count(*) FROM sqlite_master");
        SqliteTable(std::move(db), dataFile, nullptr, options_).RecoverWriteLog();
    }

    std::unique_ptr<TableReservation> Reserve(const fs::path& dataFile) override {
        auto lock = std::make_unique<LockFile>(LockFilePath(dataFile));
        if (lock->TryLock(LockFile::kOpenSlot, LockFile::Mode::Exclusive) !=
            LockFile::Conflict::None)
            throw EngineError(std::string(engine_text::kFileLocked) +
                              " (the table is open elsewhere)");
        return std::make_unique<SqliteReservation>(LockFilePath(dataFile), std::move(lock));
    }

  private:
    SqliteOptions options_;
};

}  // namespace

TableDef SqliteDefinition(const fs::path& dataFile) {
    Db db = OpenDb(dataFile, false, SqliteOptions{}.busyTimeoutMs);
    TableDef def;
    auto text = [](sqlite3_stmt* s, int c) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
        return std::string(t ? t : "");
    };
    Statement columns(db.get(), std::string("PRAGMA table_info(") + kSqliteTableName + ")");
    while (columns.Step()) {
        const std::string name = text(columns.Get(), 1);
        std::string type = text(columns.Get(), 2);
        for (char& c : type)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::size_t open = type.find('(');
        const int length = open == std::string::npos ? 0 : std::atoi(type.c_str() + open + 1);
        ColumnKind kind = ColumnKind::Memo;
        if (sqlite3_column_int(columns.Get(), 5) != 0)
            kind = ColumnKind::RecordNumber;
        else if (name == "W_LOCKREC")
            kind = ColumnKind::LockFlag;
        else if (type.rfind("SMALLINT", 0) == 0)
            kind = ColumnKind::SmallInt;
        else if (type.rfind("INTEGER", 0) == 0)
            kind = ColumnKind::Integer;
        else if (type.rfind("REAL", 0) == 0)
            kind = ColumnKind::Float;
        else if (type.rfind("BOOLEAN", 0) == 0)
            kind = ColumnKind::Boolean;
        else if (type.rfind("VARCHAR", 0) == 0)
            kind = ColumnKind::String;
        def.columns.push_back({FromUtf8(name), kind, length});
    }
    // A key column is one a collated index lies on.
    Statement indexes(db.get(), std::string("SELECT name, sql FROM sqlite_master WHERE type = "
                                            "'index' AND tbl_name = '") +
                                    kSqliteTableName + "' ORDER BY name");
    while (indexes.Step()) {
        const std::string name = text(indexes.Get(), 0);
        const std::string sql = text(indexes.Get(), 1);
        const std::size_t open = sql.rfind('(');
        std::string column = open == std::string::npos ? "" : sql.substr(open + 1);
        column = column.substr(0, column.find(')'));
        if (column.size() > 1 && column.front() == '"')
            column = column.substr(1, column.size() - 2);
        const bool primary = column == "W_INDEX_PR";
        def.indexes.push_back({FromUtf8(name), FromUtf8(column), primary,
                               primary || sql.rfind("CREATE UNIQUE", 0) == 0});
    }
    for (ColumnDef& c : def.columns)
        for (const IndexDef& i : def.indexes)
            if (c.kind == ColumnKind::String && i.column == c.name)
                c.kind = ColumnKind::Key;
    return def;
}

std::shared_ptr<Engine> MakeSqliteEngine(const SqliteOptions& options) {
    return std::make_shared<SqliteEngine>(options);
}

namespace {

std::shared_ptr<Engine>& ChosenEngine() {
    static std::shared_ptr<Engine> engine;
    return engine;
}

}  // namespace

std::shared_ptr<Engine> DefaultEngine() {
    if (const std::shared_ptr<Engine>& chosen = ChosenEngine())
        return chosen;
    return MakeSqliteEngine();
}

void UseEngine(std::shared_ptr<Engine> engine) {
    ChosenEngine() = std::move(engine);
}

bool Engine::Exists(const fs::path& dataFile) {
    std::error_code ec;
    const fs::file_status status = fs::status(dataFile, ec);
    return fs::exists(status) && !fs::is_directory(status);
}

void Engine::Drop(const fs::path& dataFile) {
    for (const fs::path& file : TableFiles(dataFile))
        RemoveQuiet(file);
}

namespace {

/// A whole row read through the positions of a column selection.
class SelectedColumns : public RowReader {
  public:
    SelectedColumns(const RowReader& row, const std::vector<int>& columns)
        : row_(row), columns_(columns) {}
    bool IsNull(int c) const override { return row_.IsNull(columns_[c]); }
    std::int64_t Integer(int c) const override { return row_.Integer(columns_[c]); }
    double Real(int c) const override { return row_.Real(columns_[c]); }
    std::size_t TextInto(int c, char* out, std::size_t capacity) const override {
        return row_.TextInto(columns_[c], out, capacity);
    }
    Text GetText(int c) const override { return row_.GetText(columns_[c]); }

  private:
    const RowReader& row_;
    const std::vector<int>& columns_;
};

}  // namespace

void EngineTable::ScanColumns(const std::vector<int>& columns, const RowVisitor& visit) {
    constexpr int kBatch = 1024;
    OrderPosition last;
    bool started = false;
    for (;;) {
        const int read = Scan(0, ScanDirection::Forward, started ? &last : nullptr, kBatch,
                              [&](const RowReader& row) {
                                  last.recordNumber = static_cast<std::int32_t>(row.Integer(0));
                                  visit(SelectedColumns(row, columns));
                              });
        started = true;
        if (read < kBatch)
            return;
    }
}

std::size_t EnginePathLimit() {
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs ? static_cast<std::size_t>(vfs->mxPathname) : 512;
}

}  // namespace axo::storage
