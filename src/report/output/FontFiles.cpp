// Font files: the name map, FreeType metrics and cairo faces.
#include "report/output/FontFiles.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "report/model/Units.h"

namespace axo::report {

namespace fs = std::filesystem;

namespace {

struct FamilyFiles {
    const char* family;
    const char* files[4];  ///< regular, bold, italic, bold italic
};

const FamilyFiles kFamilies[] = {
    {"Liberation Sans",
     {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
      "LiberationSans-BoldItalic.ttf"}},
    {"Liberation Sans Narrow",
     {"LiberationSansNarrow-Regular.ttf", "LiberationSansNarrow-Bold.ttf",
      "LiberationSansNarrow-Italic.ttf", "LiberationSansNarrow-BoldItalic.ttf"}},
    {"Liberation Serif",
     {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
      "LiberationSerif-BoldItalic.ttf"}},
    {"Liberation Mono",
     {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
      "LiberationMono-BoldItalic.ttf"}},
    {"DejaVu Sans",
     {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
      "DejaVuSans-BoldOblique.ttf"}},
};

/// Template font names (lower case, without a national suffix) and their families.
const std::pair<const char*, const char*> kNames[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},
    {"verdana", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"small fonts", "Liberation Sans"},
    {"arial narrow", "Liberation Sans Narrow"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
    {"terminal", "Liberation Mono"},
    {"symbol", "DejaVu Sans"},
    {"wingdings", "DejaVu Sans"},
};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* const kFontDirectories[] = {
    "/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/ttf-dejavu"};

/// The file fontconfig has for exactly this family and style; empty when the family it finds
/// is another one.
fs::path FontconfigFile(const std::string& family, int style) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & kBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & kItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    fs::path file;
    FcChar8* found = nullptr;
    FcChar8* foundFamily = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &foundFamily) == FcResultMatch &&
        family == reinterpret_cast<const char*>(foundFamily) &&
        FcPatternGetString(match, FC_FILE, 0, &found) == FcResultMatch)
        file = reinterpret_cast<const char*>(found);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

}  // namespace

std::string FamilyOfFont(const Text& name) {
    Text plain = name;
    if (const auto stripped = StripNationalSuffix(name))
        plain = stripped->name;
    if (const auto device = DeviceFontOf(name))
        plain = device->screenFace;
    std::string lower = Lower(ToUtf8(plain));
    while (!lower.empty() && lower.back() == ' ')
        lower.pop_back();
    if (lower.rfind("device font", 0) == 0)
        return "Liberation Mono";
    for (const auto& [font, family] : kNames)
        if (lower == font)
            return family;
    for (const FamilyFiles& f : kFamilies)
        if (lower == Lower(f.family))
            return f.family;
    return "Liberation Sans";
}

fs::path FontFile(const std::string& family, int style) {
    const int variant = ((style & kBold) ? 1 : 0) + ((style & kItalic) ? 2 : 0);
    for (const FamilyFiles& f : kFamilies) {
        if (family != f.family)
            continue;
        std::error_code ec;
        if (const char* dir = std::getenv("AXO_FONT_DIR"))
            if (fs::exists(fs::path(dir) / f.files[variant], ec))
                return fs::path(dir) / f.files[variant];
        for (const char* dir : kFontDirectories)
            if (fs::exists(fs::path(dir) / f.files[variant], ec))
                return fs::path(dir) / f.files[variant];
    }
    return FontconfigFile(family, style);
}

struct TFontFiles::Loaded {
    FT_Face face = nullptr;
    cairo_font_face_t* cairo = nullptr;
    TFaceMetrics metrics;
    std::array<unsigned, 256> glyphs{};
    TEmbeddedFace embedding;
};

TFontFiles::TFontFiles() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        library_ = library;
}

