// The pages as HTML: one document a page with one absolutely positioned block per placed
// element (texts line by line, lines and shapes as borders and backgrounds, pictures and
// barcodes as bitmaps saved beside the page). The documents are UTF-8 and say so, and every
// text is escaped, so that a name like "Kovo & spol." shows as it stands.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"

namespace axo::report {

/// The blocks of page `page` (from 1). `picture` is asked for the file name (as the IMG
/// element refers to it) of the bitmap of the element with running number n on the page.
std::string HtmlBlocks(const TSestVystup& out, int page,
                       const std::function<std::string(int n, const TVystPrvek&)>& picture);

/// A whole document around the blocks of a page.
std::string HtmlDocument(const std::string& blocks);

/// Writes every page: page n as `file` with n inserted before its extension, its bitmaps as
/// the same name without extension, n, "_", the element's number and ".bmp". The files
/// written go to `written`.
bool WriteHtmlPages(const TSestVystup& out, TFontFiles& fonts, const std::filesystem::path& file,
                    std::vector<std::filesystem::path>& written, Text& error);

/// The text escaped for HTML, in UTF-8 ("&" "<" ">" and '"' as entities).
std::string HtmlEscaped(const Text& text);

}  // namespace axo::report
