// The template commands of axo-pap-cli: the check of a report template (its model described,
// references that do not resolve, every expression checked) and its normalisation (read and
// written back as the program writes templates). Neither needs an installation.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// template check FILE.pts | template normalize IN OUT
int RunTemplate(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
