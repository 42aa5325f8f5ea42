// The pages as PDF, PNG and SVG through the cairo canvas: a PDF of a page range (its fonts
// embedded with their character maps, so that the text can be copied and searched), one PNG
// or SVG file per page, page images for the preview, and the bitmap of one element (the
// pictures of HTML pages).
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

namespace axo::report {

/// Renders pages [first, last] (from 1, clamped) as one PDF document handed to `sink` piece
/// by piece. Returns false (message in `error`) when cairo fails.
bool RenderPdf(const TSestVystup& out, TFontFiles& fonts, int first, int last,
               const std::function<void(std::string_view)>& sink, Text& error);

/// Writes pages [first, last] as a PDF file, whole or not at all.
bool WritePdf(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& file,
              Text& error, int first = 1, int last = INT_MAX);

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
