// The fonts pages are measured and drawn with: the font names templates use (Arial, Times New
// Roman, Courier New, their "CE" variants, MS Sans Serif, Tahoma, the printer's device fonts
// ...) mapped explicitly to the Liberation and DejaVu files, so that widths do not depend on
// what the font configuration of a machine would guess; the real metrics read from those
// files through FreeType; and the faces cairo draws with, taken from the same files.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "report/layout/FontMetrics.h"

typedef struct _cairo_font_face cairo_font_face_t;

namespace axo::report {

/// The family a template's font name is drawn with ("Liberation Sans" ...), the national
/// suffix (" CE" ...) ignored.
std::string FamilyOfFont(const Text& name);
/// The file of a family in a style (kBold, kItalic); empty when it is not installed.
std::filesystem::path FontFile(const std::string& family, int style);

/// What a PDF needs to embed a face: its file and its PostScript name, box and heights in
/// thousandths of its em.
struct TEmbeddedFace {
    std::filesystem::path file;
    std::string postscriptName;
    int box[4] = {0, -200, 1000, 800};
    int ascent = 800, descent = -200, capHeight = 700;
    bool italic = false, fixedPitch = false;
};

class TFontFiles : public TFontMetrics {
  public:
    TFontFiles();
    ~TFontFiles() override;
    TFontFiles(const TFontFiles&) = delete;
    TFontFiles& operator=(const TFontFiles&) = delete;

    const TFaceMetrics& Face(const Text& name, int style) override;
    /// The cairo face of a font name and style; nullptr when no file could be loaded (the
    /// text is then not drawn).
    cairo_font_face_t* CairoFace(const Text& name, int style);
    /// The glyph of a Windows-1250 character in that face.
    unsigned GlyphIndex(const Text& name, int style, unsigned char code);
    /// The face's file and measures for embedding; nullptr when no file could be loaded. The
    /// same face gives the same pointer for the life of this object.
    const TEmbeddedFace* Embedding(const Text& name, int style);
    /// Whether the fonts could be loaded at all; otherwise the Czech reason.
    bool Ready(Text& problem);

  private:
    struct Loaded;
    Loaded& Load(const Text& name, int style);
    void Remember(const Text& name, int style, Loaded* loaded);

    void* library_ = nullptr;  ///< FT_Library
    std::map<std::string, std::unique_ptr<Loaded>> byFile_;
    std::map<std::pair<std::string, int>, Loaded*> byName_;
    TFixedFontMetrics fallback_;
    // The face asked for last.
    Text lastName_;
    int lastStyle_ = -1;
    Loaded* last_ = nullptr;
};

}  // namespace axo::report
