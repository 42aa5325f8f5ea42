// An installation of the year 2024 made by axo-pap-cli itself for the end-to-end tests of a
// suite: a scratch directory of the suite with temporary files in tmp/, the home "skola" made by
// init, the steps that fill it run in that home, and the context for writing its code lists
// through their file kinds.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pap/PapFiles.h"
#include "support/CliRun.h"
#include "ui/ScriptedUi.h"

namespace axo::test {

/// A command line the program refuses: its exit code and a part of its error output.
struct CliRefusal {
    std::string args;
    int code;
    std::string message;
};

/// The base of a suite working in one installation; `Suite` gives each suite a directory of
/// its own.
template <class Suite>
class CliInstallationTest : public ::testing::Test {
  protected:
    /// Makes the directory named `stem` and the process id anew and the home by "init".
    static void Install(const std::string& stem) {
        dir_ = std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "tmp");
        ASSERT_EQ(0, Cli("init " + Home().string() + " --year 2024").code);
    }
    /// Runs each of `steps` in the home; each must succeed.
    static void RunInHome(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            const CliRun run = InHome(step);
            ASSERT_EQ(0, run.code) << step << "\n" << run.err;
        }
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }

    static std::filesystem::path Home() { return dir_ / "skola"; }
    /// Writes `text` to the file `name` of the directory and gives its path.
    static std::filesystem::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static CliRun Cli(const std::string& args) { return RunCliTmp(dir_, args); }
    /// `args` run in the home with the password and the year of the installation.
    static CliRun InHome(const std::string& args) {
        return Cli(args + " --home " + Home().string() + " --password ucetni --year 2024");
    }

    /// Runs each of `cases` in the home and expects its exit code and message.
    static void ExpectRefusals(const std::vector<CliRefusal>& cases) {
        for (const CliRefusal& c : cases) {
            const CliRun run = InHome(c.args);
            EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
            EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.args << "\n" << run.err;
        }
    }

    static inline std::filesystem::path dir_;
};

/// What writing the code lists of 2024 in the home `home` through their file kinds needs.
struct CodeListPlace {
    explicit CodeListPlace(const std::filesystem::path& home)
        : where{home / "data/2024", home / "ciselniky/2024", "2024"_t, 3} {
        ctx.ui = &ui;
        ctx.programDirectory = home;
        ctx.currentDirectory = home;
    }
    CodeListPlace(const CodeListPlace&) = delete;
    CodeListPlace& operator=(const CodeListPlace&) = delete;

    ui::ScriptedUi ui;
    storage::DataContext ctx;
    const pap::PapLocation where;
};

}  // namespace axo::test
