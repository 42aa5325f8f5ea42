// The browse window with other stations at work (a real process deleting the row under the
// cursor and giving its record number to a new record), the selector's ticks and their file, and
// the printouts of the list.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "BrowseTestSupport.h"

namespace axo::ui::testing {
namespace {

/// Another station: a process forked while this one holds no table open. Each Run() makes it do
/// its next piece of work and waits until it has.
class Station {
  public:
    Station(const storage::DataContext& ctx,
            std::function<void(const storage::DataContext&)> work) {
        int down[2], up[2];
        EXPECT_EQ(0, ::pipe(down));
        EXPECT_EQ(0, ::pipe(up));
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(down[1]);
            ::close(up[0]);
            ScriptedUi::Options options;
            options.strict = false;
            ScriptedUi ui(options);
            storage::DataContext own = ctx;
            own.ui = &ui;
            char c = 0;
            while (::read(down[0], &c, 1) == 1 && c == 'g') {
                work(own);
                if (::write(up[1], "d", 1) != 1)
                    break;
            }
            ::_exit(0);
        }
        ::close(down[0]);
        ::close(up[1]);
        to_ = down[1];
        from_ = up[0];
    }
    ~Station() {
        ::close(to_);
        ::close(from_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    void Run() {
        ASSERT_EQ(1, ::write(to_, "g", 1));
        pollfd p{from_, POLLIN, 0};
        char c = 0;
        ASSERT_EQ(1, ::poll(&p, 1, 20000));
        ASSERT_EQ(1, ::read(from_, &c, 1));
    }

  private:
    pid_t pid_ = -1;
    int to_ = -1;
    int from_ = -1;
};

TEST_F(BrowseTest, AnotherProcessDeletesTheRowUnderTheCursor) {
    FillNumbered(30);
    hooks_.deletes = true;
    // The other station deletes the record with the highest number and appends a new one, which
    // takes that number; then it deletes record 5.
    int round = 0;
    Station other(data_, [this, &round](const storage::DataContext& ctx) {
        tTowns file(ctx, DataDir());
        file.InitFile(1, storage::_Wait);
        if (++round == 1) {
            file.DeleteRec(30);
            const Town added = MakeTown(31, "Ostrava", "nová");
            std::int32_t n = 0;
            file.AddRec(n, &added);
        } else {
            file.DeleteRec(5);
        }
        file.CloseFile();
    });
    auto b = Start(12, "A");
    Steps(*b, "key:Ctrl+End");
    ASSERT_EQ("019-030@030", Span(*b));
    other.Run();
    // <Delete> on 030: the record with its number now is 031, which must stay. The layer says
    // the record is gone, and the page is read again.
    ui_->QueueButton(1);
    ui_->QueueOk();
    Steps(*b, "key:Delete");
    std::string warning;
    for (const TranscriptEntry& e : ui_->Transcript())
        if (e.kind == "report")
            warning = e.ToString();
    EXPECT_NE(std::string::npos, warning.find("Věta byla patrně zrušena jinou stanicí."));
    EXPECT_EQ("019-031@031", Span(*b));
    {
        tTowns file(data_, DataDir());
        ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
        std::int32_t n = 0;
        EXPECT_TRUE(file.BtFindKey(1, n, "031"_t));
        EXPECT_EQ(30, n);
        file.CloseFile();
    }
    // Record 5 vanishes under the cursor: the refresh shows the record after it.
    Steps(*b, "key:Ctrl+Home row=5");
    other.Run();
    Steps(*b, "click:ButtonRefresh");
    EXPECT_EQ("001-013@006", Span(*b));
}

/// A selector over the towns, started, selecting by the town (key 2).
std::unique_ptr<TownSelector> StartSelector(UiServices& ui, const BrowserEnvironment& env,
                                            const fs::path& dir, TownHooks& hooks) {
    auto s = std::make_unique<TownSelector>(ui, env, dir, hooks, 12);
    EXPECT_TRUE(s->Priprav("Výběr měst"_t, {}, {}, 2, 0));
    EXPECT_TRUE(s->Zahaj());
    return s;
}

/// The ticks of a selection file in the order of ticking: "record number:key".
std::vector<std::string> Ticks(tSouborSelekce& file) {
    std::vector<std::string> ticks;
    std::int32_t n = 0;
    Text key;
    file.BtClearKey(1);
    while (file.BtNextKey(1, n, key)) {
        tVetaSelekce tick;
        file.GetRec(n, &tick);
        ticks.push_back(std::to_string(tick.Poradi) + "." + std::to_string(tick.Hash) + ":" +
                        ToUtf8(Trim(tick.KlicSel.Get())));
    }
    return ticks;
}

TEST_F(BrowseTest, SelectorInvertsByRecordNotByKey) {
    Fill({MakeTown(1, "Praha"), MakeTown(2, "Brno"), MakeTown(3, "Praha"), MakeTown(4, "Ostrava"),
          MakeTown(5, "Brno")});
    auto s = StartSelector(*ui_, browserEnv_, DataDir(), hooks_);
    Steps(*s, "key:Enter tick=5");
    EXPECT_EQ("x 001", ToUtf8(s->ShownRow(1)).substr(0, 5));
    EXPECT_EQ("  002", ToUtf8(s->ShownRow(2)).substr(0, 5));
    EXPECT_EQ(5, s->CurrentRow());
    EXPECT_EQ((std::vector<std::string>{"1.1:PRAHA", "2.5:BRNO"}), Ticks(*s->SelectionFile()));
    // "Praha" and "Brno" were ticked once each; the other Praha and Brno are ticked now.
    Steps(*s, "key:F5");
    EXPECT_EQ((std::vector<std::string>{"1.2:BRNO", "2.3:PRAHA", "3.4:OSTRAVA"}),
              Ticks(*s->SelectionFile()));
    Steps(*s, "click:ButtonZrusVyber");
    EXPECT_EQ(0, s->TickCount());
    Steps(*s, "key:F5");
    EXPECT_EQ(5, s->TickCount());
    Steps(*s, "click:ButtonEnter key:F3");
    EXPECT_EQ(5, s->TickCount());
    const fs::path stem = s->SelectionFile()->Stem();
    s->Ukonci();
    EXPECT_FALSE(fs::exists(fs::path(stem.string() + ".DB")));

    // <F2> without a tick ticks the current row and confirms; the caller takes the file over.
    auto chooser = StartSelector(*ui_, browserEnv_, DataDir(), hooks_);
    Steps(*chooser, "row=3 key:F2");
    EXPECT_TRUE(chooser->IsClosed());
    EXPECT_EQ(TBrowser::kResultChosen, chooser->Result());
    std::unique_ptr<tSouborSelekce> taken = chooser->TakeSelectionFile();
    chooser->Ukonci();
    ASSERT_TRUE(taken);
    EXPECT_EQ((std::vector<std::string>{"1.3:PRAHA"}), Ticks(*taken));
    taken->DeleteFile();
}

TEST_F(BrowseTest, ListPrintsEveryAcceptedRecordOfTheOrder) {
    Fill({MakeTown(1, "Brno", "první"), MakeTown(2, "Praha", std::string(150, 'd')),
          MakeTown(3, "Brno", "třetí")});
    hooks_.filter = [](const Town& t) { return t.code.Get() != "003"_t; };
    auto b = Start(12, "B");
    // <F4>: lines cut to 150 characters, the rejected record left out.
    Steps(*b, "key:F4");
    // The whole list: the long line printed as two after "ANO".
    ui_->QueueButton(1);
    Steps(*b, "click:ButtonPrintScreen");
    const std::vector<fs::path> files = ShownFiles();
    ASSERT_EQ(2u, files.size());
    struct Case {
        std::size_t file;
        std::string line;
    };
    const std::string longRow = " 002 Praha                " + std::string(150, 'd');
    const Case cases[] = {
        {0, " 001 Brno                 první"},
        {0, longRow.substr(0, 150)},
        {1, longRow.substr(0, 150)},
        {1, longRow.substr(150)},
    };
    for (const Case& c : cases) {
        const std::string text = ReadBytes(files[c.file]);
        EXPECT_NE(std::string::npos, text.find("\n" + c.line + "\n")) << c.line;
    }
    for (const fs::path& file : files)
        EXPECT_EQ(std::string::npos, ReadBytes(file).find("třetí"));
    EXPECT_EQ(std::string::npos, ReadBytes(files[0]).find("\n" + longRow.substr(150) + "\n"));
}

}  // namespace
}  // namespace axo::ui::testing
