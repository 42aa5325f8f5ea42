// Statements IV to IX: the turnovers of the period by type of change (transaction code) per PAP
// code row - columns laid out from the transaction code list, amounts and marks per code, the
// fixed codes in the special columns, the protocol of incorrect codes, and the full or reduced
// layout for printing. Run procedure B. Statement IX is refused from 2022.
#pragma once

#include <array>
#include <set>

#include "pap/papVykaz.h"

namespace axo::pap {

class tPAP_Vykaz04_09 : public tPAP_Vykaz {
  public:
    tPAP_Vykaz04_09(StatementContext& ctx, int cislo, const VolaniVykazu& volani)
        : tPAP_Vykaz(ctx, cislo, volani) {}
    bool Sestav() override;
    void PodejSloupceDo_oVeta_Zorvi() override;
    Word PodejDruhPts() override { return 24; }
    /// Template "IV-IX-KOMPLET": every row gets the same columns, one per code number;
    /// any other: only the columns with an amount somewhere, in code order.
    void UpravZorviFile(const Text& templateName) override;

    /// Whether a template designation names the full layout: the text after its first blank
    /// begins with "IV-IX-KOMPLET".
    static bool JeKompletni(const Text& templateName);

  private:
    /// The statement's codes 01-20 and 51-70 in code order (at most 40), read once.
    const std::vector<Text>& KodySloupcu();
    void PrictiWork(const tVetaWork& veta);
    /// Notes the PAP codes that get a row of their own in this statement.
    void NactiKodyRadku();
    bool PrictiDoSloupce(const Text& kod, int n, double md, double dal);
    void PrictiPevny(const Text& kod, int n, double md, double dal);
    Text Stitek(int kod) const;
    void UplneSloupce();
    void RedukovaneSloupce();

    std::vector<Text> kody_;
    bool kodyNacteny_ = false;
    std::set<Text> kodyRadku_;  ///< the trimmed PAP codes with a row in this statement
};

/// Statement IV ... IX (`cislo` 4-9); IX from fiscal year 2022 only says that it is no longer
/// submitted.
bool SestavVykazIV_IX(StatementContext& ctx, int cislo, const Text& caption,
                      const Text& templateName, ui::ProgressPanel* externalProgress,
                      Text& resultText, const XmlExportParams* batchParams, bool batch);

}  // namespace axo::pap
