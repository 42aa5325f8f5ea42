// The dialog form `TDialogAXO` as a model: its window on the character grid, its elements in
// focus order, the keyboard, the focus moves with their leave checks, closing with a close
// code, and writing the values back. A front end shows the model, feeds the user's keys and
// clicks into it and redraws it; `RunDialog` runs it modally through the UI services.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "ui/DialogControls.h"
#include "ui/DialogElement.h"
#include "ui/Prvek.h"
#include "ui/UiServices.h"

namespace axo::ui {

class TPageControlAXO;

class TDialogAXO {
  public:
    /// A dialog `widthColumns` wide (80 when 0, at most 80) and `rows` high (about 15 when 0,
    /// at most 20), at (column × 8, row × 21) when either is given, else centred on the main
    /// window. The caption is " " + the title, trimmed.
    TDialogAXO(UiServices& ui, const DialogEnvironment& env, int column, int row, int widthColumns,
               const Text& hint, const Text& title, int rows);
    virtual ~TDialogAXO();
    TDialogAXO(const TDialogAXO&) = delete;
    TDialogAXO& operator=(const TDialogAXO&) = delete;

    // ---- The window ----------------------------------------------------------------------

    const Text& Caption() const { return caption_; }
    const Text& Hint() const { return hint_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    /// Pixels: width = columns × 8, height = rows × 21 + 42 (372 when no rows were given).
    const Rect& Frame() const { return frame_; }
    /// Centres the window on the desktop rather than on the main window.
    void CentreOnDesktop();
    const ColourPair& Colours() const { return colours_; }
    /// The 3-D look of the desktop's own colours.
    bool ThreeD() const { return colours_.window.system; }
    UiServices& Ui() const { return ui_; }
    const DialogEnvironment& Environment() const { return env_; }

    // ---- Elements ------------------------------------------------------------------------

    /// Adds an element; it becomes the current element (and takes the focus when it can).
    template <class E>
    E* Add(std::unique_ptr<E> element) {
        E* raw = element.get();
        elements_.push_back(std::move(element));
        AttachToPage(*raw);
        current_ = raw;
        if (raw->CanFocus())
            focused_ = raw;
        return raw;
    }
    const std::vector<std::unique_ptr<DialogElement>>& Elements() const { return elements_; }
    /// The element the next attachment refers to: the last one inserted.
    DialogElement* Current() const { return current_; }
    /// Names the current element (nothing when there is none).
    void NameCurrent(std::string name);
    /// The element of that name; "#N" is the Nth element that can take the focus (from 1).
    DialogElement* Find(std::string_view name) const;
    /// The first button that confirms (close code 1).
    TButtonAXO* ConfirmButton() const;
    /// The page the elements inserted from now on go to (none: no page); see DialogPages.h.
    void SetPageTarget(TPageControlAXO* pages, int index) {
        pageTarget_ = pages;
        pageIndex_ = index;
    }

    // ---- Focus ---------------------------------------------------------------------------

    DialogElement* Focused() const { return focused_; }
    /// Moves the focus after the leave check of the focused field; false when the check kept
    /// it, or the target cannot take the focus.
    bool SetFocus(DialogElement* target);
    /// Moves the focus without any check: for dialog classes pointing the user at a value.
    void PutFocus(DialogElement* target);
    bool FocusNext();
    bool FocusPrevious();
    /// Ends the layout: the first element that can take the focus gets it (once).
    void FinishLayout();

    // ---- What the front end feeds in ------------------------------------------------------

    /// A key; false when the dialog did nothing with it.
    bool KeyDown(const KeyEvent& key);
    /// A typed character (Windows-1250); false when it was refused.
    bool TypeChar(char ch);
    void TypeText(const Text& text);
    /// A click: a label focuses its element, a check box toggles, a button is pressed.
    void Click(DialogElement& element);
    /// A double click: the help of an edit field (as <F7>).
    void DoubleClick(DialogElement& element);
    void ChooseItem(TComboBoxAXO& list, int index);
    /// Turns to page `index` of the control (its tab clicked): the focused field is left and
    /// checked first, then the page's first element that can take the focus gets it. False
    /// when the check kept the focus or there is no such page.
    bool ChoosePage(TPageControlAXO& pages, int index);
    void SetChecked(TCheckBoxAXO& box, bool checked);
    /// Presses a button: its action, then closing with its close code. False when a check
    /// kept the dialog open or the button is disabled.
    bool Press(TButtonAXO& button);
    /// Fills an element as a user would: focuses it, then types the value into an edit
    /// (through its filter), sets a check box ("1", "x", "a", "ano" check it; "0", "n", "ne" or
    /// nothing clear it), chooses a list item ("#N" by its index from 0, else the first whose
    /// text begins with the value) or replaces a memo's text. False when the focus could not
    /// move, the edit refused a character (its filter, its length), the check box value is
    /// neither yes nor no, or no item fits: the element then does not hold the value given.
    bool FillField(DialogElement& element, const Text& value);

    // ---- Closing -------------------------------------------------------------------------

    bool IsClosed() const { return closed_; }
    int CloseCode() const { return closeCode_; }
    /// Closes at once with the code (no checks).
    void Close(int code);
    /// Checks the focused field and every other field changed since its last check, then
    /// closes with the code. False (the failing field focused) when a check failed.
    bool Confirm(int code);
    /// Opens the model before it is shown (again).
    void Reopen() {
        closed_ = false;
        ++shows_;
    }
    /// How often the running `RunDialog` has shown the dialog (1 on the first showing).
    int ShowCount() const { return shows_; }
    void ResetShowCount() { shows_ = 0; }
    /// Writes every element's value into its variable.
    void WriteBack();
    /// Whether the dialog may close with the code: the dialog class or the caller's handler.
    virtual bool MayClose(int closeCode);
    /// Lets a dialog class take keys before the dialog's own rules; true when taken.
    virtual bool OnKey(const KeyEvent& key);
    void SetMayClose(std::function<bool(TDialogAXO&, int)> handler) {
        mayClose_ = std::move(handler);
    }
    void SetKeyHandler(std::function<bool(TDialogAXO&, const KeyEvent&)> handler) {
        keyHandler_ = std::move(handler);
    }
    /// Called after an element's value may have changed: an edit field left with its check
    /// passed, a check box toggled, a choice made. Dialog classes keep dependent values in step
    /// with it (the handler may change other elements).
    void SetChangeHandler(std::function<void(TDialogAXO&, DialogElement&)> handler) {
        changeHandler_ = std::move(handler);
    }

    // ---- What the window shows, as text ---------------------------------------------------

    /// One line per visible element with something to show: caption and value of fields,
    /// check boxes as "[x]"/"[ ]", labels, panel captions, memo texts.
    std::vector<Text> TranscriptLines() const;
    /// The captions of the visible buttons.
    std::vector<Text> ButtonCaptions() const;

  private:
    UiServices& ui_;
    DialogEnvironment env_;
    Text caption_;
    Text hint_;
    int columns_;
    int rows_;
    Rect frame_;
    ColourPair colours_;
    std::vector<std::unique_ptr<DialogElement>> elements_;
    DialogElement* current_ = nullptr;
    DialogElement* focused_ = nullptr;
    bool laidOut_ = false;
    bool closed_ = false;
    int closeCode_ = 0;
    int shows_ = 0;
    std::function<bool(TDialogAXO&, int)> mayClose_;
    std::function<bool(TDialogAXO&, const KeyEvent&)> keyHandler_;
    std::function<void(TDialogAXO&, DialogElement&)> changeHandler_;
    TPageControlAXO* pageTarget_ = nullptr;
    int pageIndex_ = -1;

    void AttachToPage(DialogElement& element);
    /// The page control holding `element` on a page that is not shown, when showing that page
    /// would let the element take the focus; none otherwise.
    TPageControlAXO* HiddenPageOf(const DialogElement* element) const;
    /// Shows the page of `element` when it is on a hidden one.
    void RevealPageOf(DialogElement* element);
    /// <Ctrl Page Down> (+1) and <Ctrl Page Up> (-1) on the dialog's page control.
    bool TurnPage(int direction);
    void Changed(DialogElement& element);
    bool LeaveFocused();
    void EnterElement(DialogElement* element);
    bool MoveFocus(int direction);
    bool Accelerator(char letter);
    void Help(TPrvek& field);
};

/// Runs the dialog modally until it may close; the close code stays in the dialog. Writes the
/// values back and returns true only when it closed with code 1.
bool RunDialog(TDialogAXO& dialog);

/// Destroys the dialog and lets pending window messages run.
void FreeDialog(std::unique_ptr<TDialogAXO>& dialog);

}  // namespace axo::ui
