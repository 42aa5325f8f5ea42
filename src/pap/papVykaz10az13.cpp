// Statements X and XI to 12/2013, the partner statements' result adaptation, XII and XIII.
#include "pap/papVykaz10az13.h"

#include "pap/papVykaz01.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

const Text& Metodika2013() {
    static const Text kSubtitle = "METODIKA PLATNÁ DO 12/2013"_t;
    return kSubtitle;
}

}  // namespace

// ---- Partner statements -------------------------------------------------------------------

void tPAP_VykazPartneru::RadkyPartneru(const std::function<void(const tVetaWork&)>& vypln) {
    ProjdiWork(oVeta_Zorvi.SA, 10, [&](const tVetaWork& veta) {
        vypln(veta);
        PridejVetuZorvi();
    });
}

void tPAP_VykazPartneru::UpravZorviFile(const Text&) {
    if (zorvi_->BtUsedRecs() == 0) {
        PridejPrazdnouVetu();
        return;
    }
    const std::vector<std::int32_t> cisla = CislaVetZorvi(1);
    Postup postup(*this, static_cast<int>(cisla.size()), "redukce výkazu"_t, false);
    Text predchozi;
    bool prvni = true;
    for (std::int32_t n : cisla) {
        postup.Step();
        zorvi_->GetRec(n, &oVeta_Zorvi);
        const Text sa = KeyText(oVeta_Zorvi.SA, 10);
        oVeta_Zorvi.FSA = prvni || sa != predchozi ? oVeta_Zorvi.SA.Get() : Text();
        predchozi = sa;
        prvni = false;
        zorvi_->PutRec(n, &oVeta_Zorvi);
    }
}

// ---- X and XI to 2013 -----------------------------------------------------------------------

tPAP_Vykaz10_2013::tPAP_Vykaz10_2013(StatementContext& ctx, const VolaniVykazu& volani)
    : tPAP_VykazPartneru(ctx, 10, volani) {
    SetSubtitle(Metodika2013());
}

void tPAP_Vykaz10_2013::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.P10)
        return;
    RadkyPartneru([this](const tVetaWork& w) {
        oVeta_Zorvi.P1 = w.P1;
        StavoveSloupce(oVeta_Zorvi, w, PasivniCislem(w.SA, false) || w.AKT_PAS == 'P');
    });
}

void SloupceXI(tVeta_Zorvi& v, const tVetaWork& w) {
    double hlavni = 0;
    double hospodarska = 0;
    if (w.AP_N_V == 2) {
        hlavni = w.ObratyOdDo_NV_ned_MD - w.ObratyOdDo_NV_ned_Dal;
        hospodarska = w.ObratyOdDo_NV_dan_MD - w.ObratyOdDo_NV_dan_Dal;
    } else if (w.AP_N_V == 3) {
        hlavni = w.ObratyOdDo_NV_ned_Dal - w.ObratyOdDo_NV_ned_MD;
        hospodarska = w.ObratyOdDo_NV_dan_Dal - w.ObratyOdDo_NV_dan_MD;
    }
    v.Sloupec[1].SLOUPEC = Round(hlavni, 2);
    v.Sloupec[2].SLOUPEC = Round(hospodarska, 2);
}

tPAP_Vykaz11_2013::tPAP_Vykaz11_2013(StatementContext& ctx, const VolaniVykazu& volani)
    : tPAP_VykazPartneru(ctx, 11, volani) {
    SetSubtitle(Metodika2013());
}

void tPAP_Vykaz11_2013::PodejSloupceDo_oVeta_Zorvi() {
    if (!oVeta_Zorvi.P11)
        return;
    RadkyPartneru([this](const tVetaWork& w) {
        oVeta_Zorvi.P1 = w.P1;
        SloupceXI(oVeta_Zorvi, w);
    });
}

