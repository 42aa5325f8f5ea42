// Creating a new installation.
#include "startup/NewInstallation.h"

#include <fstream>
#include <memory>
#include <set>
#include <system_error>
#include <vector>

#include "printforms/ShippedForms.h"
#include "startup/EngineChoice.h"
#include "startup/InstallationFiles.h"
#include "startup/Session.h"
#include "storage/PathCheck.h"
#include "storage/PgEngine.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;

namespace {

constexpr char kBreak = ui::kLineBreakMark;

Text Shown(const fs::path& path) {
    return storage::WithBackslash(storage::TextFromPath(path), true);
}

bool Refuse(ui::UiServices& ui, const Text& text) {
    ui.ShowErrorLine(text);
    return false;
}

bool Validate(const NewInstallation& request, ui::UiServices& ui) {
    if (request.year < 1901 || request.year > 9998)
        return Refuse(ui, "Hospodářský rok musí být rok o čtyřech číslicích."_t);
    if (Trim(request.userName).empty() || request.userName.size() > 7)
        return Refuse(ui, "Jméno uživatele musí mít 1 až 7 znaků."_t);
    if (Trim(request.password) != request.password || request.password.empty() ||
        request.password.size() > 7)
        return Refuse(ui, "Heslo musí mít 1 až 7 znaků bez mezer na okrajích."_t);
    if (Trim(request.supervisorPassword) != request.supervisorPassword ||
        request.supervisorPassword.empty() || request.supervisorPassword.size() > 7)
        return Refuse(ui, "Heslo správce musí mít 1 až 7 znaků bez mezer na okrajích."_t);
    // The supervisor's password gives the supervisor's level to whoever enters it.
    if (request.supervisorPassword == request.password)
        return Refuse(ui, "Heslo správce se musí lišit od hesla uživatele."_t);
    if (request.firmName.size() > 30)
        return Refuse(ui, "Název organizace může mít nejvýše 30 znaků."_t);
    if (request.ico.size() > 10)
        return Refuse(ui, "IČO může mít nejvýše 10 znaků."_t);
    return true;
}

/// The VAT rates of the Czech Republic since 2013: first day, last day, three rates.
std::vector<Text> VatRates() {
    return {" 1. 1.201331.12.201421.0015.00 0.00"_t, " 1. 1.201531.12.202321.0015.0010.00"_t,
            " 1. 1.202431.12.209921.0012.00 0.00"_t};
}

tVetaAXO ProgramRecord(const NewInstallation& request) {
    tVetaAXO p;
    p.CisloVerze = ProgramDataVersionText();
    for (int area = 0; area < kAreaRoots; ++area)
        p.CA_Cesta[area] = NewAreaRoot(area);
    p.ZnakMeny = "Kč"_t;
    p.NastaveniBarev = 1;
    p.MaxFPMRadekPortrait = 64;
    p.MaxFPMRadekLandScape = 44;
    p.PopisFirmy = request.firmName;
    p.HesloSupervizora = request.supervisorPassword;
    for (int i = 0; i < 2; ++i) {
        const int year = request.year - 1 + i;
        p.OBD[i].Cesta = IntToText(year);
        p.OBD[i].PocMes = 1;
        p.OBD[i].PocRok = static_cast<std::uint16_t>(year);
        p.OBD[i].KoncMes = 12;
        p.OBD[i].KoncRok = static_cast<std::uint16_t>(year);
    }
    const std::vector<Text> rates = VatRates();
    for (std::size_t i = 0; i < rates.size(); ++i)
        p.DPH_Sazby[i] = rates[i];
    return p;
}

tVetaAXO_DATA DataRecord(const NewInstallation& request, int year) {
    tVetaAXO_DATA d;
    d.CisloVerze = ProgramDataVersionText();
    d.NazevFirmy = request.firmName;
    d.IcoFirmy = request.ico;
    // Contributory organisations keep their books as accounting units of kind 3 (chart "Rozv").
    d.CharakterFirmy = 3;
    d.OBD_Cesta = IntToText(year);
    d.OBD_PocMes = 1;
    d.OBD_PocRok = static_cast<std::uint16_t>(year);
    d.OBD_KoncMes = 12;
    d.OBD_KoncRok = static_cast<std::uint16_t>(year);
    d.PAP = 1;
    return d;
}

tVetaAXO_USER UserRecord(const NewInstallation& request) {
    tVetaAXO_USER u;
    u.JmenoUzivatele = request.userName;
    u.HesloUzivatele = request.password;
    u.Vystavil = request.userName;
    return u;
}

/// Creates a table anew (its old files deleted) holding one record.
template <class Kind>
bool WriteTable(const storage::DataContext& ctx, const fs::path& directory, const void* record) {
    Kind file(ctx);
    if (!file.InitFilePath(Shown(directory), 3, storage::_Wait))
        return false;
    std::int32_t n = 0;
    const bool added = file.AddRec(n, record);
    file.CloseFile();
    return added;
}

bool WriteConfig(const fs::path& directory, const NewInstallation& request) {
    Text content =
        "; AXO_PAP - konfigurace instalace\r\nAXO_TEMP=temp/\r\n"_t + "AXO_MODALNI_TISK=ANO\r\n"_t;
    if (request.postgresql)
        content += "; tabulky na databázovém serveru (heslo v ~/.pgpass, ne zde)\r\n"_t +
                   Text::FromBytes(kEngineKey) + "="_t + Text::FromBytes(kPostgresqlName) +
                   "\r\n"_t + Text::FromBytes(kConnectionKey) + "="_t +
                   FromUtf8(request.connection) + "\r\n"_t;
    std::ofstream out(directory / "AXO.CFG", std::ios::binary | std::ios::trunc);
    out << content.Bytes();
    out.flush();
    return static_cast<bool>(out);
}

/// The data directories of the new installation: every distinct area root with both years.
std::vector<fs::path> DataDirectories(const fs::path& home, int year) {
    std::set<Text> roots;
    for (int area = 0; area < 8; ++area)
        roots.insert(NewAreaRoot(area));
    std::vector<fs::path> directories;
    for (const Text& root : roots)
        for (int y : {year - 1, year})
            directories.push_back(home / storage::PathFromText(root) / std::to_string(y));
    return directories;
}

bool Populate(const fs::path& home, const NewInstallation& request, ui::UiServices& ui,
              const Clock& clock) {
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.clock = &clock;
    ctx.programDirectory = home;
    ctx.currentDirectory = home;
    ctx.programFileName = Text::FromBytes(kProgramFileName);
    std::vector<fs::path> directories = DataDirectories(home, request.year);
    for (const Text& extra : {NewAreaRoot(8), NewAreaRoot(9), "temp/"_t})
        directories.push_back(home / storage::PathFromText(extra));
    for (const fs::path& d : directories) {
        // The installation stores its directories relative to the home, so only that part
        // counts against the table layer's limit, wherever the home lies.
        const Text stored = Shown(d.lexically_relative(home));
        if (stored.size() > storage::kMaxDirectoryText)
            return Refuse(ui, "Cesta ["_t + stored + "] je delší než 79 znaků."_t);
        std::error_code ec;
        fs::create_directories(d, ec);
        if (!fs::is_directory(d, ec))
            return Refuse(ui, "Adresář ["_t + Shown(d) + "] nelze vytvořit."_t);
    }
    if (!WriteConfig(home, request))
        return Refuse(ui, "Konfigurační soubor ["_t + Shown(home) + "AXO.CFG] nelze zapsat."_t);
    const tVetaAXO program = ProgramRecord(request);
    const tVetaAXO_USER user = UserRecord(request);
    bool written = true;
    for (const fs::path& d : DataDirectories(home, request.year)) {
        const tVetaAXO_DATA data = DataRecord(request, std::stoi(d.filename().string()));
        written = written && WriteTable<tSouborAXO_DATA>(ctx, d, &data) &&
                  WriteTable<tSouborAXO_USER>(ctx, d, &user);
    }
    // The code lists of both years start with the print forms the program ships.
    const fs::path codeLists = home / storage::PathFromText(NewAreaRoot(kAreaCiselniky));
    written = written &&
              printforms::InstallShippedForms(
                  ctx, {{codeLists / std::to_string(request.year - 1), IntToText(request.year - 1)},
                        {codeLists / std::to_string(request.year), IntToText(request.year)}});
    // ... and the template directory with the report templates of the statements.
    written = written && printforms::InstallShippedTemplates(
                             ui, home / storage::PathFromText(NewAreaRoot(kAreaSablony)));
    // The program installation last: a directory without it is no installation yet, so an
    // interrupted creation can simply be repeated.
    written = written && WriteTable<tSouborAXO>(ctx, home, &program);
    if (!written)
        return Refuse(ui, "Instalační soubory v adresáři ["_t + Shown(home) + "] nelze založit."_t);
    return true;
}

/// An installation in use keeps its program installation file open: it must not be recreated
/// under the running programs.
bool InstallationInUse(const fs::path& home, ui::UiServices& ui, const Clock& clock) {
    if (ProbeInstallationTable(home / "AXO.DB", kFieldsAXO) != TableProbe::Usable)
        return false;
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.clock = &clock;
    ctx.programDirectory = home;
    ctx.currentDirectory = home;
    tSouborAXO file(ctx);
    const bool free = file.InitFilePath(Shown(home), 4, storage::_NoWait);
    file.CloseFile();
    return !free;
}

/// Creates the installation in a directory that did not exist or was empty; a failure takes
/// away what was made.
bool CreateInEmpty(const fs::path& target, bool existed, const NewInstallation& request,
                   ui::UiServices& ui, const Clock& clock) {
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        return Refuse(ui, "Adresář ["_t + Shown(target) + "] nelze vytvořit."_t);
    if (Populate(target, request, ui, clock))
        return true;
    if (!existed) {
        fs::remove_all(target, ec);
    } else {
        for (const fs::directory_entry& entry : fs::directory_iterator(target, ec))
            fs::remove_all(entry.path(), ec);
    }
    return false;
}

/// Takes away the server tables of the installation that were not there before its creation
/// began: a creation that failed leaves the server as it found it (CreateInEmpty clears the
/// directory).
void DropTablesMadeSince(const storage::PgOptions& server, const std::vector<fs::path>& before) {
    try {
        const std::set<fs::path> old(before.begin(), before.end());
        const std::shared_ptr<storage::Engine> engine = storage::MakePgEngine(server);
        for (const fs::path& table : storage::PgTables(server))
            if (!old.count(table))
                engine->Drop(table);
    } catch (const storage::EngineError&) {
        // The server is gone: what it keeps is no worse than what the failure left.
    }
}

}  // namespace

