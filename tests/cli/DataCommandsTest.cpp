// axo-pap-cli data commands end to end: a demo installation is created by the program run as a
// process, then filled by the imports; refused files exit non-zero, name their lines and leave
// the tables' files exactly as they were.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataCommandsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-data-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const CliRun demo = Cli("demo-install " + Home().string() + " --year 2024 --lines 600");
        ASSERT_EQ(0, demo.code) << demo.err;
        ASSERT_NE(std::string::npos, demo.out.find("Ukázková instalace je založena")) << demo.out;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static fs::path Home() { return dir_ / "skola"; }
    static CliRun Cli(const std::string& args) {
        const fs::path out = dir_ / "out.txt";
        const fs::path err = dir_ / "err.txt";
        const std::string command =
            "cd " + dir_.string() +
            " && env -u AXO_PASSWORD -u AXO_HOME AXO_COMPUTER_ID=0000ABCD " + AXO_CLI_PATH + " " +
            args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out), Read(err)};
    }
    static CliRun InHome(const std::string& args) {
        return Cli(args + " --home " + Home().string() + " --password ucetni --year 2024");
    }
    static fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static std::string Lines() { return Read(Home() / "data/2024/UDPO2024.DB"); }

    static inline fs::path dir_;
};

TEST_F(DataCommandsTest, JournalImportAllOrNothing) {
    const std::string before = Lines();
    const fs::path bad = Write("bad.csv",
                               "doklad;radek;su;ae;md;dal\n"
                               "202411ID01 9001;1;501;200;10;\n"
                               "202411ID01 9001;2;241;100;;1O\n");
    CliRun run = InHome("import-journal " + bad.string());
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("řádek 3: neplatná částka \"1O\" ve sloupci dal"))
        << run.err;
    EXPECT_EQ(before, Lines());

    const fs::path good = Write("good.csv",
                                "doklad;radek;su;ae;md;dal;kod\n"
                                "202411ID01 9001;1;501;200;10;;\n"
                                "202411ID01 9001;2;241;100;;10;851\n");
    run = InHome("import-journal " + good.string());
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_EQ("Účetní doklady: dokladů 1, řádků 2, nahrazených dokladů 0.\n", run.out);
    const std::string imported = Lines();
    run = InHome("import-journal " + good.string());
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("už v účetnictví je")) << run.err;
    EXPECT_EQ(imported, Lines());
    run = InHome("import-journal " + good.string() + " --replace");
    EXPECT_EQ(0, run.code) << run.err;
    EXPECT_EQ("Účetní doklady: dokladů 1, řádků 2, nahrazených dokladů 1.\n", run.out);
}

TEST_F(DataCommandsTest, CodeListsChartAndFill) {
    struct Case {
        std::string args;
        int code;
        std::string out;
    } cases[] = {
        // The lists have codes: they are replaced only when that is asked for.
        {"import-ukod " + (Home() / "UKod.txt").string(), 1, ""},
        {"import-ukod " + (Home() / "UKod.txt").string() + " --replace", 0,
         "Číselník kódů transakce: zapsáno 49, přeskočeno řádků 0.\n"},
        {"import-upap " + (Home() / "UPAP.txt").string(), 1, ""},
        {"import-upap " + (Home() / "UPAP.txt").string() + " --replace", 0,
         "Číselník PAP pro výkazy: zapsáno 108, přeskočeno řádků 0.\n"},
        {"import-upap " + (Home() / "UPAP_07").string(), 0,
         "Číselník PAP pro výkazy: zapsáno 20, přeskočeno řádků 0.\n"},
        {"import-chart " + Write("u.csv",
                                 "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                 "501;950;Test;N;1;5012\n")
                               .string(),
         0, "Účtový rozvrh: nových účtů 1, změněných 0. Údaje PAP doplní příkaz fill-chart.\n"},
        {"fill-chart", 0, "Účtový rozvrh je doplněn z číselníku PAP.\n"},
        {"import-upap " + (dir_ / "chybi.txt").string(), 1, ""},
        {"import-chart", 2, ""},
        {"fill-chart --bogus 1", 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = InHome(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_EQ(c.out, run.out) << c.args;
    }
}

}  // namespace
}  // namespace axo::cli::test
