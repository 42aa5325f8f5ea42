// Reading expressions: the tokens, and operator precedence with an explicit stack of pending
// operators and values (at most 40 of each), so that no input can nest deeper than that.
#include <cmath>
#include <cstdlib>
#include <string>

#include "report/expr/Node.h"
#include "report/model/CharClass.h"
#include "report/model/DateMask.h"
#include "util/Cisla.h"

namespace axo::report {

using detail::Builtin;
using detail::BuiltinInfo;
using detail::kBuiltins;
using detail::Node;
using detail::Op;

namespace {

enum class Tok {
    kValue,  ///< a literal or a reference: a finished node
    kMinus,
    kBinary,
    kNot,
    kOpen,
    kClose,
    kComma,
    kFunction,
    kEnd,
};

struct Token {
    Tok kind = Tok::kEnd;
    int position = 0;  ///< from 1
    Op op = Op::kAdd;  ///< kBinary
    const BuiltinInfo* builtin = nullptr;
    Node node;  ///< kValue
};

int Precedence(Op op) {
    switch (op) {
        case Op::kNegate:
        case Op::kNot:
            return 5;
        case Op::kPower:
            return 4;
        case Op::kMultiply:
        case Op::kDivide:
        case Op::kAnd:
            return 3;
        case Op::kAdd:
        case Op::kSubtract:
        case Op::kOr:
            return 2;
        default:
            return 1;  // comparisons and IN
    }
}

bool SameWord(const std::string& word, const char* keyword) {
    std::size_t i = 0;
    for (; i < word.size() && keyword[i]; ++i)
        if (UpperOf(static_cast<unsigned char>(word[i])) != static_cast<unsigned char>(keyword[i]))
            return false;
    return i == word.size() && keyword[i] == 0;
}

}  // namespace

/// Turns the text into tokens and the tokens into a tree.
class Parser {
  public:
    Parser(const Text& source, const NameScope& scope, Expression& out)
        : s_(source.Bytes()), scope_(scope), out_(out) {}

    void Run();

  private:
    struct Pending {
        enum Kind { kOperator, kParen, kCall } kind;
        Op op = Op::kAdd;
        const BuiltinInfo* builtin = nullptr;
        int args = 0;  ///< finished arguments of a call
        int position = 0;
    };

    bool Next(Token& t);
    bool Number(Token& t);
    bool Quoted(Token& t, char close, int errorCode);
    bool Reference(Token& t);
    bool Word(Token& t);
    bool Fail(int code, int position);
    int Push(Node node);
    bool PushValue(int node, int position);
    bool PushPending(const Pending& p);
    void Reduce();
    bool ReduceTo(int minimum);
    bool CloseCall(const Pending& call, int position);

