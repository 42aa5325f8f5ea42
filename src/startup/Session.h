// The running program's environment: one object made by the front end, filled by the start-up
// and passed to every command afterwards. It holds the data context of the tables, the
// installation records, the fiscal year, period and dates, the user and the logins into the
// data areas, the configuration switches, the vaults and the window slot; and it marks the crash
// in the login records when a fatal data error ends the run.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "startup/AxoCfg.h"
#include "startup/FiscalYear.h"
#include "startup/InstallationFiles.h"
#include "startup/Trezor.h"
#include "startup/WindowSlots.h"
#include "storage/DataContext.h"
#include "storage/WorkRuns.h"
#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"
#include "ui/UiServices.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::startup {

/// The data areas: 0-6 the modules' data, 7 the shared code lists, 8 the data that run across
/// fiscal years, 9 the print templates and print forms.
enum Area : int {
    kAreaUcetnictvi = 0,
    kAreaBanka = 1,
    kAreaSklad = 2,
    kAreaFakturace = 3,
    kAreaLFD = 4,
    kAreaPokladna = 5,
    kAreaMajetek = 6,
    kAreaCiselniky = 7,
    kAreaPrubezne = 8,
    kAreaSablony = 9,
};
inline constexpr int kAreaCount = kAreaRoots;
/// Areas 0-7 are logged into; area 8 only has to exist; area 9 is not checked.
inline constexpr int kLoginAreas = 8;

/// Access levels of the user.
inline constexpr int kLevelUser = 1;
inline constexpr int kLevelSupervisor = 2;
inline constexpr int kLevelAuthor = 3;

/// The program's own version, which the data installations must carry.
Text ProgramDataVersionText();
/// This program's code in the login records.
inline constexpr char kModuleCode = 'X';
/// The program file name the data layer knows the program by.
inline constexpr const char* kProgramFileName = "AXO_PAP";

/// What the front end hands to the start-up: the command line of the desktop program, or the
/// options of the command-line program.
struct StartUpOptions {
    /// Parameter 1: the password, used instead of the prompt (cut to 7 characters).
    std::optional<Text> password;
    /// Parameter 2: the client station of a multi-client installation (not a number: 0).
    std::optional<Text> station;
    /// Every parameter; those beginning "/U" preset the fiscal year, period and program date.
    std::vector<Text> parameters;
    /// The user the password must belong to; empty: the one whose password it is.
    Text userName;
    /// A fiscal year chosen by the front end as a user would choose it in the dialog (the year
    /// picked in the list, or a date typed, with <F10>; both: the date in that year). When set,
    /// the dialog is never shown: a choice that fails its checks ends the start-up.
    struct YearChoice {
        Text code;         ///< path code; empty: the year containing `programDate`
        Text programDate;  ///< empty: preset from the year as <F10> on the list does
    };
    std::optional<YearChoice> yearChoice;
    /// When the program date lies in none of the fiscal years, the dialog offers the latest
    /// year with its last day and month. A front end that confirms the dialog unseen (the
    /// command line) turns it off, so that no year is taken that nobody chose.
    bool offerLatestYear = true;
    /// The author level's service password; empty (the default): no password gives the author
    /// level. The front ends leave it empty, the tests use it.
    Text servicePassword;
};

/// One data area as the run knows it.
struct AreaState {
    Text rootText;                                ///< the root as stored in the installation
    std::filesystem::path root;                   ///< resolved against the program directory
    int sameAs = -1;                              ///< an earlier area with the same root, or -1
    bool loggedIn = false;                        ///< logged in (for a repeated root: as its first)
    std::int32_t loginRecord = 0;                 ///< the user's record in the area's user file
    std::array<Text, kForbiddenLists> forbidden;  ///< "ZakazaneCinnosti1".."10"
    /// The user file a logout of the area holds open and locked while it runs; the crash mark
    /// lets it go before marking, so as never to wait for its own lock.
    tSouborAXO_USER* userFileInUse = nullptr;
};

/// Everything the start-up establishes. The start-up services fill it; commands read it through
/// the accessors of Session.
struct SessionState {
    Text systemDate;
    Text programDate;
    int currentMonth = 0;
    int currentYear = 0;

