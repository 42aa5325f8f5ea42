// The functions of acronym values: a value "@NAME(a;b;...)" is evaluated each time its acronym
// is printed. NAS, DEL, DEL1, SUM, MIN and SUMWA compute with numbers (and may round the
// result), CDT writes an amount in words, COP copies a part of a text and IFPLN chooses
// between two arguments by a comparison.
#pragma once

#include <vector>

#include "printforms/FormValues.h"
#include "util/Text.h"

namespace axo::printforms {

/// A function call read from a value: the name (upper-cased, at most 20 characters) and the
/// arguments (at most ten, each trimmed and cut to 40 characters).
struct FunctionCall {
    Text name;
    std::vector<Text> arguments;
};

/// Reads a value "@NAME(a;b;...)"; none when it does not begin with "@" or has no "(". The
/// arguments end at the last ")" (or at the end of the value when there is none).
std::optional<FunctionCall> ParseFunctionCall(const Text& value);

/// The value as printed: a call of a known function gives its result (a number as
/// NumberResultText); any other value, an unknown name or a value without "(" included, is
/// returned as it stands. SUMWA may set an acronym of `acronyms`.
Text EvaluateValue(const Text& value, AcronymTable& acronyms);

}  // namespace axo::printforms
