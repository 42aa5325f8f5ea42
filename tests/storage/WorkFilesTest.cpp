// Work files: temporary names (shape, taken names, uniqueness across processes), the work
// directory from AXO.CFG, the error journal with its faults, and the file and path helpers.
#include "storage/WorkFiles.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "ScratchDir.h"
#include "ui/ScriptedUi.h"

namespace axo::storage {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

DataContext ContextIn(const fs::path& dir, ui::UiServices* ui = nullptr) {
    DataContext ctx;
    ctx.ui = ui;
    ctx.currentDirectory = dir;
    ctx.programDirectory = dir;
    return ctx;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        parts.push_back(line);
    return parts;
}

/// The lines a message window of a text longer than 64 characters shows.
std::vector<std::string> MessageLines(const Text& text) {
    return ui::LinesUtf8(ui::WrapMessage(text, {}, 64));
}

// ---- Temporary names -----------------------------------------------------------------------

TEST(WorkFilesTest, TemporaryNameHasItsShapeAndIsTakenAtOnce) {
    ScratchDir scratch;
    fs::create_directory(scratch / "Work Dir");
    struct Case {
        const char* prefix;
        const char* extension;
        const char* pattern;
    } cases[] = {
        {"WK", "DB", R"(!WK[0-9]{5}\.DB)"},
        {"NP", "XML", R"(!NP[0-9]{5}\.XML)"},
        {"op", "txt", R"(!op[0-9]{5}\.txt)"},  // the name keeps its case
        {"SE", "", R"(!SE[0-9]{5})"},
    };
    const DataContext ctx = ContextIn(scratch.Path());
    // Blanks around the directory go; its case stays, as paths are case-sensitive.
    const fs::path dir = "  " + (scratch / "Work Dir").string() + "  ";
    for (const Case& c : cases) {
        const fs::path name = RandomNotExistKomplName(ctx, dir, Text::FromBytes(c.prefix),
                                                      Text::FromBytes(c.extension));
        EXPECT_EQ(scratch / "Work Dir", name.parent_path()) << c.prefix;
        EXPECT_TRUE(std::regex_match(name.filename().string(), std::regex(c.pattern)))
            << name.filename();
        EXPECT_TRUE(fs::is_regular_file(name)) << name;
        EXPECT_EQ(0u, fs::file_size(name)) << name;
    }
}

TEST(WorkFilesTest, EmptyPrefixIsReportedAndXYUsed) {
    ScratchDir scratch;
    ui::ScriptedUi ui;
    ui.QueueOk();
    const fs::path name =
        RandomNotExistKomplName(ContextIn(scratch.Path(), &ui), scratch.Path(), {}, "DB"_t);
    EXPECT_TRUE(std::regex_match(name.filename().string(), std::regex(R"(!XY[0-9]{5}\.DB)")));
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ(" CHYBA", ui.Transcript()[0].title);
    EXPECT_EQ(
        MessageLines("Chyba programu - nutno zadat prefix funkce \"RandomNotExistKomplName\"!"_t),
        ui.Transcript()[0].lines);
}

TEST(WorkFilesTest, NamesRequestedOneAfterAnotherDiffer) {
    ScratchDir scratch;
    const DataContext ctx = ContextIn(scratch.Path());
    std::set<fs::path> names;
    for (int i = 0; i < 100; ++i) {
        names.insert(RandomNotExistName(ctx, scratch.Path(), "WK"_t));
        names.insert(RandomNotExistKomplName(ctx, scratch.Path(), "WK"_t, "DB"_t));
    }
    EXPECT_EQ(200u, names.size());
}

// A six-character prefix leaves one digit, so the ten possible names can be occupied in turn
// and the one left over must come back.
TEST(WorkFilesTest, OccupiedNamesAreSkipped) {
    struct Case {
        const char* occupant;   // "%d" stands for the digit; created for digits 0-8
        const char* extension;  // of the requested name
        const char* expected;   // pattern of the name
    } cases[] = {
        {"!ABCDEF%d", "XML", R"(!ABCDEF9\.XML)"},      // a reserved table stem
        {"!ABCDEF%d.XML", "XML", R"(!ABCDEF9\.XML)"},  // the same file
        {"!ABCDEF%d.DB", "", "!ABCDEF9"},              // a file of the stem
        {"!ABCDEF%d.YG8", "", "!ABCDEF9"},
        {"!ABCDEF%d", "", "!ABCDEF9"},                    // the bare stem
        {"!ABCDEF%d.DB", "XML", R"(!ABCDEF[0-9]\.XML)"},  // another file of a free stem
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        for (int d = 0; d <= 8; ++d) {
            char occupant[32];
            std::snprintf(occupant, sizeof occupant, c.occupant, d);
            WriteBytes(scratch / occupant, "x");
        }
        const DataContext ctx = ContextIn(scratch.Path());
        const fs::path name =
            RandomNotExistKomplName(ctx, scratch.Path(), "ABCDEF"_t, Text::FromBytes(c.extension));
        EXPECT_TRUE(std::regex_match(name.filename().string(), std::regex(c.expected)))
            << c.occupant << " gave " << name.filename();
        // Reserving a file lets the stem lock go again.
        if (*c.extension) {
            EXPECT_FALSE(fs::exists(scratch / name.stem())) << c.occupant;
        }
    }
}

TEST(WorkFilesTest, FileNameOnlyStillReservesTheStem) {
    ScratchDir scratch;
    const fs::path name = RandomNotExistFileName(ContextIn(scratch.Path()), scratch.Path(), "EA"_t);
    EXPECT_EQ(name, name.filename());
    EXPECT_TRUE(fs::exists(scratch / name.string()));
}

TEST(WorkFilesTest, MissingDirectoryGivesAFreeNameWithoutLooping) {
    ScratchDir scratch;
    const fs::path missing = scratch / "missing";
    const fs::path name =
        RandomNotExistKomplName(ContextIn(scratch.Path()), missing, "WK"_t, "DB"_t);
    EXPECT_EQ(missing, name.parent_path());
    EXPECT_FALSE(fs::exists(missing));
}

// Two processes asking for names in one directory at the same moment never get the same one.
// The two-digit case leaves 100 names for 90 requests, so most requests meet taken names and
// the processes race for the rest.
TEST(WorkFilesTest, ProcessesNeverShareAName) {
    struct Case {
        const char* prefix;
        int perProcess;
    } cases[] = {{"WK", 400}, {"WKABC", 45}};
    for (const Case& c : cases) {
        ScratchDir scratch;
        const DataContext ctx = ContextIn(scratch.Path());
        const Text prefix = Text::FromBytes(c.prefix);
        const auto results = test::RunInChildren(2, [&](int child) {
            std::string names;
            for (int i = 0; i < c.perProcess; ++i) {
                // Stems and files of stems mixed: both must respect each other's reservations.
                const fs::path p =
                    (i + child) % 2 == 0
                        ? RandomNotExistName(ctx, scratch.Path(), prefix)
                        : RandomNotExistKomplName(ctx, scratch.Path(), prefix, "DB"_t);
                names += p.stem().string() + "\n";  // the stem: X and X.DB are one name
            }
            return names;
        });
        ASSERT_EQ(2u, results.size());
        std::set<std::string> stems;
        std::size_t total = 0;
        for (const std::string& r : results)
            for (const std::string& stem : Split(r)) {
                stems.insert(stem);
                ++total;
            }
        EXPECT_EQ(std::size_t(2 * c.perProcess), total) << c.prefix;
        EXPECT_EQ(total, stems.size()) << c.prefix;
    }
}

TEST(WorkFilesTest, ProcessesDrawDifferentRandomNumbers) {
    ScratchDir scratch;
    const DataContext ctx = ContextIn(scratch.Path());
    RandomNotExistName(ctx, scratch.Path(), "WK"_t);  // the parent's generator is in use
    fs::create_directory(scratch / "0");
    fs::create_directory(scratch / "1");
    const auto results = test::RunInChildren(2, [&](int child) {
        std::string names;
        for (int i = 0; i < 10; ++i)
            names += RandomNotExistName(ctx, scratch / std::to_string(child), "WK"_t)
                         .filename()
                         .string();
        return names;
    });
    ASSERT_EQ(2u, results.size());
    EXPECT_NE(results[0], results[1]);
}

// ---- Work directory ------------------------------------------------------------------------

TEST(WorkFilesTest, WorkDirectoryFromConfiguration) {
    ScratchDir scratch;
    fs::create_directory(scratch / "temp");
    fs::create_directory(scratch / "other");
    const std::string temp = (scratch / "temp").string() + "/";
    struct Case {
        std::optional<std::string> config;  // nullopt: no AXO.CFG
        std::string expected;
    } cases[] = {
        {std::nullopt, ""},
        {"AXO_TEMP=\r\n", ""},
        {"AXO_TEMP=   \n", ""},
        {"X=1\r\n axo_temp = temp \r\nAXO_TEMP=other\r\n", temp},  // first line counts
        {"AXO_TEMPX=other\nAXO_TEMP\nAXO_TEMP=temp\n", temp},      // no "=" or other key
        {"AXO_TEMP=" + temp + "\n", temp},                         // absolute
        {"AXO_TEMP=other/../temp/", temp},                         // normalised, last line
    };
    for (const Case& c : cases) {
        fs::remove(scratch / "AXO.CFG");
        if (c.config)
            WriteBytes(scratch / "AXO.CFG", *c.config);
        ui::ScriptedUi ui;  // strict: any message fails the case
        EXPECT_EQ(c.expected, ReadWorkDirectory(ui, scratch.Path()).string())
            << c.config.value_or("<none>");
        EXPECT_TRUE(ui.Transcript().empty());
    }
}

TEST(WorkFilesTest, AConfigurationInUtf8OrWindows1250GivesTheSameWorkDirectory) {
    ScratchDir scratch;
    fs::create_directory(scratch / "pracovní");
    const std::string expected = (scratch / "pracovní").string() + "/";
    const std::string utf8 = "; Účetní stanice školy\r\nAXO_TEMP=pracovní\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"Windows-1250, as the family writes it", FromUtf8(utf8).Bytes()},
        {"UTF-8, as Linux editors write it", utf8},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8},
    };
    for (const auto& c : cases) {
        WriteBytes(scratch / "AXO.CFG", c.bytes);
        ui::ScriptedUi ui;  // strict: any message fails the case
        EXPECT_EQ(expected, ReadWorkDirectory(ui, scratch.Path()).string()) << c.name;
        EXPECT_EQ(FromUtf8(utf8), TextFromFileBytes(c.bytes)) << c.name;
    }
    // Bytes that are no UTF-8 are Windows-1250; ASCII is the same either way.
    EXPECT_EQ(Text::FromBytes("\x9E\xE1"), TextFromFileBytes("\x9E\xE1"));
    EXPECT_EQ("AXO_TEMP=temp"_t, TextFromFileBytes("AXO_TEMP=temp"));
}

