// axo-pap-cli init and info end to end: the program is run as a process, in a controlled
// environment, against installations it creates; refused start-ups exit non-zero with their
// message and leave the installation untouched.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "../startup/StartupTestSupport.h"
#include "support/CliRun.h"

namespace axo::cli::test {
namespace {

using axo::test::CliRun;
using axo::test::Quote;
using axo::test::ReadFile;
using axo::test::RunCli;
using startup::test::Flat;
using startup::test::ScratchDir;
using startup::test::Snapshot;
using startup::test::Tables;
using startup::test::TakeSnapshot;
namespace fs = std::filesystem;

class StartupCommandsTest : public ::testing::Test {
  protected:
    /// Runs the program with `args` (already quoted where needed) in an environment of its own:
    /// no password or home from the caller, a fixed computer identification.
    CliRun Cli(const std::string& args, const std::string& env = "") {
        return RunCli(dir_.Path(), args, env);
    }
    fs::path Home() const { return dir_.Path() / "skola"; }
    std::string HomeArg() const { return "--home " + Quote(Home().string()); }
    CliRun Init(const std::string& extra = "") {
        return Cli("init " + Quote(Home().string()) +
                   " --year 2024 --user NOVAK --password tajne --firm 'Škola Nová' "
                   "--ico 12345678 " +
                   extra);
    }

