// The accumulation of a statement run: the document lines in account order, filtered by state,
// period and account, summed per work key into the work file; lines that cannot be assigned go
// to the error protocol.
#include <algorithm>
#include <iterator>

#include "pap/papVykaz.h"
#include "storage/SqliteText.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

/// The partner country codes accepted as a 2-character partner.
const char* const kKodyZemi[] = {
    "1C", "1D", "1E", "1F", "1H", "1J", "1K", "1L", "1M", "1N", "1O", "1P", "1Q", "1R", "1S", "1T",
    "1Z", "4B", "4C", "4D", "4E", "4F", "4G", "4H", "4I", "4V", "4K", "4L", "4M", "4N", "4O", "4P",
    "4Q", "4R", "4S", "4T", "4Z", "5A", "5B", "5C", "5D", "5E", "5F", "5G", "5H", "5I", "5J", "5K",
    "5L", "5M", "5N", "5O", "5P", "5Q", "5R", "5S", "5T", "5U", "5W", "5X", "5Y", "5Z", "6B", "6C",
    "6D", "6E", "6F", "6G", "6H", "6I", "6J", "6K", "6L", "6M", "6N", "6O", "6P", "6Q", "6R", "6S",
    "6T", "6U", "6Z", "8A", "AD", "AE", "AF", "AG", "AI", "AL", "AM", "AN", "AO", "AQ", "AR", "AS",
    "AT", "AU", "AW", "AX", "AZ", "BA", "BB", "BD", "BE", "BF", "BG", "BH", "BI", "BJ", "BL", "BM",
    "BN", "BO", "BQ", "BR", "BS", "BT", "BV", "BW", "BY", "BZ", "CA", "CC", "CD", "CF", "CG", "CH",
    "CI", "CK", "CL", "CM", "CN", "CO", "CR", "CS", "CU", "CV", "CW", "CX", "CY", "DE", "DJ", "DK",
    "DM", "DO", "DZ", "EC", "EE", "EG", "EH", "ER", "ES", "ET", "FI", "FJ", "FK", "FM", "FO", "FR",
    "FX", "GA", "GB", "GD", "GE", "GF", "GG", "GH", "GI", "GL", "GM", "GN", "GP", "GQ", "GR", "GS",
    "GT", "GU", "GW", "GY", "HK", "HM", "HN", "HR", "HT", "HU", "ID", "IE", "IL", "IM", "IN", "IO",
    "IQ", "IR", "IS", "IT", "JE", "JM", "JO", "JP", "KE", "KG", "KH", "KI", "KM", "KN", "KP", "KR",
    "KW", "KY", "KZ", "LA", "LB", "LC", "LI", "LK", "LR", "LS", "LT", "LU", "LV", "LY", "MA", "MC",
    "MD", "ME", "MF", "MG", "MH", "MK", "ML", "MM", "MN", "MO", "MP", "MQ", "MR", "MS", "MT", "MU",
    "MV", "MW", "MX", "MY", "MZ", "NA", "NC", "NE", "NF", "NG", "NI", "NL", "NO", "NP", "NR", "NU",
    "NZ", "OM", "PA", "PE", "PF", "PG", "PH", "PK", "PL", "PM", "PN", "PR", "PS", "PT", "PW", "PY",
    "QA", "RE", "RO", "RS", "RU", "RW", "SA", "SB", "SC", "SD", "SE", "SG", "SH", "SI", "SJ", "SK",
    "SL", "SM", "SN", "SO", "SR", "SS", "ST", "SV", "SX", "SY", "SZ", "TC", "TD", "TF", "TG", "TH",
    "TJ", "TK", "TL", "TM", "TN", "TO", "TR", "TT", "TV", "TW", "TZ", "UA", "UG", "UM", "US", "UY",
    "UZ", "VA", "VC", "VE", "VG", "VI", "VN", "VU", "WF", "WS", "XK", "YE", "YT", "ZA", "ZM", "ZW",
    "Z8",
};

