// The browse command of axo-pap-cli: the page of a table's browse window that keys lead to.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// browse TABLE [--order N] [--start TEXT] [--keys "CtrlEnd PageUp ..."] [--find TEXT
/// [--whole-words]]: opens the table's browse window as the desktop program does, positions it
/// on the start text, searches the text, presses the keys, and prints the page shown: the title,
/// the column header, the rows (the current one after "> ") and the order. Exit code 0; 2 for
/// wrong options; 1 when the session or the table cannot be opened.
int RunBrowse(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
