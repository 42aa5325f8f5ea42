// The per-record computation of a report run.
#include "report/run/Computation.h"

#include <cmath>

#include "report/model/DateMask.h"
#include "report/model/NumberMask.h"
#include "util/Cisla.h"
#include "util/Datum.h"

namespace axo::report {

namespace {

/// Host-fed mode: the field names and value texts the host keeps in the report.
class HostFedBridge : public TBridge {
  public:
    explicit HostFedBridge(TSestavaTyp& r) : r_(r) {}
    int FieldCount() const override { return r_.FieldCount(); }
    Text FieldName(int field) const override { return r_.GetFieldName(field); }
    int FieldType(int) const override { return kFtUnknown; }
    Text FieldText(int field) const override {
        return field >= 0 && field < static_cast<int>(r_.fieldValues.size())
                   ? r_.fieldValues[static_cast<std::size_t>(field)]
                   : Text();
    }
    double FieldNumber(int field) const override { return TextToNumber(FieldText(field)); }
    int Step(int dir) override {
        if (r_.events.onStepData)
            return r_.events.onStepData(r_, dir);
        // Without stepping the host's values are the one record.
        return dir == kStepNext ? kAfterLast : dir == kStepPrior ? kBeforeFirst : 0;
    }

  private:
    TSestavaTyp& r_;
};

enum class NumberMode { kZero, kDirect, kFromText, kBoolean };

}  // namespace

struct ReportComputation::FieldInfo {
    int type = kFtUnknown;
    bool nullable = false;
    ValueType valueType = ValueType::kNone;
    NumberMode number = NumberMode::kZero;
    bool memo = false;
};

struct ReportComputation::Binding {
    Expression condition;
    Expression content;  ///< barcode
    int field = -1;
    int function = -1;
};

ReportComputation::ReportComputation(TSestavaTyp& report) : report_(report) {}
ReportComputation::~ReportComputation() = default;

TBridge* ReportComputation::Bridge() {
    if (report_.events.onGetData) {
        if (!hostFed_)
            hostFed_ = std::make_unique<HostFedBridge>(report_);
        return hostFed_.get();
    }
    return report_.dataSource;
}

void ReportComputation::ReadFieldLists() {
    if (report_.events.onGetData || !report_.dataSource)
        return;
    std::vector<Text> names;
    std::vector<Text> captions;
    for (int i = 0; i < report_.dataSource->FieldCount(); ++i) {
        names.push_back(report_.dataSource->FieldName(i));
        captions.push_back(report_.dataSource->FieldCaption(i));
    }
    report_.SetFieldNames(names);
    report_.fieldCaptions = std::move(captions);
}

void ReportComputation::Warn(int section, int index, const TSiReportElement& e, const Text& what) {
    warnings_.push_back(ElementLabel(section, index, e) + ": "_t + what);
}

void ReportComputation::BindElement(int section, int index, const TSiReportElement& e, Binding& b) {
    const auto notPrinted = "; tiskne se prázdný."_t;
    if (e.kind == kDataField || e.kind == kFieldCaption) {
        if (e.FollowsName()) {
            b.field = report_.IndexOfField(e.referenceName);
            if (b.field < 0)
                Warn(section, index, e,
                     "neznámá položka \""_t + e.referenceName + "\""_t + notPrinted);
        } else if (e.referenceNumber < report_.FieldCount()) {
            b.field = e.referenceNumber;
        } else {
            Warn(section, index, e,
                 "položka číslo "_t + IntToText(e.referenceNumber) + " (zdroj dat jich má "_t +
                     IntToText(report_.FieldCount()) + ")"_t + notPrinted);
        }
    } else if (e.kind == kFunction) {
        b.function = e.FollowsName() ? report_.IndexOfFunction(e.referenceName)
                     : e.referenceNumber < static_cast<int>(report_.functions.size())
                         ? e.referenceNumber
                         : -1;
        if (b.function < 0)
            Warn(section, index, e,
                 "neznámá funkce \""_t +
                     (e.FollowsName() ? e.referenceName : IntToText(e.referenceNumber)) + "\""_t +
                     notPrinted);
    } else if (e.kind == kVariable && e.referenceNumber >= report_.VariableCount()) {
        Warn(section, index, e,
             "neznámá proměnná číslo "_t + IntToText(e.referenceNumber) + notPrinted);
    }
    b.condition = Expression::Parse(e.printCondition, *this);
    if (!b.condition.Ok())
        Warn(section, index, e, "podmínka tisku: "_t + ExprCheckMessage(b.condition.Error()));
    if (e.kind == kBarcode) {
        b.content = Expression::Parse(e.text, *this);
        if (!b.content.Ok())
            Warn(section, index, e, "obsah: "_t + ExprCheckMessage(b.content.Error()));
    }
}

void ReportComputation::Prepare() {
    warnings_.clear();
    ReadFieldLists();
    TBridge* bridge = Bridge();
    const bool hostFed = static_cast<bool>(report_.events.onGetData);
    fields_.assign(static_cast<std::size_t>(report_.FieldCount()), FieldInfo{});
    for (int i = 0; i < report_.FieldCount(); ++i) {
        FieldInfo& f = fields_[static_cast<std::size_t>(i)];
        f.type = bridge && !hostFed ? bridge->FieldType(i) : kFtUnknown;
        if (report_.events.onGetDataType)
            report_.events.onGetDataType(report_, i, f.type);
        f.valueType = IsNumberValueType(f.type) ? ValueType::kNumber
                      : IsTextValueType(f.type) ? ValueType::kText
                                                : ValueType::kNone;
        f.number = hostFed || ReadsNumberFromText(f.type) ? NumberMode::kFromText
                   : f.type == kFtBoolean                 ? NumberMode::kBoolean
                   : ReadsNumberDirectly(f.type)          ? NumberMode::kDirect
                                                          : NumberMode::kZero;
        f.memo = IsMemoType(f.type);
        f.nullable = bridge && !hostFed && bridge->MayBeNull(i);
    }
    functionExpressions_.clear();
    functionNeeds_.clear();
    for (const TRadekFunkce& f : report_.functions) {
        functionExpressions_.push_back(Expression::Parse(f.expression, *this));
        functionNeeds_.push_back(f.resultType == 1 ? Need::kText : Need::kNumber);
        if (!functionExpressions_.back().Ok())
            warnings_.push_back("Funkce \""_t + f.name + "\": "_t +
                                ExprCheckMessage(functionExpressions_.back().Error()));
    }
    groupExpressions_.clear();
    for (const TPolSkup& g : report_.groups) {
        groupExpressions_.push_back(Expression::Parse(g.expression, *this));
        if (!groupExpressions_.back().Ok())
            warnings_.push_back(g.Name() + ": "_t +
                                ExprCheckMessage(groupExpressions_.back().Error()));
    }
    groupTexts_.assign(report_.groups.size(), Text());
    groupTextValid_.assign(report_.groups.size(), false);
    bindings_.assign(report_.sections.size(), {});
    for (std::size_t s = 0; s < report_.sections.size(); ++s) {
        const auto& elements = report_.sections[s].elements;
        bindings_[s].resize(elements.size());
        for (std::size_t i = 0; i < elements.size(); ++i)
            if (IsKnownKind(elements[i].kind))
                BindElement(static_cast<int>(s), static_cast<int>(i), elements[i], bindings_[s][i]);
    }
}

int ReportComputation::Step(int dir) {
    TBridge* bridge = Bridge();
    const int result = bridge ? bridge->Step(dir) : kBeforeFirstAndAfterLast;
    GetData();
    return result;
}

void ReportComputation::GetData() {
    groupTextValid_.assign(groupTextValid_.size(), false);
    if (report_.events.onGetData)
        report_.events.onGetData(report_);
}

const Text& ReportComputation::GroupText(int group) {
    const auto g = static_cast<std::size_t>(group);
    if (!groupTextValid_[g]) {
        TCalcType v = groupExpressions_[g].Evaluate(*this, Need::kText);
        v.EnsureText();
        groupTexts_[g] = std::move(v.text);
        groupTextValid_[g] = true;
    }
    return groupTexts_[g];
}

void ReportComputation::StartRun(const DateTime& now) {
    report_.printDateTime = now;
    report_.rowNumber = 1;
    report_.pageNumber = 1;
    report_.recordsPrinted = 0;
    report_.stopped = false;
    report_.pageBreakRequest = false;
    for (std::size_t g = 0; g < report_.groups.size(); ++g) {
        TPolSkup& group = report_.groups[g];
        group.previousValue = GroupText(static_cast<int>(g));
        group.changed = false;
        group.rowInGroup = 1;
        group.groupCount = 1;
    }
    for (TRadekFunkce& f : report_.functions)
        f.skipNulls = report_.allowNullValues;
    RequestReset(kResetAll);
}

int ReportComputation::DetectGroupChanges() {
    int first = -1;
    for (std::size_t g = 0; g < report_.groups.size(); ++g) {
        if (first < 0 && GroupText(static_cast<int>(g)) != report_.groups[g].previousValue)
            first = static_cast<int>(g);
        if (first >= 0)
            report_.groups[g].changed = true;
    }
    return first;
}

void ReportComputation::AcceptGroups() {
    for (std::size_t g = 0; g < report_.groups.size(); ++g) {
        TPolSkup& group = report_.groups[g];
        if (group.changed) {
            const bool enclosingChanged = g > 0 && report_.groups[g - 1].changed;
            group.rowInGroup = 1;
            group.groupCount = enclosingChanged ? 1 : group.groupCount + 1;
        } else {
            ++group.rowInGroup;
        }
        group.previousValue = GroupText(static_cast<int>(g));
    }
}

void ReportComputation::RequestReset(int level) {
    for (TRadekFunkce& f : report_.functions)
        if (level == kResetAll || f.resetLevel == level)
            f.resetPending = true;
}

void ReportComputation::LoadValues(LoadScope scope) {
    for (std::size_t s = 0; s < report_.sections.size(); ++s) {
        if ((s == kReportStart && scope != LoadScope::kStart) ||
            (s == kReportEnd && scope != LoadScope::kEnd))
            continue;
        auto& elements = report_.sections[s].elements;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            TSiReportElement& e = elements[i];
            if (e.kind == kDataField) {
                const int field = bindings_[s][i].field;
                e.value = field >= 0 ? FieldValue(field) : TCalcType::Empty();
            } else if (e.kind == kVariable) {
                e.value = VariableValue(e.referenceNumber);
            }
        }
    }
}

