// The administration of an installation: its areas and fiscal years, the user files, the work
// files without owner and the index rebuild.
#include "startup/Administration.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "startup/DataAreas.h"
#include "startup/InstallationFiles.h"
#include "startup/Login.h"
#include "startup/Session.h"
#include "startup/Trezor.h"
#include "storage/FileLocks.h"
#include "storage/WorkFiles.h"
#include "storage/WorkRuns.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;
using storage::_WaitQuestion;

namespace {

constexpr char kBreak = ui::kLineBreakMark;

Text NameKey(const Text& name) {
    return NationalUpperCase(Trim(name));
}

fs::path Canonical(const fs::path& path) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path : canonical;
}

/// The record numbers of an open table, in their order.
std::vector<std::int32_t> RecordNumbers(storage::tSoubor& file) {
    std::vector<std::int32_t> numbers;
    std::int32_t n = 0;
    Text key;
    file.BtClearKey(0);
    while (file.BtNextKey(0, n, key))
        numbers.push_back(n);
    return numbers;
}

/// Every record of the program installation (one per client of a multi-client installation).
bool ReadPrograms(const storage::DataContext& ctx, std::vector<tVetaAXO>& records) {
    if (ProbeInstallationTable(ctx.programDirectory / "AXO.DB", kFieldsAXO) != TableProbe::Usable)
        return false;
    tSouborAXO file(ctx);
    if (!file.InitFilePath(Text::FromBytes(storage::kProgramPathToken), 1, _WaitQuestion))
        return false;
    for (const std::int32_t n : RecordNumbers(file))
        file.GetRec(n, &records.emplace_back());
    file.CloseFile();
    return !records.empty();
}

/// "CharakterFirmy" of a data installation; 3 (a contributory organisation) when unreadable.
int UnitKind(const storage::DataContext& ctx, const fs::path& directory) {
    if (ProbeInstallationTable(directory / "AXO-DATA.DB", kFieldsAXO_DATA) != TableProbe::Usable)
        return 3;
    tSouborAXO_DATA file(ctx);
    tVetaAXO_DATA r;
    std::int32_t n = 0;
    const bool read = file.InitFilePath(DirectoryText(directory), 1, _WaitQuestion) &&
                      ReadFirstRecord(file, &r, n);
    file.CloseFile();
    return read ? r.CharakterFirmy : 3;
}

}  // namespace

Administration::Administration(ui::UiServices& ui, const Clock& clock, fs::path home) {
    ctx_.ui = &ui;
    ctx_.clock = &clock;
    ctx_.programDirectory = home;
    ctx_.currentDirectory = home;
    ctx_.programFileName = Text::FromBytes(kProgramFileName);
}

bool Administration::Open(const Text& password) {
    ui::UiServices& ui = *ctx_.ui;
    std::vector<tVetaAXO> programs;
    if (!ReadPrograms(ctx_, programs)) {
        ui.ShowErrorLine("Nelze přečíst PROGRAMOVÝ instalační soubor ("_t + DirectoryText(Home()) +
                         "AXO.DB)."_t);
        return false;
    }
    const auto withPassword = [](const tVetaAXO& p) { return !Trim(p.HesloSupervizora).empty(); };
    if (std::none_of(programs.begin(), programs.end(), withPassword)) {
        ui.ShowError("V PROGRAMOVÉM instalačním souboru není zadáno heslo správce."_t,
                     "Zadá je nové založení instalačních souborů: axo-pap-cli init ADRESÁŘ "
                     "--year RRRR --force --supervisor HESLO."_t);
        return false;
    }
    for (const tVetaAXO& p : programs)
        if (withPassword(p) && Trim(p.HesloSupervizora) == Trim(password).substr(0, 7))
            clients_.push_back(p);
    if (clients_.empty()) {
        ui.ShowErrorLine("Zadané heslo není heslem správce systému."_t);
        return false;
    }
    ctx_.workDirectory = storage::ReadWorkDirectory(ui, Home());
    std::set<fs::path> seen;
    std::set<Text> years;
    for (const tVetaAXO& p : clients_) {
        for (const tObdobiAXO& year : p.OBD) {
            const Text code = NationalUpperCase(Trim(year.Cesta));
            if (code.size() != 4)
                continue;
            const fs::path yearPath = storage::PathFromText(code);
            for (int area = 0; area < kLoginAreas; ++area) {
                const fs::path d = ResolveRoot(p.CA_Cesta[area], Home()) / yearPath;
                std::error_code ec;
                if (fs::is_directory(d, ec) && seen.insert(Canonical(d)).second)
                    areaDirectories_.push_back(d);
            }
            const fs::path accounting = ResolveRoot(p.CA_Cesta[kAreaUcetnictvi], Home()) / yearPath;
            std::error_code ec;
            if (fs::is_directory(accounting, ec) && years.insert(code).second)
                years_.push_back({code, accounting,
                                  ResolveRoot(p.CA_Cesta[kAreaCiselniky], Home()) / yearPath,
                                  UnitKind(ctx_, accounting)});
        }
    }
    return true;
}

