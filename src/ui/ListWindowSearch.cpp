// The list window's search (its dialog and the four directions) and its printout.
#include <algorithm>

#include "ui/DialogInsert.h"
#include "ui/ListWindow.h"
#include "ui/TextListing.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

bool IsWordSeparator(char ch) {
    return Text(" %()-/:"_t).find(ch) != Text::npos;
}

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

bool TRolMem::Matches(const Text& line) const {
    if (searchText.empty())
        return false;
    const Text haystack = ignoreCase ? NationalUpperCase(line) : line;
    const std::size_t at = haystack.find(searchText);
    if (at == Text::npos)
        return false;
    if (!wholeWords)
        return true;
    // Only the first occurrence counts, as the family's search has always done.
    const std::size_t after = at + searchText.size();
    return (at == 0 || IsWordSeparator(haystack[at - 1])) &&
           (after >= haystack.size() || IsWordSeparator(haystack[after]));
}

void TRolMem::Search(bool again) {
    if (again && searchDirection == kFromTop)
        searchDirection = kDownFromCurrent;
    else if (again && searchDirection == kFromBottom)
        searchDirection = kUpFromCurrent;
    const int last = LineCount() - 1;
    int from = 0;
    int to = last;
    int step = 1;
    switch (searchDirection) {
        case kFromBottom:
            from = last;
            to = 0;
            step = -1;
            break;
        case kUpFromCurrent:
            if (Current() <= 0)
                return;
            from = Current() - 1;
            to = 0;
            step = -1;
            break;
        case kDownFromCurrent:
            from = Current() + 1;
            break;
        default:
            break;
    }
    for (int i = from; step > 0 ? i <= to : i >= to; i += step) {
        if (Matches(Lines()[static_cast<std::size_t>(i)])) {
            SetCurrent(i);
            return;
        }
    }
    Ui().ShowInfo("Hledaný řetězec nebyl nalezen."_t);
}

bool TRolMem::RunSearchDialog() {
    auto dialog = CreateDialog(Ui(), Environment().dialog, 0, 0, 50, "hledání zadaného řetězce"_t,
                               "Hledání zadaného textu"_t, 13);
    Text text = searchText;
    std::uint8_t caseSensitive = ignoreCase ? 0 : 1;
    std::uint8_t words = wholeWords ? 1 : 0;
    std::uint8_t item =
        static_cast<std::uint8_t>(kItemOfDirection[std::clamp(searchDirection, 0, 3)]);
    TPrvek* field =
        InsertPrvek(*dialog, 4, 2, "hledaný text"_t, {}, 255, text, {}, TPrvek::kText, 0, 42);
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
            d.Ui().ShowErrorLine("Nezadali jste hledaný text !"_t);
            return false;
        }
        return true;
    });
    dialog->FinishLayout();
    if (!RunDialog(*dialog))
        return false;
    ignoreCase = caseSensitive == 0;
    wholeWords = words != 0;
    searchDirection = kDirectionOfItem[std::min<int>(item, 3)];
    searchText = ignoreCase ? NationalUpperCase(text) : text;
    return true;
}

void TRolMem::PrintList() {
    if (!Environment().listing)
        return;
    auto listing = CreateListing(*Environment().listing);
    if (!listing)
        return;
    listing->Init();
    listing->printoutName = Trim(Caption());
    listing->plainHeader[0] = Header();
    bool headed = false;
    for (const Text& line : Lines()) {
        if (line.empty())
            continue;
        if (!headed) {
            listing->lineWidth = static_cast<std::uint16_t>(std::max<std::size_t>(78, line.size()));
            listing->PageHeading();
            headed = true;
        } else if (!listing->HasRoom(2)) {
            // A list has no frame to close: the page simply ends.
            listing->WriteLine("\f"_t);
            listing->PageHeading();
        }
        listing->WriteLine(line);
    }
    listing->WriteLine(Repeat('\x81', listing->lineWidth));
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
}

}  // namespace axo::ui
