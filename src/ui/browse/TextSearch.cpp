// The search dialog shared by list and browse windows.
#include "ui/browse/TextSearch.h"

#include <algorithm>
#include <cstdint>

#include "ui/DialogInsert.h"

namespace axo::ui {

namespace {

// The dialog offers the directions in another order than they are numbered: "od akt.pozice
// dolů" is direction 3 and "od akt.pozice nahoru" direction 2.
constexpr int kItemOfDirection[4] = {0, 1, 3, 2};
constexpr int kDirectionOfItem[4] = {0, 1, 3, 2};

TItemList DirectionItems() {
    TItemList items;
    items.Add("od &začátku dolů"_t);
    items.Add("od &konce nahoru"_t);
    items.Add("od akt.pozice &dolů"_t);
    items.Add("od akt.pozice &nahoru"_t);
    return items;
}

}  // namespace

bool IsWordSeparator(char ch) {
    return Text(" %()-/:"_t).find(ch) != Text::npos;
}

bool RunTextSearchDialog(UiServices& ui, const DialogEnvironment& env, TextSearchOptions& options,
                         bool fixedPitch) {
    auto dialog = CreateDialog(ui, env, 0, 0, 50, "hledání zadaného řetězce"_t,
                               "Hledání zadaného textu"_t, 13);
    Text text = options.text;
    std::uint8_t caseSensitive = options.ignoreCase ? 0 : 1;
    std::uint8_t words = options.wholeWords ? 1 : 0;
    std::uint8_t item =
        static_cast<std::uint8_t>(kItemOfDirection[std::clamp(options.direction, 0, 3)]);
    TPrvek* field = InsertPrvek(*dialog, 4, 2, "hledaný text"_t, {}, 255, text,
                                fixedPitch ? "/C"_t : Text(), TPrvek::kText, 0, 42);
    dialog->NameCurrent("text");
    InsertCheckBox(*dialog, {}, "&Rozlišovat velká a malá písmena"_t, caseSensitive, 40, 4, 4);
    dialog->NameCurrent("velka");
    InsertCheckBox(*dialog, {}, "&Celá slova"_t, words, 40, 5, 4);
    dialog->NameCurrent("slova");
    if (TPanelAXO* panel = InsertPanel(*dialog, 4, 6, {}, 6, 42))
        panel->SetCaption(" Hledat "_t);
    InsertRadioGroup(*dialog, {}, item, DirectionItems(), 30, 7, 6);
    dialog->NameCurrent("smer");
    InsertOkZpet(*dialog, 0, 0, "zpět"_t, "zpět"_t, 12, 0, "start hledání"_t, "start hledání"_t);
    dialog->SetMayClose([field](TDialogAXO& d, int code) {
        if (code == kCloseConfirm && field && field->EditText().empty()) {
            d.Ui().ShowErrorLine("Nezadali jste hledaný text!"_t);
            return false;
        }
        return true;
    });
    dialog->FinishLayout();
    if (!RunDialog(*dialog))
        return false;
    options.text = text;
    options.ignoreCase = caseSensitive == 0;
    options.wholeWords = words != 0;
    options.direction = kDirectionOfItem[std::min<int>(item, 3)];
    return true;
}

}  // namespace axo::ui
