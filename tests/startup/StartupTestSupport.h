// Test support for the start-up tests: a scratch directory, a fresh installation made by the
// installation builder, reading and rewriting its tables from outside a session, snapshots of
// the installation's files, and messages of the transcript as flat text.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "startup/InstallationFiles.h"
#include "startup/NewInstallation.h"
#include "startup/Session.h"
#include "startup/StartUp.h"
#include "storage/WorkFiles.h"
#include "support/ScratchDir.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::startup::test {

namespace fs = std::filesystem;

/// A new empty directory, removed with its contents.
class ScratchDir : public axo::test::ScratchDir {
  public:
    ScratchDir() : axo::test::ScratchDir("axo-start") {}
};

/// A directory below `base` whose path has exactly `length` characters, made of names of at
/// most 200 characters, as a home deep in a user's documents is.
inline fs::path DeepPath(const fs::path& base, std::size_t length) {
    static const std::string kWords = "zakladni-skola-a-materska-skola-ucetnictvi-";
    fs::path path = base;
    while (path.string().size() < length) {
        const std::size_t left = length - path.string().size();  // with the "/" before a name
        const std::size_t size = left <= 201 ? left - 1 : std::min<std::size_t>(200, left - 3);
        std::string name;
        while (name.size() < size)
            name += kWords;
        path /= name.substr(0, size);
    }
    return path;
}

inline ui::ScriptedUi::Options Lenient() {
    ui::ScriptedUi::Options o;
    o.strict = false;
    o.waitMs = 1;
    return o;
}

inline ui::ScriptedUi::Options Strict() {
    ui::ScriptedUi::Options o;
    o.waitMs = 1;
    return o;
}

/// Reads and rewrites the tables of an installation as the administration module would.
class Tables {
  public:
    explicit Tables(fs::path home) : ui_(Lenient()), clock_(DateTime{2014, 6, 15, 9, 0, 0, 0}) {
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.programDirectory = home;
        ctx_.currentDirectory = home;
    }

    template <class Kind, class Record>
    std::vector<Record> Read(const fs::path& directory) {
        std::vector<Record> records;
        Kind file(ctx_);
        if (!file.InitFilePath(Dir(directory), 1, storage::_Wait))
            return records;
        std::int32_t n = 0;
        Text key;
        file.BtClearKey(0);
        while (file.BtNextKey(0, n, key)) {
            Record r;
            file.GetRec(n, &r);
            records.push_back(r);
        }
        file.CloseFile();
        return records;
    }
    /// Replaces every record of the table.
    template <class Kind, class Record>
    void Write(const fs::path& directory, const std::vector<Record>& records) {
        Kind file(ctx_);
        ASSERT_TRUE(file.InitFilePath(Dir(directory), 3, storage::_Wait));
        for (const Record& r : records) {
            std::int32_t n = 0;
            file.AddRec(n, &r);
        }
        file.CloseFile();
    }

    std::vector<tVetaAXO> Program() { return Read<tSouborAXO, tVetaAXO>(ctx_.programDirectory); }
    void EditProgram(const std::function<void(tVetaAXO&)>& edit) {
        std::vector<tVetaAXO> records = Program();
        edit(records.at(0));
        Write<tSouborAXO>(ctx_.programDirectory, records);
    }
    std::vector<tVetaAXO_USER> Users(const fs::path& d) {
        return Read<tSouborAXO_USER, tVetaAXO_USER>(d);
    }
    void EditUsers(const fs::path& d,
                   const std::function<void(std::vector<tVetaAXO_USER>&)>& edit) {
        std::vector<tVetaAXO_USER> records = Users(d);
        edit(records);
        Write<tSouborAXO_USER>(d, records);
    }
    tVetaAXO_DATA Data(const fs::path& d) { return Read<tSouborAXO_DATA, tVetaAXO_DATA>(d).at(0); }
    void EditData(const fs::path& d, const std::function<void(tVetaAXO_DATA&)>& edit) {
        std::vector<tVetaAXO_DATA> records = Read<tSouborAXO_DATA, tVetaAXO_DATA>(d);
        edit(records.at(0));
        Write<tSouborAXO_DATA>(d, records);
    }

