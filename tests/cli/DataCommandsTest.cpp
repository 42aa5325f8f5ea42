// axo-pap-cli data commands end to end: a demo installation is created by the program run as a
// process, then filled by the imports; refused files exit non-zero, name their lines and leave
// the tables' files exactly as they were; unbalanced documents are listed or refused; a disk
// that becomes full during an import is reported as full and freed again, and what a killed
// import staged goes at the next start.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/CliRun.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;
using axo::test::ReadFile;

/// Writes a text to a file of /proc/self; false when it is refused.
bool WriteProc(const char* file, const std::string& text) {
    const int fd = ::open(file, O_WRONLY);
    const bool ok =
        fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (fd >= 0)
        ::close(fd);
    return ok;
}

/// Runs `body` in a child process in which `dir` is a file system of `bytes` bytes of its own
/// (a tmpfs in a private mount namespace); the child's exit code, or -1 when the system does
/// not let a process have one.
int OnSmallDisk(const fs::path& dir, std::uintmax_t bytes, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWNS) != 0 &&
            (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
             !WriteProc("/proc/self/setgroups", "deny") ||
             !WriteProc("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
             !WriteProc("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")))
            ::_exit(77);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir.c_str(), "tmpfs", 0, ("size=" + std::to_string(bytes)).c_str()) !=
                0)
            ::_exit(77);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return code == 77 ? -1 : code;
}

/// The room the files below `dir` take on a tmpfs (whole pages).
std::uintmax_t PagesOf(const fs::path& dir) {
    std::uintmax_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file())
            total += (e.file_size() + 4095) / 4096 * 4096;
    return total;
}

std::uintmax_t FreeBytes(const fs::path& dir) {
    struct statvfs st {};
    return ::statvfs(dir.c_str(), &st) == 0 ? std::uintmax_t{st.f_bavail} * st.f_frsize : 0;
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
    static CliRun Cli(const std::string& args) { return axo::test::RunCli(dir_, args); }
    static CliRun InHome(const std::string& args) {
        return Cli(args + " --home " + Home().string() + " --password ucetni --year 2024");
    }
    static fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static std::string Lines() { return ReadFile(Home() / "data/2024/UDPO2024.DB"); }

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

TEST_F(DataCommandsTest, UnbalancedDocumentsAreCountedAndListedOrRefused) {
    const std::string before = Lines();
    const fs::path file = Write("nevyvazene.csv",
                                "doklad;radek;su;ae;md;dal\n"
                                "202411ID01 9101;1;501;200;10;\n"
                                "202411ID01 9101;2;241;100;;9,99\n"
                                "202411ID01 9102;1;501;200;10;\n"
                                "202411ID01 9102;2;241;100;;10\n");
    CliRun run = InHome("import-journal " + file.string() + " --strict");
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos,
              run.err.find("řádek 2: doklad \"202411ID01 9101\" není vyvážený: MD 10,00, DAL"))
        << run.err;
    EXPECT_EQ(before, Lines());

    run = InHome("import-journal " + file.string());
    ASSERT_EQ(0, run.code) << run.err;
    const std::string prefix =
        "Účetní doklady: dokladů 2, řádků 4, nahrazených dokladů 0.\n"
        "Nevyvážené doklady: 1, seznam v protokolu ";
    ASSERT_EQ(0u, run.out.rfind(prefix, 0)) << run.out;
    const std::string protocol =
        ReadFile(run.out.substr(prefix.size(), run.out.size() - prefix.size() - 2));
    EXPECT_NE(std::string::npos, protocol.find("202411ID01 9101")) << protocol;
    EXPECT_EQ(std::string::npos, protocol.find("202411ID01 9102")) << protocol;
}

