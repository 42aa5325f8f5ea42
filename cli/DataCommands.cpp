// The data commands of axo-pap-cli: each opens the session the global options name, calls the
// core function and reports what it did.
#include "DataCommands.h"

#include <ostream>
#include <string>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "codelists/PartnersFromBooks.h"
#include "pap/DemoData.h"
#include "pap/DemoJournal.h"
#include "pap/FillChart.h"
#include "pap/ImportChart.h"
#include "pap/ImportJournal.h"
#include "pap/ImportUKod.h"
#include "pap/ImportUPAP.h"
#include "startup/DataAreas.h"
#include "startup/NewInstallation.h"
#include "startup/SessionListing.h"
#include "util/Clock.h"

namespace axo::cli {

namespace {

std::vector<std::string> With(std::vector<std::string> names, std::vector<std::string> more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

/// Where the session's fiscal year keeps its documents and code lists.
pap::PapLocation LocationOf(const startup::Session& session) {
    return {session.AccountingDirectory(), session.CodeListDirectory(),
            startup::FiscalYearDirectoryName(session), session.DataInstallation().CharakterFirmy};
}

/// Runs `work` in the session the options name; the usage line is printed when the command's
/// positional arguments are not `positional` in number.
template <class Work>
int InSession(const Options& options, std::size_t positional, const char* usage,
              std::vector<std::string> ownOptions, std::ostream& err, Work work) {
    if (!OnlyKnown(options, With(SessionOptionNames(), std::move(ownOptions)), err))
        return 2;
    if (options.Positional().size() != positional + 1) {
        err << "Použití: axo-pap-cli " << usage << "\n";
        return 2;
    }
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    const bool done = work(*opened.session, ui);
    CloseSession(*opened.session);
    return done ? 0 : 1;
}

std::filesystem::path Argument(const Options& options) {
    return options.Positional()[1];
}

/// A list that has records is replaced only with --replace (the desktop asks first).
pap::CodeListImportOptions CodeListOptions(const Options& options) {
    pap::CodeListImportOptions o;
    o.replaceExisting = options.Has("replace");
    return o;
}

/// Prints what a code-list import did; whether it was done.
bool Reported(const pap::CodeListImportResult& r, const char* what, std::ostream& out,
              std::ostream& err) {
    if (r.done)
        out << what << ": zapsáno " << r.written << ", přeskočeno řádků " << r.skipped << ".\n";
    if (r.keptExisting)
        err << "Číselník nahradí příkaz s volbou --replace.\n";
    return r.done;
}

/// The file of the last printout shown since the transcript had `from` entries; empty when
/// none was.
std::string PrintoutShown(const CliUi& ui, std::size_t from) {
    const std::string prefix = "file: ";
    const std::vector<ui::TranscriptEntry>& transcript = ui.Transcript();
    for (std::size_t i = transcript.size(); i > from; --i)
        if (transcript[i - 1].kind == "printout" && !transcript[i - 1].lines.empty() &&
            transcript[i - 1].lines.front().rfind(prefix, 0) == 0)
            return transcript[i - 1].lines.front().substr(prefix.size());
    return {};
}

/// The installation of the demo organisation, with what the options change.
startup::NewInstallation DemoInstallation(const Options& options) {
    startup::NewInstallation i;
    i.directory = options.Positional()[1];
    i.year = options.GetInt("year").value_or(SystemClock().Now().year);
    i.userName = FromUtf8(options.GetOr("user", ToUtf8(i.userName)));
    i.password = FromUtf8(options.GetOr("password", ToUtf8(i.password)));
    i.firmName = FromUtf8(options.GetOr("firm", "Základní škola Demo, p. o."));
    i.ico = FromUtf8(options.GetOr("ico", ToUtf8(pap::IcoWithCheckDigit(7088412))));
    i.force = options.Has("force");
    i.postgresql = options.GetOr("engine", "sqlite") == "postgresql";
    i.connection = options.GetOr("db", "");
    return i;
}

/// Starts the new installation as its user would, for the installation's year, and fills it;
/// 0, or the exit code of the failure.
int FillDemo(const startup::NewInstallation& installation, const pap::DemoOptions& demo, CliUi& ui,
             pap::DemoResult& result, int& partners, std::ostream& err) {
    const Options session(
        {"--home", installation.directory.string(), "--user", ToUtf8(installation.userName),
         "--password", ToUtf8(installation.password), "--year", std::to_string(installation.year)},
        {});
    OpenedSession opened = OpenSession(session, ui, err);
    if (!opened.session)
        return opened.exitCode;
    bool done = pap::InstallDemoData(LocationOf(*opened.session), opened.session->Context(), ui,
                                     demo, result);
    // The partners of the demo's books go into its address list.
    if (done)
        partners = codelists::AddPartnersFromBooks(LocationOf(*opened.session),
                                                   opened.session->Context(), ui);
    done = done && partners >= 0;
    CloseSession(*opened.session);
    return done ? 0 : 1;
}

}  // namespace

int RunImportUpap(const Options& options, std::ostream& out, std::ostream& err) {
    return InSession(options, 1, "import-upap SOUBOR [--replace]", {"replace"}, err,
                     [&](startup::Session& s, CliUi& ui) {
                         const auto r =
                             pap::ImportUPAP(LocationOf(s), s.Context(), ui, Argument(options),
                                             CodeListOptions(options));
                         return Reported(r, "Číselník PAP pro výkazy", out, err);
                     });
}

int RunImportUkod(const Options& options, std::ostream& out, std::ostream& err) {
    return InSession(options, 1, "import-ukod SOUBOR [--replace]", {"replace"}, err,
                     [&](startup::Session& s, CliUi& ui) {
                         const auto r =
                             pap::ImportUKod(LocationOf(s), s.Context(), ui, Argument(options),
                                             CodeListOptions(options));
                         return Reported(r, "Číselník kódů transakce", out, err);
                     });
}

int RunFillChart(const Options& options, std::ostream& out, std::ostream& err) {
    return InSession(options, 0, "fill-chart", {}, err, [&](startup::Session& s, CliUi& ui) {
        ui.PushProcess(pap::FillChartTitle());
        // The command itself is the order to change the accounts: its question is answered.
        ui.QueueButton(1);
        const pap::FillChartOutcome r =
            pap::FillChartFromPap(LocationOf(s), s.Context(), ui, nullptr);
        ui.PopProcess();
        for (const pap::ChartChange& change : r.changes)
            out << ToUtf8(pap::ChartChangeLine(change)) << "\n";
        if (r.done)
            out << "Účtový rozvrh je doplněn z číselníku PAP, změněných účtů: " << r.changes.size()
                << ".\n";
        return r.done;
    });
}

int RunImportChart(const Options& options, std::ostream& out, std::ostream& err) {
    return InSession(
        options, 1, "import-chart SOUBOR.csv", {}, err, [&](startup::Session& s, CliUi& ui) {
            const auto r = pap::ImportChart(LocationOf(s), s.Context(), ui, Argument(options));
            if (r.done)
                out << "Účtový rozvrh: nových účtů " << r.added << ", změněných " << r.changed
                    << ". Údaje PAP doplní příkaz fill-chart.\n";
            return r.done;
        });
}

int RunImportJournal(const Options& options, std::ostream& out, std::ostream& err) {
    return InSession(
        options, 1, "import-journal SOUBOR.csv [--replace] [--strict]", {"replace", "strict"}, err,
        [&](startup::Session& s, CliUi& ui) {
            const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(s);
            pap::JournalImportOptions o;
            o.replace = options.Has("replace");
            o.strict = options.Has("strict");
            o.firstPeriod = s.FiscalYear().FirstPeriod();
            o.lastPeriod = s.FiscalYear().LastPeriod();
            o.askRetry = false;
            o.listing = &listing;
            const std::size_t before = ui.Transcript().size();
            const auto r = pap::ImportJournal(LocationOf(s), s.Context(), ui, Argument(options), o);
            if (!r.done)
                return false;
            out << "Účetní doklady: dokladů " << r.documents << ", řádků " << r.lines
                << ", nahrazených dokladů " << r.replacedDocuments << ".\n";
            if (r.unbalanced.empty())
                return true;
            const std::string protocol = PrintoutShown(ui, before);
            out << "Nevyvážené doklady: " << r.unbalanced.size()
                << (protocol.empty() ? "" : ", seznam v protokolu " + protocol) << ".\n";
            return true;
        });
}

int RunDemoInstall(const Options& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string> known = {"year",  "user",  "password", "firm",   "ico",
                                            "force", "lines", "seed",     "engine", "db"};
    if (!OnlyKnown(options, known, err))
        return 2;
    if (options.Positional().size() != 2) {
        err << "Použití: axo-pap-cli demo-install ADRESÁŘ [--year RRRR --user JMÉNO --password "
               "HESLO --firm NÁZEV --ico IČO --force] [--lines N] [--seed S] [--engine postgresql "
               "--db \"service=JMÉNO\"]\n";
        return 2;
    }
    const startup::NewInstallation installation = DemoInstallation(options);
    pap::DemoOptions demo;
    demo.year = installation.year;
    demo.lines = options.GetInt("lines").value_or(demo.lines);
    demo.seed = static_cast<std::uint64_t>(options.GetInt("seed").value_or(1));
    demo.textDirectory = installation.directory;
    if (demo.lines < 0) {
        err << "Volba --lines potřebuje kladné číslo.\n";
        return 2;
    }
    CliUi ui;
    if (!startup::CreateInstallation(installation, ui, SystemClock()))
        return 1;
    pap::DemoResult r;
    int partners = 0;
    if (const int code = FillDemo(installation, demo, ui, r, partners, err))
        return code;
    out << "Ukázková instalace je založena v adresáři " << installation.directory.string()
        << " (hospodářský rok " << installation.year << ", uživatel "
        << ToUtf8(installation.userName) << "): účtů " << r.accounts << ", kódů PAP " << r.papCodes
        << ", kódů transakce " << r.transactionCodes << ", dokladů " << r.documents << ", řádků "
        << r.lines << ", externích adres " << partners << ".\n";
    return 0;
}

}  // namespace axo::cli
