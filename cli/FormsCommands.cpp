// The forms command: its four sub-commands, each in the session the global options name.
#include "FormsCommands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "printforms/FormTypes.h"
#include "printforms/SessionForms.h"
#include "printforms/ShippedForms.h"
#include "startup/DataAreas.h"
#include "util/AtomicFile.h"
#include "util/Lines.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

using printforms::CatalogueEntry;

constexpr const char* kUsage =
    "forms list [TYP] [--mask M] | forms import SOUBOR | forms export TYP NÁZEV SOUBOR | "
    "forms print TYP NÁZEV [--data TEXT] [--commands SOUBOR] [--out SOUBOR]";

/// The sub-command: its name, its positional words, and what they give.
struct Words {
    std::string command;
    std::vector<std::string> args;
    int type = -1;               ///< the TYPE argument; -1 when none
    std::optional<int> mask;     ///< list --mask
    std::vector<Text> commands;  ///< print --commands
};

/// A form type given by number or name; false after a message.
bool TypeArgument(const std::string& word, int& type, std::ostream& err) {
    type = printforms::ParseFormType(FromUtf8(word));
    if (type != printforms::kUnknownFormType)
        return true;
    err << "Neznámý typ formuláře \"" << word << "\" (číslo 0 až 59 nebo název, např. UCROZVRH).\n";
    return false;
}

/// Writes a file whole or not at all; false after a message.
bool WriteWhole(const std::string& path, const std::string& bytes, std::ostream& err) {
    AtomicFile file;
    if (file.Create(path)) {
        file.Write(bytes);
        if (file.Commit())
            return true;
    }
    err << "Soubor " << path << " nelze zapsat.\n";
    return false;
}

/// A text padded with blanks to `width` characters (UTF-8 counted by characters).
std::string Padded(const std::string& text, std::size_t width) {
    const auto characters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return text + std::string(characters < width ? width - characters : 0, ' ');
}

std::string ListLine(const CatalogueEntry& e) {
    const int type = e.IsTemplate() ? e.templateType : e.type;
    std::string line =
        Padded(std::to_string(type), 3) + Padded(ToUtf8(printforms::FormTypeName(type)), 16) +
        (e.IsTemplate() ? "šablona " : "formulář") + " druh " + Padded(std::to_string(e.kind), 6);
    if (e.IsTemplate())
        return line + ToUtf8(e.fileName);
    line += ToUtf8(e.name);
    for (const Text& d : {e.description1, e.description2})
        if (!d.empty())
            line += " | " + ToUtf8(d);
    return line;
}

int List(printforms::SessionPrintForms& forms, const Words& w, std::ostream& out) {
    const int type = w.type;
    const std::optional<int> mask = w.mask;
    printforms::FormCatalogue& catalogue = forms.Catalogue();
    if (!catalogue.Open())
        return 1;
    std::vector<CatalogueEntry> entries;
    if (!mask) {
        entries = catalogue.All(type);
    } else {
        for (int t = type < 0 ? 0 : type; t <= (type < 0 ? printforms::kTypePapVykazy + 1 : type);
             ++t)
            for (CatalogueEntry& e : catalogue.Collect(t, static_cast<std::uint16_t>(*mask)))
                entries.push_back(std::move(e));
    }
    for (const CatalogueEntry& e : entries)
        out << ListLine(e) << "\n";
    if (entries.empty())
        out << "Žádný formulář.\n";
    return 0;
}

int Import(const startup::Session& session, const Words& w, std::ostream& out, std::ostream& err) {
    std::string bytes;
    if (ReadWholeFile(w.args[0], bytes).error != 0) {
        err << "Soubor " << w.args[0] << " nelze přečíst.\n";
        return 1;
    }
    std::string error;
    const std::optional<printforms::StoredForm> form = printforms::ReadFormFile(bytes, error);
    if (!form) {
        err << "Soubor " << w.args[0] << ", " << error << ". Formulář nebyl uložen.\n";
        return 1;
    }
    printforms::tFileFormular file(session.Context(), session.CodeListDirectory(),
                                   startup::FiscalYearDirectoryName(session));
    if (!file.InitFile(2, storage::_WaitQuestion))
        return 1;
    const bool replaced = printforms::FindForm(file, form->type, form->name).has_value();
    const bool stored = printforms::StoreForm(file, *form);
    file.CloseFile();
    if (!stored) {
        err << "Formulář nebyl uložen.\n";
        return 1;
    }
    out << "Formulář " << ToUtf8(form->typeName) << " " << ToUtf8(form->name)
        << (replaced ? " je nahrazen.\n" : " je uložen.\n");
    return 0;
}

int Export(printforms::SessionPrintForms& forms, const Words& w, std::ostream& out,
           std::ostream& err) {
    if (!forms.Catalogue().Open())
        return 1;
    const std::optional<printforms::StoredForm> form =
        forms.Catalogue().FindTextForm(w.type, FromUtf8(w.args[1]));
    if (!form) {
        err << "Nebyl nalezen formulář :" << w.args[1] << "\n";
        return 1;
    }
    if (!WriteWhole(w.args[2], printforms::WriteFormFile(*form), err))
        return 1;
    out << "Formulář " << ToUtf8(form->typeName) << " " << ToUtf8(form->name) << " je zapsán do "
        << w.args[2] << ".\n";
    return 0;
}

