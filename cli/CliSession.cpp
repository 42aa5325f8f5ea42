// Opening and closing the session of a command.
#include "CliSession.h"

#include <chrono>
#include <filesystem>
#include <ostream>

#include "CliUi.h"
#include "startup/Machine.h"
#include "startup/StartUp.h"
#include "storage/PathCheck.h"
#include "ui/ScriptedUi.h"
#include "util/Retezce.h"

namespace axo::cli {

std::vector<std::string> SessionOptionNames() {
    return {"home", "user", "password", "station", "year", "date", "output", "wait"};
}

bool OutputDirectoryUsable(const Options& options, const std::string& name, std::ostream& err) {
    const std::optional<std::string> value = options.Get(name);
    const Text problem = value && !value->empty()
                             ? storage::DirectoryPathProblem(*value, storage::DirectoryUse::Output)
                             : Text();
    if (!problem.empty())
        err << ToUtf8(problem) << "\n";
    return problem.empty();
}

OpenedSession OpenSession(const Options& options, ui::UiServices& ui, std::ostream& err) {
    const startup::EnvironmentReader environment = startup::ProcessEnvironment();
    startup::StartUpOptions start;
    std::optional<std::string> password = options.Get("password");
    if (!password)
        password = environment("AXO_PASSWORD");
    if (!password || password->empty()) {
        err << "Heslo zadejte volbou --password nebo v proměnné prostředí AXO_PASSWORD.\n";
        return {nullptr, 2};
    }
    start.password = FromUtf8(*password);
    if (!OutputDirectoryUsable(options, "output", err))
        return {nullptr, 2};
    if (auto* cli = dynamic_cast<CliUi*>(&ui)) {
        const std::optional<int> wait = options.GetInt("wait");
        if (options.Has("wait") && (!wait || *wait < 0)) {
            err << "Volba --wait čeká počet sekund (0: čekat bez omezení).\n";
            return {nullptr, 2};
        }
        if (wait)
            cli->SetWaitLimit(std::chrono::seconds(*wait));
    }
    if (const auto station = options.Get("station"))
        start.station = FromUtf8(*station);
    start.userName = FromUtf8(options.GetOr("user", ""));
    start.offerLatestYear = false;
    if (options.Has("year") || options.Has("date")) {
        start.yearChoice = startup::StartUpOptions::YearChoice{FromUtf8(options.GetOr("year", "")),
                                                               FromUtf8(options.GetOr("date", ""))};
    }
    auto session = std::make_unique<startup::Session>(
        ui, SystemClock(), startup::InstallationHome(options.Get("home"), environment),
        startup::ComputerId(environment), std::move(start));
    // The command line has a status line of its own (the transcript); the process names of the
    // start-up go there.
    ui.RegisterStatusBar();
    if (!startup::StartUp(*session)) {
        if (!startup::HasInstallation(session->ProgramDirectory()))
            err << ToUtf8(ReplaceChar(startup::MissingInstallationHint(session->ProgramDirectory()),
                                      '\r', '\n'))
                << "\n";
        // Without a year the fiscal-year dialog took the one of today's date, which the
        // installation may not have.
        if (!options.Has("year") && !options.Has("date") && session->FiscalYear().index == 0)
            err << "Hospodářský rok zadejte volbou --year (kód cesty roku, např. --year 2024) "
                   "nebo datem --date D.M.RRRR.\n";
        return {nullptr, 1};
    }
    session->ReadSwitches();
    // Printouts shown by the command (protocols, statement rows) are written as files there.
    if (auto* scripted = dynamic_cast<ui::ScriptedUi*>(&ui)) {
        std::filesystem::path output = options.GetOr("output", "");
        if (output.empty())
            output = session->ProgramDirectory() / "vystupy";
        std::error_code ec;
        std::filesystem::create_directories(output, ec);
        scripted->SetPrintoutDirectory(output);
    }
    return {std::move(session), 0};
}

void CloseSession(startup::Session& session) {
    startup::ShutDown(session);
}

}  // namespace axo::cli
