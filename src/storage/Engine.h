// The adapter between the keyed-table layer and a storage engine: table definitions, row
// access by column position, ordered scans, key searches, writes, table locks and the engine
// messages the layer classifies. The layer never sees the engine's own API; SQLite is one
// implementation (SqliteEngine.h), a server engine can be another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "util/Text.h"

namespace axo::storage {

/// Engine message texts the layer looks for (case-insensitively) to classify a failure. An
/// engine reports the matching conditions with messages that contain them.
namespace engine_text {
inline constexpr std::string_view kTableBusy = "Table is busy.";
inline constexpr std::string_view kFileLocked = "File is locked.";
inline constexpr std::string_view kNotExact = "Not exact read/write.";
inline constexpr std::string_view kRecordNotFound = "Could not find record.";
inline constexpr std::string_view kNoMoreFiles = "No more files.";
inline constexpr std::string_view kInvalidFileName = "Invalid file name.";
inline constexpr std::string_view kCannotAccessDirectory = "Cannot access directory.";
inline constexpr std::string_view kNotIndexed = "Table is not indexed.";
inline constexpr std::string_view kCorrupt = "Corrupt";
}  // namespace engine_text

/// A failure of the engine. `what()` is the engine's message (UTF-8); the stage tells which
/// step of a table creation failed.
class EngineError : public std::runtime_error {
  public:
    enum class Stage { Other, CreateTable, CreateIndexes, CloseCreated };
    explicit EngineError(const std::string& message, Stage stage = Stage::Other)
        : std::runtime_error(message), stage_(stage) {}
    Stage GetStage() const { return stage_; }

  private:
    Stage stage_;
};

/// Column types of the engine-level layout.
enum class ColumnKind : std::uint8_t {
    RecordNumber,  ///< 32-bit integer, the primary order
    Key,           ///< key text of a fixed length, compared by the key collation
    LockFlag,      ///< boolean record-lock flag
    SmallInt,      ///< 16-bit integer: the engine refuses values outside -32768..32767
    Integer,       ///< 32-bit integer
    Float,         ///< double precision
    Boolean,
    String,  ///< text of at most `length` characters
    Memo,    ///< text of any length
};

struct ColumnDef {
    Text name;
    ColumnKind kind = ColumnKind::Integer;
    int length = 0;  ///< characters of Key and String columns
};

struct IndexDef {
    Text name;
    Text column;
    bool primary = false;
    bool unique = false;
};

/// The columns and indexes of a table, in the order the engine creates them.
struct TableDef {
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;
    /// The table holds what other users of the machine must not read (passwords): its files
    /// get no access for others, whatever the umask allows; the owner and the group keep what
    /// the umask gives them.
    bool confidential = false;
};

/// One stored row, read by column position (0 = record number). Texts are Windows-1250.
class RowReader {
  public:
    virtual ~RowReader() = default;
    virtual bool IsNull(int column) const = 0;
    virtual std::int64_t Integer(int column) const = 0;
    virtual double Real(int column) const = 0;
    /// Copies at most `capacity` characters of a text column to `out`; returns how many.
    virtual std::size_t TextInto(int column, char* out, std::size_t capacity) const = 0;
    virtual Text GetText(int column) const = 0;
};

/// The values of a row being written, by column position. Texts are Windows-1250.
class RowWriter {
  public:
    virtual ~RowWriter() = default;
    virtual void SetNull(int column) = 0;
    virtual void SetInteger(int column, std::int64_t value) = 0;
    virtual void SetReal(int column, double value) = 0;
    virtual void SetText(int column, std::string_view text) = 0;
};

using RowVisitor = std::function<void(const RowReader&)>;
using RowFiller = std::function<void(RowWriter&)>;

enum class ScanDirection { Forward, Backward };
enum class TableLock { Read, Write };
enum class LockFlagChange { Changed, Unchanged, Missing };

/// A place in an order: the key of order k (ignored for order 0) and the record number.
struct OrderPosition {
    Text key;
    std::int32_t recordNumber = 0;
};

/// An open table. Every method may throw EngineError. No method leaves a read transaction
/// open when it returns, so other processes' writers are never held up between calls.
class EngineTable {
  public:
    virtual ~EngineTable() = default;

    /// The number of columns of the stored table.
    virtual int ColumnCount() = 0;
    /// The number of records.
    virtual std::int64_t RecordCount() = 0;

    /// Visits up to `limit` rows of order `order` (0 = record numbers, k = key k, then record
    /// numbers) in `direction`, strictly after `from` in that direction, or from the start of
    /// the direction when `from` is null. Returns the number of rows visited.
    virtual int Scan(int order, ScanDirection direction, const OrderPosition* from, int limit,
                     const RowVisitor& visit) = 0;
    /// Visits up to `limit` rows of order `order` whose key is equal to `key` (exact) or
    /// greater or equal (not exact), in that order. Returns the number visited.
    virtual int Seek(int order, const Text& key, bool exact, int limit,
                     const RowVisitor& visit) = 0;
    /// Visits every row in storage order (the order the engine reads fastest), reading only the
    /// columns at the positions `columns`: the reader answers position i for column
    /// `columns[i]`. The base walks the record-number order in batches of whole rows.
    virtual void ScanColumns(const std::vector<int>& columns, const RowVisitor& visit);
    /// Visits the row of record number `n`; false when there is none.
    virtual bool FindRecord(std::int32_t n, const RowVisitor& visit) = 0;
    /// The text of column `column` of record `n` (memo columns read by name); empty when the
    /// record or the column is missing.
    virtual Text ReadText(std::int32_t n, const Text& columnName) = 0;

