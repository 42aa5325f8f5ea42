// The list window's search (its dialog and the four directions) and its printout.
#include <algorithm>

#include "ui/ListWindow.h"
#include "ui/TextListing.h"
#include "ui/browse/TextSearch.h"
#include "util/Retezce.h"

namespace axo::ui {

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
    TextSearchOptions options{searchText, ignoreCase, wholeWords, searchDirection};
    if (!RunTextSearchDialog(Ui(), Environment().dialog, options, false))
        return false;
    ignoreCase = options.ignoreCase;
    wholeWords = options.wholeWords;
    searchDirection = options.direction;
    searchText = ignoreCase ? NationalUpperCase(options.text) : options.text;
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
