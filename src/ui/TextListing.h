// The text printout object `TextListing`: fixed-width lines framed with the family's box
// characters, written to a temporary listing file (Windows-1250, CR LF) with page breaks and a
// repeated page heading, an optional sort file, a progress panel with STOP, and at the end the
// hand-over of the file to the user (shown, then printed or saved through the output channel).
//
// A concrete printout is a descendant that overrides the hooks of `Run`. A simple user creates
// the base object with `CreateListing`, calls `Init`, sets the widths, titles and captions,
// calls `BuildFrameLines`, `PageHeading` and `StartProgress`, writes its lines with `WriteLine`
// and `WriteLineWithRoom`, writes `bottomLine`, calls `EndProgress` and `CloseListingFile`,
// hands the file over with `HandOver(FileName())` when it has something to show, and destroys
// the object.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "storage/Files.h"
#include "ui/ListingEnvironment.h"
#include "ui/ProgressPanel.h"
#include "util/Text.h"

namespace axo::ui {

/// Computes the sort key of a record of the sort file.
using SortKeyFunction = std::function<Text(const void* record)>;

/// Whether records of the sort file may share a key.
enum class SortIndexOption { Duplicates, Unique };

class TextListing {
  public:
    static constexpr std::size_t kColumns = 25;
    /// A column width of 0 ends the list of widths; 255 leaves the column out.
    static constexpr std::uint8_t kEndOfColumns = 0;
    static constexpr std::uint8_t kSkippedColumn = 255;
    /// Output modes: 0 and 1 hand the file to the user; 2 runs `OwnOutput`.
    static constexpr int kOutputOwn = 2;

    /// An object without a listing file; `Open` creates it (use `CreateListing`).
    explicit TextListing(const ListingEnvironment& env);
    /// Closes the listing file and deletes it unless it was handed over; frees the progress
    /// panel and deletes the sort file.
    virtual ~TextListing();
    TextListing(const TextListing&) = delete;
    TextListing& operator=(const TextListing&) = delete;

    /// Takes the page lengths of the printer set-up, creates the listing file in the work
    /// directory (prefix "OP") after probing that the directory takes a new file, and sets the
    /// labels. False, after the message "Chyba N, při zakládání textového souboru pro
    /// výstup.", when the file cannot be created.
    bool Open();

    // ---- Fields the printout sets ----------------------------------------------------------

    Text printoutName;           ///< on the progress panel and the shown printout
    Text progressCaption;        ///< caption of the progress panel
    std::array<Text, 4> titles;  ///< centred in the line width
    std::array<std::uint8_t, kColumns> columnWidths{};
    std::uint16_t lineWidth = 78;      ///< computed by BuildFrameLines
    std::array<Text, 5> framedHeader;  ///< empty line 1: no framed header
    std::array<Text, 3> plainHeader;   ///< empty line 1: no plain header
    Text topLine, separatorLine, bottomLine, emptyRowLine;
    Text dateLabel, pageLabel;
    std::uint8_t narrowLength = 0;  ///< lines a page up to 80 characters wide
    std::uint8_t wideLength = 0;    ///< lines a page above 80; both 0: endless
    std::int32_t lineCounter = 0;   ///< lines on the current page
    std::int32_t pageNumber = 1;
    int outputMode = 0;
    bool failed = true;    ///< until the body has run
    bool stopped = false;  ///< the user stopped the progress panel

    // ---- State -------------------------------------------------------------------------

    const std::filesystem::path& FileName() const { return fileName_; }
    bool FileOpen() const { return file_ != nullptr; }
    bool HandedOver() const { return handedOver_; }
    /// The system's error number of the first write to the listing file that failed (a line,
    /// the last buffered lines or the close); 0 while every write went through.
    int WriteError() const { return writeError_; }
    ProgressPanel* Progress() const { return progress_.get(); }
    const ListingEnvironment& Environment() const { return env_; }
    UiServices& Ui() const { return env_.Ui(); }

    // ---- Operations ------------------------------------------------------------------------

    /// The whole printout of a descendant: MayRun, Init, OpenInputs, PrepareHeading, Collect,
    /// Body, closing the file, CloseInputs, then OnFailed, or (when MayShow) HandOver or
    /// OwnOutput by the output mode.
    void Run();
    /// Line width and the four frame lines from the column widths (up to the first 0, without
    /// the 255s). Without any column nothing changes.
    void BuildFrameLines();
    /// A framed detail line: "│", then each cell fitted to its column's width and "│".
    Text FramedLine(const std::vector<Text>& cells) const;
    /// Whether `lines` more lines fit on the page: always on endless paper; otherwise the line
    /// counter + lines must stay below the page length of the line width (a length of 0 for
    /// that width counts as endless).
    bool HasRoom(int lines) const;
    /// One step of the progress panel. False when there is no panel, or the user stopped the
    /// pass (then `stopped` becomes true).
    bool ProgressStep();
    /// Frees the progress panel.
    void EndProgress();
    /// Closes the listing file (nothing when it is closed); a failure of the last writes is
    /// kept in WriteError().
    void CloseListingFile();

