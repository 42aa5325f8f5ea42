// The fields of a template line: the one splitting routine every line kind shares (double
// quotes around a field, doubled quotes inside), numeric fields with their defaults, and the
// quoting the writer uses.
#pragma once

#include <cstddef>
#include <vector>

#include "util/Text.h"

namespace axo::report {

/// One field of a line and where it began.
struct TemplateField {
    Text text;
    std::size_t start = 0;  ///< offset of the field's first character in the line
};

/// Splits a line into its fields: a field that begins with a double quote runs to the next
/// lone double quote (a doubled one stands for one, commas inside are ordinary) and takes the
/// characters after the closing quote up to the next comma as they are; any other field runs
/// to the next comma. A line that ends with a comma has an empty last field.
std::vector<TemplateField> SplitTemplateLine(const Text& line);

/// Field `position` (counted from 1) of a split line; empty when the line is shorter.
Text FieldText(const std::vector<TemplateField>& fields, std::size_t position);
/// Field `position` as a decimal integer (blanks around allowed); `fallback` when it is
/// missing, empty, malformed or beyond the range of int.
int FieldNumber(const std::vector<TemplateField>& fields, std::size_t position, int fallback = 0);
/// Field `position` as a boolean: false for 0 (and a missing or malformed field), true for any
/// other number.
bool FieldBool(const std::vector<TemplateField>& fields, std::size_t position);

/// A field between double quotes, each double quote inside doubled.
Text QuoteField(const Text& text);
/// A field written unquoted when it can be read back so, else quoted.
Text PlainOrQuotedField(const Text& text);

}  // namespace axo::report
