// The print form commands of axo-pap-cli: the catalogue of text forms and report templates,
// a form's import from and export to a text file, and the printout of a form.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// forms list [TYPE] [--mask M] | forms import FILE | forms export TYPE NAME FILE |
/// forms print TYPE NAME [--data TEXT] [--commands FILE] [--out FILE]. Exit 0 on success, 1
/// when the work failed, 2 for a wrong command line.
int RunForms(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
