// PDF, PNG and SVG through cairo.
#include "report/output/CairoOutput.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <cstring>

#include "report/output/CairoCanvas.h"
#include "report/output/OutputFiles.h"
#include "report/output/PageDraw.h"
#include "util/Cisla.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

constexpr double kPointsPerUnit = 72.0 / kUnitsPerInch;

cairo_status_t ToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

/// Draws page `index` with the context's user space in units at the paper's corner.
void DrawOnPaper(cairo_t* cr, const TSestVystup& out, TFontFiles& fonts, int index) {
    cairo_save(cr);
    cairo_translate(cr, out.page.marginLeft, out.page.marginTop);
    TCairoCanvas canvas(cr, fonts);
    DrawSheet(out, index, canvas, fonts);
    cairo_restore(cr);
}

Text CairoError(cairo_status_t status) {
    return "Chyba kreslení: "_t + FromUtf8(cairo_status_to_string(status));
}

void WhitePage(cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
}

}  // namespace

std::string PagePng(const TSestVystup& out, TFontFiles& fonts, int page, int dpi) {
    if (page < 1 || page > out.PageCount())
        return {};
    const double scale = dpi / static_cast<double>(kUnitsPerInch);
    const int w = static_cast<int>(std::ceil(out.page.OrientedWidth() * scale));
    const int h = static_cast<int>(std::ceil(out.page.OrientedHeight() * scale));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    WhitePage(cr);
    cairo_scale(cr, scale, scale);
    DrawOnPaper(cr, out, fonts, page - 1);
    cairo_destroy(cr);
    std::string bytes;
    cairo_surface_write_to_png_stream(surface, ToString, &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

bool WritePngPages(const TSestVystup& out, TFontFiles& fonts, const fs::path& dir, int dpi,
                   std::vector<fs::path>& written, Text& error, const std::string& stem) {
    for (int p = 1; p <= out.PageCount(); ++p) {
        const fs::path file = dir / (stem + std::to_string(p) + ".png");
        const std::string bytes = PagePng(out, fonts, p, dpi);
        if (bytes.empty()) {
            error = "Stránku "_t + IntToText(p) + " nelze vykreslit."_t;
            return false;
        }
        if (!WriteOutputFile(file, bytes, error))
            return false;
        written.push_back(file);
    }
    return true;
}

bool WriteSvgPages(const TSestVystup& out, TFontFiles& fonts, const fs::path& dir,
                   std::vector<fs::path>& written, Text& error, const std::string& stem) {
    const double w = out.page.OrientedWidth() * kPointsPerUnit;
    const double h = out.page.OrientedHeight() * kPointsPerUnit;
    for (int p = 1; p <= out.PageCount(); ++p) {
        const fs::path file = dir / (stem + std::to_string(p) + ".svg");
        std::string bytes;
        cairo_surface_t* surface = cairo_svg_surface_create_for_stream(ToString, &bytes, w, h);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, kPointsPerUnit, kPointsPerUnit);
        DrawOnPaper(cr, out, fonts, p - 1);
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        const cairo_status_t status = cairo_surface_status(surface);
        cairo_surface_destroy(surface);
        if (status != CAIRO_STATUS_SUCCESS) {
            error = CairoError(status);
            return false;
        }
        if (!WriteOutputFile(file, bytes, error))
            return false;
        written.push_back(file);
    }
    return true;
}

namespace {

bool ImageOf(cairo_surface_t* surface, TPageImage& image) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_surface_flush(surface);
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(&image.pixels[static_cast<std::size_t>(y) * image.width],
                    data + static_cast<std::ptrdiff_t>(y) * stride,
                    static_cast<std::size_t>(image.width) * 4);
    return true;
}

struct PngReader {
    const std::string& bytes;
    std::size_t at = 0;
};

cairo_status_t FromString(void* closure, unsigned char* data, unsigned int length) {
    auto* r = static_cast<PngReader*>(closure);
    if (r->at + length > r->bytes.size())
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, r->bytes.data() + r->at, length);
    r->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool PageImage(const TSestVystup& out, TFontFiles& fonts, int page, int dpi, TPageImage& image) {
    if (page < 1 || page > out.PageCount())
        return false;
    const double scale = dpi / static_cast<double>(kUnitsPerInch);
    const int w = static_cast<int>(std::ceil(out.page.OrientedWidth() * scale));
    const int h = static_cast<int>(std::ceil(out.page.OrientedHeight() * scale));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    WhitePage(cr);
    cairo_scale(cr, scale, scale);
    DrawOnPaper(cr, out, fonts, page - 1);
    cairo_destroy(cr);
    const bool ok = ImageOf(surface, image);
    cairo_surface_destroy(surface);
    return ok;
}

bool PngImage(const std::string& png, TPageImage& image) {
    PngReader reader{png};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(FromString, &reader);
    const bool ok = ImageOf(surface, image);
    cairo_surface_destroy(surface);
    return ok;
}

std::string ElementBitmap(const TVystPrvek& element, TFontFiles& fonts) {
    const int w = std::max(element.width, 1);
    const int h = std::max(element.height, 1);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    WhitePage(cr);
    cairo_translate(cr, -element.left, -element.top);
    TCairoCanvas canvas(cr, fonts);
    DrawElement(element, canvas, fonts, 1);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    // A bottom-up 24-bit Windows bitmap.
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int row = (w * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * h);
    std::string bmp(size, '\0');
    auto put32 = [&bmp](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, static_cast<std::uint32_t>(row * h));
    put32(38, 3937);  // 100 dots per inch
    put32(42, 3937);
    for (int y = 0; y < h; ++y) {
        const unsigned char* src = data + static_cast<std::ptrdiff_t>(y) * stride;
        char* dst = bmp.data() + 54 + static_cast<std::ptrdiff_t>(h - 1 - y) * row;
        for (int x = 0; x < w; ++x) {
            std::uint32_t px;
            std::memcpy(&px, src + 4 * x, 4);
            dst[3 * x] = static_cast<char>(px & 0xFF);
            dst[3 * x + 1] = static_cast<char>((px >> 8) & 0xFF);
            dst[3 * x + 2] = static_cast<char>((px >> 16) & 0xFF);
        }
    }
    cairo_surface_destroy(surface);
    return bmp;
}

}  // namespace axo::report
