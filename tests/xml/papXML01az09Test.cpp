// The summary "PAP_souhrn.xml": golden files of both methodologies, the fragments required
// (present, well-formed, of one period), the envelope checked before anything is replaced, the
// overwrite question, fragments consumed only after success, and the batch run.
#include <gtest/gtest.h>

#include <functional>

#include "PartRows.h"
#include "xml/papXML01az09.h"

namespace axo::xml::test {
namespace {

class SummaryTest : public XmlTest {
  protected:
    void SetUp() override {
        XmlTest::SetUp();
        ctx_.fiscalYear = 2021;  // the last year with part IX
    }
    /// Writes the fragments of parts 1..count as the batch run does (no dialog, no message).
    void Fragments(int count, int rok) {
        for (int part = 1; part <= count; ++part) {
            auto file = ResultFile(part, PartRows(part, rok));
            ASSERT_TRUE(ExportStatementXml(ctx_, file.get(), true, Params(), 0));
            file->DeleteFile();
        }
    }
    /// Builds the summary through its dialog ("888"), answered with the fixed identifier.
    /// `messages` is the number of messages the run shows.
    std::optional<fs::path> Summary(int messages = 1) {
        StoreParams(Params());
        ui_->QueueDialog(std::string("transakce=") + kTransactionId + " key:F2");
        for (int i = 0; i < messages; ++i)
            ui_->QueueOk();
        return BuildSummaryXml(ctx_, {}, {}, false);
    }
    static std::vector<std::string> FragmentNames(int from, int to) {
        std::vector<std::string> names;
        for (int i = from; i <= to; ++i)
            names.push_back("PAP_Cast" + std::to_string(i) + ".xml");
        return names;
    }
};

TEST_F(SummaryTest, BothMethodologiesMatchTheirGoldenFilesAndConsumeTheFragments) {
    for (int year : {2021, 2013}) {
        SCOPED_TRACE(year);
        ctx_.fiscalYear = year;
        Fragments(9, year);
        const std::optional<fs::path> written = Summary();
        ASSERT_TRUE(written);
        ExpectGolden(std::to_string(year > 2013 ? 2014 : 2013) + "_PAP_souhrn.xml", *written);
        EXPECT_EQ(0, Xmllint(*written, true));
        EXPECT_EQ(std::vector<std::string>{"PAP_souhrn.xml"}, Entries(out_));
        fs::remove(*written);
    }
}

TEST_F(SummaryTest, From2022EightPartsAndAStrayNinthIsLeftAlone) {
    ctx_.fiscalYear = 2022;
    Fragments(8, 2022);
    WriteBytes(out_ / "PAP_Cast9.xml", "\t<Cast9>\r\n\t</Cast9>\r\n");
    const std::optional<fs::path> written = Summary();
    ASSERT_TRUE(written);
    const std::string bytes = ReadBytes(*written);
    EXPECT_NE(std::string::npos, bytes.find("<Cast8>"));
    EXPECT_EQ(std::string::npos, bytes.find("<Cast9>"));
    EXPECT_NE(std::string::npos, bytes.find("\t\t\t\t\t<Komentar>Komentář k PAPu</Komentar>\r\n"));
    EXPECT_EQ((std::vector<std::string>{"PAP_Cast9.xml", "PAP_souhrn.xml"}), Entries(out_));
}

TEST_F(SummaryTest, AMissingFragmentStopsBeforeAnythingIsWritten) {
    Fragments(9, 2021);
    fs::remove(out_ / "PAP_Cast6.xml");
    EXPECT_FALSE(Summary());
    EXPECT_EQ(std::vector<std::string>{"Na zadané cestě neexistuje výkaz PAP_Cast6.xml. Soubor "
                                       "nebude vytvořen!"},
              Messages());
    std::vector<std::string> expected = FragmentNames(1, 5);
    for (const std::string& name : FragmentNames(7, 9))
        expected.push_back(name);
    EXPECT_EQ(expected, Entries(out_));
}

TEST_F(SummaryTest, ASecondSummaryFindsNoFragments) {
    Fragments(9, 2021);
    ASSERT_TRUE(Summary());
    ui_->ClearTranscript();
    EXPECT_FALSE(Summary());
    EXPECT_EQ(std::vector<std::string>{"Na zadané cestě neexistuje výkaz PAP_Cast1.xml. Soubor "
                                       "nebude vytvořen!"},
              Messages());
}

TEST_F(SummaryTest, AnExistingSummaryIsReplacedOnlyWhenTheUserAgrees) {
    Fragments(9, 2021);
    WriteBytes(out_ / "PAP_souhrn.xml", "older");
    StoreParams(Params());
    ui_->QueueDialog(std::string("transakce=") + kTransactionId + " key:F2");
    ui_->QueueButton(2);
    EXPECT_FALSE(BuildSummaryXml(ctx_, {}, {}, false));
    EXPECT_EQ("older", ReadBytes(out_ / "PAP_souhrn.xml"));
    EXPECT_EQ(10u, Entries(out_).size());

    // The batch run asks too.
    ui_->ClearTranscript();
    ui_->QueueButton(1);
    ui_->QueueOk();
    EXPECT_TRUE(BuildSummaryXml(ctx_, {Text::FromBytes(kTransactionId), {}}, Params(), true));
    EXPECT_EQ(" Na zadané cestě již soubor PAP_souhrn.xml existuje.", Messages().front());
    EXPECT_NE("older", ReadBytes(out_ / "PAP_souhrn.xml"));
    EXPECT_EQ(std::vector<std::string>{"PAP_souhrn.xml"}, Entries(out_));
}

TEST_F(SummaryTest, AFragmentThatCannotBeReadLeavesEveryFragmentAndNoSummary) {
    Fragments(9, 2021);
    fs::remove(out_ / "PAP_Cast5.xml");
    fs::create_directory(out_ / "PAP_Cast5.xml");
    EXPECT_FALSE(Summary(2));
    EXPECT_EQ((std::vector<std::string>{
                  "Chyba při čtení vstupního souboru. Funkce končí!",
                  "Chyba při sehrávání výkazů! Vygenerujte výkazy znovu a pokuste se o jejich "
                  "opětovné sehrání."}),
              Messages());
    EXPECT_EQ(FragmentNames(1, 9), Entries(out_));
}

TEST_F(SummaryTest, FragmentsThatMakeNoSummaryLeaveEveryFileAsItWas) {
    const auto replaceFirstLine = [this](int part, const std::string& line) {
        const fs::path file = out_ / ("PAP_Cast" + std::to_string(part) + ".xml");
        std::string bytes = ReadBytes(file);
        bytes.replace(0, bytes.find("\r\n"), line);
        WriteBytes(file, bytes);
    };
    const struct {
        const char* name;
        std::function<void(XmlExportParams&)> spoil;
        bool asksToReplace;
        const char* expected;  ///< the beginning of the first message
    } cases[] = {
        {"another period",
         [&](XmlExportParams&) {
             replaceFirstLine(4, FragmentPeriodLine({1, 6, 2021}));
         },
         false,
         "Výkazy pro souhrn nejsou sestaveny za jedno období účetního roku 2021: "
         "PAP_Cast1.xml - od 1 do 12/2021 PAP_Cast2.xml - od 1 do 12/2021 PAP_Cast3.xml - od 1 "
         "do 12/2021 PAP_Cast4.xml - od 1 do 6/2021 "},
        {"another year",
         [&](XmlExportParams&) {
             for (int part = 1; part <= 9; ++part)
                 replaceFirstLine(part, FragmentPeriodLine({1, 12, 2020}));
         },
         false,
         "Výkazy pro souhrn nejsou sestaveny za jedno období účetního roku 2021: "
         "PAP_Cast1.xml - od 1 do 12/2020 "},
        {"no period", [&](XmlExportParams&) { replaceFirstLine(3, "<!-- -->"); }, false,
         "Výkazy pro souhrn nejsou sestaveny za jedno období účetního roku 2021: PAP_Cast1.xml - "
         "od 1 do 12/2021 PAP_Cast2.xml - od 1 do 12/2021 PAP_Cast3.xml - období neuvedeno "},
        {"no XML",
         [&](XmlExportParams&) {
             WriteBytes(out_ / "PAP_Cast7.xml", "<Cast7>\r\n<Sloupec733>\r\n</Sloupec783>\r\n");
         },
         false, "Soubor PAP_Cast7.xml není správně utvořený dokument XML. řádek 3: "},
        {"envelope refused", [](XmlExportParams& p) { p.ico = "1234567"_t; }, true,
         "Obálka zprávy v souboru PAP_souhrn.xml neodpovídá schématu ústředního systému. řádek "
         "12, prvek iissp:IC: hodnota má 7 znaků, schéma žádá nejméně 8 Soubor nebyl uložen, "
         "dosavadní soubory zůstávají beze změny."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(out_))
            fs::remove(entry.path());
        Fragments(9, 2021);
        WriteBytes(out_ / "PAP_souhrn.xml", "older");
        XmlExportParams params = Params();
        c.spoil(params);
        std::vector<std::string> before;
        for (const std::string& name : Entries(out_))
            before.push_back(name + ":" + ReadBytes(out_ / name));
        ui_->ClearTranscript();
        if (c.asksToReplace)
            ui_->QueueButton(1);
        ui_->QueueOk();
        if (!c.asksToReplace)
            ui_->QueueOk();  // "Chyba při sehrávání výkazů!"
        EXPECT_FALSE(BuildSummaryXml(ctx_, {Text::FromBytes(kTransactionId), {}}, params, true));
        const std::vector<std::string> messages = Messages();
        ASSERT_FALSE(messages.empty());
        const std::string& message = messages[c.asksToReplace ? 1 : 0];
        EXPECT_EQ(0u, message.find(c.expected)) << message;
        std::vector<std::string> after;
        for (const std::string& name : Entries(out_))
            after.push_back(name + ":" + ReadBytes(out_ / name));
        EXPECT_EQ(before, after);
    }
}

TEST_F(SummaryTest, LeavingTheBatchDialogCompilesNothingAndSaysNothing) {
    pap::StatementContext statements;
    statements.data = &data_;
    statements.fiscalYear = ctx_.fiscalYear;
    ui_->QueueDialog("key:Esc");
    EXPECT_FALSE(BatchSummaryXml(ctx_, statements));
    ASSERT_EQ(1u, ui_->Transcript().size());
    EXPECT_EQ("dialog", ui_->Transcript().front().kind);
    EXPECT_TRUE(Entries(out_).empty());
    EXPECT_FALSE(statements.exportXml);
}

}  // namespace
}  // namespace axo::xml::test
