// What the SQLite engine's units share: engine messages from SQLite failures, connections,
// prepared statements and their scoped use, and rows read from and bound to statements.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/Engine.h"

namespace axo::storage::sqlite {

/// The engine message of a SQLite failure, worded so that the layer recognises the condition.
std::string EngineMessage(int rc, const std::string& detail);
/// Throws the engine error of a SQLite result code (with the connection's message).
[[noreturn]] void Throw(int rc, sqlite3* db, EngineError::Stage stage = EngineError::Stage::Other);

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

/// Opens a configured connection (see ConfigureConnection); throws on failure.
Db OpenDb(const std::filesystem::path& path, bool create, int busyTimeoutMs,
          EngineError::Stage stage = EngineError::Stage::Other);
/// Runs SQL without results; throws on failure.
void Exec(sqlite3* db, const std::string& sql,
          EngineError::Stage stage = EngineError::Stage::Other);
/// A quoted SQL name.
std::string Quote(const Text& name);

/// Makes a new, renamed or removed directory entry durable.
void SyncDirectory(const std::filesystem::path& directory);
void RemoveQuiet(const std::filesystem::path& path);
/// SQLite's rollback journal of a data file.
std::filesystem::path JournalOf(const std::filesystem::path& dataFile);
/// The write log of a data file (writes under a table lock not yet committed).
std::filesystem::path WriteLogOf(const std::filesystem::path& dataFile);

/// A prepared statement, finalized with this object.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* Get() const { return stmt_; }
    /// One step: true for a row, false when done; throws on failure.
    bool Step();

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

/// One use of a statement: reset and unbound when it ends, so that no read transaction
/// outlives the call that made it.
class StatementUse {
  public:
    explicit StatementUse(Statement& s) : s_(s) {}
    ~StatementUse() {
        sqlite3_reset(s_.Get());
        sqlite3_clear_bindings(s_.Get());
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    Statement* operator->() const { return &s_; }

  private:
    Statement& s_;
};

/// The current row of a statement.
class StatementReader : public RowReader {
  public:
    explicit StatementReader(sqlite3_stmt* s) : s_(s) {}
    bool IsNull(int c) const override { return sqlite3_column_type(s_, c) == SQLITE_NULL; }
    std::int64_t Integer(int c) const override { return sqlite3_column_int64(s_, c); }
    double Real(int c) const override { return sqlite3_column_double(s_, c); }
    std::size_t TextInto(int c, char* out, std::size_t capacity) const override;
    Text GetText(int c) const override;

  private:
    sqlite3_stmt* s_;
};

/// Receives the values bound to a statement, in the order they are bound.
class BindObserver {
  public:
    virtual ~BindObserver() = default;
    virtual void Null(int column) = 0;
    virtual void Integer(int column, std::int64_t value) = 0;
    virtual void Real(int column, double value) = 0;
    virtual void Utf8(int column, std::string_view text) = 0;
};

/// Binds the columns a filler sets to the parameters of an INSERT or UPDATE (and tells an
/// observer, when given, what was bound).
class StatementWriter : public RowWriter {
  public:
    StatementWriter(sqlite3_stmt* s, const std::vector<int>& parameterOf,
                    BindObserver* observer = nullptr)
        : s_(s), parameterOf_(parameterOf), observer_(observer) {}
    void SetNull(int c) override;
    void SetInteger(int c, std::int64_t v) override;
    void SetReal(int c, double v) override;
    void SetText(int c, std::string_view text) override;

  private:
    int Parameter(int c) const {
        return c >= 0 && static_cast<std::size_t>(c) < parameterOf_.size() ? parameterOf_[c] : 0;
    }
    sqlite3_stmt* s_;
    const std::vector<int>& parameterOf_;
    BindObserver* observer_;
    std::string scratch_;
};

}  // namespace axo::storage::sqlite
