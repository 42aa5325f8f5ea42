// The statement command: the period dialog answered from the options, and the compiled rows
// printed (and written as CSV) where the report engine would show them.
#include "StatementCommands.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "ReportOutput.h"
#include "app/StatementContextFor.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVykaz.h"
#include "pap/papVysledek.h"
#include "util/AtomicFile.h"
#include "util/SystemError.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "statement N [--from M] [--to M] [--csv SOUBOR] [--template FORMULÁŘ|SOUBOR.pts]\n"
    "       [--pdf SOUBOR] [--png ADRESÁŘ [--dpi N]] [--svg ADRESÁŘ] [--html SOUBOR]\n"
    "       [--rtf SOUBOR] [--emf ADRESÁŘ] [--wmf ADRESÁŘ] [--txt SOUBOR] [--layout SOUBOR]\n"
    "       [--print [--printer TISKÁRNA] [--pages A-B] [--copies N]]";

/// The period dialog's answer: the months given, then confirmation.
std::string PeriodAnswer(int from, int to) {
    return "mesicOd=" + std::to_string(from) + " mesicDo=" + std::to_string(to) + " key:F2";
}

/// A template given as a file: its directory becomes the template directory, its name the
/// template (so that the name keeps deciding the layout of statements IV-IX).
void TemplateFile(pap::StatementContext& ctx, const std::string& value) {
    const std::filesystem::path file(value);
    std::error_code ec;
    if (value.find('/') == std::string::npos && !std::filesystem::is_regular_file(file, ec))
        return;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    ctx.templateDirectory = absolute.parent_path();
    ctx.defaultTemplate = FromUtf8(absolute.filename().string());
}

/// Prints the rows and writes the CSV of a handed-over result, then deletes it.
bool Show(const pap::StatementContext& ctx, const pap::ReportHandOver& handOver,
          const Options& options, std::ostream& out, std::ostream& err) {
    std::unique_ptr<pap::tFileZorvi> file = pap::OpenResultFile(*ctx.data, handOver);
    if (!file)
        return false;
    out << ToUtf8(handOver.caption) << "\n";
    for (const Text& line : pap::ResultLines(pap::ReadResultRows(*file), handOver.kind))
        out << ToUtf8(line) << "\n";
    bool ok = true;
    if (const auto csv = options.Get("csv")) {
        // The whole CSV or none: an older file stays as it was when this one cannot be written.
        std::ostringstream bytes;
        pap::WriteResultCsv(*file, bytes);
        if (const int error = WriteWholeFile(*csv, bytes.str()); error != 0) {
            err << "Soubor " << *csv << " nelze zapsat: " << ToUtf8(SystemErrorText(error))
                << ".\n";
            ok = false;
        }
    }
    file->CloseFile();
    pap::DeleteResultFile(handOver.dataFile);
    return ok;
}

}  // namespace

StatementMonths MonthsOf(const Options& options, const pap::StatementContext& ctx) {
    const std::optional<int> to = options.GetInt("to");
    return {options.GetInt("from").value_or(1),
            to ? *to : pap::VychoziDoMesic(ctx.dialogs.ProgramDate().month, ctx.currentMonth)};
}

std::string ProtocolName(int cislo, StatementMonths months) {
    return "vykaz" + std::to_string(cislo) + "-" + MonthsInName(months.from, months.to) +
           "-protokol";
}

int RunStatement(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"from", "to", "csv", "template", "help", "version"});
    for (const std::string& name : ReportOptionNames())
        known.push_back(name);
    for (const std::string& name : options.Unknown(known)) {
        err << "Neznámá volba --" << name << ".\n";
        return 2;
    }
    const std::vector<std::string>& words = options.Positional();
    const int cislo = words.size() == 2 ? Options::WholeNumber(words[1]).value_or(0) : 0;
    if (!pap::JeSestavovanyVykaz(cislo)) {
        err << "Použití: axo-pap-cli " << kUsage << "\n"
            << "N je číslo výkazu 1 až 13, 15 nebo 16.\n";
        return 2;
    }
    // A number that is not one is refused before the installation is opened.
    options.GetInt("from");
    options.GetInt("to");
    const report::TReportTargets targets = ReportTargetsOf(options);
    if (targets.Any() && !options.Has("template")) {
        err << "Výstup sestavy potřebuje předlohu: --template SOUBOR.pts.\n";
        return 2;
    }
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    pap::StatementContext ctx = app::StatementContextFor(*opened.session);
    ctx.defaultTemplate = FromUtf8(options.GetOr("template", ""));
    TemplateFile(ctx, options.GetOr("template", ""));
    const StatementMonths months = MonthsOf(options, ctx);
    ui.SetPrintoutName(ProtocolName(cislo, months));
    bool shown = false;
    bool written = true;
    ctx.runReport = [&](const pap::ReportHandOver& handOver) {
        shown = true;
        const bool reported =
            !targets.Any() || WriteReport(*opened.session, ui, handOver, targets, err);
        written = Show(ctx, handOver, options, out, err) && reported;
    };
    const std::size_t before = ui.Transcript().size();
    ui.QueueDialog(PeriodAnswer(months.from, months.to));
    ui.PushProcess({});
    Text result;
    const bool compiled =
        pap::SestavVykazCislo(ctx, cislo, pap::StatementCaption(cislo), {}, nullptr, result);
    ui.PopProcess();
    for (const std::filesystem::path& protocol : ui.PrintoutsSince(before).files)
        err << "Chybový protokol: " << protocol.string() << "\n";
    CloseSession(*opened.session);
    if (!compiled || !shown) {
        err << "Výkaz nebyl sestaven.\n";
        return 1;
    }
    return written ? 0 : 1;
}

}  // namespace axo::cli
