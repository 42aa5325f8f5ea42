// The canvas of PDF pages.
#include "report/output/PdfCanvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "report/layout/PageModel.h"

namespace axo::report {

namespace {

constexpr double kPointsPerUnit = 72.0 / kUnitsPerInch;
/// The control points of a quarter ellipse lie this far along its tangents.
constexpr double kKappa = 0.5522847498;

void AppendHex4(std::string& out, unsigned v) {
    static const char digits[] = "0123456789ABCDEF";
    out += digits[(v >> 12) & 0xF];
    out += digits[(v >> 8) & 0xF];
    out += digits[(v >> 4) & 0xF];
    out += digits[v & 0xF];
}

}  // namespace

void AppendPdfNumber(std::string& out, double v, int decimals) {
    static constexpr long long kScale[] = {1, 10, 100, 1000, 10000};
    decimals = std::clamp(decimals, 0, 4);
    const long long scale = kScale[decimals];
    long long n = std::llround(v * static_cast<double>(scale));
    if (n < 0) {
        out += '-';
        n = -n;
    }
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n / scale);
    out.append(buffer, end);
    long long fraction = n % scale;
    if (fraction == 0)
        return;
    out += '.';
    for (long long unit = scale / 10; unit > 0 && fraction > 0; unit /= 10) {
        out += static_cast<char>('0' + fraction / unit);
        fraction %= unit;
    }
}

TPdfCanvas::TPdfCanvas(TPdfDocument& document, TFontFiles& fonts, double paperHeight, double left,
                       double top)
    : document_(document), fonts_(fonts) {
    out_.reserve(64 * 1024);
    out_ += "q ";
    Numbers({kPointsPerUnit, 0, 0, -kPointsPerUnit, left * kPointsPerUnit,
             (paperHeight - top) * kPointsPerUnit},
            "cm", 4);
}

void TPdfCanvas::Numbers(std::initializer_list<double> values, const char* op, int decimals) {
    for (double v : values) {
        AppendPdfNumber(out_, v, decimals);
        out_ += ' ';
    }
    out_ += op;
    out_ += '\n';
}

void TPdfCanvas::SetColour(Colour c, bool stroke) {
    if (c < 0)
        c = kBlack;  // system colours
    Colour& current = stroke ? stroke_ : fill_;
    if (current == c)
        return;
    current = c;
    for (int shift = 0; shift <= 16; shift += 8) {
        AppendPdfNumber(out_, ((c >> shift) & 0xFF) / 255.0, 3);
        out_ += ' ';
    }
    out_ += stroke ? "RG\n" : "rg\n";
}

void TPdfCanvas::SetPen(const TPen& pen) {
    SetColour(pen.colour, true);
    if (pen.width != width_) {
        width_ = pen.width;
        Numbers({pen.width}, "w", 4);
    }
    const int style = pen.style >= kPenDash && pen.style <= kPenDashDotDot ? pen.style : kPenSolid;
    if (style == dash_ && (style == kPenSolid || pen.width == dashWidth_))
        return;
    dash_ = style;
    dashWidth_ = pen.width;
    const double u = std::max(pen.width, 0.5);
    std::vector<double> dashes;
    switch (style) {
        case kPenDash:
            dashes = {6 * u, 2 * u};
            break;
        case kPenDot:
            dashes = {u, u};
            break;
        case kPenDashDot:
            dashes = {6 * u, 2 * u, u, 2 * u};
            break;
        case kPenDashDotDot:
            dashes = {6 * u, 2 * u, u, 2 * u, u, 2 * u};
            break;
        default:
            break;
    }
    out_ += '[';
    for (double d : dashes) {
        AppendPdfNumber(out_, d);
        out_ += ' ';
    }
    out_ += "] 0 d\n";
}

void TPdfCanvas::Line(TPoint from, TPoint to, const TPen& pen) {
    if (pen.style == kPenClear)
        return;
    SetPen(pen);
    Numbers({from.x, from.y}, "m");
    Numbers({to.x, to.y}, "l S");
}

void TPdfCanvas::FillAndStroke(const TPen* pen, const TBrush* brush) {
    const bool fill = brush && brush->style != kBrushClear;
    const bool stroke = pen && pen->style != kPenClear;
    if (fill)
        SetColour(brush->colour, false);
    if (stroke)
        SetPen(*pen);
    out_ += fill && stroke ? "B\n" : fill ? "f\n" : stroke ? "S\n" : "n\n";
}

void TPdfCanvas::Rectangle(double x, double y, double w, double h, const TPen* pen,
                           const TBrush* brush) {
    Numbers({x, y, w, h}, "re");
    FillAndStroke(pen, brush);
}

void TPdfCanvas::Curve(double x1, double y1, double x2, double y2, double x3, double y3) {
    Numbers({x1, y1, x2, y2, x3, y3}, "c");
}

