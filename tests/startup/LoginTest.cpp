// Logging into the data areas: repeated logins of a user, the password prompt and levels,
// refusals by the user records (with nothing written), the stored password shift, logging out,
// and the crash mark a fatal data error leaves.
#include "startup/Login.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "StartupTestSupport.h"
#include "startup/StartUp.h"
#include "storage/SqliteEngine.h"

namespace axo::startup::test {
namespace {

std::string UserFile(const fs::path& d) {
    return d.string() + "/AXO-USER.DB";
}

tVetaAXO_USER User(const char* name, const char* password) {
    tVetaAXO_USER u;
    u.JmenoUzivatele = FromUtf8(name);
    u.HesloUzivatele = FromUtf8(password);
    u.Vystavil = FromUtf8(name);
    return u;
}

void LoggedIn(tVetaAXO_USER& u, const char* computer, int day, std::uint16_t state = kLoggedIn) {
    u.Prihl_UzivatelPrihlasen = state;
    u.Prihl_PocetPrihlaseni_1uziv_1disk = 1;
    u.Prihl_Disk_1uziv = FromUtf8(computer);
    u.Prihl_Moduly = "U"_t;
    u.Prihl_DatumCas_Year = 2014;
    u.Prihl_DatumCas_Month = 6;
    u.Prihl_DatumCas_Day = static_cast<std::uint16_t>(day);
    u.Prihl_DatumCas_Hour = 8;
}

/// Makes the engine refuse the updates of a table file that `when` (SQL on NEW) selects, as a
/// full disk would refuse them.
void RefuseUpdates(const fs::path& file, const std::string& when) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    storage::ConfigureConnection(db, 1000);
    const std::string sql = "CREATE TRIGGER refuse BEFORE UPDATE ON DATA WHEN " + when +
                            " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END";
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(SQLITE_OK, rc);
}

class LoginTest : public InstallationTest {};

TEST_F(LoginTest, SameUserTwiceOnOneComputerCountsBothLogins) {
    auto first = NewSession();
    auto second = NewSession();
    ASSERT_TRUE(StartUp(*first));
    ASSERT_TRUE(StartUp(*second));
    for (const fs::path& d : {DataDir(), CodeDir()}) {
        const tVetaAXO_USER u = tables_.Users(d).at(0);
        EXPECT_EQ(2, u.Prihl_PocetPrihlaseni_1uziv_1disk) << d;
        EXPECT_EQ("XX"_t, Text(u.Prihl_Moduly)) << d;
    }
    ShutDown(*second);
    tVetaAXO_USER u = tables_.Users(DataDir()).at(0);
    EXPECT_EQ(kLoggedIn, u.Prihl_UzivatelPrihlasen);
    EXPECT_EQ(1, u.Prihl_PocetPrihlaseni_1uziv_1disk);
    EXPECT_EQ("X"_t, Text(u.Prihl_Moduly));
    ShutDown(*first);
    u = tables_.Users(DataDir()).at(0);
    EXPECT_EQ(kNotLoggedIn, u.Prihl_UzivatelPrihlasen);
    EXPECT_EQ(0, u.Prihl_PocetPrihlaseni_1uziv_1disk);
}

TEST_F(LoginTest, SamePasswordFromAnotherComputerOrStationIsRefused) {
    auto first = NewSession(Quiet(), "AAAA0001");
    ASSERT_TRUE(StartUp(*first));
    const Snapshot before = TakeSnapshot(Home());
    auto other = NewSession(Quiet(), "BBBB0002");
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*other));
    EXPECT_EQ(Flat("V UŽIVATELSKÉM instalačním souboru je již pod Vámi zadaným heslem někdo "
                   "přihlášen (" +
                   UserFile(DataDir()) +
                   "). Uživatel : NOVAK Stanice : 000 Modul : X Datum/čas: 15. 6.2014 09:30:00 "
                   "Program nelze spustit."),
              LastMessage());
    EXPECT_TRUE(before == TakeSnapshot(Home()));
    // The same computer at another client station of the installation is another login too.
    tables_.EditUsers(DataDir(),
                      [](std::vector<tVetaAXO_USER>& users) { users[0].Prihl_CisloStanice = 4; });
    auto station = NewSession(Quiet(), "AAAA0001");
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*station));
    EXPECT_NE(std::string::npos, LastMessage().find("Stanice : 004"));
}

