// An open table of the SQLite engine.
#include "storage/SqliteTable.h"

#include <chrono>
#include <cstdlib>
#include <limits>
#include <thread>

#include "storage/SqliteText.h"

namespace axo::storage::sqlite {

namespace {

enum StatementId {
    kCountStatement = 1,
    kFindStatement,
    kInsertStatement,
    kUpdateStatement,
    kDeleteStatement,
    kLockFlagStatement,
    kSeekStatements = 100,
    kScanStatements = 200,
};

const std::string kTable = kSqliteTableName;

[[noreturn]] void ThrowBusy() {
    throw EngineError(std::string(engine_text::kTableBusy) +
                      " (another user holds the table lock)");
}

}  // namespace

/// Writes outside a table lock of this object wait until no other process holds the table
/// write lock, and keep it from being taken while they run. A write log left by a process that
/// died is written again first.
class SqliteTable::WriterGate {
  public:
    WriterGate(SqliteTable& t, bool wait) : t_(t) {
        if (!t_.lock_ || t_.held_[kRead] || t_.held_[kWrite])
            return;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(t_.options_.writerWaitMs);
        auto take = [&](LockFile::Mode mode) {
            while (t_.lock_->TryLock(LockFile::kTableLockSlot, mode) != LockFile::Conflict::None) {
                if (!wait || std::chrono::steady_clock::now() >= deadline)
                    ThrowBusy();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        };
        take(LockFile::Mode::Shared);
        taken_ = true;
        if (t_.log_.Exists()) {
            take(LockFile::Mode::Exclusive);
            t_.ReplayWriteLog();
            take(LockFile::Mode::Shared);
        }
    }
    ~WriterGate() {
        if (taken_)
            t_.lock_->Unlock(LockFile::kTableLockSlot);
    }
    WriterGate(const WriterGate&) = delete;
    WriterGate& operator=(const WriterGate&) = delete;

  private:
    SqliteTable& t_;
    bool taken_ = false;
};

/// One write: through the writer gate outside a table lock; under this object's write lock
/// into the open group, and into the write log once it has succeeded.
class SqliteTable::WriteScope {
  public:
    WriteScope(SqliteTable& t, LoggedWrite::Op op, bool waitForGate)
        : t_(t), gate_(t, waitForGate) {
        if (!t_.Grouping())
            return;
        if (!t_.groupOpen_)
            t_.OpenGroup();
        t_.entry_.Start(op);
    }
    /// Where the bound values go to be logged.
    BindObserver* Observer() const { return t_.Grouping() ? &t_.entry_ : nullptr; }
    /// The write of record `n` has succeeded.
    void Done(std::int64_t n) {
        if (!t_.Grouping())
            return;
        if (!t_.groupLogged_) {
            LogEntryBuilder group;
            group.Start(LoggedWrite::Op::Group);
            t_.log_.Append(group.Finish(t_.groupNumber_));
            t_.groupLogged_ = true;
        }
        t_.log_.Append(t_.entry_.Finish(n));
        if (++t_.groupWrites_ >= kGroupedWrites ||
            std::chrono::steady_clock::now() - t_.groupStart_ >=
                std::chrono::milliseconds(kGroupedMilliseconds))
            t_.CommitGroup();
    }

