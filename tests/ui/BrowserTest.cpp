// The browse window over a real table: the pages its keys lead to (first, last, one row, an
// empty table, a page that shrinks), a page built around a record, the range of a key prefix and
// of a filter, the record actions, orders, the horizontal offset, the text search with whole
// words, the buttons of the mode string, the remembered geometry and the page the scripted front
// end records.
#include <gtest/gtest.h>

#include "BrowseTestSupport.h"

namespace axo::ui::testing {
namespace {

TEST_F(BrowseTest, KeysLeadToPages) {
    struct Case {
        int records;
        int page;
        const char* steps;
        const char* expected;  // first-last@current
    };
    const Case cases[] = {
        // A table of 5 records with a page of 12.
        {5, 12, "", "001-005@001"},
        {5, 12, "key:PageDown", "001-005@005"},
        {5, 12, "key:PageDown key:Down", "001-005@005"},
        {5, 12, "key:PageDown key:PageUp", "001-005@001"},
        // The cursor in row 12 of 100: <Page Up> scrolls back by 0, then by 11.
        {100, 12, "key:Ctrl+End", "089-100@100"},
        {100, 12, "key:Ctrl+End key:PageUp", "089-100@089"},
        {100, 12, "key:Ctrl+End key:PageUp key:PageUp", "078-089@078"},
        {100, 12, "key:PageDown", "001-012@012"},
        {100, 12, "key:PageDown key:PageDown", "012-023@023"},
        {100, 12, "key:Ctrl+PageDown key:Down", "002-013@013"},
        {100, 12, "key:Ctrl+End key:Ctrl+PageUp key:Up", "088-099@088"},
        {100, 12, "key:Ctrl+End key:Down", "089-100@100"},
        {100, 12, "key:Ctrl+End key:Ctrl+Home", "001-012@001"},
        {100, 12, "key:Up key:Ctrl+PageUp", "001-012@001"},
        {100, 12, "wheel=down wheel=down wheel=up", "012-023@012"},
        {13, 12, "key:Ctrl+End", "002-013@013"},
        {1, 12, "key:Down key:PageDown key:Ctrl+End key:Up", "001-001@001"},
        // A page built around a record: in the middle row, or ending with the last record.
        {100, 12, "type:05", "044-055@050"},
        {100, 12, "type:099", "089-100@099"},
        {100, 12, "type:003", "001-012@003"},
        {100, 12, "type:9999", "001-012@001"},
        {100, 5, "type:05 key:Down key:Down key:Down", "049-053@053"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.steps) + " over " + std::to_string(c.records));
        FillNumbered(c.records);
        auto b = Start(c.page);
        Steps(*b, c.steps);
        EXPECT_EQ(c.expected, Span(*b));
        b->Ukonci();
    }
}

TEST_F(BrowseTest, KeysBecomeTheFamilysCommandCodes) {
    FillNumbered(20);
    struct Case {
        const char* mode;
        const char* steps;
        std::vector<int> codes;  // the codes the hooks saw
    };
    const Case cases[] = {
        {"A", "key:Ctrl+Enter key:Insert key:Alt+F7", {9924, 45, 28160}},
        // Without ButtonKopie <Alt F7> is another key, which the base does not translate.
        {"B", "key:Alt+F7 key:Alt+X", {}},
        {"A", "key:F9 key:Tab key:Shift+F3", {120, 9, 114}},
        {"B", "key:Enter", {13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        hooks_.codes.clear();
        auto b = Start(12, c.mode);
        Steps(*b, c.steps);
        EXPECT_EQ(c.codes, hooks_.codes);
        b->Ukonci();
    }
    // Typed characters carry their key codes; a suppressed code is swallowed.
    hooks_.codes.clear();
    auto b = Start();
    b->suppressedCode = 66;
    b->TypeChar('a');
    b->TypeChar('7');
    b->TypeChar('b');
    EXPECT_EQ((std::vector<int>{65, 55}), hooks_.codes);
    EXPECT_EQ(0, b->CommandCode());
}

TEST_F(BrowseTest, StartPositionsThePage) {
    FillNumbered(40);
    struct Case {
        std::function<void(TBrowser&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {[](TBrowser& b) { b.startText = "015"_t; }, "009-020@015"},
        {[](TBrowser& b) { b.startKey = "038"_t; }, "029-040@038"},
        {[](TBrowser& b) { b.startAtEnd = true; }, "029-040@040"},
        {[](TBrowser& b) {
             b.startText = "015"_t;
             b.startKey = "002"_t;
         },
         "001-012@002"},
        {[](TBrowser& b) { b.noticeText = "Čekejte, připravuji soubor."_t; }, "001-012@001"},
    };
    for (const Case& c : cases) {
        auto b = Start(12, "B", c.set);
        EXPECT_EQ(c.expected, Span(*b));
        EXPECT_TRUE(b->startText.empty() && b->startKey.empty());
        b->Ukonci();
    }
    EXPECT_EQ("[notice]  ČEKEJTE\n| Čekejte, připravuji soubor.\n",
              ui_->Transcript().back().ToString());
}

TEST_F(BrowseTest, EmptyTableTurnsEveryKeyButEscIntoInsert) {
    Fill({});
    auto b = Start();
    EXPECT_EQ("empty", Span(*b));
    Steps(*b, "key:Down key:Enter click:ButtonCtrlEnd key:F7");
    EXPECT_EQ(4, hooks_.adds);
    EXPECT_FALSE(b->IsClosed());
    Steps(*b, "key:Esc");
    EXPECT_TRUE(b->IsClosed());
    EXPECT_EQ(TBrowser::kResultLeave, b->Result());

    // With an empty-range message the window does not open.
    auto quiet = std::make_unique<TownBrowser>(*ui_, browserEnv_, DataDir(), hooks_, 12);
    ASSERT_TRUE(quiet->Priprav(0, 0, "Města"_t, {}, "B"_t, 0));
    quiet->emptyRangeMessage = "Číselník je prázdný."_t;
    ui_->QueueOk();
    EXPECT_EQ(0, quiet->Spust());
    EXPECT_EQ(std::vector<std::string>{"Číselník je prázdný."}, Messages());
}

TEST_F(BrowseTest, PageShrinksWhenAnotherStationDeletesRows) {
    FillNumbered(14);
    auto b = Start();
    ASSERT_EQ("001-012@001", Span(*b));
    {
        tTowns other(data_, DataDir());
        ASSERT_TRUE(other.InitFile(1, storage::_NoWait));
        for (std::int32_t n = 5; n <= 14; ++n)
            other.DeleteRec(n);
        other.CloseFile();
    }
    // The bottom row is gone: <Down> reads the page again from the end and says so.
    ui_->QueueOk();
    Steps(*b, "key:Ctrl+PageUp key:Ctrl+PageDown key:Down");
    EXPECT_EQ("001-004@004", Span(*b));
    EXPECT_EQ(std::vector<std::string>{"Nebyla nalezena následující věta souboru!"}, Messages());
    Steps(*b, "click:ButtonRefresh key:PageDown key:Up");
    EXPECT_EQ("001-004@003", Span(*b));
}

TEST_F(BrowseTest, RangeOfAKeyPrefixAndOfAFilter) {
    FillNumbered(20);
    struct Case {
        const char* prefix;  // key 3 (note + code), empty: the town filter
        int page;
        const char* steps;
        const char* expected;
        bool filterEnd = false;  // the range ends at the first code from 015 on
    };
    // Notes "poznámka 1" ... "poznámka 20": the prefix "POZNAMKA 1" holds 1 and 10-19.
    const Case cases[] = {
        {"POZNAMKA 1", 12, "key:Ctrl+End", "001-014@014", true},
        {"POZNAMKA 1", 3, "key:Ctrl+End key:Down key:Ctrl+Home key:Up", "001-011@001", true},
        {"POZNAMKA 1", 12, "", "001-019@001"},
        {"POZNAMKA 1", 5, "key:Ctrl+End", "015-019@019"},
        {"POZNAMKA 1", 5, "key:Ctrl+End key:Down key:PageDown", "015-019@019"},
        {"POZNAMKA 1", 5, "key:Ctrl+End key:Ctrl+Home key:Up", "001-013@001"},
        {"POZNAMKA 2", 12, "key:Ctrl+End", "002-020@020"},
        // Only Praha (even numbers) passes the filter.
        {"", 4, "key:Ctrl+End", "014-020@020"},
        {"", 4, "key:Ctrl+End key:PageUp key:PageUp", "008-014@008"},
        {"", 12, "type:007", "002-020@008"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prefix) + " " + c.steps);
        hooks_.filter = {};
        if (!*c.prefix)
            hooks_.filter = [](const Town& t) { return t.town.Get() == "Praha"_t; };
        if (c.filterEnd)
            hooks_.filter = [](const Town& t) { return t.code.Get() < "015"_t; };
        auto b = Start(c.page, "B", [&c](TBrowser& browser) {
            if (*c.prefix) {
                browser.SetCurrentKey(3);
                browser.restrictionKey = 3;
                browser.restrictionPrefix = Text::FromBytes(c.prefix);
                browser.filterEndMode = c.filterEnd;
            }
        });
        Steps(*b, c.steps);
        EXPECT_EQ(c.expected, Span(*b));
        b->Ukonci();
    }
}

TEST_F(BrowseTest, RecordActionsRepositionTheirPage) {
    FillNumbered(30);
    hooks_.deletes = true;
    auto b = Start(12, "A");
    // Deleting the record in row 3: the record that followed it is current.
    ui_->QueueButton(1);
    Steps(*b, "row=3 key:Delete");
    EXPECT_EQ("001-013@004", Span(*b));
    // Declined: nothing happens.
    ui_->QueueButton(2);
    Steps(*b, "click:ButtonZruseni");
    EXPECT_EQ("001-013@004", Span(*b));
    // An edit keeps the record current; <Enter> in a maintenance window edits too.
    Steps(*b, "key:Ctrl+Enter row=12 key:Ctrl+Enter");
    EXPECT_EQ(2, hooks_.edits);
    EXPECT_EQ("001-013@013", Span(*b));
    EXPECT_FALSE(b->IsClosed());
    // Read only: no action but <Enter> with a shown O.K. button.
    b->accessMode = 2;
    b->NastavPristup();
    Steps(*b, "key:Delete key:Insert key:Ctrl+Enter");
    EXPECT_EQ(2, hooks_.edits);
    EXPECT_EQ(0, hooks_.adds);
    EXPECT_FALSE(b->ButtonEnabled(BrowseButton::Zruseni));
    b->Ukonci();

    // A picker chooses with <Enter>; deleting its only record leaves it empty.
    FillNumbered(1);
    auto picker = Start(12, "I");
    ui_->QueueButton(1);
    Steps(*picker, "key:Delete");
    EXPECT_EQ("empty", Span(*picker));
    Steps(*picker, "key:Down");
    EXPECT_EQ(1, hooks_.adds);
    picker->Ukonci();
    FillNumbered(3);
    auto chooser = Start(12, "I");
    Steps(*chooser, "key:Down key:Enter");
    EXPECT_TRUE(chooser->IsClosed());
    EXPECT_EQ(TBrowser::kResultChosen, chooser->Result());
    EXPECT_EQ(2, chooser->RowRecord(chooser->CurrentRow()));
}

TEST_F(BrowseTest, OrderChangeKeepsTheCurrentRecord) {
    FillNumbered(30);
    auto b = Start();
    Steps(*b, "row=3");
    const std::vector<SortMenuItem> menu = b->SortMenu();
    ASSERT_EQ(3u, menu.size());
    EXPECT_EQ(" tříděno dle města [Ctrl F2]", ToUtf8(menu[1].caption));
    EXPECT_TRUE(menu[0].current);
    // Brno holds the odd codes in record order: 003 is the second of them.
    Steps(*b, "order=2");
    EXPECT_EQ(2, b->CurrentKey());
    EXPECT_EQ(" tříděno dle města", ToUtf8(b->OrderLabel()));
    EXPECT_EQ("001-023@003", Span(*b));
    Steps(*b, "key:Ctrl+F1");
    EXPECT_EQ("001-012@003", Span(*b));
    b->Ukonci();

    // A table with one key: the sort button is disabled and <Ctrl F2> does nothing.
    hooks_.keys = 1;
    FillNumbered(5);
    auto single = Start();
    EXPECT_FALSE(single->ButtonEnabled(BrowseButton::Sort));
    Steps(*single, "key:Ctrl+F2");
    EXPECT_EQ(1, single->CurrentKey());
}

TEST_F(BrowseTest, HorizontalOffsetFollowsTheCurrentRow) {
    // The row text is 147 characters; with three blanks 150 in a window 80 characters wide.
    Fill({MakeTown(1, "Brno", std::string(121, 'n')), MakeTown(2, "Praha", "krátká")});
    auto b = Start();
    ASSERT_EQ(147u, b->TextRadku(1).size());
    struct Case {
        const char* steps;
        int offset;
        bool right;
    };
    const Case cases[] = {
        {"key:End", 72, false},           {"key:Home", 1, true},
        {"key:Right key:Right", 3, true}, {"key:Left", 2, true},
        {"key:Ctrl+Right", 22, true},     {"key:Ctrl+Right", 42, true},
        {"key:Ctrl+Right", 62, true},     {"key:Ctrl+Right", 72, false},
        {"key:Ctrl+Left", 52, true},      {"key:Home key:Ctrl+Left", 1, true},
    };
    for (const Case& c : cases) {
        Steps(*b, c.steps);
        EXPECT_EQ(c.offset, b->Offset()) << c.steps;
        EXPECT_EQ(c.right, b->ButtonEnabled(BrowseButton::SipkaVpravo)) << c.steps;
        EXPECT_EQ(c.offset > 1, b->ButtonEnabled(BrowseButton::Home)) << c.steps;
    }
    Steps(*b, "key:End");
    EXPECT_EQ(std::string(76, 'n'), ToUtf8(b->ShownRow(1)));
}

TEST_F(BrowseTest, TextSearchTestsEveryOccurrenceOfAWholeWord) {
    Fill({MakeTown(1, "Brno", "daň z přidané hodnoty"), MakeTown(2, "Brno", "DPHX"),
          MakeTown(3, "Brno", "oprava DPH/"), MakeTown(4, "Brno", "xdph a dph"),
          MakeTown(5, "Brno", "DPH"), MakeTown(6, "Brno", "bez daně")});
    struct Case {
        const char* start;   // steps before the search
        const char* dialog;  // the search dialog's answer ("" for <Ctrl F7> without it)
        const char* found;   // the current code afterwards, "-" when not found
    };
    const Case cases[] = {
        {"", "text=dph", "002"},
        {"", "text=dph slova=1", "003"},
        // The first "dph" of row 4 is inside a word, the second stands alone.
        {"row=3", "text=dph slova=1 smer=#2", "004"},
        {"", "text=dph velka=1", "004"},
        {"", "text=DPH slova=1 velka=1 smer=#1", "005"},
        {"row=5", "text=dph slova=1 smer=#3", "004"},
        {"row=6", "text=dph slova=1 smer=#2", "-"},
        {"", "text=xyz", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.dialog);
        ui_->ClearTranscript();
        auto b = Start();
        Steps(*b, c.start);
        const std::string before = Span(*b);
        ui_->QueueDialog(std::string(c.dialog) + " key:F2");
        if (std::string(c.found) == "-")
            ui_->QueueOk();
        Steps(*b, "key:F7");
        if (std::string(c.found) == "-") {
            EXPECT_EQ(before, Span(*b));
            ASSERT_EQ(1u, Messages().size());
            EXPECT_NE(std::string::npos, Messages()[0].find("nebyl nalezen."));
        } else {
            EXPECT_EQ(c.found, Code(*b, b->CurrentRow()));
        }
        b->Ukonci();
    }
    // <Ctrl F7> goes on from the current row, with the dialog only before the first search.
    auto b = Start();
    ui_->QueueDialog("text=dph slova=1 key:F2");
    Steps(*b, "key:Ctrl+F7");
    EXPECT_EQ("003", Code(*b, b->CurrentRow()));
    Steps(*b, "key:Ctrl+L");
    EXPECT_EQ("004", Code(*b, b->CurrentRow()));
    Steps(*b, "key:Ctrl+F7");
    EXPECT_EQ("005", Code(*b, b->CurrentRow()));
    ui_->QueueOk();
    Steps(*b, "key:Ctrl+F7");
    EXPECT_EQ("005", Code(*b, b->CurrentRow()));
    EXPECT_EQ("Hledaný řetězec [dph] nebyl nalezen.", Messages().back());
}

TEST_F(BrowseTest, ModeStringSetsTheButtons) {
    FillNumbered(3);
    struct Case {
        const char* mode;
        int width;
        int windowWidth;
        const char* captions;
        const char* opravaHint;  // the end of ButtonOprava's hint, when shown
        int buttonWidth;
    };
    const Case cases[] = {
        {"I", 70, 550, "O.K. Přidání Oprava Zrušení Kopie Zpět", "<Ctrl Enter>", 90},
        {"A", 0, 640, "Přidání Oprava Zrušení Kopie Zpět", "<Enter>", 90},
        {"B", 70, 560, "O.K. Zpět", "", 90},
        {"LVYBER DEL STORNO", 79, 640, "O.K. STORNO Zrušení Zpět", "", 90},
        {"ZINS ENTER MAXSIRKABUTTON=120", 60, 480, "Přidání Oprava Zpět", "<Enter>", 120},
        {"X", 0, 640, "Zpět", "", 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TownBrowser b(*ui_, browserEnv_, DataDir(), hooks_, 12);
        ASSERT_TRUE(b.Priprav(c.width, 0, "Města"_t, {}, FromUtf8(c.mode), 0));
        EXPECT_EQ(c.windowWidth, b.Frame().width);
        std::string captions;
        int right = 0;
        for (const BrowseButtonView& button : b.ButtonRow()) {
            captions += (captions.empty() ? "" : " ") + ToUtf8(button.caption);
            EXPECT_EQ(c.buttonWidth, button.frame.width) << ToUtf8(button.caption);
            EXPECT_GE(button.frame.x, right);
            right = button.frame.x + button.frame.width;
            if (button.id == BrowseButton::Oprava) {
                EXPECT_TRUE(ToUtf8(button.hint).ends_with(c.opravaHint));
            }
        }
        EXPECT_EQ(c.captions, captions);
        EXPECT_LE(right, c.windowWidth);
        b.Ukonci();
    }
}

TEST_F(BrowseTest, WindowRemembersItsGeometry) {
    FillNumbered(40);
    constexpr int kGroup = 214;
    constexpr int kNumber = 250;
    auto open = [this] {
        auto b = std::make_unique<TownBrowser>(*ui_, browserEnv_, DataDir(), hooks_, 12);
        EXPECT_TRUE(b->Priprav(0, 0, "Města"_t, " Kód"_t, "A"_t, kNumber));
        return b;
    };
    const Rect defaultFrame = open()->Frame();
    struct Case {
        const char* steps;  // while the window was open last time
        bool maximised;
        Rect frame;
        int page;
        bool stored;
    };
    const Rect mainWindow = ui_->CurrentDesktop().mainWindow;
    const Case cases[] = {
        {"move=30,40 size=700x500 key:Esc", false, {30, 40, 700, 500}, 18, true},
        {"move=-20,40 key:Esc", false, defaultFrame, 12, false},
        {"move=1000,900 key:Esc", false, defaultFrame, 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        auto before = open();
        ui_->QueueBrowse(c.steps);
        before->Spust();
        before->Ukonci();
        EXPECT_EQ(c.stored, vault_.count({kGroup, kNumber}) == 1);
        auto after = open();
        EXPECT_EQ(c.maximised, after->Maximised());
        EXPECT_EQ(c.frame, after->Frame());
        EXPECT_EQ(c.page, after->PageSize());
    }
    // A window closed maximised reopens maximised below the main window's top.
    const auto whole = ListWindowGeometry{true, {5, 5, 800, 600}}.ToBlock();
    vault_[{kGroup, kNumber}] = std::vector<std::uint8_t>(whole.begin(), whole.end());
    auto maximised = open();
    EXPECT_TRUE(maximised->Maximised());
    EXPECT_EQ(mainWindow.x, maximised->Frame().x);
    EXPECT_EQ(mainWindow.y + 25, maximised->Frame().y);
    // A stored size without a row that fits is dropped.
    const auto tiny = ListWindowGeometry{false, {10, 10, 640, 100}}.ToBlock();
    vault_[{kGroup, kNumber}] = std::vector<std::uint8_t>(tiny.begin(), tiny.end());
    EXPECT_EQ(defaultFrame, open()->Frame());
    EXPECT_EQ(0u, vault_.count({kGroup, kNumber}));
}

TEST_F(BrowseTest, ScriptedFrontEndRecordsTheShownPage) {
    FillNumbered(30);
    auto b = std::make_unique<TownBrowser>(*ui_, browserEnv_, DataDir(), hooks_, 5);
    ASSERT_TRUE(b->Priprav(0, 0, "Města"_t, " Kód Město"_t, "B"_t, 0));
    ui_->LoadScript(
        "browse key:Ctrl+End key:PageUp key:Right\n"  // the rows are too short to scroll
        "browse row=3 key:Enter\n");
    EXPECT_EQ(TBrowser::kResultChosen, b->Spust());
    EXPECT_EQ(
        "[browse]  Města\n"
        "| header:  Kód Město\n"
        "|    026 Praha                poznámka 26\n"
        "|    027 Brno                 poznámka 27\n"
        "| >  028 Praha                poznámka 28\n"
        "|    029 Brno                 poznámka 29\n"
        "|    030 Praha                poznámka 30\n"
        "| order:  tříděno dle kódu\n"
        "buttons: [O.K.] [Zpět]\n"
        "answer: close 1:  028 Praha                poznámka 28\n",
        ui_->Transcript().back().ToString());
}

}  // namespace
}  // namespace axo::ui::testing
