// An open table of the PostgreSQL engine.
#include "storage/PgTable.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "storage/SqliteText.h"

namespace axo::storage::pg {

namespace {

const std::string kNumber = "\"w_index_pr\"";

std::string LockArgs(std::int32_t table, LockSlot slot) {
    return "(" + std::to_string(table) + ", " + std::to_string(static_cast<int>(slot)) + ")";
}

[[noreturn]] void ThrowBusy() {
    throw EngineError(std::string(engine_text::kTableBusy) +
                      " (another user holds the table lock)");
}

/// The current row of a result.
class ResultRow : public RowReader {
  public:
    explicit ResultRow(const Result& r) : r_(r) {}
    void At(int row) { row_ = row; }
    bool IsNull(int c) const override { return r_.IsNull(row_, c); }
    std::int64_t Integer(int c) const override {
        return std::strtoll(PQgetvalue(r_.Get(), row_, c), nullptr, 10);
    }
    double Real(int c) const override {
        return std::strtod(PQgetvalue(r_.Get(), row_, c), nullptr);
    }
    std::size_t TextInto(int c, char* out, std::size_t capacity) const override {
        return Utf8ToCp1250(r_.Value(row_, c), out, capacity);
    }
    Text GetText(int c) const override { return FromUtf8(r_.Value(row_, c)); }

  private:
    const Result& r_;
    int row_ = 0;
};

}  // namespace

int TryAdvisoryLock(Connection& c, std::int32_t table, LockSlot slot, bool exclusive) {
    const Result r = c.Exec(std::string("SELECT pg_try_advisory_lock") +
                            (exclusive ? "" : "_shared") + LockArgs(table, slot));
    if (r.Value(0, 0) == "t")
        return 0;
    const Result holders = c.Exec(
        "SELECT coalesce(bool_or(mode = 'ExclusiveLock'), false) FROM pg_locks WHERE locktype = "
        "'advisory' AND granted AND pid <> pg_backend_pid() AND classid = " +
        std::to_string(static_cast<std::uint32_t>(table)) +
        "::oid AND objid = " + std::to_string(static_cast<int>(slot)) + "::oid AND objsubid = 2");
    return holders.Value(0, 0) == "t" ? 2 : 1;
}

void AdvisoryUnlock(Connection& c, std::int32_t table, LockSlot slot, bool exclusive) {
    c.Exec(std::string("SELECT pg_advisory_unlock") + (exclusive ? "" : "_shared") +
           LockArgs(table, slot));
}

/// The values a filler sets, by column, in the text form of their parameters.
class PgTable::Writer : public RowWriter {
  public:
    explicit Writer(const std::vector<Column>& columns)
        : columns_(columns), values_(columns.size()), set_(columns.size(), false) {}
    void SetNull(int c) override { Set(c, std::nullopt); }
    void SetInteger(int c, std::int64_t v) override {
        if (Valid(c) && columns_[c].boolean)
            Set(c, v != 0 ? "t" : "f");
        else
            Set(c, std::to_string(v));
    }
    void SetReal(int c, double v) override {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", v);
        Set(c, text);
    }
    void SetText(int c, std::string_view text) override {
        if (!Valid(c))
            return;
        std::string utf8;
        AppendCp1250AsUtf8(utf8, text);
        Set(c, std::move(utf8));
        if (columns_[c].key)
            sortKeys_[c] = ByteaHex(KeySortKey(text));
    }
    /// Adds the parameters of columns from `first` on (but `skip`), each followed by its sort
    /// key for a key column; the SQL names of those columns go to `names`.
    void AddTo(Params& p, std::vector<std::string>& names, std::size_t first, int skip) const {
        for (std::size_t c = first; c < columns_.size(); ++c) {
            if (static_cast<int>(c) == skip)
                continue;
            names.push_back(columns_[c].name);
            if (values_[c])
                p.Add(*values_[c]);
            else
                p.AddNull();
            if (!columns_[c].key)
                continue;
            names.push_back(SortKeyName(columns_[c].name.substr(1, columns_[c].name.size() - 2)));
            const auto key = sortKeys_.find(static_cast<int>(c));
            if (values_[c] && key != sortKeys_.end())
                p.Add(key->second);
            else
                p.AddNull();
        }
    }

