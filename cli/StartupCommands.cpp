// init: a new, empty installation; info: the start-up and the system information.
#include "StartupCommands.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

#include "CliSession.h"
#include "CliUi.h"
#include "startup/Machine.h"
#include "startup/Migration.h"
#include "startup/NewInstallation.h"
#include "startup/SystemInformation.h"
#include "util/Retezce.h"

namespace axo::cli {

namespace {

std::string InfoLine(const startup::InfoRow& row) {
    const Text caption = row.item.empty() ? row.label : LeftJustify(row.label, 14) + row.item;
    return ToUtf8(RightJustify(row.number, 3) + " "_t + LeftJustify(caption, 46) + " "_t +
                  row.value);
}

}  // namespace

int RunInit(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyKnown(
            options,
            {"year", "user", "password", "supervisor", "firm", "ico", "force", "engine", "db"},
            err))
        return 2;
    const std::string engine = options.GetOr("engine", "sqlite");
    if (options.Positional().size() != 2 || !options.Has("year") ||
        (engine != "sqlite" && engine != "postgresql") ||
        (engine == "postgresql") != options.Has("db")) {
        err << "Použití: axo-pap-cli init ADRESÁŘ --year RRRR [--user JMÉNO --password HESLO "
               "--supervisor HESLO --firm NÁZEV --ico IČO] [--force] [--engine postgresql --db "
               "\"service=JMÉNO\"]\n";
        return 2;
    }
    startup::NewInstallation request;
    request.directory = options.Positional()[1];
    request.year = options.GetInt("year").value_or(0);
    if (const auto user = options.Get("user"))
        request.userName = FromUtf8(*user);
    if (const auto password = options.Get("password"))
        request.password = FromUtf8(*password);
    if (const auto supervisor = options.Get("supervisor"))
        request.supervisorPassword = FromUtf8(*supervisor);
    if (const auto firm = options.Get("firm"))
        request.firmName = FromUtf8(*firm);
    request.ico = FromUtf8(options.GetOr("ico", ""));
    request.force = options.Has("force");
    request.postgresql = engine == "postgresql";
    request.connection = options.GetOr("db", "");
    CliUi ui;
    if (!startup::CreateInstallation(request, ui, SystemClock()))
        return 1;
    out << "Instalace je založena v adresáři " << request.directory.string()
        << " (hospodářské roky " << request.year - 1 << " a " << request.year << "), uživatel "
        << ToUtf8(request.userName) << ".\n";
    return 0;
}

int RunMigrate(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyKnown(options, {"home", "to", "db"}, err))
        return 2;
    const std::string to = options.GetOr("to", "");
    if (options.Positional().size() != 1 || (to != "postgresql" && to != "sqlite") ||
        !options.Has("db")) {
        err << "Použití: axo-pap-cli [--home ADRESÁŘ] migrate --to postgresql|sqlite --db "
               "\"service=JMÉNO\"\n";
        return 2;
    }
    startup::MigrationRequest request;
    request.home = startup::InstallationHome(options.Get("home"), startup::ProcessEnvironment());
    request.toPostgresql = to == "postgresql";
    request.connection = options.GetOr("db", "");
    CliUi ui;
    startup::MigrationResult result;
    if (!startup::MigrateInstallation(request, ui, SystemClock(), result))
        return 1;
    out << "Přesunuto tabulek " << result.tables << ", záznamů " << result.records
        << " (počty souhlasí); instalace nyní používá "
        << (request.toPostgresql ? "databázový server" : "soubory SQLite")
        << ". Původní tabulky zůstaly beze změny.\n";
    return 0;
}

int RunInfo(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyKnown(options, SessionOptionNames(), err))
        return 2;
    CliUi ui;
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    out << "Informace o systému AXO\n";
    for (const startup::InfoRow& row : startup::SystemInformationRows(*opened.session))
        out << InfoLine(row) << "\n";
    CloseSession(*opened.session);
    return 0;
}

}  // namespace axo::cli
