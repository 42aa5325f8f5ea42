// The work and result files: record descriptions that match the records, the keys of every
// statement, the result record's field list, the CSV output and the rows as text (also as the
// printout shown when no report engine takes the result).
#include <cstddef>

#include "PapTestSupport.h"
#include "storage/WorkFiles.h"

namespace axo::pap::test {
namespace {

TEST(ResultFieldsTest, FieldListFollowsTheRecordLayout) {
    const std::vector<ResultField>& f = ResultFields();
    ASSERT_EQ(13u + 3 * 45 + 8, f.size());
    const char* head[] = {"CisloVykazu", "NazevVykazu", "OdMesic", "DoMesic",   "Rok",
                          "KDatu",       "RADEK",       "Soucet",  "SA",        "POPIS",
                          "P10",         "P11",         "P24",     "SLOUPEC00", "TRANSAKCE00",
                          "KRIZEK00",    "SLOUPEC01"};
    for (std::size_t i = 0; i < std::size(head); ++i)
        EXPECT_EQ(FromUtf8(head[i]), f[i].name) << i;
    const char* tail[] = {"SLOUPEC40",
                          "TRANSAKCE40",
                          "KRIZEK40",
                          "SLOUPECMD00",
                          "TRANSAKCEMD00",
                          "KRIZEKMD00",
                          "SLOUPECMD01",
                          "TRANSAKCEMD01",
                          "KRIZEKMD01",
                          "SLOUPECDAL00",
                          "TRANSAKCEDAL00",
                          "KRIZEKDAL00",
                          "SLOUPECDAL01",
                          "TRANSAKCEDAL01",
                          "KRIZEKDAL01",
                          "X_BezObratu",
                          "P1",
                          "P2",
                          "FSA",
                          "FKT",
                          "FP1",
                          "StZakazka",
                          "Partner_Nazev"};
    const std::size_t first = f.size() - std::size(tail);
    for (std::size_t i = 0; i < std::size(tail); ++i)
        EXPECT_EQ(FromUtf8(tail[i]), f[first + i].name) << i;
    struct Case {
        std::size_t index;
        std::size_t offset;
    } offsets[] = {
        {1, offsetof(tVeta_Zorvi, NazevVykazu)},
        {5, offsetof(tVeta_Zorvi, KDatu)},
        {13, offsetof(tVeta_Zorvi, Sloupec)},
        {first + 3, offsetof(tVeta_Zorvi, SloupecMD)},
        {first + 15, offsetof(tVeta_Zorvi, X_BezObratu)},
        {f.size() - 1, offsetof(tVeta_Zorvi, Partner_Nazev)},
    };
    for (const Case& c : offsets)
        EXPECT_EQ(c.offset, static_cast<std::size_t>(f[c.index].layout.offset)) << c.index;
    EXPECT_EQ("STR255"_t, f[1].typeName);
}

TEST(ResultKeysTest, KeysOfEveryStatement) {
    tVetaWork w;
    w.SA = "0211"_t;
    w.TRANSAKCE = "401"_t;
    w.P1 = "12345678"_t;
    w.P2 = "de"_t;
    w.StZakazka = "VZ1"_t;
    tVeta_Zorvi z;
    z.CisloVykazu = 4;
    z.RADEK = 17;
    z.SA = w.SA;
    z.Sloupec[1].TRANSAKCE = w.TRANSAKCE;
    z.P1 = w.P1;
    z.P2 = w.P2;
    z.StZakazka = w.StZakazka;
    struct Case {
        StatementKind kind;
        int workLength;
        const char* work;
        int resultLength;
        const char* result;
    } cases[] = {
        {{1, true}, 10, "0211      ", 5, "40017"},
        {{4, true}, 13, "0211      401", 5, "40017"},
        {{15, true}, 10, "0211      ", 6, "150017"},
        {{10, false}, 20, "0211      12345678  ", 20, "0211      12345678  "},
        {{10, true},
         45,
         "0211      12345678  DE        VZ1            ",
         45,
         "0211      12345678  DE        VZ1            "},
        {{11, true}, 20, "0211      12345678  ", 20, "0211      12345678  "},
        {{16, true}, 20, "0211      12345678  ", 35, "0211      12345678  "},
        {{12, true}, 23, "0211      40112345678  ", 23, "0211      40112345678  "},
        {{13, true},
         33,
         "0211      40112345678  DE        ",
         33,
         "0211      40112345678  DE        "},
        {{14, true}, 0, "", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.workLength, DelkaKliceWork(c.kind)) << c.kind.cislo;
        EXPECT_EQ(FromUtf8(c.work), DejKlicWorkFile(w, c.kind)) << c.kind.cislo;
        EXPECT_EQ(c.resultLength, DelkaKliceZorvi(c.kind)) << c.kind.cislo;
        EXPECT_EQ(FromUtf8(c.result), DejKlicZorvi(z, c.kind)) << c.kind.cislo;
    }
}

class ResultFileTest : public StatementTest {
  protected:
    /// A result file of statement `cislo` with the given rows.
    std::unique_ptr<tFileZorvi> Vysledek(int cislo, const std::vector<tVeta_Zorvi>& rows) {
        auto file = std::make_unique<tFileZorvi>(
            data_, storage::RandomNotExistName(data_, dir_, "WK"_t), StatementKind{cislo, true});
        EXPECT_TRUE(file->InitFile(3, storage::_NoWait));
        for (const tVeta_Zorvi& r : rows) {
            std::int32_t n = 0;
            EXPECT_TRUE(file->AddRec(n, &r));
        }
        return file;
    }
    static tVeta_Zorvi Radek(int cislo, int radek, const char* sa, const char* popis) {
        tVeta_Zorvi r;
        VyplnHlavicku(r, cislo, "   I. Výkaz"_t, 1, 3, 2023);
        r.RADEK = static_cast<Word>(radek);
        r.SA = FromUtf8(sa);
        r.POPIS = FromUtf8(popis);
        return r;
    }
};

TEST_F(ResultFileTest, WorkFileDescriptionPassesTheStructureCheck) {
    tFileWork work(data_, storage::RandomNotExistName(data_, dir_, "WK"_t), {13, true});
    ASSERT_TRUE(work.InitFile(3, storage::_NoWait));
    tVetaWork w;
    w.SA = "0211"_t;
    w.PZ_MD = 12.34;
    w.Partner_Nazev = "Čeřovský"_t;
    std::int32_t n = 0;
    ASSERT_TRUE(work.AddRec(n, &w));
    tVetaWork back;
    ASSERT_TRUE(work.GetRec(n, &back));
    EXPECT_EQ(0, std::memcmp(&w, &back, sizeof w));
    work.DeleteFile();
}

TEST_F(ResultFileTest, CsvHasTheFieldNamesThenOneLinePerRowInRecordOrder) {
    tVeta_Zorvi a = Radek(1, 2, "0211", "Stavby; budovy");
    a.Sloupec[1].SLOUPEC = 1234.5;
    a.Sloupec[4].SLOUPEC = -0.1;
    a.Sloupec[2].KRIZEK = 255;
    a.P1 = "  12345678 "_t;
    a.Partner_Nazev = "Žluťoučký \"kůň\""_t;
    tVeta_Zorvi b = Radek(1, 1, "021", "Dlouhodobý majetek");
    b.Soucet = 1;
    auto file = Vysledek(1, {a, b});
    std::ostringstream out;
    ASSERT_TRUE(WriteResultCsv(*file, out));
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(0u, lines[0].rfind("CisloVykazu;NazevVykazu;OdMesic;DoMesic;Rok;KDatu;RADEK;Soucet;"
                                 "SA;POPIS;P10;P11;P24;SLOUPEC00;TRANSAKCE00;KRIZEK00;SLOUPEC01;",
                                 0));
    EXPECT_NE(std::string::npos, lines[0].find(";FP1;StZakazka;Partner_Nazev"));
    EXPECT_EQ(0u, lines[1].rfind("1;I. Výkaz;1;3;2023;31.3.2023;2;0;0211;\"Stavby; budovy\";0;0;0;"
                                 "0.00;;0;1234.50;;0;0.00;;255;0.00;;0;-0.10;;0;",
                                 0))
        << lines[1];
    EXPECT_NE(std::string::npos, lines[1].find(";12345678;;;;;;\"Žluťoučký \"\"kůň\"\"\""));
    EXPECT_EQ(0u, lines[2].rfind("1;I. Výkaz;1;3;2023;31.3.2023;1;1;021;Dlouhodobý majetek;", 0));
    file->DeleteFile();
}

TEST_F(ResultFileTest, CsvTextCellsNeverStartAFormulaNumbersStayNumbers) {
    // POPIS as the code list gives it, and the cell the CSV line carries.
    struct Case {
        const char* popis;
        const char* cell;
    } cases[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+420 123", "'+420 123"},
        {"-opravy", "'-opravy"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"=1;2", "\"'=1;2\""},  // neutralised and quoted
        {"Stavby = budovy", "Stavby = budovy"},
        {"", ""},
    };
    for (const Case& c : cases) {
        tVeta_Zorvi r = Radek(1, 1, "021", c.popis);
        r.Sloupec[0].SLOUPEC = -12.5;
        r.Partner_Nazev = "-Novák"_t;
        auto file = Vysledek(1, {r});
        std::ostringstream out;
        ASSERT_TRUE(WriteResultCsv(*file, out));
        const std::string line = out.str().substr(out.str().find('\n') + 1);
        EXPECT_EQ(0u, line.rfind("1;I. Výkaz;1;3;2023;31.3.2023;1;0;021;" + std::string(c.cell) +
                                     ";0;0;0;-12.50;;0;",
                                 0))
            << line;
        EXPECT_NE(std::string::npos, line.find(";'-Novák\n")) << line;
        file->DeleteFile();
    }
}

TEST_F(ResultFileTest, RowsAsTextWithTheColumnsOfTheStatement) {
    tVeta_Zorvi a = Radek(1, 1, "021", "Dlouhodobý majetek");
    a.Sloupec[1].SLOUPEC = 1000;
    a.Sloupec[4].SLOUPEC = 1234567.891;
    const std::vector<Text> lines = ResultLines({a}, {1, true});
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(
        "Řádek St.anal.   Popis                                          Sloupec 1       "
        "Sloupec 2       Sloupec 3       Sloupec 4",
        ToUtf8(lines[0]));
    EXPECT_EQ(
        "    1 021        Dlouhodobý majetek                              1 000,00          "
        "  0,00            0,00    1 234 567,89",
        ToUtf8(lines[1]));

    // IV-IX: the labelled columns with their marks, split into blocks when too wide.
    tVeta_Zorvi b = Radek(4, 3, "0211", "");
    b.Sloupec[1].TRANSAKCE = "401"_t;
    b.Sloupec[1].SLOUPEC = 5;
    b.Sloupec[2].TRANSAKCE = "402"_t;
    b.Sloupec[2].KRIZEK = kKrizekSkrtnut;
    b.SloupecMD[0].TRANSAKCE = "433"_t;
    b.SloupecMD[0].SLOUPEC = 7;
    const std::vector<Text> wide = ResultLines({b}, {4, true});
    ASSERT_EQ(2u, wide.size());
    EXPECT_EQ("Řádek St.anal.               401              402              433",
              ToUtf8(wide[0]));
    EXPECT_EQ("    3 0211                  5,00             0,00x            7,00",
              ToUtf8(wide[1]));
    const std::vector<Text> narrow = ResultLines({b}, {4, true}, 40);
    ASSERT_EQ(8u, narrow.size());
    EXPECT_TRUE(narrow[2].empty());
    EXPECT_EQ("Řádek St.anal.               402", ToUtf8(narrow[3]));
}

TEST_F(ResultFileTest, WithoutAReportEngineTheRowsAreShownAsAPrintout) {
    Add(PapCode("021", 1, 1, {1}));
    Add(Account(21, 0, "021", 'A', {1}));
    Add(Line("202302", 21, 0, 100, 0));
    ctx_.runReport = nullptr;
    ASSERT_TRUE(Compile(1, 1, 3));
    ASSERT_EQ(1, PrintoutCount());
    const std::vector<std::string> lines = Printouts();
    EXPECT_NE(lines.end(),
              std::find(lines.begin(), lines.end(),
                        "    1 021        Řádek 021                                   "
                        "        0,00          100,00            0,00          100,00"));
    // The result file has gone with the printout.
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        EXPECT_NE(0u, entry.path().filename().string().rfind("!WK", 0)) << entry.path();
}

}  // namespace
}  // namespace axo::pap::test
