// Filling the transaction code list from "UKod.txt".
#include "pap/ImportUKod.h"

#include <memory>

#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// The errors of lines without the structure of the file, and of a file without any code.
void CheckUKod(const std::vector<Text>& lines, std::vector<ImportError>& errors) {
    int codes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Text reason;
        if (lines[i].empty())
            continue;
        if (UKodOfLine(lines[i], reason))
            ++codes;
        else
            errors.push_back({static_cast<int>(i + 1), reason});
    }
    if (codes == 0 && errors.empty())
        errors.push_back({0, "soubor neobsahuje žádný kód transakce"_t});
}

}  // namespace

std::optional<tVetaUKod> UKodOfLine(const Text& line, Text& reason) {
    const std::vector<Text> fields = TabFields(line);
    if (fields.empty()) {
        reason = "chybí tabulátor za kódem transakce: \""_t + line + "\""_t;
        return std::nullopt;
    }
    tVetaUKod code;
    const Text kod = Trim(RemoveChar(RemoveChar(fields[0], '['), ']'));
    if (kod.size() != 3 || !AllDigits(kod)) {
        reason = "kód transakce \""_t + fields[0] + "\" nemá tři číslice"_t;
        return std::nullopt;
    }
    if (fields.size() < 2 || fields[1].empty()) {
        reason = "kód transakce "_t + kod + " nemá název (za názvem má být tabulátor)"_t;
        return std::nullopt;
    }
    code.Kod = kod;
    code.Nazev = fields[1];
    code.PARTNER2 = fields.size() > 2 && !fields[2].empty();
    code.FILLER_STR = "0"_t;
    return code;
}

CodeListImportResult FillUKod(tFileUKod& list, const std::vector<Text>& lines,
                              ui::ProgressPanel* progress) {
    CodeListImportResult result;
    for (std::int32_t n : RecordNumbers(list))
        list.DeleteRec(n);
    for (const Text& line : lines) {
        if (progress)
            progress->Step();
        if (line.empty())
            continue;
        Text reason;
        std::optional<tVetaUKod> code = UKodOfLine(line, reason);
        std::int32_t n = 0;
        if (!code || list.BtFindKey(1, n, list.MakeKey(1, &*code))) {
            ++result.skipped;
            continue;
        }
        list.AddRec(n, &*code);
        ++result.written;
    }
    return result;
}

CodeListImportResult ImportUKod(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file,
                                const CodeListImportOptions& options) {
    CodeListFill fill;
    fill.question = "Číselník bude smazán a předplněn obsahem souboru "_t;
    fill.check = CheckUKod;
    fill.table = [](const storage::DataContext& c, const PapLocation& w) {
        return std::make_unique<tFileUKod>(c, w);
    };
    fill.fill = [](storage::tSoubor& staged, const std::vector<Text>& lines,
                   ui::ProgressPanel& progress) {
        return FillUKod(static_cast<tFileUKod&>(staged), lines, &progress);
    };
    return FillCodeList(where, ctx, ui, file, options, fill);
}

}  // namespace axo::pap
