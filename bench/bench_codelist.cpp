// Benchmark of the text import of the PAP code list: 10,000 codes read from "UPAP.txt" in the
// replace mode (every line checked, the list built aside and put in place) against the bare
// inserts of the same records into an empty list under one write lock (target: the import at
// most 2x the inserts). Both run in one process, side by side, three times each; the best run
// counts.
// Usage: bench_codelist [codes, default 10000]
// The files go to build/bench/codelist-<pid> and are removed afterwards.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "pap/ImportUPAP.h"
#include "pap/PapFiles.h"
#include "ui/ScriptedUi.h"
#include "util/Cisla.h"

namespace axo {
namespace {

using bench::Seconds;

/// Code i of the file: analytics, description, a partner field, statement I or II.
std::string FileLine(int i) {
    return "A" + std::to_string(100000 + i) + "\tPoložka číslo " + std::to_string(i) + "\t" +
           (i % 3 == 0 ? "P11" : "") + "\t\t" + std::to_string(1 + i % 2) + "\t\n";
}

/// The record the import makes of line i (rows numbered within each statement).
pap::tVetaUAPV Record(int i) {
    pap::tVetaUAPV r;
    r.STAT_ANAL = "A"_t + IntToText(100000 + i);
    r.POPIS = FromUtf8("Položka číslo " + std::to_string(i));
    r.PARTNER = i % 3 == 0 ? 1 : 0;
    r.VYKAZ_I_II_III = static_cast<pap::Byte>(1 + i % 2);
    r.VYKAZY[i % 2] = 1;
    r.RADEK = static_cast<pap::Word>(1 + i / 2);
    return r;
}

double BareInserts(const storage::DataContext& ctx, const pap::PapLocation& where, int count) {
    std::filesystem::remove_all(where.codeListDirectory);
    std::filesystem::create_directories(where.codeListDirectory);
    return Seconds([&] {
        pap::tFileUAPV file(ctx, where);
        file.InitFile(2, storage::_NoWait);
        file.BtLockFileBlock(storage::_Wait);
        for (int i = 1; i <= count; ++i) {
            const pap::tVetaUAPV r = Record(i);
            std::int32_t n = 0;
            file.AddRec(n, &r);
        }
        file.Unlock();
        file.CloseFile();
    });
}

double Import(const storage::DataContext& ctx, ui::ScriptedUi& ui, const pap::PapLocation& where,
              const std::filesystem::path& source, int& written) {
    std::filesystem::remove_all(where.codeListDirectory);
    std::filesystem::create_directories(where.codeListDirectory);
    return Seconds([&] {
        ui.QueueButton(1);
        ui.QueueOk();
        written = pap::ImportUPAP(where, ctx, ui, source).written;
    });
}

}  // namespace
}  // namespace axo

int main(int argc, char** argv) {
    using namespace axo;
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const std::filesystem::path dir =
        std::filesystem::path(AXO_BENCH_DATA_DIR) / ("codelist-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path source = dir / "UPAP.txt";
    {
        std::string content;
        for (int i = 1; i <= count; ++i)
            content += FileLine(i);
        std::ofstream(source, std::ios::binary) << content;
    }
    ui::ScriptedUi::Options options;
    options.strict = false;
    ui::ScriptedUi ui(options);
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.currentDirectory = dir;
    ctx.programDirectory = dir;
    const pap::PapLocation where{dir / "data", dir / "ciselniky", "2024"_t, 3};
    double bare = 1e9;
    double import = 1e9;
    int written = 0;
    for (int run = 0; run < 3; ++run) {
        bare = std::min(bare, BareInserts(ctx, where, count));
        import = std::min(import, Import(ctx, ui, where, source, written));
    }
    std::printf("PAP code list of %d codes: bare inserts %.3f s, text import %.3f s (%d written)\n",
                count, bare, import, written);
    std::printf("  import / bare inserts = %.2f (target <= 2)%s\n", import / bare,
                import / bare <= 2 ? "" : "  MISSED");
    if (written != count)
        for (const ui::TranscriptEntry& e : ui.Transcript())
            for (const std::string& line : e.lines)
                std::fprintf(stderr, "%s: %s\n", e.kind.c_str(), line.c_str());
    std::filesystem::remove_all(dir);
    return written == count ? 0 : 1;
}
