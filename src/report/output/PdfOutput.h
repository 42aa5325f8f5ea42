// The pages as a PDF document: a page range with its fonts embedded and their character maps,
// so that the text can be copied and searched.
#pragma once

#include <climits>
#include <filesystem>
#include <functional>
#include <string_view>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"

namespace axo::report {

/// Renders pages [first, last] (from 1, clamped) as one PDF document handed to `sink` piece
/// by piece (a range without pages gives one empty page). Returns false (message in
/// `error`) when a font file cannot be read.
bool RenderPdf(const TSestVystup& out, TFontFiles& fonts, int first, int last,
               const std::function<void(std::string_view)>& sink, Text& error);

/// Writes pages [first, last] as a PDF file, whole or not at all.
bool WritePdf(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& file,
              Text& error, int first = 1, int last = INT_MAX);

}  // namespace axo::report
