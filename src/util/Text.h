// Texts of the program: Windows-1250 byte strings inside (`Text`, `StrN`), UTF-8 at the edges.
// Literals are written in UTF-8 in the source and turned into Windows-1250 at compile time with
// the `_t` suffix; `ToUtf8` and `FromUtf8` cross the edge, losslessly for all 256 byte values.
#pragma once

#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace axo {

/// A Windows-1250 text: one byte per character. Never holds UTF-8; construct it from bytes
/// (`Text::FromBytes`), from a `_t` literal or with `FromUtf8`.
class Text {
  public:
    using value_type = char;
    using size_type = std::size_t;
    using iterator = std::string::iterator;
    using const_iterator = std::string::const_iterator;
    static constexpr size_type npos = std::string::npos;

    Text() = default;
    Text(size_type count, char ch) : bytes_(count, ch) {}
    /// Takes the bytes as they are (they must already be Windows-1250).
    static Text FromBytes(std::string_view bytes) { return Text(std::string(bytes)); }
    static Text FromBytes(std::string&& bytes) { return Text(std::move(bytes)); }
    static Text FromBytes(const char* bytes) { return Text(std::string(bytes)); }

    const std::string& Bytes() const { return bytes_; }
    std::string& Bytes() { return bytes_; }
    std::string_view View() const { return bytes_; }

    size_type size() const { return bytes_.size(); }
    size_type length() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    const char* data() const { return bytes_.data(); }
    char& operator[](size_type i) { return bytes_[i]; }
    char operator[](size_type i) const { return bytes_[i]; }
    /// The character at `i` as its code 0-255.
    unsigned char Code(size_type i) const { return static_cast<unsigned char>(bytes_[i]); }
    char& back() { return bytes_.back(); }
    char back() const { return bytes_.back(); }
    char front() const { return bytes_.front(); }
    iterator begin() { return bytes_.begin(); }
    iterator end() { return bytes_.end(); }
    const_iterator begin() const { return bytes_.begin(); }
    const_iterator end() const { return bytes_.end(); }

    Text substr(size_type pos, size_type count = npos) const {
        return pos >= bytes_.size() ? Text() : Text(bytes_.substr(pos, count));
    }
    size_type find(char ch, size_type pos = 0) const { return bytes_.find(ch, pos); }
    size_type find(const Text& t, size_type pos = 0) const { return bytes_.find(t.bytes_, pos); }
    size_type rfind(char ch, size_type pos = npos) const { return bytes_.rfind(ch, pos); }
    bool StartsWith(const Text& t) const { return bytes_.starts_with(t.bytes_); }
    bool EndsWith(const Text& t) const { return bytes_.ends_with(t.bytes_); }

    void clear() { bytes_.clear(); }
    void push_back(char ch) { bytes_.push_back(ch); }
    void pop_back() { bytes_.pop_back(); }
    void resize(size_type n, char ch = ' ') { bytes_.resize(n, ch); }
    void reserve(size_type n) { bytes_.reserve(n); }
    Text& insert(size_type pos, const Text& t) {
        bytes_.insert(pos, t.bytes_);
        return *this;
    }
    Text& erase(size_type pos, size_type count = npos) {
        bytes_.erase(pos, count);
        return *this;
    }
    Text& append(const Text& t) {
        bytes_.append(t.bytes_);
        return *this;
    }
    Text& append(size_type count, char ch) {
        bytes_.append(count, ch);
        return *this;
    }
    Text& operator+=(const Text& t) { return append(t); }
    Text& operator+=(char ch) {
        bytes_.push_back(ch);
        return *this;
    }

    friend Text operator+(Text a, const Text& b) { return a.append(b); }
    friend Text operator+(Text a, char ch) { return a += ch; }
    friend Text operator+(char ch, const Text& b) { return Text(1, ch).append(b); }
    friend bool operator==(const Text&, const Text&) = default;
    /// Byte order (codes compared as 0-255).
    friend std::strong_ordering operator<=>(const Text& a, const Text& b) {
        return a.bytes_.compare(b.bytes_) <=> 0;
    }

