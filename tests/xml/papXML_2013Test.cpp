// The part files of the methodology up to 2013: every part against its golden file, the column
// containers and their order, the short header and the bare partner numbers.
#include <gtest/gtest.h>

#include <sstream>

#include "PartRows.h"
#include "xml/papXML_2013.h"

namespace axo::xml::test {
namespace {

/// The lines of a file that open a column container ("<Sloupec..."), trimmed, in order.
std::vector<std::string> Containers(const fs::path& file) {
    std::vector<std::string> found;
    std::istringstream in(ReadBytes(file));
    for (std::string line; std::getline(in, line);) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, 8, "<Sloupec") == 0)
            found.push_back(line.substr(start, line.find('>', start) - start + 1));
    }
    return found;
}

class Xml2013Test : public XmlTest {
  protected:
    void SetUp() override {
        XmlTest::SetUp();
        ctx_.fiscalYear = 2013;
    }
};

TEST_F(Xml2013Test, EveryPartMatchesItsGoldenFile) {
    for (int part = 1; part <= 13; ++part) {
        SCOPED_TRACE("part " + std::to_string(part));
        const std::optional<fs::path> written = Export(part, PartRows(part, 2013));
        ASSERT_TRUE(written);
        ExpectGolden("2013_" + written->filename().string(), *written);
        EXPECT_EQ(0, Xmllint(*written, false));
        if (part >= 10) {
            EXPECT_EQ(0, Xmllint(*written, true));
        }
    }
}

TEST_F(Xml2013Test, ColumnContainersInTheirOrder) {
    const auto names = [](std::vector<std::string> list) {
        for (std::string& n : list)
            n = "<Sloupec" + n + ">";
        return list;
    };
    // Numbered columns from..to, then the given names.
    const auto seq = [](int from, int to, std::vector<std::string> then = {}) {
        std::vector<std::string> v;
        for (int n = from; n <= to; ++n)
            v.push_back((n < 10 ? "0" : "") + std::to_string(n));
        v.insert(v.end(), then.begin(), then.end());
        return v;
    };
    const auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> v;
        for (const auto& p : parts)
            v.insert(v.end(), p.begin(), p.end());
        return v;
    };
    const struct {
        int part;
        std::vector<std::string> containers;
    } cases[] = {
        {1, names({"01", "02", "03", "04"})},
        {2, names({"05", "06"})},
        // Columns 1-17, 19, 18, 20, 21; debit side after 11, credit side after 20.
        {4, names(join({seq(1, 11, {"M"}), seq(12, 17, {"19", "18", "20", "D", "21"})}))},
        // 17 containers: two debit side columns after 5, two credit side columns after 12.
        {5, names(join({seq(1, 5, {"M", "N"}), seq(6, 12, {"D", "E", "13"})}))},
        {6, names(join({seq(1, 7, {"M"}), seq(8, 18, {"D", "19"})}))},
        {7, names(join({seq(1, 6, {"M"}), seq(7, 13, {"D", "14"})}))},
        {8, names(join({seq(1, 7, {"M", "N"}), seq(8, 18, {"D", "E", "19"})}))},
        {9, names(join({seq(1, 4, {"M"}), seq(5, 9, {"D", "10"})}))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("part " + std::to_string(c.part));
        // Every column has a code, so that every container is written.
        std::vector<pap::tVeta_Zorvi> rows = PartRows(c.part, 2013);
        for (pap::tVeta_Zorvi& r : rows)
            for (int n = 1; n < pap::kSloupcu; ++n)
                if (c.part > 3)
                    r.Sloupec[n].TRANSAKCE = FromUtf8(seq(n, n).front());
        const auto written = Export(c.part, rows);
        ASSERT_TRUE(written);
        EXPECT_EQ(c.containers, Containers(*written));
    }
}

TEST_F(Xml2013Test, AContainerWhoseCodeChangesIsRefusedAndTheOlderFileKept) {
    // A container opens with the code of the first record and closes with that of the last:
    // when they differ the fragment is no XML, and it must not replace the older one.
    std::vector<pap::tVeta_Zorvi> rows = PartRows(4, 2013);
    rows[0].Sloupec[11].TRANSAKCE = "11"_t;
    rows[1].Sloupec[11].TRANSAKCE = "12"_t;
    WriteBytes(out_ / "PAP_Cast4.xml", "older");
    StoreParams(Params());
    auto file = ResultFile(4, rows);
    ui_->QueueDialog("key:F2");
    ui_->QueueButton(1);  // replace it
    ui_->QueueOk();
    EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, 0));
    file->DeleteFile();
    EXPECT_EQ("older", ReadBytes(out_ / "PAP_Cast4.xml"));
    EXPECT_EQ(std::vector<std::string>{"PAP_Cast4.xml"}, Entries(out_));
    const std::string message = Messages().back();
    EXPECT_EQ(0u, message.find("Soubor PAP_Cast4.xml není správně utvořený dokument XML. řádek "))
        << message;
    EXPECT_NE(std::string::npos, message.find("Sloupec11")) << message;
    EXPECT_NE(std::string::npos,
              message.find("Soubor nebyl uložen, dosavadní soubory zůstávají beze změny."));
}

TEST_F(Xml2013Test, PartnersAreBareNumbersAndTheDateIsTheStoredOne) {
    const auto written = Export(10, PartRows(10, 2013));
    ASSERT_TRUE(written);
    const std::string bytes = ReadBytes(*written);
    const std::string field = Indent("1t 32s 1t");
    const std::string ic = Indent("1t 40s 1t");
    // The first row has no partner: the element stays, with an empty number.
    EXPECT_NE(std::string::npos,
              bytes.find(field + "<Partner>\r\n" + ic + "<PartnerIC></PartnerIC>\r\n" + field +
                         "</Partner>\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("<PartnerIC>12345678</PartnerIC>"));
    EXPECT_EQ(std::string::npos, bytes.find("stm:Partner"));
    EXPECT_EQ(std::string::npos, bytes.find("VerejnaZakazka"));
    EXPECT_EQ(std::string::npos, bytes.find("OsobaKontaktni"));
    // The period ends in December; the header tells the date of the block.
    EXPECT_NE(std::string::npos, bytes.find("<stm:DatumVykaz>2013-06-30</stm:DatumVykaz>"));
}

TEST_F(Xml2013Test, PartsOfTheNewerMethodologyAreUnknown) {
    const struct {
        int part;
        bool fromResult;
        std::string message;
    } cases[] = {
        {15, true, "Neznámý typ výkazu <XV. Přehled podrozvahových účtů>. Soubor nebude vytvořen!"},
        {14, false,
         "Neznámý typ výkazu <XIV. Přehled majetkových účastí a jejich změn>. Soubor nebude "
         "vytvořen!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        ui_->ClearTranscript();
        ui_->QueueOk();
        auto file = c.fromResult ? ResultFile(c.part, PartRows(c.part, 2013)) : nullptr;
        EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), false, {}, c.fromResult ? 0 : c.part));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
        if (file)
            file->DeleteFile();
    }
}

}  // namespace
}  // namespace axo::xml::test
