// axo-pap-cli forms end to end, the program run as a process on a demo installation: the
// catalogue of forms and templates by type and mask, a shipped form exported exactly as it
// ships and imported again, refused form files and command files, and the chart of
// accounts, the code lists and an address printed from the command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include "FormsTestSupport.h"
#include "support/CliRun.h"

namespace axo::printforms {
namespace {

using testing::ReadFile;
using testing::WriteFile;
namespace fs = std::filesystem;

using axo::test::CliRun;

class FormsCliTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-forms-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const CliRun demo = Cli("demo-install " + Home().string() + " --year 2024 --lines 100");
        ASSERT_EQ(0, demo.code) << demo.err;
        // Only the templates of the cases below, in place of the shipped ones.
        fs::remove_all(Home() / "sablony");
        fs::create_directories(Home() / "sablony");
        for (const char* name : {"PAP_VYKAZY XI Výkaz XI.pts", "PAP_VYKAZY.pts"})
            WriteFile(Home() / "sablony" / name, "");
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static fs::path Home() { return dir_ / "skola"; }
    static CliRun Cli(const std::string& args) { return axo::test::RunCli(dir_, args); }
    static CliRun Forms(const std::string& args) {
        return Cli("--home " + Home().string() + " --password ucetni --year 2024 forms " + args);
    }
    static fs::path Write(const std::string& name, const std::string& text) {
        WriteFile(dir_ / name, text);
        return dir_ / name;
    }
    static fs::path Shipped(const std::string& name) {
        return fs::path(AXO_TEST_SOURCE_DIR) / ".." / "data" / "forms" / name;
    }

