// Report templates: a template with every line code read and written back unchanged, the rules
// that depend on the version read, group expressions, details, defaults of short lines,
// templates that cannot be written faithfully, the structure operations, and saving files so
// that a template is never missing (also when the disk is full).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "ReportTestSupport.h"
#include "report/template/TemplateFile.h"
#include "support/ScratchDir.h"

namespace axo::report::test {
namespace {

namespace fs = std::filesystem;

/// Every line code, every element kind, quotes and commas inside fields, a detail that is
/// attached and one that is not, and a line of a kind the program does not know - as the
/// program writes it.
const char* const kEverything = R"pts(I,0,"Popis ""s"" čárkou, a dál"
I,1,5,51,4
I,2,3,827,1169,40,40,50,50,2,10
I,3,0,1,30,1
I,3,1,1,80,3
I,3,2,1,14,1
I,3,3,0,60,3
I,3,4,1,20,2
I,4,0,"#SA",1,20,1,16,1
I,4,1,"LEFT(#POPIS, 3) + ""x""",0,0,1,14,0
I,5,1
I,6,1,10,16,0,0,1,1
I,7,1,1,1,10,20,300,400,pozadí, verze 2.bmp
F,0,Celkem,"Součet ""sloupce"", 1",0,"0",2,"#SLOUPEC01",2,15,2,3
F,1,Nazev,"Text",1,"",0,"IIF(#Soucet = 1, 'Součet', ""x"")",0,15,2,2
F,2,Pocet,"Počet",0,"0",0,"1",1,15,0,7
Z,1,0,0,0,300,20,Arial CE,12,9,1,2,15,238,"Výkaz, ""I""",0,0,0,"",0,""
H,2,NazevVykazu,0,0,500,16,Arial,10,0,0,0,0,238,"",0,0,0,"",0,""
H,3,5,0,20,100,12,"Font, s čárkou",8,0,0,0,0,238,"",0,0,0,"",0,""
H,4,0,100,20,100,12,Arial,8,0,0,1,0,238,"",0,0,0,"",0,""
H,5,3,200,20,100,12,Arial,8,0,0,1,0,238,"Strana 0",0,0,0,"",0,""
T,6,Celkem,0,0,100,14,Courier New,9,1234567,0,81,15,238,"",12,0,7,"#Soucet = 1 AND @2 <> ""x""",1,"castka ""1"""
T,7,0,0,14,500,3,,2,0,1,7,15,0,"",,,,"",0,""
T,8,8,10,10,50,50,,1,4,0,0,11,1,"",,,,"",0,""
T,9,9,10,10,50,50,,0,4,0,0,-16777201,2,"",,,,"",0,""
T,10,10,10,10,50,50,,1,4,0,0,15,0,"",,,,"",0,""
K,11,0,0,0,100,100,,1,0,0,48,15,0,"logo.bmp,podpis.bmp",,,,"",0,""
K,12,0,0,100,200,50,,2,0,3,16,15,0,"#SA + '123'",1,90,0,"",0,""
K,13,2,0,200,100,100,,1,0,0,64,15,3,"",,,,"",0,""
K,15,0,0,300,500,100
P,14,1,2,3
S0,1,0,0,0,100,14,Arial,8,0,1,0,0,238,"Skupina",0,0,0,"",0,""
U0,6,2,0,0,100,14,Arial,8,0,1,1,0,238,"",0,0,0,"",0,""
S1,1,0,0,0,100,14,Arial,8,0,1,0,0,238,"Podskupina",0,0,0,"",0,""
U1,3,7,0,0,100,14,Arial,8,0,0,0,0,238,"",0,0,0,"",0,""
D0,I,0,"Řádky dokladu"
D0,I,1,5,51,4
D0,I,2,0,827,1169,50,50,50,50,1,0
D0,I,3,0,1,0,0
D0,I,3,1,1,0,0
D0,I,3,2,1,14,0
D0,I,3,3,1,0,0
D0,I,3,4,1,0,0
D0,I,5,0
D0,I,6,2,8,8,0,1,0,0
D0,I,7,0,0,0,0,0,0,0,
D0,T,2,POPIS,0,0,300,14,Arial,8,0,0,0,0,238,"",0,0,0,"",0,""
D1,T,1,0,0,0,10,10,Arial,8,0,0,0,0,238,"x",0,0,0,"",0,""
X,cizí řádek)pts";

TEST(TemplateTest, EveryLineCodeReadsAndWritesBackUnchanged) {
    TSestavaTyp report;
    TSestDetail detail;
    report.AttachDetail(detail);
    const std::vector<Text> lines = Lines(kEverything);
    ReadTemplate(report, lines);

    const TemplateText written = WriteTemplate(report);
    ASSERT_TRUE(written.Ok()) << ToUtf8(written.error);
    ASSERT_EQ(lines.size(), written.lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(ToUtf8(lines[i]), ToUtf8(written.lines[i])) << "line " << i + 1;

    // What the model holds.
    EXPECT_EQ("Popis \"s\" čárkou, a dál", ToUtf8(report.popis));
    EXPECT_TRUE(report.page.Landscape());
    EXPECT_TRUE(report.page.AllowOrientationChange());
    EXPECT_EQ(1169 - 80, report.page.PrintableWidth());
    EXPECT_EQ(2, report.Section(kBody)->columns);
    EXPECT_TRUE(report.flags.noHeaderOnFirstPage && report.flags.noHeaderAfterBreak);
    EXPECT_TRUE(report.flags.breakBeforeEnd && report.flags.endAlignedToFooter);
    EXPECT_TRUE(report.flags.footerOnlyOnFirstPage && !report.flags.noFooterOnLastPage);
    EXPECT_FALSE(report.Section(kReportEnd)->visible);
    ASSERT_EQ(2u, report.groups.size());
    EXPECT_EQ("LEFT(#POPIS, 3) + \"x\"", ToUtf8(report.groups[1].expression));
    EXPECT_TRUE(report.groups[0].newPage);
    EXPECT_EQ(16, report.Section(GroupFooterSection(0))->height);
    EXPECT_EQ(10, report.raster.StepX());  // a character raster of 10 characters per inch
    EXPECT_EQ(16, report.raster.StepY());
    EXPECT_EQ("pozadí, verze 2.bmp", ToUtf8(report.templateBackground.file));
    ASSERT_EQ(3u, report.functions.size());
    EXPECT_EQ(kFormatFixed, report.functions[2].EffectiveFormat());
    const TSiReportElement& amount = report.Section(kBody)->elements[0];
    EXPECT_EQ("Celkem", ToUtf8(amount.referenceName));
    EXPECT_EQ(kAlignRight, amount.Alignment());
    EXPECT_TRUE(amount.IsVariableHeight());
    EXPECT_EQ(Colour{1234567}, amount.font.colour);
    EXPECT_EQ(Colour{0x0000FF}, report.Section(kReportStart)->elements[0].font.colour);
    EXPECT_EQ(3, report.Section(kReportEnd)->elements[2].ResolutionFactor());
    EXPECT_EQ(14, report.Section(kPageFooter)->elements[0].kind);  // kept, not printed
    ASSERT_EQ(1u, detail.Section(kBody)->elements.size());
    EXPECT_EQ("Řádky dokladu", ToUtf8(detail.popis));
    EXPECT_EQ(1u, report.keptDetailLines.count(1));
    EXPECT_EQ(std::vector<Text>{"X,cizí řádek"_t}, report.foreignLines);
}

TEST(TemplateTest, VersionDependentMeanings) {
    struct Case {
        const char* name;
        const char* lines;
        int paperWidth, marginLeft, marginBottom, variable;
    } cases[] = {
        // Without I,1 the version is 5: the paper size follows the orientation.
        {"no version", "I,2,1,500,600,1,2,3,4\nT,5,4", 500, 1, 4, 4},
        // Version 0 had no paper size: the value after the orientation is the left margin.
        {"version 0", "I,1,0,0,0\nI,2,1,5,6,7,8\nT,5,4", 827, 5, 8, 5},
        // Up to release 2 of version 1 the total page count was not yet variable 4.
        {"version 1.0.2", "I,1,1,0,2\nT,5,4", 827, 50, 50, 5},
        {"version 1.0.3", "I,1,1,0,3\nT,5,4", 827, 50, 50, 4},
        {"version 1.0.2, variable 3", "I,1,1,0,2\nT,5,3", 827, 50, 50, 3},
        // An I,1 after the I,2 comes too late for it.
        {"late version", "I,2,1,5,6,7,8\nI,1,0,0,0\nT,5,9", 5, 7, 0, 10},
    };
    for (const Case& c : cases) {
        TSestavaTyp report;
        ReadTemplate(report, Lines(c.lines));
        EXPECT_EQ(c.paperWidth, report.page.paperWidth) << c.name;
        EXPECT_EQ(c.marginLeft, report.page.marginLeft) << c.name;
        EXPECT_EQ(c.marginBottom, report.page.marginBottom) << c.name;
        EXPECT_EQ(c.variable, report.Section(kBody)->elements.at(0).referenceNumber) << c.name;
    }
}

TEST(TemplateTest, GroupExpressionsAreNormalised) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "#1"},
        {"3", "#4"},
        {"CISLO", "#CISLO"},
        {"#2+1", "#2+1"},
        {"_X", "#_X"},
        {"12", "#13"},
        {"", ""},
        {"1ABC", "1ABC"},
        {"Číslo", "#Číslo"},
        {"LEFT(#SA,3)", "LEFT(#SA,3)"},
    };
    for (const auto& [given, stored] : cases) {
        TSestavaTyp report;
        ReadTemplate(report, Lines("I,4,0,\"" + std::string(given) + "\",1,10,1,10,0"));
        ASSERT_EQ(1u, report.groups.size()) << given;
        EXPECT_EQ(stored, ToUtf8(report.groups[0].expression)) << given;
    }
}

