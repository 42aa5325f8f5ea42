// Reading printouts for the office outputs.
#include "office/ListingDocument.h"

#include <algorithm>

#include "ui/ListingConvert.h"
#include "util/AtomicFile.h"
#include "util/Lines.h"

namespace axo::office {

namespace {

int PageLinesFor(int lineWidth, int narrow, int wide) {
    return lineWidth > 80 ? wide : narrow;
}

}  // namespace

std::optional<ListingDocument> ReadListing(const ui::ListingView& listing,
                                           const ui::LineConversion& conversion, int& error) {
    std::string bytes;
    error = ReadWholeFile(listing.file, bytes).error;
    if (error != 0)
        return std::nullopt;
    ListingDocument doc;
    doc.title = ToUtf8(listing.title);
    doc.lineWidth = listing.lineWidth;
    doc.pageLines = PageLinesFor(listing.lineWidth, listing.narrowLength, listing.wideLength);
    ForEachLine(bytes, [&doc, &conversion](std::string_view line, int) {
        const std::optional<Text> converted =
            ui::ConvertListingLine(Text::FromBytes(line), conversion);
        if (!converted)
            return;
        doc.lines.push_back(IsPageBreak(converted->Bytes()) ? std::string(kPageBreak)
                                                            : ListingToUtf8(*converted));
    });
    return doc;
}

ListingDocument DocumentFromText(std::string_view text, std::string title) {
    ListingDocument doc;
    doc.title = std::move(title);
    std::size_t widest = 78;
    ForEachLine(text, [&doc, &widest](std::string_view line, int) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        doc.lines.push_back(IsPageBreak(line) ? std::string(kPageBreak) : std::string(line));
        widest = std::max(widest, CodePoints(line).size());
    });
    doc.lineWidth = static_cast<int>(widest);
    return doc;
}

ListingDocument Joined(const std::vector<ListingDocument>& docs, std::string title) {
    ListingDocument joined;
    joined.title = std::move(title);
    joined.lineWidth = 0;
    for (const ListingDocument& doc : docs) {
        if (!joined.lines.empty())
            joined.lines.emplace_back(kPageBreak);
        joined.lines.insert(joined.lines.end(), doc.lines.begin(), doc.lines.end());
        joined.lineWidth = std::max(joined.lineWidth, doc.lineWidth);
        joined.pageLines = doc.pageLines;
    }
    joined.lineWidth = std::max(joined.lineWidth, 78);
    return joined;
}

std::string HtmlOf(const ListingDocument& doc) {
    std::string html = ui::kHtmlHead;
    html += "\r\n";
    for (const std::string& line : doc.lines) {
        for (const char32_t ch : CodePoints(line == kPageBreak ? std::string_view(" ") : line)) {
            if (ch == '&')
                html += "&amp;";
            else if (ch == '<')
                html += "&lt;";
            else if (ch == '>')
                html += "&gt;";
            else if (ch >= 0x80)
                html += "&#" + std::to_string(static_cast<std::uint32_t>(ch)) + ";";
            else if (ch >= 0x20)
                html += static_cast<char>(ch);
        }
        html += "\r\n";
    }
    return html + ui::kHtmlTail + "\r\n";
}

std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        bool valid = i + static_cast<std::size_t>(extra) < utf8.size() || extra == 0;
        for (int k = 1; valid && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!valid) {
            out.push_back(b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (const char32_t cp : text) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool IsPageBreak(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t");
    return first != std::string_view::npos && first == last && line[first] == '\f';
}

}  // namespace axo::office
