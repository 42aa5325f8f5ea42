// Filling the transaction code list from "UKod.txt".
#include "pap/ImportUKod.h"

#include "util/Retezce.h"

namespace axo::pap {

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
        const std::vector<Text> fields = TabFields(line);
        tVetaUKod code;
        if (!fields.empty())
            code.Kod = Trim(RemoveChar(RemoveChar(fields[0], '['), ']')).substr(0, 3);
        std::int32_t n = 0;
        if (code.Kod.Get().empty() || list.BtFindKey(1, n, list.MakeKey(1, &code))) {
            ++result.skipped;
            continue;
        }
        code.Nazev = fields.size() > 1 ? fields[1] : Text();
        code.PARTNER2 = fields.size() > 2 && !fields[2].empty();
        code.FILLER_STR = "0"_t;
        list.AddRec(n, &code);
        ++result.written;
    }
    return result;
}

CodeListImportResult ImportUKod(const PapLocation& where, const storage::DataContext& ctx,
                                ui::UiServices& ui, const std::filesystem::path& file) {
    if (!ImportFileExists(ui, file))
        return {};
    if (!ConfirmImport(ui, "Číselník bude smazán a předplněn obsahem souboru "_t, file))
        return {};
    // Read in full first: a file that fails half-way must not leave the list emptied.
    const auto lines = ReadImportFile(ui, file);
    if (!lines)
        return {};
    tFileUKod list(ctx, where);
    if (!OpenLocked(ui, list))
        return {};
    CodeListImportResult result;
    {
        ui::ProgressPanel progress(ui, false, static_cast<int>(lines->size()),
                                   "vygenerování číselníku z textového souboru"_t,
                                   ImportFileName(file));
        result = FillUKod(list, *lines, &progress);
    }
    list.Unlock();
    list.CloseFile();
    result.done = true;
    ShowDone(ui);
    return result;
}

}  // namespace axo::pap
