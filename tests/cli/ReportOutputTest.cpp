// axo-pap-cli statement with a template: the demo organisation's statements come out as
// multi-page PDFs and in every other output, the rows on standard output as before; option
// values are checked before anything is compiled; a print range past the last page prints
// nothing and fails; lp is replaced through AXO_LP.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace axo::cli::test {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplates = fs::path(AXO_TEST_SOURCE_DIR) / ".." / "data" / "templates";

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

class ReportOutputTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-report-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const CliResult demo = Cli("demo-install " + (dir_ / "skola").string() + " --year 2024");
        ASSERT_EQ(0, demo.code) << demo.err;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static CliResult Cli(const std::string& args, const std::string& env = "") {
        const std::string command = "cd " + dir_.string() + " && env -u AXO_PASSWORD -u AXO_HOME " +
                                    env + " TMPDIR=" + dir_.string() +
                                    " AXO_COMPUTER_ID=0000ABCD " + AXO_CLI_PATH + " " + args +
                                    " >out.txt 2>err.txt </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(dir_ / "out.txt"),
                Read(dir_ / "err.txt")};
    }
    static std::string Statement(int n, const std::string& templateName, const std::string& rest) {
        return "--home " + (dir_ / "skola").string() + " --password ucetni --year 2024 statement " +
               std::to_string(n) + " --from 1 --to 12 --template " +
               Quoted(kTemplates / templateName) + " " + rest;
    }
    static std::string Pdfinfo(const fs::path& pdf) {
        const std::string command = "pdfinfo " + Quoted(pdf) + " > " + (dir_ / "info.txt").string();
        return std::system(command.c_str()) == 0 ? Read(dir_ / "info.txt") : "";
    }

    static inline fs::path dir_;
};

TEST_F(ReportOutputTest, TheShippedTemplatesGiveMultiPagePdfs) {
    struct Case {
        int statement;
        const char* templateName;
        const char* size;
        int leastPages;
    } cases[] = {
        {1, "PAP_VYKAZY I Výkaz I.pts", "595.44 x 841.68", 2},
        {2, "PAP_VYKAZY II-III Výkazy II a III.pts", "595.44 x 841.68", 1},
        {4, "PAP_VYKAZY IV-IX Výkazy IV až IX.pts", "841.68 x 595.44", 1},
    };
    for (const Case& c : cases) {
        const fs::path pdf = dir_ / ("vykaz" + std::to_string(c.statement) + ".pdf");
        const CliResult run = Cli(Statement(c.statement, c.templateName, "--pdf " + Quoted(pdf)));
        ASSERT_EQ(0, run.code) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("Sestava: " + pdf.string())) << run.err;
        EXPECT_NE(std::string::npos, run.out.find("Řádek")) << "the rows stay on standard output";
        const std::string info = Pdfinfo(pdf);
        if (info.empty())
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
        EXPECT_NE(std::string::npos, info.find(c.size)) << info;
        const std::size_t at = info.find("Pages:");
        ASSERT_NE(std::string::npos, at);
        EXPECT_GE(std::stoi(info.substr(at + 6)), c.leastPages) << c.templateName;
    }
}

TEST_F(ReportOutputTest, EveryOtherOutput) {
    const fs::path out = dir_ / "vse";
    fs::create_directories(out);
    const CliResult run = Cli(Statement(
        1, "PAP_VYKAZY I Výkaz I.pts",
        "--png " + Quoted(out / "png") + " --dpi 30 --svg " + Quoted(out / "svg") + " --html " +
            Quoted(out / "v.HTML") + " --rtf " + Quoted(out / "v.rtf") + " --emf " +
            Quoted(out / "emf") + " --wmf " + Quoted(out / "wmf") + " --txt " +
            Quoted(out / "v.txt") + " --layout " + Quoted(out / "strany.txt")));
    ASSERT_EQ(0, run.code) << run.err;
    for (const char* file :
         {"png/strana1.png", "png/strana2.png", "svg/strana2.svg", "v1.HTML", "v2.HTML", "v.rtf",
          "emf/strana1.emf", "wmf/strana2.wmf", "v.txt", "strany.txt"})
        EXPECT_TRUE(fs::exists(out / file)) << file << "\n" << run.err;
    EXPECT_EQ(0u, Read(out / "strany.txt").rfind("Stran: ", 0));
    // The grid is Windows-1250 text with CR LF.
    EXPECT_NE(std::string::npos, Read(out / "v.txt")
                                     .find("POMOCN\xDD"
                                           " ANALYTICK\xDD"
                                           " P\xD8"
                                           "EHLED"));
}

