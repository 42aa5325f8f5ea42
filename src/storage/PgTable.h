// An open table of the PostgreSQL engine: a session of its own holding the table's open mode
// and table locks as session advisory locks, scans and searches on the sort-key indexes, and
// writes committed one by one or in the transaction of BeginWrites.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/PgSupport.h"

namespace axo::storage::pg {

/// Slots of a table's advisory locks (the second key).
enum LockSlot { kOpenSlot = 0, kTableLockSlot = 1, kAppendSlot = 2 };

/// Takes a session advisory lock in one attempt; what stood in the way: 0 none, 1 another
/// session's shared lock, 2 another's exclusive lock.
int TryAdvisoryLock(Connection& c, std::int32_t table, LockSlot slot, bool exclusive);
void AdvisoryUnlock(Connection& c, std::int32_t table, LockSlot slot, bool exclusive);

class PgTable : public EngineTable {
  public:
    /// A table on its own session, whose open-mode lock is already held.
    PgTable(std::unique_ptr<Connection> connection, std::string table);
    ~PgTable() override;

    int ColumnCount() override { return static_cast<int>(columns_.size()); }
    std::int64_t RecordCount() override;
    int Scan(int order, ScanDirection direction, const OrderPosition* from, int limit,
             const RowVisitor& visit) override;
    int Seek(int order, const Text& key, bool exact, int limit, const RowVisitor& visit) override;
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
    void Abandon() noexcept override;

  private:
    struct Column {
        std::string name;  ///< quoted
        std::string type;  ///< the SQL type, for the casts of parameters
        bool boolean = false;
        bool key = false;  ///< has a sort-key column
    };
    class Writer;

    void LoadColumns();
    int Visit(const Result& r, const RowVisitor& visit);
    std::string OrderColumn(int order) const;
    std::string OrderBy(int order, bool forward) const;
    void AddKey(Params& p, int order, const Text& key) const;
    void Durable(bool waitForDisk);
    /// What a write outside this object's table locks starts with: it waits (up to the lock
    /// time-out) while another user holds the table write lock, and keeps the lock from being
    /// taken until it is committed.
    std::string Gate() const;
    /// Runs a write; with `appending`, a record number another writer took meanwhile makes it
    /// run again.
    Result Write(const std::string& sql, const Params& p, bool appending);
    std::string Cast(std::size_t parameter, const std::string& column) const;

    std::unique_ptr<Connection> c_;
    std::string table_;  ///< quoted
    std::int32_t lockKey_ = 0;
    std::vector<Column> columns_;
    std::string select_;  ///< SELECT <columns> FROM <table>
    int lockColumn_ = -1;
    bool held_[2] = {false, false};
    bool inWrites_ = false;
};

}  // namespace axo::storage::pg
