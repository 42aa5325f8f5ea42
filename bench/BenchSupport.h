// What the benchmarks share: timing, measurements in processes of their own over data sets of two
// sizes, the data context, SQLite error checks and the bare baseline that reads every column of
// every document line in the order of the account key.
#pragma once

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "storage/DataContext.h"
#include "storage/SqliteEngine.h"
#include "util/Clock.h"

namespace axo::bench {

/// The wall-clock seconds `work` takes.
inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// The best wall-clock seconds of each of `works` over `rounds` rounds that run them in turns,
/// so that a change of load on the machine hits all alike.
inline std::vector<double> BestSeconds(int rounds,
                                       const std::vector<std::function<void()>>& works) {
    std::vector<double> best(works.size(), 1e9);
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < works.size(); ++i)
            best[i] = std::min(best[i], Seconds(works[i]));
    return best;
}

/// The peak memory of this process in kilobytes.
inline long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

/// Runs `program` with `args` in a process of its own and returns what it wrote to its standard
/// output; ends the benchmark when it fails.
inline std::string RunChild(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0)
        std::exit(1);
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("    (%s %s failed)\n", program.c_str(),
                    args.empty() ? "" : args.back().c_str());
        std::exit(1);
    }
    return text;
}

/// Runs this program with "--measure `dir` `what`" in a process of its own; what it wrote.
inline std::string MeasureInChild(const std::filesystem::path& dir, const std::string& what) {
    return RunChild("/proc/self/exe", {"--measure", dir.string(), what});
}

/// Runs `size(dir, lines)` for the small and the large data set (the first two arguments,
/// 250000 and 1000000 lines by default), each in a directory of its own below a scratch
/// directory named by `stem` and the process id; every directory is removed afterwards.
inline void ForEachSize(
    int argc, char** argv, const std::string& stem,
    const std::function<void(const std::filesystem::path&, std::int32_t)>& size) {
    const std::int32_t small = argc > 1 ? std::atoi(argv[1]) : 250000;
    const std::int32_t large = argc > 2 ? std::atoi(argv[2]) : 1000000;
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()));
    for (std::int32_t lines : {small, large}) {
        size(root / std::to_string(lines), lines);
        std::filesystem::remove_all(root / std::to_string(lines));
    }
    std::filesystem::remove_all(root);
}

/// The data context of a benchmark working in `dir` at noon of 31 December 2024, with the
/// scripted front end `Ui`.
template <class Ui>
struct BenchData {
    Ui ui;
    FixedClock clock{{2024, 12, 31, 12, 0, 0, 0}};
    storage::DataContext data;

    BenchData(const std::filesystem::path& dir, const typename Ui::Options& options) : ui(options) {
        data.ui = &ui;
        data.clock = &clock;
        data.programDirectory = dir;
        data.currentDirectory = dir;
    }
};

/// Ends the benchmark with SQLite's message when `rc` is a failure.
inline void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

/// Reads every column of every row of a document line table in the order of its account key
/// (key 2) with the SQLite C API: the baseline the layer and the statements are measured
/// against. Returns a checksum so that the reads cannot be optimised away.
inline long long BareWalk(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    Check(storage::ConfigureConnection(db, 10000), db);
    sqlite3_stmt* s = nullptr;
    Check(sqlite3_prepare_v2(db, "SELECT * FROM DATA ORDER BY W_INDEX_02, W_INDEX_PR", -1, &s,
                             nullptr),
          db);
    long long sum = 0;
    const int columns = sqlite3_column_count(s);
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(s, c)) {
                case SQLITE_INTEGER:
                    sum += sqlite3_column_int64(s, c);
                    break;
                case SQLITE_FLOAT:
                    sum += static_cast<long long>(sqlite3_column_double(s, c));
                    break;
                case SQLITE_TEXT:
                    sum += sqlite3_column_bytes(s, c) + *sqlite3_column_text(s, c);
                    break;
                default:
                    break;
            }
        }
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return sum;
}

}  // namespace axo::bench
