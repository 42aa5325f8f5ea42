// A statement from the menu goes through the print form picker into the print preview: one
// fitting template is taken without asking, two are offered in the list (which starts on the
// one chosen last), the preview pages and saves a PDF, the result file is gone afterwards; a
// statement no template fits is listed as text after saying so. The print manager gets one
// argument per switch.
#include <fstream>

#include "AppTestSupport.h"
#include "app/ReportHandOverMain.h"
#include "app/StatementReport.h"
#include "pap/DemoData.h"
#include "printforms/SessionForms.h"

namespace axo::app::test {
namespace {

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

/// The windows of a kind shown since `from`.
std::vector<ui::TranscriptEntry> Shown(Installation& inst, std::size_t from,
                                       const std::string& kind) {
    std::vector<ui::TranscriptEntry> found;
    for (const ui::TranscriptEntry& e : inst.WindowsSince(from))
        if (e.kind == kind)
            found.push_back(e);
    return found;
}

/// The demo organisation's code lists, chart and a few hundred booked lines.
void FillDemo(Installation& inst) {
    pap::DemoOptions options;
    options.lines = 400;
    pap::DemoResult result;
    ASSERT_TRUE(pap::InstallDemoData(printforms::PapLocationOf(inst.Session()),
                                     inst.Session().Context(), inst.Ui(), options, result));
}

TEST(StatementPrint, MenuPickerPreviewAndPdf) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Created());
    ASSERT_TRUE(inst.Form().FormPaint());
    FillDemo(inst);
    const fs::path pdf = inst.Home() / "vykaz4.pdf";
    struct Case {
        CommandId command;
        std::string list;  ///< the picker's answer; empty: no list expected
        std::string chosen;
    } cases[] = {
        {CommandId::Vykaz01, "", ""},
        {CommandId::Vykaz04, "line=2 key:Enter", "PAP_VYKAZY IV-IX-KOMPLET"},
        // The list starts on the template chosen last.
        {CommandId::Vykaz04, "key:Enter", "PAP_VYKAZY IV-IX-KOMPLET"},
        {CommandId::Vykaz04, "line=1 key:Enter", "PAP_VYKAZY IV-IX Výkazy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        fs::remove(pdf);
        const std::size_t before = inst.Ui().Transcript().size();
        inst.Ui().QueueDialog("mesicOd=1 mesicDo=12 key:F2");
        if (!c.list.empty())
            inst.Ui().QueueList(c.list);
        inst.Ui().QueuePreview("key:CtrlPgDn save:pdf=" + pdf.string() + " key:Esc");
        inst.Form().ItemClick(c.command);
        const auto lists = Shown(inst, before, "list");
        ASSERT_EQ(c.list.empty() ? 0u : 1u, lists.size());
        if (!c.list.empty()) {
            EXPECT_NE(std::string::npos, lists[0].answer.find(c.chosen)) << lists[0].answer;
        }
        const auto previews = Shown(inst, before, "preview");
        std::string shown;
        for (const ui::TranscriptEntry& e : inst.WindowsSince(before))
            shown += e.ToString();
        ASSERT_EQ(1u, previews.size()) << shown;
        EXPECT_EQ("close", previews[0].answer);
        EXPECT_EQ(0u, Read(pdf).rfind("%PDF-", 0));
        // The result file handed to the report is deleted afterwards.
        for (const auto& entry : fs::directory_iterator(inst.Home() / "temp"))
            EXPECT_EQ(std::string::npos, entry.path().filename().string().find("WK"))
                << entry.path();
    }
}

TEST(StatementPrint, WithoutATemplateTheStatementIsListed) {
    Installation inst(2024);
    ASSERT_TRUE(inst.Form().FormPaint());
    FillDemo(inst);
    for (const auto& entry : fs::directory_iterator(inst.Home() / "sablony"))
        if (entry.path().filename().string().find(" X ") != std::string::npos)
            fs::remove(entry.path());
    const std::size_t before = inst.Ui().Transcript().size();
    inst.Ui().QueueDialog("mesicOd=1 mesicDo=12 key:F2");
    inst.Form().ItemClick(CommandId::Vykaz10);
    std::string shown;
    for (const ui::TranscriptEntry& e : inst.WindowsSince(before))
        shown += e.ToString();
    EXPECT_NE(std::string::npos, shown.find("žádná předloha")) << shown;
    EXPECT_TRUE(Shown(inst, before, "preview").empty());
    EXPECT_FALSE(Shown(inst, before, "printout").empty()) << shown;
}

TEST(StatementPrint, PrintManagerArgumentsOnePerSwitch) {
    pap::ReportHandOver handOver;
    handOver.dataFile = "/srv/axo/temp/WK 0001.DB";
    handOver.templatePath = fs::u8path("/srv/axo/sablony/PAP_VYKAZY I Výkaz I.pts");
    handOver.caption = "Výkaz \"I\" "_t;
    std::vector<Text> parameters(15);
    parameters[0] = " Škola \"U lip\" "_t;
    parameters[4] = "70884129"_t;
    const std::vector<std::string> args =
        PrintManagerArguments(handOver, parameters, 64, true, "KLIC"_t);
    const std::vector<std::string> expected = {
        "/N/srv/axo/temp/WK 0001.DB",
        "/C\"Výkaz \"I\"\"",
        "/K\"/srv/axo/sablony/PAP_VYKAZY I Výkaz I.pts\"",
        "/Z64",
        "/M",
        "/1\"Škola \"U lip\"\"",
        "/2\"\"",
        "/3\"\"",
        "/4\"\"",
        "/5\"70884129\"",
        "/6\"\"",
        "/7\"\"",
        "/8\"\"",
        "/9\"\"",
        "/10\"\"",
        "/11\"\"",
        "/12\"\"",
        "/13\"\"",
        "/14\"\"",
        "/15\"\"",
        "/I\"KLIC\"",
    };
    EXPECT_EQ(expected, args);
    // Without the flag and the index.
    EXPECT_EQ(19u, PrintManagerArguments(handOver, parameters, 7, false).size());
}

TEST(StatementPrint, ThePrintManagerReadsTheHandOverBack) {
    pap::ReportHandOver handOver;
    handOver.dataFile = "/srv/axo data/temp/WK0001.DB";
    handOver.templatePath = fs::u8path("/srv/axo data/sablony/PAP_VYKAZY X Výkaz X.pts");
    handOver.caption = "Výkaz \"X\" 2024"_t;
    std::vector<Text> parameters(15);
    parameters[0] = "Škola \"U lip\", p. o."_t;
    parameters[14] = "/2 není přepínač"_t;
    std::string error;
    const auto args =
        ParseReportHandOver(PrintManagerArguments(handOver, parameters, 12, true), error);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ("/srv/axo data/temp/WK0001.DB", args->dataFile);
    EXPECT_EQ("Výkaz \"X\" 2024", args->caption);
    EXPECT_EQ("/srv/axo data/sablony/PAP_VYKAZY X Výkaz X.pts", args->templatePath);
    EXPECT_EQ(12, args->number);
    EXPECT_TRUE(args->flag);
    EXPECT_EQ("Škola \"U lip\", p. o.", args->parameters[0]);
    EXPECT_EQ("/2 není přepínač", args->parameters[14]);
    EXPECT_EQ("", args->parameters[1]);

    const struct {
        std::vector<std::string> args;
        const char* error;
    } wrong[] = {
        {{"/Nx.DB", "/K\"a.pts\"", "/Zdvě"}, "Parametr /Z potřebuje číslo"},
        {{"/Nx.DB", "/K\"a.pts\"", "/Q1"}, "Neznámý parametr [/Q1]"},
        {{"/Nx.DB", "; rm -rf /"}, "Neznámý parametr [; rm -rf /]"},
        {{"/Nx.DB", "/C\"bez předlohy\""}, "Chybí datový soubor (/N) nebo předloha"},
    };
    for (const auto& w : wrong) {
        std::string why;
        EXPECT_FALSE(ParseReportHandOver(w.args, why));
        EXPECT_NE(std::string::npos, why.find(w.error)) << why;
    }
    EXPECT_TRUE(IsReportHandOver({"/C\"x\"", "/nsoubor.db"}));
    EXPECT_FALSE(IsReportHandOver({"/T", "/D80", "/Nvypis.txt", "/C\"lp\""}));
}

}  // namespace
}  // namespace axo::app::test
