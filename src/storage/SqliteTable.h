// An open table file of the SQLite engine: scans and searches in short statements, writes
// committed one by one (or grouped under this object's table write lock, with the write log),
// and the table's byte locks.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/FileLocks.h"
#include "storage/SqliteEngine.h"
#include "storage/SqliteSupport.h"
#include "storage/SqliteWriteLog.h"

namespace axo::storage::sqlite {

/// Writes grouped under a table write lock are committed at the latest after this many, or
/// when the group is this old: a long group would keep other stations waiting for its rows,
/// and once SQLite's cache overflows, from reading the table at all.
inline constexpr int kGroupedWrites = 20000;
inline constexpr int kGroupedMilliseconds = 1000;

class SqliteTable : public EngineTable {
  public:
    /// A table on a connection. Without a lock file the caller holds the table by other means
    /// (the rebuild's reservation) and no byte locks are taken.
    SqliteTable(Db db, const std::filesystem::path& dataFile, std::unique_ptr<LockFile> lock,
                const SqliteOptions& options);
    /// Commits a group of writes still open (unless abandoned).
    ~SqliteTable() override;

    int ColumnCount() override { return static_cast<int>(columns_.size()); }
    std::int64_t RecordCount() override;
    int Scan(int order, ScanDirection direction, const OrderPosition* from, int limit,
             const RowVisitor& visit) override;
    int Seek(int order, const Text& key, bool exact, int limit, const RowVisitor& visit) override;
    void ScanColumns(const std::vector<int>& columns, const RowVisitor& visit) override;
    bool FindRecord(std::int32_t n, const RowVisitor& visit) override;
    Text ReadText(std::int32_t n, const Text& columnName) override;

    std::int32_t Insert(std::int32_t n, const RowFiller& fill) override;
    bool Update(std::int32_t n, const RowFiller& fill) override;
    bool Delete(std::int32_t n) override;
    LockFlagChange SetLockFlag(std::int32_t n, bool value) override;

    void BeginWrites() override;
    void CommitWrites() override;
    void RollbackWrites() noexcept override;

    void LockTable(TableLock lock) override;
    void UnlockTable(TableLock lock) override;
    void Flush() override;
    void Abandon() noexcept override { abandoned_ = true; }

    /// Writes again what the write log of a process that died holds, when nobody else holds
    /// the table write lock.
    void RecoverWriteLog();

  private:
    enum { kRead = 0, kWrite = 1 };
    class WriterGate;
    class WriteScope;

    template <class MakeSql>
    Statement& Prepared(int id, MakeSql makeSql);
    int Visit(Statement& s, const RowVisitor& visit);
    void LoadColumns();
    std::string Column(std::size_t i) const;
    std::string OrderColumn(int order) const;
    std::string OrderBy(int order, bool forward) const;
    std::string ScanSql(int order, bool forward, bool from) const;
    void BindKey(sqlite3_stmt* s, int p, int order, const Text& key);
    std::string InsertSql();
    std::string UpdateSql();

    bool Grouping() const { return held_[kWrite]; }
    void OpenGroup();
    void CommitGroup();
    std::int64_t CommittedGroup();
    void ReplayWriteLog();
    void Replay(const LoggedWrite& write);

    Db db_;
    std::unique_ptr<LockFile> lock_;
    SqliteOptions options_;
    WriteLog log_;
    LogEntryBuilder entry_;
    std::vector<std::string> columns_;
    int lockColumn_ = -1;
    std::vector<int> insertParameters_;
    std::vector<int> updateParameters_;
    std::map<int, std::unique_ptr<Statement>> statements_;
    bool held_[2] = {false, false};
    bool inWrites_ = false;
    bool groupOpen_ = false;
    int groupWrites_ = 0;
    std::chrono::steady_clock::time_point groupStart_;
    std::int64_t groupNumber_ = 0;
    bool groupLogged_ = false;
    bool abandoned_ = false;
};

}  // namespace axo::storage::sqlite
