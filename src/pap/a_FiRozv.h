// The chart of accounts in its windows, as far as PAP and the account's nature concern them:
// the maintenance window "Účtový rozvrh - aktualizace" (`tAktualizaceUcRozvrhu`), the picker
// of accounts (`tVyberRozvrh`), and the editor `tDialogRozv` over three pages - the account's
// own data with its nature kept to the rules of its class, its note, and its PAP attributes,
// which the picker of PAP codes fills from a chosen code.
#pragma once

#include <vector>

#include "pap/CodeListWindow.h"

namespace axo::pap {

class tAktualizaceUcRozvrhu : public TCodeListWindow<tVetaRozvrh, tFileRozvrh> {
  public:
    explicit tAktualizaceUcRozvrhu(const CodeListEnvironment& env, bool picker = false)
        : TCodeListWindow(env, picker) {}

    /// Prepares the maintenance window (default size, mode "A", window number 28, the notice
    /// "Čekejte, připravuji soubor." while the list is read); false when the chart cannot be
    /// opened ("Soubor účetní rozvrh je otevřen." when another user holds it).
    bool PripravAktualizaci();

    Text NazevTrideni() override;

    /// The note of record `n` as the table keeps it.
    Text PoznamkaZaznamu(std::int32_t n);
    /// The note the next write from outside the window (UlozBezDialogu) stores.
    void NastavPoznamku(const Text& notes) { notes_ = notes; }

  protected:
    bool SetLength_BufferOfRecord_BufferOfHash() override;
    void UlozVetuDoRadku(int row) override;
    void PresunRadek(int from, int to) override;
    Text Line(const tVetaRozvrh& record, int row) override;
    tVetaRozvrh NovyZaznam() override;
    tVetaRozvrh KopieZaznamu(int row) override;
    void ZpracujRadek(int row, Text& key, std::int32_t& n, int maxLength) override;
    bool Edituj(tVetaRozvrh& record, const tVetaRozvrh* original, std::int32_t n) override;
    Text Zkontroluj(tVetaRozvrh& record, const tVetaRozvrh* original) override;
    Text KlicPouzit(int k) override;
    void PredZapisem(const tVetaRozvrh& record) override;
    Text TitulFormulare() const override;
    int TypFormulare() const override;
    std::uint16_t MaskaFormulare() const override { return 0; }
    int OpenWait() const override { return storage::_NoWait; }
    void OpenFailed(tFileRozvrh& file) override;

  private:
    std::vector<Text> rowNotes_;
    Text notes_;  ///< the note of the record being edited
    bool notesLoaded_ = false;
};

/// The picker " Vyberte si z číselníku účtů ": 70 characters wide, mode "I", window number 24.
class tVyberRozvrh : public tAktualizaceUcRozvrhu {
  public:
    explicit tVyberRozvrh(const CodeListEnvironment& env) : tAktualizaceUcRozvrhu(env, true) {}
    /// Prepares the picker positioned on the account (synthetic, analytic).
    bool PripravVyber(Word synthetic, Word analytic);
};

/// Runs the maintenance window with its process name "ČÍSELNÍKY - Účtový rozvrh".
void AktualizaceUcRozvrhu(const CodeListEnvironment& env);

/// Runs the picker on an account; true when one was chosen: `synthetic` and `analytic` are then
/// its number and `record`, when given, its record.
bool VyberRozvrh(const CodeListEnvironment& env, Word& synthetic, Word& analytic,
                 tVetaRozvrh* record = nullptr);

/// The editor "ÚČTOVÝ ROZVRH - přidání nového účtu" (or "- oprava účtu" with `original`) over
/// the pages " Evidenční údaje ", " Poznámkový blok " and " Pomocný analytický přehled (PAP) ".
/// True when saved: `record` and `notes` hold the values, checked as ZkontrolujUcet does.
bool EditujUcet(const CodeListEnvironment& env, tFileRozvrh& file, tVetaRozvrh& record, Text& notes,
                const tVetaRozvrh* original);

/// The checks of the editor's save: the nature and the kind of activity kept to the rules of
/// the account's class; an account number another record has; an empty analytics clears the PAP
/// attributes; at most one of statements I, II, III and XV, and at most one of IV-IX. Empty when
/// accepted.
Text ZkontrolujUcet(const CodeListEnvironment& env, tFileRozvrh& file, tVetaRozvrh& record,
                    const tVetaRozvrh* original);

/// The currencies the editor offers after the empty choice (no currency).
const std::vector<Text>& NabizeneMeny();

}  // namespace axo::pap
