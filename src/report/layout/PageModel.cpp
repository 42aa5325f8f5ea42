// The page model: stacking order and the pages of an output.
#include "report/layout/PageModel.h"

#include <algorithm>

namespace axo::report {

namespace {

/// The place of an element in the drawing order: other kinds (by falling kind number), then
/// the graphics, then the texts (by rising text options).
std::pair<int, int> StackingKey(const TVystPrvek& p) {
    const int kind = p.Kind();
    if (IsTextKind(kind))
        return {2, p.look->textOptions};
    if (kind >= kLine && kind <= kBarcode)
        return {1, 0};
    return {0, -kind};
}

}  // namespace

void TStranaPrvku::Add(TVystPrvek element) {
    element.stacking = counter++;
    elements.push_back(std::move(element));
}

void TStranaPrvku::Sort() {
    std::sort(elements.begin(), elements.end(), [](const TVystPrvek& a, const TVystPrvek& b) {
        const auto ka = StackingKey(a), kb = StackingKey(b);
        return ka != kb ? ka < kb : a.stacking > b.stacking;
    });
}

TStranaPrvku& TSestVystup::Page(int index) {
    if (index < 0)
        index = 0;
    while (static_cast<int>(pages.size()) <= index)
        pages.emplace_back();
    return pages[static_cast<std::size_t>(index)];
}

}  // namespace axo::report