    tVetaAXO program;
    std::unique_ptr<tSouborAXO> programFile;  ///< open and read-locked until ShutDown
    FiscalYearTable fiscalYears{};
    VatRateTable vatRates;
    SelectedFiscalYear fiscalYear;
    tVetaAXO_DATA data;  ///< area 0's record with the overrides of the other areas

    int station = 0;
    bool multiClient = false;
    Text password;
    Text userName;
    Text issuer;
    int accessLevel = 0;

    std::array<AreaState, kAreaCount> areas;
    Switches switches;
    std::filesystem::path configFile;
    Text parameterVaultName;
    Text documentVaultName;
    std::unique_ptr<tTrezor> parameterVault;
    std::unique_ptr<tTrezor> documentVault;

    /// The run's registration in its work directory, from a successful start-up to ShutDown.
    std::unique_ptr<storage::WorkRun> workRun;

    bool started = false;
    bool shutDown = false;
    bool ended = false;  ///< a fatal report ended the run
    std::vector<std::function<void()>> shutDownHooks;
    /// <F7> on the recipient of a printout sent by e-mail (set by the application).
    ui::RecipientPicker recipientPicker;
};

class Session {
  public:
    /// A session of the installation in `programDirectory` on the computer `computerId`
    /// (8 hexadecimal digits). Nothing is read until StartUp.
    Session(ui::UiServices& ui, const Clock& clock, std::filesystem::path programDirectory,
            Text computerId, StartUpOptions options = {});
    /// A session that started and did not shut down is shut down, unless a fatal report ended
    /// it (its logins then stay, with their crash marks, as the end of the program leaves them).
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // ---- The program and its surroundings --------------------------------------------------

    /// The context every table of the run gets (UI, clock, directories, crash mark). Tables
    /// keep a reference to it: they must not outlive the session.
    const storage::DataContext& Context() const { return ctx_; }
    ui::UiServices& Ui() const { return *ctx_.ui; }
    const Clock& GetClock() const { return *ctx_.clock; }
    /// The program directory (the installation home), which is also the run's current
    /// directory.
    const std::filesystem::path& ProgramDirectory() const { return ctx_.programDirectory; }
    /// The computer's identification as the login records keep it.
    const Text& ComputerId() const { return computerId_; }
    const StartUpOptions& Options() const { return options_; }
    /// True after a successful StartUp and before ShutDown.
    bool Started() const { return state_.started && !state_.shutDown; }

    // ---- Installation ------------------------------------------------------------------------

    /// The program installation record as read at start-up.
    const tVetaAXO& ProgramInstallation() const { return state_.program; }
    /// The data installation record of area 0 with the overrides of the other areas (firm name,
    /// address and numbers from the code-list area, the latest closed period, ...).
    const tVetaAXO_DATA& DataInstallation() const { return state_.data; }
    /// "NazevFirmy", "AdresaFirmy" (padded with blanks to 30), "IcoFirmy", "DIC".
    Text FirmName() const { return state_.data.NazevFirmy; }
    Text FirmAddress() const { return state_.data.AdresaFirmy; }
    Text Ico() const { return state_.data.IcoFirmy; }
    Text Dic() const { return state_.data.DIC; }
    bool VatPayer() const { return state_.data.PlatceDPH != 0; }
    /// "PopisFirmy": the organisation as the status bar shows it.
    Text OrganisationDescription() const { return state_.program.PopisFirmy; }
    /// "ZnakMeny": the currency sign.
    Text CurrencySign() const { return state_.program.ZnakMeny; }
    /// The client station of the installation record in use.
    int Station() const { return state_.station; }
    bool MultiClient() const { return state_.multiClient; }
    /// The file name of the chart of accounts: "Roz" + the letter of "CharakterFirmy" + the
    /// fiscal year's path code ("Rozp2024").
    Text ChartOfAccountsName() const;

    // ---- Fiscal year, period and dates ------------------------------------------------------

