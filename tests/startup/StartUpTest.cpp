// The start-up sequence: a successful run and what it establishes, the data areas that share a
// root, multi-client installations, the configuration switches, and every refusal with its
// message and an installation left exactly as it was.
#include "startup/StartUp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "StartupTestSupport.h"
#include "startup/DataAreas.h"
#include "startup/Login.h"

namespace axo::startup::test {
namespace {

std::string Dir(const fs::path& p) {
    return p.string() + "/";
}

class StartUpTest : public InstallationTest {};

TEST_F(StartUpTest, StartUpEstablishesTheRunAndShutDownEndsIt) {
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    const Session& s = *session;
    EXPECT_TRUE(s.Started());
    EXPECT_EQ("2014"_t, s.FiscalYear().code);
    EXPECT_EQ("2013"_t, s.FiscalYear().previousCode);
    EXPECT_EQ(" 1. 1.2014"_t, s.FiscalYear().firstDay);
    EXPECT_EQ("15. 6.2014"_t, s.ProgramDate());
    EXPECT_EQ(201406, s.CurrentPeriod());
    EXPECT_EQ("NOVAK"_t, s.UserName());
    EXPECT_EQ("NOVAK"_t, s.Issuer());
    EXPECT_EQ(kLevelUser, s.AccessLevel());
    EXPECT_EQ(DataDir(), s.AccountingDirectory());
    EXPECT_EQ(CodeDir(), s.CodeListDirectory());
    EXPECT_EQ(Home() / "prubezne", s.RunningDataDirectory());
    EXPECT_EQ(Home() / "sablony", s.TemplateDirectory());
    EXPECT_EQ("Škola                         "_t, s.FirmName());
    EXPECT_EQ("00064581"_t, s.Ico());
    EXPECT_EQ("Rozv2014"_t, s.ChartOfAccountsName());
    EXPECT_EQ("~NOVAK"_t, s.State().parameterVaultName);
    EXPECT_EQ("&NOVAK"_t, s.State().documentVaultName);
    EXPECT_EQ(Text::FromBytes(kProgramFileName), s.Context().programFileName);
    EXPECT_TRUE(s.Context().markCrash);
    for (int area = 0; area < kAreaCount; ++area)
        EXPECT_EQ(area < kLoginAreas, s.AreaLoggedIn(area)) << area;
    for (const fs::path& d : {DataDir(), CodeDir()}) {
        const tVetaAXO_USER user = tables_.Users(d).at(0);
        EXPECT_EQ(kLoggedIn, user.Prihl_UzivatelPrihlasen) << d;
        EXPECT_EQ(1, user.Prihl_PocetPrihlaseni_1uziv_1disk) << d;
        EXPECT_EQ("0000ABCD"_t, Text(user.Prihl_Disk_1uziv)) << d;
        EXPECT_EQ("X"_t, Text(user.Prihl_Moduly)) << d;
        EXPECT_EQ(15, user.Prihl_DatumCas_Day) << d;
        EXPECT_EQ(30, user.Prihl_DatumCas_Min) << d;
    }
    ShutDown(*session);
    EXPECT_FALSE(session->Started());
    for (const fs::path& d : {DataDir(), CodeDir()}) {
        const tVetaAXO_USER user = tables_.Users(d).at(0);
        EXPECT_EQ(kNotLoggedIn, user.Prihl_UzivatelPrihlasen) << d;
        EXPECT_EQ(""_t, Text(user.Prihl_Moduly)) << d;
    }
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(StartUpTest, StartUpRemovesTheWorkFilesOfRunsThatAreGone) {
    const fs::path temp = Home() / "temp";
    for (const char* name : {"!WK1234567.DB", "!WK1234567.LCK", "!WK1234567", "!OP7654321"}) {
        std::ofstream(temp / name) << "left by a killed run";
        fs::last_write_time(temp / name, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    std::ofstream(temp / "!WK5555555") << "a live run's";
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    std::vector<std::string> left;
    for (const fs::directory_entry& e : fs::directory_iterator(temp))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"!WK5555555", "AXO_TEMP.LCK"}), left);
}

TEST_F(StartUpTest, AreasWithTheSameRootAreLoggedIntoOnce) {
    // The code lists share the accounting root; "./data" and "data/" name the same directory.
    tables_.EditProgram([](tVetaAXO& p) {
        p.CA_Cesta[kAreaCiselniky] = "./data"_t;
        p.CA_Cesta[kAreaPrubezne] = "data/"_t;
    });
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    for (int area = 1; area <= kAreaPrubezne; ++area) {
        EXPECT_EQ(0, session->AreaAt(area).sameAs) << area;
        EXPECT_TRUE(session->AreaLoggedIn(area)) << area;
    }
    EXPECT_EQ(-1, session->AreaAt(kAreaSablony).sameAs);
    EXPECT_EQ(1, tables_.Users(DataDir()).at(0).Prihl_PocetPrihlaseni_1uziv_1disk);
    EXPECT_EQ(kNotLoggedIn, tables_.Users(CodeDir()).at(0).Prihl_UzivatelPrihlasen);
    EXPECT_EQ(DataDir(), session->CodeListDirectory());
    ShutDown(*session);
    EXPECT_EQ(kNotLoggedIn, tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
}

TEST_F(StartUpTest, RootsAreResolvedAgainstTheProgramDirectory) {
    const fs::path home = "/srv/axo";
    struct Case {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"data/", "/srv/axo/data"},
        {" data ", "/srv/axo/data"},
        {"..\\spol\\", "/srv/spol"},
        {"/mnt/axo/data/", "/mnt/axo/data"},
        {"", "/srv/axo"},
        {"./a/../b/", "/srv/axo/b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::path(c.expected), ResolveRoot(FromUtf8(c.stored), home)) << c.stored;
}

TEST_F(StartUpTest, HomeOfAnyDepthStartsAndShutsDown) {
    // The installation stores its directories relative to the home ("data/", "temp/"): the
    // length limits apply to those texts, so a home deep in a user's documents works.
    for (const std::size_t length : {std::size_t{120}, std::size_t{300}}) {
        SCOPED_TRACE(length);
        const fs::path home = DeepPath(dir_.Path() / ("deep" + std::to_string(length)), length);
        fs::create_directories(home.parent_path());
        fs::copy(Template(), home, fs::copy_options::recursive);
        Tables tables(home);
        Session session(ui_, clock_, home, "0000ABCD"_t, Quiet());
        ASSERT_TRUE(StartUp(session));
        EXPECT_EQ(home / "ciselniky" / "2014", session.CodeListDirectory());
        EXPECT_EQ(home / "temp/", session.Context().workDirectory);
        EXPECT_EQ(kLoggedIn, tables.Users(home / "data" / "2014").at(0).Prihl_UzivatelPrihlasen);
        ASSERT_TRUE(session.OpenVault(VaultKind::Parameters));
        ShutDown(session);
        for (const char* area : {"data", "ciselniky"})
            EXPECT_EQ(kNotLoggedIn,
                      tables.Users(home / area / "2014").at(0).Prihl_UzivatelPrihlasen);
        EXPECT_TRUE(ui_.Transcript().empty());
    }
}

TEST_F(StartUpTest, MultiClientInstallationUsesTheStationsRecordAndConfiguration) {
    tables_.EditProgram([](tVetaAXO& p) {
        p.Prodejce = 90;
        p.CisloStanice = 3;
    });
    std::vector<tVetaAXO> records = tables_.Program();
    tVetaAXO seventh = records[0];
    seventh.CisloStanice = 7;
    seventh.PopisFirmy = "Pobočka 7"_t;
    records.push_back(seventh);
    tables_.Write<tSouborAXO>(Home(), records);
    std::ofstream(Home() / "AXO007.CFG")
        << "AXO_PAP_KONSOLIDACE = ano\nAXO_PAP_STZAKAZKA=12, 1500,0,7\n";
    StartUpOptions options = Quiet();
    options.station = " 7"_t;
    auto session = NewSession(options);
    ASSERT_TRUE(StartUp(*session));
    EXPECT_TRUE(session->MultiClient());
    EXPECT_EQ(7, session->Station());
    EXPECT_EQ("Pobočka 7"_t, session->OrganisationDescription());
    session->ReadSwitches();
    EXPECT_EQ(Home() / "AXO007.CFG", session->ConfigFilePath());
    EXPECT_TRUE(session->GetSwitches().papConsolidation);
    EXPECT_FALSE(session->GetSwitches().modalPrinting);
    EXPECT_EQ((std::vector<int>{12, 7}), session->GetSwitches().publicContracts);
    EXPECT_EQ(7, tables_.Users(DataDir()).at(0).Prihl_CisloStanice);
    ShutDown(*session);
    fs::remove(Home() / "AXO007.CFG");
    EXPECT_EQ(Home() / "AXO.CFG", session->ConfigFilePath());
}

TEST_F(StartUpTest, UnusableProgramDirectoryIsRefused) {
    auto session = std::make_unique<Session>(ui_, clock_, Home() / "none", "0000ABCD"_t, Quiet());
    ui_.QueueOk();
    EXPECT_FALSE(StartUp(*session));
    EXPECT_EQ(Flat("Knihovnu " + Dir(Home() / "none") +
                   " nelze nastavit jako aktuální. Program nelze spustit."),
              LastMessage());
}

/// A refusal of the start-up: how the installation is spoilt, the options, the message.
struct Refusal {
    const char* name;
    std::function<void(Tables&, const fs::path& home)> spoil;
    std::function<void(StartUpOptions&)> options;
    std::function<std::string(const fs::path& home)> message;
};

void Garbage(const fs::path& file) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(3000, '\x7f');
}

const std::string kFix =
    " Program nelze spustit. Pro opravu nutno použít modul \"SPRÁVCE SYSTÉMU\".";

std::vector<Refusal> Refusals() {
    const auto none = [](Tables&, const fs::path&) {};
    const auto quiet = [](StartUpOptions&) {};
    const auto data = [](const fs::path& h) { return h / "data" / "2014"; };
    const auto codes = [](const fs::path& h) { return h / "ciselniky" / "2014"; };
    // 76 characters: with "2014/" more than the table layer takes (words, so that the message
    // window does not cut them).
    const std::string longRoot =
        "banka a pokladna organizace zrizene obci " + std::string(34, 'b') + "/";
    return {
        {"missing program installation",
         [](Tables&, const fs::path& h) { fs::remove(h / "AXO.DB"); }, quiet,
         [](const fs::path& h) {
             return "Neexistuje PROGRAMOVY instalacni soubor (" + Dir(h) +
                    "AXO.DB). Program nelze spustit.";
         }},
        {"damaged program installation", [](Tables&, const fs::path& h) { Garbage(h / "AXO.DB"); },
         quiet,
         [](const fs::path&) {
             return std::string(
                 "Nelze otevrit PROGRAMOVY instalacni soubor (AXO.DB). Program "
                 "nelze spustit.");
         }},
        {"foreign table as program installation",
         [](Tables&, const fs::path& h) {
             fs::copy_file(h / "data/2014/AXO-USER.DB", h / "AXO.DB",
                           fs::copy_options::overwrite_existing);
         },
         quiet,
         [](const fs::path&) {
             return std::string(
                 "Nelze otevrit PROGRAMOVY instalacni soubor (AXO.DB). Program "
                 "nelze spustit.");
         }},
        {"empty program installation",
         [](Tables& t, const fs::path& h) { t.Write<tSouborAXO, tVetaAXO>(h, {}); }, quiet,
         [](const fs::path&) {
             return std::string(
                 "Nebyl nalezen jediný platný záznam PROGRAMOVÉHO instalačního "
                 "souboru. Program končí.");
         }},
        {"multi-client without a station",
         [](Tables& t, const fs::path&) { t.EditProgram([](tVetaAXO& p) { p.Prodejce = 90; }); },
         quiet,
         [](const fs::path&) {
             return std::string(
                 "U multiverze musí být zadán druhý parametr - číslo stanice "
                 "zákaznika multiverze. Program končí - nutno spustit znovu.");
         }},
        {"multi-client with an unknown station",
         [](Tables& t, const fs::path&) {
             t.EditProgram([](tVetaAXO& p) {
                 p.Prodejce = 95;
                 p.CisloStanice = 1;
             });
         },
         [](StartUpOptions& o) { o.station = "abc"_t; },
         [](const fs::path&) {
             return std::string(
                 "Dříve vybraný zákaznik neexistuje. Program končí - nutno spustit znovu.");
         }},
        {"data version 2024W02",
         [=](Tables& t, const fs::path& h) {
             t.EditProgram([](tVetaAXO& p) { p.CisloVerze = "2024W02"_t; });
             t.EditData(data(h), [](tVetaAXO_DATA& d) { d.CisloVerze = "2024w02"_t; });
             t.EditData(codes(h), [](tVetaAXO_DATA& d) { d.CisloVerze = "2024W02"_t; });
         },
         quiet,
         [](const fs::path&) {
             return std::string(
                 "NESOUHLASÍ ČÍSLO VERZE. Verze dat: 2024w02 Verze programu: 2024W01");
         }},
        {"data installation of another version",
         [=](Tables& t, const fs::path& h) {
             t.EditData(codes(h), [](tVetaAXO_DATA& d) { d.CisloVerze = "2023W04"_t; });
         },
         quiet,
         [=](const fs::path& h) {
             return "Nesouhlasí číslo verze PROGRAMOVÉHO a DATOVÉHO instalačního souboru [ " +
                    Dir(codes(h)) +
                    "AXO-DATA.DB ]. Data jsou pravděpodobně z jiné verze. Program nelze spustit.";
         }},
        {"fiscal-year path of another year",
         [=](Tables& t, const fs::path& h) {
             t.EditData(codes(h), [](tVetaAXO_DATA& d) { d.OBD_Cesta = "2013"_t; });
         },
         quiet,
         [](const fs::path&) {
             return "Nesouhlasí cesty hospodářského roku [ 2014 ] PROGRAMOVÉHO a DATOVÉHO "
                    "instalačního souboru." +
                    kFix;
         }},
        {"fiscal-year bounds of another year",
         [=](Tables& t, const fs::path& h) {
             t.EditData(data(h), [](tVetaAXO_DATA& d) { d.OBD_KoncMes = 11; });
         },
         quiet,
         [](const fs::path&) {
             return "Nesouhlasí hospodářský rok PROGRAMOVÉHO a UŽIVATELSKÉHO instalačního "
                    "souboru." +
                    kFix;
         }},
        {"missing data area", [=](Tables&, const fs::path& h) { fs::remove_all(codes(h)); }, quiet,
         [=](const fs::path& h) {
             return "Neexistuje adresář [" + Dir(codes(h)) + "]. Program nelze spustit.";
         }},
        {"missing area of running data",
         [](Tables&, const fs::path& h) { fs::remove_all(h / "prubezne"); }, quiet,
         [](const fs::path& h) {
             return "Neexistuje adresář [" + Dir(h / "prubezne") + "]. Program nelze spustit.";
         }},
        {"stored area directory longer than the table layer takes",
         [=](Tables& t, const fs::path& h) {
             t.EditProgram([=](tVetaAXO& p) { p.CA_Cesta[kAreaBanka] = FromUtf8(longRoot); });
             fs::create_directories(h / longRoot / "2014");
         },
         quiet,
         [=](const fs::path&) {
             return "Cesta [" + longRoot + "2014/] je delší než 79 znaků. Program nelze spustit.";
         }},
        {"missing data installation",
         [=](Tables&, const fs::path& h) { fs::remove(data(h) / "AXO-DATA.DB"); }, quiet,
         [=](const fs::path& h) {
             return "Neexistuje DATOVÝ instalační soubor (" + Dir(data(h)) +
                    "AXO-DATA.DB). Program nelze spustit. Pro vytvoření nutno použít modul "
                    "\"SPRÁVCE SYSTÉMU\".";
         }},
        {"damaged data installation",
         [=](Tables&, const fs::path& h) { Garbage(codes(h) / "AXO-DATA.DB"); }, quiet,
         [=](const fs::path& h) {
             return "Nelze otevřít DATOVÝ instalační soubor (" + Dir(codes(h)) +
                    "AXO-DATA.DB). Program nelze spustit. Pro opravu nutno použít modul "
                    "\"SPRÁVCE SYSTÉMU\".";
         }},
        {"missing user installation",
         [=](Tables&, const fs::path& h) { fs::remove(data(h) / "AXO-USER.DB"); }, quiet,
         [=](const fs::path& h) {
             return "Neexistuje UŽIVATELSKÝ instalační soubor (" + Dir(data(h)) +
                    "AXO-USER.DB). Program nelze spustit.";
         }},
        {"damaged user installation of the second area",
         [=](Tables&, const fs::path& h) { Garbage(codes(h) / "AXO-USER.DB"); }, quiet,
         [=](const fs::path& h) {
             return "Nelze otevřít UŽIVATELSKÝ instalační soubor (" + Dir(codes(h)) +
                    "AXO-USER.DB). Program nelze spustit. Pro opravu nutno požít modul "
                    "\"SPRÁVCE SYSTÉMU\".";
         }},
        {"fiscal year outside the table", none,
         [](StartUpOptions& o) { o.yearChoice->code = "2020"_t; },
         [](const fs::path&) {
             return std::string(
                 "Zadaný hospodářský rok není definován v programovém "
                 "instalačním souboru [2020].");
         }},
        {"unknown password", none, [](StartUpOptions& o) { o.password = "nic"_t; },
         [](const fs::path&) {
             return std::string("Zadané heslo není správné. Program nelze spustit.");
         }},
        {"VAT payer differs between areas",
         [=](Tables& t, const fs::path& h) {
             t.EditData(codes(h), [](tVetaAXO_DATA& d) { d.PlatceDPH = 1; });
         },
         quiet,
         [](const fs::path&) {
             return "Nesouhlasí nastavení PLÁTCE DPH mezi přiřazenými DATOVÝMI instalačními "
                    "soubory." +
                    kFix;
         }},
        {"kind of firm differs between areas",
         [=](Tables& t, const fs::path& h) {
             t.EditData(codes(h), [](tVetaAXO_DATA& d) { d.CharakterFirmy = 2; });
         },
         quiet,
         [](const fs::path&) {
             return "Nesouhlasí nastavení CHARAKTERU FIRMY mezi přiřazenými DATOVÝMI "
                    "instalačními soubory." +
                    kFix;
         }},
        {"empty password", none, [](StartUpOptions& o) { o.password = "   "_t; },
         [](const fs::path&) { return std::string(); }},
    };
}

TEST_F(StartUpTest, RefusalsShowTheirMessageAndWriteNothing) {
    int number = 0;
    for (const Refusal& r : Refusals()) {
        SCOPED_TRACE(r.name);
        const fs::path home = dir_.Path() / ("case" + std::to_string(++number));
        fs::copy(Template(), home, fs::copy_options::recursive);
        Tables tables(home);
        r.spoil(tables, home);
        StartUpOptions options = Quiet();
        r.options(options);
        const Snapshot before = TakeSnapshot(home);
        ui::ScriptedUi ui(Strict());
        ui.RegisterStatusBar();
        const std::string expected = Flat(r.message(home));
        if (!expected.empty())
            ui.QueueOk();
        {
            Session session(ui, clock_, home, "0000ABCD"_t, options);
            EXPECT_FALSE(StartUp(session));
            EXPECT_FALSE(session.Started());
        }
        std::string shown;
        for (const ui::TranscriptEntry& e : ui.Transcript())
            if (e.kind.rfind("message", 0) == 0)
                shown += FlatLines(e);
        EXPECT_EQ(expected, shown);
        EXPECT_TRUE(before == TakeSnapshot(home)) << "the installation was changed";
    }
}

}  // namespace
}  // namespace axo::startup::test
