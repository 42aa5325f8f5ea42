// The symbologies: names, clean-up of data, check digits and the bar patterns of each, as
// their published standards give them.
#include "report/barcode/Barcode.h"

#include <array>
#include <cctype>
#include <string>

#include "util/Cisla.h"

namespace axo::report {

namespace {

struct SymbologyInfo {
    const char* name;
    bool digitsOnly;
};

const SymbologyInfo kSymbologies[kSymbologyCount] = {
    {"2/5 interleaved", true}, {"2/5 industrial", true}, {"2/5 matrix", true}, {"Code 39", false},
    {"Code 39 Full", false},   {"Code 128A", false},     {"Code 128B", false}, {"Code 128C", true},
    {"Code 93", false},        {"Code 93 Full", false},  {"MSI", true},        {"PostNet", true},
    {"Codebar", false},        {"EAN 8", true},          {"EAN 13", true},     {"UPC-A", true},
    {"UPC-E0", true},          {"UPC-E1", true},         {"UPC Supp2", true},  {"UPC Supp5", true},
};

// ---- Pattern tables -----------------------------------------------------------------------

/// 2 of 5: the five elements of each digit, W wide.
const char* const k2of5[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                               "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

/// Code 39: characters and their nine elements (bar first), 1 wide.
const char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
const char* const kCode39[44] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010", "010010100"};

/// Code 128: the six widths (bar first) of values 0-105, and the stop.
const char* const kCode128[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
const char* const kCode128Stop = "2331112";

/// Code 93: values 0-46 (0-9, A-Z, - . space $ / + %, the four shifts) and start/stop.
const char kCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
const char* const kCode93[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};
const char* const kCode93StartStop = "111141";
constexpr int kShiftDollar = 43, kShiftPercent = 44, kShiftSlash = 45, kShiftPlus = 46;

/// Codabar: characters and their seven elements (bar first), 1 wide.
const char kCodabarChars[] = "0123456789-$:/.+ABCD";
const char* const kCodabar[20] = {"0000011", "0000110", "0001001", "1100000", "0010010",
                                  "1000010", "0100001", "0100100", "0110000", "1001000",
                                  "0001100", "0011000", "1000101", "1010001", "1010100",
                                  "0010101", "0011010", "0101001", "0001011", "0001110"};

/// PostNet: the five bars of each digit, 1 tall.
const char* const kPostNet[10] = {"11000", "00011", "00101", "00110", "01001",
                                  "01010", "01100", "10001", "10010", "10100"};

/// EAN/UPC: the widths of the L code (space first); R is the same bar first, G reversed.
const char* const kEanL[10] = {"3211", "2221", "2122", "1411", "1132",
                               "1231", "1114", "1312", "1213", "3112"};
const char* const kEan13Parity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                      "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
const char* const kUpcEParity[10] = {"GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL",
                                     "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG"};
const char* const kSupp5Parity[10] = {"GGLLL", "GLGLL", "GLLGL", "GLLLG", "LGGLL",
                                      "LLGGL", "LLLGG", "LGLGL", "LGLLG", "LLGLG"};

// ---- Building ----------------------------------------------------------------------------

class Bars {
  public:
    /// Widths given as digits 1-4, alternating from a bar (or a space).
    void Widths(const char* widths, bool startWithBar = true, bool guard = false) {
        bool bar = startWithBar;
        for (const char* w = widths; *w; ++w, bar = !bar)
            out.push_back({*w - '0', bar, false, guard && bar});
    }
    /// Narrow/wide flags ("N"/"W" or "0"/"1"), alternating from a bar.
    void Flags(const char* flags, bool startWithBar = true) {
        bool bar = startWithBar;
        for (const char* f = flags; *f; ++f, bar = !bar)
            out.push_back({(*f == 'W' || *f == '1') ? 2 : 1, bar, false, false});
    }
    void Bar(int modules, bool shortBar = false) {
        out.push_back({modules, true, shortBar, false});
    }
    void Space(int modules) { out.push_back({modules, false, false, false}); }

    std::vector<TBarElement> out;
};

int Digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

int IndexIn(const char* table, char c) {
    for (int i = 0; table[i]; ++i)
        if (table[i] == c)
            return i;
    return -1;
}

Text DigitText(int d) {
    return Text(1, static_cast<char>('0' + d));
}

// ---- Symbologies --------------------------------------------------------------------------

TBarcodeSymbol Interleaved25(Text d) {
    if (d.size() % 2 != 0)
        d = "0"_t + d;
    Bars b;
    b.Flags("NNNN");
    for (std::size_t i = 0; i + 1 < d.size(); i += 2) {
        const char* bars = k2of5[Digit(d[i])];
        const char* spaces = k2of5[Digit(d[i + 1])];
        for (int k = 0; k < 5; ++k) {
            b.Bar(bars[k] == 'W' ? 2 : 1);
            b.Space(spaces[k] == 'W' ? 2 : 1);
        }
    }
    b.Flags("WNN");
    return {b.out, d, true};
}

TBarcodeSymbol Industrial25(const Text& d) {
    Bars b;
    b.Flags("WNWNNN");
    for (char c : d)
        for (int k = 0; k < 5; ++k) {
            b.Bar(k2of5[Digit(c)][k] == 'W' ? 2 : 1);
            b.Space(1);
        }
    b.Flags("WNNNW");
    return {b.out, d, true};
}

TBarcodeSymbol Matrix25(const Text& d) {
    Bars b;
    b.Widths("411111");
    for (char c : d) {
        b.Flags(k2of5[Digit(c)]);
        b.Space(1);
    }
    b.Widths("41111");
    return {b.out, d, true};
}

TBarcodeSymbol Code39(const Text& data, bool check) {
    Text d;
    for (char c : data)
        d += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int sum = 0;
    for (char c : d) {
        const int v = IndexIn(kCode39Chars, c);
        if (v < 0 || v == 43)
            return {{}, d, false};
        sum += v;
    }
    if (check)
        d += kCode39Chars[sum % 43];
    Bars b;
    const Text all = "*"_t + d + "*"_t;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0)
            b.Space(1);
        b.Flags(kCode39[IndexIn(kCode39Chars, all[i])]);
    }
    return {b.out, d, true};
}

/// The Code 39 characters of an ASCII character in full ASCII mode; empty for others.
Text Code39FullOf(unsigned char c) {
    static const char* const kSpecial = "%U";
    if (c >= 128)
        return {};
    if (c == 0)
        return Text::FromBytes(kSpecial);
    if (c >= 1 && c <= 26)
        return "$"_t + Text(1, static_cast<char>('A' + c - 1));
    if (c >= 27 && c <= 31)
        return "%"_t + Text(1, static_cast<char>('A' + c - 27));
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return Text(1, static_cast<char>(c));
    if (c >= '!' && c <= ',')
        return "/"_t + Text(1, static_cast<char>('A' + c - '!'));
    if (c == '/')
        return "/O"_t;
    if (c == ':')
        return "/Z"_t;
    if (c >= ';' && c <= '?')
        return "%"_t + Text(1, static_cast<char>('F' + c - ';'));
    if (c == '@')
        return "%V"_t;
    if (c >= '[' && c <= '_')
        return "%"_t + Text(1, static_cast<char>('K' + c - '['));
    if (c == '`')
        return "%W"_t;
    if (c >= 'a' && c <= 'z')
        return "+"_t + Text(1, static_cast<char>('A' + c - 'a'));
    return "%"_t + Text(1, static_cast<char>('P' + c - '{'));  // { | } ~ DEL
}

TBarcodeSymbol Code39Full(const Text& d, bool check) {
    Text mapped;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Text m = Code39FullOf(d.Code(i));
        if (m.empty())
            return {{}, d, false};
        mapped += m;
    }
    TBarcodeSymbol s = Code39(mapped, check);
    s.text = d;
    return s;
}

TBarcodeSymbol Code128(const Text& d, int variant) {
    std::vector<int> values;
    Text shown = d;
    if (variant == kBcCode128C) {
        shown = d.size() % 2 ? "0"_t + d : d;
        for (std::size_t i = 0; i + 1 < shown.size(); i += 2)
            values.push_back(Digit(shown[i]) * 10 + Digit(shown[i + 1]));
    } else {
        for (std::size_t i = 0; i < d.size(); ++i) {
            const int c = d.Code(i);
            int v = -1;
            if (variant == kBcCode128A)
                v = c < 32 ? c + 64 : c <= 95 ? c - 32 : -1;
            else
                v = c >= 32 && c <= 127 ? c - 32 : -1;
            if (v < 0)
                return {{}, d, false};
            values.push_back(v);
        }
    }
    const int start = variant == kBcCode128A ? 103 : variant == kBcCode128B ? 104 : 105;
    int sum = start;
    for (std::size_t i = 0; i < values.size(); ++i)
        sum += static_cast<int>(i + 1) * values[i];
    Bars b;
    b.Widths(kCode128[start]);
    for (int v : values)
        b.Widths(kCode128[v]);
    b.Widths(kCode128[sum % 103]);
    b.Widths(kCode128Stop);
    return {b.out, shown, true};
}

/// The Code 93 values of an ASCII character in full ASCII mode; empty for others.
std::vector<int> Code93FullOf(unsigned char c) {
    if (c >= 128)
        return {};
    const int own = IndexIn(kCode93Chars, static_cast<char>(c));
    if (own >= 0 && c != 0)
        return {own};
    auto letter = [](char l) { return IndexIn(kCode93Chars, l); };
    if (c == 0)
        return {kShiftPercent, letter('U')};
    if (c >= 1 && c <= 26)
        return {kShiftDollar, letter(static_cast<char>('A' + c - 1))};
    if (c >= 27 && c <= 31)
        return {kShiftPercent, letter(static_cast<char>('A' + c - 27))};
    if (c >= '!' && c <= ',')
        return {kShiftSlash, letter(static_cast<char>('A' + c - '!'))};
    if (c == ':')
        return {kShiftSlash, letter('Z')};
    if (c >= ';' && c <= '?')
        return {kShiftPercent, letter(static_cast<char>('F' + c - ';'))};
    if (c == '@')
        return {kShiftPercent, letter('V')};
    if (c >= '[' && c <= '_')
        return {kShiftPercent, letter(static_cast<char>('K' + c - '['))};
    if (c == '`')
        return {kShiftPercent, letter('W')};
    if (c >= 'a' && c <= 'z')
        return {kShiftPlus, letter(static_cast<char>('A' + c - 'a'))};
    return {kShiftPercent, letter(static_cast<char>('P' + c - '{'))};
}

TBarcodeSymbol Code93(const Text& d, bool full) {
    std::vector<int> values;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const unsigned char c = d.Code(i);
        std::vector<int> v;
        if (full) {
            v = Code93FullOf(c);
        } else {
            const int own = IndexIn(kCode93Chars, static_cast<char>(std::toupper(c)));
            if (own >= 0)
                v = {own};
        }
        if (v.empty())
            return {{}, d, false};
        values.insert(values.end(), v.begin(), v.end());
    }
    auto checkOf = [&](int maxWeight) {
        int sum = 0;
        int weight = 1;
        for (auto it = values.rbegin(); it != values.rend(); ++it) {
            sum += weight * *it;
            weight = weight == maxWeight ? 1 : weight + 1;
        }
        return sum % 47;
    };
    values.push_back(checkOf(20));
    values.push_back(checkOf(15));
    Bars b;
    b.Widths(kCode93StartStop);
    for (int v : values)
        b.Widths(kCode93[v]);
    b.Widths(kCode93StartStop);
    b.Bar(1);
    return {b.out, d, true};
}