    // ---- Sort file -------------------------------------------------------------------------

    /// Creates the sort file: a temporary keyed table of records of `recordSize` bytes with the
    /// fields of `fields` and one key of `keyLength` characters computed by `key`. An empty name
    /// takes a new work-file name (prefix "WK") in the work directory. False when the table
    /// could not be made (the layer has reported why).
    bool CreateSortFile(const Text& name, int recordSize, const storage::FieldList& fields,
                        SortKeyFunction key, int keyLength,
                        SortIndexOption option = SortIndexOption::Duplicates);
    /// The sort file, or none.
    storage::tSoubor* SortFile() const { return sortFile_.get(); }
    /// Adds a record to the sort file; false without one.
    bool AddSortRecord(const void* record);
    /// The next record in key order (the first after `RewindSort`); false at the end.
    bool NextSortRecord(void* record);
    void RewindSort();
    /// Closes and deletes the sort file.
    void FreeSortFile();

    // ---- Hooks -------------------------------------------------------------------------

    /// Writes one line. A text starting with the form feed (or CR LF form feed) starts a new
    /// page: a form-feed line, line counter 0, next page number, no heading. A line the file
    /// does not take is not counted, and after it no line is written (WriteError()).
    virtual void WriteLine(const Text& text);
    /// When `lines` more lines do not fit: the bottom frame line (an empty line without one), a
    /// new page and its heading; then the text.
    virtual void WriteLineWithRoom(const Text& text, int lines);
    virtual void OnFailed() {}
    virtual void OwnOutput() {}
    /// Hands the file to the user (shown, printed or saved through the output channel), who
    /// then owns it; nothing when the file does not exist. A listing file that lost a write is
    /// not shown: the user is told once (`UiServices::PrintoutFailed`) and the file stays with
    /// the object, which deletes it.
    virtual void HandOver(const std::filesystem::path& file);
    /// Closes the listing file and keeps it past the object, for the caller to hand over (or
    /// delete) later; none when it is missing or was cut short by a write error.
    std::optional<ListingView> Keep();
    /// Opens the progress panel (when `maximum` > 0) with the progress caption and the printout
    /// name; it is redrawn every `step` steps.
    virtual void StartProgress(int maximum, int step);
    virtual bool MayRun() { return true; }
    /// Line counter 0, page 1, titles, headers, widths and frame lines cleared, line width 78,
    /// failed, not stopped, no progress panel, no sort file.
    virtual void Init();
    virtual bool OpenInputs() { return true; }
    /// Clears the titles and the plain header lines.
    virtual void PrepareHeading();
    /// Writes the page heading: firm and page, address and date, titles, column headers.
    virtual void PageHeading();
    virtual void AfterDateLines() {}
    virtual void BeforeColumnHeader() {}
    virtual Text TopFrameLine() { return topLine; }
    virtual Text SeparatorLine() { return separatorLine; }
    virtual bool Collect() { return true; }
    virtual bool Body() { return true; }
    /// Frees the progress panel and the sort file.
    virtual void CloseInputs();
    virtual bool MayShow() { return true; }

  private:
    const ListingEnvironment& env_;
    std::filesystem::path fileName_;
    std::FILE* file_ = nullptr;
    bool handedOver_ = false;
    int writeError_ = 0;
    bool failureReported_ = false;
    std::unique_ptr<ProgressPanel> progress_;
    int progressStep_ = 1;
    int progressCount_ = 0;
    std::unique_ptr<storage::tSoubor> sortFile_;
    std::filesystem::path sortStem_;

    Text DateLine() const;
    bool Put(const Text& line);
    ListingView View(const std::filesystem::path& file) const;
};

/// Creates a listing of kind `Listing` (a descendant's constructor takes the environment
/// first) and its listing file; none, after the message, when the file cannot be created.
template <class Listing = TextListing, class... Args>
std::unique_ptr<Listing> CreateListing(const ListingEnvironment& env, Args&&... args) {
    auto listing = std::make_unique<Listing>(env, std::forward<Args>(args)...);
    if (!listing->Open())
        return nullptr;
    return listing;
}

}  // namespace axo::ui
