// axo-pap-cli check end to end: an installation made by the program (init, import-chart,
// fill-chart, import-journal) with its PAP code lists written through their file kinds; the
// protocol's file is named by its period with the number of faulty lines, faults exit 0,
// refusals and a protocol that cannot be written non-zero.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "pap/PapFiles.h"
#include "support/CliInstallation.h"
#include "support/CliRun.h"
#include "support/Immutable.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;
using axo::test::ReadFile;

pap::tVetaUAPV PapCode(const char* sa, int row, bool kod, std::initializer_list<int> numbers) {
    pap::tVetaUAPV r;
    r.STAT_ANAL = FromUtf8(sa);
    r.VYKAZ_I_II_III = 1;
    r.RADEK = static_cast<pap::Word>(row);
    r.KOD = kod ? 1 : 0;
    for (int n : numbers) {
        if (n >= 1 && n <= 20)
            r.MD[n - 1] = 1;
        else if (n >= 51 && n <= 70)
            r.DAL[n - 51] = 1;
    }
    return r;
}

/// The PAP codes and transaction codes of 2024, written through their file kinds.
void WriteCodeLists(const fs::path& home) {
    const axo::test::CodeListPlace place(home);
    pap::tFileUAPV codes(place.ctx, place.where);
    ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
    pap::tVetaUAPV spotreba = PapCode("5011", 1, true, {1});
    spotreba.VYKAZY[3] = 1;
    pap::tVetaUAPV odberatele = PapCode("3111", 2, true, {51, 55});
    odberatele.VYKAZY[4] = 1;
    odberatele.PARTNER = 1;
    odberatele.CojePartner = 1;
    odberatele.PARTNER2 = 1;
    std::int32_t n = 0;
    for (const pap::tVetaUAPV& r : {spotreba, odberatele})
        ASSERT_TRUE(codes.AddRec(n, &r));
    codes.CloseFile();
    pap::tFileUKod kinds(place.ctx, place.where);
    ASSERT_TRUE(kinds.InitFile(2, storage::_NoWait));
    for (const char* kod : {"401", "455"}) {
        pap::tVetaUKod r;
        r.Kod = FromUtf8(kod);
        r.PARTNER2 = kod[1] == '5' ? 1 : 0;
        ASSERT_TRUE(kinds.AddRec(n, &r));
    }
    kinds.CloseFile();
}

class ControlCommandsTest : public axo::test::CliInstallationTest<ControlCommandsTest> {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_FATAL_FAILURE(Install("axo-check-cli"));
        WriteCodeLists(Home());
        const fs::path chart = Write("chart.csv",
                                     "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                     "501;100;Spotřeba materiálu;N;1;5011\n"
                                     "311;100;Odběratelé;A;1;3111\n");
        const fs::path journal = Write("journal.csv",
                                       "doklad;radek;su;ae;md;dal;kod;partner;vs\n"
                                       "202401FA01 0001;1;501;100;100;;401;;\n"
                                       "202401FA01 0001;2;311;100;;100;455;12345678;VS77\n"
                                       "202402FA01 0002;1;501;100;50;;;;\n"
                                       "202402FA01 0002;2;999;0;;50;;;\n"
                                       "202404FA01 0004;1;501;100;1;;;;\n");
        RunInHome(
            {"import-chart " + chart.string(), "fill-chart", "import-journal " + journal.string()});
    }
};

TEST_F(ControlCommandsTest, FaultsAreFindings) {
    const CliRun run = InHome("check --from 1 --to 3");
    ASSERT_EQ(0, run.code) << run.err;
    const std::string label = "Protokol: ";
    ASSERT_EQ(0u, run.out.find(label)) << run.out;
    const std::string path = run.out.substr(label.size(), run.out.find('\n') - label.size());
    // Protocols of the command line go to the installation's output directory.
    EXPECT_EQ(0u, path.rfind((Home() / "vystupy").string(), 0)) << path;
    EXPECT_EQ("Chybných účetních záznamů: 3 (zkontrolováno 4).\n",
              run.out.substr(run.out.find('\n') + 1));
    const std::string protocol = ReadFile(path);
    EXPECT_NE(std::string::npos,
              protocol.find("Protokol o kontrole vyplnění údajů pro POMOCNÝ ANALYTICKÝ PŘEHLED"));
    EXPECT_NE(std::string::npos, protocol.find("od 1 do 3/2024"));
    // 311/100 feeds V but has code 455, an invalid IČO and no partner 2.
    EXPECT_NE(std::string::npos,
              protocol.find("│01/24 FA01/0001 │  2│311 100│3111      │455│12345678  │          "
                            "│  │  │  │  │  │ X│ 5│  │  │  │ X│  │  │"))
        << protocol;
    EXPECT_NE(std::string::npos, protocol.find("│02/24 FA01/0002 │  1│501 100│5011      │   │"))
        << protocol;
    EXPECT_NE(std::string::npos, protocol.find("│  2│999 000│")) << protocol;
}

