// The SQLite engine's own rules: the key collation, lossless texts, the write log's format and
// its damaged tail.
#include "storage/SqliteEngine.h"

#include <gtest/gtest.h>

#include "ScratchDir.h"
#include "storage/SqliteText.h"
#include "storage/SqliteWriteLog.h"

namespace axo::storage {
namespace {

std::string Utf8(const char* s) {
    return s;
}

TEST(SqliteEngineTest, KeyCollationOrder) {
    // Each row: a < b.
    const std::pair<const char*, const char*> ordered[] = {
        {"C", "Č"},  {"Č", "D"}, {"CZ", "ČA"}, {"R", "Ř"},    {"Ř", "S"},
        {"S", "Š"},  {"Š", "T"}, {"Z", "Ž"},   {"AB", "ABC"}, {"ABC ", "ABD"},
        {"ž", "Ž0"}, {"Á", "B"}, {"A ", "A!"},
    };
    for (const auto& [a, b] : ordered) {
        EXPECT_LT(CompareKeys(Utf8(a), Utf8(b)), 0) << a << " < " << b;
        EXPECT_GT(CompareKeys(Utf8(b), Utf8(a)), 0) << b << " > " << a;
    }
    const std::pair<const char*, const char*> equal[] = {
        {"abc", "ABC"}, {"čáp", "ČÁP"}, {"ABC", "ABC   "}, {"Á", "A"}, {"ů", "U"}, {"", "  "},
    };
    for (const auto& [a, b] : equal)
        EXPECT_EQ(0, CompareKeys(Utf8(a), Utf8(b))) << a << " = " << b;
}

TEST(SqliteEngineTest, TextsKeepEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string utf8;
    AppendCp1250AsUtf8(utf8, all);
    EXPECT_EQ(ToUtf8(Text::FromBytes(all)), utf8);
    std::string back(256, '\0');
    EXPECT_EQ(256u, Utf8ToCp1250(utf8, back.data(), back.size()));
    EXPECT_EQ(all, back);
    char cut[3];
    EXPECT_EQ(3u, Utf8ToCp1250("čřžý", cut, sizeof cut));
}

TEST(SqliteEngineTest, WriteLogReadsUpToTheFirstDamagedEntry) {
    test::ScratchDir dir;
    const auto path = dir / "T.DB-log";
    sqlite::LogEntryBuilder entry;
    std::string second;
    {
        sqlite::WriteLog log(path, dir / "T.DB");
        entry.Start(sqlite::LoggedWrite::Op::Insert);
        entry.Integer(4, -7);
        entry.Real(5, 2.5);
        entry.Utf8(6, "žluťoučký");
        entry.Null(7);
        log.Append(entry.Finish(12));
        entry.Start(sqlite::LoggedWrite::Op::Delete);
        second = entry.Finish(3);
        log.Append(second);
        // A third entry cut off in the middle, as a process killed while writing it leaves it.
        entry.Start(sqlite::LoggedWrite::Op::Update);
        entry.Integer(4, 1);
        log.Append(entry.Finish(5).substr(0, 10));
    }
    sqlite::WriteLog log(path, dir / "T.DB");
    const auto writes = log.Read();
    ASSERT_EQ(2u, writes.size());
    EXPECT_EQ(sqlite::LoggedWrite::Op::Insert, writes[0].op);
    EXPECT_EQ(12, writes[0].recordNumber);
    ASSERT_EQ(4u, writes[0].values.size());
    EXPECT_EQ(-7, writes[0].values[0].integer);
    EXPECT_EQ(2.5, writes[0].values[1].real);
    EXPECT_EQ("žluťoučký", writes[0].values[2].text);
    EXPECT_EQ(0, writes[0].values[3].type);
    EXPECT_EQ(sqlite::LoggedWrite::Op::Delete, writes[1].op);

    // A damaged byte inside an entry ends the log there.
    std::string bytes = test::ReadBytes(path);
    bytes[bytes.find(second) + 9] ^= 0x55;
    test::WriteBytes(path, bytes);
    EXPECT_EQ(1u, log.Read().size());
    log.Remove();
    EXPECT_FALSE(log.Exists());
}

}  // namespace
}  // namespace axo::storage
