// The administration command of axo-pap-cli, for the supervisor of an installation.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// admin status | clear-crash USER | logout USER [--force] | rebuild TABLE | rebuild --all,
/// with the supervisor's password (--password, else AXO_PASSWORD).
int RunAdmin(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
