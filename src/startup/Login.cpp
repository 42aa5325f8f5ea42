// Password, access level, login into the data areas, logout and the crash mark.
#include "startup/Login.h"

#include <system_error>

#include "startup/Messages.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"

namespace axo::startup {

namespace fs = std::filesystem;
using storage::_Wait;
using storage::_WaitQuestion;

namespace {

constexpr char kBreak = ui::kLineBreakMark;
constexpr int kPasswordLength = 7;
constexpr int kPasswordShift = 81;

Text ProblemsNextTime() {
    return "Při dalším spuštění se pravděpodobně objeví problémy."_t;
}

Text AdministrationModule() {
    return "\"SPRÁVCE SYSTÉMU\"."_t;
}

Text NameKey(const Text& name) {
    return NationalUpperCase(Trim(name));
}

bool SamePassword(const tVetaAXO_USER& record, const Text& password) {
    return Trim(UnshiftPassword(record.HesloUzivatele)) == password;
}

}  // namespace

Text LoginStamp(const tVetaAXO_USER& r) {
    return DateText(r.Prihl_DatumCas_Day, r.Prihl_DatumCas_Month, r.Prihl_DatumCas_Year) + " "_t +
           IntToTextZeros(r.Prihl_DatumCas_Hour, 2) + ":"_t +
           IntToTextZeros(r.Prihl_DatumCas_Min, 2) + ":"_t +
           IntToTextZeros(r.Prihl_DatumCas_Sec, 2);
}

namespace {

/// The record as the refusals show it.
Text Details(const tVetaAXO_USER& r) {
    return kBreak + "Uživatel : "_t + Trim(r.JmenoUzivatele) + kBreak + "Stanice  : "_t +
           IntToTextZeros(r.Prihl_CisloStanice, 3) + kBreak + "Modul    : "_t +
           Text(r.Prihl_Moduly) + kBreak + "Datum/čas: "_t + LoginStamp(r);
}

void StampNow(tVetaAXO_USER& r, const DateTime& now) {
    r.Prihl_DatumCas_Year = static_cast<std::uint16_t>(now.year);
    r.Prihl_DatumCas_Month = static_cast<std::uint16_t>(now.month);
    r.Prihl_DatumCas_Day = static_cast<std::uint16_t>(now.day);
    r.Prihl_DatumCas_Hour = static_cast<std::uint16_t>(now.hour);
    r.Prihl_DatumCas_Min = static_cast<std::uint16_t>(now.minute);
    r.Prihl_DatumCas_Sec = static_cast<std::uint16_t>(now.second);
}

bool LoggedInToday(const tVetaAXO_USER& r, const DateTime& now) {
    return r.Prihl_DatumCas_Year == now.year && r.Prihl_DatumCas_Month == now.month &&
           r.Prihl_DatumCas_Day == now.day;
}

void CloseUserFile(AreaLogin& login) {
    if (login.userFile) {
        login.userFile->Unlock();
        login.userFile->CloseFile();
    }
    login.userFile.reset();
}

/// Opens the user file of an area (shared) and takes its write lock. `openFailure` and
/// `lockFailure` are shown when that is not possible.
bool OpenUserFile(Session& s, const storage::DataContext& ctx, const fs::path& directory, int wait,
                  std::unique_ptr<tSouborAXO_USER>& file, const Text& missing,
                  const Text& missingAppended, const Text& openAppended, const Text& lockAppended) {
    ui::UiServices& ui = s.Ui();
    const Text name = DirectoryText(directory) + "AXO-USER.DB"_t;
    const TableProbe probe = ProbeInstallationTable(directory / "AXO-USER.DB", kFieldsAXO_USER);
    if (probe == TableProbe::Missing) {
        ShowRefusal(ui, missing + name + ")."_t, missingAppended);
        return false;
    }
    if (probe == TableProbe::Usable)
        file = storage::InitFilePath<tSouborAXO_USER>(ctx, DirectoryText(directory), 1, wait);
    if (!file || !file->Ok()) {
        file.reset();
        ShowRefusal(ui, "Nelze otevřít UŽIVATELSKÝ instalační soubor ("_t + name + ")."_t,
                    openAppended);
        return false;
    }
    if (!file->BtLockFileBlock(wait)) {
        file->CloseFile();
        file.reset();
        ShowRefusal(ui, "Nelze zamknout UŽIVATELSKÝ instalační soubor ("_t + name + ")."_t,
                    lockAppended);
        return false;
    }
    return true;
}

/// The rules of a normal user's login applied to one record; false after a refusal.
bool CheckUserRecord(Session& s, AreaLogin& login, const tVetaAXO_USER& r, std::int32_t n,
                     const Text& requested, bool& matched, const Text& file, const Text& trailing) {
    ui::UiServices& ui = s.Ui();
    SessionState& st = s.State();
    const bool samePassword = SamePassword(r, st.password);
    if (samePassword && matched) {
        ShowRefusal(
            ui,
            "UŽIVATELSKÝ instalační soubor obsahuje duplicitní definice uživatelů - heslo ("_t +
                file + ")."_t + kBreak + "Heslo    : "_t + st.password + kBreak + "Uživatel : "_t +
                Trim(r.JmenoUzivatele),
            trailing);
        return false;
    }
    if (!samePassword && !requested.empty() && matched &&
        NameKey(r.JmenoUzivatele) == NameKey(requested)) {
        ShowRefusal(
            ui,
            "UŽIVATELSKÝ instalační soubor obsahuje duplicitní definice uživatelů - jméno ("_t +
                file + ")."_t + Details(r),
            trailing);
        return false;
    }
    if (!samePassword)
        return true;
    if (r.Prihl_UzivatelPrihlasen != kNotLoggedIn &&
        (r.Prihl_CisloStanice != st.station ||
         NationalUpperCase(Trim(r.Prihl_Disk_1uziv)) != s.ComputerId())) {
        ShowRefusal(
            ui,
            "V UŽIVATELSKÉM instalačním souboru je již pod Vámi zadaným heslem někdo přihlášen ("_t +
                file + ")."_t + Details(r),
            trailing);
        return false;
    }
    matched = true;
    login.record = r;
    login.recordNumber = n;
    if (!requested.empty() && NameKey(r.JmenoUzivatele) != NameKey(requested)) {
        ShowRefusal(ui,
                    "UŽIVATELSKÝ instalační soubor ("_t + file +
                        ") obsahuje pro zadané heslo jiné jméno."_t,
                    "Požadované jméno : "_t + requested);
        return false;
    }
    if (st.userName.empty()) {
        st.userName = Trim(r.JmenoUzivatele);
        st.issuer = Trim(r.Vystavil);
    }
    return true;
}

/// Every rule of the login applied to one record; false after a refusal.
bool CheckRecord(Session& s, AreaLogin& login, const tVetaAXO_USER& r, std::int32_t n,
                 const Text& requested, bool& matched, const Text& file, const Text& trailing) {
    ui::UiServices& ui = s.Ui();
    const DateTime now = s.GetClock().Now();
    if (r.Prihl_Havarie != 0) {
        ShowRefusal(ui,
                    "V UŽIVATELSKÉM instalačním souboru byla indikována havárie uživatele ("_t +
                        file + "). "_t + Details(r),
                    "Pro nápravu nutno použít modul"_t + kBreak + AdministrationModule() + kBreak +
                        "(správce: axo-pap-cli admin clear-crash "_t + Trim(r.JmenoUzivatele) +
                        ")"_t);
        return false;
    }
    if (r.Prihl_UzivatelPrihlasen != kNotLoggedIn && !LoggedInToday(r, now)) {
        ui.ShowBlocking(
            "V UŽIVATELSKÉM instalačním souboru bylo indikováno přihlášení jiného uživatele s odlišným datem ("_t +
                file + "). Přesvědčte se, že tento nehavaroval."_t + Details(r) + kBreak +
                "Akt.datum: "_t + DateText(now.day, now.month, now.year) + kBreak,
            "Pokud daný uživatel havaroval, ukončete program "_t +
                "a pro nápravu nutno použít modul \"SPRÁVCE SYSTÉMU\"."_t);
    }
    if (s.AccessLevel() == kLevelUser) {
        if (!CheckUserRecord(s, login, r, n, requested, matched, file, trailing))
            return false;
    } else if (NameKey(r.JmenoUzivatele) == NameKey(s.UserName())) {
        ShowRefusal(ui,
                    "V UŽIVATELSKÉM instalačním souboru je již supervizor přihlášen ("_t + file +
                        ")."_t + Details(r),
                    trailing);
        return false;
    }
    // This module never logs in exclusively, so only another's exclusive login is in the way.
    if (r.Prihl_UzivatelPrihlasen >= kLoggedInExclusively) {
        ShowRefusal(
            ui,
            "V UŽIVATELSKÉM instalačním souboru bylo indikováno výhradní přihlášení jiného uživatele - nelze provést přihlášení ("_t +
                file + ")."_t + Details(r),
            trailing);
        return false;
    }
    if (r.Prihl_UzivatelPrihlasen != kNotLoggedIn)
        login.firstUser = false;
    return true;
}

/// The user's login record in an open user file: for a user the record of the password, for a
/// supervisor or author the login record of the fixed name and the password. The record the
/// login wrote is preferred when it still qualifies. 0 when there is none.
std::int32_t FindOwnLogin(Session& s, tSouborAXO_USER& file, int area, tVetaAXO_USER& found) {
    const std::int32_t written = s.AreaAt(area).loginRecord;
    std::int32_t first = 0;
    std::int32_t n = 0;
    Text key;
    tVetaAXO_USER r;
    file.BtClearKey(0);
    while (file.BtNextKey(0, n, key)) {
        file.GetRec(n, &r);
        const bool own = s.AccessLevel() == kLevelUser
                             ? SamePassword(r, s.Password())
                             : r.Prihl_UzivatelPrihlasen == kSupervisorLogin &&
                                   NameKey(r.JmenoUzivatele) == NameKey(s.UserName()) &&
                                   Trim(r.HesloUzivatele) == s.Password();
        if (!own)
            continue;
        if (first == 0 || n == written) {
            first = n;
            found = r;
        }
        if (n == written)
            break;
    }
    return first;
}

/// UI services that pass everything on, except that ending the program only abandons the step
/// under way: a failure while one area is marked must not keep the others from being marked.
class CrashMarkUi : public ui::UiServices {
  public:
    struct Abandoned {};
    explicit CrashMarkUi(ui::UiServices& real) : real_(real) {}
    ui::Desktop GetDesktop() const override { return real_.GetDesktop(); }
    int RunMessage(const ui::MessageWindow& w) override { return real_.RunMessage(w); }
    std::unique_ptr<ui::ModelessWindow> OpenModeless(const ui::MessageWindow& w) override {
        return real_.OpenModeless(w);
    }
    int RunDecision(const ui::DecisionWindow& w) override { return real_.RunDecision(w); }
    int RunPrompt(const ui::PromptWindow& w, Text& v) override { return real_.RunPrompt(w, v); }
    void ShowStatus(int panel, const Text& text) override { real_.ShowStatus(panel, text); }
    void SetMenuEnabled(bool enabled) override { real_.SetMenuEnabled(enabled); }
    void ProcessEvents() override { real_.ProcessEvents(); }
    std::unique_ptr<ui::ProgressView> OpenProgress(const ui::ProgressState& state) override {
        return real_.OpenProgress(state);
    }
    ui::WaitOutcome RunWait(const ui::WaitWindow& w) override { return real_.RunWait(w); }
    void RunReport(const ui::ReportWindow& w, const std::function<void()>& print) override {
        real_.RunReport(w, print);
    }
    [[noreturn]] void Terminate(int) override { throw Abandoned{}; }

