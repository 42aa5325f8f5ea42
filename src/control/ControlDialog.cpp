// The shared fields of the control dialogs.
#include "control/ControlDialog.h"

#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

int MonthOf(const ui::TPrvek& field) {
    return static_cast<int>(TextToInt(Trim(field.EditText())));
}

}  // namespace

void RefuseReversedPeriod(ui::TDialogAXO& dialog, ui::UiServices& ui, const ui::TPrvek& from,
                          const ui::TPrvek& to) {
    // A period ending before it begins would select nothing and say only that.
    dialog.SetMayClose([&ui, &from, &to](ui::TDialogAXO&, int code) {
        if (code != ui::kCloseConfirm || MonthOf(from) <= MonthOf(to))
            return true;
        ui.ShowError("Počáteční měsíc období nesmí být větší než koncový."_t);
        return false;
    });
}

void InsertPeriod(ui::TDialogAXO& dialog, ui::UiServices& ui, int row, std::uint16_t& from,
                  std::uint16_t& to, int year) {
    ui::TPrvek* fromField = ui::InsertPrvek(dialog, 3, row, {}, "Zpracovat za období  "_t, 2, from,
                                            {}, ui::TPrvek::kWord);
    dialog.NameCurrent("od");
    ui::Pripoj(dialog, ui::ValueRange::Numbers(0, 12));
    ui::TPrvek* toField =
        ui::InsertPrvek(dialog, 28, row, {}, "až  "_t, 2, to, {}, ui::TPrvek::kWord);
    dialog.NameCurrent("do");
    ui::Pripoj(dialog, ui::ValueRange::Numbers(0, 12));
    ui::InsertLabel(dialog, 35, row, {}, "/"_t + IntToText(year));
    RefuseReversedPeriod(dialog, ui, *fromField, *toField);
}

void InsertAccountMasks(ui::TDialogAXO& dialog, int row, Text& su, Text& ae) {
    const Text options = "/?/M0123456789?"_t;
    ui::InsertLabel(dialog, 3, row, {}, "Účet"_t);
    ui::InsertPrvek(dialog, 12, row, {}, "SÚ  "_t, 3, su, options);
    dialog.NameCurrent("su");
    ui::InsertPrvek(dialog, 22, row, {}, "AE  "_t, 3, ae, options);
    dialog.NameCurrent("ae");
}

}  // namespace axo::control
