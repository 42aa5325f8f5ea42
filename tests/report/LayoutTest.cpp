// Pagination with fixed-advance metrics: the order of sections, page breaks by space and by
// the section flags, headers and footers of every page, continued texts, columns, groups on
// new pages, the report end aligned to the footer, the total page count, the end page, the
// character raster, stacking order, drawing areas and detail reports continued on further
// pages, and bands or sections taller than a page, which must not add pages for ever.
#include "LayoutTestSupport.h"
#include "report/layout/Canvas.h"

namespace axo::report::test {
namespace {

using Cell = RowsBridge::Cell;

/// A sheet of 600 x 400 units without margins: report start 20, page header 40, body 50,
/// report end 30, page footer 30 high. Page 1 holds six bodies, later pages six as well.
std::string Sheet(const std::string& extra = "", int startFlags = 0, int headerFlags = 0,
                  int bodyFlags = 0, int endFlags = 0, int footerFlags = 0, int columns = 1) {
    std::ostringstream s;
    s << "I,2,0,600,400,0,0,0,0," << columns << ",0\n"
      << "I,3,0,1,20," << startFlags << "\n"
      << "I,3,1,1,40," << headerFlags << "\n"
      << "I,3,2,1,50," << bodyFlags << "\n"
      << "I,3,3,1,30," << endFlags << "\n"
      << "I,3,4,1,30," << footerFlags << "\n"
      << El("Z", 1, "0", 0, 0, 100, 14, "Začátek") << "\n"
      << El("H", 5, "3", 0, 0, 100, 14) << "\n"
      << El("K", 1, "0", 0, 0, 100, 14, "Konec") << "\n"
      << El("P", 5, "3", 0, 0, 100, 14) << "\n"
      << extra;
    return s.str();
}

const std::string kBodyN = El("T", 2, "N", 0, 0, 100, 14);

class LayoutTest : public ::testing::Test {
  protected:
    /// Records of the field N (and G, a group field) numbered from 1.
    TSestVystup Run(const std::string& templateText, int records,
                    const std::vector<std::string>& groups = {}) {
        std::vector<std::vector<Cell>> rows;
        for (int i = 1; i <= records; ++i)
            rows.push_back(
                {std::to_string(i), groups.empty() ? "" : groups[static_cast<std::size_t>(i - 1)]});
        bridge_ = std::make_unique<RowsBridge>(
            std::vector<Column>{{"N", kFtString}, {"G", kFtString}}, rows);
        report_.dataSource = bridge_.get();
        ReadTemplate(report_, Lines(templateText));
        return LayOut(report_);
    }

