// What the text imports of the PAP code lists share.
#include "pap/CodeListImport.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "pap/TableSwap.h"
#include "storage/WorkFiles.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace fs = std::filesystem;

namespace {

const Text& NotCreated() {
    static const Text text = "Číselník nelze založit."_t;
    return text;
}

Text CutAndTrim(const Text& line) {
    return Trim(line.substr(0, kImportLineLength));
}

/// The first control character of a Windows-1250 line other than a tab; 0 when none.
unsigned char ControlCharacter(std::string_view line) {
    for (char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != '\t')
            return u;
    }
    return 0;
}

/// Refuses, with its message, a path that names no regular file: "Soubor ... neexistuje.", a
/// directory or something else (a device such as /dev/zero, a pipe), which would be read
/// without end.
bool InputFileUsable(ui::UiServices& ui, const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    Text problem;
    if (fs::is_directory(status))
        problem = " je adresář, ne soubor."_t;
    else if (fs::exists(status) && !fs::is_regular_file(status))
        problem = " není obyčejný soubor."_t;
    else if (!storage::FileExists(file))
        problem = " neexistuje."_t;
    else
        return true;
    ui.ShowInfo("Soubor "_t + ImportFileName(file) + problem + "\r"_t + NotCreated());
    return false;
}

/// Asks whether to go on: `question` + line break + file name + " !", buttons "Pokračovat"
/// (default) and "<Esc>zpět". True for "Pokračovat".
bool ConfirmImport(ui::UiServices& ui, const Text& question, const fs::path& file) {
    return ui.YesNo(question + "\r"_t + ImportFileName(file) + "!"_t, "Pokračovat"_t,
                    "<Esc>zpět"_t, 1);
}

/// Reads the file whole; shows "Soubor ... nelze otevřít. Chyba číslo ..." when it cannot.
bool ReadImportBytes(ui::UiServices& ui, const fs::path& file, std::string& bytes) {
    const ReadResult read = ReadWholeFile(file, bytes);
    if (read.error == 0)
        return true;
    ui.ShowInfo("Soubor "_t + ImportFileName(file) + " nelze otevřít. "_t + "Chyba číslo "_t +
                IntToText(read.error) + ".\r"_t + NotCreated());
    return false;
}

/// The errors in the order of their lines, those of the whole file last.
void SortErrors(std::vector<ImportError>& errors) {
    std::stable_sort(errors.begin(), errors.end(), [](const ImportError& a, const ImportError& b) {
        return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
    });
}

void CopyRecords(storage::tSoubor& from, storage::tSoubor& to, ui::ProgressPanel& progress) {
    std::vector<char> record(static_cast<std::size_t>(from.RecordLength()));
    for (std::int32_t n : RecordNumbers(from)) {
        from.GetRec(n, record.data());
        std::int32_t added = 0;
        to.AddRec(added, record.data());
        progress.Step();
    }
}

