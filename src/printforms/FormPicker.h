// The print form picker: for a task's form type and kind mask it collects the fitting forms
// of the catalogue, takes a single one without asking, and otherwise lets the user choose in a
// list window. A chosen text form can be printed at once; a chosen report template is handed
// back for the report engine.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "printforms/FormCatalogue.h"
#include "printforms/FormPrinter.h"
#include "ui/ListWindow.h"
#include "util/Text.h"

namespace axo::printforms {

/// What the picker and the printing of a chosen form need from the running program.
struct FormPickerEnvironment {
    FormCatalogue* catalogue = nullptr;                     ///< required
    const ui::ListWindowEnvironment* listWindow = nullptr;  ///< required
    /// How a chosen text form is printed.
    FormPrintEnvironment print;
    /// The document vault's group 11, where the collected entries are kept: cleared before
    /// each collection, then item 1, 2, ... the 453-byte blocks. None: not kept.
    std::function<void()> clearEntries;
    std::function<void(int item, const std::vector<std::uint8_t>& block)> storeEntry;

    ui::UiServices& Ui() const { return listWindow->listing->Ui(); }
};

/// The picker's choice.
struct FormChoice {
    enum class Kind { None, TextForm, Template };
    Kind kind = Kind::None;
    /// The name of a text form, or the trimmed file name of a report template.
    Text name;

    bool Chosen() const { return kind != Kind::None; }
};

/// The list window of the picker: one line per entry.
class TFormPicker : public ui::TRolMem {
  public:
    TFormPicker(ui::UiServices& ui, const ui::ListWindowEnvironment& env,
                std::vector<CatalogueEntry> entries);
    bool MayOpen() override { return true; }
    /// A template: " formulář Windows     " and its file name; a text form: a blank, the type
    /// name padded to 20, a blank, the name in capitals, a blank, the first description, a
    /// blank and the second description.
    Text Line(int n) override;
    /// The line the list starts on (from 0).
    int InitialLine() override { return initialLine; }
    int initialLine = 0;

    const std::vector<CatalogueEntry>& Entries() const { return entries_; }

  private:
    std::vector<CatalogueEntry> entries_;
};

/// The line of an entry as the picker shows it.
Text PickerLine(const CatalogueEntry& entry);

/// Lets the user choose a form of `type` fitting `mask` (title at most 80 characters). Opens
/// the catalogue first: when the forms file cannot be opened, nothing is chosen. One fitting
/// entry is taken without showing anything; otherwise the list window (70 columns, 10 rows,
/// header " Formulář             název, popř. popis") is shown, also when it is empty.
/// `preferred` names a template file the list starts on (the one chosen last).
FormChoice SelectForm(const FormPickerEnvironment& env, const Text& title, int type,
                      std::uint16_t mask, const Text& preferred = {});

/// The catalogue's default template of `type` for `mask`: the first template the picker would
/// offer (in catalogue order); none when no template fits.
std::optional<Text> DefaultTemplate(FormCatalogue& catalogue, int type, std::uint16_t mask);

/// As SelectForm; a chosen text form is printed at once through the command stream, with one
/// command of the type name, " [", the form name, "] " and `data`. A chosen template is
/// returned for the caller to print with the report engine.
FormChoice SelectAndPrint(const FormPickerEnvironment& env, const Text& title, int type,
                          std::uint16_t mask, const Text& data);

/// Prints with the text form `formName` of `type` when the forms file has it; otherwise asks
/// as SelectForm does; then prints as SelectAndPrint.
FormChoice PrintWithForm(const FormPickerEnvironment& env, const Text& formName, int type,
                         std::uint16_t mask, const Text& data, const Text& title);

}  // namespace axo::printforms
