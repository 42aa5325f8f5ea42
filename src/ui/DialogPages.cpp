// The pages of a dialog.
#include "ui/DialogPages.h"

#include "ui/DialogInsert.h"

namespace axo::ui {

TPagesAXO::TPagesAXO(TDialogAXO& dialog, int column, int row)
    : dialog_(dialog), firstColumn_(column), column_(column), row_(row) {}

void TPagesAXO::ClosePage() {
    if (pages_.empty())
        return;
    Page& page = pages_.back();
    const auto& elements = dialog_.Elements();
    for (std::size_t i = firstElement_; i < elements.size(); ++i)
        page.elements.push_back(elements[i].get());
    firstElement_ = elements.size();
}

void TPagesAXO::AddPage(const Text& caption) {
    ClosePage();
    const int width = static_cast<int>(caption.size()) + 1;
    // Tabs that do not fit the dialog's width go on to the next row.
    if (column_ > 1 && column_ + width > dialog_.Columns()) {
        column_ = firstColumn_;
        ++row_;
    }
    TButtonAXO* tab = InsertButton(dialog_, column_, row_, caption, caption);
    const int index = static_cast<int>(pages_.size());
    dialog_.NameCurrent("page" + std::to_string(index + 1));
    if (tab) {
        tab->SetFrame(CellFrame(column_, row_, width));
        tab->SetAction([this, index](TDialogAXO&) { Show(index); });
    }
    column_ += width;
    pages_.push_back({caption, tab, {}});
    firstElement_ = dialog_.Elements().size();
}

void TPagesAXO::End() {
    ClosePage();
    Show(0);
}

void TPagesAXO::Show(int index) {
    if (index < 0 || index >= Count())
        return;
    current_ = index;
    DialogElement* first = nullptr;
    for (int i = 0; i < Count(); ++i)
        for (DialogElement* e : pages_[static_cast<std::size_t>(i)].elements) {
            e->SetVisible(i == index);
            if (i == index && !first && e->CanFocus())
                first = e;
        }
    if (first)
        dialog_.PutFocus(first);
}

int TPagesAXO::PageOf(const DialogElement* element) const {
    for (int i = 0; i < Count(); ++i)
        for (const DialogElement* e : pages_[static_cast<std::size_t>(i)].elements)
            if (e == element)
                return i;
    return -1;
}

}  // namespace axo::ui