/// Builds the new list beside `list` (open exclusively) and puts it in its place; nullopt after
/// a message when that fails, the list then as it was.
std::optional<CodeListImportResult> BuildAndSwap(const PapLocation& where,
                                                 const storage::DataContext& ctx,
                                                 ui::UiServices& ui, const fs::path& file,
                                                 const std::vector<Text>& lines,
                                                 storage::tSoubor& list, const CodeListFill& fill) {
    const std::unique_ptr<TableSwap> swap =
        MakeTableSwap(ui, list.DataFilePath().parent_path(), list.FileName(), ctx);
    if (!swap)
        return std::nullopt;
    PapLocation staging = where;
    staging.dataDirectory = staging.codeListDirectory = swap->Directory();
    const std::unique_ptr<storage::tSoubor> staged = fill.table(swap->Context(), staging);
    if (!staged->InitFile(6, storage::_NoWait) || !staged->BtLockFileBlock(storage::_NoWait))
        return std::nullopt;
    CodeListImportResult result;
    {
        const int copied = fill.replaces ? 0 : list.BtUsedRecs();
        ui::ProgressPanel progress(ui, false, static_cast<int>(lines.size()) + copied,
                                   "vygenerování číselníku z textového souboru"_t,
                                   ImportFileName(file));
        if (!fill.replaces)
            CopyRecords(list, *staged, progress);
        result = fill.fill(*staged, lines, progress);
    }
    staged->Unlock();
    staged->CloseFile();
    if (!swap->Commit({{staged->DataFilePath(), list.DataFilePath()}})) {
        ui.ShowError("Číselník nelze nahradit novým obsahem."_t);
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::vector<Text> SplitImportLines(const Text& content) {
    std::vector<Text> lines;
    ForEachLine(content.View(), [&lines](std::string_view line, int) {
        lines.push_back(CutAndTrim(Text::FromBytes(line)));
    });
    return lines;
}

std::vector<Text> DecodeImportLines(std::string_view bytes, std::vector<ImportError>& errors) {
    // Lines in UTF-8 are converted one by one: a character Windows-1250 has no place for makes
    // its line an error instead of a "?".
    const bool utf8 = IsUtf8File(bytes);
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    std::vector<Text> lines;
    ForEachLine(bytes, [&](std::string_view line, int number) {
        Text text = Text::FromBytes(line);
        Text reason;
        if (utf8 && !Utf8ToCp1250(line, text, reason, true)) {
            errors.push_back({number, reason});
            text.clear();
        } else if (const unsigned char c = ControlCharacter(line)) {
            errors.push_back({number, "řídicí znak (kód "_t + IntToText(c) + ")"_t});
            text.clear();
        }
        lines.push_back(CutAndTrim(text));
    });
    return lines;
}

std::vector<Text> TabFields(const Text& line) {
    std::vector<Text> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != Text::npos; tab = line.find('\t', start)) {
        fields.push_back(Trim(line.substr(start, tab - start)));
        start = tab + 1;
    }
    return fields;
}

Text ImportFileName(const fs::path& file) {
    return storage::TextFromPath(file);
}

bool OpenLocked(ui::UiServices& ui, storage::tSoubor& list) {
    if (list.InitFile(2, storage::_NoWait) && list.BtLockFileBlock(storage::_NoWait))
        return true;
    if (list.Opened())
        list.CloseFile();
    ui.ShowInfo("Číselník nelze zamčít, jeho naplnění nebude provedeno."_t);
    return false;
}

std::vector<std::int32_t> RecordNumbers(storage::tSoubor& table) {
    std::vector<std::int32_t> numbers;
    std::int32_t n = 0;
    Text key;
    table.BtClearKey(0);
    while (table.BtNextKey(0, n, key))
        numbers.push_back(n);
    return numbers;
}

CodeListImportResult FillCodeList(const PapLocation& where, const storage::DataContext& ctx,
                                  ui::UiServices& ui, const fs::path& file,
                                  const CodeListImportOptions& options, const CodeListFill& fill) {
    if (!InputFileUsable(ui, file) || !ConfirmImport(ui, fill.question, file))
        return {};
    // Read and checked in full first: a bad file never leaves the list emptied or half filled.
    std::string bytes;
    if (!ReadImportBytes(ui, file, bytes))
        return {};
    std::vector<ImportError> errors;
    const std::vector<Text> lines = DecodeImportLines(bytes, errors);
    fill.check(lines, errors);
    if (!errors.empty()) {
        SortErrors(errors);
        ui.ShowError(ImportErrorText(ImportFileName(file), errors), "\rČíselník nebyl změněn."_t);
        return {};
    }
    // Exclusively: the list is replaced as a file, which nobody may have open meanwhile.
    const std::unique_ptr<storage::tSoubor> list = fill.table(ctx, where);
    if (!list->InitFile(5, storage::_NoWait)) {
        ui.ShowInfo("Číselník nelze zamčít, jeho naplnění nebude provedeno."_t);
        return {};
    }
    CodeListImportResult result;
    const int existing = list->BtUsedRecs();
    if (fill.replaces && !options.replaceExisting && existing > 0) {
        list->CloseFile();
        ui.ShowInfo("Číselník už obsahuje záznamů: "_t + IntToText(existing) +
                    ". Nebude nahrazen."_t);
        result.keptExisting = true;
        return result;
    }
    const std::optional<CodeListImportResult> built =
        BuildAndSwap(where, ctx, ui, file, lines, *list, fill);
    list->CloseFile();
    if (!built)
        return {};
    result = *built;
    result.done = true;
    ui.ShowInfo("HOTOVO!"_t);
    return result;
}

}  // namespace axo::pap
