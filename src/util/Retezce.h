// Text shaping of Windows-1250 texts: fixed widths for list lines and printouts, trimming,
// character removal and replacement, upper-casing with the Czech capitals, the folding behind key
// texts and sorting, mask matching and comparing numbers at a number of decimals.
//
// Texts are short: no helper here makes a text longer than 255 characters. Widths above 255 count
// as 255, and the helpers without a width never lengthen a text.
#pragma once

#include <cstddef>

#include "util/Text.h"

namespace axo {

/// The longest text a short-text field or a helper result holds.
inline constexpr std::size_t kMaxShortText = 255;

/// `n` copies of `ch` (at most 255).
Text Repeat(char ch, std::size_t n);
/// `n` blanks (at most 255).
Text Blanks(std::size_t n);

/// The text cut to `n` characters, then padded on the right with blanks to exactly `n`.
Text LeftJustify(const Text& text, std::size_t n);
/// The text cut to its first `n` characters, then padded on the left with blanks to exactly `n`
/// ("ABCDEF" in 4 gives "ABCD").
Text RightJustify(const Text& text, std::size_t n);
/// As `RightJustify`, but a text longer than `n` loses its leading and trailing blanks before it
/// is cut, so that "  12" still shows "12" in 2 characters.
Text RightJustifyTrimmed(const Text& text, std::size_t n);

/// Where `JustifyWithChar` puts the text; the values are the alignment codes callers store.
enum class Alignment : int {
    kLeft = 0,    ///< padded on the right
    kRight = 1,   ///< padded on the left
    kCentre = 2,  ///< padded on both sides, the smaller half on the left
};

/// The text padded with `fill` to `n` visible characters. A "~" marks the hot key of a caption and
/// takes no place, so it is not counted; a text with more than `n` visible characters is cut after
/// the n-th. An alignment code outside 0-2 pads on the right.
Text JustifyWithChar(const Text& text, std::size_t n, char fill, Alignment alignment);

/// The form a text field takes in a key: trailing blanks removed, padded with blanks or cut to
/// `n`, upper-cased with the Czech capitals, then collation-folded (`CollationFold`).
Text FixedKeyText(const Text& text, std::size_t n);

/// The text without its leading blanks (other white space stays).
Text TrimLeft(const Text& text);
/// The text without its trailing blanks (other white space stays).
Text TrimRight(const Text& text);
/// The text without its leading and trailing blanks.
Text Trim(const Text& text);

/// The text without any occurrence of `ch`.
Text RemoveChar(const Text& text, char ch);
/// The text without any blank.
Text RemoveBlanks(const Text& text);
/// The text with every `from` replaced by `to` (blanks by "0", "," by "." and the like).
Text ReplaceChar(const Text& text, char from, char to);

/// a-z turned into A-Z; every other character, accented letters included, stays.
Text UpperCase(const Text& text);
/// a-z and the small letters á ä č ď é ë ě í ň ó ő ö ř š ť ú ů ű ü ý ž turned into their
/// capitals; every other character stays.
Text NationalUpperCase(const Text& text);
/// The sorting form of a text: a-z upper-cased and the letters with acute accents, umlauts,
/// Ď, Ň, Ť and Ů (small or capital) folded to their plain capitals, while Č, Ř, Š and Ž (small or
/// capital) become the capitals Č, Ř, Š, Ž, distinct letters that sort after C, R, S and Z.
/// Every other character stays.
Text CollationFold(const Text& text);
/// As `CollationFold`, but Č, Ř, Š and Ž are folded to C, R, S and Z as well.
Text FullFold(const Text& text);

/// Whether `text` fits `mask`, where "?" stands for any character. A mask of "?" only fits every
/// text; otherwise an empty text fits nothing, and a text fits when, cut or padded with blanks to
/// the mask's length, it has the mask's character wherever the mask has no "?". With `fold`,
/// mask and text are compared in their full-folded forms (`FullFold`).
bool MaskMatch(const Text& mask, const Text& text, bool fold = false);

/// Whether `x` and `y` agree when printed with `d` decimals (0-20; outside that range the
/// nearest). Values on opposite sides of zero never agree; otherwise the absolute values are
/// compared, so -0.001 and 0 agree at 2 decimals, -0.001 and 0.001 do not.
bool EqualAtDecimals(double x, double y, int d);

}  // namespace axo
