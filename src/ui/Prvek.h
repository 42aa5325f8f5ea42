// The edit field of dialogs (`TPrvek`): bound to a program variable of one of five value
// types, it filters what is typed, checks and normalises its text when it is left, shows
// numbers in the field's format, and writes its value back only when the dialog is confirmed.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "ui/DialogControls.h"
#include "ui/DialogElement.h"
#include "ui/PrvekFormat.h"

namespace axo::ui {

class UiServices;

/// The variable an edit field is bound to: a text (types 0 text and 1 date), a word (type 2),
/// a longint (type 3) or a double (type 5).
class PrvekVariable {
  public:
    PrvekVariable(Text& text) : var_(TextVariable(text)) {}  // NOLINT
    template <std::size_t N>
    PrvekVariable(StrN<N>& field) : var_(TextVariable(field)) {}  // NOLINT
    PrvekVariable(std::uint16_t& word) : var_(&word) {}           // NOLINT
    PrvekVariable(std::int32_t& longint) : var_(&longint) {}      // NOLINT
    PrvekVariable(double& number) : var_(&number) {}              // NOLINT

    using Holder = std::variant<TextVariable, std::uint16_t*, std::int32_t*, double*>;
    const Holder& Get() const { return var_; }
    /// Whether a field of `type` may be bound to this variable.
    bool Fits(int type) const;

  private:
    Holder var_;
};

/// What a code-list picker did.
enum class PickResult {
    None,        ///< nothing chosen
    Chosen,      ///< a value was chosen
    ChosenNext,  ///< chosen, and the focus is to move to the next element
};

/// Attachment 1: a code-list picker, offered the field's value (text, or the number's digits)
/// and replacing it with the chosen one.
struct Ciselnik {
    std::function<PickResult(Text& value)> pick;
};

/// Attachment 5: a code-list picker that also gets the index (order) to show the list in.
struct CiselnikIndex {
    std::function<PickResult(Text& value, int index)> pick;
    int index = 0;
};

/// Attachment 2: the range a value must lie in. Numbers by value; dates as date texts; texts
/// in byte order. An empty text or a missing number leaves that side open.
struct ValueRange {
    std::optional<double> minimum;
    std::optional<double> maximum;
    Text minimumText;
    Text maximumText;

    static ValueRange Numbers(double minimum, double maximum) { return {minimum, maximum, {}, {}}; }
    static ValueRange Texts(const Text& minimum, const Text& maximum) {
        return {std::nullopt, std::nullopt, minimum, maximum};
    }
};

/// Attachment 3 (doubles only): called with the new value whenever the field is left with one.
struct SumsHook {
    std::function<void(double)> onChange;
};

/// Attachment 4: a byte holding the number of decimals, read whenever the value is shown.
struct DecimalsSource {
    const std::uint8_t* decimals = nullptr;
};

/// The disk help a text field may carry as its double-click (<F7>) action.
enum class PathHelp { None, Directory, File };

class TPrvek : public DialogElement {
  public:
    static constexpr int kText = 0;
    static constexpr int kDate = 1;
    static constexpr int kWord = 2;
    static constexpr int kLongint = 3;
    static constexpr int kDouble = 5;

    /// The field of `type` bound to `variable`; nullptr when the type is unknown or does not
    /// fit the variable. `maxLength` is what may be typed (dates 10, words at most 4, longints
    /// at most 9, doubles at most 40, texts at most the variable's capacity; 0 takes the
    /// largest value, 15 for doubles);
    /// `shownWidth` 0 takes the "/L" width or the maximum length.
    static std::unique_ptr<TPrvek> Make(int column, int row, const Text& hint, int maxLength,
                                        PrvekVariable variable, const Text& options, int type,
                                        int decimals, int shownWidth);

    int Type() const { return type_; }
    bool IsNumber() const { return type_ == kWord || type_ == kLongint || type_ == kDouble; }
    int MaxLength() const { return maxLength_; }
    int ShownWidth() const { return shownWidth_; }
    /// The decimals of a double: the attached source when there is one.
    int Decimals() const;
    const PrvekOptions& Options() const { return options_; }
    /// The caption of the label in front of the field (for the transcript and scripts).
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { caption_ = caption; }

    // ---- The text being edited -------------------------------------------------------------

    const Text& EditText() const { return text_; }
    int Cursor() const { return cursor_; }
    int SelStart() const { return std::min(anchor_, cursor_); }
    int SelLength() const { return std::abs(cursor_ - anchor_); }
    /// Types one character through the field's filter; false when it was refused.
    bool TypeChar(char ch);
    /// Cursor keys, <Home>, <End> (with Shift: selecting), <Backspace>, <Delete> and <Ctrl+A>
    /// (selects all); false for any other key.
    bool KeyDown(const KeyEvent& key);
    void SelectAll();
    /// Selects `length` characters from `start` (clipped to the text).
    void Select(int start, int length);
    /// Replaces the text as it is (no filter); the cursor goes to its end.
    void SetEditText(const Text& text);