struct RecordRefusal {
    const char* name;
    std::function<void(std::vector<tVetaAXO_USER>& data, std::vector<tVetaAXO_USER>& codes)> edit;
    const char* requestedName;
    std::function<std::string(const fs::path& data, const fs::path& codes)> message;
};

TEST_F(LoginTest, UserRecordsThatRefuseTheLogin) {
    const std::string tail = " Program nelze spustit.";
    const RecordRefusal cases[] = {
        {"two records with the password",
         [](auto& data, auto&) { data.push_back(User("DVORAK", "heslo1")); }, "",
         [&](const fs::path& d, const fs::path&) {
             return "UŽIVATELSKÝ instalační soubor obsahuje duplicitní definice uživatelů - heslo "
                    "(" +
                    UserFile(d) + "). Heslo : heslo1 Uživatel : DVORAK" + tail;
         }},
        {"the name twice in the second area",
         [](auto&, auto& codes) { codes.push_back(User("novak", "jine")); }, "",
         [&](const fs::path&, const fs::path& c) {
             return "UŽIVATELSKÝ instalační soubor obsahuje duplicitní definice uživatelů - jméno "
                    "(" +
                    UserFile(c) +
                    "). Uživatel : novak Stanice : 000 Modul : Datum/čas: 0. 0. 0 "
                    "00:00:00" +
                    tail;
         }},
        {"another name asked for", [](auto&, auto&) {}, "DVORAK",
         [](const fs::path& d, const fs::path&) {
             return "UŽIVATELSKÝ instalační soubor (" + UserFile(d) +
                    ") obsahuje pro zadané heslo jiné jméno. Požadované jméno : DVORAK";
         }},
        {"a crashed user",
         [](auto&, auto& codes) {
             tVetaAXO_USER crashed = User("DVORAK", "dvorak");
             LoggedIn(crashed, "CCCC0003", 14);
             crashed.Prihl_Havarie = 1;
             codes.insert(codes.begin(), crashed);
         },
         "",
         [](const fs::path&, const fs::path& c) {
             return "V UŽIVATELSKÉM instalačním souboru byla indikována havárie uživatele (" +
                    UserFile(c) +
                    "). Uživatel : DVORAK Stanice : 000 Modul : U Datum/čas: 14. 6.2014 08:00:00 "
                    "Pro nápravu nutno použít modul \"SPRÁVCE SYSTÉMU\". (správce: axo-pap-cli "
                    "admin clear-crash DVORAK)";
         }},
        {"another user's exclusive login",
         [](auto& data, auto&) {
             tVetaAXO_USER admin = User("SPRAVA", "sprava");
             LoggedIn(admin, "CCCC0003", 15, kLoggedInExclusively);
             data.push_back(admin);
         },
         "",
         [&](const fs::path& d, const fs::path&) {
             return "V UŽIVATELSKÉM instalačním souboru bylo indikováno výhradní přihlášení "
                    "jiného uživatele - nelze provést přihlášení (" +
                    UserFile(d) +
                    "). Uživatel : SPRAVA Stanice : 000 Modul : U Datum/čas: 15. 6.2014 08:00:00" +
                    tail;
         }},
    };
    for (const RecordRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<tVetaAXO_USER> data = tables_.Users(DataDir());
        std::vector<tVetaAXO_USER> codes = tables_.Users(CodeDir());
        const std::vector<tVetaAXO_USER> data0 = data;
        const std::vector<tVetaAXO_USER> codes0 = codes;
        c.edit(data, codes);
        tables_.Write<tSouborAXO_USER>(DataDir(), data);
        tables_.Write<tSouborAXO_USER>(CodeDir(), codes);
        const Snapshot before = TakeSnapshot(Home());
        StartUpOptions options = Quiet();
        options.userName = FromUtf8(c.requestedName);
        ui_.ClearTranscript();
        ui_.QueueOk();
        auto session = NewSession(options);
        EXPECT_FALSE(StartUp(*session));
        EXPECT_EQ(Flat(c.message(DataDir(), CodeDir())), LastMessage());
        EXPECT_TRUE(before == TakeSnapshot(Home()));
        tables_.Write<tSouborAXO_USER>(DataDir(), data0);
        tables_.Write<tSouborAXO_USER>(CodeDir(), codes0);
    }
}

