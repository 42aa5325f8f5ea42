// The statements of a period in one pass, and the checks between the parts.
#include "StatementSetCommands.h"

#include <filesystem>
#include <ostream>
#include <string>

#include "CliSession.h"
#include "CliUi.h"
#include "StatementCommands.h"
#include "app/StatementContextFor.h"
#include "pap/KontrolniVazby.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVysledek.h"

namespace axo::cli {

namespace {

namespace fs = std::filesystem;

/// The months of the options; false after the message when they are no period of the year.
bool MonthsValid(StatementMonths months, std::ostream& err) {
    if (months.from >= 1 && months.from <= months.to && months.to <= 12)
        return true;
    err << "Období --from " << months.from << " --to " << months.to
        << " není platné (měsíce 1 až 12, od nejvýše do).\n";
    return false;
}

}  // namespace

int RunStatements(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"from", "to", "csv-dir"});
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
    options.GetInt("from");
    options.GetInt("to");
    const std::optional<std::string> csvDir = options.Get("csv-dir");
    if (csvDir) {
        std::error_code ec;
        fs::create_directories(*csvDir, ec);
        if (!fs::is_directory(*csvDir, ec)) {
            err << "Adresář " << *csvDir << " nelze založit.\n";
            return 2;
        }
    }
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    pap::StatementContext ctx = app::StatementContextFor(*opened.session);
    const StatementMonths months = MonthsOf(options, ctx);
    if (!MonthsValid(months, err)) {
        CloseSession(*opened.session);
        return 2;
    }
    bool written = true;
    int shown = 0;
    ctx.runReport = [&](const pap::ReportHandOver& handOver) {
        if (std::unique_ptr<pap::tFileZorvi> file = pap::OpenResultFile(*ctx.data, handOver)) {
            ++shown;
            out << ToUtf8(handOver.caption) << ": " << file->BtUsedRecs() << " řádků\n";
            if (csvDir) {
                const fs::path csv =
                    fs::path(*csvDir) / ("vykaz" + std::to_string(handOver.kind.cislo) + ".csv");
                written = WriteResultCsvFile(*file, csv.string(), err) && written;
            }
            file->CloseFile();
        }
        pap::DeleteResultFile(handOver.dataFile);
    };
    ui.SetPrintoutName("vykazy-" + MonthsInName(months.from, months.to) + "-protokol");
    const std::size_t before = ui.Transcript().size();
    pap::SadaVykazu sada(ctx);
    for (int cislo = 1; cislo <= 16; ++cislo) {
        if (!pap::JeSestavovanyVykaz(cislo) || (cislo == 9 && ctx.fiscalYear > 2021))
            continue;
        pap::VolaniVykazu volani{pap::StatementCaption(cislo), {}, nullptr, nullptr, false};
        volani.odMesic = months.from;
        volani.doMesic = months.to;
        sada.Pridej(cislo, volani);
    }
    bool compiled = sada.Kumuluj();
    for (std::size_t i = 0; compiled && i < sada.Pocet(); ++i) {
        Text result;
        compiled = sada.Dokonci(i, result);
    }
    for (const fs::path& protocol : ui.PrintoutsSince(before).files)
        err << "Chybový protokol: " << protocol.string() << "\n";
    CloseSession(*opened.session);
    if (!compiled || shown != static_cast<int>(sada.Pocet())) {
        err << "Výkazy nebyly sestaveny.\n";
        return 1;
    }
    return written ? 0 : 1;
}

int RunCrosscheck(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), {"from", "to"});
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
    options.GetInt("from");
    options.GetInt("to");
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    pap::StatementContext ctx = app::StatementContextFor(*opened.session);
    const StatementMonths months = MonthsOf(options, ctx);
    if (!MonthsValid(months, err)) {
        CloseSession(*opened.session);
        return 2;
    }
    pap::VysledkyCasti vysledky;
    const bool compiled = pap::SestavCastiProKontrolu(ctx, months.from, months.to, vysledky);
    CloseSession(*opened.session);
    if (!compiled) {
        err << "Výkazy pro kontrolní vazby nebyly sestaveny.\n";
        return 1;
    }
    const std::vector<pap::RozdilVazby> rozdily = pap::KontrolniVazby(vysledky);
    out << "Kontrolní vazby mezi částmi PAP za " << months.from << ". až " << months.to
        << ". měsíc " << ctx.fiscalYear << ": ";
    if (rozdily.empty()) {
        out << "v pořádku.\n";
        return 0;
    }
    out << rozdily.size() << " rozdílů\n";
    out << "Část Řádek Analytika  Vazba        Částka         Má být         Rozdíl\n";
    for (const Text& line : pap::RadkyVazeb(rozdily))
        out << ToUtf8(line) << "\n";
    return 1;
}

}  // namespace axo::cli
