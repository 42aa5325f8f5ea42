// The edit field: typing, formatting, leave checks and write-back.
#include "ui/Prvek.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/DateInput.h"
#include "ui/UiServices.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr int kMaxWordLength = 4;
constexpr int kMaxLongintLength = 9;
constexpr int kDefaultDoubleLength = 15;
constexpr int kMaxDoubleLength = 40;
constexpr int kFarYears = 30;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

/// The largest maximum length a field of `type` takes.
int LongestLength(int type, const PrvekVariable& variable) {
    switch (type) {
        case TPrvek::kDate:
            return kDateFieldLength;
        case TPrvek::kWord:
            return kMaxWordLength;
        case TPrvek::kLongint:
            return kMaxLongintLength;
        case TPrvek::kDouble:
            return kMaxDoubleLength;
        default:
            return std::get<TextVariable>(variable.Get()).Capacity();
    }
}

Text KeepAllowed(const Text& text, const Text& allowed) {
    Text kept;
    for (char ch : text) {
        if (allowed.find(ch) != Text::npos)
            kept.push_back(ch);
    }
    return kept;
}

}  // namespace

Text MinimumMessage(const Text& limit) {
    return "Minimální přípustná hodnota údaje je "_t + limit + "!"_t;
}

Text MaximumMessage(const Text& limit) {
    return "Maximální přípustná hodnota údaje je "_t + kLineBreakMark + limit + "!"_t;
}

Text DateMaximumMessage(const Text& date) {
    return "Maximální přípustná hodnota údaje je "_t + date + "!"_t;
}

Text NotPositiveMessage() {
    return "Hodnota údaje nesmí být menší nebo rovna NULE."_t;
}

Text InvalidDateMessage(const Text& typed) {
    return "Chybné datum. ["_t + typed + "]"_t;
}

Text FarDateQuestion(const Text& date) {
    return " Je Vámi zadané datum ["_t + date + "] správné? "_t;
}

Text PathEndMessage() {
    return "Poslední znak musí být \"/\"."_t + kLineBreakMark +
           "Položka je plná - nelze automaticky doplnit."_t;
}

bool PrvekVariable::Fits(int type) const {
    switch (type) {
        case TPrvek::kText:
        case TPrvek::kDate:
            return std::holds_alternative<TextVariable>(var_);
        case TPrvek::kWord:
            return std::holds_alternative<std::uint16_t*>(var_);
        case TPrvek::kLongint:
            return std::holds_alternative<std::int32_t*>(var_);
        case TPrvek::kDouble:
            return std::holds_alternative<double*>(var_);
        default:
            return false;
    }
}

TPrvek::TPrvek(int column, int row, const Text& hint, PrvekVariable variable, int type)
    : DialogElement(ElementKind::Edit, column, row, hint), type_(type), variable_(variable) {}

std::unique_ptr<TPrvek> TPrvek::Make(int column, int row, const Text& hint, int maxLength,
                                     PrvekVariable variable, const Text& options, int type,
                                     int decimals, int shownWidth) {
    if (!variable.Fits(type))
        return nullptr;
    std::unique_ptr<TPrvek> e(new TPrvek(column, row, hint, variable, type));
    e->options_ = PrvekOptions::Parse(options);
    const int longest = LongestLength(type, variable);
    if (type == kDate)
        e->maxLength_ = longest;
    else if (maxLength <= 0)
        e->maxLength_ = type == kDouble ? kDefaultDoubleLength : longest;
    else
        e->maxLength_ = std::min(maxLength, longest);
    if (type == kText && e->options_.shownWidth)
        e->shownWidth_ = *e->options_.shownWidth;
    else
        e->shownWidth_ = shownWidth > 0 ? shownWidth : e->maxLength_;
    e->decimals_ = std::clamp(decimals, 0, 30);
    const int pitch = e->options_.fixedPitch ? 10 : kDialogColumnPx;
    e->SetFrame({(column - 1) * kDialogColumnPx, (row - 1) * kDialogRowPx,
                 (e->shownWidth_ + 1) * pitch, kDialogRowPx});
    e->Reload();
    return e;
}

int TPrvek::Decimals() const {
    return decimalsSource_ ? std::min<int>(*decimalsSource_, 30) : decimals_;
}

std::optional<Text> TPrvek::TranscriptLine() const {
    return caption_ + "["_t + text_ + "]"_t;
}

// ---- Typing ---------------------------------------------------------------------------------