TEST_F(ReportOutputTest, OptionsAreCheckedBeforeAnythingIsCompiled) {
    struct Case {
        std::string options;
        std::string message;
    } cases[] = {
        {"--pdf x.pdf --dpi 3x", "Volba --dpi potřebuje celé číslo"},
        {"--png png --dpi 5", "Volba --dpi potřebuje číslo od 10 do 2400"},
        {"--print --pages 5-2", "Volba --pages potřebuje rozsah stran"},
        {"--print --copies 0", "Volba --copies potřebuje číslo od 1 do 9999"},
        {"--pdf x.pdf --copies 2", "patří k volbě --print"},
    };
    for (const Case& c : cases) {
        const CliResult run = Cli(Statement(1, "PAP_VYKAZY I Výkaz I.pts", c.options));
        EXPECT_EQ(2, run.code) << c.options;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << c.options << ": " << run.err;
        EXPECT_EQ("", run.out) << c.options;
    }
}

/// Text with every kind of blank removed, so that "1 242 368,58" matches whatever blank the PDF
/// text has between the thousands.
std::string Unspaced(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\n' || text[i] == '\f')
            continue;
        if (text.compare(i, 2, "\xC2\xA0") == 0 || text.compare(i, 3, "\xE2\x80\xAF") == 0) {
            i += text[i] == '\xC2' ? 1 : 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

/// The first amount other than 0,00 in the rows the command printed.
std::string FirstAmount(const std::string& rows) {
    const std::regex amount("-?[0-9]{1,3}( [0-9]{3})*,[0-9]{2}");
    for (auto it = std::sregex_iterator(rows.begin(), rows.end(), amount);
         it != std::sregex_iterator(); ++it)
        if (it->str() != "0,00")
            return it->str();
    return {};
}

TEST_F(ReportOutputTest, EveryStatementPrintsThroughTheDefaultTemplateOfTheInstallation) {
    struct Case {
        int statement;
        const char* templateName;  ///< empty: the catalogue's default
        const char* title;
        const char* size;
    } cases[] = {
        {1, "", "Počáteční stav", "595.44 x 841.68"},
        {2, "", "Hlavní činnost", "595.44 x 841.68"},
        {3, "", "Hlavní činnost", "595.44 x 841.68"},
        {4, "", "Typ změny", "841.68 x 595.44"},
        {4, "PAP_VYKAZY IV-IX-KOMPLET Výkazy IV až IX úplné.pts", "úplné rozvržení",
         "841.68 x 595.44"},
        {7, "", "Typ změny", "841.68 x 595.44"},
        {10, "", "Partner AP", "841.68 x 595.44"},
        {11, "", "Marže", "841.68 x 595.44"},
        {12, "", "Partner transakce", "595.44 x 841.68"},
        {13, "", "Partner AP", "595.44 x 841.68"},
        {15, "", "výkaz XV", "595.44 x 841.68"},
        {16, "", "Název partnera", "841.68 x 595.44"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.statement) + " " + c.templateName);
        const fs::path pdf = dir_ / ("vychozi" + std::to_string(c.statement) + ".pdf");
        const std::string templateOption =
            *c.templateName ? " --template " + Quoted(dir_ / "skola" / "sablony" / c.templateName)
                            : "";
        const CliResult run =
            Cli("--home " + (dir_ / "skola").string() +
                " --password ucetni --year 2024 statement " + std::to_string(c.statement) +
                " --from 1 --to 12 --pdf " + Quoted(pdf) + templateOption);
        ASSERT_EQ(0, run.code) << run.err;
        const std::string info = Pdfinfo(pdf);
        if (info.empty())
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
        EXPECT_NE(std::string::npos, info.find(c.size)) << info;
        const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
        ASSERT_EQ(
            0, std::system(
                   ("pdftotext -layout " + Quoted(pdf) + " " + Quoted(dir_ / "text.txt")).c_str()));
        const std::string text = Read(dir_ / "text.txt");
        for (const std::string& expected :
             {std::string("Základní škola Demo"), std::string("IČO: 70884129"),
              std::string("za období 1-12/2024"), std::string("POMOCNÝ ANALYTICKÝ PŘEHLED"),
              std::string(c.title), std::string("Sestavil:"), std::string("Schválil:"),
              // Every page tells its number of the whole.
              "1 / " + std::to_string(pages),
              std::to_string(pages) + " / " + std::to_string(pages)})
            EXPECT_NE(std::string::npos, text.find(expected)) << expected << "\n" << text;
        // The report runs over the rows the command printed: an amount of them is on a page.
        const std::string amount = FirstAmount(run.out.substr(run.out.find('\n')));
        ASSERT_FALSE(amount.empty()) << run.out;
        EXPECT_NE(std::string::npos, Unspaced(text).find(Unspaced(amount))) << amount;
        // The sign lines close the report on its last page.
        EXPECT_NE(std::string::npos,
                  text.substr(text.rfind('\f', text.size() - 2) + 1).find("Počet řádků výkazu"));
    }
}

TEST_F(ReportOutputTest, WithoutAFittingTemplateTheStatementIsOnlyListed) {
    // An installation whose template directory lacks the templates of statement X.
    const fs::path templates = dir_ / "skola" / "sablony";
    const fs::path aside = dir_ / "stranou";
    fs::create_directories(aside);
    for (const char* name : {"PAP_VYKAZY X Výkaz X.pts"})
        fs::rename(templates / name, aside / name);
    const fs::path pdf = dir_ / "bez.pdf";
    const CliResult run = Cli("--home " + (dir_ / "skola").string() +
                              " --password ucetni --year 2024 statement 10 --pdf " + Quoted(pdf));
    for (const char* name : {"PAP_VYKAZY X Výkaz X.pts"})
        fs::rename(aside / name, templates / name);
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("žádná předloha sestavy")) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("X. Počáteční a koncové stavy")) << run.out;
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ReportOutputTest, PrintingThroughLp) {
    const fs::path lp = dir_ / "capture-lp";
    std::ofstream(lp) << "#!/bin/sh\n"
                         "dir=\"${0%/*}\"\n"
                         ": > \"$dir/args\"\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$dir/args\"; done\n"
                         "/bin/cat > \"$dir/data\"\n"
                         "echo 'request id is Tiskarna-1 (1 file(s))'\n";
    fs::permissions(lp, fs::perms::owner_all);
    const std::string env = "AXO_LP=" + lp.string();
    const CliResult printed = Cli(Statement(1, "PAP_VYKAZY I Výkaz I.pts",
                                            "--print --printer Kancelar --pages 2- --copies 3"),
                                  env);
    ASSERT_EQ(0, printed.code) << printed.err;
    EXPECT_NE(std::string::npos, printed.err.find("request id is Tiskarna-1")) << printed.err;
    EXPECT_EQ("-d\nKancelar\n-t\nTisková sestava\n-n\n3\n-o\nmedia=A4\n", Read(dir_ / "args"));
    EXPECT_EQ(0u, Read(dir_ / "data").rfind("%PDF-", 0));
    // Past the last page: nothing is printed, and the run says so and fails.
    fs::remove(dir_ / "args");
    const CliResult beyond =
        Cli(Statement(1, "PAP_VYKAZY I Výkaz I.pts", "--print --pages 50-60"), env);
    EXPECT_EQ(1, beyond.code);
    EXPECT_NE(std::string::npos, beyond.err.find("Nic nebylo vytištěno")) << beyond.err;
    EXPECT_FALSE(fs::exists(dir_ / "args"));
}

}  // namespace
}  // namespace axo::cli::test
