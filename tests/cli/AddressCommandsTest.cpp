// axo-pap-cli addresses end to end: a list built with add and edit, shown, listed with its
// filters, configured columns and CSV, exported to another directory and imported back,
// partners loaded from CSV, and the refusals with their exit codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliRun.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;
using axo::test::CliRun;
using axo::test::ReadFile;
using axo::test::RunCli;

class AddressCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("axo-addresses-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tmp");
        ASSERT_EQ(0, RunCli(dir_, "init " + Home().string() + " --year 2024").code);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Home() const { return dir_ / "skola"; }
    CliRun Addresses(const std::string& args) const {
        return RunCli(
            dir_, "--home " + Home().string() + " --password ucetni --year 2024 addresses " + args);
    }
    /// Runs the command, expecting success.
    std::string Ok(const std::string& args) const {
        const CliRun run = Addresses(args);
        EXPECT_EQ(0, run.code) << args << "\n" << run.err;
        return run.out;
    }

    fs::path dir_;
};

TEST_F(AddressCommandsTest, BuildShowListExportImport) {
    EXPECT_EQ("0000000001\n", Ok("next-classification"));
    EXPECT_EQ("Adresa uložena se zatříděním 41.\n",
              Ok("add 41 --NAZ_FIRM1 \"Zelenina Novák\" --ICO 25596641 --DIC_FIRM CZ25596641 "
                 "--MESTO_FIRM Zlín --BS 19-2000145399 --ZVL_DISP 800 --notes \"dodává v úterý\""));
    // A taken classification gets the next free one.
    EXPECT_EQ("Adresa uložena se zatříděním 42.\n",
              Ok("add 41 --naz_firm1 \"=HYPERLINK(1)\" --MESTO_FIRM Brno --PLATNOST 1"));
    EXPECT_EQ("Adresa uložena se zatříděním 42.\n", Ok("edit 42 --TYP 1"));
    EXPECT_EQ("43\n", Ok("next-classification"));
    EXPECT_EQ(
        "MATCH_CODE: 41\nICO: 25596641\nDIC_FIRM: CZ25596641\nNAZ_FIRM1: Zelenina Novák\n"
        "MESTO_FIRM: Zlín\nBS: 19-2000145399\nZVL_DISP: 800\nPOSL_ZMENA: 31.12.2024\n"
        "NOTES: dodává v úterý\n",
        Ok("show 41"));

    struct Case {
        std::string args;
        std::string rows;  ///< the row lines after the header, then the count
    };
    const Case cases[] = {
        {"list",
         " =HYPERLINK(1)                  42                                            Brno\n"
         "!Zelenina Novák                 41         25596641   19-2000145399     /0800 Zlín       "
         "               CZ25596641\nAdres: 2\n"},
        {"list --validity 1 --order 5",
         "!Zelenina Novák                 41         25596641   19-2000145399     /0800 Zlín       "
         "               CZ25596641\nAdres: 1\n"},
        {"list --type 1",
         " =HYPERLINK(1)                  42                                   "
         "         Brno\nAdres: 1\n"},
        {"list --with-notes --validity 2", "Adres: 0\n"},
    };
    for (const Case& c : cases) {
        const std::string out = Ok(c.args);
        EXPECT_EQ(c.rows, out.substr(out.find('\n') + 1)) << c.args;
    }

    // The CSV keeps a name that looks like a formula from being one.
    Ok("list --csv " + (dir_ / "adresy.csv").string());
    const std::string csv = ReadFile(dir_ / "adresy.csv");
    EXPECT_NE(std::string::npos, csv.find("\r\n42;'=HYPERLINK(1);")) << csv;
    EXPECT_NE(std::string::npos, csv.find("\r\n41;Zelenina Novák;;25596641;")) << csv;

    // Export with new classifications, then import back: both clash with nothing but the
    // second import of the same addresses is skipped and reported.
    fs::create_directories(dir_ / "pobocka");
    EXPECT_EQ("Přeneseno adres: 2.\n", Ok("export " + (dir_ / "pobocka").string() + " --renumber"));
    EXPECT_EQ("Přeneseno adres: 2.\n", Ok("import " + (dir_ / "pobocka").string()));
    EXPECT_EQ("Přeneseno adres: 0.\nPřeskočeno pro shodné zatřídění: 2 (0000000001, 0000000002)\n",
              Ok("import " + (dir_ / "pobocka").string()));
    const std::string all = Ok("list --order 3");
    EXPECT_NE(std::string::npos, all.find("Adres: 4\n")) << all;
    // Overwriting keeps only what came in.
    EXPECT_EQ("Přeneseno adres: 2.\n",
              Ok("import " + (dir_ / "pobocka").string() + " --overwrite"));
    EXPECT_NE(std::string::npos, Ok("list").find("Adres: 2\n"));
}