TEST_F(LoginTest, ShiftedPasswordMatchesTheTypedOne) {
    struct Case {
        Text stored;
        Text typed;
    } cases[] = {
        {Text::FromBytes("\xB9\xB6\xC4\xBD\xC0\x82"), "heslo1"_t},  // 'h' + 81 > 128: shifted
        {"heslo1"_t, "heslo1"_t},                                   // plain
        {Text::FromBytes("!\xB6"), Text::FromBytes("!\xB6")},       // '!' is not above 128
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.typed, UnshiftPassword(c.stored)) << ToUtf8(c.typed);
    tables_.EditUsers(DataDir(), [&](std::vector<tVetaAXO_USER>& users) {
        users[0].HesloUzivatele = cases[0].stored;
    });
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    EXPECT_EQ("NOVAK"_t, session->UserName());
    ShutDown(*session);
    EXPECT_EQ(kNotLoggedIn, tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
}

TEST_F(LoginTest, SupervisorLogsInWithARecordOfItsOwnAndOnlyOnce) {
    tables_.EditProgram([](tVetaAXO& p) { p.HesloSupervizora = "super"_t; });
    auto first = NewSession(Quiet("super"));
    ASSERT_TRUE(StartUp(*first));
    EXPECT_EQ(kLevelSupervisor, first->AccessLevel());
    EXPECT_EQ("Super-V"_t, first->UserName());
    EXPECT_EQ("Správce systému AXO"_t, first->Issuer());
    EXPECT_EQ("~Super-V"_t, first->State().parameterVaultName);
    std::vector<tVetaAXO_USER> users = tables_.Users(DataDir());
    ASSERT_EQ(2u, users.size());
    EXPECT_EQ(kSupervisorLogin, users[1].Prihl_UzivatelPrihlasen);
    EXPECT_EQ("super"_t, Text(users[1].HesloUzivatele));
    EXPECT_EQ(kNotLoggedIn, users[0].Prihl_UzivatelPrihlasen);
    auto second = NewSession(Quiet("super"), "BBBB0002");
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*second));
    EXPECT_EQ(Flat("V UŽIVATELSKÉM instalačním souboru je již supervizor přihlášen (" +
                   UserFile(DataDir()) +
                   "). Uživatel : Super-V Stanice : 000 Modul : X Datum/čas: 15. 6.2014 09:30:00 "
                   "Program nelze spustit."),
              LastMessage());
    // A user is kept out while the supervisor's login record (state 3) stands.
    auto user = NewSession();
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*user));
    EXPECT_NE(std::string::npos, LastMessage().find("výhradní přihlášení jiného uživatele"));
    ShutDown(*first);
    EXPECT_EQ(1u, tables_.Users(DataDir()).size());
    EXPECT_EQ(1u, tables_.Users(CodeDir()).size());
}

