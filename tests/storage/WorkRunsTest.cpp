// The work files of runs that are gone: which files are work files, which of them a live run or
// an open table keeps, and their removal by a run that starts.
#include "storage/WorkRuns.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>

#include "ScratchDir.h"

namespace axo::storage::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::system_clock;

void SetTime(const fs::path& file, std::int64_t ns) {
    const struct timespec t = {static_cast<time_t>(ns / 1'000'000'000),
                               static_cast<long>(ns % 1'000'000'000)};
    const struct timespec times[2] = {t, t};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, file.c_str(), times, 0)) << file;
}

std::int64_t Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               system_clock::now().time_since_epoch())
        .count();
}

/// Another process that does `work`, tells a number back and stays until the object goes.
class OtherProcess {
  public:
    explicit OtherProcess(const std::function<std::int64_t()>& work) {
        int pipe[2];
        EXPECT_EQ(0, ::pipe(pipe));
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::int64_t told = work();
            (void)!::write(pipe[1], &told, sizeof told);
            for (;;)
                ::pause();
        }
        EXPECT_EQ(static_cast<ssize_t>(sizeof told_), ::read(pipe[0], &told_, sizeof told_));
        ::close(pipe[0]);
        ::close(pipe[1]);
    }
    ~OtherProcess() { End(); }
    void End() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    std::int64_t Told() const { return told_; }

  private:
    pid_t pid_ = -1;
    std::int64_t told_ = 0;
};

std::vector<std::string> Names(const std::vector<fs::path>& files) {
    std::vector<std::string> names;
    for (const fs::path& f : files)
        names.push_back(f.filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WorkRunsTest, TheFilesOfRunsThatAreGoneGoAndNothingInUse) {
    test::ScratchDir dir;
    const struct {
        const char* name;
        bool old;
        bool removed;
    } files[] = {
        // A table of a killed run: data, journal, lock file and the name's reservation.
        {"!WK1111111.DB", true, true},
        {"!WK1111111.DB-journal", true, true},
        {"!WK1111111.LCK", true, true},
        {"!WK1111111", true, true},
        {"!OP2222222", true, true},  // a printout
        // One file of the name written since the runs that live started: the name is in use.
        {"!WK3333333.DB", true, false},
        {"!WK3333333", false, false},
        // A table that somebody holds open.
        {"!WK4444444.DB", true, false},
        {"!WK4444444.LCK", true, false},
        // No work files.
        {"!RE_UDPO.DB", true, false},
        {"!WKabc", true, false},
        {"WK1234567", true, false},
        {"AXO.DB", true, false},
        {"poznamky.txt", true, false},
    };
    const std::int64_t hourAgo = Now() - 3'600'000'000'000;
    for (const auto& f : files) {
        std::ofstream(dir / f.name) << "x";
        if (f.old)
            SetTime(dir / f.name, hourAgo);
    }
    const fs::path held = dir / "!WK4444444.LCK";
    OtherProcess holder([&held] {
        const int fd = ::open(held.c_str(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        lock.l_len = 1;
        return static_cast<std::int64_t>(::fcntl(fd, F_OFD_SETLK, &lock));
    });
    ASSERT_EQ(0, holder.Told());

    const WorkRun own(dir.Path());
    ASSERT_TRUE(own.Registered());
    const std::vector<fs::path> removed = RemoveStaleWorkFiles(own);
    std::vector<std::string> expected;
    for (const auto& f : files) {
        EXPECT_EQ(!f.removed, fs::exists(dir / f.name)) << f.name;
        if (f.removed)
            expected.push_back(f.name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Names(removed));
    EXPECT_TRUE(fs::exists(dir / kRunFileName));
}

TEST(WorkRunsTest, ALiveRunKeepsWhatWasWrittenSinceItStarted) {
    test::ScratchDir dir;
    OtherProcess run([&dir] {
        static std::unique_ptr<WorkRun> kept;
        kept = std::make_unique<WorkRun>(dir.Path());
        return kept->Start();
    });
    const std::int64_t start = run.Told();
    ASSERT_GT(start, 0);
    std::ofstream(dir / "!WK5555555") << "the live run's";
    SetTime(dir / "!WK5555555", start + 1'000'000'000);
    std::ofstream(dir / "!WK6666666") << "from before it started";
    SetTime(dir / "!WK6666666", start - 1'000'000'000);
    // An hour later, as far as the clock of the one who looks goes.
    const system_clock::time_point later{std::chrono::nanoseconds(start + 3'600'000'000'000)};
    EXPECT_EQ(std::vector<std::string>{"!WK6666666"}, Names(StaleWorkFiles(dir.Path(), later)));
    run.End();
    EXPECT_EQ((std::vector<std::string>{"!WK5555555", "!WK6666666"}),
              Names(StaleWorkFiles(dir.Path(), later)));
}

}  // namespace
}  // namespace axo::storage::test
