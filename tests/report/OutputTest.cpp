// The outputs of prepared pages, read back by other programs: the PDF by pdfinfo and
// pdftotext against the page model, the PNG of the preview against the PDF's picture, HTML
// made from data holding < & " by xmllint, RTF by unrtf, the metafiles by their own record
// structure, the character grid by rows and columns; output files that cannot be written;
// printing with lp replaced through AXO_LP.
#include <fstream>
#include <iterator>
#include <sstream>

#include "LayoutTestSupport.h"
#include "report/output/CairoOutput.h"
#include "report/output/HtmlOutput.h"
#include "report/output/MetafileOutput.h"
#include "report/output/OutputFiles.h"
#include "report/output/PaperFormats.h"
#include "report/output/ReportTargets.h"
#include "report/output/RtfOutput.h"
#include "report/output/TextGrid.h"
#include "support/Immutable.h"
#include "support/ScopedEnv.h"
#include "support/ScratchDir.h"
#include "ui/ChildProcess.h"

namespace axo::report::test {
namespace {

namespace fs = std::filesystem;
using Cell = RowsBridge::Cell;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Have(const char* program) {
    return !ui::FindProgram(program, "/usr/bin:/bin").empty();
}

/// An A4 report of firms and amounts: header with page numbers, a body row per record with a
/// bordered name, a right-aligned amount and a line, a footer with the total page count.
const char* const kFirms = R"(I,2,0,827,1169,50,50,50,50,1,0
I,3,0,1,30,0
I,3,1,1,40,0
I,3,2,1,20,0
I,3,3,1,30,0
I,3,4,1,30,0
Z,1,0,0,0,700,20,Arial,14,0,1,2,0,238,"Přehled firem",0,0,0,"",0,""
H,1,0,0,0,100,14,Arial,8,0,0,0,0,238,"Strana",0,0,0,"",0,""
H,5,3,100,0,40,14,Arial,8,0,0,0,0,238,"",0,0,0,"",0,""
T,2,NAZEV,0,0,400,16,Arial,9,0,0,0,15,238,"",0,0,0,"",0,""
T,2,CASTKA,400,0,150,16,Times New Roman,9,0,0,1,0,238,"",0,0,0,"",0,""
T,7,0,0,18,550,2,,1,0,0,8,15,0,"",,,,"",0,""
K,1,0,0,0,300,14,Arial,9,0,1,0,0,238,"Konec přehledu",0,0,0,"",0,""
P,5,4,600,0,40,14,Arial,8,0,0,0,0,238,"",0,0,0,"",0,"")";

/// One page of what is not plain text: underlined, struck-out, coloured and turned text,
/// filled and outlined shapes, a line element with dashed edges and diagonals, a barcode and
/// a picture (obrazek.png in the picture directory).
const char* const kShapes = R"(I,2,0,827,1169,50,50,50,50,1,0
I,3,0,1,700,0
Z,1,0,20,60,300,30,Arial,16,0,4,0,0,238,"Podtržený text",0,0,0,"",0,""
Z,1,0,20,100,300,30,Times New Roman,16,255,10,0,0,238,"Škrtnutý kurzívou",0,0,0,"",0,""
Z,1,0,600,100,40,300,Arial,16,0,1,0,0,238,"Svisle otočený",0,90,0,"",0,""
Z,8,0,20,200,200,100,,3,0,0,0,255,0,"",,,,"",0,""
Z,9,0,250,200,200,100,,1,16711680,0,0,65280,0,"",,,,"",0,""
Z,10,0,20,350,200,100,,2,0,0,0,16776960,0,"",,,,"",0,""
Z,7,0,250,350,200,100,,1,0,1,63,15,0,"",,,,"",0,""
Z,12,0,20,500,400,80,,12,0,3,0,15,0,"""ABC123""",0,0,0,"",0,""
Z,11,0,450,500,250,350,,1,0,0,0,15,0,"obrazek.png",0,0,0,"",0,"")";

