// Damaged table files, failing writes and failing creation: the fatal report or the recovery,
// never a crash, never a silently empty table, nothing half-written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "TableTestSupport.h"

namespace axo::storage::test {
namespace {

using ui::ProgramEnded;

class FaultsTest : public TableTest {
  protected:
    /// On the disk: an immutable file is a file system's feature.
    FaultsTest() : TableTest(true) {}

    void FillItems(int count) {
        auto file = Open(3);
        file->BtLockFileBlock(_NoWait);
        for (int i = 0; i < count; ++i) {
            ItemRecord r =
                Item(std::to_string(i).c_str(), ("jméno " + std::to_string(i)).c_str(), i);
            std::int32_t n = 0;
            file->AddRec(n, &r);
        }
    }
    /// Walks the whole table, reading every record; the number read.
    static int ReadAll(tSoubor& file) {
        int count = 0;
        std::int32_t n = 0;
        Text key;
        ItemRecord r;
        file.BtClearKey(1);
        while (file.BtNextKey(1, n, key) && file.GetRec(n, &r))
            ++count;
        return count;
    }
    std::string ReportText() const {
        const auto reports = Entries("report");
        return reports.empty() ? std::string() : reports.back();
    }
};

TEST_F(FaultsTest, NotATableFileIsReportedAfterRetries) {
    AXO_SQLITE_FILES_ONLY();
    WriteBytes(DataFile(), std::string(4096, 'x'));
    ui_.QueueOk();
    EXPECT_THROW(Open(1), ProgramEnded);
    const std::string report = ReportText();
    EXPECT_NE(std::string::npos, report.find("Procedura: OpenFile")) << report;
    EXPECT_NE(std::string::npos, report.find("Corrupt")) << report;
}

TEST_F(FaultsTest, EmptyFileHasNoIndexes) {
    AXO_SQLITE_FILES_ONLY();
    WriteBytes(DataFile(), "");
    ui_.QueueOk();
    EXPECT_THROW(Open(1), ProgramEnded);
    EXPECT_NE(std::string::npos, ReportText().find("nejsou všechny indexové soubory"));
}

TEST_F(FaultsTest, TruncatedTableNeverReadsAsShort) {
    AXO_SQLITE_FILES_ONLY();
    FillItems(1000);
    const auto size = std::filesystem::file_size(DataFile());
    std::filesystem::resize_file(DataFile(), size / 2);
    ui_.QueueOk();
    int read = -1;
    EXPECT_THROW(
        {
            auto file = Open(1);
            read = ReadAll(*file);
        },
        ProgramEnded)
        << "read " << read << " records silently";
    EXPECT_NE(std::string::npos, ReportText().find("Corrupt")) << ReportText();
}

TEST_F(FaultsTest, FailingWritesAreFatalAndWriteNothing) {
    FillItems(2);
    struct Case {
        const char* label;
        std::function<void(tSoubor&)> write;
    };
    const Case cases[] = {
        {"ADDREC",
         [](tSoubor& f) {
             ItemRecord r = Item("N", "nový");
             std::int32_t n = 0;
             f.AddRec(n, &r);
         }},
        {"PUTREC",
         [](tSoubor& f) {
             ItemRecord r = Item("0", "změna", 99);
             std::int32_t n = 1;
             f.PutRec(n, &r);
         }},
        {"DELETEREC", [](tSoubor& f) { f.DeleteRec(1); }},
        {"LOCKrec", [](tSoubor& f) { f.BtLockRec(_NoWait, 2); }},
    };
    for (const Case& c : cases) {
        auto engine = std::make_shared<FaultyEngine>(
            FaultyEngine::Faults{.write = {"Disk full. (database or disk is full)"}});
        auto file = Open(1, {}, _NoWait, engine);
        ASSERT_TRUE(file->Ok());
        ui_.ClearTranscript();
        ui_.QueueOk();
        EXPECT_THROW(c.write(*file), ProgramEnded) << c.label;
        EXPECT_NE(std::string::npos, ReportText().find(std::string("Procedura: ") + c.label))
            << ReportText();
        EXPECT_NE(std::string::npos, ReportText().find("Disk full.")) << ReportText();
        file.reset();
        auto check = Open(1);
        EXPECT_EQ(2, check->BtUsedRecs()) << c.label;
        ItemRecord r;
        check->GetRec(1, &r);
        EXPECT_EQ(0, r.counter) << c.label;
        EXPECT_EQ(0, QueryInt(DataFile(), "SELECT count(*) FROM DATA WHERE W_LOCKREC")) << c.label;
    }
}

TEST_F(FaultsTest, ImmutableDataFileRefusesWrites) {
    FillItems(1);
    const int fd = ::open(DataFile().c_str(), O_RDONLY);
    int flags = 0;
    const bool immutable = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                           (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (!immutable) {
        if (fd >= 0)
            ::close(fd);
        GTEST_SKIP() << "the file system cannot make a file immutable here";
    }
    auto restore = [&] {
        flags &= ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        ::close(fd);
    };
    {
        auto file = Open(1);
        ItemRecord r = Item("N", "nový");
        std::int32_t n = 0;
        ui_.QueueOk();
        EXPECT_THROW(file->AddRec(n, &r), ProgramEnded);
        EXPECT_NE(std::string::npos, ReportText().find("Procedura: ADDREC")) << ReportText();
    }
    restore();
    EXPECT_EQ(1, Open(1)->BtUsedRecs());
}

TEST_F(FaultsTest, FailedCreationWarnsThenTheOpenIsReported) {
    struct Case {
        std::string message;
        int attempts;
    };
    for (const Case& c : {Case{"Cannot access directory. (unable to open database file)", 11},
                          Case{"Disk full. (database or disk is full)", 1}}) {
        auto engine = std::make_shared<FaultyEngine>(FaultyEngine::Faults{.create = {c.message}});
        ui_.ClearTranscript();
        ui_.QueueOk();
        ui_.QueueOk();
        EXPECT_THROW(Open(2, {}, _NoWait, engine), ProgramEnded);
        EXPECT_EQ(c.attempts, engine->Counted().create.calls) << c.message;
        const auto reports = Entries("report");
        ASSERT_EQ(2u, reports.size());
        EXPECT_EQ("[report] UPOZORNĚNÍ :\n| Nelze založit datový soubor (" + DataFile().string() +
                      ").\r\n\r\nČíslo chyby : 9910\r\nProcedura   : BtCreateFileBlock\r\n\r\n" +
                      c.message +
                      "\r\n\r\nPožadovaný počet položek: 5\nbuttons: [O.K.] "
                      "[Tisk]\nanswer: ok\n",
                  reports[0]);
        EXPECT_NE(std::string::npos, reports[1].find("Procedura: OpenFile"));
        EXPECT_FALSE(TableExists(DataFile()));
    }
}

TEST_F(FaultsTest, CreationAndOpeningAreRepeatedAndAnnouncedAtTheServiceLevel) {
    const std::string notExact = "Not exact read/write. (disk I/O error)";
    struct Case {
        const char* name;
        bool create;  // else the table exists and opening fails
        std::string message;
        int failures;
        bool serviceLevel;
        int calls;      // attempts made
        int announced;  // messages shown
        bool opened;
    } cases[] = {
        {"creation", true, notExact, 2, true, 3, 2, true},
        {"opening", false, notExact, 2, true, 3, 2, true},
        {"opening, user level", false, notExact, 2, false, 3, 0, true},
        {"opening never succeeds", false, notExact, 1000, true, 11, 10, false},
        {"opening, not indexed", false, "Table is not indexed.", 1000, true, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.create)
            std::filesystem::remove(DataFile());
        else
            FillItems(0);
        ctx_.serviceLevel = c.serviceLevel;
        const FaultyEngine::Fault fault{c.message, c.failures};
        auto engine = std::make_shared<FaultyEngine>(
            c.create ? FaultyEngine::Faults{.create = fault} : FaultyEngine::Faults{.open = fault});
        ui_.ClearTranscript();
        for (int i = 0; i < c.announced + (c.opened ? 0 : 1); ++i)
            ui_.QueueOk();
        if (c.opened)
            EXPECT_TRUE(Open(2, {}, _NoWait, engine)->Ok());
        else
            EXPECT_THROW(Open(2, {}, _NoWait, engine), ProgramEnded);
        const FaultyEngine::Faults& counted = engine->Counted();
        EXPECT_EQ(c.calls, (c.create ? counted.create : counted.open).calls);
        std::vector<std::vector<std::string>> messages;
        for (const ui::TranscriptEntry& e : ui_.Transcript())
            if (e.kind == "message 1")
                messages.push_back(e.lines);
        ASSERT_EQ(static_cast<std::size_t>(c.announced), messages.size());
        if (!messages.empty()) {
            // The problem with the file name (wrapped where it is long), the error text and the
            // announcement, each on lines of its own.
            const std::vector<std::string>& lines = messages[0];
            const auto text = std::find(lines.begin(), lines.end(), c.message);
            ASSERT_NE(lines.end(), text);
            EXPECT_EQ("Založení bude opakováno.", lines.back());
            std::string problem;
            for (auto line = lines.begin(); line != text; ++line)
                problem += (problem.empty() ? "" : " ") + *line;
            EXPECT_EQ(std::string("Došlo k problému při ") +
                          (c.create ? "zakládání" : "otevírání") + " souboru" + DataFile().string(),
                      problem);
        }
        if (!c.opened) {
            EXPECT_NE(std::string::npos, ReportText().find("Procedura: OpenFile")) << ReportText();
        }
    }
}

TEST_F(FaultsTest, NotExactReadsAndWritesAreRepeatedSilentlyElevenTimesInAll) {
    const std::string notExact = "Not exact read/write. (disk I/O error)";
    // Record 2 has the counter 1; a change makes it 99, an append adds record 3.
    const std::map<std::string, std::function<bool(tSoubor&)>> calls = {
        {"GETREC",
         [](tSoubor& f) {
             ItemRecord r;
             return f.GetRec(2, &r) && r.counter == 1;
         }},
        {"PUTREC",
         [](tSoubor& f) {
             ItemRecord r = Item("1", "změna", 99);
             std::int32_t n = 2;
             return f.PutRec(n, &r);
         }},
        {"ADDREC",
         [](tSoubor& f) {
             ItemRecord r = Item("N", "nový", 7);
             std::int32_t n = 0;
             return f.AddRec(n, &r) && n == 3;
         }},
    };
    struct Case {
        const char* label;
        std::string message;
        int failures;
        int calls;  // attempts made
        bool done;
    } cases[] = {
        {"GETREC", notExact, 10, 11, true},    {"GETREC", notExact, 11, 11, false},
        {"GETREC", "Disk full.", 1, 1, false}, {"PUTREC", notExact, 10, 11, true},
        {"PUTREC", notExact, 11, 11, false},   {"PUTREC", "Disk full.", 1, 1, false},
        {"ADDREC", notExact, 10, 11, true},    {"ADDREC", notExact, 11, 11, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " failing " + std::to_string(c.failures) + "x");
        FillItems(2);
        const bool read = std::string(c.label) == "GETREC";
        const FaultyEngine::Fault fault{c.message, c.failures};
        auto engine = std::make_shared<FaultyEngine>(read ? FaultyEngine::Faults{.read = fault}
                                                          : FaultyEngine::Faults{.write = fault});
        auto file = Open(1, {}, _NoWait, engine);
        ui_.ClearTranscript();
        if (c.done) {
            EXPECT_TRUE(calls.at(c.label)(*file));
            EXPECT_TRUE(ui_.Transcript().empty()) << "repeated without a word";
        } else {
            ui_.QueueOk();
            EXPECT_THROW(calls.at(c.label)(*file), ProgramEnded);
            EXPECT_NE(std::string::npos, ReportText().find(std::string("Procedura: ") + c.label));
            EXPECT_NE(std::string::npos, ReportText().find(c.message)) << ReportText();
        }
        const FaultyEngine::Faults& counted = engine->Counted();
        EXPECT_EQ(c.calls, (read ? counted.read : counted.write).calls);
        file.reset();
        auto check = Open(1);
        ItemRecord r;
        ASSERT_TRUE(check->GetRec(2, &r));
        const std::string label = c.label;
        EXPECT_EQ(c.done && label == "PUTREC" ? 99 : 1, r.counter);
        EXPECT_EQ(c.done && label == "ADDREC" ? 3 : 2, check->BtUsedRecs());
    }
}

// The SQLite engine refuses a read lock only as "Table is busy."; a "File is locked." refusal
// of other engines has its own text.
TEST_F(FaultsTest, TableLockRefusalsWaitAndOtherFailuresAreFatal) {
    const auto readLock = [](tSoubor& f, int wait) { return f.BtReadLockFileBlock(wait); };
    const auto writeLock = [](tSoubor& f, int wait) { return f.BtLockFileBlock(wait); };
    struct Case {
        std::function<bool(tSoubor&, int)> lock;
        std::string message;
        const char* refusal;  // none: a fatal failure
        const char* text;     // the wait text, or the label of the fatal report
    } cases[] = {
        {readLock, "Table is busy. (write lock held)", "Soubor je zamčen otevřen jiným uživatelem.",
         "Čekám na zamčení souboru pro čtení (BtReadLockFileBlock)."},
        {readLock, "File is locked. (another user)", "Soubor je zamčen jiným uživatelem.",
         "Čekám na zamčení souboru pro čtení (BtReadLockFileBlock)."},
        {readLock, "Disk full.", nullptr, "READLOCK"},
        {writeLock, "Disk full.", nullptr, "LOCK"},
    };
    FillItems(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + " " + c.text);
        auto engine = std::make_shared<FaultyEngine>(FaultyEngine::Faults{.lock = {c.message, 2}});
        auto file = Open(1, {}, _NoWait, engine);
        ui_.ClearTranscript();
        if (!c.refusal) {
            ui_.QueueOk();
            EXPECT_THROW(c.lock(*file, _Wait), ProgramEnded);
            EXPECT_NE(std::string::npos,
                      ReportText().find(std::string("Procedura: ") + c.text + "\n"));
            continue;
        }
        EXPECT_FALSE(c.lock(*file, _NoWait));
        EXPECT_EQ(kErrTableLocked, file->ErrorCode());
        EXPECT_EQ(c.refusal + std::string("\r\n") + c.message, ToUtf8(file->ErrorText()));
        // Waiting: refused once more, then taken after the wait window's time-out.
        ui_.Queue(ui::ScriptAnswer::Kind::Timeout);
        EXPECT_TRUE(c.lock(*file, _Wait));
        EXPECT_EQ((std::vector<std::string>{"[wait-window] Čekání na přístup - NELZE přerušit\n| " +
                                            std::string(c.text) + "\n| Jedná se o soubor [" +
                                            DataFile().string() + "].\nanswer: timeout\n"}),
                  Entries("wait-window"));
        EXPECT_EQ(3, engine->Counted().lock.calls);
    }
}

}  // namespace
}  // namespace axo::storage::test
