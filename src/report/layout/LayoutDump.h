// The page model as readable text: every page, every placed element with its section, kind,
// box and laid-out lines (height, offset, width and text). For tests and for people finding
// out why a template prints as it does.
#pragma once

#include <string>

#include "report/layout/PageModel.h"

namespace axo::report {

/// The pages in UTF-8, one element a line and one laid-out line below it each:
///   Strana 2 z 5
///     T Položka tabulky [35,140 60x14] čára 0
///       řádek 1 výška 11 odsazení 1 šířka 40: "12.3"
std::string DumpPages(const TSestVystup& out);

}  // namespace axo::report
