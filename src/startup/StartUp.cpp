// The start-up sequence and the closing steps of a run.
#include "startup/StartUp.h"

#include <unistd.h>

#include <system_error>
#include <vector>

#include "pap/TableSwap.h"
#include "startup/DataAreas.h"
#include "startup/EngineChoice.h"
#include "startup/FiscalYearDialog.h"
#include "startup/Login.h"
#include "startup/Messages.h"
#include "storage/PathCheck.h"
#include "storage/WorkFiles.h"
#include "storage/WorkRuns.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;

namespace {

constexpr char kBreak = ui::kLineBreakMark;
constexpr char kCentre = ui::kCentreMark;

Text CannotStart() {
    return "Program nelze spustit."_t;
}

/// The program directory must be one the run can work in (the family's programs make it their
/// current directory; this one keeps the process's own and resolves everything against it).
bool DirectoryUsable(const fs::path& directory) {
    std::error_code ec;
    return fs::is_directory(directory, ec) && ::access(directory.c_str(), R_OK | X_OK) == 0;
}

/// Work files go to the work directory, or to the program directory when none is set (or the
/// one set cannot be used): the run needs to write there, or its first work file would end it
/// with a fatal error.
bool WorkDirectoryWritable(Session& s) {
    const fs::path directory = s.Context().WorkDirectoryOrCurrent();
    if (storage::DirectoryWritable(directory))
        return true;
    s.Ui().ShowErrorLine(
        "Do adresáře ["_t + DirectoryText(directory) +
        "] nelze zapisovat: program v něm vytváří pracovní soubory."_t + kBreak +
        "Nastavte právo zápisu, nebo v AXO.CFG zadejte jiný adresář (AXO_TEMP=)."_t + kBreak +
        kBreak + CannotStart() + kCentre);
    return false;
}

void ReadTables(SessionState& st) {
    for (int i = 0; i < kFiscalYearCount; ++i) {
        const tObdobiAXO& e = st.program.OBD[i];
        st.fiscalYears[i] = {e.Cesta, e.PocMes, e.PocRok, e.KoncMes, e.KoncRok};
    }
    std::vector<Text> rates;
    for (const StrN<50>& entry : st.program.DPH_Sazby)
        rates.push_back(entry);
    st.vatRates = VatRateTable(rates);
}

/// Finds the installation record of the client station in a multi-client installation.
bool FindStation(Session& s, tSouborAXO& file, std::int32_t n) {
    SessionState& st = s.State();
    if (!s.Options().station) {
        s.Ui().ShowErrorLine(
            "U multiverze musí být zadán druhý parametr - číslo stanice zákaznika multiverze."_t +
            kBreak + "Program končí - nutno spustit znovu."_t + kCentre);
        return false;
    }
    const long long station = TryTextToInt(Trim(*s.Options().station)).value_or(0);
    Text key;
    while (st.program.CisloStanice != station) {
        if (!file.BtNextKey(0, n, key)) {
            s.Ui().ShowErrorLine("Dříve vybraný zákaznik neexistuje."_t + kBreak +
                                 "Program končí - nutno spustit znovu."_t + kCentre);
            return false;
        }
        file.GetRec(n, &st.program);
    }
    return true;
}

bool OpenProgramInstallation(Session& s) {
    SessionState& st = s.State();
    ui::UiServices& ui = s.Ui();
    const TableProbe probe = ProbeInstallationTable(s.ProgramDirectory() / "AXO.DB", kFieldsAXO);
    if (probe == TableProbe::Missing) {
        ui.ShowErrorLine("Neexistuje PROGRAMOVY instalacni soubor"_t + kBreak + "("_t +
                         DirectoryText(s.ProgramDirectory()) + "AXO.DB)."_t + kBreak + kBreak +
                         CannotStart() + kCentre);
        return false;
    }
    std::unique_ptr<tSouborAXO> file;
    if (probe == TableProbe::Usable)
        file = storage::InitFilePath<tSouborAXO>(
            s.Context(), Text::FromBytes(storage::kProgramPathToken), 1, storage::_WaitQuestion);
    if (!file || !file->Ok()) {
        ui.ShowErrorLine("Nelze otevrit PROGRAMOVY instalacni soubor"_t + kBreak + "(AXO.DB)."_t +
                         kBreak + kBreak + CannotStart() + kCentre);
        return false;
    }
    if (!file->BtReadLockFileBlock(storage::_WaitQuestion)) {
        ui.ShowErrorLine(
            "Nelze zamknout PROGRAMOVÝ instalační soubor (AXO.DB). Program nelze spustit."_t +
            kCentre);
        return false;
    }
    std::int32_t n = 0;
    if (!ReadFirstRecord(*file, &st.program, n)) {
        ui.ShowErrorLine("Nebyl nalezen jediný platný záznam PROGRAMOVÉHO instalačního souboru."_t +
                         kBreak + "Program končí."_t + kCentre);
        return false;
    }
    st.multiClient = st.program.Prodejce >= 90;
    if (st.multiClient && !FindStation(s, *file, n))
        return false;
    st.station = st.program.CisloStanice;
    st.programFile = std::move(file);
    ReadTables(st);
    return true;
}

/// A data area prepared for its login: its data and user files open and locked.
struct PendingArea {
    int area = 0;
    std::unique_ptr<tSouborAXO_DATA> dataFile;
    tVetaAXO_DATA record;
    AreaLogin login;
};

bool CheckAreas(Session& s, std::vector<PendingArea>& pending) {
    SessionState& st = s.State();
    for (int i = 0; i <= kAreaPrubezne; ++i) {
        if (st.areas[i].sameAs >= 0)
            continue;
        if (i == kAreaPrubezne) {
            std::error_code ec;
            if (!fs::is_directory(st.areas[i].root, ec)) {
                s.Ui().ShowErrorLine("Neexistuje adresář ["_t + DirectoryText(st.areas[i].root) +
                                     "]."_t + kBreak + CannotStart());
                return false;
            }
            continue;
        }
        PendingArea& p = pending.emplace_back();
        p.area = i;
        p.login.directory = s.AreaDirectory(i);
        const Text requested = i == kAreaUcetnictvi ? s.Options().userName : st.userName;
        if (!OpenDataInstallation(s, i, p.dataFile, p.record, CannotStart()) ||
            !LoginArea(s, p.login, requested, CannotStart()) ||
            !CheckDataInstallation(s, i, p.login.directory, p.record))
            return false;
    }
    return true;
}

bool CheckDataVersion(Session& s) {
    const Text data = Trim(s.DataInstallation().CisloVerze);
    if (NationalUpperCase(data) == NationalUpperCase(ProgramDataVersionText()))
        return true;
    s.Ui().ShowErrorLine("NESOUHLASÍ ČÍSLO VERZE."_t + kBreak + kBreak + "Verze dat: "_t + data +
                         kBreak + "Verze programu: "_t + ProgramDataVersionText());
    return false;
}

/// Logs into the data areas. Every area is checked first, with its files held locked, and the
/// data version after them; only then are the logins written, so that a refusal leaves no login
/// behind.
bool LoginAreas(Session& s) {
    SessionState& st = s.State();
    // What an import killed half-way staged must not keep the login from being written.
    pap::RemoveStaleStaging({s.AccountingDirectory(), s.CodeListDirectory()});
    std::vector<PendingArea> pending;
    if (!CheckAreas(s, pending) || !CheckDataVersion(s))
        return false;
    for (PendingArea& p : pending) {
        WriteLogin(s, p.login, p.area);
        p.dataFile->Unlock();
        p.dataFile->CloseFile();
        st.areas[p.area].loggedIn = true;
    }
    for (AreaState& area : st.areas) {
        if (area.sameAs < 0)
            continue;
        const AreaState& first = st.areas[area.sameAs];
        area.loggedIn = first.loggedIn;
        area.loginRecord = first.loginRecord;
        area.forbidden = first.forbidden;
    }
    return true;
}

/// Reopens an area's data installation file before the logout; problems are reported.
void ReopenDataInstallation(Session& s, int area) {
    const fs::path directory = s.AreaDirectory(area);
    const Text name = DirectoryText(directory) + "AXO-DATA.DB"_t;
    const Text problems = "Při dalším spuštění se pravděpodobně objeví problémy."_t;
    const TableProbe probe = ProbeInstallationTable(directory / "AXO-DATA.DB", kFieldsAXO_DATA);
    if (probe == TableProbe::Missing) {
        ShowRefusal(s.Ui(),
                    "DATOVÝ instalační soubor z neznámých důvodů neexistuje ("_t + name + ")."_t,
                    problems);
        return;
    }
    std::unique_ptr<tSouborAXO_DATA> file;
    if (probe == TableProbe::Usable)
        file = storage::InitFilePath<tSouborAXO_DATA>(s.Context(), DirectoryText(directory), 1,
                                                      storage::_Wait);
    if (!file || !file->Ok()) {
        ShowRefusal(s.Ui(),
                    "DATOVÝ instalační soubor je z neznámých důvodů nečitelný ("_t + name + ")."_t,
                    problems);
    }
}

/// Asks for the password and sets its access level; a password no user of the installation has
/// is refused at once, before the fiscal year is asked for, and the prompt comes again (three
/// tries in all; one for a password given on the command line).
bool AskCheckedPassword(Session& s) {
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        if (!AskPassword(s, false))
            return false;
        SetAccessLevel(s);
        if (s.AccessLevel() != kLevelUser)
            return true;
        if (PasswordOfAnyUser(s).value_or(true))
            return true;
        const bool last = attempt == kTries || s.Options().password.has_value();
        s.Ui().ShowErrorLine("Zadané heslo není správné."_t + kBreak +
                             (last ? CannotStart() : "Zadejte heslo znovu."_t) + kCentre);
        if (last)
            return false;
    }
}

}  // namespace

