// The fields the dialogs of the control runs share: the period of months with its check, and the
// account masks.
#pragma once

#include <cstdint>

#include "ui/Dialog.h"

namespace axo::control {

/// Refuses the confirmation while the month in `from` is greater than that in `to`, with the
/// message "Počáteční měsíc období nesmí být větší než koncový.".
void RefuseReversedPeriod(ui::TDialogAXO& dialog, ui::UiServices& ui, const ui::TPrvek& from,
                          const ui::TPrvek& to);

/// The month fields "Zpracovat za období  " and "až  " (0-12, named "od" and "do") on `row`
/// followed by the label "/" + year, with the check of RefuseReversedPeriod.
void InsertPeriod(ui::TDialogAXO& dialog, ui::UiServices& ui, int row, std::uint16_t& from,
                  std::uint16_t& to, int year);

/// The label "Účet" with the masks "SÚ  " and "AE  " (digits and "?", named "su" and "ae").
void InsertAccountMasks(ui::TDialogAXO& dialog, int row, Text& su, Text& ae);

}  // namespace axo::control
