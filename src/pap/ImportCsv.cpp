// Reading the CSV files of the imports.
#include "pap/ImportCsv.h"

#include <algorithm>
#include <cerrno>

#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// A record as split, before conversion: its fields in UTF-8 and the line it starts on.
struct RawRecord {
    int line = 0;
    std::vector<std::string> fields;
};

/// Splits the bytes into records; a quote left open is an error.
std::vector<RawRecord> SplitRecords(std::string_view s, std::vector<ImportError>& errors) {
    std::vector<RawRecord> records;
    RawRecord current{1, {std::string()}};
    int line = 1;
    bool quoted = false;
    int quoteLine = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (quoted) {
            if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
                current.fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                current.fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
            quoteLine = line;
        } else if (c == ';') {
            current.fields.emplace_back();
        } else if (c == '\n') {
            records.push_back(std::move(current));
            current = RawRecord{++line, {std::string()}};
        } else if (c != '\r') {
            current.fields.back() += c;
        }
    }
    if (quoted)
        errors.push_back({quoteLine, "uvozovky nejsou uzavřeny"_t});
    records.push_back(std::move(current));
    return records;
}

Text HexCodePoint(char32_t cp) {
    static const char kDigits[] = "0123456789ABCDEF";
    Text hex;
    for (int shift = cp > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
        hex += kDigits[(cp >> shift) & 0xF];
    return hex;
}

bool IsBlankRecord(const RawRecord& r) {
    for (const std::string& f : r.fields)
        if (f.find_first_not_of(" \t") != std::string::npos)
            return false;
    return true;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (n == name)
            return true;
    return false;
}

}  // namespace

bool Utf8ToCp1250(std::string_view utf8, Text& out, Text& reason, bool tabs) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const char32_t cp = detail::DecodeUtf8(utf8.data(), utf8.size(), i);
        if (cp == detail::kBadUtf8) {
            reason = "neplatný zápis znaku v UTF-8 (bajt "_t + IntToText(at + 1) + ")"_t;
            return false;
        }
        const int code = UnicodeToCp1250(cp);
        if (cp == '\n' || cp == '\r') {
            reason = "text \""_t + FromUtf8(utf8.substr(0, utf8.find_first_of("\r\n"))) +
                     "...\" je rozdělen na víc řádků"_t;
            return false;
        }
        if (cp < 0x20 && !(tabs && cp == '\t')) {
            reason =
                "řídicí znak (kód "_t + IntToText(cp) + ") v textu \""_t + FromUtf8(utf8) + "\""_t;
            return false;
        }
        if (code < 0) {
            reason = "znak U+"_t + HexCodePoint(cp) +
                     " nelze zapsat v kódování Windows-1250 (text \""_t + FromUtf8(utf8) + "\")"_t;
            return false;
        }
        out += static_cast<char>(code);
    }
    return true;
}

bool ReadInputFile(const std::filesystem::path& file, std::string& bytes, Text& reason) {
    const ReadResult read = ReadWholeFile(file, bytes);
    switch (read.error) {
        case 0:
            return true;
        case ENOENT:
            reason = "soubor neexistuje"_t;
            break;
        case EISDIR:
            reason = "je to adresář, ne soubor"_t;
            break;
        case kNotRegularFile:
            reason = "není obyčejný soubor"_t;
            break;
        default:
            reason = (read.opened ? "soubor nelze přečíst (chyba číslo "_t
                                  : "soubor nelze otevřít (chyba číslo "_t) +
                     IntToText(read.error) + ")"_t;
    }
    bytes.clear();
    return false;
}

Text ImportErrorText(const Text& fileName, const std::vector<ImportError>& errors,
                     std::size_t limit) {
    Text text = "Soubor "_t + fileName + " nelze načíst:"_t;
    for (std::size_t i = 0; i < errors.size() && i < limit; ++i) {
        text += "\r"_t;
        if (errors[i].line > 0)
            text += "řádek "_t + IntToText(errors[i].line) + ": "_t;
        text += errors[i].reason;
    }
    if (errors.size() > limit)
        text +=
            "\r... a dalších chyb: "_t + IntToText(static_cast<long long>(errors.size() - limit));
    return text;
}

CsvTable CsvTable::Read(const std::filesystem::path& file, const std::vector<std::string>& required,
                        const std::vector<std::string>& optional,
                        std::vector<ImportError>& errors) {
    std::string bytes;
    Text reason;
    if (!ReadInputFile(file, bytes, reason)) {
        errors.push_back({0, reason});
        return {};
    }
    return Parse(bytes, required, optional, errors);
}

