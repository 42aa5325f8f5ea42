// Writing files whole or not at all: the temporary file beside the target, and writes made to
// fail for real (a file-size limit in a child process makes the disk "full") while a part file
// or the summary is written over older files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "PartRows.h"
#include "util/AtomicFile.h"
#include "xml/papXML01az09.h"

namespace axo::xml::test {
namespace {

/// Runs `work` in a child process whose files cannot grow beyond `limit` bytes (writes past it
/// fail with EFBIG, as on a full disk); the child's exit code.
int WithFileSizeLimit(rlim_t limit, const std::function<int()>& prepare,
                      const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The child never returns into the test program, not even with an exception.
        try {
            if (const int code = prepare())
                ::_exit(code);
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &rl);
            ::_exit(work());
        } catch (...) {
            ::_exit(99);
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class AtomicFileTest : public XmlTest {};

TEST_F(AtomicFileTest, CommitReplacesTheTargetAndKeepsItsPermissions) {
    const fs::path target = out_ / "a.xml";
    WriteBytes(target, "older");
    ::chmod(target.c_str(), 0640);
    AtomicFile f;
    ASSERT_TRUE(f.Create(target));
    f.Line("new");
    EXPECT_EQ("older", ReadBytes(target));
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ("new\r\n", ReadBytes(target));
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(0640u, st.st_mode & 0777);
    EXPECT_EQ(std::vector<std::string>{"a.xml"}, Entries(out_));
}

TEST_F(AtomicFileTest, AFileNotCommittedLeavesNothingBehind) {
    const fs::path target = out_ / "a.xml";
    WriteBytes(target, "older");
    {
        AtomicFile f;
        ASSERT_TRUE(f.Create(target));
        f.Line(std::string(100000, 'x'));
    }
    EXPECT_EQ("older", ReadBytes(target));
    EXPECT_EQ(std::vector<std::string>{"a.xml"}, Entries(out_));

    AtomicFile missing;
    EXPECT_FALSE(missing.Create(out_ / "nowhere" / "a.xml"));
    EXPECT_EQ(ENOENT, missing.Error());
    EXPECT_FALSE(missing.Commit());
}

TEST_F(AtomicFileTest, AFileThatCannotBeCreatedIsReported) {
    WriteBytes(dir_ / "soubor", "");
    XmlExportParams p = Params();
    p.targetDirectory = FromUtf8((dir_ / "soubor" / "").string());
    auto file = ResultFile(1, PartRows(1, 2023));
    ui_->QueueOk();
    EXPECT_FALSE(ExportStatementXml(ctx_, file.get(), true, p, 0));
    EXPECT_EQ(std::vector<std::string>{"Chyba číslo 20 při zakládání výstupního souboru. Funkce "
                                       "končí."},
              Messages());
    file->DeleteFile();
}

TEST_F(AtomicFileTest, AFailingWriteLeavesTheOlderPartFileAndNoTemporaryFile) {
    const fs::path target = out_ / "PAP_Cast4.xml";
    WriteBytes(target, "older");
    std::unique_ptr<pap::tFileZorvi> file;
    const int code = WithFileSizeLimit(
        1500,
        [&] {
            file = ResultFile(4, PartRows(4, 2023));
            ui_->QueueOk();
            return 0;
        },
        [&] {
            if (ExportStatementXml(ctx_, file.get(), true, Params(), 0))
                return 10;
            const std::vector<std::string> expected = {
                "Chyba číslo 27 při zápisu výstupního souboru. Funkce končí."};
            return Messages() == expected ? 0 : 11;
        });
    EXPECT_EQ(0, code);
    EXPECT_EQ("older", ReadBytes(target));
    EXPECT_EQ(std::vector<std::string>{"PAP_Cast4.xml"}, Entries(out_));
}

TEST_F(AtomicFileTest, AFailingSummaryKeepsEveryFragmentAndTheOlderSummary) {
    ctx_.fiscalYear = 2021;
    for (int part = 1; part <= 9; ++part) {
        auto file = ResultFile(part, PartRows(part, 2021));
        ASSERT_TRUE(ExportStatementXml(ctx_, file.get(), true, Params(), 0));
        file->DeleteFile();
    }
    WriteBytes(out_ / "PAP_souhrn.xml", "older");
    const std::vector<std::string> before = Entries(out_);
    const int code = WithFileSizeLimit(
        3000,
        [&] {
            ui_->QueueButton(1);  // replace the older summary
            ui_->QueueOk();
            return 0;
        },
        [&] {
            if (BuildSummaryXml(ctx_, {"ab"_t, {}}, Params(), true))
                return 10;
            return Messages().back() ==
                           "Chyba číslo 27 při zápisu výstupního souboru. Funkce končí."
                       ? 0
                       : 11;
        });
    EXPECT_EQ(0, code);
    EXPECT_EQ(before, Entries(out_));
    EXPECT_EQ("older", ReadBytes(out_ / "PAP_souhrn.xml"));
}

}  // namespace
}  // namespace axo::xml::test
