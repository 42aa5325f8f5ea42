// The parameters of the control account statement: defaults, the vault block and the dialog.
#include <cstring>

#include "control/ControlDialog.h"
#include "control/ControlParamsVault.h"
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
    FillSharedMasks(*this);
    partner1 = QuestionFilled(partner1, 10);
    partner2 = QuestionFilled(partner2, 10);
}

ControlStatementParams DefaultControlStatementParams(int fiscalYear, int programMonth) {
    return DefaultControlParams<ControlStatementParams>(fiscalYear, programMonth);
}

ControlStatementParams LoadControlStatementParams(const ControlEnvironment& env) {
    return LoadControlParams<ControlStatementParams, StatementBlock>(
        env, kControlVaultGroup, kControlStatementItem,
        [](const StatementBlock& b, ControlStatementParams& p) {
            p.partner1 = b.partner1;
            p.partner2 = b.partner2;
            p.skipWithoutAnalytics = b.skipWithoutAnalytics != 0;
            p.noCodeTotals = b.noCodeTotals != 0;
        });
}

void StoreControlStatementParams(const ControlEnvironment& env,
                                 const ControlStatementParams& params) {
    StoreControlParams<StatementBlock>(
        env, kControlVaultGroup, kControlStatementItem, params, [&](StatementBlock& b) {
            b.partner1 = params.partner1;
            b.partner2 = params.partner2;
            b.skipWithoutAnalytics = params.skipWithoutAnalytics ? 1 : 0;
            b.noCodeTotals = params.noCodeTotals ? 1 : 0;
        });
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
        const std::function<ui::PickResult(Text&)>& chooser;
    } masks[] = {
        {"analytika", "Statistická analytika "_t, &params.analytics, 10, env.pickAnalytics},
        {"kod", "Kód transakce    "_t, &params.code, 3, env.pickCode},
        {"partner1", "Partner I        "_t, &params.partner1, 10, env.pickPartner},
        {"partner2", "Partner II       "_t, &params.partner2, 10, env.pickPartner},
    };
    int row = 4;
    for (Mask& m : masks) {
        ui::InsertPrvek(*d, 3, row++, {}, m.caption, m.length, *m.value, "/?"_t);
        d->NameCurrent(m.name);
        AttachChooser(*d, m.chooser);
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
