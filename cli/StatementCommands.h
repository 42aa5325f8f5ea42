// The statement command of axo-pap-cli: compiles a PAP statement in the session's fiscal year
// and prints its rows, optionally writing the result file as CSV.
#pragma once

#include <iosfwd>
#include <string>

#include "Options.h"
#include "pap/StatementContext.h"

namespace axo::cli {

/// The months of a statement run: the options' --from and --to, else those the period dialog
/// offers (from 1 to the quarter's end the program date gives).
struct StatementMonths {
    int from = 1;
    int to = 12;
};
StatementMonths MonthsOf(const Options& options, const pap::StatementContext& ctx);

/// The name (without ".txt") of the protocols of statement `cislo` run for `months`:
/// "vykaz4-01-12-protokol".
std::string ProtocolName(int cislo, StatementMonths months);

/// statement N [--from M] [--to M] [--csv FILE] [--template NAME]
int RunStatement(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
