// How the start-up shows an error with appended text: the appended text (what to do next)
// starts on a line of its own unless the text already ends in a blank or a line break.
#pragma once

#include "ui/UiServices.h"

namespace axo::startup {

/// ShowError of `text` and `appended`, a line break put between them where needed.
inline void ShowRefusal(ui::UiServices& ui, const Text& text, const Text& appended) {
    const bool separated = text.empty() || text.back() == ' ' || text.back() == ui::kLineBreakMark;
    ui.ShowError(separated ? text : text + ui::kLineBreakMark, appended);
}

}  // namespace axo::startup
