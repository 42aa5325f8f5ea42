// The server engine's own rules: its sort keys order every key as the SQLite engine's
// collation does, on the server too, and the names of the server tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "TableTestSupport.h"
#include "startup/EngineChoice.h"
#include "startup/Migration.h"
#include "storage/PgEngine.h"
#include "storage/PgSupport.h"
#include "storage/SqliteText.h"

namespace axo::storage::test {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

/// The order of two Windows-1250 keys by the SQLite collation and by the sort keys as bytea
/// (memcmp, then length) compares them.
void ExpectSameOrder(const std::string& a, const std::string& b) {
    std::string ua;
    std::string ub;
    AppendCp1250AsUtf8(ua, a);
    AppendCp1250AsUtf8(ub, b);
    const std::string ka = pg::KeySortKey(a);
    const std::string kb = pg::KeySortKey(b);
    const int bytes = Sign(ka.compare(kb));
    ASSERT_EQ(Sign(CompareKeys(ua, ub)), bytes) << "[" << ua << "] vs [" << ub << "]";
}

/// Mixed-case Czech words, blanks and the characters around the blank's weight.
std::vector<std::string> Words() {
    std::vector<std::string> words;
    for (const char* w :
         {"čáp",   "ČÁP",   "Cap",  "cáp",   "car",    "čas",    "Řeka", "reka", "rýže",  "Šála",
          "sala",  "šachy", "žába", "Zebra", "ZEBRA ", "ůl",     "Úl",   "ul",   "ďábel", "Dáma",
          "ňadra", "Ťava",  "tava", "chata", "Hrad",   "hrad  ", "a b",  "a  b", "a",     "a ",
          "a\x01", "a !",   "ab",   "",      " ",      "Ä",      "ö",    "Ľ",    "ĺ",     "Ŕ",
          "ř",     "A-",    "A_",   "1",     "10",     "9 ",     "ÿ"})
        words.push_back(FromUtf8(w).Bytes());
    return words;
}

TEST(PgEngineTest, SortKeysOrderAsTheKeyCollation) {
    // Every pair of single bytes, and of one byte before or after a blank.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string x(1, static_cast<char>(a));
            const std::string y(1, static_cast<char>(b));
            ExpectSameOrder(x, y);
            ExpectSameOrder(x + " ", " " + y);
            ExpectSameOrder("K " + x, "K" + y);
        }
    }
    const std::vector<std::string> words = Words();
    for (const std::string& a : words)
        for (const std::string& b : words)
            ExpectSameOrder(a, b);
}

