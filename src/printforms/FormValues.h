// The values of a print form: the acronym table (name -> text), numbers as forms read them,
// the value formats of ".FORMAT" with their alignments, and the fitting of a value to the
// width of its field.
#pragma once

#include <map>
#include <optional>

#include "printforms/FormText.h"
#include "util/Text.h"

namespace axo::printforms {

/// The acronym table. Names are compared trimmed and in national upper case.
class AcronymTable {
  public:
    void Set(const Text& name, const Text& value);
    /// The value of an acronym; none when the table has no such acronym.
    const Text* Find(const Text& name) const;
    bool Has(const Text& name) const { return Find(name) != nullptr; }
    void Clear() { values_.clear(); }
    std::size_t Size() const { return values_.size(); }

  private:
    std::map<Text, Text> values_;
};

/// The number a text holds as forms read numbers: blanks around it and the regional thousands
/// separator removed, the regional decimal separator or "." before the decimals, a sign in
/// front; rounded to 6 decimals. None when the text is no such number.
std::optional<double> ReadFormNumber(const Text& text);

/// Compares two numbers with an operator of forms: "<", ">", "=", "!" (not equal), "{" (at
/// most), "}" (at least); any other character is false. Equality is exact, or with
/// `equalDecimals` of 0 or more, equality of the values printed with that many decimals.
bool CompareNumbers(double left, char op, double right, int equalDecimals = -1);

/// The text of a numeric result: the amount in width 20 with 6 decimals.
Text NumberResultText(double x);

/// A value formatted by `format`. `fieldWidth` comes in as the field's width (the marker's,
/// or the format's when it has one) and leaves as the width the field takes ("T" and "A"
/// alignments make it the length of the text). `unitDecimals` is the form's decimals of "M".
/// `clearAfter` is set for the "Z" alignment, whose value is printed once.
Text FormatValue(const Text& value, const ValueFormat& format, int unitDecimals, int& fieldWidth,
                 bool& clearAfter);

/// A value fitted to a field of `width`: padded with blanks when shorter; when longer a
/// number keeps its rightmost characters if they read as the same number and otherwise
/// becomes "*" over the width, and a text is cut.
Text FitValue(const Text& value, int width);

}  // namespace axo::printforms