    const std::string& s_;
    const NameScope& scope_;
    Expression& out_;
    std::size_t i_ = 0;
    std::vector<Pending> ops_;
    std::vector<int> values_;
};

bool Parser::Fail(int code, int position) {
    if (out_.error_.code == kExprOk)
        out_.error_ = {code, position};
    return false;
}

int Parser::Push(Node node) {
    out_.nodes_.push_back(std::move(node));
    return static_cast<int>(out_.nodes_.size()) - 1;
}

bool Parser::PushValue(int node, int position) {
    values_.push_back(node);
    return values_.size() <= kMaxPending || Fail(kExprTooComplex, position);
}

bool Parser::PushPending(const Pending& p) {
    ops_.push_back(p);
    return ops_.size() <= kMaxPending || Fail(kExprTooComplex, p.position);
}

bool Parser::Number(Token& t) {
    const std::size_t start = i_;
    while (i_ < s_.size() && IsDigit(s_[i_]))
        ++i_;
    if (i_ < s_.size() && s_[i_] == '.') {
        ++i_;
        if (i_ >= s_.size() || !IsDigit(s_[i_]))
            return Fail(kExprBadNumber, t.position);
        while (i_ < s_.size() && IsDigit(s_[i_]))
            ++i_;
    }
    if (i_ < s_.size() && (s_[i_] == 'E' || s_[i_] == 'e')) {
        ++i_;
        if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-'))
            ++i_;
        int digits = 0;
        while (i_ < s_.size() && IsDigit(s_[i_]) && digits < 3) {
            ++i_;
            ++digits;
        }
        if (digits == 0 || digits > 2)
            return Fail(kExprBadNumber, t.position);
    }
    if (i_ < s_.size() && (IsNameChar(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.'))
        return Fail(kExprBadNumber, t.position);
    t.kind = Tok::kValue;
    t.node.op = Op::kNumber;
    t.node.number = std::strtod(s_.substr(start, i_ - start).c_str(), nullptr);
    return true;
}

bool Parser::Quoted(Token& t, char close, int errorCode) {
    std::string text;
    for (++i_;; ++i_) {
        if (i_ >= s_.size())
            return Fail(errorCode, t.position);
        if (s_[i_] == close) {
            // In a text literal a doubled apostrophe stands for one.
            if (close == '\'' && i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
                text += '\'';
                ++i_;
                continue;
            }
            ++i_;
            break;
        }
        text += s_[i_];
    }
    t.kind = Tok::kValue;
    t.node.text = Text::FromBytes(text);
    if (close == '\'') {
        t.node.op = Op::kText;
        t.node.isText = true;
        t.node.number = TextToNumber(t.node.text);
    } else {
        t.node.op = Op::kDate;
        t.node.number = ParseDateTimeText(t.node.text).value_or(0);
    }
    return true;
}

bool Parser::Reference(Token& t) {
    const char prefix = s_[i_++];
    const bool named = prefix == '#' || prefix == '@';
    Op op = prefix == '#'   ? Op::kField
            : prefix == '&' ? Op::kParameter
            : prefix == '@' ? Op::kFunction
                            : Op::kVariable;
    t.kind = Tok::kValue;
    t.node.op = op;
    const std::size_t start = i_;
    int index = -1;
    if (i_ < s_.size() && IsDigit(s_[i_])) {
        while (i_ < s_.size() && IsDigit(s_[i_]))
            ++i_;
        if (i_ - start > 3 ||
            (i_ < s_.size() && (IsNameChar(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.')))
            return Fail(kExprBadNumber, t.position);
        const int n = std::atoi(s_.substr(start, i_ - start).c_str());
        const int count = op == Op::kField      ? scope_.FieldCount()
                          : op == Op::kFunction ? scope_.FunctionCount()
                          : op == Op::kVariable ? scope_.VariableCount()
                                                : -1;
        if (n < 1 || (count >= 0 && n > count))
            return Fail(kExprUnknownName, t.position);
        index = n - 1;
    } else if (i_ < s_.size() && IsNameChar(static_cast<unsigned char>(s_[i_]))) {
        while (i_ < s_.size() && IsNameChar(static_cast<unsigned char>(s_[i_])))
            ++i_;
        const Text name = Text::FromBytes(s_.substr(start, i_ - start));
        index = !named             ? -1
                : op == Op::kField ? scope_.FieldIndex(name)
                                   : scope_.FunctionIndex(name);
        if (index < 0)
            return Fail(kExprUnknownName, t.position);
    } else {
        return Fail(kExprUnexpected, t.position);
    }
    t.node.index = index;
    t.node.isText = op == Op::kParameter || (op == Op::kField && scope_.FieldIsText(index)) ||
                    (op == Op::kFunction && scope_.FunctionIsText(index));
    return true;
}

bool Parser::Word(Token& t) {
    const std::size_t start = i_;
    while (i_ < s_.size() && IsNameChar(static_cast<unsigned char>(s_[i_])))
        ++i_;
    const std::string word = s_.substr(start, i_ - start);
    static const struct {
        const char* name;
        Tok kind;
        Op op;
    } kWords[] = {{"NOT", Tok::kNot, Op::kNot},
                  {"AND", Tok::kBinary, Op::kAnd},
                  {"OR", Tok::kBinary, Op::kOr},
                  {"IN", Tok::kBinary, Op::kIn}};
    for (const auto& w : kWords)
        if (SameWord(word, w.name)) {
            t.kind = w.kind;
            t.op = w.op;
            return true;
        }
    for (const BuiltinInfo& b : kBuiltins)
        if (SameWord(word, b.name)) {
            t.kind = Tok::kFunction;
            t.builtin = &b;
            return true;
        }
    return Fail(kExprUnknownName, t.position);
}

bool Parser::Next(Token& t) {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n'))
        ++i_;
    t = Token{};
    t.position = static_cast<int>(i_) + 1;
    if (i_ >= s_.size()) {
        t.kind = Tok::kEnd;
        return true;
    }
    const char c = s_[i_];
    t.node.position = t.position;
    if (IsDigit(c))
        return Number(t);
    if (c == '\'')
        return Quoted(t, '\'', kExprOpenText);
    if (c == '[')
        return Quoted(t, ']', kExprOpenDate);
    if (c == '#' || c == '&' || c == '@' || c == '%')
        return Reference(t);
    if (IsLetter(static_cast<unsigned char>(c)) || c == '_')
        return Word(t);
    ++i_;
    const char d = i_ < s_.size() ? s_[i_] : '\0';
    t.kind = Tok::kBinary;
    switch (c) {
        case '(':
            t.kind = Tok::kOpen;
            return true;
        case ')':
            t.kind = Tok::kClose;
            return true;
        case ',':
            t.kind = Tok::kComma;
            return true;
        case '-':
            t.kind = Tok::kMinus;
            t.op = Op::kSubtract;
            return true;
        case '+':
            t.op = Op::kAdd;
            return true;
        case '*':
            t.op = Op::kMultiply;
            return true;
        case '/':
            t.op = Op::kDivide;
            return true;
        case '^':
            t.op = Op::kPower;
            return true;
        case '=':
            t.op = Op::kEqual;
            return true;
        case '<':
            t.op = d == '=' ? Op::kLessEqual : d == '>' ? Op::kNotEqual : Op::kLess;
            i_ += (d == '=' || d == '>') ? 1 : 0;
            return true;
        case '>':
            t.op = d == '=' ? Op::kGreaterEqual : Op::kGreater;
            i_ += d == '=' ? 1 : 0;
            return true;
        default:
            return Fail(kExprUnexpected, t.position);
    }
}

void Parser::Reduce() {
    const Pending p = ops_.back();
    ops_.pop_back();
    Node node;
    node.op = p.op;
    node.position = p.position;
    const bool unary = p.op == Op::kNegate || p.op == Op::kNot;
    node.argc = unary ? 1 : 2;
    for (int k = node.argc - 1; k >= 0; --k) {
        node.args[k] = values_.back();
        values_.pop_back();
    }
    node.isText = p.op == Op::kAdd && out_.nodes_[static_cast<std::size_t>(node.args[0])].isText &&
                  out_.nodes_[static_cast<std::size_t>(node.args[1])].isText;
    values_.push_back(Push(std::move(node)));
}

/// Applies pending operators down to (not including) the nearest parenthesis or call, or of a
/// binding at least `minimum`.
bool Parser::ReduceTo(int minimum) {
    while (!ops_.empty() && ops_.back().kind == Pending::kOperator &&
           Precedence(ops_.back().op) >= minimum)
        Reduce();
    return true;
}

bool Parser::CloseCall(const Pending& call, int position) {
    const int args = call.args;
    if (args < call.builtin->arguments)
        return Fail(kExprArgumentCount, position);
    Node node;
    node.op = Op::kCall;
    node.builtin = call.builtin->id;
    node.position = call.position;
    node.argc = args;
    for (int k = args - 1; k >= 0; --k) {
        node.args[k] = values_.back();
        values_.pop_back();
    }
    node.isText = call.builtin->textResult;
    if (call.builtin->id == Builtin::kIif)
        node.isText = out_.nodes_[static_cast<std::size_t>(node.args[1])].isText &&
                      out_.nodes_[static_cast<std::size_t>(node.args[2])].isText;
    values_.push_back(Push(std::move(node)));
    return true;
}

void Parser::Run() {
    if (s_.size() > kMaxExpressionLength) {
        Fail(kExprTooComplex, static_cast<int>(kMaxExpressionLength) + 1);
        return;
    }
    bool operand = true;  // an operand is expected next
    Token t;
    for (;;) {
        if (!Next(t))
            return;
        if (operand) {
            switch (t.kind) {
                case Tok::kValue:
                    if (!PushValue(Push(std::move(t.node)), t.position))
                        return;
                    operand = false;
                    continue;
                case Tok::kMinus:
                case Tok::kNot:
                    if (!PushPending({Pending::kOperator,
                                      t.kind == Tok::kMinus ? Op::kNegate : Op::kNot, nullptr, 0,
                                      t.position}))
                        return;
                    continue;
                case Tok::kOpen:
                    if (!PushPending({Pending::kParen, Op::kAdd, nullptr, 0, t.position}))
                        return;
                    continue;
                case Tok::kFunction: {
                    const Pending call{Pending::kCall, Op::kAdd, t.builtin, 0, t.position};
                    if (!Next(t))
                        return;
                    if (t.kind != Tok::kOpen) {
                        Fail(kExprUnexpected, t.position);
                        return;
                    }
                    if (!PushPending(call))
                        return;
                    continue;
                }
                case Tok::kClose:
                    Fail(!ops_.empty() && ops_.back().kind == Pending::kCall ? kExprArgumentCount
                                                                             : kExprUnexpected,
                         t.position);
                    return;
                default:
                    Fail(kExprUnexpected, t.position);
                    return;
            }
        }
        switch (t.kind) {
            case Tok::kMinus:
            case Tok::kBinary:
                ReduceTo(Precedence(t.op));
                if (!PushPending({Pending::kOperator, t.op, nullptr, 0, t.position}))
                    return;
                operand = true;
                continue;
            case Tok::kClose: {
                ReduceTo(0);
                if (ops_.empty()) {
                    Fail(kExprCloseWithoutOpen, t.position);
                    return;
                }
                Pending open = ops_.back();
                ops_.pop_back();
                if (open.kind == Pending::kCall) {
                    ++open.args;
                    if (!CloseCall(open, t.position))
                        return;
                }
                continue;
            }
            case Tok::kComma:
                ReduceTo(0);
                if (ops_.empty() || ops_.back().kind != Pending::kCall) {
                    Fail(kExprUnexpected, t.position);
                    return;
                }
                if (++ops_.back().args >= ops_.back().builtin->arguments) {
                    Fail(kExprTooManyArguments, t.position);
                    return;
                }
                operand = true;
                continue;
            case Tok::kEnd:
                ReduceTo(0);
                if (!ops_.empty()) {
                    Fail(kExprMissingClose, t.position);
                    return;
                }
                out_.root_ = values_.empty() ? -1 : values_.back();
                return;
            default:
                Fail(kExprUnexpected, t.position);
                return;
        }
    }
}

Expression Expression::Parse(const Text& source, const NameScope& scope) {
    Expression e;
    bool blank = true;
    for (char c : source)
        blank = blank && (c == ' ' || c == '\t');
    if (blank)
        return e;
    Parser(source, scope, e).Run();
    if (!e.Ok()) {
        e.nodes_.clear();
        e.root_ = -1;
    }
    return e;
}

}  // namespace axo::report