TEST(PgEngineTest, TableNamesFromAreaAndFile) {
    const struct {
        const char* file;
        const char* root;
        const char* name;
    } cases[] = {
        {"/srv/axo/UCETNI/2024/DENIK.DB", "/srv/axo", "ucetni/2024/denik"},
        {"/srv/axo/AXO.DB", "/srv/axo", "axo"},
        {"/srv/axo/./CIS/2024/~CIS.DB", "/srv/axo/", "cis/2024/~cis"},
        {"/elsewhere/DATA/KNIHA.DB", "/srv/axo", "data/kniha"},
        {"/tmp/T/ITEMS.DB", "", "t/items"},
        {"/tmp/T/&ITEMS.DB", "", "t/&items"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, pg::TableName(c.file, c.root)) << c.file;
    const std::string longName = pg::TableName("/r/" + std::string(80, 'A') + "/B.DB", "/r");
    EXPECT_EQ(pg::kNameLimit, longName.size());
    EXPECT_NE(longName, pg::TableName("/r/" + std::string(80, 'A') + "/C.DB", "/r"));
}

/// On the server: the rows of a key come back in the collation's order.
class PgOrderTest : public TableTest {};

TEST_F(PgOrderTest, ServerWalksKeysInTheCollationOrder) {
    // Runs on either engine: the layer's walk must give the collation's order.
    KindShape shape;
    shape.keys = {{10, true, false}, {20, true, false}};
    auto file = Open(3, shape);
    ASSERT_TRUE(file->Ok()) << file->ErrorText();
    std::vector<std::string> words = Words();
    for (int b = 1; b < 256; ++b)
        words.push_back(std::string(1, static_cast<char>(b)) + "x");
    for (const std::string& w : words) {
        ItemRecord r;
        r.code = Text::FromBytes(w.substr(0, 10));
        r.name = Text::FromBytes(w.substr(0, 20));
        std::int32_t n = 0;
        ASSERT_TRUE(file->AddRec(n, &r));
    }
    std::vector<std::string> walked;
    std::int32_t n = 0;
    Text key;
    file->BtClearKey(1);
    while (file->BtNextKey(1, n, key))
        walked.push_back(key.Bytes());
    ASSERT_EQ(words.size(), walked.size());
    for (std::size_t i = 1; i < walked.size(); ++i) {
        std::string a;
        std::string b;
        AppendCp1250AsUtf8(a, walked[i - 1]);
        AppendCp1250AsUtf8(b, walked[i]);
        EXPECT_LE(CompareKeys(a, b), 0) << i << ": [" << a << "] before [" << b << "]";
    }
}

TEST(PgEngineTest, ConfigurationNamesTheEngineAndNoPassword) {
    const struct {
        const char* config;
        bool server;
        const char* problem;  // a part of the refusal, or "" for none
    } cases[] = {
        {"AXO_TEMP=temp/", false, ""},
        {"AXO_DB_ENGINE=sqlite", false, ""},
        {"axo_db_engine = PostgreSQL\nAXO_DB_SPOJENI=service=axo", true, ""},
        {"AXO_DB_ENGINE=POSTGRESQL\nAXO_DB_SPOJENI=host=s password=tajne", false, "heslo"},
        {"AXO_DB_ENGINE=ORACLE", false, "neznámý databázový stroj"},
    };
    for (const auto& c : cases) {
        Text problem;
        const auto engine = startup::ConfiguredEngine(
            startup::ConfigFile::Parse(FromUtf8(c.config)), "/h", problem);
        EXPECT_EQ(c.server, engine != nullptr) << c.config;
        EXPECT_NE(std::string::npos, ToUtf8(problem).find(c.problem)) << c.config;
        EXPECT_EQ(*c.problem == 0, problem.empty()) << c.config;
    }
}

/// The codes of the items in the order of key 2 (names), on an engine.
std::vector<std::string> NamesInKeyOrder(const std::shared_ptr<Engine>& engine,
                                         const DataContext& ctx) {
    tTestKind file(ctx, {}, engine);
    EXPECT_TRUE(file.InitFile(1, _NoWait)) << ToUtf8(file.ErrorText());
    std::vector<std::string> codes;
    std::int32_t n = 0;
    Text key;
    file.BtClearKey(2);
    while (file.BtNextKey(2, n, key)) {
        ItemRecord r;
        file.GetRec(n, &r);
        codes.push_back(ToUtf8(r.code.Get()) + "/" + ToUtf8(r.name.Get()));
    }
    return codes;
}

class MigrationTest : public TableTest {};

TEST_F(MigrationTest, BothWaysKeepEveryRecordAndTheKeyOrders) {
    if (!OnServer())
        GTEST_SKIP() << "needs the tests' server (the run on PostgreSQL)";
    const auto files = MakeSqliteEngine();
    for (const char* name : {"AXO", "ITEMS"}) {
        KindShape shape;
        shape.fileName = FromUtf8(name);
        tTestKind file(ctx_, shape, files);
        ASSERT_TRUE(file.InitFile(3, _NoWait));
        int i = 0;
        for (const char* word : {"Šála", "sala", "čáp", "Cap", "Žába", "zebra", "Řeka", "reka"}) {
            ++i;
            ItemRecord r = Item(std::to_string(i).c_str(), word, i);
            std::int32_t n = 0;
            ASSERT_TRUE(file.AddRec(n, &r));
        }
    }
    const std::vector<std::string> before = NamesInKeyOrder(files, ctx_);
    startup::MigrationRequest request{dir_.Path(), true, ServerConninfo()};
    startup::MigrationResult result;
    ASSERT_TRUE(startup::MigrateInstallation(request, ui_, clock_, result));
    EXPECT_EQ(2, result.tables);
    EXPECT_EQ(16, result.records);
    const auto server = MakePgEngine({ServerConninfo(), dir_.Path()});
    EXPECT_EQ(before, NamesInKeyOrder(server, ctx_));

    // Back to files (the old ones removed first: a migration never overwrites a table).
    ui_.QueueOk();
    ASSERT_FALSE(
        startup::MigrateInstallation({dir_.Path(), false, ServerConninfo()}, ui_, clock_, result))
        << "the files are still there";
    for (const char* name : {"AXO.DB", "ITEMS.DB"})
        std::filesystem::remove(dir_ / name);
    ASSERT_TRUE(
        startup::MigrateInstallation({dir_.Path(), false, ServerConninfo()}, ui_, clock_, result));
    EXPECT_EQ(16, result.records);
    EXPECT_EQ(before, NamesInKeyOrder(files, ctx_));
}

}  // namespace
}  // namespace axo::storage::test
