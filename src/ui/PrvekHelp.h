// The help of edit fields (<F7> or a double click) and the calculator (<F11>): the code-list
// picker, the calendar of date fields, the directory and file choosers of path fields.
#pragma once

#include "ui/Prvek.h"

namespace axo::ui {

enum class HelpOutcome {
    None,      ///< nothing changed
    Changed,   ///< the field shows a new value
    MoveNext,  ///< a new value, and the focus is to move to the next element
};

/// Runs the field's help: the attached code-list picker; else the calendar for a date; else
/// the field's directory or file help. Disk help on a field that is not text is refused with
/// its message.
HelpOutcome RunFieldHelp(TPrvek& field, UiServices& ui, const DialogEnvironment& env);

/// Opens the calculator: on a double field it starts with the field's value; a confirmed
/// result goes back into the field (`field` may be null: nothing is carried back).
void RunCalculatorHelp(TPrvek* field, UiServices& ui);

/// The message refusing disk help on a field that is not text.
Text DiskHelpRefusedMessage();

/// The directory part of a path text ("data/2024/x.txt" gives "data/2024/"); empty when none.
Text DirectoryOf(const Text& path);

}  // namespace axo::ui
