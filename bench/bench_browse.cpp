// Benchmark of the browse window over the document-line table (the UDPO layout, 3 keys), side by
// side in one run at 1,000 and at 100,000 lines:
//  (1) page movements - <Page Down>, <Ctrl End>, a direct search - at the large table against
//      the same movement at the small one (target <= 3) and against a full walk of the large
//      table with BtNextKey + GetRec (target <= 1/500);
//  (2) a text search through the whole large table (a text no line holds) against the walk of
//      its records with BtNextKey + GetRec and against a bare SELECT ... ORDER BY (target <= 3);
//  (3) the memory: the page buffers, and the growth of the process while browsing each table.
// Usage: bench_browse [small table, default 1000] [large table, default 100000]
// The tables go to build/bench/browse-<pid> and are removed afterwards (kept with
// AXO_KEEP_BENCH_DATA set).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/BrowseTables.h"
#include "pap/PapFiles.h"
#include "ui/ScriptedUi.h"
#include "ui/browse/RecordBrowser.h"
#include "util/Cisla.h"

namespace axo::ui {
namespace {

using axo::bench::BareWalk;
using axo::bench::Seconds;
using pap::tVetaUDPO;

/// A deterministic document line number i; identifications ascend with i.
tVetaUDPO Line(std::int32_t i) {
    tVetaUDPO r{};
    r.IDENTIFIKACE = "2024"_t + IntToTextZeros(1 + i % 12, 2) + "FA"_t + IntToTextZeros(i, 7);
    r.RADEK = 1 + i % 8;
    r.MENA = "CZK"_t;
    r.SU = static_cast<std::uint16_t>(100 + (i * 7919LL) % 900);
    r.AE = static_cast<std::uint16_t>(i % 50);
    r.ZAKAZKA = "Z"_t + IntToTextZeros(i % 101, 4);
    r.MA_DATI = (i % 1000) * 1.25;
    r.DAL = (i % 333) * 0.5;
    r.VS1 = IntToTextZeros((i * 31LL) % 1000003, 10);
    r.POZNAMKA = "Úhrada faktury č. "_t + IntToText(i);
    r.PARTNER = "25596641"_t;
    r.KOD = "4"_t + IntToTextZeros(i % 70, 2);
    return r;
}

pap::PapLocation Where(const std::filesystem::path& dir, const Text& suffix) {
    return {dir, dir, suffix, 3};
}

void Generate(const storage::DataContext& ctx, const pap::PapLocation& where, int count) {
    pap::tFileUDPO file(ctx, where);
    file.InitFile(3, storage::_NoWait);
    file.BtLockFileBlock(storage::_Wait);
    for (std::int32_t i = 1; i <= count; ++i) {
        const tVetaUDPO r = Line(i);
        std::int32_t n = 0;
        file.AddRec(n, &r);
    }
    file.Unlock();
    file.CloseFile();
}

/// The browser of the program's document lines over one table.
class Lines : public TRecordBrowser<tVetaUDPO> {
  public:
    Lines(UiServices& ui, const BrowserEnvironment& env, const storage::DataContext& ctx,
          const pap::PapLocation& where)
        : TRecordBrowser(ui, env), file_(ctx, where) {}
    bool OtevriData() override {
        table = &file_;
        return file_.InitFile(1, storage::_NoWait);
    }
    void ZavriData() override { file_.CloseFile(); }
    Text TextRadku(int row) override { return app::DocumentLineLine(Zaznam(row)); }
    std::size_t BufferBytes() const { return (Capacity() + 1) * (sizeof(tVetaUDPO) + 4); }

  private:
    pap::tFileUDPO file_;
};

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

/// Seconds per movement, the better of three rounds of `count` movements (`before` prepares
/// each movement and is not timed).
template <class Prepare, class Move>
double PerMove(int count, Prepare before, Move move) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        double total = 0;
        for (int i = 0; i < count; ++i) {
            before(i);
            total += Seconds([&] { move(i); });
        }
        best = std::min(best, total / count);
    }
    return best;
}

struct Movements {
    double pageDown = 0;
    double ctrlEnd = 0;
    double directSearch = 0;
    long growthKb = 0;
    std::size_t buffers = 0;
};

