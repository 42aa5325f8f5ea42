// axo-pap-cli statement end to end: the program is run as a process against a demo
// installation; the rows go to standard output, the CSV has the result record's fields, the
// error protocol's file is named by statement and period, and refusals and output that cannot
// be written exit non-zero.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pap/papVykazFiles.h"
#include "support/CliRun.h"
#include "support/Immutable.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ReadLines(const fs::path& file) {
    return Lines(axo::test::ReadFile(file));
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

    /// Runs the program; its standard output goes to `stdoutTarget` when one is given.
    static CliRun Cli(const std::string& args, const std::string& stdoutTarget = {}) {
        return axo::test::RunCli(dir_, args, "TMPDIR=" + axo::test::Quote(dir_.string()),
                                 stdoutTarget);
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
    const std::vector<std::string> rows = Lines(run.out);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ("I. Počáteční a koncové stavy a obraty na vybraných rozvahových účtech", rows[0]);
    EXPECT_EQ(0u, rows[1].rfind("Řádek St.anal.   Popis", 0));
    const std::vector<std::string> lines = ReadLines(csv);
    ASSERT_EQ(rows.size() - 1, lines.size());  // caption line against header line
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
    // Nothing but the CSV itself is left beside it.
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_NE('.', entry.path().filename().string()[0]) << entry.path();
}

TEST_F(StatementCommandTest, ProtocolsAreNamedByStatementAndPeriodAndNeverWrittenOver) {
    const fs::path out = dir_ / "protokoly";
    fs::create_directories(out);
    const std::vector<fs::path> expected = {out / "vykaz1-01-06-protokol.txt",
                                            out / "vykaz1-01-06-protokol-2.txt"};
    for (const fs::path& protocol : expected) {
        const CliRun run = Cli(InHome("statement 1 --from 1 --to 6 --output " + out.string()));
        ASSERT_EQ(0, run.code) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("Chybový protokol: " + protocol.string() + "\n"))
            << run.err;
    }
    const std::vector<std::string> lines = ReadLines(expected[0]);
    EXPECT_EQ(lines, ReadLines(expected[1]));
    EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
                  return l.find("chybový protokol [od 1 do 6/2023]") != std::string::npos;
              }));
    // The protocol ends with the legend of the marks it uses.
    const auto legend = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("Vysvětlivky značek:") != std::string::npos;
    });
    ASSERT_NE(lines.end(), legend);
    EXPECT_EQ(lines.end(), std::find_if(legend, lines.end(),
                                        [](const std::string& l) { return l.rfind("│", 0) == 0; }));
    // Every mark the lines use is explained.
    int marks = 0;
    for (const std::string mark : {"???", "nezad.", "neex.", "součet"}) {
        const bool used = std::any_of(lines.begin(), legend, [&](const std::string& l) {
            return l.rfind("│", 0) == 0 && l.find(mark) != std::string::npos;
        });
        const bool explained = std::any_of(legend, lines.end(), [&](const std::string& l) {
            return l.rfind("  " + mark + " ", 0) == 0;
        });
        EXPECT_EQ(used, explained) << mark;
        marks += used;
    }
    EXPECT_GT(marks, 0);
    fs::remove_all(out);
}

