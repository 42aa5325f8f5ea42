// The dialog elements other than the edit field: label, check box, choice list with its item
// list, button, panel, memo and the account element that groups two account fields.
#pragma once

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

#include "ui/DialogElement.h"

namespace axo::ui {

class TPrvek;

/// A text variable a dialog element is bound to: an `axo::Text` (at most 255 characters) or
/// a record field `StrN<N>` (at most N).
class TextVariable {
  public:
    TextVariable(Text& text)  // NOLINT: bound implicitly where an element takes a variable
        : get_([&text] { return text; }),
          set_([&text](const axo::Text& t) { text = t.substr(0, 255); }),
          capacity_(255) {}
    /// A text of a larger capacity than 255 characters (the notes of a memo).
    TextVariable(Text& text, int capacity)
        : get_([&text] { return text; }),
          set_([&text, capacity](const axo::Text& t) {
              text = t.substr(0, static_cast<std::size_t>(capacity));
          }),
          capacity_(capacity) {}
    template <std::size_t N>
    TextVariable(StrN<N>& field)  // NOLINT
        : get_([&field] { return field.Get(); }),
          set_([&field](const axo::Text& t) { field.Set(t); }),
          capacity_(N) {}

    axo::Text Get() const { return get_(); }
    /// Stores the text, cut to the capacity.
    void Set(const axo::Text& text) const { set_(text); }
    int Capacity() const { return capacity_; }

  private:
    std::function<axo::Text()> get_;
    std::function<void(const axo::Text&)> set_;
    int capacity_;
};

/// The label. Clicking it, or its "&" accelerator, focuses the element it labels.
class TLabelAXO : public DialogElement {
  public:
    TLabelAXO(int column, int row, const Text& hint, const Text& text);
    /// The caption as given ("&Datum").
    const Text& RawText() const { return raw_; }
    /// The caption as shown, with its accelerator.
    const Caption& Shown() const { return shown_; }
    void SetText(const Text& text);
    /// Shows the text as it is: "&" and "~" mark no accelerator (keys, file names, paths).
    void SetPlainText(const Text& text);
    DialogElement* Target() const { return target_; }
    void SetTarget(DialogElement* target) { target_ = target; }
    std::optional<Text> TranscriptLine() const override;

  private:
    Text raw_;
    Caption shown_;
    DialogElement* target_ = nullptr;
};

/// The check box bound to a byte variable (0/1); caption " " + text + " ".
class TCheckBoxAXO : public DialogElement {
  public:
    TCheckBoxAXO(int column, int row, const Text& hint, const Text& caption, std::uint8_t& variable,
                 int width);
    const Text& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    void Toggle() { checked_ = !checked_; }
    bool Focusable() const override { return true; }
    std::optional<Text> TranscriptLine() const override;
    /// Stores 1 when checked, else 0.
    void WriteBack() override { variable_ = checked_ ? 1 : 0; }

  private:
    Text caption_;
    std::uint8_t& variable_;
    bool checked_;
};

/// The texts of a choice list, appended one by one. A text that does not begin with a blank
/// gets one in front, and so does one that begins with a blank followed by a digit.
class TItemList {
  public:
    void Add(const Text& text);
    const std::vector<Text>& Items() const { return items_; }
    std::size_t Count() const { return items_.size(); }

  private:
    std::vector<Text> items_;
};

/// The variable a choice list stores its item index into: 1, 2 or 4 bytes.
class ChoiceVariable {
  public:
    ChoiceVariable(std::uint8_t& v) : var_(&v) {}   // NOLINT
    ChoiceVariable(std::uint16_t& v) : var_(&v) {}  // NOLINT
    ChoiceVariable(std::int32_t& v) : var_(&v) {}   // NOLINT
    ChoiceVariable(std::uint32_t& v) : var_(&v) {}  // NOLINT
    /// The size of the variable in bytes.
    int Size() const;
    long long Get() const;
    /// Stores the index (cut to what the variable holds).
    void Set(int index) const;