  private:
    SqliteTable& t_;
    WriterGate gate_;
};

SqliteTable::SqliteTable(Db db, const std::filesystem::path& dataFile,
                         std::unique_ptr<LockFile> lock, const SqliteOptions& options)
    : db_(std::move(db)),
      lock_(std::move(lock)),
      options_(options),
      log_(WriteLogOf(dataFile), dataFile) {
    LoadColumns();
}

SqliteTable::~SqliteTable() {
    statements_.clear();
    if (abandoned_)
        return;  // closing the connection undoes an open group; its log stays for the next user
    try {
        CommitGroup();
    } catch (...) {
        // The group's writes stay in the write log, from which the next user writes them.
    }
    RollbackWrites();
}

std::int64_t SqliteTable::RecordCount() {
    Statement& s = Prepared(kCountStatement, [] { return "SELECT count(*) FROM " + kTable; });
    StatementUse use(s);
    return use->Step() ? sqlite3_column_int64(s.Get(), 0) : 0;
}

int SqliteTable::Scan(int order, ScanDirection direction, const OrderPosition* from, int limit,
                      const RowVisitor& visit) {
    const bool forward = direction == ScanDirection::Forward;
    const int id = kScanStatements + order * 4 + (forward ? 0 : 2) + (from ? 1 : 0);
    Statement& s = Prepared(id, [&] { return ScanSql(order, forward, from != nullptr); });
    StatementUse use(s);
    if (from) {
        BindKey(s.Get(), 1, order, from->key);
        sqlite3_bind_int64(s.Get(), 2, from->recordNumber);
    }
    sqlite3_bind_int(s.Get(), 3, limit);
    return Visit(s, visit);
}

int SqliteTable::Seek(int order, const Text& key, bool exact, int limit, const RowVisitor& visit) {
    const int id = kSeekStatements + order * 2 + (exact ? 1 : 0);
    Statement& s = Prepared(id, [&] {
        return "SELECT * FROM " + kTable + " WHERE " + OrderColumn(order) +
               (exact ? " = ?1" : " >= ?1") + " ORDER BY " + OrderBy(order, true) + " LIMIT ?3";
    });
    StatementUse use(s);
    BindKey(s.Get(), 1, order, key);
    sqlite3_bind_int(s.Get(), 3, limit);
    return Visit(s, visit);
}

void SqliteTable::ScanColumns(const std::vector<int>& columns, const RowVisitor& visit) {
    // The record number is the rowid: its order is the order of the table's pages, read
    // without an index. Batches of short reads, so that no read holds up other processes'
    // writers for long; the record number of the last row follows the selected columns.
    constexpr int kBatch = 4096;
    std::string sql = "SELECT ";
    for (const int c : columns) {
        if (c < 0 || static_cast<std::size_t>(c) >= columns_.size())
            throw EngineError(std::string(engine_text::kCorrupt) + " table file. (no column " +
                              std::to_string(c) + ")");
        sql += Column(static_cast<std::size_t>(c)) + ", ";
    }
    sql += Column(0) + " FROM " + kTable + " WHERE " + Column(0) + " > ?1 ORDER BY " + Column(0) +
           " LIMIT " + std::to_string(kBatch);
    Statement s(db_.get(), sql);
    const int last = static_cast<int>(columns.size());
    std::int64_t after = std::numeric_limits<std::int64_t>::min();
    for (;;) {
        StatementUse use(s);
        sqlite3_bind_int64(s.Get(), 1, after);
        int count = 0;
        StatementReader reader(s.Get());
        while (s.Step()) {
            after = sqlite3_column_int64(s.Get(), last);
            visit(reader);
            ++count;
        }
        if (count < kBatch)
            return;
    }
}

bool SqliteTable::FindRecord(std::int32_t n, const RowVisitor& visit) {
    Statement& s = Prepared(kFindStatement,
                            [] { return "SELECT * FROM " + kTable + " WHERE W_INDEX_PR = ?1"; });
    StatementUse use(s);
    sqlite3_bind_int64(s.Get(), 1, n);
    return Visit(s, visit) > 0;
}

Text SqliteTable::ReadText(std::int32_t n, const Text& columnName) {
    sqlite3_stmt* raw = nullptr;
    const std::string sql =
        "SELECT " + Quote(columnName) + " FROM " + kTable + " WHERE W_INDEX_PR = ?1";
    if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return {};  // no such column
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> s(raw, &sqlite3_finalize);
    sqlite3_bind_int64(raw, 1, n);
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_ROW)
        return StatementReader(raw).GetText(0);
    if (rc != SQLITE_DONE)
        Throw(sqlite3_extended_errcode(db_.get()), db_.get());
    return {};
}

std::int32_t SqliteTable::Insert(std::int32_t n, const RowFiller& fill) {
    Statement& s = Prepared(kInsertStatement, [&] { return InsertSql(); });
    WriteScope scope(*this, LoggedWrite::Op::Insert, true);
    std::int32_t assigned = n;
    {
        StatementUse use(s);
        if (n > 0)
            sqlite3_bind_int64(s.Get(), 1, n);
        StatementWriter writer(s.Get(), insertParameters_, scope.Observer());
        fill(writer);
        if (lockColumn_ >= 0)
            sqlite3_bind_int(s.Get(), insertParameters_[lockColumn_], 0);
        use->Step();
        if (n <= 0)
            assigned = static_cast<std::int32_t>(sqlite3_last_insert_rowid(db_.get()));
    }
    scope.Done(assigned);
    return assigned;
}

bool SqliteTable::Update(std::int32_t n, const RowFiller& fill) {
    Statement& s = Prepared(kUpdateStatement, [&] { return UpdateSql(); });
    WriteScope scope(*this, LoggedWrite::Op::Update, true);
    {
        StatementUse use(s);
        sqlite3_bind_int64(s.Get(), 1, n);
        StatementWriter writer(s.Get(), updateParameters_, scope.Observer());
        fill(writer);
        use->Step();
    }
    if (sqlite3_changes(db_.get()) == 0)
        return false;
    scope.Done(n);
    return true;
}

bool SqliteTable::Delete(std::int32_t n) {
    Statement& s = Prepared(kDeleteStatement,
                            [] { return "DELETE FROM " + kTable + " WHERE W_INDEX_PR = ?1"; });
    WriteScope scope(*this, LoggedWrite::Op::Delete, true);
    {
        StatementUse use(s);
        sqlite3_bind_int64(s.Get(), 1, n);
        use->Step();
    }
    if (sqlite3_changes(db_.get()) == 0)
        return false;
    scope.Done(n);
    return true;
}

LockFlagChange SqliteTable::SetLockFlag(std::int32_t n, bool value) {
    Statement& s = Prepared(kLockFlagStatement, [] {
        return "UPDATE " + kTable +
               " SET W_LOCKREC = ?2 WHERE W_INDEX_PR = ?1 AND W_LOCKREC IS NOT ?2";
    });
    {
        // A record lock is one attempt: the layer's own waiting decides how long to try.
        WriteScope scope(*this, LoggedWrite::Op::LockFlag, false);
        StatementUse use(s);
        sqlite3_bind_int64(s.Get(), 1, n);
        sqlite3_bind_int(s.Get(), 2, value ? 1 : 0);
        use->Step();
        if (sqlite3_changes(db_.get()) > 0) {
            if (BindObserver* observer = scope.Observer())
                observer->Integer(lockColumn_, value ? 1 : 0);
            scope.Done(n);
            return LockFlagChange::Changed;
        }
    }
    return FindRecord(n, [](const RowReader&) {}) ? LockFlagChange::Unchanged
                                                  : LockFlagChange::Missing;
}

void SqliteTable::BeginWrites() {
    Exec(db_.get(), "BEGIN IMMEDIATE");
    inWrites_ = true;
}

void SqliteTable::CommitWrites() {
    Exec(db_.get(), "COMMIT");
    inWrites_ = false;
}

void SqliteTable::RollbackWrites() noexcept {
    if (inWrites_)
        sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    inWrites_ = false;
}

void SqliteTable::LockTable(TableLock lock) {
    const bool write = lock == TableLock::Write;
    if (!lock_) {
        held_[write ? kWrite : kRead] = true;
        return;
    }
    if (!write && held_[kWrite])
        return;  // the write lock keeps others out already; converting would weaken it
    switch (lock_->TryLock(LockFile::kTableLockSlot,
                           write ? LockFile::Mode::Exclusive : LockFile::Mode::Shared)) {
        case LockFile::Conflict::None:
            break;
        case LockFile::Conflict::Exclusive:
            ThrowBusy();
        case LockFile::Conflict::Shared:
            throw EngineError(std::string(engine_text::kFileLocked) +
                              " (another user holds a read lock on the table)");
    }
    if (write && log_.Exists())
        ReplayWriteLog();  // left by a holder that died: its writes come before ours
    held_[write ? kWrite : kRead] = true;
}

void SqliteTable::UnlockTable(TableLock lock) {
    if (lock == TableLock::Write)
        CommitGroup();
    held_[lock == TableLock::Write ? kWrite : kRead] = false;
    if (!lock_)
        return;
    if (held_[kRead])
        lock_->TryLock(LockFile::kTableLockSlot, LockFile::Mode::Shared);
    else if (!held_[kWrite])
        lock_->Unlock(LockFile::kTableLockSlot);
}

void SqliteTable::Flush() {
    // Single writes are committed with a full synchronous commit before they return; groups
    // and units of writes still open are committed here.
    CommitGroup();
    if (inWrites_) {
        CommitWrites();
        BeginWrites();
    }
}

void SqliteTable::RecoverWriteLog() {
    if (!log_.Exists())
        return;
    if (!lock_) {
        ReplayWriteLog();
        return;
    }
    // A log whose writer still holds the table write lock is that writer's open group.
    if (lock_->TryLock(LockFile::kTableLockSlot, LockFile::Mode::Exclusive) !=
        LockFile::Conflict::None)
        return;
    try {
        ReplayWriteLog();
    } catch (...) {
        lock_->Unlock(LockFile::kTableLockSlot);
        throw;
    }
    lock_->Unlock(LockFile::kTableLockSlot);
}

void SqliteTable::OpenGroup() {
    Exec(db_.get(), "BEGIN IMMEDIATE");
    groupOpen_ = true;
    groupLogged_ = false;
    groupStart_ = std::chrono::steady_clock::now();
    try {
        groupNumber_ = CommittedGroup() + 1;
    } catch (...) {
        CommitGroup();
        throw;
    }
}

std::int64_t SqliteTable::CommittedGroup() {
    Statement s(db_.get(), "PRAGMA user_version");
    return s.Step() ? sqlite3_column_int64(s.Get(), 0) : 0;
}

void SqliteTable::CommitGroup() {
    if (!groupOpen_)
        return;
    try {
        Exec(db_.get(), "PRAGMA user_version = " + std::to_string(groupNumber_ & 0x7FFFFFFF));
        Exec(db_.get(), "COMMIT");
    } catch (...) {
        groupOpen_ = sqlite3_get_autocommit(db_.get()) == 0;
        throw;
    }
    groupOpen_ = false;
    groupWrites_ = 0;
    log_.Remove();
}

void SqliteTable::ReplayWriteLog() {
    const std::vector<LoggedWrite> writes = log_.Read();
    const bool numbered = !writes.empty() && writes.front().op == LoggedWrite::Op::Group;
    if (numbered && writes.front().recordNumber > CommittedGroup()) {
        Exec(db_.get(), "BEGIN IMMEDIATE");
        try {
            for (const LoggedWrite& w : writes)
                Replay(w);
            Exec(db_.get(), "PRAGMA user_version = " +
                                std::to_string(writes.front().recordNumber & 0x7FFFFFFF));
            Exec(db_.get(), "COMMIT");
        } catch (...) {
            sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }
    log_.Remove();
}

void SqliteTable::Replay(const LoggedWrite& w) {
    std::vector<const LoggedWrite::Value*> values;
    for (const LoggedWrite::Value& v : w.values)
        if (v.column > 0 && static_cast<std::size_t>(v.column) < columns_.size())
            values.push_back(&v);
    std::string sql;
    switch (w.op) {
        case LoggedWrite::Op::Insert:
            sql = "INSERT OR REPLACE INTO " + kTable + " (W_INDEX_PR";
            for (const auto* v : values)
                sql += ", " + Column(static_cast<std::size_t>(v->column));
            sql += ") VALUES (?1";
            for (std::size_t i = 0; i < values.size(); ++i)
                sql += ", ?" + std::to_string(i + 2);
            sql += ")";
            break;
        case LoggedWrite::Op::Update:
        case LoggedWrite::Op::LockFlag:
            if (values.empty())
                return;
            sql = "UPDATE " + kTable + " SET ";
            for (std::size_t i = 0; i < values.size(); ++i)
                sql += (i ? ", " : "") + Column(static_cast<std::size_t>(values[i]->column)) +
                       " = ?" + std::to_string(i + 2);
            sql += " WHERE W_INDEX_PR = ?1";
            break;
        case LoggedWrite::Op::Delete:
            sql = "DELETE FROM " + kTable + " WHERE W_INDEX_PR = ?1";
            break;
        case LoggedWrite::Op::Group:
            return;
    }
    Statement s(db_.get(), sql);
    sqlite3_bind_int64(s.Get(), 1, w.recordNumber);
    for (std::size_t i = 0; i < values.size() && w.op != LoggedWrite::Op::Delete; ++i) {
        const int p = static_cast<int>(i) + 2;
        const LoggedWrite::Value& v = *values[i];
        if (v.type == 1)
            sqlite3_bind_int64(s.Get(), p, v.integer);
        else if (v.type == 2)
            sqlite3_bind_double(s.Get(), p, v.real);
        else if (v.type == 3)
            sqlite3_bind_text(s.Get(), p, v.text.data(), static_cast<int>(v.text.size()),
                              SQLITE_TRANSIENT);
    }
    s.Step();
}

template <class MakeSql>
Statement& SqliteTable::Prepared(int id, MakeSql makeSql) {
    auto& slot = statements_[id];
    if (!slot)
        slot = std::make_unique<Statement>(db_.get(), makeSql());
    return *slot;
}

int SqliteTable::Visit(Statement& s, const RowVisitor& visit) {
    StatementReader reader(s.Get());
    int count = 0;
    while (s.Step()) {
        visit(reader);
        ++count;
    }
    return count;
}

void SqliteTable::LoadColumns() {
    Statement s(db_.get(), "PRAGMA table_info(" + kTable + ")");
    while (s.Step()) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(s.Get(), 1));
        columns_.push_back(name ? name : "");
        if (columns_.back() == "W_LOCKREC")
            lockColumn_ = static_cast<int>(columns_.size()) - 1;
    }
    if (columns_.empty())
        throw EngineError(std::string(engine_text::kCorrupt) +
                          " table file. (the file holds no table " + kTable + ")");
}

