// The drawing surface of the report engine (`TZorviCanvas`): the few operations a page needs -
// lines, rectangles, ellipses, filled polygons, runs of characters at given positions and
// pictures from files - in the engine's units (x to the right, y down, relative to the
// printable area). The PDF, PNG and SVG writers, the metafiles, the preview and the bitmaps of
// HTML pages implement it; a drawing area's host paints onto one, and what it painted is kept
// as a recorded picture in the page model.
#pragma once

#include <filesystem>
#include <memory>
#include <variant>
#include <vector>

#include "report/model/Units.h"
#include "util/Text.h"

namespace axo::report {

struct TCharStyle;

/// Pen styles.
enum PenStyle : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenClear = 5,
    kPenInsideFrame = 6
};
/// Brush styles: solid, clear (nothing filled), then hatches (drawn as solid fills).
enum BrushStyle : int { kBrushSolid = 0, kBrushClear = 1 };

struct TPen {
    Colour colour = kBlack;
    double width = 1.0 / 6;  ///< units; one dot of the 600-per-inch page
    int style = kPenSolid;
};

struct TBrush {
    Colour colour = kWhite;
    int style = kBrushSolid;
};

struct TPoint {
    double x = 0, y = 0;
};

/// Characters of one style placed one by one: chars[i] starts at (x[i], baseline), in a font of
/// `size` points; with an angle the run is turned counter-clockwise by it about (x[0],
/// baseline).
struct TGlyphRun {
    const TCharStyle* style = nullptr;
    Text chars;
    std::vector<double> x;
    double baseline = 0;
    double angle = 0;  ///< degrees
};

class TCanvas {
  public:
    virtual ~TCanvas() = default;

    virtual void Line(TPoint from, TPoint to, const TPen& pen) = 0;
    /// A rectangle filled by `brush` (when given) and outlined by `pen` (when given).
    virtual void Rectangle(double x, double y, double w, double h, const TPen* pen,
                           const TBrush* brush) = 0;
    /// As Rectangle, with corners rounded by `radius`.
    virtual void RoundRect(double x, double y, double w, double h, double radius, const TPen* pen,
                           const TBrush* brush) = 0;
    /// The ellipse inside the box.
    virtual void Ellipse(double x, double y, double w, double h, const TPen* pen,
                         const TBrush* brush) = 0;
    /// A polygon filled with one colour, without outline.
    virtual void Polygon(const std::vector<TPoint>& points, Colour fill) = 0;
    virtual void Glyphs(const TGlyphRun& run) = 0;
    /// A picture file stretched into the box; a file that cannot be read draws nothing.
    virtual void Picture(const std::filesystem::path& file, double x, double y, double w,
                         double h) = 0;
};

/// What a host painted into a drawing area, replayable onto any canvas.
class TRecordedPicture : public TCanvas {
  public:
    /// The size of the area it was painted for, in units.
    TRecordedPicture(double width, double height) : width_(width), height_(height) {}
    double Width() const { return width_; }
    double Height() const { return height_; }

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

    /// Draws the recording onto `target`, its origin moved to (x, y) and scaled by (sx, sy).
    void Replay(TCanvas& target, double x, double y, double sx, double sy) const;

  private:
    struct Shape;
    double width_, height_;
    std::vector<std::shared_ptr<const Shape>> shapes_;
};

}  // namespace axo::report
