// Barcode elements: the twenty symbologies the engine offers, the clean-up of their data,
// check digits, the encoding into bars and spaces of one to four module widths, and the
// drawing of a symbol into an element's box with its human-readable text, rotated by the
// element's angle.
#pragma once

#include <vector>

#include "report/layout/Canvas.h"
#include "report/layout/FontMetrics.h"
#include "report/model/Element.h"

namespace axo::report {

enum Symbology : int {
    kBc25Interleaved = 0,
    kBc25Industrial = 1,
    kBc25Matrix = 2,
    kBcCode39 = 3,
    kBcCode39Full = 4,
    kBcCode128A = 5,
    kBcCode128B = 6,
    kBcCode128C = 7,
    kBcCode93 = 8,
    kBcCode93Full = 9,
    kBcMsi = 10,
    kBcPostNet = 11,
    kBcCodabar = 12,
    kBcEan8 = 13,
    kBcEan13 = 14,
    kBcUpcA = 15,
    kBcUpcE0 = 16,
    kBcUpcE1 = 17,
    kBcUpcSupp2 = 18,
    kBcUpcSupp5 = 19,
};
inline constexpr int kSymbologyCount = 20;

/// Barcode option bits of an element.
inline constexpr int kBarcodeCheckDigit = 0x10;
inline constexpr int kBarcodePrintText = 0x20;
inline constexpr int kBarcodeQuietMarks = 0x40;

/// The designer's name ("2/5 interleaved" ...); empty outside 0-19.
const char* SymbologyName(int symbology);
/// Whether the symbology takes digits only.
bool DigitsOnly(int symbology);

/// The module widths ("Zvětšení"): the 32 stored values and their captions.
const std::vector<int>& ModuleWidthValues();
/// "1,50" for 12; a value not in the list shows as the default step.
Text ModuleWidthCaption(int stored);

/// One bar or space: its width in modules of one to four widths (narrow, wide, extra wide,
/// double wide), and for bars whether it is short (PostNet) or a guard bar (EAN/UPC).
struct TBarElement {
    int modules = 1;
    bool bar = true;
    bool shortBar = false;
    bool guard = false;
};

struct TBarcodeSymbol {
    std::vector<TBarElement> elements;
    /// The data as encoded (cleaned up, with the check digits that are printed).
    Text text;
    /// False when the data cannot be encoded (a character the symbology lacks); nothing is
    /// drawn then.
    bool ok = true;
};

/// The data cleaned up as the symbology takes it: digits-only symbologies trimmed with every
/// other character as "0"; EAN 8 / EAN 13 / UPC-A padded with zeros on the left and cut to
/// their rightmost 8, 13 or 12 digits, the last one replaced by the check digit when
/// `checkDigit` is set.
Text CleanBarcodeData(int symbology, const Text& data, bool checkDigit);

/// Encodes cleaned data (CleanBarcodeData first).
TBarcodeSymbol EncodeBarcode(int symbology, const Text& cleaned, bool checkDigit);

/// The EAN/UPC check digit of a digit text (weights 3 and 1 from the right).
int EanCheckDigit(const Text& digits);

/// Draws a barcode element's symbol for `data` into the box (units) at `scale` dots a unit (6
/// for pages, 1 for bitmaps).
void DrawBarcode(TCanvas& canvas, TFontMetrics& metrics, const TSiReportElement& e,
                 const Text& data, double left, double top, double width, double height, int scale);

}  // namespace axo::report
