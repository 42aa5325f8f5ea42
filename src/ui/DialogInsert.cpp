// Creating dialogs and inserting their elements.
#include "ui/DialogInsert.h"

#include <algorithm>

#include "util/Retezce.h"

namespace axo::ui {

namespace {

bool OnGrid(int column, int row) {
    return column >= 1 && row >= 1;
}

/// The column right after a caption ("&" takes no place).
int AfterCaption(int column, const Text& caption) {
    const bool ampersand = caption.find('&') != Text::npos;
    return column + static_cast<int>(caption.size()) - (ampersand ? 1 : 0);
}

TPrvek* CurrentEdit(TDialogAXO& dialog) {
    DialogElement* e = dialog.Current();
    return e && e->Kind() == ElementKind::Edit ? static_cast<TPrvek*>(e) : nullptr;
}

/// A given hint with the key appended when it does not name it yet; the default otherwise.
Text ButtonHint(const Text& given, const Text& key, const Text& fallback) {
    if (given.empty())
        return fallback;
    return given.find(key) == Text::npos ? given + " "_t + key : given;
}

}  // namespace

std::unique_ptr<TDialogAXO> CreateDialog(UiServices& ui, const DialogEnvironment& env, int column,
                                         int row, int widthColumns, const Text& hint,
                                         const Text& title, int rows) {
    return std::make_unique<TDialogAXO>(ui, env, column, row, widthColumns, hint, title, rows);
}

TLabelAXO* InsertLabel(TDialogAXO& dialog, int column, int row, const Text& hint,
                       const Text& text) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(std::make_unique<TLabelAXO>(column, row, hint, text));
}

TPrvek* InsertPrvek(TDialogAXO& dialog, int column, int row, const Text& hint, const Text& caption,
                    int maxLength, PrvekVariable variable, const Text& options, int type,
                    int decimals, int shownWidth) {
    if (!OnGrid(column, row))
        return nullptr;
    const int editColumn = caption.empty() ? column : AfterCaption(column, caption);
    std::unique_ptr<TPrvek> edit = TPrvek::Make(editColumn, row, hint, maxLength, variable, options,
                                                type, decimals, shownWidth);
    if (!edit)
        return nullptr;
    if (!caption.empty()) {
        TLabelAXO* label = InsertLabel(dialog, column, row, hint, caption);
        label->SetTarget(edit.get());
        edit->SetCaption(label->Shown().shown);
    }
    return dialog.Add(std::move(edit));
}

TCheckBoxAXO* InsertCheckBox(TDialogAXO& dialog, const Text& hint, const Text& caption,
                             std::uint8_t& variable, int width, int row, int column) {
    if (!OnGrid(column, row)) {
        dialog.Ui().ShowError("\"InsertCheckBox\" ERROR"_t);
        return nullptr;
    }
    return dialog.Add(std::make_unique<TCheckBoxAXO>(column, row, hint, caption, variable, width));
}

TComboBoxAXO* InsertComboBox(TDialogAXO& dialog, const Text& hint, ChoiceVariable variable,
                             TItemList items, int width, int row, int column) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(
        std::make_unique<TComboBoxAXO>(column, row, hint, variable, std::move(items), width));
}

TComboBoxAXO* InsertRadioGroup(TDialogAXO& dialog, const Text& hint, ChoiceVariable variable,
                               TItemList items, int width, int row, int column) {
    TComboBoxAXO* group =
        InsertComboBox(dialog, hint, variable, std::move(items), width, row, column);
    if (group)
        group->ShowAsRadioGroup();
    return group;
}

TComboBoxAXO* InsertLabelledComboBox(TDialogAXO& dialog, int column, int row, const Text& hint,
                                     const Text& caption, ChoiceVariable variable, TItemList items,
                                     int width) {
    if (!OnGrid(column, row))
        return nullptr;
    TLabelAXO* label = InsertLabel(dialog, column, row, hint, caption);
    TComboBoxAXO* list = InsertComboBox(dialog, hint, variable, std::move(items), width, row,
                                        AfterCaption(column, caption));
    label->SetTarget(list);
    list->SetCaption(label->Shown().shown);
    return list;
}

TButtonAXO* InsertButton(TDialogAXO& dialog, int column, int row, const Text& hint,
                         const Text& caption, int heightRows, bool keepAmpersand, int closeCode) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(std::make_unique<TButtonAXO>(column, row, hint, caption, heightRows,
                                                   keepAmpersand, closeCode));
}

