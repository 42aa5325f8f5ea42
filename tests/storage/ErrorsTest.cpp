// Data error reporting: the fatal report (window, journal entry, crash mark, end of the
// program, the task-table exception), the warning, the record-lock explanation, the stop on a
// programming error, the print copy and the journal under faults and concurrent writers.
#include "storage/Errors.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ScratchDir.h"
#include "storage/WorkFiles.h"
#include "ui/Dialog.h"
#include "ui/ScriptedUi.h"

namespace axo::storage {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScopedEnv;
using test::ScratchDir;

/// The scripted front end, noting the colours of the text block a dialog shows.
class PanelNotingUi : public ui::ScriptedUi {
  public:
    int RunDialogWindow(ui::TDialogAXO& dialog) override {
        shownPanel.reset();
        for (const auto& e : dialog.Elements())
            if (e->Kind() == ui::ElementKind::Panel)
                shownPanel = static_cast<const ui::TPanelAXO&>(*e).Colours();
        return ScriptedUi::RunDialogWindow(dialog);
    }
    std::optional<ui::ColourPair> shownPanel;
};

/// A scripted program run in a scratch directory on 5 March 2024, 08:07:06.459.
class ErrorsTest : public ::testing::Test {
  protected:
    ErrorsTest() : clock_(DateTime{2024, 3, 5, 8, 7, 6, 459}) {
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.currentDirectory = scratch_.Path();
        ctx_.programDirectory = scratch_.Path();
        ctx_.programFileName = "AXO_PAP.EXE"_t;
        ctx_.markCrash = [this] { ++crashMarks_; };
    }

    /// A journal entry of 5 March 2024, 08:07:06 as UTF-8: header lines, body, empty line.
    static std::string Entry(const std::string& title, const std::string& body) {
        const std::string header = " 5. 3.2024 08:07:06  " + title;
        const std::string stars(FromUtf8(header).size(), '*');
        return stars + "\r\n" + header + "\r\n" + stars + "\r\n" + body + "\r\n";
    }

    /// The journal as UTF-8, line ends kept.
    std::string Journal() const {
        return ToUtf8(Text::FromBytes(ReadBytes(scratch_ / "Axo-Zurn.Err")));
    }

    /// Runs a report that must end the program; returns its exit code (-1 when it returned).
    template <typename Report>
    int ExitCodeOf(Report report) {
        try {
            report();
        } catch (const ui::ProgramEnded& ended) {
            return ended.exitCode;
        }
        return -1;
    }

