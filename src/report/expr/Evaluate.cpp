// Evaluating a parsed expression over the values of the current record: operators with their
// null and type rules; the built-in functions are in Builtins.cpp.
#include <algorithm>
#include <cmath>

#include "report/expr/Evaluator.h"

namespace axo::report {

using detail::Node;
using detail::Op;

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

bool Expression::IsText() const {
    return root_ >= 0 && nodes_[static_cast<std::size_t>(root_)].isText;
}

TCalcType Expression::Evaluate(ValueSource& values, Need need, ExprError* error) const {
    TCalcType out;
    EvaluateInto(values, need, out, error);
    return out;
}

void Expression::EvaluateInto(ValueSource& values, Need need, TCalcType& out,
                              ExprError* error) const {
    if (error)
        *error = error_;
    if (!Ok() || root_ < 0) {
        out = TCalcType::Empty();
        return;
    }
    // A lone field, the most common function expression, needs no evaluator.
    const Node& root = nodes_[static_cast<std::size_t>(root_)];
    if (root.op == Op::kField) {
        values.Field(root.index, need, out);
        return;
    }
    Evaluator evaluator(*this, values);
    evaluator.Eval(root_, need, out);
    if (evaluator.error.code != kExprOk) {
        if (error)
            *error = evaluator.error;
        out = TCalcType::Empty();
    }
}

std::vector<ExprReference> Expression::References() const {
    std::vector<ExprReference> refs;
    for (const Node& n : nodes_) {
        switch (n.op) {
            case Op::kField:
                refs.push_back({RefKind::kField, n.index, n.position});
                break;
            case Op::kParameter:
                refs.push_back({RefKind::kParameter, n.index, n.position});
                break;
            case Op::kFunction:
                refs.push_back({RefKind::kFunction, n.index, n.position});
                break;
            case Op::kVariable:
                refs.push_back({RefKind::kVariable, n.index, n.position});
                break;
            default:
                break;
        }
    }
    std::sort(refs.begin(), refs.end(), [](const ExprReference& a, const ExprReference& b) {
        return a.position < b.position;
    });
    return refs;
}

void Evaluator::Fail(int position) {
    if (error.code == kExprOk)
        error = {kExprInvalidArithmetic, position};
}

void Evaluator::SetNumber(TCalcType& out, double x, Need need) {
    out.type = ValueType::kNumber;
    out.number = x;
    out.isNull = false;
    if (need == Need::kText) {
        out.text = NumberToText(x);
        out.hasText = true;
    } else {
        out.text.clear();
        out.hasText = false;
    }
}

void Evaluator::SetText(TCalcType& out, Text text) {
    if (text.size() > kMaxValueText)
        text.resize(kMaxValueText);
    out.type = ValueType::kText;
    out.number = TextToNumber(text);
    out.text = std::move(text);
    out.isNull = false;
    out.hasText = true;
}

void Evaluator::Eval(int index, Need need, TCalcType& out) {
    const Node& n = e_.nodes_[static_cast<std::size_t>(index)];
    switch (n.op) {
        case Op::kNumber:
            SetNumber(out, n.number, need);
            return;
        case Op::kText:
        case Op::kDate:
            out.type = n.op == Op::kText ? ValueType::kText : ValueType::kDate;
            out.number = n.number;
            out.text = n.text;
            out.isNull = false;
            out.hasText = true;
            return;
        case Op::kField:
            values_.Field(n.index, need, out);
            return;
        case Op::kParameter:
            values_.Parameter(n.index, out);
            return;
        case Op::kFunction:
            values_.Function(n.index, need, out);
            return;
        case Op::kVariable:
            values_.Variable(n.index, need, out);
            return;
        case Op::kCall:
            Call(n, need, out);
            return;
        case Op::kNegate:
        case Op::kNot:
            Eval(n.args[0], Need::kNumber, out);
            if (out.isNull)
                return;
            SetNumber(out, n.op == Op::kNegate ? -out.number : (out.number > 0 ? 0 : 1), need);
            return;
        default:
            Binary(n, need, out);
            return;
    }
}

void Evaluator::Binary(const Node& n, Need need, TCalcType& out) {
    const bool comparison = n.op >= Op::kEqual && n.op <= Op::kNotEqual;
    const Need operandNeed = n.op == Op::kIn                           ? Need::kText
                             : n.op == Op::kAdd && need == Need::kText ? Need::kText
                             : n.op == Op::kAdd || comparison          ? Need::kTyped
                                                                       : Need::kNumber;
    TCalcType b;
    Eval(n.args[0], operandNeed, out);
    Eval(n.args[1], operandNeed, b);
    if (out.isNull || b.isNull) {
        out = TCalcType::Null();
        return;
    }
    const double x = out.number;
    const double y = b.number;
    const bool texts = out.type == ValueType::kText && b.type == ValueType::kText;
    switch (n.op) {
        case Op::kAdd:
            if (texts || need == Need::kText) {
                Text joined = out.text;
                joined.append(b.text);
                if (joined.size() > kMaxValueText)
                    joined.resize(kMaxValueText);
                out.text = std::move(joined);
                out.hasText = true;
            } else {
                out.text.clear();
                out.hasText = false;
            }
            out.type = texts ? ValueType::kText : ValueType::kNumber;
            out.number = x + y;
            return;
        case Op::kSubtract:
            SetNumber(out, x - y, need);
            return;
        case Op::kMultiply:
            SetNumber(out, x * y, need);
            return;
        case Op::kDivide:
            if (y == 0) {
                Fail(n.position);
                SetNumber(out, 0, need);
                return;
            }
            SetNumber(out, x / y, need);
            return;
        case Op::kPower: {
            const bool whole = std::trunc(y) == y;
            const double r = (x == 0 && y <= 0) || (x < 0 && !whole) ? NAN : std::pow(x, y);
            if (!std::isfinite(r))
                Fail(n.position);
            SetNumber(out, std::isfinite(r) ? r : 0, need);
            return;
        }
        case Op::kAnd:
            SetNumber(out, x > 0 && y > 0 ? 1 : 0, need);
            return;
        case Op::kOr:
            SetNumber(out, x > 0 || y > 0 ? 1 : 0, need);
            return;
        case Op::kIn:
            SetNumber(out, In(out, b) ? 1 : 0, need);
            return;
        default:
            break;
    }
    const int order = texts ? (out.text < b.text    ? -1
                               : out.text == b.text ? 0
                                                    : 1)
                            : (x < y    ? -1
                               : x == y ? 0
                                        : 1);
    bool result = false;
    switch (n.op) {
        case Op::kEqual:
            result = order == 0;
            break;
        case Op::kLess:
            result = order < 0;
            break;
        case Op::kGreater:
            result = order > 0;
            break;
        case Op::kLessEqual:
            result = order <= 0;
            break;
        case Op::kGreaterEqual:
            result = order >= 0;
            break;
        default:
            result = order != 0;
            break;
    }
    SetNumber(out, result ? 1 : 0, need);
}

bool Evaluator::In(const TCalcType& item, const TCalcType& list) {
    const std::string& s = list.text.Bytes();
    std::size_t start = 0;
    for (;;) {
        std::size_t end = s.find(',', start);
        if (end == std::string::npos)
            end = s.size();
        std::size_t a = start;
        std::size_t z = end;
        while (a < z && s[a] == ' ')
            ++a;
        while (z > a && s[z - 1] == ' ')
            --z;
        const Text candidate = Text::FromBytes(s.substr(a, z - a));
        if (candidate == item.text)
            return true;
        const double number = TextToNumber(candidate);
        if (number != 0 && number == item.number)
            return true;
        if (end >= s.size())
            return false;
        start = end + 1;
    }
}

}  // namespace axo::report