    ScratchDir dir_;
};

TEST_F(StartupCommandsTest, InitMakesAnInstallationThatInfoStartsIn) {
    const CliRun init = Init();
    ASSERT_EQ(0, init.code) << init.err;
    EXPECT_NE(std::string::npos, init.out.find("hospodářské roky 2023 a 2024"));
    const CliRun info = Cli(HomeArg() + " info --password tajne --year 2024");
    ASSERT_EQ(0, info.code) << info.err;
    const std::string home = Home().string();
    const std::string flat = Flat(info.out);
    for (const std::string& row : {
             std::string("Informace o systému AXO 1. Datum pro program 31.12.2024 [ systémové "
                         "datum počítače"),
             "2. Aktuální adresář (disk) " + home + "/ 3. Verze programu 2024W01/C1 05.03.2024",
             std::string("4. Rok účetního období 2024, 12/2024"),
             "5. Cesta k datům Účetnictví " + home + "/data/2024/ modulu Banka " + home,
             "Cesta ke společným číselníkům " + home + "/ciselniky/2024/",
             "k časově průběžným souborům " + home + "/prubezne/",
             "k tiskovým formulářům " + home + "/sablony/ Konfigurační soubor AXO.CFG",
             std::string("6. Heslo, jméno uživatele ZÁKLADNÍ, NOVAK (NOVAK) 7. Daň z přidané "
                         "hodnoty Uživatel není plátcem DPH. 8. Jméno účtové osnovy Rozv2024 9. "
                         "Číslo stanice, popis 000, Škola Nová 10. Národní měna Kč"),
         })
        EXPECT_NE(std::string::npos, flat.find(row)) << row << "\n" << info.out;
    Tables tables(Home());
    const auto user = tables.Users(Home() / "data" / "2024").at(0);
    EXPECT_EQ(startup::kNotLoggedIn, user.Prihl_UzivatelPrihlasen);  // info logged out again
}

TEST_F(StartupCommandsTest, PasswordUserAndMovedInstallation) {
    ASSERT_EQ(0, Init().code);
    const fs::path moved = dir_.Path() / "jinde";
    fs::rename(Home(), moved);  // every path inside is relative to the installation
    const std::string home = "--home " + Quote(moved.string());
    EXPECT_EQ(0, Cli(home + " info --year 2023", "AXO_PASSWORD=tajne").code);
    const CliRun noPassword = Cli(home + " info --year 2023");
    EXPECT_EQ(2, noPassword.code);
    EXPECT_NE(std::string::npos, noPassword.err.find("AXO_PASSWORD"));
    const CliRun otherUser = Cli(home + " info --year 2023 --user DVORAK --password tajne");
    EXPECT_EQ(1, otherUser.code);
    EXPECT_NE(std::string::npos, Flat(otherUser.err).find("obsahuje pro zadané heslo jiné jméno."));
    const CliRun unknown = Cli(home + " info --year 2023 --password tajne --colour red");
    EXPECT_EQ(2, unknown.code);
    EXPECT_NE(std::string::npos, unknown.err.find("--colour"));
}

TEST_F(StartupCommandsTest, InitAndInfoWorkInADeepHome) {
    const fs::path home = startup::test::DeepPath(dir_.Path() / "home", 120);
    const CliRun init = Cli("init " + Quote(home.string()) + " --year 2024 --password tajne");
    ASSERT_EQ(0, init.code) << init.err;
    const CliRun info =
        Cli("--home " + Quote(home.string()) + " info --password tajne --year 2024");
    ASSERT_EQ(0, info.code) << info.err;
    EXPECT_NE(std::string::npos, Flat(info.out).find("Účetnictví " + home.string() + "/data/2024/"))
        << info.out;
}

TEST_F(StartupCommandsTest, InitRefusesAnExistingInstallationUnlessForced) {
    ASSERT_EQ(0, Init().code);
    std::ofstream(Home() / "data" / "2024" / "UDPO2024.DB") << "accounting data";
    const CliRun again = Init();
    EXPECT_EQ(1, again.code);
    EXPECT_NE(std::string::npos, Flat(again.err).find("již instalace existuje."));
    const CliRun forced = Cli("init " + Quote(Home().string()) + " --year 2024 --force");
    EXPECT_EQ(0, forced.code) << forced.err;
    EXPECT_EQ("accounting data", ReadFile(Home() / "data" / "2024" / "UDPO2024.DB"));
    EXPECT_EQ(0, Cli(HomeArg() + " info --year 2024 --password ucetni").code);  // the default user
    struct Case {
        const char* args;
        const char* message;
    } invalid[] = {
        {"--year 24", "Hospodářský rok musí být rok o čtyřech číslicích."},
        {"--year 2024 --password dlouheheslo", "Heslo musí mít 1 až 7 znaků"},
        {"--year 2024 --user ''", "Jméno uživatele musí mít 1 až 7 znaků."},
        {"--year 2024 --password abc --supervisor abc",
         "Heslo správce se musí lišit od hesla uživatele."},
        {"--year 2024 --supervisor ''", "Heslo správce musí mít 1 až 7 znaků"},
    };
    for (const Case& c : invalid) {
        const CliRun run = Cli("init " + Quote((dir_.Path() / "nova").string()) + " " + c.args);
        EXPECT_EQ(1, run.code) << c.args;
        EXPECT_NE(std::string::npos, Flat(run.err).find(c.message)) << run.err;
        EXPECT_FALSE(fs::exists(dir_.Path() / "nova")) << c.args;
    }
}

TEST_F(StartupCommandsTest, DirectoriesWhosePathCannotBeKeptAreRefusedBeforeAnything) {
    ASSERT_EQ(0, Init().code);
    const fs::path omegaHome = dir_.Path() / "skola\u03A9";
    const fs::path omega = dir_.Path() / "xml\u03A9";
    const fs::path deep = startup::test::DeepPath(dir_.Path() / "vystupy", 256);
    const std::string session = HomeArg() + " --year 2024 --password tajne ";
    struct Case {
        const char* name;
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {"a new home", "init " + Quote(omegaHome.string()) + " --year 2024", 1,
         "obsahuje znak U+03A9"},
        {"the home of a run", "--home " + Quote(omegaHome.string()) + " info --password x", 1,
         "obsahuje znak U+03A9"},
        {"the XML directory", session + "xml 1 --dir " + Quote(omega.string()), 2,
         "Cesta [" + dir_.Path().string() + "/xml?] obsahuje znak U+03A9 (na"},
        {"the output directory", session + "--output " + Quote(omega.string()) + " statement 1", 2,
         "obsahuje znak U+03A9"},
        {"a long XML directory", session + "xml 1 --dir " + Quote(deep.string()), 2,
         "je příliš dlouhá: má 257 znaků, nejvýše smí mít 255."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Snapshot before = TakeSnapshot(Home());
        const CliRun run = Cli(c.args);
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_NE(std::string::npos, Flat(run.err).find(c.message)) << run.err;
        EXPECT_TRUE(before == TakeSnapshot(Home())) << "the installation was changed";
        for (const fs::path& notMade :
             {omegaHome, omega, dir_.Path() / "skola?", dir_.Path() / "xml?", deep})
            EXPECT_FALSE(fs::exists(notMade)) << notMade;
    }
}

TEST_F(StartupCommandsTest, AWaitForAnotherStationIsGivenUpAfterTheLimit) {
    ASSERT_EQ(0, Init().code);
    // Another station holds the table lock of the user file and keeps it.
    int ready[2];
    ASSERT_EQ(0, ::pipe(ready));
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open((Home() / "data" / "2024" / "AXO-USER.LCK").c_str(), O_RDWR);
        ::lseek(fd, 1, SEEK_SET);
        const char ok = fd >= 0 && ::lockf(fd, F_TLOCK, 1) == 0 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::sleep(60);
        ::_exit(0);
    }
    char ok = '0';
    ASSERT_EQ(1, ::read(ready[0], &ok, 1));
    ASSERT_EQ('1', ok);
    const CliRun run = Cli(HomeArg() + " --year 2024 --password tajne --wait 1 info");
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_NE(0, run.code);
    EXPECT_NE(std::string::npos, Flat(run.err).find("Čekání na přístup vzdáno po 1 s.")) << run.err;
    EXPECT_NE(std::string::npos, Flat(run.err).find("Nelze zamknout UŽIVATELSKÝ instalační soubor"))
        << run.err;
    // Without the holder the same command starts.
    EXPECT_EQ(0, Cli(HomeArg() + " --year 2024 --password tajne --wait 1 info").code);
}

TEST_F(StartupCommandsTest, RefusedStartUpsExitNonZeroAndWriteNothing) {
    ASSERT_EQ(0, Init().code);
    const fs::path data = Home() / "data" / "2024";
    struct Case {
        const char* name;
        std::function<void()> spoil;
        std::string args;
        const char* message;
    } cases[] = {
        {"no year given, today outside the table", [] {}, "",
         "Hospodářský rok zadejte volbou --year (kód cesty roku, např. --year 2024)"},
        {"fiscal year outside the table", [] {}, "--year 2030",
         "Zadaný hospodářský rok není definován v programovém instalačním souboru [2030]."},
        {"date outside the table", [] {}, "--date 1.1.2019",
         "Datum je mimo rozsah tabulky přípustných hospodářských roků!"},
        {"wrong password", [] {}, "--year 2024 --password jine", "Zadané heslo není správné."},
        {"unknown station",
         [this] { Tables(Home()).EditProgram([](startup::tVetaAXO& p) { p.Prodejce = 90; }); },
         "--year 2024 --station 5", "Dříve vybraný zákaznik neexistuje."},
        {"data version 2024W02",
         [this, data] {
             Tables tables(Home());
             tables.EditProgram([](startup::tVetaAXO& p) {
                 p.CisloVerze = "2024W02"_t;
                 p.Prodejce = 0;
             });
             for (const fs::path& d : {data, Home() / "ciselniky" / "2024"})
                 tables.EditData(d, [](startup::tVetaAXO_DATA& r) { r.CisloVerze = "2024W02"_t; });
         },
         "--year 2024", "NESOUHLASÍ ČÍSLO VERZE. Verze dat: 2024W02 Verze programu: 2024W01"},
        {"missing data area", [this] { fs::remove_all(Home() / "ciselniky" / "2024"); },
         "--year 2024", "Neexistuje adresář ["},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        const Snapshot before = TakeSnapshot(Home());
        const CliRun run = Cli(HomeArg() + " info --password tajne " + c.args);
        EXPECT_EQ(1, run.code);
        EXPECT_NE(std::string::npos, Flat(run.err).find(c.message)) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(before == TakeSnapshot(Home())) << "the installation was changed";
    }
    const CliRun missing = Cli("--home " + Quote(dir_.Path().string()) + " info --password x");
    EXPECT_EQ(1, missing.code);
    EXPECT_NE(std::string::npos, Flat(missing.err).find("Neexistuje PROGRAMOVY instalacni soubor"));
    EXPECT_NE(std::string::npos, Flat(missing.err).find("axo-pap-cli init ADRESÁŘ --year RRRR"))
        << missing.err;
}

}  // namespace
}  // namespace axo::cli::test
