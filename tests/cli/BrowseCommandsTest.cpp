// axo-pap-cli browse end to end: an installation made by the program (init, import-chart,
// import-journal) with transaction codes written through their file kind; the page the keys,
// the order, the start text and the search lead to, printed on standard output; refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "pap/PapFiles.h"
#include "support/CliInstallation.h"
#include "support/CliRun.h"
#include "util/Cisla.h"

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;

class BrowseCommandsTest : public axo::test::CliInstallationTest<BrowseCommandsTest> {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_FATAL_FAILURE(Install("axo-browse-cli"));
        WriteTransactionCodes();
        std::ofstream(dir_ / "chart.csv") << "su;ae;nazev;povaha;cinnost;stat_anal\n"
                                             "501;100;Spotřeba materiálu;N;1;5011\n"
                                             "311;100;Odběratelé;A;1;3111\n";
        std::ofstream(dir_ / "journal.csv") << "doklad;radek;su;ae;md;dal;kod;partner;vs\n"
                                               "202401FA01 0001;1;501;100;100;;;;\n"
                                               "202401FA01 0001;2;311;100;;100;;;VS77\n";
        RunInHome({"import-chart " + (dir_ / "chart.csv").string(),
                   "import-journal " + (dir_ / "journal.csv").string()});
    }

    /// Codes 401 ... 420 named "Pohyb 1" ... "Pohyb 20"; 405 "Vyřazení prodejem".
    static void WriteTransactionCodes() {
        const axo::test::CodeListPlace place(Home());
        pap::tFileUKod codes(place.ctx, place.where);
        ASSERT_TRUE(codes.InitFile(2, storage::_NoWait));
        for (int i = 1; i <= 20; ++i) {
            pap::tVetaUKod r;
            r.Kod = IntToText(400 + i);
            r.Nazev = i == 5 ? "Vyřazení prodejem"_t : "Pohyb "_t + IntToText(i);
            r.PARTNER2 = i % 5 == 0 ? 1 : 0;
            std::int32_t n = 0;
            ASSERT_TRUE(codes.AddRec(n, &r));
        }
        codes.CloseFile();
    }
    /// The rows of a printed page: the code of each, the current one after ">".
    static std::string Rows(const std::string& page) {
        std::string rows;
        std::size_t at = 0;
        for (std::size_t end; (end = page.find('\n', at)) != std::string::npos; at = end + 1) {
            const std::string line = page.substr(at, end - at);
            if (line.size() > 6 && (line[0] == '>' || line[0] == ' ') && line[1] == ' ' &&
                line[2] == ' ' && std::isdigit(static_cast<unsigned char>(line[3])))
                rows += (rows.empty() ? "" : " ") + std::string(line[0] == '>' ? ">" : "") +
                        line.substr(3, 3);
        }
        return rows;
    }
};

TEST_F(BrowseCommandsTest, PrintsThePageTheKeysLeadTo) {
    const CliRun run = InHome("browse kody --keys \"CtrlEnd PageUp Up\"");
    ASSERT_EQ(0, run.code) << run.err;
    const std::string title =
        " Číselník kódů transakce pro PAP (pomocný analytický přehled)\n"
        "   Kód a název transakce";
    EXPECT_EQ(0u, run.out.find(title)) << run.out;
    EXPECT_NE(std::string::npos, run.out.find(">  408 Pohyb 8")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("\n   410 Pohyb 10 ")) << run.out;
    EXPECT_TRUE(run.out.ends_with("\ntříděno dle kódu transakce\n")) << run.out;

    struct Case {
        std::string args;
        std::string rows;
    } cases[] = {
        {"browse kody", ">401 402 403 404 405 406 407 408 409 410 411 412"},
        {"browse KODY --keys \"CtrlEnd\"", "409 410 411 412 413 414 415 416 417 418 419 >420"},
        {"browse kody --keys \"PageDown PageDown Down row=2\"",
         "409 >410 411 412 413 414 415 416 417 418 419 420"},
        {"browse kody --start 415", "409 410 411 412 413 414 >415 416 417 418 419 420"},
        {"browse kody --order 2 --start poh --keys Ctrl+PageDown",
         "401 410 411 412 413 414 415 416 417 418 419 >402"},
        {"browse kody --find prodejem", "401 402 403 404 >405 406 407 408 409 410 411 412"},
        {"browse kody --find \"pohyb 1\" --whole-words --keys \"CtrlF7 CtrlF7\"",
         ">401 402 403 404 405 406 407 408 409 410 411 412"},
        {"browse kody --find \"pohyb 1\" --keys \"CtrlF7\"",
         "401 402 403 404 405 406 407 408 409 >410 411 412"},
    };
    for (const Case& c : cases) {
        const CliRun page = InHome(c.args);
        ASSERT_EQ(0, page.code) << c.args << "\n" << page.err;
        EXPECT_EQ(c.rows, Rows(page.out)) << c.args << "\n" << page.out;
    }
    const CliRun documents = InHome("browse doklady --order 2 --keys CtrlEnd");
    ASSERT_EQ(0, documents.code) << documents.err;
    EXPECT_NE(std::string::npos, documents.out.find(">  0 202401FA01 0001     1 501/100"))
        << documents.out;
    EXPECT_NE(std::string::npos, documents.out.find("tříděno dle účtu\n")) << documents.out;
    const CliRun chart = InHome("browse rozvrh");
    ASSERT_EQ(0, chart.code) << chart.err;
    EXPECT_NE(std::string::npos, chart.out.find(">  311 100  Odběratelé")) << chart.out;
}

TEST_F(BrowseCommandsTest, Refusals) {
    ExpectRefusals({
        {"browse", 2, "Použití: axo-pap-cli browse TABULKA"},
        {"browse zbozi", 2, "zadejte jednu z: doklady, rozvrh, pap, kody."},
        {"browse kody --keys \"Down Nahoru\"", 2, "Klávesu \"Nahoru\" okno neumí"},
        {"browse kody --order 0", 2, "Volba --order čeká číslo třídění 1 až 9."},
        {"browse kody --order 3", 2, "Tabulka má třídění 1 až 2."},
        {"browse kody --whole-words", 2, "Volba --whole-words patří k volbě --find."},
        {"browse kody --find 'a\"b'", 2, "Volba --find čeká hledaný text bez uvozovek."},
        {"browse kody --bogus 1", 2, "Neznámá volba --bogus."},
    });
}

}  // namespace
}  // namespace axo::cli::test
