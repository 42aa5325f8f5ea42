// The window-position file: the arrangements, slots taken in turn and freed again, and the
// cases without a stored position.
#include "startup/WindowSlots.h"

#include <gtest/gtest.h>

#include <fstream>

#include "StartupTestSupport.h"

namespace axo::startup::test {
namespace {

void WriteSlots(const fs::path& file, const tWindowSlots& record) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(&record), sizeof record);
}

tWindowSlots ReadSlots(const fs::path& file) {
    tWindowSlots record;
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(&record), sizeof record);
    return record;
}

TEST(WindowSlotsTest, ArrangementsShiftBy20PixelsPerEarlierSlot) {
    struct Case {
        int arrangement, slot, top, left;
    } cases[] = {
        {0, 3, 60, 240},  {1, 3, 140, 240}, {2, 3, 140, 160}, {3, 3, 60, 160},  {4, 3, 100, 240},
        {5, 3, 100, 160}, {6, 3, 60, 200},  {7, 3, 140, 200}, {8, 3, 100, 200}, {1, 1, 100, 200},
    };
    for (const Case& c : cases) {
        tWindowSlots file;
        file.top = 100;
        file.left = 200;
        file.arrangement = static_cast<std::uint8_t>(c.arrangement);
        int top = 0;
        int left = 0;
        ASSERT_TRUE(ArrangedPosition(file, c.slot, top, left)) << c.arrangement;
        EXPECT_EQ(c.top, top) << c.arrangement;
        EXPECT_EQ(c.left, left) << c.arrangement;
    }
    tWindowSlots unknown;
    unknown.arrangement = 9;
    int top = -1;
    int left = -1;
    EXPECT_FALSE(ArrangedPosition(unknown, 1, top, left));
}

TEST(WindowSlotsTest, InstancesTakeSlotsInTurnAndFreeThem) {
    ScratchDir dir;
    const fs::path file = dir.Path() / ToUtf8(WindowSlotFileName("00A1B2C3"_t));
    EXPECT_EQ("axo_00A1B2C3.INI", file.filename().string());
    tWindowSlots stored;
    stored.top = 50;
    stored.left = 300;
    stored.arrangement = 1;
    stored.unused[3] = 0x5A;  // bytes this program does not use survive
    WriteSlots(file, stored);
    WindowSlots first(file);
    WindowSlots second(file);
    int top = 0;
    int left = 0;
    ASSERT_TRUE(first.WindowSlot(top, left));
    EXPECT_EQ(1, first.Slot());
    EXPECT_EQ(50, top);
    EXPECT_EQ(300, left);
    ASSERT_TRUE(second.WindowSlot(top, left));
    EXPECT_EQ(2, second.Slot());
    EXPECT_EQ(70, top);
    EXPECT_EQ(320, left);
    first.ReleaseWindowSlot(nullptr);
    const tWindowSlots after = ReadSlots(file);
    EXPECT_EQ(0, after.slots[0]);
    EXPECT_EQ(1, after.slots[1]);
    EXPECT_EQ(0x5A, after.unused[3]);
    WindowSlots third(file);
    ASSERT_TRUE(third.WindowSlot(top, left));
    EXPECT_EQ(1, third.Slot());  // the freed slot is taken again
}

TEST(WindowSlotsTest, NoPositionWithoutFileFreeSlotOrKnownArrangement) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "axo_00000000.INI";
    int top = 7;
    int left = 8;
    WindowSlots missing(file);
    EXPECT_FALSE(missing.WindowSlot(top, left));
    EXPECT_EQ(0, missing.Slot());
    tWindowSlots full;
    std::fill(std::begin(full.slots), std::end(full.slots), 1);
    WriteSlots(file, full);
    WindowSlots none(file);
    EXPECT_FALSE(none.WindowSlot(top, left));
    tWindowSlots odd;
    odd.arrangement = 12;
    WriteSlots(file, odd);
    WindowSlots slotOnly(file);
    EXPECT_FALSE(slotOnly.WindowSlot(top, left));
    EXPECT_EQ(1, slotOnly.Slot());  // the slot is taken all the same, and freed at the end
    EXPECT_EQ(7, top);
    EXPECT_EQ(8, left);
    slotOnly.ReleaseWindowSlot(nullptr);
    EXPECT_EQ(0, ReadSlots(file).slots[0]);
}

TEST(WindowSlotsTest, FailedWriteAtReleaseIsReported) {
    ScratchDir dir;
    const fs::path file = dir.Path() / "axo_00000000.INI";
    WriteSlots(file, tWindowSlots{});
    WindowSlots slots(file);
    int top = 0;
    int left = 0;
    ASSERT_TRUE(slots.WindowSlot(top, left));
    fs::remove(file);
    fs::create_directory(file);  // the file can no longer be written
    ui::ScriptedUi ui(Strict());
    ui.QueueOk();
    slots.ReleaseWindowSlot(&ui);
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ(Flat("Nepodařilo se uložit nastavení do souboru [" + file.string() + "]."),
              FlatLines(ui.Transcript()[0]));
}

}  // namespace
}  // namespace axo::startup::test