TEST(WorkFilesTest, MissingWorkDirectoryIsReported) {
    ScratchDir scratch;
    WriteBytes(scratch / "AXO.CFG", "AXO_TEMP=chybí\r\n"_t.Bytes());
    ui::ScriptedUi ui;
    ui.QueueOk();
    EXPECT_EQ(fs::path(), ReadWorkDirectory(ui, scratch.Path()));
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ("message 0", ui.Transcript()[0].kind);
    const Text shown = TextFromPath(scratch.Path()) + "/chybí/"_t;
    EXPECT_EQ(MessageLines("Chyba nastavení v konfiguračním souboru AXO.CFG!\r"
                           "Pracovní knihovna ["_t +
                           shown +
                           "] zadaná příkazem \"AXO_TEMP=\" neexistuje. \r"
                           "Pracovní soubory budou ukládány do aktuálního adresáře."_t),
              ui.Transcript()[0].lines);
}

TEST(WorkFilesTest, WorkDirectoryOfSeventyFiveCharactersIsTheLongestAccepted) {
    // The limit counts the directory as configured (with its "/"), not the path it expands to:
    // the current directory itself is longer than 75 characters here.
    ScratchDir scratch;
    const fs::path home = scratch / std::string(80, 'h');
    const std::string absolute = (home / "temp").string();
    struct Case {
        std::string value;     // after "AXO_TEMP="
        std::string expected;  // the work directory, empty: refused with the message
    } cases[] = {
        {"temp", absolute + "/"},
        {std::string(74, 'd'), (home / std::string(74, 'd')).string() + "/"},
        {std::string(75, 'd') + "/", ""},
        {absolute, ""},
    };
    for (const Case& c : cases) {
        fs::create_directories(home / c.value);
        WriteBytes(home / "AXO.CFG", "AXO_TEMP=" + c.value + "\n");
        ui::ScriptedUi ui;
        if (c.expected.empty())
            ui.QueueOk();
        EXPECT_EQ(c.expected, ReadWorkDirectory(ui, home).string()) << c.value;
        if (c.expected.empty()) {
            std::string configured = c.value;
            if (configured.back() != '/')
                configured += '/';
            ASSERT_EQ(1u, ui.Transcript().size()) << c.value;
            EXPECT_EQ(MessageLines("Chyba nastavení v konfiguračním souboru AXO.CFG!\r"
                                   "Pracovní knihovna ["_t +
                                   FromUtf8(configured) +
                                   "] zadaná příkazem \"AXO_TEMP=\" je delší než 75 znaků.\r"
                                   "Pracovní soubory budou ukládány do aktuálního adresáře."_t),
                      ui.Transcript()[0].lines)
                << c.value;
        } else {
            EXPECT_TRUE(ui.Transcript().empty()) << c.value;
        }
    }
}

