// The canvas of PDF pages: the drawing of a page as PDF operators, in the engine's units on a
// page whose origin is the printable area's corner (x to the right, y down).
#pragma once

#include <string>

#include "report/layout/Canvas.h"
#include "report/output/FontFiles.h"
#include "report/output/PdfDocument.h"

namespace axo::report {

/// Appends a number as PDF writes it: at most `decimals` (up to 4) decimals, no trailing
/// zeros.
void AppendPdfNumber(std::string& out, double v, int decimals = 2);

class TPdfCanvas : public TCanvas {
  public:
    /// A page of `paperHeight` units whose printable area begins at (`left`, `top`).
    TPdfCanvas(TPdfDocument& document, TFontFiles& fonts, double paperHeight, double left,
               double top);

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

    /// The page's operators so far.
    const std::string& Content() const { return out_; }

  private:
    void Numbers(std::initializer_list<double> values, const char* op, int decimals = 2);
    void SetColour(Colour c, bool stroke);
    void SetPen(const TPen& pen);
    void FillAndStroke(const TPen* pen, const TBrush* brush);
    void Curve(double x1, double y1, double x2, double y2, double x3, double y3);

    TPdfDocument& document_;
    TFontFiles& fonts_;
    std::string out_;
    // The graphics state in force (PDF starts a page with black and a solid line of 1).
    Colour fill_ = kBlack, stroke_ = kBlack;
    double width_ = -1, dashWidth_ = -1;
    int dash_ = kPenSolid;
};

}  // namespace axo::report
