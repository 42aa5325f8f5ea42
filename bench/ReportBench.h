// What the report benchmarks share: timing of two kinds of work run turn about, and the rows
// of a statement result made up in memory.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "pap/papVykazFiles.h"

namespace axo::report::bench {

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// The best times of two kinds of work run turn about, so that both meet the same load.
inline std::pair<double, double> BestOfBoth(const std::function<void()>& a,
                                            const std::function<void()>& b, int rounds) {
    double bestA = 1e100;
    double bestB = 1e100;
    for (int i = 0; i < rounds; ++i) {
        bestA = std::min(bestA, Seconds(a));
        bestB = std::min(bestB, Seconds(b));
    }
    return {bestA, bestB};
}

/// Statement rows: groups of about twenty rows by the analytics, four amount columns.
inline std::vector<pap::tVeta_Zorvi> Rows(int count) {
    std::vector<pap::tVeta_Zorvi> rows(static_cast<std::size_t>(count));
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        pap::tVeta_Zorvi& v = rows[static_cast<std::size_t>(i)];
        pap::VyplnHlavicku(v, 1, "I. Počáteční a koncové stavy"_t, 1, 12, 2024);
        v.RADEK = static_cast<pap::Word>(i % 60000);
        const std::string sa = std::to_string(100 + i / 20 % 900) + std::to_string(i % 10);
        v.SA = Text::FromBytes(sa);
        v.POPIS = "Řádek výkazu"_t;
        for (int c = 1; c <= 4; ++c) {
            seed = seed * 1103515245 + 12345;
            v.Sloupec[c].SLOUPEC = static_cast<double>(seed % 1000000) / 100.0;
        }
        v.Soucet = sa.size() == 3;
    }
    return rows;
}

}  // namespace axo::report::bench