void TPdfCanvas::RoundRect(double x, double y, double w, double h, double r, const TPen* pen,
                           const TBrush* brush) {
    r = std::max(0.0, std::min({r, w / 2, h / 2}));
    const double k = r * (1 - kKappa);
    const double right = x + w, bottom = y + h;
    Numbers({x + r, y}, "m");
    Numbers({right - r, y}, "l");
    Curve(right - k, y, right, y + k, right, y + r);
    Numbers({right, bottom - r}, "l");
    Curve(right, bottom - k, right - k, bottom, right - r, bottom);
    Numbers({x + r, bottom}, "l");
    Curve(x + k, bottom, x, bottom - k, x, bottom - r);
    Numbers({x, y + r}, "l");
    Curve(x, y + k, x + k, y, x + r, y);
    out_ += "h\n";
    FillAndStroke(pen, brush);
}

void TPdfCanvas::Ellipse(double x, double y, double w, double h, const TPen* pen,
                         const TBrush* brush) {
    if (w <= 0 || h <= 0)
        return;
    const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
    const double kx = rx * kKappa, ky = ry * kKappa;
    Numbers({cx + rx, cy}, "m");
    Curve(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
    Curve(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
    Curve(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
    Curve(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
    out_ += "h\n";
    FillAndStroke(pen, brush);
}

void TPdfCanvas::Polygon(const std::vector<TPoint>& points, Colour fill) {
    if (points.empty())
        return;
    SetColour(fill, false);
    Numbers({points[0].x, points[0].y}, "m");
    for (std::size_t i = 1; i < points.size(); ++i)
        Numbers({points[i].x, points[i].y}, "l");
    out_ += "h f\n";
}

void TPdfCanvas::Glyphs(const TGlyphRun& run) {
    if (!run.style || run.chars.empty() || run.style->size <= 0)
        return;
    const TCharStyle& s = *run.style;
    const int style = s.style & (kBold | kItalic);
    const TEmbeddedFace* face = fonts_.Embedding(s.face, style);
    if (!face)
        return;
    const int font = document_.Font(*face);
    const TFaceMetrics& metrics = fonts_.Face(s.face, style);
    const double em = s.size * kUnitsPerInch / 72.0;
    const double x0 = run.x.empty() ? 0 : run.x[0];
    const double turn = run.angle * M_PI / 180;
    const double cosine = run.angle == 0 ? 1 : std::cos(turn);
    const double sine = run.angle == 0 ? 0 : std::sin(turn);
    SetColour(s.colour, false);
    out_ += "BT /F" + std::to_string(font) + ' ';
    AppendPdfNumber(out_, em);
    out_ += " Tf ";
    Numbers({cosine, -sine, -sine, -cosine, x0, run.baseline}, "Tm", 4);
    // Each character at its own position: the advance of the font, corrected (in 1/1000 em)
    // towards where the layout put the next one, without adding up rounding errors.
    out_ += "[<";
    long long at = 0;  // where the next glyph starts, 1/1000 em from x0
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        const unsigned char code = run.chars.Code(i);
        const unsigned glyph = fonts_.GlyphIndex(s.face, style, code);
        const int width = static_cast<int>(std::lround(metrics.advance[code] * 1000));
        document_.UseGlyph(font, glyph, Cp1250ToUnicode(code), width);
        AppendHex4(out_, glyph);
        at += width;
        if (i + 1 < run.chars.size() && i + 1 < run.x.size()) {
            const long long target = std::llround((run.x[i + 1] - x0) * 1000 / em);
            const long long shift = at - target;
            if (shift != 0) {
                out_ += "> ";
                char buffer[24];
                auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, shift);
                out_.append(buffer, end);
                out_ += " <";
                at = target;
            }
        }
    }
    out_ += ">] TJ ET\n";
    if (s.style & (kUnderline | kStrikeOut)) {
        const double end = static_cast<double>(at) * em / 1000;
        const Colour strokeBefore = stroke_;
        const double widthBefore = width_;
        const int dashBefore = dash_;
        out_ += "q ";
        Numbers({cosine, -sine, sine, cosine, x0, run.baseline}, "cm", 4);
        SetColour(s.colour, true);
        Numbers({em / 15}, "w [] 0 d");
        if (s.style & kUnderline) {
            Numbers({0, em * 0.1}, "m");
            Numbers({end, em * 0.1}, "l S");
        }
        if (s.style & kStrikeOut) {
            Numbers({0, -em * 0.28}, "m");
            Numbers({end, -em * 0.28}, "l S");
        }
        out_ += "Q\n";
        // The state inside q ... Q is gone; what was set before it is in force again.
        stroke_ = strokeBefore;
        width_ = widthBefore;
        dash_ = dashBefore;
    }
}

void TPdfCanvas::Picture(const std::filesystem::path& file, double x, double y, double w,
                         double h) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".png" || w <= 0 || h <= 0)
        return;
    const int image = document_.Image(file);
    if (image < 0)
        return;
    out_ += "q ";
    Numbers({w, 0, 0, -h, x, y + h}, "cm");
    out_ += "/Im" + std::to_string(image) + " Do Q\n";
}

}  // namespace axo::report
