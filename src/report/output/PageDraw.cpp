// Drawing placed elements onto a canvas.
#include "report/output/PageDraw.h"

#include <algorithm>

#include "report/barcode/Barcode.h"

namespace axo::report {

namespace {

/// The four box borders of text and picture elements: one dot, black.
void Borders(const TVystPrvek& p, TCanvas& canvas, int scale) {
    const int options = p.look->options;
    TPen pen;
    pen.width = 1.0 / scale;
    const double l = p.left, t = p.top, r = p.left + p.width, b = p.top + p.height;
    if (options & kBorderLeft)
        canvas.Line({l, t}, {l, b}, pen);
    if (options & kBorderTop)
        canvas.Line({l, t}, {r, t}, pen);
    if (options & kBorderRight)
        canvas.Line({r, t}, {r, b}, pen);
    if (options & kBorderBottom)
        canvas.Line({l, b}, {r, b}, pen);
}

void LineElement(const TVystPrvek& p, TCanvas& canvas, int scale) {
    const TSiReportElement& e = *p.look;
    const TPen pen = ElementPen(e, scale, false);
    if (pen.style == kPenClear)
        return;
    const double l = p.left, t = p.top, r = p.left + p.width, b = p.top + p.height;
    if (e.options & kBorderLeft)
        canvas.Line({l, t}, {l, b}, pen);
    if (e.options & kBorderTop)
        canvas.Line({l, t}, {r, t}, pen);
    if (e.options & kBorderRight)
        canvas.Line({r, t}, {r, b}, pen);
    if (e.options & kBorderBottom)
        canvas.Line({l, b}, {r, b}, pen);
    if (e.options & kLineRisingDiagonal)
        canvas.Line({l, b}, {r, t}, pen);
    if (e.options & kLineFallingDiagonal)
        canvas.Line({l, t}, {r, b}, pen);
    if (e.options & kLineEllipse)
        canvas.Ellipse(l, t, p.width, p.height, &pen, nullptr);
}

void Shape(const TVystPrvek& p, TCanvas& canvas, int scale) {
    const TSiReportElement& e = *p.look;
    const TBrush brush{e.fillColour, e.fillStyle};
    const TPen pen = ElementPen(e, scale, true);
    const TPen* outline = e.lineWidth != 0 ? &pen : nullptr;
    const TBrush* fill = brush.style == kBrushClear ? nullptr : &brush;
    switch (e.kind) {
        case kRectangle:
            canvas.Rectangle(p.left, p.top, p.width, p.height, outline, fill);
            break;
        case kRoundRectangle:
            canvas.RoundRect(p.left, p.top, p.width, p.height, std::min(p.width, p.height) / 4.0,
                             outline, fill);
            break;
        default:
            canvas.Ellipse(p.left, p.top, p.width, p.height, outline, fill);
            break;
    }
}

}  // namespace

TPen ElementPen(const TSiReportElement& e, int scale, bool solid) {
    TPen pen;
    pen.colour = e.lineColour;
    const int width = std::max(e.lineWidth, 1);
    pen.width = static_cast<double>((width - 1) * scale + 1) / scale;
    pen.style = solid ? kPenSolid : e.EffectiveLineStyle();
    return pen;
}

std::vector<TGlyphRun> GlyphRuns(const TRadky& lines, double left, double top) {
    std::vector<TGlyphRun> runs;
    long long heights = 0;
    const int last = std::min(lines.last, static_cast<int>(lines.lines.size()) - 1);
    for (int i = std::max(lines.first, 0); i <= last; ++i) {
        const TRadek& line = lines.lines[static_cast<std::size_t>(i)];
        heights += line.height;
        const double baseline = top + static_cast<double>(heights) / kSubUnits;
        for (int f = 0; f < line.fragmentCount; ++f) {
            const TFragment& fr = lines.fragments[static_cast<std::size_t>(line.firstFragment + f)];
            TGlyphRun run;
            run.style = &lines.styles[static_cast<std::size_t>(fr.style)];
            run.chars = lines.chars.substr(static_cast<std::size_t>(fr.first),
                                           static_cast<std::size_t>(fr.count));
            run.baseline = baseline;
            for (int k = 0; k < fr.count; ++k)
                run.x.push_back(
                    left + static_cast<double>(lines.x[static_cast<std::size_t>(fr.first + k)] +
                                               line.offset + kSubUnits) /
                               kSubUnits);
            runs.push_back(std::move(run));
        }
    }
    return runs;
}

void DrawElement(const TVystPrvek& p, TCanvas& canvas, TFontMetrics& metrics, int scale) {
    if (!p.look)
        return;
    const TSiReportElement& e = *p.look;
    if (IsTextKind(e.kind)) {
        std::vector<TGlyphRun> runs = GlyphRuns(p.lines, p.left, p.top);
        for (TGlyphRun& run : runs) {
            if (e.angle != 0) {
                // A turned text turns about the box's top-left corner.
                run.angle = e.angle;
            }
            canvas.Glyphs(run);
        }
        Borders(p, canvas, scale);
        return;
    }
    switch (e.kind) {
        case kLine:
            LineElement(p, canvas, scale);
            break;
        case kRectangle:
        case kRoundRectangle:
        case kEllipse:
            Shape(p, canvas, scale);
            break;
        case kPicture:
            if (!p.single.empty())
                canvas.Picture(ToUtf8(p.single), p.left, p.top, p.width, p.height);
            Borders(p, canvas, scale);
            break;
        case kBarcode:
            DrawBarcode(canvas, metrics, e, p.single, p.left, p.top, p.width, p.height, scale);
            break;
        case kDrawingArea:
            if (p.picture && p.picture->Width() > 0 && p.picture->Height() > 0)
                p.picture->Replay(canvas, p.left, p.top, p.width / p.picture->Width(),
                                  p.height / p.picture->Height());
            break;
        default:
            break;
    }
}

void DrawPage(const TStranaPrvku& page, TCanvas& canvas, TFontMetrics& metrics, int scale) {
    for (const TVystPrvek& p : page.elements)
        DrawElement(p, canvas, metrics, scale);
}

void DrawSheet(const TSestVystup& out, int index, TCanvas& canvas, TFontMetrics& metrics) {
    if (out.printBackground && !out.background.file.empty()) {
        const TBackground& b = out.background;
        if (b.positioned)
            canvas.Picture(ToUtf8(b.file), b.left, b.top, b.EffectiveWidth(out.page.paperWidth),
                           b.EffectiveHeight(out.page.paperHeight));
        else
            canvas.Picture(ToUtf8(b.file), -out.page.marginLeft, -out.page.marginTop,
                           out.page.OrientedWidth(), out.page.OrientedHeight());
    }
    DrawPage(out.pages[static_cast<std::size_t>(index)], canvas, metrics);
}

}  // namespace axo::report
