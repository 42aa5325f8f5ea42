// Conversions between Windows-1250 texts and UTF-8.
#include "util/Text.h"

#include <unordered_map>

namespace axo {

namespace {

const std::unordered_map<char32_t, unsigned char>& UnicodeIndex() {
    static const std::unordered_map<char32_t, unsigned char> index = [] {
        std::unordered_map<char32_t, unsigned char> map;
        for (const FrameChar& f : kFrameChars)
            map[f.unicode] = f.code;
        for (int code = 0x80; code < 0x100; ++code)
            map[Cp1250ToUnicode(static_cast<unsigned char>(code))] =
                static_cast<unsigned char>(code);
        return map;
    }();
    return index;
}

std::string Convert(const Text& text, bool frames) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text.Bytes()) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char32_t cp = Cp1250ToUnicode(c);
        if (frames) {
            for (const FrameChar& f : kFrameChars)
                if (f.code == c)
                    cp = f.unicode;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string ToUtf8(const Text& text) {
    return Convert(text, false);
}

std::string ListingToUtf8(const Text& text) {
    return Convert(text, true);
}

Text FromUtf8(std::string_view utf8, char replacement, bool* lost) {
    const auto& index = UnicodeIndex();
    std::string out;
    out.reserve(utf8.size());
    bool anyLost = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = detail::DecodeUtf8(utf8.data(), utf8.size(), i);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        const auto it = cp == detail::kBadUtf8 ? index.end() : index.find(cp);
        if (it == index.end()) {
            out.push_back(replacement);
            anyLost = true;
        } else {
            out.push_back(static_cast<char>(it->second));
        }
    }
    if (lost)
        *lost = anyLost;
    return Text::FromBytes(std::move(out));
}

bool IsUtf8File(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return true;
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t cp = detail::DecodeUtf8(bytes.data(), bytes.size(), i);
        if (cp == detail::kBadUtf8)
            return false;
        beyondAscii = beyondAscii || cp >= 0x80;
    }
    return beyondAscii;
}

Text TextFromFileBytes(std::string bytes, bool* utf8) {
    const bool isUtf8 = IsUtf8File(bytes);
    if (utf8)
        *utf8 = isUtf8;
    if (!isUtf8)
        return Text::FromBytes(std::move(bytes));
    std::string_view view = bytes;
    if (view.starts_with(kUtf8Bom))
        view.remove_prefix(kUtf8Bom.size());
    return FromUtf8(view);
}

}  // namespace axo
