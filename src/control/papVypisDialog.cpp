// The parameters of the control account statement: defaults, the vault block and the dialog.
#include <cstring>

#include "control/papVypis.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

#pragma pack(push, 1)
/// The block as the vault keeps it.
struct StatementBlock {
    std::uint16_t monthFrom;
    std::uint16_t monthTo;
    std::uint16_t year;
    std::int32_t periodFrom;
    std::int32_t periodTo;
    StrN<10> analytics;
    StrN<3> code;
    StrN<10> partner1;
    StrN<10> partner2;
    StrN<3> su;
    StrN<3> ae;
    std::uint8_t skipWithoutAnalytics;
    std::uint8_t noCodeTotals;
};
#pragma pack(pop)
static_assert(sizeof(StatementBlock) == 61);

constexpr int kDialogColumns = 62;
constexpr int kDialogRows = 13;
/// Masks of accounts take digits and "?".
const Text kAccountMaskOptions = "/?/M0123456789?"_t;

int MonthOf(const ui::TPrvek& field) {
    return static_cast<int>(TextToInt(Trim(field.EditText())));
}

}  // namespace

void ControlStatementParams::FillMasks() {
    analytics = QuestionFilled(analytics, 10);
    code = QuestionFilled(code, 3);
    partner1 = QuestionFilled(partner1, 10);
    partner2 = QuestionFilled(partner2, 10);
    su = QuestionFilled(su, 3);
    ae = QuestionFilled(ae, 3);
}

ControlStatementParams DefaultControlStatementParams(int fiscalYear, int programMonth) {
    ControlStatementParams p;
    p.year = static_cast<std::uint16_t>(fiscalYear);
    p.monthFrom = 1;
    p.monthTo = static_cast<std::uint16_t>(DefaultMonthTo(programMonth));
    p.FillMasks();
    return p;
}

ControlStatementParams LoadControlStatementParams(const ControlEnvironment& env) {
    StatementBlock b{};
    if (!env.Load(kControlVaultGroup, kControlStatementItem, &b, sizeof b))
        return DefaultControlStatementParams(env.fiscalYear, env.dialogs.ProgramDate().month);
    ControlStatementParams p;
    // A damaged block must not open the dialog on months it refuses.
    p.monthFrom = std::min<std::uint16_t>(b.monthFrom, 12);
    p.monthTo = std::min<std::uint16_t>(b.monthTo, 12);
    p.year = static_cast<std::uint16_t>(env.fiscalYear);
    p.analytics = b.analytics;
    p.code = b.code;
    p.partner1 = b.partner1;
    p.partner2 = b.partner2;
    p.su = b.su;
    p.ae = b.ae;
    p.skipWithoutAnalytics = b.skipWithoutAnalytics != 0;
    p.noCodeTotals = b.noCodeTotals != 0;
    p.FillMasks();
    return p;
}

void StoreControlStatementParams(const ControlEnvironment& env,
                                 const ControlStatementParams& params) {
    StatementBlock b{};
    b.monthFrom = params.monthFrom;
    b.monthTo = params.monthTo;
    b.year = params.year;
    b.periodFrom = params.PeriodFrom();
    b.periodTo = params.PeriodTo();
    b.analytics = params.analytics;
    b.code = params.code;
    b.partner1 = params.partner1;
    b.partner2 = params.partner2;
    b.su = params.su;
    b.ae = params.ae;
    b.skipWithoutAnalytics = params.skipWithoutAnalytics ? 1 : 0;
    b.noCodeTotals = params.noCodeTotals ? 1 : 0;
    env.Save(kControlVaultGroup, kControlStatementItem, &b, sizeof b);
}

bool AskControlStatementParams(const ControlEnvironment& env, ControlStatementParams& params) {
    ui::UiServices& ui = env.Ui();
    auto d = ui::CreateDialog(ui, env.dialogs, 0, 0, kDialogColumns, {}, "Kontrolní výpis z účtu"_t,
                              kDialogRows);
    ui::TPrvek* from = ui::InsertPrvek(*d, 3, 2, {}, "Zpracovat za období  "_t, 2, params.monthFrom,
                                       {}, ui::TPrvek::kWord);
    d->NameCurrent("od");
    ui::Pripoj(*d, ui::ValueRange::Numbers(0, 12));
    ui::TPrvek* to =
        ui::InsertPrvek(*d, 28, 2, {}, "až  "_t, 2, params.monthTo, {}, ui::TPrvek::kWord);
    d->NameCurrent("do");
    ui::Pripoj(*d, ui::ValueRange::Numbers(0, 12));
    ui::InsertLabel(*d, 35, 2, {}, "/"_t + IntToText(params.year));
    struct Mask {
        const char* name;
        Text caption;
        Text* value;
        int length;
    } masks[] = {
        {"analytika", "Statistická analytika "_t, &params.analytics, 10},
        {"kod", "Kód transakce    "_t, &params.code, 3},
        {"partner1", "Partner I        "_t, &params.partner1, 10},
        {"partner2", "Partner II       "_t, &params.partner2, 10},
    };
    int row = 4;
    for (Mask& m : masks) {
        ui::InsertPrvek(*d, 3, row++, {}, m.caption, m.length, *m.value, "/?"_t);
        d->NameCurrent(m.name);
    }
    ui::InsertLabel(*d, 3, 9, {}, "Účet"_t);
    ui::InsertPrvek(*d, 12, 9, {}, "SÚ  "_t, 3, params.su, kAccountMaskOptions);
    d->NameCurrent("su");
    ui::InsertPrvek(*d, 22, 9, {}, "AE  "_t, 3, params.ae, kAccountMaskOptions);
    d->NameCurrent("ae");
    std::uint8_t skip = params.skipWithoutAnalytics ? 1 : 0;
    std::uint8_t noTotals = params.noCodeTotals ? 1 : 0;
    ui::InsertCheckBox(*d, {}, "Ignorovat účetní záznamy bez statistické analytiky"_t, skip, 0, 11,
                       3);
    d->NameCurrent("bezAnalytiky");
    ui::InsertCheckBox(*d, {}, "Nekumulovat za kód transakce"_t, noTotals, 0, 12, 3);
    d->NameCurrent("nekumulovat");
    ui::InsertOkZpet(*d, 0, kDialogRows, {}, {}, kDialogRows);
    d->SetMayClose([&](ui::TDialogAXO&, int code) {
        if (code != ui::kCloseConfirm || MonthOf(*from) <= MonthOf(*to))
            return true;
        ui.ShowError("Počáteční měsíc období nesmí být větší než koncový."_t);
        return false;
    });
    if (!ui::RunDialog(*d))
        return false;
    params.year = static_cast<std::uint16_t>(env.fiscalYear);
    params.skipWithoutAnalytics = skip != 0;
    params.noCodeTotals = noTotals != 0;
    params.FillMasks();
    StoreControlStatementParams(env, params);
    return true;
}

}  // namespace axo::control
