// What the PostgreSQL engine's units share: a thin wrapper of libpq (connections owned by the
// process that opened them, results, commands with text parameters), engine messages from
// server failures, the names of a table's objects on the server, and the key sort keys.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/Engine.h"

namespace axo::storage::pg {

/// A result of a command; cleared with this object.
class Result {
  public:
    Result() = default;
    explicit Result(PGresult* r) : r_(r) {}
    PGresult* Get() const { return r_.get(); }
    int Rows() const { return PQntuples(r_.get()); }
    bool IsNull(int row, int column) const { return PQgetisnull(r_.get(), row, column) != 0; }
    std::string_view Value(int row, int column) const {
        return {PQgetvalue(r_.get(), row, column),
                static_cast<std::size_t>(PQgetlength(r_.get(), row, column))};
    }
    /// The number of rows a command changed.
    long Changed() const { return std::atol(PQcmdTuples(r_.get())); }

  private:
    struct Clear {
        void operator()(PGresult* r) const { PQclear(r); }
    };
    std::unique_ptr<PGresult, Clear> r_;
};

/// Parameters of a command, all in text form (null: absent).
struct Params {
    std::vector<std::string> values;
    std::vector<bool> isNull;
    void Add(std::string value) {
        values.push_back(std::move(value));
        isNull.push_back(false);
    }
    void AddNull() {
        values.emplace_back();
        isNull.push_back(true);
    }
};

/// A connection to the server. A connection inherited by a forked child is never used nor
/// closed by it (the socket belongs to the parent's session): the child opens its own.
class Connection {
  public:
    /// Connects; throws "Cannot access directory." with the server's reason when it cannot.
    explicit Connection(const std::string& conninfo,
                        EngineError::Stage stage = EngineError::Stage::Other);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Whether this process opened the connection (not a forked child).
    bool Owned() const;
    /// Runs a command; throws the engine message of a failure.
    Result Exec(const std::string& sql, EngineError::Stage stage = EngineError::Stage::Other);
    Result Exec(const std::string& sql, const Params& params,
                EngineError::Stage stage = EngineError::Stage::Other);
    /// Runs a command; its result whatever it is (the caller reads the state).
    Result Try(const std::string& sql, const Params& params);
    /// Ends the session at once without telling the server anything more (as a killed process
    /// would): the server undoes what is open and drops the session's locks.
    void Abandon() noexcept;

  private:
    PGconn* conn_ = nullptr;
    int pid_ = 0;
};

/// Whether a result is a success.
bool Succeeded(const Result& r);
/// The SQLSTATE of a failed result.
std::string SqlState(const Result& r);
/// Throws the engine error of a failed result, worded so that the layer recognises it.
[[noreturn]] void Throw(const Result& r, const std::string& fallback,
                        EngineError::Stage stage = EngineError::Stage::Other);

/// A quoted SQL name in the engine's lower-case form (UTF-8).
std::string Name(std::string_view name);
std::string Name(const Text& name);
/// The name of the sort-key column of key column `column`.
std::string SortKeyName(std::string_view column);
/// A quoted SQL string literal.
std::string Literal(std::string_view text);

/// The server table of a data file: its directory relative to `root` (when the file lies under
/// it, otherwise the directory's own name) and its file name without ".DB", lower case, joined
/// by "/" as in the path; at most kNameLimit bytes (a longer name is cut and ends with a
/// hash of the whole).
std::string TableName(const std::filesystem::path& dataFile, const std::filesystem::path& root);
inline constexpr std::size_t kNameLimit = 50;
/// The two keys of a table's session advisory locks: the table and the slot.
std::int32_t LockKey(const std::string& table);

/// The sort key of a Windows-1250 key text: bytes that compare (as bytea) as CompareKeys
/// compares the texts. Trailing blanks are insignificant, each blank carries whether the next
/// character after its run sorts before or after a blank, and the end of the key sorts
/// between the two.
std::string KeySortKey(std::string_view cp1250);
/// The hex form of bytes, as a bytea parameter in text form.
std::string ByteaHex(std::string_view bytes);

}  // namespace axo::storage::pg