  private:
    explicit Text(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

/// The Unicode code points of the Windows-1250 codes 128-255. The five codes that Windows-1250
/// leaves unassigned (129, 131, 136, 144, 152) keep their own value, so that every byte has a
/// code point of its own and the conversion to UTF-8 and back loses nothing.
inline constexpr std::array<char32_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

/// The family's box-drawing characters: each sits on a Windows-1250 code that the family's
/// texts do not otherwise use, with the Unicode character it stands for in printouts.
struct FrameChar {
    unsigned char code;
    char32_t unicode;
};
inline constexpr std::array<FrameChar, 22> kFrameChars = {{
    {129, 0x2500}, {133, 0x2502}, {134, 0x253C}, {135, 0x250C}, {144, 0x2510}, {149, 0x2514},
    {156, 0x2518}, {160, 0x251C}, {163, 0x2524}, {165, 0x252C}, {170, 0x2534}, {172, 0x2550},
    {176, 0x2551}, {178, 0x256C}, {179, 0x2554}, {182, 0x2557}, {183, 0x255A}, {184, 0x255D},
    {185, 0x2560}, {186, 0x2563}, {195, 0x2566}, {199, 0x2569},
}};

/// The code point of a Windows-1250 byte (standard meaning, never a frame character).
constexpr char32_t Cp1250ToUnicode(unsigned char code) {
    return code < 0x80 ? char32_t(code) : kCp1250High[code - 0x80];
}

/// The Windows-1250 byte of a code point: the standard character, else one of the family's
/// frame characters; -1 when the character has no place in Windows-1250.
constexpr int UnicodeToCp1250(char32_t cp) {
    if (cp < 0x80)
        return int(cp);
    for (std::size_t i = 0; i < kCp1250High.size(); ++i)
        if (kCp1250High[i] == cp)
            return int(0x80 + i);
    for (const FrameChar& f : kFrameChars)
        if (f.unicode == cp)
            return f.code;
    return -1;
}

namespace detail {

/// Decodes one UTF-8 sequence at `s[i]` and advances `i` past it. A malformed, cut-short or
/// overlong sequence, or a surrogate, gives kBadUtf8 and advances `i` by one byte.
inline constexpr char32_t kBadUtf8 = 0xFFFFFFFF;
constexpr char32_t DecodeUtf8(const char* s, std::size_t n, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    const int extra = (b0 & 0xE0) == 0xC0   ? 1
                      : (b0 & 0xF0) == 0xE0 ? 2
                      : (b0 & 0xF8) == 0xF0 ? 3
                                            : 0;
    if (extra == 0 || i + extra >= n) {
        ++i;
        return kBadUtf8;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kBadUtf8;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kBadUtf8;
    }
    i += extra + 1;
    return cp;
}

/// Reads the next UTF-8 character of `utf8` at `i` as its Windows-1250 code (advancing `i`);
/// -1 when the character is malformed or has no place in Windows-1250.
constexpr int NextCp1250Code(std::string_view utf8, std::size_t& i) {
    const char32_t cp = DecodeUtf8(utf8.data(), utf8.size(), i);
    return cp == kBadUtf8 ? -1 : UnicodeToCp1250(cp);
}

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&s)[N]) { std::copy_n(s, N, bytes); }
};

template <std::size_t N>
struct Cp1250Literal {
    std::array<char, N> bytes{};
    std::size_t length = 0;
};

template <std::size_t N>
consteval Cp1250Literal<N> ToCp1250Literal(const Utf8Literal<N>& lit) {
    Cp1250Literal<N> out;
    const std::size_t n = N - 1;  // without the terminating zero
    for (std::size_t i = 0; i < n;) {
        const int code = NextCp1250Code(std::string_view(lit.bytes, n), i);
        if (code < 0)
            throw "a character of this literal has no place in Windows-1250";
        out.bytes[out.length++] = static_cast<char>(code);
    }
    return out;
}

}  // namespace detail

/// `"Opravdu chcete ukončit"_t`: a UTF-8 literal converted to Windows-1250 when compiling;
/// a character that Windows-1250 cannot hold stops the compilation.
template <detail::Utf8Literal S>
Text operator""_t() {
    static constexpr auto kLiteral = detail::ToCp1250Literal(S);
    return Text::FromBytes(std::string_view(kLiteral.bytes.data(), kLiteral.length));
}

/// Windows-1250 to UTF-8, each byte by its standard meaning; lossless for every byte.
std::string ToUtf8(const Text& text);
/// As `ToUtf8`, but the family's 22 frame codes become box-drawing characters: for printouts.
std::string ListingToUtf8(const Text& text);
/// UTF-8 to Windows-1250. A character without a place in Windows-1250, or a malformed
/// sequence, becomes `replacement`; `lost` (when given) is set when that happened.
Text FromUtf8(std::string_view utf8, char replacement = '?', bool* lost = nullptr);
/// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

/// The byte-order mark some editors put at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
/// Whether the bytes of a text file are UTF-8 rather than Windows-1250: they start with the
/// byte-order mark, or they are well-formed UTF-8 holding a character beyond ASCII (plain ASCII
/// reads the same either way).
bool IsUtf8File(std::string_view bytes);
/// The text of a file written either in UTF-8 (as Linux editors write it) or in Windows-1250
/// (as the family writes it), told apart by IsUtf8File: UTF-8 is converted without its
/// byte-order mark, Windows-1250 taken as it stands. `utf8` (when given) is set to which it was.
Text TextFromFileBytes(std::string bytes, bool* utf8 = nullptr);

inline std::ostream& operator<<(std::ostream& os, const Text& t) {
    return os << ToUtf8(t);
}

/// A fixed-length text field of a record layout: at most N characters in N + 1 bytes, the length
/// first, the unused bytes zero. Trivially copyable, so records can be copied as bytes.
template <std::size_t N>
struct StrN {
    static_assert(N >= 1 && N <= 255, "a short text holds 1 to 255 characters");
    unsigned char len = 0;
    char chars[N] = {};

    StrN() = default;
    StrN(const Text& t) { Set(t); }  // NOLINT: fields are assigned from texts all the time

    /// Stores the text, cut to N characters.
    void Set(const Text& t) {
        len = static_cast<unsigned char>(std::min(N, t.size()));
        std::memcpy(chars, t.data(), len);
        std::memset(chars + len, 0, N - len);
    }
    StrN& operator=(const Text& t) {
        Set(t);
        return *this;
    }
    /// The stored text; a damaged length byte is read as at most N.
    Text Get() const {
        return Text::FromBytes(std::string_view(chars, std::min<std::size_t>(len, N)));
    }
    operator Text() const { return Get(); }  // NOLINT
    static constexpr std::size_t Capacity() { return N; }
    friend bool operator==(const StrN& a, const StrN& b) { return a.Get() == b.Get(); }
};

}  // namespace axo

template <>
struct std::hash<axo::Text> {
    std::size_t operator()(const axo::Text& t) const noexcept {
        return std::hash<std::string>()(t.Bytes());
    }
};
