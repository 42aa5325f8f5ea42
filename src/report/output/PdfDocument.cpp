// The PDF document: objects, fonts, images and the cross-reference table.
#include "report/output/PdfDocument.h"

#include <cairo.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "report/output/PdfCanvas.h"

namespace axo::report {

namespace {

constexpr int kCatalog = 1, kPageTree = 2, kInfo = 3;

std::string Deflated(std::string_view data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    // The fastest level: the pages are text drawn once, their size matters less than time.
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                  Z_BEST_SPEED) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

std::string Hex4(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
    return b;
}

/// A Unicode character as UTF-16BE hex digits.
std::string Utf16Hex(char32_t c) {
    if (c < 0x10000)
        return Hex4(c);
    c -= 0x10000;
    return Hex4(0xD800 + (c >> 10)) + Hex4(0xDC00 + (c & 0x3FF));
}

}  // namespace

TPdfDocument::TPdfDocument(std::function<void(std::string_view)> sink, double width, double height)
    : sink_(std::move(sink)), offsets_(3, 0) {
    std::string box = "[0 0 ";
    AppendPdfNumber(box, width);
    box += ' ';
    AppendPdfNumber(box, height);
    size_ = box + "]";
    Put("%PDF-1.5\n%\xE2\xE3\xCF\xD3\n");
}

int TPdfDocument::NewObject() {
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size());
}

void TPdfDocument::Put(std::string_view bytes) {
    written_ += bytes.size();
    sink_(bytes);
}

void TPdfDocument::BeginObject(int object) {
    offsets_[static_cast<std::size_t>(object - 1)] = written_;
    Put(std::to_string(object) + " 0 obj\n");
}

void TPdfDocument::Stream(int object, std::string_view data, const std::string& extra) {
    const std::string packed = Deflated(data);
    BeginObject(object);
    if (packed.empty() && !data.empty()) {
        Put("<< /Length " + std::to_string(data.size()) + extra + " >>\nstream\n");
        Put(data);
    } else {
        Put("<< /Length " + std::to_string(packed.size()) + " /Filter /FlateDecode" + extra +
            " >>\nstream\n");
        Put(packed);
    }
    Put("\nendstream\nendobj\n");
}

int TPdfDocument::Font(const TEmbeddedFace& face) {
    auto [it, added] = fontIndex_.try_emplace(&face, static_cast<int>(fonts_.size()));
    if (added) {
        FontUse use;
        use.face = &face;
        use.object = NewObject();
        fonts_.push_back(std::move(use));
    }
    pageFonts_.insert(it->second);
    return it->second;
}

void TPdfDocument::UseGlyph(int font, unsigned glyph, char32_t unicode, int width) {
    fonts_[static_cast<std::size_t>(font)].glyphs.try_emplace(glyph, unicode, width);
}

int TPdfDocument::Image(const std::filesystem::path& file) {
    if (const auto it = imageIndex_.find(file); it != imageIndex_.end()) {
        if (it->second >= 0)
            pageImages_.insert(it->second);
        return it->second;
    }
    int& index = imageIndex_[file];
    index = -1;
    cairo_surface_t* image = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
        cairo_image_surface_get_format(image) != CAIRO_FORMAT_INVALID) {
        cairo_surface_t* argb =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(image),
                                       cairo_image_surface_get_height(image));
        cairo_t* cr = cairo_create(argb);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(argb);
        const int w = cairo_image_surface_get_width(argb);
        const int h = cairo_image_surface_get_height(argb);
        const int stride = cairo_image_surface_get_stride(argb);
        const unsigned char* data = cairo_image_surface_get_data(argb);
        std::string rgb, alpha;
        bool transparent = false;
        if (w > 0 && h > 0 && data) {
            rgb.reserve(static_cast<std::size_t>(w) * h * 3);
            alpha.reserve(static_cast<std::size_t>(w) * h);
            for (int y = 0; y < h; ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
                for (int x = 0; x < w; ++x) {
                    const std::uint32_t p = row[x];
                    const unsigned a = p >> 24;
                    // Cairo keeps the colours multiplied by the opacity.
                    const auto channel = [a](unsigned v) {
                        return static_cast<char>(a == 0 ? 255 : std::min(255u, v * 255 / a));
                    };
                    rgb += channel((p >> 16) & 0xFF);
                    rgb += channel((p >> 8) & 0xFF);
                    rgb += channel(p & 0xFF);
                    alpha += static_cast<char>(a);
                    transparent = transparent || a != 255;
                }
            }
            const std::string common = " /Type /XObject /Subtype /Image /Width " +
                                       std::to_string(w) + " /Height " + std::to_string(h) +
                                       " /BitsPerComponent 8";
            std::string mask;
            if (transparent) {
                const int m = NewObject();
                Stream(m, alpha, common + " /ColorSpace /DeviceGray");
                mask = " /SMask " + std::to_string(m) + " 0 R";
            }
            const int object = NewObject();
            Stream(object, rgb, common + " /ColorSpace /DeviceRGB" + mask);
            index = static_cast<int>(imageObjects_.size());
            imageObjects_.push_back(object);
        }
        cairo_surface_destroy(argb);
    }
    cairo_surface_destroy(image);
    if (index >= 0)
        pageImages_.insert(index);
    return index;
}

