// The sort file of the control printouts: the order of the keys as the key indexes compare
// them, records of equal keys in the order they were added whether they stayed in memory or
// were merged from runs on disk, the temporary file gone afterwards, and a work directory that
// takes no file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "control/SortFile.h"
#include "support/Immutable.h"
#include "support/ScratchDir.h"
#include "ui/ScriptedUi.h"

namespace axo::control::test {
namespace {

namespace fs = std::filesystem;

std::string Key(const char* utf8, std::size_t width) {
    std::string key;
    AppendSortKey(key, FromUtf8(utf8), width);
    return key;
}

TEST(SortKey, CollationOfTheKeyIndexes) {
    struct Case {
        const char* a;
        const char* b;
        int order;  ///< sign of a compared with b
    } cases[] = {
        {"abc", "ABC", 0},  // case does not count
        {"čaj", "caj", 1},  // Č after C
        {"cz", "čaj", -1},
        {"éra", "era", 0},  // accents without a letter of their own do not
                            // count
        {"5011", "502", -1},
        {"501", "5011", -1},  // blanks fill the width and come first
        {"", "0", -1},
        {"ř", "s", -1},
        {"r", "ř", -1},
    };
    for (const Case& c : cases) {
        const int cmp = Key(c.a, 10).compare(Key(c.b, 10));
        EXPECT_EQ(c.order, (cmp > 0) - (cmp < 0)) << c.a << " / " << c.b;
    }
}

struct Record {
    char key[4];
    std::int32_t sequence;
};

class SortFileTest : public ::testing::Test {
  protected:
    SortFileTest() {
        ctx_.ui = &ui_;
        ctx_.currentDirectory = dir_.Path();
        ctx_.programDirectory = dir_.Path();
    }
    axo::test::ScratchDir dir_{"axo-sort"};
    ui::ScriptedUi ui_;
    storage::DataContext ctx_;
};

TEST_F(SortFileTest, RunsInMemoryAndOnDiskGiveTheSameStableOrder) {
    std::mt19937 random(7);
    std::vector<Record> records(2000);
    for (std::size_t i = 0; i < records.size(); ++i) {
        // Few distinct keys: many records share one, and their order must stay.
        const int k = static_cast<int>(random() % 37);
        std::snprintf(records[i].key, sizeof records[i].key, "%03d", k);
        records[i].sequence = static_cast<std::int32_t>(i);
    }
    std::vector<Record> expected = records;
    std::stable_sort(expected.begin(), expected.end(), [](const Record& a, const Record& b) {
        return std::memcmp(a.key, b.key, 3) < 0;
    });
    for (std::size_t run : {2u, 3u, 7u, 500u, 1999u, 2000u, 5000u}) {
        SCOPED_TRACE(run);
        fs::path temporary;
        {
            SortFile sort(ctx_, sizeof(Record), 3, run);
            for (const Record& r : records)
                ASSERT_TRUE(sort.Add(&r));
            ASSERT_TRUE(sort.Rewind());
            temporary = sort.FileName();
            EXPECT_EQ(run < records.size(), !temporary.empty());
            std::vector<Record> got;
            Record r;
            while (sort.Next(&r))
                got.push_back(r);
            ASSERT_EQ(expected.size(), got.size());
            for (std::size_t i = 0; i < got.size(); ++i)
                ASSERT_EQ(expected[i].sequence, got[i].sequence) << i;
            EXPECT_EQ(2000, sort.Count());
            EXPECT_EQ(0, sort.Error());
        }
        if (!temporary.empty()) {
            EXPECT_FALSE(fs::exists(temporary)) << temporary;
        }
    }
    EXPECT_TRUE(fs::is_empty(dir_.Path()));
}

TEST_F(SortFileTest, EmptyFile) {
    SortFile sort(ctx_, sizeof(Record), 3, 4);
    ASSERT_TRUE(sort.Rewind());
    Record r;
    EXPECT_FALSE(sort.Next(&r));
    EXPECT_EQ(0, sort.Count());
}

TEST_F(SortFileTest, AWorkDirectoryThatTakesNoFile) {
    const fs::path work = dir_ / "work";
    fs::create_directories(work);
    ctx_.workDirectory = work;
    const axo::test::Immutable locked(work);
    if (!locked.Made())
        GTEST_SKIP() << "the file system cannot make a directory immutable here";
    SortFile sort(ctx_, sizeof(Record), 3, 2);
    Record r{"001", 1};
    EXPECT_TRUE(sort.Add(&r));
    EXPECT_TRUE(sort.Add(&r));
    // The third record finds the run full, and it cannot be written.
    EXPECT_FALSE(sort.Add(&r));
    EXPECT_NE(0, sort.Error());
    EXPECT_FALSE(sort.Add(&r));
    EXPECT_FALSE(sort.Rewind());
    EXPECT_FALSE(sort.Next(&r));
}

}  // namespace
}  // namespace axo::control::test