bool TPrvek::SignAllowed() const {
    return (type_ == kLongint || type_ == kDouble) && !options_.noSign &&
           !(type_ == kDouble && options_.positive);
}

bool TPrvek::TypeChar(char ch) {
    if (!Enabled())
        return false;
    switch (type_) {
        case kText:
            if (options_.allowed && options_.allowed->find(ch) == Text::npos)
                return false;
            if (options_.year && !IsDigit(ch))
                return false;
            return Insert(ch);
        case kDate:
            if (ch == ',')
                ch = '.';
            return (IsDigit(ch) || ch == ' ' || ch == '.') && Insert(ch);
        case kWord:
            return IsDigit(ch) && Insert(ch);
        default:
            break;
    }
    if (ch == ',' && type_ == kDouble)
        ch = '.';
    if (ch == '-')
        return SignAllowed() && InsertMinus();
    if (ch == '.' && type_ == kDouble) {
        // One decimal point: a second one would make the number unreadable.
        const Text rest = text_.substr(0, SelStart()) + text_.substr(SelStart() + SelLength());
        if (rest.find('.') != Text::npos || rest.find(',') != Text::npos)
            return false;
        return Insert(ch);
    }
    return IsDigit(ch) && Insert(ch);
}

void TPrvek::EraseSelection() {
    const int start = SelStart();
    text_.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
    cursor_ = anchor_ = start;
}

bool TPrvek::Insert(char ch) {
    if (SelLength() > 0) {
        EraseSelection();
    } else if (static_cast<int>(text_.size()) >= maxLength_) {
        // A full field overwrites the character after the cursor.
        if (cursor_ >= static_cast<int>(text_.size()))
            return false;
        text_[static_cast<std::size_t>(cursor_)] = ch;
        anchor_ = ++cursor_;
        return true;
    }
    text_.insert(static_cast<std::size_t>(cursor_), Text(1, ch));
    anchor_ = ++cursor_;
    return true;
}

bool TPrvek::InsertMinus() {
    const Text rest = text_.substr(0, SelStart()) + text_.substr(SelStart() + SelLength());
    if (rest.find('-') != Text::npos || static_cast<int>(rest.size()) >= maxLength_)
        return false;
    EraseSelection();
    // The sign always stands in front, wherever it was typed.
    text_.insert(0, "-"_t);
    anchor_ = ++cursor_;
    return true;
}

bool TPrvek::KeyDown(const KeyEvent& key) {
    if (key.ctrl && !key.alt && !key.shift && key.key == Key::Character &&
        (key.ch == 'A' || key.ch == 'a')) {
        SelectAll();
        return true;
    }
    if (key.ctrl || key.alt)
        return false;
    const int size = static_cast<int>(text_.size());
    auto moveTo = [&](int pos) {
        cursor_ = std::clamp(pos, 0, size);
        if (!key.shift)
            anchor_ = cursor_;
    };
    switch (key.key) {
        case Key::Left:
            moveTo(SelLength() > 0 && !key.shift ? SelStart() : cursor_ - 1);
            return true;
        case Key::Right:
            moveTo(SelLength() > 0 && !key.shift ? SelStart() + SelLength() : cursor_ + 1);
            return true;
        case Key::Home:
            moveTo(0);
            return true;
        case Key::End:
            moveTo(size);
            return true;
        case Key::Backspace:
        case Key::Delete:
            if (!Enabled())
                return true;
            if (SelLength() > 0) {
                EraseSelection();
            } else if (key.key == Key::Backspace && cursor_ > 0) {
                text_.erase(static_cast<std::size_t>(--cursor_), 1);
                anchor_ = cursor_;
            } else if (key.key == Key::Delete && cursor_ < size) {
                text_.erase(static_cast<std::size_t>(cursor_), 1);
            }
            return true;
        default:
            return false;
    }
}

void TPrvek::SelectAll() {
    anchor_ = 0;
    cursor_ = static_cast<int>(text_.size());
}

void TPrvek::Select(int start, int length) {
    const int size = static_cast<int>(text_.size());
    anchor_ = std::clamp(start, 0, size);
    cursor_ = std::clamp(start + length, anchor_, size);
}

void TPrvek::SetEditText(const Text& text) {
    text_ = text;
    anchor_ = cursor_ = static_cast<int>(text_.size());
}

// ---- Values ---------------------------------------------------------------------------------

