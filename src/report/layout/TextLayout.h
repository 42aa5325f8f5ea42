// Text layout of an element: a plain or RTF text broken into lines inside the element's box,
// every character placed in sub-units (1/72 unit), with alignment, justification, tab stops,
// a fixed character pitch and the paragraph settings of the RTF subset the engine knows. The
// same routine serves fixed and variable-height elements, the designer and every output.
#pragma once

#include "report/layout/FontMetrics.h"
#include "report/layout/PageModel.h"

namespace axo::report {

/// What a text is laid out with.
struct TTextInput {
    Text text;
    int boxWidth = 0;  ///< units
    TCharStyle font;
    int alignment = kAlignLeft;  ///< 0 left, 1 right, 2 centre, 3 justified
    bool multiLine = false;
    bool rtf = false;
    double pitch = 0;            ///< units a character advances; 0: proportional
    double fixedLineHeight = 0;  ///< units; 0: lines as high as their characters
};

/// The input for an element showing `text`: its font with printer device fonts replaced (and
/// their character cell as pitch and line height), its alignment, its RTF flag, and
/// multi-line when `multiLine` (the element's bit, a memo field or a variable height).
TTextInput TextInputOf(const TSiReportElement& e, Text text, bool multiLine);

/// Lays out a text. Lines [0, all) are taken; the caller narrows `first`/`last`.
TRadky LayOutText(const TTextInput& input, TFontMetrics& metrics);

/// A rotated text: the whole text on one line, without breaking or alignment.
TRadky LayOutSingleLine(const TTextInput& input, TFontMetrics& metrics);

}  // namespace axo::report