std::string SqliteTable::Column(std::size_t i) const {
    return Quote(FromUtf8(columns_[i]));
}

std::string SqliteTable::OrderColumn(int order) const {
    if (order <= 0 || static_cast<std::size_t>(order) >= columns_.size())
        return "W_INDEX_PR";
    return Column(static_cast<std::size_t>(order));
}

std::string SqliteTable::OrderBy(int order, bool forward) const {
    const std::string dir = forward ? "" : " DESC";
    if (order <= 0)
        return "W_INDEX_PR" + dir;
    return OrderColumn(order) + dir + ", W_INDEX_PR" + dir;
}

std::string SqliteTable::ScanSql(int order, bool forward, bool from) const {
    std::string sql = "SELECT * FROM " + kTable;
    if (from) {
        const char* beyond = forward ? " > " : " < ";
        const char* reach = forward ? " >= " : " <= ";
        if (order <= 0) {
            sql += std::string(" WHERE W_INDEX_PR") + beyond + "?2";
        } else {
            // The range on the key lets the index seek; the rest skips the rows of an equal key
            // up to the record number already read.
            const std::string c = OrderColumn(order);
            sql += " WHERE " + c + reach + "?1 AND (" + c + beyond + "?1 OR W_INDEX_PR" + beyond +
                   "?2)";
        }
    }
    return sql + " ORDER BY " + OrderBy(order, forward) + " LIMIT ?3";
}

void SqliteTable::BindKey(sqlite3_stmt* s, int p, int order, const Text& key) {
    if (order <= 0) {
        sqlite3_bind_int64(s, p, std::atoll(key.Bytes().c_str()));
        return;
    }
    std::string utf8;
    AppendCp1250AsUtf8(utf8, key.View());
    sqlite3_bind_text(s, p, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

std::string SqliteTable::InsertSql() {
    insertParameters_.assign(columns_.size(), 0);
    std::string sql = "INSERT INTO " + kTable + " VALUES (";
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        insertParameters_[i] = static_cast<int>(i) + 1;
        sql += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    return sql + ")";
}

std::string SqliteTable::UpdateSql() {
    updateParameters_.assign(columns_.size(), 0);
    std::string sql = "UPDATE " + kTable + " SET ";
    int parameter = 1;
    for (std::size_t i = 1; i < columns_.size(); ++i) {
        if (static_cast<int>(i) == lockColumn_)
            continue;
        updateParameters_[i] = ++parameter;
        sql += (parameter > 2 ? ", " : "") + Column(i) + " = ?" + std::to_string(parameter);
    }
    return sql + " WHERE W_INDEX_PR = ?1";
}

}  // namespace axo::storage::sqlite
