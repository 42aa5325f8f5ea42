// Benchmark of the control account statement against a bare scan of the document lines, side by
// side in one run: the statement without masks and with a mask selecting about 1% of the lines,
// against the SQLite C API walking the same table and reading every column. The data set is the
// statement benchmark's (bench_statement --generate, 120 synthetic accounts); each measurement
// runs in a process of its own, which also reports its peak memory.
// Usage: bench_control [lines of the small set, default 250000] [of the large, 1000000]
//        bench_control --measure DIR time|all|mask   (the measurements of a generated set)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "control/papVypis.h"
#include "ui/ScriptedUi.h"

namespace axo::control::bench {
namespace {

namespace fs = std::filesystem;
using axo::bench::BareWalk;
using axo::bench::BestSeconds;
using axo::bench::MeasureInChild;
using axo::bench::PeakKilobytes;
using axo::bench::RunChild;

/// The account mask of the 1% run: synthetic account 010 is one of 120.
constexpr const char* kMaskedAccount = "010";

/// The scripted UI without the printout: the user would read the listing file page by page,
/// not load it whole as the scripted front end does to keep a copy.
class QuietUi : public ui::ScriptedUi {
  public:
    using ScriptedUi::ScriptedUi;
    void ShowListing(const ui::ListingView&, const std::function<void()>&) override {}
};

struct Bench : axo::bench::BenchData<QuietUi> {
    ControlEnvironment env;

    explicit Bench(const fs::path& dir) : BenchData(dir, Options()) {
        env.data = &data;
        env.location = {dir, dir, "2024"_t, 3};
        env.fiscalYear = 2024;
        env.dialogs.programDate = "31.12.2024"_t;
        env.dialogs.clock = &clock;
        env.listing.data = &data;
    }
    static ui::ScriptedUi::Options Options() {
        ui::ScriptedUi::Options o;
        o.strict = false;
        return o;
    }
};

/// Runs the statement over the whole year; the number of selected lines.
std::int64_t Statement(Bench& b, bool masked) {
    ControlStatementParams p = DefaultControlStatementParams(2024, 12);
    p.monthFrom = 0;
    p.monthTo = 12;
    p.skipWithoutAnalytics = false;
    p.noCodeTotals = false;
    if (masked)
        p.su = FromUtf8(kMaskedAccount);
    const ControlOutcome outcome = RunControlStatement(b.env, p);
    if (outcome.end != ControlEnd::Shown)
        std::exit(1);
    return outcome.lines;
}

/// "time": the bare scan and both runs in turns, two rounds, the best time of each; writes
/// "scan all masked linesAll linesMasked". "all" or "mask": one run alone; writes its peak
/// memory in kilobytes.
int Measure(const fs::path& dir, const std::string& what) {
    Bench b(dir);
    if (what != "time") {
        Statement(b, what == "mask");
        std::printf("%ld\n", PeakKilobytes());
        return 0;
    }
    std::int64_t linesAll = 0, linesMasked = 0;
    const std::vector<double> best = BestSeconds(
        2, {[&] { BareWalk(dir / "UDPO2024.DB"); }, [&] { linesAll = Statement(b, false); },
            [&] { linesMasked = Statement(b, true); }});
    std::printf("%.6f %.6f %.6f %lld %lld\n", best[0], best[1], best[2],
                static_cast<long long>(linesAll), static_cast<long long>(linesMasked));
    return 0;
}

void RunSize(const fs::path& dir, std::int32_t lines) {
    const fs::path self = fs::read_symlink("/proc/self/exe");
    std::printf("%s", RunChild((self.parent_path() / "bench_statement").string(),
                               {"--generate", dir.string(), std::to_string(lines)})
                          .c_str());
    double scan = 0, all = 0, masked = 0;
    long long linesAll = 0, linesMasked = 0;
    std::sscanf(MeasureInChild(dir, "time").c_str(), "%lf %lf %lf %lld %lld", &scan, &all, &masked,
                &linesAll, &linesMasked);
    const long peakAll = std::atol(MeasureInChild(dir, "all").c_str());
    const long peakMask = std::atol(MeasureInChild(dir, "mask").c_str());
    std::printf("  %d lines\n", lines);
    std::printf("    bare scan                     %8.3f s  (%.2f us/line)\n", scan,
                scan * 1e6 / lines);
    std::printf("    statement, no mask (%7lld)  %8.3f s  ratio %5.2f (<= 8)  peak %6.1f MB\n",
                linesAll, all, all / scan, peakAll / 1024.0);
    std::printf("    statement, SU %s (%7lld)  %8.3f s  ratio %5.2f (<= 2)  peak %6.1f MB\n",
                kMaskedAccount, linesMasked, masked, masked / scan, peakMask / 1024.0);
}

}  // namespace
}  // namespace axo::control::bench

int main(int argc, char** argv) {
    using namespace axo::control::bench;
    if (argc == 4 && std::string(argv[1]) == "--measure")
        return Measure(argv[2], argv[3]);
    axo::bench::ForEachSize(argc, argv, "axo-bench-control", RunSize);
    return 0;
}
