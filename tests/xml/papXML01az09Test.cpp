// The summary "PAP_souhrn.xml": golden files of both methodologies, the fragments required,
// the overwrite question, fragments consumed only after success, and the batch run's dialog.
#include <gtest/gtest.h>

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
