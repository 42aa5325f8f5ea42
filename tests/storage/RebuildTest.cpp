// The index rebuild: renumbering, cleared lock flags, the record length limit, and the data
// moved aside by an interrupted rebuild.
#include "storage/Rebuild.h"

#include <gtest/gtest.h>

#include "TableTestSupport.h"

namespace axo::storage::test {
namespace {

class RebuildTest : public TableTest {
  protected:
    /// Items A..(count) with record numbers made sparse: 1, 4, 9, ... (squares).
    void SparseTable(int count) {
        auto file = Open(3);
        for (int i = 0; i < count; ++i) {
            ItemRecord r = Item(std::string(1, static_cast<char>('A' + i)).c_str(), "x", i);
            std::int32_t n = 0;
            file->AddRec(n, &r);
        }
        file.reset();
        RunSql(DataFile(), "UPDATE DATA SET W_INDEX_PR = -W_INDEX_PR");
        RunSql(DataFile(), "UPDATE DATA SET W_INDEX_PR = W_INDEX_PR * W_INDEX_PR");
    }
    bool Rebuild(KindShape shape = {}) {
        tTestKind file(ctx_, std::move(shape));
        file.InitFile(0, _NoWait);
        return RebuildIndexes(file, true);
    }
    /// (record number, code, lock flag) of every row in record-number order.
    std::vector<std::tuple<long long, std::string, long long>> Rows() {
        std::vector<std::tuple<long long, std::string, long long>> rows;
        const long long count = QueryInt(DataFile(), "SELECT count(*) FROM DATA");
        for (long long i = 0; i < count; ++i) {
            const std::string at =
                " FROM DATA ORDER BY W_INDEX_PR LIMIT 1 OFFSET " + std::to_string(i);
            rows.emplace_back(QueryInt(DataFile(), "SELECT W_INDEX_PR" + at),
                              std::string(1, static_cast<char>(QueryInt(
                                                 DataFile(), "SELECT unicode(W_INDEX_01)" + at))),
                              QueryInt(DataFile(), "SELECT W_LOCKREC" + at));
        }
        return rows;
    }
};

TEST_F(RebuildTest, RenumbersAndClearsLockFlags) {
    SparseTable(3);
    RunSql(DataFile(), "UPDATE DATA SET W_LOCKREC = 1 WHERE W_INDEX_PR IN (1, 9)");
    RunSql(DataFile(), "DROP INDEX INDEX_02");
    ASSERT_TRUE(Rebuild());
    using Row = std::tuple<long long, std::string, long long>;
    EXPECT_EQ((std::vector<Row>{{1, "A", 0}, {2, "B", 0}, {3, "C", 0}}), Rows());
    EXPECT_EQ((std::vector<Text>{"INDEX_PRIM"_t, "INDEX_01"_t, "INDEX_02"_t}),
              DefaultEngine()->IndexNames(DataFile()));
    EXPECT_FALSE(TableExists(dir_ / "!RE_ITEMS.DB"));
    const auto progress = Entries("progress");
    ASSERT_EQ(1u, progress.size());
    EXPECT_EQ("[progress]\n| Rekonstrukce indexů " + DataFile().string() + "\n", progress[0]);
    EXPECT_EQ(3, ui_.ProgressSteps());
}

TEST_F(RebuildTest, MissingTableIsNothingToDo) {
    EXPECT_TRUE(Rebuild());
    EXPECT_FALSE(TableExists(DataFile()));
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(RebuildTest, RecordLengthLimit) {
    for (int length : {10000, 10001}) {
        KindShape shape;
        shape.fileName = "BIG"_t;
        shape.fields = {{"CODE"_t, "STR10"_t}};
        for (int rest = length - 11; rest > 0; rest -= 256)
            shape.fields.push_back(
                {"F"_t + Text::FromBytes(std::to_string(rest)),
                 "STR"_t + Text::FromBytes(std::to_string(std::min(rest, 256) - 1))});
        shape.recordLength = length;
        shape.keys = {{10, false, false}};
        shape.makeKey = [](int, const void* b) {
            return FixedKeyText(static_cast<const StrN<10>*>(b)->Get(), 10);
        };
        {
            auto file = Open(3, shape);
            ASSERT_TRUE(file->Ok()) << length << ": " << file->ErrorText();
            std::vector<char> record(static_cast<std::size_t>(length), 0);
            std::int32_t n = 0;
            file->AddRec(n, record.data());
        }
        ui_.ClearTranscript();
        if (length > kRebuildRecordLimit)
            ui_.QueueOk();
        EXPECT_EQ(length <= kRebuildRecordLimit, Rebuild(shape)) << length;
        if (length > kRebuildRecordLimit) {
            const auto messages = Entries("message 2");
            ASSERT_EQ(1u, messages.size());
            const std::string text = Flat(messages[0]);
            EXPECT_NE(std::string::npos,
                      text.find("Při rekonstrukci indexů souboru " + (dir_ / "BIG.DB").string()))
                << text;
            EXPECT_NE(std::string::npos, text.find("došlo k přetečení pole pro čtení záznamu"))
                << text;
        }
        EXPECT_EQ(1, Open(1, shape)->BtUsedRecs());
    }
}

TEST_F(RebuildTest, DataMovedAsideAreRestoredByTheNextRebuildAndByOpening) {
    AXO_SQLITE_FILES_ONLY();
    for (bool byOpening : {false, true}) {
        SparseTable(4);
        // An interrupted rebuild: the data moved aside, the new table never finished.
        ASSERT_TRUE(RenameFileSafe(DataFile(), dir_ / "!RE_ITEMS.DB"));
        WriteBytes(dir_ / "!RN_ITEMS.DB", "half a table");
        if (byOpening) {
            EXPECT_EQ(4, Open(2)->BtUsedRecs());
        } else {
            EXPECT_TRUE(Rebuild());
        }
        EXPECT_EQ(4u, Rows().size()) << byOpening;
        EXPECT_FALSE(TableExists(dir_ / "!RE_ITEMS.DB"));
        EXPECT_FALSE(TableExists(dir_ / "!RN_ITEMS.DB"));
    }
}

TEST_F(RebuildTest, RecreatedTableIgnoresDataMovedAside) {
    AXO_SQLITE_FILES_ONLY();
    SparseTable(3);
    ASSERT_TRUE(RenameFileSafe(DataFile(), dir_ / "!RE_ITEMS.DB"));
    EXPECT_EQ(0, Open(3)->BtUsedRecs());
    EXPECT_FALSE(TableExists(dir_ / "!RE_ITEMS.DB"));
}

TEST_F(RebuildTest, CopyLeftBesideACompleteTableIsStale) {
    AXO_SQLITE_FILES_ONLY();
    SparseTable(2);
    std::filesystem::copy_file(DataFile(), dir_ / "!RE_ITEMS.DB");
    {
        auto file = Open(1);
        ItemRecord r = Item("Z", "after");
        file->AddNew(&r);
    }
    ASSERT_TRUE(Rebuild());
    EXPECT_EQ(3u, Rows().size()) << "the newer table wins over the copy";
}

}  // namespace
}  // namespace axo::storage::test
