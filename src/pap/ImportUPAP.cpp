// Filling the list of PAP codes for statements from text files.
#include "pap/ImportUPAP.h"

#include <algorithm>
#include <map>
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

/// A code of a "UPAP.txt" line, its row not yet numbered; nullopt for a line without analytics.
std::optional<tVetaUAPV> CodeOfLine(const std::vector<Text>& f) {
    if (FieldAt(f, 0).empty())
        return std::nullopt;
    tVetaUAPV code;
    code.STAT_ANAL = f[0];
    code.POPIS = FieldAt(f, 1);
    const Text partner = UpperCase(FieldAt(f, 2));
    code.PARTNER = !partner.empty();
    code.CojePartner = partner == "P10"_t || partner == "P13"_t ? 1 : 0;
    code.PARTNER2 = !FieldAt(f, 3).empty();
    for (std::size_t i = 4; i < f.size(); ++i) {
        const long long statement = TryTextToInt(f[i]).value_or(0);
        if (statement < 1 || statement > 20)
            continue;
        code.VYKAZY[statement - 1] = 1;
        if (statement >= 4 && statement <= 9)
            code.KOD = 1;
    }
    const long long first = TryTextToInt(FieldAt(f, 4)).value_or(0);
    code.VYKAZ_I_II_III = first >= 1 && first <= 3 ? static_cast<Byte>(first) : 0;
    return code;
}

/// The code number of a bracketed column code: characters 2-3 of "401".
int ColumnCode(const Text& bracketed) {
    const Text code = Trim(bracketed);
    return static_cast<int>(TextToInt(code.size() >= 3 ? code.substr(1, 2) : code));
}

/// The column codes of a header line, in the order of its brackets.
std::vector<int> HeaderColumns(const Text& line) {
    std::vector<int> columns;
    for (std::size_t open = line.find('['); open != Text::npos; open = line.find('[', open + 1)) {
        const std::size_t close = line.find(']', open);
        if (close == Text::npos)
            break;
        columns.push_back(ColumnCode(line.substr(open + 1, close - open - 1)));
    }
    return columns;
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
    std::map<long long, int> rows;  // by the first statement field
    for (const Text& line : lines) {
        Step(progress);
        if (line.empty())
            continue;
        const std::vector<Text> fields = TabFields(line);
        std::optional<tVetaUAPV> code = CodeOfLine(fields);
        if (!code) {
            ++result.skipped;
            continue;
        }
        code->RADEK = static_cast<Word>(++rows[TryTextToInt(FieldAt(fields, 4)).value_or(0)]);
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
            // The header is the first line with a bracketed code; a title may have brackets too.
            std::vector<int> found = HeaderColumns(line);
            if (std::any_of(found.begin(), found.end(), [](int n) { return n > 0; }))
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
                                ui::UiServices& ui, const std::filesystem::path& file) {
    const UpapMode mode = UpapModeOf(file);
    if (!ImportFileExists(ui, file))
        return {};
    const Text question = mode == UpapMode::Update
                              ? "Číselník bude předplněn obsahem souboru "_t
                              : "Číselník bude smazán a předplněn obsahem souboru "_t;
    if (!ConfirmImport(ui, question, file))
        return {};
    // The whole file is read before the list is touched, so that a file that fails half-way
    // never leaves the list emptied.
    const auto lines = ReadImportFile(ui, file);
    if (!lines)
        return {};
    tFileUAPV list(ctx, where);
    if (!OpenLocked(ui, list))
        return {};
    CodeListImportResult result;
    {
        ui::ProgressPanel progress(ui, false, static_cast<int>(lines->size()),
                                   "vygenerování číselníku z textového souboru"_t,
                                   ImportFileName(file));
        result = mode == UpapMode::Update ? FillUpapUpdate(list, *lines, &progress)
                                          : FillUpapReplace(list, *lines, &progress);
    }
    list.Unlock();
    list.CloseFile();
    result.done = true;
    ShowDone(ui);
    return result;
}

}  // namespace axo::pap
