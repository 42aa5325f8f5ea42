// Damaged table files, failing writes and failing creation: the fatal report or the recovery,
// never a crash, never a silently empty table, nothing half-written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

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
    WriteBytes(DataFile(), std::string(4096, 'x'));
    ui_.QueueOk();
    EXPECT_THROW(Open(1), ProgramEnded);
    const std::string report = ReportText();
    EXPECT_NE(std::string::npos, report.find("Procedura: OpenFile")) << report;
    EXPECT_NE(std::string::npos, report.find("Corrupt")) << report;
}

TEST_F(FaultsTest, EmptyFileHasNoIndexes) {
    WriteBytes(DataFile(), "");
    ui_.QueueOk();
    EXPECT_THROW(Open(1), ProgramEnded);
    EXPECT_NE(std::string::npos, ReportText().find("nejsou všechny indexové soubory"));
}

TEST_F(FaultsTest, TruncatedTableNeverReadsAsShort) {
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
            FaultyEngine::Faults{{}, 0, "Disk full. (database or disk is full)"});
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
        auto engine = std::make_shared<FaultyEngine>(FaultyEngine::Faults{c.message, 1000, {}});
        ui_.ClearTranscript();
        ui_.QueueOk();
        ui_.QueueOk();
        EXPECT_THROW(Open(2, {}, _NoWait, engine), ProgramEnded);
        EXPECT_EQ(c.attempts, engine->CreateCalls()) << c.message;
        const auto reports = Entries("report");
        ASSERT_EQ(2u, reports.size());
        EXPECT_EQ("[report] UPOZORNĚNÍ :\n| Nelze založit datový soubor (" + DataFile().string() +
                      ").\r\n\r\nČíslo chyby : 9910\r\nProcedura   : BtCreateFileBlock\r\n\r\n" +
                      c.message +
                      "\r\n\r\nPožadovaný počet položek: 5\nbuttons: [O.K.] "
                      "[Tisk]\nanswer: ok\n",
                  reports[0]);
        EXPECT_NE(std::string::npos, reports[1].find("Procedura: OpenFile"));
        EXPECT_FALSE(FileExists(DataFile()));
    }
}

TEST_F(FaultsTest, RepeatedCreationIsAnnouncedAtTheServiceLevel) {
    ctx_.serviceLevel = true;
    auto engine = std::make_shared<FaultyEngine>(
        FaultyEngine::Faults{"Not exact read/write. (disk I/O error)", 2, {}});
    ui_.QueueOk();
    ui_.QueueOk();
    auto file = Open(2, {}, _NoWait, engine);
    EXPECT_TRUE(file->Ok());
    const auto messages = Entries("message 1");
    ASSERT_EQ(2u, messages.size());
    EXPECT_NE(std::string::npos, Flat(messages[0]).find("Došlo k problému při zakládání souboru"))
        << messages[0];
    EXPECT_NE(std::string::npos, Flat(messages[0]).find("Založení bude opakováno."));
}

}  // namespace
}  // namespace axo::storage::test