// ---- Error journal -------------------------------------------------------------------------

TEST(WorkFilesTest, JournalLinesAreAppendedInWindows1250WithCrLf) {
    ScratchDir scratch;
    const DataContext ctx = ContextIn(scratch.Path());
    AppendJournal(ctx, "Klíč"_t);
    AppendJournal(ctx, {});
    AppendJournalLines(ctx, {"Číslo"_t, "věty"_t});
    EXPECT_EQ(std::string("Kl\xED\xE8\r\n\r\n\xC8\xEDslo\r\nv\xECty\r\n"),
              ReadBytes(scratch / "Axo-Zurn.Err"));
}

TEST(WorkFilesTest, JournalThatCannotBeWrittenLosesTheLineQuietly) {
    ScratchDir scratch;
    fs::create_directory(scratch / "blocked");
    fs::create_directory(scratch / "blocked" / "Axo-Zurn.Err");  // the name is a directory
    AppendJournal(ContextIn(scratch / "blocked"), "ztraceno"_t);
    AppendJournal(ContextIn(scratch / "missing"), "ztraceno"_t);
    EXPECT_TRUE(fs::is_directory(scratch / "blocked" / "Axo-Zurn.Err"));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
}

TEST(WorkFilesTest, JournalInAReadOnlyDirectoryIsLost) {
    ScratchDir scratch;
    fs::create_directory(scratch / "readonly");
    fs::permissions(scratch.Path(), fs::perms::owner_all | fs::perms::others_exec);
    fs::permissions(scratch / "readonly", fs::perms::owner_read | fs::perms::owner_exec |
                                              fs::perms::others_read | fs::perms::others_exec);
    // Root writes into read-only directories, so the writer runs as nobody then.
    const auto results = test::RunInChildren(1, [&](int) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return std::string("no setuid");
        AppendJournal(ContextIn(scratch / "readonly"), "ztraceno"_t);
        return std::string("survived");
    });
    EXPECT_EQ(std::vector<std::string>{"survived"}, results);
    EXPECT_FALSE(fs::exists(scratch / "readonly" / "Axo-Zurn.Err"));
}

