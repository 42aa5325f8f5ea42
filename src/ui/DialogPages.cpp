// The page control of dialog forms.
#include "ui/DialogPages.h"

#include "util/Retezce.h"

namespace axo::ui {

TPageControlAXO::TPageControlAXO(int column, int row, const Text& hint, int heightRows,
                                 int widthColumns)
    : DialogElement(ElementKind::Pages, column, row, hint) {
    SetFrame(CellFrame(column, row, widthColumns, heightRows));
}

int TPageControlAXO::AddPage(const Text& caption) {
    pages_.push_back(caption);
    return static_cast<int>(pages_.size()) - 1;
}

void TPageControlAXO::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return;
    current_ = index;
    for (const Member& m : members_)
        m.element->SetVisible(Visible() && m.page == current_);
}

void TPageControlAXO::AddMember(DialogElement& element, int index) {
    members_.push_back({&element, index});
    element.SetVisible(Visible() && index == current_);
}

int TPageControlAXO::PageOf(const DialogElement* element) const {
    for (const Member& m : members_)
        if (m.element == element)
            return m.page;
    return -1;
}

std::vector<DialogElement*> TPageControlAXO::Members(int index) const {
    std::vector<DialogElement*> found;
    for (const Member& m : members_)
        if (m.page == index)
            found.push_back(m.element);
    return found;
}

std::optional<Text> TPageControlAXO::TranscriptLine() const {
    Text line;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0)
            line += " | "_t;
        const Text caption = Trim(pages_[i]);
        line += static_cast<int>(i) == current_ ? "[ "_t + caption + " ]"_t : caption;
    }
    return line;
}

TPageControlAXO* InsertPageControl(TDialogAXO& dialog, int column, int row, int heightRows,
                                   int widthColumns, const Text& hint) {
    if (column < 1 || row < 1)
        return nullptr;
    EndPages(dialog);
    return dialog.Add(
        std::make_unique<TPageControlAXO>(column, row, hint, heightRows, widthColumns));
}

int BeginPage(TDialogAXO& dialog, TPageControlAXO& pages, const Text& caption) {
    const int index = pages.AddPage(caption);
    dialog.SetPageTarget(&pages, index);
    return index;
}

void EndPages(TDialogAXO& dialog) {
    dialog.SetPageTarget(nullptr, -1);
}

}  // namespace axo::ui