  private:
    std::variant<std::uint8_t*, std::uint16_t*, std::int32_t*, std::uint32_t*> var_;
};

/// The drop-down choice list bound to an item index.
class TComboBoxAXO : public DialogElement {
  public:
    TComboBoxAXO(int column, int row, const Text& hint, ChoiceVariable variable, TItemList items,
                 int width);
    const std::vector<Text>& Items() const { return items_; }
    /// The chosen item (0-based); -1 when the variable named no item.
    int Index() const { return index_; }
    /// Chooses an item; an index outside the list is ignored.
    void Choose(int index);
    /// Chooses the next item after the current one whose text, without its leading blanks,
    /// starts with the letter (national upper case compared). False when none does.
    bool ChooseByLetter(char letter);
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { caption_ = caption; }
    /// Shows the choices as a group of radio buttons, one row each, instead of a drop-down
    /// list. Their "&" marks become accelerators: <Alt> with the letter chooses the item.
    void ShowAsRadioGroup();
    bool IsRadioGroup() const { return radio_; }
    /// The item whose accelerator is `letter` (national upper case compared); -1 when none.
    int ItemOfAccelerator(char letter) const;
    /// Each item's accelerator position in its text; -1 where it has none.
    const std::vector<int>& Accelerators() const { return accelerators_; }
    bool Focusable() const override { return true; }
    std::optional<Text> TranscriptLine() const override;
    /// Stores the index; a list left without a choice leaves the variable as it was.
    void WriteBack() override;

  private:
    ChoiceVariable variable_;
    std::vector<Text> items_;
    std::vector<int> accelerators_;
    int index_;
    Text caption_;
    bool radio_ = false;
};

/// The button. One with a close code closes the dialog with it; its action runs first.
class TButtonAXO : public DialogElement {
  public:
    /// `keepAmpersand` false removes every "&" from the caption.
    TButtonAXO(int column, int row, const Text& hint, const Text& caption, int heightRows,
               bool keepAmpersand, int closeCode);
    /// The caption as shown, with the accelerator when "&" was kept.
    const Caption& Shown() const { return shown_; }
    int CloseCode() const { return closeCode_; }
    void SetCloseCode(int code) { closeCode_ = code; }
    /// What pressing the button does before it closes the dialog (if it has a close code).
    void SetAction(std::function<void(TDialogAXO&)> action) { action_ = std::move(action); }
    const std::function<void(TDialogAXO&)>& Action() const { return action_; }
    bool Focusable() const override { return true; }

  private:
    Caption shown_;
    int closeCode_;
    std::function<void(TDialogAXO&)> action_;
};

/// The panel: a framed area, bold when its hint began with "BOLD_". Its caption is shown
/// centred and word-wrapped, lines broken by "\r"; a text block in colours of its own is a
/// panel with those colours.
class TPanelAXO : public DialogElement {
  public:
    TPanelAXO(int column, int row, const Text& hint, int heightRows, int widthColumns);
    bool Bold() const { return bold_; }
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { caption_ = caption; }
    /// The panel's own colours; none: the dialog's.
    const std::optional<ColourPair>& Colours() const { return colours_; }
    void SetColours(const ColourPair& colours) { colours_ = colours; }
    std::optional<Text> TranscriptLine() const override;

  private:
    bool bold_;
    Text caption_;
    std::optional<ColourPair> colours_;
};

/// The memo: a multi-line text (lines broken by "\r"), read-only or bound to a text variable.
/// The front end edits an editable memo with its own widget and reports the text back.
class TMemoAXO : public DialogElement {
  public:
    TMemoAXO(int column, int row, const Text& hint, const Text& text, int widthColumns,
             int heightRows);
    TMemoAXO(int column, int row, const Text& hint, TextVariable variable, int widthColumns,
             int heightRows);
    const Text& Content() const { return text_; }
    void SetContent(const Text& text);
    bool ReadOnly() const { return !variable_; }
    bool Focusable() const override { return !ReadOnly(); }
    std::optional<Text> TranscriptLine() const override { return text_; }
    void WriteBack() override;

  private:
    Text text_;
    std::optional<TextVariable> variable_;
};

/// The account element: the synthetic and the analytic account (3 digits each) as two word
/// fields joined by "/". The two fields are ordinary edits of the dialog; this element groups
/// them for the transcript and for callers.
class TPrvekSuAe : public DialogElement {
  public:
    TPrvekSuAe(int column, int row, const Text& hint, TPrvek& synthetic, TPrvek& analytic);
    TPrvek& Synthetic() const { return synthetic_; }
    TPrvek& Analytic() const { return analytic_; }
    std::optional<Text> TranscriptLine() const override;

  private:
    TPrvek& synthetic_;
    TPrvek& analytic_;
};

}  // namespace axo::ui
