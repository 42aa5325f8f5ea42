// The record browser `TBrowser` as a model: one keyed table shown a page at a time in one of
// its key orders. Only the page is held; every move walks the table by key positioning, so what
// other stations change shows as soon as a page is read again, and a move costs the same at any
// table size. A descendant supplies the table, the rows' texts and the record actions; the front
// end shows the model (`UiServices::RunBrowseWindow`) and feeds keys, clicks and resizes into
// it. The window's size and place are kept in the parameter vault when it has a window number.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "storage/Files.h"
#include "ui/ListWindow.h"
#include "ui/Screen.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::ui {

class TBrowser;

/// What a browser needs from the running installation: the listing, the search dialog, the
/// module number and the parameter vault (as the list window has them), and the print form
/// picker.
struct BrowserEnvironment : ListWindowEnvironment {
    /// Prints the list through a print form the user picks; false when it printed nothing
    /// (no picker, or the user asked for the plain listing), which is then made. Empty: the
    /// plain listing of the list.
    std::function<bool(TBrowser& browser)> printWithForm;
};

/// The command codes a key becomes; descendants read them in their hooks.
namespace browse_code {
inline constexpr int kEnter = 13;
inline constexpr int kEsc = 27;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kF4 = 115;
inline constexpr int kF7 = 118;
inline constexpr int kCtrlEnd = 9902;
inline constexpr int kCtrlF1 = 9904;  ///< ... kCtrlF1 + 5 for <Ctrl F6>
inline constexpr int kCtrlRight = 9914;
inline constexpr int kCtrlLeft = 9915;
inline constexpr int kCtrlPageUp = 9916;
inline constexpr int kCtrlPageDown = 9917;
inline constexpr int kCtrlHome = 9918;
inline constexpr int kCtrlEnter = 9924;
inline constexpr int kCtrlF7 = 9928;
inline constexpr int kCtrlF = 8454;  ///< performed as <F7>
inline constexpr int kCtrlL = 9484;  ///< performed as <Ctrl F7>
inline constexpr int kAltF7 = 28160;
inline constexpr int kOrder7 = 25600;  ///< orders 7, 8 and 9 chosen in the sort menu
inline constexpr int kOrder8 = 25856;
inline constexpr int kOrder9 = 26112;
/// The code the after-toggle hook of a selector gets after ticking or unticking everything.
inline constexpr std::int32_t kAllToggled = 2147483647;
}  // namespace browse_code

/// The buttons of browse and selector windows; each performs the key named in its hint.
enum class BrowseButton {
    // The tool bar.
    SipkaDolu,
    SipkaNahoru,
    SipkaVpravo,
    SipkaVlevo,
    PageDown,
    PageUp,
    End,
    Home,
    CtrlEnd,
    CtrlHome,
    Sort,
    Find,
    Print,
    Shift,
    Refresh,
    PrintScreen,
    Enter,          ///< selector: tick or untick
    VyberVse,       ///< selector: tick all
    ZrusVyber,      ///< selector: untick all
    InvertujVyber,  ///< selector: invert
    Import,         ///< code lists: the text import, at the right end of the tool bar
    // The button row.
    Vyber,
    Pridani,
    Oprava,
    Zruseni,
    View,
    Storno,
    Kopie,
    OK,  ///< selector: confirm
    Exit,
};

/// A button as the front end draws it.
struct BrowseButtonView {
    BrowseButton id = BrowseButton::Exit;
    std::string name;  ///< the component name ("ButtonSipkaDolu"); scripts click it by this
    Text caption;      ///< buttons of the button row
    Text hint;
    Rect frame;  ///< buttons of the button row: pixels inside the row
    bool enabled = true;
    /// A tool-bar button standing at the right end of the tool bar rather than after the others.
    bool right = false;
};

/// One item of the sort menu.
struct SortMenuItem {
    int position = 0;  ///< the order's place in the order list (0-based)
    int key = 0;       ///< its key number
    Text caption;
    bool current = false;
};

class TBrowser {
  public:
    static constexpr int kResultChosen = 1;
    static constexpr int kResultLeave = kCloseLeave;
    /// Pixel sizes of the window's parts.
    static constexpr int kRowPx = 20;
    static constexpr int kToolBarPx = 26;
    static constexpr int kHeaderPx = 21;
    static constexpr int kButtonRowPx = 26;
    static constexpr int kOrderLabelPx = 21;
    /// Text search directions.
    static constexpr int kFromTop = 0;
    static constexpr int kFromBottom = 1;
    static constexpr int kUpFromCurrent = 2;
    static constexpr int kDownFromCurrent = 3;

