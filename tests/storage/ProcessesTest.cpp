// The keyed-table layer between real processes: open modes, table and record locks, locks of a
// killed process, concurrent updates without lost ones, appends and a rebuild cut short by
// SIGKILL. Every child is forked while the parent holds no table open.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "TableTestSupport.h"
#include "storage/FileLocks.h"
#include "storage/Rebuild.h"
#include "util/Cisla.h"

namespace axo::storage::test {
namespace {

/// A forked child with a pipe each way.
struct Child {
    pid_t pid = -1;
    int toChild = -1;
    int fromChild = -1;
};

void Send(int fd, char c) {
    ASSERT_EQ(1, ::write(fd, &c, 1));
}

/// The next byte from a pipe; 0 at its end or after the time-out.
char Receive(int fd, int timeoutMs = 20000) {
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    if (::poll(&p, 1, timeoutMs) == 1 && ::read(fd, &c, 1) == 1)
        return c;
    return 0;
}

/// The last few windows a child showed.
std::string LastEntries(const ui::ScriptedUi& ui) {
    std::string text;
    const auto& entries = ui.Transcript();
    for (std::size_t i = entries.size() > 3 ? entries.size() - 3 : 0; i < entries.size(); ++i)
        text += entries[i].ToString();
    return text;
}

/// The front end of a child: answers everything with its default, stores nothing to speak of.
ui::ScriptedUi::Options ChildUi() {
    ui::ScriptedUi::Options o;
    o.strict = false;
    o.waitMs = 2;
    return o;
}

class ProcessesTest : public TableTest {
  protected:
    /// Runs `body(in, out)` in a child with its own front end and context.
    Child Spawn(const std::function<void(const DataContext&, int in, int out)>& body) {
        int down[2], up[2];
        EXPECT_EQ(0, ::pipe(down));
        EXPECT_EQ(0, ::pipe(up));
        Child child;
        child.pid = ::fork();
        if (child.pid == 0) {
            ::close(down[1]);
            ::close(up[0]);
            int code = 0;
            ui::ScriptedUi ui(ChildUi());
            try {
                DataContext ctx = ctx_;
                ctx.ui = &ui;
                body(ctx, down[0], up[1]);
            } catch (...) {
                // A fatal report ended the child: show what it said.
                std::fprintf(stderr, "child %d:\n%s\n", ::getpid(), LastEntries(ui).c_str());
                code = 1;
            }
            ::_exit(code);
        }
        ::close(down[0]);
        ::close(up[1]);
        child.toChild = down[1];
        child.fromChild = up[0];
        return child;
    }
    /// Waits for the child; its exit code, or 128 + signal.
    static int Finish(Child& child) {
        ::close(child.toChild);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        ::close(child.fromChild);
        if (OnServer())
            WaitForDeadSessions();
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    /// The server drops the locks of a client that died a moment after its death: waits (10 s
    /// at most) until no other session holds one.
    static void WaitForDeadSessions() {
        pg::Connection c(ServerConninfo());
        for (int i = 0; i < 1000; ++i) {
            const pg::Result r = c.Exec(
                "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND pid <> "
                "pg_backend_pid()");
            if (r.Value(0, 0) == "0")
                return;
            ::usleep(10000);
        }
    }
    static void Kill(Child& child) {
        ::kill(child.pid, SIGKILL);
        EXPECT_EQ(128 + SIGKILL, Finish(child));
    }
    /// A child that opens the items in `mode`, takes the write lock or locks record 1 when
    /// asked, says "r" when ready and holds everything until told to go.
    Child Holder(int mode, bool tableLock, bool recordLock) {
        return Spawn([=](const DataContext& ctx, int in, int out) {
            tTestKind file(ctx);
            if (!file.InitFile(mode, _NoWait))
                ::_exit(2);
            if (tableLock && !file.BtLockFileBlock(_NoWait))
                ::_exit(3);
            if (recordLock && !file.BtLockRec(_NoWait, 1))
                ::_exit(4);
            Send(out, 'r');
            Receive(in);
            // Hold on a little after being told, so that the parent really waits.
            ::usleep(50000);
        });
    }
    void CreateItems(int count) {
        auto file = Open(3);
        ASSERT_TRUE(file->Ok());
        file.reset();
        if (count == 0)
            return;
        if (OnServer()) {
            // The server's key columns carry the sort keys the engine computes.
            std::string sql = "INSERT INTO DATA VALUES ";
            const std::string name = FixedKeyText("JMENO"_t, 20).Bytes();
            for (int i = 1; i <= count; ++i) {
                const std::string code = FixedKeyText(IntToText(i), 10).Bytes();
                sql += (i > 1 ? ", (" : "(") + std::to_string(i) + ", '" + code + "', '" +
                       pg::ByteaHex(pg::KeySortKey(code)) + "', '" + name + "', '" +
                       pg::ByteaHex(pg::KeySortKey(name)) + "', false, '" + std::to_string(i) +
                       "', 'jméno', " + std::to_string(i) + ", 0, 0)";
            }
            RunSql(DataFile(), sql);
            return;
        }
        RunSql(DataFile(),
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                   std::to_string(count) +
                   ") INSERT INTO DATA SELECT i, printf('%-10d', i), printf('%-20s', 'JMENO'), 0,"
                   " CAST(i AS TEXT), 'jméno', i, 0, 0 FROM n");
    }
};

TEST_F(ProcessesTest, SharedAndExclusiveOpening) {
    CreateItems(1);
    Child exclusive = Holder(4, false, false);
    ASSERT_EQ('r', Receive(exclusive.fromChild));
    auto shared = Open(1, {}, _NoWait);
    EXPECT_FALSE(shared->Ok());
    EXPECT_EQ(kErrOpenedExclusively, shared->ErrorCode());
    EXPECT_EQ(0u, shared->ErrorText().find("Soubor je exkluzívně otevřen jiným uživatelem.\r\n"_t));
    shared.reset();
    EXPECT_EQ(0, Finish(exclusive));

    Child sharedHolder = Holder(1, false, false);
    ASSERT_EQ('r', Receive(sharedHolder.fromChild));
    EXPECT_TRUE(Open(1, {}, _NoWait)->Ok()) << "shared beside shared";
    auto refused = Open(4, {}, _NoWait);
    EXPECT_EQ(kErrOpenedElsewhere, refused->ErrorCode());
    EXPECT_EQ(0u, refused->ErrorText().find("Soubor je otevřen jiným uživatelem.\r\n"_t));
    refused.reset();
    // Waiting with <Esc> allowed: the user gives up.
    ui_.QueueEsc();
    EXPECT_FALSE(Open(4, {}, _Wait)->Ok());
    EXPECT_EQ(
        "[wait-window] Čekání na přístup - MOŽNO přerušit klávesou <Esc>\n"
        "| Čekám na přístup do souboru při jeho otevření (BtOpenFileBlock).\n"
        "| Jedná se o soubor [" +
            DataFile().string() + "].\nanswer: esc\n",
        Entries("wait-window").at(0));
    EXPECT_EQ(0, Finish(sharedHolder));
    EXPECT_TRUE(Entries("report").empty());
}

TEST_F(ProcessesTest, TableWriteLockOfAnotherUser) {
    CreateItems(1);
    Child holder = Holder(1, true, false);
    ASSERT_EQ('r', Receive(holder.fromChild));
    auto file = Open(1);
    EXPECT_FALSE(file->BtLockFileBlock(_NoWait));
    EXPECT_EQ(kErrTableLocked, file->ErrorCode());
    EXPECT_EQ(0u, file->ErrorText().find("Soubor je zamčen jiným uživatelem.\r\n"_t));
    EXPECT_FALSE(file->BtLockRec(_NoWait, 1)) << "a record lock needs the table";
    EXPECT_EQ(kErrRecordLocked, file->ErrorCode());
    // A waiting lock gets the table as soon as the holder lets go.
    for (int i = 0; i < 1000; ++i)
        ui_.Queue(ui::ScriptAnswer::Kind::Timeout);
    Send(holder.toChild, 'g');
    ui_.ClearTranscript();
    EXPECT_TRUE(file->BtLockFileBlock(_Wait));
    EXPECT_EQ(0, Finish(holder));
    const auto waits = Entries("wait-window");
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(
        "[wait-window] Čekání na přístup - NELZE přerušit\n"
        "| Čekám na zamčení souboru pro čtení a zápis (BtLockFileBlock).\n"
        "| Jedná se o soubor [" +
            DataFile().string() + "].\nanswer: timeout\n",
        waits[0]);
    EXPECT_TRUE(file->WriteLocked());
}

TEST_F(ProcessesTest, ReadLockAndRecordLockWaitForTheHolder) {
    CreateItems(1);
    struct Case {
        const char* name;
        bool tableLock;  // the holder's
        bool recordLock;
        std::function<bool(tSoubor&, int)> lock;
        int code;
        const char* refusal;
        const char* waitText;
    } cases[] = {
        {"read lock beside a write lock", true, false,
         [](tSoubor& f, int wait) { return f.BtReadLockFileBlock(wait); }, kErrTableLocked,
         "Soubor je zamčen otevřen jiným uživatelem.\r\nTable is busy.",
         "Čekám na zamčení souboru pro čtení (BtReadLockFileBlock)."},
        {"record lock", false, true, [](tSoubor& f, int wait) { return f.BtLockRec(wait, 1); },
         kErrRecordLocked, "Záznam je zamčen jiným uživatelem",
         "Čekám na zamčení věty č.1 pro čtení a zápis (BtLockRec)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Child holder = Holder(1, c.tableLock, c.recordLock);
        ASSERT_EQ('r', Receive(holder.fromChild));
        {
            auto file = Open(1);
            EXPECT_FALSE(c.lock(*file, _NoWait));
            EXPECT_EQ(c.code, file->ErrorCode());
            EXPECT_EQ(0u, file->ErrorText().find(FromUtf8(c.refusal))) << ToUtf8(file->ErrorText());
            // Waiting (not to be interrupted) gets the lock as soon as the holder lets go.
            for (int i = 0; i < 1000; ++i)
                ui_.Queue(ui::ScriptAnswer::Kind::Timeout);
            Send(holder.toChild, 'g');
            ui_.ClearTranscript();
            EXPECT_TRUE(c.lock(*file, _Wait));
            const auto waits = Entries("wait-window");
            ASSERT_FALSE(waits.empty());
            EXPECT_EQ("[wait-window] Čekání na přístup - NELZE přerušit\n| " +
                          std::string(c.waitText) + "\n| Jedná se o soubor [" +
                          DataFile().string() + "].\nanswer: timeout\n",
                      waits[0]);
        }
        EXPECT_EQ(0, Finish(holder));
    }
}

TEST_F(ProcessesTest, RecordLockOfAnotherUserAndLocksOfAKilledProcess) {
    CreateItems(2);
    Child holder = Holder(4, true, true);
    ASSERT_EQ('r', Receive(holder.fromChild));
    Kill(holder);
    // The kernel dropped the open mode and the table lock; the stored record lock stays.
    auto file = Open(4, {}, _NoWait);
    ASSERT_TRUE(file->Ok()) << file->ErrorText();
    EXPECT_TRUE(file->BtLockFileBlock(_NoWait));
    EXPECT_TRUE(file->Unlock());
    EXPECT_FALSE(file->BtLockRec(_NoWait, 1));
    EXPECT_EQ(kErrRecordLocked, file->ErrorCode());
    EXPECT_TRUE(file->BtLockRec(_NoWait, 2));
    file.reset();

    tTestKind rebuilt(ctx_);
    rebuilt.InitFile(0, _NoWait);
    ASSERT_TRUE(RebuildIndexes(rebuilt, false));
    EXPECT_TRUE(Open(1)->BtLockRec(_NoWait, 1)) << "the rebuild clears every lock flag";
}

TEST_F(ProcessesTest, TableOpenElsewhereIsNeitherRecreatedNorDeleted) {
    // Here a table's files could be unlinked under another user, whose writes would then go
    // to deleted files: recreating and deleting need the table to themselves.
    CreateItems(2);
    const std::filesystem::path lockFile = dir_ / "ITEMS.LCK";
    Child holder = Spawn([](const DataContext& ctx, int in, int out) {
        tTestKind file(ctx);
        if (!file.InitFile(1, _NoWait))
            ::_exit(2);
        Send(out, 'r');
        if (Receive(in) != 'a')
            ::_exit(3);
        ItemRecord r = Item("3", "od držitele", 3);
        std::int32_t n = 0;
        file.AddRec(n, &r);
        Send(out, 'd');
        Receive(in);
    });
    ASSERT_EQ('r', Receive(holder.fromChild));
    struct Case {
        const char* name;
        int mode;  // 0: DeleteFile
        int wait;
    } refused[] = {
        {"recreated shared", 3, _NoWait},
        {"recreated exclusively", 6, _NoWait},
        {"recreated after waiting, given up with <Esc>", 3, _WaitQuestion},
        {"deleted", 0, _NoWait},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        ui_.ClearTranscript();
        if (c.wait == _WaitQuestion)
            ui_.QueueEsc();
        tTestKind file(ctx_);
        if (c.mode == 0) {
            file.InitFile(0, _NoWait);
            file.DeleteFile();
        } else {
            EXPECT_FALSE(file.InitFile(c.mode, c.wait));
            EXPECT_EQ(0u, file.ErrorText().find("Soubor je otevřen jiným uživatelem.\r\n"_t));
        }
        EXPECT_EQ(kErrOpenedElsewhere, file.ErrorCode());
        EXPECT_EQ(c.wait == _WaitQuestion ? 1u : 0u, Entries("wait-window").size());
        EXPECT_TRUE(Entries("report").empty());
        if (!OnServer()) {
            EXPECT_TRUE(FileExists(lockFile));
        }
        EXPECT_EQ(2, QueryInt(DataFile(), "SELECT count(*) FROM DATA"));
    }
    // The holder's writes still reach the table everybody sees.
    Send(holder.toChild, 'a');
    ASSERT_EQ('d', Receive(holder.fromChild));
    EXPECT_EQ(3, Open(1)->BtUsedRecs());
    EXPECT_EQ(0, Finish(holder));

    // Nobody else has it open: recreated empty, then deleted with its lock file.
    EXPECT_EQ(0, Open(3)->BtUsedRecs());
    tTestKind gone(ctx_);
    gone.InitFile(0, _NoWait);
    gone.DeleteFile();
    EXPECT_TRUE(gone.Ok());
    EXPECT_FALSE(TableExists(DataFile()));
    if (!OnServer()) {
        EXPECT_FALSE(FileExists(lockFile));
    }
}

TEST_F(ProcessesTest, LockFileIsDeletedOnlyWhenNobodyHoldsIt) {
    AXO_SQLITE_FILES_ONLY();
    CreateItems(1);
    const std::filesystem::path lockFile = dir_ / "ITEMS.LCK";
    Child holder = Holder(1, false, false);
    ASSERT_EQ('r', Receive(holder.fromChild));
    EXPECT_FALSE(DeleteLockFileIfFree(lockFile));
    DeleteTableFiles(dir_ / "ITEMS");
    EXPECT_TRUE(FileExists(lockFile)) << "the holder's open mode stays where others see it";
    EXPECT_EQ(0, Finish(holder));
    // One who opened the lock file just before its last holder deleted it locks the file that
    // has the name now, so that the next opener sees its lock.
    LockFile late(lockFile);
    EXPECT_TRUE(DeleteLockFileIfFree(lockFile));
    EXPECT_EQ(LockFile::Conflict::None, late.TryLock(LockFile::kOpenSlot, LockFile::Mode::Shared));
    EXPECT_TRUE(FileExists(lockFile));
    LockFile next(lockFile);
    EXPECT_EQ(LockFile::Conflict::Shared,
              next.TryLock(LockFile::kOpenSlot, LockFile::Mode::Exclusive));
}

TEST_F(ProcessesTest, ConcurrentIncrementsLoseNothing) {
    CreateItems(1);
    constexpr int kIncrements = 1000;
    std::vector<Child> children;
    for (int c = 0; c < 2; ++c) {
        children.push_back(Spawn([](const DataContext& ctx, int, int out) {
            tTestKind file(ctx);
            if (!file.InitFile(1, _Wait))
                ::_exit(2);
            for (int done = 0; done < kIncrements;) {
                ItemRecord r = Item("1", "");
                std::int32_t n = 1;
                if (!file.LockForEdit(n, &r))
                    continue;  // the other one has it: try again
                ++r.counter;
                file.PutRec(n, &r);
                file.UnlockAllRecs();
                ++done;
            }
            Send(out, 'd');
        }));
    }
    for (Child& child : children) {
        // Every increment is a few synchronous commits: give a busy machine its time.
        EXPECT_EQ('d', Receive(child.fromChild, 180000));
        EXPECT_EQ(0, Finish(child));
    }
    auto file = Open(1);
    ItemRecord r;
    ASSERT_TRUE(file->GetRec(1, &r));
    EXPECT_EQ(1 + 2 * kIncrements, r.counter) << "the record starts at 1";
    EXPECT_EQ(0, QueryInt(DataFile(), "SELECT count(*) FROM DATA WHERE W_LOCKREC"));
}

TEST_F(ProcessesTest, AppendsThatReturnedSurviveSigkill) {
    CreateItems(0);
    Child appender = Spawn([](const DataContext& ctx, int, int out) {
        tTestKind file(ctx);
        if (!file.InitFile(1, _NoWait) || !file.BtLockFileBlock(_NoWait))
            ::_exit(2);
        for (std::int32_t i = 1;; ++i) {
            ItemRecord r = Item(std::to_string(i).c_str(), "x", i);
            std::int32_t n = 0;
            file.AddRec(n, &r);
            const std::string line = std::to_string(n) + "\n";
            (void)!::write(out, line.data(), line.size());
        }
    });
    std::string reported;
    while (std::count(reported.begin(), reported.end(), '\n') < 150) {
        char c = Receive(appender.fromChild);
        ASSERT_NE(0, c);
        reported += c;
    }
    ::kill(appender.pid, SIGKILL);
    for (char c; (c = Receive(appender.fromChild)) != 0;)
        reported += c;
    Finish(appender);

    auto file = Open(1);
    ASSERT_TRUE(file->Ok()) << file->ErrorText();
    std::size_t checked = 0;
    for (std::size_t at = 0, end; (end = reported.find('\n', at)) != std::string::npos;
         at = end + 1) {
        const std::int32_t n = std::stoi(reported.substr(at, end - at));
        std::int32_t found = 0;
        EXPECT_TRUE(file->BtFindKey(0, found, Text::FromBytes(std::to_string(n)))) << n;
        ++checked;
    }
    EXPECT_GE(checked, 150u);
    EXPECT_GE(file->BtUsedRecs(), static_cast<std::int32_t>(checked));
}

TEST_F(ProcessesTest, WritesOfAKilledLockHolderAreAllThere) {
    CreateItems(3);
    Child writer = Spawn([](const DataContext& ctx, int in, int out) {
        tTestKind file(ctx);
        if (!file.InitFile(1, _NoWait) || !file.BtLockFileBlock(_NoWait))
            ::_exit(2);
        ItemRecord r = Item("1", "změněno", 41);
        std::int32_t n = 1;
        file.PutRec(n, &r);
        file.DeleteRec(2);
        file.BtLockRec(_NoWait, 3);
        r = Item("4", "nový", 4);
        file.AddRec(n, &r);
        Send(out, 'r');
        Receive(in);
    });
    ASSERT_EQ('r', Receive(writer.fromChild));
    Kill(writer);
    if (!OnServer()) {
        EXPECT_TRUE(FileExists(dir_ / "ITEMS.DB-log")) << "the group was never committed";
    }

    auto file = Open(1);
    ASSERT_TRUE(file->Ok()) << file->ErrorText();
    EXPECT_EQ(3, file->BtUsedRecs());
    ItemRecord r;
    ASSERT_TRUE(file->GetRec(1, &r));
    EXPECT_EQ(41, r.counter);
    EXPECT_EQ("změněno"_t, r.name.Get());
    std::int32_t n = 0;
    EXPECT_FALSE(file->BtFindKey(0, n, "2"_t));
    EXPECT_TRUE(file->BtFindKey(1, n, "4"_t));
    EXPECT_EQ(4, n);
    EXPECT_FALSE(file->BtLockRec(_NoWait, 3)) << "the record lock of the killed holder stays";
    EXPECT_FALSE(FileExists(dir_ / "ITEMS.DB-log"));
}

TEST_F(ProcessesTest, KilledInTheMiddleOfGroupedWritesLeavesNoHalfGroupAndNoLocks) {
    CreateItems(2);
    Child writer = Spawn([this](const DataContext&, int in, int out) {
        auto table = DefaultEngine()->Open(DataFile(), false);
        table->LockTable(TableLock::Read);
        table->BeginWrites();
        for (std::int32_t n = 10; n < 13; ++n)
            table->Insert(n, [](RowWriter&) {});
        table->Delete(1);
        Send(out, 'r');
        Receive(in);
        table->CommitWrites();
    });
    ASSERT_EQ('r', Receive(writer.fromChild));
    Kill(writer);
    auto table = DefaultEngine()->Open(DataFile(), true);
    EXPECT_NO_THROW(table->LockTable(TableLock::Write)) << "the killed client's locks are gone";
    EXPECT_EQ(2, table->RecordCount()) << "none of the group's writes";
    EXPECT_TRUE(table->FindRecord(1, [](const RowReader&) {}));
}

/// A front end that ends its process at a given progress step.
class DyingUi : public ui::ScriptedUi {
  public:
    explicit DyingUi(int step) : ScriptedUi(ChildUi()), step_(step) {}
    void ProcessEvents() override {
        if (--step_ == 0)
            ::raise(SIGKILL);
    }

  private:
    int step_;
};

TEST_F(ProcessesTest, InterruptedRebuildLosesNothing) {
    constexpr int kRecords = 3000;
    CreateItems(kRecords);
    Child rebuilder = Spawn([](const DataContext& ctx, int, int) {
        DyingUi ui(kRecords / 2);
        DataContext dying = ctx;
        dying.ui = &ui;
        tTestKind file(dying);
        file.InitFile(0, _NoWait);
        RebuildIndexes(file, true);
    });
    EXPECT_EQ(128 + SIGKILL, Finish(rebuilder));
    EXPECT_TRUE(TableExists(dir_ / "!RE_ITEMS.DB")) << "the data moved aside are kept";

    auto file = Open(1);
    ASSERT_TRUE(file->Ok()) << file->ErrorText();
    EXPECT_EQ(kRecords, file->BtUsedRecs());
    ItemRecord r;
    ASSERT_TRUE(file->GetRec(kRecords, &r));
    EXPECT_EQ(kRecords, r.counter);
    EXPECT_FALSE(TableExists(dir_ / "!RE_ITEMS.DB"));
}

}  // namespace
}  // namespace axo::storage::test
