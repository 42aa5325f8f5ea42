// The statement command of axo-pap-cli: compiles a PAP statement in the session's fiscal year
// and prints its rows, optionally writing the result file as CSV.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// statement N [--from M] [--to M] [--csv FILE] [--template NAME]
int RunStatement(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
