// The control commands of axo-pap-cli: the accounting record check, its dialog answered from
// the options and its protocol written to a file.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// check [--from M] [--to M] [--kind MASK] [--number MASK]: checks the booked document lines of
/// the session's fiscal year; prints the protocol's file and the number of faulty lines. Exit 0
/// when the check ran (faulty lines are its findings), 1 when it could not run, 2 for a wrong
/// command line.
int RunCheck(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
