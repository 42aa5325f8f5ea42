// Several program instances at once, each a real process: logins of one user counted while
// they run, the same password from another computer and a second supervisor refused, the crash
// mark a fatal error leaves behind, and vault blocks of two stations kept apart.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <numeric>
#include <vector>

#include "StartupTestSupport.h"
#include "startup/Login.h"
#include "startup/StartUp.h"
#include "startup/Trezor.h"
#include "storage/Errors.h"

namespace axo::startup::test {
namespace {

/// A child process running `body`. It reports one character to the parent and may wait for the
/// parent's release before it goes on. They talk over a socket pair, so that a release sent to a
/// child that has ended already raises no signal.
class Child {
  public:
    explicit Child(const std::function<int(Child&)>& body) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds_[0]);
            int code = 99;
            try {
                code = body(*this);
            } catch (const ui::ProgramEnded& e) {
                code = e.exitCode;
            } catch (...) {
                code = 98;
            }
            ::_exit(code);
        }
        ::close(fds_[1]);
    }
    ~Child() {
        Release();
        Wait();
        ::close(fds_[0]);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // In the child.
    void Report(char c) { ::send(fds_[1], &c, 1, MSG_NOSIGNAL); }
    void AwaitRelease() {
        char c = 0;
        ::recv(fds_[1], &c, 1, 0);
    }

    // In the parent.
    char Result() {
        char c = 0;
        return ::recv(fds_[0], &c, 1, 0) == 1 ? c : '?';
    }
    void Release() {
        const char c = 'g';
        ::send(fds_[0], &c, 1, MSG_NOSIGNAL);
    }
    int Wait() {
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = 0;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return exitCode_;
    }

  private:
    int fds_[2] = {-1, -1};
    pid_t pid_ = -1;
    int exitCode_ = -1;
};

class ProcessesTest : public InstallationTest {
  protected:
    /// A child that starts the program, reports '1' or '0', holds its run until released and
    /// then shuts down.
    std::unique_ptr<Child> Instance(const char* computer, const char* password = "heslo1") {
        const fs::path home = Home();
        return std::make_unique<Child>([=](Child& me) {
            ui::ScriptedUi ui(Lenient());
            ui.RegisterStatusBar();
            FixedClock clock(DateTime{2014, 6, 15, 9, 30, 0, 0});
            Session session(ui, clock, home, FromUtf8(computer), Quiet(password));
            const bool started = StartUp(session);
            me.Report(started ? '1' : '0');
            me.AwaitRelease();
            if (started)
                ShutDown(session);
            return 0;
        });
    }
    tVetaAXO_USER Novak() { return tables_.Users(DataDir()).at(0); }
};

TEST_F(ProcessesTest, TenInstancesStartingAtOnceAreEachCounted) {
    std::vector<std::unique_ptr<Child>> instances;
    for (int i = 0; i < 10; ++i)
        instances.push_back(Instance("0000ABCD"));
    for (auto& instance : instances)
        ASSERT_EQ('1', instance->Result());
    EXPECT_EQ(10, Novak().Prihl_PocetPrihlaseni_1uziv_1disk);
    EXPECT_EQ(Text(10, 'X'), Text(Novak().Prihl_Moduly));
    EXPECT_EQ(10, tables_.Users(CodeDir()).at(0).Prihl_PocetPrihlaseni_1uziv_1disk);
    for (int i = 0; i < 4; ++i) {
        instances[i]->Release();
        EXPECT_EQ(0, instances[i]->Wait());
    }
    EXPECT_EQ(6, Novak().Prihl_PocetPrihlaseni_1uziv_1disk);
    EXPECT_EQ(Text(6, 'X'), Text(Novak().Prihl_Moduly));
    instances.clear();
    EXPECT_EQ(kNotLoggedIn, Novak().Prihl_UzivatelPrihlasen);
    EXPECT_EQ(kNotLoggedIn, tables_.Users(CodeDir()).at(0).Prihl_UzivatelPrihlasen);
}

TEST_F(ProcessesTest, SamePasswordFromAnotherComputerIsRefused) {
    auto first = Instance("AAAA0001");
    ASSERT_EQ('1', first->Result());
    auto second = Instance("BBBB0002");
    EXPECT_EQ('0', second->Result());
    EXPECT_EQ(1, Novak().Prihl_PocetPrihlaseni_1uziv_1disk);
    EXPECT_EQ("AAAA0001"_t, Text(Novak().Prihl_Disk_1uziv));
    second.reset();
    first.reset();
    EXPECT_EQ(kNotLoggedIn, Novak().Prihl_UzivatelPrihlasen);
}

