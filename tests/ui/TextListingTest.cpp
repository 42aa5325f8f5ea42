// The listing object: frame lines, page headings, page breaks and endless paper, form feeds,
// creation failures, the run of a descendant with its hooks, the progress STOP and the sort file.
#include "ui/TextListing.h"

#include <gtest/gtest.h>

#include "ListingTestSupport.h"
#include "storage/RecordStructure.h"
#include "util/Retezce.h"

namespace axo::ui {
namespace {

using testing::ListingLines;
using testing::ListingTest;
namespace fs = std::filesystem;

std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

std::string Utf8(const Text& t) {
    return ListingToUtf8(t);
}

std::string Repeated(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

/// The listing as UTF-8 text, one "\n" a line, as the golden files hold it.
std::string ListingText(const fs::path& file) {
    std::string text;
    for (const std::string& l : ListingLines(file))
        text += l + "\n";
    return text;
}

class TextListingTest : public ListingTest {
  protected:
    std::unique_ptr<TextListing> Make(std::vector<std::uint8_t> widths = {}) {
        auto listing = CreateListing(env_);
        EXPECT_NE(nullptr, listing);
        listing->Init();
        std::copy(widths.begin(), widths.end(), listing->columnWidths.begin());
        if (!widths.empty())
            listing->BuildFrameLines();
        return listing;
    }
};

TEST_F(TextListingTest, FrameLinesFollowTheColumnWidths) {
    struct Case {
        std::vector<std::uint8_t> widths;
        int lineWidth;
        const char* top;
        const char* separator;
        const char* bottom;
        const char* emptyRow;
    } cases[] = {
        {{10, 3, 7},
         24,
         "┌──────────┬───┬───────┐",
         "├──────────┼───┼───────┤",
         "└──────────┴───┴───────┘",
         "│          │   │       │"},
        // 255 leaves the column out of the width and of every frame line.
        {{10, 255, 3, 7},
         24,
         "┌──────────┬───┬───────┐",
         "├──────────┼───┼───────┤",
         "└──────────┴───┴───────┘",
         "│          │   │       │"},
        // The first 0 ends the list even when widths follow.
        {{10, 3, 0, 7},
         16,
         "┌──────────┬───┐",
         "├──────────┼───┤",
         "└──────────┴───┘",
         "│          │   │"},
        {{1}, 3, "┌─┐", "├─┤", "└─┘", "│ │"},
    };
    for (const Case& c : cases) {
        auto listing = Make(c.widths);
        EXPECT_EQ(c.lineWidth, listing->lineWidth);
        EXPECT_EQ(c.top, Utf8(listing->topLine));
        EXPECT_EQ(c.separator, Utf8(listing->separatorLine));
        EXPECT_EQ(c.bottom, Utf8(listing->bottomLine));
        EXPECT_EQ(c.emptyRow, Utf8(listing->emptyRowLine));
    }
}

TEST_F(TextListingTest, NoColumnsLeaveTheDefaultWidthAndNoFrames) {
    auto listing = Make();
    listing->BuildFrameLines();
    EXPECT_EQ(78, listing->lineWidth);
    EXPECT_TRUE(listing->topLine.empty());
}

TEST_F(TextListingTest, FramedLineFitsEachCellToItsColumn) {
    auto listing = Make({4, 255, 3});
    EXPECT_EQ("│ab  │xyz│", Utf8(listing->FramedLine({"ab"_t, "xyzw"_t})));
    EXPECT_EQ("│    │   │", Utf8(listing->FramedLine({})));
}

TEST_F(TextListingTest, HeadingLinesEndWithThePageAndTheDate) {
    const std::string firm = "Příspěvková organizace Luna";  // 27 characters
    const std::string address = "Hlavní 12, Brno";           // 15 characters
    struct Case {
        Text programDate;
        bool systemDateTime;
        std::string dateText;
    } cases[] = {
        {"29. 2.2024"_t, false, "Datum  : 29. 2.2024"},
        {{}, false, "Datum  :  5. 3.2024"},  // no program date: today
        {"29. 2.2024"_t, true, " 5. 3.2024 08:07:06"},
    };
    for (const Case& c : cases) {
        env_.programDate = c.programDate;
        env_.systemDateTime = c.systemDateTime;
        auto listing = Make();
        listing->PageHeading();
        listing->CloseListingFile();
        const auto lines = ListingLines(listing->FileName());
        ASSERT_EQ(4u, lines.size());
        EXPECT_EQ(firm + Spaces(59 - 27) + "Strana :          1", lines[0]);
        EXPECT_EQ(address + Spaces(59 - 15) + c.dateText, lines[1]);
        EXPECT_EQ("", lines[2]);
        EXPECT_EQ("", lines[3]);
        EXPECT_EQ(4, listing->lineCounter);
    }
}

TEST_F(TextListingTest, WholeFramedListingOverSeveralPages) {
    env_.defaultNarrowLength = 20;
    auto listing = Make({30, 3, 12});
    listing->titles = {"KONTROLNÍ VÝPIS"_t, "za období 1-6/2024"_t, {}, {}};
    listing->framedHeader[0] = FromUtf8("│Účet                          │Typ│      Částka│");
    listing->PageHeading();
    for (int i = 1; i <= 14; ++i) {
        const Text account = "Řádek "_t + Text::FromBytes(std::to_string(i));
        listing->WriteLineWithRoom(listing->FramedLine({account, "A"_t, "        1,00"_t}), 2);
    }
    listing->WriteLine(listing->bottomLine);
    listing->CloseListingFile();
    testing::ExpectGolden("framed_listing.txt", ListingText(listing->FileName()));
}

TEST_F(TextListingTest, ADetailLineWithoutRoomClosesThePageAndStartsTheNext) {
    auto listing = Make({78});  // 80 characters: the narrow page length applies
    ASSERT_EQ(80, listing->lineWidth);
    ASSERT_EQ(60, listing->narrowLength);
    for (int i = 0; i < 58; ++i)
        listing->WriteLine("x"_t);
    listing->WriteLineWithRoom("detail"_t, 2);
    listing->CloseListingFile();
    const auto lines = ListingLines(listing->FileName());
    ASSERT_EQ(58u + 1 + 1 + 4 + 1, lines.size());
    EXPECT_EQ("└" + Repeated("─", 78) + "┘", lines[58]);
    EXPECT_EQ("\f", lines[59]);
    EXPECT_EQ("Strana :          2", lines[60].substr(lines[60].size() - 19));
    EXPECT_EQ("detail", lines.back());
    EXPECT_EQ(2, listing->pageNumber);
    EXPECT_EQ(5, listing->lineCounter);
}

TEST_F(TextListingTest, RoomDependsOnTheLineWidthsPageLength) {
    struct Case {
        int lineWidth;
        std::uint8_t narrow;
        std::uint8_t wide;
        int counter;
        int needed;
        bool room;
    } cases[] = {
        {80, 60, 40, 57, 2, true},     // 59 < 60
        {80, 60, 40, 58, 2, false},    // 60 is not below 60
        {81, 60, 40, 38, 2, false},    // wider than 80: the wide length
        {81, 60, 40, 37, 2, true},     //
        {81, 60, 40, 57, 2, false},    //
        {80, 0, 0, 100000, 13, true},  // endless paper
        {81, 60, 0, 500, 3, true},     // no wide length: endless for wide printouts
    };
    auto listing = Make();
    for (const Case& c : cases) {
        listing->lineWidth = static_cast<std::uint16_t>(c.lineWidth);
        listing->narrowLength = c.narrow;
        listing->wideLength = c.wide;
        listing->lineCounter = c.counter;
        EXPECT_EQ(c.room, listing->HasRoom(c.needed))
            << c.lineWidth << " " << c.counter << "+" << c.needed;
    }
}

TEST_F(TextListingTest, EndlessPaperNeverBreaksThePage) {
    env_.defaultNarrowLength = 0;
    env_.defaultWideLength = 0;
    auto listing = Make({20});
    for (int i = 0; i < 500; ++i)
        listing->WriteLineWithRoom("řádek"_t, 3);
    listing->CloseListingFile();
    const std::string bytes = testing::ReadBytes(listing->FileName());
    EXPECT_EQ(std::string::npos, bytes.find('\f'));
    EXPECT_EQ(1, listing->pageNumber);
    EXPECT_EQ(500, listing->lineCounter);
}

TEST_F(TextListingTest, AFormFeedTextStartsAPageWithoutHeadingOrFrame) {
    for (const Text& feed : {"\f"_t, "\f rest"_t, "\r\n\f"_t}) {
        auto listing = Make({10});
        listing->WriteLine("a"_t);
        listing->WriteLine(feed);
        listing->WriteLine("b"_t);
        listing->CloseListingFile();
        EXPECT_EQ("a\r\n\f\r\nb\r\n", testing::ReadBytes(listing->FileName()));
        EXPECT_EQ(2, listing->pageNumber);
        EXPECT_EQ(1, listing->lineCounter);
    }
}

TEST_F(TextListingTest, PlainHeaderEndsWithALineOfTheWidth) {
    auto listing = Make();
    listing->lineWidth = 30;
    listing->plainHeader = {"Účet    Název"_t, {}, {}};
    listing->PageHeading();
    listing->plainHeader = {"Účet"_t, "druhý"_t, "==="_t};
    listing->PageHeading();
    listing->CloseListingFile();
    const auto lines = ListingLines(listing->FileName());
    ASSERT_EQ(6u + 4u + 3u, lines.size());
    EXPECT_EQ("Účet    Název", lines[4]);
    EXPECT_EQ(Repeated("─", 30), lines[5]);
    EXPECT_EQ((std::vector<std::string>{"Účet", "druhý", "==="}),
              std::vector<std::string>(lines.begin() + 10, lines.end()));
}

TEST_F(TextListingTest, PageLengthsComeFromTheOutputSettings) {
    OutputSettings s;
    s.kind = 2;
    s.narrowLength[2] = 50;
    s.wideLength[2] = 19;  // below 20: the installation's default
    settings_ = s;
    auto listing = Make();
    EXPECT_EQ(50, listing->narrowLength);
    EXPECT_EQ(40, listing->wideLength);
}

TEST_F(TextListingTest, AWorkDirectoryThatTakesNoFileGivesNoListing) {
    data_.workDirectory = work_ / "missing";
    ui_->QueueOk();
    EXPECT_EQ(nullptr, CreateListing(env_));
    ASSERT_EQ(1u, ui_->Transcript().size());
    EXPECT_EQ(std::vector<std::string>{"Chyba 2, při zakládání textového souboru pro výstup."},
              ui_->Transcript()[0].lines);
}

TEST_F(TextListingTest, DestroyingDeletesTheListingUnlessHandedOver) {
    fs::path kept;
    {
        auto listing = Make();
        listing->WriteLine("x"_t);
        kept = listing->FileName();
        EXPECT_TRUE(fs::exists(kept));
        EXPECT_EQ(0, kept.filename().string().rfind("!OP", 0));
    }
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_TRUE(testing::FileNames(WorkDir()).empty());
}

/// A descendant that records the hooks it runs and writes a few lines.
class Protocol : public TextListing {
  public:
    Protocol(const ListingEnvironment& env, bool body, bool show, int mode)
        : TextListing(env), body_(body), show_(show), mode_(mode) {}
    std::vector<std::string> calls;
    bool fileOpenInOwnOutput = false;

    bool OpenInputs() override {
        calls.push_back("OpenInputs");
        outputMode = mode_;
        return true;
    }
    void PrepareHeading() override {
        TextListing::PrepareHeading();
        calls.push_back("PrepareHeading");
        printoutName = "Protokol chyb"_t;
        columnWidths[0] = 20;
        BuildFrameLines();
    }
    bool Collect() override {
        calls.push_back("Collect");
        return true;
    }
    bool Body() override {
        calls.push_back("Body");
        PageHeading();
        WriteLineWithRoom(FramedLine({"chybný řádek"_t}), 2);
        WriteLine(bottomLine);
        return body_;
    }
    void CloseInputs() override {
        calls.push_back("CloseInputs");
        TextListing::CloseInputs();
    }
    void OnFailed() override { calls.push_back("OnFailed"); }
    bool MayShow() override {
        calls.push_back("MayShow");
        return show_;
    }
    void OwnOutput() override {
        calls.push_back("OwnOutput");
        fileOpenInOwnOutput = FileOpen();
    }

  private:
    bool body_;
    bool show_;
    int mode_;
};

TEST_F(TextListingTest, RunCallsTheHooksAndShowsThePrintout) {
    using V = std::vector<std::string>;
    const V start = {"OpenInputs", "PrepareHeading", "Collect", "Body", "CloseInputs"};
    struct Case {
        bool body;
        bool show;
        int mode;
        V tail;
        std::size_t shown;
    } cases[] = {
        {true, true, 0, {"MayShow"}, 1},
        {true, true, 1, {"MayShow"}, 1},
        {false, true, 0, {"OnFailed"}, 0},
        {true, false, 0, {"MayShow"}, 0},
        {true, true, 2, {"MayShow", "OwnOutput"}, 0},
    };
    for (const Case& c : cases) {
        ui_->ClearTranscript();
        auto listing = CreateListing<Protocol>(env_, c.body, c.show, c.mode);
        ASSERT_NE(nullptr, listing);
        listing->Run();
        V expected = start;
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(expected, listing->calls);
        EXPECT_EQ(c.mode == 2, listing->fileOpenInOwnOutput);
        ASSERT_EQ(c.shown, ShownFiles().size());
        if (c.shown) {
            EXPECT_EQ("Protokol chyb", ui_->Transcript().back().title);
            const std::string shown = testing::ReadBytes(ShownFiles()[0]);
            EXPECT_NE(std::string::npos, shown.find("│chybný řádek        │\n"));
            EXPECT_TRUE(listing->HandedOver());
            // The shown printout is the user's; the listing file is gone.
            EXPECT_FALSE(fs::exists(listing->FileName()));
            fs::remove(ShownFiles()[0]);
        }
    }
    EXPECT_TRUE(testing::FileNames(WorkDir()).empty());
}

TEST_F(TextListingTest, StopOnTheProgressPanelStopsTheSteps) {
    auto listing = Make();
    EXPECT_FALSE(listing->ProgressStep());  // no panel
    EXPECT_FALSE(listing->stopped);
    listing->printoutName = "Kontrola"_t;
    listing->progressCaption = "Probíhá kontrola"_t;
    ui_->StopProgressAtStep(3);
    ui_->QueueButton(2);  // "<Esc>ano": abort
    listing->StartProgress(10, 1);
    ASSERT_NE(nullptr, listing->Progress());
    EXPECT_TRUE(listing->ProgressStep());
    EXPECT_TRUE(listing->ProgressStep());
    EXPECT_FALSE(listing->ProgressStep());
    EXPECT_TRUE(listing->stopped);
    EXPECT_EQ((std::vector<std::string>{"Probíhá kontrola", "Kontrola"}),
              ui_->Transcript()[0].lines);
    listing->EndProgress();
    EXPECT_EQ(nullptr, listing->Progress());
}

TEST_F(TextListingTest, StartProgressWithoutMaximumOpensNoPanel) {
    auto listing = Make();
    listing->StartProgress(0, 1);
    EXPECT_EQ(nullptr, listing->Progress());
    EXPECT_TRUE(ui_->Transcript().empty());
}

#pragma pack(push, 1)
struct Line {
    StrN<10> account;
    std::int32_t number = 0;
};
#pragma pack(pop)

TEST_F(TextListingTest, SortFileGivesTheRecordsBackInKeyOrder) {
    auto listing = Make();
    storage::FieldList fields;
    storage::AddField(fields, "UCET"_t, "STR10"_t);
    storage::AddField(fields, "CISLO"_t, "LONGINT"_t);
    ASSERT_TRUE(listing->CreateSortFile(
        {}, sizeof(Line), fields,
        [](const void* r) { return FixedKeyText(static_cast<const Line*>(r)->account, 10); }, 10));
    const std::pair<const char*, int> input[] = {
        {"518", 1}, {"311", 2}, {"501", 3}, {"311", 4}, {"021", 5}};
    for (const auto& [account, number] : input) {
        Line r;
        r.account = FromUtf8(account);
        r.number = number;
        ASSERT_TRUE(listing->AddSortRecord(&r));
    }
    std::vector<std::pair<std::string, int>> order;
    listing->RewindSort();
    Line r;
    while (listing->NextSortRecord(&r))
        order.emplace_back(ToUtf8(r.account.Get()), r.number);
    const std::vector<std::pair<std::string, int>> expected = {
        {"021", 5}, {"311", 2}, {"311", 4}, {"501", 3}, {"518", 1}};
    EXPECT_EQ(expected, order);
    listing->CloseInputs();
    EXPECT_EQ(nullptr, listing->SortFile());
    // Only the listing file stays in the work directory.
    EXPECT_EQ(std::vector<std::string>{listing->FileName().filename().string()},
              testing::FileNames(WorkDir()));
}

}  // namespace
}  // namespace axo::ui
