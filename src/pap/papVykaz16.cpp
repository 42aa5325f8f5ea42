// Statement XVI.
#include "pap/papVykaz16.h"

#include "pap/papVykaz01.h"

namespace axo::pap {

void tPAP_Vykaz16::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.P24)
        return;
    RadkyPartneru([this](const tVetaWork& w) {
        oVeta_Zorvi.P1 = w.P1;
        oVeta_Zorvi.Partner_Nazev = w.Partner_Nazev;
        StavoveSloupce(oVeta_Zorvi, w, PasivniPodrozvaha(w.SA));
    });
}

bool SestavVykazXVI(StatementContext& ctx, const Text& caption, const Text& templateName,
                    ui::ProgressPanel* externalProgress, Text& resultText) {
    tPAP_Vykaz16 vykaz(ctx, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