TEST_F(StatementCommandTest, OutputThatCannotBeWrittenFailsTheCommand) {
    struct Case {
        std::string args;
        std::string stdoutTarget;
        std::string message;
    } cases[] = {
        // Standard output on a full disk: the rows are lost, so is the run.
        {"statement 1 --from 1 --to 12", "/dev/full",
         "Chyba při zápisu na standardní výstup: na disku není volné místo."},
        {"statement 1 --from 1 --to 12 --csv /dev/full", "",
         "Soubor /dev/full nelze zapsat: na disku není volné místo."},
        {"statement 1 --from 1 --to 12 --csv " + dir_.string(), "",
         "Soubor " + dir_.string() + " nelze zapsat: cesta je adresář."},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(InHome(c.args), c.stdoutTarget);
        EXPECT_EQ(1, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.args << "\n" << run.err;
    }
}

TEST_F(StatementCommandTest, ACsvThatCannotBeWrittenLeavesTheOlderOne) {
    const fs::path dir = dir_ / "csv";
    fs::create_directories(dir);
    const fs::path csv = dir / "vykaz2.csv";
    std::ofstream(csv) << "starší obsah\n";
    CliRun run;
    {
        const axo::test::Immutable locked(dir);
        if (!locked.Made())
            GTEST_SKIP() << "the file system cannot make a directory immutable here";
        run = Cli(InHome("statement 2 --from 1 --to 12 --csv " + csv.string()));
    }
    EXPECT_EQ(1, run.code) << run.err;
    EXPECT_NE(std::string::npos,
              run.err.find("Soubor " + csv.string() + " nelze zapsat: operace není povolena."))
        << run.err;
    EXPECT_EQ(std::vector<std::string>{"starší obsah"}, ReadLines(csv));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    fs::remove_all(dir);
}

TEST_F(StatementCommandTest, RefusalsExitNonZero) {
    struct Case {
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {InHome("statement 14"), 2, "N je číslo výkazu 1 až 13, 15 nebo 16."},
        // Numbers are read whole, and a value the dialog would change is not taken changed.
        {InHome("statement 1abc"), 2, "N je číslo výkazu 1 až 13, 15 nebo 16."},
        {InHome("statement +1"), 2, "N je číslo výkazu 1 až 13, 15 nebo 16."},
        {InHome("statement 1 --from 1x"), 2, "Volba --from potřebuje celé číslo, ne \"1x\"."},
        {InHome("statement 4 --from -2 --to -4"), 1,
         "Hodnotu <-2> nelze zadat do položky <Zpracovat za období>."},
        {InHome("statement 4 --from 1 --to 123"), 1, "Hodnotu <123> nelze zadat do položky <až>."},
        {InHome("statement"), 2, "Použití: axo-pap-cli statement N"},
        {InHome("statement 1 --bogus 1"), 2, "Neznámá volba --bogus."},
        {InHome("statement 9"), 1, "Výkaz č. IX se od roku 2022 nepodává (byl zrušen)"},
        {InHome("statement 4 --from 5 --to 2"), 1, "Výkaz nebyl sestaven."},
        {InHome("statement 2 --csv /nonexistent-directory/v2.csv"), 1,
         "Soubor /nonexistent-directory/v2.csv nelze zapsat: soubor nebo adresář neexistuje."},
        {"statement 1 --home " + (dir_ / "skola").string(), 2, "--password"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.args << "\n" << run.err;
    }
}

TEST_F(StatementCommandTest, AllStatementsInOnePassAsEachAloneAndTheChecksBetweenParts) {
    const fs::path all = dir_ / "vse";
    const CliRun run = Cli(InHome("statements --from 1 --to 6 --csv-dir " + all.string()));
    ASSERT_EQ(0, run.code) << run.err;
    // 2023: every compiled statement but IX, each with its CSV as the statement command writes it.
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16}) {
        const fs::path one = dir_ / ("jeden" + std::to_string(n) + ".csv");
        ASSERT_EQ(0, Cli(InHome("statement " + std::to_string(n) + " --from 1 --to 6 --csv " +
                                one.string()))
                         .code);
        EXPECT_EQ(axo::test::ReadFile(one),
                  axo::test::ReadFile(all / ("vykaz" + std::to_string(n) + ".csv")))
            << n;
    }
    EXPECT_FALSE(fs::exists(all / "vykaz9.csv"));

    // The demo's faulty documents break the checks: listed, and the exit code says so.
    const CliRun check = Cli(InHome("crosscheck --from 1 --to 12"));
    EXPECT_EQ(1, check.code) << check.err;
    EXPECT_NE(std::string::npos, check.out.find("MD v IV.")) << check.out;
    EXPECT_NE(std::string::npos, check.out.find("rozdílů")) << check.out;
    EXPECT_EQ(2, Cli(InHome("crosscheck --from 7 --to 3")).code);
}

}  // namespace
}  // namespace axo::cli::test
