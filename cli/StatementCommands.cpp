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
#include "OfficeOutput.h"
#include "ReportOutput.h"
#include "app/StatementContextFor.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papRolSF.h"
#include "pap/papVykaz.h"
#include "pap/papVysledek.h"
#include "printforms/FormPicker.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Retezce.h"
#include "util/SystemError.h"

namespace axo::cli {

namespace {

constexpr const char* kUsage =
    "statement N [--from M] [--to M] [--csv SOUBOR] [--template FORMULÁŘ|SOUBOR.pts]\n"
    "       (bez --template výchozí předloha výkazu z adresáře předloh instalace)\n"
    "       [--margin ANALYTIKA/PARTNER=MARŽE ...]\n"
    "       [--pdf SOUBOR] [--png ADRESÁŘ [--dpi N]] [--svg ADRESÁŘ] [--html SOUBOR]\n"
    "       [--rtf SOUBOR] [--emf ADRESÁŘ] [--wmf ADRESÁŘ] [--txt SOUBOR] [--layout SOUBOR]\n"
    "       [--print [--printer TISKÁRNA] [--pages A-B] [--copies N]]\n"
    "       [--odt SOUBOR] [--xlsx SOUBOR] [--mail ADRESA [--subject PŘEDMĚT] [--message TEXT]]";

/// The period dialog's answer: the months given, then confirmation ("Editovat" when margins
/// are to be entered).
std::string PeriodAnswer(int from, int to, bool edit) {
    return "mesicOd=" + std::to_string(from) + " mesicDo=" + std::to_string(to) +
           (edit ? " click:editovat" : " key:F2");
}

}  // namespace

bool MarginsOf(const Options& options, int cislo, std::vector<Margin>& margins, std::ostream& err) {
    for (const std::string& given : options.GetAll("margin")) {
        const std::size_t eq = given.rfind('=');
        const std::size_t slash = eq == std::string::npos ? eq : given.rfind('/', eq);
        const std::optional<double> percent =
            eq == std::string::npos ? std::nullopt : TryTextToReal(FromUtf8(given.substr(eq + 1)));
        if (slash == std::string::npos || slash == 0 || !percent || *percent <= -100000 ||
            *percent >= 100000) {
            err << "Volba --margin čeká ANALYTIKA/PARTNER=MARŽE (např. 501/12345678=12.5), ne \""
                << given << "\".\n";
            return false;
        }
        margins.push_back({Trim(FromUtf8(given.substr(0, slash))),
                           Trim(FromUtf8(given.substr(slash + 1, eq - slash - 1))), *percent,
                           given});
    }
    if (!margins.empty() && cislo != 11) {
        err << "Marži lze zadat jen u výkazu 11.\n";
        return false;
    }
    return true;
}

bool WriteMargins(pap::tFileZorvi& result, const std::vector<Margin>& margins, std::ostream& err) {
    bool ok = true;
    for (const Margin& m : margins) {
        switch (pap::ZapisMarzi(result, m.analytics, m.partner, m.percent)) {
            case pap::MarginOutcome::Written:
                break;
            case pap::MarginOutcome::NoRow:
                err << "Výkaz XI. nemá řádek " << m.given.substr(0, m.given.rfind('='))
                    << ", marže nebyla zapsána.\n";
                ok = false;
                break;
            case pap::MarginOutcome::NoMargin:
                err << "Položka " << ToUtf8(m.analytics) << " nevyžaduje zadání marže.\n";
                ok = false;
                break;
            case pap::MarginOutcome::Locked:
                err << "Výsledný soubor výkazu nelze zamknout, marže nebyla zapsána.\n";
                ok = false;
                break;
        }
    }
    return ok;
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

/// The result rows as a sheet: the field names as headings, numbers as numbers, texts as
/// they stand.
office::SheetTable ResultSheet(const std::vector<pap::tVeta_Zorvi>& rows, const Text& caption) {
    office::SheetTable table;
    table.name = ToUtf8(caption);
    const std::vector<pap::ResultField>& fields = pap::ResultFields();
    office::SheetRow heading;
    heading.heading = true;
    for (const pap::ResultField& field : fields) {
        heading.cells.push_back({office::SheetCell::Kind::Text, ToUtf8(field.name)});
        table.columnWidths.push_back(static_cast<int>(field.name.size()));
    }
    table.rows.push_back(std::move(heading));
    table.frozenRows = 1;
    for (const pap::tVeta_Zorvi& veta : rows) {
        office::SheetRow row;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Text text = pap::ResultFieldText(veta, fields[i]);
            office::SheetCell cell{office::SheetCell::Kind::Text, ToUtf8(Trim(text))};
            const std::optional<double> number = fields[i].layout.type == storage::FieldType::String
                                                     ? std::nullopt
                                                     : TryTextToReal(Trim(text));
            if (number) {
                cell.kind = office::SheetCell::Kind::Number;
                cell.number = *number;
            } else if (cell.text.empty()) {
                cell.kind = office::SheetCell::Kind::Empty;
            }
            table.columnWidths[i] =
                std::max(table.columnWidths[i],
                         static_cast<int>(std::min<std::size_t>(Trim(text).size(), 40)));
            row.cells.push_back(std::move(cell));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

/// Prints the rows and writes the CSV of a handed-over result, then deletes it. The rows go to
/// `office` as a sheet and as a printout.
bool Show(const pap::StatementContext& ctx, const pap::ReportHandOver& handOver,
          const Options& options, cli::OfficeContent& office, std::ostream& out,
          std::ostream& err) {
    std::unique_ptr<pap::tFileZorvi> file = pap::OpenResultFile(*ctx.data, handOver);
    if (!file)
        return false;
    out << ToUtf8(handOver.caption) << "\n";
    const std::vector<pap::tVeta_Zorvi> rows = pap::ReadResultRows(*file);
    std::string text = ToUtf8(handOver.caption) + "\n";
    for (const Text& line : pap::ResultLines(rows, handOver.kind)) {
        out << ToUtf8(line) << "\n";
        text += ToUtf8(line) + "\n";
    }
    office.title = ToUtf8(handOver.caption);
    office.tables.push_back(ResultSheet(rows, handOver.caption));
    office.printouts.push_back(office::DocumentFromText(text, ToUtf8(handOver.caption)));
    bool ok = true;
    if (const auto csv = options.Get("csv")) {
        if (WriteResultCsvFile(*file, *csv, err))
            office.attached.emplace_back(*csv);
        else
            ok = false;
    }
    file->CloseFile();
    pap::DeleteResultFile(handOver.dataFile);
    return ok;
}

bool WriteResultCsvFile(pap::tFileZorvi& file, const std::string& path, std::ostream& err) {
    std::ostringstream bytes;
    pap::WriteResultCsv(file, bytes);
    if (const int error = WriteWholeFile(path, bytes.str()); error != 0) {
        err << "Soubor " << path << " nelze zapsat: " << ToUtf8(SystemErrorText(error)) << ".\n";
        return false;
    }
    return true;
}

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
    known.insert(known.end(), {"from", "to", "csv", "template", "margin"});
    for (const std::string& name : ReportOptionNames())
        known.push_back(name);
    for (const std::string& name : OfficeOptionNames())
        known.push_back(name);
    if (!OnlyKnown(options, std::move(known), err))
        return 2;
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
    std::vector<Margin> margins;
    if (!MarginsOf(options, cislo, margins, err))
        return 2;
    const report::TReportTargets targets = ReportTargetsOf(options);
    const OfficeTargets officeTargets = OfficeTargetsOf(options);
    OfficeContent office;
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    pap::StatementContext ctx = app::StatementContextFor(*opened.session);
    ctx.defaultTemplate = FromUtf8(options.GetOr("template", ""));
    TemplateFile(ctx, options.GetOr("template", ""));
    bool noTemplate = false;
    if (targets.Any() && !options.Has("template"))
        ctx.pickTemplate = [&](int type, unsigned mask, const Text&) -> std::optional<Text> {
            printforms::FormCatalogue catalogue(*ctx.data, {}, {}, ctx.templateDirectory);
            const std::optional<Text> chosen =
                printforms::DefaultTemplate(catalogue, type, static_cast<std::uint16_t>(mask));
            noTemplate = !chosen;
            return chosen.value_or(Text());
        };
    const StatementMonths months = MonthsOf(options, ctx);
    if (!margins.empty() && opened.session->FiscalYear().firstYear < 2014) {
        err << "Marži lze zadat u výkazu XI. až od roku 2014.\n";
        CloseSession(*opened.session);
        return 2;
    }
    bool marginsWritten = margins.empty();
    ctx.editResult = [&](int, const Text&, pap::tFileZorvi& result) {
        marginsWritten = WriteMargins(result, margins, err);
    };
    ui.SetPrintoutName(ProtocolName(cislo, months));
    bool shown = false;
    bool written = true;
    ctx.runReport = [&](const pap::ReportHandOver& handOver) {
        shown = true;
        if (noTemplate)
            err << "Pro výkaz " << cislo << " není v adresáři předloh "
                << ctx.templateDirectory.string()
                << " žádná předloha sestavy; výkaz je jen vypsán jako text.\n";
        const bool reported =
            !targets.Any() || (!noTemplate && WriteReport(*opened.session, ui, handOver, targets,
                                                          err, &office.attached));
        written = Show(ctx, handOver, options, office, out, err) && reported;
    };
    const std::size_t before = ui.Transcript().size();
    ui.QueueDialog(PeriodAnswer(months.from, months.to, !margins.empty()));
    ui.PushProcess({});
    Text result;
    const bool compiled =
        pap::SestavVykazCislo(ctx, cislo, pap::StatementCaption(cislo), {}, nullptr, result);
    ui.PopProcess();
    const std::vector<std::filesystem::path> protocols = ui.PrintoutsSince(before).files;
    for (const std::filesystem::path& protocol : protocols)
        err << "Chybový protokol: " << protocol.string() << "\n";
    const office::MailSettings mail = MailSettingsOf(*opened.session);
    CloseSession(*opened.session);
    if (!compiled || !shown) {
        err << "Výkaz nebyl sestaven.\n";
        return 1;
    }
    for (office::ListingDocument& doc : PrintoutDocuments(protocols))
        office.printouts.push_back(std::move(doc));
    // Nothing is sent or written for a result whose own files failed.
    if (officeTargets.Any() &&
        (!written || !WriteOfficeOutputs(officeTargets, office, mail, out, err)))
        return 1;
    return written && marginsWritten ? 0 : 1;
}

}  // namespace axo::cli
