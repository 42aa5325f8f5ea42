// The print module and the print manager: their command lines, the options and data they give
// `lp`, and the programs themselves run with a capturing stand-in for `lp`.
#include "ui/ListingPrint.h"

#include <gtest/gtest.h>

#include "ListingTestSupport.h"
#include "ui/ChildProcess.h"

namespace axo::ui {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(ListingPrintTest, PrintModuleCommandLinesAreRead) {
    const auto parsed = ParsePrintModuleArguments({"/T", "/D132", "/P60", "/L40", "/N/tmp/a b/!OP1",
                                                   "/C\"\"", "/K\"/opt/axo/\"", "/Z100", "/M"});
    ASSERT_TRUE(parsed.request) << parsed.error;
    const PrintRequest& r = *parsed.request;
    EXPECT_EQ(132, r.lineWidth);
    EXPECT_EQ(60, r.narrowLength);
    EXPECT_EQ(40, r.wideLength);
    EXPECT_EQ("/tmp/a b/!OP1", r.file.string());
    EXPECT_EQ("", r.printer);
    EXPECT_EQ("/opt/axo/", r.root);
    EXPECT_EQ(100, r.scale);
    EXPECT_TRUE(r.monochrome);
    // The same line as a shell passes it: the quotes are gone.
    const auto viaShell = ParsePrintModuleArguments({"/t", "/d80", "/nx", "/Ckancelar", "/K/o/"});
    ASSERT_TRUE(viaShell.request);
    EXPECT_EQ("kancelar", viaShell.request->printer);
    EXPECT_FALSE(viaShell.request->monochrome);

    const std::pair<std::vector<std::string>, const char*> bad[] = {
        {{"/T", "/D80"}, "Chybí přepínač /N s tiskovým souborem."},
        {{"/Nx", "/Dabc"}, "Chybná hodnota přepínače [/Dabc]."},
        {{"/Nx", "/D0"}, "Chybná hodnota přepínače [/D0]."},
        {{"/Nx", "/Q"}, "Neznámý přepínač [/Q]."},
        {{"/Nx", "soubor"}, "Neznámý přepínač [soubor]."},
        {{"/Nx", "/Mx"}, "Neznámý přepínač [/Mx]."},
    };
    for (const auto& [args, error] : bad) {
        const auto p = ParsePrintModuleArguments(args);
        EXPECT_FALSE(p.request);
        EXPECT_EQ(error, p.error);
    }
}

TEST(ListingPrintTest, PrintManagerCommandLinesAreRead) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        PrintEncoding encoding;
        int width;
    } cases[] = {
        {{"/tmp/!OP1", "K", "80", "/WIN"}, true, PrintEncoding::Kamenicky, 80},
        {{"/tmp/!OP1", "L", "132", "/WIN"}, true, PrintEncoding::Cp852, 132},
        {{"/tmp/!OP1", "0", "78", "/WIN"}, true, PrintEncoding::Text, 78},
        {{"/tmp/!OP1", "0", "78"}, true, PrintEncoding::Text, 78},
        {{"/tmp/!OP1", "X", "78", "/WIN"}, false, PrintEncoding::Text, 0},
        {{"/tmp/!OP1", "0", "široký", "/WIN"}, false, PrintEncoding::Text, 0},
        {{"/tmp/!OP1", "0", "80", "/DOS"}, false, PrintEncoding::Text, 0},
        {{"/tmp/!OP1"}, false, PrintEncoding::Text, 0},
    };
    for (const Case& c : cases) {
        const auto p = ParsePrintManagerArguments(c.args);
        ASSERT_EQ(c.ok, p.request.has_value()) << c.args.size() << " " << c.args[1];
        if (!c.ok)
            continue;
        EXPECT_EQ(c.encoding, p.request->encoding);
        EXPECT_EQ(c.width, p.request->lineWidth);
    }
}

