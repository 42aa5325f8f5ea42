// Statements X and XI of the methodology from 2014: rows per partner as to 2013, X also per
// partner of the transaction and public contract, both with the partner's name; XI offers the
// margin for editing ("Editovat" in the period dialog).
#pragma once

#include "pap/papVykaz10az13.h"

namespace axo::pap {

class tPAP_Vykaz10 : public tPAP_VykazPartneru {
  public:
    tPAP_Vykaz10(StatementContext& ctx, const VolaniVykazu& volani);
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 32; }

  protected:
    bool Od2014() const override { return true; }
};

class tPAP_Vykaz11 : public tPAP_VykazPartneru {
  public:
    tPAP_Vykaz11(StatementContext& ctx, const VolaniVykazu& volani);
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 64; }

  protected:
    bool Od2014() const override { return true; }
};

/// Statement X, methodology from 2014.
bool SestavVykazX(StatementContext& ctx, const Text& caption, const Text& templateName,
                  ui::ProgressPanel* externalProgress, Text& resultText);
/// Statement XI, methodology from 2014.
bool SestavVykazXI(StatementContext& ctx, const Text& caption, const Text& templateName,
                   ui::ProgressPanel* externalProgress, Text& resultText);

}  // namespace axo::pap
