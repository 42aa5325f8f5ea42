// The pages as PNG and SVG through the cairo canvas: one PNG or SVG file per page, page images
// for the preview, and the bitmap of one element (the pictures of HTML pages). The PDF
// (PdfOutput.h) draws the same pages through the same drawing code.
#pragma once

#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"
#include "report/output/PdfOutput.h"

namespace axo::report {

/// Writes every page as `dir`/`stem`N.png at `dpi` (dots per inch) or as SVG; the paths
/// written go to `written`.
bool WritePngPages(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& dir,
                   int dpi, std::vector<std::filesystem::path>& written, Text& error,
                   const std::string& stem = "strana");
bool WriteSvgPages(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& dir,
                   std::vector<std::filesystem::path>& written, Text& error,
                   const std::string& stem = "strana");

/// A page as a PNG file's bytes at `dpi`; empty when the page does not exist.
std::string PagePng(const TSestVystup& out, TFontFiles& fonts, int page, int dpi);

/// A page as an image of 32-bit pixels (0xAARRGGBB, rows top down) at `dpi`, for the
/// preview; false when the page does not exist.
struct TPageImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};
bool PageImage(const TSestVystup& out, TFontFiles& fonts, int page, int dpi, TPageImage& image);
/// The pixels of a PNG file's bytes; false when they are not a PNG.
bool PngImage(const std::string& png, TPageImage& image);

/// One element drawn alone into a white bitmap of its box at 100 dots per inch (scale 1), as
/// a Windows bitmap file's bytes.
std::string ElementBitmap(const TVystPrvek& element, TFontFiles& fonts);

}  // namespace axo::report