  private:
    bool Valid(int c) const { return c >= 0 && static_cast<std::size_t>(c) < columns_.size(); }
    void Set(int c, std::optional<std::string> v) {
        if (!Valid(c))
            return;
        values_[c] = std::move(v);
        set_[c] = true;
        sortKeys_.erase(c);
    }
    const std::vector<Column>& columns_;
    std::vector<std::optional<std::string>> values_;
    std::vector<bool> set_;
    std::map<int, std::string> sortKeys_;
};

PgTable::PgTable(std::unique_ptr<Connection> connection, std::string table)
    : c_(std::move(connection)), table_(Name(table)), lockKey_(LockKey(table)) {
    LoadColumns();
}

PgTable::~PgTable() {
    if (!c_)
        return;
    try {
        if (inWrites_)
            c_->Exec("ROLLBACK");
        if (held_[1])
            Durable(true);
    } catch (...) {
    }
}

void PgTable::LoadColumns() {
    Params p;
    p.Add(table_);
    const Result r = c_->Exec(
        "SELECT attname, atttypid = 'bool'::regtype, format_type(atttypid, atttypmod) FROM "
        "pg_attribute WHERE attrelid = "
        "to_regclass($1) AND attnum > 0 AND NOT attisdropped ORDER BY attnum",
        p);
    std::string list;
    for (int i = 0; i < r.Rows(); ++i) {
        const std::string name(r.Value(i, 0));
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "#sk") == 0) {
            if (!columns_.empty())
                columns_.back().key = true;
            continue;
        }
        Column column{Name(name), std::string(r.Value(i, 2)), r.Value(i, 1) == "t", false};
        if (name == "w_lockrec")
            lockColumn_ = static_cast<int>(columns_.size());
        list += (list.empty() ? "" : ", ") + column.name + (column.boolean ? "::int" : "");
        columns_.push_back(std::move(column));
    }
    if (columns_.empty())
        throw EngineError(std::string(engine_text::kCorrupt) + " table. (the server has no table " +
                          table_ + ")");
    select_ = "SELECT " + list + " FROM " + table_;
}

int PgTable::Visit(const Result& r, const RowVisitor& visit) {
    ResultRow row(r);
    for (int i = 0; i < r.Rows(); ++i) {
        row.At(i);
        visit(row);
    }
    return r.Rows();
}

std::int64_t PgTable::RecordCount() {
    return std::atoll(PQgetvalue(c_->Exec("SELECT count(*) FROM " + table_).Get(), 0, 0));
}

std::string PgTable::OrderColumn(int order) const {
    if (order <= 0 || static_cast<std::size_t>(order) >= columns_.size() || !columns_[order].key)
        return kNumber;
    const std::string& quoted = columns_[order].name;
    return SortKeyName(quoted.substr(1, quoted.size() - 2));
}

std::string PgTable::OrderBy(int order, bool forward) const {
    const std::string dir = forward ? "" : " DESC";
    const std::string column = OrderColumn(order);
    if (column == kNumber)
        return kNumber + dir;
    return column + dir + ", " + kNumber + dir;
}

void PgTable::AddKey(Params& p, int order, const Text& key) const {
    if (OrderColumn(order) == kNumber)
        p.Add(std::to_string(std::atoll(key.Bytes().c_str())));
    else
        p.Add(ByteaHex(KeySortKey(key.View())));
}

int PgTable::Scan(int order, ScanDirection direction, const OrderPosition* from, int limit,
                  const RowVisitor& visit) {
    const bool forward = direction == ScanDirection::Forward;
    const std::string column = OrderColumn(order);
    const char* beyond = forward ? " > " : " < ";
    std::string sql = select_;
    Params p;
    if (from) {
        if (column == kNumber) {
            sql += " WHERE " + kNumber + beyond + "$1::int8";
        } else {
            sql += " WHERE (" + column + ", " + kNumber + ")" + beyond + "($1::bytea, $2::int8)";
            AddKey(p, order, from->key);
        }
        p.Add(std::to_string(from->recordNumber));
    }
    p.Add(std::to_string(limit));
    sql += " ORDER BY " + OrderBy(order, forward) + " LIMIT $" + std::to_string(p.values.size());
    return Visit(c_->Exec(sql, p), visit);
}

