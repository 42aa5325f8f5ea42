// Dialog forms drawn with Qt: a `TDialogAXO` model rendered on its character grid (labels, edit
// fields, check boxes, choice lists, buttons, panels, memos). Keys, typed characters and clicks
// go to the model, which does the focus moves, checks and messages; the window is redrawn from
// the model after each.
#pragma once

namespace axo::ui {
class TDialogAXO;
}

namespace axo::gui {

class QtUi;

/// Shows the dialog modally until the model closes; its close code (2 when the window was
/// closed by other means).
int RunDialogModel(QtUi& ui, ui::TDialogAXO& dialog);

}  // namespace axo::gui
