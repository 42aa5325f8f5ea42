// The page model a prepared report leaves behind: pages (`TStranaPrvku`) of placed elements
// (`TVystPrvek`) with their boxes, laid-out lines (`TRadky`) and every character's position,
// in the engine's units relative to the printable area. Printing, the preview and every
// output draw these pages; none of them lays out again.
#pragma once

#include <memory>
#include <vector>

#include "report/model/Element.h"
#include "report/model/Report.h"
#include "util/Text.h"

namespace axo::report {

/// Sub-units of text layout: 1/72 of a unit.
inline constexpr int kSubUnits = 72;

/// The character settings of a fragment.
struct TCharStyle {
    Text face;  ///< the font name as the template or the RTF text gives it
    int charset = 0;
    double size = 0;  ///< points
    Colour colour = kBlack;
    int style = 0;  ///< kBold, kItalic, kUnderline, kStrikeOut

    friend bool operator==(const TCharStyle&, const TCharStyle&) = default;
};

/// A run of characters with one style (`TFragment`): characters [first, first + count) of the
/// laid-out text, their positions in `TRadky::x`, and the position after the last one.
struct TFragment {
    int style = 0;  ///< index into `TRadky::styles`
    int first = 0;
    int count = 0;
    int end = 0;  ///< sub-units from the line's start
};

/// One laid-out line (`TRadek`): fragments [firstFragment, firstFragment + fragmentCount).
struct TRadek {
    int firstFragment = 0;
    int fragmentCount = 0;
    int height = 144;  ///< sub-units
    int offset = 0;    ///< sub-units, from the alignment
    int width = 0;     ///< sub-units
    bool wrapped = false;
    bool paragraphStart = true;
};

/// A laid-out text (`TRadky`): its lines, fragments, characters (Windows-1250), each
/// character's x in sub-units from its line's start, and the styles its fragments use.
/// Lines [first, last] are the ones a placed element shows.
struct TRadky {
    std::vector<TRadek> lines;
    std::vector<TFragment> fragments;
    Text chars;
    std::vector<int> x;
    std::vector<TCharStyle> styles;
    int first = 0;
    int last = -1;

    bool Empty() const { return lines.empty(); }
    /// (72 + the sum of the heights of lines [from, to]) div 72 units; 0 without lines.
    int Height(int from = 0, int to = -1) const;
    /// How many lines from `from` on fit into `height` units: taken while 72 + the sum of
    /// their heights stays at or below height x 72.
    int LinesThatFit(int from, int height) const;
    /// The characters of line `n` as one text.
    Text LineText(int n) const;
};

/// A picture drawn by the host into a drawing area, kept as what it drew.
class TRecordedPicture;

/// A placed element (`TVystPrvek`).
struct TVystPrvek {
    /// What the element looked like when it was placed (kind, font, pen, options ...).
    std::shared_ptr<const TSiReportElement> look;
    int section = 0;
    int left = 0, top = 0, width = 0, height = 0;
    int stacking = 0;
    TRadky lines;
    /// Rotated text and barcode data as one line; the picture file of a picture element.
    Text single;
    std::shared_ptr<const TRecordedPicture> picture;
    bool totalPages = false;  ///< shows "Celkový počet stran" (filled in at the end)

    int Kind() const { return look ? look->kind : 0; }
};

/// A page (`TStranaPrvku`): its placed elements in drawing order.
struct TStranaPrvku {
    std::vector<TVystPrvek> elements;
    int counter = 0;

    /// Adds an element; its place in the drawing order follows from Sort.
    void Add(TVystPrvek element);
    /// Adds an empty element to be filled in place.
    TVystPrvek& Emplace();
    /// Puts the elements in drawing order by the stacking rule: a new element goes before the
    /// first element E where both are text kinds and E's text options are at least the new
    /// one's, or both are graphic kinds (7-12), or (any other pair) the new kind number is at
    /// least E's; otherwise at the end. Inserting one by one by that rule gives drawing areas
    /// and details first (higher kinds first), then the graphics, then the texts by rising
    /// text options, the later added first among equals; Sort orders them so at once.
    void Sort();
};

/// The output of a report (`TSestVystup`): the pages and the settings the outputs take.
struct TSestVystup {
    std::vector<TStranaPrvku> pages;
    TPageSetup page;  ///< the page set-up the pages were laid out for
    int printableWidth = 0, printableHeight = 0;
    int copies = 1;
    int startPage = 1, endPage = 9999;
    int exportLanguage = 0;
    int lineSpacing = 0;  ///< of the template's raster: rows of the character grid
    bool cancelled = false;
    /// The background picture, when the outputs are to draw it.
    TBackground background;
    bool printBackground = false;
    /// Czech messages of the layout (a band that could not be placed, ...).
    std::vector<Text> messages;

    int PageCount() const { return static_cast<int>(pages.size()); }
    /// The page of `index` (from 0), created with the pages before it when missing.
    TStranaPrvku& Page(int index);
};

}  // namespace axo::report