bool JeKodZeme(const Text& partner) {
    return std::any_of(std::begin(kKodyZemi), std::end(kKodyZemi),
                       [&](const char* kod) { return partner.View() == kod; });
}

bool JenCislice(const Text& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// A special partner value ("111", "222", "333", "444") padded with zeros to 8 characters.
void DoplnPartnera(StrN<10>& partner) {
    // Most partners hold none of the values: they are passed over without a copy.
    const std::string_view v(partner.chars, std::min<std::size_t>(partner.len, 10));
    if (v.find("111") == v.npos && v.find("222") == v.npos && v.find("333") == v.npos &&
        v.find("444") == v.npos)
        return;
    const Text p = Trim(partner);
    if (p == "111"_t || p == "222"_t || p == "333"_t || p == "444"_t)
        partner = "00000"_t + p;
}

/// The period of a line: year and month from the first 6 characters of its identification.
std::int32_t ObdobiRadku(const StrN<15>& identifikace) {
    std::int32_t obdobi = 0;
    for (int i = 0; i < 6; ++i) {
        const char c = i < identifikace.len ? identifikace.chars[i] : ' ';
        if (c < '0' || c > '9')
            return static_cast<std::int32_t>(TextToInt(identifikace.Get().substr(0, 6)));
        obdobi = obdobi * 10 + (c - '0');
    }
    return obdobi;
}

/// Lines of other states and of documents " U" are never counted.
bool Zapocitat(const tVetaUDPO& radek, int vykaz) {
    const bool stav = radek.PRIZNAK == 0 || ((vykaz == 15 || vykaz == 16) && radek.PRIZNAK == 3);
    const bool u = radek.IDENTIFIKACE.len >= 8 && radek.IDENTIFIKACE.chars[6] == ' ' &&
                   radek.IDENTIFIKACE.chars[7] == 'U';
    return stav && !u;
}

Byte AP_N_V(Byte aktPas, int vykaz) {
    if (aktPas == 'M' || aktPas == 'N')
        return 2;
    if (aktPas == 'V' || aktPas == 'W')
        return 3;
    switch (vykaz) {
        case 1:
        case 10:
        case 12:
        case 13:
        case 15:
        case 16:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

PevneKody PevneKodyVykazu(int vykaz) {
    switch (vykaz) {
        case 4:
        case 6:
        case 7:
        case 9:
            return {{33, 0}, {83, 0}};
        case 5:
            return {{33, 34}, {83, 84}};
        case 8:
            return {{32, 33}, {82, 83}};
        default:
            return {};
    }
}

bool JePevnyKod(int vykaz, int n) {
    const PevneKody k = PevneKodyVykazu(vykaz);
    return n != 0 && (n == k.md[0] || n == k.md[1] || n == k.dal[0] || n == k.dal[1]);
}

// ---- Order of the lines ------------------------------------------------------------------------

const std::string& RadekPruchodu::Klic() const {
    if (klic_.empty())
        storage::AppendCp1250AsUtf8(klic_, file_.MakeKey(2, &radek_).View());
    return klic_;
}

bool PoradiRadku::Za(const RadekPruchodu& r) const {
    const int c = storage::CompareKeys(r.Klic(), klic);
    return c < 0 || (c == 0 && r.Cislo() < n);
}

namespace {

PoradiRadku PoradiOf(const RadekPruchodu& r) {
    return {r.Klic(), r.Cislo()};
}

/// The fields of a document line the statements read: the account key's, the state, the
/// period, the amounts, the transaction code, the partners and what the protocols show.
const std::vector<Text> kPoleRadku = {
    "PRIZNAK"_t,
    "IDENTIFIKACE"_t,
    "RADEK"_t,
    "SU"_t,
    "AE"_t,
    "VS1"_t,
    "SALDO_PAR_Year"_t,
    "SALDO_PAR_Month"_t,
    "SALDO_PAR_Day"_t,
    "SALDO_PAR_Hour"_t,
    "SALDO_PAR_Min"_t,
    "SALDO_PAR_Sec"_t,
    "MA_DATI"_t,
    "DAL"_t,
    "KOD"_t,
    "PARTNER"_t,
    "PARTNER2"_t,
    "POZNAMKA"_t,
    "PLATBA_PREDEM"_t,
};

/// The account of a line: what the first six characters of its account key identify.
std::uint32_t UcetRadku(const tVetaUDPO& r) {
    return (static_cast<std::uint32_t>(r.SU) << 16) | r.AE;
}

}  // namespace

// ---- The pass ---------------------------------------------------------------------------------

bool KumulujSpolecne(std::span<tPAP_Vykaz* const> vykazy, bool poradiUctu) {
    if (vykazy.empty())
        return true;
    tPAP_Vykaz& prvni = *vykazy.front();
    // The lines are read through the first statement's tables; every statement has opened
    // the same ones.
    tFileUDPO& radky = prvni.doklady_->Lines();
    for (tPAP_Vykaz* v : vykazy)
        v->ZacniKumulaci();
    bool ok = true;
    {
        tPAP_Vykaz::Postup postup(prvni, radky.BtUsedRecs(), "kumulace účetních záznamů"_t);
        tVetaUDPO radek;
        auto kumuluj = [&](std::int32_t n) {
            if (!postup.Step())
                return ok = false;
            DoplnPartnera(radek.PARTNER);
            DoplnPartnera(radek.PARTNER2);
            const RadekPruchodu r(radky, radek, n);
            for (tPAP_Vykaz* v : vykazy)
                v->KumulujRadekPruchodu(r);
            return true;
        };
        if (poradiUctu) {
            std::int32_t n = 0;
            Text key;
            radky.BtClearKey(2);
            while (radky.BtNextKey(2, n, key) && radky.GetRec(n, &radek) && kumuluj(n)) {
            }
        } else if (!radky.BtScanFields(kPoleRadku, &radek, kumuluj)) {
            ok = false;
        }
    }
    for (tPAP_Vykaz* v : vykazy) {
        if (ok)
            v->DokonciKumulaci();
        else
            v->ZrusKumulaci();
    }
    return ok;
}

void tPAP_Vykaz::ZacniKumulaci() {
    ucty_.clear();
    akumulatory_.clear();
    odlozene_.clear();
}

void tPAP_Vykaz::KumulujRadekPruchodu(const RadekPruchodu& r) {
    const tVetaUDPO& radek = r.Radek();
    if (!Zapocitat(radek, oCisloVykazu))
        return;
    std::unique_ptr<UcetKumulace>& ucet = ucty_[UcetRadku(radek)];
    if (ucet && !ucet->stav.prijat && !ucet->stav.protokolovat)
        return;
    oVetaUD = radek;
    radekPruchodu_ = &r;
    if (!ucet) {
        ucet = std::make_unique<UcetKumulace>();
        PripravStavUctu(ucet->stav);
        ucet->rozvrh = oVetaRozvrh;
        ucet->pap = oVetaPAP;
    } else {
        oVetaRozvrh = ucet->rozvrh;
        oVetaPAP = ucet->pap;
    }
    if (ucet->stav.prijat)
        KumulujRadek(ucet->stav);
    else if (ucet->stav.protokolovat)
        ZapisChybu(ucet->stav.duvod, ucet->stav.soucet);
    radekPruchodu_ = nullptr;
}

void tPAP_Vykaz::DokonciKumulaci() {
    std::vector<std::pair<Text, const tVetaWork*>> poradi;
    poradi.reserve(akumulatory_.size());
    for (const auto& [key, a] : akumulatory_)
        poradi.emplace_back(key, &a.veta);
    std::sort(poradi.begin(), poradi.end());
    for (const auto& [key, veta] : poradi) {
        std::int32_t n = 0;
        work_->AddRec(n, veta);
    }
    std::stable_sort(odlozene_.begin(), odlozene_.end(),
                     [](const OdlozenyRadek& a, const OdlozenyRadek& b) {
                         const int c = storage::CompareKeys(a.poradi.klic, b.poradi.klic);
                         if (c != 0)
                             return c < 0;
                         if (a.poradi.n != b.poradi.n)
                             return a.poradi.n < b.poradi.n;
                         return a.poradiZapisu < b.poradiZapisu;
                     });
    for (const OdlozenyRadek& o : odlozene_)
        if (tChybovyProtokol* protokol = Protokol())
            protokol->ZapisRadek(o.radek);
    ZrusKumulaci();
}

void tPAP_Vykaz::ZrusKumulaci() {
    ucty_.clear();
    akumulatory_.clear();
    odlozene_.clear();
}

void tPAP_Vykaz::PripravStavUctu(UcetStav& stav) {
    stav = UcetStav{};
    oVetaPAP = tVetaUAPV{};
    const int nalezen = ciselniky_->FindAccount(oVetaUD.SU, oVetaUD.AE, oVetaRozvrh);
    stav.protokolovat = true;
    if (nalezen != kUcetNalezen && nalezen != kUcetSAnalytikami) {
        stav.duvod = DuvodChyby::UcetChybi;
        return;
    }
    if (!oVetaRozvrh.VYKAZY[oCisloVykazu - 1]) {
        stav.protokolovat = false;
        return;
    }
    const Text sa = TrimRight(oVetaRozvrh.STAT_ANAL);
    if (Trim(sa).empty()) {
        stav.duvod = DuvodChyby::Nezadana;
        return;
    }
    stav.duvod = DuvodChyby::Analytika;
    if (!ciselniky_->FindPapCodeWithSum(sa, oVetaPAP, stav.soucet) || stav.soucet)
        return;
    stav.prijat = true;
    stav.protokolovat = false;
    stav.saKlic = KeyText(sa, 10);
}

void tPAP_Vykaz::KumulujRadek(const UcetStav& stav) {
    const std::int32_t obdobi = ObdobiRadku(oVetaUD.IDENTIFIKACE);
    oVetaWork = tVetaWork{};
    oVetaWork.Vykaz = static_cast<Byte>(oCisloVykazu);
    oVetaWork.SA = oVetaRozvrh.STAT_ANAL;
    if (!PripravWork())
        return;
    const int delka = DelkaKliceWork(Kind());
    const Text key = delka == 10 ? stav.saKlic : DejKlicWorkFile(oVetaWork, Kind());
    auto [it, novy] = akumulatory_.try_emplace(key);
    Akumulator& a = it->second;
    if (novy) {
        oVetaWork.PARTNER = oVetaRozvrh.PARTNER;
        oVetaWork.CojePartner = oVetaRozvrh.CojePartner;
        oVetaWork.PARTNER2 = oVetaRozvrh.PARTNER2;
        oVetaWork.AKT_PAS = oVetaRozvrh.AKT_PAS;
        oVetaWork.AP_N_V = AP_N_V(oVetaRozvrh.AKT_PAS, oCisloVykazu);
        a.veta = oVetaWork;
        if (JmenoPartnera())
            a.prvni = PoradiOf(*radekPruchodu_);
    } else if (JmenoPartnera() && a.prvni.Za(*radekPruchodu_)) {
        // The record keeps the partner name of its first line in the account order.
        a.veta.Partner_Nazev = oVetaWork.Partner_Nazev;
        a.prvni = PoradiOf(*radekPruchodu_);
    }
    // A line after the period adds no amount, but its record stands (a partner booked only
    // later still gets its zero row).
    if (obdobi > obdobiDo_)
        return;
    Zauctuj(a.veta, obdobi);
    if (oCisloVykazu >= 4 && oCisloVykazu <= 9 && obdobi >= obdobiOd_)
        KontrolaKodu();
}

bool tPAP_Vykaz::JmenoPartnera() const {
    switch (oCisloVykazu) {
        case 10:
        case 11:
            return Od2014();
        case 12:
        case 13:
        case 16:
            return true;
        default:
            return false;
    }
}

void tPAP_Vykaz::Zauctuj(tVetaWork& v, std::int32_t obdobi) const {
    const double md = oVetaUD.MA_DATI;
    const double dal = oVetaUD.DAL;
    if (obdobi < obdobiOd_) {
        v.PZ_MD = Pricti(v.PZ_MD, md);
        v.PZ_Dal = Pricti(v.PZ_Dal, dal);
        return;
    }
    v.ObratyOdDo_MD = Pricti(v.ObratyOdDo_MD, md);
    v.ObratyOdDo_Dal = Pricti(v.ObratyOdDo_Dal, dal);
    if (oVetaRozvrh.PO_CINNOST == 1) {
        v.ObratyOdDo_NV_ned_MD = Pricti(v.ObratyOdDo_NV_ned_MD, md);
        v.ObratyOdDo_NV_ned_Dal = Pricti(v.ObratyOdDo_NV_ned_Dal, dal);
    } else if (oVetaRozvrh.PO_CINNOST == 2) {
        v.ObratyOdDo_NV_dan_MD = Pricti(v.ObratyOdDo_NV_dan_MD, md);
        v.ObratyOdDo_NV_dan_Dal = Pricti(v.ObratyOdDo_NV_dan_Dal, dal);
    }
}

void tPAP_Vykaz::KontrolaKodu() {
    const int c = CisloKodu(oVetaUD.KOD);
    const bool platny = (c >= 1 && c <= 20 && oVetaPAP.MdFlag(c)) ||
                        (c >= 51 && c <= 70 && oVetaPAP.DalFlag(c)) || JePevnyKod(oCisloVykazu, c);
    if (!platny)
        ZapisChybu(DuvodChyby::Partner);
}

// ---- Work keys by statement -------------------------------------------------------------------

bool tPAP_Vykaz::PripravWork() {
    switch (oCisloVykazu) {
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
            oVetaWork.TRANSAKCE = oVetaUD.KOD;
            return true;
        case 10:
        case 11:
            if (Od2014())
                return PripravWork2014();
            if (Trim(oVetaUD.PARTNER).empty()) {
                ZapisChybu(DuvodChyby::Partner);
                return false;
            }
            oVetaWork.P1 = oVetaUD.PARTNER;
            return true;
        case 12:
            return PripravWorkXII();
        case 13:
            return PripravWorkXIII();
        case 16:
            if (!oVetaPAP.PARTNER)
                return false;
            if (Trim(oVetaUD.PARTNER).empty()) {
                ZapisChybu(DuvodChyby::Partner);
                return false;
            }
            oVetaWork.P1 = oVetaUD.PARTNER;
            oVetaWork.Partner_Nazev = oVetaUD.POZNAMKA;
            return true;
        default:
            return true;
    }
}

bool tPAP_Vykaz::PripravWork2014() {
    if (oCisloVykazu == 10) {
        if (oVetaPAP.CojePartner == 0)
            oVetaWork.P2 = oVetaUD.PARTNER;
        else if (oVetaPAP.CojePartner == 1)
            oVetaWork.P1 = oVetaUD.PARTNER;
        oVetaWork.StZakazka = oVetaUD.PLATBA_PREDEM;
    } else {
        oVetaWork.P1 = oVetaUD.PARTNER;
    }
    oVetaWork.Partner_Nazev = oVetaUD.POZNAMKA;
    // A wrong partner is reported, but the line still counts.
    const Text partner = TrimRight(oVetaUD.PARTNER);
    if (partner.size() == 2 && !JeKodZeme(partner))
        ZapisChybu(DuvodChyby::Partner);
    if (partner.size() == 8 && !JenCislice(partner))
        ZapisChybu(DuvodChyby::Partner);
    return true;
}

bool tPAP_Vykaz::PripravWorkXII() {
    const Text kod = Trim(oVetaUD.KOD);
    if (!oVetaPAP.PARTNER || kod.empty() || !(oVetaPAP.PARTNER2 || oVetaPAP.CojePartner == 0))
        return false;
    const int c = CisloKodu(oVetaUD.KOD);
    const bool sloupec =
        (c >= 1 && c <= 20 && oVetaPAP.MdFlag(c)) || (c >= 51 && c <= 70 && oVetaPAP.DalFlag(c));
    if (!sloupec || !KodSPartnerem(oVetaUD.KOD))
        return false;
    const Text partner = oVetaPAP.PARTNER2 ? oVetaUD.PARTNER2.Get() : oVetaUD.PARTNER.Get();
    if (Trim(partner).empty()) {
        ZapisChybu(DuvodChyby::Partner);
        return false;
    }
    oVetaWork.P1 = partner;
    oVetaWork.Partner_Nazev = oVetaUD.POZNAMKA;
    oVetaWork.TRANSAKCE = oVetaUD.KOD;
    return true;
}

bool tPAP_Vykaz::PripravWorkXIII() {
    if (!oVetaPAP.PARTNER || oVetaPAP.CojePartner != 1 || !oVetaPAP.PARTNER2)
        return false;
    if (Trim(oVetaUD.KOD).empty() || !KodSPartnerem(oVetaUD.KOD))
        return false;
    if (Trim(oVetaUD.PARTNER).empty() || Trim(oVetaUD.PARTNER2).empty()) {
        ZapisChybu(DuvodChyby::Partner);
        return false;
    }
    oVetaWork.P1 = oVetaUD.PARTNER;
    oVetaWork.P2 = oVetaUD.PARTNER2;
    oVetaWork.TRANSAKCE = oVetaUD.KOD;
    oVetaWork.Partner_Nazev = oVetaUD.POZNAMKA;
    return true;
}

bool tPAP_Vykaz::KodSPartnerem(const Text& kod) {
    const Text klic = KeyText(kod, 3);
    if (auto it = kodySPartnerem_.find(klic); it != kodySPartnerem_.end())
        return it->second;
    tVetaUKod veta;
    const bool ano = ciselniky_->FindTransactionCode(kod, veta) && veta.PARTNER2;
    kodySPartnerem_.emplace(klic, ano);
    return ano;
}

// ---- Error protocol ---------------------------------------------------------------------------

Text tPAP_Vykaz::DuvodText(DuvodChyby duvod, bool soucet) const {
    switch (duvod) {
        case DuvodChyby::UcetChybi:
            return {};
        case DuvodChyby::Nezadana:
            return "nezad."_t;
        case DuvodChyby::Analytika:
            return soucet ? "součet"_t : "neex."_t;
        case DuvodChyby::Partner:
            break;
    }
    if (oCisloVykazu >= 4 && oCisloVykazu <= 9) {
        const Text kod = Trim(oVetaUD.KOD);
        return kod.empty() ? "kt ---"_t : kod + " x"_t;
    }
    if (oCisloVykazu == 12 && oVetaPAP.PARTNER2)
        return "P2 ---"_t;
    return "P1 ---"_t;
}

void tPAP_Vykaz::ZapisChybu(DuvodChyby duvod, bool soucet) {
    const std::int32_t obdobi = ObdobiRadku(oVetaUD.IDENTIFIKACE);
    const bool otevreni = oVetaUD.IDENTIFIKACE.Get().substr(4, 2) == "00"_t;
    if (!otevreni && (obdobi < obdobiOd_ || obdobi > obdobiDo_))
        return;
    RadekProtokolu r;
    r.identifikace = oVetaUD.IDENTIFIKACE;
    r.radek = oVetaUD.RADEK;
    r.su = oVetaUD.SU;
    r.ae = oVetaUD.AE;
    r.md = oVetaUD.MA_DATI;
    r.dal = oVetaUD.DAL;
    r.analytika = duvod == DuvodChyby::UcetChybi ? Text() : oVetaRozvrh.STAT_ANAL.Get();
    r.ucetChybi = duvod == DuvodChyby::UcetChybi;
    r.duvod = DuvodText(duvod, soucet);
    // The lines come in storage order; the protocol lists them in the account order.
    odlozene_.push_back({PoradiOf(*radekPruchodu_), odlozene_.size(), std::move(r)});
}

}  // namespace axo::pap
