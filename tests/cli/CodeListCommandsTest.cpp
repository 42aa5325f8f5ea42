// axo-pap-cli codes, chart and the margin of statement XI end to end, on a demo installation:
// each write goes through the checks of the code-list editors, whose refusals reach standard
// error; the margin typed for one partner reaches the printed rows and the XML of part XI.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "CliRunner.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

class CodeListCommandsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-codelists-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tmp");
        const CliRun demo =
            RunCli(dir_, "demo-install " + Home().string() + " --year 2024 --lines 400 --seed 5");
        ASSERT_EQ(0, demo.code) << demo.err;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static fs::path Home() { return dir_ / "skola"; }
    static CliRun InHome(const std::string& args) {
        return RunCli(dir_, args + " --home " + Home().string() + " --password ucetni --year 2024");
    }

    struct Case {
        std::string args;
        int code;
        std::string out;  ///< a text standard output holds
        std::string err;  ///< a text standard error holds
    };
    static void Run(const Case& c) {
        const CliRun run = InHome(c.args);
        EXPECT_EQ(c.code, run.code) << c.args << "\n" << run.out << run.err;
        EXPECT_NE(std::string::npos, run.out.find(c.out)) << c.args << "\n" << run.out;
        EXPECT_NE(std::string::npos, run.err.find(c.err)) << c.args << "\n" << run.err;
    }

    static inline fs::path dir_;
};

TEST_F(CodeListCommandsTest, PapCodesKeepTheirGroupRowAndAnalyticsUnique) {
    const Case cases[] = {
        // I and II together: group I, statement II unchecked (the line ends with " 1").
        {"codes pap add T1 --popis \"Zkouška\" --vykazy 1,2 --radek 901 --kod 1 --partner T", 0,
         "  I   901 x T        x    1\n", ""},
        // XV alone: group 0, listed as " XV".
        {"codes pap add T2 --popis Druhý --vykazy 15 --radek 902", 0, " XV   902", ""},
        {"codes pap add T3 --popis Třetí --vykazy 1,15 --radek 903", 1, "",
         "Smí být zadána příslušnost pouze do jednoho z výkazů\n  I, II, III nebo XV!"},
        {"codes pap add T4 --popis Čtvrtý --vykazy 4 --radek 904", 1, "",
         "Musí být zadána příslušnost do výkazu\n  I, II, III nebo XV!"},
        {"codes pap add T5 --popis Pátý --vykazy 1 --radek 901", 1, "",
         "Nelze zadat již existující kombinaci výkaz plus řádek."},
        {"codes pap add T1 --popis Znovu --vykazy 3 --radek 905", 1, "", "v číselníku již je"},
        {"codes pap edit T2 --sa T1", 1, "", "Nelze zadat již existující statistickou analytiku."},
        {"codes pap edit T2 --vykazy 1 --radek 901", 1, "",
         "Nelze zadat již existující kombinaci výkaz plus řádek."},
        // Konsolidace and the margin flag: the line shows the consolidation mark.
        {"codes pap edit T2 --konsolidace 1 --bez-obratu 1 --partner AP --partner2 1", 0,
         " XV   902 x AP x  x      15\n", ""},
        {"codes pap edit T2 --vykazy 1,x", 1, "", "Volba --vykazy čeká čísla 1 až 17"},
        {"codes pap delete T2", 0, "Kód T2 je zrušen.", ""},
        {"codes pap edit T2 --popis Nic", 1, "", "Kód T2 v číselníku není."},
        {"codes pap frob T2", 2, "", "Použití: axo-pap-cli codes"},
    };
    for (const Case& c : cases)
        Run(c);
    const CliRun list = InHome("codes pap list --order 3");
    ASSERT_EQ(0, list.code) << list.err;
    EXPECT_EQ(0u, list.out.find(" Statistická analytika, popis")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("\n T1         Zkouška")) << list.out;
    EXPECT_EQ(std::string::npos, list.out.find("\n T2 ")) << list.out;
}

TEST_F(CodeListCommandsTest, TransactionCodesAreNotGivenTwice) {
    const Case cases[] = {
        {"codes transactions add 499 --nazev \"Zkušební pohyb\" --partner 1", 0,
         " 499 Zkušební pohyb", ""},
        // Saved unchanged under its own code: accepted.
        {"codes transactions edit 499", 0, "Partner", ""},
        {"codes transactions edit 499 --novy-kod 401", 1, "",
         "Pokoušíte se zadat již existující číslo kód transakce."},
        {"codes transactions add 401 --nazev Znovu", 1, "", "Kód 401 v číselníku již je."},
        // Two partners of a transaction: the highest access level only.
        {"codes transactions edit 499 --dva-partneri 1", 1, "", "nejvyšší úrovní přístupu"},
        {"codes transactions delete 499", 0, "Kód 499 je zrušen.", ""},
    };
    for (const Case& c : cases)
        Run(c);
}

