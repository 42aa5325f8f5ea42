// The dialog of the accounting record check, its defaults and the selection of the lines it
// makes: the period, the document kind and number, the consolidation options.
#include "control/papKonPAP.h"

#include <algorithm>

#include "control/ControlDialog.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

constexpr int kDialogColumns = 56;
constexpr std::size_t kKindLength = 4;
constexpr std::size_t kNumberLength = 5;

}  // namespace

RecordCheckParams DefaultRecordCheckParams(int fiscalYear, int programMonth) {
    RecordCheckParams p;
    p.year = static_cast<std::uint16_t>(fiscalYear);
    p.monthFrom = 1;
    p.monthTo = static_cast<std::uint16_t>(DefaultMonthTo(programMonth));
    return p;
}

bool AskRecordCheckParams(const RecordCheckEnvironment& env, RuleSet rules,
                          RecordCheckParams& params) {
    ui::UiServices& ui = env.Ui();
    const bool older = rules == RuleSet::Before2015;
    const int rows = older ? 10 : 7;
    auto d = ui::CreateDialog(ui, env.dialogs, 0, 0, kDialogColumns, {},
                              "Kontrola účetních záznamů"_t, rows);
    ui::InsertPrvek(*d, 3, 2, {}, "Účetní období "_t, 4, params.year, {}, ui::TPrvek::kWord);
    d->NameCurrent("rok");
    ui::InsertLabel(*d, 22, 2, {}, "rok"_t);
    ui::TPrvek* from =
        ui::InsertPrvek(*d, 3, 3, {}, "měsíc  od "_t, 2, params.monthFrom, {}, ui::TPrvek::kWord);
    d->NameCurrent("od");
    ui::Pripoj(*d, ui::ValueRange::Numbers(0, 12));
    ui::TPrvek* to =
        ui::InsertPrvek(*d, 17, 3, {}, "do "_t, 2, params.monthTo, {}, ui::TPrvek::kWord);
    d->NameCurrent("do");
    ui::Pripoj(*d, ui::ValueRange::Numbers(0, 12));
    Text kind = params.kind;
    ui::InsertPrvek(*d, 3, 4, {}, "Druh dokladu  "_t, static_cast<int>(kKindLength), kind, "/?"_t);
    d->NameCurrent("druh");
    if (env.documentKinds)
        ui::Pripoj(*d, *env.documentKinds);
    Text number = params.number;
    ui::InsertPrvek(*d, 3, 5, {}, "Číslo dokladu "_t, static_cast<int>(kNumberLength), number,
                    "/?"_t);
    d->NameCurrent("cislo");
    std::uint8_t ignoreAll = params.options.ignoreAll ? 1 : 0;
    std::uint8_t ignore01 = params.options.ignoreAccounts01 ? 1 : 0;
    if (older) {
        ui::InsertCheckBox(*d, {}, "Ignorovat konsolidaci"_t, ignoreAll, 0, 7, 3);
        d->NameCurrent("ignorovat");
        ui::InsertCheckBox(*d, {}, "Ignorovat konsolidaci pro účty 0??, 1??"_t, ignore01, 0, 8, 3);
        d->NameCurrent("ignorovat01");
    }
    ui::InsertOkZpet(*d, 0, rows, {}, "odchod"_t, rows, 0, {}, "zahájit kontrolu"_t);
    RefuseReversedPeriod(*d, ui, *from, *to);
    if (!ui::RunDialog(*d))
        return false;
    params.kind = QuestionFilled(kind, kKindLength);
    params.number = QuestionFilled(number, kNumberLength);
    params.options.ignoreAll = ignoreAll != 0;
    params.options.ignoreAccounts01 = ignore01 != 0;
    return true;
}

Text DocumentMask(const RecordCheckParams& params) {
    return IntToTextZeros(params.year, 4) + "??"_t + QuestionFilled(params.kind, kKindLength) +
           QuestionFilled(params.number, kNumberLength);
}

bool LineSelected(const pap::tVetaUDPO& line, const Text& mask, const RecordCheckParams& params) {
    if (line.PRIZNAK != 0)
        return false;
    const Text id = line.IDENTIFIKACE;
    // Kinds are keys of a code list: "fa" typed in the dialog means FA.
    if (!MaskMatch(mask, id, true))
        return false;
    const long long month = TextToInt(id.substr(4, 2));
    return month >= params.monthFrom && month <= params.monthTo;
}

Text ProtocolSubtitle(const RecordCheckParams& params) {
    Text subtitle = "od "_t + IntToText(params.monthFrom) + " do "_t + IntToText(params.monthTo) +
                    "/"_t + IntToTextZeros(params.year, 4);
    const Text kind = QuestionFilled(params.kind, kKindLength);
    const Text number = QuestionFilled(params.number, kNumberLength);
    if (HoldsMoreThanQuestions(kind))
        subtitle += " druh dokladu: "_t + kind;
    if (HoldsMoreThanQuestions(number))
        subtitle += " číslo dokladu: "_t + number;
    return subtitle;
}

}  // namespace axo::control
