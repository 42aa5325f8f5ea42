// The conversions of the output channel: one listing line for a text, word-processor,
// spreadsheet or HTML output (form feeds, frame characters, code page), and a whole listing
// file into a text file or an HTML file with a progress panel and the channel's messages.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ui/OutputSettings.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::ui {

/// The head and the tail the HTML output puts around the lines.
inline constexpr const char* kHtmlHead =
    "<HTML><HEAD><TITLE></TITLE></HEAD><PRE><BODY><P align=left>"
    "<FONT face=\"Courier New\" Size=2>";
inline constexpr const char* kHtmlTail = "</BODY></PRE></HTML>";

/// One listing line converted for an output: for HTML a line that is only a form feed (blanks
/// around it) becomes a blank; with the no-page-break option such a line is dropped (none) and
/// form feeds elsewhere are removed; the frame option replaces the 22 frame characters; for a
/// text file the code-page option converts the line (the result then holds the bytes of that
/// code page, or UTF-8 for option 4).
std::optional<Text> ConvertListingLine(const Text& line, const LineConversion& conversion);

/// A converted line as HTML text: "&", "<" and ">" escaped, the frame characters and every
/// other character above 127 written as decimal character references, so that the file shows
/// the same in any browser whatever code page it assumes.
std::string HtmlLine(const Text& line);

/// Converts the listing file into a text file, line by line (`ConvertListingLine`), with a
/// progress panel. With `append` the lines go after three empty lines at the end of the file,
/// otherwise they replace it. Failures are shown as plain messages and give false; a failed
/// write leaves the output file as it was before.
bool ConvertListingToText(UiServices& ui, const std::filesystem::path& listing,
                          const std::filesystem::path& output, const LineConversion& conversion,
                          bool append);

/// As ConvertListingToText, writing an HTML file: the head, the lines (`HtmlLine`), the tail.
bool ConvertListingToHtml(UiServices& ui, const std::filesystem::path& listing,
                          const std::filesystem::path& output, const LineConversion& conversion,
                          bool append);

}  // namespace axo::ui
