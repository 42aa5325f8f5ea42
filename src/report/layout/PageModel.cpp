// The page model: stacking order and the pages of an output.
#include "report/layout/PageModel.h"

namespace axo::report {

namespace {

/// Whether a new element goes below (before) an existing one.
bool GoesBefore(const TVystPrvek& added, const TVystPrvek& existing) {
    const int a = added.Kind();
    const int e = existing.Kind();
    if (IsTextKind(a) && IsTextKind(e))
        return existing.look->textOptions >= added.look->textOptions;
    if (a >= kLine && a <= kBarcode && e >= kLine && e <= kBarcode)
        return true;
    return a >= e;
}

}  // namespace

void TStranaPrvku::Add(TVystPrvek element) {
    element.stacking = counter++;
    for (auto it = elements.begin(); it != elements.end(); ++it)
        if (GoesBefore(element, *it)) {
            elements.insert(it, std::move(element));
            return;
        }
    elements.push_back(std::move(element));
}

TStranaPrvku& TSestVystup::Page(int index) {
    if (index < 0)
        index = 0;
    while (static_cast<int>(pages.size()) <= index)
        pages.emplace_back();
    return pages[static_cast<std::size_t>(index)];
}

}  // namespace axo::report
