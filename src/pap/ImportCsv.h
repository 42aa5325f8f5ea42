// Reading the CSV files of the imports: UTF-8 (a byte order mark allowed), ";" between fields,
// fields in double quotes where they hold ";", quotes or line breaks ("" inside for a quote), a
// header line naming the columns (any order, any case), CR LF or LF. Values come out as
// Windows-1250 texts; a value without a place in Windows-1250 is an error naming its line.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "util/Text.h"

namespace axo::pap {

/// A problem of the input, with the line of the file it is on (0 for the file as a whole).
struct ImportError {
    int line = 0;
    Text reason;
};

/// The errors of an import as the message shows them: "řádek N: reason" per error, at most
/// `limit` of them and a line telling how many more there are.
Text ImportErrorText(const Text& fileName, const std::vector<ImportError>& errors,
                     std::size_t limit = 15);

/// Reads an input file of an import whole into `bytes`. False, with the reason in `reason`
/// ("soubor neexistuje", "je to adresář, ne soubor", "není obyčejný soubor", "soubor nelze
/// otevřít (chyba číslo N)", ...), when the path names no regular file or reading fails.
bool ReadInputFile(const std::filesystem::path& file, std::string& bytes, Text& reason);

/// A text in UTF-8 converted to Windows-1250. False, with the reason naming the character,
/// for a malformed sequence, a character without a place in Windows-1250, a line break, or
/// another control character (a tab only when `tabs` is false).
bool Utf8ToCp1250(std::string_view utf8, Text& out, Text& reason, bool tabs = false);

/// Whether the text is not empty and has digits only.
bool AllDigits(const Text& t);

/// One data row: its fields in the order of the header, and the file line it starts on.
struct CsvRow {
    int line = 0;
    std::vector<Text> fields;
};

/// A CSV file read in full.
class CsvTable {
  public:
    /// Reads and splits the file. Problems of the file (unreadable, empty, bad UTF-8, a quote
    /// left open, characters without a place in Windows-1250, a row with a different number of
    /// fields, a doubled or unknown column, a missing required column) are added to `errors`.
    /// `required` and `optional` are the known column names in lower case.
    static CsvTable Read(const std::filesystem::path& file,
                         const std::vector<std::string>& required,
                         const std::vector<std::string>& optional,
                         std::vector<ImportError>& errors);
    /// As Read, from the file's bytes.
    static CsvTable Parse(std::string_view bytes, const std::vector<std::string>& required,
                          const std::vector<std::string>& optional,
                          std::vector<ImportError>& errors);

    const std::vector<CsvRow>& Rows() const { return rows_; }
    /// Whether the header has the column.
    bool Has(const std::string& column) const { return columns_.count(column) > 0; }
    /// The row's value of a column (trimmed of blanks); empty when the header lacks it.
    Text Value(const CsvRow& row, const std::string& column) const;

  private:
    std::map<std::string, std::size_t> columns_;
    std::vector<CsvRow> rows_;
};

/// Reads the values of one row, adding an error naming the row's line for each bad value.
class CsvFieldReader {
  public:
    CsvFieldReader(const CsvTable& table, const CsvRow& row, std::vector<ImportError>& errors)
        : table_(table), row_(row), errors_(errors) {}

    /// A text of at most `maxLength` characters; empty and `required` is an error.
    Text Str(const std::string& column, std::size_t maxLength, bool required = false);
    /// A whole number written in digits only, `min` to `max`; empty gives `fallback` unless
    /// `required`.
    long long Number(const std::string& column, long long min, long long max, bool required,
                     long long fallback = 0);
    /// An amount with "," or "." as decimal point, a sign allowed, at most 2 decimals; empty
    /// gives 0.
    double Amount(const std::string& column);
    /// Adds an error of the row.
    void Error(const Text& reason) { errors_.push_back({row_.line, reason}); }
    int Line() const { return row_.line; }

  private:
    const CsvTable& table_;
    const CsvRow& row_;
    std::vector<ImportError>& errors_;
};

}  // namespace axo::pap
