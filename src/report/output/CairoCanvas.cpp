// The cairo canvas.
#include "report/output/CairoCanvas.h"

#include <cairo.h>

#include <cmath>
#include <string>

#include "report/layout/PageModel.h"

namespace axo::report {

namespace {

/// Dash patterns in pen widths (at least one unit long).
void Dashes(cairo_t* cr, int style, double width) {
    const double u = std::max(width, 0.5);
    switch (style) {
        case kPenDash: {
            const double d[] = {6 * u, 2 * u};
            cairo_set_dash(cr, d, 2, 0);
            break;
        }
        case kPenDot: {
            const double d[] = {u, u};
            cairo_set_dash(cr, d, 2, 0);
            break;
        }
        case kPenDashDot: {
            const double d[] = {6 * u, 2 * u, u, 2 * u};
            cairo_set_dash(cr, d, 4, 0);
            break;
        }
        case kPenDashDotDot: {
            const double d[] = {6 * u, 2 * u, u, 2 * u, u, 2 * u};
            cairo_set_dash(cr, d, 6, 0);
            break;
        }
        default:
            cairo_set_dash(cr, nullptr, 0, 0);
            break;
    }
}

}  // namespace

void TCairoCanvas::SetColour(Colour c) {
    if (c < 0)
        c = kBlack;  // system colours
    cairo_set_source_rgb(cr_, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                         ((c >> 16) & 0xFF) / 255.0);
}

void TCairoCanvas::SetPen(const TPen& pen) {
    SetColour(pen.colour);
    double width = pen.width;
    // On a picture of pixels a line is at least one pixel wide, as on paper it is at least one
    // dot: a hairline must not vanish from the preview.
    if (cairo_surface_get_type(cairo_get_target(cr_)) == CAIRO_SURFACE_TYPE_IMAGE) {
        double dx = width, dy = 0;
        cairo_user_to_device_distance(cr_, &dx, &dy);
        const double pixels = std::hypot(dx, dy);
        if (pixels > 0 && pixels < 1)
            width /= pixels;
    }
    cairo_set_line_width(cr_, width);
    Dashes(cr_, pen.style, width);
}

void TCairoCanvas::Line(TPoint from, TPoint to, const TPen& pen) {
    if (pen.style == kPenClear)
        return;
    SetPen(pen);
    cairo_move_to(cr_, from.x, from.y);
    cairo_line_to(cr_, to.x, to.y);
    cairo_stroke(cr_);
}

void TCairoCanvas::FillAndStroke(const TPen* pen, const TBrush* brush) {
    if (brush && brush->style != kBrushClear) {
        SetColour(brush->colour);
        if (pen && pen->style != kPenClear)
            cairo_fill_preserve(cr_);
        else
            cairo_fill(cr_);
    }
    if (pen && pen->style != kPenClear) {
        SetPen(*pen);
        cairo_stroke(cr_);
    }
    cairo_new_path(cr_);
}

void TCairoCanvas::Rectangle(double x, double y, double w, double h, const TPen* pen,
                             const TBrush* brush) {
    cairo_rectangle(cr_, x, y, w, h);
    FillAndStroke(pen, brush);
}

void TCairoCanvas::RoundRect(double x, double y, double w, double h, double r, const TPen* pen,
                             const TBrush* brush) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
    FillAndStroke(pen, brush);
}

void TCairoCanvas::Ellipse(double x, double y, double w, double h, const TPen* pen,
                           const TBrush* brush) {
    if (w <= 0 || h <= 0)
        return;
    cairo_save(cr_);
    cairo_translate(cr_, x + w / 2, y + h / 2);
    cairo_scale(cr_, w / 2, h / 2);
    cairo_new_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr_);
    FillAndStroke(pen, brush);
}

void TCairoCanvas::Polygon(const std::vector<TPoint>& points, Colour fill) {
    if (points.empty())
        return;
    cairo_move_to(cr_, points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr_, points[i].x, points[i].y);
    cairo_close_path(cr_);
    SetColour(fill);
    cairo_fill(cr_);
}

void TCairoCanvas::Glyphs(const TGlyphRun& run) {
    if (!run.style || run.chars.empty() || run.style->size <= 0)
        return;
    const TCharStyle& s = *run.style;
    const int style = s.style & (kBold | kItalic);
    cairo_font_face_t* face = fonts_.CairoFace(s.face, style);
    if (!face)
        return;
    cairo_save(cr_);
    cairo_set_font_face(cr_, face);
    const double em = s.size * kUnitsPerInch / 72.0;
    cairo_set_font_size(cr_, em);
    SetColour(s.colour);
    const double x0 = run.x.empty() ? 0 : run.x[0];
    cairo_translate(cr_, x0, run.baseline);
    if (run.angle != 0)
        cairo_rotate(cr_, -run.angle * M_PI / 180);
    // Every character is one glyph and one cluster, so that the text can be copied and
    // searched in the PDF.
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    std::string utf8;
    for (std::size_t i = 0; i < run.chars.size(); ++i) {
        const unsigned char code = run.chars.Code(i);
        const std::size_t before = utf8.size();
        AppendUtf8(utf8, Cp1250ToUnicode(code));
        glyphs.push_back(
            {fonts_.GlyphIndex(s.face, style, code), (i < run.x.size() ? run.x[i] : x0) - x0, 0});
        clusters.push_back({static_cast<int>(utf8.size() - before), 1});
    }
    cairo_show_text_glyphs(cr_, utf8.data(), static_cast<int>(utf8.size()), glyphs.data(),
                           static_cast<int>(glyphs.size()), clusters.data(),
                           static_cast<int>(clusters.size()),
                           static_cast<cairo_text_cluster_flags_t>(0));
    if (s.style & (kUnderline | kStrikeOut)) {
        const TFaceMetrics& m = fonts_.Face(s.face, style);
        const double end = glyphs.back().x + m.advance[run.chars.Code(run.chars.size() - 1)] * em;
        cairo_set_line_width(cr_, em / 15);
        if (s.style & kUnderline) {
            cairo_move_to(cr_, 0, em * 0.1);
            cairo_line_to(cr_, end, em * 0.1);
            cairo_stroke(cr_);
        }
        if (s.style & kStrikeOut) {
            cairo_move_to(cr_, 0, -em * 0.28);
            cairo_line_to(cr_, end, -em * 0.28);
            cairo_stroke(cr_);
        }
    }
    cairo_restore(cr_);
}

void TCairoCanvas::Picture(const std::filesystem::path& file, double x, double y, double w,
                           double h) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".png" || w <= 0 || h <= 0)
        return;
    cairo_surface_t* image = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        const int iw = cairo_image_surface_get_width(image);
        const int ih = cairo_image_surface_get_height(image);
        if (iw > 0 && ih > 0) {
            cairo_save(cr_);
            cairo_translate(cr_, x, y);
            cairo_scale(cr_, w / iw, h / ih);
            cairo_set_source_surface(cr_, image, 0, 0);
            cairo_paint(cr_);
            cairo_restore(cr_);
        }
    }
    cairo_surface_destroy(image);
}

}  // namespace axo::report
