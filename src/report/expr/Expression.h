// The report expression language: print conditions, user function expressions, group
// expressions and barcode contents are parsed once into a tree and evaluated for each record.
//
// Language: blanks separate tokens; an expression has at most 255 characters.
//   numbers      digits, optionally "." and digits, optionally "E" or "e", a sign and one or
//                two digits ("12", "0.5", "1.5E-3"); a letter right after a number is an error
//   'text'       a text literal ('' inside stands for one apostrophe)
//   [d.m.yyyy]   a date literal (optionally with "h:mm[:ss]"); its text as written, type date,
//                its number the day serial (0 when the text is no date)
//   #n #NAME     data field n (counted from 1) or the field of that exact name
//   &n           parameter n (counted from 1)
//   @n @NAME     user function n (counted from 1) or of that name (any case)
//   %n           variable n (counted from 1: %1 print date, %2 print time, %3 row, %4 page ...)
//   names        letters, digits and underscores, starting with a letter or underscore
// Operators from the strongest: unary "-" and NOT; "^"; "*", "/", AND; "+", "-", OR; the
// comparisons "=", "<", ">", "<=", ">=", "<>" and IN. Equal strengths apply from left to right;
// parentheses group; the 41 functions (ABS ... EXROUND) take their arguments in parentheses,
// separated by commas. Words are case-insensitive.
//
// Values carry a number, a text, a type and a null flag; an operation with a null operand is
// null (ISNULL excepted). "+" adds numbers and joins texts (a text only when both operands are
// texts); comparisons compare texts when both are texts, numbers otherwise; NOT, AND, OR take
// numbers above 0 as true; results of comparisons and logic are 1 or 0. IN reads its right
// operand as a list of items separated by commas (blanks around items ignored) and gives 1
// when the left text equals an item or its number equals an item's non-zero number. Texts are
// cut at 255 characters.
//
// A power x^y is an error when x is 0 and y is not positive, or x is negative and y no whole
// number, so that -2^2 (the minus binds first) gives 4. Functions whose result is no finite
// number (LOG(0), ASIN(2)) report the same error as a division by zero. EXROUND works on the
// absolute value and puts the sign back.
#pragma once

#include <cstdint>
#include <vector>

#include "report/model/CalcValue.h"
#include "util/Text.h"

namespace axo::report {

/// Error codes of expressions.
enum ExprErrorCode : int {
    kExprOk = 0,
    kExprUnknownName = 1,
    kExprUnexpected = 2,
    kExprTooComplex = 3,
    kExprCloseWithoutOpen = 4,
    kExprMissingClose = 5,
    kExprInvalidArithmetic = 6,
    kExprBadNumber = 7,
    kExprArgumentCount = 10,
    kExprTooManyArguments = 11,
    kExprOpenText = 12,
    kExprOpenDate = 13,
};

/// An error and the character position (from 1) where it was found.
struct ExprError {
    int code = kExprOk;
    int position = 0;

    friend bool operator==(const ExprError&, const ExprError&) = default;
};

/// The Czech text of an error code ("Neznámý název" ...).
Text ExprErrorText(int code);
/// The check's verdict: "Výraz je v pořádku." or "Chyba : "<text>" na pozici <n>".
Text ExprCheckMessage(const ExprError& error);

/// The longest expression.
inline constexpr std::size_t kMaxExpressionLength = 255;
/// Pending operators or values beyond this make an expression too complex.
inline constexpr std::size_t kMaxPending = 40;

/// What a reference counts: the kinds of "#", "&", "@" and "%".
enum class RefKind : std::uint8_t { kField, kParameter, kFunction, kVariable };

/// What names and numbers of references resolve to while an expression is parsed. A count
/// below 0 means unknown: every number is then accepted.
class NameScope {
  public:
    virtual ~NameScope() = default;
    /// The field of exactly this name (from 0), -1 when there is none.
    virtual int FieldIndex(const Text& name) const = 0;
    virtual int FieldCount() const = 0;
    /// Whether the field's values are texts (for the type of IIF).
    virtual bool FieldIsText(int field) const = 0;
    /// The function of this name in any case (from 0), -1 when there is none.
    virtual int FunctionIndex(const Text& name) const = 0;
    virtual int FunctionCount() const = 0;
    virtual bool FunctionIsText(int function) const = 0;
    virtual int VariableCount() const = 0;
};

/// A scope that knows nothing: names never resolve, numbers always do.
class OpenScope : public NameScope {
  public:
    int FieldIndex(const Text&) const override { return -1; }
    int FieldCount() const override { return -1; }
    bool FieldIsText(int) const override { return false; }
    int FunctionIndex(const Text&) const override { return -1; }
    int FunctionCount() const override { return -1; }
    bool FunctionIsText(int) const override { return false; }
    int VariableCount() const override { return -1; }
};

/// How much of a value its user reads: the number only, the text as well when the value is a
/// text or a date, or always the text.
enum class Need : std::uint8_t { kNumber, kTyped, kText };

/// The values references read during an evaluation (indexes from 0).
class ValueSource {
  public:
    virtual ~ValueSource() = default;
    virtual void Field(int field, Need need, TCalcType& out) = 0;
    virtual void Parameter(int parameter, TCalcType& out) = 0;
    virtual void Function(int function, Need need, TCalcType& out) = 0;
    virtual void Variable(int variable, Need need, TCalcType& out) = 0;
};

/// A reference found in an expression.
struct ExprReference {
    RefKind kind;
    int index;     ///< from 0
    int position;  ///< of its prefix character
};

namespace detail {
struct Node;
}

/// A parsed expression. An empty text parses to an empty expression, which evaluates to the
/// empty value.
class Expression {
  public:
    Expression();
    ~Expression();
    Expression(const Expression&);
    Expression& operator=(const Expression&);
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    /// Parses `source` with the names of `scope`.
    static Expression Parse(const Text& source, const NameScope& scope);

    bool Ok() const { return error_.code == kExprOk; }
    bool IsEmpty() const { return root_ < 0 && Ok(); }
    /// The parse error (code 0 when the expression is valid).
    const ExprError& Error() const { return error_; }
    /// Whether the result is a text by the types of its parts.
    bool IsText() const;

    /// Evaluates the expression. A parse or evaluation error gives the empty value; the error
    /// goes to `error` when given (a valid evaluation leaves code 0 there).
    TCalcType Evaluate(ValueSource& values, Need need, ExprError* error = nullptr) const;
    /// As Evaluate, into `out`, so that a value evaluated for every record is not built anew.
    void EvaluateInto(ValueSource& values, Need need, TCalcType& out,
                      ExprError* error = nullptr) const;
    /// The references of the expression in source order.
    std::vector<ExprReference> References() const;

  private:
    std::vector<detail::Node> nodes_;
    int root_ = -1;
    ExprError error_;

    friend class Parser;
    friend class Evaluator;
};

}  // namespace axo::report