TEST_F(DataCommandsTest, FullDiskDuringJournalImportIsReportedAndFreed) {
    // Far more lines than the disk's room: the import fails in its staged tables.
    std::string csv = "doklad;radek;su;ae;md;dal\n";
    for (int d = 1; d <= 15000; ++d) {
        const std::string id =
            "202411ID02" + std::string(5 - std::to_string(d).size(), ' ') + std::to_string(d);
        csv += id + ";1;501;200;10;\n" + id + ";2;241;100;;10\n";
    }
    const fs::path file = Write("velky.csv", csv);
    const fs::path disk = dir_ / "disk";
    fs::create_directories(disk);
    const std::uintmax_t installation = PagesOf(Home());
    // Room for a part of the staged tables: the disk fills in the write log or in the table.
    for (const std::uintmax_t room : {256u << 10, 1u << 20, 3u << 20}) {
        const fs::path report = dir_ / "report.txt";
        const int code = OnSmallDisk(disk, installation + room, [&] {
            std::error_code ec;
            fs::copy(Home(), disk / "skola", fs::copy_options::recursive, ec);
            const std::uintmax_t freeBefore = FreeBytes(disk);
            const CliRun run = Cli("import-journal " + file.string() + " --home " +
                                   (disk / "skola").string() + " --password ucetni --year 2024");
            std::ofstream(report) << run.code << "\n"
                                  << fs::exists(disk / "skola/data/2024/!IMP_UDPO2024") << "\n"
                                  << (FreeBytes(disk) + (256u << 10) >= freeBefore) << "\n"
                                  << ec.value() << "\n"
                                  << run.err;
            return 0;
        });
        if (code < 0)
            GTEST_SKIP() << "this system lets no test have a file system of its own";
        ASSERT_EQ(0, code);
        std::ifstream in(report);
        int exit = 0, staged = 0, freed = 0, copyError = 0;
        in >> exit >> staged >> freed >> copyError;
        const std::string err{std::istreambuf_iterator<char>(in), {}};
        ASSERT_EQ(0, copyError) << room;
        EXPECT_NE(0, exit) << room;
        EXPECT_NE(std::string::npos, err.find("Disk full.")) << room << "\n" << err;
        EXPECT_EQ(std::string::npos, err.find("Key violation")) << room << "\n" << err;
        EXPECT_EQ(0, staged) << room << ": the staged tables stayed";
        EXPECT_EQ(1, freed) << room << ": the disk stayed full";
    }
}

TEST_F(DataCommandsTest, WhatAKilledImportStagedGoesAtTheNextStart) {
    const fs::path staging = Home() / "data/2024/!IMP_UDPO2024";
    fs::create_directories(staging);
    Write("staged", std::string(4096, 'x'));
    fs::copy_file(dir_ / "staged", staging / "UDPO2024.DB");
    const CliRun run = InHome("info");
    EXPECT_EQ(0, run.code) << run.err;
    EXPECT_FALSE(fs::exists(staging));
}

TEST_F(DataCommandsTest, CodeListsChartAndFill) {
    struct Case {
        std::string args;
        int code;
        std::string out;
        std::string err = {};
    } cases[] = {
        // The lists have codes: they are replaced only when that is asked for.
        {"import-ukod " + (Home() / "UKod.txt").string(), 1, "",
         "Číselník nahradí příkaz s volbou --replace."},
        {"import-ukod " + (Home() / "UKod.txt").string() + " --replace", 0,
         "Číselník kódů transakce: zapsáno 49, přeskočeno řádků 0.\n"},
        {"import-upap " + (Home() / "UPAP.txt").string(), 1, "", "Nebude nahrazen."},
        {"import-upap " + (Home() / "UPAP.txt").string() + " --replace", 0,
         "Číselník PAP pro výkazy: zapsáno 108, přeskočeno řádků 0.\n"},
        {"import-upap " + (Home() / "UPAP_07").string(), 0,
         "Číselník PAP pro výkazy: zapsáno 20, přeskočeno řádků 0.\n"},
        {"import-chart " + Write("u.csv",
                                 "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                 "501;950;Test;N;1;5012\n")
                               .string(),
         0, "Účtový rozvrh: nových účtů 1, změněných 0. Údaje PAP doplní příkaz fill-chart.\n"},
        // The changed accounts are listed, the account withdrawn from statement II too.
        {"fill-chart", 0,
         "501/950  5012 -> 5012 výk. 2\n518/900  - výk. 2 -> -\n"
         "Účtový rozvrh je doplněn z číselníku PAP, změněných účtů: 2.\n"},
        {"import-upap " + (dir_ / "chybi.txt").string(), 1, ""},
        {"import-chart", 2, ""},
        {"fill-chart --bogus 1", 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = InHome(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_EQ(c.out, run.out) << c.args;
        EXPECT_NE(std::string::npos, run.err.find(c.err)) << c.args << "\n" << run.err;
    }
}

}  // namespace
}  // namespace axo::cli::test