    ScratchDir scratch_;
    PanelNotingUi ui_;
    FixedClock clock_;
    DataContext ctx_;
    int crashMarks_ = 0;
};

TEST_F(ErrorsTest, FatalReportShowsJournalsMarksTheCrashAndEnds) {
    ui_.QueueOk();
    const int exitCode = ExitCodeOf([&] {
        ReportDataError(ctx_, 10200, "FINDKEY"_t, "UDPO2024.DB"_t,
                        "Nesoulad mezi obsahem datového a indexového souboru.\r\n"
                        "Problém by měla vyřešit rekonstrukce indexových souborů.\r\n"_t,
                        "17"_t, "0202405FP  00123"_t, "1"_t);
    });
    EXPECT_EQ(kExitDataError, exitCode);
    EXPECT_EQ(1, crashMarks_);
    ASSERT_EQ(1u, ui_.Transcript().size());
    EXPECT_EQ(
        "[report] CHYBA DATOVÉ PODPORY - program končí\n"
        "| Procedura: FINDKEY\n"
        "| Jméno souboru: UDPO2024.DB\n"
        "| Číslo indexu: 1\n"
        "| Klíč: 0202405FP  00123\n"
        "| Číslo věty: 17\n"
        "| Nesoulad mezi obsahem datového a indexového souboru.\r\n"
        "Problém by měla vyřešit rekonstrukce indexových souborů.\r\n\n"
        "buttons: [O.K.] [Tisk]\n"
        "answer: ok\n",
        ui_.Transcript()[0].ToString());
    EXPECT_EQ(
        "*********************************************************\r\n"
        " 5. 3.2024 08:07:06  CHYBA DATOVÉ PODPORY - program končí\r\n"
        "*********************************************************\r\n"
        "Číslo chyby    = 10200\r\n"
        "Procedura      = FINDKEY\r\n"
        "Jméno souboru  = UDPO2024.DB\r\n"
        "číslo indexu   = 1\r\n"
        "Klíč           = <0202405FP  00123>\r\n"
        "+Číslo věty    = 17\r\n"
        "Nesoulad mezi obsahem datového a indexového souboru.\r\n"
        "Problém by měla vyřešit rekonstrukce indexových souborů.\r\n"
        "\r\n",
        Journal());
}

TEST_F(ErrorsTest, EngineErrorHasNoErrorNumberAndBlankValuesAreLeftOut) {
    struct Case {
        int code;
        const char* detail;
        const char* journalBody;  // the lines after the header
        std::size_t windowLines;
    } cases[] = {
        {kEngineErrorCode, "Table is busy.", "Procedura      = GETREC\r\nTable is busy.\r\n", 2},
        {0, "", "Číslo chyby    = 0\r\nProcedura      = GETREC\r\n", 1},
    };
    for (const Case& c : cases) {
        fs::remove(scratch_ / "Axo-Zurn.Err");
        ui_.ClearTranscript();
        ui_.QueueOk();
        EXPECT_EQ(kExitDataError, ExitCodeOf([&] {
                      // Blank (not empty) values are shown but not journalled.
                      ReportDataError(ctx_, c.code, "GETREC"_t, {}, FromUtf8(c.detail), {}, "   "_t,
                                      {});
                  }));
        EXPECT_EQ(Entry("CHYBA DATOVÉ PODPORY - program končí", c.journalBody), Journal())
            << c.code;
        EXPECT_EQ(c.windowLines + 1, ui_.Transcript().at(0).lines.size()) << c.code;
        EXPECT_EQ("Klíč:    ", ui_.Transcript()[0].lines.at(1)) << c.code;
    }
}

TEST_F(ErrorsTest, TaskTableFailureContinuesOnlyInTheTaskPrograms) {
    struct Case {
        const char* program;
        const char* fileName;
        bool continues;
    } cases[] = {
        {"AXO.EXE", "/data/AXO_TASK.DB", true}, {"axoini.exe", "axo_task.db", true},
        {"AXOini.EXE", "AXO_TASK.DB", true},    {"AXO", "AXO_TASK.DB", true},
        {"AXO_PAP.EXE", "AXO_TASK.DB", false},  {"AXO.EXE", "AXO_TASK2.DB", false},
        {"AXO.EXE", "UDPO2024.DB", false},
    };
    for (const Case& c : cases) {
        fs::remove(scratch_ / "Axo-Zurn.Err");
        crashMarks_ = 0;
        ctx_.programFileName = Text::FromBytes(c.program);
        ui_.QueueOk();
        const int exitCode = ExitCodeOf([&] {
            ReportDataError(ctx_, kEngineErrorCode, "LOCK"_t, Text::FromBytes(c.fileName),
                            "File is locked."_t, {}, {}, {});
        });
        EXPECT_EQ(c.continues ? -1 : kExitDataError, exitCode) << c.program << " " << c.fileName;
        EXPECT_EQ(c.continues ? 0 : 1, crashMarks_) << c.program << " " << c.fileName;
        EXPECT_NE(std::string::npos, Journal().find("File is locked.\r\n")) << c.program;
    }
}

TEST_F(ErrorsTest, CrashMarkThatFailsStillEndsTheProgram) {
    ctx_.markCrash = [] { throw std::runtime_error("AXO-USER.DB nelze otevřít"); };
    ui_.QueueOk();
    EXPECT_EQ(kExitDataError, ExitCodeOf([&] {
                  ReportDataError(ctx_, 9920, "OpenFile"_t, "UDPO.DB"_t, {}, {}, {}, {});
              }));
}

// Marking the crash goes through the table layer, which may itself fail fatally: that second
// report ends the program without marking again.
TEST_F(ErrorsTest, DataErrorWhileMarkingTheCrashEndsWithoutRecursion) {
    ctx_.markCrash = [this] {
        ++crashMarks_;
        ReportDataError(ctx_, kEngineErrorCode, "PUTREC"_t, "AXO-USER.DB"_t, "Corrupt"_t, "3"_t, {},
                        {});
    };
    ui_.QueueOk();
    ui_.QueueOk();
    EXPECT_EQ(kExitDataError, ExitCodeOf([&] {
                  ReportDataError(ctx_, kEngineErrorCode, "GETREC"_t, "UDPO.DB"_t, "Corrupt"_t,
                                  "1"_t, {}, {});
              }));
    EXPECT_EQ(1, crashMarks_);
    EXPECT_EQ(2u, ui_.Transcript().size());
    // The next fatal report marks the crash again.
    ctx_.markCrash = [this] { ++crashMarks_; };
    ui_.QueueOk();
    ExitCodeOf([&] { ReportDataError(ctx_, 0, "GETREC"_t, "UDPO.DB"_t, {}, {}, {}, {}); });
    EXPECT_EQ(2, crashMarks_);
}

TEST_F(ErrorsTest, WarningWritesItsTextOrOnlyTheHeader) {
    struct Case {
        const char* text;
        const char* body;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"Nelze založit datový soubor (UDPO.DB).\r\n\r\nČíslo chyby : 9910",
         "Nelze založit datový soubor (UDPO.DB).\r\n\r\nČíslo chyby : 9910\r\n"},
    };
    for (const Case& c : cases) {
        fs::remove(scratch_ / "Axo-Zurn.Err");
        ui_.ClearTranscript();
        ui_.QueueOk();
        ShowDataWarning(ctx_, "UPOZORNĚNÍ :"_t, FromUtf8(c.text));
        EXPECT_EQ(
            "*********************************\r\n"
            " 5. 3.2024 08:07:06  UPOZORNĚNÍ :\r\n"
            "*********************************\r\n" +
                std::string(c.body) + "\r\n",
            Journal())
            << c.text;
        ASSERT_EQ(1u, ui_.Transcript().size());
        EXPECT_EQ("UPOZORNĚNÍ :", ui_.Transcript()[0].title);
        EXPECT_EQ(0, crashMarks_);
    }
}

