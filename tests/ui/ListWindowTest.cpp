// The scrolling list window: size and stored position, the empty list, keys and buttons driven
// through the scripted front end, the search in its four directions with its dialog, the
// printout of the list, the line limit and the hint.
#include "ui/ListWindow.h"

#include <gtest/gtest.h>

#include <map>

#include "ListingTestSupport.h"

namespace axo::ui {
namespace {

using testing::ListingTest;
namespace fs = std::filesystem;

/// A list window over fixed lines.
class Lines : public TRolMem {
  public:
    Lines(UiServices& ui, const ListWindowEnvironment& env, std::vector<std::string> lines)
        : TRolMem(ui, env), lines_(std::move(lines)) {}
    bool MayOpen() override { return open; }
    Text Line(int n) override {
        return n <= static_cast<int>(lines_.size()) ? FromUtf8(lines_[n - 1]) : Text();
    }
    int InitialLine() override { return initial; }
    int MapKey(const KeyEvent& key) override { return key.ctrl && key.ch == 'D' ? 7 : 0; }
    void SpecialKey() override { ++specials; }

    bool open = true;
    int initial = 0;
    int specials = 0;

  private:
    std::vector<std::string> lines_;
};

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back("řádek " + std::to_string(i));
    return lines;
}

class ListWindowTest : public ListingTest {
  protected:
    ListWindowTest() {
        listEnv_.listing = &env_;
        listEnv_.loadSettings = [this](int group, int item, void* block, std::size_t length) {
            const auto it = vault_.find({group, item});
            if (it == vault_.end() || it->second.size() != length)
                return false;
            std::copy(it->second.begin(), it->second.end(), static_cast<std::uint8_t*>(block));
            return true;
        };
        listEnv_.saveSettings = [this](int group, int item, const void* block, std::size_t n) {
            const auto* bytes = static_cast<const std::uint8_t*>(block);
            vault_[{group, item}] = std::vector<std::uint8_t>(bytes, bytes + n);
        };
        listEnv_.deleteSettings = [this](int group, int item) { vault_.erase({group, item}); };
    }
    void Store(int item, const ListWindowGeometry& g) {
        const auto block = g.ToBlock();
        vault_[{314, item}] = std::vector<std::uint8_t>(block.begin(), block.end());
    }
    std::unique_ptr<Lines> Window(std::vector<std::string> lines, int width = 60, int rows = 10,
                                  int number = 0) {
        auto w = std::make_unique<Lines>(*ui_, listEnv_, std::move(lines));
        EXPECT_TRUE(w->Prepare(width, rows, number, {}, " Výběr formuláře "_t));
        return w;
    }

