// HTML pages.
#include "report/output/HtmlOutput.h"

#include <cstdio>
#include <sstream>

#include "report/layout/Canvas.h"
#include "report/output/CairoOutput.h"
#include "report/output/OutputFiles.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

std::string HtmlColour(Colour c) {
    if (c < 0)
        c = kBlack;
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%2.2x%2.2x%2.2x", c & 0xFF, (c >> 8) & 0xFF,
                  (c >> 16) & 0xFF);
    return buffer;
}

const char* PenStyleName(int style) {
    switch (style) {
        case kPenDash:
        case kPenDashDot:
            return "dashed";
        case kPenDot:
        case kPenDashDotDot:
            return "dotted";
        default:
            return "solid";
    }
}

std::string Box(int top, int left, int width, int height) {
    return "position: absolute; top: " + std::to_string(top) + "px; left: " + std::to_string(left) +
           "px; width: " + std::to_string(width) + "px; height: " + std::to_string(height) + "px;";
}

/// The border declarations of the set bits, in the order top, right, bottom, left.
std::string Borders(int options, const std::string& value) {
    std::string s;
    if (options & kBorderTop)
        s += " border-top: " + value + ";";
    if (options & kBorderRight)
        s += " border-right: " + value + ";";
    if (options & kBorderBottom)
        s += " border-bottom: " + value + ";";
    if (options & kBorderLeft)
        s += " border-Left: " + value + ";";
    return s;
}

/// Every blank after the first one as a non-breaking space.
std::string KeepBlanks(const std::string& escaped) {
    std::string s;
    bool seen = false;
    for (char c : escaped) {
        if (c == ' ' && seen) {
            s += "&nbsp;";
            continue;
        }
        seen = seen || c == ' ';
        s += c;
    }
    return s;
}

std::string TextLine(const TSiReportElement& e, const std::string& box, const std::string& borders,
                     const std::string& text) {
    std::string s = "<DIV STYLE=\"" + box + borders;
    if (e.pitch > 0)
        s += " letter-spacing: " + std::to_string(e.pitch - e.font.size * 11 / 16) + "px;";
    s += " font: " + std::to_string(e.font.size) + "pt " + HtmlEscaped(e.font.name) +
         "; color: " + HtmlColour(e.font.colour) + "\">";
    if (e.Alignment() == kAlignRight)
        s += "<p align=\"right\">";
    else if (e.Alignment() == kAlignCentre)
        s += "<p align=\"center\">";
    std::string open, close;
    if (e.font.style & kBold)
        open += "<b>", close = "</b>" + close;
    if (e.font.style & kUnderline)
        open += "<u>", close = "</u>" + close;
    if (e.font.style & kItalic)
        open += "<i>", close = "</i>" + close;
    if (e.font.style & kStrikeOut)
        open += "<strike>", close = "</strike>" + close;
    return s + open + text + close + "</DIV>\n";
}

void TextBlocks(std::ostringstream& s, const TVystPrvek& p) {
    const TSiReportElement& e = *p.look;
    if (e.textOptions & kTextRtf)
        return;
    const std::string borders = Borders(e.options, "1px solid #000000");
    const int count = p.lines.last - p.lines.first + 1;
    if (e.angle != 0 || count <= 1) {
        const Text text = e.angle != 0 ? p.single
                          : count == 1 ? p.lines.LineText(p.lines.first)
                                       : Text();
        s << TextLine(e, Box(p.top, p.left, p.width, p.height), borders, HtmlEscaped(text));
        return;
    }
    long long above = 0;
    for (int i = p.lines.first; i <= p.lines.last; ++i) {
        const int height = p.lines.lines[static_cast<std::size_t>(i)].height;
        const int top = p.top + static_cast<int>(above / kSubUnits);
        s << TextLine(e, Box(top, p.left, p.width, height / kSubUnits), "",
                      KeepBlanks(HtmlEscaped(p.lines.LineText(i))));
        above += height;
    }
    if (!borders.empty())
        s << "<DIV STYLE=\"" << Box(p.top, p.left, p.width, p.height) << borders
          << " font: 0pt\"></DIV>\n";
}

}  // namespace

std::string HtmlEscaped(const Text& text) {
    std::string s;
    for (char c : ToUtf8(text)) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            default:
                s += c;
        }
    }
    return s;
}

std::string HtmlBlocks(const TSestVystup& out, int page,
                       const std::function<std::string(int n, const TVystPrvek&)>& picture) {
    std::ostringstream s;
    if (page < 1 || page > out.PageCount())
        return {};
    int n = 0;
    for (const TVystPrvek& p : out.pages[static_cast<std::size_t>(page - 1)].elements) {
        ++n;
        if (!p.look)
            continue;
        const TSiReportElement& e = *p.look;
        const std::string box = Box(p.top, p.left, p.width, p.height);
        if (IsTextKind(e.kind)) {
            TextBlocks(s, p);
        } else if (e.kind == kLine) {
            const std::string value = std::to_string(e.lineWidth) + "px " +
                                      PenStyleName(e.EffectiveLineStyle()) + " " +
                                      HtmlColour(e.lineColour);
            s << "<DIV STYLE=\"font: 0pt; " << box << Borders(e.options, value) << "\"></DIV>\n";
        } else if (e.kind == kRectangle || e.kind == kRoundRectangle || e.kind == kEllipse) {
            s << "<DIV STYLE=\"font: 0pt; background-color: " << HtmlColour(e.fillColour) << "; "
              << box;
            if (e.lineWidth > 0)
                s << Borders(kBorderLeft | kBorderTop | kBorderRight | kBorderBottom,
                             std::to_string(e.lineWidth) + "px " + PenStyleName(e.lineStyle) + " " +
                                 HtmlColour(e.lineColour));
            s << "\"></DIV>\n";
        } else if (e.kind == kPicture || e.kind == kBarcode || e.kind == kDrawingArea) {
            const std::string name = picture ? picture(n, p) : std::string();
            if (name.empty())
                continue;
            s << "<DIV STYLE=\"" << box
              << (e.kind == kPicture ? Borders(e.options, "1px solid #000000") : "")
              << "\"><IMG SRC=\"" << HtmlEscaped(FromUtf8(name)) << "\" ALT=\"\"></DIV>\n";
        }
    }
    return s.str();
}

std::string HtmlDocument(const std::string& blocks) {
    return "<HTML> <HEAD> <TITLE> </TITLE>\n"
           "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"
           "<META NAME=\"Creator\" CONTENT=\"ZorviReportGenerator\">\n"
           "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n" +
           blocks + "</PRE></BODY> </HTML>\n";
}

bool WriteHtmlPages(const TSestVystup& out, TFontFiles& fonts, const fs::path& file,
                    std::vector<fs::path>& written, Text& error) {
    for (int page = 1; page <= out.PageCount(); ++page) {
        const fs::path html = NumberedName(file, page);
        fs::path base = file;
        base.replace_extension();
        bool ok = true;
        const std::string blocks = HtmlBlocks(out, page, [&](int n, const TVystPrvek& p) {
            const fs::path bmp =
                base.string() + std::to_string(page) + "_" + std::to_string(n) + ".bmp";
            if (!ok || !WriteOutputFile(bmp, ElementBitmap(p, fonts), error)) {
                ok = false;
                return std::string();
            }
            written.push_back(bmp);
            return bmp.filename().string();
        });
        if (!ok || !WriteOutputFile(html, HtmlDocument(blocks), error))
            return false;
        written.push_back(html);
    }
    return true;
}

}  // namespace axo::report
