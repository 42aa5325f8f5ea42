// Barcodes: every symbology zbar reads is drawn on a page, rendered as PNG and read back by
// zbarimg; the clean-up and check-digit rules and the symbologies zbar does not read are
// checked on their bars.
#include <gtest/gtest.h>

#include <fstream>

#include "report/barcode/Barcode.h"
#include "report/output/CairoOutput.h"
#include "support/ScratchDir.h"
#include "ui/ChildProcess.h"

namespace axo::report::test {
namespace {

namespace fs = std::filesystem;

/// A page holding one barcode element.
TSestVystup BarcodePage(int symbology, const std::string& data, int options, int angle = 0,
                        int module = 12) {
    TSestVystup out;
    // A small sheet keeps the picture zbar reads small.
    out.page.paperWidth = angle == 0 ? 800 : 300;
    out.page.paperHeight = angle == 0 ? 300 : 800;
    out.printableWidth = out.page.PrintableWidth();
    out.printableHeight = out.page.PrintableHeight();
    auto e = std::make_shared<TSiReportElement>();
    e->kind = kBarcode;
    e->lineStyle = symbology;
    e->lineWidth = module;
    e->options = options;
    e->angle = angle;
    TVystPrvek p;
    p.look = e;
    p.left = angle == 0 ? 50 : 60;
    p.top = angle == 0 ? 50 : 680;
    p.width = 600;
    p.height = 120;
    p.single = FromUtf8(data);
    out.Page(0).Add(p);
    return out;
}

/// What zbarimg reads on the page ("TYPE:data" lines).
std::string ZbarRead(const TSestVystup& out) {
    axo::test::ScratchDir dir("axo-barcode");
    TFontFiles fonts;
    const fs::path png = dir / "page.png";
    std::ofstream(png, std::ios::binary) << PagePng(out, fonts, 1, 200);
    const ui::ProgramResult r =
        ui::RunProgram("zbarimg", {"-q", "--raw", "--nodbus", "-Supce.enable", "-Sisbn10.disable",
                                   "-Sisbn13.disable", png.string()});
    std::string s = r.output;
    while (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

std::string WithCheck(const std::string& digits) {
    return digits + std::to_string(EanCheckDigit(FromUtf8(digits)));
}

TEST(BarcodeTest, ZbarReadsWhatIsDrawn) {
    if (ui::FindProgram("zbarimg", "/usr/bin:/bin").empty())
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    struct Case {
        int symbology;
        std::string data;
        int options;
        std::string read;
    } cases[] = {
        {kBc25Interleaved, "123456", 0, "123456"},
        {kBc25Interleaved, "12345", 0, "012345"},  // an odd count gets a leading zero
        {kBcCode39, "ABC-123", 0, "ABC-123"},
        {kBcCode39, "ABC-123", kBarcodeCheckDigit, "ABC-123W"},  // 75 mod 43 = 32: W
        {kBcCode39Full, "Ab1!", 0, "A+B1/A"},                    // zbar leaves the full ASCII pairs
        {kBcCode128A, "ABC 123", 0, "ABC 123"},
        {kBcCode128B, "Kovo & spol.", 0, "Kovo & spol."},
        {kBcCode128C, "123456", 0, "123456"},
        {kBcCode93, "CODE 93", 0, "CODE 93"},
        {kBcCode93Full, "a$b", 0, "a$b"},
        {kBcCodabar, "A123456B", 0, "A123456B"},
        {kBcCodabar, "40156", 0, "A40156B"},  // without start and stop: A and B
        {kBcEan8, "12345679", kBarcodeCheckDigit | kBarcodePrintText, "12345670"},
        {kBcEan13, "5901234123451", kBarcodeCheckDigit | kBarcodePrintText | kBarcodeQuietMarks,
         "5901234123457"},
        {kBcEan13, "00000000001209", kBarcodeCheckDigit, WithCheck("000000000120")},
        {kBcUpcA, "036000291450", kBarcodeCheckDigit, "0036000291452"},  // read as EAN 13
        {kBcUpcE0, "123456", kBarcodeCheckDigit,
         WithCheck("01234500006").substr(0, 1) + "123456" + WithCheck("01234500006").substr(11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(SymbologyName(c.symbology)) + " " + c.data);
        EXPECT_EQ(c.read, ZbarRead(BarcodePage(c.symbology, c.data, c.options)));
    }
    // Turned by 90 degrees about the box's corner, and at the smallest module width.
    EXPECT_EQ("123456", ZbarRead(BarcodePage(kBcCode128C, "123456", 0, 90)));
    EXPECT_EQ("ABC", ZbarRead(BarcodePage(kBcCode39, "ABC", 0, 0, 8)));
}

TEST(BarcodeTest, DataCleanUpAndCheckDigits) {
    struct Case {
        int symbology;
        std::string data;
        bool check;
        std::string cleaned;
    } cases[] = {
        {kBcCode128C, " 12A4 ", false, "1204"},              // digits only: others become 0
        {kBcEan13, "0000000000120", true, "0000000000123"},  // the 13th digit is the check
        {kBcEan13, "0000000000129", true, "0000000000123"},
        {kBcEan13, "0000000000129", false, "0000000000129"},   // kept as given
        {kBcEan13, "12345678901234", false, "2345678901234"},  // the rightmost 13
        {kBcEan8, "12", true, "00000017"},                     // padded on the left
        {kBcUpcSupp5, "1234567", false, "34567"},
        {kBcCode39, "ab c", false, "ab c"},  // not digits only: as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cleaned, ToUtf8(CleanBarcodeData(c.symbology, FromUtf8(c.data), c.check)))
            << SymbologyName(c.symbology) << " " << c.data;
    // EAN 13 with the check-digit option: a wrong 13th digit draws the same symbol.
    const auto bars = [](const char* data) {
        const Text clean = CleanBarcodeData(kBcEan13, FromUtf8(data), true);
        std::string s;
        for (const TBarElement& b : EncodeBarcode(kBcEan13, clean, true).elements)
            s += std::to_string(b.modules) + (b.bar ? "b" : "s");
        return s;
    };
    EXPECT_EQ(bars("0000000000120"), bars("0000000000129"));
}

/// The width of a symbol in modules, and its bars.
int Modules(const TBarcodeSymbol& s) {
    int n = 0;
    for (const TBarElement& e : s.elements)
        n += e.modules;
    return n;
}

TEST(BarcodeTest, SymbologiesZbarDoesNotReadHaveTheirPublishedShape) {
    // 2/5 industrial: 6 start elements, 10 a digit, 5 stop elements.
    EXPECT_EQ(6u + 2 * 10 + 5, EncodeBarcode(kBc25Industrial, "12"_t, false).elements.size());
    // 2/5 matrix: a digit is 3 bars, 2 spaces and a gap.
    EXPECT_EQ(6u + 3 * 6 + 5, EncodeBarcode(kBc25Matrix, "123"_t, false).elements.size());
    // MSI: start, 4 bits a digit (the Luhn check digit appended: 1234 -> 12344), stop.
    const TBarcodeSymbol msi = EncodeBarcode(kBcMsi, "1234"_t, false);
    EXPECT_EQ("12344", ToUtf8(msi.text));
    EXPECT_EQ(2u + 5 * 8 + 3, msi.elements.size());
    // PostNet: frame bars around 5 bars a digit, two of them tall; the check digit makes the
    // sum a multiple of ten (1+2+3+4+5 = 15 -> 5).
    const TBarcodeSymbol postnet = EncodeBarcode(kBcPostNet, "12345"_t, false);
    EXPECT_EQ("123455", ToUtf8(postnet.text));
    int tall = 0, bars = 0;
    for (const TBarElement& e : postnet.elements)
        if (e.bar) {
            ++bars;
            tall += e.shortBar ? 0 : 1;
        }
    EXPECT_EQ(2 + 5 * 6, bars);
    EXPECT_EQ(2 + 2 * 6, tall);
    // UPC supplements: 2 digits are 20 modules, 5 digits 47.
    EXPECT_EQ(20, Modules(EncodeBarcode(kBcUpcSupp2, "12"_t, false)));
    EXPECT_EQ(47, Modules(EncodeBarcode(kBcUpcSupp5, "52495"_t, false)));
    // EAN 13 is 95 modules after its quiet zone of 9, EAN 8 67 after 7.
    EXPECT_EQ(9 + 95, Modules(EncodeBarcode(kBcEan13, "5901234123457"_t, false)));
    EXPECT_EQ(7 + 67, Modules(EncodeBarcode(kBcEan8, "12345670"_t, false)));
    // Characters a symbology lacks draw nothing.
    EXPECT_FALSE(EncodeBarcode(kBcCode39, "a_b"_t, false).ok);
    EXPECT_FALSE(EncodeBarcode(kBcCode128A, "abc"_t, false).ok);
}

TEST(BarcodeTest, NamesAndModuleWidths) {
    EXPECT_STREQ("2/5 interleaved", SymbologyName(0));
    EXPECT_STREQ("UPC Supp5", SymbologyName(19));
    EXPECT_STREQ("", SymbologyName(20));
    EXPECT_EQ(32u, ModuleWidthValues().size());
    EXPECT_EQ("1,00", ToUtf8(ModuleWidthCaption(8)));
    EXPECT_EQ("1,13", ToUtf8(ModuleWidthCaption(9)));
    EXPECT_EQ("16,00", ToUtf8(ModuleWidthCaption(128)));
    EXPECT_EQ("1,50", ToUtf8(ModuleWidthCaption(0)));  // not in the list: the default step
    // A module width of 0 draws as the default 12.
    TSestVystup zero = BarcodePage(kBcCode128B, "X", 0, 0, 0);
    TSestVystup twelve = BarcodePage(kBcCode128B, "X", 0, 0, 12);
    TFontFiles fonts;
    EXPECT_EQ(PagePng(twelve, fonts, 1, 100), PagePng(zero, fonts, 1, 100));
}

}  // namespace
}  // namespace axo::report::test