bool StartUp(Session& s) {
    SessionState& st = s.State();
    if (st.started)
        return false;
    const DateTime now = s.GetClock().Now();
    st.systemDate = DateText(now.day, now.month, now.year);
    st.programDate = st.systemDate;
    st.currentMonth = now.month;
    st.currentYear = now.year;
    if (const Text problem = storage::DirectoryPathProblem(s.ProgramDirectory(),
                                                           storage::DirectoryUse::Installation);
        !problem.empty()) {
        s.Ui().ShowErrorLine(problem + kBreak + kBreak + CannotStart() + kCentre);
        return false;
    }
    if (!DirectoryUsable(s.ProgramDirectory())) {
        s.Ui().ShowErrorLine("Knihovnu "_t + DirectoryText(s.ProgramDirectory()) +
                             " nelze nastavit jako aktuální."_t + kBreak + kBreak + CannotStart() +
                             kCentre);
        return false;
    }
    // The engine comes before every table: a server installation's tables are not files.
    if (Text problem; !UseConfiguredEngine(s.ProgramDirectory(), problem)) {
        s.Ui().ShowErrorLine(problem + kBreak + kBreak + CannotStart() + kCentre);
        return false;
    }
    s.MutableContext().currentDirectory = s.ProgramDirectory();
    s.MutableContext().workDirectory = storage::ReadWorkDirectory(s.Ui(), s.ProgramDirectory());
    if (!WorkDirectoryWritable(s))
        return false;
    for (AreaState& area : st.areas)
        area = AreaState{};
    if (!OpenProgramInstallation(s))
        return false;
    s.Ui().SetColorScheme(st.program.NastaveniBarev != 0);
    ResolveAreaRoots(s);
    const bool ok = AskCheckedPassword(s) && SelectFiscalYear(s, StartUpYearTitle(), false, true) &&
                    LoginAreas(s);
    if (!ok) {
        st.programFile.reset();
        return false;
    }
    st.parameterVaultName = VaultFileName(VaultKind::Parameters, st.userName);
    st.documentVaultName = VaultFileName(VaultKind::Documents, st.userName);
    st.data.NazevFirmy = LeftJustify(st.data.NazevFirmy, 30);
    st.data.AdresaFirmy = LeftJustify(st.data.AdresaFirmy, 30);
    // The run is seen in the work directory before it makes any work file there; what runs
    // that are gone left behind goes.
    st.workRun = std::make_unique<storage::WorkRun>(s.Context().WorkDirectoryOrCurrent());
    storage::RemoveStaleWorkFiles(*st.workRun);
    st.started = true;
    return true;
}

void ShutDown(Session& s) {
    SessionState& st = s.State();
    if (!st.started || st.shutDown || st.ended)
        return;
    st.shutDown = true;
    for (auto step = st.shutDownHooks.rbegin(); step != st.shutDownHooks.rend(); ++step)
        (*step)();
    st.shutDownHooks.clear();
    for (int area = 0; area < kLoginAreas; ++area) {
        if (!st.areas[area].loggedIn || st.areas[area].sameAs >= 0)
            continue;
        ReopenDataInstallation(s, area);
        LogoutArea(s, area);
        // An area logged out is no longer marked should a fatal error end the rest.
        for (AreaState& same : st.areas)
            if (&same == &st.areas[area] || same.sameAs == area)
                same.loggedIn = false;
    }
    s.CloseVaults();
    if (st.programFile) {
        st.programFile->Unlock();
        st.programFile->CloseFile();
        st.programFile.reset();
    }
    s.ReleaseWindowSlot();
    st.workRun.reset();
}

}  // namespace axo::startup