    TBrowser(UiServices& ui, const BrowserEnvironment& env);
    virtual ~TBrowser();
    TBrowser(const TBrowser&) = delete;
    TBrowser& operator=(const TBrowser&) = delete;

    // ---- Operations of the window, in the family's order (a descendant overrides what it
    //      needs) ---------------------------------------------------------------------------

    /// Builds the window: width 8 pixels a character (79 counts as 80, at most 640, 640 for 0;
    /// 550 for 70 with a mode string starting "C" or "I"), height (rows + 1) x 21 + the tool
    /// bar (at most 480, 372 for 0), the caption " " + title, the header (empty: none), the
    /// action buttons of the mode string and the stored geometry of the window number (0:
    /// none). False when the data cannot be opened or the buffers sized (the window is then
    /// not shown; the caller frees it).
    virtual bool Priprav(int widthChars, int rows, const Text& title, const Text& header,
                         const Text& mode, int windowNumber);
    /// Closes the data.
    virtual void Ukonci();
    /// Sets the page size (12 in the base).
    virtual void NastavStranku();
    /// Opens the table (shared) and stores it in `table`; false when it cannot.
    virtual bool OtevriData();
    /// Sizes BufferOfHash and the descendant's record buffer to capacity + 1 rows. The base
    /// shows that the descendant lacks it and returns false.
    virtual bool SetLength_BufferOfRecord_BufferOfHash();
    virtual void ZavriData() {}
    /// Access mode 2 disables adding, changing, deleting and copying.
    virtual void NastavPristup();
    virtual bool LzeSpustit() { return true; }
    /// Reads the first page of the range.
    virtual void NactiPrvniStranu();
    /// Finds the first and the last record of the range.
    virtual void UrciKrajniVety();
    /// The filter: whether the record at the current position (`currentRecord`) belongs to the
    /// list (the descendant reads it when it needs to).
    virtual bool VetaVyhovuje() { return true; }
    /// The records of the range, counted up to the page size + 1.
    virtual int SpocitejVety();
    /// Reads a page forwards from the current position into rows 1..page size, or backwards
    /// into rows page size..1.
    virtual void NactiStranu(bool forward);
    /// The name of the current order (" tříděno dle kódu transakce").
    virtual Text NazevTrideni() { return {}; }
    /// Reads the record `currentRecord` into row `row` of the buffers.
    virtual void UlozVetuDoRadku(int) {}
    /// Copies the record and its number from one row to another.
    virtual void PresunRadek(int, int) {}
    /// The text of a row; it may be longer than the window.
    virtual Text TextRadku(int) { return {}; }
    /// The key of the row's record in the current order.
    virtual Text KlicRadku(int row) { return KlicZaznamu(row, currentKey_); }
    /// The key of the row's record in order `k` (a change of order and the selector's ticks
    /// need it). The base has none.
    virtual Text KlicZaznamu(int, int) { return {}; }
    /// <Enter> and <Ctrl Enter> on a row: the key (and for a key with duplicates the record
    /// number) of the record to show afterwards, or an empty key (a handled <Enter> then closes
    /// the window as a choice). The base leaves it not handled.
    virtual void ZpracujRadek(int row, Text& key, std::int32_t& n, int maxLength);
    /// <Insert> adds a record, <Alt F7> copies the current one; as ZpracujRadek.
    virtual void PridejVetu(Text& key, int maxLength, std::int32_t& n);
    /// Deletes the row's record (after PotvrdZruseni). The base leaves it not handled.
    virtual void ZrusVetu(int row);
    /// Swallows the key being processed.
    virtual void PotlacKlavesu() { commandCode_ = 0; }
    /// Prints the list (<F4>): through the print form picker when there is one, else as a text
    /// listing of every record of the current order, lines cut to 150 characters.
    virtual void Opis();
    virtual Text TitulekOpisu();
    virtual Text HlavickaOpisu() { return header_; }
    /// The line of record `n` in the listing: its row text when the filter accepts it, else
    /// empty.
    virtual Text RadekOpisu(std::int32_t n);
    /// The window's own keys.
    virtual void JinaKlavesa(int) {}
    /// Further <Alt> and <Ctrl> combinations as command codes (0: none).
    virtual int PrelozKlavesu(const KeyEvent&) { return 0; }
    /// Enables or disables every control of the window, restoring the former states.
    virtual void PovolOvladani(bool enabled);

