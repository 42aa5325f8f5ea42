// The print manager's side of a statement handed over by the program.
#include "app/ReportHandOverMain.h"

#include <filesystem>
#include <iostream>

#include "pap/papVykaz.h"
#include "report/Sestava.h"
#include "report/data/StatementSource.h"
#include "report/output/ReportPrint.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::app {

namespace {

/// The value of a switch: the outer pair of double quotes removed.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

/// The number after "/" that names a parameter (1-15); 0 when it is no parameter switch.
int ParameterNumber(const std::string& arg, std::size_t& digits) {
    digits = 0;
    int n = 0;
    while (1 + digits < arg.size() && digits < 2 &&
           std::isdigit(static_cast<unsigned char>(arg[1 + digits]))) {
        n = n * 10 + (arg[1 + digits] - '0');
        ++digits;
    }
    return n >= 1 && n <= 15 ? n : 0;
}

}  // namespace

bool IsReportHandOver(const std::vector<std::string>& arguments) {
    // A text listing for the print module carries "/T"; a statement's hand-over never does.
    bool data = false;
    for (const std::string& a : arguments) {
        if (a.size() >= 2 && a[0] == '/' && (a[1] == 'T' || a[1] == 't'))
            return false;
        data = data || (a.size() >= 2 && a[0] == '/' && (a[1] == 'N' || a[1] == 'n'));
    }
    return data;
}

std::optional<ReportHandOverArguments> ParseReportHandOver(const std::vector<std::string>& args,
                                                           std::string& error) {
    ReportHandOverArguments r;
    for (const std::string& a : args) {
        if (a.size() < 2 || a[0] != '/') {
            error = "Neznámý parametr [" + a + "].";
            return std::nullopt;
        }
        std::size_t digits = 0;
        if (const int n = ParameterNumber(a, digits)) {
            r.parameters[static_cast<std::size_t>(n - 1)] = Unquoted(a.substr(1 + digits));
            continue;
        }
        const std::string value = Unquoted(a.substr(2));
        switch (std::toupper(static_cast<unsigned char>(a[1]))) {
            case 'N':
                r.dataFile = value;
                break;
            case 'C':
                r.caption = value;
                break;
            case 'K':
                r.templatePath = value;
                break;
            case 'I':
                r.indexName = value;
                break;
            case 'M':
                r.flag = true;
                break;
            case 'Z':
                try {
                    std::size_t used = 0;
                    r.number = std::stoi(value, &used);
                    if (used != value.size())
                        throw std::invalid_argument(value);
                } catch (const std::exception&) {
                    error = "Parametr /Z potřebuje číslo, ne [" + value + "].";
                    return std::nullopt;
                }
                break;
            default:
                error = "Neznámý parametr [" + a + "].";
                return std::nullopt;
        }
    }
    if (r.dataFile.empty() || r.templatePath.empty()) {
        error = "Chybí datový soubor (/N) nebo předloha sestavy (/K).";
        return std::nullopt;
    }
    return r;
}

int ReportHandOverMain(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<ReportHandOverArguments> args = ParseReportHandOver(arguments, error);
    if (!args) {
        std::cerr << error << "\n"
                  << "Použití: Axo_Tisk /N<datový soubor> /C\"popis\" /K\"předloha.pts\" /Z<číslo> "
                     "[/M] /1\"parametr\" ... /15\"parametr\" [/I\"index\"]\n";
        return 2;
    }
    const std::filesystem::path dataFile = std::filesystem::u8path(args->dataFile);
    ui::ScriptedUi::Options quiet;
    quiet.strict = false;
    ui::ScriptedUi ui(quiet);
    storage::DataContext ctx;
    ctx.ui = &ui;
    ctx.clock = &SystemClock();
    ctx.currentDirectory = dataFile.parent_path();
    ctx.programDirectory = dataFile.parent_path();
    ctx.workDirectory = dataFile.parent_path();
    // The result file's layout depends on its statement: each is tried until one opens and
    // its rows name that statement.
    std::unique_ptr<report::StatementSource> source;
    pap::ReportHandOver handOver;
    handOver.dataFile = dataFile;
    for (int cislo = 1; cislo <= 16 && !source; ++cislo)
        for (bool od2014 : {true, false}) {
            handOver.kind = {cislo, od2014};
            std::unique_ptr<pap::tFileZorvi> file = pap::OpenResultFile(ctx, handOver);
            if (!file)
                continue;
            pap::tVeta_Zorvi row{};
            const bool fits =
                file->BtUsedRecs() > 0 && file->GetRec(1, &row) && row.CisloVykazu == cislo;
            if (fits) {
                source = std::make_unique<report::StatementSource>(std::move(file));
                break;
            }
            file->CloseFile();
        }
    int result = 0;
    if (!source) {
        std::cerr << "Datový soubor [" << args->dataFile << "] nelze přečíst.\n";
        result = 3;
    } else {
        report::TSestava sestava(&ui);
        sestava.dataSource = source.get();
        sestava.reportDirIgnore = false;
        sestava.SetReportName(std::filesystem::u8path(args->templatePath));
        for (const std::string& p : args->parameters)
            sestava.parametry.push_back(FromUtf8(p));
        sestava.popis = FromUtf8(args->caption);
        report::TFontFiles fonts;
        Text problem;
        if (!fonts.Ready(problem) ||
            sestava.Prepare(fonts, SystemClock().Now(), {}, nullptr) != report::kSestOk) {
            std::cerr << "Sestavu [" << args->templatePath << "] nelze připravit.\n";
            result = 4;
        } else {
            report::TPrintJob job;
            std::string message;
            if (report::PrintReport(sestava.Output(), fonts, job, message) != report::kPrinted)
                result = 5;
            std::cerr << message << "\n";
        }
    }
    source.reset();
    // The data file was handed over to be deleted here.
    pap::DeleteResultFile(dataFile);
    return result;
}

}  // namespace axo::app
