// The scrolling list window drawn with Qt: a `TRolMem` model with its tool panel, header, list
// and the O.K. and Zpět buttons; keys, clicks and resizes go to the model.
#pragma once

namespace axo::ui {
class TRolMem;
}

namespace axo::gui {

class QtUi;

/// Runs the list window until the model closes; its result (1 picked, 2 left).
int RunListModel(QtUi& ui, ui::TRolMem& model);

}  // namespace axo::gui
