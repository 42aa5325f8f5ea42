// One element of a report section (`TSiReportElement`): its kind, box, font or pen, content and
// print condition as a template stores them, and the values a run gives it.
#pragma once

#include <cstdint>

#include "report/model/CalcValue.h"
#include "report/model/Units.h"
#include "util/Text.h"

namespace axo::report {

/// Element kinds (the designer's names in `ElementKindName`).
enum ElementKind : int {
    kGraphicText = 1,  ///< literal text
    kDataField = 2,    ///< value of a data field
    kFieldCaption = 3,
    kParameter = 4,
    kVariable = 5,  ///< engine variable formatted by the mask
    kFunction = 6,  ///< value of a user function
    kLine = 7,
    kRectangle = 8,
    kRoundRectangle = 9,
    kEllipse = 10,
    kPicture = 11,
    kBarcode = 12,
    kDrawingArea = 13,
    kDetail = 15,  ///< placeholder of an embedded detail report
};

/// Text kinds 1-6 share one field layout in templates, graphic kinds 7-13 another.
constexpr bool IsTextKind(int kind) {
    return kind >= kGraphicText && kind <= kFunction;
}
constexpr bool IsGraphicKind(int kind) {
    return kind >= kLine && kind <= kDrawingArea;
}
/// Kinds the engine knows; any other element is kept as its template line and not printed.
constexpr bool IsKnownKind(int kind) {
    return IsTextKind(kind) || IsGraphicKind(kind) || kind == kDetail;
}
/// The designer's name of a kind ("Grafický text" ...; "Neznámý" for other kinds).
Text ElementKindName(int kind);

/// Alignment codes.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignCentre = 2;
inline constexpr int kAlignJustified = 3;

/// Text option bits (kinds 1-6), stored with the alignment in bits 0-1.
inline constexpr int kTextRtf = 0x08;
inline constexpr int kTextMultiLine = 0x10;
inline constexpr int kTextJustified = 0x20;
inline constexpr int kTextVariableHeight = 0x40;

/// Option bits: borders of text and picture boxes, edges of a line element.
inline constexpr int kBorderLeft = 0x01;
inline constexpr int kBorderTop = 0x02;
inline constexpr int kBorderRight = 0x04;
inline constexpr int kBorderBottom = 0x08;
inline constexpr int kLineRisingDiagonal = 0x10;
inline constexpr int kLineFallingDiagonal = 0x20;
inline constexpr int kLineEllipse = 0x40;
inline constexpr int kPictureStretch = 0x10;
inline constexpr int kPictureKeepAspect = 0x20;
inline constexpr int kDrawingVariableHeight = 0x40;

/// The font of a text element.
struct TFontSpec {
    Text name;
    int size = 0;  ///< points
    Colour colour = kBlack;
    int style = 0;    ///< kBold, kItalic, kUnderline, kStrikeOut
    int charset = 0;  ///< Windows character set

    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

/// One element. The fields hold what the template holds, so that writing gives back what was
/// read; the accessors give the meanings a run uses.
struct TSiReportElement {
    int kind = kGraphicText;
    /// Literal text (1), format mask (5), picture names (11), barcode content (12).
    Text text;
    /// Field or function name when the element follows a name; empty when it follows
    /// `referenceNumber`.
    Text referenceName;
    /// Field, parameter, variable, function or detail number (from 0); for graphic kinds the
    /// number of template position 3 (the drawing-area index of kind 13).
    int referenceNumber = 0;
    int left = 0, top = 0, width = 0, height = 0;

    TFontSpec font;  ///< text kinds
    /// Alignment in bits 0-1 and the text option bits (kinds 1-6), as stored.
    int textOptions = 0;
    /// Borders, edges, picture and barcode option bits (see above), as stored.
    int options = 0;

    Colour lineColour = kBlack;
    int lineStyle = 0;  ///< pen style; the symbology of a barcode
    int lineWidth = 1;  ///< 0: no outline of kinds 8-10; module width of a barcode
    Colour fillColour = kWhite;
    int fillStyle = 0;  ///< brush style of kinds 8-10; resolution factor of kind 13

    int pitch = 0;  ///< character pitch in units (kinds 1-6, 12); 0 proportional
    int angle = 0;  ///< degrees
    int third = 0;  ///< the third number after the text, kept as read

    Text printCondition;  ///< expression; empty: always printed
    int hostDecides = 0;  ///< 1: the host is asked (`OnPrintElement`)
    Text identifier;      ///< passed to `OnPrintElement`

    /// The template line of an element of unknown kind, written back as it came.
    Text keptLine;

    // ---- Run state --------------------------------------------------------------------------

    TCalcType value;        ///< kinds 2 and 5
    bool printable = true;  ///< condition and host decision for the current record
    Text pictureFile;       ///< the file a picture came from (kinds 2, 11)

    /// The alignment 0-2, or kAlignJustified when the justify bit is set.
    int Alignment() const {
        return (textOptions & kTextJustified) ? kAlignJustified : (textOptions & 0x03);
    }
    bool IsVariableHeight() const;
    /// The pen style a line is drawn with: solid for a line element wider than 1.
    int EffectiveLineStyle() const { return kind == kLine && lineWidth > 1 ? 0 : lineStyle; }
    /// The resolution factor of a drawing area, 1-6.
    int ResolutionFactor() const;
    /// Whether the element follows its field or function by name.
    bool FollowsName() const { return !referenceName.empty(); }
};

}  // namespace axo::report
