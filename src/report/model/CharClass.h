// Character classes and case of Windows-1250 letters as the report engine needs them: names in
// expressions may use national letters, and UPPER and LOWER convert them. The family's frame
// characters sit on a few letter codes of Windows-1250 (Ś Ł Ą Ş Ă Ç and their small letters);
// those codes are not letters here, so a conversion never turns a frame into another one.
#pragma once

namespace axo::report {

constexpr bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

/// The small letter of a capital (Windows-1250); other characters unchanged.
constexpr unsigned char LowerOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7 && c != 0xC3 && c != 0xC7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:  // Š
        case 0x8D:  // Ť
        case 0x8E:  // Ž
        case 0x8F:  // Ź
            return static_cast<unsigned char>(c + 16);
        case 0xBC:  // Ľ
            return 0xBE;
        case 0xAF:  // Ż
            return 0xBF;
        default:
            return c;
    }
}

/// The capital of a small letter (Windows-1250); other characters (ß included) unchanged.
constexpr unsigned char UpperOf(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7 && c != 0xE3 && c != 0xE7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A:  // š
        case 0x9D:  // ť
        case 0x9E:  // ž
        case 0x9F:  // ź
            return static_cast<unsigned char>(c - 16);
        case 0xBE:  // ľ
            return 0xBC;
        case 0xBF:  // ż
            return 0xAF;
        default:
            return c;
    }
}

/// A letter: a-z, A-Z, the national letters with a case pair, and ß.
constexpr bool IsLetter(unsigned char c) {
    return LowerOf(c) != c || UpperOf(c) != c || c == 0xDF;
}

/// A character of a name: letter, digit or underscore.
constexpr bool IsNameChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}

}  // namespace axo::report
