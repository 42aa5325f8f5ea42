// Checking a template: expressions and references of every part of the report.
#include "report/template/TemplateCheck.h"

#include <algorithm>

#include "report/expr/Expression.h"
#include "report/template/Template.h"
#include "report/template/TemplateDescribe.h"
#include "util/Cisla.h"

namespace axo::report {

namespace {

/// The names a template's expressions may use: the given fields, the report's functions and
/// variables.
class CheckScope : public NameScope {
  public:
    CheckScope(const TSestavaTyp& r, const std::vector<Text>& fields) : r_(r), fields_(fields) {}
    int FieldIndex(const Text& name) const override {
        const auto it = std::find(fields_.begin(), fields_.end(), name);
        return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
    }
    int FieldCount() const override { return static_cast<int>(fields_.size()); }
    bool FieldIsText(int) const override { return false; }
    int FunctionIndex(const Text& name) const override { return r_.IndexOfFunction(name); }
    int FunctionCount() const override { return static_cast<int>(r_.functions.size()); }
    bool FunctionIsText(int f) const override {
        return r_.functions[static_cast<std::size_t>(f)].resultType == 1;
    }
    int VariableCount() const override { return r_.VariableCount(); }

  private:
    const TSestavaTyp& r_;
    const std::vector<Text>& fields_;
};

/// Every referenced value empty: only errors of the expression itself remain.
class NullValues : public ValueSource {
  public:
    void Field(int, Need, TCalcType& out) override { out = TCalcType::Null(); }
    void Parameter(int, TCalcType& out) override { out = TCalcType::Null(); }
    void Function(int, Need, TCalcType& out) override { out = TCalcType::Null(); }
    void Variable(int, Need, TCalcType& out) override { out = TCalcType::Null(); }
};

class Checker {
  public:
    Checker(const TSestavaTyp& r, const std::vector<Text>& fields, int parameters,
            const Text& indent, TemplateCheckResult& out)
        : r_(r),
          fields_(fields),
          parameters_(parameters),
          indent_(indent),
          out_(out),
          scope_(r, fields) {}

    void Run();

  private:
    void Expression(const Text& label, const Text& source);
    void Element(int section, int index, const TSiReportElement& e);
    void Unresolved(const Text& label, const Text& what) {
        out_.lines.push_back(indent_ + "  "_t + label + ": "_t + what);
        ++out_.errors;
    }

    const TSestavaTyp& r_;
    const std::vector<Text>& fields_;
    int parameters_;
    Text indent_;
    TemplateCheckResult& out_;
    CheckScope scope_;
};

void Checker::Expression(const Text& label, const Text& source) {
    if (source.empty())
        return;
    const report::Expression e = report::Expression::Parse(source, scope_);
    ExprError error = e.Error();
    if (e.Ok()) {
        NullValues nulls;
        e.Evaluate(nulls, Need::kText, &error);
        for (const ExprReference& ref : e.References())
            if (ref.kind == RefKind::kParameter && ref.index >= parameters_)
                Unresolved(label, "parametr &"_t + IntToText(ref.index + 1) + " hostitel nedodá"_t);
    }
    if (error.code != kExprOk)
        ++out_.errors;
    out_.lines.push_back(indent_ + "  "_t + label + ": "_t + source + " - "_t +
                         ExprCheckMessage(error));
}

void Checker::Element(int section, int index, const TSiReportElement& e) {
    const Text label = ElementLabel(section, index, e);
    // A field or function the element follows by name or number that is not there.
    auto missing = [&](const char* what, bool found) {
        if (!found)
            Unresolved(label, FromUtf8(what) +
                                  (e.FollowsName() ? "\""_t + e.referenceName + "\""_t
                                                   : "číslo "_t + IntToText(e.referenceNumber)) +
                                  " neexistuje"_t);
    };
    switch (e.kind) {
        case kDataField:
        case kFieldCaption:
            missing("položka ", e.FollowsName()
                                    ? scope_.FieldIndex(e.referenceName) >= 0
                                    : e.referenceNumber < static_cast<int>(fields_.size()));
            break;
        case kFunction:
            missing("funkce ", e.FollowsName()
                                   ? r_.IndexOfFunction(e.referenceName) >= 0
                                   : e.referenceNumber < static_cast<int>(r_.functions.size()));
            break;
        case kParameter:
            if (e.referenceNumber < 0 || e.referenceNumber >= parameters_)
                Unresolved(label, "parametr číslo "_t + IntToText(e.referenceNumber) +
                                      " hostitel nedodá"_t);
            break;
        case kVariable:
            if (e.referenceNumber < 0 || e.referenceNumber >= r_.VariableCount())
                Unresolved(label,
                           "proměnná číslo "_t + IntToText(e.referenceNumber) + " neexistuje"_t);
            break;
        case kDetail:
            if (e.referenceNumber < 0 ||
                (e.referenceNumber >= static_cast<int>(r_.Details().size()) &&
                 !r_.keptDetailLines.count(e.referenceNumber)))
                Unresolved(label, "detail číslo "_t + IntToText(e.referenceNumber) +
                                      " předloha neobsahuje"_t);
            break;
        default:
            break;
    }
    Expression(label + " - podmínka tisku"_t, e.printCondition);
    if (e.kind == kBarcode)
        Expression(label + " - obsah"_t, e.text);
}

void Checker::Run() {
    DescribeReport(r_, indent_, out_.lines);
    out_.lines.push_back(indent_ + "Kontrola výrazů a odkazů:"_t);
    for (std::size_t i = 0; i < r_.functions.size(); ++i)
        Expression(
            "Funkce "_t + IntToText(static_cast<long long>(i) + 1) + " "_t + r_.functions[i].name,
            r_.functions[i].expression);
    for (const TPolSkup& g : r_.groups)
        Expression(g.Name(), g.expression);
    for (const TOddilSestavy& s : r_.sections)
        for (std::size_t i = 0; i < s.elements.size(); ++i)
            Element(s.number, static_cast<int>(i), s.elements[i]);
    for (const auto& [d, lines] : r_.keptDetailLines) {
        out_.lines.push_back(indent_ + "Detail "_t + IntToText(d) + ":"_t);
        TSestDetail detail;
        ReadTemplate(detail, lines);
        Checker(detail, fields_, parameters_, indent_ + "    "_t, out_).Run();
    }
}

}  // namespace

TemplateCheckResult CheckTemplate(const TSestavaTyp& report, const std::vector<Text>& fieldNames,
                                  int parameterCount) {
    TemplateCheckResult result;
    Checker(report, fieldNames, parameterCount, Text(), result).Run();
    result.lines.push_back(result.errors == 0 ? "Předloha je v pořádku."_t
                                              : "Chyb v předloze: "_t + IntToText(result.errors));
    return result;
}

}  // namespace axo::report