double TPrvek::FitToType(double value) const {
    if (!std::isfinite(value))
        return 0;
    switch (type_) {
        case kWord:
            return std::clamp(std::trunc(std::fabs(value)), 0.0, 65535.0);
        case kLongint:
            return std::clamp(std::trunc(value), double(std::numeric_limits<std::int32_t>::min()),
                              double(std::numeric_limits<std::int32_t>::max()));
        default:
            return Round(value, Decimals());
    }
}

Text TPrvek::FormatNumber(double value) const {
    if (type_ == kDouble)
        return FormatFieldDouble(value, shownWidth_, Decimals(), options_,
                                 CurrentRegionalSettings());
    return FormatFieldInteger(static_cast<long long>(value), maxLength_, options_.zeros);
}

void TPrvek::ShowNumber(double value) {
    value_ = value;
    formatted_ = FormatNumber(value);
    text_ = *formatted_;
}

double TPrvek::Number() const {
    if (formatted_ && *formatted_ == text_)
        return value_;
    const bool isSigned = type_ != kWord && !options_.noSign;
    return ReadTypedNumber(text_, isSigned);
}

void TPrvek::Reload() {
    std::visit(
        [this](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, TextVariable>) {
                text_ = v.Get();
                if (type_ == kDate) {
                    text_ = text_.substr(0, kDateFieldLength);
                    if (CheckDate(text_) == kDateValid)
                        text_ = DateFieldText(ParseDate(text_), options_.zeros);
                    else if (options_.dateMayBeEmpty && !HasDigit(text_))
                        text_ = EmptyDateText();
                }
            } else {
                ShowNumber(static_cast<double>(*v));
            }
        },
        variable_.Get());
    anchor_ = cursor_ = 0;
    accepted_.reset();
}

void TPrvek::WriteBack() {
    std::visit(
        [this](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, TextVariable>) {
                v.Set(type_ == kDate && !HasDigit(text_) ? Text() : text_);
            } else {
                // A value the field still shows as it formatted it goes back unrounded: a
                // field nobody could edit must not change its variable.
                const bool shownAsFormatted = formatted_ && *formatted_ == text_;
                *v = static_cast<std::remove_pointer_t<V>>(shownAsFormatted ? value_
                                                                            : FitToType(Number()));
            }
        },
        variable_.Get());
}

Text TPrvek::PickerValue() const {
    if (type_ == kDouble)
        return ShortestRealText(Number());
    if (IsNumber())
        return IntToText(static_cast<long long>(FitToType(Number())));
    return text_;
}

void TPrvek::TakePickedValue(const Text& value) {
    if (IsNumber())
        ShowNumber(FitToType(ReadTypedNumber(value, SignAllowed())));
    else
        text_ = value.substr(0, static_cast<std::size_t>(maxLength_));
    anchor_ = cursor_ = 0;
    accepted_.reset();
}

void TPrvek::TakeCalculatorResult(double result) {
    if (IsNumber()) {
        ShowNumber(FitToType(SignAllowed() ? result : std::fabs(result)));
    } else if (type_ == kText) {
        Text shown = ShortestRealText(result);
        std::replace(shown.begin(), shown.end(), '.', CurrentRegionalSettings().decimalSeparator);
        text_ = (text_ + shown).substr(0, static_cast<std::size_t>(maxLength_));
    } else {
        return;  // a date takes no number
    }
    anchor_ = cursor_ = static_cast<int>(text_.size());
    accepted_.reset();
}

// ---- Attachments ----------------------------------------------------------------------------

bool TPrvek::Attach(const SumsHook& hook) {
    if (type_ != kDouble)
        return false;
    sums_ = hook;
    return true;
}

void TPrvek::Attach(const DecimalsSource& source) {
    decimalsSource_ = source.decimals;
    if (type_ == kDouble && formatted_ && *formatted_ == text_)
        ShowNumber(value_);
}

PickResult TPrvek::RunPicker() {
    Text value = PickerValue();
    PickResult result = PickResult::None;
    if (picker_)
        result = picker_->pick(value);
    else if (indexedPicker_)
        result = indexedPicker_->pick(value, indexedPicker_->index);
    if (result != PickResult::None)
        TakePickedValue(value);
    return result;
}

void TPrvek::SetDirectoryHelp() {
    pathHelp_ = PathHelp::Directory;
    pathField_ = true;
}

void TPrvek::SetFileHelp(const Text& extension, const Text& startDirectory, bool putInFront) {
    pathHelp_ = PathHelp::File;
    helpExtension_ = extension;
    helpStartDirectory_ = startDirectory;
    helpInFront_ = putInFront;
}

