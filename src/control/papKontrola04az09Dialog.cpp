// The parameters of the control breakdown: the vault block and the dialog.
#include <algorithm>

#include "control/ControlDialog.h"
#include "control/ControlParamsVault.h"
#include "control/papKontrola04az09.h"
#include "control/papVypis.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

#pragma pack(push, 1)
/// The block as the vault keeps it; the last byte is a reserve.
struct BreakdownBlock {
    std::uint16_t statement;
    std::uint16_t monthFrom;
    std::uint16_t monthTo;
    std::uint16_t year;
    std::int32_t periodFrom;
    std::int32_t periodTo;
    StrN<10> analytics;
    StrN<3> code;
    StrN<3> su;
    StrN<3> ae;
    std::uint8_t reserve;
};
#pragma pack(pop)
static_assert(sizeof(BreakdownBlock) == 40);

constexpr int kDialogColumns = 62;
constexpr int kDialogRows = 14;

}  // namespace

void ControlBreakdownParams::FillMasks() {
    FillSharedMasks(*this);
}

ControlBreakdownParams LoadControlBreakdownParams(const ControlEnvironment& env) {
    return LoadControlParams<ControlBreakdownParams, BreakdownBlock>(
        env, kControlVaultGroup, kControlBreakdownItem,
        [](const BreakdownBlock& b, ControlBreakdownParams& p) {
            p.statement = b.statement >= 4 && b.statement <= 9 ? b.statement : 4;
        });
}

void StoreControlBreakdownParams(const ControlEnvironment& env,
                                 const ControlBreakdownParams& params) {
    StoreControlParams<BreakdownBlock>(env, kControlVaultGroup, kControlBreakdownItem, params,
                                       [&](BreakdownBlock& b) { b.statement = params.statement; });
}

bool AskControlBreakdownParams(const ControlEnvironment& env, ControlBreakdownParams& params) {
    ui::UiServices& ui = env.Ui();
    auto d = ui::CreateDialog(ui, env.dialogs, 0, 0, kDialogColumns, {},
                              "Kontrolní rozklad výkazů IV až XI"_t, kDialogRows);
    Text statement =
        IntToText(params.statement >= 4 && params.statement <= 9 ? params.statement : 4);
    ui::InsertPrvek(*d, 3, 2, {}, "Výkaz 4 až 9     "_t, 1, statement, "/M456789\\"_t);
    d->NameCurrent("vykaz");
    std::uint8_t layout = static_cast<std::uint8_t>(params.layout);
    ui::TItemList layouts;
    layouts.Add("detailní"_t);
    layouts.Add("kumulativní dle kódu a účtu"_t);
    layouts.Add("kumulativní dle účtu a kódu"_t);
    ui::InsertRadioGroup(*d, {}, layout, layouts, 34, 3, 3);
    d->NameCurrent("rozlozeni");
    InsertPeriod(*d, ui, 7, params.monthFrom, params.monthTo, env.fiscalYear);
    ui::InsertPrvek(*d, 3, 9, {}, "Statistická analytika "_t, 10, params.analytics, "/?"_t);
    d->NameCurrent("analytika");
    AttachChooser(*d, env.pickAnalytics);
    ui::InsertPrvek(*d, 3, 10, {}, "Kód transakce    "_t, 3, params.code, "/?"_t);
    d->NameCurrent("kod");
    AttachChooser(*d, env.pickCode);
    InsertAccountMasks(*d, 12, params.su, params.ae);
    ui::InsertOkZpet(*d, 0, kDialogRows, {}, {}, kDialogRows);
    if (!ui::RunDialog(*d))
        return false;
    params.year = static_cast<std::uint16_t>(env.fiscalYear);
    params.layout = static_cast<BreakdownLayout>(std::min<std::uint8_t>(layout, 2));
    params.FillMasks();
    const long long number = TextToInt(Trim(statement));
    if (number >= 4 && number <= 9)
        params.statement = static_cast<std::uint16_t>(number);
    StoreControlBreakdownParams(env, params);
    return number >= 4 && number <= 9;
}

}  // namespace axo::control
