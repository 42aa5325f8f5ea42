// The output settings of the printer set-up: the 1307-byte block kept in the parameter vault
// (group 20, item 2, station 0) that says where text printouts go and with which options, and
// the page lengths it gives to listings.
//
// Layout of the block (16-bit values little-endian; texts as length byte + 255 characters,
// Windows-1250, paths with "/"):
//
//   offset  size  meaning
//        0     1  output kind: 0 print module, 1 print manager, 2 text file, 3 word processor,
//                 4 spreadsheet, 5 HTML file
//        1     1  kind 0: flag (print module switch "/M")
//        2     2  kind 0: number (print module switch "/Z")
//        4     2  reserved
//        6     2  kind 1: narrow page length      8  2  kind 1: wide page length
//       10   256  kind 2: default file name
//      266   256  kind 2: default directory
//      522     1  kind 2: code-page option (0 plain letters, 1 Kamenický, 2 code page 852,
//                 3 Windows-1250 unchanged, 4 UTF-8)
//      523     1  kind 2: no-page-break option
//      524     1  kind 2: frame option (0 frames, 1 "*", 2 "-", "|", "+", 3 blanks)
//      525     2  kind 2: narrow page length    527  2  kind 2: wide page length
//      529     1  kind 3: no-page-break option  530  1  kind 3: frame option
//      531     2  kind 3: narrow page length    533  2  kind 3: wide page length
//      535     1  kind 4: no-page-break option  536  1  kind 4: frame option
//      537     1  kind 5: HTML mode (0 e-mail, 1 e-mail with a message, 2 save)
//      538     1  kind 5: frame option
//      539   256  kind 5: default file name
//      795   256  kind 5: default directory
//     1051   256  kind 5: viewing program (empty: none)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "util/Text.h"

namespace axo::ui {

struct ListingEnvironment;

/// The output kinds of text printouts.
enum class OutputKind : std::uint8_t {
    PrintModule = 0,
    PrintManager = 1,
    TextFile = 2,
    WordProcessor = 3,
    Spreadsheet = 4,
    Html = 5,
};

/// How the lines of a listing are converted for one output kind.
struct LineConversion {
    OutputKind kind = OutputKind::TextFile;
    int frameOption = 0;       ///< 0 frames kept, 1 "*", 2 "-", "|" and "+", 3 blanks
    bool noPageBreak = false;  ///< form feeds dropped (kinds 2-4)
    int codePage = 3;          ///< kind 2 only: see the block layout
};

/// Lines per page for narrow (up to 80 characters) and wide printouts.
struct PageLengths {
    std::uint8_t narrow = 0;
    std::uint8_t wide = 0;
    friend bool operator==(const PageLengths&, const PageLengths&) = default;
};

struct OutputSettings {
    static constexpr std::size_t kBlockSize = 1307;
    static constexpr int kVaultGroup = 20;
    static constexpr int kVaultItem = 2;
    using Block = std::array<std::uint8_t, kBlockSize>;

    std::uint8_t kind = 0;
    bool printModuleFlag = true;
    std::uint16_t printModuleNumber = 100;
    /// The page lengths as stored for kinds 1, 2 and 3 (index 0 unused).
    std::array<std::uint16_t, 4> narrowLength{};
    std::array<std::uint16_t, 4> wideLength{};
    Text textFileName;
    Text textDirectory;
    std::uint8_t textCodePage = 0;
    bool textNoPageBreak = false;
    std::uint8_t textFrame = 0;
    bool wordNoPageBreak = false;
    std::uint8_t wordFrame = 0;
    bool sheetNoPageBreak = false;
    std::uint8_t sheetFrame = 0;
    std::uint8_t htmlMode = 2;
    std::uint8_t htmlFrame = 0;
    Text htmlFileName;
    Text htmlDirectory;
    Text viewer;

    /// The settings of a stored block.
    static OutputSettings FromBlock(const Block& block);
    /// The block of these settings (texts cut to 255 characters).
    Block ToBlock() const;

    /// The page lengths in force: those the block holds for its kind (1, 2 or 3), each taken
    /// only when it is 20 to 255, else the installation's default.
    PageLengths PageLengthsOr(const PageLengths& defaults) const;
    /// How lines are converted for `kind` (2 to 5).
    LineConversion ConversionFor(OutputKind kind) const;
};

/// The output settings of the running installation: the stored block, or without one kind 0
/// with the flag on and the number 100.
OutputSettings LoadOutputSettings(const ListingEnvironment& env);

/// The page lengths a new listing gets: from the stored block, else the installation's.
PageLengths CurrentPageLengths(const ListingEnvironment& env);

}  // namespace axo::ui
