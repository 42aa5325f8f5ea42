// The commands over every statement of a period at once: compiling them all in one pass over
// the document lines, and the checks between the parts.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// statements [--from M] [--to M] [--csv-dir DIR]: every statement of the fiscal year.
int RunStatements(const Options& options, std::ostream& out, std::ostream& err);

/// crosscheck [--from M] [--to M]: the checks between the parts; exit code 1 on a difference.
int RunCrosscheck(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
