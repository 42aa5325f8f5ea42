// Benchmark of the statement compiler against bare scans of the document lines, side by side
// in one run: compiling statement I alone and the batch of I-IX in one pass over generated
// data, against the SQLite C API walking the same document line table in the order of its
// account key reading every column, and reading the columns a statement needs in storage
// order. Each size runs in a process of its own, which also reports its peak memory, so that
// the growth of memory with the number of lines shows.
// Usage: bench_statement [lines of the small set, default 250000] [of the large, 1000000]
//        bench_statement --generate DIR N          (a data set kept for profiling)
//        bench_statement --measure DIR time|1|batch   (the measurements of a generated set)
//        bench_statement --server N   (statement I over N lines on a PostgreSQL server of its
//                                      own against the same statement on SQLite, in one run)
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PgBulkCopy.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVykaz.h"
#include "startup/Migration.h"
#include "storage/PgEngine.h"
#include "storage/SqliteEngine.h"
#include "storage/SqliteText.h"
#include "support/PgServer.h"
#include "ui/ScriptedUi.h"
#include "util/Cisla.h"

namespace axo::pap::bench {
namespace {

namespace fs = std::filesystem;
using axo::bench::BareWalk;
using axo::bench::BestSeconds;
using axo::bench::Check;
using axo::bench::MeasureInChild;
using axo::bench::PeakKilobytes;
using axo::bench::Seconds;

constexpr int kAccounts = 120;  ///< synthetic accounts, two analytic accounts each

/// Shown printouts go to the data set's directory, which is removed with it.
ui::ScriptedUi::Options UiOptions(const fs::path& dir) {
    ui::ScriptedUi::Options o;
    o.strict = false;
    o.printoutDirectory = dir;
    return o;
}

struct Bench : axo::bench::BenchData<ui::ScriptedUi> {
    PapLocation where;

    explicit Bench(const fs::path& dir) : BenchData(dir, UiOptions(dir)) {
        where = {dir, dir, "2024"_t, 3};
    }
};

int Su(int a) {
    return 10 + a * 3;
}

/// The statement of IV-IX that breaks down the turnovers of synthetic account `a`.
int Breakdown(int a) {
    return 4 + a % 6;
}

/// The code lists: per synthetic account a 3-character sum code and two 4-character codes of
/// statements I and IV, transaction codes 401-420, 451-470, 433 and 483.
void WriteCodeLists(Bench& b) {
    tFileRozvrh chart(b.data, b.where);
    tFileUAPV codes(b.data, b.where);
    tFileUKod kinds(b.data, b.where);
    tFileUDHL headers(b.data, b.where);
    if (!chart.InitFile(3, storage::_NoWait) || !codes.InitFile(3, storage::_NoWait) ||
        !kinds.InitFile(3, storage::_NoWait) || !headers.InitFile(3, storage::_NoWait))
        std::exit(1);
    chart.BtLockFileBlock(storage::_Wait);
    codes.BtLockFileBlock(storage::_Wait);
    kinds.BtLockFileBlock(storage::_Wait);
    int row = 0;
    std::int32_t n = 0;
    for (int a = 0; a < kAccounts; ++a) {
        tVetaUAPV sum;
        sum.STAT_ANAL = IntToTextZeros(Su(a), 3);
        sum.VYKAZ_I_II_III = 1;
        sum.RADEK = static_cast<Word>(++row);
        sum.POPIS = "Součet "_t + sum.STAT_ANAL.Get();
        sum.VYKAZY[0] = sum.VYKAZY[Breakdown(a) - 1] = 1;
        codes.AddRec(n, &sum);
        for (int k = 1; k <= 2; ++k) {
            tVetaUAPV code = sum;
            code.STAT_ANAL = sum.STAT_ANAL.Get() + IntToText(k);
            code.RADEK = static_cast<Word>(++row);
            for (int f = 0; f < 20; ++f)
                code.MD[f] = code.DAL[f] = 1;
            codes.AddRec(n, &code);
            tVetaRozvrh account;
            account.SE = static_cast<Word>(Su(a));
            account.AE = static_cast<Word>(k);
            account.STAT_ANAL = code.STAT_ANAL;
            account.AKT_PAS = a % 5 == 0 ? 'P' : 'A';
            account.VYKAZY[0] = account.VYKAZY[Breakdown(a) - 1] = 1;
            account.PO_CINNOST = 1;
            chart.AddRec(n, &account);
        }
    }
    for (int v = 4; v <= 9; ++v) {
        for (int c :
             {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 33,
              51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 83}) {
            tVetaUKod kind;
            kind.Kod = IntToText(v) + IntToTextZeros(c, 2);
            kinds.AddRec(n, &kind);
        }
    }
}

/// Binds a row's columns to the parameters of "INSERT INTO DATA VALUES (?1, ...)".
class Binder : public storage::RowWriter {
  public:
    explicit Binder(sqlite3_stmt* s) : s_(s) {}
    void SetNull(int c) override { sqlite3_bind_null(s_, c + 1); }
    void SetInteger(int c, std::int64_t v) override { sqlite3_bind_int64(s_, c + 1, v); }
    void SetReal(int c, double v) override { sqlite3_bind_double(s_, c + 1, v); }
    void SetText(int c, std::string_view t) override {
        text_.clear();
        storage::AppendCp1250AsUtf8(text_, t);
        sqlite3_bind_text(s_, c + 1, text_.data(), static_cast<int>(text_.size()),
                          SQLITE_TRANSIENT);
    }

