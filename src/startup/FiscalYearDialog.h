// Fixing the fiscal year, accounting period and program date of the run: from the command line
// ("/U" presets, or the front end's choice), or in the dialog "Zadejte hospodářský rok pro vstup
// do modulu" with its <F10> presets; and changing the date and period later with the main
// window's date button.
#pragma once

#include "startup/Session.h"

namespace axo::startup {

/// The title of the dialog at start-up and of the date change.
Text StartUpYearTitle();
Text ChangeDateTitle();

/// Fixes the fiscal year, period and program date. From start-up: the front end's year choice
/// (no dialog), else the "/U" presets, else (or when they fail) the dialog. In change-date mode
/// the fiscal year stays and only the date and period change. True when accepted; the run's
/// year, period, date and first/last day are set only then.
bool SelectFiscalYear(Session& session, const Text& title, bool changeDateMode, bool fromStartUp);

/// The main window's date button: the dialog in change-date mode; when it is left, the
/// information that the date and period stay as they were.
bool ChangeProgramDate(Session& session);

/// The checks of a chosen year, period and date, in order (code, table, period, a date outside
/// the year asked about, VAT rates); on success they become the run's. False after the message.
bool AcceptYear(Session& session, const Text& code, int month, int year, const Text& date);

/// The date that <F10> on the year list gives: `date` when its month lies in the year, else the
/// system date when that does, else the year's first day when the system date lies before the
/// year, else its last day.
Text DateForChosenYear(const FiscalYearEntry& entry, const Text& date, const Text& systemDate);

}  // namespace axo::startup