/// The command stream of a file: one command a line (UTF-8), empty lines left out. False
/// after a message naming a line that is no command.
bool ReadCommands(const std::string& path, std::vector<Text>& commands, std::ostream& err) {
    std::string bytes;
    if (ReadWholeFile(path, bytes).error != 0) {
        err << "Soubor " << path << " nelze přečíst.\n";
        return false;
    }
    std::size_t number = 0;
    for (const Text& line : SplitLines(FromUtf8(bytes))) {
        ++number;
        if (Trim(line).empty())
            continue;
        const auto command = printforms::ParseFormCommand(line);
        if (!command ||
            (command->kind != "AKRONYM"_t && command->kind != "PRIKAZ"_t &&
             printforms::FormTypeNumber(command->kind) == printforms::kUnknownFormType)) {
            err << "Soubor " << path << ", řádek " << number
                << ": není příkaz (AKRONYM [ZKRATKA] hodnota, PRIKAZ [NOVASTRANA], "
                   "TYP [NÁZEV] data).\n";
            return false;
        }
        commands.push_back(line);
    }
    return true;
}

/// The file of the printout shown last; empty when none was shown.
std::string LastPrintout(const CliUi& ui) {
    const std::vector<ui::TranscriptEntry>& t = ui.Transcript();
    const auto shown = std::find_if(t.rbegin(), t.rend(), [](const ui::TranscriptEntry& e) {
        return e.kind == "printout" && !e.lines.empty() && e.lines[0].starts_with("file: ");
    });
    return shown == t.rend() ? std::string() : shown->lines[0].substr(6);
}

int Print(printforms::SessionPrintForms& forms, CliUi& ui, const Options& options, const Words& w,
          std::ostream& out, std::ostream& err) {
    const int type = w.type;
    std::vector<Text> commands = w.commands;
    if (!forms.Catalogue().Open())
        return 1;
    const Text name = FromUtf8(w.args[1]);
    if (!forms.Catalogue().FindTextForm(type, name)) {
        err << "Nebyl nalezen formulář :" << w.args[1] << "\n";
        return 1;
    }
    commands.push_back(printforms::FormTypeName(type) + " ["_t + name + "] %"_t);
    const std::size_t before = ui.Transcript().size();
    if (!printforms::PrintCommandStream(forms.Environment().print, commands,
                                        FromUtf8(options.GetOr("data", ""))) ||
        ui.Transcript().size() == before || LastPrintout(ui).empty()) {
        err << "Nic nebylo vytištěno.\n";
        return 1;
    }
    std::string printout = LastPrintout(ui);
    if (const auto target = options.Get("out")) {
        std::string bytes;
        ReadWholeFile(printout, bytes);
        if (!WriteWhole(*target, bytes, err))
            return 1;
        printout = *target;
    }
    out << "Opis: " << printout << "\n";
    return 0;
}

/// Reads the sub-command and checks its words and options; false after a message.
bool ReadWords(const Options& options, Words& w, std::ostream& err) {
    const std::vector<std::string>& p = options.Positional();
    if (p.size() >= 2)
        w.command = p[1];
    if (p.size() > 2)
        w.args.assign(p.begin() + 2, p.end());
    const std::size_t count = w.command == "list"     ? std::min<std::size_t>(w.args.size(), 1)
                              : w.command == "import" ? 1
                              : w.command == "export" ? 3
                              : w.command == "print"  ? 2
                                                      : w.args.size() + 1;
    if (w.args.size() != count)
        return false;
    if (!w.args.empty() && w.command != "import" && !TypeArgument(w.args[0], w.type, err))
        return false;
    if (options.Has("mask")) {
        w.mask = options.GetInt("mask");
        if (w.command != "list" || !w.mask || *w.mask < 0 || *w.mask > 65535) {
            err << "Volba --mask patří k forms list a čeká číslo 0 až 65535.\n";
            return false;
        }
    }
    if (const auto file = options.Get("commands"))
        return w.command == "print" && ReadCommands(*file, w.commands, err);
    return true;
}

}  // namespace

int RunForms(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"mask", "data", "commands", "out"});
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
    Words w;
    bool valid = false;
    try {
        valid = ReadWords(options, w, err);
    } catch (const std::invalid_argument& e) {
        err << e.what() << "\n";
    }
    if (!valid) {
        err << "Použití: axo-pap-cli " << kUsage << "\n";
        return 2;
    }
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    int code = 0;
    {
        printforms::SessionPrintForms forms(*opened.session);
        if (w.command == "list")
            code = List(forms, w, out);
        else if (w.command == "import")
            code = Import(*opened.session, w, out, err);
        else if (w.command == "export")
            code = Export(forms, w, out, err);
        else
            code = Print(forms, ui, options, w, out, err);
    }
    CloseSession(*opened.session);
    return code;
}

}  // namespace axo::cli
