// admin: the state of an installation's logins, crash marks and work files, and the supervisor's
// remedies: clearing a crash mark, ending a login left behind, the index rebuild of tables.
#include "AdminCommands.h"

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CliUi.h"
#include "StartupCommands.h"
#include "pap/PapFiles.h"
#include "startup/Administration.h"
#include "startup/Login.h"
#include "startup/Machine.h"
#include "storage/Rebuild.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "Použití: axo-pap-cli [--home ADRESÁŘ] [--password HESLO] admin status | clear-crash "
    "JMÉNO | logout JMÉNO [--force] | rebuild TABULKA | rebuild --all\n"
    "(heslo správce systému, jinak z proměnné prostředí AXO_PASSWORD)\n";

/// A path as the installation names it: relative to the home, without a trailing "/".
std::string Relative(const startup::Administration& admin, const fs::path& path) {
    const fs::path relative = path.lexically_relative(admin.Home());
    std::string shown =
        relative.empty() || relative.native().starts_with("..") ? path.string() : relative.string();
    if (shown.size() > 1 && shown.back() == '/')
        shown.pop_back();
    return shown;
}

std::string LoginState(const startup::tVetaAXO_USER& r) {
    switch (r.Prihl_UzivatelPrihlasen) {
        case startup::kNotLoggedIn:
            return "nepřihlášen";
        case startup::kLoggedIn:
            return "přihlášen";
        case startup::kLoggedInExclusively:
            return "přihlášen výhradně";
        default:
            return "přihlášen jako správce";
    }
}

int Status(startup::Administration& admin, std::ostream& out) {
    out << "Instalace " << admin.Home().string() << "/: "
        << (admin.ProgramsRunning() ? "programy v ní právě běží" : "žádný program v ní neběží")
        << "\nPřihlášení:\n";
    int crashes = 0;
    for (const startup::LoginEntry& e : admin.Logins()) {
        const startup::tVetaAXO_USER& r = e.record;
        out << "  " << Relative(admin, e.directory) << "/  "
            << ToUtf8(LeftJustify(Trim(r.JmenoUzivatele), 7)) << "  " << LoginState(r);
        if (r.Prihl_UzivatelPrihlasen != startup::kNotLoggedIn)
            out << " (" << r.Prihl_PocetPrihlaseni_1uziv_1disk << "x, stanice "
                << ToUtf8(IntToTextZeros(r.Prihl_CisloStanice, 3)) << ", počítač "
                << ToUtf8(Trim(r.Prihl_Disk_1uziv)) << ", moduly " << ToUtf8(Text(r.Prihl_Moduly))
                << ", " << ToUtf8(startup::LoginStamp(r)) << ")";
        if (r.Prihl_Havarie != 0) {
            out << "  HAVÁRIE";
            ++crashes;
        }
        out << "\n";
    }
    out << "Indikované havárie: " << crashes
        << (crashes ? " (zruší je axo-pap-cli admin clear-crash JMÉNO)" : "") << "\n";
    const std::vector<fs::path> stale = admin.StaleWorkFiles();
    out << "Pracovní soubory skončených běhů v " << Relative(admin, admin.WorkDirectory())
        << "/: " << stale.size() << (stale.empty() ? "" : " (odstraní je příští spuštění)") << "\n";
    for (const fs::path& file : stale)
        out << "  " << file.filename().string() << "\n";
    return 0;
}

/// Whether the name stands in any user file.
bool KnownUser(startup::Administration& admin, const Text& name, std::ostream& err) {
    for (const startup::LoginEntry& e : admin.Logins())
        if (NationalUpperCase(Trim(e.record.JmenoUzivatele)) == NationalUpperCase(Trim(name)))
            return true;
    err << "Uživatel " << ToUtf8(name) << " není v žádném uživatelském instalačním souboru.\n";
    return false;
}

template <class Kind>
startup::AdminTable PapTable(const pap::PapLocation& where) {
    return {{}, [where](const storage::DataContext& ctx) -> std::unique_ptr<storage::tSoubor> {
                return std::make_unique<Kind>(ctx, where);
            }};
}