void ReportComputation::ComputeFunctions() {
    for (std::size_t i = 0; i < report_.functions.size(); ++i) {
        functionExpressions_[i].EvaluateInto(*this, functionNeeds_[i], scratch_);
        report_.functions[i].Take(scratch_);
    }
    if (report_.events.onVypoctiFunkce)
        report_.events.onVypoctiFunkce(report_);
}

void ReportComputation::EvaluateConditions() {
    for (std::size_t s = 0; s < report_.sections.size(); ++s) {
        auto& elements = report_.sections[s].elements;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            TSiReportElement& e = elements[i];
            const Binding& b = bindings_[s][i];
            if (e.kind == kBarcode)
                e.value = b.content.Evaluate(*this, Need::kText);
            bool printable = true;
            if (!b.condition.IsEmpty()) {
                const TCalcType v = b.condition.Evaluate(*this, Need::kNumber);
                printable = !v.isNull && v.number > 0;
            }
            if (e.hostDecides == 1 && report_.events.onPrintElement)
                report_.events.onPrintElement(report_, e.font, e.identifier, printable);
            e.printable = printable;
        }
    }
}

void ReportComputation::NewPage() {
    ++report_.pageNumber;
    for (TOddilSestavy& s : report_.sections)
        for (TSiReportElement& e : s.elements)
            if (e.kind == kVariable)
                e.value = VariableValue(e.referenceNumber);
}

