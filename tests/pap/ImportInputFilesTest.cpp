// Input files every import refuses, each named in the message and each leaving the tables as
// they were: files without a single line to take, lines without the file's structure, characters
// Windows-1250 cannot hold, a statement with more rows than the row key holds, a list that has
// codes and is not to be replaced, and paths that name no regular file (a directory, a device
// that reads without end, a pipe).
#include <sys/stat.h>

#include <random>

#include "ImportTestSupport.h"
#include "pap/ImportChart.h"
#include "pap/ImportJournal.h"
#include "pap/ImportUKod.h"
#include "pap/ImportUPAP.h"
#include "util/AtomicFile.h"

namespace axo::pap::test {
namespace {

namespace fs = std::filesystem;

enum class Kind { UKod, Upap, Chart, Journal };

class ImportInputFilesTest : public ImportTest {
  protected:
    void SetUp() override {
        ImportTest::SetUp();
        ASSERT_EQ(0, ::mkfifo((dir_ / "fifo").c_str(), 0600));
        fs::create_directories(dir_ / "adresar");
        tVetaUKod code;
        code.Kod = "401"_t;
        code.Nazev = "Pořízení"_t;
        Add<tFileUKod>(std::vector<tVetaUKod>{code});
        tVetaUAPV pap;
        pap.STAT_ANAL = "021"_t;
        pap.VYKAZ_I_II_III = 1;
        pap.RADEK = 1;
        Add<tFileUAPV>(std::vector<tVetaUAPV>{pap});
    }
    /// Everything the imports could change, as bytes.
    std::vector<std::vector<std::string>> Tables() {
        return {Dump<tFileUKod>(), Dump<tFileUAPV>(), Dump<tFileRozvrh>(), Dump<tFileUDPO>(),
                Dump<tFileUDHL>()};
    }
    static std::string RandomBytes(std::size_t n) {
        std::mt19937 random(1);
        std::string bytes(n, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        return bytes;
    }
    static std::string RowsOfStatementI(int rows) {
        std::string text;
        for (int i = 1; i <= rows; ++i)
            text += "A" + std::to_string(i) + "\tKód\t\t\t1\t\r\n";
        return text;
    }
};

TEST_F(ImportInputFilesTest, RefusedFilesNameTheirProblemAndChangeNothing) {
    const std::string upapHeader = "SA\tPopis\t\t\t[401]\t[451]\t\n";
    struct Case {
        const char* label;
        Kind kind;
        std::string name;  ///< the file written with `bytes`, or a path of the test directory
        std::optional<std::string> bytes;
        std::string expected;
        bool keepExisting = false;
    } cases[] = {
        // Code lists: files without a line to take.
        {"empty", Kind::UKod, "UKod.txt", "", "soubor neobsahuje žádný kód transakce"},
        {"random bytes", Kind::UKod, "UKod.txt", RandomBytes(2000), ": řídicí znak (kód"},
        {"empty list file", Kind::Upap, "UPAP.txt", "\r\n",
         "soubor neobsahuje žádnou statistickou analytiku"},
        // Lines without the structure of the file; one bad line refuses the file.
        {"long code", Kind::UKod, "UKod.txt", "[4333]\tdlouhý\t\n",
         "řádek 1: kód transakce \"[4333]\" nemá tři číslice"},
        {"no code", Kind::UKod, "UKod.txt", "[401]\tPořízení\t\n[]\tbez kódu\t\n",
         "řádek 2: kód transakce \"[]\" nemá tři číslice"},
        {"no tab", Kind::UKod, "UKod.txt", "401 Pořízení\n",
         "řádek 1: chybí tabulátor za kódem transakce: \"401 Pořízení\""},
        {"name without its tab", Kind::UKod, "UKod.txt", "[401]\tPořízení\n",
         "řádek 1: kód transakce 401 nemá název"},
        {"UTF-8 beyond Windows-1250", Kind::UKod, "UKod.txt", "[401]\tPořízení ✓\t\n",
         "řádek 1: znak U+2713 nelze zapsat v kódování Windows-1250"},
        // A file marked as UTF-8 is read as UTF-8: a broken sequence is no Windows-1250 text.
        {"broken UTF-8 after its mark", Kind::UKod, "UKod.txt",
         "\xEF\xBB\xBF[401]\tPoř\xFFízení\t\n", "řádek 1: neplatný zápis znaku v UTF-8 (bajt 11)"},
        {"statement not a number", Kind::Upap, "UPAP.txt", "021\tStavby\t\t\t1\tabc\t\n",
         "řádek 1: \"abc\" není číslo výkazu 1 až 20"},
        {"long analytics", Kind::Upap, "UPAP.txt", "02100000000\tDlouhá\t\t\t1\t\n",
         "statistická analytika \"02100000000\" je delší než 10 znaků"},
        {"no description", Kind::Upap, "UPAP.txt", "021\tStavby\t\t\t1\t\n021\t\n",
         "řádek 2: statistická analytika 021 nemá popis"},
        // The row key has four digits: row 10,000 would take the key of row 1,000.
        {"10,000 rows of one statement", Kind::Upap, "UPAP.txt", RowsOfStatementI(10000),
         "řádek 10000: statistická analytika A10000 by byla 10000. řádkem výkazu 1, výkaz jich "
         "smí mít nejvýše 9999"},
        {"update without header", Kind::Upap, "UPAP_04", "Typy změn\n0211\tBudovy\t\t\t\t\n",
         "soubor nemá řádek záhlaví s kódy transakce sloupců"},
        {"update column of no code", Kind::Upap, "UPAP_04",
         "SA\tPopis\t\t\t[401]\t[499]\t\n0211\tB\t\t\t\t\t\n",
         "řádek 1: sloupec \"[499]\" nemá kód transakce"},
        {"update without analytics", Kind::Upap, "UPAP_04", upapHeader,
         "soubor neobsahuje žádnou statistickou analytiku"},
        {"update line without analytics", Kind::Upap, "UPAP_04",
         upapHeader + "0211\tB\t\t\t\t\t\n\tC\t\t\t\t\t\n", "řádek 3: chybí statistická analytika"},
        // A list that has codes is replaced only when that is wanted.
        {"codes kept", Kind::UKod, "UKod.txt", "[451]\tVyřazení\t\t\n",
         "Číselník už obsahuje záznamů: 1. Nebude nahrazen.", true},
        // Paths that name no regular file: never read, never an end of the program.
        {"code list directory", Kind::UKod, "adresar", std::nullopt,
         "Soubor " + (dir_ / "adresar").string() + " je adresář, ne soubor."},
        {"code list device", Kind::Upap, "/dev/zero", std::nullopt,
         "Soubor /dev/zero není obyčejný soubor. Číselník nelze založit."},
        {"code list pipe", Kind::UKod, "fifo", std::nullopt, "fifo není obyčejný soubor."},
        {"chart directory", Kind::Chart, "adresar", std::nullopt, "je to adresář, ne soubor"},
        {"journal device", Kind::Journal, "/dev/zero", std::nullopt, "není obyčejný soubor"},
        {"journal pipe", Kind::Journal, "fifo", std::nullopt, "není obyčejný soubor"},
    };
    const auto before = Tables();
    ui::ScriptedUi::Options lenient;
    lenient.strict = false;
    for (const Case& c : cases) {
        ui::ScriptedUi ui(lenient);
        storage::DataContext ctx = ctx_;
        ctx.ui = &ui;
        const fs::path file = c.bytes ? WriteFile(c.name, *c.bytes) : dir_ / c.name;
        CodeListImportOptions options;
        options.replaceExisting = !c.keepExisting;
        bool done = true;
        switch (c.kind) {
            case Kind::UKod:
                done = ImportUKod(where_, ctx, ui, file, options).done;
                break;
            case Kind::Upap:
                done = ImportUPAP(where_, ctx, ui, file, options).done;
                break;
            case Kind::Chart:
                done = ImportChart(where_, ctx, ui, file).done;
                break;
            case Kind::Journal:
                done = ImportJournal(where_, ctx, ui, file, {}).done;
                break;
        }
        EXPECT_FALSE(done) << c.label;
        std::string shown;
        for (const std::string& s : ShownBy(ui))
            shown += s + "\n";
        EXPECT_NE(std::string::npos, shown.find(c.expected)) << c.label << "\n" << shown;
        EXPECT_EQ(before, Tables()) << c.label;
    }
}

TEST_F(ImportInputFilesTest, OnlyRegularFilesAreReadWhole) {
    const fs::path regular = WriteFile("a.csv", "x;y\n");
    struct Case {
        fs::path path;
        int error;
        std::string bytes;
    } cases[] = {
        {regular, 0, "x;y\n"},
        {dir_ / "adresar", EISDIR, ""},
        {"/dev/zero", kNotRegularFile, ""},
        {dir_ / "fifo", kNotRegularFile, ""},  // a pipe nobody writes into does not block
        {dir_ / "chybi", ENOENT, ""},
    };
    for (const Case& c : cases) {
        std::string bytes = "old";
        const ReadResult r = ReadWholeFile(c.path, bytes);
        EXPECT_EQ(c.error, r.error) << c.path;
        EXPECT_EQ(c.error != ENOENT, r.opened) << c.path;
        EXPECT_EQ(c.bytes, bytes) << c.path;
    }
}

}  // namespace
}  // namespace axo::pap::test
