// What the control runs share: their environment taken from the running program, the masks and
// the period of their dialogs, the name of the running process, and the look-ups of accounts,
// PAP codes and transaction codes each run makes once per account or code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "pap/PapData.h"
#include "startup/Session.h"
#include "startup/Trezor.h"
#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"
#include "ui/Prvek.h"

namespace axo::control {

/// What every control run needs from the running program.
struct ControlEnvironment {
    /// UI services, clock and directories of the tables. Required.
    const storage::DataContext* data = nullptr;
    /// The documents and code lists of the fiscal year.
    pap::PapLocation location;
    int fiscalYear = 0;
    /// The program date (the defaults) and the dialogs' checks.
    ui::DialogEnvironment dialogs;
    /// The organisation, dates and printer set-up of the printouts.
    ui::ListingEnvironment listing;
    /// Reads the block (group, item) of the parameter vault into `block` (zero-filled first);
    /// false when it is not stored. Empty: nothing is stored.
    std::function<bool(int group, int item, void* block, std::size_t length)> loadSettings;
    /// Stores the block (group, item) in the parameter vault. Empty: nothing is kept.
    std::function<void(int group, int item, const void* block, std::size_t length)> saveSettings;
    /// The choosers of the masks (<F7>): PAP codes on the analytics, transaction codes on the
    /// code, external addresses by IČO on the partners. Empty: the mask has no chooser.
    std::function<ui::PickResult(Text& value)> pickAnalytics;
    std::function<ui::PickResult(Text& value)> pickCode;
    std::function<ui::PickResult(Text& value)> pickPartner;

    ui::UiServices& Ui() const { return *data->ui; }
    /// The block from the vault; false (and `block` zero-filled) when there is none.
    bool Load(int group, int item, void* block, std::size_t length) const;
    void Save(int group, int item, const void* block, std::size_t length) const;
};

/// The environment of a started session (which must outlive it).
ControlEnvironment ControlEnvironmentFor(const startup::Session& session);

/// The last month of the default period: 3 × the quarter of the program month, one quarter
/// less when that month does not end its quarter (unless it lies in the first); 3 to 12.
int DefaultMonthTo(int programMonth);

/// Attaches `pick` as the chooser of the dialog's current field, when there is one.
void AttachChooser(ui::TDialogAXO& dialog, const std::function<ui::PickResult(Text& value)>& pick);

/// A mask as typed: trailing blanks dropped, cut and filled with "?" to `length`.
Text QuestionFilled(const Text& text, std::size_t length);
/// Whether a mask holds a character other than "?" (so that it selects anything at all).
bool HoldsMoreThanQuestions(const Text& mask);

/// A mask of a dialog, ready for many comparisons: filled with "?" to its length.
class FieldMask {
  public:
    FieldMask() = default;
    /// `fold`: compared without diacritics and case (switch AXO_FILTRY_IGNORUJ_DIAKRITIKU).
    FieldMask(const Text& typed, std::size_t length, bool fold);
    /// Whether the value fits: an all-"?" mask fits every value, the empty one too; otherwise
    /// "?" stands for any character and the value, cut or padded with blanks to the mask's
    /// length, must have the mask's character everywhere else.
    bool Fits(const Text& value) const;
    const Text& Mask() const { return mask_; }

  private:
    Text mask_;
    bool any_ = true;
    bool fold_ = false;
};

/// The name of the current process for the length of a command: a pushed entry is renamed,
/// and without one an entry is pushed and popped again.
class ProcessName {
  public:
    ProcessName(ui::UiServices& ui, const Text& name);
    ~ProcessName();
    ProcessName(const ProcessName&) = delete;
    ProcessName& operator=(const ProcessName&) = delete;

  private:
    ui::UiServices& ui_;
    bool pushed_ = false;
};

/// An account of the chart with its PAP code, as a run found them.
struct AccountFacts {
    bool found = false;  ///< in the chart (a synthetic account with analytic ones counts)
    pap::tVetaRozvrh account;
    bool papFound = false;  ///< the account's analytics is in the PAP code list
    pap::tVetaUAPV papCode;
    bool papIsSum = false;  ///< 3 characters, and a longer code follows

    /// The account's statistical analytics, blanks dropped.
    Text Analytics() const;
};

/// The look-ups of a run, each made once: most runs touch few accounts and codes, and the
/// code lists are small, so what was found is kept for the length of the run.
class Lookups {
  public:
    explicit Lookups(pap::CodeLists& lists) : lists_(lists) {}

    /// The account (SU, AE) with its PAP code.
    const AccountFacts& Account(pap::Word su, pap::Word ae);
    /// The transaction code; none when it is not in the list.
    const pap::tVetaUKod* TransactionCode(const Text& kod);
    /// The PAP code of an analytics; none when it is not in the list.
    const pap::tVetaUAPV* PapCode(const Text& analytics);

  private:
    template <class Record>
    struct Found {
        bool found = false;
        Record record;
    };
    pap::CodeLists& lists_;
    std::map<int, AccountFacts> accounts_;
    std::map<Text, Found<pap::tVetaUKod>> codes_;
    std::map<Text, Found<pap::tVetaUAPV>> papCodes_;
};

}  // namespace axo::control
