// Labels, check boxes, choice lists, buttons, panels, memos and the account element.
#include "ui/DialogControls.h"

#include <algorithm>
#include <limits>

#include "ui/Prvek.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

constexpr int kButtonWidthPx = 90;

Text WithoutAmpersands(const Text& text) {
    return RemoveChar(text, '&');
}

}  // namespace

// ---- Label ----------------------------------------------------------------------------------

TLabelAXO::TLabelAXO(int column, int row, const Text& hint, const Text& text)
    : DialogElement(ElementKind::Label, column, row, hint) {
    SetText(text);
}

void TLabelAXO::SetText(const Text& text) {
    raw_ = text;
    shown_ = ParseCaption(text);
    SetFrame(CellFrame(Column(), Row(), static_cast<int>(shown_.shown.size())));
}

void TLabelAXO::SetPlainText(const Text& text) {
    raw_ = text;
    shown_ = Caption{text, -1};
    SetFrame(CellFrame(Column(), Row(), static_cast<int>(shown_.shown.size())));
}

std::optional<Text> TLabelAXO::TranscriptLine() const {
    if (target_)
        return std::nullopt;  // the labelled element shows the caption with its value
    return shown_.shown;
}

// ---- Check box ------------------------------------------------------------------------------

TCheckBoxAXO::TCheckBoxAXO(int column, int row, const Text& hint, const Text& caption,
                           std::uint8_t& variable, int width)
    : DialogElement(ElementKind::CheckBox, column, row, hint),
      caption_(" "_t + caption + " "_t),
      variable_(variable),
      checked_(variable != 0) {
    // The box itself takes about two columns in front of the caption.
    const int columns = width > 0 ? width : static_cast<int>(caption_.size()) + 3;
    SetFrame(CellFrame(column, row, columns));
}

std::optional<Text> TCheckBoxAXO::TranscriptLine() const {
    return (checked_ ? "[x]"_t : "[ ]"_t) + caption_;
}

// ---- Item list and choice list ----------------------------------------------------------------

void TItemList::Add(const Text& text) {
    const bool blankFirst = !text.empty() && text[0] == ' ';
    const bool digitAfterBlank = blankFirst && text.size() > 1 && text[1] >= '0' && text[1] <= '9';
    items_.push_back(!blankFirst || digitAfterBlank ? " "_t + text : text);
}

int ChoiceVariable::Size() const {
    return std::visit([](auto* p) { return static_cast<int>(sizeof(*p)); }, var_);
}

long long ChoiceVariable::Get() const {
    return std::visit([](auto* p) { return static_cast<long long>(*p); }, var_);
}

void ChoiceVariable::Set(int index) const {
    std::visit(
        [index](auto* p) {
            using V = std::remove_pointer_t<decltype(p)>;
            *p = static_cast<V>(std::clamp<long long>(index, 0, std::numeric_limits<V>::max()));
        },
        var_);
}

TComboBoxAXO::TComboBoxAXO(int column, int row, const Text& hint, ChoiceVariable variable,
                           TItemList items, int width)
    : DialogElement(ElementKind::ComboBox, column, row, hint),
      variable_(variable),
      items_(items.Items()),
      accelerators_(items_.size(), -1),
      index_(-1) {
    const long long index = variable_.Get();
    if (index >= 0 && index < static_cast<long long>(items_.size()))
        index_ = static_cast<int>(index);
    SetFrame(CellFrame(column, row, std::max(width, 1)));
}

void TComboBoxAXO::Choose(int index) {
    if (index >= 0 && index < static_cast<int>(items_.size()))
        index_ = index;
}

bool TComboBoxAXO::ChooseByLetter(char letter) {
    const Text wanted = NationalUpperCase(Text(1, letter));
    const int count = static_cast<int>(items_.size());
    for (int step = 1; step <= count; ++step) {
        const int i = (std::max(index_, -1) + step) % count;
        const Text item = TrimLeft(items_[static_cast<std::size_t>(i)]);
        if (!item.empty() && NationalUpperCase(item.substr(0, 1)) == wanted) {
            index_ = i;
            return true;
        }
    }
    return false;
}