  private:
    static Text Dir(const fs::path& d) { return storage::TextFromPath(d) + "/"_t; }
    ui::ScriptedUi ui_;
    FixedClock clock_;
    storage::DataContext ctx_;
};

/// The bytes and modification times of every file below a directory.
using Snapshot = std::map<std::string, std::pair<std::string, fs::file_time_type>>;

inline Snapshot TakeSnapshot(const fs::path& root) {
    Snapshot files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file())
            continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[fs::relative(e.path(), root).string()] = {
            std::string(std::istreambuf_iterator<char>(in), {}), e.last_write_time()};
    }
    return files;
}

/// Text in the form messages are compared in: line breaks and wrapping are blanks, the
/// centring mark goes, and runs of blanks count as one.
inline std::string Flat(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\r' || c == '\n';
        if (c == ui::kCentreMark)
            continue;
        if (blank) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

/// A transcript entry's lines as one flat text.
inline std::string FlatLines(const ui::TranscriptEntry& e) {
    std::string joined;
    for (const std::string& line : e.lines)
        joined += line + " ";
    return Flat(joined);
}

/// The expected message (text and appended text, Windows-1250) as one flat text.
inline std::string FlatMessage(const Text& text, const Text& appended = {}) {
    return Flat(ToUtf8(text) + " " + ToUtf8(appended));
}

/// A fresh installation of the fiscal years 2013 and 2014 with the user NOVAK (password
/// "heslo1"), a fixed clock in June 2014 and a strict scripted front end.
class InstallationTest : public ::testing::Test {
  protected:
    InstallationTest() : ui_(Strict()), clock_(DateTime{2014, 6, 15, 9, 30, 0, 0}) {
        ui_.RegisterStatusBar();
        fs::copy(Template(), Home(), fs::copy_options::recursive);
    }

    /// The installation every test starts from, made once per test program.
    static const fs::path& Template() {
        static ScratchDir dir;
        static const fs::path home = [] {
            ui::ScriptedUi quiet(Lenient());
            FixedClock clock(DateTime{2014, 6, 15, 9, 30, 0, 0});
            NewInstallation request;
            request.directory = dir.Path() / "axo";
            request.year = 2014;
            request.userName = "NOVAK"_t;
            request.password = "heslo1"_t;
            request.firmName = "Škola"_t;
            request.ico = "00064581"_t;
            EXPECT_TRUE(CreateInstallation(request, quiet, clock));
            return request.directory;
        }();
        return home;
    }

    fs::path Home() const { return dir_.Path() / "axo"; }
    fs::path DataDir(int year = 2014) const { return Home() / "data" / std::to_string(year); }
    fs::path CodeDir(int year = 2014) const { return Home() / "ciselniky" / std::to_string(year); }

    /// Options that start without any question: the password and the year 2014 (with the
    /// clock's date).
    static StartUpOptions Quiet(const char* password = "heslo1") {
        StartUpOptions o;
        o.password = FromUtf8(password);
        o.yearChoice = StartUpOptions::YearChoice{"2014"_t, {}};
        return o;
    }

    std::unique_ptr<Session> NewSession(StartUpOptions options = Quiet(),
                                        const char* computer = "0000ABCD") {
        return std::make_unique<Session>(ui_, clock_, Home(), FromUtf8(computer),
                                         std::move(options));
    }

    /// The last message of the transcript as flat text.
    std::string LastMessage() const {
        for (auto e = ui_.Transcript().rbegin(); e != ui_.Transcript().rend(); ++e)
            if (e->kind.rfind("message", 0) == 0)
                return FlatLines(*e);
        return {};
    }

    ScratchDir dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_;
    Tables tables_{Home()};
};

}  // namespace axo::startup::test
