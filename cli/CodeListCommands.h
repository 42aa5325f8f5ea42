// The code-list commands of axo-pap-cli: the PAP codes for statements and the transaction codes
// listed, added, changed and deleted, and the chart of accounts listed and its accounts' PAP
// attributes changed - each write through the checks and locks of the code-list windows.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// codes pap|transactions list|add|edit|delete [KEY] [attributes].
int RunCodes(const Options& options, std::ostream& out, std::ostream& err);
/// chart list | chart edit SU/AE [attributes].
int RunChart(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