void TComboBoxAXO::ShowAsRadioGroup() {
    if (radio_)
        return;
    radio_ = true;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const ui::Caption parsed = ParseCaption(items_[i]);
        items_[i] = parsed.shown;
        accelerators_[i] = parsed.accelerator;
    }
    const Rect& frame = Frame();
    SetFrame(CellFrame(Column(), Row(), std::max(frame.width / kDialogColumnPx, 1),
                       std::max(static_cast<int>(items_.size()), 1)));
}

int TComboBoxAXO::ItemOfAccelerator(char letter) const {
    const Text wanted = NationalUpperCase(Text(1, letter));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int at = accelerators_[i];
        if (at >= 0 &&
            NationalUpperCase(items_[i].substr(static_cast<std::size_t>(at), 1)) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<Text> TComboBoxAXO::TranscriptLine() const {
    const Text item = index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : Text();
    return caption_ + "["_t + item + "]"_t;
}

void TComboBoxAXO::WriteBack() {
    if (index_ >= 0)
        variable_.Set(index_);
}

// ---- Button and panel -----------------------------------------------------------------------

TButtonAXO::TButtonAXO(int column, int row, const Text& hint, const Text& caption, int heightRows,
                       bool keepAmpersand, int closeCode)
    : DialogElement(ElementKind::Button, column, row, hint),
      shown_(keepAmpersand ? ParseCaption(caption) : Caption{WithoutAmpersands(caption), -1}),
      closeCode_(closeCode) {
    Rect frame = CellFrame(column, row, 1, std::max(heightRows, 1));
    frame.width = kButtonWidthPx;
    SetFrame(frame);
}

TPanelAXO::TPanelAXO(int column, int row, const Text& hint, int heightRows, int widthColumns)
    : DialogElement(ElementKind::Panel, column, row, hint), bold_(hint.StartsWith("BOLD_"_t)) {
    if (bold_)
        SetHint(hint.substr(5));
    SetFrame(CellFrame(column, row, std::max(widthColumns, 1), std::max(heightRows, 1)));
}

std::optional<Text> TPanelAXO::TranscriptLine() const {
    if (caption_.empty())
        return std::nullopt;
    return caption_;
}

// ---- Memo -----------------------------------------------------------------------------------

TMemoAXO::TMemoAXO(int column, int row, const Text& hint, const Text& text, int widthColumns,
                   int heightRows)
    : DialogElement(ElementKind::Memo, column, row, hint), text_(text) {
    SetFrame(CellFrame(column, row, std::max(widthColumns, 1), std::max(heightRows, 1)));
}

TMemoAXO::TMemoAXO(int column, int row, const Text& hint, TextVariable variable, int widthColumns,
                   int heightRows)
    : TMemoAXO(column, row, hint, variable.Get(), widthColumns, heightRows) {
    variable_ = variable;
}

void TMemoAXO::SetContent(const Text& text) {
    text_ = variable_ ? text.substr(0, static_cast<std::size_t>(variable_->Capacity())) : text;
}

void TMemoAXO::WriteBack() {
    if (variable_)
        variable_->Set(text_);
}

// ---- Account element ------------------------------------------------------------------------

TPrvekSuAe::TPrvekSuAe(int column, int row, const Text& hint, TPrvek& synthetic, TPrvek& analytic)
    : DialogElement(ElementKind::Account, column, row, hint),
      synthetic_(synthetic),
      analytic_(analytic) {
    Rect frame = synthetic.Frame();
    frame.width = analytic.Frame().x + analytic.Frame().width - frame.x;
    SetFrame(frame);
    synthetic.SetGroup(this);
    analytic.SetGroup(this);
}

std::optional<Text> TPrvekSuAe::TranscriptLine() const {
    return synthetic_.Caption() + "["_t + synthetic_.EditText() + "/"_t + analytic_.EditText() +
           "]"_t;
}

}  // namespace axo::ui
