// The recorded picture of a drawing area: every call kept, replayed moved and scaled.
#include <functional>
#include <optional>

#include "report/layout/Canvas.h"
#include "report/layout/PageModel.h"

namespace axo::report {

struct TRecordedPicture::Shape {
    std::function<void(TCanvas&, double x, double y, double sx, double sy)> draw;
};

namespace {

TPen Scaled(TPen pen, double s) {
    pen.width *= s;
    return pen;
}

}  // namespace

void TRecordedPicture::Line(TPoint a, TPoint b, const TPen& pen) {
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            c.Line({x + a.x * sx, y + a.y * sy}, {x + b.x * sx, y + b.y * sy}, Scaled(pen, sx));
        }}));
}

void TRecordedPicture::Rectangle(double rx, double ry, double w, double h, const TPen* pen,
                                 const TBrush* brush) {
    const std::optional<TPen> p = pen ? std::optional<TPen>(*pen) : std::nullopt;
    const std::optional<TBrush> b = brush ? std::optional<TBrush>(*brush) : std::nullopt;
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            const std::optional<TPen> sp = p ? std::optional<TPen>(Scaled(*p, sx)) : std::nullopt;
            c.Rectangle(x + rx * sx, y + ry * sy, w * sx, h * sy, sp ? &*sp : nullptr,
                        b ? &*b : nullptr);
        }}));
}

void TRecordedPicture::RoundRect(double rx, double ry, double w, double h, double radius,
                                 const TPen* pen, const TBrush* brush) {
    const std::optional<TPen> p = pen ? std::optional<TPen>(*pen) : std::nullopt;
    const std::optional<TBrush> b = brush ? std::optional<TBrush>(*brush) : std::nullopt;
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            const std::optional<TPen> sp = p ? std::optional<TPen>(Scaled(*p, sx)) : std::nullopt;
            c.RoundRect(x + rx * sx, y + ry * sy, w * sx, h * sy, radius * sx, sp ? &*sp : nullptr,
                        b ? &*b : nullptr);
        }}));
}

void TRecordedPicture::Ellipse(double rx, double ry, double w, double h, const TPen* pen,
                               const TBrush* brush) {
    const std::optional<TPen> p = pen ? std::optional<TPen>(*pen) : std::nullopt;
    const std::optional<TBrush> b = brush ? std::optional<TBrush>(*brush) : std::nullopt;
    shapes_.push_back(std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx,
                                                        double sy) {
        const std::optional<TPen> sp = p ? std::optional<TPen>(Scaled(*p, sx)) : std::nullopt;
        c.Ellipse(x + rx * sx, y + ry * sy, w * sx, h * sy, sp ? &*sp : nullptr, b ? &*b : nullptr);
    }}));
}

void TRecordedPicture::Polygon(const std::vector<TPoint>& points, Colour fill) {
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            std::vector<TPoint> moved = points;
            for (TPoint& pt : moved)
                pt = {x + pt.x * sx, y + pt.y * sy};
            c.Polygon(moved, fill);
        }}));
}

void TRecordedPicture::Glyphs(const TGlyphRun& run) {
    const TCharStyle style = run.style ? *run.style : TCharStyle{};
    const TGlyphRun kept = run;
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            TCharStyle scaled = style;
            scaled.size *= sy;
            TGlyphRun moved = kept;
            moved.style = &scaled;
            for (double& px : moved.x)
                px = x + px * sx;
            moved.baseline = y + kept.baseline * sy;
            c.Glyphs(moved);
        }}));
}

void TRecordedPicture::Picture(const std::filesystem::path& file, double px, double py, double w,
                               double h) {
    shapes_.push_back(
        std::make_shared<Shape>(Shape{[=](TCanvas& c, double x, double y, double sx, double sy) {
            c.Picture(file, x + px * sx, y + py * sy, w * sx, h * sy);
        }}));
}

void TRecordedPicture::Replay(TCanvas& target, double x, double y, double sx, double sy) const {
    for (const auto& shape : shapes_)
        shape->draw(target, x, y, sx, sy);
}

}  // namespace axo::report