  private:
    ui::UiServices& real_;
};

/// Registers a user file as the one the area's logout holds, for as long as the logout runs.
class UserFileInUse {
  public:
    UserFileInUse(AreaState& area, tSouborAXO_USER& file) : area_(area) {
        area_.userFileInUse = &file;
    }
    ~UserFileInUse() { area_.userFileInUse = nullptr; }
    UserFileInUse(const UserFileInUse&) = delete;
    UserFileInUse& operator=(const UserFileInUse&) = delete;

  private:
    AreaState& area_;
};

void MarkArea(Session& s, const storage::DataContext& ctx, int area) {
    // A logout cut short by the fatal error still holds the user file and its table lock. It is
    // let go as the end of the program would let it go: waiting for it would be waiting for
    // this process itself. What the file keeps after that can only be another station's.
    if (tSouborAXO_USER* inUse = s.State().areas[area].userFileInUse)
        inUse->Abandon();
    const fs::path directory = s.AreaDirectory(area);
    if (ProbeInstallationTable(directory / "AXO-USER.DB", kFieldsAXO_USER) != TableProbe::Usable)
        return;
    tSouborAXO_USER file(ctx);
    if (!file.InitFilePath(DirectoryText(directory), 1, _WaitQuestion) ||
        !file.BtLockFileBlock(_WaitQuestion))
        return;
    tVetaAXO_USER r;
    if (std::int32_t n = FindOwnLogin(s, file, area, r); n != 0) {
        r.Prihl_Havarie = 1;
        file.PutRec(n, &r);
    }
    file.Unlock();
    file.CloseFile();
}

}  // namespace

void ClearLogin(tVetaAXO_USER& r) {
    r.Prihl_UzivatelPrihlasen = kNotLoggedIn;
    r.Prihl_PocetPrihlaseni_1uziv_1disk = 0;
    r.Prihl_Disk_1uziv = Text();
    r.Prihl_CisloStanice = 0;
    r.Prihl_Moduly = Text();
    StampNow(r, DateTime{});
    r.Prihl_Havarie = 0;
}

Text SupervisorName() {
    return "Super-V"_t;
}

Text AuthorName() {
    return "Autor-H"_t;
}

Text DirectoryText(const fs::path& directory) {
    return storage::WithBackslash(storage::TextFromPath(directory), true);
}

Text UnshiftPassword(const Text& stored) {
    if (stored.empty() || stored.Code(0) <= 128)
        return stored;
    Text plain = stored;
    for (char& c : plain)
        c = static_cast<char>(static_cast<unsigned char>(c) - kPasswordShift);
    return plain;
}

bool AskPassword(Session& s, bool keepPrevious) {
    SessionState& st = s.State();
    Text password;
    if (s.Options().password) {
        password = s.Options().password->substr(0, kPasswordLength);
    } else {
        Text buffer = keepPrevious ? st.password : Text();
        if (s.Ui().PromptValue("Zadejte heslo pro vstup do systému AXO"_t, "Zadání hesla"_t, buffer,
                               true, true, kPasswordLength, kPasswordLength) == ui::kCloseConfirm)
            password = buffer;
    }
    st.password = Trim(password);
    return !st.password.empty();
}

std::optional<bool> PasswordOfAnyUser(Session& s) {
    const SessionState& st = s.State();
    std::optional<bool> known;
    for (const FiscalYearEntry& year : st.fiscalYears) {
        if (!year.InUse())
            continue;
        const fs::path directory =
            st.areas[kAreaUcetnictvi].root / storage::PathFromText(Trim(year.code));
        if (ProbeInstallationTable(directory / "AXO-USER.DB", kFieldsAXO_USER) !=
            TableProbe::Usable)
            continue;
        auto file = storage::InitFilePath<tSouborAXO_USER>(s.Context(), DirectoryText(directory), 1,
                                                           storage::_NoWait);
        if (!file || !file->Ok())
            continue;
        known = false;
        std::int32_t n = 0;
        Text key;
        tVetaAXO_USER r;
        file->BtClearKey(0);
        while (!*known && file->BtNextKey(0, n, key))
            known = file->GetRec(n, &r) && SamePassword(r, st.password);
        file->CloseFile();
        if (*known)
            break;
    }
    return known;
}

void SetAccessLevel(Session& s) {
    SessionState& st = s.State();
    st.accessLevel = kLevelUser;
    st.userName.clear();
    st.issuer.clear();
    const Text supervisor = Trim(st.program.HesloSupervizora);
    const Text service = Trim(s.Options().servicePassword);
    if (!supervisor.empty() && st.password == supervisor) {
        st.accessLevel = kLevelSupervisor;
        st.userName = SupervisorName();
        st.issuer = "Správce systému AXO"_t;
    }
    if (!service.empty() && st.password == service) {
        st.accessLevel = kLevelAuthor;
        st.userName = AuthorName();
        st.issuer = "Autor systému AXO"_t;
    }
    s.MutableContext().serviceLevel = st.accessLevel == kLevelAuthor;
}

bool LoginArea(Session& s, AreaLogin& login, const Text& requestedName, const Text& trailing) {
    const Text directoryText = DirectoryText(login.directory);
    const Text file = directoryText + "AXO-USER.DB"_t;
    std::error_code ec;
    if (!fs::is_directory(login.directory, ec)) {
        s.Ui().ShowErrorLine("Neexistuje adresář ["_t + directoryText + "]."_t + trailing);
        return false;
    }
    if (!OpenUserFile(
            s, s.Context(), login.directory, _WaitQuestion, login.userFile,
            "Neexistuje UŽIVATELSKÝ instalační soubor ("_t, trailing,
            trailing + kBreak + "Pro opravu nutno požít modul "_t + AdministrationModule(),
            "Program končí."_t))
        return false;
    bool matched = false;
    std::int32_t n = 0;
    Text key;
    tVetaAXO_USER r;
    login.userFile->BtClearKey(0);
    while (login.userFile->BtNextKey(0, n, key)) {
        login.userFile->GetRec(n, &r);
        if (!CheckRecord(s, login, r, n, requestedName, matched, file, trailing)) {
            CloseUserFile(login);
            return false;
        }
    }
    if (s.AccessLevel() == kLevelUser && !matched) {
        ShowRefusal(s.Ui(),
                    "UŽIVATELSKÝ instalační soubor neobsahuje zadané heslo ("_t + file + ")"_t,
                    "Pro doplnění nutno použít modul"_t + kBreak + AdministrationModule());
        CloseUserFile(login);
        return false;
    }
    return true;
}

void WriteLogin(Session& s, AreaLogin& login, int area) {
    SessionState& st = s.State();
    const DateTime now = s.GetClock().Now();
    tVetaAXO_USER r;
    if (st.accessLevel == kLevelUser) {
        r = login.record;
        if (r.Prihl_UzivatelPrihlasen != kNotLoggedIn) {
            ++r.Prihl_PocetPrihlaseni_1uziv_1disk;
            r.Prihl_Moduly = Text(r.Prihl_Moduly) + kModuleCode;
        } else {
            r.Prihl_UzivatelPrihlasen = kLoggedIn;
            r.Prihl_PocetPrihlaseni_1uziv_1disk = 1;
            r.Prihl_Disk_1uziv = s.ComputerId();
            r.Prihl_CisloStanice = static_cast<std::uint16_t>(st.station);
            StampNow(r, now);
            r.Prihl_Moduly = Text(1, kModuleCode);
            r.Prihl_Havarie = 0;
        }
        login.userFile->PutRec(login.recordNumber, &r);
    } else {
        r.JmenoUzivatele = st.userName;
        r.HesloUzivatele = st.password;
        r.Vystavil = st.issuer;
        r.Prihl_UzivatelPrihlasen = kSupervisorLogin;
        r.Prihl_PocetPrihlaseni_1uziv_1disk = 1;
        r.Prihl_Disk_1uziv = s.ComputerId();
        r.Prihl_CisloStanice = static_cast<std::uint16_t>(st.station);
        StampNow(r, now);
        r.Prihl_Moduly = Text(1, kModuleCode);
        login.userFile->AddRec(login.recordNumber, &r);
    }
    AreaState& state = st.areas.at(area);
    for (int i = 0; i < kForbiddenLists; ++i)
        state.forbidden[i] = r.ZakazaneCinnosti[i];
    state.loginRecord = login.recordNumber;
    CloseUserFile(login);
}

bool LogoutArea(Session& s, int area) {
    ui::UiServices& ui = s.Ui();
    const fs::path directory = s.AreaDirectory(area);
    const Text file = DirectoryText(directory) + "AXO-USER.DB"_t;
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        ShowRefusal(ui, "Neexistuje adresář ["_t + DirectoryText(directory) + "]."_t,
                    ProblemsNextTime());
        return false;
    }
    std::unique_ptr<tSouborAXO_USER> userFile;
    if (!OpenUserFile(s, s.Context(), directory, _Wait, userFile,
                      "UŽIVATELSKÝ instalační soubor z neznámých důvodů neexistuje ("_t,
                      ProblemsNextTime(), ProblemsNextTime(), ProblemsNextTime()))
        return false;
    const UserFileInUse inUse(s.State().areas.at(area), *userFile);
    tVetaAXO_USER r;
    std::int32_t n = FindOwnLogin(s, *userFile, area, r);
    const bool found = n != 0;
    if (!found) {
        ShowRefusal(
            ui,
            "UŽIVATELSKÝ instalační soubor z neznámých důvodů neobsahuje Vaše přihlášení ("_t +
                file + ").\rNelze provést legální odhlášení.\r"_t,
            ProblemsNextTime());
    } else if (s.AccessLevel() != kLevelUser) {
        userFile->DeleteRec(n);
    } else if (r.Prihl_PocetPrihlaseni_1uziv_1disk > 1) {
        --r.Prihl_PocetPrihlaseni_1uziv_1disk;
        Text modules = r.Prihl_Moduly;
        if (const auto at = modules.find(kModuleCode); at != Text::npos)
            modules.erase(at, 1);
        r.Prihl_Moduly = modules;
        userFile->PutRec(n, &r);
    } else {
        ClearLogin(r);
        userFile->PutRec(n, &r);
    }
    userFile->Unlock();
    userFile->CloseFile();
    return found;
}

void MarkCrash(Session& s) {
    SessionState& st = s.State();
    if (st.ended)
        return;
    st.ended = true;
    CrashMarkUi proxy(s.Ui());
    storage::DataContext ctx = s.Context();
    ctx.ui = &proxy;
    ctx.markCrash = nullptr;
    for (int area = 0; area < kLoginAreas; ++area) {
        const AreaState& state = st.areas[area];
        if (!state.loggedIn || state.sameAs >= 0)
            continue;
        try {
            MarkArea(s, ctx, area);
        } catch (const CrashMarkUi::Abandoned&) {
            // The next area is marked all the same.
        }
    }
}

}  // namespace axo::startup
