// The control printouts of axo-pap-cli: the control account statement and the control
// breakdown of statements IV to IX, their dialogs answered from the options, each printout
// written to a file whose path is printed.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// control-statement --from M --to M [--analytics MASK] [--code MASK] [--partner1 MASK]
/// [--partner2 MASK] [--su MASK] [--ae MASK] [--skip-without-analytics] [--no-code-totals]:
/// prints "Sestava: PATH" and the number of selected lines. Exit 0 when the printout was made
/// or no line was selected, 1 when it could not be made, 2 for a wrong command line.
int RunControlStatement(const Options& options, std::ostream& out, std::ostream& err);

/// control-breakdown --statement N --layout 0|1|2 --from M --to M [--analytics MASK]
/// [--code MASK] [--su MASK] [--ae MASK]: as control-statement.
int RunControlBreakdown(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
