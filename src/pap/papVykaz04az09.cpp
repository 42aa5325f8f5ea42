// Statements IV to IX: the columns of a row and the amounts of its work records.
#include "pap/papVykaz04az09.h"

#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kMaxSloupcu = 40;

bool JeSloupcovyKod(int n) {
    return (n >= 1 && n <= 20) || (n >= 51 && n <= 70);
}

}  // namespace

const std::vector<Text>& tPAP_Vykaz04_09::KodySloupcu() {
    if (kodyNacteny_)
        return kody_;
    kodyNacteny_ = true;
    tFileUKod& file = ciselniky_->TransactionCodes();
    const char digit = static_cast<char>('0' + oCisloVykazu);
    Text key(1, digit);
    std::int32_t n = 0;
    if (!file.BtSearchKey(1, n, key))
        return kody_;
    do {
        if (key.empty() || key[0] != digit)
            break;
        tVetaUKod veta;
        file.GetRec(n, &veta);
        if (JeSloupcovyKod(CisloKodu(veta.Kod)) && kody_.size() < kMaxSloupcu)
            kody_.push_back(Trim(veta.Kod));
    } while (file.BtNextKey(1, n, key));
    return kody_;
}

bool tPAP_Vykaz04_09::Sestav() {
    NactiKodyRadku();
    return SestavB();
}

void tPAP_Vykaz04_09::NactiKodyRadku() {
    // Read before the rows are walked: the walk keeps its place in the same code list.
    kodyRadku_.clear();
    tFileUAPV& file = ciselniky_->PapCodes();
    file.BtClearKey(1);
    std::int32_t n = 0;
    Text key;
    while (file.BtNextKey(1, n, key)) {
        tVetaUAPV veta;
        file.GetRec(n, &veta);
        if (veta.VYKAZY[oCisloVykazu - 1])
            kodyRadku_.insert(Trim(veta.STAT_ANAL));
    }
}

void tPAP_Vykaz04_09::PodejSloupceDo_oVeta_Zorvi() {
    const std::vector<Text>& kody = KodySloupcu();
    for (std::size_t i = 0; i < kody.size(); ++i) {
        tSloupec& s = oVeta_Zorvi.Sloupec[i + 1];
        s.TRANSAKCE = kody[i];
        const int n = CisloKodu(kody[i]);
        const bool povolen = n <= 20 ? oVetaPAP.MdFlag(n) : oVetaPAP.DalFlag(n);
        if (!povolen)
            s.KRIZEK = kKrizekSkrtnut;
    }
    const std::size_t sirka = oVeta_Zorvi.Soucet ? 3 : 10;
    ProjdiWork(oVeta_Zorvi.SA, sirka, [this](const tVetaWork& veta) { PrictiWork(veta); });
    const PevneKody pevne = PevneKodyVykazu(oCisloVykazu);
    for (int k = 0; k < 2; ++k) {
        if (TrimRight(oVeta_Zorvi.SloupecMD[k].TRANSAKCE).empty() && pevne.md[k] != 0)
            oVeta_Zorvi.SloupecMD[k].TRANSAKCE = Stitek(pevne.md[k]);
        if (TrimRight(oVeta_Zorvi.SloupecDAL[k].TRANSAKCE).empty() && pevne.dal[k] != 0)
            oVeta_Zorvi.SloupecDAL[k].TRANSAKCE = Stitek(pevne.dal[k]);
    }
}

Text tPAP_Vykaz04_09::Stitek(int kod) const {
    return IntToText(oCisloVykazu) + IntToTextZeros(kod, 2);
}

void tPAP_Vykaz04_09::PrictiWork(const tVetaWork& w) {
    const double md = w.ObratyOdDo_MD;
    const double dal = w.ObratyOdDo_Dal;
    if (EqualAtDecimals(md, 0, 2) && EqualAtDecimals(dal, 0, 2))
        return;
    const Text kod = Trim(w.TRANSAKCE);
    const int n = CisloKodu(kod);
    if (PrictiDoSloupce(kod, n, md, dal))
        return;
    // A fixed code must be one of this statement: 533 booked on a IV account has the number
    // of IV's 433 but belongs to another statement and is an incorrect code here. 067
    // (receivables from the sale of assets) never takes the fixed code 33 in VIII.
    const bool vlastni = !kod.empty() && kod[0] == static_cast<char>('0' + oCisloVykazu);
    const bool prijat = vlastni && JePevnyKod(oCisloVykazu, n) &&
                        !(oCisloVykazu == 8 && n == 33 && w.SA.Get().StartsWith("067"_t));
    if (prijat) {
        PrictiPevny(kod, n, md, dal);
        return;
    }
    // A sum row meets the work records of its child rows: they are listed under the most
    // specific row, the sum row lists only those of codes without a row of their own.
    if (oVeta_Zorvi.Soucet && kodyRadku_.count(Trim(w.SA)))
        return;
    if (!ExterniPostup())
        if (tChybovyProtokol* protokol = Protokol())
            protokol->ZapisNekorektniKod(w.SA, w.TRANSAKCE, md, dal);
}

bool tPAP_Vykaz04_09::PrictiDoSloupce(const Text& kod, int n, double md, double dal) {
    for (int c = 1; c <= kMaxSloupcu; ++c) {
        tSloupec& s = oVeta_Zorvi.Sloupec[c];
        if (TrimRight(s.TRANSAKCE).empty() || Trim(s.TRANSAKCE) != kod)
            continue;
        if (n >= 1 && n <= 20) {
            s.SLOUPEC = Pricti(s.SLOUPEC, md - dal);
            s.KRIZEK = oVetaPAP.MdFlag(n) ? kKrizekPovolen : kKrizekNepovolen;
        } else {
            s.SLOUPEC = Pricti(s.SLOUPEC, dal - md);
            s.KRIZEK = oVetaPAP.DalFlag(n) ? kKrizekPovolen : kKrizekNepovolen;
        }
        return true;
    }
    return false;
}

void tPAP_Vykaz04_09::PrictiPevny(const Text& kod, int n, double md, double dal) {
    const PevneKody pevne = PevneKodyVykazu(oCisloVykazu);
    for (int k = 0; k < 2; ++k) {
        if (n == pevne.md[k]) {
            tSloupec& s = oVeta_Zorvi.SloupecMD[k];
            s.SLOUPEC = Pricti(s.SLOUPEC, md - dal);
            s.KRIZEK = kKrizekPovolen;
            s.TRANSAKCE = kod;
        } else if (n == pevne.dal[k]) {
            tSloupec& s = oVeta_Zorvi.SloupecDAL[k];
            s.SLOUPEC = Pricti(s.SLOUPEC, dal - md);
            s.KRIZEK = kKrizekPovolen;
            s.TRANSAKCE = kod;
        }
    }
}

bool SestavVykazIV_IX(StatementContext& ctx, int cislo, const Text& caption,
                      const Text& templateName, ui::ProgressPanel* externalProgress,
                      Text& resultText, const XmlExportParams* batchParams, bool batch) {
    if (ctx.fiscalYear > 2021 && cislo == 9) {
        ctx.Ui().ShowInfo("Výkaz č. IX se od roku 2022 nepodává (byl zrušen)"_t);
        return false;
    }
    tPAP_Vykaz04_09 vykaz(ctx, cislo,
                          {caption, templateName, externalProgress, batchParams, batch});
    return SpustVykaz(vykaz, resultText);
}

}  // namespace axo::pap
