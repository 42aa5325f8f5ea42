// Benchmark of the server engine, side by side in one run, on a PostgreSQL server of its own
// (initdb + pg_ctl in a temporary directory, Unix socket only):
//  (1) walking document lines (the UDPO layout, 3 keys) in the order of key 2 through the layer
//      (BtNextKey + GetRec) on the server, against a bare SELECT ... ORDER BY of the same rows
//      and columns through libpq;
//  (2) the same layer walk on SQLite, for the ratio of the two engines.
// Usage: bench_pg [records, default 1000000]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "DocumentLines.h"
#include "PgBulkCopy.h"
#include "storage/Files.h"
#include "storage/PgEngine.h"
#include "storage/PgSupport.h"
#include "storage/RecordStructure.h"
#include "storage/SqliteEngine.h"
#include "support/PgServer.h"
#include "ui/ScriptedUi.h"

namespace axo::storage {
namespace {

using axo::bench::Seconds;

/// Fills the document lines 1..count into a new table of the program's engine, in one group.
void Generate(const DataContext& ctx, std::int32_t count) {
    tUDPO kind(ctx, "2024"_t);
    kind.InitFile(3, _NoWait);
    FieldList fields = kind.Fields();
    KeyTable keys = kind.Keys();
    const std::vector<FieldLayout> layout =
        CheckStructure(fields, 3, keys, sizeof(tVetaUDPO), nullptr).layout;
    const auto path = kind.DataFilePath();
    kind.CloseFile();
    auto table = DefaultEngine()->Open(path, true);
    table->BeginWrites();
    for (std::int32_t i = 1; i <= count; ++i) {
        const tVetaUDPO r = Line(i);
        table->Insert(i, [&](RowWriter& out) {
            for (int k = 1; k <= 3; ++k)
                out.SetText(k, kind.MakeKey(k, &r).substr(0, kind.Keys()[k].length).View());
            WriteRecord(layout, reinterpret_cast<const std::byte*>(&r), 5, out, {});
        });
    }
    table->CommitWrites();
}

/// The bare walk through libpq: every column the layer reads, in the same order.
long long BareWalk(const std::string& conninfo, const std::string& table) {
    pg::Connection c(conninfo);
    pg::Params p;
    p.Add(pg::Name(table));
    const pg::Result columns = c.Exec(
        "SELECT string_agg(quote_ident(attname), ', ' ORDER BY attnum) FROM pg_attribute WHERE "
        "attrelid = to_regclass($1) AND attnum > 0 AND attname NOT LIKE '%#sk'",
        p);
    const pg::Result rows = c.Exec("SELECT " + std::string(columns.Value(0, 0)) + " FROM " +
                                   pg::Name(table) + " ORDER BY \"w_index_02#sk\", w_index_pr");
    long long sum = 0;
    for (int i = 0; i < rows.Rows(); ++i)
        for (int k = 0; k < PQnfields(rows.Get()); ++k)
            sum += static_cast<long long>(rows.Value(i, k).size());
    return sum;
}

int Run(std::int32_t records) {
    namespace fs = std::filesystem;
    axo::test::PgServer server;
    if (!server.Running()) {
        std::printf("No PostgreSQL server: %s\n", server.Problem().c_str());
        return server.Missing() ? 0 : 1;
    }
    const fs::path dir = fs::temp_directory_path() / ("axo-bench-pg-" + std::to_string(::getpid()));
    ui::ScriptedUi::Options options;
    options.strict = false;
    ui::ScriptedUi ui(options);
    DataContext ctx;
    ctx.ui = &ui;
    double walk[2] = {0, 0};
    std::int32_t walked[2] = {0, 0};
    double bare = 1e9;
    // The lines are generated in SQLite and copied to the server with one COPY; the server's
    // table keeps the name of the SQLite file relative to the home.
    const fs::path home = dir / "home";
    fs::create_directories(home);
    ctx.currentDirectory = ctx.programDirectory = home;
    const std::shared_ptr<Engine> pg = MakePgEngine({server.Conninfo(), home});
    UseEngine(nullptr);
    std::printf("Generating %d document lines on SQLite ... ", records);
    std::fflush(stdout);
    std::printf("%.2f s\n", Seconds([&] { Generate(ctx, records); }));
    std::printf("Copying them to PostgreSQL ... ");
    std::fflush(stdout);
    std::printf("%.2f s\n",
                Seconds([&] { CopyInBulk(server.Conninfo(), *pg, home / "UDPO2024.DB", home); }));
    for (int round = 0; round < 2; ++round)
        for (int engine = 0; engine < 2; ++engine) {
            UseEngine(engine == 0 ? pg : nullptr);
            walk[engine] = std::min(walk[engine] == 0 ? 1e9 : walk[engine],
                                    Seconds([&] { LayerWalk(ctx, "2024"_t, walked[engine]); }));
            if (engine == 0)
                bare = std::min(bare, Seconds([&] {
                                    BareWalk(server.Conninfo(),
                                             pg::TableName(home / "UDPO2024.DB", home));
                                }));
        }
    UseEngine(nullptr);
    std::error_code ec;
    fs::remove_all(dir, ec);
    std::printf("(1) walk of %d records in key order on PostgreSQL\n", walked[0]);
    std::printf("    bare SELECT ... ORDER BY (libpq) %8.3f s  (%.2f us/record)\n", bare,
                bare * 1e6 / records);
    std::printf("    BtNextKey + GetRec               %8.3f s  (%.2f us/record)\n", walk[0],
                walk[0] * 1e6 / records);
    std::printf("    ratio layer / bare               %8.2f   (target <= 3)\n", walk[0] / bare);
    std::printf("(2) the same walk on SQLite          %8.3f s  (%d records)\n", walk[1], walked[1]);
    std::printf("    ratio PostgreSQL / SQLite        %8.2f\n", walk[0] / walk[1]);
    return 0;
}

}  // namespace
}  // namespace axo::storage

int main(int argc, char** argv) {
    return axo::storage::Run(argc > 1 ? std::atoi(argv[1]) : 1000000);
}