TEST(TemplateTest, ShortLinesTakeTheirDefaults) {
    TSestavaTyp report;
    ReadTemplate(report, Lines("Z,1\nT,8\nH,2,NEZNAMA,x,1\nI\nP,1,0,0,0,10,10,Arial,-100,255\n"
                               "K,2,7,,,,,,,,,,,,\"a,\"\"b\"\"\"c,\n\n"));
    const TSiReportElement& text = report.Section(kReportStart)->elements.at(0);
    EXPECT_EQ(kGraphicText, text.kind);
    EXPECT_EQ(0, text.left + text.top + text.width + text.height);
    EXPECT_EQ(Text(), text.font.name);
    EXPECT_EQ(0, text.font.size);
    EXPECT_EQ(Text(), text.text);
    const TSiReportElement& frame = report.Section(kBody)->elements.at(0);
    EXPECT_EQ(1, frame.lineWidth);  // a frame without fields has its outline
    EXPECT_EQ(kWhite, frame.fillColour);
    EXPECT_EQ(kRectangle, frame.referenceNumber);
    const TSiReportElement& named = report.Section(kPageHeader)->elements.at(0);
    EXPECT_EQ("NEZNAMA", ToUtf8(named.referenceName));
    EXPECT_EQ(0, named.left);  // "x" is no number
    EXPECT_EQ(1, named.top);
    const TSiReportElement& footer = report.Section(kPageFooter)->elements.at(0);
    EXPECT_EQ(72, footer.font.size);  // 100 units high
    EXPECT_EQ(Colour{0x0000FF}, footer.font.colour);
    // Quoted text with commas and doubled quotes, then characters after the closing quote.
    EXPECT_EQ("a,\"b\"c", ToUtf8(report.Section(kReportEnd)->elements.at(0).text));
    EXPECT_EQ(7, report.Section(kReportEnd)->elements.at(0).referenceNumber);
    EXPECT_TRUE(report.foreignLines.empty());
    // The palette colour is written back as its index.
    const TemplateText written = WriteTemplate(report);
    ASSERT_TRUE(written.Ok());
    EXPECT_EQ("P,1,0,0,0,10,10,Arial,72,9,0,0,0,0,\"\",0,0,0,\"\",0,\"\"",
              ToUtf8(written.lines.back()));
}

