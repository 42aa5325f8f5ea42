// Section names and codes, group names and the normalisation of group expressions.
#include "report/model/Section.h"

#include "report/model/CharClass.h"
#include "util/Cisla.h"

namespace axo::report {

Text SectionName(int number) {
    switch (number) {
        case kReportStart:
            return "Začátek sestavy"_t;
        case kPageHeader:
            return "Hlava stránky"_t;
        case kBody:
            return "Tělo sestavy"_t;
        case kReportEnd:
            return "Konec sestavy"_t;
        case kPageFooter:
            return "Pata stránky"_t;
        default:
            break;
    }
    if (number < 0)
        return {};
    const int group = (number - kFixedSections) / 2;
    return (number % 2 == 1 ? "Začátek skupiny "_t : "Konec skupiny "_t) + IntToText(group + 1);
}

Text SectionCode(int number) {
    static const char kCodes[] = "ZHTKP";
    if (number >= 0 && number < kFixedSections)
        return Text(1, kCodes[number]);
    if (number < 0)
        return {};
    const int group = (number - kFixedSections) / 2;
    return (number % 2 == 1 ? "S"_t : "U"_t) + IntToText(group);
}

Text ElementLabel(int section, int index, const TSiReportElement& e) {
    return "Prvek "_t + IntToText(index + 1) + " oddílu \""_t + SectionName(section) + "\" ("_t +
           ElementKindName(e.kind) + ")"_t;
}

Text TPolSkup::Name() const {
    return "Skupina "_t + IntToText(number + 1);
}

Text NormaliseGroupExpression(const Text& expression) {
    if (expression.empty())
        return expression;
    bool word = true;
    bool digits = true;
    for (std::size_t i = 0; i < expression.size(); ++i) {
        const unsigned char c = expression.Code(i);
        word = word && IsNameChar(c);
        digits = digits && IsDigit(c);
    }
    if (!word)
        return expression;
    if (digits) {
        // A field number counted from 0 becomes a reference counted from 1; an absurd number
        // is kept, and the expression check reports it.
        if (expression.size() > 3)
            return expression;
        return "#"_t + IntToText(TextToInt(expression) + 1);
    }
    if (IsDigit(expression.Code(0)))
        return expression;
    return "#"_t + expression;
}

}  // namespace axo::report
