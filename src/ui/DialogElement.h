// What every dialog element shares: the keys a front end feeds in, the environment the checks
// read (program date, fiscal year, switches), the character grid of dialogs, and the element
// base class with its position, hint, name and enabled state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/Screen.h"
#include "util/Clock.h"
#include "util/Datum.h"
#include "util/Text.h"

namespace axo::ui {

/// The grid of dialogs: one column is 8 pixels, one row 21 pixels.
inline constexpr int kDialogColumnPx = 8;
inline constexpr int kDialogRowPx = 21;

/// Keys a front end feeds into a dialog, a calendar or a calculator. Printable characters are
/// typed (`TypeChar`); `Character` stands for a letter pressed together with Alt or Ctrl.
enum class Key {
    None,
    Character,
    Enter,
    Esc,
    Tab,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Backspace,
    Delete,
    Space,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Insert,
};

struct KeyEvent {
    Key key = Key::None;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    char ch = 0;  ///< the letter of Key::Character

    bool Plain() const { return !shift && !ctrl && !alt; }
};

/// The environment the dialog checks read: filled once by the start-up and passed to every
/// dialog, never kept in a global.
struct DialogEnvironment {
    /// The program date (" 5. 3.2024"); empty means the clock's today.
    Text programDate;
    /// The first and last day of the fiscal year; empty when not known (no calendar help then).
    Text fiscalYearFirstDay;
    Text fiscalYearLastDay;
    /// The checks of leaving a field that only apply while checks are on ("/0", invalid and
    /// far-away dates).
    bool checksOn = true;
    /// Configuration switch "AXO_DATUM_VSTUP_OPRAVA_DNE": an empty date field entered gets the
    /// program date with only its day selected for overtyping.
    bool dateDayOverwrite = false;
    /// The computer's clock: the calendar's "today".
    const Clock* clock = &SystemClock();

    /// The program date as day, month and year (the clock's today when none is set).
    DateParts ProgramDate() const;
    /// The computer's date.
    DateParts SystemDate() const;
};

enum class ElementKind { Label, Edit, CheckBox, ComboBox, Button, Panel, Memo, Account, Pages };

class TDialogAXO;

/// An element placed on a dialog. Positions are grid cells counted from 1; the frame is in
/// pixels inside the dialog.
class DialogElement {
  public:
    virtual ~DialogElement() = default;
    DialogElement(const DialogElement&) = delete;
    DialogElement& operator=(const DialogElement&) = delete;

    ElementKind Kind() const { return kind_; }
    /// The name scripts and callers find the element by ("mesicOd"); empty when unnamed.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    const Text& Hint() const { return hint_; }
    void SetHint(const Text& hint) { hint_ = hint; }
    int Column() const { return column_; }
    int Row() const { return row_; }
    const Rect& Frame() const { return frame_; }
    void SetFrame(const Rect& frame) { frame_ = frame; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    /// The composite element this one is a part of (the account element); none usually.
    DialogElement* Group() const { return group_; }
    void SetGroup(DialogElement* group) { group_ = group; }

    /// Whether the element takes the focus at all (labels and panels do not).
    virtual bool Focusable() const { return false; }
    /// Focusable, enabled and visible.
    bool CanFocus() const { return Focusable() && enabled_ && visible_; }
    /// The line the transcript shows for the element; none when it shows nothing of its own.
    virtual std::optional<Text> TranscriptLine() const { return std::nullopt; }
    /// Stores the shown value into the bound variable (only on confirmation).
    virtual void WriteBack() {}

  protected:
    DialogElement(ElementKind kind, int column, int row, const Text& hint)
        : kind_(kind), column_(column), row_(row), hint_(hint) {}

  private:
    ElementKind kind_;
    int column_;
    int row_;
    Text hint_;
    std::string name_;
    Rect frame_;
    bool enabled_ = true;
    bool visible_ = true;
    DialogElement* group_ = nullptr;
};

/// The pixel frame of an element at a grid cell (counted from 1), `columns` wide, `rows` high.
Rect CellFrame(int column, int row, int columns, int rows = 1);

}  // namespace axo::ui
