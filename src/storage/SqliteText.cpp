// Text conversion tables and the key collation.
#include "storage/SqliteText.h"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <vector>

#include "util/Retezce.h"
#include "util/Text.h"

namespace axo::storage {

namespace {

/// The UTF-8 sequence of each Windows-1250 byte, as ToUtf8 writes it.
struct Utf8Table {
    std::array<std::array<char, 4>, 256> bytes{};
    std::array<std::uint8_t, 256> length{};
    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            std::string s;
            AppendUtf8(s, Cp1250ToUnicode(static_cast<unsigned char>(b)));
            length[b] = static_cast<std::uint8_t>(s.size());
            for (std::size_t i = 0; i < s.size(); ++i)
                bytes[b][i] = s[i];
        }
    }
};

/// The Windows-1250 code of each code point below kLimit (-1 = none): the inverse of
/// Utf8Table, plus the family's frame characters as FromUtf8 reads them.
struct Cp1250Table {
    static constexpr char32_t kLimit = 0x2600;
    std::vector<std::int16_t> code = std::vector<std::int16_t>(kLimit, -1);
    Cp1250Table() {
        for (const FrameChar& f : kFrameChars)
            code[f.unicode] = f.code;
        for (int b = 0; b < 256; ++b)
            code[Cp1250ToUnicode(static_cast<unsigned char>(b))] = static_cast<std::int16_t>(b);
    }
};

const Utf8Table& Utf8Of() {
    static const Utf8Table table;
    return table;
}

const Cp1250Table& Cp1250Of() {
    static const Cp1250Table table;
    return table;
}

/// The sorting weight of each Windows-1250 byte: the collation-folded capital, with Č, Ř, Š
/// and Ž just after C, R, S and Z.
struct WeightTable {
    std::array<std::uint16_t, 256> weight{};
    WeightTable() {
        for (int b = 0; b < 256; ++b) {
            const Text folded = CollationFold(NationalUpperCase(Text(1, static_cast<char>(b))));
            const unsigned char f = folded.empty() ? static_cast<unsigned char>(b) : folded.Code(0);
            weight[b] = static_cast<std::uint16_t>(f * 4);
        }
        const std::pair<const char*, char> placed[] = {
            {"Č", 'C'}, {"Ř", 'R'}, {"Š", 'S'}, {"Ž", 'Z'}};
        for (const auto& [letter, before] : placed) {
            // The fold keeps these capitals, so both cases already share the capital's weight.
            const unsigned kept = FromUtf8(letter).Code(0) * 4u;
            const auto w = static_cast<std::uint16_t>(static_cast<unsigned char>(before) * 4 + 2);
            for (int b = 0; b < 256; ++b)
                if (weight[b] == kept)
                    weight[b] = w;
        }
    }
};

const WeightTable& Weights() {
    static const WeightTable table;
    return table;
}

/// The next character of a UTF-8 key as a Windows-1250 code (a character without one gives
/// a code above 255, so that it sorts after every letter).
unsigned NextCode(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    const char32_t cp = detail::DecodeUtf8(s.data(), s.size(), i);
    if (cp < Cp1250Table::kLimit && Cp1250Of().code[cp] >= 0)
        return static_cast<unsigned>(Cp1250Of().code[cp]);
    return 0x10000 + (cp & 0xFFFF);
}

unsigned WeightOf(unsigned code) {
    return code < 256 ? Weights().weight[code] : 0x1000 + code;
}

int Collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return CompareKeys(std::string_view(static_cast<const char*>(a), lengthA),
                       std::string_view(static_cast<const char*>(b), lengthB));
}

}  // namespace

void AppendCp1250AsUtf8(std::string& out, std::string_view cp1250) {
    const Utf8Table& t = Utf8Of();
    for (char c : cp1250) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else
            out.append(t.bytes[b].data(), t.length[b]);
    }
}

std::size_t Utf8ToCp1250(std::string_view utf8, char* out, std::size_t capacity) {
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < utf8.size() && n < capacity) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out[n++] = static_cast<char>(b);
            ++i;
            continue;
        }
        const char32_t cp = detail::DecodeUtf8(utf8.data(), utf8.size(), i);
        const int code = cp < Cp1250Table::kLimit ? Cp1250Of().code[cp] : -1;
        out[n++] = code >= 0 ? static_cast<char>(code) : '?';
    }
    return n;
}

int CompareKeys(std::string_view a, std::string_view b) {
    constexpr unsigned kBlank = ' ';
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        const unsigned ca = i < a.size() ? NextCode(a, i) : kBlank;
        const unsigned cb = j < b.size() ? NextCode(b, j) : kBlank;
        if (ca == cb)
            continue;
        const unsigned wa = WeightOf(ca);
        const unsigned wb = WeightOf(cb);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return 0;
}

unsigned KeyWeight(unsigned char code) {
    return Weights().weight[code];
}

int RegisterKeyCollation(sqlite3* db) {
    return sqlite3_create_collation(db, kKeyCollation, SQLITE_UTF8, nullptr, &Collate);
}

}  // namespace axo::storage
