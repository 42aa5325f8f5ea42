// The vaults: keys, chunks of 100 bytes, counting and deleting blocks per station, the settings
// services and their station 0 block.
#include "startup/Trezor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <vector>

#include "StartupTestSupport.h"

namespace axo::startup::test {
namespace {

class TrezorTest : public ::testing::Test {
  protected:
    TrezorTest() : ui_(Lenient()), clock_(DateTime{2014, 6, 15, 9, 0, 0, 0}) {
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.programDirectory = dir_.Path();
        ctx_.currentDirectory = dir_.Path();
    }
    std::unique_ptr<tTrezor> Open(int station, VaultKind kind = VaultKind::Documents) {
        return OpenVault(ctx_, kind, "NOVAK"_t, station);
    }
    /// The chunks stored in the vault file, in key order: key and data bytes.
    std::vector<std::pair<Text, tVetaTrezor>> Chunks(tTrezor& vault) {
        std::vector<std::pair<Text, tVetaTrezor>> chunks;
        std::int32_t n = 0;
        Text key;
        vault.BtClearKey(1);
        while (vault.BtNextKey(1, n, key)) {
            tVetaTrezor r;
            vault.GetRec(n, &r);
            chunks.emplace_back(key, r);
        }
        return chunks;
    }
    static std::vector<std::uint8_t> Bytes(int length, int seed) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
        std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(seed));
        return bytes;
    }

    ScratchDir dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_;
    storage::DataContext ctx_;
};

TEST_F(TrezorTest, ADamagedVaultIsPutAsideAndMadeAnewWithAWarning) {
    const fs::path file = dir_.Path() / "~NOVAK.DB";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut to nothing by a full disk", ""},
        {"bytes that are no table", "SQLite format 3 - but no more than that"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        ui_.ClearTranscript();
        std::unique_ptr<tTrezor> vault = Open(3, VaultKind::Parameters);
        ASSERT_TRUE(vault);
        const std::string shown = Flat(ui_.TranscriptText());
        EXPECT_NE(std::string::npos, shown.find("Trezor parametrů AXO (" + file.string() +
                                                ") byl poškozen a je založen znovu, prázdný"))
            << shown;
        EXPECT_EQ(c.bytes.size(), fs::file_size(file.string() + ".poskozeny"));
        const std::vector<std::uint8_t> block = Bytes(150, 1);
        ASSERT_TRUE(StoreBlock(vault.get(), 1, 71, block.data(), 150));
        std::vector<std::uint8_t> back(150);
        EXPECT_TRUE(LoadBlock(vault.get(), 1, 71, back.data(), 150));
        EXPECT_EQ(block, back);
        CloseVault(vault);
    }
    // A sound vault is opened as it is.
    ui_.ClearTranscript();
    std::unique_ptr<tTrezor> vault = Open(3, VaultKind::Parameters);
    EXPECT_EQ(1, CountBlocks(vault.get(), 1, 71));
    EXPECT_TRUE(ui_.Transcript().empty()) << ui_.TranscriptText();
}