    ListWindowEnvironment listEnv_;
    std::map<std::pair<int, int>, std::vector<std::uint8_t>> vault_;
};

TEST_F(ListWindowTest, SizeFollowsWidthAndRows) {
    struct Case {
        int width;
        int rows;
        int pxWidth;
        int pxHeight;
        int visibleRows;
    } cases[] = {
        {0, 0, 640, 372, 15},     // no width, no rows
        {79, 10, 640, 267, 10},   // 79 counts as 80
        {40, 5, 320, 162, 5},     // (5 + 1) * 21 + the tool panel
        {100, 30, 640, 480, 21},  // at most 640 x 480
    };
    for (const Case& c : cases) {
        auto w = Window(Numbered(3), c.width, c.rows);
        EXPECT_EQ(c.pxWidth, w->Frame().width) << c.width;
        EXPECT_EQ(c.pxHeight, w->Frame().height) << c.rows;
        EXPECT_EQ(c.visibleRows, w->VisibleRows()) << c.rows;
    }
    auto w = Window(Numbered(3));
    EXPECT_EQ(" Výběr formuláře", ToUtf8(w->Caption()));
    EXPECT_FALSE(w->HeaderVisible());
}

TEST_F(ListWindowTest, StoredGeometryIsUsedOnlyWhenItFits) {
    const Rect centred = Window(Numbered(3), 60, 10, 0)->Frame();
    const Rect main = ui_->GetDesktop().mainWindow;
    struct Case {
        ListWindowGeometry stored;
        Rect expected;
        bool maximised;
    } cases[] = {
        {{false, {20, 30, 300, 200}}, {20, 30, 300, 200}, false},
        {{false, {-5, 30, 300, 200}}, centred, false},   // negative left: centred
        {{false, {20, 0, 300, 200}}, centred, false},    // top not positive
        {{false, {20, 30, 2000, 200}}, centred, false},  // wider than the screen
        {{true, {20, 30, 300, 200}}, main, true},        // maximised over the main window
    };
    for (const Case& c : cases) {
        Store(5, c.stored);
        auto w = Window(Numbered(3), 60, 10, 5);
        EXPECT_EQ(c.expected, w->Frame()) << c.stored.frame.x;
        EXPECT_EQ(c.maximised, w->Maximised());
    }
    // Window number 0 keeps no settings.
    Store(0, {false, {20, 30, 300, 200}});
    EXPECT_EQ(centred, Window(Numbered(3), 60, 10, 0)->Frame());
}

TEST_F(ListWindowTest, SettingsAreStoredWhenTheWindowCloses) {
    auto w = Window(Numbered(3), 60, 10, 9);
    ui_->QueueList("key:Esc");
    w->SetFrame({100, 50, 400, 300});
    EXPECT_EQ(TRolMem::kResultLeave, w->RunModal());
    const auto block = vault_.at({314, 9});
    const ListWindowGeometry g = ListWindowGeometry::FromBlock([&] {
        ListWindowGeometry::Block b{};
        std::copy(block.begin(), block.end(), b.begin());
        return b;
    }());
    EXPECT_FALSE(g.maximised);
    EXPECT_EQ((Rect{100, 50, 400, 300}), g.frame);
    EXPECT_EQ(17u, block.size());
    // A window partly off the screen deletes its settings.
    ui_->QueueList("key:Esc");
    w->SetFrame({1100, 50, 400, 300});
    w->RunModal();
    EXPECT_EQ(0u, vault_.count({314, 9}));
    // A maximised one keeps the flag.
    ui_->QueueList("key:Esc");
    w->SetMaximised(true);
    w->RunModal();
    EXPECT_EQ(1, vault_.at({314, 9})[0]);
}

TEST_F(ListWindowTest, GeometryBlockLayout) {
    const auto b = ListWindowGeometry{true, {-2, 300, 0x01020304, 5}}.ToBlock();
    const ListWindowGeometry::Block expected = {1, 0xFE, 0xFF, 0xFF, 0xFF, 44, 1, 0, 0,
                                                4, 3,    2,    1,    5,    0,  0, 0};
    EXPECT_EQ(expected, b);
    EXPECT_EQ(-2, ListWindowGeometry::FromBlock(b).frame.x);
}

TEST_F(ListWindowTest, AnEmptyListShowsItsMessageInstead) {
    auto w = Window({});
    w->emptyListMessage = "Nejsou definovány žádné formuláře."_t;
    ui_->QueueOk();
    EXPECT_EQ(TRolMem::kResultEmpty, w->RunModal());
    ASSERT_EQ(1u, ui_->Transcript().size());
    EXPECT_EQ("message 1", ui_->Transcript()[0].kind);
    // Without a message the empty window opens; <Enter> picks nothing, <Esc> leaves.
    w->emptyListMessage.clear();
    ui_->QueueList("key:Enter key:Esc");
    EXPECT_EQ(TRolMem::kResultLeave, w->RunModal());
    EXPECT_EQ(-1, w->Current());
}

TEST_F(ListWindowTest, RefusedWindowDoesNotOpen) {
    Lines w(*ui_, listEnv_, Numbered(3));
    w.open = false;
    EXPECT_FALSE(w.Prepare(60, 10, 0, {}, "x"_t));
    EXPECT_EQ(0, w.LineCount());
}

TEST_F(ListWindowTest, KeysAndButtonsMoveTheCurrentLine) {
    struct Case {
        const char* steps;
        int expected;  // 0-based
    } cases[] = {
        {"", 0},
        {"key:Down key:Down", 2},
        {"key:Up", 0},
        {"key:PageDown", 9},  // 10 visible rows: pages of 9
        {"key:PageDown key:PageDown key:PageDown", 19},
        {"key:End key:PageUp", 10},
        {"key:Ctrl+PageDown", 19},
        {"key:End key:Ctrl+PageUp", 0},
        {"key:End key:Home", 0},
        {"key:Ctrl+End key:Up", 18},
        {"click:ButtonCtrlEnd click:ButtonSipkaNahoru", 18},
        {"click:ButtonSipkaDolu click:ButtonPageDown", 10},
        {"line=5", 4},
        {"line=99", 19},
    };
    for (const Case& c : cases) {
        auto w = Window(Numbered(20));
        ui_->QueueList(std::string(c.steps) + " key:Enter");
        EXPECT_EQ(TRolMem::kResultPicked, w->RunModal()) << c.steps;
        EXPECT_EQ(c.expected, w->Current()) << c.steps;
    }
}

TEST_F(ListWindowTest, PickingIsRecordedWithTheLine) {
    auto w = Window({"první", "druhý"});
    ui_->LoadScript("list key:Down\nlist click:ButtonVyber\n");
    EXPECT_EQ(TRolMem::kResultPicked, w->RunModal());
    EXPECT_EQ(
        "[list]  Výběr formuláře\n"
        "|   první\n"
        "| > druhý\n"
        "buttons: [O.K.] [Zpět]\n"
        "answer: close 1: druhý\n",
        ui_->Transcript().back().ToString());
}

TEST_F(ListWindowTest, OpeningLineAndTheSingleLine) {
    auto w = Window(Numbered(5));
    w->initial = 3;
    ui_->QueueList("key:Enter");
    w->RunModal();
    EXPECT_EQ(3, w->Current());
    w->startAtEnd = true;
    ui_->QueueList("key:Enter");
    w->RunModal();
    EXPECT_EQ(4, w->Current());
    auto single = Window({"jediný"});
    single->initial = -1;
    ui_->QueueList("key:Enter");
    EXPECT_EQ(TRolMem::kResultPicked, single->RunModal());
    EXPECT_EQ(0, single->Current());
}

TEST_F(ListWindowTest, AStrictScriptMustCloseTheWindow) {
    auto w = Window(Numbered(3));
    ui_->QueueList("key:Down");
    EXPECT_THROW(w->RunModal(), ScriptError);
    EXPECT_THROW(ui_->QueueList("line=x"), ScriptError);
    EXPECT_THROW(ui_->QueueList("click:ButtonNeni"), ScriptError);
}

TEST_F(ListWindowTest, SearchInFourDirections) {
    const std::vector<std::string> lines = {"Účet 311 odběratelé", "xab ab", "Ab (ab) konec",
                                            "pokladna 211",        "ABC",    "sazba:ab%"};
    struct Case {
        const char* text;
        bool ignoreCase;
        bool whole;
        int direction;
        int current;
        bool again;
        int expected;  // -2: "nebyl nalezen" shown, current unchanged
        int directionAfter;
    } cases[] = {
        // Whole words test only the first occurrence: "xab ab" does not match.
        {"AB", true, true, 0, 4, false, 2, 0},
        {"ab", false, true, 0, 4, false, 2, 0},
        {"AB", true, false, 1, 0, false, 5, 1},
        {"ab", false, true, 1, 0, false, 5, 1},  // ":" and "%" separate words
        {"ABC", false, false, 0, 0, false, 4, 0},
        {"abc", false, false, 0, 0, false, -2, 0},  // case matters when not ignored
        {"211", true, false, 3, 1, false, 3, 3},
        {"AB", true, false, 3, 5, false, -2, 3},  // down from the last line: nothing left
        {"ZZZ", true, false, 0, 2, false, -2, 0},
        // Again: 0 becomes 3, 1 becomes 2.
        {"AB", true, false, 0, 2, true, 4, 3},
        {"AB", true, false, 1, 2, true, 1, 2},
    };
    for (const Case& c : cases) {
        auto w = Window(lines);
        w->SetCurrent(c.current);
        w->searchText = FromUtf8(c.text);
        w->ignoreCase = c.ignoreCase;
        w->wholeWords = c.whole;
        w->searchDirection = c.direction;
        ui_->ClearTranscript();
        if (c.expected == -2)
            ui_->QueueOk();
        w->Search(c.again);
        EXPECT_EQ(c.expected == -2 ? c.current : c.expected, w->Current()) << c.text;
        EXPECT_EQ(c.directionAfter, w->searchDirection) << c.text;
        if (c.expected == -2) {
            ASSERT_EQ(1u, ui_->Transcript().size()) << c.text;
            EXPECT_EQ(std::vector<std::string>{"Hledaný řetězec nebyl nalezen."},
                      ui_->Transcript()[0].lines);
        } else {
            EXPECT_TRUE(ui_->Transcript().empty()) << c.text;
        }
    }
}

TEST_F(ListWindowTest, UpFromTheFirstLineDoesNothing) {
    auto w = Window({"ab", "ab"});
    w->SetCurrent(0);
    w->searchText = "AB"_t;
    w->searchDirection = TRolMem::kUpFromCurrent;
    w->Search(false);  // strict script: a message would throw
    EXPECT_EQ(0, w->Current());
    EXPECT_TRUE(ui_->Transcript().empty());
}

TEST_F(ListWindowTest, SearchDialogSetsTheSearch) {
    auto w = Window({"první řádek", "Druhý Řádek", "třetí ŘÁDEK"});
    ui_->LoadScript(
        "list key:F7\n"
        "dialog text= key:F2\n"  // no text: refused, the dialog stays open
        "ok\n"
        "dialog text=řádek velka=0 smer=#2 key:F2\n"
        "list key:Ctrl+F7 key:Enter\n");
    EXPECT_EQ(TRolMem::kResultPicked, w->RunModal());
    // Downwards from the current line, case ignored: line 2, then again line 3.
    EXPECT_EQ(2, w->Current());
    EXPECT_EQ("ŘÁDEK"_t, w->searchText);
    EXPECT_EQ(TRolMem::kDownFromCurrent, w->searchDirection);
    // The refused dialog closes, the message shows, the dialog opens again.
    const auto& t = ui_->Transcript();
    ASSERT_EQ(4u, t.size()) << ui_->TranscriptText();
    EXPECT_EQ("dialog", t[0].kind);
    EXPECT_EQ(" Hledání zadaného textu", t[0].title);
    EXPECT_EQ((std::vector<std::string>{"start hledání", "zpět"}), t[0].buttons);
    EXPECT_EQ(std::vector<std::string>{"Nezadali jste hledaný text!"}, t[1].lines);
    EXPECT_EQ("| [ od akt.pozice dolů]", "| " + t[2].lines.back());
}

TEST_F(ListWindowTest, SearchDialogAcceleratorsChooseDirectionAndOptions) {
    struct Case {
        const char* keys;
        int direction;
        bool wholeWords;
        int current;
    } cases[] = {
        {"key:Alt+K", TRolMem::kFromBottom, false, 2},
        {"key:Alt+Z key:Alt+C", TRolMem::kFromTop, true, 0},
        {"key:Alt+N", TRolMem::kUpFromCurrent, false, 0},  // the first line: nothing above
        {"key:Alt+D", TRolMem::kDownFromCurrent, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        auto w = Window({"první řádek", "Druhý Řádek", "třetí ŘÁDEK"});
        ui_->LoadScript(std::string("list key:F7\ndialog text=řádek velka=0 ") + c.keys +
                        " key:F2\nlist key:Enter\n");
        EXPECT_EQ(TRolMem::kResultPicked, w->RunModal());
        EXPECT_EQ(c.direction, w->searchDirection);
        EXPECT_EQ(c.wholeWords, w->wholeWords);
        EXPECT_EQ(c.current, w->Current());
    }
}

TEST_F(ListWindowTest, PrintListHandsThePrintoutOver) {
    env_.defaultNarrowLength = 16;
    auto w = std::make_unique<Lines>(*ui_, listEnv_, Numbered(12));
    ASSERT_TRUE(w->Prepare(60, 10, 0, "Číslo a název"_t, "Seznam"_t));
    ui_->QueueList("key:F4 key:Esc");
    w->RunModal();
    ASSERT_EQ(1u, ShownFiles().size());
    EXPECT_EQ("Seznam", ui_->Transcript()[0].title);
    testing::ExpectGolden("list_printout.txt", testing::ReadBytes(ShownFiles()[0]));
    EXPECT_TRUE(testing::FileNames(WorkDir()).empty());
}

TEST_F(ListWindowTest, AListEndsAt254Lines) {
    ui_->QueueOk();
    auto w = Window(Numbered(300));
    EXPECT_EQ(254, w->LineCount());
    EXPECT_EQ("message 2", ui_->Transcript().at(0).kind);
}

TEST_F(ListWindowTest, ClickShowsTheWholeLineInTheHint) {
    std::string longLine;
    for (int i = 0; i < 30; ++i)
        longLine += "slovo" + std::to_string(i % 10) + " ";  // 7 characters a word
    auto w = Window({"krátký", longLine});
    w->ClickLine(1);
    EXPECT_EQ(1, w->Current());
    // Broken at the first blank after 75 characters (position 76) and again 76 later.
    const std::string hint = ToUtf8(w->Hint());
    EXPECT_EQ(longLine.substr(0, 76) + "\r" + longLine.substr(77, 76) + "\r" + longLine.substr(154),
              hint);
    ui_->QueueOk();
    w->Press(ListButton::Info);
    EXPECT_EQ("message 0", ui_->Transcript().back().kind);
}

TEST_F(ListWindowTest, ControlKeysGoThroughMapKey) {
    auto w = Window(Numbered(2));
    w->specialKey = 7;
    EXPECT_TRUE(w->KeyDown({Key::Character, false, true, false, 'D'}));
    EXPECT_FALSE(w->KeyDown({Key::Character, false, true, false, 'E'}));
    EXPECT_FALSE(w->KeyDown({Key::Character, false, false, false, 'D'}));
    EXPECT_EQ(1, w->specials);
}

}  // namespace
}  // namespace axo::ui
