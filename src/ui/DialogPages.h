// The page control of dialog forms: a row of tabs over a framed area, each page holding the
// elements inserted while it was open. Only the current page's elements are shown; the dialog
// turns to another page when the user picks its tab, presses <Ctrl Page Down> / <Ctrl Page Up>
// (<Ctrl Tab> / <Ctrl Shift Tab>), or when a field on it is to take the focus (a script filling
// it, a check that failed on it). Record editors whose fields do not fit one window spread
// them over pages.
#pragma once

#include <vector>

#include "ui/Dialog.h"

namespace axo::ui {

class TPageControlAXO : public DialogElement {
  public:
    /// The control at a grid cell, `heightRows` high (the tab row included) and `widthColumns`
    /// wide.
    TPageControlAXO(int column, int row, const Text& hint, int heightRows, int widthColumns);

    /// Adds a page captioned `caption`; its index (from 0).
    int AddPage(const Text& caption);
    const std::vector<Text>& Pages() const { return pages_; }
    /// The page shown (0 until another is chosen).
    int Current() const { return current_; }
    /// Shows page `index`: its elements become visible, those of the other pages hidden. An
    /// index outside the pages is ignored.
    void ShowPage(int index);
    /// Puts an element on page `index`; it is shown only while that page is current.
    void AddMember(DialogElement& element, int index);
    /// The page an element is on; -1 when it is on no page of this control.
    int PageOf(const DialogElement* element) const;
    /// The elements of a page in insertion order.
    std::vector<DialogElement*> Members(int index) const;
    /// The pages as a line: the current one in brackets ("[ Evidenční údaje ] | Poznámkový
    /// blok").
    std::optional<Text> TranscriptLine() const override;

  private:
    struct Member {
        DialogElement* element;
        int page;
    };
    std::vector<Text> pages_;
    std::vector<Member> members_;
    int current_ = 0;
};

/// A page control at (column, row), `heightRows` high and `widthColumns` wide. Its pages are
/// opened with BeginPage.
TPageControlAXO* InsertPageControl(TDialogAXO& dialog, int column, int row, int heightRows,
                                   int widthColumns, const Text& hint = {});

/// Adds a page to the control; the elements inserted from now on belong to it, until the next
/// BeginPage or EndPages. Returns the page's index.
int BeginPage(TDialogAXO& dialog, TPageControlAXO& pages, const Text& caption);

/// The elements inserted from now on belong to no page.
void EndPages(TDialogAXO& dialog);

}  // namespace axo::ui