    // ---- Running ---------------------------------------------------------------------------

    /// Prepares the first page and shows the window modally; afterwards the geometry is
    /// stored. Returns 1 when a row was chosen or the window confirmed, 2 when left, 0 when it
    /// did not open (LzeSpustit refused, or an empty range with an empty-range message).
    int Spust();
    /// Spust's preparation without the window: access, notice, first page, start position,
    /// start at end. False when the window would not open (the result is then set). For
    /// callers that drive the page themselves (tests).
    bool Zahaj();
    /// Asks "Opravdu chcete tuto větu zrušit?"; true for " ~A~no ".
    bool PotvrdZruseni();
    bool IsClosed() const { return closed_; }
    int Result() const { return result_; }
    void Close(int result);

    // ---- Settings of the caller (before Spust) -------------------------------------------

    Text startKey;   ///< a position in key form
    Text startText;  ///< a position as typed; converted to key form first
    Text emptyRangeMessage;
    Text noticeText;
    bool startAtEnd = false;
    bool fillAtStart = true;
    int suppressedCode = 0;
    /// 2 = read only.
    int accessMode = 0;
    /// Key numbers offered as orders 1..9; a 0 ends the list.
    std::array<int, 9> orderList{1, 2, 3, 4, 5, 6, 7, 8, 9};
    /// The range restriction: while the current key is `restrictionKey`, the range holds the
    /// records from the first key >= the prefix on, to the last key beginning with it (or, in
    /// filter-end mode, to the first record the filter rejects).
    int restrictionKey = 0;
    Text restrictionPrefix;
    bool filterEndMode = false;
    /// Put in front of the typed text of the direct search while the restriction applies.
    Text directSearchPrefix;
    void SetCurrentKey(int key) { currentKey_ = key; }

    // ---- Text search -----------------------------------------------------------------------

    Text searchText;
    int searchDirection = kFromTop;
    bool ignoreCase = true;
    bool wholeWords = false;

    // ---- The model the front end shows -----------------------------------------------------

    const Text& Caption() const { return caption_; }
    const Text& Header() const { return header_; }
    bool HeaderVisible() const { return !header_.empty(); }
    /// The name of the current order (shown at the bottom right; none when empty).
    const Text& OrderLabel() const { return orderLabel_; }
    int CurrentKey() const { return currentKey_; }
    int PageSize() const { return pageSize_; }
    int MiddleRow() const { return pageSize_ / 2 + 1; }
    int Capacity() const { return capacity_; }
    int RowsFilled() const { return rowsFilled_; }
    /// The highlighted row, 1-based (1 on an empty page).
    int CurrentRow() const { return currentRow_; }
    /// Row `row` (1-based) as the list shows it: from the horizontal offset on; empty beyond
    /// the filled rows.
    virtual Text ShownRow(int row);
    /// The header as the list shows it (scrolled with the rows).
    Text ShownHeader() const;
    int Offset() const { return offset_; }
    int VisibleWidth() const { return visibleWidth_; }
    /// The record number of a row (0 when the row is empty).
    std::int32_t RowRecord(int row) const;
    const Rect& Frame() const { return frame_; }
    bool Maximised() const { return maximised_; }
    int MinimumWidth() const { return minWidth_; }
    int MinimumHeight() const { return minHeight_; }
    const ColourPair& Colours() const { return colours_; }
    int WindowNumber() const { return windowNumber_; }
    bool ControlsEnabled() const { return controlsEnabled_; }
    /// The tool bar, left to right.
    std::vector<BrowseButtonView> ToolBar();
    /// The button row, left to right: the action buttons and ButtonExit.
    const std::vector<BrowseButtonView>& ButtonRow() const { return buttonRow_; }
    bool ButtonShown(BrowseButton id) const;
    bool ButtonEnabled(BrowseButton id);
    /// The direct-search box " Hledá".
    bool SearchBoxOpen() const { return searchBoxOpen_; }
    const Text& SearchBoxText() const { return searchBoxText_; }
    /// Whether ButtonSort opens the sort menu (the order list names two orders or more that
    /// the table has).
    bool SortMenuOffered() const;
    /// The orders of the order list that the table has, with their names.
    std::vector<SortMenuItem> SortMenu();
    /// The command code of the key being processed.
    int CommandCode() const { return commandCode_; }
    virtual bool IsSelector() const { return false; }

