// Editing the result file of statement XI from 2014 before it is exported and printed: the
// browser `tEditacePAPZorviFile` lists the cost and revenue rows whose PAP code asks for a
// margin ("XI: zobrazovat marži"), and the dialog "Zadejte" takes the average margin of a row's
// partner into `SLOUPEC03`, from where it goes into the printout and the XML like every column.
#pragma once

#include <cstdint>

#include "pap/papVykazFiles.h"
#include "ui/browse/RecordBrowser.h"

namespace axo::pap {

class tEditacePAPZorviFile : public ui::TRecordBrowser<tVeta_Zorvi> {
  public:
    /// The browser over the open result file `result` (which it does not close).
    tEditacePAPZorviFile(ui::UiServices& ui, const ui::BrowserEnvironment& env, tFileZorvi& result,
                         const Text& homeCurrency);

    /// Prepares the window titled `processName` (default size, mode "Z ENTER", window number
    /// 258), with "Pokračovat" on the leave button and "Marže" on the change button.
    bool PripravEditaci(const Text& processName);

    bool OtevriData() override;
    bool VetaVyhovuje() override;
    Text TextRadku(int row) override;

  protected:
    void ZpracujRadek(int row, Text& key, std::int32_t& n, int maxLength) override;
    void ButtonRowLaidOut() override;

  private:
    tFileZorvi& result_;
    Text homeCurrency_;
    tVeta_Zorvi scratch_;
};

/// The result-file editor of statement `statement` run by the statement engine: for statement
/// XI the browser of the rows that ask for a margin, or, when there is none, the information
/// "Žádná z položek výkazu XI. nevyžaduje zadání marže."; other statements have nothing to
/// edit. Returns when the user goes on.
void EditujVysledek(ui::UiServices& ui, const ui::BrowserEnvironment& env, const Text& homeCurrency,
                    int statement, const Text& processName, tFileZorvi& result);

/// The list line of a result row: " " + analytics (10) + " " + partner (10) + " " and the
/// columns 1, 2 and 3, each right-aligned in 15 characters with 2 decimals and followed by a
/// blank.
Text RadekMarze(const tVeta_Zorvi& row);
/// The column header of the list.
Text HlavickaMarze();

/// The dialog "Zadejte" on a row: its analytics, partner and amounts, and the average margin
/// (8 characters, 2 decimals) typed into `row`'s SLOUPEC03. True when confirmed.
bool ZadejMarzi(ui::UiServices& ui, const ui::DialogEnvironment& env, const Text& homeCurrency,
                tVeta_Zorvi& row);

/// What writing a margin came to.
enum class MarginOutcome {
    Written,
    NoRow,     ///< no row of that analytics and partner
    NoMargin,  ///< the row's PAP code asks for no margin
    Locked,    ///< the result file's write lock could not be taken
};

/// Writes `margin` (rounded to 2 decimals) into SLOUPEC03 of record `n` under the file's write
/// lock.
MarginOutcome ZapisMarzi(tFileZorvi& result, std::int32_t n, double margin);

/// As above, for the row of analytics `sa` and partner `p1` (both compared trimmed).
MarginOutcome ZapisMarzi(tFileZorvi& result, const Text& sa, const Text& p1, double margin);

}  // namespace axo::pap