// ---- Entering and leaving -------------------------------------------------------------------

void TPrvek::Enter(const DialogEnvironment& env) {
    if (type_ == kDate && !options_.dateMayBeEmpty && !HasDigit(text_)) {
        text_ = DateFieldText(env.ProgramDate(), options_.zeros);
        if (env.dateDayOverwrite) {
            Select(0, 2);
            return;
        }
    }
    SelectAll();
}

bool TPrvek::Leave(UiServices& ui, const DialogEnvironment& env) {
    bool ok = false;
    if (type_ == kText)
        ok = LeaveText(ui);
    else if (type_ == kDate)
        ok = LeaveDate(ui, env);
    else
        ok = LeaveNumber(ui, env);
    if (!ok)
        return false;
    accepted_ = text_;
    // Without "/V" the field shows its start again.
    anchor_ = cursor_ = options_.keepScroll ? std::min(cursor_, int(text_.size())) : 0;
    return true;
}

bool TPrvek::LeaveText(UiServices& ui) {
    Text t = text_;
    if (options_.allowed)
        t = KeepAllowed(t, *options_.allowed);
    if (options_.year)
        t = CompleteYearText(t);
    const auto length = static_cast<std::size_t>(maxLength_);
    if (options_.questionFill) {
        t = TrimRight(t);
        t.resize(std::max(t.size(), length), '?');
    }
    if (options_.zeros) {
        t = Trim(t);
        if (t.size() < length)
            t.insert(0, Text(length - t.size(), '0'));
    }
    text_ = t;
    if (range_) {
        if (!range_->minimumText.empty() && t < range_->minimumText) {
            ui.ShowError(MinimumMessage(range_->minimumText));
            return false;
        }
        if (!range_->maximumText.empty() && t > range_->maximumText) {
            ui.ShowError(MaximumMessage(range_->maximumText));
            return false;
        }
    }
    if (pathField_) {
        // An empty path stays empty: "/" alone would name the root directory.
        Text path = TrimRight(t);
        if (!path.empty() && path.back() != '/') {
            if (path.size() >= length) {
                ui.ShowError(PathEndMessage());
                return false;
            }
            path += '/';
        }
        text_ = path;
    }
    return true;
}

bool TPrvek::LeaveDate(UiServices& ui, const DialogEnvironment& env) {
    const DateParts programDate = env.ProgramDate();
    const DateInput in = NormaliseDate(text_, programDate, options_.zeros, options_.dateMayBeEmpty);
    if (in.status == DateInput::Status::Invalid) {
        if (env.checksOn)
            ui.ShowInfo(InvalidDateMessage(text_));
        text_ = DateFieldText(programDate, options_.zeros);
        SelectAll();
        return false;
    }
    text_ = in.text;
    if (in.status == DateInput::Status::Empty)
        return true;
    if (env.checksOn && std::abs(in.date.year - programDate.year) > kFarYears &&
        !ui.YesNo(FarDateQuestion(text_), " &Ano "_t, " &Ne, opravit datum "_t, 1))
        return false;
    if (range_) {
        const long long date = DateNumber(text_);
        const auto limit = [this](const Text& t) {
            const DateParts d = ParseDate(t);
            return DateFieldText(d, options_.zeros);
        };
        if (!range_->minimumText.empty() && date < DateNumber(range_->minimumText)) {
            ui.ShowError(MinimumMessage(limit(range_->minimumText)));
            return false;
        }
        if (!range_->maximumText.empty() && date > DateNumber(range_->maximumText)) {
            ui.ShowError(DateMaximumMessage(limit(range_->maximumText)));
            return false;
        }
    }
    return true;
}

bool TPrvek::LeaveNumber(UiServices& ui, const DialogEnvironment& env) {
    const double value = FitToType(Number());
    if (range_) {
        if (range_->minimum && value < *range_->minimum) {
            ui.ShowError(MinimumMessage(Trim(FormatNumber(*range_->minimum))));
            return false;
        }
        if (range_->maximum && value > *range_->maximum) {
            ui.ShowError(MaximumMessage(Trim(FormatNumber(*range_->maximum))));
            return false;
        }
    }
    if (options_.positive && env.checksOn && value <= 0) {
        ui.ShowError(NotPositiveMessage());
        return false;
    }
    ShowNumber(value);
    if (sums_.onChange)
        sums_.onChange(value);
    return true;
}

}  // namespace axo::ui
