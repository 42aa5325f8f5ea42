// The RTF document.
#include "report/output/RtfOutput.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

namespace axo::report {

namespace {

constexpr const char* kBreak = "\r\n";

int Twips(int units) {
    return units * 1440 / kUnitsPerInch;
}

struct FontKey {
    std::string name;
    int charset;
    friend auto operator<=>(const FontKey&, const FontKey&) = default;
};

class RtfWriter {
  public:
    explicit RtfWriter(const TSestVystup& out) : out_(out) {
        for (const TStranaPrvku& page : out.pages)
            for (const TVystPrvek& p : page.elements) {
                if (!p.look)
                    continue;
                for (const TCharStyle& s : p.lines.styles) {
                    fonts_.insert({s.face.Bytes(), s.charset});
                    colours_.insert(s.colour);
                }
                if (IsGraphicKind(p.look->kind))
                    colours_.insert(p.look->lineColour);
            }
    }

    std::string Document() {
        s_ << "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720" << kBreak;
        s_ << "{\\fonttbl";
        int n = 0;
        for (const FontKey& f : fonts_)
            s_ << "{\\f" << n++ << "\\fnil\\fcharset" << f.charset << " " << f.name << ";}";
        s_ << "}" << kBreak << "{\\colortbl";
        for (Colour c : colours_)
            s_ << "\\red" << (c & 0xFF) << "\\green" << ((c >> 8) & 0xFF) << "\\blue"
               << ((c >> 16) & 0xFF) << ";";
        s_ << "}" << kBreak;
        s_ << "{\\info{\\doccomm Produced by: ZORVI Report Generator (AXO_PAP)}}" << kBreak;
        const TPageSetup& pg = out_.page;
        s_ << "\\viewkind1\\paperw" << Twips(pg.OrientedWidth()) << "\\paperh"
           << Twips(pg.OrientedHeight()) << "\\margl" << Twips(pg.marginLeft) << "\\margr"
           << Twips(pg.marginRight) << "\\margt" << Twips(pg.marginTop * 80 / 100) << "\\margb"
           << Twips(pg.marginBottom * 80 / 100) << (pg.Landscape() ? "\\lndscpsxn" : "")
           << "\\headery0\\footery0" << kBreak;
        for (std::size_t i = 0; i < out_.pages.size(); ++i) {
            s_ << "{";
            for (const TVystPrvek& p : out_.pages[i].elements)
                Element(p);
            s_ << (i + 1 < out_.pages.size() ? "\\par\\page}" : "\\par}") << kBreak;
        }
        s_ << "}" << kBreak;
        return s_.str();
    }

  private:
    int FontIndex(const TCharStyle& s) const {
        return static_cast<int>(
            std::distance(fonts_.begin(), fonts_.find({s.face.Bytes(), s.charset})));
    }
    int ColourIndex(Colour c) const {
        return static_cast<int>(std::distance(colours_.begin(), colours_.find(c)));
    }
    int X(int units) const { return Twips(units + out_.page.marginLeft); }
    int Y(int units) const { return Twips(units + out_.page.marginTop); }

    void Element(const TVystPrvek& p) {
        if (!p.look)
            return;
        const int kind = p.look->kind;
        if (IsTextKind(kind))
            TextElement(p);
        else if (kind == kLine)
            Lines(p);
        else if (kind == kRectangle || kind == kRoundRectangle || kind == kEllipse)
            Shape(p);
    }

    void TextElement(const TVystPrvek& p) {
        const TSiReportElement& e = *p.look;
        const char* align = e.Alignment() == kAlignRight       ? "\\qr"
                            : e.Alignment() == kAlignCentre    ? "\\qc"
                            : e.Alignment() == kAlignJustified ? "\\qj"
                                                               : "\\ql";
        long long above = 0;
        for (int i = p.lines.first; i <= p.lines.last; ++i) {
            const TRadek& line = p.lines.lines[static_cast<std::size_t>(i)];
            const int top = p.top + static_cast<int>(above / kSubUnits);
            above += line.height;
            s_ << "\\par\\pard";
            if (e.options & kBorderTop)
                s_ << "\\brdrt\\brdrs\\brdrw20 ";
            if (e.options & kBorderLeft)
                s_ << "\\brdrl\\brdrs\\brdrw20 ";
            if (e.options & kBorderBottom)
                s_ << "\\brdrb\\brdrs\\brdrw20 ";
            if (e.options & kBorderRight)
                s_ << "\\brdrr\\brdrs\\brdrw20 ";
            s_ << "\\pvpg\\phpg\\absw" << Twips(p.width) << "\\absh-"
               << Twips(line.height / kSubUnits) << "\\posy" << Y(top) << "\\posx" << X(p.left);
            for (int f = 0; f < line.fragmentCount; ++f) {
                const TFragment& fr =
                    p.lines.fragments[static_cast<std::size_t>(line.firstFragment + f)];
                const TCharStyle& st = p.lines.styles[static_cast<std::size_t>(fr.style)];
                std::string open, close;
                if (st.style & kBold)
                    open += "\\b", close = "\\b0" + close;
                if (st.style & kUnderline)
                    open += "\\ul", close = "\\ul0" + close;
                if (st.style & kItalic)
                    open += "\\i", close = "\\i0" + close;
                s_ << "\\f" << FontIndex(st) << "\\cf" << ColourIndex(st.colour) << "\\fs"
                   << static_cast<int>(st.size * 2) << " " << open << align << " "
                   << RtfEscaped(p.lines.chars.substr(static_cast<std::size_t>(fr.first),
                                                      static_cast<std::size_t>(fr.count)))
                   << close;
            }
        }
    }