/// The tables of the installation: its own, and those of PAP in every fiscal year.
std::vector<startup::AdminTable> AllTables(const startup::Administration& admin) {
    std::vector<startup::AdminTable> tables = admin.InstallationTables();
    for (const startup::AdminYear& y : admin.Years()) {
        const pap::PapLocation where{y.accountingDirectory, y.codeListDirectory, y.code,
                                     y.unitKind};
        for (startup::AdminTable table :
             {PapTable<pap::tFileUDHL>(where), PapTable<pap::tFileUDPO>(where),
              PapTable<pap::tFileRozvrh>(where), PapTable<pap::tFileUAPV>(where),
              PapTable<pap::tFileUKod>(where)})
            tables.push_back(std::move(table));
    }
    return tables;
}

int Rebuild(startup::Administration& admin, const Options& options, std::ostream& out,
            std::ostream& err) {
    const bool all = options.Has("all");
    if (all == (options.Positional().size() == 3)) {
        err << kUsage;
        return 2;
    }
    Text wanted = all ? Text() : NationalUpperCase(FromUtf8(options.Positional()[2]));
    if (wanted.EndsWith(".DB"_t))
        wanted.resize(wanted.size() - 3);
    int rebuilt = 0;
    int failed = 0;
    for (const auto& file : admin.ExistingTables(AllTables(admin))) {
        if (!all && NationalUpperCase(file->FileName()) != wanted)
            continue;
        out << "Rekonstrukce indexů " << Relative(admin, file->DataFilePath()) << ": ";
        if (storage::RebuildIndexes(*file, true)) {
            out << "hotovo\n";
            ++rebuilt;
        } else {
            out << "neprovedena\n";
            ++failed;
        }
    }
    if (rebuilt + failed == 0) {
        err << "Tabulka " << options.Positional()[2] << " v instalaci není.\n";
        return 1;
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace

int RunAdmin(const Options& options, std::ostream& out, std::ostream& err) {
    // The fiscal year, date and output directory of the other commands are taken and left
    // unused, so that a user's usual command line works here too: administration covers every
    // fiscal year of the installation.
    if (!OnlyKnown(options, {"home", "password", "wait", "all", "force", "year", "date", "output"},
                   err))
        return 2;
    const std::vector<std::string>& words = options.Positional();
    const std::string action = words.size() > 1 ? words[1] : "";
    const std::size_t arguments = action == "status" ? 2 : action == "rebuild" ? words.size() : 3;
    if ((action != "status" && action != "clear-crash" && action != "logout" &&
         action != "rebuild") ||
        words.size() != arguments) {
        err << kUsage;
        return 2;
    }
    const startup::EnvironmentReader environment = startup::ProcessEnvironment();
    std::optional<std::string> password = options.Get("password");
    if (!password)
        password = environment("AXO_PASSWORD");
    if (!password || password->empty()) {
        err << "Heslo správce systému zadejte volbou --password nebo v proměnné prostředí "
               "AXO_PASSWORD.\n";
        return 2;
    }
    CliUi ui;
    const std::optional<int> wait = options.GetInt("wait");
    if (options.Has("wait") && (!wait || *wait < 0)) {
        err << "Volba --wait čeká počet sekund (0: čekat bez omezení).\n";
        return 2;
    }
    if (wait)
        ui.SetWaitLimit(std::chrono::seconds(*wait));
    startup::Administration admin(ui, SystemClock(),
                                  startup::InstallationHome(options.Get("home"), environment));
    if (!admin.Open(FromUtf8(*password)))
        return 1;
    if (action == "status")
        return Status(admin, out);
    if (action == "rebuild")
        return Rebuild(admin, options, out, err);
    const Text user = FromUtf8(words[2]);
    if (!KnownUser(admin, user, err))
        return 1;
    if (action == "clear-crash") {
        const int cleared = admin.ClearCrash(user);
        out << "Havárie uživatele " << words[2] << " zrušena v uživatelských souborech: " << cleared
            << ".\n";
        return 0;
    }
    if (admin.ProgramsRunning() && !options.Has("force")) {
        err << "V instalaci právě běží programy. Přihlášení ukončete, jen když uživatel "
            << words[2]
            << " program spuštěný nemá (ani na jiném počítači); pak příkaz zopakujte s volbou "
               "--force.\n";
        return 1;
    }
    out << "Přihlášení uživatele " << words[2]
        << " ukončeno v uživatelských souborech: " << admin.Logout(user) << ".\n";
    return 0;
}

}  // namespace axo::cli