bool ReportComputation::PrintsSection(int section) {
    const TOddilSestavy* s = report_.Section(section);
    if (!s || !s->visible)
        return false;
    bool print = true;
    if (report_.events.onTiskOddilu)
        report_.events.onTiskOddilu(report_, section, print);
    return print;
}

Text ReportComputation::VariableText(const TSiReportElement& e) const {
    const TCalcType& v = e.value;
    const int n = e.referenceNumber;
    if (n == kVarPrintDate || n == kVarPrintTime)
        return e.text.empty() ? v.text : FormatDateTimeMask(v.number, e.text);
    if (n >= report_.VariableCount() || n < 0)
        return {};
    return e.text.empty() ? IntToText(std::llround(v.number)) : FormatNumberMask(v.number, e.text);
}

int ReportComputation::ElementField(int section, int element) const {
    if (section < 0 || section >= static_cast<int>(bindings_.size()))
        return -1;
    const auto& elements = bindings_[static_cast<std::size_t>(section)];
    return element >= 0 && element < static_cast<int>(elements.size())
               ? elements[static_cast<std::size_t>(element)].field
               : -1;
}

Text ReportComputation::ElementText(int section, int element) {
    const TOddilSestavy* s = report_.Section(section);
    if (!s || element < 0 || element >= static_cast<int>(s->elements.size()))
        return {};
    const TSiReportElement& e = s->elements[static_cast<std::size_t>(element)];
    const Binding& b =
        bindings_[static_cast<std::size_t>(section)][static_cast<std::size_t>(element)];
    switch (e.kind) {
        case kGraphicText:
            return e.text;
        case kDataField:
            return e.value.text;
        case kFieldCaption:
            return b.field >= 0 ? report_.GetFieldCaption(b.field) : Text();
        case kParameter:
            return report_.Parameter(e.referenceNumber);
        case kVariable:
            return VariableText(e);
        case kFunction:
            return b.function >= 0
                       ? report_.functions[static_cast<std::size_t>(b.function)].ResultText()
                       : Text();
        default:
            return {};
    }
}