void TPdfDocument::AddPage(const std::string& content) {
    const int contents = NewObject();
    Stream(contents, content);
    const int page = NewObject();
    BeginObject(page);
    std::string d = "<< /Type /Page /Parent 2 0 R /MediaBox " + size_ + " /Resources <<";
    if (!pageFonts_.empty()) {
        d += " /Font <<";
        for (int f : pageFonts_)
            d += " /F" + std::to_string(f) + " " +
                 std::to_string(fonts_[static_cast<std::size_t>(f)].object) + " 0 R";
        d += " >>";
    }
    if (!pageImages_.empty()) {
        d += " /XObject <<";
        for (int i : pageImages_)
            d += " /Im" + std::to_string(i) + " " +
                 std::to_string(imageObjects_[static_cast<std::size_t>(i)]) + " 0 R";
        d += " >>";
    }
    d += " >> /Contents " + std::to_string(contents) + " 0 R >>\nendobj\n";
    Put(d);
    pages_.push_back(page);
    pageFonts_.clear();
    pageImages_.clear();
}

void TPdfDocument::WriteFont(const FontUse& font, Text& error) {
    const TEmbeddedFace& face = *font.face;
    std::ifstream in(face.file, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        error = "Písmo "_t + FromUtf8(face.file.string()) + " nelze přečíst."_t;
    const int program = NewObject();
    Stream(program, file, " /Length1 " + std::to_string(file.size()));

    const int descriptor = NewObject();
    BeginObject(descriptor);
    const int flags = (face.fixedPitch ? 1 : 0) | 32 | (face.italic ? 64 : 0);
    Put("<< /Type /FontDescriptor /FontName /" + face.postscriptName + " /Flags " +
        std::to_string(flags) + " /FontBBox [" + std::to_string(face.box[0]) + " " +
        std::to_string(face.box[1]) + " " + std::to_string(face.box[2]) + " " +
        std::to_string(face.box[3]) + "] /ItalicAngle " + (face.italic ? "-12" : "0") +
        " /Ascent " + std::to_string(face.ascent) + " /Descent " + std::to_string(face.descent) +
        " /CapHeight " + std::to_string(face.capHeight) + " /StemV 80 /FontFile2 " +
        std::to_string(program) + " 0 R >>\nendobj\n");

    const int cid = NewObject();
    BeginObject(cid);
    std::string widths;
    for (const auto& [glyph, use] : font.glyphs)
        widths += std::to_string(glyph) + " [" + std::to_string(use.second) + "] ";
    Put("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + face.postscriptName +
        " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
        " /FontDescriptor " +
        std::to_string(descriptor) + " 0 R /CIDToGIDMap /Identity /DW 1000 /W [" + widths +
        "] >>\nendobj\n");

    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<unsigned, char32_t>> map;
    for (const auto& [glyph, use] : font.glyphs)
        map.emplace_back(glyph, use.first);
    for (std::size_t i = 0; i < map.size(); i += 100) {
        const std::size_t n = std::min<std::size_t>(100, map.size() - i);
        cmap += std::to_string(n) + " beginbfchar\n";
        for (std::size_t k = i; k < i + n; ++k)
            cmap += "<" + Hex4(map[k].first) + "> <" + Utf16Hex(map[k].second) + ">\n";
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    const int unicode = NewObject();
    Stream(unicode, cmap);

    BeginObject(font.object);
    Put("<< /Type /Font /Subtype /Type0 /BaseFont /" + face.postscriptName +
        " /Encoding /Identity-H /DescendantFonts [" + std::to_string(cid) + " 0 R] /ToUnicode " +
        std::to_string(unicode) + " 0 R >>\nendobj\n");
}

bool TPdfDocument::Finish(Text& error) {
    if (pages_.empty())
        AddPage({});  // a PDF holds at least one page
    for (const FontUse& font : fonts_)
        WriteFont(font, error);
    BeginObject(kPageTree);
    std::string kids;
    for (int p : pages_)
        kids += std::to_string(p) + " 0 R ";
    Put("<< /Type /Pages /Count " + std::to_string(pages_.size()) + " /Kids [" + kids +
        "] >>\nendobj\n");
    BeginObject(kCatalog);
    Put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    BeginObject(kInfo);
    Put("<< /Creator (AXO_PAP) /Producer (AXO_PAP) >>\nendobj\n");
    const std::uint64_t xref = written_;
    std::string table =
        "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (std::uint64_t offset : offsets_) {
        char line[24];
        std::snprintf(line, sizeof line, "%010llu 00000 n \n",
                      static_cast<unsigned long long>(offset));
        table += line;
    }
    table += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) +
             " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    Put(table);
    return error.empty();
}

}  // namespace axo::report
