// Building dialog forms: creating the dialog, inserting its elements on the character grid
// (columns and rows counted from 1), attaching pickers, ranges, sums and decimals to the
// current edit field, and the standard confirm and leave buttons. Include this to build and
// run a dialog.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/Dialog.h"

namespace axo::ui {

/// Buttons of the standard pair are 11 columns wide.
inline constexpr int kOkZpetColumns = 11;

/// A new dialog (see TDialogAXO for the geometry).
std::unique_ptr<TDialogAXO> CreateDialog(UiServices& ui, const DialogEnvironment& env, int column,
                                         int row, int widthColumns, const Text& hint,
                                         const Text& title, int rows);

/// A label of the text's width. Nullptr when the position is off the grid (column or row < 1).
TLabelAXO* InsertLabel(TDialogAXO& dialog, int column, int row, const Text& hint, const Text& text);

/// An edit field of `type` (TPrvek::kText ... kDouble) bound to `variable`, showing its current
/// value. With a caption, a label stands at (column, row) and the field right after it (the
/// caption's length, less 1 when it holds "&"). Nullptr (nothing inserted) when the position
/// is off the grid or the type does not fit the variable.
TPrvek* InsertPrvek(TDialogAXO& dialog, int column, int row, const Text& hint, const Text& caption,
                    int maxLength, PrvekVariable variable, const Text& options = {},
                    int type = TPrvek::kText, int decimals = 0, int shownWidth = 0);

/// A check box bound to a byte (0/1), captioned " " + caption + " ". When it cannot be created
/// the error "InsertCheckBox" ERROR is shown and nullptr returned.
TCheckBoxAXO* InsertCheckBox(TDialogAXO& dialog, const Text& hint, const Text& caption,
                             std::uint8_t& variable, int width, int row, int column);

/// A choice list of the list's items, on the item the variable names (index from 0).
TComboBoxAXO* InsertComboBox(TDialogAXO& dialog, const Text& hint, ChoiceVariable variable,
                             TItemList items, int width, int row, int column);

/// A group of radio buttons, one row per item from `row` down, bound like a choice list; the
/// items' "&" marks are their accelerators.
TComboBoxAXO* InsertRadioGroup(TDialogAXO& dialog, const Text& hint, ChoiceVariable variable,
                               TItemList items, int width, int row, int column);

/// A label and a choice list right after it.
TComboBoxAXO* InsertLabelledComboBox(TDialogAXO& dialog, int column, int row, const Text& hint,
                                     const Text& caption, ChoiceVariable variable, TItemList items,
                                     int width);

/// A button 90 pixels wide and `heightRows` high; "&" is removed from the caption unless kept.
/// A close code other than 0 makes the button close the dialog with it.
TButtonAXO* InsertButton(TDialogAXO& dialog, int column, int row, const Text& hint,
                         const Text& caption, int heightRows = 1, bool keepAmpersand = false,
                         int closeCode = 0);

/// The standard pair: the confirm button (close code 1, named "ok"; caption "  O.K.  " and
/// hint "potvrzení zadaných údajů <F2>" unless given, a given hint gets " <F2>") and, when its
/// row is given, the leave button (close code 2, named "zpet"; "  Zpět  ", "odchod <Esc>").
/// Columns not given: both buttons spread over the dialog's width, a single one centred.
/// A confirm row of 0 is the dialog's last row. False when the confirm button was not made.
bool InsertOkZpet(TDialogAXO& dialog, int confirmColumn = 0, int confirmRow = 0,
                  const Text& leaveHint = {}, const Text& leaveCaption = {}, int leaveRow = 0,
                  int leaveColumn = 0, const Text& confirmHint = {},
                  const Text& confirmCaption = {});

/// A panel; a hint beginning with "BOLD_" makes it bold (the prefix is dropped).
TPanelAXO* InsertPanel(TDialogAXO& dialog, int column, int row, const Text& hint, int heightRows,
                       int widthColumns);

/// A read-only memo showing a text.
TMemoAXO* InsertMemo(TDialogAXO& dialog, int column, int row, const Text& hint, const Text& text,
                     int widthColumns, int heightRows);
/// A memo bound to a text variable.
TMemoAXO* InsertMemo(TDialogAXO& dialog, int column, int row, const Text& hint,
                     TextVariable variable, int widthColumns, int heightRows);

/// The account element: synthetic and analytic account, 3 digits each with leading zeros,
/// joined by "/", with an optional caption in front.
TPrvekSuAe* InsertSUAE(TDialogAXO& dialog, int column, int row, std::uint16_t& synthetic,
                       std::uint16_t& analytic, const Text& hint = {}, const Text& caption = {});

/// Attachments to the current element, which must be an edit field; false otherwise.
/// Kind 1: a code-list picker.
bool Pripoj(TDialogAXO& dialog, const Ciselnik& picker);
/// Kind 2: a value range.
bool Pripoj(TDialogAXO& dialog, const ValueRange& range);
/// Kind 3: a sums hook, doubles only; on any other element the message "Na údaji, který není
/// typu DOUBLE nelze definovat součty." is shown and false returned.
bool Pripoj(TDialogAXO& dialog, const SumsHook& hook);
/// Kind 4: the byte the decimals of a double are read from.
bool Pripoj(TDialogAXO& dialog, const DecimalsSource& source);
/// Kind 5: a code-list picker with an index.
bool Pripoj(TDialogAXO& dialog, const CiselnikIndex& picker);

}  // namespace axo::ui