TCalcType ReportComputation::VariableValue(int n) const {
    const DateTime& t = report_.printDateTime;
    TCalcType v;
    switch (n) {
        case kVarPrintDate:
            v = TCalcType::Number(DateTimeSerial({t.year, t.month, t.day, 0, 0, 0, 0}));
            v.text = DateText(t.day, t.month, t.year);
            v.hasText = true;
            return v;
        case kVarPrintTime:
            v = TCalcType::Number(DateTimeSerial({1899, 12, 30, t.hour, t.minute, t.second, 0}));
            v.text = IntToTextZeros(t.hour, 2) + ":"_t + IntToTextZeros(t.minute, 2) + ":"_t +
                     IntToTextZeros(t.second, 2);
            v.hasText = true;
            return v;
        case kVarRow:
            return TCalcType::NumberWithText(report_.rowNumber);
        case kVarPage:
            return TCalcType::NumberWithText(report_.pageNumber);
        case kVarTotalPages:
            return TCalcType::NumberWithText(report_.totalPages);
        default:
            break;
    }
    if (n < 0 || n >= report_.VariableCount())
        return TCalcType::Empty();
    const TPolSkup& g = report_.groups[static_cast<std::size_t>((n - 5) / 2)];
    return TCalcType::NumberWithText(n % 2 == 1 ? g.rowInGroup : g.groupCount);
}