int LuhnCheckDigit(const Text& d) {
    int sum = 0;
    bool doubled = true;
    for (auto it = d.end(); it != d.begin();) {
        --it;
        int v = Digit(*it);
        if (doubled) {
            v *= 2;
            if (v > 9)
                v -= 9;
        }
        sum += v;
        doubled = !doubled;
    }
    return (10 - sum % 10) % 10;
}

TBarcodeSymbol Msi(const Text& data) {
    const Text d = data + DigitText(LuhnCheckDigit(data));
    Bars b;
    b.Flags("WN");
    for (char c : d)
        for (int bit = 3; bit >= 0; --bit)
            b.Flags((Digit(c) >> bit) & 1 ? "WN" : "NW");
    b.Flags("NWN");
    return {b.out, d, true};
}

TBarcodeSymbol PostNet(const Text& data) {
    int sum = 0;
    for (char c : data)
        sum += Digit(c);
    const Text d = data + DigitText((10 - sum % 10) % 10);
    Bars b;
    b.Bar(1);
    b.Space(2);
    for (char c : d)
        for (int k = 0; k < 5; ++k) {
            b.Bar(1, kPostNet[Digit(c)][k] == '0');
            b.Space(2);
        }
    b.Bar(1);
    return {b.out, d, true};
}

