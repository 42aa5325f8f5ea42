// The print dialog "Nastavení tisku" (`TSestPrintDlg`) as a dialog form: the printer, the page
// range and copies, the print form, the background, and the buttons "Tisk", "Náhled" and
// "Storno". The caller shows or hides its groups; what the user sets comes back in the same
// record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/DialogElement.h"
#include "util/Text.h"

namespace axo::ui {
class UiServices;
}

namespace axo::report {

/// The dialog's answers.
enum PrintDialogAnswer : int {
    kDialogCancel = 0,
    kDialogPreview = 1,
    kDialogPrint = 2,
    kDialogEdit = 3
};

struct TPrintDialogTyp {
    // Groups shown.
    bool showPrinter = true;
    bool showRange = true;
    bool showTemplate = false;
    bool showBackground = true;
    bool showPreview = true;

    // "Tiskárna"
    std::vector<std::string> printers;  ///< the installed printers (CUPS destinations)
    std::uint16_t printer = 0;          ///< the chosen one (index)
    std::uint8_t toFile = 0;            ///< "Tisknout do souboru"
    // "Rozsah stránek:"
    std::int32_t fromPage = 1;  ///< 1-9999
    std::int32_t toPage = 9999;
    std::int32_t copies = 1;
    std::uint8_t currentPage = 0;  ///< "Tisknout aktuální stránku"
    std::uint8_t oneRecord = 0;    ///< "Tisknout pouze jeden záznam"
    // "Tiskový formulář:"
    Text templateName;
    std::uint8_t setDefault = 0;  ///< "Nastavit jako výchozí formulář"
    // "Tisknout pozadí"
    std::uint8_t background = 0;

    /// The chosen printer's name; empty when none is installed.
    std::string PrinterName() const;
};

/// Runs the dialog; returns its answer (2 print, 1 preview, 3 edit, 0 cancel). The range and
/// copies take 1-9999 (the fields refuse other numbers); a range whose end comes before its
/// start is refused with a message.
int RunPrintDialog(ui::UiServices& ui, const ui::DialogEnvironment& env, TPrintDialogTyp& dialog);

/// The CUPS destinations (`lpstat -e`), the default one first; empty without a printing
/// system. AXO_LPSTAT names another program to ask.
std::vector<std::string> InstalledPrinters();

}  // namespace axo::report