Text DefaultUserName() {
    return "UCETNI"_t;
}

Text DefaultPassword() {
    return "ucetni"_t;
}

Text DefaultSupervisorPassword() {
    return "spravce"_t;
}

Text DefaultFirmName() {
    return "Příspěvková organizace"_t;
}

Text NewAreaRoot(int area) {
    switch (area) {
        case kAreaCiselniky:
            return "ciselniky/"_t;
        case kAreaPrubezne:
            return "prubezne/"_t;
        case kAreaSablony:
            return "sablony/"_t;
        default:
            return "data/"_t;
    }
}

bool CreateInstallation(const NewInstallation& request, ui::UiServices& ui, const Clock& clock) {
    if (!Validate(request, ui))
        return false;
    if (const Text problem =
            storage::DirectoryPathProblem(request.directory, storage::DirectoryUse::Installation);
        !problem.empty())
        return Refuse(ui, problem);
    std::error_code ec;
    fs::path target = fs::absolute(request.directory, ec).lexically_normal();
    if (!target.has_filename())
        target = target.parent_path();
    const bool exists = fs::exists(target, ec);
    if (exists && !fs::is_directory(target, ec))
        return Refuse(ui, "["_t + storage::TextFromPath(target) + "] není adresář."_t);
    const storage::PgOptions server{request.connection, target};
    std::vector<fs::path> before;
    if (request.postgresql) {
        if (const Text refusal = CheckConnection(request.connection); !refusal.empty())
            return Refuse(ui, refusal);
        try {
            before = storage::PgTables(server);
        } catch (const storage::EngineError& e) {
            return Refuse(ui, FromUtf8(e.what()));
        }
        storage::UseEngine(storage::MakePgEngine(server));
    } else {
        storage::UseEngine(nullptr);
    }
    bool made = false;
    if (!exists || fs::is_empty(target, ec)) {
        made = CreateInEmpty(target, exists, request, ui, clock);
    } else {
        if (storage::DefaultEngine()->Exists(target / "AXO.DB")) {
            if (!request.force)
                return Refuse(ui, "V adresáři ["_t + Shown(target) + "] již instalace existuje."_t +
                                      kBreak + "Přepsat ji lze jen výslovným povolením."_t);
            if (InstallationInUse(target, ui, clock))
                return Refuse(ui,
                              "Instalace v adresáři ["_t + Shown(target) + "] se právě používá."_t);
        }
        made = Populate(target, request, ui, clock);
    }
    if (!made && request.postgresql)
        DropTablesMadeSince(server, before);
    return made;
}

}  // namespace axo::startup
