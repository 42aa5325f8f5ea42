// EMF and WMF records of a page.
#include "report/output/MetafileOutput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "report/layout/Canvas.h"
#include "report/output/OutputFiles.h"
#include "report/output/PageDraw.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

constexpr int kDots = 6;  // dots a unit: 600 per inch

// EMF record types.
enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_MOVETOEX = 27,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_LINETO = 54,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
};
// WMF record functions.
enum : std::uint16_t {
    META_EOF = 0x0000,
    META_SETBKMODE = 0x0102,
    META_SETTEXTALIGN = 0x012E,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_ROUNDRECT = 0x061C,
    META_EXTTEXTOUT = 0x0A32,
};
constexpr std::uint32_t kNullBrush = 0x80000005;
constexpr std::uint32_t kNullPen = 0x80000008;
constexpr int kTransparent = 1;
constexpr int kTaBaseline = 24;

class Bytes {
  public:
    void U8(unsigned v) { s.push_back(static_cast<char>(v & 0xFF)); }
    void U16(unsigned v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I16(int v) {
        U16(static_cast<unsigned>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767))));
    }
    void I32(int v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        U32(u);
    }
    void Pad(std::size_t to) {
        while (s.size() % to)
            U8(0);
    }
    std::string s;
};

/// A canvas writing metafile records at 600 dots per inch.
class MetafileCanvas : public TCanvas {
  public:
    MetafileCanvas(bool enhanced, int width, int height)
        : emf_(enhanced), width_(width * kDots), height_(height * kDots) {
        if (emf_) {
            Record(EMR_SETBKMODE, [](Bytes& b) { b.U32(kTransparent); });
            Record(EMR_SETTEXTALIGN, [](Bytes& b) { b.U32(kTaBaseline); });
        } else {
            Meta(META_SETWINDOWORG, [](Bytes& b) { b.I16(0), b.I16(0); });
            Meta(META_SETWINDOWEXT, [this](Bytes& b) { b.I16(height_), b.I16(width_); });
            Meta(META_SETBKMODE, [](Bytes& b) { b.U16(kTransparent); });
            Meta(META_SETTEXTALIGN, [](Bytes& b) { b.U16(kTaBaseline); });
        }
    }

    void Line(TPoint from, TPoint to, const TPen& pen) override {
        if (pen.style == kPenClear)
            return;
        SelectPen(&pen);
        if (emf_) {
            Record(EMR_MOVETOEX, [&](Bytes& b) { b.I32(D(from.x)), b.I32(D(from.y)); });
            Record(EMR_LINETO, [&](Bytes& b) { b.I32(D(to.x)), b.I32(D(to.y)); });
        } else {
            Meta(META_MOVETO, [&](Bytes& b) { b.I16(D(from.y)), b.I16(D(from.x)); });
            Meta(META_LINETO, [&](Bytes& b) { b.I16(D(to.y)), b.I16(D(to.x)); });
        }
    }
    void Rectangle(double x, double y, double w, double h, const TPen* pen,
                   const TBrush* brush) override {
        Shape(EMR_RECTANGLE, META_RECTANGLE, x, y, w, h, 0, pen, brush);
    }
    void RoundRect(double x, double y, double w, double h, double radius, const TPen* pen,
                   const TBrush* brush) override {
        Shape(EMR_ROUNDRECT, META_ROUNDRECT, x, y, w, h, D(2 * radius), pen, brush);
    }
    void Ellipse(double x, double y, double w, double h, const TPen* pen,
                 const TBrush* brush) override {
        Shape(EMR_ELLIPSE, META_ELLIPSE, x, y, w, h, 0, pen, brush);
    }
    void Polygon(const std::vector<TPoint>& points, Colour fill) override {
        if (points.empty())
            return;
        const TBrush brush{fill, kBrushSolid};
        SelectPen(nullptr);
        SelectBrush(&brush);
        if (emf_) {
            Record(EMR_POLYGON, [&](Bytes& b) {
                Bounds(b, points);
                b.U32(static_cast<std::uint32_t>(points.size()));
                for (const TPoint& p : points)
                    b.I32(D(p.x)), b.I32(D(p.y));
            });
        } else {
            Meta(META_POLYGON, [&](Bytes& b) {
                b.I16(static_cast<int>(points.size()));
                for (const TPoint& p : points)
                    b.I16(D(p.x)), b.I16(D(p.y));
            });
        }
    }
    void Glyphs(const TGlyphRun& run) override;
    void Picture(const fs::path&, double, double, double, double) override {}

    std::string Finish();

  private:
    static int D(double units) { return static_cast<int>(std::lround(units * kDots)); }

