// Cells of the CSV files the program writes (UTF-8, ";" between cells). A text cell that a
// spreadsheet would read as a formula is neutralised, so that a description such as
// "=cmd|' /C calc'!A0" arrives as the text it is; numbers are written as they stand.
#pragma once

#include <string>
#include <string_view>

namespace axo {

/// The separator of the program's CSV files.
inline constexpr char kCsvSeparator = ';';

/// A text cell as written to a CSV line. A text that begins with "=", "+", "-", "@", a tab or a
/// carriage return (what spreadsheets take for the start of a formula) gets an apostrophe in
/// front; a text holding the separator, a double quote or a line break is enclosed in double
/// quotes, with each double quote doubled. Numbers are not text cells: write them as they stand.
std::string CsvTextCell(std::string_view utf8);

}  // namespace axo
