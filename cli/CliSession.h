// The global options of axo-pap-cli that every command working in an installation takes, and
// opening and closing the run's session with them: --home, --user, --password (else the
// environment variable AXO_PASSWORD), --station, --year, --date and --output (where printouts
// and protocols are written; the installation's "vystupy" directory by default).
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "Options.h"
#include "startup/Session.h"
#include "ui/UiServices.h"

namespace axo::cli {

/// The names of the global options of an installation's session.
std::vector<std::string> SessionOptionNames();

/// Whether the directory option `name` (--output, --dir), when given, names a directory the
/// program can write to as named (its characters, its length); else a message on `err`.
bool OutputDirectoryUsable(const Options& options, const std::string& name, std::ostream& err);

/// A session opened for a command, or the exit code when it could not be.
struct OpenedSession {
    std::unique_ptr<startup::Session> session;
    int exitCode = 0;
};

/// Runs the start-up in the installation the options name, with their user, password, station,
/// fiscal year and program date, showing its messages through `ui` (which must outlive the
/// session). Without a password: a message on `err` and exit code 2; a refused start-up: exit
/// code 1 (the start-up has shown why).
OpenedSession OpenSession(const Options& options, ui::UiServices& ui, std::ostream& err);

/// Ends the session's run: logs out and releases the installation files.
void CloseSession(startup::Session& session);

}  // namespace axo::cli