int PgTable::Seek(int order, const Text& key, bool exact, int limit, const RowVisitor& visit) {
    const std::string column = OrderColumn(order);
    Params p;
    AddKey(p, order, key);
    p.Add(std::to_string(limit));
    const std::string cast = column == kNumber ? "::int8" : "::bytea";
    return Visit(c_->Exec(select_ + " WHERE " + column + (exact ? " = $1" : " >= $1") + cast +
                              " ORDER BY " + OrderBy(order, true) + " LIMIT $2",
                          p),
                 visit);
}

bool PgTable::FindRecord(std::int32_t n, const RowVisitor& visit) {
    Params p;
    p.Add(std::to_string(n));
    return Visit(c_->Exec(select_ + " WHERE " + kNumber + " = $1::int4", p), visit) > 0;
}

Text PgTable::ReadText(std::int32_t n, const Text& columnName) {
    const std::string name = Name(columnName);
    bool known = false;
    for (const Column& c : columns_)
        known = known || c.name == name;
    if (!known)
        return {};
    Params p;
    p.Add(std::to_string(n));
    const Result r =
        c_->Exec("SELECT " + name + " FROM " + table_ + " WHERE " + kNumber + " = $1", p);
    return r.Rows() > 0 && !r.IsNull(0, 0) ? FromUtf8(r.Value(0, 0)) : Text();
}

std::string PgTable::Gate() const {
    if (held_[0] || held_[1])
        return "(SELECT 1)";
    return "(SELECT pg_advisory_xact_lock_shared" + LockArgs(lockKey_, kTableLockSlot) + ")";
}

std::string PgTable::Cast(std::size_t parameter, const std::string& column) const {
    std::string type = "text";
    for (const Column& c : columns_)
        if (c.name == column)
            type = c.type;
    if (column.size() > 4 && column.compare(column.size() - 4, 4, "#sk\"") == 0)
        type = "bytea";
    return "$" + std::to_string(parameter) + "::" + type;
}

Result PgTable::Write(const std::string& sql, const Params& p, bool appending) {
    if (appending && inWrites_) {
        // Within a transaction the numbers are taken one appender after another.
        c_->Exec("SELECT pg_advisory_xact_lock" + LockArgs(lockKey_, kAppendSlot));
        return c_->Exec(sql, p);
    }
    for (int attempt = 0;; ++attempt) {
        Result r = c_->Try(sql, p);
        if (Succeeded(r))
            return r;
        const char* constraint = PQresultErrorField(r.Get(), PG_DIAG_CONSTRAINT_NAME);
        const std::string name = constraint ? constraint : "";
        const bool numberTaken = SqlState(r) == "23505" && name.size() > 2 &&
                                 name.compare(name.size() - 2, 2, "#p") == 0;
        if (!appending || !numberTaken || attempt >= 100)
            Throw(r, "the write failed");
    }
}

std::int32_t PgTable::Insert(std::int32_t n, const RowFiller& fill) {
    Writer writer(columns_);
    fill(writer);
    if (lockColumn_ >= 0)
        writer.SetInteger(lockColumn_, 0);
    Params p;
    p.Add(std::to_string(n));
    std::vector<std::string> names;
    writer.AddTo(p, names, 1, -1);
    std::string sql = "INSERT INTO " + table_ + " (" + kNumber;
    std::string values;
    for (std::size_t i = 0; i < names.size(); ++i) {
        sql += ", " + names[i];
        values += ", " + Cast(i + 2, names[i]);
    }
    const std::string number =
        n > 0 ? std::string("$1::int4")
              : "(SELECT coalesce(max(" + kNumber + "), 0) + 1 FROM " + table_ + ") + 0 * $1::int4";
    sql += ") SELECT " + number + values + " FROM " + Gate() + " gate RETURNING " + kNumber;
    const Result r = Write(sql, p, n <= 0);
    return static_cast<std::int32_t>(std::atol(PQgetvalue(r.Get(), 0, 0)));
}

bool PgTable::Update(std::int32_t n, const RowFiller& fill) {
    Writer writer(columns_);
    fill(writer);
    Params p;
    p.Add(std::to_string(n));
    std::vector<std::string> names;
    writer.AddTo(p, names, 1, lockColumn_);
    std::string sql = "UPDATE " + table_ + " SET ";
    for (std::size_t i = 0; i < names.size(); ++i)
        sql += (i ? ", " : "") + names[i] + " = " + Cast(i + 2, names[i]);
    sql += " FROM " + Gate() + " gate WHERE " + kNumber + " = $1::int4";
    return Write(sql, p, false).Changed() > 0;
}

