// What the text imports of the PAP code lists share.
#include "pap/CodeListImport.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/WorkFiles.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

const Text& NotCreated() {
    static const Text text = "Číselník nelze založit."_t;
    return text;
}

}  // namespace

std::optional<std::vector<Text>> ReadImportLines(const std::filesystem::path& file,
                                                 int& errorCode) {
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        errorCode = errno != 0 ? errno : EIO;
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        errorCode = errno != 0 ? errno : EIO;
        return std::nullopt;
    }
    return SplitImportLines(Text::FromBytes(bytes));
}

std::vector<Text> SplitImportLines(const Text& content) {
    const std::string& bytes = content.Bytes();
    std::vector<Text> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(Trim(Text::FromBytes(line.substr(0, kImportLineLength))));
        start = end + 1;
    }
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

Text ImportFileName(const std::filesystem::path& file) {
    return storage::TextFromPath(file);
}

bool ImportFileExists(ui::UiServices& ui, const std::filesystem::path& file) {
    if (storage::FileExists(file))
        return true;
    ui.ShowInfo("Soubor "_t + ImportFileName(file) + " neexistuje.\r"_t + NotCreated());
    return false;
}

bool ConfirmImport(ui::UiServices& ui, const Text& question, const std::filesystem::path& file) {
    return ui.YesNo(question + "\r"_t + ImportFileName(file) + " !"_t, "Pokračovat"_t,
                    "<Esc>zpět"_t, 1);
}

std::optional<std::vector<Text>> ReadImportFile(ui::UiServices& ui,
                                                const std::filesystem::path& file) {
    int errorCode = 0;
    auto lines = ReadImportLines(file, errorCode);
    if (!lines)
        ui.ShowInfo("Soubor "_t + ImportFileName(file) + " nelze otevřít. "_t + "Chyba číslo "_t +
                    IntToText(errorCode) + ".\r"_t + NotCreated());
    return lines;
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

void ShowDone(ui::UiServices& ui) {
    ui.ShowInfo("HOTOVO!"_t);
}

}  // namespace axo::pap
