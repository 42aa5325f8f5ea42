// The session of a run: the system information it shows, its vaults and window slot, the steps
// it runs at shut-down, and the logout when it goes without one.
#include "startup/Session.h"

#include <gtest/gtest.h>

#include <fstream>

#include "StartupTestSupport.h"
#include "startup/StartUp.h"
#include "startup/SystemInformation.h"

namespace axo::startup::test {
namespace {

class SessionTest : public InstallationTest {
  protected:
    static std::vector<std::string> Lines(const std::vector<InfoRow>& rows) {
        std::vector<std::string> lines;
        for (const InfoRow& r : rows)
            lines.push_back(
                Flat(ToUtf8(r.number + " "_t + r.label + " "_t + r.item + " | "_t + r.value)));
        return lines;
    }
};

TEST_F(SessionTest, SystemInformationOfACalendarYear) {
    auto session = NewSession();
    ASSERT_TRUE(StartUp(*session));
    session->ReadSwitches();
    const std::string home = Home().string();
    const std::vector<std::string> expected = {
        "1. Datum pro program | 15. 6.2014",
        "2. Aktuální adresář (disk) | " + home + "/",
        "3. Verze programu | 2024W01/C1 05.03.2024",
        "4. Rok účetního období | 2014, 6/2014",
        "5. Cesta k datům Účetnictví | " + home + "/data/2014/",
        "modulu Banka | " + home + "/data/2014/",
        "Sklad | " + home + "/data/2014/",
        "Fakturace | " + home + "/data/2014/",
        "LFD | " + home + "/data/2014/",
        "Pokladna | " + home + "/data/2014/",
        "Majetek | " + home + "/data/2014/",
        "Cesta ke společným číselníkům | " + home + "/ciselniky/2014/",
        "k časově průběžným souborům | " + home + "/prubezne/",
        "k tiskovým formulářům | " + home + "/sablony/",
        "Konfigurační soubor | AXO.CFG",
        "6. Heslo, jméno uživatele | ZÁKLADNÍ, NOVAK (NOVAK)",
        "7. Daň z přidané hodnoty | Uživatel není plátcem DPH.",
        "8. Jméno účtové osnovy | Rozv2014",
        "9. Číslo stanice, popis | 000, Škola",
        "10. Národní měna | Kč",
    };
    EXPECT_EQ(expected, Lines(SystemInformationRows(*session)));
    ui_.QueueDialog("key:F2");
    ShowSystemInformation(*session);
    const ui::TranscriptEntry& dialog = ui_.Transcript().back();
    EXPECT_EQ(" Informace o systému AXO", dialog.title);
    EXPECT_EQ((std::vector<std::string>{"návrat do modulu"}), dialog.buttons);
    EXPECT_EQ("1.", dialog.lines.at(0));
    ShutDown(*session);
}

TEST_F(SessionTest, SystemInformationOfOtherYearsAndWithoutOne) {
    auto session = NewSession();
    SessionState& st = session->State();
    st.fiscalYears[4] = {"HR15"_t, 7, 2015, 6, 2016};
    st.fiscalYear = SelectFiscalYear(st.fiscalYears, 5);
    st.currentMonth = 9;
    st.currentYear = 2015;
    st.programDate = "30. 9.2015"_t;
    st.systemDate = "15. 6.2014"_t;
    st.accessLevel = 7;
    st.data.PlatceDPH = 1;
    st.data.CharakterFirmy = 3;
    std::vector<std::string> lines = Lines(SystemInformationRows(*session));
    EXPECT_EQ("1. Datum pro program | 30. 9.2015 [ systémové datum počítače 15. 6.2014 ]",
              lines.at(0));
    EXPECT_EQ("4. Hospodářský rok, účetní období | HR15 ( 1. 7.2015-30. 6.2016), 9/2015",
              lines.at(3));
    EXPECT_EQ("6. Heslo, jméno uživatele | NEZNÁMÉ, ()", lines.at(15));
    EXPECT_EQ("7. Daň z přidané hodnoty | Uživatel je plátcem DPH.", lines.at(16));
    EXPECT_EQ("8. Jméno účtové osnovy | RozvHR15", lines.at(17));
    st.fiscalYear = SelectedFiscalYear{};
    lines = Lines(SystemInformationRows(*session));
    EXPECT_EQ(17u, lines.size());
    EXPECT_EQ(0u, lines.at(3).find("5. Cesta k datům Účetnictví |"));
    struct Case {
        int level;
        const char* word;
    } words[] = {{1, "ZÁKLADNÍ"}, {2, "SPRÁVCE"}, {3, "AUTORSKÉ"}, {0, "NEZNÁMÉ"}};
    for (const Case& c : words)
        EXPECT_EQ(FromUtf8(c.word), AccessLevelWord(c.level));
}

TEST_F(SessionTest, VaultsWindowSlotAndShutDownSteps) {
    tWindowSlots slots;
    slots.top = 10;
    slots.left = 20;
    slots.arrangement = 8;
    std::ofstream(Home() / "axo_0000ABCD.INI", std::ios::binary)
        .write(reinterpret_cast<const char*>(&slots), sizeof slots);
    auto session = NewSession();
    int top = 0;
    int left = 0;
    ASSERT_TRUE(session->WindowSlot(top, left));  // taken before the start-up, as the window is
    EXPECT_EQ(10, top);
    ASSERT_TRUE(StartUp(*session));
    EXPECT_EQ(nullptr, session->ParameterVault());
    ASSERT_TRUE(session->OpenVault(VaultKind::Documents));
    ASSERT_TRUE(session->OpenVault(VaultKind::Parameters));
    EXPECT_TRUE(fs::exists(Home() / "~NOVAK.DB"));
    EXPECT_TRUE(fs::exists(Home() / "&NOVAK.DB"));
    const std::uint8_t block[17] = {1, 2, 3};
    SaveSettings(session->ParameterVault(), 214, 1, block, 17);
    std::vector<int> order;
    session->OnShutDown([&] { order.push_back(1); });
    session->OnShutDown([&] { order.push_back(2); });
    ShutDown(*session);
    ShutDown(*session);  // a second time does nothing
    EXPECT_EQ((std::vector<int>{2, 1}), order);
    EXPECT_EQ(nullptr, session->ParameterVault());
    EXPECT_EQ(0, session->WindowSlotNumber());
    std::ifstream in(Home() / "axo_0000ABCD.INI", std::ios::binary);
    in.read(reinterpret_cast<char*>(&slots), sizeof slots);
    EXPECT_EQ(0, slots.slots[0]);
}

TEST_F(SessionTest, SessionGoingWithoutShutDownLogsOut) {
    {
        auto session = NewSession();
        ASSERT_TRUE(StartUp(*session));
        EXPECT_EQ(kLoggedIn, tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
    }
    EXPECT_EQ(kNotLoggedIn, tables_.Users(DataDir()).at(0).Prihl_UzivatelPrihlasen);
    EXPECT_EQ(kNotLoggedIn, tables_.Users(CodeDir()).at(0).Prihl_UzivatelPrihlasen);
}

}  // namespace
}  // namespace axo::startup::test