bool SestavVykazX_2013(StatementContext& ctx, const Text& caption, const Text& templateName,
                       ui::ProgressPanel* externalProgress, Text& resultText) {
    tPAP_Vykaz10_2013 vykaz(ctx, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

bool SestavVykazXI_2013(StatementContext& ctx, const Text& caption, const Text& templateName,
                        ui::ProgressPanel* externalProgress, Text& resultText) {
    tPAP_Vykaz11_2013 vykaz(ctx, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

// ---- XII and XIII ----------------------------------------------------------------------------

void tPAP_Vykaz12_13::PodejSloupceDo_oVeta_Zorvi() {
    ctx_.Ui().ShowMessage(ui::MessageKind::Plain,
                          "procedure   tPAP_Vykaz12_13.PodejSloupceDo_oVeta_Zorvi;"_t);
}

Word tPAP_Vykaz12_13::PodejDruhPts() {
    if (oCisloVykazu == 12)
        return 128;
    if (oCisloVykazu == 13)
        return 256;
    ctx_.Ui().ShowMessage(ui::MessageKind::Plain,
                          "function    tPAP_Vykaz12_13.PodejDruhPts: word;"_t);
    return 0;
}

bool tPAP_Vykaz12_13::Sestav() {
    VyplnHlavicku();
    const tVeta_Zorvi hlavicka = oVeta_Zorvi;
    const bool ok = ProjdiWorkC(hlavicka);
    if (ok)
        Vystup();
    return ok;
}

bool tPAP_Vykaz12_13::ProjdiWorkC(const tVeta_Zorvi& hlavicka) {
    const std::int32_t pocet = work_->BtUsedRecs();
    if (pocet > 0) {
        Postup postup(*this, pocet, "příprava výkazu"_t);
        Text predchozi[3];
        std::int32_t n = 0;
        Text key;
        work_->BtClearKey(1);
        while (work_->BtNextKey(1, n, key)) {
            if (!postup.Step())
                return false;
            tVetaWork w;
            work_->GetRec(n, &w);
            const int c = CisloKodu(w.TRANSAKCE);
            const double castka = c >= 1 && c <= 20    ? w.ObratyOdDo_MD - w.ObratyOdDo_Dal
                                  : c >= 51 && c <= 70 ? w.ObratyOdDo_Dal - w.ObratyOdDo_MD
                                                       : 0;
            if (EqualAtDecimals(castka, 0, 2))
                continue;
            // Groups by analytics, + code, + partner 1, as the key orders the records.
            const Text skupiny[3] = {key.substr(0, 10), key.substr(0, 13), key.substr(0, 23)};
            oVeta_Zorvi = hlavicka;
            oVeta_Zorvi.SA = w.SA;
            oVeta_Zorvi.FSA = skupiny[0] != predchozi[0] ? w.SA.Get() : Text();
            oVeta_Zorvi.Sloupec[1].TRANSAKCE = w.TRANSAKCE;
            oVeta_Zorvi.FKT = skupiny[1] != predchozi[1] ? w.TRANSAKCE.Get() : Text();
            oVeta_Zorvi.P1 = w.P1;
            oVeta_Zorvi.FP1 = skupiny[2] != predchozi[2] ? w.P1.Get() : Text();
            oVeta_Zorvi.P2 = w.P2;
            // The name goes with the partner to the XML, which names foreign partners.
            oVeta_Zorvi.Partner_Nazev = w.Partner_Nazev;
            oVeta_Zorvi.Sloupec[1].SLOUPEC = Round(castka, 2);
            PridejVetuZorvi();
            for (int i = 0; i < 3; ++i)
                predchozi[i] = skupiny[i];
        }
    }
    if (zorvi_->BtUsedRecs() == 0) {
        oVeta_Zorvi = hlavicka;
        PridejVetuZorvi();
    }
    return true;
}

bool SestavVykazXII_XIII(StatementContext& ctx, int cislo, const Text& caption,
                         const Text& templateName, Text& resultText,
                         ui::ProgressPanel* externalProgress) {
    tPAP_Vykaz12_13 vykaz(ctx, cislo, {caption, templateName, externalProgress, nullptr, false});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
