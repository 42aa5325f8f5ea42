// Code-page conversions of texts for the DOS-era files of the family (code page 852, Kamenický,
// plain letters without diacritics), the frame characters as HTML character references, and
// texts as XML character data.
#pragma once

#include <string>
#include <string_view>

#include "util/Text.h"

namespace axo {

/// The conversions of `ConvertCodePage`; the values are the direction codes callers store.
enum class CodePageDirection : int {
    kKamenickyToWin1250 = 1,
    kCp852ToWin1250 = 2,
    kWin1250ToCp852 = 3,
    kWin1250ToPlain = 4,
    kWin1250ToKamenicky = 5,
    kPlainToWin1250 = 6,
};

/// Converts a text between Windows-1250 and another code page. The conversion knows 122
/// characters: the Czech and Slovak letters, Ä Ë Ö Ü ä ë ö ü ß §, the 22 frame characters and
/// Ľ ľ Ĺ ĺ Ő ő Ű ű. Each of them is replaced by the same character of the target code page;
/// every other byte stays as it is. Towards Windows-1250 a code that stands for several of
/// them gives the first: plain letters stay plain. The plain code page writes the letters
/// without diacritics (ß as S), § as 245 and the frames as the frame characters of code page
/// 852. A direction code outside 1-6 leaves the text unchanged.
Text ConvertCodePage(const Text& text, CodePageDirection direction);

/// The text with each of the 22 frame characters replaced by its decimal HTML character
/// reference ("&#9472;" for the horizontal line); every other byte stays, "&" and "<" included.
/// The result is not cut at 255 characters: it is written to HTML files line by line, and a cut
/// could split a reference.
Text BoxCharsToHtml(const Text& text);

/// The first 125 characters of `text` as XML character data in UTF-8: every character by its
/// standard Windows-1250 meaning, "&", "<", ">" and the double quote escaped, and with
/// `attribute` the apostrophe too, so that the result can stand inside an element or (with
/// `attribute`) inside an attribute value quoted either way. A carriage return is written as
/// "&#13;", and in an attribute a tab and a line feed as "&#9;" and "&#10;", because XML parsers
/// would otherwise normalise them away. The other control characters below 32 cannot appear in
/// XML 1.0 and become blanks. The result is always well-formed.
std::string TextToXml(const Text& text, bool attribute = false);

/// The reverse of `TextToXml`: XML character data in UTF-8 to Windows-1250. The references
/// "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and the numeric ones ("&#233;", "&#xE9;") are
/// decoded; a character without a place in Windows-1250, a reference to one and a malformed
/// UTF-8 sequence become "?"; an "&" that starts no known reference stays. The result is cut at
/// 255 characters.
Text XmlToText(std::string_view xml);

}  // namespace axo
