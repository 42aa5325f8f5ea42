// Code-page conversions, frame characters to HTML and texts to and from XML.
#include "util/Prevody.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace axo {
namespace {

using Dir = CodePageDirection;

// The letters of the conversion tables in their order, without the frame characters.
const Text kTableLetters =
    "aAáÁbBcCčČdDďĎeEéÉěĚfFgGhHiIíÍjJkKlLmMnNňŇoOóÓpPqQrRřŘsSšŠtTťŤuUúÚůŮvVwWxXyYýÝzZžŽÄäËëÖöÜüß§ĽľĹĺŐőŰű"_t;

Text FrameCodes() {
    Text frames;
    for (const FrameChar& f : kFrameChars)
        frames += static_cast<char>(f.code);
    return frames;
}

/// Converts UTF-8 to another code page with the C library, an implementation independent of
/// ours; empty when the library cannot.
std::string IconvFromUtf8(const std::string& utf8, const char* codePage) {
    iconv_t cd = iconv_open(codePage, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string in = utf8;
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        return {};
    out.resize(out.size() - outLeft);
    return out;
}

TEST(PrevodyTest, Cp852AgreesWithTheCLibrary) {
    const Text all = kTableLetters + FrameCodes();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Text ch = all.substr(i, 1);
        // The frame codes are converted as the box characters they stand for.
        const std::string expected = IconvFromUtf8(ListingToUtf8(ch), "CP852");
        ASSERT_FALSE(expected.empty()) << "the C library has no code page 852 for " << ch;
        EXPECT_EQ(expected, ConvertCodePage(ch, Dir::kWin1250ToCp852).Bytes()) << ch;
    }
}

TEST(PrevodyTest, KamenickyCodes) {
    struct Case {
        Text win1250;
        unsigned char kamenicky;
        Text back;  // differs only where Kamenický has no such letter
    } cases[] = {
        {"Č"_t, 0x80, "Č"_t}, {"ü"_t, 0x81, "ü"_t}, {"é"_t, 0x82, "é"_t}, {"ď"_t, 0x83, "ď"_t},
        {"ä"_t, 0x84, "ä"_t}, {"Ď"_t, 0x85, "Ď"_t}, {"Ť"_t, 0x86, "Ť"_t}, {"č"_t, 0x87, "č"_t},
        {"ě"_t, 0x88, "ě"_t}, {"Ě"_t, 0x89, "Ě"_t}, {"Ĺ"_t, 0x8A, "Ĺ"_t}, {"Í"_t, 0x8B, "Í"_t},
        {"ľ"_t, 0x8C, "ľ"_t}, {"ĺ"_t, 0x8D, "ĺ"_t}, {"Ä"_t, 0x8E, "Ä"_t}, {"Á"_t, 0x8F, "Á"_t},
        {"É"_t, 0x90, "É"_t}, {"ž"_t, 0x91, "ž"_t}, {"Ž"_t, 0x92, "Ž"_t}, {"ö"_t, 0x94, "ö"_t},
        {"Ó"_t, 0x95, "Ó"_t}, {"ů"_t, 0x96, "ů"_t}, {"Ú"_t, 0x97, "Ú"_t}, {"ý"_t, 0x98, "ý"_t},
        {"Ö"_t, 0x99, "Ö"_t}, {"Ü"_t, 0x9A, "Ü"_t}, {"Š"_t, 0x9B, "Š"_t}, {"Ľ"_t, 0x9C, "Ľ"_t},
        {"Ý"_t, 0x9D, "Ý"_t}, {"Ř"_t, 0x9E, "Ř"_t}, {"ť"_t, 0x9F, "ť"_t}, {"á"_t, 0xA0, "á"_t},
        {"í"_t, 0xA1, "í"_t}, {"ó"_t, 0xA2, "ó"_t}, {"ú"_t, 0xA3, "ú"_t}, {"ň"_t, 0xA4, "ň"_t},
        {"Ň"_t, 0xA5, "Ň"_t}, {"Ů"_t, 0xA6, "Ů"_t}, {"š"_t, 0xA8, "š"_t}, {"ř"_t, 0xA9, "ř"_t},
        {"§"_t, 0xAD, "§"_t}, {"ß"_t, 0xE1, "ß"_t}, {"─"_t, 0xC4, "─"_t}, {"╩"_t, 0xCA, "╩"_t},
        {"Ë"_t, 'E', "E"_t},  {"ë"_t, 'e', "e"_t},  {"Ő"_t, 0x99, "Ö"_t}, {"ő"_t, 0x94, "ö"_t},
        {"Ű"_t, 0x9A, "Ü"_t}, {"ű"_t, 0x81, "ü"_t},
    };
    for (const Case& c : cases) {
        const Text kam = ConvertCodePage(c.win1250, Dir::kWin1250ToKamenicky);
        ASSERT_EQ(1u, kam.size());
        EXPECT_EQ(c.kamenicky, kam.Code(0)) << c.win1250;
        EXPECT_EQ(c.back, ConvertCodePage(kam, Dir::kKamenickyToWin1250)) << c.win1250;
    }
}

TEST(PrevodyTest, TableRoundTrips) {
    const Text all = kTableLetters + FrameCodes();
    EXPECT_EQ(all,
              ConvertCodePage(ConvertCodePage(all, Dir::kWin1250ToCp852), Dir::kCp852ToWin1250));

    const Text plain = ConvertCodePage(all, Dir::kWin1250ToPlain);
    const Text expectedPlain =
        Text::FromBytes(
            "aAaAbBcCcCdDdDeEeEeEfFgGhHiIiIjJkKlLmMnNnNoOoOpPqQrRrRsSsStTtTuUuUuUvVwW"
            "xXyYyYzZzZAaEeOoUuS\xF5LlLlOoUu") +
        ConvertCodePage(FrameCodes(), Dir::kWin1250ToCp852);
    EXPECT_EQ(expectedPlain, plain);
    // Back from plain only § and the frames return; the letters stay plain.
    EXPECT_EQ(Text::FromBytes("aAaAbBcCcCdDdDeEeEeEfFgGhHiIiIjJkKlLmMnNnNoOoOpPqQrRrRsSsStTtTuUuU"
                              "uUvVwWxXyYyYzZzZAaEeOoUuS") +
                  "§"_t + "LlLlOoUu"_t + FrameCodes(),
              ConvertCodePage(plain, Dir::kPlainToWin1250));
}

TEST(PrevodyTest, CharactersOutsideTheTablesStay) {
    const Text fromWin1250 = "ŕô 12,5 <&> ~"_t;
    for (Dir direction : {Dir::kWin1250ToCp852, Dir::kWin1250ToPlain, Dir::kWin1250ToKamenicky})
        EXPECT_EQ(fromWin1250, ConvertCodePage(fromWin1250, direction))
            << static_cast<int>(direction);
    const Text fromDos = Text::FromBytes("Ab 12,5 <&> ~\xF0");
    for (Dir direction : {Dir::kKamenickyToWin1250, Dir::kCp852ToWin1250, Dir::kPlainToWin1250})
        EXPECT_EQ(fromDos, ConvertCodePage(fromDos, direction)) << static_cast<int>(direction);
    // Ł sits on the code of the frame ┤, so it is converted as the frame.
    EXPECT_EQ(Text::FromBytes("\xB4"), ConvertCodePage("Ł"_t, Dir::kWin1250ToCp852));
    EXPECT_EQ("Čau"_t, ConvertCodePage("Čau"_t, static_cast<Dir>(0)));
    EXPECT_EQ("Čau"_t, ConvertCodePage("Čau"_t, static_cast<Dir>(7)));
}

TEST(PrevodyTest, BoxCharsToHtml) {
    struct Case {
        Text frame;
        std::string entity;
    } cases[] = {
        {"─"_t, "&#9472;"}, {"│"_t, "&#9474;"}, {"┼"_t, "&#9532;"}, {"┌"_t, "&#9484;"},
        {"┐"_t, "&#9488;"}, {"└"_t, "&#9492;"}, {"┘"_t, "&#9496;"}, {"├"_t, "&#9500;"},
        {"┤"_t, "&#9508;"}, {"┬"_t, "&#9516;"}, {"┴"_t, "&#9524;"}, {"═"_t, "&#9552;"},
        {"║"_t, "&#9553;"}, {"╬"_t, "&#9580;"}, {"╔"_t, "&#9556;"}, {"╗"_t, "&#9559;"},
        {"╚"_t, "&#9562;"}, {"╝"_t, "&#9565;"}, {"╠"_t, "&#9568;"}, {"╣"_t, "&#9571;"},
        {"╦"_t, "&#9574;"}, {"╩"_t, "&#9577;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.entity, BoxCharsToHtml(c.frame).Bytes()) << c.frame;
    EXPECT_EQ("a&#9474;č<&>"_t, BoxCharsToHtml("a│č<&>"_t));
    // A wide framed line keeps its right edge.
    const Text line = "│"_t + Text(100, ' ') + "│"_t + Text(100, ' ') + "│"_t;
    EXPECT_EQ(std::string("&#9474;").size() * 3 + 200, BoxCharsToHtml(line).size());
}

TEST(PrevodyTest, TextToXml) {
    struct Case {
        Text text;
        bool attribute;
        std::string expected;
    } cases[] = {
        {"Tom & Jerry"_t, false, "Tom &amp; Jerry"},
        {"a<b>c"_t, false, "a&lt;b&gt;c"},
        {"\"x\""_t, false, "&quot;x&quot;"},
        {"it's"_t, false, "it's"},
        {"it's"_t, true, "it&apos;s"},
        {"Žluťoučký kůň"_t, false, "Žluťoučký kůň"},
        {"Łódź – ‰ €"_t, false, "Łódź – ‰ €"},
        {"│"_t, false, "…"},  // a frame code by its standard meaning
        {Text::FromBytes("\x81"), false, "\xC2\x81"},
        {Text::FromBytes("a\x01"
                         "b\x1F"
                         "c\x7F"),
         false, "a b c\x7F"},
        {"a\rb"_t, false, "a&#13;b"},
        {"a\tb\nc"_t, false, "a\tb\nc"},
        {"a\tb\nc"_t, true, "a&#9;b&#10;c"},
        {Text(130, 'a'), false, std::string(125, 'a')},
        {Text(124, 'a') + "&<"_t, false, std::string(124, 'a') + "&amp;"},
        {""_t, true, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TextToXml(c.text, c.attribute)) << c.text;
}

TEST(PrevodyTest, XmlToText) {
    struct Case {
        std::string xml;
        Text expected;
    } cases[] = {
        {"Tom &amp; Jerry", "Tom & Jerry"_t},
        {"&lt;&gt;&quot;&apos;", "<>\"'"_t},
        {"&#233;&#xE9;&#XE9;&#x159;", "éééř"_t},
        {"&#9472;", "─"_t},  // box characters become frame codes
        {"Žluťoučký", "Žluťoučký"_t},
        {"日本 &#26085;", "?? ?"_t},
        {"&#0;&#x110000;", "??"_t},
        {"&nbsp; a & b &#xZZ; &#; &amp", "&nbsp; a & b &#xZZ; &#; &amp"_t},
        {"\xC3", "?"_t},
        {"a\tb\r\nc", "a\tb\r\nc"_t},
        {std::string(300, 'x'), Text(255, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, XmlToText(c.xml)) << c.xml;
}

Text AllBytes() {
    std::string bytes;
    for (int code = 0; code < 256; ++code)
        bytes.push_back(static_cast<char>(code));
    return Text::FromBytes(bytes);
}

std::vector<Text> RandomTexts(unsigned seed, int count, int minCode, std::size_t maxLength) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(0, static_cast<int>(maxLength));
    std::uniform_int_distribution<int> code(minCode, 255);
    std::vector<Text> texts;
    for (int i = 0; i < count; ++i) {
        Text t;
        for (int n = length(random); n > 0; --n)
            t += static_cast<char>(code(random));
        texts.push_back(t);
    }
    return texts;
}

TEST(PrevodyTest, EveryTextGivesWellFormedXml) {
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed";
    const Text all = AllBytes();
    std::vector<Text> texts = {all, all.substr(125), all.substr(250)};
    const std::vector<Text> random = RandomTexts(20240305, 500, 0, 200);
    texts.insert(texts.end(), random.begin(), random.end());

    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<texts>\n";
    for (const Text& t : texts) {
        doc += "<t a=\"" + TextToXml(t, true) + "\" b='" + TextToXml(t, true) + "'>" +
               TextToXml(t) + "</t>\n";
    }
    doc += "</texts>\n";
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("axo_prevody_" + std::to_string(getpid()) + ".xml");
    std::ofstream(file, std::ios::binary) << doc;
    const int rc = std::system(("xmllint --noout '" + file.string() + "'").c_str());
    std::filesystem::remove(file);
    EXPECT_EQ(0, rc);
}

TEST(PrevodyTest, XmlRoundTripsShortTextsWithoutControlCharacters) {
    const Text all = AllBytes();
    std::vector<Text> texts = {all.substr(32, 125), all.substr(157), "\t\r\n"_t};
    const std::vector<Text> random = RandomTexts(7, 1000, 32, 125);
    texts.insert(texts.end(), random.begin(), random.end());
    for (const Text& t : texts) {
        EXPECT_EQ(t, XmlToText(TextToXml(t))) << t;
        EXPECT_EQ(t, XmlToText(TextToXml(t, true))) << t;
    }
}

}  // namespace
}  // namespace axo