TEST_F(ProcessesTest, SecondSupervisorIsRefused) {
    tables_.EditProgram([](tVetaAXO& p) { p.HesloSupervizora = "super"_t; });
    auto first = Instance("AAAA0001", "super");
    ASSERT_EQ('1', first->Result());
    auto second = Instance("BBBB0002", "super");
    EXPECT_EQ('0', second->Result());
    EXPECT_EQ(2u, tables_.Users(DataDir()).size());
    second.reset();
    first.reset();
    EXPECT_EQ(1u, tables_.Users(DataDir()).size());
    EXPECT_EQ(1u, tables_.Users(CodeDir()).size());
}

TEST_F(ProcessesTest, FatalErrorLeavesTheCrashMark) {
    const fs::path home = Home();
    const fs::path data = DataDir();
    Child crashing([=](Child&) {
        ui::ScriptedUi ui(Lenient());
        ui.RegisterStatusBar();
        FixedClock clock(DateTime{2014, 6, 15, 9, 30, 0, 0});
        Session session(ui, clock, home, "0000ABCD"_t, Quiet());
        if (!StartUp(session))
            return 1;
        tSouborAXO_USER file(session.Context());
        file.InitFilePath(storage::TextFromPath(data) + "/"_t, 1, storage::_NoWait);
        tVetaAXO_USER r;
        file.GetRec(99, &r);  // no such record: the fatal report ends the program
        return 0;
    });
    EXPECT_EQ(storage::kExitDataError, crashing.Wait());
    for (const fs::path& d : {DataDir(), CodeDir()}) {
        const tVetaAXO_USER u = tables_.Users(d).at(0);
        EXPECT_EQ(1, u.Prihl_Havarie) << d;
        EXPECT_EQ(kLoggedIn, u.Prihl_UzivatelPrihlasen) << d;
    }
    auto next = Instance("0000ABCD");
    EXPECT_EQ('0', next->Result());
}

TEST_F(ProcessesTest, VaultBlocksOfTwoStationsStayApart) {
    const fs::path home = Home();
    const auto writer = [home](int station) {
        return [home, station](Child& me) {
            ui::ScriptedUi ui(Lenient());
            FixedClock clock(DateTime{2014, 6, 15, 9, 30, 0, 0});
            storage::DataContext ctx;
            ctx.ui = &ui;
            ctx.clock = &clock;
            ctx.programDirectory = home;
            ctx.currentDirectory = home;
            auto vault = OpenVault(ctx, VaultKind::Documents, "NOVAK"_t, station);
            me.Report(vault ? 'r' : 'x');
            me.AwaitRelease();
            std::vector<std::uint8_t> block(250);
            for (int item = 1; item <= 20; ++item) {
                std::iota(block.begin(), block.end(), static_cast<std::uint8_t>(station * item));
                if (!StoreBlock(vault.get(), 11, item, block.data(), 250))
                    return 1;
            }
            return 0;
        };
    };
    Child one(writer(1));
    Child two(writer(2));
    ASSERT_EQ('r', one.Result());
    ASSERT_EQ('r', two.Result());
    one.Release();
    two.Release();
    ASSERT_EQ(0, one.Wait());
    ASSERT_EQ(0, two.Wait());
    storage::DataContext ctx;
    ctx.ui = &ui_;
    ctx.clock = &clock_;
    ctx.programDirectory = home;
    ctx.currentDirectory = home;
    for (int station : {1, 2}) {
        auto vault = OpenVault(ctx, VaultKind::Documents, "NOVAK"_t, station);
        EXPECT_EQ(20, CountBlocks(vault.get(), 11, -1)) << station;
        std::vector<std::uint8_t> block(250);
        std::vector<std::uint8_t> expected(250);
        for (int item = 1; item <= 20; ++item) {
            ASSERT_TRUE(LoadBlock(vault.get(), 11, item, block.data(), 250));
            std::iota(expected.begin(), expected.end(), static_cast<std::uint8_t>(station * item));
            EXPECT_EQ(expected, block) << station << "/" << item;
        }
    }
    auto first = OpenVault(ctx, VaultKind::Documents, "NOVAK"_t, 1);
    DeleteBlocks(first.get(), 11, -1);
    EXPECT_EQ(0, CountBlocks(first.get(), 11, -1));
    auto second = OpenVault(ctx, VaultKind::Documents, "NOVAK"_t, 2);
    EXPECT_EQ(20, CountBlocks(second.get(), 11, -1));
}

}  // namespace
}  // namespace axo::startup::test
