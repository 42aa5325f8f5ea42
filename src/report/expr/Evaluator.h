// The evaluator of a parsed expression (private to the expression files).
#pragma once

#include "report/expr/Node.h"

namespace axo::report {

class Evaluator {
  public:
    Evaluator(const Expression& e, ValueSource& values) : e_(e), values_(values) {}

    /// Evaluates node `index` into `out`; an arithmetic error is kept in `error` (the first).
    void Eval(int index, Need need, TCalcType& out);

    ExprError error;

  private:
    void Binary(const detail::Node& n, Need need, TCalcType& out);
    void Call(const detail::Node& n, Need need, TCalcType& out);
    static bool In(const TCalcType& item, const TCalcType& list);
    void Fail(int position);
    static void SetNumber(TCalcType& out, double x, Need need);
    static void SetText(TCalcType& out, Text text);
    /// The day serial of a value: a text or date is read as a date-time text.
    static double SerialOf(const TCalcType& v);

    const Expression& e_;
    ValueSource& values_;
};

}  // namespace axo::report
