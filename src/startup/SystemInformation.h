// The system information: the environment the start-up established, as numbered rows of a
// label and a value, shown in the dialog "Informace o systému AXO" (the main window's about
// button) or printed by the command line.
#pragma once

#include <vector>

#include "startup/Session.h"

namespace axo::startup {

/// One row: its number ("1." ... "10.", empty on continuation rows), its label, the item of a
/// row of the data paths (the area's name), the value and the hint.
struct InfoRow {
    Text number;
    Text label;
    Text item;
    Text value;
    Text hint;
};

/// The rows of the system information; rows 4, 7 and 8 only with a selected fiscal year.
std::vector<InfoRow> SystemInformationRows(const Session& session);

/// The access level as a word: "ZÁKLADNÍ", "SPRÁVCE", "AUTORSKÉ", else "NEZNÁMÉ".
Text AccessLevelWord(int level);

/// Shows the dialog "Informace o systému AXO" with the rows and the single button "návrat do
/// modulu"; returns when it is closed.
void ShowSystemInformation(Session& session);

}  // namespace axo::startup