class OutputTest : public ::testing::Test {
  protected:
    /// The firms report over `count` records (names with < & " among them) laid out with the
    /// font files; another template over the same records when given.
    TSestVystup Firms(int count, const char* layout = kFirms,
                      const fs::path& pictures = fs::path()) {
        std::vector<std::vector<Cell>> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back(
                {i % 7 == 1 ? "Kovo & spol. <\"Č\">" : "Firma číslo " + std::to_string(i),
                 std::to_string(i * 1000 + 0.5)});
        bridge_ = std::make_unique<RowsBridge>(
            std::vector<Column>{{"NAZEV", kFtString}, {"CASTKA", kFtFloat}}, rows);
        report_.dataSource = bridge_.get();
        ReadTemplate(report_, Lines(layout));
        ReportComputation c(report_);
        c.Prepare();
        TSestVystup out;
        TLayoutOptions options;
        options.pictureDirectory = pictures;
        BuildPages(c, fonts_, {2024, 3, 5, 8, 7, 6, 0}, out, options);
        return out;
    }

    TFontFiles fonts_;
    TSestavaTyp report_;
    std::unique_ptr<RowsBridge> bridge_;
    axo::test::ScratchDir dir_{"axo-output"};
};

TEST_F(OutputTest, ThePdfHasThePagesAndTheTextOfThePageModel) {
    if (!Have("pdfinfo") || !Have("pdftotext"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const TSestVystup out = Firms(120);
    ASSERT_GE(out.PageCount(), 3);
    const fs::path pdf = dir_ / "firmy.pdf";
    Text error;
    ASSERT_TRUE(WritePdf(out, fonts_, pdf, error)) << ToUtf8(error);
    const ui::ProgramResult infoRun = ui::RunProgram("pdfinfo", {pdf.string()});
    const std::string& info = infoRun.output;
    EXPECT_EQ("", infoRun.errorOutput);  // a broken cross-reference table or object is reported
    EXPECT_NE(std::string::npos, info.find("Pages:           " + std::to_string(out.PageCount())))
        << info;
    // Every font is embedded and has its map back to Unicode.
    const std::string fonts = ui::RunProgram("pdffonts", {pdf.string()}).output;
    std::istringstream rows(fonts);
    std::string row;
    int fontRows = 0;
    while (std::getline(rows, row)) {
        if (row.find("TrueType") == std::string::npos)
            continue;
        ++fontRows;
        std::istringstream words(row);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        ASSERT_GE(w.size(), 6u) << row;
        EXPECT_EQ("yes", w[w.size() - 5]) << "not embedded: " << row;
        EXPECT_EQ("yes", w[w.size() - 3]) << "no Unicode map: " << row;
    }
    EXPECT_GE(fontRows, 2) << fonts;  // the template's regular and bold faces
    EXPECT_NE(std::string::npos, info.find("595.44 x 841.68 pts (A4)")) << info;
    // Every line of the page model is in the text of its page, Czech letters included.
    for (int page = 1; page <= out.PageCount(); ++page) {
        const std::string text =
            ui::RunProgram("pdftotext", {"-layout", "-f", std::to_string(page), "-l",
                                         std::to_string(page), pdf.string(), "-"})
                .output;
        for (const TVystPrvek& p : out.pages[static_cast<std::size_t>(page - 1)].elements)
            for (int i = p.lines.first; i <= p.lines.last; ++i) {
                const std::string line = ToUtf8(p.lines.LineText(i));
                std::string trimmed = line;
                while (!trimmed.empty() && trimmed.back() == ' ')
                    trimmed.pop_back();
                EXPECT_NE(std::string::npos, text.find(trimmed)) << "page " << page << ": " << line;
            }
    }
    // A range prints only its pages.
    ASSERT_TRUE(WritePdf(out, fonts_, dir_ / "dve.pdf", error, 2, 3));
    EXPECT_NE(
        std::string::npos,
        ui::RunProgram("pdfinfo", {(dir_ / "dve.pdf").string()}).output.find("Pages:           2"));
}

TEST_F(OutputTest, ThePreviewImageAndThePdfShowTheSamePage) {
    if (!Have("pdftoppm"))
        GTEST_SKIP() << "poppler-utils are not installed";
    const struct {
        const char* name;
        const char* layout;
        int records;
        int dpi;
        int tolerance;  ///< the difference may be up to ink / tolerance
    } cases[] = {{"firms", kFirms, 30, 30, 4}, {"shapes", kShapes, 1, 60, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            // The picture: a page of firms, coloured text on white.
            std::ofstream picture(dir_ / "obrazek.png", std::ios::binary);
            picture << PagePng(Firms(5), fonts_, 1, 20);
        }
        const TSestVystup out = Firms(c.records, c.layout, dir_.Path());
        const fs::path pdf = dir_ / (std::string(c.name) + ".pdf");
        Text error;
        ASSERT_TRUE(WritePdf(out, fonts_, pdf, error));
        const fs::path stem = dir_ / c.name;
        ASSERT_EQ(0, ui::RunProgram("pdftoppm", {"-r", std::to_string(c.dpi), "-png", "-f", "1",
                                                 "-l", "1", pdf.string(), stem.string()})
                         .exitCode);
        TPageImage fromPdf, preview;
        ASSERT_TRUE(PngImage(Read(stem.string() + "-1.png"), fromPdf));
        ASSERT_TRUE(PageImage(out, fonts_, 1, c.dpi, preview));
        ASSERT_EQ(fromPdf.width, preview.width);
        ASSERT_EQ(fromPdf.height, preview.height);
        // Grey levels and the pixel a hairline falls on differ by rasteriser (most where small
        // text is all); the ink of every block of 8 x 8 pixels (each colour channel) must be
        // nearly the same. A turned text turned the wrong way differs by ink / 10 on shapes.
        constexpr int kBlock = 8;
        long long difference = 0, ink = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            for (int by = 0; by < preview.height; by += kBlock)
                for (int bx = 0; bx < preview.width; bx += kBlock) {
                    long long a = 0, b = 0;
                    for (int y = by; y < std::min(by + kBlock, preview.height); ++y)
                        for (int x = bx; x < std::min(bx + kBlock, preview.width); ++x) {
                            const std::size_t i = static_cast<std::size_t>(y) * preview.width + x;
                            a += 255 - static_cast<int>((fromPdf.pixels[i] >> shift) & 0xFF);
                            b += 255 - static_cast<int>((preview.pixels[i] >> shift) & 0xFF);
                        }
                    difference += std::abs(a - b);
                    ink += b;
                }
        ASSERT_GT(ink, 0);
        EXPECT_LT(difference, ink / c.tolerance)
            << "the pictures differ in " << difference << " of " << ink;
    }
}

TEST_F(OutputTest, HtmlIsUtf8AndEscaped) {
    const TSestVystup out = Firms(10);
    std::vector<fs::path> written;
    Text error;
    ASSERT_TRUE(WriteHtmlPages(out, fonts_, dir_ / "x.html", written, error)) << ToUtf8(error);
    ASSERT_EQ(dir_ / "x1.html", written.back());
    const std::string html = Read(dir_ / "x1.html");
    EXPECT_NE(std::string::npos, html.find("charset=utf-8"));
    EXPECT_NE(std::string::npos, html.find("Kovo &amp; spol. &lt;&quot;Č&quot;&gt;")) << html;
    EXPECT_NE(std::string::npos, html.find("Přehled firem"));
    if (Have("xmllint")) {
        const ui::ProgramResult lint =
            ui::RunProgram("xmllint", {"--html", "--noout", (dir_ / "x1.html").string()});
        EXPECT_EQ(0, lint.exitCode) << lint.errorOutput;
        EXPECT_EQ("", lint.errorOutput);
    }
}

TEST_F(OutputTest, RtfIsReadBack) {
    const TSestVystup out = Firms(10);
    const std::string rtf = RtfDocument(out);
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(0, depth) << "the groups balance, braces of the data included";
    EXPECT_NE(std::string::npos, rtf.find(R"(Kovo & spol. <"\'c8">)"));
    if (!Have("unrtf"))
        GTEST_SKIP() << "unrtf is not installed";
    Text error;
    ASSERT_TRUE(WriteOutputFile(dir_ / "x.rtf", rtf, error));
    const std::string text = ui::RunProgram("unrtf", {"--text", (dir_ / "x.rtf").string()}).output;
    EXPECT_NE(std::string::npos, text.find("Firma")) << text;
    EXPECT_NE(std::string::npos, text.find("Kovo & spol.")) << text;
}

/// The records of an EMF: type and size of each, checked against the header.
TEST_F(OutputTest, MetafilesHoldWholeRecords) {
    const TSestVystup out = Firms(5);
    const std::string emf = PageMetafile(out, fonts_, 1, true);
    auto u32 = [](const std::string& s, std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
    };
    ASSERT_GE(emf.size(), 108u);
    EXPECT_EQ(1u, u32(emf, 0));
    EXPECT_EQ(0x464D4520u, u32(emf, 40));
    EXPECT_EQ(emf.size(), u32(emf, 48));
    std::size_t at = 0, records = 0, texts = 0;
    std::uint32_t last = 0;
    while (at < emf.size()) {
        const std::uint32_t size = u32(emf, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= emf.size()) << "at " << at;
        last = u32(emf, at);
        texts += last == 84 ? 1 : 0;
        at += size;
        ++records;
    }
    EXPECT_EQ(u32(emf, 52), records);
    EXPECT_EQ(14u, last) << "the last record ends the file";
    EXPECT_GE(texts, 5u);
    // WMF: the placeable header's key and checksum, then records counted in words.
    const std::string wmf = PageMetafile(out, fonts_, 1, false);
    EXPECT_EQ(0x9AC6CDD7u, u32(wmf, 0));
    unsigned checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<unsigned char>(wmf[i]) | static_cast<unsigned char>(wmf[i + 1])
                                                             << 8;
    EXPECT_EQ(checksum, static_cast<unsigned char>(wmf[20]) | static_cast<unsigned char>(wmf[21])
                                                                  << 8);
    EXPECT_EQ((wmf.size() - 22) / 2, u32(wmf, 22 + 6));
    bool enhanced = false;
    EXPECT_EQ(dir_ / "x3.WMF", MetafilePageName(dir_ / "x.WMF", 3, enhanced));
    EXPECT_FALSE(enhanced);
    EXPECT_EQ(dir_ / "Vykaz2.emf", MetafilePageName(dir_ / "Vykaz.emf", 2, enhanced));
    EXPECT_TRUE(enhanced);
}

TEST_F(OutputTest, TheCharacterGrid) {
    const TSestVystup out = Firms(3);
    const std::vector<Text> page = GridPage(out, 1, true);
    // The first body (y 70: row 4 at 6 lines an inch) holds the name at column 0 (9 points:
    // 12 characters an inch) and the amount right-aligned in columns 48-65.
    ASSERT_GT(page.size(), 7u);
    EXPECT_EQ("Kovo & spol. <\"Č\">  ", ToUtf8(page[4].substr(0, 20)));
    EXPECT_EQ("1000,5", ToUtf8(page[4].substr(60))) << ToUtf8(page[4]);
    EXPECT_EQ("Firma číslo 3", ToUtf8(page[7].substr(0, 13)));
    // The export code pages: the accented letters change, digits and punctuation stay.
    const struct {
        int language;
        std::string bytes;
    } pages[] = {
        {kSlUndefined,
         "\xC8\xF8\x9E\xE1\xF9"
         "1,."},
        {kSlCp1250,
         "\xC8\xF8\x9E\xE1\xF9"
         "1,."},
        {kSlAscii, "Crzau1,."},
        {kSlCp852,
         "\xAC\xFD\xA7\xA0\x85"
         "1,."},
        {kSlCp867,
         "\x80\xA9\x91\xA0\x96"
         "1,."},
    };
    for (const auto& p : pages)
        EXPECT_EQ(p.bytes, ToExportLanguage("Čřžáů1,."_t, p.language).Bytes()) << p.language;
    TSestVystup ascii = out;
    ascii.exportLanguage = kSlAscii;
    EXPECT_NE(std::string::npos, GridText(ascii, 1, 1).find("Firma cislo 3"));
    // All rows of a page but the last; CR LF; copies repeat everything.
    const std::string one = GridText(out, 1, 1);
    for (std::size_t i = one.find('\n'); i != std::string::npos; i = one.find('\n', i + 1))
        ASSERT_EQ('\r', one[i - 1]);
    EXPECT_EQ(2 * one.size(), GridText(out, 1, 1, 2).size());
}

TEST_F(OutputTest, AFileThatCannotBeWrittenLeavesNothingUnderItsName) {
    const TSestVystup out = Firms(3);
    const fs::path locked = dir_ / "zamceno";
    fs::create_directories(locked);
    const fs::path old = locked / "stary.pdf";
    std::ofstream(old) << "starý";
    axo::test::Immutable immutable(locked);
    if (!immutable.Made())
        GTEST_SKIP() << "the file system has no immutable flag";
    TReportTargets t;
    t.pdf = old;
    t.rtf = locked / "x.rtf";
    t.html = locked / "x.html";
    t.txt = locked / "x.txt";
    t.emfDir = locked / "emf";
    const TTargetsResult r = WriteTargets(out, fonts_, t);
    EXPECT_TRUE(r.written.empty());
    EXPECT_EQ(5u, r.errors.size());
    EXPECT_NE(std::string::npos, r.errors[0].find("stary.pdf nelze zapsat")) << r.errors[0];
    EXPECT_EQ("starý", Read(old));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(locked))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ((std::vector<std::string>{"stary.pdf"}), left);
}

TEST_F(OutputTest, NamesKeepTheirLetters) {
    EXPECT_EQ(fs::path("/Data/Vykaz2.HTML"), NumberedName("/Data/Vykaz.HTML", 2));
    EXPECT_TRUE(HasExtension("/Data/Vykaz.HTML", ".html"));
    EXPECT_TRUE(HasExtension("x.Wmf", ".wmf"));
    EXPECT_FALSE(HasExtension("x.wmfx", ".wmf"));
    const TPageRange r = ClampPages(3, 9999, 5);
    EXPECT_EQ(3, r.first);
    EXPECT_EQ(5, r.last);
    EXPECT_TRUE(ClampPages(7, 9, 5).Empty());
}

TEST_F(OutputTest, PaperFormats) {
    TListFormatu list;
    ASSERT_EQ(17u, list.formats.size());
    ASSERT_NE(nullptr, list.Match(827, 1169));
    EXPECT_EQ("A4 (210 x 297 mm)", ToUtf8(list.Match(827, 1169)->name));
    EXPECT_EQ(nullptr, list.Match(850, 1300));
    EXPECT_EQ("A4", CupsMedia(1169, 827));
    EXPECT_EQ("", CupsMedia(1000, 1000));
    const fs::path ini = dir_ / "SestDLL.ini";
    std::ofstream(ini) << "[Jine]\r\nKlic=1\r\n[FormatyPapiru]\r\nPocetFormatu=2\r\n"
                          "Format1=Štítek,400,200\r\n";
    list.Load(ini);
    ASSERT_EQ(19u, list.formats.size());
    EXPECT_EQ("Štítek", ToUtf8(list.formats[17].name));
    EXPECT_EQ(200, list.formats[17].height);
    EXPECT_EQ("Uživat. unknown", ToUtf8(list.formats[18].name));
    Text error;
    ASSERT_TRUE(list.Save(ini, error)) << ToUtf8(error);
    TListFormatu again;
    again.Load(ini);
    EXPECT_EQ(19u, again.formats.size());
    EXPECT_NE(std::string::npos, Read(ini).find("[Jine]\r\nKlic=1\r\n"));
}

TEST_F(OutputTest, PrintingHandsThePdfToLp) {
    const TSestVystup out = Firms(120);
    const fs::path lp = dir_ / "lp";
    std::ofstream(lp) << "#!/bin/sh\n"
                         "dir=\"${0%/*}\"\n"
                         ": > \"$dir/args\"\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$dir/args\"; done\n"
                         "/bin/cat > \"$dir/data\"\n"
                         "echo 'request id is Tiskarna-7 (1 file(s))'\n";
    fs::permissions(lp, fs::perms::owner_all);
    axo::test::ScopedEnv env("AXO_LP", lp.string());
    TPrintJob job;
    job.printer = "Kancelar";
    job.first = 2;
    job.last = 3;
    job.copies = 2;
    std::string message;
    ASSERT_EQ(kPrinted, PrintReport(out, fonts_, job, message)) << message;
    EXPECT_EQ("request id is Tiskarna-7 (1 file(s))", message);
    EXPECT_EQ("-d\nKancelar\n-t\nTisková sestava\n-n\n2\n-o\nmedia=A4\n", Read(dir_ / "args"));
    EXPECT_EQ(0u, Read(dir_ / "data").rfind("%PDF-", 0));
    // A range past the last page prints nothing and says so.
    fs::remove(dir_ / "data");
    job.first = out.PageCount() + 1;
    job.last = 9999;
    EXPECT_EQ(kNothingToPrint, PrintReport(out, fonts_, job, message));
    EXPECT_NE(std::string::npos, message.find("Nic nebylo vytištěno")) << message;
    EXPECT_FALSE(fs::exists(dir_ / "data"));
    // A text-only printer gets the character grid, raw, with form feeds.
    job.first = 1;
    job.last = 1;
    job.copies = 1;
    job.textOnly = true;
    ASSERT_EQ(kPrinted, PrintReport(out, fonts_, job, message)) << message;
    EXPECT_EQ("-d\nKancelar\n-t\nTisková sestava\n-o\nraw\n", Read(dir_ / "args"));
    EXPECT_EQ('\f', Read(dir_ / "data").back());
}

}  // namespace
}  // namespace axo::report::test
