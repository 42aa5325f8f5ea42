// The dialog environment and the grid frame of elements.
#include "ui/DialogElement.h"

#include "util/Datum.h"

namespace axo::ui {

DateParts DialogEnvironment::ProgramDate() const {
    if (!programDate.empty() && CheckDate(programDate) == kDateValid)
        return ParseDate(programDate);
    return SystemDate();
}

DateParts DialogEnvironment::SystemDate() const {
    const DateTime now = (clock ? *clock : SystemClock()).Now();
    return {now.day, now.month, now.year};
}

Rect CellFrame(int column, int row, int columns, int rows) {
    return {(column - 1) * kDialogColumnPx, (row - 1) * kDialogRowPx, columns * kDialogColumnPx,
            rows * kDialogRowPx};
}

}  // namespace axo::ui
