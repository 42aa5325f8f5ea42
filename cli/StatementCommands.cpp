// The statement command: the period dialog answered from the options, and the compiled rows
// printed (and written as CSV) where the report engine would show them.
#include "StatementCommands.h"

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "app/StatementContextFor.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVykaz.h"
#include "pap/papVysledek.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "statement N [--from M] [--to M] [--csv SOUBOR] [--template FORMULÁŘ]";

/// The period dialog's answer: the months the options give, then confirmation.
std::string PeriodAnswer(const Options& options) {
    std::string answer;
    if (const auto from = options.GetInt("from"))
        answer += "mesicOd=" + std::to_string(*from) + " ";
    if (const auto to = options.GetInt("to"))
        answer += "mesicDo=" + std::to_string(*to) + " ";
    return answer + "key:F2";
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
        std::ofstream stream(*csv, std::ios::binary | std::ios::trunc);
        ok = stream && pap::WriteResultCsv(*file, stream);
        stream.close();
        ok = ok && static_cast<bool>(stream);
        if (!ok)
            err << "Soubor " << *csv << " nelze zapsat.\n";
    }
    file->CloseFile();
    pap::DeleteResultFile(handOver.dataFile);
    return ok;
}

/// Names the files of the printouts shown during the run (the error protocols).
void PrintProtocols(const CliUi& ui, std::size_t from, std::ostream& err) {
    const std::string prefix = "file: ";
    const std::vector<ui::TranscriptEntry>& transcript = ui.Transcript();
    for (std::size_t i = from; i < transcript.size(); ++i)
        if (transcript[i].kind == "printout" && !transcript[i].lines.empty() &&
            transcript[i].lines.front().rfind(prefix, 0) == 0)
            err << "Chybový protokol: " << transcript[i].lines.front().substr(prefix.size())
                << "\n";
}

}  // namespace

int RunStatement(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"from", "to", "csv", "template", "help", "version"});
    for (const std::string& name : options.Unknown(known)) {
        err << "Neznámá volba --" << name << ".\n";
        return 2;
    }
    const std::vector<std::string>& words = options.Positional();
    const int cislo = words.size() == 2 ? std::atoi(words[1].c_str()) : 0;
    if (!pap::JeSestavovanyVykaz(cislo)) {
        err << "Použití: axo-pap-cli " << kUsage << "\n"
            << "N je číslo výkazu 1 až 13, 15 nebo 16.\n";
        return 2;
    }
    const std::string answer = PeriodAnswer(options);
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    pap::StatementContext ctx = app::StatementContextFor(*opened.session);
    ctx.defaultTemplate = FromUtf8(options.GetOr("template", ""));
    bool shown = false;
    bool written = true;
    ctx.runReport = [&](const pap::ReportHandOver& handOver) {
        shown = true;
        written = Show(ctx, handOver, options, out, err);
    };
    const std::size_t before = ui.Transcript().size();
    ui.QueueDialog(answer);
    ui.PushProcess({});
    Text result;
    const bool compiled =
        pap::SestavVykazCislo(ctx, cislo, pap::StatementCaption(cislo), {}, nullptr, result);
    ui.PopProcess();
    PrintProtocols(ui, before, err);
    CloseSession(*opened.session);
    if (!compiled || !shown) {
        err << "Výkaz nebyl sestaven.\n";
        return 1;
    }
    return written ? 0 : 1;
}

}  // namespace axo::cli