bool InsertOkZpet(TDialogAXO& dialog, int confirmColumn, int confirmRow, const Text& leaveHint,
                  const Text& leaveCaption, int leaveRow, int leaveColumn, const Text& confirmHint,
                  const Text& confirmCaption) {
    const int columns = dialog.Columns();
    const bool withLeave = leaveRow > 0;
    if (confirmColumn <= 0) {
        confirmColumn = withLeave ? (columns - kOkZpetColumns - 2 - kOkZpetColumns - 2) / 3
                                  : (columns - kOkZpetColumns) / 2;
        confirmColumn = std::max(confirmColumn, 1);
    }
    if (confirmRow <= 0)
        confirmRow = std::max(dialog.Rows(), 1);
    TButtonAXO* confirm = InsertButton(
        dialog, confirmColumn, confirmRow,
        ButtonHint(confirmHint, "<F2>"_t, "potvrzení zadaných údajů <F2>"_t),
        confirmCaption.empty() ? "  O.K.  "_t : confirmCaption, 1, false, kCloseConfirm);
    if (confirm)
        confirm->SetName("ok");
    if (withLeave) {
        if (leaveColumn <= 0)
            leaveColumn = std::max(columns - confirmColumn - kOkZpetColumns - 4, 1);
        TButtonAXO* leave = InsertButton(
            dialog, leaveColumn, leaveRow, ButtonHint(leaveHint, "<Esc>"_t, "odchod <Esc>"_t),
            leaveCaption.empty() ? "  Zpět  "_t : leaveCaption, 1, false, kCloseLeave);
        if (leave)
            leave->SetName("zpet");
    }
    return confirm != nullptr;
}

TPanelAXO* InsertPanel(TDialogAXO& dialog, int column, int row, const Text& hint, int heightRows,
                       int widthColumns) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(std::make_unique<TPanelAXO>(column, row, hint, heightRows, widthColumns));
}

TMemoAXO* InsertMemo(TDialogAXO& dialog, int column, int row, const Text& hint, const Text& text,
                     int widthColumns, int heightRows) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(
        std::make_unique<TMemoAXO>(column, row, hint, text, widthColumns, heightRows));
}

TMemoAXO* InsertMemo(TDialogAXO& dialog, int column, int row, const Text& hint,
                     TextVariable variable, int widthColumns, int heightRows) {
    if (!OnGrid(column, row))
        return nullptr;
    return dialog.Add(
        std::make_unique<TMemoAXO>(column, row, hint, variable, widthColumns, heightRows));
}

TPrvekSuAe* InsertSUAE(TDialogAXO& dialog, int column, int row, std::uint16_t& synthetic,
                       std::uint16_t& analytic, const Text& hint, const Text& caption) {
    TPrvek* su =
        InsertPrvek(dialog, column, row, hint, caption, 3, synthetic, "/Z"_t, TPrvek::kWord, 0, 3);
    if (!su)
        return nullptr;
    // The field of 3 digits takes 4 columns with its frame; "/" stands in the next one.
    const int slashColumn = su->Column() + 4;
    TLabelAXO* slash = InsertLabel(dialog, slashColumn, row, hint, "/"_t);
    TPrvek* ae = InsertPrvek(dialog, slashColumn + 1, row, hint, {}, 3, analytic, "/Z"_t,
                             TPrvek::kWord, 0, 3);
    auto account = std::make_unique<TPrvekSuAe>(column, row, hint, *su, *ae);
    slash->SetGroup(account.get());
    return dialog.Add(std::move(account));
}

bool Pripoj(TDialogAXO& dialog, const Ciselnik& picker) {
    TPrvek* edit = CurrentEdit(dialog);
    if (edit)
        edit->Attach(picker);
    return edit != nullptr;
}

bool Pripoj(TDialogAXO& dialog, const ValueRange& range) {
    TPrvek* edit = CurrentEdit(dialog);
    if (edit)
        edit->Attach(range);
    return edit != nullptr;
}

bool Pripoj(TDialogAXO& dialog, const SumsHook& hook) {
    TPrvek* edit = CurrentEdit(dialog);
    if (edit && edit->Attach(hook))
        return true;
    dialog.Ui().ShowError("Na údaji, který není typu DOUBLE nelze definovat součty."_t);
    return false;
}

bool Pripoj(TDialogAXO& dialog, const DecimalsSource& source) {
    TPrvek* edit = CurrentEdit(dialog);
    if (edit)
        edit->Attach(source);
    return edit != nullptr;
}

bool Pripoj(TDialogAXO& dialog, const CiselnikIndex& picker) {
    TPrvek* edit = CurrentEdit(dialog);
    if (edit)
        edit->Attach(picker);
    return edit != nullptr;
}

}  // namespace axo::ui
