// Filling the list of PAP codes for statements from text files.
#include "pap/ImportUPAP.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

bool Step(ui::ProgressPanel* progress) {
    return progress ? progress->Step() : true;
}

Text FieldAt(const std::vector<Text>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : Text();
}

bool Exists(tFileUAPV& list, int k, const Text& key) {
    std::int32_t n = 0;
    return list.BtFindKey(k, n, key);
}

void DeleteAll(tFileUAPV& list) {
    for (std::int32_t n : RecordNumbers(list))
        list.DeleteRec(n);
}

/// The analytics of a line's first field; nullopt, with the reason, when there is none or it
/// is too long.
std::optional<Text> AnalyticsOf(const std::vector<Text>& f, const Text& line, Text& reason) {
    if (f.empty()) {
        reason = "chybí tabulátor za statistickou analytikou: \""_t + line + "\""_t;
        return std::nullopt;
    }
    if (f[0].empty()) {
        reason = "chybí statistická analytika"_t;
        return std::nullopt;
    }
    if (f[0].size() > 10) {
        reason = "statistická analytika \""_t + f[0] + "\" je delší než 10 znaků"_t;
        return std::nullopt;
    }
    return f[0];
}

/// A code of a "UPAP.txt" line, its row not yet numbered; nullopt, with the reason, for a line
/// without the file's structure.
std::optional<tVetaUAPV> CodeOfLine(const Text& line, const std::vector<Text>& f, Text& reason) {
    const std::optional<Text> analytics = AnalyticsOf(f, line, reason);
    if (!analytics)
        return std::nullopt;
    if (FieldAt(f, 1).empty()) {
        reason =
            "statistická analytika "_t + *analytics + " nemá popis (za popisem má být tabulátor)"_t;
        return std::nullopt;
    }
    tVetaUAPV code;
    code.STAT_ANAL = *analytics;
    code.POPIS = f[1];
    const Text partner = UpperCase(FieldAt(f, 2));
    code.PARTNER = !partner.empty();
    code.CojePartner = partner == "P10"_t || partner == "P13"_t ? 1 : 0;
    code.PARTNER2 = !FieldAt(f, 3).empty();
    for (std::size_t i = 4; i < f.size(); ++i) {
        if (f[i].empty())
            continue;
        const long long statement = AllDigits(f[i]) && f[i].size() < 3 ? TextToInt(f[i]) : 0;
        if (statement < 1 || statement > 20) {
            reason = "\""_t + f[i] + "\" není číslo výkazu 1 až 20"_t;
            return std::nullopt;
        }
        code.VYKAZY[statement - 1] = 1;
        if (statement >= 4 && statement <= 9)
            code.KOD = 1;
    }
    const long long first = TryTextToInt(FieldAt(f, 4)).value_or(0);
    code.VYKAZ_I_II_III = first >= 1 && first <= 3 ? static_cast<Byte>(first) : 0;
    return code;
}

/// Numbers the rows of the lines of each first statement field, in file order.
class RowCounter {
  public:
    /// The row of the next line of the line's first statement field.
    int Next(const std::vector<Text>& fields) {
        return ++rows_[TryTextToInt(FieldAt(fields, 4)).value_or(0)];
    }
    static Text TooMany(const std::vector<Text>& fields, int row) {
        return "statistická analytika "_t + fields[0] + " by byla "_t + IntToText(row) +
               ". řádkem výkazu "_t + FieldAt(fields, 4) + ", výkaz jich smí mít nejvýše "_t +
               IntToText(kMaxUpapRow);
    }

  private:
    std::map<long long, int> rows_;
};

/// The code number of a bracketed column code: characters 2-3 of "401".
int ColumnCode(const Text& bracketed) {
    const Text code = Trim(bracketed);
    return static_cast<int>(TextToInt(code.size() >= 3 ? code.substr(1, 2) : code));
}

/// What the brackets of a line hold, in their order.
std::vector<Text> Brackets(const Text& line) {
    std::vector<Text> texts;
    for (std::size_t open = line.find('['); open != Text::npos; open = line.find('[', open + 1)) {
        const std::size_t close = line.find(']', open);
        if (close == Text::npos)
            break;
        texts.push_back(line.substr(open + 1, close - open - 1));
    }
    return texts;
}

/// The column codes of a header line, in the order of its brackets; empty for a line that is
/// not the header (the header is the first line with a bracketed code, a title may have
/// brackets too).
std::vector<int> HeaderColumns(const Text& line) {
    std::vector<int> columns;
    for (const Text& bracketed : Brackets(line))
        columns.push_back(ColumnCode(bracketed));
    if (std::none_of(columns.begin(), columns.end(), [](int n) { return n > 0; }))
        columns.clear();
    return columns;
}

/// A column code: the statement digit and a code number 01-40 (debit) or 51-90 (credit).
bool ValidColumn(const Text& bracketed) {
    const Text code = Trim(bracketed);
    const int n = ColumnCode(code);
    return code.size() == 3 && AllDigits(code) && ((n >= 1 && n <= 40) || (n >= 51 && n <= 90));
}

void CheckUpapReplace(const std::vector<Text>& lines, std::vector<ImportError>& errors) {
    RowCounter rows;
    int codes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const int number = static_cast<int>(i + 1);
        const std::vector<Text> fields = TabFields(lines[i]);
        Text reason;
        if (!CodeOfLine(lines[i], fields, reason)) {
            errors.push_back({number, reason});
            continue;
        }
        const int row = rows.Next(fields);
        if (row == kMaxUpapRow + 1)
            errors.push_back({number, RowCounter::TooMany(fields, row)});
        ++codes;
    }
    if (codes == 0 && errors.empty())
        errors.push_back({0, "soubor neobsahuje žádnou statistickou analytiku"_t});
}

