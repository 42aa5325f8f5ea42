// Statements X to XIII by partner: X (states and turnovers per partner) and XI (costs and
// revenues per partner of the transaction) of the methodology to 12/2013, the shared result
// adaptation of X, XI and XVI, and XII and XIII (changes per transaction code and partners)
// with their own run procedure C.
#pragma once

#include "pap/papVykaz.h"

namespace axo::pap {

/// What the partner statements X, XI and XVI share: rows per work record of a code's
/// analytics, and the result adapted for printing (a header row when empty, FSA per group).
class tPAP_VykazPartneru : public tPAP_Vykaz {
  public:
    using tPAP_Vykaz::tPAP_Vykaz;
    /// An empty result gets one row with only the header; otherwise FSA is set on the first
    /// row of each analytics.
    void UpravZorviFile(const Text& templateName) override;

  protected:
    /// Adds one row per work record of the row's analytics, filled by `vypln`.
    void RadkyPartneru(const std::function<void(const tVetaWork&)>& vypln);
};

/// Statement X: per partner the opening state, turnovers and closing state of the codes with
/// VYKAZY10. From 2014 the row also carries partner 2, the public contract and the name.
class tPAP_Vykaz10_2013 : public tPAP_VykazPartneru {
  public:
    tPAP_Vykaz10_2013(StatementContext& ctx, const VolaniVykazu& volani);
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 32; }

  protected:
    bool Od2014() const override { return false; }
};

/// Statement XI: per partner the main and economic activity of the codes with VYKAZY11.
class tPAP_Vykaz11_2013 : public tPAP_VykazPartneru {
  public:
    tPAP_Vykaz11_2013(StatementContext& ctx, const VolaniVykazu& volani);
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 64; }

  protected:
    bool Od2014() const override { return false; }
};

/// Statements XII and XIII: run procedure C over the work file.
class tPAP_Vykaz12_13 : public tPAP_Vykaz {
  public:
    tPAP_Vykaz12_13(StatementContext& ctx, int cislo, const VolaniVykazu& volani)
        : tPAP_Vykaz(ctx, cislo, volani) {}
    bool Sestav() override;
    /// Not used by run procedure C; says so.
    void PodejSloupceDo_oVeta_Zorvi() override;
    /// 128 for XII, 256 for XIII; any other statement says so and gives 0.
    Word PodejDruhPts() override;
    void UpravZorviFile(const Text&) override {}

  private:
    bool ProjdiWorkC(const tVeta_Zorvi& hlavicka);
};

/// The columns of XI from a work record: main activity in SLOUPEC01, economic in SLOUPEC02,
/// debit minus credit on cost accounts (AP_N_V 2), the reverse on revenue accounts (3).
void SloupceXI(tVeta_Zorvi& veta, const tVetaWork& work);

/// Statement X, methodology to 12/2013.
bool SestavVykazX_2013(StatementContext& ctx, const Text& caption, const Text& templateName,
                       ui::ProgressPanel* externalProgress, Text& resultText);
/// Statement XI, methodology to 12/2013.
bool SestavVykazXI_2013(StatementContext& ctx, const Text& caption, const Text& templateName,
                        ui::ProgressPanel* externalProgress, Text& resultText);
/// Statement XII or XIII (`cislo` 12 or 13).
bool SestavVykazXII_XIII(StatementContext& ctx, int cislo, const Text& caption,
                         const Text& templateName, Text& resultText,
                         ui::ProgressPanel* externalProgress);

}  // namespace axo::pap
