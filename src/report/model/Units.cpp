// Units, colours and fonts of the report engine.
#include "report/model/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "util/Retezce.h"

namespace axo::report {

namespace {

constexpr std::array<DisplayUnit, kDisplayUnitCount> kDisplayUnits = {{
    {"0,01 inch", 1.0, "[%5.2f;%5.2f] inch"},
    {"0,1 mm", 2.54, "[%5.2f;%5.2f] cm"},
    {"0,1 pica", 0.6, "[%5.1f;%5.1f] pica"},
    {"1 point", 0.72, "[%5.0f;%5.0f] point"},
    {"10 twips", 1.44, "[%5.0f;%5.0f] twip"},
}};

constexpr std::array<const char*, kPaletteSize> kPaletteNames = {
    "černá",      "kaštanová", "zelená",       "olivová", "ultramarínová", "purpurová",
    "šedozelená", "šedá",      "stříbrná",     "červená", "žlutozelená",   "žlutá",
    "modrá",      "růžová",    "akvamarínová", "bílá"};

constexpr std::array<int, kCharsetCount> kCharsets = {0, 161, 162, 186, 238, 204, 2, 1};
constexpr std::array<const char*, kCharsetCount> kCharsetNames = {
    "západní", "řecký", "turecký", "pobaltský", "středoevropský", "cyrilice", "symboly", "default"};

long Round(double x) {
    return std::lround(x);
}

}  // namespace

const DisplayUnit& DisplayUnitOf(int index) {
    return kDisplayUnits[std::clamp(index, 0, kDisplayUnitCount - 1)];
}

int UnitsToDisplay(int units, int unitIndex) {
    return static_cast<int>(Round(units * DisplayUnitOf(unitIndex).factor));
}

int DisplayToUnits(int value, int unitIndex) {
    return static_cast<int>(Round(value / DisplayUnitOf(unitIndex).factor));
}

Text PositionText(int x, int y, int unitIndex) {
    const DisplayUnit& unit = DisplayUnitOf(unitIndex);
    // The factor gives hundredths of an inch, tenths of a millimetre, tenths of a pica, points
    // and tens of twips; the shown value is in the unit the format names.
    constexpr double kShownScale[kDisplayUnitCount] = {0.01, 0.01, 0.1, 1, 10};
    const double scale = kShownScale[std::clamp(unitIndex, 0, kDisplayUnitCount - 1)];
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, unit.format, x * unit.factor * scale,
                  y * unit.factor * scale);
    return Text::FromBytes(buffer);
}

Text PaletteName(int index) {
    return index >= 0 && index < kPaletteSize ? FromUtf8(kPaletteNames[index]) : Text();
}

Colour ColourFromField(long long value) {
    if (value >= 0 && value < kPaletteSize)
        return kPalette[value];
    return static_cast<Colour>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

long long ColourToField(Colour colour) {
    for (int i = 0; i < kPaletteSize; ++i)
        if (kPalette[i] == colour)
            return i;
    return colour;
}

int CharsetOfIndex(int index) {
    return index >= 0 && index < kCharsetCount ? kCharsets[index] : 1;
}

int IndexOfCharset(int charset) {
    for (int i = 0; i < kCharsetCount; ++i)
        if (kCharsets[i] == charset)
            return i;
    return 7;
}

Text CharsetName(int index) {
    return index >= 0 && index < kCharsetCount ? FromUtf8(kCharsetNames[index]) : Text();
}

std::optional<FontWithoutSuffix> StripNationalSuffix(const Text& fontName) {
    static const struct {
        const char* suffix;
        int charset;
    } kSuffixes[] = {{" CE", 238}, {" Greek", 161}, {" TUR", 162}, {" Baltic", 186}, {" CYR", 204}};
    for (const auto& s : kSuffixes) {
        const Text suffix = Text::FromBytes(s.suffix);
        if (fontName.size() > suffix.size() && fontName.EndsWith(suffix))
            return FontWithoutSuffix{fontName.substr(0, fontName.size() - suffix.size()),
                                     s.charset};
    }
    return std::nullopt;
}

std::optional<DeviceFont> DeviceFontOf(const Text& fontName) {
    if (!fontName.StartsWith("Roman "_t))
        return std::nullopt;
    DeviceFont f;
    const Text upper = UpperCase(fontName);
    f.cpi = upper.find("12CPI"_t) != Text::npos   ? 12
            : upper.find("17CPI"_t) != Text::npos ? 17
                                                  : 10;
    f.screenFace = "Courier New"_t;
    f.screenSize = f.cpi == 12 ? 10 : f.cpi == 17 ? 8 : 11;
    f.cellWidth = 100.0 / f.cpi;
    return f;
}

int FontSizeFromField(long long value) {
    if (value >= 0)
        return static_cast<int>(std::min<long long>(value, 32767));
    // A height in units: 100 units are 72 points.
    return static_cast<int>(std::min<long long>(std::llround(-value * 72.0 / 100.0), 32767));
}

}  // namespace axo::report
