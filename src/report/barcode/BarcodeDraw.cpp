// Drawing a barcode into an element's box: bar widths from the module width, bars as filled
// quadrilaterals turned about the box's top-left corner, and the human-readable text.
#include <cmath>

#include "report/barcode/Barcode.h"
#include "report/layout/PageModel.h"

namespace axo::report {

namespace {

constexpr int kDefaultModule = 12;

/// Turns points about an origin by `degrees` counter-clockwise (y grows downwards).
class Turn {
  public:
    Turn(double ox, double oy, double degrees)
        : ox_(ox),
          oy_(oy),
          c_(std::cos(degrees * M_PI / 180)),
          s_(std::sin(degrees * M_PI / 180)) {}
    TPoint operator()(double dx, double dy) const {
        return {ox_ + dx * c_ + dy * s_, oy_ - dx * s_ + dy * c_};
    }

  private:
    double ox_, oy_, c_, s_;
};

void Quad(TCanvas& canvas, const Turn& turn, double x, double y, double w, double h,
          Colour colour) {
    canvas.Polygon({turn(x, y), turn(x + w, y), turn(x + w, y + h), turn(x, y + h)}, colour);
}

/// Characters placed one by one from `x` (units inside the box), `pitch` apart, on `baseline`.
void Characters(TCanvas& canvas, const Turn& turn, double angle, const TCharStyle& style,
                const Text& text, double x, double pitch, double baseline) {
    if (text.empty())
        return;
    TGlyphRun run;
    run.style = &style;
    run.chars = text;
    const TPoint origin = turn(x, baseline);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TPoint p = turn(x + pitch * static_cast<double>(i), baseline);
        // Along the turned line only x varies for the canvas: the run is turned as a whole.
        run.x.push_back(origin.x + std::hypot(p.x - origin.x, p.y - origin.y));
    }
    run.baseline = origin.y;
    run.angle = angle;
    canvas.Glyphs(run);
}

}  // namespace

void DrawBarcode(TCanvas& canvas, TFontMetrics& metrics, const TSiReportElement& e,
                 const Text& data, double left, double top, double width, double height,
                 int scale) {
    const int symbology = e.lineStyle;
    const bool check = (e.options & kBarcodeCheckDigit) != 0;
    const bool printText = (e.options & kBarcodePrintText) != 0;
    const bool marks = (e.options & kBarcodeQuietMarks) != 0;
    const Turn turn(left, top, e.angle);
    Quad(canvas, turn, 0, 0, width, height, kWhite);
    const TBarcodeSymbol symbol =
        EncodeBarcode(symbology, CleanBarcodeData(symbology, data, check), check);
    if (!symbol.ok)
        return;

    const int stored = e.lineWidth <= 0 || e.lineWidth > 128 ? kDefaultModule : e.lineWidth;
    int narrowDots = static_cast<int>(std::trunc(scale * stored / 6.0));
    if (narrowDots <= 0 || narrowDots > 128)
        narrowDots = static_cast<int>(std::trunc(scale * kDefaultModule / 6.0));
    const double ratio = symbology == kBc25Matrix ? 2.25 : 2.0;
    const int wideDots = static_cast<int>(std::lround(narrowDots * ratio));
    const double widths[5] = {0, static_cast<double>(narrowDots), static_cast<double>(wideDots),
                              static_cast<double>(3 * wideDots / 2),
                              static_cast<double>(2 * wideDots)};
    const double module = narrowDots / static_cast<double>(scale);

    const bool ean = symbology == kBcEan8 || symbology == kBcEan13;
    const double barBottom = ean && printText ? height - 11 * module : height;
    const double guardBottom = ean && printText ? height - 5 * module : height;
    double x = 0;
    for (const TBarElement& bar : symbol.elements) {
        const double w = widths[std::clamp(bar.modules, 1, 4)] / scale;
        if (bar.bar) {
            const double bottom = bar.guard ? guardBottom : barBottom;
            const double barTop = bar.shortBar ? height - height * 2 / 5 : 0;
            Quad(canvas, turn, x, barTop, w, bottom - barTop, kBlack);
        }
        x += w;
    }

    if (!printText)
        return;
    TCharStyle font;
    font.face = "Arial"_t;
    if (ean) {
        // Digits 9 modules high in the band below the bars.
        font.size = 9 * module * 72 / kUnitsPerInch;
        const double baseline = height - module;
        const double pitch = 7 * module;
        const Text& d = symbol.text;
        if (symbology == kBcEan13) {
            Characters(canvas, turn, e.angle, font, d.substr(0, 1), 0, pitch, baseline);
            Characters(canvas, turn, e.angle, font, d.substr(1, 6), 12 * module, pitch, baseline);
            Characters(canvas, turn, e.angle, font, d.substr(7, 6), 57 * module, pitch, baseline);
        } else {
            Characters(canvas, turn, e.angle, font, d.substr(0, 4), 11 * module, pitch, baseline);
            Characters(canvas, turn, e.angle, font, d.substr(4, 4), 42 * module, pitch, baseline);
        }
        if (marks) {
            Characters(canvas, turn, e.angle, font, "<"_t, 0, pitch, baseline);
            Characters(canvas, turn, e.angle, font, ">"_t,
                       (symbology == kBcEan13 ? 104 : 74) * module, pitch, baseline);
        }
        return;
    }
    font.size = 3 * module * 72 / kUnitsPerInch;
    const TFaceMetrics& face = metrics.Face(font.face, 0);
    TGlyphRun run;
    run.style = &font;
    run.chars = symbol.text;
    double cx = 0;
    const double ascent = face.AscentUnits(font.size);
    const TPoint origin = turn(0, ascent);
    for (std::size_t i = 0; i < symbol.text.size(); ++i) {
        run.x.push_back(origin.x + cx);
        cx += face.Advance(symbol.text.Code(i), font.size) / static_cast<double>(kSubUnits);
    }
    run.baseline = origin.y;
    run.angle = e.angle;
    canvas.Glyphs(run);
}

}  // namespace axo::report