TBarcodeSymbol Codabar(const Text& data) {
    Text d;
    for (char c : data)
        d += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto isStartStop = [](char c) { return c >= 'A' && c <= 'D'; };
    if (d.size() < 2 || !isStartStop(d.front()) || !isStartStop(d.back()))
        d = "A"_t + d + "B"_t;
    Bars b;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int v = IndexIn(kCodabarChars, d[i]);
        if (v < 0 || (v >= 16 && i != 0 && i + 1 != d.size()))
            return {{}, data, false};
        if (i > 0)
            b.Space(1);
        b.Flags(kCodabar[v]);
    }
    return {b.out, d, true};
}

/// One EAN/UPC digit in code L, G or R.
void EanDigit(Bars& b, char digit, char code) {
    const char* l = kEanL[Digit(digit)];
    if (code == 'R') {
        b.Widths(l, true);
    } else if (code == 'G') {
        const char reversed[5] = {l[3], l[2], l[1], l[0], 0};
        b.Widths(reversed, false);
    } else {
        b.Widths(l, false);
    }
}

constexpr int kEan13Quiet = 9;
constexpr int kEan8Quiet = 7;

TBarcodeSymbol Ean13(const Text& d) {
    Bars b;
    b.Space(kEan13Quiet);
    b.Widths("111", true, true);
    const char* parity = kEan13Parity[Digit(d[0])];
    for (int i = 1; i <= 6; ++i)
        EanDigit(b, d[static_cast<std::size_t>(i)], parity[i - 1]);
    b.Widths("11111", false, true);
    for (int i = 7; i <= 12; ++i)
        EanDigit(b, d[static_cast<std::size_t>(i)], 'R');
    b.Widths("111", true, true);
    return {b.out, d, true};
}