// ---- File operations -----------------------------------------------------------------------

TEST(WorkFilesTest, DeleteTableFilesRemovesTheWholeSetAndNothingElse) {
    ScratchDir scratch;
    const std::vector<std::string> tableFiles = {"T",     "T.DB",  "T.DB-journal", "T.PX",
                                                 "T.XG0", "T.YG0", "T.XG8",        "T.YG8",
                                                 "T.MB",  "T.mb",  "T.LCK",        "T.DB-log"};
    const std::vector<std::string> others = {"TT.DB", "T.TXT", "U.DB"};
    for (const std::string& f : tableFiles)
        WriteBytes(scratch / f, f == "T" ? "" : "data");
    for (const std::string& f : others)
        WriteBytes(scratch / f, "data");
    fs::permissions(scratch / "T.DB", fs::perms::owner_read);  // read-only goes too
    DeleteTableFiles(scratch / "T");
    for (const std::string& f : tableFiles)
        EXPECT_FALSE(fs::exists(scratch / f)) << f;
    for (const std::string& f : others)
        EXPECT_TRUE(fs::exists(scratch / f)) << f;

    WriteBytes(scratch / "U", "not a reservation");  // a bare file with contents stays
    DeleteTableFiles(scratch / "U");
    EXPECT_TRUE(fs::exists(scratch / "U"));
    EXPECT_FALSE(fs::exists(scratch / "U.DB"));
}

