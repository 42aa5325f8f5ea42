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

TVystPrvek& TStranaPrvku::Emplace() {
    TVystPrvek& element = elements.emplace_back();
    element.stacking = counter++;
    return element;
}

void TStranaPrvku::Sort() {
    // The keys are taken once and the elements moved about once, in place: sorting the
    // elements themselves would move them around many times.
    struct Entry {
        std::pair<int, int> key;
        int stacking;
        std::size_t index;
    };
    std::vector<Entry> order;
    order.reserve(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i)
        order.push_back({StackingKey(elements[i]), elements[i].stacking, i});
    std::sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.stacking > b.stacking;
    });
    // Position i takes the element from order[i].index, cycle by cycle.
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start].index == start)
            continue;
        TVystPrvek held = std::move(elements[start]);
        std::size_t to = start;
        while (order[to].index != start) {
            const std::size_t from = order[to].index;
            elements[to] = std::move(elements[from]);
            order[to].index = to;
            to = from;
        }
        elements[to] = std::move(held);
        order[to].index = to;
    }
}

TStranaPrvku& TSestVystup::Page(int index) {
    if (index < 0)
        index = 0;
    while (static_cast<int>(pages.size()) <= index) {
        // A new page will most likely hold as many elements as the one before it.
        const std::size_t expected = pages.empty() ? 0 : pages.back().elements.size();
        pages.emplace_back();
        pages.back().elements.reserve(expected);
    }
    return pages[static_cast<std::size_t>(index)];
}

}  // namespace axo::report
