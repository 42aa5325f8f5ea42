// The routines of the main menu's commands run in a started session: the statement entry
// routines (with their XML option), the XML parts and the summary, the record check, the filling
// of the chart of accounts, and the information that a function is not available in this
// version for the commands whose parts are still to come.
#pragma once

#include "app/Routines.h"
#include "startup/Session.h"

namespace axo::app {

/// The information shown by a command this version does not offer yet.
Text NotAvailableText();

/// Whether this version carries the routine (false: the command only says it is not available).
bool RoutineAvailable(Routine routine);

/// Runs the routine with the caption (already stripped of "&"; empty for routines that take
/// none). Its errors are reported by the routine itself; a routine this version does not carry
/// shows NotAvailableText as information and nothing else.
void RunRoutine(startup::Session& session, const RoutineCall& call, const Text& caption);

}  // namespace axo::app