TEST_F(ErrorsTest, ReportWithoutAWritableJournalStillEnds) {
    fs::create_directory(scratch_ / "Axo-Zurn.Err");
    ui_.QueueOk();
    EXPECT_EQ(kExitDataError, ExitCodeOf([&] {
                  ReportDataError(ctx_, 101, "INIT OpenFile"_t, "UDPO.DB"_t, {}, {}, {}, {});
              }));
    EXPECT_TRUE(fs::is_directory(scratch_ / "Axo-Zurn.Err"));
    EXPECT_EQ(1, crashMarks_);
}

// Entries of processes that fail at the same time stay whole: each is one append.
TEST_F(ErrorsTest, ConcurrentJournalEntriesDoNotInterleave) {
    const int perProcess = 200;
    const auto results = test::RunInChildren(2, [&](int child) {
        for (int i = 0; i < perProcess; ++i)
            AppendJournalEntry(ctx_, Text::FromBytes("P" + std::to_string(child)),
                               {FromUtf8("řádek " + std::to_string(child) + "a"),
                                FromUtf8("řádek " + std::to_string(child) + "b")});
        return std::string("done");
    });
    ASSERT_EQ(std::vector<std::string>({"done", "done"}), results);
    std::string expected[2];
    for (int child = 0; child < 2; ++child) {
        const std::string c = std::to_string(child);
        expected[child] =
            FromUtf8(Entry("P" + c, "řádek " + c + "a\r\nřádek " + c + "b\r\n")).Bytes();
    }
    const std::string journal = ReadBytes(scratch_ / "Axo-Zurn.Err");
    const std::size_t size = expected[0].size();
    ASSERT_EQ(2 * perProcess * size, journal.size());
    int counts[2] = {0, 0};
    for (std::size_t at = 0; at < journal.size(); at += size) {
        const std::string entry = journal.substr(at, size);
        ASSERT_TRUE(entry == expected[0] || entry == expected[1]) << "entry at " << at;
        ++counts[entry == expected[1]];
    }
    EXPECT_EQ(perProcess, counts[0]);
    EXPECT_EQ(perProcess, counts[1]);
}

