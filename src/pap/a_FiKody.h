// The transaction code list in its windows: the maintenance window "Číselník kódů transakce"
// (`tAktualizaceFilePAP_Kody`), the picker other dialogs open (`tVyberPAP_Kod`), the record
// editor with its check that a code is not given twice, and the import of "UKod.txt" from the
// window.
#pragma once

#include "pap/CodeListWindow.h"

namespace axo::pap {

class tAktualizaceFilePAP_Kody : public TCodeListWindow<tVetaUKod, tFileUKod> {
  public:
    explicit tAktualizaceFilePAP_Kody(const CodeListEnvironment& env, bool picker = false)
        : TCodeListWindow(env, picker) {}

    /// Prepares the maintenance window (default size, mode "A", window number 249); false when
    /// the list cannot be opened.
    bool PripravAktualizaci();

    Text NazevTrideni() override;

  protected:
    Text Line(const tVetaUKod& record, int row) override;
    bool Edituj(tVetaUKod& record, const tVetaUKod* original, std::int32_t n) override;
    Text Zkontroluj(tVetaUKod& record, const tVetaUKod* original) override;
    Text KlicPouzit(int k) override;
    Text TitulFormulare() const override;
    int TypFormulare() const override;
    std::uint16_t MaskaFormulare() const override { return 2; }
    Text DataFormulare() override;
    bool MaImport() const override { return true; }
    void Importuj() override;
};

/// The picker: 70 characters wide, mode "I", window number 1, positioned on a code.
class tVyberPAP_Kod : public tAktualizaceFilePAP_Kody {
  public:
    explicit tVyberPAP_Kod(const CodeListEnvironment& env) : tAktualizaceFilePAP_Kody(env, true) {}
    /// Prepares the picker positioned on `kod` (padded to 3 characters, as typed).
    bool PripravVyber(const Text& kod);
};

/// Runs the maintenance window with its process name "ČÍSELNÍKY - Číselník kódů transakce pro
/// PAP (pomocný analytický přehled)".
void AktualizaceFilePAP_Kody(const CodeListEnvironment& env);

/// Runs the picker on `kod`; true when a code was chosen: `kod` is then the chosen code and
/// `record`, when given, its record.
bool VyberPAP_Kod(const CodeListEnvironment& env, Text& kod, tVetaUKod* record = nullptr);

/// The editor "PAP (pomocný analytický přehled) - KÓDY TRANSAKCE - pořízení" (or "- oprava"
/// with `original`): the code, the name and the partner duties (two partners only at access
/// level 3). True when saved: `record` holds the values, checked as ZkontrolujKodTransakce
/// does; false when left.
bool EditujKodTransakce(const CodeListEnvironment& env, tFileUKod& file, tVetaUKod& record,
                        const tVetaUKod* original);

/// The checks of the editor's save: an empty code, and a code another record has ("Pokoušíte
/// se zadat již existující číslo kód transakce."); the duty of two partners is stored as "0" or
/// "1". Empty when accepted.
Text ZkontrolujKodTransakce(tFileUKod& file, tVetaUKod& record, const tVetaUKod* original);

/// Whether a transaction code requires two partners of the transaction (its filler begins with
/// a digit other than 0).
bool DvaPartneri(const tVetaUKod& record);

}  // namespace axo::pap