TEST(WorkFilesTest, FileExistsOnlyForNonDirectoriesWithoutWildcards) {
    ScratchDir scratch;
    WriteBytes(scratch / "file", "x");
    WriteBytes(scratch / "a?b", "x");
    WriteBytes(scratch / "a*b", "x");
    fs::create_directory(scratch / "dir");
    fs::create_symlink(scratch / "file", scratch / "link");
    struct Case {
        fs::path name;
        bool expected;
    } cases[] = {
        {scratch / "file", true},  {scratch / "link", true}, {scratch / "dir", false},
        {scratch / "none", false}, {scratch / "a?b", false}, {scratch / "a*b", false},
        {fs::path(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, FileExists(c.name)) << c.name;
}

TEST(WorkFilesTest, RenameFileSafeNeverOverwrites) {
    struct Case {
        const char* from;
        const char* to;
        bool expected;
        const char* contentOfTo;  // afterwards; nullptr: "to" must not exist
    } cases[] = {
        {"a", "b", true, "A"},
        {"a", "sub/../a", true, "A"},  // the same file spelled differently
        {"a", "c", false, "C"},        // an existing new name stays untouched
        {"none", "b", false, nullptr},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        fs::create_directory(scratch / "sub");
        WriteBytes(scratch / "a", "A");
        WriteBytes(scratch / "c", "C");
        EXPECT_EQ(c.expected, RenameFileSafe(scratch / c.from, scratch / c.to)) << c.to;
        if (c.contentOfTo)
            EXPECT_EQ(c.contentOfTo, ReadBytes(scratch / c.to)) << c.to;
        else
            EXPECT_FALSE(fs::exists(scratch / c.to)) << c.to;
        EXPECT_EQ(c.expected && std::string(c.to) == "b", !fs::exists(scratch / "a")) << c.to;
    }
}

TEST(WorkFilesTest, ForceDirectoriesCreatesEachLevel) {
    ScratchDir scratch;
    WriteBytes(scratch / "file", "x");
    struct Case {
        fs::path path;
        bool expected;
    } cases[] = {
        {scratch / "a" / "b" / "c", true},
        {scratch / "a" / "b" / "c/", true},  // exists now; a trailing "/" is fine
        {scratch / "file" / "x", false},     // a level is a file
        {"relative/x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ForceDirectories(c.path)) << c.path;
    EXPECT_TRUE(fs::is_directory(scratch / "a" / "b" / "c"));
    EXPECT_FALSE(fs::exists("relative"));
}

TEST(WorkFilesTest, ExpandOrProgramDir) {
    DataContext ctx;
    ctx.programDirectory = "/opt/axo/";
    ctx.currentDirectory = "/data/firma";
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"", "/opt/axo/"},
        {"   ", "/opt/axo/"},
        {" export/xml ", "/data/firma/export/xml"},
        {"../jina/", "/data/jina/"},
        {"/tmp/a/../b", "/tmp/b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ExpandOrProgramDir(ctx, Text::FromBytes(c.path)).string()) << c.path;
}

TEST(WorkFilesTest, SplitPathAndWithBackslash) {
    struct SplitCase {
        const char* full;
        PathParts expected;
    } splits[] = {
        {"/data/2024/UDPO2024.DB", {"/data/2024/"_t, "UDPO2024"_t, ".DB"_t}},
        {"/a.b/name.tar.gz", {"/a.b/"_t, "name"_t, ".tar.gz"_t}},  // cut at the first "."
        {"name", {{}, "name"_t, {}}},
        {"/data/", {"/data/"_t, {}, {}}},
        {".hidden", {{}, {}, ".hidden"_t}},
    };
    for (const SplitCase& c : splits)
        EXPECT_EQ(c.expected, SplitPath(Text::FromBytes(c.full))) << c.full;

    struct SlashCase {
        const char* path;
        bool add;
        const char* expected;
    } slashes[] = {
        {"/tmp", true, "/tmp/"}, {"/tmp/", true, "/tmp/"}, {"/tmp/", false, "/tmp"},
        {"/tmp", false, "/tmp"}, {"", true, ""},           {"", false, ""},
        {"/", false, "/"},
    };
    for (const SlashCase& c : slashes)
        EXPECT_EQ(Text::FromBytes(c.expected), WithBackslash(Text::FromBytes(c.path), c.add))
            << c.path << " " << c.add;
}

}  // namespace
}  // namespace axo::storage
