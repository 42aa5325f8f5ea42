// The list of PAP codes for statements in its windows: the maintenance window "Číselník pomocný
// analytický přehled pro výkazy" (`tAktualizaceFilePAPproVykazy`), the picker other dialogs open
// (`tVyberPAPproVykazy`), the record editor with its checks of the statement group, the row and
// the analytics, and the imports of "UPAP.txt" and "UPAP_04" ... "UPAP_09" from the window.
#pragma once

#include "pap/CodeListWindow.h"

namespace axo::pap {

class tAktualizaceFilePAPproVykazy : public TCodeListWindow<tVetaUAPV, tFileUAPV> {
  public:
    explicit tAktualizaceFilePAPproVykazy(const CodeListEnvironment& env, bool picker = false)
        : TCodeListWindow(env, picker) {}

    /// Prepares the maintenance window (default size, mode "A", window number 250); false when
    /// the list cannot be opened.
    bool PripravAktualizaci();

    Text NazevTrideni() override;

  protected:
    Text Line(const tVetaUAPV& record, int row) override;
    bool Edituj(tVetaUAPV& record, const tVetaUAPV* original, std::int32_t n) override;
    Text Zkontroluj(tVetaUAPV& record, const tVetaUAPV* original) override;
    Text KlicPouzit(int k) override;
    Text TitulFormulare() const override;
    int TypFormulare() const override;
    std::uint16_t MaskaFormulare() const override { return 1; }
    bool MaImport() const override { return true; }
    void Importuj() override;
};

/// The picker: default size, mode "I", window number 1, positioned on an analytics.
class tVyberPAPproVykazy : public tAktualizaceFilePAPproVykazy {
  public:
    explicit tVyberPAPproVykazy(const CodeListEnvironment& env)
        : tAktualizaceFilePAPproVykazy(env, true) {}
    /// Prepares the picker positioned on `sa` (padded to 10 characters, as typed).
    bool PripravVyber(const Text& sa);
};

/// Runs the maintenance window with its process name "ČÍSELNÍKY - POMOCNÝ ANALYTICKÝ PŘEHLED
/// pro výkazy".
void AktualizaceFilePAPproVykazy(const CodeListEnvironment& env);

/// Runs the picker on `sa`; true when a code was chosen: `sa` is then its analytics and
/// `record`, when given, its record.
bool VyberPAPproVykazy(const CodeListEnvironment& env, Text& sa, tVetaUAPV* record = nullptr);

/// The editor "Číselník pro výkazy PAP (pomocný analytický přehled) - pořízení" (or "- oprava"
/// with `original`), its fields on two pages: the analytics, description, duties, statements,
/// row and the margin/turnover flag; the transaction codes of the debit and the credit side and
/// their exemptions from the partner check. True when saved: `record` holds the values, checked
/// as ZkontrolujKodPAP does; false when left.
bool EditujKodPAP(const CodeListEnvironment& env, tFileUAPV& file, tVetaUAPV& record,
                  const tVetaUAPV* original);

/// The statement group a code is saved with: the first of statements I, II, III checked (the
/// other two then unchecked), or 0 for a code of statement XV alone. The refusal when one of
/// I-III is checked with XV, or none of the four; empty when accepted.
Text UpravSkupinuVykazu(tVetaUAPV& record);

/// The checks of the editor's save: an analytics given and not used by another record, then the
/// statement group (UpravSkupinuVykazu). Empty when accepted.
Text ZkontrolujKodPAP(tFileUAPV& file, tVetaUAPV& record, const tVetaUAPV* original);

/// The boxes of statements I-XVII of `flags` (18-20 exist but are not shown), five a column
/// from `firstRow`, named "vykazy01" ...; `boxes`, when given, gets the 17 boxes.
void InsertStatementBoxes(ui::TDialogAXO& dialog, Boolean (&flags)[20], int firstRow,
                          ui::TCheckBoxAXO** boxes = nullptr);

/// An element name: `prefix` and the number in two digits ("md05").
std::string NumberedName(const char* prefix, int n);

/// The statement digit of the transaction-code captions: the last of statements IV-IX the code
/// belongs to, else "n".
char CisloVykazuKodu(const tVetaUAPV& record);

}  // namespace axo::pap
