// Evaluating print conditions.
#include "printforms/FormConditions.h"

#include <optional>

#include "util/Retezce.h"

namespace axo::printforms {

namespace {

constexpr std::size_t kMaxOperand = 80;

/// An operand: a quoted text without its quotes, else the acronym's value (trimmed, at most
/// 80 characters); an unknown name stands for itself.
Text OperandValue(const Text& operand, const AcronymTable& acronyms) {
    const Text t = Trim(operand);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"')
        return t.substr(1, t.size() - 2);
    if (const Text* value = acronyms.Find(t))
        return Trim(*value).substr(0, kMaxOperand);
    return t;
}

/// The position of the operator: the first of "!<=>{}" outside double quotes.
std::size_t OperatorAt(const Text& test) {
    bool quoted = false;
    for (std::size_t i = 0; i < test.size(); ++i) {
        const char c = test[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && Text("!<=>{}"_t).find(c) != Text::npos)
            return i;
    }
    return Text::npos;
}

/// The closing parenthesis of the test opened at `open`, outside double quotes.
std::size_t Closing(const Text& text, std::size_t open) {
    bool quoted = false;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && text[i] == ')')
            return i;
    }
    return text.size();
}

}  // namespace

bool TestHolds(const Text& test, const AcronymTable& acronyms) {
    const std::size_t at = OperatorAt(test);
    if (Trim(test).empty() || at == Text::npos)
        return true;
    const char op = test[at];
    const Text left = OperandValue(test.substr(0, at), acronyms);
    const Text right = OperandValue(test.substr(at + 1), acronyms);
    const std::optional<double> l = ReadFormNumber(left);
    const std::optional<double> r = ReadFormNumber(right);
    if (l && r)
        return CompareNumbers(*l, op, *r);
    switch (op) {
        case '=':
            return left == right;
        case '!':
            return left != right;
        case '<':
        case '>':
            return false;
        default:
            return true;
    }
}

bool ConditionHolds(const Text& condition, const AcronymTable& acronyms) {
    if (condition.find('(') == Text::npos)
        return TestHolds(condition, acronyms);
    bool result = true;
    std::size_t pos = 0;
    while (true) {
        const std::size_t open = condition.find('(', pos);
        if (open == Text::npos)
            break;
        const Text word = NationalUpperCase(Trim(condition.substr(pos, open - pos)));
        const std::size_t close = Closing(condition, open);
        const bool test = TestHolds(condition.substr(open + 1, close - open - 1), acronyms);
        if (word.empty() || word == "AND"_t)
            result = result && test;
        else if (word == "OR"_t)
            result = result || test;
        pos = close + 1;
        if (pos >= condition.size())
            break;
    }
    return result;
}

}  // namespace axo::printforms