  private:
    sqlite3_stmt* s_;
    std::string text_;
};

/// Document line i: an account, a month 00-12 of 2024, amounts, a transaction code, a partner.
tVetaUDPO Line(std::int32_t i) {
    tVetaUDPO r;
    const int a = static_cast<int>((i * 7919L) % kAccounts);
    r.IDENTIFIKACE =
        "2024"_t + IntToTextZeros(i % 13, 2) + "FA01"_t + IntToTextZeros(i / 8 % 100000, 5);
    r.RADEK = 1 + i % 8;
    r.SU = static_cast<Word>(Su(a));
    r.AE = static_cast<Word>(1 + i % 2);
    r.MA_DATI = i % 3 ? (i % 1000) * 1.25 : 0;
    r.DAL = i % 3 ? 0 : (i % 333) * 0.5;
    r.VS1 = IntToTextZeros((i * 31) % 1000003, 10);
    r.POZNAMKA = "Úhrada č. "_t + IntToText(i);
    r.PARTNER = IntToTextZeros(25596641 + i % 50, 8);
    // The codes of the list in turn, and now and then one that no list knows (99): the error
    // protocols get a few lines.
    const int c = i % 42;
    const int n = i % 997 == 0 ? 99 : c < 20 ? c + 1 : c < 40 ? c + 31 : c == 40 ? 33 : 83;
    r.KOD = IntToText(Breakdown(a)) + IntToTextZeros(n, 2);
    return r;
}

/// Writes the document lines with bare SQLite in one transaction (the file kind gives the
/// table, its keys and its record layout).
void WriteLines(Bench& b, std::int32_t count) {
    std::vector<storage::FieldLayout> layout;
    {
        tFileUDPO kind(b.data, b.where);
        if (!kind.InitFile(3, storage::_NoWait))
            std::exit(1);
        storage::FieldList fields = kind.Fields();
        layout = storage::CheckStructure(fields, 3, kind.Keys(), sizeof(tVetaUDPO), nullptr).layout;
    }
    tFileUDPO kind(b.data, b.where);
    kind.InitFile(0, storage::_NoWait);
    sqlite3* db = nullptr;
    Check(sqlite3_open((b.where.dataDirectory / "UDPO2024.DB").c_str(), &db), db);
    Check(storage::ConfigureConnection(db, 10000), db);
    std::string sql = "INSERT INTO DATA VALUES (?1";
    for (int c = 2; c <= 3 + 2 + static_cast<int>(layout.size()); ++c)
        sql += ", ?" + std::to_string(c);
    sqlite3_stmt* s = nullptr;
    Check(sqlite3_prepare_v2(db, (sql + ")").c_str(), -1, &s, nullptr), db);
    Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    Binder binder(s);
    for (std::int32_t i = 1; i <= count; ++i) {
        const tVetaUDPO r = Line(i);
        sqlite3_bind_int64(s, 1, i);
        for (int k = 1; k <= 3; ++k)
            binder.SetText(k, kind.MakeKey(k, &r).View());
        sqlite3_bind_int(s, 5, 0);
        storage::WriteRecord(layout, reinterpret_cast<const std::byte*>(&r), 5, binder, {});
        Check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_finalize(s);
    sqlite3_close(db);
}

/// The context of a run for the whole year whose report receiver counts the rows in `rows`.
StatementContext Context(Bench& b, long long& rows) {
    StatementContext ctx;
    ctx.data = &b.data;
    ctx.location = b.where;
    ctx.fiscalYear = 2024;
    ctx.currentMonth = 12;
    ctx.dialogs.programDate = "31.12.2024"_t;
    ctx.dialogs.clock = &b.clock;
    ctx.listing.data = &b.data;
    ctx.runReport = [&b, &rows](const ReportHandOver& h) {
        if (auto file = OpenResultFile(b.data, h)) {
            rows += file->BtUsedRecs();
            file->CloseFile();
        }
        DeleteResultFile(h.dataFile);
    };
    return ctx;
}

/// Compiles statement `cislo` for the whole year; the number of result rows.
long long Compile(Bench& b, int cislo) {
    long long rows = 0;
    StatementContext ctx = Context(b, rows);
    Text result;
    if (!SestavVykazCislo(ctx, cislo, StatementCaption(cislo), {}, nullptr, result))
        std::exit(1);
    return rows;
}

/// Compiles statements I-IX for the whole year as the batch does, in one pass; the rows.
long long CompileBatch(Bench& b) {
    long long rows = 0;
    StatementContext ctx = Context(b, rows);
    SadaVykazu sada(ctx);
    for (int cislo = 1; cislo <= 9; ++cislo) {
        VolaniVykazu volani{StatementCaption(cislo), {}, nullptr, nullptr, false};
        volani.odMesic = 1;
        volani.doMesic = 12;
        sada.Pridej(cislo, volani);
    }
    if (!sada.Kumuluj())
        std::exit(1);
    for (std::size_t i = 0; i < sada.Pocet(); ++i) {
        Text result;
        if (!sada.Dokonci(i, result))
            std::exit(1);
    }
    return rows;
}

/// Reads, in storage order, the columns of the document lines a statement needs: the bare
/// lower bound of a pass. A checksum, so that the reads cannot be optimised away.
long long BareStorageRead(const fs::path& file) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    Check(storage::ConfigureConnection(db, 10000), db);
    sqlite3_stmt* s = nullptr;
    Check(sqlite3_prepare_v2(db,
                             "SELECT PRIZNAK, IDENTIFIKACE, SU, AE, MA_DATI, DAL, KOD, PARTNER, "
                             "PARTNER2, POZNAMKA, PLATBA_PREDEM, VS1 FROM DATA",
                             -1, &s, nullptr),
          db);
    long long sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        sum += sqlite3_column_int(s, 0) + sqlite3_column_int(s, 2) + sqlite3_column_int(s, 3);
        sum += static_cast<long long>(sqlite3_column_double(s, 4) + sqlite3_column_double(s, 5));
        for (int c : {1, 6, 7, 8, 9, 10, 11})
            sum += sqlite3_column_bytes(s, c);
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return sum;
}

/// The measurements of one size, each kind in a process of its own. "time": the bare walk in
/// key order, the bare read in storage order, statement I and the batch of I-IX in turns, two
/// rounds, the best time of each (so that a change of load on the machine hits all alike);
/// writes "walk read I batch rowsI rowsBatch". "1" or "batch": one compilation alone, so that
/// the process's peak memory is its own; writes "kilobytes".
int Measure(const fs::path& dir, const std::string& what) {
    Bench b(dir);
    if (what != "time") {
        if (what == "batch")
            CompileBatch(b);
        else
            Compile(b, std::stoi(what));
        std::printf("%ld\n", PeakKilobytes());
        return 0;
    }
    long long rowsI = 0, rowsBatch = 0;
    const std::vector<double> best = BestSeconds(
        2, {[&] { BareWalk(dir / "UDPO2024.DB"); }, [&] { BareStorageRead(dir / "UDPO2024.DB"); },
            [&] { rowsI = Compile(b, 1); }, [&] { rowsBatch = CompileBatch(b); }});
    std::printf("%.6f %.6f %.6f %.6f %lld %lld\n", best[0], best[1], best[2], best[3], rowsI,
                rowsBatch);
    return 0;
}

/// Generates a data set of `lines` document lines in `dir`.
void Generate(const fs::path& dir, std::int32_t lines) {
    fs::create_directories(dir);
    Bench b(dir);
    std::printf("Generating %d document lines ... ", lines);
    std::fflush(stdout);
    const double t = Seconds([&] {
        WriteCodeLists(b);
        WriteLines(b, lines);
    });
    std::printf("%.1f s\n", t);
}

/// Measures one size; returns the peak memory of the compilations in kilobytes.
long RunSize(const fs::path& dir, std::int32_t lines) {
    Generate(dir, lines);
    double walk = 0, read = 0, first = 0, batch = 0;
    long long rowsI = 0, rowsBatch = 0;
    std::sscanf(MeasureInChild(dir, "time").c_str(), "%lf %lf %lf %lf %lld %lld", &walk, &read,
                &first, &batch, &rowsI, &rowsBatch);
    const long peakI = std::atol(MeasureInChild(dir, "1").c_str());
    const long peakBatch = std::atol(MeasureInChild(dir, "batch").c_str());
    std::printf("  %d lines\n", lines);
    std::printf("    bare walk in account order     %8.3f s  (%.2f us/line)\n", walk,
                walk * 1e6 / lines);
    std::printf("    bare read in storage order     %8.3f s  (%.2f us/line)\n", read,
                read * 1e6 / lines);
    std::printf(
        "    statement I  (%5lld rows)      %8.3f s  walk ratio %5.2f (<= 0.5)  read "
        "ratio %5.2f  peak %6.1f MB\n",
        rowsI, first, first / walk, first / read, peakI / 1024.0);
    std::printf(
        "    batch I-IX   (%5lld rows)      %8.3f s  walk ratio %5.2f (<= 1.5)  read "
        "ratio %5.2f (<= 5)  peak %6.1f MB\n",
        rowsBatch, batch, batch / walk, batch / read, peakBatch / 1024.0);
    return std::max(peakI, peakBatch);
}

/// Statement I over `lines` document lines on SQLite and on a server of its own: the data set
/// is generated in SQLite files and copied table by table to the server (the document lines
/// with COPY, the code lists through the engine), where the tables keep their names relative to the
/// data set's directory; then the statement runs on each engine in turns, two rounds, the best time
/// of each.
int RunServer(std::int32_t lines) {
    axo::test::PgServer server;
    if (!server.Running()) {
        std::printf("No PostgreSQL server: %s\n", server.Problem().c_str());
        return server.Missing() ? 0 : 1;
    }
    const fs::path dir =
        fs::temp_directory_path() / ("axo-bench-server-" + std::to_string(::getpid()));
    Generate(dir, lines);
    const std::shared_ptr<storage::Engine> pg = storage::MakePgEngine({server.Conninfo(), dir});
    std::printf("Copying the tables to the server ... ");
    std::fflush(stdout);
    const double copy = Seconds([&] {
        const std::shared_ptr<storage::Engine> sqlite = storage::MakeSqliteEngine();
        long long done = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename() == "UDPO2024.DB")
                storage::CopyInBulk(server.Conninfo(), *pg, entry.path(), dir);
            else if (entry.path().extension() == ".DB")
                startup::CopyTable(*sqlite->Open(entry.path(), true), *pg, entry.path(),
                                   storage::SqliteDefinition(entry.path()), nullptr, done);
    });
    std::printf("%.1f s\n", copy);
    double best[2] = {1e9, 1e9};
    long long rows[2] = {0, 0};
    {
        Bench b(dir);
        for (int round = 0; round < 2; ++round)
            for (int engine = 0; engine < 2; ++engine) {
                storage::UseEngine(engine == 0 ? nullptr : pg);
                best[engine] =
                    std::min(best[engine], Seconds([&] { rows[engine] = Compile(b, 1); }));
            }
        storage::UseEngine(nullptr);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    std::printf("  statement I over %d lines\n", lines);
    std::printf("    SQLite      (%5lld rows)  %8.3f s\n", rows[0], best[0]);
    std::printf("    PostgreSQL  (%5lld rows)  %8.3f s\n", rows[1], best[1]);
    std::printf("    ratio PostgreSQL / SQLite   %8.2f   (target <= 2)\n", best[1] / best[0]);
    return rows[0] == rows[1] ? 0 : 1;
}

}  // namespace
}  // namespace axo::pap::bench

int main(int argc, char** argv) {
    using namespace axo::pap::bench;
    if (argc == 4 && std::string(argv[1]) == "--measure")
        return Measure(argv[2], argv[3]);
    if (argc == 3 && std::string(argv[1]) == "--server")
        return RunServer(std::atoi(argv[2]));
    if (argc == 4 && std::string(argv[1]) == "--generate") {
        Generate(argv[2], std::atoi(argv[3]));
        return 0;
    }
    std::vector<std::int32_t> sizes;
    std::vector<long> peaks;
    axo::bench::ForEachSize(argc, argv, "axo-bench-statement",
                            [&](const fs::path& dir, std::int32_t lines) {
                                sizes.push_back(lines);
                                peaks.push_back(RunSize(dir, lines));
                            });
    std::printf(
        "  peak memory of the compilations: %.1f MB at %d lines, %.1f MB at %d lines "
        "(target < 200 MB, not growing)\n",
        peaks[0] / 1024.0, sizes[0], peaks[1] / 1024.0, sizes[1]);
    return 0;
}
