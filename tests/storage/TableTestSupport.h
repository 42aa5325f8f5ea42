// Test support for the keyed-table tests: a scratch installation with a scripted front end, a
// small file kind of items and a configurable one, direct SQLite access to a table file, and
// an engine that fails on request (to make write paths fail).
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdlib.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ScratchDir.h"
#include "storage/DataContext.h"
#include "storage/Errors.h"
#include "storage/Files.h"
#include "storage/PgSupport.h"
#include "storage/SqliteEngine.h"
#include "storage/WorkFiles.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"
#include "util/Retezce.h"
#include "util/Text.h"

namespace axo::storage::test {

#pragma pack(push, 1)
/// The record of the item file kind: 45 bytes.
struct ItemRecord {
    StrN<10> code;
    StrN<20> name;
    std::int32_t counter = 0;
    double amount = 0;
    std::uint8_t flag = 0;
};
#pragma pack(pop)
static_assert(sizeof(ItemRecord) == 45);

inline ItemRecord Item(const char* code, const char* name, std::int32_t counter = 0) {
    ItemRecord r;
    r.code = FromUtf8(code);
    r.name = FromUtf8(name);
    r.counter = counter;
    return r;
}

/// A description a test can change: fields, keys, record length and key building.
struct KindShape {
    Text fileName = "ITEMS"_t;
    Text title = "Položky"_t;
    Text directory;
    std::vector<std::pair<Text, Text>> fields = {{"CODE"_t, "STR10"_t},
                                                 {"NAME"_t, "STR20"_t},
                                                 {"COUNTER"_t, "LONGINT"_t},
                                                 {"AMOUNT"_t, "DOUBLE"_t},
                                                 {"FLAG"_t, "BYTE"_t}};
    /// Key 1: the code (unique), key 2: the name (duplicates).
    std::vector<KeyEntry> keys = {{10, false, false}, {20, true, false}};
    int recordLength = sizeof(ItemRecord);
    std::function<Text(int, const void*)> makeKey = [](int k, const void* buffer) {
        const auto* r = static_cast<const ItemRecord*>(buffer);
        return k == 1 ? FixedKeyText(r->code, 10) : FixedKeyText(r->name, 20);
    };
    std::function<Text(std::size_t, const void*)> memo;
    /// The table keeps other users of the machine out.
    bool confidential = false;
};

class tTestKind : public tSoubor {
  public:
    tTestKind(const DataContext& ctx, KindShape shape = {},
              std::shared_ptr<Engine> engine = DefaultEngine())
        : tSoubor(ctx, std::move(engine)), shape_(std::move(shape)) {}

    void Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                  int& recordLength) override {
        fileName = shape_.fileName;
        title = shape_.title;
        keyCount = static_cast<int>(shape_.keys.size());
        for (int k = 1; k <= keyCount && k <= kMaxKeys; ++k)
            keys[k] = shape_.keys[k - 1];
        recordLength = shape_.recordLength;
        SetDirectories(shape_.directory, shape_.directory);
        for (const auto& [name, type] : shape_.fields)
            AddField(name, type);
    }
    Text MakeKey(int k, const void* buffer) override {
        return k >= 1 ? shape_.makeKey(k, buffer) : tSoubor::MakeKey(k, buffer);
    }
    bool Confidential() const override { return shape_.confidential; }
    KindShape& Shape() { return shape_; }

  protected:
    Text MemoText(std::size_t field, const void* record) override {
        return shape_.memo ? shape_.memo(field, record) : Text();
    }

  private:
    KindShape shape_;
};

