// The environment of the control runs, their masks and period defaults, the process name and
// the look-ups kept for the length of a run.
#include "control/ControlEnvironment.h"

#include <algorithm>
#include <cstring>

#include "codelists/SessionAddresses.h"
#include "startup/DataAreas.h"
#include "startup/SessionListing.h"
#include "ui/DialogInsert.h"
#include "util/Retezce.h"

namespace axo::control {

ControlEnvironment ControlEnvironmentFor(const startup::Session& session) {
    ControlEnvironment env;
    env.data = &session.Context();
    env.location = {session.AccountingDirectory(), session.CodeListDirectory(),
                    startup::FiscalYearDirectoryName(session),
                    session.DataInstallation().CharakterFirmy};
    env.fiscalYear = session.FiscalYear().firstYear;
    env.dialogs = session.DialogEnv();
    env.listing = startup::ListingEnvironmentFor(session);
    const startup::SettingsHooks vault = startup::SettingsHooksFor(session);
    env.loadSettings = vault.load;
    env.saveSettings = vault.save;
    env.pickPartner = [&session](Text& value) {
        const codelists::SessionAddresses addresses(session);
        return codelists::PickAddressField(addresses.Book(), value, 5) ? ui::PickResult::Chosen
                                                                       : ui::PickResult::None;
    };
    return env;
}

bool ControlEnvironment::Load(int group, int item, void* block, std::size_t length) const {
    std::memset(block, 0, length);
    if (loadSettings && loadSettings(group, item, block, length))
        return true;
    std::memset(block, 0, length);
    return false;
}

void ControlEnvironment::Save(int group, int item, const void* block, std::size_t length) const {
    if (saveSettings)
        saveSettings(group, item, block, length);
}

void AttachChooser(ui::TDialogAXO& dialog, const std::function<ui::PickResult(Text& value)>& pick) {
    if (!pick)
        return;
    // The chooser starts on what was typed, without the "?" that fill the mask.
    ui::Pripoj(dialog, ui::Ciselnik{[pick](Text& value) {
                   Text start = TrimRight(value);
                   while (!start.empty() && start.back() == '?')
                       start.pop_back();
                   const ui::PickResult result = pick(start);
                   if (result != ui::PickResult::None)
                       value = start;
                   return result;
               }});
}

int DefaultMonthTo(int programMonth) {
    int q = programMonth >= 1 && programMonth <= 12 ? (programMonth + 2) / 3 : 1;
    if (q > 1 && programMonth % 3 != 0)
        --q;
    return 3 * std::clamp(q, 1, 4);
}

Text QuestionFilled(const Text& text, std::size_t length) {
    Text t = TrimRight(text).substr(0, length);
    t.resize(length, '?');
    return t;
}

bool HoldsMoreThanQuestions(const Text& mask) {
    return std::any_of(mask.begin(), mask.end(), [](char ch) { return ch != '?'; });
}

FieldMask::FieldMask(const Text& typed, std::size_t length, bool fold)
    : mask_(QuestionFilled(typed, length)), any_(!HoldsMoreThanQuestions(mask_)), fold_(fold) {}

bool FieldMask::Fits(const Text& value) const {
    return any_ || MaskMatch(mask_, value, fold_);
}

ProcessName::ProcessName(ui::UiServices& ui, const Text& name) : ui_(ui) {
    if (ui_.ProcessDepth() > 0)
        ui_.PopProcess();
    else
        pushed_ = true;
    ui_.PushProcess(name);
}

ProcessName::~ProcessName() {
    if (pushed_)
        ui_.PopProcess();
}

Text AccountFacts::Analytics() const {
    return Trim(account.STAT_ANAL);
}

const AccountFacts& Lookups::Account(pap::Word su, pap::Word ae) {
    const int key = su * 1000 + ae;
    auto it = accounts_.find(key);
    if (it != accounts_.end())
        return it->second;
    AccountFacts facts;
    const int found = lists_.FindAccount(su, ae, facts.account);
    facts.found = found == pap::kUcetNalezen || found == pap::kUcetSAnalytikami;
    const Text analytics = facts.Analytics();
    if (facts.found && !analytics.empty())
        facts.papFound = lists_.FindPapCodeWithSum(analytics, facts.papCode, facts.papIsSum);
    return accounts_.emplace(key, facts).first->second;
}

const pap::tVetaUKod* Lookups::TransactionCode(const Text& kod) {
    auto it = codes_.find(kod);
    if (it == codes_.end()) {
        Found<pap::tVetaUKod> code;
        code.found = lists_.FindTransactionCode(kod, code.record);
        it = codes_.emplace(kod, code).first;
    }
    return it->second.found ? &it->second.record : nullptr;
}

const pap::tVetaUAPV* Lookups::PapCode(const Text& analytics) {
    auto it = papCodes_.find(analytics);
    if (it == papCodes_.end()) {
        Found<pap::tVetaUAPV> code;
        code.found = !Trim(analytics).empty() && lists_.FindPapCode(Trim(analytics), code.record);
        it = papCodes_.emplace(analytics, code).first;
    }
    return it->second.found ? &it->second.record : nullptr;
}

}  // namespace axo::control
