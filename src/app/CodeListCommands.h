// The code-list commands of the main menu (" Číselníky "): the chart of accounts, the
// transaction codes and the PAP codes for statements, each in its maintenance window, with the
// environment those windows get from a started session.
#pragma once

#include "app/Routines.h"
#include "pap/CodeListWindow.h"
#include "printforms/SessionForms.h"
#include "startup/Session.h"

namespace axo::app {

/// The environment of the code-list windows in a session: its code lists, fiscal year, access
/// level, currency and directories, the browse windows' settings, and printing through the
/// print forms of `forms` (none: the plain listing). `listing` and `forms` must outlive it.
pap::CodeListEnvironment CodeListEnvironmentFor(const startup::Session& session,
                                                const ui::ListingEnvironment& listing,
                                                printforms::SessionPrintForms* forms);

/// Whether the routine is one of the code-list commands.
bool IsCodeListRoutine(Routine routine);

/// Runs the maintenance window of a code-list routine until the user leaves it.
void RunCodeListWindow(startup::Session& session, Routine routine);

}  // namespace axo::app
