// The print preview window drawn with Qt ("Prohlížení sestavy před tiskem"): the tool column
// with its commands, page panels and zoom buttons, the white paper in a scroll box, the
// context menus and keys. Everything it does goes through the preview model.
#pragma once

namespace axo::report {
class TFormSestP;
}

namespace axo::gui {

class QtUi;

/// Shows the preview modally until the model closes.
void RunPreviewModel(QtUi& ui, report::TFormSestP& model);

}  // namespace axo::gui