bool Administration::ProgramsRunning() const {
    return storage::LockedByAnybody(storage::LockFilePath(Home() / "AXO.DB"));
}

std::vector<fs::path> Administration::UserFileDirectories() const {
    std::vector<fs::path> directories;
    for (const fs::path& d : areaDirectories_)
        if (ProbeInstallationTable(d / "AXO-USER.DB", kFieldsAXO_USER) == TableProbe::Usable)
            directories.push_back(d);
    return directories;
}

std::vector<LoginEntry> Administration::Logins() {
    std::vector<LoginEntry> entries;
    for (const fs::path& d : UserFileDirectories()) {
        tSouborAXO_USER file(ctx_);
        if (!file.InitFilePath(DirectoryText(d), 1, _WaitQuestion))
            continue;
        for (const std::int32_t n : RecordNumbers(file)) {
            LoginEntry& e = entries.emplace_back();
            e.directory = d;
            file.GetRec(n, &e.record);
        }
        file.CloseFile();
    }
    return entries;
}

int Administration::ChangeUsers(const std::function<bool(tVetaAXO_USER&, bool&)>& change) {
    int changed = 0;
    for (const fs::path& d : UserFileDirectories()) {
        tSouborAXO_USER file(ctx_);
        if (!file.InitFilePath(DirectoryText(d), 1, _WaitQuestion))
            continue;
        if (!file.BtLockFileBlock(_WaitQuestion)) {
            ctx_.ui->ShowErrorLine("Nelze zamknout UŽIVATELSKÝ instalační soubor ("_t +
                                   DirectoryText(d) + "AXO-USER.DB)."_t + kBreak +
                                   "Soubor zůstal beze změny."_t);
            file.CloseFile();
            continue;
        }
        // Record numbers first: a deletion must not disturb the walk.
        for (std::int32_t number : RecordNumbers(file)) {
            tVetaAXO_USER r;
            file.GetRec(number, &r);
            bool remove = false;
            if (!change(r, remove))
                continue;
            ++changed;
            if (remove)
                file.DeleteRec(number);
            else
                file.PutRec(number, &r);
        }
        file.Unlock();
        file.CloseFile();
    }
    return changed;
}

int Administration::ClearCrash(const Text& userName) {
    const Text wanted = NameKey(userName);
    return ChangeUsers([&wanted](tVetaAXO_USER& r, bool&) {
        if (NameKey(r.JmenoUzivatele) != wanted || r.Prihl_Havarie == 0)
            return false;
        r.Prihl_Havarie = 0;
        return true;
    });
}

int Administration::Logout(const Text& userName) {
    const Text wanted = NameKey(userName);
    return ChangeUsers([&wanted](tVetaAXO_USER& r, bool& remove) {
        if (NameKey(r.JmenoUzivatele) != wanted || r.Prihl_UzivatelPrihlasen == kNotLoggedIn)
            return false;
        remove = r.Prihl_UzivatelPrihlasen == kSupervisorLogin;
        const std::uint8_t crashed = r.Prihl_Havarie;
        ClearLogin(r);
        r.Prihl_Havarie = crashed;
        return true;
    });
}

std::vector<fs::path> Administration::StaleWorkFiles() const {
    return storage::StaleWorkFiles(WorkDirectory());
}

std::vector<AdminTable> Administration::InstallationTables() const {
    const Text program = Text::FromBytes(storage::kProgramPathToken);
    std::vector<AdminTable> tables;
    tables.push_back({program, [](const auto& ctx) { return std::make_unique<tSouborAXO>(ctx); }});
    for (const fs::path& d : areaDirectories_) {
        tables.push_back({DirectoryText(d),
                          [](const auto& ctx) { return std::make_unique<tSouborAXO_DATA>(ctx); }});
        tables.push_back({DirectoryText(d),
                          [](const auto& ctx) { return std::make_unique<tSouborAXO_USER>(ctx); }});
    }
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(Home(), ec)) {
        const Text name = storage::TextFromPath(entry.path().filename());
        if (name.size() < 5 || (name.front() != '~' && name.front() != '&') ||
            !name.EndsWith(".DB"_t))
            continue;
        const VaultKind kind = name.front() == '~' ? VaultKind::Parameters : VaultKind::Documents;
        const Text user = name.substr(1, name.size() - 4);
        tables.push_back({program, [kind, user](const storage::DataContext& ctx) {
                              return std::make_unique<tTrezor>(ctx, kind, user, 0);
                          }});
    }
    return tables;
}

std::vector<std::unique_ptr<storage::tSoubor>> Administration::ExistingTables(
    const std::vector<AdminTable>& tables) const {
    std::vector<std::unique_ptr<storage::tSoubor>> files;
    for (const AdminTable& table : tables) {
        std::unique_ptr<storage::tSoubor> file = table.make(ctx_);
        const bool described = table.directory.empty()
                                   ? file->InitFile(0, _WaitQuestion)
                                   : file->InitFilePath(table.directory, 0, _WaitQuestion);
        if (described && file->GetEngine().Exists(file->DataFilePath()))
            files.push_back(std::move(file));
    }
    return files;
}

}  // namespace axo::startup
