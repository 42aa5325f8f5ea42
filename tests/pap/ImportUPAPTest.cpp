// The text import of the PAP code list: tab fields, the replace fill with its statement groups
// and rows, the update fill of the transaction-code flags, and the messages that leave the list
// as it was.
#include "pap/ImportUPAP.h"

#include <sys/socket.h>
#include <sys/un.h>

#include "ImportTestSupport.h"

namespace axo::pap::test {
namespace {

using ::testing::ElementsAre;

class ImportUPAPTest : public ImportTest {
  protected:
    /// The code of an analytics; fails the test when it is missing.
    tVetaUAPV Code(const char* analytics) {
        tFileUAPV list(ctx_, where_);
        EXPECT_TRUE(list.InitFile(1, storage::_NoWait));
        tVetaUAPV code;
        code.STAT_ANAL = FromUtf8(analytics);
        std::int32_t n = 0;
        EXPECT_TRUE(list.BtFindKey(1, n, list.MakeKey(1, &code))) << analytics;
        if (n)
            list.GetRec(n, &code);
        return code;
    }
    static tVetaUAPV Old(const char* analytics, int group, int row) {
        tVetaUAPV code;
        code.STAT_ANAL = FromUtf8(analytics);
        code.VYKAZ_I_II_III = static_cast<Byte>(group);
        code.RADEK = static_cast<Word>(row);
        return code;
    }
    /// Runs the import, confirming its question.
    CodeListImportResult Run(const std::filesystem::path& file) {
        ui_.QueueButton(1);
        ui_.QueueOk();
        return ImportUPAP(where_, ctx_, ui_, file);
    }
};

TEST(TabFieldsTest, AFieldCountsOnlyWhenATabFollowsIt) {
    struct Case {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {}},
        {"abc", {}},
        {"a\tb", {"a"}},
        {"a\tb\t", {"a", "b"}},
        {" a \t\t  c \t", {"a", "", "c"}},
        {"\t\t", {"", ""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> got;
        for (const Text& f : TabFields(FromUtf8(c.line)))
            got.push_back(ToUtf8(f));
        EXPECT_EQ(c.fields, got) << c.line;
    }
}

TEST(UpapModeTest, OnlyTheUpdateFilesOfStatementsIVToIXUpdate) {
    struct Case {
        const char* name;
        UpapMode mode;
    } cases[] = {
        {"UPAP.txt", UpapMode::Replace},        {"UPAP_04", UpapMode::Update},
        {"/x/y/upap_09.txt", UpapMode::Update}, {"UPAP_05.TXT", UpapMode::Update},
        {"UPAP_03", UpapMode::Replace},         {"UPAP_10", UpapMode::Replace},
        {"XUPAP_04", UpapMode::Replace},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.mode, UpapModeOf(c.name)) << c.name;
}

TEST_F(ImportUPAPTest, ReplaceFillNumbersRowsPerFirstStatementAndSkipsTakenKeys) {
    Add<tFileUAPV>(std::vector<tVetaUAPV>{Old("OLD", 1, 7)});
    const auto file = WriteCp1250("UPAP.txt",
                                  "021\tStavby\t\t\t1\t4\t10\t\r\n"
                                  "0211\tBudovy školy\tP10\t\t1\t4\t10\t\r\n"
                                  "501\tSpotřeba materiálu\tP11\tx\t2\t11\t\r\n"
                                  "\r\n"
                                  "901\tOstatní majetek\tP13\t\t15\t16\t\r\n"
                                  "021\tZnovu stejná analytika\t\t\t1\t\r\n"
                                  "0212\tByty\tP12\t\t1\t\r\n"
                                  "IV4\tJen výkaz IV\t\t\t4\t\r\n"
                                  "602\tVýnosy\t\t\t3\t\t\n");
    const CodeListImportResult r = Run(file);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(6, r.written);
    EXPECT_EQ(2, r.skipped);

    struct Expect {
        const char* analytics;
        int group, row;
        bool partner;
        int coje;
        bool partner2, kod;
        std::vector<int> statements;
    } expected[] = {
        {"021", 1, 1, false, 0, false, true, {1, 4, 10}},
        {"0211", 1, 2, true, 1, false, true, {1, 4, 10}},
        {"501", 2, 1, true, 0, true, false, {2, 11}},
        {"901", 0, 1, true, 1, false, false, {15, 16}},
        // the second "021" took row 3 and was skipped; "0212" follows with row 4
        {"0212", 1, 4, true, 0, false, false, {1}},
        {"602", 3, 1, false, 0, false, false, {3}},
    };
    for (const Expect& e : expected) {
        const tVetaUAPV c = Code(e.analytics);
        EXPECT_EQ(e.group, c.VYKAZ_I_II_III) << e.analytics;
        EXPECT_EQ(e.row, c.RADEK) << e.analytics;
        EXPECT_EQ(e.partner, c.PARTNER != 0) << e.analytics;
        EXPECT_EQ(e.coje, c.CojePartner) << e.analytics;
        EXPECT_EQ(e.partner2, c.PARTNER2 != 0) << e.analytics;
        EXPECT_EQ(e.kod, c.KOD != 0) << e.analytics;
        std::vector<int> statements;
        for (int i = 0; i < 20; ++i)
            if (c.VYKAZY[i])
                statements.push_back(i + 1);
        EXPECT_EQ(e.statements, statements) << e.analytics;
    }
    EXPECT_EQ("Budovy školy"_t, Code("0211").POPIS.Get());
    // "IV4" would be group 0 row 1, which "901" holds; the old code went with the replace
    EXPECT_EQ(6u, Dump<tFileUAPV>().size());
    EXPECT_THAT(Shown(), ElementsAre("decision: Číselník bude smazán a předplněn obsahem souboru " +
                                         file.string() + "!",
                                     "message 1: HOTOVO!"));
}

TEST_F(ImportUPAPTest, UpdateLineWithOnlyTheFirstCellsCrossedSetsAllOtherFlags) {
    tVetaUAPV stale = Old("0211", 1, 1);
    stale.MD[0] = stale.DAL[0] = 1;
    stale.MD2[3] = 1;
    tVetaUAPV untouched = Old("0212", 1, 2);
    untouched.MD[4] = 1;
    Add<tFileUAPV>(std::vector<tVetaUAPV>{stale, untouched});
    std::string header = "SA\tPopis\t\t\t";  // 252 characters with the brackets
    std::string cells;
    for (int n = 1; n <= 20; ++n) {
        header += "[4" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "]\t";
        cells += n == 1 ? "x\t" : "\t";
    }
    for (int n = 51; n <= 70; ++n) {
        header += "[4" + std::to_string(n) + "]\t";
        cells += n == 51 ? "x\t" : "\t";
    }
    const auto file =
        WriteCp1250("UPAP_04", "Tabulka kódů [výkaz IV]\n" + header + "\n" + "0211\tBudovy\t\t\t" +
                                   cells + "\n" + "9999\tNení v číselníku\t\t\t" + cells + "\n");
    ui_.QueueButton(1);
    ui_.QueueOk();
    const CodeListImportResult r = ImportUPAP(where_, ctx_, ui_, file);
    EXPECT_EQ(1, r.written);
    EXPECT_EQ(1, r.skipped);

    const tVetaUAPV c = Code("0211");
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(n != 1, c.MdFlag(n)) << "MD" << n;
    for (int n = 51; n <= 70; ++n)
        EXPECT_EQ(n != 51, c.DalFlag(n)) << "DAL" << n;
    EXPECT_FALSE(c.MdFlag(24)) << "flags of other columns are cleared";
    EXPECT_EQ(1, c.RADEK);
    EXPECT_TRUE(Code("0212").MdFlag(5)) << "a code the file does not name stays";
    EXPECT_EQ(2u, Dump<tFileUAPV>().size());
    EXPECT_EQ("decision: Číselník bude předplněn obsahem souboru " + file.string() + "!",
              Shown().front());
}

TEST_F(ImportUPAPTest, RefusalsLeaveTheListAsItWas) {
    Add<tFileUAPV>(std::vector<tVetaUAPV>{Old("021", 1, 1), Old("501", 2, 1)});
    const auto before = Dump<tFileUAPV>();
    const auto good = WriteCp1250("UPAP.txt", "0211\tBudovy\t\t\t1\t\n");
    const auto missing = dir_ / "chybi.txt";

    // A socket exists as a file but is none to read.
    const auto socketPath = dir_ / "UPAP.sock";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(0, ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr));

    struct Case {
        const char* label;
        std::filesystem::path file;
        std::function<void()> answers;
        std::vector<std::string> shown;
    } cases[] = {
        {"missing file",
         missing,
         [&] { ui_.QueueOk(); },
         {"message 1: Soubor " + missing.string() + " neexistuje. Číselník nelze založit."}},
        {"declined",
         good,
         [&] { ui_.QueueButton(2); },
         {"decision: Číselník bude smazán a předplněn obsahem souboru " + good.string() + "!"}},
        {"not a regular file",
         socketPath,
         [&] { ui_.QueueOk(); },
         {"message 1: Soubor " + socketPath.string() +
          " není obyčejný soubor. Číselník nelze založit."}},
    };
    for (const Case& c : cases) {
        ui_.ClearTranscript();
        c.answers();
        EXPECT_FALSE(ImportUPAP(where_, ctx_, ui_, c.file).done) << c.label;
        EXPECT_EQ(c.shown, Shown()) << c.label;
        EXPECT_EQ(before, Dump<tFileUAPV>()) << c.label;
    }
    ::close(fd);

    // Another user has the list open: it cannot be replaced under him.
    tFileUAPV other(ctx_, where_);
    ASSERT_TRUE(other.InitFile(1, storage::_NoWait));
    ui_.ClearTranscript();
    ui_.QueueButton(1);
    ui_.QueueOk();
    EXPECT_FALSE(ImportUPAP(where_, ctx_, ui_, good).done);
    EXPECT_EQ("message 1: Číselník nelze zamčít, jeho naplnění nebude provedeno.", Shown().back());
    other.CloseFile();
    EXPECT_EQ(before, Dump<tFileUAPV>());
}

TEST_F(ImportUPAPTest, LongLinesAreCutAndLineEndsOfBothKindsRead) {
    // The line is cut after character 255, in the middle of its statement field.
    const std::string longText(248, 'a');
    const auto file = WriteCp1250("UPAP.txt", "021\t" + longText + "\t\t\t1\t\n" +
                                                  "022\tStroje\t\t\t1\t\r\n"
                                                  "023\tPozemky\t\t\t1\t");
    EXPECT_TRUE(Run(file).done);
    EXPECT_EQ(Text(150, 'a'), Code("021").POPIS.Get());
    EXPECT_EQ(0, Code("021").VYKAZ_I_II_III);
    EXPECT_EQ(1, Code("022").RADEK);
    EXPECT_EQ(2, Code("023").RADEK);
}

}  // namespace
}  // namespace axo::pap::test
