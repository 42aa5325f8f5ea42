// Imports cut short: a code-list import killed (SIGKILL, a real process) at any step leaves the
// old list whole, as the next user finds it after the write log's replay; its staging directory
// stays only until the next start, never while the import runs; and a fatal data error removes
// it, emptied, before the crash is marked.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "ImportTestSupport.h"
#include "pap/ImportUPAP.h"
#include "pap/TableSwap.h"

namespace axo::pap::test {
namespace {

namespace fs = std::filesystem;

/// The progress panel of a child: at step `killAt` it says "k" on `out` and waits to be killed.
struct KilledAtStep : ui::ProgressView {
    KilledAtStep(int killAt, int out) : killAt(killAt), out(out) {}
    void Update(const ui::ProgressState& state) override {
        if (state.position == killAt && ::write(out, "k", 1) == 1)
            for (;;)
                ::pause();
    }
    bool TakeStopRequest() override { return false; }
    int killAt, out;
};

/// The front end of a child, answering everything with its default.
struct ChildUi : ui::ScriptedUi {
    ChildUi(int killAt, int out) : ScriptedUi(Lenient()), killAt(killAt), out(out) {}
    static Options Lenient() {
        Options o;
        o.strict = false;
        return o;
    }
    std::unique_ptr<ui::ProgressView> OpenProgress(const ui::ProgressState&) override {
        return std::make_unique<KilledAtStep>(killAt, out);
    }
    int killAt, out;
};

class ImportFaultsTest : public ImportTest {
  protected:
    /// `count` codes of statement `statement` named with `prefix`, as "UPAP.txt" lines.
    static std::string Codes(const char* prefix, int count, int statement) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += prefix + std::to_string(i) + "\tKód\t\t\t" + std::to_string(statement) + "\t\n";
        return text;
    }
    CodeListImportResult Import(const fs::path& file) {
        ui_.ClearTranscript();
        ui_.QueueButton(1);
        ui_.QueueOk();
        return ImportUPAP(where_, ctx_, ui_, file);
    }
    fs::path Staging() const { return where_.codeListDirectory / "!IMP_UAPV2024"; }
    /// Runs the import of `file` in a child killed at step `killAt`; while the child waits,
    /// `whileRunning` runs. The child's exit status.
    int ImportKilledAt(const fs::path& file, int killAt,
                       const std::function<void()>& whileRunning) {
        int up[2];
        EXPECT_EQ(0, ::pipe(up));
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(up[0]);
            ChildUi ui(killAt, up[1]);
            storage::DataContext ctx = ctx_;
            ctx.ui = &ui;
            try {
                ImportUPAP(where_, ctx, ui, file);
            } catch (...) {
            }
            ::_exit(3);  // the import ended without reaching the step
        }
        ::close(up[1]);
        pollfd p{up[0], POLLIN, 0};
        char c = 0;
        const bool reached = ::poll(&p, 1, 60000) == 1 && ::read(up[0], &c, 1) == 1 && c == 'k';
        EXPECT_TRUE(reached) << "step " << killAt;
        if (reached)
            whileRunning();
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(up[0]);
        return status;
    }
};

TEST_F(ImportFaultsTest, KilledCodeListImportLeavesTheOldListWhole) {
    ASSERT_TRUE(Import(WriteFile("UPAP.txt", Codes("B", 3000, 1))).done);
    const auto old = Dump<tFileUAPV>();
    ASSERT_EQ(3000u, old.size());
    const fs::path replace = WriteFile("UPAP.txt", Codes("A", 6000, 2));
    std::string update = "SA\tPopis\t\t\t[401]\t[451]\t\n";
    for (int i = 1; i <= 3000; ++i)
        update += "B" + std::to_string(i) + "\tKód\t\t\tx\t\t\n";
    const fs::path updateFile = WriteFile("UPAP_04", update);
    struct Case {
        const char* label;
        fs::path file;
        int killAt;
    } cases[] = {
        {"replace: first line", replace, 1},
        {"replace: a third of the lines", replace, 2000},
        {"replace: last line, before the swap", replace, 6000},
        {"update: copying the codes", updateFile, 1500},
        {"update: last line, before the swap", updateFile, 3000 + 3001},
    };
    for (const Case& c : cases) {
        const int status = ImportKilledAt(c.file, c.killAt, [&] {
            // The running import's staged list is no stale one.
            RemoveStaleStaging({where_.codeListDirectory});
            EXPECT_TRUE(fs::exists(Staging())) << c.label;
        });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << c.label;
        const auto now = Dump<tFileUAPV>();
        EXPECT_EQ(old.size(), now.size()) << c.label;
        EXPECT_TRUE(old == now) << c.label << ": the list is neither the old one nor whole";
        EXPECT_TRUE(fs::exists(Staging())) << c.label;
        RemoveStaleStaging({where_.codeListDirectory});
        EXPECT_FALSE(fs::exists(Staging())) << c.label;
    }
    // Not cut short, the import replaces the list whole.
    EXPECT_TRUE(Import(replace).done);
    EXPECT_EQ(6000u, Dump<tFileUAPV>().size());
    EXPECT_FALSE(fs::exists(Staging()));
}

TEST_F(ImportFaultsTest, FatalErrorEmptiesAndRemovesTheStagingBeforeTheCrashIsMarked) {
    bool marked = false;
    bool goneWhenMarked = false;
    fs::path staging;
    ctx_.markCrash = [&] {
        marked = true;
        goneWhenMarked = !fs::exists(staging);
    };
    TableSwap swap(where_.codeListDirectory, "UAPV2024"_t, ctx_);
    staging = swap.Directory();
    // A staged table still open when the program ends: removing it alone would free nothing.
    const fs::path staged = staging / "UAPV2024.DB";
    std::ofstream(staged, std::ios::binary) << std::string(100000, 'x');
    const int fd = ::open(staged.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    swap.Context().markCrash();
    struct stat st {};
    ASSERT_EQ(0, ::fstat(fd, &st));
    ::close(fd);
    EXPECT_EQ(0, st.st_size);
    EXPECT_TRUE(marked);
    EXPECT_TRUE(goneWhenMarked);
}

}  // namespace
}  // namespace axo::pap::test
