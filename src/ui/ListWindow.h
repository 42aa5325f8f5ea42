// The scrolling list window `TRolMem` as a model: a short list of text lines held in memory that
// the user moves through, searches, prints and picks a line from. A descendant supplies the
// lines (`MayOpen`, `Line`) and decides what a picked line means; the front end shows the model
// (`UiServices::RunListWindow`) and feeds keys, clicks and resizes into it. The window's
// position and size are kept in the parameter vault when it has a window number.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"
#include "ui/Screen.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::ui {

/// What the list window needs from the running installation.
struct ListWindowEnvironment {
    /// For the printout of the list (and the UI services).
    const ListingEnvironment* listing = nullptr;
    /// For the search dialog.
    DialogEnvironment dialog;
    /// The number of the running module of the family (14 for this program).
    int moduleNumber = 14;
    /// The parameter vault: load (false when nothing is stored), save and delete a block.
    std::function<bool(int group, int item, void* block, std::size_t length)> loadSettings;
    std::function<void(int group, int item, const void* block, std::size_t length)> saveSettings;
    std::function<void(int group, int item)> deleteSettings;
};

/// The 17 bytes a list window keeps: the maximised flag, then left, top, width and height as
/// 32-bit values (little-endian).
struct ListWindowGeometry {
    static constexpr std::size_t kBlockSize = 17;
    using Block = std::array<std::uint8_t, kBlockSize>;

    bool maximised = false;
    Rect frame;

    static ListWindowGeometry FromBlock(const Block& block);
    Block ToBlock() const;
};

/// The buttons of the window; each sends the key named in its hint.
enum class ListButton {
    SipkaDolu,
    SipkaNahoru,
    PageDown,
    PageUp,
    CtrlEnd,
    CtrlHome,
    Print,
    Info,
    F7,
    Vyber,
    Exit,
};

class TRolMem {
  public:
    static constexpr int kResultEmpty = 0;
    static constexpr int kResultPicked = 1;
    static constexpr int kResultLeave = 2;
    /// The line counter is a byte: the list ends at 254 lines.
    static constexpr int kMaxLines = 254;
    static constexpr int kItemHeightPx = 20;
    static constexpr int kToolPanelPx = 36;
    static constexpr int kButtonPanelPx = 21;
    static constexpr int kHeaderPx = 20;
    /// Search directions.
    static constexpr int kFromTop = 0;
    static constexpr int kFromBottom = 1;
    static constexpr int kUpFromCurrent = 2;
    static constexpr int kDownFromCurrent = 3;

    TRolMem(UiServices& ui, const ListWindowEnvironment& env);
    virtual ~TRolMem();
    TRolMem(const TRolMem&) = delete;
    TRolMem& operator=(const TRolMem&) = delete;

    // ---- Operations of the window (a descendant overrides what it needs) -----------------

    /// Fills and sizes the window: caption " " + the trimmed caption, width 8 pixels a
    /// character (79 counts as 80, at most 640; 640 without a width), height (rows + 1) x 21 +
    /// the tool panel (at most 480; 372 without rows), centred on the main window unless stored
    /// settings of the window number say otherwise; lines `Line(1)`, `Line(2)`, ... until an
    /// empty one. False when `MayOpen` refuses.
    virtual bool Prepare(int widthChars, int rows, int windowNumber, const Text& header,
                         const Text& caption);
    virtual void ResetCursor() {}
    /// The base window cannot be opened by itself.
    virtual bool MayOpen() { return false; }
    virtual void AfterFill() {}
    /// Line n (from 1); an empty text ends the list.
    virtual Text Line(int n);
    /// The line selected at opening (0-based).
    virtual int InitialLine() { return 0; }
    /// Prints the lines as a text printout with the header as its column header.
    virtual void PrintList();
    /// The command code of a key pressed with Alt or Ctrl (0: none).
    virtual int MapKey(const KeyEvent& key);
    virtual void SpecialKey() {}
    /// Searches in the search direction (again: from the current line on).
    virtual void Search(bool again);

    /// Runs the window: 0 (after showing the empty-list message) when the list is empty and
    /// there is such a message, 1 when a line was picked, 2 when left. Afterwards the window's
    /// settings are stored (or deleted when it does not lie on the screen).
    int RunModal();

    // ---- Settings of the caller ----------------------------------------------------------

    Text emptyListMessage;  ///< shown instead of an empty list; empty: the window opens
    bool startAtEnd = false;
    int specialKey = 0;  ///< the `MapKey` code that runs `SpecialKey`

    // ---- Search state ----------------------------------------------------------------------

    Text searchText;  ///< upper-cased when the search ignores case
    bool ignoreCase = true;
    bool wholeWords = false;
    int searchDirection = kFromTop;
    /// The search dialog "Hledání zadaného textu"; true when the search was started.
    bool RunSearchDialog();

    // ---- The model the front end shows -----------------------------------------------------

    const Text& Caption() const { return caption_; }
    const Text& Header() const { return header_; }
    bool HeaderVisible() const { return !header_.empty(); }
    const std::vector<Text>& Lines() const { return lines_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    /// The current line (0-based); -1 when none.
    int Current() const { return current_; }
    void SetCurrent(int index);
    /// The text of the current line; empty when none.
    Text CurrentLine() const;
    int WindowNumber() const { return windowNumber_; }
    const Rect& Frame() const { return frame_; }
    bool Maximised() const { return maximised_; }
    const ColourPair& Colours() const { return colours_; }
    /// Whole rows of the list box that fit its height.
    int VisibleRows() const { return visibleRows_; }
    /// The window was moved or resized (pixels); the visible rows are recomputed.
    void SetFrame(const Rect& frame);
    void SetMaximised(bool maximised);
    /// The window's hint: the clicked line in pieces of about 75 characters.
    const Text& Hint() const { return hint_; }

    /// A key; false when the window did nothing with it.
    bool KeyDown(const KeyEvent& key);
    void Press(ListButton button);
    /// A click on a line: it becomes current and the hint shows it whole.
    void ClickLine(int index);
    /// A double click picks the line.
    void DoubleClickLine(int index);
    /// "zobrazení celého textu": the current line in a plain message.
    void ShowWholeLine();

    bool IsClosed() const { return closed_; }
    int Result() const { return result_; }
    void Close(int result);

  protected:
    UiServices& Ui() const { return ui_; }
    const ListWindowEnvironment& Environment() const { return env_; }

  private:
    UiServices& ui_;
    const ListWindowEnvironment& env_;
    Text caption_;
    Text header_;
    std::vector<Text> lines_;
    int current_ = -1;
    int windowNumber_ = 0;
    Rect frame_;
    bool maximised_ = false;
    int visibleRows_ = 0;
    ColourPair colours_;
    Text hint_;
    bool closed_ = false;
    int result_ = kResultLeave;

    int SettingsGroup() const { return 300 + env_.moduleNumber; }
    void PlaceWindow(int widthChars, int rows);
    void ApplyStoredSettings();
    void StoreSettings();
    void Fill();
    void Pick();
    void MoveBy(int delta);
    bool Matches(const Text& line) const;
};

}  // namespace axo::ui