/// A new empty directory for tables, removed with its contents. It lies in memory (/dev/shm)
/// when the machine has that, so that the many synchronous commits of the tests do not depend on
/// how busy the disk is; tests of the file system's own behaviour ask for the disk.
class TableDir {
  public:
    explicit TableDir(bool onDisk) {
        std::error_code ec;
        const std::filesystem::path memory = "/dev/shm";
        const auto base = !onDisk && std::filesystem::is_directory(memory, ec)
                              ? memory
                              : std::filesystem::temp_directory_path();
        std::string pattern = (base / "axo-tables-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TableDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TableDir(const TableDir&) = delete;
    TableDir& operator=(const TableDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

/// A scratch installation: scripted UI (short waits), fixed clock, context.
class TableTest : public ::testing::Test {
  protected:
    explicit TableTest(bool onDisk = false)
        : dir_(onDisk), ui_(Options()), clock_(DateTime{2024, 5, 17, 10, 30, 0, 0}) {
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.currentDirectory = dir_.Path();
        ctx_.programDirectory = dir_.Path() / "program";
        ctx_.programFileName = "AXO_PAP.EXE"_t;
        std::filesystem::create_directories(ctx_.programDirectory);
    }
    static ui::ScriptedUi::Options Options() {
        ui::ScriptedUi::Options o;
        o.waitMs = 1;
        return o;
    }

    std::unique_ptr<tTestKind> Open(int mode, KindShape shape = {}, int wait = _NoWait,
                                    std::shared_ptr<Engine> engine = DefaultEngine()) {
        auto file = std::make_unique<tTestKind>(ctx_, std::move(shape), std::move(engine));
        file->InitFile(mode, wait);
        return file;
    }
    std::filesystem::path DataFile(const char* name = "ITEMS.DB") const { return dir_ / name; }

    /// The entries of the transcript of one kind, as text.
    std::vector<std::string> Entries(const std::string& kind) const {
        std::vector<std::string> out;
        for (const ui::TranscriptEntry& e : ui_.Transcript())
            if (e.kind == kind)
                out.push_back(e.ToString());
        return out;
    }

    /// A transcript entry with its wrapped lines joined again by blanks.
    static std::string Flat(std::string entry) {
        for (std::size_t at; (at = entry.find("\n| ")) != std::string::npos;)
            entry.replace(at, 3, " ");
        return entry;
    }

    TableDir dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_;
    DataContext ctx_;
};

inline std::string DataErrorTitleUtf8() {
    return ToUtf8(DataErrorTitle());
}

/// The connection string of the tests' server while they run on it (empty on SQLite).
inline std::string& ServerConninfo() {
    static std::string conninfo;
    return conninfo;
}

/// Whether the tests run on the server engine (no table files to look at).
inline bool OnServer() {
    return !ServerConninfo().empty();
}

/// Whether the table of a data file exists, on the engine the tests run on.
inline bool TableExists(const std::filesystem::path& dataFile) {
    return DefaultEngine()->Exists(dataFile);
}

/// Skips a test of what only table files have.
#define AXO_SQLITE_FILES_ONLY()                                              \
    do {                                                                     \
        if (OnServer())                                                      \
            GTEST_SKIP() << "looks at the table files of the SQLite engine"; \
    } while (0)

/// SQL for a table file made SQL for the server table: the table DATA is the file's table.
inline std::string OnServerTable(const std::filesystem::path& file, std::string sql) {
    const std::string name = pg::TableName(file, {});
    const std::string table = pg::Name(name);
    // The index of key k is the table's index "#k".
    if (sql.rfind("DROP INDEX INDEX_", 0) == 0)
        return "DROP INDEX " + pg::Name(name + "#" + std::to_string(std::stoi(sql.substr(17))));
    // SQLite's spellings of what the server spells otherwise.
    const std::pair<const char*, const char*> dialect[] = {
        {"W_LOCKREC = 1", "W_LOCKREC = true"},
        {"SELECT W_LOCKREC", "SELECT W_LOCKREC::int"},
        {"unicode(", "ascii("}};
    for (const auto& [from, to] : dialect)
        if (const std::size_t at = sql.find(from); at != std::string::npos)
            sql.replace(at, std::strlen(from), to);
    for (std::size_t at = 0; (at = sql.find("DATA", at)) != std::string::npos;) {
        sql.replace(at, 4, table);
        at += table.size();
    }
    return sql;
}

/// Runs SQL on a table file outside the layer (with the key collation registered); on the
/// server, on the file's table.
inline void RunSql(const std::filesystem::path& file, const std::string& sql) {
    if (OnServer()) {
        pg::Connection c(ServerConninfo());
        c.Exec(OnServerTable(file, sql));
        return;
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    ConfigureConnection(db, 1000);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(SQLITE_OK, rc) << message;
}

/// One integer from a query on a table file.
inline long long QueryInt(const std::filesystem::path& file, const std::string& sql) {
    if (OnServer()) {
        pg::Connection c(ServerConninfo());
        const pg::Result r = c.Try(OnServerTable(file, sql), {});
        return pg::Succeeded(r) && r.Rows() > 0 ? std::atoll(PQgetvalue(r.Get(), 0, 0)) : -1;
    }
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    ConfigureConnection(db, 1000);
    sqlite3_stmt* s = nullptr;
    long long value = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW)
        value = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return value;
}

/// An engine that passes everything to SQLite, except the operations a test makes fail.
class FaultyEngine : public Engine {
  public:
    /// One kind of operation: the first `failures` calls fail with `message` (none when it is
    /// empty); `calls` counts every call.
    struct Fault {
        std::string message;
        int failures = 1 << 30;
        int calls = 0;

        void Hit(EngineError::Stage stage = EngineError::Stage::Other) {
            if (++calls <= failures && !message.empty())
                throw EngineError(message, stage);
        }
    };
    struct Faults {
        Fault create{};  ///< creating a table (stage CreateTable)
        Fault open{};    ///< opening a table
        Fault read{};    ///< finding a record by its number
        Fault write{};   ///< inserts, updates, deletes and lock flags
        Fault lock{};    ///< table locks
    };
    explicit FaultyEngine(Faults faults) : faults_(std::make_shared<Faults>(std::move(faults))) {}

    void Create(const std::filesystem::path& f, const TableDef& def) override {
        faults_->create.Hit(EngineError::Stage::CreateTable);
        real_->Create(f, def);
    }
    std::unique_ptr<EngineTable> Open(const std::filesystem::path& f, bool exclusive) override;
    std::vector<Text> IndexNames(const std::filesystem::path& f) override {
        return real_->IndexNames(f);
    }
    std::vector<std::filesystem::path> TableFiles(const std::filesystem::path& f) override {
        return real_->TableFiles(f);
    }
    void Settle(const std::filesystem::path& f) override { real_->Settle(f); }
    std::unique_ptr<TableReservation> Reserve(const std::filesystem::path& f) override {
        return real_->Reserve(f);
    }
    bool KeepsFiles() const override { return real_->KeepsFiles(); }
    bool Exists(const std::filesystem::path& f) override { return real_->Exists(f); }
    void Drop(const std::filesystem::path& f) override { real_->Drop(f); }
    bool Rename(const std::filesystem::path& f, const std::filesystem::path& t) override {
        return real_->Rename(f, t);
    }
    /// The faults with the calls counted so far.
    const Faults& Counted() const { return *faults_; }

  private:
    class Table;
    std::shared_ptr<Faults> faults_;
    std::shared_ptr<Engine> real_ = DefaultEngine();
};

class FaultyEngine::Table : public EngineTable {
  public:
    Table(std::unique_ptr<EngineTable> real, std::shared_ptr<Faults> faults)
        : real_(std::move(real)), faults_(std::move(faults)) {}
    int ColumnCount() override { return real_->ColumnCount(); }
    std::int64_t RecordCount() override { return real_->RecordCount(); }
    int Scan(int o, ScanDirection d, const OrderPosition* f, int l, const RowVisitor& v) override {
        return real_->Scan(o, d, f, l, v);
    }
    int Seek(int o, const Text& k, bool e, int l, const RowVisitor& v) override {
        return real_->Seek(o, k, e, l, v);
    }
    bool FindRecord(std::int32_t n, const RowVisitor& v) override {
        faults_->read.Hit();
        return real_->FindRecord(n, v);
    }
    Text ReadText(std::int32_t n, const Text& c) override { return real_->ReadText(n, c); }
    std::int32_t Insert(std::int32_t n, const RowFiller& f) override {
        faults_->write.Hit();
        return real_->Insert(n, f);
    }
    bool Update(std::int32_t n, const RowFiller& f) override {
        faults_->write.Hit();
        return real_->Update(n, f);
    }
    bool Delete(std::int32_t n) override {
        faults_->write.Hit();
        return real_->Delete(n);
    }
    LockFlagChange SetLockFlag(std::int32_t n, bool v) override {
        faults_->write.Hit();
        return real_->SetLockFlag(n, v);
    }
    void BeginWrites() override { real_->BeginWrites(); }
    void CommitWrites() override { real_->CommitWrites(); }
    void RollbackWrites() noexcept override { real_->RollbackWrites(); }
    void LockTable(TableLock l) override {
        faults_->lock.Hit();
        real_->LockTable(l);
    }
    void UnlockTable(TableLock l) override { real_->UnlockTable(l); }
    void Flush() override { real_->Flush(); }
    void Abandon() noexcept override { real_->Abandon(); }

  private:
    std::unique_ptr<EngineTable> real_;
    std::shared_ptr<Faults> faults_;
};

inline std::unique_ptr<EngineTable> FaultyEngine::Open(const std::filesystem::path& f,
                                                       bool exclusive) {
    faults_->open.Hit();
    return std::make_unique<Table>(real_->Open(f, exclusive), faults_);
}

}  // namespace axo::storage::test