TEST_F(LoginTest, ServicePasswordGivesTheAuthorLevel) {
    StartUpOptions options = Quiet("servis");
    options.servicePassword = "servis"_t;
    auto session = NewSession(options);
    ASSERT_TRUE(StartUp(*session));
    EXPECT_EQ(kLevelAuthor, session->AccessLevel());
    EXPECT_EQ("Autor-H"_t, session->UserName());
    EXPECT_EQ("Autor systému AXO"_t, session->Issuer());
    EXPECT_TRUE(session->Context().serviceLevel);
    ShutDown(*session);
    EXPECT_EQ(1u, tables_.Users(DataDir()).size());
    // Without a service password of the front end no password gives the level.
    auto plain = NewSession(Quiet("servis"));
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*plain));
}

TEST_F(LoginTest, LoginOfAnotherDayWarnsAndGoesOn) {
    tables_.EditUsers(DataDir(), [](std::vector<tVetaAXO_USER>& users) {
        LoggedIn(users[0], "0000ABCD", 14);
        users[0].Prihl_Moduly = "X"_t;
    });
    auto session = NewSession();
    ui_.QueueOk();
    ASSERT_TRUE(StartUp(*session));
    ASSERT_EQ(1u, ui_.Transcript().size());
    EXPECT_NE(std::string::npos, ui_.Transcript()[0].title.find("Blokujete ostatní uživatele"));
    EXPECT_EQ(Flat("V UŽIVATELSKÉM instalačním souboru bylo indikováno přihlášení jiného "
                   "uživatele s odlišným datem (" +
                   UserFile(DataDir()) +
                   "). Přesvědčte se, že tento nehavaroval. Uživatel : NOVAK Stanice : 000 "
                   "Modul : X Datum/čas: 14. 6.2014 08:00:00 Akt.datum: 15. 6.2014 Pokud daný "
                   "uživatel havaroval, ukončete program a pro nápravu nutno použít modul "
                   "\"SPRÁVCE SYSTÉMU\"."),
              LastMessage());
    EXPECT_EQ(2, tables_.Users(DataDir()).at(0).Prihl_PocetPrihlaseni_1uziv_1disk);
}

TEST_F(LoginTest, PasswordPromptAndItsCancellation) {
    StartUpOptions options = Quiet();
    options.password.reset();
    auto session = NewSession(options);
    ui_.QueueValue("heslo1 ");  // the prompt takes 7 characters; blanks go
    ASSERT_TRUE(StartUp(*session));
    EXPECT_EQ("heslo1"_t, session->Password());
    ASSERT_EQ(1u, ui_.Transcript().size());
    EXPECT_EQ("prompt", ui_.Transcript()[0].kind);
    EXPECT_EQ("Zadejte heslo pro vstup do systému AXO", ui_.Transcript()[0].lines.at(0));
    EXPECT_EQ("value ***", ui_.Transcript()[0].answer);
    auto cancelled = NewSession(options);
    ui_.QueueEsc();
    EXPECT_FALSE(StartUp(*cancelled));
    EXPECT_EQ(""_t, cancelled->Password());
    EXPECT_EQ(2u, ui_.Transcript().size());  // no message of its own
}

