// The running program's environment.
#include "startup/Session.h"

#include "startup/DataAreas.h"
#include "startup/Login.h"
#include "startup/StartUp.h"
#include "storage/WorkFiles.h"
#include "util/Version.h"

namespace axo::startup {

Text ProgramDataVersionText() {
    return ProgramDataVersion();
}

Session::Session(ui::UiServices& ui, const Clock& clock, std::filesystem::path programDirectory,
                 Text computerId, StartUpOptions options)
    : computerId_(std::move(computerId)),
      options_(std::move(options)),
      windowSlots_(programDirectory / storage::PathFromText(WindowSlotFileName(computerId_))) {
    ctx_.ui = &ui;
    ctx_.clock = &clock;
    ctx_.programDirectory = programDirectory;
    ctx_.currentDirectory = programDirectory;
    ctx_.programFileName = Text::FromBytes(kProgramFileName);
    ctx_.markCrash = [this] { MarkCrash(*this); };
}

Session::~Session() {
    if (state_.started && !state_.shutDown && !state_.ended) {
        try {
            ShutDown(*this);
        } catch (...) {
            // Leaving the scope must not fail; the logins then stay as a killed run leaves them.
        }
    }
}

Text Session::ChartOfAccountsName() const {
    static constexpr char kLetters[] = {'p', 'z', 'r', 'v', 'n', 'f'};
    const unsigned kind = state_.data.CharakterFirmy;
    const char letter = kind < sizeof kLetters ? kLetters[kind] : 'p';
    return "Roz"_t + letter + FiscalYearDirectoryName(*this);
}

bool Session::Sazby_DPH_OK(const Text& date, bool report, tDPH_Sazba& rates) const {
    return state_.vatRates.Sazby_DPH_OK(date, state_.currentMonth, state_.program.ZnakMeny, rates,
                                        report ? ctx_.ui : nullptr);
}

ui::DialogEnvironment Session::DialogEnv() const {
    ui::DialogEnvironment env;
    env.programDate = state_.programDate;
    env.fiscalYearFirstDay = state_.fiscalYear.firstDay;
    env.fiscalYearLastDay = state_.fiscalYear.lastDay;
    env.dateDayOverwrite = state_.switches.dateEntryEditDay;
    env.clock = ctx_.clock;
    return env;
}

std::filesystem::path Session::AreaDirectory(int area) const {
    const AreaState& state = AreaAt(area);
    if (area >= kLoginAreas)
        return state.root;
    return state.root / storage::PathFromText(FiscalYearDirectoryName(*this));
}

std::filesystem::path Session::ConfigFilePath() const {
    return ConfigFileName(ProgramDirectory(), state_.multiClient, state_.station);
}

void Session::ReadSwitches() {
    state_.configFile = ConfigFilePath();
    state_.switches = startup::ReadSwitches(ConfigFile::Read(state_.configFile));
}

bool Session::OpenVault(VaultKind kind) {
    std::unique_ptr<tTrezor>& slot =
        kind == VaultKind::Parameters ? state_.parameterVault : state_.documentVault;
    if (!slot)
        slot = startup::OpenVault(ctx_, kind, state_.userName, state_.station);
    return slot != nullptr;
}

void Session::CloseVaults() {
    CloseVault(state_.documentVault);
    CloseVault(state_.parameterVault);
}

}  // namespace axo::startup