    // ---- Values --------------------------------------------------------------------------

    /// Shows the variable's current value.
    void Reload();
    /// The number the field holds now (numbers only).
    double Number() const;
    /// The value as a picker gets it: the text, or a number's digits.
    Text PickerValue() const;
    /// Takes a value a picker chose (the text, or a number's digits) and shows it.
    void TakePickedValue(const Text& value);
    /// Takes a calculator's result: a number field shows it, a text field gets it appended.
    void TakeCalculatorResult(double result);
    void WriteBack() override;

    // ---- Entering and leaving ---------------------------------------------------------------

    /// The field gets the focus: its text is selected; an empty date is preset.
    void Enter(const DialogEnvironment& env);
    /// Checks and normalises the text; false (with the check's message shown) when the field
    /// is to keep the focus.
    bool Leave(UiServices& ui, const DialogEnvironment& env);
    /// Whether the text changed since the last leave that accepted it (or was never checked).
    bool NeedsCheck() const { return !accepted_ || *accepted_ != text_; }

    // ---- Attachments -----------------------------------------------------------------------

    void Attach(const Ciselnik& picker) { picker_ = picker; }
    void Attach(const CiselnikIndex& picker) { indexedPicker_ = picker; }
    void Attach(const ValueRange& range) { range_ = range; }
    /// False (nothing attached) on a field that is not a double.
    bool Attach(const SumsHook& hook);
    void Attach(const DecimalsSource& source);
    bool HasPicker() const { return picker_ || indexedPicker_; }
    /// Runs the attached picker on the field's value.
    PickResult RunPicker();
    /// An attached character set: the only characters that may be typed into a text field.
    void SetAllowedChars(const Text& chars) { options_.allowed = chars; }

    /// A path field must end with "/" when left.
    void SetPathField(bool on) { pathField_ = on; }
    bool PathField() const { return pathField_; }
    /// Directory help as the field's <F7> action; the field becomes a path field.
    void SetDirectoryHelp();
    /// File help: files with `extension` (all when empty), starting in `startDirectory` (the
    /// field's own directory when empty); `putInFront` puts the chosen file before the text.
    void SetFileHelp(const Text& extension, const Text& startDirectory, bool putInFront);
    PathHelp Help() const { return pathHelp_; }
    const Text& HelpExtension() const { return helpExtension_; }
    const Text& HelpStartDirectory() const { return helpStartDirectory_; }
    bool HelpPutsInFront() const { return helpInFront_; }

    bool Focusable() const override { return true; }
    std::optional<Text> TranscriptLine() const override;

  private:
    TPrvek(int column, int row, const Text& hint, PrvekVariable variable, int type);

    int type_;
    PrvekVariable variable_;
    int maxLength_ = 0;
    int shownWidth_ = 0;
    int decimals_ = 0;
    PrvekOptions options_;
    Text caption_;

    Text text_;
    int cursor_ = 0;
    int anchor_ = 0;
    // The number behind a text the field formatted itself: a value shown as "********" must
    // not be read back from its asterisks.
    double value_ = 0;
    std::optional<Text> formatted_;
    std::optional<Text> accepted_;

    std::optional<Ciselnik> picker_;
    std::optional<CiselnikIndex> indexedPicker_;
    std::optional<ValueRange> range_;
    SumsHook sums_;
    const std::uint8_t* decimalsSource_ = nullptr;
    bool pathField_ = false;
    PathHelp pathHelp_ = PathHelp::None;
    Text helpExtension_;
    Text helpStartDirectory_;
    bool helpInFront_ = false;

    bool Insert(char ch);
    bool InsertMinus();
    void EraseSelection();
    bool SignAllowed() const;
    /// A number cut to whole numbers and to the range of the variable's type.
    double FitToType(double value) const;
    Text FormatNumber(double value) const;
    void ShowNumber(double value);
    bool LeaveText(UiServices& ui);
    bool LeaveDate(UiServices& ui, const DialogEnvironment& env);
    bool LeaveNumber(UiServices& ui, const DialogEnvironment& env);
};

/// The messages of the leave checks.
Text MinimumMessage(const Text& limit);
/// Numbers and texts: the limit on a line of its own.
Text MaximumMessage(const Text& limit);
/// Dates: the limit on the same line.
Text DateMaximumMessage(const Text& date);
Text NotPositiveMessage();
Text InvalidDateMessage(const Text& typed);
Text FarDateQuestion(const Text& date);
Text PathEndMessage();

}  // namespace axo::ui