TBarcodeSymbol Ean8(const Text& d) {
    Bars b;
    b.Space(kEan8Quiet);
    b.Widths("111", true, true);
    for (int i = 0; i < 4; ++i)
        EanDigit(b, d[static_cast<std::size_t>(i)], 'L');
    b.Widths("11111", false, true);
    for (int i = 4; i < 8; ++i)
        EanDigit(b, d[static_cast<std::size_t>(i)], 'R');
    b.Widths("111", true, true);
    return {b.out, d, true};
}

/// The UPC-A digits (number system, 10 digits) a UPC-E body stands for.
Text ExpandUpcE(int numberSystem, const Text& body) {
    const Text n = DigitText(numberSystem);
    const auto s = [&](int from, int count) {
        return body.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
    };
    const int last = Digit(body[5]);
    if (last <= 2)
        return n + s(0, 2) + DigitText(last) + "0000"_t + s(2, 3);
    if (last == 3)
        return n + s(0, 3) + "00000"_t + s(3, 2);
    if (last == 4)
        return n + s(0, 4) + "00000"_t + s(4, 1);
    return n + s(0, 5) + "0000"_t + DigitText(last);
}

TBarcodeSymbol UpcE(const Text& digits, int numberSystem, bool check) {
    Text body;
    int given = -1;
    if (digits.size() >= 8) {
        body = digits.substr(1, 6);
        given = Digit(digits[7]);
    } else if (digits.size() == 7) {
        body = digits.substr(0, 6);
        given = Digit(digits[6]);
    } else {
        body = Text(6 - digits.size(), '0') + digits;
    }
    const int digit = check || given < 0 ? EanCheckDigit(ExpandUpcE(numberSystem, body)) : given;
    const char* parity = kUpcEParity[digit];
    Bars b;
    b.Space(kEan13Quiet);
    b.Widths("111", true, true);
    for (int i = 0; i < 6; ++i) {
        // Number system 0 takes the table as it stands, number system 1 its complement.
        const char code = (parity[i] == 'G') == (numberSystem == 0) ? 'G' : 'L';
        EanDigit(b, body[static_cast<std::size_t>(i)], code);
    }
    b.Widths("111111", false, true);
    return {b.out, DigitText(numberSystem) + body + DigitText(digit), true};
}

TBarcodeSymbol Supplement(const Text& d) {
    Text parity;
    if (d.size() == 2) {
        parity = Text::FromBytes(std::array<const char*, 4>{
            "LL", "LG", "GL", "GG"}[(Digit(d[0]) * 10 + Digit(d[1])) % 4]);
    } else {
        const int sum =
            3 * (Digit(d[0]) + Digit(d[2]) + Digit(d[4])) + 9 * (Digit(d[1]) + Digit(d[3]));
        parity = Text::FromBytes(kSupp5Parity[sum % 10]);
    }
    Bars b;
    b.Widths("112");
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (i > 0)
            b.Widths("11", false);
        EanDigit(b, d[i], parity[i]);
    }
    return {b.out, d, true};
}