TEST(TemplateTest, DetailLinesGoToTheirDetailsOrAreKept) {
    TSestavaTyp master;
    TSestDetail detail;
    master.AttachDetail(detail);
    ReadTemplate(master, Lines("D0,T,1,0,0,0,10,10\nD0,H,1,0,0,0,10,10\nD5,T,2,POPIS\nT,15,5,0,0,"
                               "10,10\nD0\nDx,T,1"));
    ASSERT_EQ(1u, detail.Section(kBody)->elements.size());
    // A detail has no page header: its H lines are kept, not read.
    EXPECT_TRUE(detail.Section(kPageHeader)->elements.empty());
    EXPECT_EQ(std::vector<Text>{"H,1,0,0,0,10,10"_t}, detail.foreignLines);
    EXPECT_EQ(std::vector<Text>{"T,2,POPIS"_t}, master.keptDetailLines.at(5));
    EXPECT_EQ((std::vector<Text>{"D0"_t, "Dx,T,1"_t}), master.foreignLines);
    const TemplateText written = WriteTemplate(master);
    ASSERT_TRUE(written.Ok());
    EXPECT_EQ("D5,T,2,POPIS", ToUtf8(written.lines[written.lines.size() - 3]));
    // Detaching the detail leaves the master without details; destroying it does the same.
    {
        TSestDetail second;
        master.AttachDetail(second);
        EXPECT_EQ(2u, master.Details().size());
    }
    EXPECT_EQ(1u, master.Details().size());
}