    // ---- Input -----------------------------------------------------------------------------

    /// A key pressed in the list; false when the window did nothing with it. <Shift> alone
    /// (Key::None with shift) opens the direct-search box.
    bool KeyDown(const KeyEvent& key);
    /// A character typed in the list (not in the search box): its virtual-key code.
    bool TypeChar(char ch);
    virtual void Press(BrowseButton button);
    /// The order at `position` (0-based) of the order list, as its sort menu item does.
    void ChooseOrder(int position);
    /// A click on a row makes it current; a double click also performs <Enter>.
    void ClickRow(int row);
    void DoubleClickRow(int row);
    /// The mouse wheel: <Page Down> (down) or <Page Up>.
    void Wheel(bool down);
    /// The window was moved or resized (pixels, held within the minimum size and the screen);
    /// when the rows that fit change, the page follows.
    void SetFrame(const Rect& frame);
    void SetMaximised(bool maximised);
    /// The direct-search box: opened (<Shift>), its text changed (each change positions the
    /// page), a key pressed in it, left (hidden, text cleared).
    void OpenDirectSearch();
    void SetDirectSearchText(const Text& text);
    bool DirectSearchKey(const KeyEvent& key);
    void CloseDirectSearch();
    /// Refreshes the page from the table (ButtonRefresh).
    void Obnov();
    /// Searches the text (<F7>: with the dialog first; again: without it, from the current
    /// row on).
    void HledejText(bool again);
    /// The listing of the whole list (ButtonPrintScreen): lines longer than 150 characters
    /// printed as two lines when the user agrees.
    void OpisObrazovky();

  protected:
    UiServices& Ui() const { return ui_; }
    const BrowserEnvironment& Environment() const { return env_; }
    /// Performs a command code as the key handler does.
    virtual void Proved(int code);
    /// The not-handled flag the base hooks set.
    void SetNotHandled(bool value = true) { notHandled_ = value; }
    /// For a descendant's record action: finds the record of `row` by its unique key (or its
    /// key and record number) under the record lock and reads the stored version into
    /// `record`, which must hold the row's record when called; `n` becomes its number. When
    /// another station deleted it or holds its lock, the user has been told and the page is
    /// read again; false.
    bool ZamkniVetuRadku(int row, std::int32_t& n, void* record);
    /// Builds the page around the record (key in the current order, number for keys with
    /// duplicates); a record gone or rejected gives the next accepted one, or the last when
    /// none follows (`orFirst`: the first).
    void Reposition(const Text& key, std::int32_t n, bool orFirst);
    /// Moves the current position to the first (last) record of the range; false when empty.
    bool PrvniVeta();
    bool PosledniVeta();
    /// Moves to the next (previous) accepted record of the range; false at its end.
    bool Krok(bool forward);
    /// Stores the record at the current position into `row`.
    void Uloz(int row);
    /// The window's group in the parameter vault (200 + the module number).
    virtual int GeometryGroup() const { return 200 + env_.moduleNumber; }
    /// A mark in front of a shown row (the selector's tick); none in the browser.
    virtual Text RowMark(int) { return {}; }
    /// An empty range at the start: the base shows the empty-range message, when there is one,
    /// instead of the window (false), and otherwise opens the empty window (true).
    virtual bool OpenEmpty();
    /// The page size a descendant's NastavStranku sets.
    void SetPageRows(int rows) { pageSize_ = std::max(rows, 1); }
    /// The page rows of the capacity.
    void SetCapacityFromScreen();
    void SetCaption(const Text& title) { caption_ = " "_t + title; }
    void SetHeader(const Text& header) { header_ = header.substr(0, 255); }
    void PlaceWindow(int width, int height);
    /// The tool bar's buttons of the kind, with their hints (the selector has others).
    virtual std::vector<BrowseButtonView> ToolBarButtons() const;
    /// Lays out ButtonExit and the action buttons in the button row of the window's width.
    void LayoutButtonRow(const std::vector<BrowseButton>& actions, int exitWidth);
    /// Called after each layout of the button row: a descendant may give its buttons other
    /// captions, hints and frames (ButtonRowViews).
    virtual void ButtonRowLaidOut() {}
    std::vector<BrowseButtonView>& ButtonRowViews() { return buttonRow_; }
    void ApplyStoredGeometry();
    void StoreGeometry();
    /// The record of the current row and its key, as the page holds them.
    std::int32_t CurrentRecordOfRow() const { return RowRecord(currentRow_); }
    const Text& RowKey(int row) const;
    void SetCurrentRow(int row) { currentRow_ = row; }
    /// Builds the page around the record at the current position (`currentRecord`,
    /// `keyBuffer`).
    void BuildAround();

