// The addresses command of axo-pap-cli: the external address list without a window.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// addresses list [--order N] [--validity N] [--type N] [--with-notes] [--csv FILE] |
/// show CODE | add CODE --FIELD VALUE ... [--notes TEXT] | edit CODE --FIELD VALUE ... |
/// next-classification | export DIR [--renumber] [--recreate] |
/// import DIR [--renumber] [--overwrite] | import-csv FILE.
/// Exit code 0 on success; 2 for wrong options; 1 when the work failed (the reason on `err`).
int RunAddresses(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