// ---- Print copy ----------------------------------------------------------------------------

TEST_F(ErrorsTest, PrintCopyListsTheShownLabelsAndGoesWithTheWindow) {
    ctx_.workDirectory = scratch_ / "work";
    fs::create_directory(ctx_.workDirectory);
    fs::create_directory(scratch_ / "editor");
    // The "editor" copies the file it is given, which shows what the user would see.
    const ScopedEnv visual("VISUAL", "cp -t '" + (scratch_ / "editor").string() + "'");
    ui_.LoadScript("print\n");
    ExitCodeOf([&] { ReportDataError(ctx_, 0, "GETREC"_t, "UDPO2024.DB"_t, {}, {}, {}, {}); });
    EXPECT_EQ(
        "------------------------------------\r\n"
        "CHYBA DATOVÉ PODPORY - program končí\r\n"
        "        5. 3.2024 08:07:06.45\r\n"
        "------------------------------------\r\n"
        "Procedura:     GETREC\r\n"
        "Jméno souboru: UDPO2024.DB\r\n"
        "------------------------------------\r\n"
        "------------------------------------\r\n",
        ToUtf8(Text::FromBytes(ReadBytes(scratch_ / "editor" / "ERR_05032024_AXO.TXT"))));
    EXPECT_FALSE(fs::exists(ctx_.workDirectory / "ERR_05032024_AXO.TXT"));
    EXPECT_EQ("print", ui_.Transcript().at(0).answer);
}

TEST_F(ErrorsTest, PrintCopyOfAWarningIsAtLeastThirtyWide) {
    const ui::ReportWindow window{"UPOZORNĚNÍ :"_t, {}, "první\r\ndruhá"_t};
    std::vector<std::string> lines;
    for (const Text& line : PrintCopyLines(ctx_, window))
        lines.push_back(ToUtf8(line));
    EXPECT_EQ(
        (std::vector<std::string>{
            std::string(30, '-'), "UPOZORNĚNÍ :", "     5. 3.2024 08:07:06.45",
            std::string(30, '-'), std::string(30, '-'), "první", "druhá", std::string(30, '-')}),
        lines);
}

TEST_F(ErrorsTest, PrintCopyThatCannotBeWrittenIsSkipped) {
    // Without a work directory the copy goes to the program directory, where a directory takes
    // its name.
    ctx_.programDirectory = scratch_ / "program";
    fs::create_directories(ctx_.programDirectory / "ERR_05032024_AXO.TXT");
    fs::create_directory(scratch_ / "editor");
    const ScopedEnv visual("VISUAL", "cp -t '" + (scratch_ / "editor").string() + "'");
    EXPECT_EQ(fs::path(), WritePrintCopy(ctx_, ui::ReportWindow{"X"_t, {}, {}}));
    ui_.LoadScript("print\n");
    ShowDataWarning(ctx_, "UPOZORNĚNÍ :"_t, "text"_t);
    EXPECT_TRUE(fs::is_empty(scratch_ / "editor"));  // nothing was opened
    EXPECT_TRUE(fs::is_directory(ctx_.programDirectory / "ERR_05032024_AXO.TXT"));
    EXPECT_NE(std::string::npos, Journal().find("text\r\n"));
}

// ---- Record lock, programming error ----------------------------------------------------------

