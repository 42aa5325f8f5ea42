// What the printout tests share: a scratch installation (work directory, scripted front end,
// fixed clock, listing environment with a firm), reading files, listings shown as UTF-8 lines,
// the print programs of the build and a capturing stand-in for `lp`.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "storage/DataContext.h"
#include "support/ScopedEnv.h"
#include "support/ScratchDir.h"
#include "ui/ListingEnvironment.h"
#include "ui/OutputSettings.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::ui::testing {

namespace fs = std::filesystem;

/// A new empty directory, removed with its contents.
class ScratchDir : public axo::test::ScratchDir {
  public:
    ScratchDir() : axo::test::ScratchDir("axo-listing") {}
};

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

/// The lines of a listing file (CR LF) in UTF-8 with box characters.
inline std::vector<std::string> ListingLines(const fs::path& file) {
    const std::string bytes = ReadBytes(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back("<no CR LF> " + bytes.substr(start));
            break;
        }
        lines.push_back(ListingToUtf8(Text::FromBytes(bytes.substr(start, end - start))));
        start = end + 2;
    }
    return lines;
}

/// The files of a directory, by name.
inline std::vector<std::string> FileNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// The directory the build puts its programs in (the print programs among them).
inline fs::path ProgramsDirectory() {
    return fs::path(AXO_CLI_PATH).parent_path();
}

inline fs::path GoldenFile(const std::string& name) {
    return fs::path(AXO_TEST_SOURCE_DIR) / "ui" / "golden" / name;
}

/// The text of a message window: its wrapped lines joined again by blanks (empty lines,
/// such as the one a centred last line leaves, dropped).
inline std::string MessageText(const TranscriptEntry& entry) {
    std::string text;
    for (const std::string& line : entry.lines)
        if (!line.empty())
            text += (text.empty() ? "" : " ") + line;
    return text;
}

/// Compares `actual` with a golden file; with AXO_UPDATE_GOLDEN set the file is rewritten
/// instead (then review the difference before committing it).
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    if (std::getenv("AXO_UPDATE_GOLDEN")) {
        WriteBytes(GoldenFile(name), actual);
        return;
    }
    EXPECT_EQ(ReadBytes(GoldenFile(name)), actual) << "golden file " << name;
}

using axo::test::ScopedEnv;

/// A stand-in for `lp` (it needs no PATH) that writes its arguments (one a line) to "args" and its
/// standard input to "data" in `dir`, and prints a request id.
inline fs::path WriteCapturingLp(const fs::path& dir) {
    const fs::path script = dir / "capture-lp";
    WriteBytes(script,
               "#!/bin/sh\n"
               "dir=\"${0%/*}\"\n"
               ": > \"$dir/args\"\n"
               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$dir/args\"; done\n"
               "/bin/cat > \"$dir/data\"\n"
               "echo 'request id is Tiskarna-1 (1 file(s))'\n");
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

/// The test installation: scripted front end (strict), the clock at 5 March 2024 8:07:06,
/// the work directory, a firm, and output settings a test may set.
class ListingTest : public ::testing::Test {
  protected:
    ListingTest() : clock_(DateTime{2024, 3, 5, 8, 7, 6, 0}) {
        fs::create_directories(work_ / "work");
        fs::create_directories(work_ / "home");
        ScriptedUi::Options options;
        options.printoutDirectory = work_ / "shown";
        fs::create_directories(options.printoutDirectory);
        ui_ = std::make_unique<ScriptedUi>(options);
        data_.ui = ui_.get();
        data_.clock = &clock_;
        data_.currentDirectory = work_.Path();
        data_.programDirectory = work_ / "home";
        data_.workDirectory = work_ / "work";
        env_.data = &data_;
        env_.firmName = "Příspěvková organizace Luna"_t;
        env_.firmAddress = "Hlavní 12, Brno"_t;
        env_.programDate = "29. 2.2024"_t;
        env_.defaultNarrowLength = 60;
        env_.defaultWideLength = 40;
        env_.templateRoot = "/opt/axo"_t;
        env_.loadOutputSettings = [this](void* block, std::size_t length) {
            if (!settings_ || length != OutputSettings::kBlockSize)
                return false;
            const OutputSettings::Block b = settings_->ToBlock();
            std::copy(b.begin(), b.end(), static_cast<std::uint8_t*>(block));
            return true;
        };
    }

    fs::path WorkDir() const { return work_ / "work"; }
    /// The printout files the front end wrote, in order.
    std::vector<fs::path> ShownFiles() const {
        std::vector<fs::path> files;
        for (const TranscriptEntry& e : ui_->Transcript())
            if (e.kind == "printout" && !e.lines.empty() && e.lines[0].rfind("file: ", 0) == 0)
                files.push_back(e.lines[0].substr(6));
        return files;
    }

    ScratchDir work_;
    FixedClock clock_;
    std::unique_ptr<ScriptedUi> ui_;
    storage::DataContext data_;
    ListingEnvironment env_;
    std::optional<OutputSettings> settings_;
};

}  // namespace axo::ui::testing
