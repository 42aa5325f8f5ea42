// Splitting printouts into spreadsheet cells.
#include "office/SheetTable.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace axo::office {

namespace {

bool IsIn(char32_t ch, std::u32string_view set) {
    return set.find(ch) != std::u32string_view::npos;
}

// Frame characters by role, single and double line.
constexpr std::u32string_view kTopLeft = U"┌╔";
constexpr std::u32string_view kSeparatorLeft = U"├╠";
constexpr std::u32string_view kBottomLeft = U"└╚";
constexpr std::u32string_view kVertical = U"│║*";
constexpr std::u32string_view kJoints = U"┬┼┴┐┤┘╦╬╩╗╣╝";

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::optional<int> Digits(std::string_view text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(text));
}

bool ValidDate(int y, int m, int d) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1900 || y > 9999 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d < 29 || leap;
}

std::optional<SheetCell> DateCell(const std::string& text) {
    std::string compact;
    for (const char c : text)
        if (c != ' ')
            compact += c;
    const std::size_t a = compact.find('.');
    const std::size_t b = a == std::string::npos ? a : compact.find('.', a + 1);
    if (b == std::string::npos)
        return std::nullopt;
    const auto d = Digits(std::string_view(compact).substr(0, a));
    const auto m = Digits(std::string_view(compact).substr(a + 1, b - a - 1));
    const auto y = Digits(std::string_view(compact).substr(b + 1));
    if (!d || !m || !y || *d > 99 || *m > 99 || compact.size() - b - 1 != 4 ||
        !ValidDate(*y, *m, *d))
        return std::nullopt;
    SheetCell cell{SheetCell::Kind::Date, text};
    cell.year = *y;
    cell.month = *m;
    cell.day = *d;
    return cell;
}

/// Digits grouped by threes with `group` after a first group of one to three.
bool Grouped(std::string_view digits, char group) {
    std::size_t start = 0;
    std::size_t end = digits.find(group);
    if (end == 0 || end > 3 || end == std::string_view::npos)
        return false;
    while (end != std::string_view::npos) {
        start = end + 1;
        end = digits.find(group, start);
        if ((end == std::string_view::npos ? digits.size() : end) - start != 3)
            return false;
    }
    return true;
}

bool AllDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<SheetCell> NumberCell(const std::string& text) {
    std::string_view body = text;
    const bool negative = !body.empty() && body.front() == '-';
    if (negative)
        body.remove_prefix(1);
    // The decimal separator is the last comma, or a point followed by other than three digits
    // (a point before three digits groups thousands, "1.234").
    std::string_view whole = body;
    std::string_view fraction;
    const std::size_t comma = body.rfind(',');
    const std::size_t point = body.rfind('.');
    if (comma != std::string_view::npos) {
        whole = body.substr(0, comma);
        fraction = body.substr(comma + 1);
        if (fraction.empty())
            return std::nullopt;
    } else if (point != std::string_view::npos && body.size() - point - 1 != 3) {
        whole = body.substr(0, point);
        fraction = body.substr(point + 1);
    }
    if (!fraction.empty() && !AllDigits(fraction))
        return std::nullopt;
    std::string digits;
    if (AllDigits(whole)) {
        if (fraction.empty() && comma == std::string_view::npos)
            return std::nullopt;  // a plain whole number: a code, kept as text
        digits = whole;
    } else {
        const char group = whole.find(' ') != std::string_view::npos ? ' ' : '.';
        if (!Grouped(whole, group))
            return std::nullopt;
        for (const char c : whole)
            if (c != group)
                digits += c;
    }
    SheetCell cell{SheetCell::Kind::Number, text};
    cell.number = std::stod(digits + (fraction.empty() ? "" : "." + std::string(fraction)));
    if (negative)
        cell.number = -cell.number;
    return cell;
}