bool PgTable::Delete(std::int32_t n) {
    Params p;
    p.Add(std::to_string(n));
    return Write("DELETE FROM " + table_ + " USING " + Gate() + " gate WHERE " + kNumber +
                     " = $1::int4",
                 p, false)
               .Changed() > 0;
}

LockFlagChange PgTable::SetLockFlag(std::int32_t n, bool value) {
    // A record lock is one attempt: the layer's own waiting decides how long to try.
    const std::string gate = held_[0] || held_[1] ? std::string("true")
                                                  : "pg_try_advisory_xact_lock_shared" +
                                                        LockArgs(lockKey_, kTableLockSlot);
    Params p;
    p.Add(std::to_string(n));
    p.Add(value ? "t" : "f");
    const Result r = c_->Exec(
        "WITH gate AS (SELECT " + gate + " AS free), changed AS (UPDATE " + table_ +
            " SET \"w_lockrec\" = $2::bool FROM gate WHERE gate.free AND " + kNumber +
            " = $1::int4 AND \"w_lockrec\" IS DISTINCT FROM $2::bool RETURNING 1) SELECT (SELECT "
            "free FROM gate), (SELECT count(*) FROM changed), EXISTS (SELECT 1 FROM " +
            table_ + " WHERE " + kNumber + " = $1::int4)",
        p);
    if (r.Value(0, 0) != "t")
        ThrowBusy();
    if (r.Value(0, 1) != "0")
        return LockFlagChange::Changed;
    return r.Value(0, 2) == "t" ? LockFlagChange::Unchanged : LockFlagChange::Missing;
}

void PgTable::BeginWrites() {
    c_->Exec("BEGIN");
    inWrites_ = true;
}

void PgTable::CommitWrites() {
    c_->Exec("COMMIT");
    inWrites_ = false;
}

void PgTable::RollbackWrites() noexcept {
    if (inWrites_ && c_) {
        try {
            c_->Exec("ROLLBACK");
        } catch (...) {
        }
    }
    inWrites_ = false;
}

void PgTable::LockTable(TableLock lock) {
    const bool write = lock == TableLock::Write;
    if (!write && held_[1])
        return;  // the write lock keeps others out already; converting would weaken it
    if (held_[write ? 1 : 0])
        return;
    if (!write && held_[0])
        return;
    switch (TryAdvisoryLock(*c_, lockKey_, kTableLockSlot, write)) {
        case 0:
            break;
        case 2:
            ThrowBusy();
        default:
            throw EngineError(std::string(engine_text::kFileLocked) +
                              " (another user holds a read lock on the table)");
    }
    if (write && held_[0])
        AdvisoryUnlock(*c_, lockKey_, kTableLockSlot, false);
    held_[write ? 1 : 0] = true;
    if (write)
        c_->Exec("SET synchronous_commit = off");
}

void PgTable::UnlockTable(TableLock lock) {
    const bool write = lock == TableLock::Write;
    if (!held_[write ? 1 : 0]) {
        return;
    }
    if (write) {
        Durable(true);
        if (held_[0]) {
            // Back to the read lock this object still holds.
            TryAdvisoryLock(*c_, lockKey_, kTableLockSlot, false);
        }
        AdvisoryUnlock(*c_, lockKey_, kTableLockSlot, true);
    } else if (!held_[1]) {
        AdvisoryUnlock(*c_, lockKey_, kTableLockSlot, false);
    }
    held_[write ? 1 : 0] = false;
}

void PgTable::Durable(bool waitForDisk) {
    if (inWrites_)
        return;
    // A commit waited for on the disk makes every commit before it durable too.
    c_->Exec(waitForDisk ? "SET synchronous_commit = on" : "SET synchronous_commit = off");
    c_->Exec("SELECT txid_current()");
}

void PgTable::Flush() {
    if (inWrites_) {
        CommitWrites();
        BeginWrites();
    }
    if (held_[1]) {
        Durable(true);
        c_->Exec("SET synchronous_commit = off");
    }
}

void PgTable::Abandon() noexcept {
    if (c_)
        c_->Abandon();
    c_.reset();
}

}  // namespace axo::storage::pg