TEST_F(AddressCommandsTest, PartnersFromCsvAndRefusals) {
    std::ofstream(dir_ / "partneri.csv") << "nazev;ico;mesto;ucet\n"
                                            "Alfa a.s.;25596641;Zlín;19-2000145399/0800\n"
                                            "Beta;;Brno;\n";
    std::ofstream(dir_ / "spatne.csv") << "nazev;ico\nGama;1234\n";
    EXPECT_EQ("Přidáno externích adres: 2.\n",
              Ok("import-csv " + (dir_ / "partneri.csv").string()));
    struct Case {
        std::string args;
        int code;
        std::string err;  ///< a part of standard error
    };
    const Case cases[] = {
        {"import-csv " + (dir_ / "spatne.csv").string(), 1, "řádek 2: IČO 1234 není platné"},
        {"show 99", 1, "Adresa se zatříděním 99 v číselníku není."},
        {"edit 99 --ICO 1", 1, "Adresa se zatříděním 99 v číselníku není."},
        {"add 5 --NAZEV x", 1, "Adresa nemá položku NAZEV."},
        {"add 5 --MESTO_FIRM \"Uherské Hradiště nad Moravou\"", 1,
         "Položka MESTO_FIRM: je delší než 25 znaků."},
        {"add 5 --ICO 12a", 1, "IČO smí obsahovat jen číslice."},
        {"import " + Home().string() + "/ciselniky/2024", 1,
         "Zdrojový a cílový číselník externích adres je tentýž soubor"},
        {"export " + (dir_ / "nikde").string(), 1, "neexistuje"},
        {"list --order 10", 1, "Volba --order čeká číslo třídění 1 až 9."},
        {"list --csv", 2, ""},
        {"frobnicate", 2, "Použití: axo-pap-cli addresses list"},
        {"show", 2, "Použití"},
        {"list --bogus 1", 2, "Neznámá volba --bogus."},
    };
    for (const Case& c : cases) {
        const CliRun run = Addresses(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.err)) << c.args << "\n" << run.err;
    }
    const std::string list = Ok("list");
    EXPECT_NE(std::string::npos, list.find(" Alfa a.s.                      0000000001 25596641   "
                                           "19-2000145399     /0800 Zlín"))
        << list;
    EXPECT_NE(std::string::npos, list.find("Adres: 2\n")) << list;
}

TEST_F(AddressCommandsTest, TheDemoInstallationKnowsThePartnersOfItsBooks) {
    const fs::path demo = dir_ / "demo";
    const CliRun made = RunCli(dir_, "demo-install " + demo.string() + " --year 2024 --lines 600");
    ASSERT_EQ(0, made.code) << made.err;
    EXPECT_NE(std::string::npos, made.out.find(", externích adres ")) << made.out;
    const CliRun list = RunCli(dir_, "--home " + demo.string() +
                                         " --password ucetni --year 2024 addresses list --order 5");
    ASSERT_EQ(0, list.code) << list.err;
    // The social security office, by its IČO, under the name its lines carry.
    EXPECT_NE(std::string::npos, list.out.find(" Česká správa soc. zabezpečení  ")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find(" 0000000001 00006963\n")) << list.out;
    EXPECT_EQ(std::string::npos, list.out.find("Adres: 0\n")) << list.out;
}

}  // namespace
}  // namespace axo::cli::test
