// Sections and groups of a report: the five fixed sections, the header and footer sections of
// each group, and a group's break state while a report runs.
#pragma once

#include <memory>
#include <vector>

#include "report/model/Element.h"
#include "util/Text.h"

namespace axo::report {

/// Section numbers: the five fixed sections, then 2g + 5 and 2g + 6 for group g.
inline constexpr int kReportStart = 0;
inline constexpr int kPageHeader = 1;
inline constexpr int kBody = 2;
inline constexpr int kReportEnd = 3;
inline constexpr int kPageFooter = 4;
inline constexpr int kFixedSections = 5;
constexpr int GroupHeaderSection(int group) {
    return 2 * group + 5;
}
constexpr int GroupFooterSection(int group) {
    return 2 * group + 6;
}

/// The designer's name of a section ("Začátek sestavy", "Začátek skupiny" ...).
Text SectionName(int number);
/// The template's line code of a section: "Z", "H", "T", "K", "P", "S"g, "U"g.
Text SectionCode(int number);

/// "Prvek 3 oddílu "Tělo sestavy" (Položka tabulky)": element `index` (from 0) of a section
/// as messages name it.
Text ElementLabel(int section, int index, const TSiReportElement& e);

/// One section (`TOddilSestavy`); it owns its elements.
struct TOddilSestavy {
    int number = 0;
    int height = 0;
    bool visible = true;
    int columns = 1;  ///< copied from the report when the template is read
    int columnGap = 0;
    std::vector<TSiReportElement> elements;

    /// Its height when visible, 0 otherwise.
    int EffectiveHeight() const { return visible ? height : 0; }
};

/// One group (`TPolSkup`): its expression, new-page flag and break state; the sections it
/// owns are `header` and `footer` of the report's section list.
struct TPolSkup {
    int number = 0;
    Text expression;  ///< normalised: a field number or name becomes "#" + field
    bool newPage = false;
    int header = 0;  ///< section number
    int footer = 0;

    // ---- Run state --------------------------------------------------------------------------

    Text previousValue;  ///< the expression's text at the last change
    bool changed = false;
    int rowInGroup = 1;  ///< variable 5 + 2g
    int groupCount = 1;  ///< variable 6 + 2g

    /// "Skupina" and the group number counted from 1.
    Text Name() const;
};

/// A group expression as a template gives it, normalised: a text of letters, digits and
/// underscores that is a field number d counted from 0 becomes "#" + (d + 1), one that starts
/// with a letter or underscore becomes "#" + the text; anything else is kept as an expression.
Text NormaliseGroupExpression(const Text& expression);

}  // namespace axo::report
