// What text printouts need from a started session: the organisation, the program date, the
// date switch, the default page lengths, the printer set-up in the parameter vault and the
// installation's root path for the print programs.
#pragma once

#include "startup/Session.h"
#include "ui/ListingEnvironment.h"

namespace axo::startup {

/// The listing environment of `session`. It refers to the session (its context and its
/// parameter vault), which must outlive it.
ui::ListingEnvironment ListingEnvironmentFor(const Session& session);

}  // namespace axo::startup