TFontFiles::~TFontFiles() {
    for (auto& [file, loaded] : byFile_) {
        if (loaded->cairo)
            cairo_font_face_destroy(loaded->cairo);
        if (loaded->face)
            FT_Done_Face(loaded->face);
    }
    byFile_.clear();
    if (library_)
        FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool TFontFiles::Ready(Text& problem) {
    if (!library_) {
        problem = "Knihovnu písem FreeType nelze spustit."_t;
        return false;
    }
    if (FontFile("Liberation Sans", 0).empty()) {
        problem = "Chybí písmo Liberation Sans (balík fonts-liberation)."_t;
        return false;
    }
    return true;
}

TFontFiles::Loaded& TFontFiles::Load(const Text& name, int style) {
    style &= kBold | kItalic;
    // Texts and pages ask for one face many times in a row.
    if (last_ && lastStyle_ == style && lastName_ == name)
        return *last_;
    auto key = std::make_pair(name.Bytes(), style);
    if (const auto it = byName_.find(key); it != byName_.end()) {
        Remember(name, style, it->second);
        return *it->second;
    }
    const std::string family = FamilyOfFont(name);
    fs::path file = FontFile(family, style);
    if (file.empty())
        file = FontFile("Liberation Sans", style);
    std::unique_ptr<Loaded>& loaded = byFile_[file.string()];
    if (!loaded) {
        loaded = std::make_unique<Loaded>();
        loaded->metrics = fallback_.Face(name, style);
        FT_Face face = nullptr;
        if (library_ && !file.empty() &&
            FT_New_Face(static_cast<FT_Library>(library_), file.c_str(), 0, &face) == 0) {
            loaded->face = face;
            const double em = face->units_per_EM > 0 ? face->units_per_EM : 2048;
            for (int code = 0; code < 256; ++code) {
                const char32_t cp = Cp1250ToUnicode(static_cast<unsigned char>(code));
                FT_UInt glyph = code < 32 ? 0 : FT_Get_Char_Index(face, cp);
                loaded->glyphs[static_cast<std::size_t>(code)] = glyph;
                double advance = 0;
                if (code >= 32 && FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0)
                    advance = face->glyph->metrics.horiAdvance / em;
                loaded->metrics.advance[static_cast<std::size_t>(code)] = advance;
            }
            const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
                loaded->metrics.ascent = os2->usWinAscent / em;
                loaded->metrics.descent = os2->usWinDescent / em;
            } else {
                loaded->metrics.ascent = face->ascender / em;
                loaded->metrics.descent = -face->descender / em;
            }
            loaded->cairo = cairo_ft_font_face_create_for_ft_face(face, 0);
            TEmbeddedFace& m = loaded->embedding;
            m.file = file;
            const char* ps = FT_Get_Postscript_Name(face);
            for (const char* c = ps ? ps : "Font"; *c; ++c)
                if (*c > ' ' && *c < 127 && !std::strchr("()<>[]{}/%#", *c))
                    m.postscriptName += *c;
            const auto thousandths = [em](double v) { return static_cast<int>(v * 1000 / em); };
            m.box[0] = thousandths(face->bbox.xMin);
            m.box[1] = thousandths(face->bbox.yMin);
            m.box[2] = thousandths(face->bbox.xMax);
            m.box[3] = thousandths(face->bbox.yMax);
            m.ascent = thousandths(face->ascender);
            m.descent = thousandths(face->descender);
            m.capHeight = os2 && os2->sCapHeight > 0 ? thousandths(os2->sCapHeight) : m.ascent;
            m.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
            m.fixedPitch = FT_IS_FIXED_WIDTH(face);
        }
    }
    byName_[key] = loaded.get();
    Remember(name, style, loaded.get());
    return *loaded;
}

void TFontFiles::Remember(const Text& name, int style, Loaded* loaded) {
    lastName_ = name;
    lastStyle_ = style;
    last_ = loaded;
}

const TFaceMetrics& TFontFiles::Face(const Text& name, int style) {
    return Load(name, style).metrics;
}

cairo_font_face_t* TFontFiles::CairoFace(const Text& name, int style) {
    return Load(name, style).cairo;
}

const TEmbeddedFace* TFontFiles::Embedding(const Text& name, int style) {
    Loaded& loaded = Load(name, style);
    return loaded.face ? &loaded.embedding : nullptr;
}

unsigned TFontFiles::GlyphIndex(const Text& name, int style, unsigned char code) {
    return Load(name, style).glyphs[code];
}

}  // namespace axo::report