TCalcType ReportComputation::FieldValue(int field) {
    TCalcType v;
    Field(field, Need::kText, v);
    return v;
}

int ReportComputation::FieldAlignment(int field) {
    TBridge* bridge = Bridge();
    int alignment = bridge && !report_.events.onGetData ? bridge->FieldAlignment(field) : 0;
    if (report_.events.onGetAlignment)
        report_.events.onGetAlignment(report_, field, alignment);
    return alignment;
}

int ReportComputation::FieldType(int field) const {
    return field >= 0 && field < static_cast<int>(fields_.size())
               ? fields_[static_cast<std::size_t>(field)].type
               : kFtUnknown;
}

TCalcType ReportComputation::EvaluateText(const Text& expression, Need need, ExprError* error) {
    return Expression::Parse(expression, *this).Evaluate(*this, need, error);
}

// ---- NameScope ------------------------------------------------------------------------------

int ReportComputation::FieldIndex(const Text& name) const {
    return report_.IndexOfField(name);
}

int ReportComputation::FieldCount() const {
    return report_.FieldCount();
}

bool ReportComputation::FieldIsText(int field) const {
    return field >= 0 && field < static_cast<int>(fields_.size()) &&
           fields_[static_cast<std::size_t>(field)].valueType == ValueType::kText;
}

int ReportComputation::FunctionIndex(const Text& name) const {
    return report_.IndexOfFunction(name);
}

int ReportComputation::FunctionCount() const {
    return static_cast<int>(report_.functions.size());
}

bool ReportComputation::FunctionIsText(int function) const {
    return function >= 0 && function < FunctionCount() &&
           report_.functions[static_cast<std::size_t>(function)].resultType == 1;
}

int ReportComputation::VariableCount() const {
    return report_.VariableCount();
}

// ---- ValueSource ----------------------------------------------------------------------------

void ReportComputation::Field(int field, Need need, TCalcType& out) {
    TBridge* bridge = Bridge();
    if (!bridge || field < 0 || field >= static_cast<int>(fields_.size())) {
        out = TCalcType::Empty();
        return;
    }
    const FieldInfo& f = fields_[static_cast<std::size_t>(field)];
    out.type = f.valueType;
    out.isNull = f.nullable && bridge->FieldIsNull(field);
    const bool wantText = need == Need::kText || f.number == NumberMode::kFromText ||
                          (need == Need::kTyped && f.valueType == ValueType::kText);
    if (wantText) {
        out.text = f.memo ? bridge->FieldMemo(field) : bridge->FieldText(field);
        out.hasText = true;
    } else {
        out.text.clear();
        out.hasText = false;
    }
    switch (f.number) {
        case NumberMode::kDirect:
            out.number = bridge->FieldNumber(field);
            break;
        case NumberMode::kFromText:
            out.number = TextToNumber(out.text);
            break;
        case NumberMode::kBoolean:
            out.number = bridge->FieldNumber(field) != 0 ? 1 : 0;
            break;
        case NumberMode::kZero:
            out.number = 0;
            break;
    }
}

void ReportComputation::Parameter(int parameter, TCalcType& out) {
    out = TCalcType::FromText(report_.Parameter(parameter));
}

void ReportComputation::Function(int function, Need need, TCalcType& out) {
    if (function < 0 || function >= FunctionCount()) {
        out = TCalcType::Empty();
        return;
    }
    TRadekFunkce& f = report_.functions[static_cast<std::size_t>(function)];
    out.type = f.value.type;
    out.number = f.value.number;
    out.isNull = f.value.isNull;
    if (need == Need::kText || (need == Need::kTyped && f.value.type == ValueType::kText)) {
        out.text = f.ResultText();
        out.hasText = true;
    } else {
        out.text.clear();
        out.hasText = false;
    }
}

void ReportComputation::Variable(int variable, Need, TCalcType& out) {
    out = VariableValue(variable);
}

}  // namespace axo::report
