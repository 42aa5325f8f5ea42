// Drawing a page of the page model onto a canvas: every placed element in stacking order -
// text lines in their fonts with the box borders, rotated text, line elements with their
// edges and diagonals, rectangles and ellipses, pictures, barcodes and drawing areas. Printing,
// PDF, PNG, SVG, the metafiles and the bitmaps of HTML pages all draw through this.
#pragma once

#include "report/layout/Canvas.h"
#include "report/layout/FontMetrics.h"
#include "report/layout/PageModel.h"

namespace axo::report {

/// The pen a line element (or the outline of a shape) draws with at `scale` dots a unit (6 for
/// the page, 1 for the bitmaps of HTML pages): (line width - 1) x scale + 1 dots wide.
TPen ElementPen(const TSiReportElement& e, int scale, bool solid);

/// Draws one placed element. `scale` as for ElementPen (barcodes use it for their bar widths).
void DrawElement(const TVystPrvek& p, TCanvas& canvas, TFontMetrics& metrics, int scale = 6);

/// Draws the page's elements in stacking order.
void DrawPage(const TStranaPrvku& page, TCanvas& canvas, TFontMetrics& metrics, int scale = 6);

/// Draws page `index` (from 0) of an output with the background picture when it is printed;
/// the canvas's origin is the printable area's corner.
void DrawSheet(const TSestVystup& out, int index, TCanvas& canvas, TFontMetrics& metrics);

/// The glyph runs of a laid-out text placed in a box, one per fragment (lines first to last).
std::vector<TGlyphRun> GlyphRuns(const TRadky& lines, double left, double top);

}  // namespace axo::report
