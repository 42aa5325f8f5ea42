// The office files of printouts read back by other programs: the OpenDocument text through
// unzip and xmllint, the workbook's sheet XML (numbers as numbers, a column summing to the
// listing's total), the MIME message through Python's email package, and both documents
// converted by LibreOffice when it is installed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "office/ListingDocument.h"
#include "office/MailMessage.h"
#include "office/OdtDocument.h"
#include "office/OfficeTestSupport.h"
#include "office/SheetTable.h"
#include "office/XlsxWorkbook.h"
#include "support/ScratchDir.h"

namespace axo::office::test {
namespace {

/// A framed printout of two pages wider than 80 characters: the heading repeats after the page
/// break, the last line holds the total.
ListingDocument SampleDocument() {
    std::string text;
    const auto page = [&text](int n, const std::vector<std::string>& rows) {
        text += "Příspěvková organizace Luna   Strana : " + std::to_string(n) + "\n\n";
        text += "┌───────┬──────────┬──────────────┐\n";
        text += "│Účet   │Datum     │        Částka│\n";
        text += "├───────┼──────────┼──────────────┤\n";
        for (const std::string& r : rows)
            text += r + "\n";
    };
    page(1, {"│501/100│ 5. 3.2024│      1 100,10│", "│0311   │31.12.2024│        -33,33│"});
    text += "└───────┴──────────┴──────────────┘\n\f\n";
    page(2, {"│502/100│ 1. 1.2024│      2 000,00│"});
    text += "├───────┼──────────┼──────────────┤\n";
    text += "│Celkem *          *      3 066,77*\n";
    text += "└───────┴──────────┴──────────────┘\n";
    ListingDocument doc = DocumentFromText(text, "Kontrolní výpis");
    doc.lineWidth = 100;
    return doc;
}

TEST(SheetTableTest, CellsOfTexts) {
    using K = SheetCell::Kind;
    struct Case {
        const char* text;
        K kind;
        double number;
    } cases[] = {
        {"1 234,56", K::Number, 1234.56},
        {"-183.68", K::Number, -183.68},
        {"0.00", K::Number, 0},
        {"1.234.567,00", K::Number, 1234567},
        {"12 345", K::Number, 12345},
        {"7,5", K::Number, 7.5},
        {"501", K::Text, 0},
        {"0100", K::Text, 0},
        {"12345679", K::Text, 0},
        {"501/100", K::Text, 0},
        {"1 23,00", K::Text, 0},
        {"1.2.3", K::Text, 0},
        {"5.3.2024", K::Date, 0},
        {" 5. 3.2024", K::Date, 0},
        {"29.2.2023", K::Text, 0},
        {"31.12.2024", K::Date, 0},
        {"   ", K::Empty, 0},
        {"-", K::Text, 0},
        {"1,", K::Text, 0},
        {"VS77", K::Text, 0},
    };
    for (const Case& c : cases) {
        const SheetCell cell = CellOf(c.text);
        EXPECT_EQ(c.kind, cell.kind) << c.text;
        if (c.kind == K::Number) {
            EXPECT_DOUBLE_EQ(c.number, cell.number) << c.text;
        }
    }
    const SheetCell date = CellOf(" 5. 3.2024");
    EXPECT_EQ((std::vector<int>{2024, 3, 5}), (std::vector<int>{date.year, date.month, date.day}));
}

TEST(SheetTableTest, FramedLinesSplitIntoColumnsAndRepeatedHeadingsLeftOut) {
    const SheetTable t = TableFromListing(SampleDocument());
    std::vector<std::string> firsts;
    for (const SheetRow& r : t.rows)
        firsts.push_back(r.cells.empty() ? "" : r.cells[0].text);
    EXPECT_EQ((std::vector<std::string>{"Příspěvková organizace Luna   Strana : 1", "", "Účet",
                                        "501/100", "0311", "502/100", "Celkem"}),
              firsts);
    EXPECT_TRUE(t.rows[2].heading);
    EXPECT_EQ(3, t.frozenRows);
    EXPECT_EQ((std::vector<int>{7, 10, 14}), t.columnWidths);
    EXPECT_EQ(SheetCell::Kind::Date, t.rows[3].cells[1].kind);
    EXPECT_DOUBLE_EQ(3066.77, t.rows[6].cells[2].number);  // the total line of "*" joints
    EXPECT_TRUE(t.landscape);
}

TEST(OfficeFilesTest, OdtPartsAreWellFormedAndKeepFramesBlanksAndBreaks) {
    axo::test::ScratchDir dir("axo-odt");
    const fs::path odt = dir.Path() / "vypis.odt";
    ASSERT_EQ(0, WriteOdt(SampleDocument(), odt));
    EXPECT_EQ((std::vector<std::string>{"mimetype", "META-INF/manifest.xml", "content.xml",
                                        "styles.xml", "meta.xml"}),
              ZipNames(dir.Path(), odt));
    // The media type is stored first and uncompressed, as readers look for it at offset 38.
    EXPECT_EQ("application/vnd.oasis.opendocument.text", ReadFile(odt).substr(38, 39));
    for (const char* part : {"META-INF/manifest.xml", "content.xml", "styles.xml", "meta.xml"})
        EXPECT_TRUE(WellFormed(dir.Path(), odt, part)) << part;
    const std::string content = ZipPart(dir.Path(), odt, "content.xml");
    EXPECT_NE(std::string::npos, content.find("<text:p text:style-name=\"Sestava\">│Účet<text:s "
                                              "text:c=\"3\"/>│Datum"))
        << content;
    EXPECT_NE(std::string::npos, content.find("<text:p text:style-name=\"Zlom\">Příspěvková"));
    const std::string styles = ZipPart(dir.Path(), odt, "styles.xml");
    EXPECT_NE(std::string::npos, styles.find("fo:page-width=\"29.70cm\" fo:page-height=\"21.00cm\" "
                                             "style:print-orientation=\"landscape\""));
    EXPECT_NE(std::string::npos, styles.find("style:font-pitch=\"fixed\""));
    EXPECT_NE(std::string::npos, styles.find("fo:font-size=\"10.0pt\""));
    EXPECT_DOUBLE_EQ(7.8, OdtFontSize(160, true));
    EXPECT_DOUBLE_EQ(5.0, OdtFontSize(250, false));
}

TEST(OfficeFilesTest, XlsxHoldsNumbersAColumnSummingToTheTotalAndBoldFrozenHeadings) {
    axo::test::ScratchDir dir("axo-xlsx");
    const fs::path xlsx = dir.Path() / "vypis.xlsx";
    ASSERT_EQ(0, WriteXlsx(TableFromListing(SampleDocument()), xlsx));
    const std::map<std::string, StoredCell> cells = SheetCells(dir.Path(), xlsx);
    double sum = 0;
    for (const char* ref : {"C4", "C5", "C6"}) {
        ASSERT_TRUE(cells.at(ref).number) << ref;
        sum += std::stod(cells.at(ref).value);
    }
    ASSERT_TRUE(cells.at("C7").number);
    EXPECT_NEAR(std::stod(cells.at("C7").value), sum, 1e-9);
    EXPECT_FALSE(cells.at("A4").number);
    EXPECT_EQ("501/100", cells.at("A4").value);
    EXPECT_EQ("0311", cells.at("A5").value);
    EXPECT_TRUE(cells.at("B4").number);
    EXPECT_EQ("45356", cells.at("B4").value);  // 5.3.2024 as the spreadsheet counts days
    const std::string sheet = ZipPart(dir.Path(), xlsx, "xl/worksheets/sheet1.xml");
    EXPECT_NE(std::string::npos, sheet.find("<pane ySplit=\"3\" topLeftCell=\"A4\""));
    EXPECT_NE(std::string::npos, sheet.find("orientation=\"landscape\""));
    const std::string styles = ZipPart(dir.Path(), xlsx, "xl/styles.xml");
    EXPECT_NE(std::string::npos, styles.find("<b/>"));
    // Two sheets of the same name are told apart.
    ASSERT_EQ(0, WriteXlsx(std::vector<SheetTable>{TableFromListing(SampleDocument()),
                                                   TableFromListing(SampleDocument())},
                           xlsx));
    const std::string book = ZipPart(dir.Path(), xlsx, "xl/workbook.xml");
    EXPECT_NE(std::string::npos, book.find("name=\"Kontrolní výpis (2)\"")) << book;
}

TEST(OfficeFilesTest, FilesAreWrittenWholeOrNotAtAll) {
    axo::test::ScratchDir dir("axo-office-atomic");
    const ListingDocument doc = SampleDocument();
    for (const char* name : {"a.odt", "a.xlsx"}) {
        const fs::path target = dir.Path() / name;
        const auto write = [&](const fs::path& to) {
            return fs::path(name).extension() == ".odt" ? WriteOdt(doc, to)
                                                        : WriteXlsx(TableFromListing(doc), to);
        };
        std::ofstream(target) << "older";
        ASSERT_EQ(0, write(target)) << name;
        EXPECT_EQ("PK", ReadFile(target).substr(0, 2)) << name;
        EXPECT_NE(0, write(dir.Path() / "missing" / name)) << name;
    }
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.Path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"a.odt", "a.xlsx"}), names);
}

