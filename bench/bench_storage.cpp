// Benchmark of the keyed-table layer against bare SQLite, side by side in one run:
//  (1) walking a table of document lines (the UDPO layout, 331 bytes, 3 keys) in key order with
//      BtNextKey + GetRec, against a bare SELECT ... ORDER BY of the same rows;
//  (2) appending records under one table write lock with AddRec, against a bare INSERT loop in
//      one transaction. Each append that returned survives a killed process (write log); all
//      are durable against a crash of the machine at Unlock (one commit), as the bare loop's are
//      at its commit.
// Usage: bench_storage [records to walk, default 1000000] [records to append, default 100000]
// The tables go to build/bench/data-<pid> and are removed afterwards (kept with
// AXO_KEEP_BENCH_DATA set).
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "DocumentLines.h"
#include "pap/PapFiles.h"
#include "storage/Files.h"
#include "storage/SqliteEngine.h"
#include "storage/SqliteText.h"
#include "ui/ScriptedUi.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {
namespace {

using axo::bench::BareWalk;
using axo::bench::Check;
using axo::bench::Seconds;
using pap::tVetaUDPO;

/// Binds a row's columns to the parameters of "INSERT INTO DATA VALUES (?1, ...)".
class Binder : public RowWriter {
  public:
    explicit Binder(sqlite3_stmt* s) : s_(s) {}
    void SetNull(int c) override { sqlite3_bind_null(s_, c + 1); }
    void SetInteger(int c, std::int64_t v) override { sqlite3_bind_int64(s_, c + 1, v); }
    void SetReal(int c, double v) override { sqlite3_bind_double(s_, c + 1, v); }
    void SetText(int c, std::string_view t) override {
        text_.clear();
        AppendCp1250AsUtf8(text_, t);
        sqlite3_bind_text(s_, c + 1, text_.data(), static_cast<int>(text_.size()),
                          SQLITE_TRANSIENT);
    }

  private:
    sqlite3_stmt* s_;
    std::string text_;
};

/// Inserts lines first..first+count-1 with bare SQLite in one transaction: the generator of
/// the walked table and the baseline of the appends.
void BareInsert(const std::filesystem::path& file, tUDPO& kind,
                const std::vector<FieldLayout>& layout, std::int32_t first, std::int32_t count) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    Check(ConfigureConnection(db, 10000), db);
    std::string sql = "INSERT INTO DATA VALUES (?1";
    for (int c = 2; c <= 3 + 2 + static_cast<int>(layout.size()); ++c)
        sql += ", ?" + std::to_string(c);
    sql += ")";
    sqlite3_stmt* s = nullptr;
    Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr), db);
    Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    Binder binder(s);
    for (std::int32_t i = first; i < first + count; ++i) {
        const tVetaUDPO r = Line(i);
        sqlite3_bind_int64(s, 1, i);
        for (int k = 1; k <= 3; ++k)
            binder.SetText(k, kind.MakeKey(k, &r).substr(0, kind.Keys()[k].length).View());
        sqlite3_bind_int(s, 5, 0);
        WriteRecord(layout, reinterpret_cast<const std::byte*>(&r), 5, binder, {});
        Check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_finalize(s);
    sqlite3_close(db);
}

int Run(std::int32_t walkRecords, std::int32_t appendRecords) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(AXO_BENCH_DATA_DIR) / ("data-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ui::ScriptedUi::Options options;
    options.strict = false;
    ui::ScriptedUi ui(options);
    DataContext ctx;
    ctx.ui = &ui;
    ctx.currentDirectory = dir;
    ctx.programDirectory = dir;

    std::vector<FieldLayout> layout;
    {
        tUDPO kind(ctx, "2024"_t);
        kind.InitFile(3, _NoWait);
        FieldList fields = kind.Fields();
        KeyTable keys = kind.Keys();
        layout = CheckStructure(fields, 3, keys, sizeof(tVetaUDPO), nullptr).layout;
        kind.CloseFile();
        std::printf("Generating %d document lines ... ", walkRecords);
        std::fflush(stdout);
        const double t =
            Seconds([&] { BareInsert(dir / "UDPO2024.DB", kind, layout, 1, walkRecords); });
        std::printf("%.2f s\n", t);
    }

    // (1) Walk in key order, each side twice, the better run counts (a warm page cache for both).
    double bare = 1e9, layer = 1e9;
    long long bareSum = 0, layerSum = 0;
    std::int32_t walked = 0;
    for (int round = 0; round < 2; ++round) {
        bare = std::min(bare, Seconds([&] { bareSum = BareWalk(dir / "UDPO2024.DB"); }));
        layer = std::min(layer, Seconds([&] { layerSum = LayerWalk(ctx, "2024"_t, walked); }));
    }
    std::printf("(1) walk of %d records in key order\n", walked);
    std::printf("    bare SELECT ... ORDER BY       %8.3f s  (%.2f us/record, checksum %lld)\n",
                bare, bare * 1e6 / walkRecords, bareSum);
    std::printf("    BtNextKey + GetRec             %8.3f s  (%.2f us/record, checksum %lld)\n",
                layer, layer * 1e6 / walkRecords, layerSum);
    std::printf("    ratio layer / bare             %8.2f   (target <= 2)\n", layer / bare);

    // (2) Appends under one table write lock against a bare INSERT loop in one transaction.
    double bareAppend = 0, layerAppend = 0;
    {
        tUDPO empty(ctx, "BARE"_t);
        empty.InitFile(3, _NoWait);
        empty.CloseFile();
        bareAppend =
            Seconds([&] { BareInsert(dir / "UDPOBARE.DB", empty, layout, 1, appendRecords); });
    }
    {
        tUDPO file(ctx, "NEW"_t);
        file.InitFile(3, _NoWait);
        layerAppend = Seconds([&] {
            file.BtLockFileBlock(_Wait);
            for (std::int32_t i = 1; i <= appendRecords; ++i) {
                const tVetaUDPO r = Line(i);
                std::int32_t n = 0;
                file.AddRec(n, &r);
            }
            file.Unlock();
        });
    }
    std::printf("(2) %d appends\n", appendRecords);
    std::printf("    bare INSERT loop, one commit   %8.3f s  (%.2f us/record)\n", bareAppend,
                bareAppend * 1e6 / appendRecords);
    std::printf("    AddRec under a table lock      %8.3f s  (%.2f us/record)\n", layerAppend,
                layerAppend * 1e6 / appendRecords);
    std::printf("      each append survives a killed process; all are durable at Unlock\n");
    std::printf("    ratio layer / bare             %8.2f   (target <= 2)\n",
                layerAppend / bareAppend);
    if (!std::getenv("AXO_KEEP_BENCH_DATA"))
        fs::remove_all(dir);
    return 0;
}

}  // namespace
}  // namespace axo::storage

int main(int argc, char** argv) {
    const int walk = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int append = argc > 2 ? std::atoi(argv[2]) : 100000;
    return axo::storage::Run(walk, append);
}