void CheckUpapUpdate(const std::vector<Text>& lines, std::vector<ImportError>& errors) {
    bool header = false;
    int codes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        if (!header) {
            header = !HeaderColumns(lines[i]).empty();
            for (const Text& bracketed : header ? Brackets(lines[i]) : std::vector<Text>())
                if (!ValidColumn(bracketed))
                    errors.push_back({number, "sloupec \"["_t + bracketed +
                                                  "]\" nemá kód transakce (číslici výkazu a "
                                                  "číslo kódu 01 až 40 nebo 51 až 90)"_t});
            continue;
        }
        Text reason;
        if (lines[i].empty())
            continue;
        if (AnalyticsOf(TabFields(lines[i]), lines[i], reason))
            ++codes;
        else
            errors.push_back({number, reason});
    }
    if (!header)
        errors.push_back({0, "soubor nemá řádek záhlaví s kódy transakce sloupců (\"[401]\")"_t});
    else if (codes == 0 && errors.empty())
        errors.push_back({0, "soubor neobsahuje žádnou statistickou analytiku"_t});
}

void SetCodeFlag(tVetaUAPV& code, int n) {
    if (n >= 1 && n <= 20)
        code.MD[n - 1] = 1;
    else if (n >= 21 && n <= 40)
        code.MD2[n - 21] = 1;
    else if (n >= 51 && n <= 70)
        code.DAL[n - 51] = 1;
    else if (n >= 71 && n <= 90)
        code.DAL2[n - 71] = 1;
}

void ClearCodeFlags(tVetaUAPV& code) {
    for (int i = 0; i < 20; ++i)
        code.MD[i] = code.DAL[i] = code.MD2[i] = code.DAL2[i] = 0;
}

bool NotAllowed(const Text& cell) {
    return cell == "x"_t || cell == "X"_t;
}

}  // namespace

UpapMode UpapModeOf(const std::filesystem::path& file) {
    const Text stem = UpperCase(ImportFileName(file.stem()));
    for (char d = '4'; d <= '9'; ++d)
        if (stem == "UPAP_0"_t + d)
            return UpapMode::Update;
    return UpapMode::Replace;
}

CodeListImportResult FillUpapReplace(tFileUAPV& list, const std::vector<Text>& lines,
                                     ui::ProgressPanel* progress) {
    CodeListImportResult result;
    DeleteAll(list);
    RowCounter rows;
    for (const Text& line : lines) {
        Step(progress);
        if (line.empty())
            continue;
        const std::vector<Text> fields = TabFields(line);
        Text reason;
        std::optional<tVetaUAPV> code = CodeOfLine(line, fields, reason);
        const int row = code ? rows.Next(fields) : 0;
        if (!code || row > kMaxUpapRow) {
            ++result.skipped;
            continue;
        }
        code->RADEK = static_cast<Word>(row);
        if (Exists(list, 1, list.MakeKey(1, &*code)) || Exists(list, 2, list.MakeKey(2, &*code))) {
            ++result.skipped;
            continue;
        }
        std::int32_t n = 0;
        list.AddRec(n, &*code);
        ++result.written;
    }
    return result;
}

CodeListImportResult FillUpapUpdate(tFileUAPV& list, const std::vector<Text>& lines,
                                    ui::ProgressPanel* progress) {
    CodeListImportResult result;
    std::optional<std::vector<int>> columns;
    for (const Text& line : lines) {
        Step(progress);
        if (!columns) {
            if (std::vector<int> found = HeaderColumns(line); !found.empty())
                columns = std::move(found);
            continue;
        }
        const std::vector<Text> cells = TabFields(line);
        if (FieldAt(cells, 0).empty())
            continue;
        tVetaUAPV code;
        code.STAT_ANAL = cells[0];
        std::int32_t n = 0;
        if (!list.BtFindKey(1, n, list.MakeKey(1, &code)) || !list.GetRec(n, &code)) {
            ++result.skipped;
            continue;
        }
        ClearCodeFlags(code);
        for (std::size_t c = 0; c < columns->size() && 4 + c < cells.size(); ++c)
            if (!NotAllowed(cells[4 + c]))
                SetCodeFlag(code, (*columns)[c]);
        list.PutRec(n, &code);
        ++result.written;
    }
    return result;
}

CodeListImportResult ImportUPAP(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file,
                                const CodeListImportOptions& options) {
    const bool update = UpapModeOf(file) == UpapMode::Update;
    CodeListFill fill;
    fill.question = update ? "Číselník bude předplněn obsahem souboru "_t
                           : "Číselník bude smazán a předplněn obsahem souboru "_t;
    fill.replaces = !update;
    fill.check = update ? CheckUpapUpdate : CheckUpapReplace;
    fill.table = [](const storage::DataContext& c, const PapLocation& w) {
        return std::make_unique<tFileUAPV>(c, w);
    };
    fill.fill = [update](storage::tSoubor& staged, const std::vector<Text>& lines,
                         ui::ProgressPanel& progress) {
        auto& list = static_cast<tFileUAPV&>(staged);
        return update ? FillUpapUpdate(list, lines, &progress)
                      : FillUpapReplace(list, lines, &progress);
    };
    return FillCodeList(where, ctx, ui, file, options, fill);
}

}  // namespace axo::pap
