// Text shaping, upper-casing, folding and matching of Windows-1250 texts.
#include "util/Retezce.h"

#include "util/Cisla.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace axo {

namespace {

/// A replacement code for each of the 256 Windows-1250 codes.
using CharMap = std::array<unsigned char, 256>;

constexpr CharMap IdentityMap() {
    CharMap map{};
    for (std::size_t code = 0; code < map.size(); ++code)
        map[code] = static_cast<unsigned char>(code);
    return map;
}

/// Reads the next character of a UTF-8 literal as its Windows-1250 code.
constexpr unsigned char NextCode(std::string_view utf8, std::size_t& i) {
    const int code = detail::NextCp1250Code(utf8, i);
    if (code < 0)
        throw "a character of a folding table has no place in Windows-1250";
    return static_cast<unsigned char>(code);
}

/// Maps each character of `from` to the character at the same place of `to`, or, when `to` is a
/// single character, every character of `from` to it. The tables are written in UTF-8 so that
/// they read like the rules they implement.
constexpr void MapChars(CharMap& map, std::string_view from, std::string_view to) {
    std::size_t i = 0;
    std::size_t j = 0;
    const unsigned char single = NextCode(to, j);
    const bool toSingle = j == to.size();
    j = 0;
    while (i < from.size()) {
        const unsigned char source = NextCode(from, i);
        if (!toSingle && j >= to.size())
            throw "a folding table has fewer targets than sources";
        map[source] = toSingle ? single : NextCode(to, j);
    }
    if (!toSingle && j != to.size())
        throw "a folding table has more targets than sources";
}

constexpr CharMap MakeUpperCase() {
    CharMap map = IdentityMap();
    MapChars(map, "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return map;
}

constexpr CharMap MakeNationalUpperCase() {
    CharMap map = MakeUpperCase();
    MapChars(map, "áäčďéëěíňóőöřšťúůűüýž", "ÁÄČĎÉËĚÍŇÓŐÖŘŠŤÚŮŰÜÝŽ");
    return map;
}

/// The folding of keys and sort texts. `plainCarons` decides whether Č, Ř, Š and Ž keep their
/// caron: they do for sorting, where they are letters of their own after C, R, S and Z.
constexpr CharMap MakeFolding(bool plainCarons) {
    CharMap map = MakeUpperCase();
    MapChars(map, "áäÁÄ", "A");
    MapChars(map, "ďĎ", "D");
    MapChars(map, "éëěÉËĚ", "E");
    MapChars(map, "íÍ", "I");
    MapChars(map, "ňŇ", "N");
    MapChars(map, "óőöÓŐÖ", "O");
    MapChars(map, "ťŤ", "T");
    MapChars(map, "úůűüÚŮŰÜ", "U");
    MapChars(map, "ýÝ", "Y");
    if (plainCarons) {
        MapChars(map, "čřšžČŘŠŽ", "CRSZCRSZ");
    } else {
        MapChars(map, "čřšžČŘŠŽ", "ČŘŠŽČŘŠŽ");
    }
    return map;
}

constexpr CharMap kUpperCase = MakeUpperCase();
constexpr CharMap kNationalUpperCase = MakeNationalUpperCase();
constexpr CharMap kCollationFold = MakeFolding(false);
constexpr CharMap kFullFold = MakeFolding(true);

Text ApplyMap(const Text& text, const CharMap& map) {
    Text out = text;
    for (char& ch : out)
        ch = static_cast<char>(map[static_cast<unsigned char>(ch)]);
    return out;
}

std::size_t ShortWidth(std::size_t n) {
    return std::min(n, kMaxShortText);
}

}  // namespace

Text Repeat(char ch, std::size_t n) {
    return Text(ShortWidth(n), ch);
}

Text Blanks(std::size_t n) {
    return Repeat(' ', n);
}

Text LeftJustify(const Text& text, std::size_t n) {
    const std::size_t width = ShortWidth(n);
    Text out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

Text RightJustify(const Text& text, std::size_t n) {
    const std::size_t width = ShortWidth(n);
    const Text kept = text.substr(0, width);
    return Blanks(width - kept.size()) + kept;
}

Text RightJustifyTrimmed(const Text& text, std::size_t n) {
    return RightJustify(text.size() > ShortWidth(n) ? Trim(text) : text, n);
}

Text JustifyWithChar(const Text& text, std::size_t n, char fill, Alignment alignment) {
    const std::size_t width = ShortWidth(n);
    Text kept;
    std::size_t visible = 0;
    for (char ch : text) {
        // Stopping at the first character past the width also drops a "~" that would mark
        // a hot key that was cut away.
        if (visible == width)
            break;
        kept += ch;
        if (ch != '~')
            ++visible;
    }
    const std::size_t pad = width - visible;
    std::size_t left = 0;
    if (alignment == Alignment::kRight)
        left = pad;
    else if (alignment == Alignment::kCentre)
        left = pad / 2;
    Text out = Text(left, fill) + kept;
    out.append(pad - left, fill);
    // The "~" marks take bytes without taking place, so a full-width caption can outgrow a
    // short text.
    out.resize(std::min(out.size(), kMaxShortText));
    return out;
}

Text FixedKeyText(const Text& text, std::size_t n) {
    return ApplyMap(ApplyMap(LeftJustify(TrimRight(text), n), kNationalUpperCase), kCollationFold);
}

Text TrimLeft(const Text& text) {
    const std::size_t first = text.View().find_first_not_of(' ');
    return first == std::string_view::npos ? Text() : text.substr(first);
}

Text TrimRight(const Text& text) {
    const std::size_t last = text.View().find_last_not_of(' ');
    return last == std::string_view::npos ? Text() : text.substr(0, last + 1);
}

Text Trim(const Text& text) {
    return TrimLeft(TrimRight(text));
}

Text RemoveChar(const Text& text, char ch) {
    Text out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ch)
            out += c;
    return out;
}

Text RemoveBlanks(const Text& text) {
    return RemoveChar(text, ' ');
}

Text ReplaceChar(const Text& text, char from, char to) {
    Text out = text;
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

Text UpperCase(const Text& text) {
    return ApplyMap(text, kUpperCase);
}

Text NationalUpperCase(const Text& text) {
    return ApplyMap(text, kNationalUpperCase);
}

Text CollationFold(const Text& text) {
    return ApplyMap(text, kCollationFold);
}

Text FullFold(const Text& text) {
    return ApplyMap(text, kFullFold);
}

bool MaskMatch(const Text& mask, const Text& text, bool fold) {
    if (mask.View().find_first_not_of('?') == std::string_view::npos)
        return true;
    if (text.empty())
        return false;
    Text padded = text.substr(0, mask.size());
    padded.resize(mask.size(), ' ');
    const Text m = fold ? FullFold(mask) : mask;
    if (fold)
        padded = FullFold(padded);
    for (std::size_t i = 0; i < m.size(); ++i)
        if (m[i] != '?' && m[i] != padded[i])
            return false;
    return true;
}

bool EqualAtDecimals(double x, double y, int d) {
    if ((x < 0 && y > 0) || (x > 0 && y < 0))
        return false;
    // The same number texts the printouts show, so that "equal" means "prints the same".
    const int decimals = std::clamp(d, 0, 20);
    return RealToText(std::fabs(x), 0, decimals) == RealToText(std::fabs(y), 0, decimals);
}

}  // namespace axo
