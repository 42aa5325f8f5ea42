// Running axo-pap-cli in a test directory: the command line given, its exit code, standard
// output and standard error; the environment cleared of the password and home variables and the
// computer fixed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace axo::cli::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Runs the program with `args` (shell words) in `dir`, temporary files in `dir`/tmp.
inline CliRun RunCli(const std::filesystem::path& dir, const std::string& args) {
    const std::filesystem::path out = dir / "out.txt";
    const std::filesystem::path err = dir / "err.txt";
    const std::string command =
        "cd " + dir.string() +
        " && env -u AXO_PASSWORD -u AXO_HOME TMPDIR=" + (dir / "tmp").string() +
        " AXO_COMPUTER_ID=0000ABCD " + AXO_CLI_PATH + " " + args + " >" + out.string() + " 2>" +
        err.string() + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

}  // namespace axo::cli::test
