// Running other programs of the installation and of the system: always by an argument vector,
// never through a shell, so that file names with blanks or quotes reach them intact. A program
// is either waited for with its output captured, or started and left running (a viewer).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace axo::ui {

/// How a program ran.
struct ProgramResult {
    bool started = false;     ///< false: it could not be run at all (missing, not executable)
    int exitCode = -1;        ///< its exit code; 128 + the signal number when a signal ended it
    std::string output;       ///< what it wrote to standard output
    std::string errorOutput;  ///< what it wrote to standard error
};

/// Runs `program` with `arguments` (without the program name) and waits for it. `input` is
/// written to its standard input, which is then closed. `environment` (NAME=VALUE entries),
/// when given, replaces the process environment. A program name without "/" is looked up in
/// PATH. Never throws; a program that cannot be started gives `started` false.
ProgramResult RunProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments, std::string_view input = {},
                         const std::vector<std::string>* environment = nullptr);

/// Starts `program` with `arguments` and leaves it running on its own (no zombie is left
/// behind). A program name without "/" is looked up in PATH. Returns false when it could not
/// be started.
bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments);

/// The first executable file called `name` in the directories of `searchPath` (":"-separated);
/// empty when there is none. A name holding "/" is returned as it is when it is executable.
std::filesystem::path FindProgram(const std::string& name, std::string_view searchPath);

/// Whether `file` is a regular file the process may execute.
bool IsExecutableFile(const std::filesystem::path& file);

}  // namespace axo::ui
