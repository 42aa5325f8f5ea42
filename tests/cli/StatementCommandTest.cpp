// axo-pap-cli statement end to end: the program is run as a process against a demo
// installation; the rows go to standard output, the CSV has the result record's fields, the
// error protocol's file is named, and refusals exit non-zero.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pap/papVykazFiles.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::vector<std::string> out;
    std::string err;
};

std::vector<std::string> ReadLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class StatementCommandTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-statement-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const CliRun demo =
            Cli("demo-install " + (dir_ / "skola").string() + " --year 2023 --lines 400 --seed 11");
        ASSERT_EQ(0, demo.code) << demo.err;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static CliRun Cli(const std::string& args) {
        const fs::path out = dir_ / "out.txt";
        const fs::path err = dir_ / "err.txt";
        const std::string command = "cd " + dir_.string() +
                                    " && env -u AXO_PASSWORD -u AXO_HOME TMPDIR=" + dir_.string() +
                                    " AXO_COMPUTER_ID=0000ABCD " + AXO_CLI_PATH + " " + args +
                                    " >" + out.string() + " 2>" + err.string() + " </dev/null";
        const int status = std::system(command.c_str());
        CliRun run;
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadLines(out);
        std::ifstream e(err);
        run.err = std::string(std::istreambuf_iterator<char>(e), {});
        return run;
    }
    static std::string InHome(const std::string& args) {
        return args + " --home " + (dir_ / "skola").string() + " --password ucetni --year 2023";
    }

    static inline fs::path dir_;
};

TEST_F(StatementCommandTest, RowsOnStandardOutputAndTheResultAsCsv) {
    const fs::path csv = dir_ / "vykaz1.csv";
    const CliRun run = Cli(InHome("statement 1 --from 1 --to 12 --csv " + csv.string()));
    ASSERT_EQ(0, run.code) << run.err;
    ASSERT_GE(run.out.size(), 3u);
    EXPECT_EQ("I. Počáteční a koncové stavy a obraty na vybraných rozvahových účtech", run.out[0]);
    EXPECT_EQ(0u, run.out[1].rfind("Řádek St.anal.   Popis", 0));
    const std::vector<std::string> lines = ReadLines(csv);
    ASSERT_EQ(run.out.size() - 1, lines.size());  // caption line against header line
    std::string header;
    for (const pap::ResultField& f : pap::ResultFields())
        header += (header.empty() ? "" : ";") + ToUtf8(f.name);
    EXPECT_EQ(header, lines[0]);
    EXPECT_EQ(0u, lines[1].rfind("1;I. Počáteční a koncové stavy a obraty na vybraných "
                                 "rozvahových účtech;1;12;2023;31.12.2023;",
                                 0));
    // The protocol's file is named.
    const std::string label = "Chybový protokol: ";
    const std::size_t at = run.err.find(label);
    ASSERT_NE(std::string::npos, at) << run.err;  // the demo data hold lines in error
    const std::size_t from = at + label.size();
    const std::string path = run.err.substr(from, run.err.find('\n', from) - from);
    EXPECT_TRUE(fs::exists(path)) << path;
}

TEST_F(StatementCommandTest, RefusalsExitNonZero) {
    struct Case {
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {InHome("statement 14"), 2, "N je číslo výkazu 1 až 13, 15 nebo 16."},
        {InHome("statement"), 2, "Použití: axo-pap-cli statement N"},
        {InHome("statement 1 --bogus 1"), 2, "Neznámá volba --bogus."},
        {InHome("statement 9"), 1, "Výkaz č. IX se od roku 2022 nepodává (byl zrušen)"},
        {InHome("statement 4 --from 5 --to 2"), 1, "Výkaz nebyl sestaven."},
        {InHome("statement 2 --csv /nonexistent-directory/v2.csv"), 1,
         "Soubor /nonexistent-directory/v2.csv nelze zapsat."},
        {"statement 1 --home " + (dir_ / "skola").string(), 2, "--password"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.args << "\n" << run.err;
    }
}

}  // namespace
}  // namespace axo::cli::test
