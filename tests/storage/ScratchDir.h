// Test support for the work-file and error tests: a fresh scratch directory removed afterwards,
// file reading and writing in bytes, an environment variable set for one test, and running a
// function in child processes.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/ScopedEnv.h"
#include "support/ScratchDir.h"

namespace axo::storage::test {

/// A new empty directory, removed with its contents.
class ScratchDir : public axo::test::ScratchDir {
  public:
    ScratchDir() : axo::test::ScratchDir("axo-work") {}
};

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

using axo::test::ScopedEnv;

/// Runs `work(i)` in `count` child processes at once, each released by one start signal so
/// that they really run together, and returns what each wrote to its output (in child order).
/// A child ends with _exit and never returns into the test framework.
inline std::vector<std::string> RunInChildren(int count,
                                              const std::function<std::string(int)>& work) {
    int start[2];
    if (::pipe(start) != 0)
        return {};
    std::vector<pid_t> pids;
    std::vector<int> outputs;
    for (int i = 0; i < count; ++i) {
        int out[2];
        if (::pipe(out) != 0)
            break;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(start[1]);
            ::close(out[0]);
            char go;
            (void)!::read(start[0], &go, 1);
            const std::string result = work(i);
            std::size_t done = 0;
            while (done < result.size()) {
                const ssize_t n = ::write(out[1], result.data() + done, result.size() - done);
                if (n <= 0)
                    ::_exit(1);
                done += static_cast<std::size_t>(n);
            }
            ::_exit(0);
        }
        ::close(out[1]);
        pids.push_back(pid);
        outputs.push_back(out[0]);
    }
    ::close(start[0]);
    ::close(start[1]);  // end of file on the start pipe releases every child at once
    std::vector<std::string> results;
    for (std::size_t i = 0; i < pids.size(); ++i) {
        std::string text;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(outputs[i], buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        ::close(outputs[i]);
        int status = 0;
        ::waitpid(pids[i], &status, 0);
        results.push_back(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "<failed>");
    }
    return results;
}

}  // namespace axo::storage::test