    template <typename F>
    void Record(std::uint32_t type, F&& body) {
        Bytes b;
        body(b);
        b.Pad(4);
        records_.U32(type);
        records_.U32(static_cast<std::uint32_t>(b.s.size() + 8));
        records_.s += b.s;
        ++count_;
    }
    template <typename F>
    void Meta(std::uint16_t function, F&& body) {
        Bytes b;
        body(b);
        b.Pad(2);
        const std::uint32_t words = static_cast<std::uint32_t>(b.s.size() / 2 + 3);
        records_.U32(words);
        records_.U16(function);
        records_.s += b.s;
        largest_ = std::max(largest_, words);
    }

    static void Bounds(Bytes& b, const std::vector<TPoint>& points) {
        double l = points[0].x, t = points[0].y, r = l, bt = t;
        for (const TPoint& p : points) {
            l = std::min(l, p.x), r = std::max(r, p.x);
            t = std::min(t, p.y), bt = std::max(bt, p.y);
        }
        b.I32(D(l)), b.I32(D(t)), b.I32(D(r)), b.I32(D(bt));
    }

    /// Creates an object in a free slot, selects it and deletes the one it replaces.
    template <typename F>
    void Object(int& slot, std::uint32_t emrType, std::uint16_t metaFunction, F&& body) {
        const int old = slot;
        if (emf_) {
            // EMF: slot 1 pen, 2 brush, 3 font, freed by selecting a stock object first.
            const int handle = emrType == EMR_CREATEPEN             ? 1
                               : emrType == EMR_CREATEBRUSHINDIRECT ? 2
                                                                    : 3;
            if (old > 0) {
                if (handle != 3)
                    Record(EMR_SELECTOBJECT,
                           [&](Bytes& b) { b.U32(handle == 1 ? kNullPen : kNullBrush); });
                Record(EMR_DELETEOBJECT,
                       [&](Bytes& b) { b.U32(static_cast<std::uint32_t>(handle)); });
            }
            Record(emrType, [&](Bytes& b) {
                b.U32(static_cast<std::uint32_t>(handle));
                body(b);
            });
            Record(EMR_SELECTOBJECT, [&](Bytes& b) { b.U32(static_cast<std::uint32_t>(handle)); });
            slot = handle;
            return;
        }
        int free = 0;
        while (free < static_cast<int>(used_.size()) && used_[static_cast<std::size_t>(free)])
            ++free;
        if (free == static_cast<int>(used_.size()))
            used_.push_back(false);
        used_[static_cast<std::size_t>(free)] = true;
        Meta(metaFunction, body);
        Meta(META_SELECTOBJECT, [&](Bytes& b) { b.U16(static_cast<unsigned>(free)); });
        if (old > 0) {
            Meta(META_DELETEOBJECT, [&](Bytes& b) { b.U16(static_cast<unsigned>(old - 1)); });
            used_[static_cast<std::size_t>(old - 1)] = false;
        }
        slot = free + 1;
    }

    void SelectPen(const TPen* pen) {
        const int style = pen ? (pen->style == kPenInsideFrame ? 6 : pen->style) : kPenClear;
        const int width = pen ? std::max(1, D(pen->width)) : 1;
        const Colour colour = pen ? std::max(pen->colour, 0) : 0;
        if (penSlot_ > 0 && style == penStyle_ && width == penWidth_ && colour == penColour_)
            return;
        penStyle_ = style, penWidth_ = width, penColour_ = colour;
        Object(penSlot_, EMR_CREATEPEN, META_CREATEPENINDIRECT, [&](Bytes& b) {
            if (emf_) {
                b.U32(static_cast<std::uint32_t>(style));
                b.I32(width), b.I32(0);
                b.U32(static_cast<std::uint32_t>(colour));
            } else {
                b.U16(static_cast<unsigned>(style));
                b.I16(width), b.I16(0);
                b.U32(static_cast<std::uint32_t>(colour));
            }
        });
    }
    void SelectBrush(const TBrush* brush) {
        const int style = brush ? (brush->style == kBrushClear ? 1 : 0) : 1;
        const Colour colour = brush ? std::max(brush->colour, 0) : 0;
        if (brushSlot_ > 0 && style == brushStyle_ && colour == brushColour_)
            return;
        brushStyle_ = style, brushColour_ = colour;
        Object(brushSlot_, EMR_CREATEBRUSHINDIRECT, META_CREATEBRUSHINDIRECT, [&](Bytes& b) {
            b.U32(static_cast<std::uint32_t>(style));
            b.U32(static_cast<std::uint32_t>(colour));
            if (emf_)
                b.U32(0);
            else
                b.U16(0);
        });
    }

