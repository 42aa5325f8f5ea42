// The start-up sequence and the closing steps of a run: the program directory, the program
// installation file, password and access level, fiscal year and program date, the login into
// every data area with the checks of their data installations, and the data version; at the end
// the logout and the release of the installation files.
#pragma once

#include "startup/Session.h"

namespace axo::startup {

/// Runs the whole start-up. Every failure is reported with its message and leaves the
/// installation as it was: the logins are written only after every area passed its checks and
/// the data version was found right. True lets the program accept commands. The front end
/// registers its status bar first (the fiscal-year step shows its process name there).
/// A session starts once; a second call gives false.
bool StartUp(Session& session);

/// Ends a run that started: the steps registered by commands, the logout from every logged-in
/// area (problems are reported and do not stop the others), the program installation file and
/// the window slot are released. Does nothing a second time.
void ShutDown(Session& session);

}  // namespace axo::startup
