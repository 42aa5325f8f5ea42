// The report core: structure operations, field lists, variables and details.
#include "report/model/Report.h"

#include <algorithm>

#include "report/model/CharClass.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::report {

double TRaster::CellWidth() const {
    if (!IsCharacter())
        return 0;
    return pitch == 0 ? 10.0 : pitch == 2 ? 6.0 : 100.0 / 12.0;
}

double TRaster::CellHeight() const {
    if (!IsCharacter())
        return 0;
    return lineSpacing == 1 ? 25.0 : lineSpacing == 2 ? 100.0 / 3.0 : 100.0 / 6.0;
}

int TRaster::StepX() const {
    if (IsCharacter())
        return static_cast<int>(CellWidth());
    return x < 1 ? 8 : x;
}

int TRaster::StepY() const {
    if (IsCharacter())
        return static_cast<int>(CellHeight());
    return y < 1 ? 8 : y;
}

TSestavaTyp::TSestavaTyp() {
    for (int n = 0; n < kFixedSections; ++n) {
        TOddilSestavy s;
        s.number = n;
        sections.push_back(std::move(s));
    }
}

TSestavaTyp::~TSestavaTyp() {
    if (master_)
        master_->DetachDetail(*this);
    for (TSestavaTyp* d : details_)
        d->master_ = nullptr;
}

void TSestavaTyp::SetFieldNames(const std::vector<Text>& names) {
    fieldNames = names;
    fieldValues.clear();
    for (std::size_t i = 0; i < names.size(); ++i)
        fieldValues.push_back("Položka "_t + IntToText(static_cast<long long>(i) + 1));
}

Text TSestavaTyp::GetFieldName(int n) const {
    return n >= 0 && n < FieldCount() ? fieldNames[static_cast<std::size_t>(n)] : IntToText(n);
}

int TSestavaTyp::IndexOfField(const Text& name) const {
    const auto it = std::find(fieldNames.begin(), fieldNames.end(), name);
    return it == fieldNames.end() ? -1 : static_cast<int>(it - fieldNames.begin());
}

Text TSestavaTyp::GetFieldCaption(int n) const {
    return n >= 0 && n < static_cast<int>(fieldCaptions.size())
               ? fieldCaptions[static_cast<std::size_t>(n)]
               : Text();
}

Text TSestavaTyp::GetParameterTitle(int n) const {
    if (n < 0 || n >= static_cast<int>(parametry.size()))
        return IntToText(n);
    return IntToText(n + 1) + ": "_t + parametry[static_cast<std::size_t>(n)];
}

Text TSestavaTyp::Parameter(int n) const {
    return n >= 0 && n < static_cast<int>(parametry.size()) ? parametry[static_cast<std::size_t>(n)]
                                                            : Text();
}

TOddilSestavy* TSestavaTyp::Section(int number) {
    return number >= 0 && number < static_cast<int>(sections.size())
               ? &sections[static_cast<std::size_t>(number)]
               : nullptr;
}

const TOddilSestavy* TSestavaTyp::Section(int number) const {
    return const_cast<TSestavaTyp*>(this)->Section(number);
}

int TSestavaTyp::AddGroup(const Text& expression) {
    TPolSkup g;
    g.number = static_cast<int>(groups.size());
    g.expression = expression;
    g.header = GroupHeaderSection(g.number);
    g.footer = GroupFooterSection(g.number);
    for (int n : {g.header, g.footer}) {
        TOddilSestavy s;
        s.number = n;
        s.columns = columns;
        s.columnGap = columnGap;
        sections.push_back(std::move(s));
    }
    groups.push_back(std::move(g));
    return groups.back().number;
}

void TSestavaTyp::DeleteGroup(int g) {
    if (g < 0 || g >= static_cast<int>(groups.size()))
        return;
    const auto first = sections.begin() + GroupHeaderSection(g);
    sections.erase(first, first + 2);
    groups.erase(groups.begin() + g);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        TPolSkup& group = groups[i];
        group.number = static_cast<int>(i);
        group.header = GroupHeaderSection(group.number);
        group.footer = GroupFooterSection(group.number);
    }
    for (std::size_t n = 0; n < sections.size(); ++n)
        sections[n].number = static_cast<int>(n);
}

void TSestavaTyp::ClearContent() {
    sections.resize(kFixedSections);
    for (TOddilSestavy& s : sections)
        s.elements.clear();
    groups.clear();
}

TRadekFunkce& TSestavaTyp::AddFunction() {
    TRadekFunkce f;
    f.name = DefaultFunctionName(static_cast<int>(functions.size()));
    f.description = f.name;
    functions.push_back(std::move(f));
    return functions.back();
}

void TSestavaTyp::DeleteFunction(int index) {
    if (index < 0 || index >= static_cast<int>(functions.size()))
        return;
    functions.erase(functions.begin() + index);
    for (TRadekFunkce& f : functions)
        f.expression = RenumberFunctionReferences(f.expression, index + 1);
}

int TSestavaTyp::IndexOfFunction(const Text& name) const {
    const Text wanted = NationalUpperCase(name);
    for (std::size_t i = 0; i < functions.size(); ++i)
        if (NationalUpperCase(functions[i].name) == wanted)
            return static_cast<int>(i);
    return -1;
}

Text TSestavaTyp::VariableName(int n) const {
    switch (n) {
        case kVarPrintDate:
            return "Datum tisku"_t;
        case kVarPrintTime:
            return "Čas tisku"_t;
        case kVarRow:
            return "Pořadové číslo řádku"_t;
        case kVarPage:
            return "Číslo strany"_t;
        case kVarTotalPages:
            return "Celkový počet stran"_t;
        default:
            break;
    }
    if (n < 0 || n >= VariableCount())
        return IntToText(n);
    const int group = (n - 5) / 2 + 1;
    return (n % 2 == 1 ? "Číslo řádku ve skupině "_t : "Číslo skupiny "_t) + IntToText(group);
}

void TSestavaTyp::AttachDetail(TSestavaTyp& detail) {
    if (detail.master_ == this)
        return;
    if (detail.master_)
        detail.master_->DetachDetail(detail);
    detail.master_ = this;
    details_.push_back(&detail);
}

void TSestavaTyp::DetachDetail(TSestavaTyp& detail) {
    details_.erase(std::remove(details_.begin(), details_.end(), &detail), details_.end());
    if (detail.master_ == this)
        detail.master_ = nullptr;
}

Text RenumberFunctionReferences(const Text& expression, int deleted) {
    Text out;
    for (std::size_t i = 0; i < expression.size();) {
        out += expression[i];
        if (expression[i++] != '@')
            continue;
        std::size_t end = i;
        while (end < expression.size() && IsDigit(expression.Code(end)))
            ++end;
        const Text digits = expression.substr(i, end - i);
        const long long n = end == i || end - i > 9 ? 0 : TextToInt(digits);
        out += n > deleted ? IntToText(n - 1) : digits;
        i = end;
    }
    return out;
}

}  // namespace axo::report