    void Shape(std::uint32_t emr, std::uint16_t meta, double x, double y, double w, double h,
               int corner, const TPen* pen, const TBrush* brush) {
        SelectPen(pen);
        SelectBrush(brush);
        const int l = D(x), t = D(y), r = D(x + w), b = D(y + h);
        if (emf_) {
            Record(emr, [&](Bytes& o) {
                o.I32(l), o.I32(t), o.I32(r), o.I32(b);
                if (emr == EMR_ROUNDRECT)
                    o.I32(corner), o.I32(corner);
            });
        } else {
            Meta(meta, [&](Bytes& o) {
                if (meta == META_ROUNDRECT)
                    o.I16(corner), o.I16(corner);
                o.I16(b), o.I16(r), o.I16(t), o.I16(l);
            });
        }
    }

    bool emf_;
    int width_, height_;
    Bytes records_;
    int count_ = 0;
    std::uint32_t largest_ = 0;
    std::vector<bool> used_;
    int penSlot_ = 0, brushSlot_ = 0, fontSlot_ = 0;
    int penStyle_ = -1, penWidth_ = -1;
    Colour penColour_ = -1;
    int brushStyle_ = -1;
    Colour brushColour_ = -1;
    Colour textColour_ = -1;
    std::string fontKey_;
};

void MetafileCanvas::Glyphs(const TGlyphRun& run) {
    if (!run.style || run.chars.empty() || run.x.empty())
        return;
    const TCharStyle& s = *run.style;
    const int height = -D(s.size * kUnitsPerInch / 72.0);
    const int escapement = static_cast<int>(std::lround(run.angle * 10));
    const std::string face = ToUtf8(s.face).substr(0, 31);
    const std::string key = face + "|" + std::to_string(height) + "|" + std::to_string(s.style) +
                            "|" + std::to_string(escapement) + "|" + std::to_string(s.charset);
    if (key != fontKey_) {
        fontKey_ = key;
        Object(fontSlot_, EMR_EXTCREATEFONTINDIRECTW, META_CREATEFONTINDIRECT, [&](Bytes& b) {
            auto common = [&](auto put) {
                put(height), put(0), put(escapement), put(escapement);
                put((s.style & kBold) ? 700 : 400);
            };
            if (emf_)
                common([&](int v) { b.I32(v); });
            else
                common([&](int v) { b.I16(v); });
            b.U8((s.style & kItalic) ? 1 : 0);
            b.U8((s.style & kUnderline) ? 1 : 0);
            b.U8((s.style & kStrikeOut) ? 1 : 0);
            b.U8(static_cast<unsigned>(s.charset));
            b.U8(0), b.U8(0), b.U8(0), b.U8(0);
            if (emf_) {
                std::string utf16;
                for (std::size_t i = 0; i < 32; ++i) {
                    const char32_t cp = i < s.face.size() ? Cp1250ToUnicode(s.face.Code(i)) : 0;
                    b.U16(i < 31 ? static_cast<unsigned>(cp) : 0);
                }
            } else {
                for (std::size_t i = 0; i < 32; ++i)
                    b.U8(i < 31 && i < s.face.size() ? s.face.Code(i) : 0);
            }
        });
    }
    const Colour colour = std::max(s.colour, 0);
    if (colour != textColour_) {
        textColour_ = colour;
        if (emf_)
            Record(EMR_SETTEXTCOLOR, [&](Bytes& b) { b.U32(static_cast<std::uint32_t>(colour)); });
        else
            Meta(META_SETTEXTCOLOR, [&](Bytes& b) { b.U32(static_cast<std::uint32_t>(colour)); });
    }
    const std::size_t n = run.chars.size();
    std::vector<int> dx(n, 0);
    for (std::size_t i = 0; i + 1 < n && i + 1 < run.x.size(); ++i)
        dx[i] = D(run.x[i + 1]) - D(run.x[i]);
    const int x = D(run.x[0]);
    const int y = D(run.baseline);
    if (emf_) {
        Record(EMR_EXTTEXTOUTW, [&](Bytes& b) {
            b.I32(0), b.I32(0), b.I32(-1), b.I32(-1);  // bounds not computed
            b.U32(1);                                  // GM_COMPATIBLE
            b.F32(0), b.F32(0);
            const std::uint32_t offString = 76;
            const std::uint32_t offDx = offString + static_cast<std::uint32_t>((2 * n + 3) / 4 * 4);
            b.I32(x), b.I32(y);
            b.U32(static_cast<std::uint32_t>(n));
            b.U32(offString);
            b.U32(0);
            b.I32(0), b.I32(0), b.I32(-1), b.I32(-1);
            b.U32(offDx);
            for (std::size_t i = 0; i < n; ++i)
                b.U16(static_cast<unsigned>(Cp1250ToUnicode(run.chars.Code(i))));
            b.Pad(4);
            for (int d : dx)
                b.I32(d);
        });
    } else {
        Meta(META_EXTTEXTOUT, [&](Bytes& b) {
            b.I16(y), b.I16(x);
            b.I16(static_cast<int>(n));
            b.U16(0);
            b.s += run.chars.Bytes();
            b.Pad(2);
            for (int d : dx)
                b.I16(d);
        });
    }
}