    static inline fs::path dir_;
};

TEST_F(FormsCliTest, CatalogueByTypeAndMask) {
    struct Case {
        std::string args;
        int code;
        std::string out;
    } cases[] = {
        {"list 58 --mask 64", 0,
         "58 PAP_VYKAZY      šablona  druh 1     PAP_VYKAZY.pts\n"
         "58 PAP_VYKAZY      šablona  druh 64    PAP_VYKAZY XI Výkaz XI.pts\n"},
        {"list PAP_VYKAZY --mask 32", 0, "58 PAP_VYKAZY      šablona  druh 1     PAP_VYKAZY.pts\n"},
        {"list 4 --mask 2", 0,
         "4  OSTATNI         formulář druh 2     KODY TRANSAKCE | Číselník kódů transakce pro "
         "pomocný analytický přehled | kód, název a povinnost uvést partnera transakce\n"},
        {"list 36", 0,
         "36 EXADRESY        formulář druh 0     KARTA ADRESY | Karta externí adresy | "
         "identifikace, adresa, spojení, bankovní účet a poznámky\n"},
        {"list 12", 0, "Žádný formulář.\n"},
        {"list FAKTURY", 2, ""},
        {"list 36 --mask x", 2, ""},
        {"list 36 37", 2, ""},
        {"export 36", 2, ""},
        {"tisk", 2, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = Forms(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_EQ(c.out, run.out) << c.args;
    }
    const CliRun all = Forms("list");
    ASSERT_EQ(0, all.code) << all.err;
    EXPECT_EQ(6, std::count(all.out.begin(), all.out.end(), '\n')) << all.out;
}

TEST_F(FormsCliTest, ExportAndImport) {
    CliRun run = Forms("export EXADRESY \"karta adresy\" " + (dir_ / "karta.frm").string());
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_EQ(ReadFile(Shipped("exadresy-karta-adresy.frm")), ReadFile(dir_ / "karta.frm"));

    std::string copy = ReadFile(dir_ / "karta.frm");
    copy.replace(copy.find("KARTA ADRESY"), 12, "Karta krátká");
    const fs::path file = Write("kratka.frm", copy);
    run = Forms("import " + file.string());
    EXPECT_EQ(0, run.code) << run.err;
    EXPECT_EQ("Formulář EXADRESY Karta krátká je uložen.\n", run.out);
    run = Forms("import " + file.string());
    EXPECT_EQ("Formulář EXADRESY Karta krátká je nahrazen.\n", run.out);
    EXPECT_EQ(0, Forms("export 36 \"KARTA KRÁTKÁ\" " + (dir_ / "zpet.frm").string()).code);
    EXPECT_EQ(copy, ReadFile(dir_ / "zpet.frm"));

    run = Forms("import " +
                Write("spatny.frm", "Typ: FAKTURY\nNázev: X\n\n.RADEK\nx\n.KONEC\n").string());
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos,
              run.err.find("spatny.frm, řádek 1: neznámý typ formuláře \"FAKTURY\". "
                           "Formulář nebyl uložen."))
        << run.err;
    run = Forms("export 36 NEEXISTUJE " + (dir_ / "nic.frm").string());
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("Nebyl nalezen formulář :NEEXISTUJE")) << run.err;
    EXPECT_FALSE(fs::exists(dir_ / "nic.frm"));
    // A file that cannot be written leaves nothing behind.
    fs::create_directories(dir_ / "zavrene");
    fs::permissions(dir_ / "zavrene", fs::perms::owner_read | fs::perms::owner_exec);
    run = Forms("export 36 \"KARTA ADRESY\" " + (dir_ / "zavrene" / "karta.frm").string());
    fs::permissions(dir_ / "zavrene", fs::perms::owner_all);
    if (::geteuid() != 0) {  // root writes anyway
        EXPECT_EQ(1, run.code);
        EXPECT_NE(std::string::npos, run.err.find("karta.frm nelze zapsat.")) << run.err;
        EXPECT_TRUE(fs::is_empty(dir_ / "zavrene"));
    }
    run = Forms("export 36 \"KARTA ADRESY\" " + (dir_ / "chybi" / "karta.frm").string());
    EXPECT_EQ(1, run.code);
    EXPECT_FALSE(fs::exists(dir_ / "chybi"));
}

TEST_F(FormsCliTest, PrintsTheCodeListsAndAnAddress) {
    const fs::path commands = Write("adresa.txt",
                                    "AKRONYM [MATCH_CODE]DODAV01\n"
                                    "AKRONYM [NAZ_FIRM1]Jídelní služby Morava s.r.o.\n"
                                    "\n"
                                    "AKRONYM [ICO]25596641\n");
    struct Case {
        std::string args;
        std::string expected;  // a line the printout holds
        std::string before;    // and a text that comes before
        std::string after;     // another one
    } cases[] = {
        {"print UCROZVRH \"ROZVRH PAP\"", "Účtů celkem:   199", "│013.100│", "│021.100│"},
        {"print OSTATNI \"CISELNIK PAP\"", "Statistických analytik celkem:   107", " 0131 ",
         " 0132 "},
        // In the order of names, the second order of the list.
        {"print 4 \"kody transakce\" --data 2", "│453 │Bezúplatný převod", "Bezúplatné nabytí",
         "Bezúplatný převod"},
        {"print EXADRESY \"KARTA ADRESY\" --commands " + commands.string(),
         "Název      : Jídelní služby Morava s.r.o.", "DODAV01", "25596641"},
    };
    for (const Case& c : cases) {
        const fs::path target = dir_ / "opis.txt";
        fs::remove(target);
        const CliRun run = Forms(c.args + " --out " + target.string());
        ASSERT_EQ(0, run.code) << c.args << "\n" << run.err;
        EXPECT_EQ("Opis: " + target.string() + "\n", run.out);
        const std::string printed = ReadFile(target);
        EXPECT_NE(std::string::npos, printed.find(c.expected)) << c.args << "\n" << printed;
        EXPECT_LT(printed.find(c.before), printed.find(c.after)) << c.args;
    }

    CliRun run = Forms("print EXADRESY NEEXISTUJE");
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("Nebyl nalezen formulář :NEEXISTUJE")) << run.err;
    run = Forms("print EXADRESY \"KARTA ADRESY\" --commands " +
                Write("spatne.txt", "AKRONYM [ICO]1\nNAZEV = Luna\n").string());
    EXPECT_EQ(2, run.code);
    EXPECT_NE(std::string::npos, run.err.find("spatne.txt, řádek 2: není příkaz")) << run.err;
}

}  // namespace
}  // namespace axo::printforms
