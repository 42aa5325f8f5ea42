// Benchmark of the report engine's user functions against a hand-written loop, side by side in
// one run: 100,000 rows of a statement result (in memory, as the result file gives them), a
// template whose functions sum four amount columns over the whole report and per group of the
// first three characters of the analytics, and counts the rows; and a C++ loop doing the same
// sums over the same rows. The engine walks the records as a report run does (group changes,
// resets, values, conditions) without laying out pages. The two sides run nine times, turn
// about; the best time of each counts.
// Usage: bench_report [rows, default 100000]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ReportBench.h"
#include "pap/papVykazFiles.h"
#include "report/data/StatementSource.h"
#include "report/run/Walk.h"
#include "report/template/Template.h"
#include "report/template/TemplateFile.h"

namespace axo::report::bench {
namespace {

/// The functions of the measured template: four report sums, four group sums, a count.
const char* const kTemplate =
    "I,4,0,\"LEFT(#SA, 3)\",1,10,1,10,0\r\n"
    "F,0,C1,\"\",0,\"0\",0,\"#SLOUPEC01\",2,15,2,3\r\n"
    "F,1,C2,\"\",0,\"0\",0,\"#SLOUPEC02\",2,15,2,3\r\n"
    "F,2,C3,\"\",0,\"0\",0,\"#SLOUPEC03\",2,15,2,3\r\n"
    "F,3,C4,\"\",0,\"0\",0,\"#SLOUPEC04\",2,15,2,3\r\n"
    "F,4,G1,\"\",0,\"0\",2,\"#SLOUPEC01\",2,15,2,3\r\n"
    "F,5,G2,\"\",0,\"0\",2,\"#SLOUPEC02\",2,15,2,3\r\n"
    "F,6,G3,\"\",0,\"0\",2,\"#SLOUPEC03\",2,15,2,3\r\n"
    "F,7,G4,\"\",0,\"0\",2,\"#SLOUPEC04\",2,15,2,3\r\n"
    "F,8,Radku,\"\",0,\"0\",0,\"1\",1,15,0,2\r\n";

struct Sums {
    double report[4] = {};
    double group[4] = {};
    long long count = 0;
};

/// The hand-written loop: the same sums over the same rows.
Sums HandLoop(const std::vector<pap::tVeta_Zorvi>& rows) {
    Sums s;
    Text previous;
    bool first = true;
    for (const pap::tVeta_Zorvi& v : rows) {
        const Text key = v.SA.Get().substr(0, 3);
        if (first || key != previous) {
            std::fill(std::begin(s.group), std::end(s.group), 0.0);
            previous = key;
            first = false;
        }
        for (int c = 0; c < 4; ++c) {
            s.report[c] += v.Sloupec[c + 1].SLOUPEC;
            s.group[c] += v.Sloupec[c + 1].SLOUPEC;
        }
        ++s.count;
    }
    return s;
}

/// The engine: the template's functions computed record by record.
Sums Engine(MemoryRecordBridge& records, const std::vector<Text>& lines) {
    TSestavaTyp report;
    report.dataSource = &records;
    ReadTemplate(report, lines);
    ReportComputation computation(report);
    computation.Prepare();
    WalkRecords(computation, {2024, 12, 31, 12, 0, 0, 0}, {});
    Sums s;
    for (int c = 0; c < 4; ++c) {
        s.report[c] = report.functions[static_cast<std::size_t>(c)].value.number;
        s.group[c] = report.functions[static_cast<std::size_t>(c) + 4].value.number;
    }
    s.count = static_cast<long long>(report.functions[8].value.number);
    return s;
}

bool Same(const Sums& a, const Sums& b) {
    for (int c = 0; c < 4; ++c)
        if (std::fabs(a.report[c] - b.report[c]) > 1e-6 * std::fabs(a.report[c]) + 1e-6 ||
            std::fabs(a.group[c] - b.group[c]) > 1e-6)
            return false;
    return a.count == b.count;
}

}  // namespace
}  // namespace axo::report::bench

int main(int argc, char** argv) {
    using namespace axo::report;
    using namespace axo::report::bench;
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::vector<axo::pap::tVeta_Zorvi> rows = Rows(count);
    MemoryRecordBridge records(StatementColumns(), sizeof(axo::pap::tVeta_Zorvi));
    for (const axo::pap::tVeta_Zorvi& v : rows)
        records.Add(&v);
    const std::vector<axo::Text> lines = TemplateLinesOf(kTemplate);

    Sums hand;
    Sums engine;
    const auto [handSeconds, engineSeconds] =
        BestOfBoth([&] { hand = HandLoop(rows); }, [&] { engine = Engine(records, lines); }, 9);
    if (!Same(hand, engine)) {
        std::printf("bench_report: the engine's sums differ from the loop's\n");
        return 1;
    }
    const double ratio = engineSeconds / handSeconds;
    std::printf(
        "bench_report: %d rows, 4 report sums, 4 group sums (group LEFT(#SA, 3)), 1 count\n",
        count);
    std::printf("  hand-written loop   %8.4f s\n", handSeconds);
    std::printf("  report functions    %8.4f s\n", engineSeconds);
    std::printf("  ratio               %8.2f x (limit 10 x) %s\n", ratio,
                ratio <= 10 ? "ok" : "OVER THE LIMIT");
    return 0;
}