std::string MetafileCanvas::Finish() {
    Bytes file;
    if (emf_) {
        Record(EMR_EOF, [](Bytes& b) { b.U32(0), b.U32(16), b.U32(20); });
        const std::uint32_t headerSize = 108;
        const std::uint32_t total = headerSize + static_cast<std::uint32_t>(records_.s.size());
        file.U32(EMR_HEADER);
        file.U32(headerSize);
        file.I32(0), file.I32(0), file.I32(width_ - 1), file.I32(height_ - 1);  // bounds
        // The frame in hundredths of a millimetre.
        file.I32(0), file.I32(0);
        file.I32(static_cast<int>(std::lround(width_ * 2540.0 / 600)));
        file.I32(static_cast<int>(std::lround(height_ * 2540.0 / 600)));
        file.U32(0x464D4520);  // " EMF"
        file.U32(0x10000);
        file.U32(total);
        file.U32(static_cast<std::uint32_t>(count_ + 1));
        file.U16(4);  // handles: the table's own slot, pen, brush, font
        file.U16(0);
        file.U32(0), file.U32(0), file.U32(0);  // no description, no palette
        file.I32(width_), file.I32(height_);    // the reference device in dots
        file.I32(static_cast<int>(std::lround(width_ * 25.4 / 600)));
        file.I32(static_cast<int>(std::lround(height_ * 25.4 / 600)));
        file.U32(0), file.U32(0), file.U32(0);  // no pixel format, no OpenGL
        file.I32(static_cast<int>(std::lround(width_ * 25400.0 / 600)));
        file.I32(static_cast<int>(std::lround(height_ * 25400.0 / 600)));
        return file.s + records_.s;
    }
    Meta(META_EOF, [](Bytes&) {});
    // The placeable header: key, bounding box in dots, 600 dots per inch, checksum.
    Bytes placeable;
    placeable.U32(0x9AC6CDD7);
    placeable.U16(0);
    placeable.I16(0), placeable.I16(0), placeable.I16(width_), placeable.I16(height_);
    placeable.U16(600);
    placeable.U32(0);
    unsigned checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<unsigned char>(placeable.s[i]) |
                    (static_cast<unsigned char>(placeable.s[i + 1]) << 8);
    placeable.U16(checksum);
    const std::uint32_t words = 9 + static_cast<std::uint32_t>(records_.s.size() / 2);
    file.U16(1);  // in memory
    file.U16(9);
    file.U16(0x300);
    file.U32(words);
    file.U16(static_cast<unsigned>(std::max<std::size_t>(used_.size(), 1)));
    file.U32(largest_);
    file.U16(0);
    return placeable.s + file.s + records_.s;
}

}  // namespace

std::string PageMetafile(const TSestVystup& out, TFontMetrics& metrics, int page, bool enhanced) {
    if (page < 1 || page > out.PageCount())
        return {};
    MetafileCanvas canvas(enhanced, out.printableWidth, out.printableHeight);
    DrawPage(out.pages[static_cast<std::size_t>(page - 1)], canvas, metrics);
    return canvas.Finish();
}

bool WriteMetafilePages(const TSestVystup& out, TFontMetrics& metrics, const fs::path& dir,
                        bool enhanced, std::vector<fs::path>& written, Text& error,
                        const std::string& stem) {
    for (int p = 1; p <= out.PageCount(); ++p) {
        const fs::path file = dir / (stem + std::to_string(p) + (enhanced ? ".emf" : ".wmf"));
        if (!WriteOutputFile(file, PageMetafile(out, metrics, p, enhanced), error))
            return false;
        written.push_back(file);
    }
    return true;
}

fs::path MetafilePageName(const fs::path& chosen, int n, bool& enhanced) {
    enhanced = !HasExtension(chosen, ".wmf");
    return NumberedName(chosen, n);
}

}  // namespace axo::report
