// The records of the installation tables: the program installation "AXO", the data installation
// "AXO-DATA" of each data area's fiscal-year directory and the user installation "AXO-USER" with
// the login data. The layouts are shared with the family's other modules byte for byte.
#pragma once

#include <cstdint>

#include "util/Text.h"

namespace axo::startup {

inline constexpr int kFiscalYearSlots = 30;
inline constexpr int kVatRateSlots = 12;
inline constexpr int kPeriodSlots = 8;
inline constexpr int kAreaRoots = 10;
inline constexpr int kForbiddenLists = 10;

#pragma pack(push, 1)

/// One fiscal year of the program installation: "OBDnn_Cesta", "_PocMes", "_PocRok",
/// "_KoncMes", "_KoncRok".
struct tObdobiAXO {
    StrN<4> Cesta;
    std::uint16_t PocMes = 0;
    std::uint16_t PocRok = 0;
    std::uint16_t KoncMes = 0;
    std::uint16_t KoncRok = 0;
};
static_assert(sizeof(tObdobiAXO) == 13);

/// One entry of the eight-entry period table ("OdObdobinn", "DoObdobinn", "UZPnn", "PZPnn"),
/// read but not used by this program.
struct tObdobiUZP {
    std::int32_t OdObdobi = 0;
    std::int32_t DoObdobi = 0;
    StrN<255> UZP;
    StrN<255> PZP;
};
static_assert(sizeof(tObdobiUZP) == 520);

/// The program installation record (table "AXO", 245 fields).
struct tVetaAXO {
    StrN<7> CisloVerze;
    std::uint8_t Rezerva_Bool[16] = {};  ///< reserved for the installation
    std::uint16_t Prodejce = 0;          ///< 90 and above: a multi-client installation
    std::uint16_t Rezerva_Word = 0;
    StrN<7> HesloSupervizora;
    std::uint16_t CisloStanice = 0;
    /// Roots of the data areas 0-9: "CA_U_Cesta", "CA_B_Cesta", "CA_M_Cesta", "CA_F_Cesta",
    /// "CA_L_Cesta", "CA_P_Cesta", "CA_I_Cesta", "CA_C_Cesta", "CA_AXO_Cesta", "CA_T_Cesta".
    StrN<79> CA_Cesta[kAreaRoots];
    StrN<3> ZnakMeny;
    std::uint8_t NastaveniBarev = 0;
    std::uint8_t Rezerva_Byte = 0;
    std::uint8_t MaxFPMRadekPortrait = 0;
    std::uint8_t MaxFPMRadekLandScape = 0;
    std::uint8_t CsKod_PrManDos = 0;
    StrN<40> PopisFirmy;
    StrN<79> CestaKnihovnyProZalObn;
    StrN<255> CestaProProgramKomprese;
    StrN<255> PrikazProZalohuKompresi;
    StrN<255> PrikazProObnovuKompresi;
    std::uint16_t Rezerva_Words[9] = {};
    tObdobiAXO OBD[kFiscalYearSlots];  ///< fiscal years 01..30
    StrN<50> DPH_Sazby[kVatRateSlots];
    tObdobiUZP Obdobi[kPeriodSlots];  ///< entries 00..07
};
static_assert(sizeof(tVetaAXO) == 6916);

/// VAT figures of one month of the data installation ("MMn", "RRRRn", ...).
struct tDphMesic {
    std::uint16_t MM = 0;
    std::uint16_t RRRR = 0;
    double Zaklad_520 = 0;
    double Zaklad_540 = 0;
    double Dan_600 = 0;
    double Dan_710 = 0;
};
static_assert(sizeof(tDphMesic) == 36);

/// The data installation record (table "AXO-DATA", 241 fields).
struct tVetaAXO_DATA {
    StrN<7> CisloVerze;
    StrN<30> NazevFirmy;
    StrN<30> AdresaFirmy;
    StrN<10> IcoFirmy;
    StrN<15> DIC;
    StrN<20> TelefonFirmy;
    StrN<20> FaxFirmy;
    StrN<30> OBCH_REJ1;
    StrN<30> OBCH_REJ2;
    std::uint8_t PlatceDPH = 0;
    std::uint16_t CharakterFirmy = 0;
    StrN<30> LIKVIDACE_ODPADU;
    StrN<20> Rezerva_Str;
    std::uint8_t Strediska_v_UcDok = 0;
    std::uint8_t Zakazky_v_UcDok = 0;
    std::uint16_t SE_spojovaci_ucet = 0;
    std::uint16_t AE_spojovaci_ucet = 0;
    std::uint16_t SE_HospVysledku = 0;
    std::uint16_t AE_HospVysledku = 0;
    std::uint16_t SE_PocatecniUcetRozvahy = 0;
    std::uint16_t AE_PocatecniUcetRozvahy = 0;
    std::uint16_t SE_KonecnyUcetRozvahy = 0;
    std::uint16_t AE_KonecnyUcetRozvahy = 0;
    std::uint16_t SE_UcetZskuZtrat = 0;
    std::uint16_t AE_UcetZskuZtrat = 0;
    std::uint8_t ZaokrouhleniDPH = 0;
    StrN<10> CisloAlgoritmuKontrolyCashFlow;
    std::int32_t CisloKontrolnihoRadkuCashFlow = 0;
    StrN<10> TvarCislaFaktury;
    std::uint16_t PredDenPrUhr = 0;
    std::uint16_t PocetRadkuPrUhr = 0;
    double CastkaHlaseni = 0;
    std::uint16_t CislovaniMajetku = 0;
    std::uint16_t SE_UcetDanovychOdpisu = 0;
    std::uint8_t Pocet_znaku_budovy = 0;
    std::uint16_t PosledniUzavrenyRok = 0;
    std::uint16_t PosledniUzavrenyMesic = 0;
    StrN<4> OBD_Cesta;
    std::uint16_t OBD_PocMes = 0;
    std::uint16_t OBD_PocRok = 0;
    std::uint16_t OBD_KoncMes = 0;
    std::uint16_t OBD_KoncRok = 0;
    double KoeficientDPH = 0;
    tDphMesic DphMesic[24];
    std::uint8_t POKL_DPH_KOEF = 0;
    std::uint8_t SKLAD_DPH_KOEF = 0;
    std::uint16_t UCTO_DDD = 0;
    std::uint16_t POKL_PP_SU = 0;
    std::uint16_t POKL_PP_AE = 0;
    std::uint16_t DPH_78_ZS = 0;
    std::uint16_t DPH_79_ZS = 0;
    std::uint16_t NAKLAD_7879_SU = 0;
    std::uint16_t NAKLAD_7879_AE = 0;
    std::uint16_t VYNOS_7879_SU = 0;
    std::uint16_t VYNOS_7879_AE = 0;
    std::uint8_t VariantaOdpoctuDPH = 0;
    StrN<20> Sklad_ProdCeny[10];  ///< "Sklad_ProdCeny_1" .. "_10"
    StrN<6> ZL_Ucet_DalsiUcEvidence[5];
    std::int32_t SKLAD_ZaoPcSK = 0;
    std::uint8_t UCTO_CiziRec_UcRozvrhu = 0;
    StrN<20> ZL_PopisDoplnkovychUdaju[6];
    StrN<50> ZL_PopisMzdoveNaklady;
    std::uint16_t ZL_DruhZdPlneni_MN = 0;
    std::uint8_t PriznaniKDPH_frekvence = 0;
    StrN<200> PriznaniKDPH_dualni_dph;
    StrN<240> PriznaniKDPH_Odpocet;
    std::uint8_t SKLAD_PasmoDPH_SK = 0;
    StrN<100> SKLAD_CarovyKod;
    StrN<100> MAJETEK_CarovyKod;
    std::uint8_t FV_CenaMJ_PocetDM = 0;
    std::uint8_t SKLAD_CenaMJ_PocetDM = 0;
    std::uint8_t PAP = 0;
    StrN<200> KodyOperaci_for_file;
    std::uint8_t SKLAD_KonstrukcePC = 0;
    StrN<200> PO_povinne_podrozvahy_F10;
    std::uint8_t SKLAD_SARZE_INVISIBLE = 0;
    StrN<20> Text_Preview;
    std::uint8_t FirmaPodlehaEET = 0;
    double LimitKH = 0;
    std::uint16_t SE_UcetDanNeuznatOdpisu = 0;
};
static_assert(sizeof(tVetaAXO_DATA) == 2746);

/// Login states of "Prihl_UzivatelPrihlasen".
inline constexpr std::uint16_t kNotLoggedIn = 0;
inline constexpr std::uint16_t kLoggedIn = 1;
inline constexpr std::uint16_t kLoggedInExclusively = 2;
inline constexpr std::uint16_t kSupervisorLogin = 3;

/// The user installation record (table "AXO-USER", 28 fields).
struct tVetaAXO_USER {
    StrN<7> JmenoUzivatele;
    StrN<7> HesloUzivatele;
    StrN<20> Vystavil;
    StrN<76> ZakazaneCinnosti[kForbiddenLists];
    std::uint16_t Prihl_UzivatelPrihlasen = 0;
    std::uint16_t Prihl_PocetPrihlaseni_1uziv_1disk = 0;
    StrN<10> Prihl_Disk_1uziv;
    std::uint16_t Prihl_CisloStanice = 0;
    StrN<255> Prihl_Moduly;
    std::uint16_t Prihl_DatumCas_Year = 0;
    std::uint16_t Prihl_DatumCas_Month = 0;
    std::uint16_t Prihl_DatumCas_Day = 0;
    std::uint16_t Prihl_DatumCas_Hour = 0;
    std::uint16_t Prihl_DatumCas_Min = 0;
    std::uint16_t Prihl_DatumCas_Sec = 0;
    std::uint8_t Prihl_Havarie = 0;
    StrN<20> Mobil;
    StrN<50> Mail;
    std::uint8_t OpravneniGDPR = 0;
};
static_assert(sizeof(tVetaAXO_USER) == 1166);

#pragma pack(pop)

}  // namespace axo::startup
