// The output channel: the output settings block, line conversion, the text and HTML files with
// their dialogs and failures, the print programs' command lines, missing programs, and the
// outputs this version does not offer.
#include "ui/ListingOutput.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ListingTestSupport.h"
#include "ui/ListingConvert.h"

namespace axo::ui {
namespace {

using testing::ListingTest;
using testing::ReadBytes;
using testing::WriteBytes;
namespace fs = std::filesystem;

// ---- The output settings block ------------------------------------------------------------

TEST(OutputSettingsTest, FieldsSitAtTheirOffsets) {
    OutputSettings::Block b{};
    b[0] = 5;
    b[1] = 1;
    b[2] = 0x2C;  // 300
    b[3] = 0x01;
    b[6] = 61;
    b[8] = 42;
    b[10] = 3;
    std::copy_n("out", 3, reinterpret_cast<char*>(&b[11]));
    b[266] = 4;
    std::copy_n("/tmp", 4, reinterpret_cast<char*>(&b[267]));
    b[522] = 2;
    b[523] = 1;
    b[524] = 3;
    b[525] = 0x2C;  // 300 in a 16-bit value
    b[526] = 0x01;
    b[527] = 70;
    b[529] = 1;
    b[530] = 2;
    b[531] = 33;
    b[533] = 44;
    b[535] = 1;
    b[536] = 1;
    b[537] = 2;
    b[538] = 2;
    b[539] = 1;
    b[540] = 'h';
    b[795] = 1;
    b[796] = 'd';
    b[1051] = 7;
    std::copy_n("firefox", 7, reinterpret_cast<char*>(&b[1052]));
    const OutputSettings s = OutputSettings::FromBlock(b);
    EXPECT_EQ(5, s.kind);
    EXPECT_TRUE(s.printModuleFlag);
    EXPECT_EQ(300, s.printModuleNumber);
    EXPECT_EQ(61, s.narrowLength[1]);
    EXPECT_EQ(42, s.wideLength[1]);
    EXPECT_EQ("out"_t, s.textFileName);
    EXPECT_EQ("/tmp"_t, s.textDirectory);
    EXPECT_EQ(2, s.textCodePage);
    EXPECT_TRUE(s.textNoPageBreak);
    EXPECT_EQ(3, s.textFrame);
    EXPECT_EQ(300, s.narrowLength[2]);
    EXPECT_EQ(70, s.wideLength[2]);
    EXPECT_TRUE(s.wordNoPageBreak);
    EXPECT_EQ(2, s.wordFrame);
    EXPECT_EQ(33, s.narrowLength[3]);
    EXPECT_EQ(44, s.wideLength[3]);
    EXPECT_TRUE(s.sheetNoPageBreak);
    EXPECT_EQ(1, s.sheetFrame);
    EXPECT_EQ(2, s.htmlMode);
    EXPECT_EQ(2, s.htmlFrame);
    EXPECT_EQ("h"_t, s.htmlFileName);
    EXPECT_EQ("d"_t, s.htmlDirectory);
    EXPECT_EQ("firefox"_t, s.viewer);
    EXPECT_EQ(b, s.ToBlock());
}

TEST(OutputSettingsTest, PageLengthsOfTheBlocksKindOrTheDefaults) {
    struct Case {
        std::uint8_t kind;
        std::uint16_t narrow;
        std::uint16_t wide;
        PageLengths expected;
    } cases[] = {
        {1, 64, 44, {64, 44}},    {2, 64, 44, {64, 44}}, {3, 64, 44, {64, 44}},
        {0, 64, 44, {60, 40}},    {4, 64, 44, {60, 40}}, {5, 64, 44, {60, 40}},
        {2, 19, 20, {60, 20}},     // below 20 is not taken
        {2, 255, 256, {255, 40}},  // a page length is a byte
        {3, 0, 0, {60, 40}},
    };
    for (const Case& c : cases) {
        OutputSettings s;
        s.kind = c.kind;
        // Only the block's own kind counts: the other kinds' values differ on purpose.
        s.narrowLength = {99, 98, 97, 96};
        s.wideLength = {99, 98, 97, 96};
        if (c.kind >= 1 && c.kind <= 3) {
            s.narrowLength[c.kind] = c.narrow;
            s.wideLength[c.kind] = c.wide;
        }
        EXPECT_EQ(c.expected, s.PageLengthsOr({60, 40})) << int(c.kind) << " " << c.narrow;
    }
}

// ---- Line conversion ----------------------------------------------------------------------

TEST(ListingConvertTest, ConvertListingLine) {
    // Frame codes: ┌ 135, ─ 129, ┬ 165, ═ 172, │ 133, ║ 176, ┼ 134, ┐ 144.
    const Text frames = Text::FromBytes("\x87\x81\xA5\xAC\x85\xB0\x86\x90");
    struct Case {
        OutputKind kind;
        int frame;
        bool noBreak;
        int codePage;
        Text line;
        std::optional<std::string> expected;
    } cases[] = {
        {OutputKind::TextFile, 0, false, 3, frames, frames.Bytes()},
        {OutputKind::TextFile, 1, false, 3, frames, "********"},
        {OutputKind::TextFile, 2, false, 3, frames, "+-+-||++"},
        {OutputKind::TextFile, 3, false, 3, frames, "        "},
        {OutputKind::TextFile, 0, false, 4, frames, "┌─┬═│║┼┐"},
        {OutputKind::TextFile, 0, false, 0, "Čř Žluťoučký"_t, "Cr Zlutoucky"},
        {OutputKind::TextFile, 0, false, 1, "Čř"_t, "\x80\xA9"},  // Kamenický
        {OutputKind::TextFile, 0, false, 2, "Čř"_t, "\xAC\xFD"},  // code page 852
        {OutputKind::TextFile, 0, false, 3, "Čř"_t, "Čř"_t.Bytes()},
        {OutputKind::TextFile, 0, false, 4, "Čř"_t, "Čř"},
        {OutputKind::TextFile, 0, false, 3, "\f"_t, "\f"},
        {OutputKind::TextFile, 0, true, 3, "\f"_t, std::nullopt},
        {OutputKind::TextFile, 0, true, 3, " \f "_t, std::nullopt},
        {OutputKind::TextFile, 0, true, 3, "a\fb"_t, "ab"},
        {OutputKind::WordProcessor, 1, true, 0, "\f"_t, std::nullopt},
        {OutputKind::Spreadsheet, 2, false, 0, "Č│"_t, "Č|"_t.Bytes()},  // no code page
        {OutputKind::Html, 0, false, 0, " \f"_t, "  "},
        {OutputKind::Html, 0, true, 0, "a\fb"_t, "a\fb"},  // HTML has no such option
        {OutputKind::Html, 0, false, 0, "Čř"_t, "Čř"_t.Bytes()},
    };
    int row = 0;
    for (const Case& c : cases) {
        ++row;
        const auto out = ConvertListingLine(c.line, {c.kind, c.frame, c.noBreak, c.codePage});
        ASSERT_EQ(c.expected.has_value(), out.has_value()) << "row " << row;
        if (out) {
            EXPECT_EQ(*c.expected, out->Bytes()) << "row " << row;
        }
    }
}

TEST(ListingConvertTest, HtmlLineWritesReferences) {
    EXPECT_EQ("&#9474;a&lt;b &amp; &#268;&gt;&#9472;&#9580;",
              HtmlLine(Text::FromBytes("\x85") + "a<b & Č>"_t + Text::FromBytes("\x81\xB2")));
    EXPECT_EQ("plain text 12", HtmlLine("plain text 12"_t));
}

// ---- Converting whole files ----------------------------------------------------------------

/// A small framed listing: two pages, Czech letters, frame codes.
std::string SampleListing() {
    return (Text::FromBytes("\x87\x81\x81\x81\x81\x90") + "\r\n"_t + Text::FromBytes("\x85") +
            "Účet"_t + Text::FromBytes("\x85") + "\r\n"_t +
            Text::FromBytes("\x95\x81\x81\x81\x81\x9C") + "\r\n\f\r\nstrana <2> & konec\r\n"_t)
        .Bytes();
}

class ListingOutputTest : public ListingTest {
  protected:
    ListingOutputTest() {
        listingFile_ = WorkDir() / "!OP1234567";
        WriteBytes(listingFile_, SampleListing());
        view_ = ListingView{"Protokol"_t, listingFile_, 80, 60, 40};
    }
    /// Settings of `kind` with readable text output (Windows-1250 unchanged).
    OutputSettings& Settings(std::uint8_t kind) {
        settings_ = OutputSettings{};
        settings_->kind = kind;
        settings_->textCodePage = 3;
        settings_->textDirectory = "/data/"_t;
        settings_->textFileName = "sestava.txt"_t;
        return *settings_;
    }
    std::vector<std::string> Kinds() const {
        std::vector<std::string> kinds;
        for (const TranscriptEntry& e : ui_->Transcript())
            kinds.push_back(e.kind);
        return kinds;
    }
    /// The text of the last window shown.
    std::string LastText() const {
        return ui_->Transcript().empty() ? std::string()
                                         : testing::MessageText(ui_->Transcript().back());
    }
    fs::path listingFile_;
    ListingView view_;
};

TEST_F(ListingOutputTest, HtmlFileIsWrittenExactly) {
    const fs::path out = work_ / "sestava.htm";
    ASSERT_TRUE(
        ConvertListingToHtml(*ui_, listingFile_, out, {OutputKind::Html, 0, false, 0}, false));
    testing::ExpectGolden("sestava.htm", ReadBytes(out));
    const std::string text = ReadBytes(out);
    EXPECT_EQ(0u, text.find(std::string(kHtmlHead) + "\r\n&#9484;&#9472;"));
    EXPECT_TRUE(text.ends_with("strana &lt;2&gt; &amp; konec\r\n</BODY></PRE></HTML>\r\n"));
    // A frame option other than 0 leaves no frame reference.
    ASSERT_TRUE(
        ConvertListingToHtml(*ui_, listingFile_, out, {OutputKind::Html, 2, false, 0}, false));
    EXPECT_NE(std::string::npos, ReadBytes(out).find("\r\n+----+\r\n|&#218;&#269;et|\r\n"));
}

TEST_F(ListingOutputTest, TextFileIsReplacedOrAppendedTo) {
    const fs::path out = work_ / "out.txt";
    const LineConversion conversion{OutputKind::TextFile, 1, true, 0};
    const std::string converted = "******\r\n*Ucet*\r\n******\r\nstrana <2> & konec\r\n";
    WriteBytes(out, "old\r\n");
    ASSERT_TRUE(ConvertListingToText(*ui_, listingFile_, out, conversion, false));
    EXPECT_EQ(converted, ReadBytes(out));
    ASSERT_TRUE(ConvertListingToText(*ui_, listingFile_, out, conversion, true));
    EXPECT_EQ(converted + "\r\n\r\n\r\n" + converted, ReadBytes(out));
    // The progress panel of the conversion.
    EXPECT_EQ((std::vector<std::string>{"", " Konverze sestavy do příslušného tvaru"}),
              ui_->Transcript().at(0).lines);
}

TEST_F(ListingOutputTest, ConversionFailuresAreShownAsPlainMessages) {
    struct Case {
        fs::path input;
        fs::path output;
        bool append;
        std::string message;
    } cases[] = {
        {work_ / "none", work_ / "o.txt", false,
         "Nelze otevřít vstupní textový soubor [" + (work_ / "none").string() +
             "]. Funkci nelze provést."},
        {listingFile_, work_ / "no" / "o.txt", false,
         "Nelze otevřít výstupní textový soubor [" + (work_ / "no" / "o.txt").string() +
             "]. Funkci nelze provést."},
        {listingFile_, "/dev/full", true,
         "Chyba při zápisu výstupního textového souboru [/dev/full]. Funkci nelze provést."},
        {listingFile_, "/dev/full", false,
         "Chyba při zápisu výstupního textového souboru [/dev/full]. Funkci nelze provést."},
    };
    for (const Case& c : cases) {
        ui_->ClearTranscript();
        ui_->QueueOk();
        EXPECT_FALSE(ConvertListingToText(*ui_, c.input, c.output, {}, c.append));
        ASSERT_FALSE(ui_->Transcript().empty());
        EXPECT_EQ("message 0", ui_->Transcript().back().kind);
        EXPECT_EQ(c.message, LastText());
    }
}

/// Runs the conversion in a child whose files may not grow beyond `limit` bytes; true when
/// the conversion reported success.
bool ConvertWithFileLimit(UiServices& ui, const fs::path& listing, const fs::path& out, bool append,
                          rlim_t limit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &r);
        _exit(ConvertListingToText(ui, listing, out, {OutputKind::TextFile, 0, false, 3}, append)
                  ? 0
                  : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ListingOutputTest, AFailedWriteLeavesTheOutputAsItWas) {
    ScriptedUi::Options lenient;
    lenient.strict = false;
    ScriptedUi ui(lenient);
    std::string big;
    for (int i = 0; i < 2000; ++i)
        big += "řádek sestavy číslo " + std::to_string(i) + "\r\n";
    WriteBytes(listingFile_, big);
    const fs::path out = work_ / "out.txt";
    const std::string old(4000, 'x');
    for (bool append : {false, true}) {
        WriteBytes(out, old);
        EXPECT_FALSE(ConvertWithFileLimit(ui, listingFile_, out, append, 8192)) << append;
        EXPECT_EQ(old, ReadBytes(out)) << append;
    }
    // No temporary file is left beside the output.
    EXPECT_EQ((std::vector<std::string>{"home", "out.txt", "shown", "work"}),
              testing::FileNames(work_.Path()));
}

// ---- Kind 2: the text file -----------------------------------------------------------------

TEST_F(ListingOutputTest, TextFileDialogAndTheExistingFileDecision) {
    const std::string converted = ReadBytes(listingFile_);
    struct Case {
        const char* script;
        bool exists;
        std::string expected;  // content of the chosen file afterwards
        std::string other;     // content of "jiny.txt" afterwards
    } cases[] = {
        {"value {dir}/vystup.txt", false, converted, ""},
        {"value {dir}/vystup.txt\nbutton 1", true, converted, ""},
        {"value {dir}/vystup.txt\nbutton 2", true, "old\r\n\r\n\r\n\r\n" + converted, ""},
        {"value {dir}/vystup.txt\nbutton 3\nvalue {dir}/jiny.txt", true, "old\r\n", converted},
        {"value {dir}/vystup.txt\nbutton 4", true, "old\r\n", ""},
        {"value {dir}/vystup.txt\nesc", true, "old\r\n", ""},
        {"esc", false, "", ""},
    };
    for (const Case& c : cases) {
        Settings(2);
        fs::remove(work_ / "vystup.txt");
        fs::remove(work_ / "jiny.txt");
        if (c.exists)
            WriteBytes(work_ / "vystup.txt", "old\r\n");
        std::string script = c.script;
        for (std::size_t at; (at = script.find("{dir}")) != std::string::npos;)
            script.replace(at, 5, work_.Path().string());
        ui_->ClearTranscript();
        ui_->LoadScript(script);
        OutputListing(env_, view_);
        EXPECT_EQ(0u, ui_->PendingAnswers()) << c.script;
        EXPECT_EQ(c.expected, ReadBytes(work_ / "vystup.txt")) << c.script;
        EXPECT_EQ(c.other, ReadBytes(work_ / "jiny.txt")) << c.script;
    }
    const TranscriptEntry& dialog = ui_->Transcript().at(0);
    EXPECT_EQ("file-dialog", dialog.kind);
    EXPECT_EQ("Zadejte výstupní soubor", dialog.title);
    EXPECT_EQ("start: /data/", dialog.lines[0]);
}

TEST_F(ListingOutputTest, ExistingFileQuestion) {
    Settings(2);
    WriteBytes(work_ / "v.txt", "old");
    ui_->LoadScript("value " + (work_ / "v.txt").string() + "\nbutton 4\n");
    OutputListing(env_, view_);
    const TranscriptEntry& q = ui_->Transcript().at(1);
    EXPECT_EQ("decision", q.kind);
    EXPECT_EQ(
        std::vector<std::string>{"Výstupní soubor " + (work_ / "v.txt").string() + " existuje!"},
        q.lines);
    EXPECT_EQ((std::vector<std::string>{" &Přepsat ", " Př&ipojit ", " &Nové zadání ", " &Zpět "}),
              q.buttons);
}

// ---- Kind 5: HTML ----------------------------------------------------------------------------

TEST_F(ListingOutputTest, HtmlIsSavedWithTheDefaultExtension) {
    Settings(5).htmlMode = 2;
    ui_->LoadScript("value " + (work_ / "sestava").string() + "\nok\n");
    OutputListing(env_, view_);
    EXPECT_TRUE(ReadBytes(work_ / "sestava.htm").starts_with(kHtmlHead));
    EXPECT_EQ("Zadejte jméno výstupního souboru pro uložení sestavy ve struktuře HTML",
              ui_->Transcript()[0].title);
    EXPECT_EQ("filter: Soubory HTML|*.htm", ui_->Transcript()[0].lines[1]);
    EXPECT_EQ("save", ui_->Transcript()[0].lines[2]);
    EXPECT_EQ("message 0", ui_->Transcript().back().kind);
    EXPECT_EQ("Soubor byl uložen.", LastText());
    // An existing file: overwrite, choose again, back.
    ui_->ClearTranscript();
    WriteBytes(work_ / "sestava.htm", "old");
    ui_->LoadScript("value " + (work_ / "sestava.htm").string() + "\nbutton 3\n");
    OutputListing(env_, view_);
    EXPECT_EQ("old", ReadBytes(work_ / "sestava.htm"));
    EXPECT_EQ((std::vector<std::string>{" &Přepsat ", " &Nové zadání ", " &Zpět "}),
              ui_->Transcript()[1].buttons);
}

TEST_F(ListingOutputTest, AnUnknownOutputKindSaysSoAndWritesNothing) {
    Settings(9);
    ui_->QueueOk();
    OutputListing(env_, view_);
    ASSERT_EQ(1u, ui_->Transcript().size());
    EXPECT_EQ("message 1", ui_->Transcript()[0].kind);
    EXPECT_EQ("Druh výstupu 9 není v této verzi k dispozici.", LastText());
    EXPECT_EQ((std::vector<std::string>{"home", "shown", "work"}),
              testing::FileNames(work_.Path()));
}

// ---- Kinds 0 and 1: the print programs -------------------------------------------------------

class PrintProgramTest : public ListingOutputTest {
  protected:
    PrintProgramTest() {
        programs_ = work_ / "bin";
        fs::create_directories(programs_);
        env_.programFileDirectory = programs_;
        env_.runProgram = [this](const fs::path& program, const std::vector<std::string>& args) {
            runs_.push_back(program.filename().string() + CommandLineText(args));
            arguments_ = args;
            return result_;
        };
        result_.started = true;
        result_.exitCode = 0;
    }
    void InstallProgram(const fs::path& dir, const char* name) {
        WriteBytes(dir / name, "#!/bin/sh\n");
        fs::permissions(dir / name, fs::perms::owner_all);
    }
    fs::path programs_;
    std::vector<std::string> runs_;
    std::vector<std::string> arguments_;
    ProgramResult result_;
};

TEST_F(PrintProgramTest, PrintModuleCommandLines) {
    InstallProgram(programs_, "Axo_Tisk");
    const std::string file = listingFile_.string();
    struct Case {
        bool flag;
        std::uint16_t number;
        Text root;
        std::string expected;
    } cases[] = {
        {true, 100, "/opt/axo"_t,
         "Axo_Tisk /T /D80 /P60 /L40 /N" + file + " /C\"\" /K\"/opt/axo/\" /Z100 /M"},
        {false, 7, "/opt/axo/"_t,
         "Axo_Tisk /T /D80 /P60 /L40 /N" + file + " /C\"\" /K\"/opt/axo/\" /Z7"},
    };
    for (const Case& c : cases) {
        OutputSettings& s = Settings(0);
        s.printModuleFlag = c.flag;
        s.printModuleNumber = c.number;
        env_.templateRoot = c.root;
        runs_.clear();
        OutputListing(env_, view_);
        EXPECT_EQ(std::vector<std::string>{c.expected}, runs_);
    }
    // Without a stored block: kind 0, flag on, number 100.
    settings_.reset();
    runs_.clear();
    OutputListing(env_, {"x"_t, listingFile_, 132, 0, 0});
    EXPECT_EQ(std::vector<std::string>{"Axo_Tisk /T /D132 /P0 /L0 /N" + file +
                                       " /C\"\" /K\"/opt/axo/\" /Z100 /M"},
              runs_);
    EXPECT_TRUE(ui_->Transcript().empty());
}

TEST_F(PrintProgramTest, PrintManagerCommandLines) {
    InstallProgram(programs_, "Axo_PrMa");
    const std::string file = listingFile_.string();
    const std::pair<int, const char*> cases[] = {{2, " K"}, {3, " L"}, {0, " 0"}, {1, " 0"}};
    for (const auto& [printerKind, code] : cases) {
        Settings(1);
        env_.printerKind = printerKind;
        runs_.clear();
        OutputListing(env_, view_);
        EXPECT_EQ(std::vector<std::string>{"Axo_PrMa " + file + code + " 80 /WIN"}, runs_);
    }
}

TEST_F(PrintProgramTest, ProgramsAreFoundBesideTheProgramInItsHelperDirectoryOrTheHome) {
    // An installed tree keeps the helpers in libexec/axo-pap beside bin; the program's own
    // directory comes first, the installation home last.
    const fs::path helpers = work_ / "libexec" / "axo-pap";
    fs::create_directories(helpers);
    const struct {
        fs::path installedIn;
        fs::path also;
    } cases[] = {
        {data_.programDirectory, {}},
        {helpers, data_.programDirectory},
        {programs_, helpers},
    };
    for (const auto& c : cases) {
        for (const fs::path& dir : {programs_, helpers, data_.programDirectory})
            fs::remove(dir / "Axo_Tisk");
        InstallProgram(c.installedIn, "Axo_Tisk");
        if (!c.also.empty())
            InstallProgram(c.also, "Axo_Tisk");
        EXPECT_TRUE(fs::equivalent(c.installedIn / "Axo_Tisk", FindPrintProgram(env_, "Axo_Tisk")))
            << c.installedIn;
    }
    Settings(0);
    runs_.clear();
    OutputListing(env_, view_);
    EXPECT_EQ(1u, runs_.size());
}

TEST_F(PrintProgramTest, MissingProgramsAreReportedAndTheListingDeleted) {
    struct Case {
        std::uint8_t kind;
        std::string messageKind;
        std::vector<std::string> lines;
    } cases[] = {
        {0, "message 0", {"Neexistuje tiskový modul [Axo_Tisk]. Funkci tisku nelze provést."}},
        {1, "message 2", {"Neexistuje program Axo_PrMa.", "", "Funkce nebude provedena."}},
    };
    for (const Case& c : cases) {
        WriteBytes(listingFile_, SampleListing());
        Settings(c.kind);
        ui_->ClearTranscript();
        ui_->LoadScript("print\nok\n");
        HandListingOver(env_, view_);
        EXPECT_TRUE(runs_.empty());
        ASSERT_EQ(2u, ui_->Transcript().size());
        EXPECT_EQ("printout", ui_->Transcript()[0].kind);
        EXPECT_EQ("print", ui_->Transcript()[0].answer);
        EXPECT_EQ(c.messageKind, ui_->Transcript()[1].kind);
        EXPECT_EQ(c.lines, ui_->Transcript()[1].lines);
        EXPECT_FALSE(fs::exists(listingFile_));
    }
}

TEST_F(PrintProgramTest, AFailedPrintIsReportedNotTakenForSuccess) {
    InstallProgram(programs_, "Axo_Tisk");
    Settings(0);
    struct Case {
        ProgramResult result;
        std::string shown;
    } cases[] = {
        {{true, 4, "", "Tisk nelze provést: není nastavena výchozí tiskárna.\n"},
         "Tisk nelze provést: není nastavena výchozí tiskárna."},
        {{true, 5, "", ""}, "Program [Axo_Tisk] skončil s chybou 5."},
        {{false, -1, "", ""}, "Program [Axo_Tisk] nelze spustit."},
    };
    for (const Case& c : cases) {
        result_ = c.result;
        ui_->ClearTranscript();
        ui_->QueueOk();
        OutputListing(env_, view_);
        ASSERT_EQ(1u, ui_->Transcript().size());
        EXPECT_EQ("message 2", ui_->Transcript()[0].kind);
        EXPECT_EQ(c.shown, LastText());
    }
}

TEST_F(PrintProgramTest, TheRealPrintModuleGetsAFileNameWithBlanksAndQuotesIntact) {
    env_.programFileDirectory = testing::ProgramsDirectory();
    env_.runProgram = nullptr;
    const fs::path odd = WorkDir() / "můj \"tisk\" 1";
    fs::rename(listingFile_, odd);
    testing::ScopedEnv lp("AXO_LP", testing::WriteCapturingLp(work_.Path()).string());
    Settings(0).printModuleFlag = false;
    OutputListing(env_, {"x"_t, odd, 80, 60, 40});
    EXPECT_TRUE(ui_->Transcript().empty()) << ui_->TranscriptText();
    EXPECT_EQ("-o\nmedia=A4\n-o\ncpi=10.67\n-o\nlpi=5.72\n-t\nmůj \"tisk\" 1\n",
              ReadBytes(work_ / "args"));
    EXPECT_EQ("┌────┐\n│Účet│\n└────┘\n\fstrana <2> & konec\n", ReadBytes(work_ / "data"));
}

TEST_F(PrintProgramTest, TheRealPrintModuleWithoutCupsSaysWhy) {
    env_.programFileDirectory = testing::ProgramsDirectory();
    env_.runProgram = nullptr;
    testing::ScopedEnv lp("AXO_LP", std::nullopt);
    testing::ScopedEnv path("PATH", (work_ / "home").string());
    Settings(0);
    ui_->QueueOk();
    OutputListing(env_, view_);
    ASSERT_EQ(1u, ui_->Transcript().size());
    EXPECT_EQ("message 2", ui_->Transcript()[0].kind);
    EXPECT_EQ("Tisk nelze provést: na tomto počítači chybí tiskový systém CUPS (program lp).",
              LastText());
}

}  // namespace
}  // namespace axo::ui
