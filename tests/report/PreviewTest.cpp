// The print preview and its print dialog without a window: the page range and navigation, the
// go-to-page clamping, the zoom steps with Ctrl + wheel, the wheel and drag of the middle
// button, the keys, the names files are saved under, and what the print dialog hands to the
// print.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "report/output/ReportPrint.h"
#include "report/preview/Preview.h"
#include "report/preview/PreviewScript.h"
#include "support/ScratchDir.h"
#include "ui/ScriptedUi.h"

namespace axo::report {
namespace {

namespace fs = std::filesystem;

TSestVystup Pages(int count, int start = 1, int end = 9999) {
    TSestVystup out;
    out.pages.resize(static_cast<std::size_t>(count));
    out.startPage = start;
    out.endPage = end;
    return out;
}

TEST(Preview, ZoomPercentagesBecomeSteps) {
    const std::pair<int, int> cases[] = {{100, 6}, {32, 0},   {10, 0},   {40, 1},  {50, 2},
                                         {64, 3},  {75, 4},   {83, 5},   {120, 7}, {150, 8},
                                         {200, 9}, {300, 10}, {1000, 10}};
    for (const auto& [percent, step] : cases)
        EXPECT_EQ(step, ZoomStepFor(percent)) << percent;
    EXPECT_EQ("32 %"_t, ZoomCaption(0));
    EXPECT_EQ("83 %"_t, ZoomCaption(5));
    EXPECT_EQ("300 %"_t, ZoomCaption(10));
}

TEST(Preview, StepsOverATableOfCases) {
    struct Case {
        const char* name;
        int pages, start, end;
        bool edit;
        std::string steps;
        int page;  ///< the page shown afterwards
        int zoomStep;
        bool closed, result;
        bool canPrior, canNext;
    } cases[] = {
        {"opens on the range's first page", 5, 2, 3, false, "", 2, 6, false, true, false, true},
        {"next stays in the range", 5, 2, 3, false, "key:PgDn key:PgDn key:PgDn", 3, 6, false, true,
         true, false},
        {"last and first of the range", 5, 2, 3, false, "key:CtrlPgDn key:CtrlPgUp", 2, 6, false,
         true, false, true},
        {"prior at the first page", 5, 1, 9999, false, "key:PgUp", 1, 6, false, true, false, true},
        {"Ctrl+PgDn to the last page", 5, 1, 9999, false, "key:CtrlPgDn", 5, 6, false, true, true,
         false},
        {"go to page 0 shows page 1", 5, 1, 9999, false, "page=0", 1, 6, false, true, false, true},
        {"go to page 99 shows the last", 5, 1, 9999, false, "page=99", 5, 6, false, true, true,
         false},
        {"a range past the pages is clamped", 3, 5, 9, false, "", 3, 6, false, true, false, false},
        {"Ctrl+wheel stops at 300 %", 2, 1, 9999, false, "zoom=300 ctrl-wheel=3", 1, 10, false,
         true, false, true},
        {"Ctrl+wheel stops at 32 %", 2, 1, 9999, false, "zoom=32 ctrl-wheel=-2", 1, 0, false, true,
         false, true},
        {"one step a notch", 2, 1, 9999, false, "ctrl-wheel=1 ctrl-wheel=1", 1, 8, false, true,
         false, true},
        {"the wheel turns pages while dragging", 4, 1, 9999, false, "drag-wheel=-2", 3, 6, false,
         true, true, true},
        {"and back", 4, 1, 9999, false, "page=4 drag-wheel=1", 3, 6, false, true, true, true},
        {"Esc closes the preview", 2, 1, 9999, false, "key:Esc next", 1, 6, true, true, false,
         true},
        {"Esc returns to the designer when editing", 2, 1, 9999, true, "key:Esc", 1, 6, true, false,
         false, true},
        {"Ctrl+E only when editing is allowed", 2, 1, 9999, false, "key:CtrlE", 1, 6, false, true,
         false, true},
        {"Ctrl+E when it is", 2, 1, 9999, true, "key:CtrlE", 1, 6, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::ScriptedUi ui;
        TFontFiles fonts;
        TSestVystup out = Pages(c.pages, c.start, c.end);
        TPreviewOptions options;
        options.editAllowed = c.edit;
        TFormSestP p(ui, out, fonts, options);
        ApplyPreviewSteps(p, ParsePreviewSteps(c.steps));
        EXPECT_EQ(c.page, p.CurrentPage());
        EXPECT_EQ(c.zoomStep, p.ZoomStep());
        EXPECT_EQ(c.closed, p.Closed());
        if (c.closed) {
            EXPECT_EQ(c.result, p.Result());
        }
        EXPECT_EQ(c.canPrior, p.CanPrior());
        EXPECT_EQ(c.canNext, p.CanNext());
    }
}

TEST(Preview, PaperScrollsWithTheKeysAndTheDragAndIsCentredWhenSmaller) {
    ui::ScriptedUi ui;
    TFontFiles fonts;
    TSestVystup out = Pages(1);
    TFormSestP p(ui, out, fonts);
    // A4 portrait at 100 %: 8.27 x 11.69 inches at 96 dots per inch.
    EXPECT_EQ(794, p.PaperWidth());
    EXPECT_EQ(1122, p.PaperHeight());
    ApplyPreviewSteps(p, ParsePreviewSteps("viewport=400,300 key:Down key:Down key:Right"));
    EXPECT_EQ(16, p.ScrollX());
    EXPECT_EQ(32, p.ScrollY());
    // The paper moves with the mouse: dragging up and left shows more of the lower right.
    ApplyPreviewSteps(p, ParsePreviewSteps("drag=200,200>150,100"));
    EXPECT_EQ(66, p.ScrollX());
    EXPECT_EQ(132, p.ScrollY());
    ApplyPreviewSteps(p, ParsePreviewSteps("drag=0,0>-5000,-5000"));
    EXPECT_EQ(794 - 400, p.ScrollX());
    EXPECT_EQ(1122 - 300, p.ScrollY());
    // At 32 % the paper is smaller than the view and stands in its middle.
    ApplyPreviewSteps(p, ParsePreviewSteps("viewport=1000,800 zoom=32"));
    EXPECT_EQ((1000 - p.PaperWidth()) / 2, p.PaperLeft());
    EXPECT_EQ(0, p.ScrollX());
    EXPECT_THROW(ParsePreviewSteps("key:F5"), PreviewScriptError);
    EXPECT_THROW(ParsePreviewSteps("page=x"), PreviewScriptError);
}

TEST(Preview, GoToPageAsksWithTheFirstPageOfTheRange) {
    ui::ScriptedUi ui;
    TFontFiles fonts;
    TSestVystup out = Pages(6, 3, 5);
    TFormSestP p(ui, out, fonts);
    ui.QueueValue("99");
    p.AskPage();
    EXPECT_EQ(6, p.CurrentPage());
    const ui::TranscriptEntry& asked = ui.Transcript().back();
    EXPECT_EQ("Výběr stránky", asked.title);
    EXPECT_NE(std::string::npos, asked.ToString().find("Stránka číslo:"));
}

TEST(Preview, SavedNamesAreLowerCasedInTheirFileNameOnly) {
    const struct {
        const char* chosen;
        const char* extension;
        const char* saved;
    } cases[] = {
        {"/data/Výstupy/Výkaz I.TXT", "txt", "/data/Výstupy/výkaz i.txt"},
        {"/data/Výstupy/STRANA", "wmf", "/data/Výstupy/strana.wmf"},
        {"vykaz.pdf", "pdf", "vykaz.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fs::u8path(c.saved), SaveName(fs::u8path(c.chosen), FromUtf8(c.extension)));
    EXPECT_EQ("Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*"_t,
              SaveDialogFor(SaveKind::Text).filter);
    EXPECT_EQ("wmf"_t, SaveDialogFor(SaveKind::MetafileAll).defaultExtension);
    EXPECT_EQ("Uložit jako PDF..."_t, SaveCaption(SaveKind::Pdf));
}

TEST(Preview, ThePrintDialogDecidesTheJob) {
    struct Case {
        const char* name;
        std::vector<std::string> printers;
        std::string dialog;  ///< empty: left with Esc
        int result;
        int first, last, copies;
        const char* message;
    } cases[] = {
        {"the range and copies of the dialog",
         {"kancelar", "sklad"},
         "od=2 do=3 kopie=2 tiskarna=sklad click:tisk",
         kPrinted,
         2,
         3,
         2,
         ""},
        {"the current page alone", {"kancelar"}, "aktualni=1 click:tisk", kPrinted, 4, 4, 1, ""},
        {"left", {"kancelar"}, "", kNothingToPrint, 0, 0, 0, ""},
        {"no printer installed",
         {},
         "click:tisk",
         kNoPrinter,
         0,
         0,
         0,
         "V systému není nainstalovaná žádná tiskárna."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::ScriptedUi ui;
        TFontFiles fonts;
        TSestVystup out = Pages(5);
        TFormSestP p(ui, out, fonts);
        p.GoToPage(4);
        p.printers = [&] { return c.printers; };
        TPrintJob job;
        job.first = job.last = job.copies = 0;
        p.print = [&](const TSestVystup&, const TPrintJob& j, std::string&) {
            job = j;
            return kPrinted;
        };
        if (c.dialog.empty())
            ui.QueueDialog("key:Esc");
        else
            ui.QueueDialog(c.dialog);
        if (*c.message)
            ui.QueueOk();
        EXPECT_EQ(c.result, p.Print());
        EXPECT_EQ(c.first, job.first);
        EXPECT_EQ(c.last, job.last);
        EXPECT_EQ(c.copies, job.copies);
        if (c.result == kPrinted) {
            EXPECT_EQ(c.printers[c.dialog.find("tiskarna=sklad") != std::string::npos ? 1 : 0],
                      job.printer);
            EXPECT_EQ("Tisková sestava", job.title);
        }
        if (*c.message) {
            EXPECT_NE(std::string::npos, ui.Transcript().back().ToString().find(c.message));
        }
    }
}

}  // namespace
}  // namespace axo::report

namespace axo::report {
namespace {

TEST(Preview, APdfForTheMailIsMadeHandedOverAndRemoved) {
    ui::ScriptedUi ui;
    TFontFiles fonts;
    TSestVystup out = Pages(2);
    TFormSestP p(ui, out, fonts);
    EXPECT_FALSE(p.SendPdfByMail());  // no host sends mail
    fs::path handed;
    std::string bytes;
    p.sendPdf = [&](const fs::path& pdf) {
        handed = pdf;
        std::ifstream in(pdf, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_TRUE(p.SendPdfByMail());
    EXPECT_EQ("sestava.pdf", handed.filename());
    EXPECT_EQ(0u, bytes.find("%PDF-"));
    EXPECT_FALSE(fs::exists(handed.parent_path()));
}

}  // namespace
}  // namespace axo::report
