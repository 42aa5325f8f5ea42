// The browser's text search: the dialog, the walk through the range from where the direction
// says with a progress bar, the test of each row text (every occurrence of a whole word), and
// the page built around the record found.
#include <algorithm>
#include <memory>

#include "ui/ProgressPanel.h"
#include "ui/browse/Browser.h"
#include "ui/browse/TextSearch.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

/// The progress bar is redrawn every this many tested records.
constexpr int kProgressEvery = 64;

}  // namespace

bool TextOccurs(const Text& text, const Text& needle, bool wholeWords) {
    if (needle.empty())
        return false;
    for (std::size_t at = text.find(needle); at != Text::npos; at = text.find(needle, at + 1)) {
        if (!wholeWords)
            return true;
        const std::size_t after = at + needle.size();
        if ((at == 0 || IsWordSeparator(text[at - 1])) &&
            (after >= text.size() || IsWordSeparator(text[after])))
            return true;
    }
    return false;
}

bool TBrowser::RunSearchDialog() {
    TextSearchOptions options{searchText, ignoreCase, wholeWords, searchDirection};
    if (!RunTextSearchDialog(ui_, env_.dialog, options, true))
        return false;
    searchText = options.text;
    ignoreCase = options.ignoreCase;
    wholeWords = options.wholeWords;
    searchDirection = options.direction;
    return true;
}

bool TBrowser::Matches(int row) {
    const Text text = TextRadku(row) + "   "_t;
    if (!ignoreCase)
        return TextOccurs(text, searchText, wholeWords);
    return TextOccurs(NationalUpperCase(text), NationalUpperCase(searchText), wholeWords);
}

void TBrowser::HledejText(bool again) {
    if (!table || rowsFilled_ < 1)
        return;
    if (!again || searchText.empty()) {
        if (!RunSearchDialog())
            return;
        again = false;
    }
    const bool forward = searchDirection == kFromTop || searchDirection == kDownFromCurrent;
    bool more = false;
    if (!again && searchDirection == kFromTop) {
        more = PrvniVeta();
    } else if (!again && searchDirection == kFromBottom) {
        more = PosledniVeta();
    } else if (PositionOnRow(currentRow_)) {
        more = Krok(forward);
    } else {
        // The current row's record is gone: the search goes on from where it stood.
        keyBuffer = TrimRight(RowKey(currentRow_));
        std::int32_t n = 0;
        more = table->BtSearchKey(CurrentKey(), n, keyBuffer);
        currentRecord = n;
        more = more && InRange(keyBuffer) && (forward ? Accepted() || Krok(true) : Krok(false));
    }
    ProgressPanel progress(ui_, true, table->BtUsedRecs(), "Hledání zadaného textu"_t,
                           "["_t + searchText + "]"_t);
    int tested = 0;
    bool found = false;
    while (more) {
        Uloz(0);
        if (Matches(0)) {
            found = true;
            break;
        }
        if (++tested % kProgressEvery == 0 && !progress.StepTo(tested))
            return;
        more = Krok(forward);
    }
    if (found) {
        BuildAround();
        return;
    }
    ui_.ShowInfo("Hledaný řetězec\r["_t + searchText + "]\rnebyl nalezen."_t);
    // A page whose records vanished meanwhile cannot be shown again: the first page.
    if (!PositionOnRow(1)) {
        NactiPrvniStranu();
        currentRow_ = 1;
    }
}

}  // namespace axo::ui
