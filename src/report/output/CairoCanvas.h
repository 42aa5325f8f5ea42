// The reference canvas: cairo, with the faces of the font files. It draws in the engine's
// units onto any cairo surface (PDF, PNG, SVG, the preview's images); the caller sets the
// scale and the origin (the printable area's corner) on the cairo context.
#pragma once

#include "report/layout/Canvas.h"
#include "report/output/FontFiles.h"

typedef struct _cairo cairo_t;

namespace axo::report {

class TCairoCanvas : public TCanvas {
  public:
    /// Draws on `cr` (not owned) in its current user space, which must be in units.
    TCairoCanvas(cairo_t* cr, TFontFiles& fonts) : cr_(cr), fonts_(fonts) {}

    void Line(TPoint from, TPoint to, const TPen& pen) override;
    void Rectangle(double x, double y, double w, double h, const TPen* pen,
                   const TBrush* brush) override;
    void RoundRect(double x, double y, double w, double h, double radius, const TPen* pen,
                   const TBrush* brush) override;
    void Ellipse(double x, double y, double w, double h, const TPen* pen,
                 const TBrush* brush) override;
    void Polygon(const std::vector<TPoint>& points, Colour fill) override;
    void Glyphs(const TGlyphRun& run) override;
    void Picture(const std::filesystem::path& file, double x, double y, double w,
                 double h) override;

  private:
    void FillAndStroke(const TPen* pen, const TBrush* brush);
    void SetColour(Colour c);
    void SetPen(const TPen& pen);

    cairo_t* cr_;
    TFontFiles& fonts_;
};

}  // namespace axo::report