Movements Measure(ScriptedUi& ui, const storage::DataContext& ctx, const pap::PapLocation& where,
                  int count) {
    BrowserEnvironment env;
    Lines b(ui, env, ctx, where);
    if (!b.Priprav(0, 0, "Doklady"_t, {}, "B"_t, 0) || !b.Zahaj())
        std::exit(1);
    const long before = ResidentKb();
    Movements m;
    // <Page Down> from the last row of the first page on, each moving the page by 11 lines, as
    // far as the table allows 40 of them.
    const int presses = std::min(40, count / 12 - 2);
    m.pageDown = PerMove(
        presses,
        [&](int i) {
            if (i == 0) {
                b.KeyDown({Key::Home, false, true});
                b.KeyDown({Key::PageDown, false, true});
            }
        },
        [&](int) { b.KeyDown({Key::PageDown}); });
    m.ctrlEnd = PerMove(
        200,
        [&](int) {
            b.KeyDown({Key::Home, false, true});
        },
        [&](int) {
            b.KeyDown({Key::End, false, true});
        });
    // A direct search of identifications spread over the table.
    m.directSearch = PerMove(
        200, [&](int) { b.CloseDirectSearch(); },
        [&](int i) {
            const std::int32_t target = 1 + static_cast<std::int32_t>((i * 7919LL) % count);
            b.SetDirectSearchText("0"_t + Line(target).IDENTIFIKACE.Get());
        });
    m.growthKb = ResidentKb() - before;
    m.buffers = b.BufferBytes();
    b.Ukonci();
    return m;
}

/// The walk of the whole table in key order 2 through the layer: BtNextKey + GetRec.
double LayerWalk(const storage::DataContext& ctx, const pap::PapLocation& where) {
    pap::tFileUDPO file(ctx, where);
    file.InitFile(1, storage::_NoWait);
    return Seconds([&] {
        std::int32_t n = 0;
        Text key;
        tVetaUDPO r;
        file.BtClearKey(2);
        while (file.BtNextKey(2, n, key))
            file.GetRec(n, &r);
    });
}

/// A text search in key order 2 through every line (the text stands in none).
double SearchWhole(ScriptedUi& ui, const storage::DataContext& ctx, const pap::PapLocation& where) {
    BrowserEnvironment env;
    Lines b(ui, env, ctx, where);
    b.Priprav(0, 0, "Doklady"_t, {}, "B"_t, 0);
    b.SetCurrentKey(2);
    b.Zahaj();
    b.searchText = "nikde neni"_t;
    b.searchDirection = TBrowser::kFromTop;
    // <Ctrl F7> searches from the record after the first row's one: every line but one.
    const double seconds = Seconds([&] { b.HledejText(true); });
    b.Ukonci();
    return seconds;
}

int Run(int small, int large) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(AXO_BENCH_DATA_DIR) / ("browse-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ScriptedUi::Options options;
    options.strict = false;
    ScriptedUi ui(options);
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.currentDirectory = dir;
    ctx.programDirectory = dir;
    const pap::PapLocation smallTable = Where(dir, "MALA"_t);
    const pap::PapLocation largeTable = Where(dir, "VELK"_t);
    std::printf("Generating %d and %d document lines ... ", small, large);
    std::fflush(stdout);
    std::printf("%.2f s\n", Seconds([&] {
                    Generate(ctx, smallTable, small);
                    Generate(ctx, largeTable, large);
                }));

    const Movements s = Measure(ui, ctx, smallTable, small);
    const Movements l = Measure(ui, ctx, largeTable, large);
    double walk = 1e9, bare = 1e9, search = 1e9;
    for (int round = 0; round < 2; ++round) {
        walk = std::min(walk, LayerWalk(ctx, largeTable));
        bare = std::min(bare, Seconds([&] { BareWalk(dir / "UDPOVELK.DB"); }));
        search = std::min(search, SearchWhole(ui, ctx, largeTable));
    }

    std::printf(
        "(1) page movements, microseconds each      %8d lines %8d lines   ratio  "
        "(target <= 3)   of a full walk (target <= 1/500)\n",
        small, large);
    const std::pair<const char*, double Movements::*> moves[] = {
        {"Page Down", &Movements::pageDown},
        {"Ctrl End", &Movements::ctrlEnd},
        {"direct search", &Movements::directSearch},
    };
    for (const auto& [name, field] : moves)
        std::printf("    %-38s %14.1f %14.1f %7.2f                   1/%.0f\n", name,
                    s.*field * 1e6, l.*field * 1e6, l.*field / s.*field, walk / (l.*field));
    std::printf("    full walk of %d lines, BtNextKey + GetRec  %8.3f s\n", large, walk);
    std::printf("(2) text search through %d lines              %8.3f s\n", large, search);
    std::printf(
        "    walk BtNextKey + GetRec                   %8.3f s   ratio %.2f (target <= 3)\n", walk,
        search / walk);
    std::printf("    bare SELECT ... ORDER BY                  %8.3f s   ratio %.2f\n", bare,
                search / bare);
    std::printf("(3) page buffers                             %8zu bytes at both sizes\n",
                s.buffers);
    std::printf("    process growth while browsing            %8ld kB at %d, %ld kB at %d\n",
                s.growthKb, small, l.growthKb, large);
    if (!std::getenv("AXO_KEEP_BENCH_DATA"))
        fs::remove_all(dir);
    return 0;
}

}  // namespace
}  // namespace axo::ui

int main(int argc, char** argv) {
    const int small = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int large = argc > 2 ? std::atoi(argv[2]) : 100000;
    return axo::ui::Run(small, large);
}