CsvTable CsvTable::Parse(std::string_view bytes, const std::vector<std::string>& required,
                         const std::vector<std::string>& optional,
                         std::vector<ImportError>& errors) {
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    std::vector<RawRecord> records = SplitRecords(bytes, errors);
    std::erase_if(records, IsBlankRecord);
    CsvTable table;
    if (records.empty()) {
        errors.push_back({0, "soubor neobsahuje řádek se jmény sloupců"_t});
        return table;
    }
    const RawRecord& header = records.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = LowerAscii(std::string(Trim(FromUtf8(header.fields[i])).Bytes()));
        if (!Contains(required, name) && !Contains(optional, name))
            errors.push_back(
                {header.line, "neznámý sloupec \""_t + FromUtf8(header.fields[i]) + "\""_t});
        else if (!table.columns_.emplace(name, i).second)
            errors.push_back(
                {header.line, "sloupec \""_t + FromUtf8(name) + "\" je uveden dvakrát"_t});
    }
    for (const std::string& name : required)
        if (!table.Has(name))
            errors.push_back({header.line, "chybí sloupec \""_t + FromUtf8(name) + "\""_t});
    for (std::size_t r = 1; r < records.size(); ++r) {
        const RawRecord& raw = records[r];
        if (raw.fields.size() > header.fields.size()) {
            errors.push_back(
                {raw.line, IntToText(static_cast<long long>(raw.fields.size())) +
                               " polí, záhlaví má "_t +
                               IntToText(static_cast<long long>(header.fields.size()))});
            continue;
        }
        CsvRow row{raw.line, {}};
        for (const std::string& f : raw.fields) {
            Text value, reason;
            if (!Utf8ToCp1250(f, value, reason))
                errors.push_back({raw.line, reason});
            row.fields.push_back(Trim(value));
        }
        table.rows_.push_back(std::move(row));
    }
    return table;
}

Text CsvTable::Value(const CsvRow& row, const std::string& column) const {
    const auto it = columns_.find(column);
    if (it == columns_.end() || it->second >= row.fields.size())
        return {};
    return row.fields[it->second];
}

namespace {

Text ColumnText(const std::string& column) {
    return "ve sloupci "_t + FromUtf8(column);
}

}  // namespace

bool AllDigits(const Text& t) {
    return !t.empty() &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Text CsvFieldReader::Str(const std::string& column, std::size_t maxLength, bool required) {
    const Text value = table_.Value(row_, column);
    if (value.empty() && required)
        Error("chybí hodnota "_t + ColumnText(column));
    if (value.size() > maxLength)
        Error("text \""_t + value + "\" "_t + ColumnText(column) + " je delší než "_t +
              IntToText(static_cast<long long>(maxLength)) + " znaků"_t);
    return value.substr(0, maxLength);
}

long long CsvFieldReader::Number(const std::string& column, long long min, long long max,
                                 bool required, long long fallback) {
    const Text value = table_.Value(row_, column);
    if (value.empty()) {
        if (required)
            Error("chybí hodnota "_t + ColumnText(column));
        return fallback;
    }
    // Eighteen digits and more would not fit the conversion; no field takes such a number.
    const long long n = AllDigits(value) && value.size() < 18 ? TextToInt(value) : -1;
    if (n < min || n > max) {
        Error("hodnota \""_t + value + "\" "_t + ColumnText(column) + " není celé číslo "_t +
              IntToText(min) + "-"_t + IntToText(max));
        return fallback;
    }
    return n;
}

double CsvFieldReader::Amount(const std::string& column) {
    const Text value = table_.Value(row_, column);
    if (value.empty())
        return 0;
    Text digits = value;
    if (digits.front() == '-' || digits.front() == '+')
        digits.erase(0, 1);
    const std::size_t point = digits.find(digits.find(',') != Text::npos ? ',' : '.');
    const Text whole = point == Text::npos ? digits : digits.substr(0, point);
    const Text fraction = point == Text::npos ? Text() : digits.substr(point + 1);
    if (!AllDigits(whole) || whole.size() > 13 ||
        (point != Text::npos && (!AllDigits(fraction) || fraction.size() > 2))) {
        Error("neplatná částka \""_t + value + "\" "_t + ColumnText(column));
        return 0;
    }
    const double x = TextToReal(whole + "."_t + (fraction.empty() ? "0"_t : fraction));
    return Round(value.front() == '-' ? -x : x, 2);
}

}  // namespace axo::pap