    const FiscalYearTable& FiscalYears() const { return state_.fiscalYears; }
    /// The fiscal year of the run (index 0 before one is selected).
    const SelectedFiscalYear& FiscalYear() const { return state_.fiscalYear; }
    bool FiscalYearSelected() const { return state_.fiscalYear.index != 0; }
    /// The program date (" 5. 3.2024"), the accounting period and the computer's date.
    const Text& ProgramDate() const { return state_.programDate; }
    int CurrentMonth() const { return state_.currentMonth; }
    int CurrentYear() const { return state_.currentYear; }
    int CurrentPeriod() const { return state_.currentYear * 100 + state_.currentMonth; }
    const Text& SystemDate() const { return state_.systemDate; }
    /// The VAT check of a date against the installation's VAT rate table; a refusal is reported
    /// when `report` is set.
    bool Sazby_DPH_OK(const Text& date, bool report, tDPH_Sazba& rates) const;
    /// The environment of dialogs: program date, fiscal-year bounds, date switch, clock.
    ui::DialogEnvironment DialogEnv() const;

    // ---- User ----------------------------------------------------------------------------

    const Text& UserName() const { return state_.userName; }
    const Text& Password() const { return state_.password; }
    /// The name printed on documents as their issuer ("Vystavil").
    const Text& Issuer() const { return state_.issuer; }
    /// 1 user, 2 supervisor, 3 author.
    int AccessLevel() const { return state_.accessLevel; }

    // ---- Data areas ----------------------------------------------------------------------

    const AreaState& AreaAt(int area) const { return state_.areas.at(area); }
    bool AreaLoggedIn(int area) const { return AreaAt(area).loggedIn; }
    /// The directory of an area: root + fiscal-year path code for areas 0-7, the root alone for
    /// areas 8 and 9 (absolute, without a trailing "/").
    std::filesystem::path AreaDirectory(int area) const;
    /// Area 0: the accounting data of the fiscal year.
    std::filesystem::path AccountingDirectory() const { return AreaDirectory(kAreaUcetnictvi); }
    /// Area 7: the code lists shared by all modules.
    std::filesystem::path CodeListDirectory() const { return AreaDirectory(kAreaCiselniky); }
    /// Area 8: the data that run across fiscal years.
    std::filesystem::path RunningDataDirectory() const { return AreaDirectory(kAreaPrubezne); }
    /// Area 9: the print templates and print forms.
    std::filesystem::path TemplateDirectory() const { return AreaDirectory(kAreaSablony); }

    // ---- Configuration and vaults ----------------------------------------------------------

    /// Reads the configuration switches (once after start-up): "AXO.CFG", or "AXOnnn.CFG" of a
    /// client station when it exists.
    void ReadSwitches();
    const Switches& GetSwitches() const { return state_.switches; }
    /// The configuration file in use.
    std::filesystem::path ConfigFilePath() const;
    /// Opens a vault of the user (created when missing); false when it cannot be.
    bool OpenVault(VaultKind kind);
    /// Closes both vaults.
    void CloseVaults();
    /// The open vaults; nullptr when not open (the vault services then do nothing).
    tTrezor* ParameterVault() const { return state_.parameterVault.get(); }
    tTrezor* DocumentVault() const { return state_.documentVault.get(); }

    // ---- Window slot ---------------------------------------------------------------------

    /// The main window's position for this instance (see WindowSlots).
    bool WindowSlot(int& top, int& left) { return windowSlots_.WindowSlot(top, left); }
    void ReleaseWindowSlot() { windowSlots_.ReleaseWindowSlot(ctx_.ui); }
    int WindowSlotNumber() const { return windowSlots_.Slot(); }

    // ---- For the start-up services -------------------------------------------------------

    /// The state the start-up services fill.
    SessionState& State() { return state_; }
    const SessionState& State() const { return state_; }
    storage::DataContext& MutableContext() { return ctx_; }
    /// Registers a step run first by ShutDown (files a command left open for the whole run).
    void OnShutDown(std::function<void()> step) { state_.shutDownHooks.push_back(std::move(step)); }
    /// The external addresses the recipient of a printout sent by e-mail is picked from; the
    /// application sets it, the subsystems below it do not know the address list.
    void SetRecipientPicker(ui::RecipientPicker picker) {
        state_.recipientPicker = std::move(picker);
    }
    const ui::RecipientPicker& RecipientPicker() const { return state_.recipientPicker; }

  private:
    storage::DataContext ctx_;
    Text computerId_;
    StartUpOptions options_;
    SessionState state_;
    WindowSlots windowSlots_;
};

}  // namespace axo::startup
