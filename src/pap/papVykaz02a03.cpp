// Statements II and III.
#include "pap/papVykaz02a03.h"

namespace axo::pap {

void tPAP_Vykaz02_03::Pricti(const tVetaWork& w) {
    const double znamenko = oCisloVykazu == 2 ? 1 : -1;
    tSloupec* s = oVeta_Zorvi.Sloupec;
    s[1].SLOUPEC =
        pap::Pricti(s[1].SLOUPEC, znamenko * (w.ObratyOdDo_NV_ned_MD - w.ObratyOdDo_NV_ned_Dal));
    s[2].SLOUPEC =
        pap::Pricti(s[2].SLOUPEC, znamenko * (w.ObratyOdDo_NV_dan_MD - w.ObratyOdDo_NV_dan_Dal));
}

void tPAP_Vykaz02_03::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.Soucet) {
        tVetaWork veta;
        if (NajdiWork(oVeta_Zorvi.SA, veta))
            Pricti(veta);
        return;
    }
    ProjdiWork(oVeta_Zorvi.SA, 3, [this](const tVetaWork& veta) { Pricti(veta); });
}

bool SestavVykazII_III(StatementContext& ctx, int cislo, const Text& caption,
                       const Text& templateName, ui::ProgressPanel* externalProgress,
                       Text& resultText, const XmlExportParams* batchParams, bool batch) {
    tPAP_Vykaz02_03 vykaz(ctx, cislo,
                          {caption, templateName, externalProgress, batchParams, batch});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
