// Statements II and III: costs (II) and revenues (III) of the period per PAP code row, split
// into the main activity (SLOUPEC01) and the economic activity (SLOUPEC02). Run procedure A over
// PAP code group 2 or 3.
#pragma once

#include "pap/papVykaz.h"

namespace axo::pap {

class tPAP_Vykaz02_03 : public tPAP_Vykaz {
  public:
    tPAP_Vykaz02_03(StatementContext& ctx, int cislo, const VolaniVykazu& volani)
        : tPAP_Vykaz(ctx, cislo, volani) {}
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 4; }

  private:
    /// Adds a work record's differences: debit minus credit for costs, the reverse for
    /// revenues.
    void Pricti(const tVetaWork& veta);
};

/// Statement II or III (`cislo` 2 or 3).
bool SestavVykazII_III(StatementContext& ctx, int cislo, const Text& caption,
                       const Text& templateName, ui::ProgressPanel* externalProgress,
                       Text& resultText, const XmlExportParams* batchParams, bool batch);

}  // namespace axo::pap