    /// Appends a row whose columns `fill` sets (unset columns are empty). The record number
    /// is `n`, or with n = 0 the highest record number + 1 (1 for an empty table). Returns it.
    virtual std::int32_t Insert(std::int32_t n, const RowFiller& fill) = 0;
    /// Rewrites every column of record `n` but the record number and the lock flag; false
    /// when there is no such record.
    virtual bool Update(std::int32_t n, const RowFiller& fill) = 0;
    /// Deletes record `n`; false when there is none.
    virtual bool Delete(std::int32_t n) = 0;
    /// Sets the record-lock flag of record `n` to `value` when it is not so already.
    virtual LockFlagChange SetLockFlag(std::int32_t n, bool value) = 0;

    /// Groups the following writes into one unit: none of them is durable, or visible to other
    /// connections, before CommitWrites; a failure or the end of the process undoes them all.
    virtual void BeginWrites() = 0;
    virtual void CommitWrites() = 0;
    /// Undoes the writes since BeginWrites; never fails.
    virtual void RollbackWrites() noexcept = 0;

    /// Takes a table lock in one attempt; a refusal throws a message containing "Table is
    /// busy." or "File is locked.".
    virtual void LockTable(TableLock lock) = 0;
    /// Releases a table lock taken with LockTable.
    virtual void UnlockTable(TableLock lock) = 0;
    /// Makes every write of this table durable on disk.
    virtual void Flush() = 0;
    /// Lets the table go as the end of the process would: nothing more is committed, and what
    /// the next user of the table finds is what a killed process leaves.
    virtual void Abandon() noexcept {}
};

/// Holds a table's name exclusively while its files are moved, deleted or recreated.
class TableReservation {
  public:
    virtual ~TableReservation() = default;
    /// The table's files have been deleted: what the engine keeps beside them to coordinate
    /// the openers goes too, while the reservation still keeps every other opener out.
    virtual void TableDeleted() noexcept {}
};

/// A storage engine: creates, opens and inspects table files.
class Engine {
  public:
    virtual ~Engine() = default;

    /// Creates the table file with its columns and indexes, all or nothing, with the
    /// permissions the process's umask gives a new file (less the access of others for a
    /// confidential table). Fails with the stage of the step that failed; a file that exists
    /// already is left as it is.
    virtual void Create(const std::filesystem::path& dataFile, const TableDef& def) = 0;
    /// Opens a table for shared or exclusive use. A refusal because another process holds it
    /// throws a message containing "File is locked.".
    virtual std::unique_ptr<EngineTable> Open(const std::filesystem::path& dataFile,
                                              bool exclusive) = 0;
    /// The names of the indexes stored in the table file.
    virtual std::vector<Text> IndexNames(const std::filesystem::path& dataFile) = 0;
    /// The files the engine keeps for a table besides its lock file (deleted with the table,
    /// the lock file by TableReservation::TableDeleted).
    virtual std::vector<std::filesystem::path> TableFiles(
        const std::filesystem::path& dataFile) = 0;
    /// Finishes or undoes an interrupted write of another process, so that the data file alone
    /// holds the table and may be renamed.
    virtual void Settle(const std::filesystem::path& dataFile) = 0;
    /// Holds the table's name against every other opener until the result is destroyed. A
    /// refusal throws a message containing "File is locked.".
    virtual std::unique_ptr<TableReservation> Reserve(const std::filesystem::path& dataFile) = 0;

    /// Whether the engine keeps its tables in the data files themselves (SQLite), so that the
    /// layer may move, rename and inspect them as files. The base: yes.
    virtual bool KeepsFiles() const { return true; }
    /// Whether the table of a data file exists. The base: whether the data file does.
    virtual bool Exists(const std::filesystem::path& dataFile);
    /// Deletes the table of a data file, when there is one (the caller holds its reservation).
    /// The base: deletes the files TableFiles names.
    virtual void Drop(const std::filesystem::path& dataFile);
    /// Gives the table of an engine that does not keep files (whose files the layer cannot
    /// rename) the name of another data file, with its indexes, replacing a table of that name
    /// in one step, as rename(2) does. The base: false.
    virtual bool Rename(const std::filesystem::path&, const std::filesystem::path&) {
        return false;
    }
};

/// The engine of the program: SQLite with the default settings, or the engine the
/// installation's configuration named (UseEngine).
std::shared_ptr<Engine> DefaultEngine();
/// Makes `engine` the program's engine from now on (null: SQLite again).
void UseEngine(std::shared_ptr<Engine> engine);

/// The longest full path (in bytes of its UTF-8 form) under which the program's engine can
/// open a table file.
std::size_t EnginePathLimit();

}  // namespace axo::storage
