// The statement context of the running program: where the fiscal year's documents and code lists
// live, the fiscal year and dates, the printout settings and the switches, all taken from the
// started session.
#pragma once

#include "pap/StatementContext.h"
#include "startup/Session.h"

namespace axo::app {

/// The context the statement entry routines get from a started session, which must outlive it.
/// The result editor is the browser of the margin of statement XI; the hooks of the other parts
/// that take a result further (template picker, report engine) are left empty: the compiled rows
/// are then shown as a text printout.
pap::StatementContext StatementContextFor(const startup::Session& session);

}  // namespace axo::app
