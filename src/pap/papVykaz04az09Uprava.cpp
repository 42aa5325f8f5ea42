// Statements IV to IX: the result adapted to the chosen template - the full layout with one
// column per code number, or the reduced one with only the columns that carry an amount.
#include <map>

#include "pap/papVykaz04az09.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

constexpr int kSloupcuSestavy = 40;

bool NenulovaCastka(const tSloupec& s) {
    return !EqualAtDecimals(s.SLOUPEC, 0, 2);
}

/// The column of a code number in the full layout: debit code n in column n, credit code n
/// in column n - 30; 0 for any other number.
int UplnySloupec(int n) {
    return n >= 1 && n <= 20 ? n : n >= 51 && n <= 70 ? n - 30 : 0;
}

}  // namespace

bool tPAP_Vykaz04_09::JeKompletni(const Text& templateName) {
    const std::size_t blank = templateName.find(' ');
    const Text name = blank == Text::npos ? Text() : templateName.substr(blank + 1);
    return NationalUpperCase(name.substr(0, 13)) == "IV-IX-KOMPLET"_t;
}

void tPAP_Vykaz04_09::UpravZorviFile(const Text& templateName) {
    if (JeKompletni(templateName))
        UplneSloupce();
    else
        RedukovaneSloupce();
}

void tPAP_Vykaz04_09::UplneSloupce() {
    std::array<Text, kSloupcuSestavy + 1> stitky;
    for (int n : {1, 51}) {
        for (int i = n; i < n + 20; ++i) {
            tVetaUKod veta;
            const Text kod = Stitek(i);
            if (ciselniky_->FindTransactionCode(kod, veta))
                stitky[static_cast<std::size_t>(UplnySloupec(i))] = kod;
        }
    }
    const std::vector<std::int32_t> cisla = CislaVetZorvi(0);
    Postup postup(*this, static_cast<int>(cisla.size()), "redukce výkazu"_t, false);
    for (std::int32_t n : cisla) {
        postup.Step();
        zorvi_->GetRec(n, &oVeta_Zorvi);
        std::array<tSloupec, kSloupcuSestavy + 1> nove{};
        for (int i = 1; i <= kSloupcuSestavy; ++i)
            nove[i].TRANSAKCE = stitky[i];
        for (int c = 1; c <= kSloupcuSestavy; ++c) {
            const tSloupec& s = oVeta_Zorvi.Sloupec[c];
            const int cil = UplnySloupec(CisloKodu(s.TRANSAKCE));
            if (TrimRight(s.TRANSAKCE).empty() || cil == 0)
                continue;
            nove[cil].SLOUPEC = s.SLOUPEC;
            nove[cil].KRIZEK = s.KRIZEK;
        }
        for (int i = 1; i <= kSloupcuSestavy; ++i)
            oVeta_Zorvi.Sloupec[i] = nove[i];
        zorvi_->PutRec(n, &oVeta_Zorvi);
    }
}

void tPAP_Vykaz04_09::RedukovaneSloupce() {
    const std::vector<std::int32_t> cisla = CislaVetZorvi(0);
    Postup postup(*this, 2 * static_cast<int>(cisla.size()), "redukce výkazu"_t, false);
    bool sloupec[kSloupcu] = {};
    bool md[2] = {};
    bool dal[2] = {};
    for (std::int32_t n : cisla) {
        postup.Step();
        zorvi_->GetRec(n, &oVeta_Zorvi);
        for (int c = 1; c < kSloupcu; ++c)
            sloupec[c] = sloupec[c] || NenulovaCastka(oVeta_Zorvi.Sloupec[c]);
        for (int k = 0; k < 2; ++k) {
            md[k] = md[k] || NenulovaCastka(oVeta_Zorvi.SloupecMD[k]);
            dal[k] = dal[k] || NenulovaCastka(oVeta_Zorvi.SloupecDAL[k]);
        }
    }
    const PevneKody pevne = PevneKodyVykazu(oCisloVykazu);
    for (std::int32_t n : cisla) {
        postup.Step();
        zorvi_->GetRec(n, &oVeta_Zorvi);
        // Each column that stays goes to the slot of its code number, so that debit codes
        // come first, then the debit fixed codes, the credit codes and the credit fixed codes.
        std::map<int, tSloupec> sloty;
        for (int c = 1; c < kSloupcu; ++c)
            if (sloupec[c])
                sloty[CisloKodu(oVeta_Zorvi.Sloupec[c].TRANSAKCE)] = oVeta_Zorvi.Sloupec[c];
        for (int k = 0; k < 2; ++k) {
            if (md[k] && pevne.md[k] != 0) {
                tSloupec s = oVeta_Zorvi.SloupecMD[k];
                s.TRANSAKCE = Stitek(pevne.md[k]);
                sloty[pevne.md[k]] = s;
            }
            if (dal[k] && pevne.dal[k] != 0) {
                tSloupec s = oVeta_Zorvi.SloupecDAL[k];
                s.TRANSAKCE = Stitek(pevne.dal[k]);
                sloty[pevne.dal[k]] = s;
            }
        }
        VymazSloupce(oVeta_Zorvi);
        int c = 1;
        for (const auto& [kod, s] : sloty)
            if (c <= kSloupcuSestavy)
                oVeta_Zorvi.Sloupec[c++] = s;
        zorvi_->PutRec(n, &oVeta_Zorvi);
    }
}

}  // namespace axo::pap
