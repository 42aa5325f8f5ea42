// What the report engine tests share: records written as rows of cells, template lines from
// UTF-8 text, and a report that runs over such rows and records what each printed section
// shows.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "report/data/Bridge.h"
#include "report/run/Walk.h"
#include "report/template/Template.h"
#include "util/Cisla.h"
#include "util/Regional.h"

namespace axo::report::test {

/// A field of test rows: its name and type.
struct Column {
    const char* name;
    int type;
};

/// Records given as cells: a number, a text, or nullopt for a null value.
class RowsBridge : public TBridge {
  public:
    using Cell = std::optional<std::string>;  ///< UTF-8; numbers as "12.5"
    RowsBridge(std::vector<Column> columns, std::vector<std::vector<Cell>> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    int FieldCount() const override { return static_cast<int>(columns_.size()); }
    Text FieldName(int f) const override { return FromUtf8(columns_[f].name); }
    int FieldType(int f) const override { return columns_[f].type; }
    Text FieldText(int f) const override {
        if (!current_ || !Value(f))
            return {};
        return IsNumberValueType(columns_[f].type) ? NumberToTextOf(f) : FromUtf8(*Value(f));
    }
    double FieldNumber(int f) const override {
        return current_ && Value(f) && IsNumberValueType(columns_[f].type) ? std::stod(*Value(f))
                                                                           : 0;
    }
    bool FieldIsNull(int f) const override { return current_ && !Value(f); }
    int Step(int dir) override {
        if (rows_.empty())
            return kBeforeFirstAndAfterLast;
        if (dir == kStepFirst || !current_) {
            pos_ = 0;
        } else if (dir == kStepNext) {
            if (pos_ + 1 >= rows_.size())
                return kAfterLast;
            ++pos_;
        }
        current_ = true;
        return 0;
    }

  private:
    const Cell& Value(int f) const { return rows_[pos_][static_cast<std::size_t>(f)]; }
    Text NumberToTextOf(int f) const;

    std::vector<Column> columns_;
    std::vector<std::vector<Cell>> rows_;
    std::size_t pos_ = 0;
    bool current_ = false;
};

/// Template lines from UTF-8 text, one line per "\n".
inline std::vector<Text> Lines(const std::string& utf8) {
    std::vector<Text> lines;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos)
            end = utf8.size();
        lines.push_back(FromUtf8(utf8.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

/// What one printed section showed: its number and the texts of its elements (UTF-8, the
/// elements that did not print as "-").
struct Printed {
    int section;
    std::vector<std::string> texts;
};

/// A sink that records every printed section with the texts of its elements.
inline SectionSink Recorder(std::vector<Printed>& printed) {
    return [&printed](int section, ReportComputation& v) {
        Printed p{section, {}};
        const TOddilSestavy& s = *v.Report().Section(section);
        for (std::size_t i = 0; i < s.elements.size(); ++i)
            p.texts.push_back(s.elements[i].printable
                                  ? ToUtf8(v.ElementText(section, static_cast<int>(i)))
                                  : "-");
        printed.push_back(std::move(p));
    };
}

/// Runs a report over its data source and records every printed section.
inline std::vector<Printed> RunReport(TSestavaTyp& report, std::vector<Text>* warnings = nullptr) {
    ReportComputation c(report);
    c.Prepare();
    if (warnings)
        *warnings = c.Warnings();
    std::vector<Printed> printed;
    WalkRecords(c, {2024, 3, 5, 8, 7, 6, 0}, Recorder(printed));
    return printed;
}

inline Text RowsBridge::NumberToTextOf(int f) const {
    return NumberToText(std::stod(*Value(f)));
}

}  // namespace axo::report::test