  public:
    /// The browsed table; set by OtevriData.
    storage::tSoubor* table = nullptr;
    /// The position in the table, passed to the key operations.
    std::int32_t currentRecord = 0;
    Text keyBuffer;
    /// Record numbers of rows 0..capacity; row 0 is the scratch row of printing and searching.
    std::vector<std::int32_t> BufferOfHash;

  private:
    struct Border {
        bool valid = false;
        std::int32_t n = 0;
        Text key;
    };

    UiServices& ui_;
    const BrowserEnvironment& env_;
    Text caption_;
    Text header_;
    Text orderLabel_;
    Text mode_;
    int currentKey_ = 1;
    int pageSize_ = 12;
    int capacity_ = 12;
    int rowsFilled_ = 0;
    int currentRow_ = 1;
    bool firstRead_ = true;
    bool prefixMode_ = false;
    Border first_;
    Border last_;
    std::vector<Text> rowKeys_;
    std::vector<std::byte> scratch_;
    int offset_ = 1;
    int visibleWidth_ = 80;
    int windowNumber_ = 0;
    Rect frame_;
    bool maximised_ = false;
    int minWidth_ = 0;
    int minHeight_ = 0;
    ColourPair colours_;
    std::vector<BrowseButtonView> buttonRow_;
    std::vector<BrowseButtonView> savedButtons_;
    bool controlsEnabled_ = true;
    bool searchBoxOpen_ = false;
    Text searchBoxText_;
    int commandCode_ = 0;
    bool notHandled_ = false;
    bool prepared_ = false;
    bool closed_ = false;
    int result_ = kResultLeave;

    friend class TSelector;

    // Range and page (BrowserPage.cpp)
    bool RestrictionActive() const;
    bool InRange(const Text& key) const;
    bool Accepted();
    /// One step to the next (previous) accepted record of the range from where the table
    /// stands; false at the end of the range, the table's position then undefined.
    bool Walk(bool forward);
    bool PositionOn(std::int32_t n, const Text& key);
    bool PositionOnRow(int row) { return PositionOn(RowRecord(row), RowKey(row)); }
    int FillForward(int fromRow);
    void ReadPageFrom();
    void ReadPageEndingAt();
    void ReadPageEndingAtLast();
    void ShiftRows(bool down);
    void PositionByKey(const Text& key);
    /// A typed text in key form (the table's key conversion of key number -1).
    Text KeyForm(const Text& typed);
    /// Positions on the record of the page's first (last) row; when another station deleted it,
    /// reads the page again from the start (end) of the range, says so and returns false.
    bool PositionOnBorder(bool top);
    /// Up to `count` steps; the steps made.
    int StepBy(int count, bool forward);
    void MoveUp();
    void MoveDown();
    void PageUp();
    void PageDown();
    bool IsFirst(std::int32_t n) const { return first_.valid && first_.n == n; }
    bool IsLast(std::int32_t n) const { return last_.valid && last_.n == n; }
    // Keys, actions, orders (BrowserKeys.cpp)
    int TranslateKey(const KeyEvent& key);
    void RecordAction(int code);
    void ChangeOrder(int index, int code);
    void Horizontal(int code);
    Text ScrollText();
    bool BuffersFit();
    // Search and listing (BrowserSearch.cpp, BrowserPrint.cpp)
    bool RunSearchDialog();
    bool Matches(int row);
    void PrintList(bool cutLines);
    // Geometry (Browser.cpp)
    int RowsThatFit(int height) const;
    void SetPageSize(int rows);
};

/// Whether `needle` stands in `text` (both compared as given), and with `wholeWords` whether
/// one of its occurrences stands between word separators (blank, "%", "(", ")", "-", "/", ":")
/// or the ends of the text. Every occurrence is tested, not only the first.
bool TextOccurs(const Text& text, const Text& needle, bool wholeWords);

}  // namespace axo::ui
