// The accounting data as PAP reads them: the three code lists (chart of accounts, PAP codes,
// transaction codes) with their look-ups, the document header and line tables opened as a pair,
// and the display forms of a document identification.
#pragma once

#include <memory>

#include "pap/PapFiles.h"

namespace axo::pap {

/// Results of the account look-up.
inline constexpr int kUcetNalezen = 0;         ///< found
inline constexpr int kRozvrhNelzeOtevrit = 1;  ///< the chart cannot be opened
inline constexpr int kUcetNenalezen = 2;       ///< not found (the record is then empty)
inline constexpr int kUcetSAnalytikami = 3;    ///< a synthetic account that has analytic ones

/// The code lists of a fiscal year. Each list is opened shared once and kept open while it
/// is referenced; a look-up on a closed list opens and closes it around the look-up.
class CodeLists {
  public:
    CodeLists(const storage::DataContext& ctx, const PapLocation& where);
    ~CodeLists();
    CodeLists(const CodeLists&) = delete;
    CodeLists& operator=(const CodeLists&) = delete;

    /// Opens the list (one more reference); false when it cannot be opened.
    bool OpenChart() { return Open(*chart_, chartRefs_); }
    bool OpenPapCodes() { return Open(*papCodes_, papRefs_); }
    bool OpenTransactionCodes() { return Open(*transactionCodes_, transactionRefs_); }
    /// Drops one reference; the last one closes the list.
    void CloseChart() { Close(*chart_, chartRefs_); }
    void ClosePapCodes() { Close(*papCodes_, papRefs_); }
    void CloseTransactionCodes() { Close(*transactionCodes_, transactionRefs_); }

    /// The account (SU, AE) on the chart's first key: kUcetNalezen, kUcetSAnalytikami,
    /// kRozvrhNelzeOtevrit or kUcetNenalezen (then `ucet` is cleared).
    int FindAccount(Word su, Word ae, tVetaRozvrh& ucet);
    /// The PAP code of that analytics; false when there is none.
    bool FindPapCode(const Text& sa, tVetaUAPV& kod);
    /// As FindPapCode; `soucet` tells whether the found code has 3 characters and the next code
    /// of the list begins with them (a sum of the longer codes).
    bool FindPapCodeWithSum(const Text& sa, tVetaUAPV& kod, bool& soucet);
    /// The transaction code; false when there is none.
    bool FindTransactionCode(const Text& kod, tVetaUKod& veta);

    tFileRozvrh& Chart() { return *chart_; }
    tFileUAPV& PapCodes() { return *papCodes_; }
    tFileUKod& TransactionCodes() { return *transactionCodes_; }

  private:
    bool Open(storage::tSoubor& file, int& refs);
    void Close(storage::tSoubor& file, int& refs);

    std::unique_ptr<tFileRozvrh> chart_;
    std::unique_ptr<tFileUAPV> papCodes_;
    std::unique_ptr<tFileUKod> transactionCodes_;
    int chartRefs_ = 0;
    int papRefs_ = 0;
    int transactionRefs_ = 0;
};

/// The document header and line tables of a fiscal year, opened and closed together.
class DocumentTables {
  public:
    DocumentTables(const storage::DataContext& ctx, const PapLocation& where);

    /// Opens both shared; on failure shows "Soubory účetních dokladů nelze otevřít." and
    /// returns false. Exclusive opening that fails asks whether to try again.
    bool Open(bool exclusive);
    void Close();

    tFileUDHL& Headers() { return headers_; }
    tFileUDPO& Lines() { return lines_; }

  private:
    const storage::DataContext& ctx_;
    tFileUDHL headers_;
    tFileUDPO lines_;
};

/// The display form of a document identification (year 1-4, month 5-6, kind 7-10, number
/// 11-15): with form "RR" the short form "03/23 FA01/0012" (at most 16 characters), with any
/// other form the long one "03/2023 FA01/0012" (at most 18). Blanks inside are removed but the
/// one after the date; an identification not 15 characters long gives 16 or 18 blanks.
Text DocumentIdText(const Text& identifikace, const Text& form);

}  // namespace axo::pap
