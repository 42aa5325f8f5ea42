// The XML commands of axo-pap-cli end to end: the program runs as a process against a demo
// installation; the batch run writes a valid summary from the compiled parts, a part file gets
// its dialog from the options, and refusals exit non-zero with the program's message.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <regex>

#include "XmlTestSupport.h"
#include "support/CliRun.h"

namespace axo::xml::test {
namespace {

using axo::test::CliRun;

class XmlCliTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("axo-xml-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "out");
        const CliRun demo =
            Cli("demo-install " + (dir_ / "skola").string() + " --year 2023 --lines 300 --seed 5");
        ASSERT_EQ(0, demo.code) << demo.err;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static CliRun Cli(const std::string& args) {
        return axo::test::RunCli(dir_, args, "TMPDIR=" + axo::test::Quote(dir_.string()));
    }
    /// A command in the installation with every organisation field of the dialog given.
    /// (The options of `args` come last: they win.)
    static CliRun InHome(const std::string& args) {
        return Cli("--home " + (dir_ / "skola").string() +
                   " --password ucetni --year 2023 --dir out --ico 12345678"
                   " --name \"Škola & spol\" --person \"Jana Nováková\" --email jana@skola.cz"
                   " --zo 1234 --phone \"777 123 456\" " +
                   args);
    }

    static inline fs::path dir_;
};

/// The export parameters in the vault of the demo installation's user, read or changed by `edit`
/// as another program of the installation would.
void WithStoredParams(const fs::path& home, const std::function<void(pap::XmlExportParams&)>& edit,
                      bool store) {
    ui::ScriptedUi ui;
    FixedClock clock{DateTime{2024, 1, 15, 9, 0, 0, 0}};
    storage::DataContext data;
    data.ui = &ui;
    data.clock = &clock;
    data.programDirectory = home;
    data.currentDirectory = home;
    auto vault = startup::OpenVault(data, startup::VaultKind::Parameters, "UCETNI"_t, 0);
    ASSERT_TRUE(vault);
    pap::XmlExportParams params{};
    ASSERT_TRUE(
        startup::LoadSettings(vault.get(), kParamsGroup, kParamsItem, &params, sizeof params));
    edit(params);
    if (store)
        startup::SaveSettings(vault.get(), kParamsGroup, kParamsItem, &params, sizeof params);
    startup::CloseVault(vault);
}

TEST_F(XmlCliTest, TheBatchRunKeepsTheStoredPrintForms) {
    ASSERT_EQ(0, InHome("batch --month 12").code);
    fs::remove_all(dir_ / "out");
    fs::create_directories(dir_ / "out");
    const fs::path home = dir_ / "skola";
    WithStoredParams(
        home,
        [](pap::XmlExportParams& p) {
            p.formI = "PAP_I.rep"_t;
            p.formII_III = "PAP_II.rep"_t;
            p.formIV_IX = "PAP_IV.rep"_t;
        },
        true);
    const CliRun run = InHome("batch --month 12 --person \"Petr Malý\"");
    ASSERT_EQ(0, run.code) << run.err;
    WithStoredParams(
        home,
        [](pap::XmlExportParams& p) {
            EXPECT_EQ("PAP_I.rep", ToUtf8(p.formI));
            EXPECT_EQ("PAP_II.rep", ToUtf8(p.formII_III));
            EXPECT_EQ("PAP_IV.rep", ToUtf8(p.formIV_IX));
            // What the run was given is stored as usual.
            EXPECT_EQ("Petr Malý", ToUtf8(TrimRight(p.responsiblePerson.Get())));
        },
        false);
    fs::remove_all(dir_ / "out");
    fs::create_directories(dir_ / "out");
}

TEST_F(XmlCliTest, TheBatchRunWritesAValidSummaryAndConsumesTheFragments) {
    const CliRun run = InHome("batch --month 12");
    ASSERT_EQ(0, run.code) << run.err;
    // The statements' protocols are not passed over in silence: their lines are counted.
    EXPECT_NE(std::string::npos, run.err.find("Chybové protokoly zpracovaných výkazů obsahují:"))
        << run.err;
    // The closing sentence stands on a line of its own after an empty one, no control character
    // in between.
    EXPECT_NE(
        std::string::npos,
        run.err.find("\n  \n  Zaúčtování uvedená v protokolech nejsou ve výkazech započtena."))
        << run.err;
    EXPECT_EQ(std::string::npos, run.err.find('\x1A'));
    const fs::path summary = dir_ / "out" / "PAP_souhrn.xml";
    EXPECT_EQ(summary.string() + "\n", run.out);
    EXPECT_EQ(std::vector<std::string>{"PAP_souhrn.xml"}, Entries(dir_ / "out"));
    EXPECT_EQ(0, Xmllint(summary, true));
    const std::string bytes = ReadBytes(summary);
    // From 2022 without part IX.
    for (int part = 1; part <= 8; ++part)
        EXPECT_NE(std::string::npos, bytes.find("<Cast" + std::to_string(part) + ">")) << part;
    EXPECT_EQ(std::string::npos, bytes.find("<Cast9>"));
    EXPECT_NE(std::string::npos, bytes.find("<stm:DatumVykaz>2023-12-31</stm:DatumVykaz>"));
    EXPECT_NE(std::string::npos, bytes.find("<iissp:SubjectName>Škola &amp; spol<"));
    // No identifier given: a fresh one of 32 hexadecimal digits.
    EXPECT_TRUE(std::regex_search(bytes, std::regex("<iissp:TransactionId>[0-9a-f]{32}<")));

    const CliRun again = InHome("summary");
    EXPECT_EQ(1, again.code);
    EXPECT_NE(std::string::npos, again.err.find("Na zadané cestě neexistuje výkaz PAP_Cast1.xml"))
        << again.err;
    EXPECT_EQ("", again.out);
}

TEST_F(XmlCliTest, TheBatchStopsAtThePartThatFailsAndLeavesNothingOfItsOwn) {
    // Part V's fragment cannot replace a directory of its name; an older fragment of part VI
    // must not be taken into a summary.
    fs::remove_all(dir_ / "out");
    fs::create_directories(dir_ / "out" / "PAP_Cast5.xml");
    WriteBytes(dir_ / "out" / "PAP_Cast6.xml",
               "<?axo-pap obdobi=\"1-12\" rok=\"2023\"?>\r\n"
               "<Cast6>\r\n</Cast6>\r\n");
    const CliRun run = InHome("batch --month 12");
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find("Výkaz V. nebyl sestaven a uložen do XML."))
        << run.err;
    EXPECT_EQ((std::vector<std::string>{"PAP_Cast5.xml", "PAP_Cast6.xml"}), Entries(dir_ / "out"));
    fs::remove_all(dir_ / "out");
    fs::create_directories(dir_ / "out");
}

TEST_F(XmlCliTest, APartFileFromTheStatementAndAFragment) {
    const CliRun x = InHome("xml 10 --from 1 --to 6 --transaction-id ABCDEF12 --reference-id 77");
    ASSERT_EQ(0, x.code) << x.err;
    const fs::path file = dir_ / "out" / "PAP_CastX.xml";
    EXPECT_EQ(file.string() + "\n", x.out);
    EXPECT_EQ(0, Xmllint(file, true));
    const std::string bytes = ReadBytes(file);
    EXPECT_NE(std::string::npos, bytes.find("<iissp:TransactionId>ABCDEF12<"));
    EXPECT_NE(std::string::npos, bytes.find("<iissp:ReferenceTransactionId>77<"));
    EXPECT_NE(std::string::npos, bytes.find("<stm:DatumVykaz>2023-06-30</stm:DatumVykaz>"));

    // The vault keeps the entries: a fragment needs nothing but the command.
    const CliRun v =
        Cli("xml 5 --home " + (dir_ / "skola").string() + " --password ucetni --year 2023");
    ASSERT_EQ(0, v.code) << v.err;
    const std::string fragment = ReadBytes(dir_ / "out" / "PAP_Cast5.xml");
    EXPECT_EQ(0u, fragment.find("<?axo-pap obdobi=\"1-12\" rok=\"2023\"?>\r\n\t" +
                                std::string(26, ' ') + "\t<Cast5>\r\n"))
        << fragment.substr(0, 60);
}

TEST_F(XmlCliTest, RefusalsExitNonZeroWithTheProgramsMessage) {
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"xml14 --ico 123456789", "Položka <IČO> může mít maximálně 8 znaků!"},
        {"xml14 --ico 1234567", "Položka <IČO> musí obsahovat právě 8 číslic!"},
        {"xml14 --ico abcdefgh", "Položka <IČO> musí obsahovat právě 8 číslic!"},
        {"xml14 --email not-an-email", "Položka <Email> nemá tvar e-mailové adresy"},
        {"xml14 --zo 1234567890123456",
         "Položka <Identifikační číslo ZO> může mít nejvýše 15 číslic!"},
        {"xml14", "Na zadané cestě neexistuje soubor PAP_CastXIV.csv"},
        {"xml14 --transaction-id xyz", "Hodnotu <xyz> nelze zadat do položky <Identifikátor"},
        {"xml17", "Výkaz č. XVII se od roku 2022 nepodává (byl zrušen)"},
        {"xml 14", "N je číslo výkazu 1 až 13, 15 nebo 16"},
        // Every unknown option is named, then the options there are.
        {"xml14 --other 1 --bogus 2",
         "Neznámá volba --bogus.\nNeznámá volba --other.\nVolby dialogu XML"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = InHome(c.args);
        EXPECT_NE(0, run.code);
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << run.err;
        EXPECT_EQ("", run.out);
    }
    WriteBytes(dir_ / "out" / "PAP_CastXIV.csv", "X;12345678;;1;dva\n");
    const CliRun wrong = InHome("xml14");
    EXPECT_EQ(1, wrong.code);
    EXPECT_NE(std::string::npos,
              wrong.err.find("Soubor PAP_CastXIV.csv, řádek 1: položka 5 <dva> není číslo."))
        << wrong.err;
    EXPECT_FALSE(fs::exists(dir_ / "out" / "PAP_CastXIV.xml"));
}

}  // namespace
}  // namespace axo::xml::test
