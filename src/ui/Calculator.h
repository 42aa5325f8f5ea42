// The calculator window ("Kalkulačka"): an expression line with + - * / and brackets, evaluated
// with "=" and confirmed with <Enter>, whose result the dialog carries back into the field.
#pragma once

#include <optional>

#include "ui/DialogElement.h"
#include "util/Text.h"

namespace axo::ui {

/// The value of an arithmetic expression: numbers ("," or "." as decimal point), + - * /,
/// unary signs and brackets; blanks are ignored. Nullopt when the text is no expression,
/// divides by zero or gives 10^15 or more.
std::optional<double> EvaluateExpression(const Text& expression);

class TKalkulatorAXO {
  public:
    /// Starts with `start` on its line (a double field's value), or with an empty line.
    explicit TKalkulatorAXO(std::optional<double> start = std::nullopt);

    static Text Title() { return "Kalkulačka"_t; }
    /// The expression being typed, or the last result.
    const Text& Line() const { return line_; }
    /// Why the last evaluation failed; empty when it did not.
    const Text& ErrorText() const { return error_; }
    /// The result of the last successful evaluation.
    std::optional<double> Result() const { return result_; }

    /// Types a digit, an operator, a bracket, a decimal point or a blank; "=" evaluates.
    /// False for any other character.
    bool TypeChar(char ch);
    /// <Backspace> removes the last character, <Delete> clears the line, <Enter> confirms,
    /// <Esc> cancels.
    bool KeyDown(const KeyEvent& key);
    /// Evaluates the line; on success the line becomes the result.
    bool Evaluate();
    /// Evaluates and closes with the result; false (still open, the reason in ErrorText) when
    /// the line is no expression.
    bool Confirm();
    void Cancel();
    bool Closed() const { return closed_; }
    bool Confirmed() const { return confirmed_; }

  private:
    Text line_;
    Text error_;
    std::optional<double> result_;
    bool closed_ = false;
    bool confirmed_ = false;
};

/// The result as the calculator shows it: up to 9 decimals, the user's decimal separator.
Text CalculatorNumberText(double value);

}  // namespace axo::ui
