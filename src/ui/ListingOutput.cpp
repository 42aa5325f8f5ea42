// The output channel: the print programs and the file outputs with their dialogs.
#include "ui/ListingOutput.h"

#include <string>

#include "storage/WorkFiles.h"
#include "ui/ListingConvert.h"
#include "ui/ListingOffice.h"
#include "util/Retezce.h"

#ifndef AXO_HELPER_DIRECTORY
#define AXO_HELPER_DIRECTORY "../libexec/axo-pap"
#endif

namespace axo::ui {

namespace {

std::filesystem::path RunningProgramDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

void Plain(UiServices& ui, const Text& text) {
    ui.ShowMessage(MessageKind::Plain, text);
}

ProgramResult Run(const ListingEnvironment& env, const std::filesystem::path& program,
                  const std::vector<std::string>& arguments) {
    return env.runProgram ? env.runProgram(program, arguments) : RunProgram(program, arguments);
}

/// A print program that did not do its work is reported, never taken for a printout made.
void ReportRun(UiServices& ui, const std::string& name, const ProgramResult& result) {
    if (!result.started) {
        ui.ShowErrorLine("Program ["_t + FromUtf8(name) + "] nelze spustit."_t);
    } else if (result.exitCode != 0) {
        const Text said = Trim(FromUtf8(result.errorOutput));
        ui.ShowErrorLine(!said.empty() ? said.substr(0, 255)
                                       : "Program ["_t + FromUtf8(name) + "] skončil s chybou "_t +
                                             FromUtf8(std::to_string(result.exitCode)) + "."_t);
    }
}

void PrintModule(const ListingEnvironment& env, const ListingView& listing,
                 const OutputSettings& settings) {
    const std::filesystem::path program = FindPrintProgram(env, kPrintModuleName);
    if (program.empty()) {
        Plain(env.Ui(), "Neexistuje tiskový modul [Axo_Tisk]. Funkci tisku nelze provést."_t);
        return;
    }
    ReportRun(env.Ui(), kPrintModuleName,
              Run(env, program, PrintModuleArguments(listing, settings, env.templateRoot)));
}

void PrintManager(const ListingEnvironment& env, const ListingView& listing) {
    const std::filesystem::path program = FindPrintProgram(env, kPrintManagerName);
    if (program.empty()) {
        env.Ui().ShowErrorLine("Neexistuje program Axo_PrMa.\r\rFunkce nebude provedena."_t);
        return;
    }
    ReportRun(env.Ui(), kPrintManagerName,
              Run(env, program, PrintManagerArguments(listing, env.printerKind)));
}

/// The dialog choosing a file to write the printout to.
FileDialogRequest SaveDialog(const Text& title, const Text& fileName, const Text& filter,
                             const Text& directory) {
    FileDialogRequest request;
    request.title = title;
    request.fileName = fileName;
    request.filter = filter;
    request.startDirectory = directory;
    request.save = true;
    return request;
}

Text ExistsQuestion(const Text& name) {
    return "Výstupní soubor "_t + name + " existuje!"_t;
}

void TextFileOutput(UiServices& ui, const ListingView& listing, const OutputSettings& settings) {
    for (;;) {
        const auto chosen = ui.RunFileDialog(SaveDialog(
            "Zadejte výstupní soubor"_t, settings.textFileName, "*.*"_t, settings.textDirectory));
        if (!chosen || chosen->empty())
            return;
        const std::filesystem::path output = storage::PathFromText(*chosen);
        bool append = false;
        if (storage::FileExists(output)) {
            const int answer = ui.Decide(
                ExistsQuestion(*chosen),
                {" ~P~řepsat "_t, " Př~i~pojit "_t, " ~N~ové zadání "_t, " ~Z~pět "_t}, 3);
            if (answer == 3)
                continue;
            if (answer != 1 && answer != 2)
                return;
            append = answer == 2;
        }
        ConvertListingToText(ui, listing.file, output, settings.ConversionFor(OutputKind::TextFile),
                             append);
        return;
    }
}

/// The HTML file the user chooses (".htm" added to a name without extension); none when the
/// user gave up.
std::optional<std::filesystem::path> ChooseHtmlFile(UiServices& ui,
                                                    const OutputSettings& settings) {
    for (;;) {
        FileDialogRequest request =
            SaveDialog("Zadejte jméno výstupního souboru pro uložení sestavy ve struktuře HTML"_t,
                       settings.htmlFileName, "*.htm"_t, settings.htmlDirectory);
        request.filterName = "Soubory HTML"_t;
        request.defaultExtension = "htm"_t;
        const auto chosen = ui.RunFileDialog(request);
        if (!chosen || chosen->empty())
            return std::nullopt;
        Text name = *chosen;
        if (storage::SplitPath(name).extension.empty())
            name += ".htm"_t;
        const std::filesystem::path output = storage::PathFromText(name);
        if (!storage::FileExists(output))
            return output;
        const int answer = ui.Decide(ExistsQuestion(name),
                                     {" ~P~řepsat "_t, " ~N~ové zadání "_t, " ~Z~pět "_t}, 3);
        if (answer == 1)
            return output;
        if (answer != 2)
            return std::nullopt;
    }
}

void HtmlOutput(const ListingEnvironment& env, const ListingView& listing,
                const OutputSettings& settings) {
    UiServices& ui = env.Ui();
    const auto output = ChooseHtmlFile(ui, settings);
    if (output && settings.htmlMode != 2) {
        MailOutput(env, listing, settings, *output);
        return;
    }
    if (!output || !ConvertListingToHtml(ui, listing.file, *output,
                                         settings.ConversionFor(OutputKind::Html), false))
        return;
    if (settings.viewer.empty()) {
        Plain(ui, "Soubor byl uložen."_t);
    } else if (!StartProgram(storage::PathFromText(settings.viewer), {output->string()})) {
        Plain(ui,
              "Soubor byl uložen. Prohlížecí program ["_t + settings.viewer + "] nelze spustit."_t);
    }
}

}  // namespace

std::vector<std::string> PrintModuleArguments(const ListingView& listing,
                                              const OutputSettings& settings,
                                              const Text& templateRoot) {
    std::vector<std::string> args = {
        "/T",
        "/D" + std::to_string(listing.lineWidth),
        "/P" + std::to_string(listing.narrowLength),
        "/L" + std::to_string(listing.wideLength),
        "/N" + listing.file.string(),
        "/C\"\"",
        "/K\"" + ToUtf8(storage::WithBackslash(templateRoot, true)) + "\"",
        "/Z" + std::to_string(settings.printModuleNumber),
    };
    if (settings.printModuleFlag)
        args.push_back("/M");
    return args;
}

std::vector<std::string> PrintManagerArguments(const ListingView& listing, int printerKind) {
    const char* code = printerKind == 2 ? "K" : printerKind == 3 ? "L" : "0";
    return {listing.file.string(), code, std::to_string(listing.lineWidth), "/WIN"};
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& a : arguments)
        line += " " + a;
    return line;
}

