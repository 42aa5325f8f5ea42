// The keyed-table layer in one process: opening modes, record numbers, key order and searches,
// record operations, locks of one object, fatal reports and their texts.
#include "storage/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "TableTestSupport.h"
#include "storage/Rebuild.h"

namespace axo::storage::test {
namespace {

using ui::ProgramEnded;

/// The text of the last report window (labels and detail), "|"-separated.
std::string LastReport(const ui::ScriptedUi& ui) {
    for (auto it = ui.Transcript().rbegin(); it != ui.Transcript().rend(); ++it) {
        if (it->kind != "report")
            continue;
        std::string text = it->title;
        for (const std::string& line : it->lines)
            text += "|" + line;
        return text;
    }
    return {};
}

class FilesTest : public TableTest {
  protected:
    /// A table of items with the given codes and names, appended in this order.
    std::unique_ptr<tTestKind> Filled(
        const std::vector<std::pair<const char*, const char*>>& items) {
        auto file = Open(2);
        EXPECT_TRUE(file->Ok()) << file->ErrorText();
        for (const auto& [code, name] : items) {
            ItemRecord r = Item(code, name);
            std::int32_t n = 0;
            EXPECT_TRUE(file->AddRec(n, &r));
        }
        return file;
    }
    /// The record numbers of a whole walk of order k.
    static std::vector<std::int32_t> Walk(tSoubor& file, int k, bool backwards = false) {
        std::vector<std::int32_t> numbers;
        std::int32_t n = 0;
        Text key;
        file.BtClearKey(k);
        while (backwards ? file.BtPrevKey(k, n, key) : file.BtNextKey(k, n, key))
            numbers.push_back(n);
        return numbers;
    }
    static std::vector<std::string> Names(tSoubor& file, int k) {
        std::vector<std::string> names;
        std::int32_t n = 0;
        Text key;
        ItemRecord r;
        file.BtClearKey(k);
        while (file.BtNextKey(k, n, key)) {
            file.GetRec(n, &r);
            names.push_back(ToUtf8(r.name.Get()));
        }
        return names;
    }
};

TEST_F(FilesTest, EmptyTable) {
    auto file = Open(2);
    ASSERT_TRUE(file->Ok());
    EXPECT_EQ(0, file->BtUsedRecs());
    std::int32_t n = 0;
    Text key;
    file->BtClearKey(1);
    EXPECT_FALSE(file->BtNextKey(1, n, key));
    EXPECT_EQ(kErrNoNextRecord, file->ErrorCode());
    EXPECT_EQ("Není další záznam dle klíče."_t, file->ErrorText());
    ItemRecord r = Item("A", "a");
    EXPECT_TRUE(file->AddRec(n, &r));
    EXPECT_EQ(1, n);
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(FilesTest, RecordNumbersAfterDeletions) {
    struct Case {
        std::int32_t deleted;
        std::int32_t next;
    };
    for (const Case c : {Case{3, 3}, Case{2, 4}, Case{1, 4}}) {
        auto file = Open(3);
        for (const char* code : {"A", "B", "C"}) {
            ItemRecord r = Item(code, code);
            std::int32_t n = 0;
            file->AddRec(n, &r);
        }
        EXPECT_TRUE(file->DeleteRec(c.deleted));
        ItemRecord r = Item("D", "D");
        std::int32_t n = 0;
        EXPECT_TRUE(file->AddRec(n, &r));
        EXPECT_EQ(c.next, n) << "after deleting " << c.deleted;
    }
}

TEST_F(FilesTest, ClearKeyThenPrevKeyGivesTheLastAndNextKeyStartsAgainAfterTheEnd) {
    auto file = Filled({{"B", "beta"}, {"C", "alfa"}, {"A", "gama"}});
    std::int32_t n = 0;
    Text key;
    file->BtClearKey(1);
    EXPECT_TRUE(file->BtPrevKey(1, n, key));
    EXPECT_EQ(2, n);
    EXPECT_EQ("C         "_t, key) << "keys come padded to the key length";
    EXPECT_EQ((std::vector<std::int32_t>{2, 1, 3}), Walk(*file, 2));
    EXPECT_EQ((std::vector<std::int32_t>{3, 2, 1}), Walk(*file, 0, true));
    EXPECT_EQ((std::vector<std::int32_t>{3, 1, 2}), Walk(*file, 1));
    // After the end the next call starts at the first record again.
    EXPECT_TRUE(file->BtNextKey(1, n, key));
    EXPECT_EQ(3, n);
    file->BtClearKey(0);
    EXPECT_TRUE(file->BtNextKey(0, n, key));
    EXPECT_EQ("1"_t, key);
}

TEST_F(FilesTest, SearchAndFind) {
    auto file = Filled({{"B", "beta"}, {"D", "delta"}, {"F", "fí"}});
    struct Case {
        const char* key;
        bool found;
        std::int32_t n;
    };
    for (const Case c : {Case{"A", true, 1}, Case{"B", true, 1}, Case{"C", true, 2},
                         Case{"F", true, 3}, Case{"G", false, 0}}) {
        std::int32_t n = 0;
        Text key = FixedKeyText(FromUtf8(c.key), 10);
        EXPECT_EQ(c.found, file->BtSearchKey(1, n, key)) << c.key;
        EXPECT_EQ(c.found ? 0 : kErrNoKeyGreaterOrEqual, file->ErrorCode());
        if (c.found) {
            EXPECT_EQ(c.n, n) << c.key;
        }
    }
    std::int32_t n = 0;
    EXPECT_FALSE(file->BtFindKey(1, n, "C         "_t));
    EXPECT_EQ(kErrKeyNotFound, file->ErrorCode());
    EXPECT_TRUE(file->BtFindKey(1, n, "D         "_t));
    EXPECT_EQ(2, n);
    Text key;
    EXPECT_TRUE(file->BtNextKey(1, n, key)) << "the walk goes on after a found key";
    EXPECT_EQ(3, n);
    EXPECT_TRUE(file->BtFindKey(0, n, "3"_t));
    EXPECT_EQ(3, n);
}

TEST_F(FilesTest, StoredKeysLongerThanTheKeyAreWalkedOnce) {
    // The server's keys are ordered by the sort keys the program writes with them.
    AXO_SQLITE_FILES_ONLY();
    std::vector<std::pair<const char*, const char*>> items;
    std::vector<std::string> codes;
    for (int i = 0; i < 100; ++i)
        codes.push_back(std::to_string(1000 + i));
    for (const std::string& code : codes)
        items.emplace_back(code.c_str(), "same");
    Filled(items).reset();
    // Another program wrote keys longer than the key length (and all equal in their first 20).
    RunSql(DataFile(), "UPDATE DATA SET W_INDEX_02 = W_INDEX_02 || 'X' || W_INDEX_PR");
    auto file = Open(1);
    std::int32_t n = 0;
    Text key;
    std::vector<std::int32_t> seen;
    file->BtClearKey(2);
    while (file->BtNextKey(2, n, key)) {
        seen.push_back(n);
        EXPECT_EQ(20u, key.size());
    }
    EXPECT_EQ(100u, seen.size());
    EXPECT_EQ(100u, std::set<std::int32_t>(seen.begin(), seen.end()).size());
}

TEST_F(FilesTest, CzechKeyOrder) {
    auto file = Filled({{"1", "Dub"},
                        {"2", "čáp"},
                        {"3", "Cesta"},
                        {"4", "Řeka"},
                        {"5", "ráj"},
                        {"6", "Sova"},
                        {"7", "šnek"},
                        {"8", "Tma"},
                        {"9", "Zub"},
                        {"10", "žába"}});
    EXPECT_EQ((std::vector<std::string>{"Cesta", "čáp", "Dub", "ráj", "Řeka", "Sova", "šnek", "Tma",
                                        "Zub", "žába"}),
              Names(*file, 2));
    struct Case {
        const char* search;
        const char* first;
    };
    for (const Case c : {Case{"č", "čáp"}, Case{"CZ", "čáp"}, Case{"s", "Sova"}, Case{"Š", "šnek"},
                         Case{"ř", "Řeka"}, Case{"ZZ", "žába"}, Case{"tma", "Tma"}}) {
        std::int32_t n = 0;
        Text key = FromUtf8(c.search);
        ASSERT_TRUE(file->BtSearchKey(2, n, key)) << c.search;
        ItemRecord r;
        file->GetRec(n, &r);
        EXPECT_EQ(c.first, ToUtf8(r.name.Get())) << c.search;
    }
}

TEST_F(FilesTest, MissingFileModes) {
    for (int mode : {1, 4}) {
        auto file = Open(mode);
        EXPECT_FALSE(file->Ok());
        EXPECT_FALSE(TableExists(DataFile())) << mode;
    }
    auto created = Open(2);
    ASSERT_TRUE(created->Ok());
    EXPECT_EQ((std::vector<Text>{"INDEX_PRIM"_t, "INDEX_01"_t, "INDEX_02"_t}),
              DefaultEngine()->IndexNames(DataFile()));
    ItemRecord r = Item("A", "a");
    created->AddNew(&r);
    created.reset();
    EXPECT_EQ(1, Open(1)->BtUsedRecs());
    EXPECT_EQ(0, Open(3)->BtUsedRecs()) << "mode 3 creates the table anew";
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(FilesTest, MissingIndexIsReported) {
    Filled({{"A", "a"}});
    RunSql(DataFile(), "DROP INDEX INDEX_02");
    ui_.QueueOk();
    EXPECT_THROW(Open(1), ProgramEnded);
    const std::string report = LastReport(ui_);
    EXPECT_NE(std::string::npos, report.find("|Procedura: OpenFile|")) << report;
    EXPECT_NE(std::string::npos,
              report.find("\r\n\tK datovému souboru nejsou všechny indexové soubory.\r\n\t"
                          "Proveďte rekonstrukci indexů.\r\n\t(správce: axo-pap-cli admin "
                          "rebuild ITEMS)"))
        << report;
}

TEST_F(FilesTest, MissingIndexOfSpecialFilesIsRebuilt) {
    for (const char* name : {"AXO-USER", "AXO", "~NOVAK", "&NOVAK", "KOMUHRFA"}) {
        KindShape shape;
        shape.fileName = Text::FromBytes(name);
        const auto dataFile = dir_ / (std::string(name) + ".DB");
        {
            auto file = Open(2, shape);
            ItemRecord r = Item("A", "alfa");
            file->AddNew(&r);
            r = Item("B", "beta");
            file->AddNew(&r);
        }
        RunSql(dataFile, "DROP INDEX INDEX_01");
        ui_.ClearTranscript();
        auto file = Open(1, shape);
        ASSERT_TRUE(file->Ok()) << name << ": " << file->ErrorText();
        EXPECT_EQ(2, file->BtUsedRecs());
        std::int32_t n = 0;
        EXPECT_TRUE(file->BtFindKey(1, n, "B         "_t));
        ASSERT_FALSE(Entries("progress").empty()) << name;
        EXPECT_NE(std::string::npos, Entries("progress")[0].find("Rekonstrukce indexů ")) << name;
    }
}

TEST_F(FilesTest, RecordLockedTwiceIsRefused) {
    auto file = Filled({{"A", "a"}});
    EXPECT_TRUE(file->BtLockRec(_NoWait, 1));
    EXPECT_FALSE(file->BtLockRec(_NoWait, 1));
    EXPECT_EQ(kErrRecordLocked, file->ErrorCode());
    EXPECT_EQ("Záznam je zamčen jiným uživatelem"_t, file->ErrorText());
    EXPECT_TRUE(file->UnlockAllRecs());
    EXPECT_TRUE(file->BtLockRec(_NoWait, 1));
}

TEST_F(FilesTest, LockRecWithWaitQuestionIsRefusedAndTriedOnce) {
    auto file = Filled({{"A", "a"}});
    ui_.QueueOk();
    EXPECT_TRUE(file->BtLockRec(_WaitQuestion, 1));
    ASSERT_EQ(1u, ui_.Transcript().size());
    EXPECT_EQ((std::vector<std::string>{"Nepřípustná metoda zamčení věty",
                                        "tSoubor.LockRec: _WaitQuestione"}),
              ui_.Transcript()[0].lines);
}

TEST_F(FilesTest, MissingRecordIsFatalAndChangesNothing) {
    struct Case {
        const char* label;
        std::function<void(tSoubor&)> call;
    };
    const Case cases[] = {
        {"GETREC",
         [](tSoubor& f) {
             ItemRecord r;
             f.GetRec(99, &r);
         }},
        {"PUTREC",
         [](tSoubor& f) {
             ItemRecord r = Item("X", "x");
             std::int32_t n = 99;
             f.PutRec(n, &r);
         }},
        {"DELETEREC", [](tSoubor& f) { f.DeleteRec(99); }},
        {"LOCKrec", [](tSoubor& f) { f.BtLockRec(_NoWait, 99); }},
    };
    for (const Case& c : cases) {
        auto file = Open(3);
        ItemRecord r = Item("A", "a");
        file->AddNew(&r);
        ui_.ClearTranscript();
        ui_.QueueOk();
        EXPECT_THROW(c.call(*file), ProgramEnded) << c.label;
        EXPECT_EQ(0, file->ErrorCode());
        EXPECT_EQ(std::string(DataErrorTitleUtf8()) + "|Procedura: " + c.label +
                      "|Jméno souboru: " + DataFile().string() + "|Číslo věty: 99",
                  LastReport(ui_));
        file.reset();
        auto check = Open(1);
        ItemRecord stored;
        EXPECT_TRUE(check->GetRec(1, &stored));
        EXPECT_EQ("A"_t, stored.code.Get());
    }
}

TEST_F(FilesTest, RecordsKeepEveryByteAndKeysFollowUpdates) {
    auto file = Open(2);
    ItemRecord r = Item("K1", "");
    Text all;
    for (int b = 1; b <= 20; ++b)
        all += static_cast<char>(b * 12 + 15);  // bytes across the whole code page
    r.name = all;
    r.counter = -123456;
    r.amount = 1234.5;
    r.flag = 255;
    std::int32_t n = 0;
    ASSERT_TRUE(file->AddRec(n, &r));
    ItemRecord back;
    ASSERT_TRUE(file->GetRec(n, &back));
    EXPECT_EQ(0, std::memcmp(&r, &back, sizeof r));

    back.code = "K2"_t;
    ASSERT_TRUE(file->PutRec(n, &back));
    std::int32_t m = 0;
    EXPECT_FALSE(file->BtFindKey(1, m, "K1        "_t));
    EXPECT_TRUE(file->BtFindKey(1, m, "k2"_t)) << "keys compare without case and trailing blanks";
    EXPECT_EQ(n, m);
}

TEST_F(FilesTest, FindUsedKeyStoreByKeyAndDeleteByKey) {
    auto file = Filled({{"A", "alfa"}, {"B", "beta"}});
    ItemRecord a = Item("A", "nová");
    ItemRecord c = Item("C", "alfa");
    EXPECT_EQ(1, file->FindUsedKey(true, nullptr, &a));
    EXPECT_EQ(1, file->currentRecord);
    EXPECT_EQ(0, file->FindUsedKey(true, nullptr, &c)) << "key 2 allows duplicates";
    ItemRecord old = Item("A", "alfa");
    EXPECT_EQ(0, file->FindUsedKey(false, &old, &a)) << "an unchanged key is no clash";

    a.counter = 7;
    file->StoreByKey(&a, &a);
    file->StoreByKey(&c, &c);
    EXPECT_EQ(3, file->BtUsedRecs());
    ItemRecord stored;
    file->GetRec(1, &stored);
    EXPECT_EQ(7, stored.counter);
    file->DeleteByKey(&a);
    EXPECT_EQ(2, file->BtUsedRecs());
    EXPECT_EQ((std::vector<std::int32_t>{2, 3}), Walk(*file, 1));
}

TEST_F(FilesTest, DuplicateUniqueKeyIsFatal) {
    auto file = Filled({{"A1", "a"}});
    ItemRecord r = Item("A1", "b");
    std::int32_t n = 0;
    ui_.QueueOk();
    EXPECT_THROW(file->AddRec(n, &r), ProgramEnded);
    const std::string report = LastReport(ui_);
    EXPECT_NE(std::string::npos, report.find("|Procedura: ADDREC|")) << report;
    EXPECT_NE(std::string::npos, report.find("|Číslo věty: 2|")) << report;
    EXPECT_NE(std::string::npos, report.find("Key violation.")) << report;
    EXPECT_NE(std::string::npos, report.find("Hash: 2\r\nIndex 1: A1        \r\n")) << report;
    EXPECT_NE(std::string::npos, report.find("\"A1        \"\r\n\"B                   \"\r\n"))
        << report;
    file.reset();
    EXPECT_EQ(1, Open(1)->BtUsedRecs());
}

TEST_F(FilesTest, IntegerFieldsKeepTheirSixteenBitLimit) {
    KindShape shape;
    shape.fields = {{"CODE"_t, "STR10"_t}, {"N"_t, "INTEGER"_t}};
    shape.keys = {{10, false, false}};
    shape.recordLength = 15;
    shape.makeKey = [](int, const void* b) {
        return FixedKeyText(static_cast<const StrN<10>*>(b)->Get(), 10);
    };
#pragma pack(push, 1)
    struct Rec {
        StrN<10> code;
        std::int32_t n;
    };
#pragma pack(pop)
    auto file = Open(2, shape);
    Rec ok{"A"_t, 32767};
    std::int32_t n = 0;
    EXPECT_TRUE(file->AddRec(n, &ok));
    Rec back{};
    file->GetRec(n, &back);
    EXPECT_EQ(32767, back.n);
    Rec tooLarge{"B"_t, 40000};
    ui_.QueueOk();
    EXPECT_THROW(file->AddRec(n, &tooLarge), ProgramEnded);
    EXPECT_NE(std::string::npos, LastReport(ui_).find("|Procedura: ADDREC|"));
    file.reset();
    EXPECT_EQ(1, Open(1, shape)->BtUsedRecs());
}

TEST_F(FilesTest, ColumnCountDifferentFromTheDescription) {
    Filled({{"A", "a"}});
    KindShape wider;
    wider.fields.push_back({"EXTRA"_t, "BYTE"_t});
    wider.recordLength += 1;
    ui_.QueueOk();
    EXPECT_THROW(Open(1, wider), ProgramEnded);
    EXPECT_EQ(std::string(DataErrorTitleUtf8()) +
                  "|Procedura: INIT OpenFile|Jméno souboru: " + DataFile().string() +
                  "|Nesoulad struktur.\r\n\r\nOčekávaný počet položek: 2+6\r\n"
                  "Skutečný počet položek: 7",
              LastReport(ui_));
}

TEST_F(FilesTest, MemoColumnsAreWrittenFromTheSlotAndReadByName) {
#pragma pack(push, 1)
    struct Rec {
        StrN<10> code;
        std::uint32_t notes;
    };
#pragma pack(pop)
    const std::vector<Text> texts = {""_t, "Poznámka první\r\nřádek"_t, Text(1000, 'x')};
    KindShape shape;
    shape.fields = {{"CODE"_t, "STR10"_t}, {"NOTES"_t, "ANSISTRING"_t}};
    shape.keys = {{10, false, false}};
    shape.recordLength = sizeof(Rec);
    shape.makeKey = [](int, const void* b) {
        return FixedKeyText(static_cast<const Rec*>(b)->code.Get(), 10);
    };
    shape.memo = [&texts](std::size_t, const void* b) {
        return texts[static_cast<const Rec*>(b)->notes];
    };
    auto file = Open(2, shape);
    for (std::uint32_t i = 1; i <= 2; ++i) {
        Rec r{Text(1, static_cast<char>('0' + i)), i};
        std::int32_t n = 0;
        file->AddRec(n, &r);
    }
    Rec back{"?"_t, 77};
    ASSERT_TRUE(file->GetRec(2, &back));
    EXPECT_EQ(77u, back.notes) << "the slot is left alone";
    EXPECT_EQ(texts[2], file->ReadMemo("NOTES"_t));
    ASSERT_TRUE(file->GetRec(1, &back));
    EXPECT_EQ(texts[1], file->ReadMemo("NOTES"_t));
}

TEST_F(FilesTest, WriteLogOfACommittedGroupIsNotWrittenAgain) {
    AXO_SQLITE_FILES_ONLY();
    const auto log = dir_ / "ITEMS.DB-log";
    {
        auto file = Filled({});
        ASSERT_TRUE(file->BtLockFileBlock(_NoWait));
        for (const char* code : {"A", "B"}) {
            ItemRecord r = Item(code, code);
            std::int32_t n = 0;
            file->AddRec(n, &r);
        }
        ASSERT_TRUE(FileExists(log)) << "the group's writes wait in the log for its commit";
        std::filesystem::copy_file(log, dir_ / "saved");
        EXPECT_TRUE(file->Unlock());
        EXPECT_FALSE(FileExists(log));
        EXPECT_TRUE(file->DeleteRec(1));
    }
    // As if the process had been killed between the commit and the removal of the log.
    std::filesystem::rename(dir_ / "saved", log);
    auto file = Open(1);
    EXPECT_EQ(1, file->BtUsedRecs()) << "the deleted record must not come back";
    EXPECT_FALSE(FileExists(log));
}

TEST_F(FilesTest, RowsReadAheadAreServedOnlyWhileYoung) {
    auto file = Filled({{"A", "a"}, {"B", "b"}, {"C", "c"}});
    std::int32_t n = 0;
    Text key;
    file->BtClearKey(1);
    ASSERT_TRUE(file->BtNextKey(1, n, key));  // reads A, B and C ahead
    ASSERT_TRUE(file->BtNextKey(1, n, key));
    ASSERT_EQ(2, n);
    {
        // Another station changes B and deletes C.
        auto other = Open(1);
        ItemRecord b = Item("B", "změněno");
        std::int32_t two = 2;
        ASSERT_TRUE(other->PutRec(two, &b));
        ASSERT_TRUE(other->DeleteRec(3));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kBatchLifeMs + 50));
    ItemRecord r;
    ASSERT_TRUE(file->GetRec(2, &r));
    EXPECT_EQ("změněno"_t, r.name.Get());
    EXPECT_FALSE(file->BtNextKey(1, n, key)) << "the deleted record is not served";
    EXPECT_TRUE(Entries("report").empty());
}

TEST_F(FilesTest, InitFilePathDirectories) {
    tTestKind missing(ctx_);
    EXPECT_FALSE(missing.InitFilePath(TextFromPath(dir_ / "none"), 2, _NoWait));
    EXPECT_TRUE(ui_.Transcript().empty());
    tTestKind program(ctx_);
    ASSERT_TRUE(program.InitFilePath("AXO_PROGRAM_PATH"_t, 2, _NoWait));
    EXPECT_TRUE(TableExists(ctx_.programDirectory / "ITEMS.DB"));
    // Relative directories are texts as an installation stores them: taken from the current
    // directory and cut to 79 characters. Absolute ones are resolved paths, used whole.
    const std::string deep = (dir_ / std::string(90, 'd') / std::string(90, 'e')).string();
    struct Case {
        std::string directory;  // as given to InitFilePath
        std::string table;      // where the table is, empty: refused
    } cases[] = {
        {(dir_ / "jinde").string() + "/", (dir_ / "jinde" / "ITEMS.DB").string()},
        {"jinde", (dir_ / "jinde" / "ITEMS.DB").string()},
        {deep + "/", deep + "/ITEMS.DB"},
        {std::string(79, 'r') + "x/", (dir_ / std::string(79, 'r') / "ITEMS.DB").string()},
        {std::string(85, 'q') + "/", ""},  // cut to a directory that does not exist
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(dir_ / "jinde");
        std::filesystem::create_directories(deep);
        std::filesystem::create_directories(dir_ / std::string(79, 'r'));
        std::filesystem::create_directories(dir_ / std::string(85, 'q'));
        tTestKind file(ctx_);
        EXPECT_EQ(!c.table.empty(), file.InitFilePath(FromUtf8(c.directory), 2, _NoWait))
            << c.directory;
        if (!c.table.empty()) {
            EXPECT_TRUE(TableExists(c.table)) << c.directory;
        }
    }
    // A file kind's default directory follows the same rule.
    KindShape shape;
    shape.directory = FromUtf8(deep) + "/"_t;
    shape.fileName = "DEFAULT"_t;
    EXPECT_TRUE(Open(2, shape)->Ok());
    EXPECT_TRUE(TableExists(deep + "/DEFAULT.DB"));
    EXPECT_TRUE(ui_.Transcript().empty());
}

TEST_F(FilesTest, LockForEditOfAVanishedRecordWarns) {
    auto file = Filled({{"A", "a"}});
    ItemRecord gone = Item("Z", "z");
    std::int32_t n = 0;
    ui_.QueueOk();
    EXPECT_FALSE(file->LockForEdit(n, &gone));
    ASSERT_EQ(1u, Entries("report").size());
    EXPECT_NE(std::string::npos,
              Entries("report")[0].find(" Hledaný klíč nebyl nalezen. [Z         ]\r\n Věta byla "
                                        "patrně zrušena jinou stanicí.\r\n Akce nebude provedena."))
        << Entries("report")[0];
    EXPECT_FALSE(file->WriteLocked());

    ItemRecord a = Item("A", "");
    EXPECT_TRUE(file->LockForEdit(n, &a));
    EXPECT_EQ(1, n);
    EXPECT_EQ("a"_t, a.name.Get()) << "the buffer holds the stored record";
    EXPECT_EQ((std::vector<std::int32_t>{1}), file->LockedRecords());
    EXPECT_FALSE(file->WriteLocked());
}

TEST_F(FilesTest, LockForEditByAKeyWithDuplicatesFindsTheRecordNumber) {
    KindShape shape;
    shape.keys = {{20, true, false}};  // only the name, with duplicates
    shape.makeKey = [](int, const void* buffer) {
        return FixedKeyText(static_cast<const ItemRecord*>(buffer)->name, 20);
    };
    {
        auto file = Open(3, shape);
        for (const auto& [code, name] : {std::pair{"1", "A"}, {"2", "A"}, {"3", "A"}, {"4", "B"}}) {
            ItemRecord r = Item(code, name, std::stoi(code));
            std::int32_t n = 0;
            ASSERT_TRUE(file->AddRec(n, &r));
        }
    }
    auto other = Open(1, shape);
    ASSERT_TRUE(other->BtLockRec(_NoWait, 2));
    const std::string changed =
        " Věta byla změněna jinou stanicí.\r\n Akce nebude provedena.\r\n\r\n"
        " Jedná se o soubor " +
        DataFile().string() + ".";
    struct Case {
        std::int32_t n;
        const char* name;
        bool locked;
        const char* window;  // what the user is shown, if anything
    } cases[] = {
        {3, "A", true, nullptr},    // past the others of the same key
        {4, "B", true, nullptr},    // the last record
        {4, "A", false, "report"},  // its key was changed
        {9, "B", false, "report"},  // gone
        {2, "A", false, "dialog"},  // locked by another object
    };
    auto file = Open(1, shape);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + c.name);
        ui_.ClearTranscript();
        if (c.window && std::string(c.window) == "report")
            ui_.QueueOk();
        else if (c.window)
            ui_.QueueDialog("key:Esc");
        ItemRecord r = Item("", c.name);
        std::int32_t n = c.n;
        EXPECT_EQ(c.locked, file->LockForEdit(n, &r));
        EXPECT_FALSE(file->WriteLocked());
        if (c.locked) {
            EXPECT_EQ(c.n, r.counter) << "the buffer holds the stored record";
            EXPECT_TRUE(ui_.Transcript().empty());
            EXPECT_TRUE(file->UnlockAllRecs());
            continue;
        }
        ASSERT_EQ(1u, ui_.Transcript().size());
        const ui::TranscriptEntry& shown = ui_.Transcript()[0];
        EXPECT_EQ(c.window, shown.kind);
        if (shown.kind == "report")
            EXPECT_EQ(changed, shown.lines.at(0));
        else
            EXPECT_EQ((std::vector<std::string>{"Klíč", "A                   ", "Soubor", "ITEMS",
                                                DataFile().string(), "Položky"}),
                      std::vector<std::string>(shown.lines.begin(), shown.lines.begin() + 6));
    }
}

TEST_F(FilesTest, ScanFieldsReadsOnlyTheNamedFieldsOfEveryRecord) {
    // More records than the engine adapter's fallback reads in one batch, one deleted.
    auto file = Open(3);
    ASSERT_TRUE(file->BtLockFileBlock(_Wait));
    for (int i = 1; i <= 1030; ++i) {
        ItemRecord r =
            Item(("K" + std::to_string(i)).c_str(), ("n" + std::to_string(i)).c_str(), i);
        r.amount = i * 0.5;
        std::int32_t n = 0;
        ASSERT_TRUE(file->AddRec(n, &r));
    }
    ASSERT_TRUE(file->DeleteRec(7));
    ASSERT_TRUE(file->Unlock());
    ItemRecord r = Item("kept", "", -1);
    std::vector<std::int32_t> numbers;
    ASSERT_TRUE(file->BtScanFields({"AMOUNT"_t, "NAME"_t}, &r, [&](std::int32_t n) {
        EXPECT_EQ("n" + std::to_string(n), ToUtf8(r.name.Get()));
        EXPECT_EQ(n * 0.5, r.amount);
        EXPECT_EQ(-1, r.counter) << "a field not named stays as it was";
        EXPECT_EQ("kept"_t, r.code.Get());
        numbers.push_back(n);
        return true;
    }));
    std::sort(numbers.begin(), numbers.end());
    ASSERT_EQ(1029u, numbers.size());
    EXPECT_EQ(6, numbers[5]);
    EXPECT_EQ(8, numbers[6]);
    EXPECT_EQ(1030, numbers.back());

    int visited = 0;
    EXPECT_TRUE(file->BtScanFields({"CODE"_t}, &r, [&](std::int32_t) { return ++visited < 3; }));
    EXPECT_EQ(3, visited) << "the walk stops when asked";

    ui_.ClearTranscript();
    ui_.QueueOk();
    EXPECT_THROW(file->BtScanFields({"NOSUCH"_t}, &r, [](std::int32_t) { return true; }),
                 ProgramEnded);
    EXPECT_NE(std::string::npos, LastReport(ui_).find("Procedura: SCANFIELDS"));
}

}  // namespace
}  // namespace axo::storage::test
