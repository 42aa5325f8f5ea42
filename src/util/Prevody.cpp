// Code-page tables and conversions, frame characters to HTML, texts to and from XML.
#include "util/Prevody.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "util/Retezce.h"

namespace axo {

namespace {

/// A replacement code for each of the 256 codes of a code page.
using CharMap = std::array<unsigned char, 256>;

/// A character of the conversion tables beyond ASCII: the Windows-1250 character (written in
/// UTF-8) with its codes in code page 852, in Kamenický and in the plain table.
///
/// Kamenický has no Ë, ë, Ő, ő, Ű or ű. Ë and ë are written as plain E and e; Ő, ő, Ű and ű
/// as Ö, ö, Ü and ü, the nearest letters it has, so that a name keeps its diacritic. Converting
/// back gives E, e, Ö, ö, Ü and ü, because those come first in the tables.
struct Counterpart {
    const char* win1250;
    unsigned char cp852;
    unsigned char kamenicky;
    unsigned char plain;
};

constexpr Counterpart kCounterparts[] = {
    {"á", 0xA0, 0xA0, 'a'}, {"Á", 0xB5, 0x8F, 'A'}, {"č", 0x9F, 0x87, 'c'}, {"Č", 0xAC, 0x80, 'C'},
    {"ď", 0xD4, 0x83, 'd'}, {"Ď", 0xD2, 0x85, 'D'}, {"é", 0x82, 0x82, 'e'}, {"É", 0x90, 0x90, 'E'},
    {"ě", 0xD8, 0x88, 'e'}, {"Ě", 0xB7, 0x89, 'E'}, {"í", 0xA1, 0xA1, 'i'}, {"Í", 0xD6, 0x8B, 'I'},
    {"ň", 0xE5, 0xA4, 'n'}, {"Ň", 0xD5, 0xA5, 'N'}, {"ó", 0xA2, 0xA2, 'o'}, {"Ó", 0xE0, 0x95, 'O'},
    {"ř", 0xFD, 0xA9, 'r'}, {"Ř", 0xFC, 0x9E, 'R'}, {"š", 0xE7, 0xA8, 's'}, {"Š", 0xE6, 0x9B, 'S'},
    {"ť", 0x9C, 0x9F, 't'}, {"Ť", 0x9B, 0x86, 'T'}, {"ú", 0xA3, 0xA3, 'u'}, {"Ú", 0xE9, 0x97, 'U'},
    {"ů", 0x85, 0x96, 'u'}, {"Ů", 0xDE, 0xA6, 'U'}, {"ý", 0xEC, 0x98, 'y'}, {"Ý", 0xED, 0x9D, 'Y'},
    {"ž", 0xA7, 0x91, 'z'}, {"Ž", 0xA6, 0x92, 'Z'}, {"Ä", 0x8E, 0x8E, 'A'}, {"ä", 0x84, 0x84, 'a'},
    {"Ë", 0xD3, 'E', 'E'},  {"ë", 0x89, 'e', 'e'},  {"Ö", 0x99, 0x99, 'O'}, {"ö", 0x94, 0x94, 'o'},
    {"Ü", 0x9A, 0x9A, 'U'}, {"ü", 0x81, 0x81, 'u'}, {"ß", 0xE1, 0xE1, 'S'}, {"§", 0xF5, 0xAD, 245},
    {"Ľ", 0x95, 0x9C, 'L'}, {"ľ", 0x96, 0x8C, 'l'}, {"Ĺ", 0x91, 0x8A, 'L'}, {"ĺ", 0x92, 0x8D, 'l'},
    {"Ő", 0x8A, 0x99, 'O'}, {"ő", 0x8B, 0x94, 'o'}, {"Ű", 0xEB, 0x9A, 'U'}, {"ű", 0xFB, 0x81, 'u'},
};

/// The frame characters in code page 852, which has them where code page 437 has them, as
/// Kamenický does; the plain table uses them too.
struct DosFrameChar {
    char32_t unicode;
    unsigned char code;
};

constexpr DosFrameChar kDosFrameChars[] = {
    {0x2500, 0xC4}, {0x2502, 0xB3}, {0x253C, 0xC5}, {0x250C, 0xDA}, {0x2510, 0xBF}, {0x2514, 0xC0},
    {0x2518, 0xD9}, {0x251C, 0xC3}, {0x2524, 0xB4}, {0x252C, 0xC2}, {0x2534, 0xC1}, {0x2550, 0xCD},
    {0x2551, 0xBA}, {0x256C, 0xCE}, {0x2554, 0xC9}, {0x2557, 0xBB}, {0x255A, 0xC8}, {0x255D, 0xBC},
    {0x2560, 0xCC}, {0x2563, 0xB9}, {0x2566, 0xCB}, {0x2569, 0xCA},
};

/// The order of the tables: these letters, the frame characters in the order of `kFrameChars`,
/// then the letters that came later. A conversion towards Windows-1250 depends on the order,
/// because a code that stands for several characters gives the first of them.
constexpr std::string_view kLettersBeforeFrames =
    "aAáÁbBcCčČdDďĎeEéÉěĚfFgGhHiIíÍjJkKlLmMnNňŇoOóÓpPqQrRřŘsSšŠtTťŤuUúÚůŮvVwWxXyYýÝzZžŽ"
    "ÄäËëÖöÜüß§";
constexpr std::string_view kLettersAfterFrames = "ĽľĹĺŐőŰű";

constexpr std::size_t kTableSize = 122;
using Table = std::array<unsigned char, kTableSize>;

/// The four parallel tables: position i holds the same character in each code page.
struct CodePageTables {
    Table win1250{};
    Table cp852{};
    Table kamenicky{};
    Table plain{};
};

constexpr unsigned char NextCode(std::string_view utf8, std::size_t& i) {
    const int code = detail::NextCp1250Code(utf8, i);
    if (code < 0)
        throw "a character of a code-page table has no place in Windows-1250";
    return static_cast<unsigned char>(code);
}

constexpr void AddLetters(CodePageTables& tables, std::size_t& pos, std::string_view letters) {
    for (std::size_t i = 0; i < letters.size();) {
        const unsigned char code = NextCode(letters, i);
        tables.win1250[pos] = tables.cp852[pos] = tables.kamenicky[pos] = tables.plain[pos] = code;
        if (code >= 0x80) {
            const Counterpart* found = nullptr;
            for (const Counterpart& c : kCounterparts) {
                std::size_t j = 0;
                if (NextCode(c.win1250, j) == code)
                    found = &c;
            }
            if (!found)
                throw "a letter of the code-page tables has no counterparts";
            tables.cp852[pos] = found->cp852;
            tables.kamenicky[pos] = found->kamenicky;
            tables.plain[pos] = found->plain;
        }
        ++pos;
    }
}

constexpr void AddFrames(CodePageTables& tables, std::size_t& pos) {
    for (const FrameChar& frame : kFrameChars) {
        const DosFrameChar* found = nullptr;
        for (const DosFrameChar& dos : kDosFrameChars)
            if (dos.unicode == frame.unicode)
                found = &dos;
        if (!found)
            throw "a frame character has no code in code page 852";
        tables.win1250[pos] = frame.code;
        tables.cp852[pos] = tables.kamenicky[pos] = tables.plain[pos] = found->code;
        ++pos;
    }
}

constexpr CodePageTables MakeTables() {
    CodePageTables tables;
    std::size_t pos = 0;
    AddLetters(tables, pos, kLettersBeforeFrames);
    AddFrames(tables, pos);
    AddLetters(tables, pos, kLettersAfterFrames);
    if (pos != kTableSize)
        throw "the code-page tables do not hold 122 characters";
    return tables;
}

constexpr CodePageTables kTables = MakeTables();

constexpr CharMap MakeConversion(const Table& from, const Table& to) {
    CharMap map{};
    for (std::size_t code = 0; code < map.size(); ++code)
        map[code] = static_cast<unsigned char>(code);
    // Walking backwards lets the first entry of a code that appears several times win.
    for (std::size_t i = kTableSize; i-- > 0;)
        map[from[i]] = to[i];
    return map;
}

/// The conversions by direction code 1-6 (index 0 unused).
constexpr std::array<CharMap, 7> kConversions = {
    MakeConversion(kTables.win1250, kTables.win1250),
    MakeConversion(kTables.kamenicky, kTables.win1250),
    MakeConversion(kTables.cp852, kTables.win1250),
    MakeConversion(kTables.win1250, kTables.cp852),
    MakeConversion(kTables.win1250, kTables.plain),
    MakeConversion(kTables.win1250, kTables.kamenicky),
    MakeConversion(kTables.plain, kTables.win1250),
};

constexpr std::size_t kXmlTextLength = 125;

/// Decodes the character reference at the start of `xml` (which starts with "&"): sets `length`
/// to the bytes it takes and returns the Windows-1250 code, or '?' for a character that has no
/// place there. Returns -1 when `xml` starts with no reference that XML knows.
int DecodeReference(std::string_view xml, std::size_t& length) {
    const std::size_t semicolon = xml.find(';');
    // The longest reference worth reading is "&#x10FFFF;".
    if (semicolon == std::string_view::npos || semicolon < 2 || semicolon > 9)
        return -1;
    const std::string_view name = xml.substr(1, semicolon - 1);
    length = semicolon + 1;
    constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, ch] : kNamed)
        if (name == entity)
            return static_cast<unsigned char>(ch);
    if (name[0] != '#')
        return -1;
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return -1;
    char32_t cp = 0;
    for (char ch : digits) {
        int digit = -1;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (hex && ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (hex && ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        if (digit < 0)
            return -1;
        cp = cp * (hex ? 16 : 10) + char32_t(digit);
    }
    const int code = cp == 0 || cp > 0x10FFFF ? -1 : UnicodeToCp1250(cp);
    return code < 0 ? '?' : code;
}

}  // namespace

Text ConvertCodePage(const Text& text, CodePageDirection direction) {
    const int index = static_cast<int>(direction);
    if (index < 1 || index > 6)
        return text;
    const CharMap& map = kConversions[index];
    Text out = text;
    for (char& ch : out)
        ch = static_cast<char>(map[static_cast<unsigned char>(ch)]);
    return out;
}

Text BoxCharsToHtml(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        const auto frame = std::find_if(kFrameChars.begin(), kFrameChars.end(),
                                        [code](const FrameChar& f) { return f.code == code; });
        if (frame == kFrameChars.end())
            out += ch;
        else
            out +=
                Text::FromBytes("&#" + std::to_string(static_cast<unsigned>(frame->unicode)) + ";");
    }
    return out;
}

std::string TextToXml(const Text& text, bool attribute) {
    std::string out;
    const std::size_t n = std::min(text.size(), kXmlTextLength);
    out.reserve(n + n / 2);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char code = text.Code(i);
        switch (code) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += attribute ? "&apos;" : "'";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\t':
                out += attribute ? "&#9;" : "\t";
                break;
            case '\n':
                out += attribute ? "&#10;" : "\n";
                break;
            default:
                if (code < 0x20)
                    out += ' ';
                else
                    AppendUtf8(out, Cp1250ToUnicode(code));
        }
    }
    return out;
}

Text XmlToText(std::string_view xml) {
    Text out;
    std::string utf8Run;
    for (std::size_t i = 0; i < xml.size();) {
        std::size_t length = 0;
        const int code = xml[i] == '&' ? DecodeReference(xml.substr(i), length) : -1;
        if (code < 0) {
            utf8Run += xml[i++];
            continue;
        }
        out += FromUtf8(utf8Run);
        utf8Run.clear();
        out += static_cast<char>(code);
        i += length;
    }
    out += FromUtf8(utf8Run);
    out.resize(std::min(out.size(), kMaxShortText));
    return out;
}

}  // namespace axo
