// A text printout as the office outputs take it: its lines in UTF-8 with the frame characters
// as box-drawing characters, a form feed line for each page break, and the page geometry the
// listing asks for. Made from a listing file of the output channel (Windows-1250 with the
// family's frame bytes) or from a printout the command line wrote (UTF-8).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/OutputSettings.h"
#include "ui/UiServices.h"

namespace axo::office {

/// The line that stands for a page break.
inline constexpr std::string_view kPageBreak = "\f";

struct ListingDocument {
    std::string title;               ///< the printout's name (UTF-8)
    std::vector<std::string> lines;  ///< UTF-8 without line ends; kPageBreak for a page break
    int lineWidth = 78;              ///< characters a line
    int pageLines = 0;               ///< lines a page; 0: endless paper

    /// Wider than 80 characters: laid out on a landscape page.
    bool Landscape() const { return lineWidth > 80; }
};

/// The listing file of the output channel, each line converted by `conversion` (lines that
/// conversion drops are left out). None (with the system's error number in `error`) when the
/// file cannot be read.
std::optional<ListingDocument> ReadListing(const ui::ListingView& listing,
                                           const ui::LineConversion& conversion, int& error);

/// A printout in UTF-8 text (LF or CR LF line ends, a line holding only a form feed for a page
/// break). The line width is the longest line's, at least 78.
ListingDocument DocumentFromText(std::string_view text, std::string title);

/// The printouts one after another, each from a new page; the widest line width.
ListingDocument Joined(const std::vector<ListingDocument>& docs, std::string title);

/// The printout as the HTML output writes it (the same head and tail around the lines), every
/// character beyond ASCII as a decimal character reference.
std::string HtmlOf(const ListingDocument& doc);

/// The characters (code points) of a UTF-8 text; bytes that are not UTF-8 count one each.
std::u32string CodePoints(std::string_view utf8);
/// The UTF-8 text of code points.
std::string Utf8(std::u32string_view text);

/// Whether a line (trimmed) is only a form feed.
bool IsPageBreak(std::string_view line);

}  // namespace axo::office
