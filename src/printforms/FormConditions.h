// The print conditions of ".PODMINKY": a condition is a sequence of tests in parentheses joined
// by AND and OR, each test two operands and an operator ("<", ">", "=", "!" not equal, "{" not
// greater, "}" not less). An operand is a text in double quotes or the name of an acronym.
#pragma once

#include "printforms/FormValues.h"
#include "util/Text.h"

namespace axo::printforms {

/// Whether one test holds: numbers are compared as numbers (equality exact); otherwise "="
/// and "!" compare the texts, "<" and ">" are false and "{" and "}" true. An empty test, or
/// one without an operator, holds.
bool TestHolds(const Text& test, const AcronymTable& acronyms);

/// Whether a condition holds. The result starts true and takes the tests from left to right:
/// after nothing or "AND" result and test, after "OR" result or test; any other word leaves
/// the result as it is. A text without parentheses is a single test.
bool ConditionHolds(const Text& condition, const AcronymTable& acronyms);

}  // namespace axo::printforms
