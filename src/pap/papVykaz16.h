// Statement XVI: per partner the states of the off-balance-sheet codes that require partner 1
// and belong to the consolidation unit. Run procedure B; a year without such lines still
// gives one (header) row.
#pragma once

#include "pap/papVykaz10az13.h"

namespace axo::pap {

class tPAP_Vykaz16 : public tPAP_VykazPartneru {
  public:
    tPAP_Vykaz16(StatementContext& ctx, const VolaniVykazu& volani)
        : tPAP_VykazPartneru(ctx, 16, volani) {}
    bool Sestav() override { return SestavB(); }
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 1024; }
};

/// Statement XVI.
bool SestavVykazXVI(StatementContext& ctx, const Text& caption, const Text& templateName,
                    ui::ProgressPanel* externalProgress, Text& resultText);

}  // namespace axo::pap
