// Test support for the imports: a fresh installation directory with a data and a code-list
// directory, the scripted UI, files written byte for byte, and the contents of a table as bytes
// so that a test can tell that nothing changed.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::pap::test {

class ImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "axo-import-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(dir_ / "data");
        std::filesystem::create_directories(dir_ / "codes");
        ctx_.ui = &ui_;
        ctx_.clock = &clock_;
        ctx_.programDirectory = dir_;
        ctx_.currentDirectory = dir_;
        where_ = {dir_ / "data", dir_ / "codes", "2024"_t, 3};
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    /// Writes `bytes` as they are to a file of the test directory; returns its path.
    std::filesystem::path WriteFile(const std::string& name, const std::string& bytes) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    /// As WriteFile, the text given in UTF-8 stored in Windows-1250 (the code-list files).
    std::filesystem::path WriteCp1250(const std::string& name, const std::string& utf8) {
        return WriteFile(name, FromUtf8(utf8).Bytes());
    }

    /// Every record of a table in key-1 order, as bytes (with the note text of the chart); empty
    /// when the table does not exist.
    template <class Kind>
    std::vector<std::string> Dump() {
        Kind table(ctx_, where_);
        std::vector<std::string> records;
        if (!table.InitFile(1, storage::_NoWait))
            return records;
        std::vector<char> buffer(static_cast<std::size_t>(table.RecordLength()));
        std::int32_t n = 0;
        Text key;
        table.BtClearKey(1);
        while (table.BtNextKey(1, n, key)) {
            table.GetRec(n, buffer.data());
            std::string record(buffer.begin(), buffer.end());
            if constexpr (std::is_same_v<Kind, tFileRozvrh>)
                record += table.ReadMemo("NOTES"_t).Bytes();
            records.push_back(record);
        }
        table.CloseFile();
        return records;
    }

    /// Adds records to a table (created when missing).
    template <class Kind, class Record>
    void Add(const std::vector<Record>& records) {
        Kind table(ctx_, where_);
        ASSERT_TRUE(table.InitFile(2, storage::_NoWait));
        for (const Record& r : records) {
            std::int32_t n = 0;
            table.AddRec(n, &r);
        }
        table.CloseFile();
    }

    /// The windows shown (progress panels left out), one entry each in UTF-8: "kind: text", the
    /// text with its lines joined by blanks as the window wrapped them.
    std::vector<std::string> Shown() const { return ShownBy(ui_); }
    static std::vector<std::string> ShownBy(const ui::ScriptedUi& ui) {
        std::vector<std::string> out;
        for (const ui::TranscriptEntry& e : ui.Transcript()) {
            if (e.kind == "progress")
                continue;
            std::string text;
            for (const std::string& line : e.lines)
                text += (text.empty() || text.back() == ' ' ? "" : " ") + line;
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            out.push_back(e.kind + ": " + text);
        }
        return out;
    }

    std::filesystem::path dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_{{2024, 3, 5, 10, 0, 0, 0}};
    storage::DataContext ctx_;
    PapLocation where_;
};

}  // namespace axo::pap::test
