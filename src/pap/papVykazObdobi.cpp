// The period of a statement run: the period dialog with its defaults, or the statement date
// of the batch run's parameter block.
#include "pap/papVykaz.h"

#include "ui/DialogInsert.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kDialogColumns = 66;
constexpr int kCloseEdit = 4;

/// The subtitle row of the dialog: the last one.
int DialogRows(bool editButton, bool subtitle) {
    return 6 + (editButton ? 1 : 0) + (subtitle ? 2 : 0);
}

int MonthOf(const ui::TPrvek& field) {
    return static_cast<int>(TextToInt(Trim(field.EditText())));
}

}  // namespace

int VychoziDoMesic(int mesicData, int aktualniMesic) {
    int q = mesicData >= 1 && mesicData <= 12 ? (mesicData + 2) / 3 : 0;
    if (q > 1 && aktualniMesic % 3 != 0)
        --q;
    if (q < 1 || q > 4)
        q = 4;
    return 3 * q;
}

bool tPAP_Vykaz::NactiObdobi() {
    editRequested_ = false;
    OdMesic = 1;
    if (batch_) {
        const Text date = batchParams_.statementDate;
        DoMesic = static_cast<Word>(TextToInt(Trim(date.substr(3, 2))));
        Rok = static_cast<Word>(TextToInt(Trim(date.substr(6, 4))));
        xmlRequested_ = true;
    } else if (danyOd_ > 0) {
        OdMesic = static_cast<Word>(danyOd_);
        DoMesic = static_cast<Word>(danyDo_);
        Rok = static_cast<Word>(ctx_.fiscalYear);
        xmlRequested_ = false;
    } else {
        DoMesic =
            static_cast<Word>(VychoziDoMesic(ctx_.dialogs.ProgramDate().month, ctx_.currentMonth));
        Rok = static_cast<Word>(ctx_.fiscalYear);
        xmlRequested_ = false;
        if (!DialogObdobi())
            return false;
    }
    obdobiOd_ = Rok * 100 + OdMesic;
    obdobiDo_ = Rok * 100 + DoMesic;
    return true;
}

bool tPAP_Vykaz::DialogObdobi() {
    ui::UiServices& ui = ctx_.Ui();
    const int rows = DialogRows(editButton_, !subtitle_.empty());
    auto d = ui::CreateDialog(ui, ctx_.dialogs, 0, 0, kDialogColumns, {}, processName_, rows);
    ui::TPrvek* od =
        ui::InsertPrvek(*d, 3, 2, {}, "Zpracovat za období  "_t, 2, OdMesic, {}, ui::TPrvek::kWord);
    d->NameCurrent("mesicOd");
    ui::Pripoj(*d, ui::ValueRange::Numbers(1, 12));
    ui::TPrvek* doPole =
        ui::InsertPrvek(*d, 28, 2, {}, "až  "_t, 2, DoMesic, {}, ui::TPrvek::kWord);
    d->NameCurrent("mesicDo");
    ui::Pripoj(*d, ui::ValueRange::Numbers(1, 12));
    ui::InsertLabel(*d, 35, 2, {}, "/"_t + IntToTextZeros(Rok, 4));
    std::uint8_t xml = xmlRequested_ ? 1 : 0;
    ui::InsertCheckBox(*d, {}, "Generovat soubor XML pro přenos do CSÚIS?"_t, xml, 0, 4, 3);
    d->NameCurrent("xml");
    ui::InsertOkZpet(*d, 0, 6, {}, {}, 6);
    if (editButton_) {
        ui::InsertButton(*d, (kDialogColumns - ui::kOkZpetColumns) / 2, 7,
                         "marže bude nabídnuta k editaci"_t, "Editovat"_t, 1, false, kCloseEdit);
        d->NameCurrent("editovat");
    }
    if (!subtitle_.empty())
        ui::InsertLabel(*d, std::max(1, (kDialogColumns - static_cast<int>(subtitle_.size())) / 2),
                        rows, {}, subtitle_);
    // A period that ends before it begins would count its months nowhere.
    d->SetMayClose([&](ui::TDialogAXO&, int code) {
        if ((code != ui::kCloseConfirm && code != kCloseEdit) || MonthOf(*od) <= MonthOf(*doPole))
            return true;
        ui.ShowError("Počáteční měsíc období nesmí být větší než koncový."_t);
        return false;
    });
    const bool confirmed = ui::RunDialog(*d);
    const int code = d->CloseCode();
    if (!confirmed && code != kCloseEdit)
        return false;
    if (!confirmed)
        d->WriteBack();
    xmlRequested_ = xml != 0;
    editRequested_ = code == kCloseEdit;
    return true;
}

}  // namespace axo::pap