TEST_F(CodeListCommandsTest, ChartAttributesFollowTheStatementChecksAndTheChosenCode) {
    ASSERT_EQ(0, InHome("codes pap add T7 --popis Sedm --vykazy 2 --radek 907 --kod 1 "
                        "--partner T")
                     .code);
    const Case cases[] = {
        {"chart edit 501/100 --vykazy 1,15", 1, "",
         "Smí být vybrán pouze jeden z výkazů\n  I., II., III. nebo XV."},
        {"chart edit 501/100 --vykazy 4,5", 1, "",
         "Smí být vybrán pouze jeden z výkazů\n  IV. až IX."},
        {"chart edit 501/100 --vykazy 1,4", 0, "14", ""},
        // The chosen code gives the account its duties and statements.
        {"chart edit 501/100 --stat-anal T7", 0, "X  P-T     2", ""},
        // A nature the class does not allow is replaced by the class default.
        {"chart edit 501/100 --povaha V", 0, "Nákladový - daňový", ""},
        {"chart edit 501/100 --povaha Q", 1, "", "Volba --povaha"},
        {"chart edit 999/999 --kod 1", 1, "", "Účet 999/999 v účtovém rozvrhu není."},
        {"chart edit 5x1", 2, "", "SU/AE"},
    };
    for (const Case& c : cases)
        Run(c);
    const CliRun line = InHome("chart list");
    EXPECT_NE(std::string::npos, line.out.find(" T7         ")) << line.out;
}

TEST_F(CodeListCommandsTest, MarginOfOnePartnerReachesTheRowsAndTheXml) {
    const CliRun plain = InHome("statement 11");
    ASSERT_EQ(0, plain.code) << plain.err;
    // A partner of a revenue code asking for a margin (603 in the demo), and one of a cost code
    // asking for none (502).
    const auto partnerOf = [&plain](const std::string& code) {
        std::istringstream rows(plain.out);
        for (std::string line; std::getline(rows, line);)
            if (line.rfind(code + std::string(11 - code.size(), ' '), 0) == 0 && line.size() > 19 &&
                line[11] != ' ')
                return line.substr(11, 8);
        return std::string();
    };
    const std::string partner = partnerOf("603");
    const std::string costPartner = partnerOf("502");
    ASSERT_FALSE(partner.empty() || costPartner.empty()) << plain.out;
    const std::string margin = " --margin 603/" + partner + "=12.5";
    const CliRun run = InHome("statement 11" + margin);
    ASSERT_EQ(0, run.code) << run.err;
    std::istringstream shown(run.out);
    int withMargin = 0;
    for (std::string line; std::getline(shown, line);) {
        if (line.find("12,50") == std::string::npos)
            continue;
        ++withMargin;
        EXPECT_EQ(0u, line.find("603        " + partner)) << line;
        EXPECT_TRUE(line.ends_with("           12,50")) << line;
    }
    EXPECT_EQ(1, withMargin) << run.out;

    const CliRun xml = InHome("xml 11" + margin + " --dir " + (dir_ / "xml").string() +
                              " --person \"Jana Nováková\" --email a@b.cz --phone 123456789 "
                              "--zo 12345");
    ASSERT_EQ(0, xml.code) << xml.err;
    const std::string file = ReadFile(dir_ / "xml" / "PAP_CastXI.xml");
    const std::size_t at = file.find("<Sloupec07>12.50</Sloupec07>");
    ASSERT_NE(std::string::npos, at) << file;
    EXPECT_EQ(std::string::npos, file.find("<Sloupec07>12.50</Sloupec07>", at + 1));
    EXPECT_NE(std::string::npos, file.rfind(partner, at));

    const Case refused[] = {
        {"statement 11 --margin 502/" + costPartner + "=1", 1, "", "nevyžaduje zadání marže"},
        {"statement 11 --margin 603/99999999=1", 1, "", "nemá řádek 603/99999999"},
        {"statement 11 --margin 603=1", 2, "", "Volba --margin čeká ANALYTIKA/PARTNER=MARŽE"},
        {"statement 12 --margin 603/1=1", 2, "", "Marži lze zadat jen u výkazu 11."},
    };
    for (const Case& c : refused)
        Run(c);
}

}  // namespace
}  // namespace axo::cli::test
