// The calculator: an expression evaluator and the window's line.
#include "ui/Calculator.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "util/Cisla.h"
#include "util/Regional.h"

namespace axo::ui {

namespace {

/// Recursive descent over expression = term {(+|-) term}, term = factor {(*|/) factor},
/// factor = (+|-) factor | number | "(" expression ")".
class Parser {
  public:
    explicit Parser(std::string text) : s_(std::move(text)) { std::erase(s_, ' '); }

    std::optional<double> Run() {
        const std::optional<double> value = Expression();
        // Beyond 10^15 a double no longer holds every hundredth, and the number text of the
        // field would be cut.
        if (!value || pos_ != s_.size() || !(std::fabs(*value) < 1e15))
            return std::nullopt;
        return value;
    }

  private:
    std::string s_;
    std::size_t pos_ = 0;
    int depth_ = 0;

    bool Take(char ch) {
        if (pos_ < s_.size() && s_[pos_] == ch) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::optional<double> Expression() {
        std::optional<double> value = Term();
        while (value) {
            if (Take('+')) {
                const auto rhs = Term();
                value = rhs ? std::optional(*value + *rhs) : std::nullopt;
            } else if (Take('-')) {
                const auto rhs = Term();
                value = rhs ? std::optional(*value - *rhs) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> Term() {
        std::optional<double> value = Factor();
        while (value) {
            if (Take('*')) {
                const auto rhs = Factor();
                value = rhs ? std::optional(*value * *rhs) : std::nullopt;
            } else if (Take('/')) {
                const auto rhs = Factor();
                value = rhs && *rhs != 0 ? std::optional(*value / *rhs) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> Factor() {
        // Deep nesting is no arithmetic anyone types; it only exhausts the stack.
        if (++depth_ > 200)
            return std::nullopt;
        std::optional<double> value;
        if (Take('-')) {
            value = Factor();
            if (value)
                value = -*value;
        } else if (Take('+')) {
            value = Factor();
        } else if (Take('(')) {
            value = Expression();
            if (!Take(')'))
                value = std::nullopt;
        } else {
            value = Number();
        }
        --depth_;
        return value;
    }

    std::optional<double> Number() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && ((s_[pos_] >= '0' && s_[pos_] <= '9') || s_[pos_] == '.'))
            ++pos_;
        const std::string digits = s_.substr(start, pos_ - start);
        if (digits.empty() || digits == "." || std::count(digits.begin(), digits.end(), '.') > 1)
            return std::nullopt;
        return TryTextToReal(Text::FromBytes(digits));
    }
};

bool IsExpressionChar(char ch) {
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '*' || ch == '/' ||
           ch == '(' || ch == ')' || ch == '.' || ch == ',' || ch == ' ';
}

}  // namespace

std::optional<double> EvaluateExpression(const Text& expression) {
    std::string s = expression.Bytes();
    std::replace(s.begin(), s.end(), ',', '.');
    return Parser(std::move(s)).Run();
}

Text CalculatorNumberText(double value) {
    Text text = ShortestRealText(value);
    std::replace(text.begin(), text.end(), '.', CurrentRegionalSettings().decimalSeparator);
    return text;
}

TKalkulatorAXO::TKalkulatorAXO(std::optional<double> start) : result_(start) {
    if (start)
        line_ = CalculatorNumberText(*start);
}

bool TKalkulatorAXO::TypeChar(char ch) {
    if (closed_)
        return false;
    if (ch == '=')
        return Evaluate();
    if (!IsExpressionChar(ch) || line_.size() >= 255)
        return false;
    line_.push_back(ch);
    error_.clear();
    return true;
}

bool TKalkulatorAXO::KeyDown(const KeyEvent& key) {
    switch (key.key) {
        case Key::Backspace:
            if (!line_.empty())
                line_.pop_back();
            return true;
        case Key::Delete:
            line_.clear();
            error_.clear();
            return true;
        case Key::Enter:
            Confirm();
            return true;
        case Key::Esc:
            Cancel();
            return true;
        default:
            return false;
    }
}

bool TKalkulatorAXO::Evaluate() {
    const std::optional<double> value = EvaluateExpression(line_);
    if (!value) {
        error_ = "Chybný výraz"_t;
        return false;
    }
    result_ = *value;
    line_ = CalculatorNumberText(*value);
    error_.clear();
    return true;
}

bool TKalkulatorAXO::Confirm() {
    if (!Evaluate())
        return false;
    closed_ = confirmed_ = true;
    return true;
}

void TKalkulatorAXO::Cancel() {
    closed_ = true;
    confirmed_ = false;
}

}  // namespace axo::ui
