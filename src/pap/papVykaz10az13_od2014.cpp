// Statements X and XI from 2014.
#include "pap/papVykaz10az13_od2014.h"

#include "pap/papVykaz01.h"

namespace axo::pap {

namespace {

const Text& Metodika2014() {
    static const Text kSubtitle = "METODIKA PLATNÁ OD 2014"_t;
    return kSubtitle;
}

}  // namespace

tPAP_Vykaz10::tPAP_Vykaz10(StatementContext& ctx, const VolaniVykazu& volani)
    : tPAP_VykazPartneru(ctx, 10, volani) {
    SetSubtitle(Metodika2014());
}

void tPAP_Vykaz10::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.P10)
        return;
    RadkyPartneru([this](const tVetaWork& w) {
        oVeta_Zorvi.P1 = w.P1;
        oVeta_Zorvi.P2 = w.P2;
        oVeta_Zorvi.StZakazka = w.StZakazka;
        oVeta_Zorvi.Partner_Nazev = w.Partner_Nazev;
        StavoveSloupce(oVeta_Zorvi, w, PasivniCislem(w.SA, true) || w.AKT_PAS == 'P');
    });
}

tPAP_Vykaz11::tPAP_Vykaz11(StatementContext& ctx, const VolaniVykazu& volani)
    : tPAP_VykazPartneru(ctx, 11, volani) {
    SetSubtitle(Metodika2014());
    SetProcessName(ProcessName() + " "_t + Metodika2014());
    editButton_ = true;
}

void tPAP_Vykaz11::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.P11)
        return;
    RadkyPartneru([this](const tVetaWork& w) {
        oVeta_Zorvi.P1 = w.P1;
        oVeta_Zorvi.Partner_Nazev = w.Partner_Nazev;
        SloupceXI(oVeta_Zorvi, w);
    });
}

bool SestavVykazX(StatementContext& ctx, const Text& caption, const Text& templateName,
                  ui::ProgressPanel* externalProgress, Text& resultText) {
    tPAP_Vykaz10 vykaz(ctx, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

bool SestavVykazXI(StatementContext& ctx, const Text& caption, const Text& templateName,
                   ui::ProgressPanel* externalProgress, Text& resultText) {
    tPAP_Vykaz11 vykaz(ctx, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
