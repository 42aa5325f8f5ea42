// The browse and selector windows drawn with Qt: the tool bar with its hints, the column header,
// a list view over a model that holds only the page's rows, the order label, the direct-search
// box " Hledá" and the button row, placed on the window's pixel grid as the model lays them out.
// Keys, clicks, the wheel, held buttons and resizes go to the `TBrowser` model.
#pragma once

namespace axo::ui {
class TBrowser;
}

namespace axo::gui {

class QtUi;

/// Runs the browse window until the model closes; its result.
int RunBrowseModel(QtUi& ui, ui::TBrowser& model);

}  // namespace axo::gui
