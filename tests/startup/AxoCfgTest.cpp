// The configuration file: keys, first-line-wins, switch kinds and the number list.
#include "startup/AxoCfg.h"

#include <gtest/gtest.h>

#include <fstream>

namespace axo::startup {
namespace {

TEST(AxoCfgTest, SwitchKindsReadTheirValues) {
    struct Case {
        const char* file;
        bool modal;            // yes-switch
        bool registerAllowed;  // default-on switch
    } cases[] = {
        {"", false, true},
        {"AXO_MODALNI_TISK=ano\n", true, true},
        {"  AXO_MODALNI_TISK = ANO  \r\n", true, true},
        {"axo_modalni_tisk=Ano", true, true},
        {"AXO_MODALNI_TISK=A\n", false, true},
        {"AXO_MODALNI_TISK\n", false, true},  // a line without "=" is ignored
        {"AXO_ARES_UDAJE_ICO=ne", false, false},
        {"AXO_ARES_UDAJE_ICO=NE\nAXO_ARES_UDAJE_ICO=ANO", false, false},  // the first line counts
        {"AXO_ARES_UDAJE_ICO=cokoli", false, true},
    };
    for (const Case& c : cases) {
        const Switches s = ReadSwitches(ConfigFile::Parse(FromUtf8(c.file)));
        EXPECT_EQ(c.modal, s.modalPrinting) << c.file;
        EXPECT_EQ(c.registerAllowed, s.businessRegisterAllowed) << c.file;
    }
}

TEST(AxoCfgTest, ValueIsTextAfterTheFirstEqualsSign) {
    const ConfigFile cfg = ConfigFile::Parse("AXO_TEMP = /tmp/a=b \nčíslo=1\n"_t);
    EXPECT_EQ("/tmp/a=b"_t, cfg.ValueOr("axo_temp"_t));
    EXPECT_EQ("1"_t, cfg.ValueOr("ČÍSLO"_t));  // keys are upper-cased with the Czech letters
    EXPECT_FALSE(cfg.Value("CHYBI"_t).has_value());
}

TEST(AxoCfgTest, PublicContractList) {
    struct Case {
        const char* value;
        std::vector<int> expected;
    } cases[] = {
        {"12, 1500,0,7", {12, 7}},
        {"", {}},
        {"x,5", {5}},
        {"1,2,3,4,5,6,7,8,9,10,11,12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"999,1000", {999}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ParseNumberList(FromUtf8(c.value))) << c.value;
}

TEST(AxoCfgTest, AFileInUtf8IsReadAsUtf8) {
    const auto file = std::filesystem::temp_directory_path() / "axo_cfg_utf8.CFG";
    const std::string utf8 = "AXO_PAP_KONSOLIDACE=ano\nPOZNAMKA=Škola Žďár\n";
    for (const std::string& bytes : {utf8, FromUtf8(utf8).Bytes()}) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        const ConfigFile config = ConfigFile::Read(file);
        EXPECT_EQ("Škola Žďár"_t, config.ValueOr("POZNAMKA"_t)) << bytes;
        EXPECT_TRUE(ReadSwitches(config).papConsolidation);
    }
    std::filesystem::remove(file);
}

TEST(AxoCfgTest, StationFileIsUsedWhenItExists) {
    const auto dir = std::filesystem::temp_directory_path() / "axo_cfg_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    EXPECT_EQ(dir / "AXO.CFG", ConfigFileName(dir, true, 7));
    std::ofstream(dir / "AXO007.CFG") << "AXO_PAP_KONSOLIDACE=ANO\n";
    EXPECT_EQ(dir / "AXO007.CFG", ConfigFileName(dir, true, 7));
    EXPECT_EQ(dir / "AXO.CFG", ConfigFileName(dir, false, 7));
    EXPECT_TRUE(ReadSwitches(ConfigFile::Read(dir / "AXO007.CFG")).papConsolidation);
    EXPECT_FALSE(ReadSwitches(ConfigFile::Read(dir / "missing.cfg")).papConsolidation);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace axo::startup
