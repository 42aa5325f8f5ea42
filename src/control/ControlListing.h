// What the control account statement and the control breakdown share as printouts: framed
// columns with centred captions, total lines marked by "*" in place of frame characters, the
// group sums with their balance, the sort file of the selected lines, the period of a line and
// the line that tells a printout was stopped before its end.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "control/ControlEnvironment.h"
#include "control/SortFile.h"
#include "pap/PapData.h"
#include "ui/TextListing.h"

namespace axo::control {

/// A column of a control printout: width and caption (centred).
struct ControlColumn {
    std::uint8_t width;
    Text caption;
};

/// The sums of a group of lines: count, debit and credit (each addition rounded to two
/// decimals) and the balance-side flag of the last line added.
struct GroupSum {
    int count = 0;
    double debit = 0;
    double credit = 0;
    bool creditSide = false;

    void Add(double md, double dal, bool balanceOnCreditSide);
    /// Credit − debit on the credit side, debit − credit otherwise, to two decimals.
    double Balance() const;
    void Clear() { *this = {}; }
};

/// Whether an account's balance is reckoned on the credit side: its nature is "P", "V" or
/// "W", or its synthetic account lies in 071-089 or 141-199.
bool CreditSideAccount(std::uint8_t aktPas, int su);

/// The year × 100 + month of a document identification (an unreadable part counts as 0).
int PeriodOf(const Text& identifikace);
/// Whether characters 7-8 of the identification are " U" (documents that PAP leaves out).
bool ExcludedDocumentKind(const Text& identifikace);

/// An amount cell: two decimals, right-aligned in 14.
Text AmountCell(double amount);
/// The account of a line: SU + "/" + AE, three digits each.
Text AccountText(const pap::tVetaUDPO& line);
/// How often a pass over `count` records redraws its progress panel.
int ProgressStepFor(std::int64_t count);

/// How a control printout ended.
enum class ControlEnd {
    Left,       ///< the dialog was left
    NotOpened,  ///< an input could not be opened
    NoData,     ///< no line was selected: the message said so
    Stopped,    ///< the user stopped the collecting; nothing was shown
    Shown,      ///< the printout was handed to the user (perhaps cut short by STOP)
    Failed,     ///< the printout could not be made
};

struct ControlOutcome {
    ControlEnd end = ControlEnd::Left;
    std::int64_t lines = 0;    ///< document lines selected
    bool interrupted = false;  ///< STOP while printing: the printout ends early
};

/// The inputs both printouts read: the code lists with their look-ups and the documents.
struct ControlInputs {
    explicit ControlInputs(const ControlEnvironment& env);
    pap::CodeLists lists;
    Lookups lookups;
    pap::DocumentTables documents;
};

/// The base of the two control printouts.
class ControlListing : public ui::TextListing {
  public:
    ControlListing(const ui::ListingEnvironment& listing, const ControlEnvironment& env);
    ~ControlListing() override;

    const ControlOutcome& Outcome() const { return outcome_; }

    /// The widths, frame lines and the framed column heading of `columns`.
    void SetColumns(const std::vector<ControlColumn>& columns);
    /// A framed line whose frame characters numbered in `marks` (0 the opening one, i the one
    /// after column i) are `mark`.
    Text MarkedLine(const std::vector<Text>& cells, std::initializer_list<int> marks,
                    char mark = '*') const;

  protected:
    void Init() override;
    /// Opens the chart of accounts, the PAP codes, the transaction codes and the documents;
    /// false, after the message, when one cannot be opened.
    bool OpenInputs() override;
    bool MayShow() override;
    void OnFailed() override;
    /// Frees the progress panel and deletes the sort file.
    void CloseInputs() override;

    /// A sort file of `recordSize`-byte records whose first `keyLength` bytes are the key.
    void CreateSort(std::size_t recordSize, std::size_t keyLength);
    /// The start of collecting: the sort file as CreateSort makes it and the progress panel
    /// "Probíhá třídění obratů." over the document lines, which it returns.
    pap::tFileUDPO& StartCollect(std::size_t recordSize, std::size_t keyLength);
    control::SortFile& Sort() { return *sort_; }
    /// After collecting: ends the adding. False, after the message, when there is nothing (the
    /// printout's own end text follows the message) or the sort file failed.
    bool EndCollect(const Text& noDataEnd);
    /// One step of the progress panel; false once STOP was pressed.
    bool Step();
    /// Writes a line that needs `room` lines on the page.
    void Put(const Text& line, int room) { WriteLineWithRoom(line, room); }
    /// The end of the body: the bottom frame line and, after STOP, the line saying so.
    void EndBody();
    /// The body of a printout in groups: the page heading, then the sorted `Record`s in turn
    /// under the progress panel `caption`. Before each record but the first, `close(key,
    /// false)` ends the groups its key leaves; `take(record)` prints and sums it; after the last
    /// `close(nullptr, true)` ends them all. STOP ends the pass early.
    template <class Record, class Close, class Take>
    bool GroupedBody(const Text& caption, Close close, Take take);

    const ControlEnvironment& env_;
    ControlOutcome outcome_;
    std::unique_ptr<ControlInputs> in_;

  private:
    std::unique_ptr<control::SortFile> sort_;
};

/// Whether a group whose records share the first `prefix` bytes of their keys ends between the
/// record keyed `last` and the one keyed `key`; every group ends when `all` is set.
inline bool GroupEnds(const char* last, const char* key, std::size_t prefix, bool all) {
    return all || std::memcmp(last, key, prefix) != 0;
}

template <class Record, class Close, class Take>
bool ControlListing::GroupedBody(const Text& caption, Close close, Take take) {
    progressCaption = caption;
    PageHeading();
    StartProgress(static_cast<int>(Sort().Count()), ProgressStepFor(Sort().Count()));
    Record w;
    bool any = false;
    while (Sort().Next(&w)) {
        if (!Step())
            break;
        if (any)
            close(w.key, false);
        take(w);
        any = true;
    }
    if (any)
        close(nullptr, true);
    EndBody();
    EndProgress();
    return true;
}

/// Makes the printout `Listing` for `params`, runs it and tells how it ended; messages go to
/// the user, nothing is thrown.
template <class Listing, class Params>
ControlOutcome RunControlListing(const ControlEnvironment& env, const Params& params) {
    auto listing = ui::CreateListing<Listing>(env.listing, env, params);
    if (!listing) {
        ControlOutcome failed;
        failed.end = ControlEnd::Failed;
        return failed;
    }
    listing->Run();
    return listing->Outcome();
}

/// The menu command of a control printout: names the process `title`, takes the parameters
/// `load` gives, lets the user change them by `ask` and runs the printout by `run` (nothing
/// when the dialog was left).
template <class Params>
ControlOutcome RunControlCommand(const ControlEnvironment& env, const Text& title,
                                 Params (*load)(const ControlEnvironment&),
                                 bool (*ask)(const ControlEnvironment&, Params&),
                                 ControlOutcome (*run)(const ControlEnvironment&, const Params&)) {
    ProcessName process(env.Ui(), title);
    Params params = load(env);
    if (!ask(env, params))
        return {};
    return run(env, params);
}

}  // namespace axo::control