std::filesystem::path FindPrintProgram(const ListingEnvironment& env, const std::string& name) {
    const std::filesystem::path own =
        env.programFileDirectory.empty() ? RunningProgramDirectory() : env.programFileDirectory;
    // An installed program keeps its helper programs in a directory of their own, found
    // relative to the program's own, so that a moved installation prefix still finds them.
    const std::filesystem::path helpers = own.empty() ? own : own / AXO_HELPER_DIRECTORY;
    for (const std::filesystem::path& dir : {own, helpers, env.data->programDirectory}) {
        if (!dir.empty() && IsExecutableFile(dir / name))
            return dir / name;
    }
    return {};
}

void OutputListing(const ListingEnvironment& env, const ListingView& listing) {
    UiServices& ui = env.Ui();
    const OutputSettings settings = LoadOutputSettings(env);
    switch (static_cast<OutputKind>(settings.kind)) {
        case OutputKind::PrintModule:
            PrintModule(env, listing, settings);
            break;
        case OutputKind::PrintManager:
            PrintManager(env, listing);
            break;
        case OutputKind::TextFile:
            TextFileOutput(ui, listing, settings);
            break;
        case OutputKind::WordProcessor:
        case OutputKind::Spreadsheet:
            OfficeDocumentOutput(env, listing, settings, static_cast<OutputKind>(settings.kind));
            break;
        case OutputKind::Html:
            HtmlOutput(env, listing, settings);
            break;
        default:
            ui.ShowInfo("Druh výstupu "_t + FromUtf8(std::to_string(settings.kind)) +
                        " není v této verzi k dispozici."_t);
            break;
    }
}

void HandListingOver(const ListingEnvironment& env, const ListingView& listing) {
    env.Ui().ShowListing(listing, [&env, &listing] { OutputListing(env, listing); });
    storage::DeleteFileQuiet(listing.file);
}

}  // namespace axo::ui
