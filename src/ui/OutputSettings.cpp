// Reading and writing the output settings block of the printer set-up.
#include "ui/OutputSettings.h"

#include <algorithm>
#include <cstring>

#include "ui/ListingEnvironment.h"

namespace axo::ui {

namespace {

constexpr std::size_t kKind = 0;
constexpr std::size_t kFlag = 1;
constexpr std::size_t kNumber = 2;
constexpr std::size_t kLengths[4] = {0, 6, 525, 531};  // narrow; the wide one follows at +2
constexpr std::size_t kTextName = 10;
constexpr std::size_t kTextDirectory = 266;
constexpr std::size_t kTextCodePage = 522;
constexpr std::size_t kTextNoBreak = 523;
constexpr std::size_t kTextFrame = 524;
constexpr std::size_t kWordNoBreak = 529;
constexpr std::size_t kWordFrame = 530;
constexpr std::size_t kSheetNoBreak = 535;
constexpr std::size_t kSheetFrame = 536;
constexpr std::size_t kHtmlMode = 537;
constexpr std::size_t kHtmlFrame = 538;
constexpr std::size_t kHtmlName = 539;
constexpr std::size_t kHtmlDirectory = 795;
constexpr std::size_t kViewer = 1051;
constexpr std::size_t kTextField = 256;
static_assert(kViewer + kTextField == OutputSettings::kBlockSize);

std::uint16_t Word(const OutputSettings::Block& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

void PutWord(OutputSettings::Block& b, std::size_t at, std::uint16_t value) {
    b[at] = static_cast<std::uint8_t>(value & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

Text GetText(const OutputSettings::Block& b, std::size_t at) {
    const std::size_t length = std::min<std::size_t>(b[at], kTextField - 1);
    return Text::FromBytes(std::string_view(reinterpret_cast<const char*>(&b[at + 1]), length));
}

void PutText(OutputSettings::Block& b, std::size_t at, const Text& text) {
    const std::size_t length = std::min(text.size(), kTextField - 1);
    b[at] = static_cast<std::uint8_t>(length);
    std::memcpy(&b[at + 1], text.data(), length);
}

/// A stored page length is taken only when a page of it makes sense and fits a byte.
std::uint8_t LengthOr(std::uint16_t stored, std::uint8_t fallback) {
    return stored >= 20 && stored <= 255 ? static_cast<std::uint8_t>(stored) : fallback;
}

}  // namespace

OutputSettings OutputSettings::FromBlock(const Block& b) {
    OutputSettings s;
    s.kind = b[kKind];
    s.printModuleFlag = b[kFlag] != 0;
    s.printModuleNumber = Word(b, kNumber);
    for (int k = 1; k <= 3; ++k) {
        s.narrowLength[k] = Word(b, kLengths[k]);
        s.wideLength[k] = Word(b, kLengths[k] + 2);
    }
    s.textFileName = GetText(b, kTextName);
    s.textDirectory = GetText(b, kTextDirectory);
    s.textCodePage = b[kTextCodePage];
    s.textNoPageBreak = b[kTextNoBreak] != 0;
    s.textFrame = b[kTextFrame];
    s.wordNoPageBreak = b[kWordNoBreak] != 0;
    s.wordFrame = b[kWordFrame];
    s.sheetNoPageBreak = b[kSheetNoBreak] != 0;
    s.sheetFrame = b[kSheetFrame];
    s.htmlMode = b[kHtmlMode];
    s.htmlFrame = b[kHtmlFrame];
    s.htmlFileName = GetText(b, kHtmlName);
    s.htmlDirectory = GetText(b, kHtmlDirectory);
    s.viewer = GetText(b, kViewer);
    return s;
}

OutputSettings::Block OutputSettings::ToBlock() const {
    Block b{};
    b[kKind] = kind;
    b[kFlag] = printModuleFlag ? 1 : 0;
    PutWord(b, kNumber, printModuleNumber);
    for (int k = 1; k <= 3; ++k) {
        PutWord(b, kLengths[k], narrowLength[k]);
        PutWord(b, kLengths[k] + 2, wideLength[k]);
    }
    PutText(b, kTextName, textFileName);
    PutText(b, kTextDirectory, textDirectory);
    b[kTextCodePage] = textCodePage;
    b[kTextNoBreak] = textNoPageBreak ? 1 : 0;
    b[kTextFrame] = textFrame;
    b[kWordNoBreak] = wordNoPageBreak ? 1 : 0;
    b[kWordFrame] = wordFrame;
    b[kSheetNoBreak] = sheetNoPageBreak ? 1 : 0;
    b[kSheetFrame] = sheetFrame;
    b[kHtmlMode] = htmlMode;
    b[kHtmlFrame] = htmlFrame;
    PutText(b, kHtmlName, htmlFileName);
    PutText(b, kHtmlDirectory, htmlDirectory);
    PutText(b, kViewer, viewer);
    return b;
}

PageLengths OutputSettings::PageLengthsOr(const PageLengths& defaults) const {
    if (kind < 1 || kind > 3)
        return defaults;
    return {LengthOr(narrowLength[kind], defaults.narrow),
            LengthOr(wideLength[kind], defaults.wide)};
}

LineConversion OutputSettings::ConversionFor(OutputKind k) const {
    LineConversion c;
    c.kind = k;
    switch (k) {
        case OutputKind::TextFile:
            c.frameOption = textFrame;
            c.noPageBreak = textNoPageBreak;
            c.codePage = textCodePage;
            break;
        case OutputKind::WordProcessor:
            c.frameOption = wordFrame;
            c.noPageBreak = wordNoPageBreak;
            break;
        case OutputKind::Spreadsheet:
            c.frameOption = sheetFrame;
            c.noPageBreak = sheetNoPageBreak;
            break;
        case OutputKind::Html:
            c.frameOption = htmlFrame;
            break;
        default:
            break;
    }
    return c;
}

OutputSettings LoadOutputSettings(const ListingEnvironment& env) {
    OutputSettings::Block block{};
    if (env.loadOutputSettings && env.loadOutputSettings(block.data(), block.size()))
        return OutputSettings::FromBlock(block);
    return OutputSettings{};
}

PageLengths CurrentPageLengths(const ListingEnvironment& env) {
    return LoadOutputSettings(env).PageLengthsOr({env.defaultNarrowLength, env.defaultWideLength});
}

}  // namespace axo::ui
