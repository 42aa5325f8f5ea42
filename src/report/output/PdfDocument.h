// The PDF of the pages, written object by object: pages with their drawing as compressed
// content streams, the fonts embedded whole (TrueType in composite fonts addressed by glyph,
// with a character map back to Unicode, so that the text can be copied and searched) and the
// pictures as images. A page is handed to the sink as soon as it is drawn; what stays in
// memory until the end is the list of page objects and the glyphs each font used.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "report/layout/Canvas.h"
#include "report/output/FontFiles.h"

namespace axo::report {

class TPdfDocument {
  public:
    /// Pages of `width` x `height` points; the bytes go to `sink` piece by piece.
    TPdfDocument(std::function<void(std::string_view)> sink, double width, double height);

    /// The resource number of a face (registered on the page being drawn).
    int Font(const TEmbeddedFace& face);
    /// Notes that font `font` shows `glyph` for `unicode` with the advance `width` (1/1000 em).
    void UseGlyph(int font, unsigned glyph, char32_t unicode, int width);
    /// The resource number of a picture file (read and written at its first use); -1 when
    /// it cannot be read.
    int Image(const std::filesystem::path& file);

    /// Ends a page whose drawing is `content` (operators in points).
    void AddPage(const std::string& content);
    /// Writes the fonts, the page tree and the cross-reference table. False (message in
    /// `error`) when a font file cannot be read.
    bool Finish(Text& error);

  private:
    struct FontUse {
        const TEmbeddedFace* face = nullptr;
        int object = 0;  ///< the composite font
        std::map<unsigned, std::pair<char32_t, int>> glyphs;
    };

    int NewObject();
    void BeginObject(int object);
    void Put(std::string_view bytes);
    /// A stream object of `data`, compressed; `extra` goes into its dictionary.
    void Stream(int object, std::string_view data, const std::string& extra = {});
    void WriteFont(const FontUse& font, Text& error);

    std::function<void(std::string_view)> sink_;
    std::string size_;  ///< the media box
    std::uint64_t written_ = 0;
    std::vector<std::uint64_t> offsets_;  ///< by object number, from 1
    std::vector<int> pages_;
    std::vector<FontUse> fonts_;
    std::map<const TEmbeddedFace*, int> fontIndex_;
    std::map<std::filesystem::path, int> imageIndex_;  ///< resource number, -1 unreadable
    std::vector<int> imageObjects_;
    std::set<int> pageFonts_, pageImages_;
};

}  // namespace axo::report
