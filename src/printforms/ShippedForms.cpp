// Form files and the shipped forms.
#include "printforms/ShippedForms.h"

#include "printforms/FormText.h"
#include "printforms/FormTypes.h"
#include "storage/WorkFiles.h"
#include "ui/UiServices.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Lines.h"
#include "util/Retezce.h"
#include "util/SystemError.h"

namespace axo::printforms {

namespace {

/// A header key as written, folded: "Název" and "NAZEV" are one key.
Text HeaderKey(const Text& text) {
    return FullFold(Trim(text));
}

bool HasPrintedSection(const TextForm& form) {
    for (const auto& lines : form.sections)
        if (!lines.empty())
            return true;
    return false;
}

std::string LineError(std::size_t line, const std::string& text) {
    return "řádek " + std::to_string(line) + ": " + text;
}

/// Reads one header line into the form; false with the reason.
bool HeaderLine(const Text& line, StoredForm& form, bool& typeSeen, bool& nameSeen,
                std::string& error) {
    const std::size_t colon = line.find(':');
    if (colon == Text::npos) {
        error = "čeká se \"Klíč: hodnota\" (Typ, Název, Druh, Popis1, Popis2)";
        return false;
    }
    const Text key = HeaderKey(line.substr(0, colon));
    const Text value = Trim(line.substr(colon + 1));
    if (key == "TYP"_t) {
        form.type = ParseFormType(value);
        if (form.type == kUnknownFormType) {
            error = "neznámý typ formuláře \"" + ToUtf8(value) + "\"";
            return false;
        }
        form.typeName = FormTypeName(form.type);
        typeSeen = true;
    } else if (key == "NAZEV"_t) {
        if (value.empty() || value.size() > 30) {
            error = "název formuláře má mít 1 až 30 znaků";
            return false;
        }
        form.name = value;
        nameSeen = true;
    } else if (key == "DRUH"_t) {
        const auto kind = TryTextToInt(value);
        if (!kind || *kind < 0 || *kind > 65535) {
            error = "druh formuláře má být číslo 0 až 65535";
            return false;
        }
        form.kind = static_cast<std::uint16_t>(*kind);
    } else if (key == "POPIS1"_t || key == "POPIS2"_t) {
        if (value.size() > 80) {
            error = "popis formuláře může mít nejvýše 80 znaků";
            return false;
        }
        (key == "POPIS1"_t ? form.description1 : form.description2) = value;
    } else {
        error = "neznámý údaj hlavičky \"" + ToUtf8(Trim(line.substr(0, colon))) + "\"";
        return false;
    }
    return true;
}

}  // namespace

std::optional<StoredForm> ReadFormFile(std::string_view utf8, std::string& error) {
    bool lost = false;
    if (utf8.starts_with(kUtf8Bom))
        utf8.remove_prefix(kUtf8Bom.size());
    const std::vector<Text> lines = SplitLines(FromUtf8(utf8, '?', &lost));
    if (lost) {
        // Name the first line that does not convert.
        int number = 0;
        ForEachLine(utf8, [&number](std::string_view line, int n) {
            bool bad = false;
            if (number == 0)
                FromUtf8(line, '?', &bad);
            if (bad)
                number = n;
        });
        error = LineError(number, "znak, který kódování Windows-1250 nemá");
        return std::nullopt;
    }
    StoredForm form;
    bool typeSeen = false;
    bool nameSeen = false;
    std::size_t i = 0;
    for (; i < lines.size() && !Trim(lines[i]).empty(); ++i)
        if (!HeaderLine(lines[i], form, typeSeen, nameSeen, error)) {
            error = LineError(i + 1, error);
            return std::nullopt;
        }
    if (!typeSeen || !nameSeen) {
        error = !typeSeen ? "hlavička neuvádí typ formuláře (Typ: ...)"
                          : "hlavička neuvádí název formuláře (Název: ...)";
        return std::nullopt;
    }
    for (++i; i < lines.size(); ++i)
        form.content += lines[i] + "\r\n"_t;
    if (!HasPrintedSection(ParseTextForm(form.content))) {
        error = "formulář nemá žádný tištěný oddíl (.HLAVASESTAVY, .RADEK, ...)";
        return std::nullopt;
    }
    return form;
}

std::string WriteFormFile(const StoredForm& form) {
    std::string out = "Typ: " + ToUtf8(FormTypeName(form.type)) + "\n";
    out += "Název: " + ToUtf8(form.name) + "\n";
    out += "Druh: " + std::to_string(form.kind) + "\n";
    if (!form.description1.empty())
        out += "Popis1: " + ToUtf8(form.description1) + "\n";
    if (!form.description2.empty())
        out += "Popis2: " + ToUtf8(form.description2) + "\n";
    out += "\n";
    // The frame codes are written as the box characters they draw.
    for (const Text& line : SplitLines(form.content))
        out += ListingToUtf8(line) + "\n";
    return out;
}

std::vector<StoredForm> ShippedForms() {
    std::vector<StoredForm> forms;
    for (const EmbeddedFile& f : detail::EmbeddedFormFiles()) {
        std::string error;
        if (std::optional<StoredForm> form = ReadFormFile(f.Bytes(), error))
            forms.push_back(std::move(*form));
    }
    return forms;
}

bool InstallShippedForms(const storage::DataContext& ctx,
                         const std::vector<FormsFileLocation>& files) {
    const std::vector<StoredForm> forms = ShippedForms();
    for (const FormsFileLocation& location : files) {
        tFileFormular file(ctx, location.directory, location.yearCode);
        if (!file.InitFile(2, storage::_WaitQuestion)) {
            ctx.ui->ShowErrorLine("Soubor formulářů ["_t + file.DataFileName() +
                                  "] nelze otevřít."_t);
            return false;
        }
        bool stored = true;
        for (const StoredForm& form : forms)
            stored = stored && StoreForm(file, form);
        file.CloseFile();
        if (!stored) {
            ctx.ui->ShowErrorLine("Do souboru formulářů ["_t + file.DataFileName() +
                                  "] nelze zapsat."_t);
            return false;
        }
    }
    return true;
}

bool InstallShippedTemplates(ui::UiServices& ui, const std::filesystem::path& directory) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    for (const EmbeddedFile& f : detail::EmbeddedTemplateFiles()) {
        const std::filesystem::path target = directory / std::filesystem::u8path(f.name);
        if (const int error = WriteWholeFile(target, f.Bytes()); error != 0) {
            ui.ShowErrorLine("Předlohu sestavy ["_t + storage::TextFromPath(target) +
                             "] nelze zapsat: "_t + SystemErrorText(error) + "."_t);
            return false;
        }
    }
    return true;
}

std::vector<std::string> ShippedTemplateNames() {
    std::vector<std::string> names;
    for (const EmbeddedFile& f : detail::EmbeddedTemplateFiles())
        names.emplace_back(f.name);
    return names;
}

}  // namespace axo::printforms