TEST(TemplateTest, WhatCannotBeWrittenFaithfullyIsRefused) {
    struct Case {
        const char* name;
        std::function<void(TSestavaTyp&)> spoil;
        const char* message;
    } cases[] = {
        {"comma in a function name",
         [](TSestavaTyp& r) { r.AddFunction().name = "Součet, celkem"_t; },
         "Název funkce \"Součet, celkem\" obsahuje čárku nebo začíná uvozovkami; předlohu nelze "
         "zapsat."},
        {"line break in a text",
         [](TSestavaTyp& r) {
             TSiReportElement e;
             e.text = "dva\r\nřádky"_t;
             r.Section(kBody)->elements.push_back(e);
         },
         "Text prvku obsahuje konec řádku; předlohu nelze zapsat."},
        {"field name that reads as a number",
         [](TSestavaTyp& r) {
             TSiReportElement e;
             e.kind = kDataField;
             e.referenceName = "1POLE"_t;
             r.Section(kBody)->elements.push_back(e);
         },
         "Název \"1POLE\", na který odkazuje prvek, nelze do předlohy zapsat."},
    };
    for (const Case& c : cases) {
        TSestavaTyp report;
        c.spoil(report);
        const TemplateText written = WriteTemplate(report);
        EXPECT_FALSE(written.Ok()) << c.name;
        EXPECT_TRUE(written.lines.empty()) << c.name;
        EXPECT_EQ(c.message, ToUtf8(written.error)) << c.name;
    }
}

TEST(TemplateTest, GroupsAndFunctionsKeepTheirReferencesWhenOthersAreDeleted) {
    TSestavaTyp report;
    report.AddGroup("#A"_t);
    report.AddGroup("#B"_t);
    TSiReportElement e;
    e.text = "konec B"_t;
    report.Section(GroupFooterSection(1))->elements.push_back(e);
    report.DeleteGroup(0);
    ASSERT_EQ(1u, report.groups.size());
    EXPECT_EQ("#B", ToUtf8(report.groups[0].expression));
    EXPECT_EQ(kFixedSections + 2, static_cast<int>(report.sections.size()));
    EXPECT_EQ("konec B", ToUtf8(report.Section(GroupFooterSection(0))->elements.at(0).text));
    EXPECT_EQ(GroupFooterSection(0), report.groups[0].footer);

    for (int i = 0; i < 13; ++i)
        report.AddFunction();
    report.functions[0].expression = "@1+@2+@3+@12+@123+@ 3"_t;
    EXPECT_EQ("Funkce13", ToUtf8(report.functions[12].name));
    report.DeleteFunction(1);  // function 2, counted from 1
    EXPECT_EQ("@1+@2+@2+@11+@122+@ 3", ToUtf8(report.functions[0].expression));
    EXPECT_EQ("Funkce3", ToUtf8(report.functions[1].name));
}