TEST(ListingPrintTest, LpOptionsFitTheLinesOnThePage) {
    using V = std::vector<std::string>;
    auto request = [](int width, int narrow, int wide) {
        PrintRequest r;
        r.file = "/w/!OP1";
        r.lineWidth = width;
        r.narrowLength = narrow;
        r.wideLength = wide;
        return r;
    };
    struct Case {
        PrintRequest r;
        V expected;
    } cases[] = {
        // 80 characters in 7.5 inches; 60 lines in 10.5 inches.
        {request(80, 60, 40),
         {"-o", "media=A4", "-o", "cpi=10.67", "-o", "lpi=5.72", "-t", "!OP1"}},
        // Narrow lines keep 10 characters an inch.
        {request(40, 72, 40), {"-o", "media=A4", "-o", "cpi=10", "-o", "lpi=6.86", "-t", "!OP1"}},
        // Wider than 80: landscape, the wide page length.
        {request(132, 60, 40),
         {"-o", "media=A4", "-o", "landscape", "-o", "cpi=12.58", "-o", "lpi=5.72", "-t", "!OP1"}},
        // Endless paper: no lines per inch.
        {request(80, 0, 0), {"-o", "media=A4", "-o", "cpi=10.67", "-t", "!OP1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, LpOptions(c.r)) << c.r.lineWidth;

    PrintRequest r = request(80, 60, 40);
    r.scale = 200;
    r.monochrome = true;
    r.printer = "kancelar";
    EXPECT_EQ((V{"-o", "media=A4", "-o", "cpi=5.34", "-o", "lpi=2.86", "-o",
                 "print-color-mode=monochrome", "-d", "kancelar", "-t", "!OP1"}),
              LpOptions(r));
    r.encoding = PrintEncoding::Kamenicky;
    EXPECT_EQ((V{"-o", "raw", "-d", "kancelar", "-t", "!OP1"}), LpOptions(r));
}

TEST(ListingPrintTest, PrintDataOfAListing) {
    const std::string listing =
        (Text::FromBytes("\x87\x81\x90") + "\r\nČř\r\n\f\r\nkonec\r\n"_t).Bytes();
    EXPECT_EQ("┌─┐\nČř\n\fkonec\n", PrintData(listing, PrintEncoding::Text));
    // Raw for a Kamenický printer: its code page, CR LF, a closing form feed.
    EXPECT_EQ("\xDA\xC4\xBF\r\n\x80\xA9\r\n\fkonec\r\n\f",
              PrintData(listing, PrintEncoding::Kamenicky));
    EXPECT_EQ("\f", PrintData("", PrintEncoding::Cp852));
}

// ---- The programs --------------------------------------------------------------------------

class PrintProgramsTest : public ::testing::Test {
  protected:
    PrintProgramsTest() {
        fs::create_directories(dir_ / "bin");
        listing_ = dir_ / "!OP 1";
        WriteBytes(listing_, (Text::FromBytes("\x85") + "Účet\r\n"_t).Bytes());
    }
    ProgramResult Run(const char* program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment) {
        return RunProgram(testing::ProgramsDirectory() / program, args, {}, &environment);
    }
    std::string Path() const { return "PATH=" + (dir_ / "bin").string(); }
    void Install(const char* name, const std::string& script) {
        WriteBytes(dir_ / "bin" / name, "#!/bin/sh\n" + script);
        fs::permissions(dir_ / "bin" / name, fs::perms::owner_all);
    }
    testing::ScratchDir dir_;
    fs::path listing_;
};

TEST_F(PrintProgramsTest, PrintModulePrintsThroughLp) {
    const fs::path lp = testing::WriteCapturingLp(dir_.Path());
    const auto r = Run("Axo_Tisk",
                       {"/T", "/D78", "/P64", "/L44", "/N" + listing_.string(), "/C\"\"",
                        "/K\"/opt/axo/\"", "/Z100", "/M"},
                       {"AXO_LP=" + lp.string(), Path()});
    EXPECT_EQ(0, r.exitCode) << r.errorOutput;
    EXPECT_EQ("request id is Tiskarna-1 (1 file(s))\n", r.output);
    EXPECT_EQ(
        "-o\nmedia=A4\n-o\ncpi=10.4\n-o\nlpi=6.1\n-o\nprint-color-mode=monochrome\n-t\n!OP 1\n",
        ReadBytes(dir_ / "args"));
    EXPECT_EQ("│Účet\n", ReadBytes(dir_ / "data"));
    EXPECT_TRUE(fs::exists(listing_)) << "the caller owns the listing";
}

TEST_F(PrintProgramsTest, PrintManagerSendsRawDataToAKamenickyPrinter) {
    const fs::path lp = testing::WriteCapturingLp(dir_.Path());
    const auto r =
        Run("Axo_PrMa", {listing_.string(), "K", "80", "/WIN"}, {"AXO_LP=" + lp.string(), Path()});
    EXPECT_EQ(0, r.exitCode) << r.errorOutput;
    EXPECT_EQ("-o\nraw\n-t\n!OP 1\n", ReadBytes(dir_ / "args"));
    EXPECT_EQ(
        "\xB3\x97\x87"
        "et\r\n\f",
        ReadBytes(dir_ / "data"));
}

TEST_F(PrintProgramsTest, ProgramsSayWhyTheyCannotPrint) {
    const std::string file = "/N" + listing_.string();
    struct Case {
        std::string lp;      // script of a fake lp in PATH; empty: none
        std::string lpstat;  // script of a fake lpstat; empty: none
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {"",
         "",
         {"/T", file},
         4,
         "Tisk nelze provést: na tomto počítači chybí tiskový systém CUPS (program lp).\n"},
        {"exit 0\n",
         "",
         {"/T", file},
         4,
         "Tisk nelze provést: není nastavena výchozí tiskárna (lpstat -d žádnou neuvádí).\n"},
        {"exit 0\n",
         "echo 'no system default destination'\n",
         {"/T", file},
         4,
         "Tisk nelze provést: není nastavena výchozí tiskárna (lpstat -d žádnou neuvádí).\n"},
        {"echo 'lp: Printer not found' >&2\nexit 1\n",
         "echo 'system default destination: Kancelar'\n",
         {"/T", file},
         5,
         "Tisk se nezdařil (lp skončil s kódem 1): lp: Printer not found\n"},
        {"/bin/cat >/dev/null\n",
         "echo 'system default destination: Kancelar'\n",
         {"/T", file},
         0,
         ""},
        // A destination named on the command line needs no default one.
        {"/bin/cat >/dev/null\n", "", {"/T", file, "/C\"Kancelar\""}, 0, ""},
        {"exit 0\n",
         "",
         {"/T", "/N" + (dir_ / "none").string()},
         3,
         "Tiskový soubor [" + (dir_ / "none").string() + "] nelze otevřít.\n"},
    };
    for (const Case& c : cases) {
        fs::remove(dir_ / "bin" / "lp");
        fs::remove(dir_ / "bin" / "lpstat");
        if (!c.lp.empty())
            Install("lp", c.lp);
        if (!c.lpstat.empty())
            Install("lpstat", c.lpstat);
        const auto r = Run("Axo_Tisk", c.args, {Path()});
        EXPECT_EQ(c.exitCode, r.exitCode) << c.message;
        EXPECT_EQ(c.message, r.errorOutput);
    }
}

TEST_F(PrintProgramsTest, ABadCommandLineShowsTheUsage) {
    const auto module = Run("Axo_Tisk", {"/T", "/D80"}, {Path()});
    EXPECT_EQ(2, module.exitCode);
    EXPECT_EQ(0u,
              module.errorOutput.find("Chybí přepínač /N s tiskovým souborem.\nPoužití: Axo_Tisk"));
    const auto manager = Run("Axo_PrMa", {"soubor"}, {Path()});
    EXPECT_EQ(2, manager.exitCode);
    EXPECT_EQ(
        "Chybný počet nebo tvar parametrů.\nPoužití: Axo_PrMa <soubor> <K|L|0> <šířka řádku> "
        "/WIN\n",
        manager.errorOutput);
}

TEST(ChildProcessTest, RunProgramFeedsAndDrainsLargeStreams) {
    // More than a pipe holds, on standard error before the child reads its input and on
    // standard output while it does: no deadlock, nothing lost.
    const std::string input(1 << 20, 'x');
    const auto r = RunProgram("/bin/sh", {"-c", "head -c 300000 /dev/zero >&2; cat"}, input);
    EXPECT_TRUE(r.started);
    EXPECT_EQ(0, r.exitCode);
    EXPECT_EQ(input, r.output);
    EXPECT_EQ(300000u, r.errorOutput.size());
    // A child that reads nothing does not end the caller with SIGPIPE.
    const auto early = RunProgram("/bin/sh", {"-c", "exit 3"}, input);
    EXPECT_EQ(3, early.exitCode);
    EXPECT_FALSE(RunProgram("/nonexistent/program", {}).started);
    EXPECT_FALSE(StartProgram("/nonexistent/viewer", {"x"}));
    EXPECT_TRUE(StartProgram("/bin/true", {}));
}

}  // namespace
}  // namespace axo::ui