TEST(MailMessageTest, AddressesThatCouldAddHeadersOrRecipientsAreRefused) {
    struct Case {
        const char* address;
        bool valid;
    } cases[] = {
        {"reditel@zrizovatel.cz", true},
        {"a.b+c@x.y", true},
        {"", false},
        {"bez-zavinace", false},
        {"@x.cz", false},
        {"a@", false},
        {"a@b@c", false},
        {"a@b.cz\r\nBcc: x@y.cz", false},
        {"a b@c.cz", false},
        {"a@b.cz, c@d.cz", false},
        {"<a@b.cz>", false},
        {"a@b.cz;c@d.cz", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, ValidMailAddress(c.address)) << c.address;
}

TEST(MailMessageTest, MessagesParseWithTheirHeadersCharsetAndAttachmentBytes) {
    axo::test::ScratchDir dir("axo-mail");
    std::string binary;
    for (int i = 0; i < 600; ++i)
        binary += static_cast<char>(i * 7);
    MailMessage m;
    m.fromAddress = "ucetni@skola.cz";
    m.toName = "Ředitel Šťastný";
    m.toAddress = "reditel@zrizovatel.cz";
    m.subject = "Výkaz PAP – leden až prosinec, příloha s velmi dlouhým předmětem zprávy\r\nBcc: x";
    m.text = "Dobrý den,\nzasílám výkaz.";
    m.attachments.push_back({"výkaz.pdf", ContentTypeOf("výkaz.pdf"), binary});
    std::ofstream(dir.Path() / "m.eml", std::ios::binary) << MimeBytes(m, 1700000000);
    EXPECT_EQ(
        "From: ucetni@skola.cz\n"
        "To: Ředitel Šťastný <reditel@zrizovatel.cz>\n"
        "Subject: Výkaz PAP – leden až prosinec, příloha s velmi dlouhým předmětem zprávy  Bcc: x\n"
        "part text/plain utf-8 None\n"
        "part application/pdf None výkaz.pdf\n",
        ParsedMail(dir.Path(), dir.Path() / "m.eml"));
    EXPECT_EQ("Dobrý den,\nzasílám výkaz.", ReadFile(dir.Path() / "part-0"));
    EXPECT_EQ(binary, ReadFile(dir.Path() / "part-1"));

    // Mode 0: the HTML is the body itself.
    MailMessage html;
    html.toAddress = "a@b.cz";
    html.subject = "sestava.htm";
    html.html = "<HTML>&#9484;</HTML>";
    std::ofstream(dir.Path() / "h.eml", std::ios::binary) << MimeBytes(html, 1700000000);
    EXPECT_EQ("From: \nTo: a@b.cz\nSubject: sestava.htm\npart text/html utf-8 None\n",
              ParsedMail(dir.Path(), dir.Path() / "h.eml"));
    EXPECT_EQ(html.html, ReadFile(dir.Path() / "part-0"));
}

TEST(MailMessageTest, TheSubmissionProgramGetsTheMessageAndItsFailuresAreTold) {
    axo::test::ScratchDir dir("axo-sendmail");
    MailMessage m;
    m.toAddress = "a@b.cz";
    m.subject = "s";
    m.text = "t";
    MailSettings settings{FakeSendmail(dir.Path()), "ucetni@skola.cz"};
    EXPECT_EQ(MailOutcome::Sent, SendMail(settings, m));
    EXPECT_EQ("-t -oi\n", ReadFile(dir.Path() / "sendmail.args"));
    EXPECT_NE(std::string::npos, ReadFile(dir.Path() / "sendmail.eml").find("To: a@b.cz\r\n"));
    settings.program = FakeSendmail(dir.Path(), 75, "mail queue full");
    std::string detail;
    EXPECT_EQ(MailOutcome::Failed, SendMail(settings, m, &detail));
    EXPECT_EQ("mail queue full\n", detail);
    settings.program = dir.Path() / "no-such-sendmail";
    EXPECT_EQ(MailOutcome::NoProgram, SendMail(settings, m));
}

/// Slow: LibreOffice converts each document to PDF once; skipped when it is not installed.
TEST(OfficeFilesTest, LibreOfficeConvertsBothDocuments) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    axo::test::ScratchDir dir("axo-soffice");
    const ListingDocument doc = SampleDocument();
    ASSERT_EQ(0, WriteOdt(doc, dir.Path() / "vypis.odt"));
    ASSERT_EQ(0, WriteXlsx(TableFromListing(doc), dir.Path() / "sesit.xlsx"));
    int code = -1;
    Shell(dir.Path(),
          "cd " + Quote(dir.Path().string()) + " && HOME=" + Quote(dir.Path().string()) +
              " soffice --headless --convert-to pdf vypis.odt sesit.xlsx",
          &code);
    EXPECT_EQ(0, code);
    for (const char* pdf : {"vypis.pdf", "sesit.pdf"})
        EXPECT_EQ("%PDF", ReadFile(dir.Path() / pdf).substr(0, 4)) << pdf;
}

}  // namespace
}  // namespace axo::office::test
