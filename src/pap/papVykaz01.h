// Statements I and XV: per PAP code row the opening state, the debit and credit turnovers of
// the period and the closing state - statement I for balance-sheet accounts (run procedure A
// over group 1), XV for off-balance-sheet accounts (run procedure B over the codes of XV).
// Also the side rules and state columns that X and XVI share.
#pragma once

#include "pap/papVykaz.h"

namespace axo::pap {

/// Passive by the number of the first 3 characters of the analytics: 141-199, and with
/// `s071az089` also 71-89.
bool PasivniCislem(const Text& sa, bool s071az089);
/// Passive by the off-balance-sheet patterns 906, 912, 914, 916, 952, 954, 956, 97?, 98?,
/// 993, 994 ("?" any character) on the first 3 characters of the analytics.
bool PasivniPodrozvaha(const Text& sa);
/// The opening state of a work record on the row's side, rounded: credit minus debit on a
/// passive row, debit minus credit otherwise.
double PocatecniStav(const tVetaWork& veta, bool pasivni);
/// The closing state SLOUPEC04 from the opening state and the turnovers (SLOUPEC01-03).
void KonecnyStav(tVeta_Zorvi& veta, bool pasivni);
/// The four state columns of one work record.
void StavoveSloupce(tVeta_Zorvi& veta, const tVetaWork& work, bool pasivni);

class tPAP_Vykaz01 : public tPAP_Vykaz {
  public:
    tPAP_Vykaz01(StatementContext& ctx, const VolaniVykazu& volani, int cislo = 1)
        : tPAP_Vykaz(ctx, cislo, volani) {}
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 2; }

  protected:
    /// The side of the row: statement I by its number rule, else the accounts' nature.
    virtual bool Pasivni(const tVetaWork& veta) const;
    /// Whether the row's own code decides the side, whatever the accounts are.
    virtual bool PasivniPravidlem() const;
};

class tPAP_Vykaz15 : public tPAP_Vykaz01 {
  public:
    tPAP_Vykaz15(StatementContext& ctx, const VolaniVykazu& volani)
        : tPAP_Vykaz01(ctx, volani, 15) {}
    bool Sestav() override { return SestavB(); }
    Word PodejDruhPts() override { return 512; }

  protected:
    bool Pasivni(const tVetaWork& veta) const override;
    bool PasivniPravidlem() const override;
};

/// Statement I. `batchParams` is the batch run's block (none from the menu).
bool SestavVykazI(StatementContext& ctx, const Text& caption, const Text& templateName,
                  ui::ProgressPanel* externalProgress, Text& resultText,
                  const XmlExportParams* batchParams, bool batch);
/// Statement XV.
bool SestavVykazXV(StatementContext& ctx, const Text& caption, const Text& templateName,
                   ui::ProgressPanel* externalProgress, Text& resultText,
                   const XmlExportParams* batchParams, bool batch);

}  // namespace axo::pap
