// The line builder behind text layout: characters, tabs and paragraph ends go in one by one
// with the character and paragraph settings in force, laid-out lines come out. Plain text
// (TextLayout.cpp) and the RTF reader (RtfText.cpp) both drive it.
#pragma once

#include <optional>
#include <vector>

#include "report/layout/TextLayout.h"

namespace axo::report {

/// Paragraph settings, indents in twips.
struct TParagraph {
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, numberIndent = 0;
    int alignment = kAlignLeft;
    int tabWidth = 720;
};

class TextBuilder {
  public:
    TextBuilder(const TTextInput& input, TFontMetrics& metrics);
    ~TextBuilder();
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    /// The character settings for the next character.
    const TCharStyle& Chars() const { return chars_; }
    /// The character settings to change (the style of the next character is looked up again).
    TCharStyle& EditChars() {
        lastStyle_ = -1;
        return chars_;
    }
    TParagraph paragraph;

    /// Places one character (step by step as the engine does: measure, advance, break).
    void Put(unsigned char c);
    void Tab();
    void ParagraphEnd();
    /// Ends the text; returns the lines.
    TRadky Finish();
    /// A one-line element has its line; nothing more is taken.
    bool Stopped() const { return stopped_; }

  private:
    /// By style: the face and its text height in sub-units.
    struct StyleMeasures {
        const TFaceMetrics* face;
        int height;
    };
    struct Glyph {
        unsigned char c;
        int x;
        int style;
        int height;
    };
    struct Break {
        std::size_t count;
        int x;
    };

    /// The buffers of the text laid out before, reused.
    struct Spare {
        std::vector<Glyph> glyphs;
        std::vector<StyleMeasures> measures;
    };
    static Spare& Spares();
    int StyleIndex();
    int Available() const;
    void NewLine(bool paragraphStart);
    /// Ends the line at its break opportunity; the characters after it go to the next line.
    void EndAtBreak();
    /// Appends the first `count` glyphs as a line of width `width`.
    void Emit(std::size_t count, int width, bool wrapped);
    int Offset(int width) const;
    static int Sub(int twips) { return twips * kSubUnits / 15; }

    const TTextInput& input_;
    TFontMetrics& metrics_;
    TCharStyle chars_;
    TRadky out_;
    std::vector<StyleMeasures> measures_;
    int W_;
    int pitch_;  ///< sub-units, 0 proportional
    int fixedHeight_;
    // The current line.
    std::vector<Glyph> glyphs_;
    int x_ = 0;
    int height_ = 0;
    bool paragraphStart_ = true;
    bool lineOpen_ = false;
    std::optional<Break> break_;
    bool stopped_ = false;
    int lastStyle_ = -1;  ///< the style of chars_, -1 after a change
};

/// Feeds an RTF text into the builder; a malformed text stops with the lines built so far.
void FeedRtf(const Text& rtf, TextBuilder& builder);

}  // namespace axo::report