TEST_F(ErrorsTest, RecordLockExplanationIsADialogNamingTheDocument) {
    const std::string explanation =
        "|  Před zahájením Vámi požadované činnosti je nutné zamknout větu, aby bylo možné "
        "zabránit souběžně prováděným úpravám týchž dat (dokladů, číselníků atd.).\n"
        "| Zámek se nepodařilo nastavit. Důvody mohou být následující: \n"
        "| 1. Stejnou činnost současně provádí jiný uživatel (síťové prostředí).\n"
        "| 2. Program máte již jednou spuštěn a věta je zamčena Vámi (viz. dolní lišta).\n"
        "| \n"
        "| 3. V minulosti došlo při této činnosti k havárii, program nebyl korektně ukončen\n"
        "| a věta zůstala zamčena.\n"
        "| V tomto případě proveďte rekonstrukci indexních souborů (modul SPRÁVCE SOUBORŮ).\n"
        "| \n"
        "| V případě nejasností kontaktujte distributora programu AXO. \n";
    struct Case {
        const char* fileName;
        const char* key;
        const char* path;
        const char* rows;
    } cases[] = {
        {"UDHL2024", "0202405FP  00123", "/data/2024/UDHL2024.DB",
         "| Klíč\n| 0202405FP  00123\n| Identifikace\n| 2024*05*FP  *00123\n"
         "| Soubor\n| UDHL2024\n| /data/2024/UDHL2024.DB\n| Hlavičky dokladů\n"},
        {"SDHL", "202412PV  00007", "",
         "| Klíč\n| 202412PV  00007\n| Identifikace\n| 2024*12*PV  *00007\n"
         "| Soubor\n| SDHL\n| Hlavičky dokladů\n"},
        // Not a document file; "&" and "~" of keys and names are shown, not taken as accelerators.
        {"&KAREL", "A&B~C", "/program/&KAREL.DB",
         "| Klíč\n| A&B~C\n| Soubor\n| &KAREL\n| /program/&KAREL.DB\n| Hlavičky dokladů\n"},
    };
    for (const Case& c : cases) {
        ui_.ClearTranscript();
        ui_.QueueDialog("key:Enter");
        ExplainRecordLock(ctx_, Text::FromBytes(c.key), Text::FromBytes(c.fileName),
                          FromUtf8(c.path), "Hlavičky dokladů"_t);
        EXPECT_EQ("[dialog]  Upozornění: VĚTU NELZE ZAMKNOUT\n" + std::string(c.rows) +
                      explanation + "buttons: [  O.K.  ]\nanswer: close 1\n",
                  ui_.TranscriptText())
            << c.fileName;
        ASSERT_TRUE(ui_.shownPanel.has_value());
        EXPECT_EQ(ui_.Colours().highlight, *ui_.shownPanel) << "the text block is highlighted";
    }
    EXPECT_FALSE(fs::exists(scratch_ / "Axo-Zurn.Err"));  // nothing journalled
}

TEST(DocumentIdentificationTest, FormatsYearMonthKindNumber) {
    struct Case {
        const char* fileName;
        const char* key;
        const char* expected;
    } cases[] = {
        {"UDHL2024", "0202405FP  00123", "2024*05*FP  *00123"},
        {"udhh2024", "1202400PS  00001", "2024*00*PS  *00001"},
        {"/data/FAHL", "202403FV  12345", "2024*03*FV  *12345"},
        {"LFHL2024", "202403", "2024*03*    *     "},  // a short key is padded
        {"SVDH", "202401SV  00002", "2024*01*SV  *00002"},
        {"UDPO2024", "0202405FP  00123", ""},
        {"AXO-USER", "KAREL", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text::FromBytes(c.expected),
                  DocumentIdentification(Text::FromBytes(c.fileName), Text::FromBytes(c.key)))
            << c.fileName;
}

TEST_F(ErrorsTest, ProgramErrorShowsTheMethodAndEnds) {
    ui_.QueueOk();
    EXPECT_EQ(kExitProgramError,
              ExitCodeOf([&] { StopOnProgramError(ctx_, "tSoubor.MakeKey"_t); }));
    EXPECT_EQ(1, crashMarks_);
    ASSERT_EQ(1u, ui_.Transcript().size());
    EXPECT_EQ(" CHYBA", ui_.Transcript()[0].title);
    EXPECT_EQ(
        ui::LinesUtf8(ui::WrapMessage(
            "CHYBA PROGRAMU - budou vykázány chybné výsledky."_t,
            "Chyba použití metody [tSoubor.MakeKey] - nutno předefinovat z Message_Halt."_t, 64)),
        ui_.Transcript()[0].lines);
}

}  // namespace
}  // namespace axo::storage
