// Dialog answers of scripts and of the command line: "mesicOd=1 mesicDo=6 key:F2" fills the
// named fields as a user types them (same filters, same leave checks) and then presses keys.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DialogElement.h"

namespace axo::ui {

class TDialogAXO;

/// A dialog answer that cannot be read, or names no element of the dialog.
class DialogScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// One step of a dialog answer.
struct DialogStep {
    enum class Kind {
        Fill,   ///< NAME=VALUE: the value typed into the named element (NAME "#N": the Nth)
        Key,    ///< key:NAME, e.g. key:F2, key:Esc, key:Ctrl+Home
        Click,  ///< click:NAME: a click on the named element
        Type,   ///< type:TEXT: characters typed into the focused element
    };
    Kind kind = Kind::Fill;
    std::string name;
    std::string value;  ///< UTF-8
    KeyEvent key;
};

/// Reads a dialog answer: steps separated by blanks; a value in double quotes may hold blanks
/// ("popis=\"dva dny\""). Throws DialogScriptError on an unknown key or a step without "=".
std::vector<DialogStep> ParseDialogSteps(std::string_view answer);

/// The key of a name: "Enter", "Esc", "Tab", "Up", "Down", "Left", "Right", "Home", "End",
/// "PageUp", "PageDown", "Backspace", "Delete", "Insert", "Space", "F1" ... "F12", each possibly
/// after "Ctrl+", "Shift+" or "Alt+" ("Alt+Z" for a letter). Throws DialogScriptError when
/// unknown.
KeyEvent ParseKeyName(std::string_view name);

/// Applies the steps to an open dialog until it closes. Returns false when a step was refused
/// (a check kept the focus, a value the element cannot hold, a key did nothing); the remaining
/// steps are then skipped. A value the element cannot hold as given (a character its filter
/// refuses, more characters than it takes, a check box value that is neither yes nor no, no
/// item of that text) is never taken changed: `refusal`, when given, gets the message
/// "Hodnotu <VALUE> nelze zadat do položky <CAPTION>.". Throws DialogScriptError for an element
/// name the dialog does not have.
bool ApplyDialogSteps(TDialogAXO& dialog, const std::vector<DialogStep>& steps,
                      Text* refusal = nullptr);

}  // namespace axo::ui