TEST_F(LoginTest, WrongPasswordIsRefusedWhenTypedAndMayBeTypedAgain) {
    StartUpOptions options = Quiet();
    options.password.reset();
    const auto before = tables_.Users(DataDir());
    // Wrong, then right: the second prompt comes before anything else is asked.
    auto session = NewSession(options);
    ui_.QueueValue("spatne");
    ui_.QueueOk();
    ui_.QueueValue("heslo1");
    ASSERT_TRUE(StartUp(*session));
    std::vector<std::string> kinds;
    for (const ui::TranscriptEntry& e : ui_.Transcript())
        kinds.push_back(e.kind);
    EXPECT_EQ((std::vector<std::string>{"prompt", "message 2", "prompt"}), kinds);
    EXPECT_EQ("Zadané heslo není správné. Zadejte heslo znovu.", FlatLines(ui_.Transcript()[1]));
    ShutDown(*session);

    // Three wrong tries end the start-up; no login is written anywhere.
    ui_.ClearTranscript();
    auto refused = NewSession(options);
    for (int i = 0; i < 3; ++i) {
        ui_.QueueValue("jine");
        ui_.QueueOk();
    }
    EXPECT_FALSE(StartUp(*refused));
    EXPECT_EQ(6u, ui_.Transcript().size());
    EXPECT_EQ("Zadané heslo není správné. Program nelze spustit.", LastMessage());
    EXPECT_EQ(before.at(0).Prihl_UzivatelPrihlasen,
              tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
}

TEST_F(LoginTest, LogoutWithoutItsLoginRecordIsReported) {
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    tables_.EditUsers(
        CodeDir(), [](std::vector<tVetaAXO_USER>& users) { users[0].HesloUzivatele = "zmena"_t; });
    ui_.QueueOk();
    ShutDown(*session);
    EXPECT_EQ(Flat("UŽIVATELSKÝ instalační soubor z neznámých důvodů neobsahuje Vaše přihlášení (" +
                   UserFile(CodeDir()) +
                   "). Nelze provést legální odhlášení. Při dalším spuštění se pravděpodobně "
                   "objeví problémy."),
              LastMessage());
    EXPECT_EQ(kNotLoggedIn, tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
}

TEST_F(LoginTest, FatalDataErrorMarksTheCrashInEveryArea) {
    {
        auto session = NewSession();
        ASSERT_TRUE(StartUp(*session));
        tSouborAXO_USER file(session->Context());
        ASSERT_TRUE(
            file.InitFilePath(storage::TextFromPath(DataDir()) + "/"_t, 1, storage::_NoWait));
        tVetaAXO_USER r;
        ui_.QueueOk();  // the report window
        EXPECT_THROW(file.GetRec(99, &r), ui::ProgramEnded);
        EXPECT_TRUE(session->State().ended);
    }  // the session goes without logging out, as the end of the program leaves it
    for (const fs::path& d : {DataDir(), CodeDir()}) {
        const tVetaAXO_USER u = tables_.Users(d).at(0);
        EXPECT_EQ(1, u.Prihl_Havarie) << d;
        EXPECT_EQ(kLoggedIn, u.Prihl_UzivatelPrihlasen) << d;
    }
    auto next = NewSession();
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*next));
    EXPECT_NE(std::string::npos,
              LastMessage().find("byla indikována havárie uživatele (" + UserFile(DataDir())));
}

TEST_F(LoginTest, FatalDataErrorInsideTheLogoutEndsTheProgramWithTheCrashMarked) {
    // The logout of the accounting area holds its user file locked when the engine fails; the
    // crash mark must not wait for that lock, and marks every area it can.
    struct Case {
        const char* name;
        const char* refused;  // the updates of the accounting area's user file that fail
        int reports;          // report windows: the logout's, and the mark's when it fails too
        int accountingCrash;  // the crash flag left in the accounting area
    } cases[] = {
        {"the logout's update", "NEW.Prihl_UzivatelPrihlasen = 0", 1, 1},
        {"every update, the crash mark's too", "1", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(Home());
        fs::copy(Template(), Home(), fs::copy_options::recursive);
        auto session = NewSession();
        ASSERT_TRUE(StartUp(*session));
        RefuseUpdates(DataDir() / "AXO-USER.DB", c.refused);
        for (int i = 0; i < c.reports; ++i)
            ui_.QueueOk();
        EXPECT_THROW(ShutDown(*session), ui::ProgramEnded);
        EXPECT_TRUE(session->State().ended);
        session.reset();
        const tVetaAXO_USER accounting = tables_.Users(DataDir()).at(0);
        EXPECT_EQ(c.accountingCrash, accounting.Prihl_Havarie);
        EXPECT_EQ(kLoggedIn, accounting.Prihl_UzivatelPrihlasen) << "the logout was not written";
        EXPECT_EQ(1, tables_.Users(CodeDir()).at(0).Prihl_Havarie);
        ui_.ClearTranscript();
    }
}

}  // namespace
}  // namespace axo::startup::test
