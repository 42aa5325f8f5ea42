// The engine's measures and conventions: geometry in hundredths of an inch and the designer's
// display units, the 16-colour palette and how templates write colours, the character sets of
// fonts, the printer device fonts with their character cells, and the offered font sizes and
// zoom steps.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "util/Text.h"

namespace axo::report {

/// Units per inch: all geometry is in hundredths of an inch.
inline constexpr int kUnitsPerInch = 100;

// ---- Display units ------------------------------------------------------------------------

/// A display unit of the designer: its name, its factor from engine units and the format of a
/// position shown in it.
struct DisplayUnit {
    const char* name;    ///< UTF-8 ("0,1 mm")
    double factor;       ///< display value = units x factor
    const char* format;  ///< printf format of a position "[x;y] unit"
};
inline constexpr int kDisplayUnitCount = 5;
/// The display unit of index 0-4; the nearest index for any other value.
const DisplayUnit& DisplayUnitOf(int index);
/// Engine units in a display unit, rounded to an integer.
int UnitsToDisplay(int units, int unitIndex);
/// A display value back in engine units, rounded to an integer.
int DisplayToUnits(int value, int unitIndex);
/// A position as the designer shows it ("[ 1.00; 2.00] inch"), from engine units.
Text PositionText(int x, int y, int unitIndex);

// ---- Colours ------------------------------------------------------------------------------

/// Colours are 0xBBGGRR values; negative values (system colours) are kept as they are.
using Colour = std::int32_t;
inline constexpr int kPaletteSize = 16;
inline constexpr std::array<Colour, kPaletteSize> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
/// The designer's name of palette entry `index` ("černá" ... "bílá"); empty outside 0-15.
Text PaletteName(int index);
/// A colour as a template field holds it: 0-15 is a palette entry, anything else the colour.
Colour ColourFromField(long long value);
/// The value a template writes for a colour: its palette index when it is an entry, else the
/// colour itself.
long long ColourToField(Colour colour);

// ---- Fonts --------------------------------------------------------------------------------

/// Font style bits.
inline constexpr int kBold = 1;
inline constexpr int kItalic = 2;
inline constexpr int kUnderline = 4;
inline constexpr int kStrikeOut = 8;

inline constexpr int kCharsetCount = 8;
/// The Windows character set of the designer's charset index (0-7); an index above 7 gives 1.
int CharsetOfIndex(int index);
/// The designer's index of a Windows character set; an unknown one gives 7 ("default").
int IndexOfCharset(int charset);
/// The designer's name of charset index 0-7 ("západní" ... "default"); empty outside.
Text CharsetName(int index);

/// A font name with a national suffix (" CE", " Greek", " TUR", " Baltic", " CYR") as the
/// name without it and the character set the suffix stands for; nullopt for other names.
struct FontWithoutSuffix {
    Text name;
    int charset = 0;
};
std::optional<FontWithoutSuffix> StripNationalSuffix(const Text& fontName);

/// What a printer device font ("Roman 10cpi", "Roman 12cpi", "Roman 17cpi", any name that
/// begins with "Roman ") is drawn as on screen and in exports, with its character cell.
struct DeviceFont {
    int cpi = 10;          ///< characters per inch
    Text screenFace;       ///< "Courier New"
    int screenSize = 11;   ///< points: 10 for 12 cpi, 8 for 17 cpi, 11 otherwise
    int charset = 238;     ///< central European
    double cellWidth = 0;  ///< 100 / cpi units
    double lineHeight = 16.667;
};
/// The device font a name stands for; nullopt for an ordinary font.
std::optional<DeviceFont> DeviceFontOf(const Text& fontName);

/// The sizes the designer offers, in points.
inline constexpr std::array<int, 16> kFontSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                   20, 22, 24, 26, 28, 36, 48, 72};
/// A template's font size field in points: a negative value is a height in units.
int FontSizeFromField(long long value);

/// The zoom steps of preview and designer, in per cent.
inline constexpr std::array<int, 11> kZoomSteps = {32, 40, 50, 64, 75, 83, 100, 120, 150, 200, 300};

}  // namespace axo::report
