// The PostgreSQL engine: creating tables all or nothing, opening them under the table's open
// mode, and what the layer asks of a table as a whole.
#include "storage/PgEngine.h"

#include <cstdlib>

#include "storage/PgSupport.h"
#include "storage/PgTable.h"

namespace axo::storage {

namespace fs = std::filesystem;
using Stage = EngineError::Stage;
using namespace pg;

namespace {

std::string ColumnSql(const ColumnDef& c) {
    const std::string name = Name(c.name);
    switch (c.kind) {
        case ColumnKind::RecordNumber:
            return name + " integer NOT NULL";
        case ColumnKind::Key:
            return name + " text, " + SortKeyName(ToUtf8(c.name)) + " bytea";
        case ColumnKind::LockFlag:
            return name + " boolean NOT NULL DEFAULT false";
        case ColumnKind::SmallInt:
            return name + " smallint";
        case ColumnKind::Integer:
            return name + " integer";
        case ColumnKind::Float:
            return name + " double precision";
        case ColumnKind::Boolean:
            return name + " boolean";
        case ColumnKind::String:
        case ColumnKind::Memo:
            return name + " text";
    }
    return name;
}

/// The key column an index lies on: its sort key (with the record number for an order with
/// duplicates), the record number itself for the primary index.
std::string IndexColumns(const TableDef& def, const IndexDef& index) {
    for (const ColumnDef& c : def.columns)
        if (c.name == index.column && c.kind == ColumnKind::Key)
            return SortKeyName(ToUtf8(c.name)) + (index.unique ? "" : ", \"w_index_pr\"");
    return Name(index.column);
}

std::string Upper(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

class PgReservation : public TableReservation {
  public:
    explicit PgReservation(std::unique_ptr<Connection> c) : c_(std::move(c)) {}

  private:
    std::unique_ptr<Connection> c_;  // its session holds the open slot exclusively
};

class PgEngine : public Engine {
  public:
    explicit PgEngine(const PgOptions& options) : options_(options) {}

    void Create(const fs::path& dataFile, const TableDef& def) override {
        const std::string table = Table(dataFile);
        const std::string quoted = Name(table);
        Connection& c = Catalog(Stage::CreateTable);
        if (Exists(dataFile))
            return;
        c.Exec("BEGIN", Stage::CreateTable);
        try {
            std::string sql = "CREATE TABLE " + quoted + " (";
            for (std::size_t i = 0; i < def.columns.size(); ++i)
                sql += (i ? ", " : "") + ColumnSql(def.columns[i]);
            c.Exec(sql + ")", Stage::CreateTable);
            if (def.confidential)
                c.Exec("REVOKE ALL ON " + quoted + " FROM PUBLIC", Stage::CreateTable);
            // What the migration back to files needs: the data file and the text lengths.
            c.Exec("COMMENT ON TABLE " + quoted + " IS " + Literal(Relative(dataFile)),
                   Stage::CreateTable);
            for (const ColumnDef& column : def.columns)
                if (column.kind == ColumnKind::Key || column.kind == ColumnKind::String)
                    c.Exec("COMMENT ON COLUMN " + quoted + "." + Name(column.name) + " IS '" +
                               std::to_string(column.length) + "'",
                           Stage::CreateTable);
            int n = 0;
            for (const IndexDef& index : def.indexes) {
                const std::string name =
                    Name(table + (index.primary ? std::string("#p") : "#" + std::to_string(++n)));
                if (index.primary)
                    c.Exec("ALTER TABLE " + quoted + " ADD CONSTRAINT " + name + " PRIMARY KEY (" +
                               IndexColumns(def, index) + ")",
                           Stage::CreateIndexes);
                else
                    c.Exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " +
                               name + " ON " + quoted + " (" + IndexColumns(def, index) + ")",
                           Stage::CreateIndexes);
                c.Exec("COMMENT ON INDEX " + name + " IS " + Literal(ToUtf8(index.name)),
                       Stage::CreateIndexes);
            }
            c.Exec("COMMIT", Stage::CloseCreated);
        } catch (const EngineError&) {
            try {
                c.Exec("ROLLBACK");
            } catch (...) {
            }
            // Another station created the same table at the same moment: it is there.
            if (Exists(dataFile))
                return;
            throw;
        }
    }

    std::unique_ptr<EngineTable> Open(const fs::path& dataFile, bool exclusive) override {
        const std::string table = Table(dataFile);
        auto c = std::make_unique<Connection>(options_.conninfo);
        c->Exec("SET lock_timeout = '10s'");
        if (TryAdvisoryLock(*c, LockKey(table), kOpenSlot, exclusive) != 0)
            throw EngineError(std::string(engine_text::kFileLocked) +
                              (exclusive ? " (the table is open elsewhere)"
                                         : " (the table is open exclusively elsewhere)"));
        return std::make_unique<PgTable>(std::move(c), table);
    }

    std::vector<Text> IndexNames(const fs::path& dataFile) override {
        Params p;
        p.Add(Name(Table(dataFile)));
        const Result r = Catalog().Exec(
            "SELECT obj_description(indexrelid, 'pg_class') FROM pg_index WHERE indrelid = "
            "to_regclass($1)",
            p);
        std::vector<Text> names;
        for (int i = 0; i < r.Rows(); ++i)
            if (!r.IsNull(i, 0))
                names.push_back(FromUtf8(r.Value(i, 0)));
        return names;
    }

    std::vector<fs::path> TableFiles(const fs::path&) override { return {}; }
    void Settle(const fs::path&) override {}

    std::unique_ptr<TableReservation> Reserve(const fs::path& dataFile) override {
        auto c = std::make_unique<Connection>(options_.conninfo);
        if (TryAdvisoryLock(*c, LockKey(Table(dataFile)), kOpenSlot, true) != 0)
            throw EngineError(std::string(engine_text::kFileLocked) +
                              " (the table is open elsewhere)");
        return std::make_unique<PgReservation>(std::move(c));
    }

    bool KeepsFiles() const override { return false; }

    bool Exists(const fs::path& dataFile) override {
        Params p;
        p.Add(Name(Table(dataFile)));
        return Catalog().Exec("SELECT to_regclass($1) IS NOT NULL", p).Value(0, 0) == "t";
    }

    void Drop(const fs::path& dataFile) override {
        Catalog().Exec("DROP TABLE IF EXISTS " + Name(Table(dataFile)));
    }

    bool Rename(const fs::path& from, const fs::path& to) override {
        const std::string old = Table(from);
        const std::string table = Table(to);
        Connection& c = Catalog();
        Params p;
        p.Add(Name(old));
        const Result indexes = c.Exec(
            "SELECT relname FROM pg_class WHERE oid IN (SELECT indexrelid FROM pg_index WHERE "
            "indrelid = to_regclass($1))",
            p);
        c.Exec("BEGIN");
        try {
            c.Exec("DROP TABLE IF EXISTS " + Name(table));
            c.Exec("ALTER TABLE " + Name(old) + " RENAME TO " + Name(table));
            c.Exec("COMMENT ON TABLE " + Name(table) + " IS " + Literal(Relative(to)));
            // The indexes are named after their table ("<table>#k"): they follow it.
            for (int i = 0; i < indexes.Rows(); ++i) {
                const std::string index(indexes.Value(i, 0));
                const std::size_t mark = index.rfind('#');
                if (mark != std::string::npos)
                    c.Exec("ALTER INDEX " + Name(index) + " RENAME TO " +
                           Name(table + index.substr(mark)));
            }
            c.Exec("COMMIT");
        } catch (const EngineError&) {
            try {
                c.Exec("ROLLBACK");
            } catch (...) {
            }
            throw;
        }
        return true;
    }

  private:
    std::string Table(const fs::path& dataFile) const { return TableName(dataFile, options_.root); }
    std::string Relative(const fs::path& dataFile) const {
        return options_.root.empty() ? dataFile.string()
                                     : dataFile.lexically_relative(options_.root).string();
    }

    /// The engine's own session for work on whole tables (a forked child opens its own).
    Connection& Catalog(Stage stage = Stage::Other) {
        if (!catalog_ || !catalog_->Owned()) {
            catalog_.reset();  // a parent's connection is left to the parent (not closed)
            catalog_ = std::make_unique<Connection>(options_.conninfo, stage);
        }
        return *catalog_;
    }

    PgOptions options_;
    std::unique_ptr<Connection> catalog_;
};

}  // namespace

std::shared_ptr<Engine> MakePgEngine(const PgOptions& options) {
    return std::make_shared<PgEngine>(options);
}

std::vector<fs::path> PgTables(const PgOptions& options) {
    Connection c(options.conninfo);
    const Result r = c.Exec(
        "SELECT obj_description(oid, 'pg_class') FROM pg_class WHERE relkind = 'r' AND "
        "relnamespace = 'public'::regnamespace ORDER BY 1");
    std::vector<fs::path> files;
    for (int i = 0; i < r.Rows(); ++i)
        // A table noted by its whole path is not the installation's (no home was given).
        if (!r.IsNull(i, 0) && !fs::path(std::string(r.Value(i, 0))).is_absolute())
            files.push_back(options.root / std::string(r.Value(i, 0)));
    return files;
}

TableDef PgDefinition(const PgOptions& options, const fs::path& dataFile) {
    Connection c(options.conninfo);
    Params p;
    p.Add(Name(TableName(dataFile, options.root)));
    const Result columns = c.Exec(
        "SELECT attname, format_type(atttypid, atttypmod), coalesce(col_description(attrelid, "
        "attnum), '') FROM pg_attribute WHERE attrelid = to_regclass($1) AND attnum > 0 AND NOT "
        "attisdropped ORDER BY attnum",
        p);
    TableDef def;
    for (int i = 0; i < columns.Rows(); ++i) {
        const std::string name(columns.Value(i, 0));
        const std::string type(columns.Value(i, 1));
        const int length = std::atoi(std::string(columns.Value(i, 2)).c_str());
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "#sk") == 0) {
            def.columns.back().kind = ColumnKind::Key;
            continue;
        }
        ColumnKind kind = ColumnKind::Memo;
        if (i == 0)
            kind = ColumnKind::RecordNumber;
        else if (name == "w_lockrec")
            kind = ColumnKind::LockFlag;
        else if (type == "smallint")
            kind = ColumnKind::SmallInt;
        else if (type == "integer")
            kind = ColumnKind::Integer;
        else if (type == "double precision")
            kind = ColumnKind::Float;
        else if (type == "boolean")
            kind = ColumnKind::Boolean;
        else if (!std::string(columns.Value(i, 2)).empty())
            kind = ColumnKind::String;
        def.columns.push_back({FromUtf8(Upper(name)), kind, length});
    }
    const Result indexes = c.Exec(
        "SELECT obj_description(i.indexrelid, 'pg_class'), a.attname, i.indisunique, "
        "i.indisprimary FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND "
        "a.attnum = i.indkey[0] WHERE i.indrelid = to_regclass($1) ORDER BY 1",
        p);
    for (int i = 0; i < indexes.Rows(); ++i) {
        std::string column(indexes.Value(i, 1));
        if (column.size() > 3 && column.compare(column.size() - 3, 3, "#sk") == 0)
            column.resize(column.size() - 3);
        def.indexes.push_back({FromUtf8(indexes.Value(i, 0)), FromUtf8(Upper(column)),
                               indexes.Value(i, 3) == "t", indexes.Value(i, 2) == "t"});
    }
    return def;
}

}  // namespace axo::storage
