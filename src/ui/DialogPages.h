// Pages of a dialog: a row of tab buttons, each showing the elements of its page and hiding
// those of the others. The elements stay in the dialog; a page only decides which of them are
// visible, so a hidden page keeps what was typed into it.
#pragma once

#include <string>
#include <vector>

#include "ui/Dialog.h"

namespace axo::ui {

class TPagesAXO {
  public:
    /// Pages whose tab buttons stand in `row` from `column` on, each as wide as its caption;
    /// tabs beyond the dialog's width continue in the rows below.
    TPagesAXO(TDialogAXO& dialog, int column, int row);

    /// Adds a page with its tab button (named "page" + number from 1); the elements inserted
    /// until the next AddPage or End belong to it.
    void AddPage(const Text& caption);
    /// The row below the last row of tabs.
    int FirstFreeRow() const { return row_ + 1; }
    /// Ends the last page and shows the first.
    void End();
    /// Shows page `index` (0-based) and hides the others' elements; the focus moves to the
    /// page's first element that takes it.
    void Show(int index);
    int Current() const { return current_; }
    int Count() const { return static_cast<int>(pages_.size()); }
    const Text& Caption(int index) const {
        return pages_.at(static_cast<std::size_t>(index)).caption;
    }
    /// The page an element belongs to; -1 for elements of no page.
    int PageOf(const DialogElement* element) const;

  private:
    struct Page {
        Text caption;
        TButtonAXO* tab = nullptr;
        std::vector<DialogElement*> elements;
    };

    TDialogAXO& dialog_;
    int firstColumn_;
    int column_;
    int row_;
    std::size_t firstElement_ = 0;
    std::vector<Page> pages_;
    int current_ = 0;

    void ClosePage();
};

}  // namespace axo::ui