    TSestavaTyp report_;
    std::unique_ptr<RowsBridge> bridge_;
};

TEST_F(LayoutTest, SectionsAndPagesInTheirOrder) {
    struct Case {
        const char* what;
        std::string templateText;
        int records;
        std::vector<std::string> pages;
    } cases[] = {
        {"no records: every fixed section and one empty body",
         Sheet(kBodyN),
         0,
         {"Z:Začátek H:1 T: K:Konec P:1"}},
        {"three records", Sheet(kBodyN), 3, {"Z:Začátek H:1 T:1 T:2 T:3 K:Konec P:1"}},
        {"a body that does not fit begins the next page, after the footer",
         Sheet(kBodyN),
         8,
         {"Z:Začátek H:1 T:1 T:2 T:3 T:4 T:5 T:6 P:1", "H:2 T:7 T:8 K:Konec P:2"}},
        {"page break after the report start",
         Sheet(kBodyN, 1),
         2,
         {"Z:Začátek P:1", "H:2 T:1 T:2 K:Konec P:2"}},
        {"no header on the first page",
         Sheet(kBodyN, 0, 1),
         7,
         {"Z:Začátek T:1 T:2 T:3 T:4 T:5 T:6 T:7 P:1", "H:2 K:Konec P:2"}},
        {"no header on pages begun by a break",
         Sheet(kBodyN, 0, 2),
         8,
         {"Z:Začátek H:1 T:1 T:2 T:3 T:4 T:5 T:6 P:1", "T:7 T:8 K:Konec P:2"}},
        {"every body on a new page",
         Sheet(kBodyN, 0, 0, 1),
         2,
         {"Z:Začátek H:1 T:1 P:1", "H:2 T:2 K:Konec P:2"}},
        {"page break before the report end",
         Sheet(kBodyN, 0, 0, 0, 1),
         1,
         {"Z:Začátek H:1 T:1 P:1", "H:2 K:Konec P:2"}},
        {"no footer on the last page",
         Sheet(kBodyN, 0, 0, 0, 0, 1),
         8,
         {"Z:Začátek H:1 T:1 T:2 T:3 T:4 T:5 T:6 P:1", "H:2 T:7 T:8 K:Konec"}},
        {"footer only on the first page",
         Sheet(kBodyN, 0, 0, 0, 0, 2),
         8,
         {"Z:Začátek H:1 T:1 T:2 T:3 T:4 T:5 T:6 P:1", "H:2 T:7 T:8 K:Konec"}},
        // A report of one page keeps its footer also when it is printed on the first page
        // only: that page is the first.
        {"one page, footer only on the first page",
         Sheet(kBodyN, 0, 0, 0, 0, 2),
         2,
         {"Z:Začátek H:1 T:1 T:2 K:Konec P:1"}},
        {"a body condition that fails prints nothing of it",
         Sheet(El("T", 2, "N", 0, 0, 100, 14, "", 0, "#N <> '2'")),
         3,
         {"Z:Začátek H:1 T:1 T:3 K:Konec P:1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.pages, Summary(Run(c.templateText, c.records)));
    }
}

TEST_F(LayoutTest, GroupsBreakPagesAndCountTheirRows) {
    const std::string groups = "I,4,0,\"G\",1,20,1,20,1\n" + El("S0", 2, "G", 0, 0, 100, 14) +
                               "\n" + El("U0", 5, "5", 0, 0, 100, 14) + "\n" + kBodyN;
    EXPECT_EQ((std::vector<std::string>{"Z:Začátek H:1 S0:a T:1 T:2 U0:2 P:1",
                                        "H:2 S0:b T:3 U0:1 K:Konec P:2"}),
              Summary(Run(Sheet(groups), 3, {"a", "a", "b"})));
}

TEST_F(LayoutTest, TheTotalPageCountStandsOnEveryPage) {
    const std::string total = El("P", 5, "4", 200, 0, 100, 14);
    const TSestVystup out = Run(Sheet(kBodyN + "\n" + total), 20);
    ASSERT_EQ(4, out.PageCount());
    for (const TStranaPrvku& page : out.pages)
        for (const TVystPrvek& p : page.elements)
            if (p.section == kPageFooter && p.left == 200) {
                EXPECT_EQ("4", ToUtf8(p.lines.LineText(0)));
            }
}

TEST_F(LayoutTest, TheRunStopsAfterTheRecordThatPassesTheEndPage) {
    report_.endPage = 2;
    const TSestVystup out = Run(Sheet(kBodyN), 20);
    ASSERT_EQ(3, out.PageCount());
    EXPECT_EQ("H:3", Summary(out)[2]);
}

TEST_F(LayoutTest, AVariableTextContinuesOnFurtherPages) {
    std::string text;
    for (int i = 1; i <= 55; ++i)
        text += (i > 1 ? "\n" : "") + std::string("L") + std::to_string(i);
    std::vector<std::vector<Cell>> rows = {{text}};
    bridge_ = std::make_unique<RowsBridge>(std::vector<Column>{{"TEXT", kFtString}}, rows);
    report_.dataSource = bridge_.get();
    ReadTemplate(report_, Lines(Sheet(El("T", 2, "TEXT", 0, 0, 100, 14, "", 0x40))));
    const TSestVystup out = LayOut(report_);
    // Room on page 1 (400 - 30 - 60 = 310 units) takes 22 lines of 1000/72 units, further
    // pages (330 units) 23: the text ends on page 3 with 10 lines.
    ASSERT_EQ(3, out.PageCount());
    const std::vector<std::string> pages = Summary(out);
    EXPECT_EQ(0u, pages[1].rfind("H:2 T:L23/", 0)) << pages[1];
    EXPECT_NE(std::string::npos, pages[1].find("/L45 P:2")) << pages[1];
    EXPECT_EQ(0u, pages[2].rfind("H:3 T:L46/", 0)) << pages[2];
    // The report end follows the text: its bottom (40 + 139) less the element's 14, plus the
    // body's 50.
    EXPECT_EQ((std::vector<int>{215}), TopsOf(out, 3, "Konec"));
}

TEST_F(LayoutTest, TwoColumnsAlternateAndAGroupClosesTheRow) {
    const std::string groups =
        "I,4,0,\"G\",1,20,1,0,0\n" + El("S0", 2, "G", 0, 0, 100, 14) + "\n" + kBodyN;
    const TSestVystup out = Run(Sheet(groups, 0, 0, 0, 0, 0, 2), 4, {"a", "a", "a", "b"});
    std::vector<std::string> placed;
    for (const TVystPrvek& p : out.pages[0].elements)
        if (p.section == kBody)
            placed.push_back(ToUtf8(p.lines.LineText(0)) + "@" + std::to_string(p.left) + "," +
                             std::to_string(p.top));
    std::sort(placed.begin(), placed.end());
    // Row 1: 1 and 2 side by side; row 2: 3 alone, closed by the group change; b below.
    EXPECT_EQ((std::vector<std::string>{"1@0,80", "2@300,80", "3@0,130", "4@0,200"}), placed);
}

TEST_F(LayoutTest, TheReportEndAlignedToTheFooter) {
    // Directly above the footer; on a new page when the bodies went below that position.
    EXPECT_EQ((std::vector<int>{340}), TopsOf(Run(Sheet(kBodyN, 0, 0, 0, 2), 3), 1, "Konec"));
    const TSestVystup full = Run(Sheet(kBodyN, 0, 0, 0, 2), 6);
    ASSERT_EQ(2, full.PageCount());
    EXPECT_EQ((std::vector<int>{340}), TopsOf(full, 2, "Konec"));
}

TEST_F(LayoutTest, TheCharacterRasterRoundsTheRows) {
    // Lines of 16.667 units: the header's 40 end at 33, the bodies' 20 step to 50 and 67.
    const std::string raster = "I,6,1,8,8,0,1,0,0\nI,3,2,1,20,0\nI,3,0,0,20,0\n" + kBodyN;
    const TSestVystup out = Run(Sheet(raster), 3);
    std::vector<int> tops;
    for (const TVystPrvek& p : out.pages[0].elements)
        if (p.section == kBody)
            tops.push_back(p.top);
    std::sort(tops.begin(), tops.end());
    EXPECT_EQ((std::vector<int>{33, 50, 67}), tops);
}

TEST_F(LayoutTest, GraphicsLieBelowTheTexts) {
    const std::string rect = "T,8,0,0,0,100,20,,1,0,0,0,15,0,\"\",,,,\"\",0,\"\"";
    const TSestVystup out = Run(Sheet(kBodyN + "\n" + rect), 1);
    std::vector<int> bodyKinds;
    for (const TVystPrvek& p : out.pages[0].elements)
        if (p.section == kBody)
            bodyKinds.push_back(p.Kind());
    EXPECT_EQ((std::vector<int>{kRectangle, kDataField}), bodyKinds);
}

TEST_F(LayoutTest, WhatIsTallerThanAPageDoesNotAddPagesForEver) {
    // A body taller than the page: one page a record after the first page's header, no empty
    // pages between, and a message.
    const TSestVystup tall = Run(Sheet("I,3,2,1,500,0\n" + kBodyN), 3);
    EXPECT_EQ((std::vector<std::string>{"Z:Začátek H:1 P:1", "H:2 T:1 P:2", "H:3 T:2 P:3",
                                        "H:4 T:3 P:4", "H:5 K:Konec P:5"}),
              Summary(tall));
    ASSERT_EQ(1u, tall.messages.size());
    EXPECT_EQ("Oddíl \"Tělo sestavy\" je vyšší než místo na stránce.", ToUtf8(tall.messages[0]));
    // A variable text whose lines are each taller than a page: one line a page.
    std::vector<std::vector<Cell>> rows = {{"A\nB\nC"}};
    bridge_ = std::make_unique<RowsBridge>(std::vector<Column>{{"TEXT", kFtString}}, rows);
    report_.dataSource = bridge_.get();
    std::string big = El("T", 2, "TEXT", 0, 0, 600, 14, "", 0x40);
    big.replace(big.find(",Arial,10,"), 10, ",Arial,400,");
    ReadTemplate(report_, Lines(Sheet(big)));
    const TSestVystup lines = LayOut(report_);
    EXPECT_EQ((std::vector<std::string>{"Z:Začátek H:1 T:A P:1", "H:2 T:B P:2", "H:3 T:C P:3",
                                        "H:4 K:Konec P:4"}),
              Summary(lines));
    EXPECT_FALSE(lines.messages.empty());
}

TEST_F(LayoutTest, AVariableDrawingAreaContinuesWhileItsHostHasMore) {
    // A drawing area in the body (variable height, factor 1) whose host paints `total` units
    // of drawing into the room it is given, page by page.
    struct Piece {
        int page, top, height;
        bool operator==(const Piece&) const = default;
    };
    const struct {
        const char* name;
        int total;  ///< units the host draws; 0: a host whose position stays at 1
        std::vector<Piece> pieces;
        std::vector<std::string> pages;
        bool message;
    } cases[] = {
        // Page 1 has 310 units below the header and the start (400 - 30 - 60), later pages 330.
        {"three pages",
         700,
         {{1, 60, 310}, {2, 40, 330}, {3, 40, 60}},
         {"Z:Začátek H:1 P:1", "H:2 P:2", "H:3 K:Konec P:3"},
         false},
        {"fits at once", 20, {{1, 60, 50}}, {"Z:Začátek H:1 K:Konec P:1"}, false},
        // A host that asks for more without advancing gets one further page (its last piece
        // fills the room it was given, so the report end needs a page of its own), a message.
        {"stuck",
         0,
         {{1, 60, 310}, {2, 40, 330}},
         {"Z:Začátek H:1 P:1", "H:2 P:2", "H:3 K:Konec P:3"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int calls = 0;
        report_.events.onPaintBoxSize = [&](TSestavaTyp&, int, int width, int& height, int& pos,
                                            int& next, TCanvas& canvas) {
            ++calls;
            canvas.Rectangle(0, 0, width, height, nullptr, nullptr);
            if (c.total == 0) {
                next = 1;
            } else if (pos + height < c.total) {
                next = pos + height;
            } else {
                height = c.total - pos;
                next = 0;
            }
        };
        const TSestVystup out =
            Run(Sheet("T,13,0,0,0,200,50,,1,0,0,64,15,1,\"\",,,,\"\",0,\"\"\n"), 1);
        std::vector<Piece> pieces;
        for (std::size_t page = 0; page < out.pages.size(); ++page)
            for (const TVystPrvek& p : out.pages[page].elements)
                if (p.look && p.look->kind == kDrawingArea) {
                    EXPECT_TRUE(p.picture);
                    pieces.push_back({static_cast<int>(page) + 1, p.top, p.height});
                }
        EXPECT_EQ(c.pieces.size(), pieces.size());
        for (std::size_t i = 0; i < std::min(c.pieces.size(), pieces.size()); ++i)
            EXPECT_EQ(c.pieces[i], pieces[i])
                << "piece " << i << ": page " << pieces[i].page << " top " << pieces[i].top
                << " height " << pieces[i].height;
        EXPECT_EQ(c.pages, Summary(out));
        EXPECT_EQ(static_cast<int>(c.pieces.size()), calls);
        EXPECT_EQ(c.message, !out.messages.empty());
    }
}

TEST_F(LayoutTest, ADetailReportRunsInPlaceOfItsPlaceholder) {
    // The master's body: its record number and below it detail 0 (20 high); the detail's
    // body is one row of 20 units per detail record.
    const struct {
        const char* name;
        int rows;
        std::vector<std::string> pages;
        std::vector<int> topsOnPage1;  ///< of the detail's first row text "d1"
        int end;                       ///< the top of the report end on the last page
    } cases[] = {
        {"three rows below the master's line, the master goes on below them",
         3,
         {"Z:Začátek H:1 T:1 T:d1 T:d2 T:d3 K:Konec P:1"},
         {74},
         60 + 14 + 60 - 34 + 50},
        {"no rows: nothing in place", 0, {"Z:Začátek H:1 T:1 K:Konec P:1"}, {}, 60 + 50},
        // Fourteen rows fit above the footer (74 to 334); the rest continue below the
        // master's header on the next page, and the master goes on where they ended.
        {"rows past the page",
         16,
         {"Z:Začátek H:1 T:1 T:d1 T:d2 T:d3 T:d4 T:d5 T:d6 T:d7 T:d8 T:d9 T:d10 T:d11 T:d12 "
          "T:d13 T:d14 P:1",
          "H:2 T:d15 T:d16 K:Konec P:2"},
         {74},
         40 + 40 - 34 + 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<Cell>> detailRows;
        for (int i = 1; i <= c.rows; ++i)
            detailRows.push_back({"d" + std::to_string(i)});
        RowsBridge detailData(std::vector<Column>{{"D", kFtString}}, detailRows);
        TSestDetail detail;
        detail.dataSource = &detailData;
        ReadTemplate(detail, Lines("I,3,2,1,20,0\n" + El("T", 2, "D", 0, 0, 100, 14) + "\n"));
        report_.AttachDetail(detail);
        const TSestVystup out = Run(Sheet(kBodyN + "\nT,15,0,0,14,200,20\n"), 1);
        report_.DetachDetail(detail);
        EXPECT_EQ(c.pages, Summary(out));
        if (!c.topsOnPage1.empty()) {
            EXPECT_EQ(c.topsOnPage1, TopsOf(out, 1, "d1"));
        }
        // The master goes on where the detail ended less the placeholder's top and height,
        // then its body's height.
        EXPECT_EQ(std::vector<int>{c.end},
                  TopsOf(out, static_cast<int>(out.pages.size()), "Konec"));
    }
}

TEST_F(LayoutTest, AnUnpaginatedRunIsOnePage) {
    TLayoutOptions continuous;
    continuous.unpaginated = true;
    std::vector<std::vector<Cell>> rows;
    for (int i = 1; i <= 30; ++i)
        rows.push_back({std::to_string(i), ""});
    bridge_ =
        std::make_unique<RowsBridge>(std::vector<Column>{{"N", kFtString}, {"G", kFtString}}, rows);
    report_.dataSource = bridge_.get();
    ReadTemplate(report_, Lines(Sheet(kBodyN)));
    const TSestVystup out = LayOut(report_, continuous);
    ASSERT_EQ(1, out.PageCount());
    EXPECT_EQ((std::vector<int>{60 + 30 * 50}), TopsOf(out, 1, "Konec"));
}

}  // namespace
}  // namespace axo::report::test
