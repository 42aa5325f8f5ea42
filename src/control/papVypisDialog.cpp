// The parameters of the control account statement: defaults, the vault block and the dialog.
#include <cstring>

#include "control/ControlDialog.h"
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
    InsertPeriod(*d, ui, 2, params.monthFrom, params.monthTo, params.year);
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
        // The partners are picked from the external addresses by their IČO.
        if (m.value == &params.partner1 || m.value == &params.partner2)
            if (env.partnerPicker)
                ui::Pripoj(*d, ui::CiselnikIndex{env.partnerPicker, 5});
    }
    InsertAccountMasks(*d, 9, params.su, params.ae);
    std::uint8_t skip = params.skipWithoutAnalytics ? 1 : 0;
    std::uint8_t noTotals = params.noCodeTotals ? 1 : 0;
    ui::InsertCheckBox(*d, {}, "Ignorovat účetní záznamy bez statistické analytiky"_t, skip, 0, 11,
                       3);
    d->NameCurrent("bezAnalytiky");
    ui::InsertCheckBox(*d, {}, "Nekumulovat za kód transakce"_t, noTotals, 0, 12, 3);
    d->NameCurrent("nekumulovat");
    ui::InsertOkZpet(*d, 0, kDialogRows, {}, {}, kDialogRows);
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