TEST_F(ControlCommandsTest, ProtocolsAreNamedByTheirPeriodAndNeverWrittenOver) {
    const fs::path out = dir_ / "protokoly";
    fs::create_directories(out);
    const std::string first = (out / "kontrola-01-03.txt").string();
    const std::string second = (out / "kontrola-01-03-2.txt").string();
    for (const std::string& expected : {first, second}) {
        const CliRun run = InHome("check --from 1 --to 3 --output " + out.string());
        ASSERT_EQ(0, run.code) << run.err;
        EXPECT_EQ(0u, run.out.find("Protokol: " + expected + "\n")) << run.out;
    }
    EXPECT_EQ(ReadFile(first), ReadFile(second));
    EXPECT_NE(std::string::npos, ReadFile(first).find("od 1 do 3/2024"));
    fs::remove_all(out);
}

TEST_F(ControlCommandsTest, AProtocolThatCannotBeWrittenFailsTheCommand) {
    // An output directory nothing can be created in (immutable: root too is refused).
    const fs::path out = dir_ / "zamceno";
    fs::create_directories(out);
    CliRun run;
    {
        const axo::test::Immutable locked(out);
        if (!locked.Made())
            GTEST_SKIP() << "the file system cannot make a directory immutable here";
        run = InHome("check --from 1 --to 3 --output " + out.string());
    }
    EXPECT_EQ(1, run.code) << run.err;
    EXPECT_EQ(std::string::npos, run.out.find("Protokol:")) << run.out;
    const std::string message = "Sestavu nelze zapsat do souboru [" +
                                (out / "kontrola-01-03.txt").string() + "]: operace není povolena.";
    const std::size_t at = run.err.find(message);
    EXPECT_NE(std::string::npos, at) << run.err;
    EXPECT_EQ(std::string::npos, run.err.find(message, at + 1)) << "reported twice:\n" << run.err;
    EXPECT_TRUE(fs::is_empty(out));
    fs::remove_all(out);
}

TEST_F(ControlCommandsTest, NoFaultyLine) {
    const CliRun run = InHome("check --from 1 --to 12 --kind BV");
    ASSERT_EQ(0, run.code) << run.err;
    EXPECT_EQ("Chybných účetních záznamů: 0 (zkontrolováno 0).\n", run.out);
    EXPECT_NE(std::string::npos,
              run.err.find("Dle zadaných parametrů nebyly nalezeny žádné chybné účetní"))
        << run.err;
}

TEST_F(ControlCommandsTest, Refusals) {
    ExpectRefusals({
        {"check --bogus 1", 2, "Neznámá volba --bogus."},
        {"check navic", 2, "Použití: axo-pap-cli check"},
        {"check --kind FAKTURA", 2, "Volba --kind má nejvýše 4 znaků"},
        {"check --number \"1 2\"", 2, "Volba --number má nejvýše 5 znaků"},
        {"check --from x", 2, "--from"},
        {"check --from 5 --to 2", 1, "Počáteční měsíc období nesmí být větší než koncový."},
        {"check --from 13", 1, "Kontrola nebyla provedena."},
        // A value the dialog would change is not taken changed.
        {"check --from -2 --to -4", 1, "Hodnotu <-2> nelze zadat do položky <měsíc  od>."},
        {"check --to 1x", 2, "Volba --to potřebuje celé číslo, ne \"1x\"."},
        {"check --to +3", 2, "Volba --to potřebuje celé číslo, ne \"+3\"."},
    });
    const CliRun withoutPassword = Cli("check --home " + Home().string());
    EXPECT_EQ(2, withoutPassword.code);
}

}  // namespace
}  // namespace axo::cli::test
