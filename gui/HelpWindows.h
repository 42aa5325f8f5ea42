// The helper windows of dialog fields drawn with Qt: the calendar ("Kalendář") and the
// calculator ("Kalkulačka"). Both show their model and feed the user's keys and clicks into it.
#pragma once

namespace axo::ui {
class TKalendarAXO;
class TKalkulatorAXO;
}  // namespace axo::ui

namespace axo::gui {

class QtUi;

/// Runs the calendar until the model closes; true when a date was confirmed.
bool RunCalendarModel(QtUi& ui, ui::TKalendarAXO& calendar);
/// Runs the calculator until the model closes; true when a result was confirmed.
bool RunCalculatorModel(QtUi& ui, ui::TKalkulatorAXO& calculator);

}  // namespace axo::gui