TEST_F(TrezorTest, FileNamesAndKeys) {
    EXPECT_EQ("~NOVAK"_t, VaultFileName(VaultKind::Parameters, "NOVAK"_t));
    EXPECT_EQ("&DVORAKO"_t, VaultFileName(VaultKind::Documents, "DVORAKOVA"_t));
    EXPECT_EQ("~A_B"_t, VaultFileName(VaultKind::Parameters, "A/B"_t));  // never a directory
    struct Case {
        int station, group, item, chunk;
        const char* key;
    } cases[] = {
        {0, 214, 3, 0, "000002140000300"},
        {7, 1, 71, 13, "007000010007113"},
        {12, 11, -1, 2, "01200011-000102"},
        {1, -5, 65535, 0, "001-0005-000100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FromUtf8(c.key), VaultKey(c.station, c.group, c.item, c.chunk));
    }
}

TEST_F(TrezorTest, BlockOf250BytesIsThreeChunksAndOneBlock) {
    auto vault = Open(3);
    ASSERT_TRUE(vault);
    const std::vector<std::uint8_t> data = Bytes(250, 1);
    ASSERT_TRUE(StoreBlock(vault.get(), 11, 5, data.data(), 250));
    const auto chunks = Chunks(*vault);
    ASSERT_EQ(3u, chunks.size());
    EXPECT_EQ("003000110000502"_t, chunks[2].first);
    EXPECT_EQ(2, chunks[2].second.PORADI);
    EXPECT_EQ((11 << 16) | 5, chunks[2].second.ADRESA);
    EXPECT_EQ(data[200], chunks[2].second.HODNOTA[0]);
    EXPECT_EQ(data[249], chunks[2].second.HODNOTA[49]);
    for (int i = 50; i < 100; ++i)
        EXPECT_EQ(0, chunks[2].second.HODNOTA[i]) << i;
    std::vector<std::uint8_t> back(250, 0xEE);
    ASSERT_TRUE(LoadBlock(vault.get(), 11, 5, back.data(), 250));
    EXPECT_EQ(data, back);
    EXPECT_EQ(1, CountBlocks(vault.get(), 11, 5));
    EXPECT_EQ(1, CountBlocks(vault.get(), 11, -1));
    EXPECT_EQ(0, CountBlocks(vault.get(), 11, 6));
}

TEST_F(TrezorTest, DeletingAGroupLeavesOtherGroupsAndStations) {
    auto station3 = Open(3);
    auto station4 = Open(4);
    const std::vector<std::uint8_t> data = Bytes(150, 7);
    for (int item : {1, 2, 300})
        ASSERT_TRUE(StoreBlock(station3.get(), 11, item, data.data(), 150));
    ASSERT_TRUE(StoreBlock(station3.get(), 12, 1, data.data(), 150));
    ASSERT_TRUE(StoreBlock(station4.get(), 11, 1, data.data(), 150));
    EXPECT_EQ(3, CountBlocks(station3.get(), 11, -1));
    DeleteBlocks(station3.get(), 11, -1);
    EXPECT_EQ(0, CountBlocks(station3.get(), 11, -1));
    EXPECT_EQ(1, CountBlocks(station3.get(), 12, -1));
    EXPECT_EQ(1, CountBlocks(station4.get(), 11, -1));
    std::vector<std::uint8_t> back(150);
    EXPECT_TRUE(LoadBlock(station4.get(), 11, 1, back.data(), 150));
    EXPECT_EQ(data, back);
    EXPECT_FALSE(LoadBlock(station3.get(), 11, 1, back.data(), 150));
    DeleteBlocks(station3.get(), 12, 1);
    EXPECT_EQ(2u, Chunks(*station4).size());  // station 4's two chunks are all that is left
}

TEST_F(TrezorTest, SettingsAreReplacedWholeAndZeroFilled) {
    auto vault = Open(2, VaultKind::Parameters);
    const std::vector<std::uint8_t> longBlock = Bytes(250, 1);
    SaveSettings(vault.get(), 14, 1, longBlock.data(), 250);
    const std::vector<std::uint8_t> shortBlock = Bytes(61, 100);
    SaveSettings(vault.get(), 14, 1, shortBlock.data(), 61);
    EXPECT_EQ(1u, Chunks(*vault).size());  // no chunk of the longer block is left behind
    std::vector<std::uint8_t> back(120, 0xEE);
    ASSERT_TRUE(LoadSettings(vault.get(), 14, 1, back.data(), 120));
    EXPECT_EQ(shortBlock, std::vector<std::uint8_t>(back.begin(), back.begin() + 61));
    EXPECT_EQ(std::vector<std::uint8_t>(59, 0),
              std::vector<std::uint8_t>(back.begin() + 61, back.end()));
    std::fill(back.begin(), back.end(), 0xEE);
    EXPECT_FALSE(LoadSettings(vault.get(), 14, 2, back.data(), 120));
    EXPECT_EQ(std::vector<std::uint8_t>(120, 0), back);
    DeleteSettings(vault.get(), 14, 1);
    EXPECT_EQ(0, CountBlocks(vault.get(), 14, 1));
}

TEST_F(TrezorTest, OutputSettingsAreReadUnderStationZero) {
    auto station0 = Open(0, VaultKind::Parameters);
    auto station5 = Open(5, VaultKind::Parameters);
    const std::vector<std::uint8_t> printer = Bytes(1307, 3);
    ASSERT_TRUE(StoreBlock(station0.get(), 20, 2, printer.data(), 1307));
    std::vector<std::uint8_t> back(1307);
    EXPECT_TRUE(LoadSettings(station5.get(), 20, 2, back.data(), 1307));
    EXPECT_EQ(printer, back);
    EXPECT_EQ(5, station5->Station());
    EXPECT_FALSE(LoadSettings(station5.get(), 20, 4, back.data(), 251));
}

TEST_F(TrezorTest, RefusedRequestsWriteNothing) {
    auto vault = Open(1);
    const std::vector<std::uint8_t> data = Bytes(10001, 0);
    struct Case {
        tTrezor* vault;
        int group, item, length;
    } cases[] = {
        {vault.get(), 1, 1, 0},      {vault.get(), 1, 1, 10001}, {vault.get(), -10000, 1, 10},
        {vault.get(), 1, 40000, 10}, {nullptr, 1, 1, 10},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(StoreBlock(c.vault, c.group, c.item, data.data(), c.length)) << c.length;
    EXPECT_TRUE(Chunks(*vault).empty());
    std::vector<std::uint8_t> buffer(10, 0xEE);
    EXPECT_FALSE(LoadBlock(nullptr, 1, 1, buffer.data(), 10));
    EXPECT_EQ(0, CountBlocks(nullptr, 1, 1));
    DeleteBlocks(nullptr, 1, 1);
    EXPECT_TRUE(StoreBlock(vault.get(), 1, 1, data.data(), 10000));
    EXPECT_EQ(100u, Chunks(*vault).size());
}

}  // namespace
}  // namespace axo::startup::test
