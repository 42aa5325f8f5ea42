// axo-pap-cli admin end to end: a fatal storage error leaves its crash mark, the supervisor sees
// it, rebuilds the damaged table, clears the mark and ends the login left behind, and the user
// works again; the refusals of the command; the rebuild of every table.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "StartupTestSupport.h"
#include "storage/SqliteEngine.h"
#include "support/CliRun.h"

namespace axo::startup::test {
namespace {

using axo::test::CliRun;
using axo::test::Quote;
using axo::test::RunCli;

void RunSql(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    storage::ConfigureConnection(db, 1000);
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(SQLITE_OK, rc) << sql;
}

bool Has(const std::string& text, const std::string& part) {
    return Flat(text).find(part) != std::string::npos;
}

class AdministrationTest : public ::testing::Test {
  protected:
    /// The demo organisation, made once per test program and copied for each test.
    AdministrationTest() {
        static ScratchDir templateDir;
        static const fs::path made = [] {
            const fs::path home = templateDir.Path() / "skola";
            const CliRun run = RunCli(templateDir.Path(), "demo-install " + Quote(home.string()) +
                                                              " --year 2024 --lines 300");
            EXPECT_EQ(0, run.code) << run.err;
            return home;
        }();
        fs::copy(made, Home(), fs::copy_options::recursive);
    }

    fs::path Home() const { return dir_.Path() / "skola"; }
    /// The program in the installation: the work as the user, "admin ..." as the supervisor.
    CliRun Cli(const std::string& args, const std::string& password = "ucetni") {
        return RunCli(dir_.Path(),
                      "--home " + Quote(Home().string()) + " --password " + password + " " + args);
    }
    CliRun Admin(const std::string& args) { return Cli("admin " + args, "spravce"); }

