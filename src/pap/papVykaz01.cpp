// Statements I and XV.
#include "pap/papVykaz01.h"

#include <optional>

#include "util/Retezce.h"

namespace axo::pap {

bool PasivniCislem(const Text& sa, bool s071az089) {
    const int n = CisloAnalytiky(sa);
    return (n >= 141 && n <= 199) || (s071az089 && n >= 71 && n <= 89);
}

bool PasivniPodrozvaha(const Text& sa) {
    static const char* const kVzory[] = {"906", "912", "914", "916", "952", "954",
                                         "956", "97?", "98?", "993", "994"};
    const Text prefix = sa.substr(0, 3);
    if (prefix.size() < 3)
        return false;
    for (const char* vzor : kVzory)
        if (MaskMatch(Text::FromBytes(vzor), prefix))
            return true;
    return false;
}

double PocatecniStav(const tVetaWork& w, bool pasivni) {
    return Round(pasivni ? w.PZ_Dal - w.PZ_MD : w.PZ_MD - w.PZ_Dal, 2);
}

void KonecnyStav(tVeta_Zorvi& v, bool pasivni) {
    const double s01 = v.Sloupec[1].SLOUPEC;
    const double s02 = v.Sloupec[2].SLOUPEC;
    const double s03 = v.Sloupec[3].SLOUPEC;
    v.Sloupec[4].SLOUPEC = Round(pasivni ? s01 + s03 - s02 : s01 + s02 - s03, 2);
}

void StavoveSloupce(tVeta_Zorvi& v, const tVetaWork& w, bool pasivni) {
    v.Sloupec[1].SLOUPEC = PocatecniStav(w, pasivni);
    v.Sloupec[2].SLOUPEC = w.ObratyOdDo_MD;
    v.Sloupec[3].SLOUPEC = w.ObratyOdDo_Dal;
    KonecnyStav(v, pasivni);
}

bool tPAP_Vykaz01::PasivniPravidlem() const {
    return PasivniCislem(oVeta_Zorvi.SA, true);
}

bool tPAP_Vykaz01::Pasivni(const tVetaWork& veta) const {
    return PasivniPravidlem() || veta.AKT_PAS == 'P';
}

bool tPAP_Vykaz15::PasivniPravidlem() const {
    return PasivniPodrozvaha(oVeta_Zorvi.SA);
}

bool tPAP_Vykaz15::Pasivni(const tVetaWork&) const {
    return PasivniPravidlem();
}

void tPAP_Vykaz01::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.Soucet) {
        tVetaWork veta;
        if (NajdiWork(oVeta_Zorvi.SA, veta))
            StavoveSloupce(oVeta_Zorvi, veta, Pasivni(veta));
        return;
    }
    // The side of a sum row is decided once: by its code, else by its first account.
    std::optional<bool> pasivni;
    tSloupec* s = oVeta_Zorvi.Sloupec;
    ProjdiWork(oVeta_Zorvi.SA, 3, [&](const tVetaWork& veta) {
        if (!pasivni)
            pasivni = Pasivni(veta);
        s[1].SLOUPEC = Pricti(s[1].SLOUPEC, PocatecniStav(veta, *pasivni));
        s[2].SLOUPEC = Pricti(s[2].SLOUPEC, veta.ObratyOdDo_MD);
        s[3].SLOUPEC = Pricti(s[3].SLOUPEC, veta.ObratyOdDo_Dal);
    });
    KonecnyStav(oVeta_Zorvi, pasivni.value_or(PasivniPravidlem()));
}

bool SestavVykazI(StatementContext& ctx, const Text& caption, const Text& templateName,
                  ui::ProgressPanel* externalProgress, Text& resultText,
                  const XmlExportParams* batchParams, bool batch) {
    tPAP_Vykaz01 vykaz(ctx, {caption, templateName, externalProgress, batchParams, batch});
    return SpustVykaz(vykaz, resultText);
}

bool SestavVykazXV(StatementContext& ctx, const Text& caption, const Text& templateName,
                   ui::ProgressPanel* externalProgress, Text& resultText,
                   const XmlExportParams* batchParams, bool batch) {
    tPAP_Vykaz15 vykaz(ctx, {caption, templateName, externalProgress, batchParams, batch});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