    void ShapeStart(int l, int t, int r, int b) {
        s_ << "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft" << X(l) << "\\shptop" << Y(t)
           << "\\shpright" << X(r) << "\\shpbottom" << Y(b);
    }

    std::string Dashing(int style) const {
        return style >= 1 && style <= 4
                   ? "{\\sp{\\sn lineDashing}{\\sv " + std::to_string(style) + "}}"
                   : std::string();
    }

    void Lines(const TVystPrvek& p) {
        const TSiReportElement& e = *p.look;
        const int l = p.left, t = p.top, r = p.left + p.width, b = p.top + p.height;
        const std::string dashing = Dashing(e.EffectiveLineStyle());
        auto line = [&](int x1, int y1, int x2, int y2, bool flip) {
            ShapeStart(x1, y1, x2, y2);
            s_ << "{\\sp{\\sn shapeType}{\\sv 20}}" << dashing
               << (flip ? "{\\sp{\\sn fFlipV}{\\sv 1}}" : "") << "{\\sp{\\sn lineColor}{\\sv "
               << e.lineColour << "}}{\\sp{\\sn lineWidth}{\\sv " << e.lineWidth * 9144 << "}}}}";
        };
        if (e.options & kBorderTop)
            line(l, t, r, t, false);
        if (e.options & kBorderLeft)
            line(l, t, l, b, false);
        if (e.options & kBorderBottom)
            line(l, b, r, b, false);
        if (e.options & kBorderRight)
            line(r, t, r, b, false);
        if (e.options & kLineRisingDiagonal)
            line(l, t, r, b, true);
        if (e.options & kLineFallingDiagonal)
            line(l, t, r, b, false);
        if (e.options & kLineEllipse) {
            ShapeStart(l, t, r, b);
            s_ << "{\\sp{\\sn shapeType}{\\sv 3}}" << dashing
               << "{\\sp{\\sn fillOpacity}{\\sv 0}}{\\sp{\\sn lineColor}{\\sv " << e.lineColour
               << "}}{\\sp{\\sn lineWidth}{\\sv " << e.lineWidth * 9144 << "}}}}";
        }
    }

    void Shape(const TVystPrvek& p) {
        const TSiReportElement& e = *p.look;
        const int type = e.kind == kRectangle ? 1 : e.kind == kRoundRectangle ? 2 : 3;
        ShapeStart(p.left, p.top, p.left + p.width, p.top + p.height);
        s_ << "\\shpwr3{\\sp{\\sn shapeType}{\\sv " << type << "}}{\\sp{\\sn fillColor}{\\sv "
           << e.fillColour << "}}";
        if (e.lineWidth > 0)
            s_ << "{\\sp{\\sn lineColor}{\\sv " << e.lineColour << "}}{\\sp{\\sn lineWidth}{\\sv "
               << e.lineWidth * 9144 << "}}";
        else
            s_ << "{\\sp{\\sn fLine}{\\sv 0}}";
        s_ << "{\\sp{\\sn fBehindDocument}{\\sv 1}}}}";
    }

    const TSestVystup& out_;
    std::set<FontKey> fonts_;
    std::set<Colour> colours_;
    std::ostringstream s_;
};

}  // namespace

std::string RtfEscaped(const Text& text) {
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text.Code(i);
        if (c < 32)
            continue;
        if (c >= 128) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%x", c);
            s += hex;
        } else if (c == '\\' || c == '{' || c == '}') {
            s += '\\';
            s += static_cast<char>(c);
        } else {
            s += static_cast<char>(c);
        }
    }
    return s;
}

std::string RtfDocument(const TSestVystup& out) {
    return RtfWriter(out).Document();
}

}  // namespace axo::report
