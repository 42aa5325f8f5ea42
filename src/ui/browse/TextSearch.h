// The text search of list and browse windows: the dialog "Hledání zadaného textu" with its text,
// case and whole-word options and the four directions, and the test whether a row holds the text.
#pragma once

#include "ui/DialogElement.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::ui {

/// What the search dialog asks for.
struct TextSearchOptions {
    Text text;
    bool ignoreCase = true;
    bool wholeWords = false;
    /// 0 from the top down, 1 from the bottom up, 2 from the current row up, 3 from the current
    /// row down.
    int direction = 0;
};

/// Runs the dialog preset with `options`; true, with the options as entered, when the search
/// was started. An empty text is refused with "Nezadali jste hledaný text!" and the dialog
/// stays. `fixedPitch` shows the text field in the fixed-pitch font (option "/C").
bool RunTextSearchDialog(UiServices& ui, const DialogEnvironment& env, TextSearchOptions& options,
                         bool fixedPitch);

/// Whether a character separates words for the whole-word search: blank, "%", "(", ")", "-",
/// "/" or ":".
bool IsWordSeparator(char ch);

}  // namespace axo::ui
