// Running axo-pap-cli as a process for end-to-end tests: in an environment of its own (no
// password or home of the caller, a fixed computer identification), its exit code, standard
// output and error output taken back for the test.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace axo::test {

/// What one run of a command left: its exit code (-1 when it did not exit), its standard output
/// and its error output.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

/// The bytes of `file` (empty when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// A word for the shell, quoted.
inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

/// Runs a shell command with no standard input, its outputs kept in files of `scratch`. Its
/// standard output goes to `stdoutTo` instead when one is given (and is not read back then).
inline CliRun RunShell(const std::filesystem::path& scratch, const std::string& command,
                       const std::filesystem::path& stdoutTo = {}) {
    const std::filesystem::path out = stdoutTo.empty() ? scratch / "out.txt" : stdoutTo;
    const std::filesystem::path err = scratch / "err.txt";
    const int status = std::system(
        (command + " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null")
            .c_str());
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (stdoutTo.empty())
        run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
}

/// The program's command line `args` (quoted where needed) in an environment of its own, with
/// the variables `env` ("NAME=value ...") added.
inline std::string CliCommand(const std::string& program, const std::string& args,
                              const std::string& env = "") {
    return "env -u AXO_PASSWORD -u AXO_HOME AXO_COMPUTER_ID=0000ABCD " + env + " " +
           Quote(program) + " " + args;
}

/// Runs axo-pap-cli with `args` (quoted where needed) in the directory `dir`, which also keeps
/// its outputs, with the variables `env` added; standard output to `stdoutTo` when one is given.
inline CliRun RunCli(const std::filesystem::path& dir, const std::string& args,
                     const std::string& env = "", const std::filesystem::path& stdoutTo = {}) {
    return RunShell(dir, "cd " + Quote(dir.string()) + " && " + CliCommand(AXO_CLI_PATH, args, env),
                    stdoutTo);
}

/// As RunCli, with temporary files in `dir`/tmp (which the caller creates).
inline CliRun RunCliTmp(const std::filesystem::path& dir, const std::string& args) {
    return RunCli(dir, args, "TMPDIR=" + Quote((dir / "tmp").string()));
}

}  // namespace axo::test
