// The record descriptions of the installation tables and the vault: lengths, field counts and
// the place of fields in the record, checked by the table layer's structure check; the look
// at a table before opening it.
#include "startup/InstallationFiles.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>

#include "StartupTestSupport.h"
#include "startup/Trezor.h"
#include "storage/RecordStructure.h"

namespace axo::startup::test {
namespace {

struct Expected {
    const char* field;
    std::size_t offset;
};

/// Describes the kind, runs the layer's structure check and compares counts and offsets.
void CheckKind(storage::tSoubor& kind, int fields, int length,
               std::initializer_list<Expected> offsets) {
    ASSERT_TRUE(kind.BtOpenFileBlock(0, storage::_NoWait));
    storage::FieldList list = kind.Fields();
    const storage::StructureCheck check =
        storage::CheckStructure(list, kind.KeyCount(), kind.Keys(), kind.RecordLength(), nullptr);
    ASSERT_TRUE(check.ok) << ToUtf8(check.errorText);
    EXPECT_EQ(fields, check.fieldCount) << ToUtf8(kind.FileName());
    EXPECT_EQ(length, check.recordLength) << ToUtf8(kind.FileName());
    for (const Expected& e : offsets) {
        std::size_t at = 0;
        while (at < list.size() && list[at].name != FromUtf8(e.field))
            ++at;
        ASSERT_LT(at, list.size()) << e.field;
        EXPECT_EQ(e.offset, static_cast<std::size_t>(check.layout[at].offset)) << e.field;
    }
}

class InstallationFilesTest : public InstallationTest {
  protected:
    storage::DataContext Ctx() {
        storage::DataContext ctx;
        ctx.ui = &ui_;
        ctx.clock = &clock_;
        ctx.programDirectory = Home();
        ctx.currentDirectory = Home();
        return ctx;
    }
};

TEST_F(InstallationFilesTest, DescriptionsMatchTheRecords) {
    const storage::DataContext ctx = Ctx();
    tSouborAXO program(ctx);
    CheckKind(program, kFieldsAXO, 6916,
              {{"Prodejce", offsetof(tVetaAXO, Prodejce)},
               {"CisloStanice", offsetof(tVetaAXO, CisloStanice)},
               {"CA_T_Cesta", offsetof(tVetaAXO, CA_Cesta) + 9 * 80},
               {"PopisFirmy", offsetof(tVetaAXO, PopisFirmy)},
               {"OBD01_Cesta", offsetof(tVetaAXO, OBD)},
               {"OBD02_PocMes", offsetof(tVetaAXO, OBD) + 13 + 5},
               {"OBD30_KoncRok", offsetof(tVetaAXO, OBD) + 29 * 13 + 11},
               {"DPH_Sazby11", offsetof(tVetaAXO, DPH_Sazby) + 11 * 51},
               {"UZP00", offsetof(tVetaAXO, Obdobi) + 8},
               {"PZP07", offsetof(tVetaAXO, Obdobi) + 7 * 520 + 264}});
    tSouborAXO_DATA data(ctx);
    CheckKind(data, kFieldsAXO_DATA, 2746,
              {{"PlatceDPH", offsetof(tVetaAXO_DATA, PlatceDPH)},
               {"CharakterFirmy", offsetof(tVetaAXO_DATA, CharakterFirmy)},
               {"PosledniUzavrenyMesic", offsetof(tVetaAXO_DATA, PosledniUzavrenyMesic)},
               {"OBD_Cesta", offsetof(tVetaAXO_DATA, OBD_Cesta)},
               {"OBD_KoncRok", offsetof(tVetaAXO_DATA, OBD_KoncRok)},
               {"Dan_710_23", offsetof(tVetaAXO_DATA, DphMesic) + 23 * 36 + 28},
               {"SKLAD_ZaoPcSK", offsetof(tVetaAXO_DATA, SKLAD_ZaoPcSK)},
               {"PAP", offsetof(tVetaAXO_DATA, PAP)},
               {"SE_UcetDanNeuznatOdpisu", offsetof(tVetaAXO_DATA, SE_UcetDanNeuznatOdpisu)}});
    tSouborAXO_USER user(ctx);
    CheckKind(user, kFieldsAXO_USER, 1166,
              {{"ZakazaneCinnosti10", offsetof(tVetaAXO_USER, ZakazaneCinnosti) + 9 * 77},
               {"Prihl_UzivatelPrihlasen", offsetof(tVetaAXO_USER, Prihl_UzivatelPrihlasen)},
               {"Prihl_Moduly", offsetof(tVetaAXO_USER, Prihl_Moduly)},
               {"Prihl_Havarie", offsetof(tVetaAXO_USER, Prihl_Havarie)},
               {"OpravneniGDPR", offsetof(tVetaAXO_USER, OpravneniGDPR)}});
    tTrezor vault(ctx, VaultKind::Parameters, "NOVAK"_t, 0);
    CheckKind(vault, 103, 107,
              {{"ADRESA", offsetof(tVetaTrezor, ADRESA)},
               {"HODNOTA100", offsetof(tVetaTrezor, HODNOTA) + 99}});
    EXPECT_EQ(1, vault.KeyCount());
    EXPECT_EQ(15, vault.Keys()[1].length);
    EXPECT_FALSE(vault.Keys()[1].duplicates);
}

TEST_F(InstallationFilesTest, ProbeTellsUsableMissingUnreadableAndForeignTables) {
    const fs::path copy = dir_.Path() / "copy.DB";
    fs::copy_file(DataDir() / "AXO-USER.DB", copy);
    std::ofstream(dir_.Path() / "garbage.DB", std::ios::binary) << std::string(4096, 'x');
    struct Case {
        fs::path file;
        int fields;
        TableProbe expected;
    } cases[] = {
        {DataDir() / "AXO-USER.DB", kFieldsAXO_USER, TableProbe::Usable},
        {DataDir() / "AXO-NONE.DB", kFieldsAXO_USER, TableProbe::Missing},
        {dir_.Path() / "garbage.DB", kFieldsAXO, TableProbe::Unreadable},
        {copy, kFieldsAXO, TableProbe::Foreign},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ProbeInstallationTable(c.file, c.fields)) << c.file;
}

}  // namespace
}  // namespace axo::startup::test