Text PaddedRight(const Text& digits, std::size_t n) {
    Text padded = digits.size() < n ? Text(n - digits.size(), '0') + digits : digits;
    return padded.substr(padded.size() - n);
}

}  // namespace

const char* SymbologyName(int symbology) {
    return symbology >= 0 && symbology < kSymbologyCount ? kSymbologies[symbology].name : "";
}

bool DigitsOnly(int symbology) {
    return symbology >= 0 && symbology < kSymbologyCount && kSymbologies[symbology].digitsOnly;
}

const std::vector<int>& ModuleWidthValues() {
    static const std::vector<int> values = {8,  9,  10, 11, 12, 13, 14, 15, 16,  18, 20,
                                            22, 24, 26, 28, 30, 32, 34, 36, 38,  40, 44,
                                            48, 52, 56, 60, 64, 72, 80, 96, 112, 128};
    return values;
}

Text ModuleWidthCaption(int stored) {
    const std::vector<int>& v = ModuleWidthValues();
    bool known = false;
    for (int x : v)
        known = known || x == stored;
    const int value = known ? stored : 12;
    // The stored value is eighths of the default step "1,00".
    const int hundredths = (value * 100 + 4) / 8;
    return IntToText(hundredths / 100) + ","_t + IntToTextZeros(hundredths % 100, 2);
}

int EanCheckDigit(const Text& digits) {
    int sum = 0;
    bool three = true;
    for (auto it = digits.end(); it != digits.begin();) {
        --it;
        sum += Digit(*it) * (three ? 3 : 1);
        three = !three;
    }
    return (10 - sum % 10) % 10;
}

Text CleanBarcodeData(int symbology, const Text& data, bool checkDigit) {
    if (!DigitsOnly(symbology))
        return data;
    std::size_t from = 0, to = data.size();
    while (from < to && (data[from] == ' ' || data[from] == '\t'))
        ++from;
    while (to > from && (data[to - 1] == ' ' || data[to - 1] == '\t'))
        --to;
    Text digits;
    for (std::size_t i = from; i < to; ++i)
        digits += std::isdigit(data.Code(i)) ? data[i] : '0';
    const std::size_t length = symbology == kBcEan8       ? 8
                               : symbology == kBcEan13    ? 13
                               : symbology == kBcUpcA     ? 12
                               : symbology == kBcUpcSupp2 ? 2
                               : symbology == kBcUpcSupp5 ? 5
                                                          : 0;
    if (length == 0)
        return digits;
    digits = PaddedRight(digits, length);
    if (checkDigit && (symbology == kBcEan8 || symbology == kBcEan13 || symbology == kBcUpcA))
        digits.back() = static_cast<char>('0' + EanCheckDigit(digits.substr(0, length - 1)));
    return digits;
}

TBarcodeSymbol EncodeBarcode(int symbology, const Text& d, bool checkDigit) {
    if (d.empty() && symbology != kBcCodabar)
        return {{}, d, false};
    switch (symbology) {
        case kBc25Interleaved:
            return Interleaved25(d);
        case kBc25Industrial:
            return Industrial25(d);
        case kBc25Matrix:
            return Matrix25(d);
        case kBcCode39:
            return Code39(d, checkDigit);
        case kBcCode39Full:
            return Code39Full(d, checkDigit);
        case kBcCode128A:
        case kBcCode128B:
        case kBcCode128C:
            return Code128(d, symbology);
        case kBcCode93:
            return Code93(d, false);
        case kBcCode93Full:
            return Code93(d, true);
        case kBcMsi:
            return Msi(d);
        case kBcPostNet:
            return PostNet(d);
        case kBcCodabar:
            return Codabar(d);
        case kBcEan8:
            return Ean8(d);
        case kBcEan13:
            return Ean13(d);
        case kBcUpcA: {
            TBarcodeSymbol s = Ean13("0"_t + d);
            s.text = d;
            return s;
        }
        case kBcUpcE0:
            return UpcE(d, 0, checkDigit);
        case kBcUpcE1:
            return UpcE(d, 1, checkDigit);
        case kBcUpcSupp2:
        case kBcUpcSupp5:
            return Supplement(d);
        default:
            return {{}, d, false};
    }
}

}  // namespace axo::report
