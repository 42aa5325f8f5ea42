// The part files of the methodology from 2014: every part against its golden file byte for
// byte, the envelope of every complete file against the published schema, the rules of the
// passes and rows checked line by line, and the CSV inputs of parts XIV and XVII.
#include <gtest/gtest.h>

#include <sstream>

#include "PartRows.h"
#include "xml/papXML_2014.h"

namespace axo::xml::test {
namespace {

/// The lines of a file without their CR LF.
std::vector<std::string> Lines(const fs::path& file) {
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// The lines holding `tag`, with their leading white space removed.
std::vector<std::string> Grep(const fs::path& file, const std::string& tag) {
    std::vector<std::string> found;
    for (const std::string& line : Lines(file))
        if (line.find(tag) != std::string::npos)
            found.push_back(line.substr(line.find_first_not_of(" \t")));
    return found;
}

const char kCsvXIV[] =
    "Přehled majetkových účastí;;\r\n"
    "Typ;Partner;Poznámka;Podíl\r\n"
    "X; 12345678 ;pozn.;1,5;2;-3.25;;;;;;;1000;5.3.2014;0,5;3\r\n"
    "x;Zahraniční & spol;;10;;;;;;;;;;15.12.2013;;7\r\n"
    "X;;bez partnera se řádek přeskočí;1\r\n"
    "X;DE;;;;;;;;;;;;;; 2 \r\n";

/// Windows-1250, as a spreadsheet on Windows saves it.
const Text kCsvXVII =
    "Vysvětlení významných částek\r\n"
    "X;A.1;Organizace s velmi dlouhým názvem přes třicet znaků;333;12345,60;"
    "Důvod \"velké\" částky <A>\r\n"
    "X;B.2;Slovenská organizácia s dlhým menom;SK;-5;Kurz\r\n"
    "X;C.3;Firma;12345678;;"_t;

class Xml2014Test : public XmlTest {
  protected:
    std::optional<fs::path> ExportCsv(int part, const std::string& csv) {
        WriteBytes(out_ / CsvFileName(part), csv);
        StoreParams(Params());
        ui_->QueueDialog(std::string("transakce=") + kTransactionId + " key:F2");
        ui_->QueueOk();
        return ExportStatementXml(ctx_, nullptr, false, {}, part);
    }
};

TEST_F(Xml2014Test, EveryPartMatchesItsGoldenFile) {
    for (int part : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16}) {
        SCOPED_TRACE("part " + std::to_string(part));
        const std::optional<fs::path> written = Export(part, PartRows(part, 2023));
        ASSERT_TRUE(written);
        EXPECT_EQ(out_ / std::string(FindPart(part)->fileName), *written);
        ExpectGolden("2014_" + written->filename().string(), *written);
        EXPECT_EQ(0, Xmllint(*written, false));
        if (part >= 10) {
            EXPECT_EQ(0, Xmllint(*written, true));
        }
    }
}

TEST_F(Xml2014Test, PartsXIVAndXVIIFromTheirCsvFilesMatchTheirGoldenFiles) {
    const std::optional<fs::path> xiv = ExportCsv(14, kCsvXIV);
    ASSERT_TRUE(xiv);
    ExpectGolden("2014_PAP_CastXIV.xml", *xiv);
    EXPECT_EQ(0, Xmllint(*xiv, true));
    ctx_.fiscalYear = 2021;
    const std::optional<fs::path> xvii = ExportCsv(17, kCsvXVII.Bytes());
    ASSERT_TRUE(xvii);
    ExpectGolden("2014_PAP_CastXVII.xml", *xvii);
    EXPECT_EQ(0, Xmllint(*xvii, true));
}

TEST_F(Xml2014Test, PartIVTakesColumn14FromTheFirstRecordAfterColumn15) {
    std::vector<pap::tVeta_Zorvi> rows = PartRows(4, 2023);
    for (pap::tVeta_Zorvi& r : rows)
        r.Sloupec[14].TRANSAKCE = "14"_t;
    const auto written = Export(4, rows);
    ASSERT_TRUE(written);
    // Column 2 (mark 2) and column 3 (no code) are missing; 14 follows 15, 18 precedes 19.
    const std::vector<std::string> expected = {
        "<ZmenaTyp>01</ZmenaTyp>", "<ZmenaTyp>01</ZmenaTyp>", "<ZmenaTyp>15</ZmenaTyp>",
        "<ZmenaTyp>15</ZmenaTyp>", "<ZmenaTyp>14</ZmenaTyp>", "<ZmenaTyp>18</ZmenaTyp>",
        "<ZmenaTyp>19</ZmenaTyp>", "<ZmenaTyp>21</ZmenaTyp>"};
    EXPECT_EQ(expected, Grep(*written, "ZmenaTyp"));
    EXPECT_EQ("<Castka>14.00</Castka>", Grep(*written, "Castka")[4]);
}

TEST_F(Xml2014Test, SideColumnsStandBetweenTheNumberedOnesAndTheSecondOnesNeverAppear) {
    const struct {
        int part;
        std::vector<std::string> codes;
    } cases[] = {
        {8, {"06", "M", "07", "15", "D", "16"}},
        {9, {"04", "M", "05", "09", "D", "10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("part " + std::to_string(c.part));
        const auto written = Export(c.part, PartRows(c.part, 2023));
        ASSERT_TRUE(written);
        std::vector<std::string> expected;
        for (const std::string& code : c.codes)
            expected.push_back("<ZmenaTyp>" + code + "</ZmenaTyp>");
        EXPECT_EQ(expected, Grep(*written, "ZmenaTyp"));
        EXPECT_TRUE(Grep(*written, "999.00").empty());
        EXPECT_TRUE(Grep(*written, "888.00").empty());
    }
}

TEST(UntransmittedTest, AmountsThePartsDoNotCarryWithTheReason) {
    const std::string none = "XML části tento sloupec nemá";
    const std::string noCode = "chybí kód transakce";
    const std::string notAllowed = "kód není pro řádek povolen";
    const struct {
        int part;
        bool od2014;
        std::vector<std::string> expected;  ///< "analytics code amount: reason"
    } cases[] = {
        // From 2014 part IV has no side columns; column 14 without a code is no row either.
        {4,
         true,
         {"401 02 222.00: " + notAllowed, "401 33.00: " + noCode, "401 14.00: " + noCode,
          "401 M 500.00: " + none, "401 D 600.00: " + none, "401 N 501.00: " + none,
          "401 E 601.00: " + none, "402 99.00: " + noCode}},
        // Up to 2013 the first side columns have containers, the second ones not in IV.
        {4,
         false,
         {"401 02 222.00: " + notAllowed, "401 33.00: " + noCode, "401 14.00: " + noCode,
          "401 N 501.00: " + none, "401 E 601.00: " + none, "402 99.00: " + noCode}},
        // V from 2014: columns 1-10 only.
        {5,
         true,
         {"112 11 11.00: " + none, "112 M 100.00: " + none, "112 D 200.00: " + none,
          "112 N 999.00: " + none, "112 E 888.00: " + none}},
        {5, false, {}},
        // VIII from 2014: the first side columns only.
        {8, true, {"381 N 999.00: " + none, "381 E 888.00: " + none}},
        {8, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("part " + std::to_string(c.part) + (c.od2014 ? " from 2014" : " to 2013"));
        std::vector<std::string> found;
        for (const UntransmittedAmount& a :
             UntransmittedAmounts(c.part, c.od2014, PartRows(c.part, 2023))) {
            EXPECT_EQ(c.part, a.part);
            found.push_back(ToUtf8(a.analytics) + (a.code.empty() ? "" : " " + ToUtf8(a.code)) +
                            " " + XmlAmount(a.amount) + ": " + ToUtf8(a.reason));
        }
        EXPECT_EQ(c.expected, found);
    }
}

TEST_F(Xml2014Test, ACellWithoutACodeIsNoRowAndItsAmountIsListed) {
    for (int year : {2023, 2013}) {
        SCOPED_TRACE(year);
        ctx_.fiscalYear = year;
        // Columns 2 and 3 have no code (as the columns past the code list): mark 0, and an
        // amount in column 3.
        std::vector<pap::tVeta_Zorvi> rows = PartRows(6, year);
        SetCell(rows[0].Sloupec[2], 0, "", 0);
        SetCell(rows[0].Sloupec[3], 5, "", 0);
        ui_->ClearTranscript();
        fs::remove(out_ / "PAP_Cast6.xml");
        const auto written = Export(6, rows);
        ASSERT_TRUE(written);
        const std::string bytes = ReadBytes(*written);
        EXPECT_EQ(std::string::npos, bytes.find("<ZmenaTyp></ZmenaTyp>"));
        EXPECT_EQ(std::string::npos, bytes.find("<Sloupec>"));
        EXPECT_EQ(std::string::npos, bytes.find("<Castka>5.00</Castka>"));
        ASSERT_EQ(1u, Printouts().size());
        EXPECT_NE(std::string::npos,
                  Printouts().front().find("│VI   │311         │         │          5,00│chybí "
                                           "kód transakce"));
    }
}

TEST_F(Xml2014Test, TheExportListsWhatItDoesNotCarryInTheProtocol) {
    const auto written = Export(8, PartRows(8, 2023));
    ASSERT_TRUE(written);
    const std::vector<std::string> printouts = Printouts();
    ASSERT_EQ(1u, printouts.size());
    const std::string& p = printouts.front();
    for (const char* text :
         {"chybový protokol [od 1 do 12/2023]", "VIII. Ostatní aktiva", "částky nepřenesené do XML",
          "│Výkaz│St.analytika│Transakce│    Částka    │Proč se nepřenáší",
          "│VIII │381         │N        │        999,00│XML části tento sloupec nemá      │",
          "│VIII │381         │E        │        888,00│XML části tento sloupec nemá      │"})
        EXPECT_NE(std::string::npos, p.find(text)) << text << "\n" << p;

    // Nothing to list, no protocol.
    ui_->ClearTranscript();
    ASSERT_TRUE(Export(1, PartRows(1, 2023)));
    EXPECT_TRUE(Printouts().empty());
}

TEST_F(Xml2014Test, PartXWithoutAnalyticsInItsFirstRowHasNoRows) {
    std::vector<pap::tVeta_Zorvi> rows = PartRows(10, 2023);
    rows[0].SA = Text();
    const auto written = Export(10, rows);
    ASSERT_TRUE(written);
    EXPECT_TRUE(Grep(*written, "<Radek>").empty());
    EXPECT_EQ(1u, Grep(*written, "</VykazHlavicka>").size());
    EXPECT_EQ(1u, Grep(*written, "</VykazPAPDetailP10>").size());
}

TEST_F(Xml2014Test, PartXPartnersAndPublicContracts) {
    const auto written = Export(10, PartRows(10, 2023));
    ASSERT_TRUE(written);
    const std::vector<std::string> partners = {
        "<stm:PartnerZeme>DE</stm:PartnerZeme>",
        "<stm:PartnerNazev>Müller &amp; Söhne</stm:PartnerNazev>",
        "<stm:PartnerIC>12345678</stm:PartnerIC>"};
    EXPECT_EQ(partners, Grep(*written, "<stm:Partner"));
    // Opened and closed in rows 2 and 3 only: row 1 has no partner.
    EXPECT_EQ(4u, Grep(*written, "PartnerAktivaPasiva>").size());
    const std::vector<std::string> contracts = {
        "<stm:VerejnaZakazkaCisloEvidencniProfil>P14V00000123</"
        "stm:VerejnaZakazkaCisloEvidencniProfil>",
        "<stm:VerejnaZakazkaCisloEvidencniVestnik>123456</stm:VerejnaZakazkaCisloEvidencniVestnik>",
        "<stm:VerejnaZakazkaCisloEvidencniProfil>P14V12</stm:VerejnaZakazkaCisloEvidencniProfil>",
        "<stm:VerejnaZakazkaCisloEvidencniVestnik>P14V12</"
        "stm:VerejnaZakazkaCisloEvidencniVestnik>"};
    EXPECT_EQ(contracts, Grep(*written, "VerejnaZakazka"));
}

TEST_F(Xml2014Test, PartXTakesTheTransactionPartnerWhenThereIsNoOther) {
    const struct {
        const char* p1;
        const char* p2;
        std::vector<std::string> lines;
    } cases[] = {
        {"", "", {}},
        {"",
         "87654321",
         {"<PartnerTransakce>", "<stm:PartnerIC>87654321</stm:PartnerIC>", "</PartnerTransakce>"}},
        {"",
         "AT",
         {"<PartnerTransakce>", "<stm:PartnerZeme>AT</stm:PartnerZeme>",
          "<stm:PartnerNazev>Wien GmbH</stm:PartnerNazev>", "</PartnerTransakce>"}},
        {"12345678",
         "99999999",
         {"<PartnerAktivaPasiva>", "<stm:PartnerIC>12345678</stm:PartnerIC>",
          "</PartnerAktivaPasiva>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.p1) + "/" + c.p2);
        pap::tVeta_Zorvi r = Zorvi(10, 1, "401", 2023);
        r.P1 = FromUtf8(c.p1);
        r.P2 = FromUtf8(c.p2);
        r.Partner_Nazev = "Wien GmbH"_t;
        fs::remove(out_ / "PAP_CastX.xml");
        const auto written = Export(10, {r});
        ASSERT_TRUE(written);
        EXPECT_EQ(c.lines, Grep(*written, "Partner"));
    }
}

TEST_F(Xml2014Test, HeaderDateIsTheEndOfThePeriodAndTheEnvelopeTellsTheStamp) {
    std::vector<pap::tVeta_Zorvi> rows = PartRows(11, 2023);
    for (pap::tVeta_Zorvi& r : rows)
        r.DoMesic = 2;
    const auto written = Export(11, rows);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::vector<std::string>{"<stm:DatumVykaz>2023-02-28</stm:DatumVykaz>"},
              Grep(*written, "DatumVykaz"));
    EXPECT_EQ(std::vector<std::string>{"<stm:DatumSestaveni>2024-03-05</stm:DatumSestaveni>"},
              Grep(*written, "DatumSestaveni"));
    // Local 10:07:06 an hour ahead of UTC: the stamp is the true UTC time, twice.
    EXPECT_EQ(2u, Grep(*written, ">2024-03-05T09:07:06Z<").size());
}

TEST_F(Xml2014Test, CsvFieldRules) {
    const struct {
        const char* typed;
        std::optional<std::string> amount;
        std::optional<std::string> date;
    } cases[] = {
        {"", "0.00", ""},
        {"1,5", "1.5", std::nullopt},
        {" -3.25 ", "-3.25", std::nullopt},
        {"+7", "+7", std::nullopt},
        {"1 000", std::nullopt, std::nullopt},
        {"12a", std::nullopt, std::nullopt},
        {".", std::nullopt, std::nullopt},
        // At most 11 digits before the point (leading zeros aside) and 2 after it.
        {"-99999999999,99", "-99999999999.99", std::nullopt},
        {"00012345678901", "00012345678901", std::nullopt},
        {"123456789012", std::nullopt, std::nullopt},
        {"1,999", std::nullopt, std::nullopt},
        {"5.3.2014", std::nullopt, "2014-03-05"},
        {"15.3.2014", std::nullopt, "2014-03-15"},
        {"5.12.2014", std::nullopt, "2014-12-05"},
        {"05.03.2014", std::nullopt, "2014-03-05"},
        {"31.2.2014", std::nullopt, std::nullopt},
        {"1.1.14", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(c.amount, CsvAmount(FromUtf8(c.typed)));
        EXPECT_EQ(c.date, CsvDateIso(FromUtf8(c.typed)));
    }
    const std::vector<Text> fields = {"X"_t, "a"_t, ""_t, " last "_t};
    EXPECT_EQ(fields, SplitCsvLine(" X ; a ;; last "_t));
}

TEST_F(Xml2014Test, AWrongCsvValueNamesItsLineAndWritesNothing) {
    const struct {
        int part;
        std::string csv;
        std::string message;
    } cases[] = {
        {14, "X;12345678;;1;2;tři\n",
         "Soubor PAP_CastXIV.csv, řádek 1: položka 6 <tři> není číslo. Soubor nebude vytvořen!"},
        {14, "hlavička\nX;12345678;;;;;;;;;;;;31.2.2014\n",
         "Soubor PAP_CastXIV.csv, řádek 2: položka 14 <31.2.2014> není datum. Soubor nebude "
         "vytvořen!"},
        {17, "X;A;B;333;1.2.3;text\n",
         "Soubor PAP_CastXVII.csv, řádek 1: položka 5 <1.2.3> není číslo. Soubor nebude "
         "vytvořen!"},
        {14, "X;12345678;;1;2;3;4;5;6;7;8;9;10;;0,123456789\n",
         "Soubor PAP_CastXIV.csv, řádek 1: položka 15 <0,123456789> má více než 2 desetinná "
         "místa. Soubor nebude vytvořen!"},
        {17, "X;A;B;333;12345678901234567890123456789012345678901234567890;text\n",
         "Soubor PAP_CastXVII.csv, řádek 1: položka 5 "
         "<12345678901234567890123456789012345678901234567890> má více než 11 číslic před "
         "desetinnou čárkou. Soubor nebude vytvořen!"},
    };
    ctx_.fiscalYear = 2021;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        ui_->ClearTranscript();
        StoreParams(Params());
        WriteBytes(out_ / CsvFileName(c.part), c.csv);
        ui_->QueueDialog(std::string("transakce=") + kTransactionId + " key:F2");
        ui_->QueueOk();
        EXPECT_FALSE(ExportStatementXml(ctx_, nullptr, false, {}, c.part));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
        EXPECT_EQ(std::vector<std::string>{CsvFileName(c.part)}, Entries(out_));
        fs::remove(out_ / CsvFileName(c.part));
    }
}

TEST_F(Xml2014Test, AMissingCsvFileWritesNothing) {
    StoreParams(Params());
    ui_->QueueDialog(std::string("transakce=") + kTransactionId + " key:F2");
    ui_->QueueOk();
    EXPECT_FALSE(ExportStatementXml(ctx_, nullptr, false, {}, 14));
    EXPECT_EQ(std::vector<std::string>{" Na zadané cestě neexistuje soubor PAP_CastXIV.csv Funkci "
                                       "nelze provést!"},
              Messages());
    EXPECT_TRUE(Entries(out_).empty());
}

}  // namespace
}  // namespace axo::xml::test
