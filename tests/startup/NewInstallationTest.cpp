// Creating an installation: what it holds, a home whose path cannot be kept refused before
// anything is made, and an existing installation refused, also when forced while a program runs
// in it.
#include "startup/NewInstallation.h"

#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/AxoCfg.h"
#include "storage/PathCheck.h"

namespace axo::startup::test {
namespace {

class NewInstallationTest : public InstallationTest {};

TEST_F(NewInstallationTest, AHomeThePathOfWhichCannotBeKeptIsRefusedBeforeAnythingIsMade) {
    const std::size_t limit = storage::MaxInstallationPath();
    struct Case {
        const char* name;
        std::string home;  // below the scratch directory
        const char* message;
    } cases[] = {
        {"a character outside Windows-1250", "skola-\u03A9", "obsahuje znak U+03A9 (na"},
        {"a box-drawing character", "skola-\u2500", "obsahuje znak U+2500"},
        {"a byte that is no UTF-8", "skola-\xE9", "obsahuje znak 0xE9"},
        {"one byte too long", "", "je příliš dlouhá: má"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool existed : {false, true}) {
            const fs::path base = dir_.Path() / (existed ? "empty" : "new");
            const fs::path home = c.home.empty() ? DeepPath(base, limit + 1) : base / c.home;
            if (existed)
                fs::create_directories(home);
            ui::ScriptedUi ui(Strict());
            ui.QueueOk();
            NewInstallation request;
            request.year = 2024;
            request.directory = home;
            EXPECT_FALSE(CreateInstallation(request, ui, clock_));
            EXPECT_NE(std::string::npos, FlatLines(ui.Transcript().at(0)).find(c.message))
                << FlatLines(ui.Transcript().at(0));
            EXPECT_EQ(existed, fs::exists(home));
            EXPECT_TRUE(!existed || fs::is_empty(home));
            fs::remove_all(base);
        }
    }
    // A home of the longest path works: its tables stay within the engine's limit.
    ui::ScriptedUi quiet(Lenient());
    NewInstallation request;
    request.year = 2024;
    request.directory = DeepPath(dir_.Path() / "deep", limit);
    ASSERT_TRUE(CreateInstallation(request, quiet, clock_));
    StartUpOptions options = Quiet("ucetni");
    options.yearChoice = StartUpOptions::YearChoice{"2024"_t, {}};
    Session session(quiet, clock_, request.directory, "0000ABCD"_t, options);
    EXPECT_TRUE(StartUp(session)) << quiet.TranscriptText();
}

TEST_F(NewInstallationTest, InstallationInUseIsNotRecreated) {
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    const Snapshot before = TakeSnapshot(Home());
    NewInstallation request;
    request.directory = Home();
    request.year = 2014;
    request.force = true;
    ui_.QueueOk();
    EXPECT_FALSE(CreateInstallation(request, ui_, clock_));
    EXPECT_EQ(Flat("Instalace v adresáři [" + Home().string() + "/] se právě používá."),
              LastMessage());
    EXPECT_TRUE(before == TakeSnapshot(Home()));
    request.force = false;
    ui_.QueueOk();
    EXPECT_FALSE(CreateInstallation(request, ui_, clock_));
    EXPECT_NE(std::string::npos, LastMessage().find("již instalace existuje."));
    ShutDown(*session);
}

TEST_F(NewInstallationTest, NewInstallationHoldsBothYearsAndItsUser) {
    std::vector<tVetaAXO> program = tables_.Program();
    ASSERT_EQ(1u, program.size());
    const tVetaAXO& p = program[0];
    for (int area = 0; area < kAreaRoots; ++area)
        EXPECT_EQ(NewAreaRoot(area), Text(p.CA_Cesta[area])) << area;
    EXPECT_EQ(0, p.Prodejce);
    EXPECT_EQ("Škola"_t, Text(p.PopisFirmy));
    for (int year : {2013, 2014}) {
        for (const fs::path& d : {DataDir(year), CodeDir(year)}) {
            const tVetaAXO_DATA data = tables_.Data(d);
            EXPECT_EQ(FromUtf8(std::to_string(year)), Text(data.OBD_Cesta)) << d;
            EXPECT_EQ(year, data.OBD_KoncRok) << d;
            EXPECT_EQ("00064581"_t, Text(data.IcoFirmy)) << d;
            EXPECT_EQ(1u, tables_.Users(d).size()) << d;
        }
    }
    EXPECT_TRUE(fs::is_directory(Home() / "prubezne"));
    EXPECT_TRUE(fs::is_directory(Home() / "sablony"));
    EXPECT_TRUE(fs::is_directory(Home() / "temp"));
    const ConfigFile config = ConfigFile::Read(Home() / "AXO.CFG");
    EXPECT_EQ("temp/"_t, config.ValueOr("AXO_TEMP"_t));
}

}  // namespace
}  // namespace axo::startup::test