/// The column borders of a frame line: the positions of its left end and of its joints.
std::vector<std::size_t> Borders(const std::u32string& line) {
    std::vector<std::size_t> borders = {0};
    for (std::size_t i = 1; i < line.size(); ++i)
        if (IsIn(line[i], kJoints))
            borders.push_back(i);
    return borders;
}

bool StartsWith(const std::u32string& line, std::u32string_view set) {
    return !line.empty() && IsIn(line.front(), set);
}

/// The cells of a framed line between the borders; none when the line does not fit them.
std::optional<std::vector<SheetCell>> FramedCells(const std::u32string& line,
                                                  const std::vector<std::size_t>& borders) {
    if (borders.size() < 2 || line.size() != borders.back() + 1 || !StartsWith(line, kVertical))
        return std::nullopt;
    std::vector<SheetCell> cells;
    for (std::size_t c = 0; c + 1 < borders.size(); ++c) {
        if (!IsIn(line[borders[c + 1]], kVertical))
            return std::nullopt;
        const std::size_t from = borders[c] + 1;
        cells.push_back(
            CellOf(Utf8(std::u32string_view(line).substr(from, borders[c + 1] - from))));
    }
    return cells;
}

/// Where the page heading of the first page ends (the line after its separator line), when the
/// first page has a framed heading; 0 otherwise.
std::size_t HeadingLength(const std::vector<std::u32string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (StartsWith(lines[i], kSeparatorLeft))
            return i + 1;
        if (lines[i] == U"\f" || (!lines[i].empty() && StartsWith(lines[i], kVertical) && i > 0 &&
                                  StartsWith(lines[i - 1], kSeparatorLeft)))
            break;
    }
    return 0;
}

}  // namespace

SheetCell CellOf(std::string_view text) {
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty())
        return {};
    if (auto date = DateCell(trimmed))
        return *date;
    if (auto number = NumberCell(trimmed))
        return *number;
    return {SheetCell::Kind::Text, trimmed};
}

SheetTable TableFromListing(const ListingDocument& doc) {
    SheetTable table;
    table.name = doc.title;
    table.landscape = doc.Landscape();
    std::vector<std::u32string> lines;
    lines.reserve(doc.lines.size());
    for (const std::string& line : doc.lines)
        lines.push_back(CodePoints(line));
    const std::size_t headingLength = HeadingLength(lines);
    std::vector<std::size_t> borders;
    bool inHeading = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::u32string& line = lines[i];
        if (line == U"\f") {
            // The repeated page heading: as long as the first one, ending in a separator line.
            if (headingLength > 0 && i + headingLength < lines.size() &&
                StartsWith(lines[i + headingLength], kSeparatorLeft)) {
                i += headingLength;
                borders = Borders(lines[i]);
                inHeading = false;
            }
            continue;
        }
        if (StartsWith(line, kTopLeft) || StartsWith(line, kSeparatorLeft)) {
            inHeading = StartsWith(line, kTopLeft);
            borders = Borders(line);
            if (!inHeading && table.frozenRows == 0 && !table.rows.empty() &&
                table.rows.back().heading)
                table.frozenRows = static_cast<int>(table.rows.size());
            continue;
        }
        if (StartsWith(line, kBottomLeft)) {
            borders.clear();
            continue;
        }
        SheetRow row;
        if (auto cells = FramedCells(line, borders)) {
            row.cells = std::move(*cells);
            row.heading = inHeading;
            if (inHeading)
                for (SheetCell& cell : row.cells)
                    if (cell.kind != SheetCell::Kind::Empty)
                        cell = {SheetCell::Kind::Text, cell.text};
            for (std::size_t c = 0; c + 1 < borders.size(); ++c) {
                if (table.columnWidths.size() <= c)
                    table.columnWidths.push_back(0);
                table.columnWidths[c] = std::max(table.columnWidths[c],
                                                 static_cast<int>(borders[c + 1] - borders[c] - 1));
            }
        } else {
            std::string text = Utf8(line);
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            if (!text.empty())
                row.cells.push_back({SheetCell::Kind::Text, text});
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace axo::office