    ScratchDir dir_;
};

TEST_F(AdministrationTest, TheSupervisorMendsWhatAFatalErrorLeftBehind) {
    // The accounting lines lose an index: the statement ends with the fatal report, which names
    // the rebuild, and marks the crash.
    RunSql(Home() / "data" / "2024" / "UDPO2024.DB", "DROP INDEX INDEX_02");
    const CliRun failed = Cli("--year 2024 statement 1");
    EXPECT_EQ(2, failed.code);
    EXPECT_TRUE(Has(failed.err, "Proveďte rekonstrukci indexů.")) << failed.err;
    EXPECT_TRUE(Has(failed.err, "(správce: axo-pap-cli admin rebuild UDPO2024)")) << failed.err;
    const CliRun refused = Cli("--year 2024 info");
    EXPECT_EQ(1, refused.code);
    EXPECT_TRUE(Has(refused.err, "byla indikována havárie uživatele")) << refused.err;
    EXPECT_TRUE(Has(refused.err, "axo-pap-cli admin clear-crash")) << refused.err;

    const CliRun status = Admin("status");
    ASSERT_EQ(0, status.code) << status.err;
    EXPECT_TRUE(Has(status.out, "žádný program v ní neběží")) << status.out;
    EXPECT_TRUE(Has(status.out,
                    "data/2024/ UCETNI přihlášen (1x, stanice 000, počítač 0000ABCD, "
                    "moduly X,"))
        << status.out;
    EXPECT_TRUE(Has(status.out, "HAVÁRIE")) << status.out;
    EXPECT_TRUE(Has(status.out, "Indikované havárie: 2")) << status.out;  // data and code lists

    const CliRun rebuilt = Admin("rebuild udpo2024.db");
    EXPECT_EQ(0, rebuilt.code) << rebuilt.err;
    EXPECT_TRUE(Has(rebuilt.out, "Rekonstrukce indexů data/2024/UDPO2024.DB: hotovo"))
        << rebuilt.out;
    const CliRun cleared = Admin("clear-crash ucetni");
    EXPECT_EQ(0, cleared.code) << cleared.err;
    EXPECT_TRUE(Has(cleared.out, "zrušena v uživatelských souborech: 2")) << cleared.out;
    const CliRun loggedOut = Admin("logout UCETNI");
    EXPECT_EQ(0, loggedOut.code) << loggedOut.err;
    EXPECT_TRUE(Has(Admin("status").out, "data/2024/ UCETNI nepřihlášen"));

    const CliRun again = Cli("--year 2024 statement 1");
    EXPECT_EQ(0, again.code) << again.err;
    for (const auto& user : Tables(Home()).Users(Home() / "data" / "2024")) {
        EXPECT_EQ(0, user.Prihl_Havarie);
        EXPECT_EQ(kNotLoggedIn, user.Prihl_UzivatelPrihlasen);
    }
}

TEST_F(AdministrationTest, RefusalsSayWhy) {
    struct Case {
        const char* name;
        std::string args;
        int code;
        const char* message;
    } cases[] = {
        {"no password", "admin status", 2, "Heslo správce systému zadejte"},
        {"the user's password", "--password ucetni admin status", 1,
         "Zadané heslo není heslem správce systému."},
        {"an unknown action", "--password spravce admin repair", 2, "Použití:"},
        {"a user nobody knows", "--password spravce admin clear-crash NIKDO", 1,
         "Uživatel NIKDO není v žádném uživatelském instalačním souboru."},
        {"a table the installation has not", "--password spravce admin rebuild NIC", 1,
         "Tabulka NIC v instalaci není."},
        {"a rebuild of what", "--password spravce admin rebuild", 2, "Použití:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = RunCli(dir_.Path(), "--home " + Quote(Home().string()) + " " + c.args);
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_TRUE(Has(run.err, c.message)) << run.err;
    }
    // While a program runs in the installation a login is ended only when told.
    int ready[2];
    ASSERT_EQ(0, ::pipe(ready));
    const pid_t program = ::fork();
    if (program == 0) {
        // A program holds its installation open: a shared lock on the open slot.
        const int fd = ::open((Home() / "AXO.LCK").c_str(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        lock.l_len = 1;
        const char ok = fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &lock) == 0 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        for (;;)
            ::pause();
    }
    char ok = '0';
    ASSERT_EQ(1, ::read(ready[0], &ok, 1));
    EXPECT_EQ('1', ok);
    const CliRun running = Admin("logout UCETNI");
    const CliRun status = Admin("status");
    const CliRun forced = Admin("logout UCETNI --force");
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(1, running.code);
    EXPECT_TRUE(Has(running.err, "V instalaci právě běží programy.")) << running.err;
    EXPECT_TRUE(Has(status.out, "programy v ní právě běží")) << status.out;
    EXPECT_EQ(0, forced.code) << forced.err;
    // An installation without a supervisor password cannot be administered.
    Tables(Home()).EditProgram([](tVetaAXO& p) { p.HesloSupervizora = Text(); });
    const CliRun none = Admin("status");
    EXPECT_EQ(1, none.code);
    EXPECT_TRUE(Has(none.err, "není zadáno heslo správce")) << none.err;
}

TEST_F(AdministrationTest, EveryTableIsRebuiltAndStaleWorkFilesAreListed) {
    std::ofstream(Home() / "temp" / "!WK1234567.DB") << "left by a killed run";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(Home() / "temp" / "!WK1234567.DB", old);
    const CliRun status = Admin("status");
    EXPECT_TRUE(Has(status.out, "Pracovní soubory skončených běhů v temp/: 1")) << status.out;
    EXPECT_TRUE(Has(status.out, "!WK1234567.DB")) << status.out;

    const CliRun all = Admin("rebuild --all");
    EXPECT_EQ(0, all.code) << all.err;
    for (const char* table :
         {"AXO.DB", "data/2024/AXO-DATA.DB", "data/2024/AXO-USER.DB", "ciselniky/2023/AXO-USER.DB",
          "data/2024/UDPO2024.DB", "data/2024/UDHL2024.DB", "ciselniky/2024/Rozv2024.DB",
          "ciselniky/2024/UAPV2024.DB", "ciselniky/2024/UKod2024.DB"})
        EXPECT_TRUE(Has(all.out, std::string("Rekonstrukce indexů ") + table + ": hotovo"))
            << table << "\n"
            << all.out;
    EXPECT_EQ(std::string::npos, all.out.find("neprovedena")) << all.out;
    EXPECT_EQ(0, Cli("--year 2024 statement 1").code);
}

}  // namespace
}  // namespace axo::startup::test
