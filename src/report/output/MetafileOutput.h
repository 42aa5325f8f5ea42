// The pages as Windows metafiles: the page metafile (the printable area at 600 dots per
// inch) written record by record as an enhanced metafile (EMF) or a placeable Windows
// metafile (WMF), one file per page. The records are written here, not by a library: pens,
// brushes and fonts as objects, lines, rectangles, rounded rectangles, ellipses, polygons and
// text with the advance of every character. Pictures from files are not embedded.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"

namespace axo::report {

/// Page `page` (from 1) as the bytes of an EMF (`enhanced`) or WMF file; empty when the page
/// does not exist.
std::string PageMetafile(const TSestVystup& out, TFontMetrics& metrics, int page, bool enhanced);

/// Writes every page as `dir`/`stem`N.emf (or .wmf); the paths written go to `written`.
bool WriteMetafilePages(const TSestVystup& out, TFontMetrics& metrics,
                        const std::filesystem::path& dir, bool enhanced,
                        std::vector<std::filesystem::path>& written, Text& error,
                        const std::string& stem = "strana");

/// The file of page n when all pages are exported to one chosen name: the name with n
/// inserted before its extension; the extension decides the kind (".wmf" in any case gives
/// WMF, any other EMF).
std::filesystem::path MetafilePageName(const std::filesystem::path& chosen, int n, bool& enhanced);

}  // namespace axo::report
