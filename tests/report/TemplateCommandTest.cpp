// axo-pap-cli template check and normalize, run as a process: the shipped templates check
// clean and normalise to themselves; errors, missing files and bad usage give their messages
// and exit codes.
#include <gtest/gtest.h>

#include <fstream>

#include "support/CliRun.h"
#include "support/ScratchDir.h"

namespace axo::report::test {
namespace {

namespace fs = std::filesystem;

using axo::test::CliRun;
using axo::test::Quote;
using axo::test::ReadFile;
using axo::test::RunCli;

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Quoted(const fs::path& p) {
    return Quote(p.string());
}

TEST(TemplateCommandTest, ShippedTemplatesCheckCleanAndNormaliseToThemselves) {
    axo::test::ScratchDir dir("axo-template-cli");
    int templates = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(AXO_TEST_SOURCE_DIR) / ".." / "data" / "templates")) {
        const fs::path file = entry.path();
        ++templates;
        const CliRun check = RunCli(dir.Path(), "template check " + Quoted(file));
        EXPECT_EQ(0, check.code) << file << "\n" << check.out << check.err;
        EXPECT_NE(std::string::npos, check.out.find("\nPředloha je v pořádku.\n")) << file;
        EXPECT_EQ(std::string::npos, check.out.find("zapsal jinak")) << file;
        const fs::path copy = dir / "kopie.pts";
        const CliRun normalize =
            RunCli(dir.Path(), "template normalize " + Quoted(file) + " " + Quoted(copy));
        EXPECT_EQ(0, normalize.code) << normalize.err;
        EXPECT_EQ(ReadFile(file), ReadFile(copy)) << file;
        EXPECT_EQ(fs::path(".pts"), file.extension());
    }
    EXPECT_GE(templates, 2);
}

TEST(TemplateCommandTest, ErrorsAreListedWithTheirPositions) {
    axo::test::ScratchDir dir("axo-template-cli");
    const fs::path file = dir / "chyby.pts";
    // UTF-8 as an editor may save it; the program reads it as Windows-1250 after conversion.
    Write(file,
          "I,0,\"Zkouška\"\r\nF,0,Podíl,\"\",0,\"0\",0,\"#SLOUPEC01 + 1 / (1 - 1)\",0,15,2,2\r\n"
          "F,1,Text,\"\",1,\"\",0,\"LEFT(#POPIS, 3\",0,15,2,2\r\n"
          "T,2,SLOUPEC99\r\nT,4,20\r\nT,6,Podíl\r\nZ,99,cokoli\r\n");
    const CliRun run = RunCli(dir.Path(), "template check " + Quoted(file));
    EXPECT_EQ(1, run.code);
    for (const char* line : {
             "Soubor je v kódování UTF-8; program ho čte jako Windows-1250 po převodu.",
             "  Funkce 1 Podíl: #SLOUPEC01 + 1 / (1 - 1) - Chyba : \"Dělení nulou nebo "
             "neplatná mocnina\" na pozici 16",
             "  Funkce 2 Text: LEFT(#POPIS, 3 - Chyba : \"Chybí uzavírací závorka\" na pozici 15",
             "  Prvek 1 oddílu \"Tělo sestavy\" (Položka tabulky): položka \"SLOUPEC99\" "
             "neexistuje",
             "  Prvek 2 oddílu \"Tělo sestavy\" (Parametr): parametr číslo 20 hostitel nedodá",
             "  1. Neznámý řádek zachován: Z,99,cokoli",
             "Chyb v předloze: 4",
         })
        EXPECT_NE(std::string::npos, run.out.find(std::string(line) + "\n")) << line << "\n"
                                                                             << run.out;
}

TEST(TemplateCommandTest, MissingFilesAndBadUsage) {
    axo::test::ScratchDir dir("axo-template-cli");
    struct Case {
        std::string args;
        int code;
        std::string err;
    } cases[] = {
        {"template check " + Quoted(dir / "chybi.pts"), 1,
         "Soubor s předlohou \"" + (dir / "chybi.pts").string() + "\" neexistuje.\n"},
        {"template normalize " + Quoted(dir / "chybi.pts") + " x.pts", 1,
         "Soubor s předlohou \"" + (dir / "chybi.pts").string() + "\" neexistuje.\n"},
        {"template", 2,
         "Použití: axo-pap-cli template check SOUBOR.pts | template normalize VSTUP VÝSTUP\n"},
        {"template check a.pts --force", 2, "Neznámá volba --force.\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(dir.Path(), c.args);
        EXPECT_EQ(c.code, run.code) << c.args;
        EXPECT_EQ(c.err, run.err) << c.args;
    }
    Write(dir / "a.pts", "I,0,\"A\"\r\n");
    const CliRun run = RunCli(dir.Path(), "template normalize " + Quoted(dir / "a.pts") + " " +
                                              Quoted(dir / "chybí" / "b.pts"));
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("Předlohu \"" + (dir / "chybí" / "b.pts").string() +
                  "\" nelze zapsat: No such file or directory.\n",
              run.err);
}

}  // namespace
}  // namespace axo::report::test
