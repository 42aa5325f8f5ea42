// Benchmark of the export and import of external addresses, side by side in one run: 10,000
// addresses (with notes on every third) exported into an empty directory with new
// classifications, and imported back over a list of the same size, each against a bare copy of
// the same rows with the SQLite C API (every column of every row read and inserted into an
// empty table of the same layout and indexes, in one transaction). Target: at most 3 times the
// bare copy.
// Usage: bench_addresses [addresses, default 10000]
// The lists go to build/bench/addresses-<pid> and are removed afterwards (kept with
// AXO_KEEP_BENCH_DATA set).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "codelists/ExAdTransfer.h"
#include "ui/ScriptedUi.h"
#include "util/Cisla.h"

namespace axo::codelists {
namespace {

namespace fs = std::filesystem;
using axo::bench::Check;
using axo::bench::Seconds;

tVetaExtAdresa Partner(int i) {
    tVetaExtAdresa r{};
    r.MATCH_CODE = IntToTextZeros(i + 1, 10);
    r.NAZ_FIRM1 = "Odběratel číslo "_t + IntToText(i);
    r.ADR_FIRM = "Dlouhá "_t + IntToText(i % 300);
    r.MESTO_FIRM = i % 3 == 0 ? "Zlín"_t : i % 3 == 1 ? "Brno"_t : "Praha"_t;
    r.PSC_FIRM = IntToTextZeros(10000 + i % 90000, 5);
    r.ICO = IntToTextZeros((i * 7919LL) % 100000000, 8);
    r.DIC_FIRM = "CZ"_t + r.ICO.Get();
    r.BS = IntToText(1000000 + i);
    r.ZVL_DISP = 800;
    r.POVAHA = static_cast<Byte>(i % 4);
    return r;
}

void FillList(const storage::DataContext& ctx, const fs::path& dir, int count) {
    fs::create_directories(dir);
    tExtAdresy file(ctx, dir, "2024"_t);
    if (!file.InitFile(3, storage::_NoWait) || !file.BtLockFileBlock(storage::_NoWait))
        std::exit(1);
    for (int i = 0; i < count; ++i) {
        const tVetaExtAdresa r = Partner(i);
        file.SetNotes(i % 3 == 0 ? "Poznámka k odběrateli "_t + IntToText(i) : Text());
        std::int32_t n = 0;
        file.AddRec(n, &r);
    }
    file.Unlock();
    file.CloseFile();
}

/// Copies every row of the source table into a new file with the same table and indexes.
void BareCopy(const fs::path& from, const fs::path& to) {
    sqlite3* src = nullptr;
    Check(sqlite3_open(from.c_str(), &src), src);
    Check(storage::ConfigureConnection(src, 10000), src);
    sqlite3* dst = nullptr;
    fs::remove(to);
    Check(sqlite3_open(to.c_str(), &dst), dst);
    Check(storage::ConfigureConnection(dst, 10000), dst);
    sqlite3_stmt* schema = nullptr;
    Check(sqlite3_prepare_v2(src, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL", -1,
                             &schema, nullptr),
          src);
    Check(sqlite3_exec(dst, "BEGIN", nullptr, nullptr, nullptr), dst);
    while (sqlite3_step(schema) == SQLITE_ROW)
        Check(sqlite3_exec(dst, reinterpret_cast<const char*>(sqlite3_column_text(schema, 0)),
                           nullptr, nullptr, nullptr),
              dst);
    sqlite3_finalize(schema);
    sqlite3_stmt* read = nullptr;
    Check(sqlite3_prepare_v2(src, "SELECT * FROM DATA", -1, &read, nullptr), src);
    const int columns = sqlite3_column_count(read);
    std::string insert = "INSERT INTO DATA VALUES (";
    for (int c = 0; c < columns; ++c)
        insert += c == 0 ? "?" : ",?";
    insert += ")";
    sqlite3_stmt* write = nullptr;
    Check(sqlite3_prepare_v2(dst, insert.c_str(), -1, &write, nullptr), dst);
    while (sqlite3_step(read) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            Check(sqlite3_bind_value(write, c + 1, sqlite3_column_value(read, c)), dst);
        Check(sqlite3_step(write), dst);
        sqlite3_reset(write);
    }
    sqlite3_finalize(read);
    sqlite3_finalize(write);
    Check(sqlite3_exec(dst, "COMMIT", nullptr, nullptr, nullptr), dst);
    sqlite3_close(src);
    sqlite3_close(dst);
}

int Run(int count) {
    const fs::path root =
        fs::path(AXO_BENCH_DATA_DIR) / ("addresses-" + std::to_string(::getpid()));
    fs::remove_all(root);
    ui::ScriptedUi::Options options;
    options.strict = false;
    ui::ScriptedUi ui(options);
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.clock = &SystemClock();
    ctx.currentDirectory = root;
    ctx.programDirectory = root;
    ctx.workDirectory = root;
    const fs::path list = root / "ciselniky";
    const fs::path other = root / "pobocka";
    const fs::path back = root / "zpet";
    FillList(ctx, list, count);
    FillList(ctx, back, count);
    fs::create_directories(other);
    const fs::path source = list / "EXAD2024.DB";

    const double bareExport = Seconds([&] { BareCopy(source, root / "bare-export.DB"); });
    TransferOptions renumber;
    renumber.renumber = true;
    TransferReport exported;
    const double exportTime =
        Seconds([&] { exported = CopyAddresses(ctx, ui, list, other, "2024"_t, {}, renumber); });
    const double bareImport =
        Seconds([&] { BareCopy(other / "EXAD2024.DB", root / "bare-import.DB"); });
    TransferOptions overwrite;
    overwrite.recreate = true;
    TransferReport imported;
    const double importTime =
        Seconds([&] { imported = CopyAddresses(ctx, ui, other, back, "2024"_t, {}, overwrite); });
    if (!exported.done || !imported.done || exported.copied != count || imported.copied != count) {
        std::fprintf(stderr, "Přenos se nezdařil (%d, %d).\n", exported.copied, imported.copied);
        return 1;
    }
    const double exportRatio = exportTime / bareExport;
    const double importRatio = importTime / bareImport;
    std::printf("external addresses: %d\n", count);
    std::printf("  export with new classifications %8.3f s, bare copy %8.3f s: ratio %5.2f %s\n",
                exportTime, bareExport, exportRatio, exportRatio <= 3 ? "(<= 3)" : "(> 3!)");
    std::printf("  import over the list            %8.3f s, bare copy %8.3f s: ratio %5.2f %s\n",
                importTime, bareImport, importRatio, importRatio <= 3 ? "(<= 3)" : "(> 3!)");
    if (!std::getenv("AXO_KEEP_BENCH_DATA"))
        fs::remove_all(root);
    return 0;
}

}  // namespace
}  // namespace axo::codelists

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    return axo::codelists::Run(count > 0 ? count : 10000);
}
