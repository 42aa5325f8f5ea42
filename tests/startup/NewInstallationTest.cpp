// Creating an installation: what it holds, a failed creation that leaves nothing behind, and
// an existing installation refused, also when forced while a program runs in it.
#include "startup/NewInstallation.h"

#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/AxoCfg.h"

namespace axo::startup::test {
namespace {

class NewInstallationTest : public InstallationTest {};

TEST_F(NewInstallationTest, FailedCreationLeavesNothingBehind) {
    ui::ScriptedUi ui(Strict());
    ui.QueueOk();
    NewInstallation request;
    request.year = 2024;
    // The home can be made, its data directories cannot: their paths exceed what the system
    // takes.
    request.directory = DeepPath(dir_.Path() / "a", 4085);
    EXPECT_FALSE(CreateInstallation(request, ui, clock_));
    EXPECT_NE(std::string::npos, FlatLines(ui.Transcript().at(0)).find("nelze vytvořit."));
    EXPECT_FALSE(fs::exists(request.directory));
    const fs::path empty = DeepPath(dir_.Path() / "b", 4085);
    fs::create_directories(empty);
    request.directory = empty;
    ui.QueueOk();
    EXPECT_FALSE(CreateInstallation(request, ui, clock_));
    EXPECT_TRUE(fs::is_directory(empty));
    EXPECT_TRUE(fs::is_empty(empty));
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
