// Names and derived meanings of report elements.
#include "report/model/Element.h"

#include <algorithm>

namespace axo::report {

Text ElementKindName(int kind) {
    switch (kind) {
        case kGraphicText:
            return "Grafický text"_t;
        case kDataField:
            return "Položka tabulky"_t;
        case kFieldCaption:
            return "Popis položky"_t;
        case kParameter:
            return "Parametr"_t;
        case kVariable:
            return "Proměnná"_t;
        case kFunction:
            return "Funkce"_t;
        case kLine:
            return "Úsečka"_t;
        case kRectangle:
            return "Rámeček"_t;
        case kRoundRectangle:
            return "Zaoblený rámeček"_t;
        case kEllipse:
            return "Elipsa"_t;
        case kPicture:
            return "Obrázek"_t;
        case kBarcode:
            return "Čárový kód"_t;
        case kDrawingArea:
            return "Kreslicí plocha"_t;
        case kDetail:
            return "Detail"_t;
        default:
            return "Neznámý"_t;
    }
}

bool TSiReportElement::IsVariableHeight() const {
    if (IsTextKind(kind))
        return (textOptions & kTextVariableHeight) != 0;
    return kind == kDrawingArea && (options & kDrawingVariableHeight) != 0;
}

int TSiReportElement::ResolutionFactor() const {
    return std::clamp(fillStyle, 1, 6);
}

}  // namespace axo::report
