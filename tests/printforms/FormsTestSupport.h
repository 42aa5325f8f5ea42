// What the print form tests share: a scratch work directory, a scripted front end, a fixed
// clock and a listing environment; a data source of fixed records; and the lines of the
// printouts the front end was shown.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "printforms/FormPrinter.h"
#include "support/ScratchDir.h"
#include "ui/ListingEnvironment.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"
#include "util/Regional.h"
#include "util/Text.h"

namespace axo::printforms::testing {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

/// Records of acronyms given as UTF-8 pairs, with note lines and special rows.
class FixedRecords : public FormDataSource {
  public:
    using Values = std::map<std::string, std::string>;
    struct Record {
        Values values;
        std::vector<std::string> notes;
        std::vector<Values> special;
    };

    explicit FixedRecords(std::vector<Record> records) : records_(std::move(records)) {}
    /// `count` records, record i (from 1) setting N to i.
    static std::vector<Record> Numbered(int count) {
        std::vector<Record> records;
        for (int i = 1; i <= count; ++i)
            records.push_back({{{"N", std::to_string(i)}}, {}, {}});
        return records;
    }

    bool NextRecord(AcronymTable& acronyms) override {
        if (next_ >= records_.size())
            return false;
        current_ = next_++;
        special_ = 0;
        Set(acronyms, records_[current_].values);
        return true;
    }
    std::vector<Text> NoteLines() override {
        std::vector<Text> lines;
        for (const std::string& n : records_[current_].notes)
            lines.push_back(FromUtf8(n));
        return lines;
    }
    bool NextSpecialRow(AcronymTable& acronyms) override {
        if (special_ >= records_[current_].special.size())
            return false;
        Set(acronyms, records_[current_].special[special_++]);
        return true;
    }
    bool KeepTogether() const override { return keepTogether; }

    bool keepTogether = false;

  private:
    static void Set(AcronymTable& acronyms, const Values& values) {
        for (const auto& [name, value] : values)
            acronyms.Set(FromUtf8(name), FromUtf8(value));
    }
    std::vector<Record> records_;
    std::size_t next_ = 0;
    std::size_t current_ = 0;
    std::size_t special_ = 0;
};

/// A work directory, a front end that writes shown printouts into "shown", a clock at
/// 15 June 2024 9:30:05, Czech number separators.
class FormsTest : public ::testing::Test {
  protected:
    FormsTest()
        : ui_(Options(work_.Path())),
          clock_(DateTime{2024, 6, 15, 9, 30, 5, 0}),
          regional_(RegionalSettings{',', ' '}) {
        fs::create_directories(work_ / "work");
        data_.ui = &ui_;
        data_.clock = &clock_;
        data_.currentDirectory = work_.Path();
        data_.programDirectory = work_.Path();
        data_.workDirectory = work_ / "work";
        listing_.data = &data_;
        listing_.firmName = "Škola Luna"_t;
        listing_.defaultNarrowLength = 0;
        listing_.defaultWideLength = 0;
        print_.listing = &listing_;
        print_.title = "Opis"_t;
    }

    /// The lines of the printouts shown since `from`, a form feed shown as "<FF>".
    std::vector<std::string> Shown(std::size_t from = 0) const {
        std::vector<std::string> lines;
        const auto& t = ui_.Transcript();
        for (std::size_t i = from; i < t.size(); ++i) {
            if (t[i].kind != "printout" || t[i].lines.empty())
                continue;
            const std::string text = ReadFile(t[i].lines[0].substr(6));
            std::size_t start = 0;
            while (start < text.size()) {
                const std::size_t end = text.find('\n', start);
                const std::string line = text.substr(start, end - start);
                lines.push_back(line == "\f" ? "<FF>" : line);
                start = end + 1;
            }
        }
        return lines;
    }

    /// The messages the front end showed, as flat text.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const ui::TranscriptEntry& e : ui_.Transcript())
            if (e.kind.rfind("message", 0) == 0) {
                std::string text;
                for (const std::string& l : e.lines)
                    text += l;
                texts.push_back(text);
            }
        return texts;
    }

    axo::test::ScratchDir work_{"axo-forms"};
    ui::ScriptedUi ui_;
    FixedClock clock_;
    ScopedRegionalSettings regional_;
    storage::DataContext data_;
    ui::ListingEnvironment listing_;
    FormPrintEnvironment print_;

  private:
    static ui::ScriptedUi::Options Options(const fs::path& dir) {
        ui::ScriptedUi::Options o;
        o.strict = false;
        o.printoutDirectory = dir / "shown";
        fs::create_directories(o.printoutDirectory);
        return o;
    }
};

}  // namespace axo::printforms::testing