TEST(TemplateTest, FileLinesEndWithCrLfAndUtf8IsConverted) {
    bool utf8 = true;
    EXPECT_EQ((std::vector<Text>{"a"_t, ""_t, "b"_t, "c"_t}),
              TemplateLinesOf("a\r\n\r\nb\nc", &utf8));
    EXPECT_FALSE(utf8);
    EXPECT_EQ((std::vector<Text>{"Čára"_t}),
              TemplateLinesOf("\xEF\xBB\xBF\xC4\x8C\xC3\xA1ra\r\n", &utf8));
    EXPECT_TRUE(utf8);
    EXPECT_EQ((std::vector<Text>{"Čára"_t}), TemplateLinesOf("\xC4\x8C\xC3\xA1ra", &utf8));
    EXPECT_TRUE(utf8);
    // Windows-1250 "Čára" is no UTF-8 and stays as it is.
    EXPECT_EQ((std::vector<Text>{"Čára"_t}), TemplateLinesOf("\xC8\xE1ra", &utf8));
    EXPECT_FALSE(utf8);
    EXPECT_EQ("I,1\r\n\r\n", TemplateBytes({"I,1"_t, ""_t}));
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TemplateTest, SavingKeepsThePreviousFileAsBak) {
    axo::test::ScratchDir dir("axo-pts");
    const fs::path file = dir / "PAP_VYKAZY I.pts";
    ASSERT_EQ(0, SaveTemplateFile(file, {"I,0,\"první\""_t}));
    EXPECT_EQ(std::vector<std::string>{"PAP_VYKAZY I.pts"}, Entries(dir.Path()));
    ASSERT_EQ(0, SaveTemplateFile(file, {"I,0,\"druhá\""_t}));
    ASSERT_EQ(0, SaveTemplateFile(file, {"I,0,\"třetí\""_t, "T,1"_t}));
    EXPECT_EQ((std::vector<std::string>{"PAP_VYKAZY I.BAK", "PAP_VYKAZY I.pts"}),
              Entries(dir.Path()));
    EXPECT_EQ(TemplateBytes({"I,0,\"třetí\""_t, "T,1"_t}), Contents(file));
    EXPECT_EQ(TemplateBytes({"I,0,\"druhá\""_t}), Contents(dir / "PAP_VYKAZY I.BAK"));
}

TEST(TemplateTest, AFullDiskLeavesTheTemplateAndItsBakAsTheyWere) {
    axo::test::ScratchDir dir("axo-pts");
    const fs::path file = dir / "a.pts";
    ASSERT_EQ(0, SaveTemplateFile(file, {"stará"_t}));
    ASSERT_EQ(0, SaveTemplateFile(file, {"původní"_t}));
    const std::vector<Text> big(2000, Text(100, 'x'));
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Files of this process cannot grow beyond 4 kB, as on a full disk.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(SaveTemplateFile(file, big) == EFBIG ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(TemplateBytes({"původní"_t}), Contents(file));
    EXPECT_EQ(TemplateBytes({"stará"_t}), Contents(dir / "a.BAK"));
    EXPECT_EQ((std::vector<std::string>{"a.BAK", "a.pts"}), Entries(dir.Path()));
    // A directory that does not exist: nothing is written and the error says why.
    EXPECT_EQ(ENOENT, SaveTemplateFile(dir / "chybí" / "a.pts", {"x"_t}));
}

}  // namespace
}  // namespace axo::report::test
