// The accounting records PAP reads and the records of its own code lists, byte for byte as the
// tables store them: document header `UDHL`, document line `UDPO`, chart-of-accounts record,
// PAP code `UAPV` and transaction code `UKod`.
#pragma once

#include <cstdint>

#include "util/Text.h"

namespace axo::pap {

using Byte = std::uint8_t;
using Word = std::uint16_t;
using LongInt = std::int32_t;
using Boolean = std::uint8_t;  ///< 0 or 1
using String = StrN<255>;
using DicStr = StrN<15>;

#pragma pack(push, 1)

/// A pairing time stamp of a document line.
struct SaldoPar {
    Word Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0;
    bool IsZero() const { return !Year && !Month && !Day && !Hour && !Min && !Sec; }
};

/// Document line `UDPO` (331 bytes).
struct tVetaUDPO {
    Byte PRIZNAK = 0;       ///< record state: PAP counts 0 (XV and XVI also 3)
    StrN<15> IDENTIFIKACE;  ///< year (4), month (2; "00" opening balances), kind (4), number (5)
    LongInt RADEK = 0;
    Byte PRIJEM_ADR = 0;
    StrN<3> MENA;
    double KURZ = 0;
    double MNOZSTVI = 0;
    Word SU = 0;
    Word AE = 0;
    LongInt STREDISKO = 0;
    StrN<10> ZAKAZKA;
    double MA_DATI = 0;
    double ZAKLAD_MD = 0;
    double DAL = 0;
    double ZAKLAD_DAL = 0;
    StrN<15> VS1;
    StrN<30> POZNAMKA;  ///< PAP takes it as the partner name
    Byte DOPLNEK_CHAR = 0;
    StrN<25> DOPLNEK;
    Word TYP_DPH = 0;
    Word MESIC_DPH = 0;
    SaldoPar SALDO_PAR;
    StrN<20> KLICVSTUPU;
    Byte DRUH_VSTUPU = 0;
    Byte PRIZNAK_FDsPU = 0;
    Word ROK_DPH = 0;
    LongInt RizeniEditace = 0;
    StrN<15> KomplUhr_UD;
    LongInt KomplUhr_Rad = 0;
    double KomplUhr_Uhr = 0;
    StrN<3> KomplUhr_MFa;
    StrN<15> DAN_DOK_PL_ZAL;
    StrN<15> PLATBA_PREDEM;  ///< the public contract number of statement X from 2014
    Byte TYP_VETY_ZL = 0;
    Byte Rozpocet_343_koef = 0;
    LongInt UcPripad_Cislo = 0;
    Boolean UcPripad_MD = 0;
    Boolean UcPripad_Dal = 0;
    StrN<10> PARTNER;   ///< IČO, country code or "111"/"222"/"333"/"444"
    StrN<10> PARTNER2;  ///< partner of the transaction, same forms
    StrN<3> KOD;        ///< transaction code: statement digit + code number
    StrN<20> PDP_VYK;
};
static_assert(sizeof(tVetaUDPO) == 331);

/// Document header `UDHL` (1014 bytes). PAP reads no header field; the table is opened with
/// the lines.
struct tVetaUDHL {
    Byte PRIZNAK = 0;
    StrN<15> IDENTIFIKACE;
    StrN<10> DATUM;
    StrN<10> OKAMZIK_DATE;
    StrN<12> OKAMZIK_TIME;
    Byte PRIJEM_ADR = 0;
    LongInt POCET_RADKU = 0;
    StrN<50> POPIS;
    StrN<30> POZNAMKA;
    StrN<15> VS;
    StrN<10> ZAKAZKA;
    StrN<3> MENA;
    double KURZ = 0;
    double MNOZSTVI = 0;
    Byte STORNO = 0;
    StrN<20> STORNO_IDENTIFIKACE;
    double CELKEM_MD = 0;
    double CELKEM_DAL = 0;
    StrN<20> VYSTAVIL;
    StrN<10> DATUM_DPH;
    Word OBDOBI_DPH_MM = 0;
    Word OBDOBI_DPH_RRRR = 0;
    StrN<10> SUBJEKT_DD_MATCH_CODE;
    DicStr SUBJEKT_DD_DIC;
    StrN<30> SUBJEKT_DD_NAZ_FIRM1;
    StrN<30> SUBJEKT_DD_NAZ_FIRM2;
    StrN<30> SUBJEKT_DD_NAZ_FIRM3;
    StrN<30> SUBJEKT_DD_ADR_FIRM;
    StrN<25> SUBJEKT_DD_MESTO_FIRM;
    StrN<10> SUBJEKT_DD_PSC_FIRM;
    StrN<60> CISLO_DD;
    StrN<100> DOKUMENTY[5];
};
static_assert(sizeof(tVetaUDHL) == 1014);

/// Chart-of-accounts record (373 bytes).
struct tVetaRozvrh {
    LongInt STATUS = 0;
    Word SE = 0;  ///< synthetic account
    Word AE = 0;  ///< analytic account; 0 on a synthetic account
    StrN<30> NAZ_UCT;
    Byte AKT_PAS = 0;  ///< nature: 'A', 'P', 'R', 'M', 'N', 'V', 'W', 'X' or 'Z'
    StrN<3> MENA;
    Boolean SALDO = 0;
    StrN<30> CIZI_NAZEV_UCTU;
    Boolean NEPAROVAT_PODROZVAHY = 0;
    std::uint32_t NOTES = 0;  ///< the slot of the note text, kept by the file object
    StrN<10> STAT_ANAL;       ///< the PAP code the account's amounts belong to
    Boolean PARTNER = 0;
    Byte CojePartner = 0;  ///< 0 partner of the transaction, 1 of the asset or liability
    Boolean PARTNER2 = 0;
    Boolean KOD = 0;
    Boolean VYKAZY[20] = {};  ///< VYKAZY01 ... VYKAZY20
    Byte PO_CINNOST = 0;      ///< 1 main activity, 2 economic activity
    String Filler;
};
static_assert(sizeof(tVetaRozvrh) == 373);

/// PAP code for statements `UAPV` (602 bytes).
struct tVetaUAPV {
    StrN<10> STAT_ANAL;
    Byte VYKAZ_I_II_III = 0;  ///< group: 1 statement I, 2 II, 3 III, 0 XV only
    Word RADEK = 0;
    StrN<150> POPIS;
    Boolean PARTNER = 0;
    Byte CojePartner = 0;
    Boolean PARTNER2 = 0;
    Boolean KOD = 0;
    Boolean X_BezObratu = 0;
    Boolean VYKAZY[20] = {};     ///< VYKAZY01 ... VYKAZY20
    Boolean MD[20] = {};         ///< MD01 ... MD20
    Boolean DAL[20] = {};        ///< DAL51 ... DAL70
    Byte MD_NETESTP[20] = {};    ///< MD_NETESTP01 ... 20
    Byte DAL_NETESTP[20] = {};   ///< DAL_NETESTP51 ... 70
    Boolean MD2[20] = {};        ///< MD21 ... MD40
    Boolean DAL2[20] = {};       ///< DAL71 ... DAL90
    Byte MD_NETESTP2[20] = {};   ///< MD_NETESTP21 ... 40
    Byte DAL_NETESTP2[20] = {};  ///< DAL_NETESTP71 ... 90
    Byte Konsolidace = 0;        ///< 1 = consolidation unit of the Czech Republic
    StrN<250> FILLER;

    /// The debit flag of code number n (1-40); false outside.
    bool MdFlag(int n) const {
        return n >= 1 && n <= 20 ? MD[n - 1] : n >= 21 && n <= 40 ? MD2[n - 21] : false;
    }
    /// The credit flag of code number n (51-90); false outside.
    bool DalFlag(int n) const {
        return n >= 51 && n <= 70 ? DAL[n - 51] : n >= 71 && n <= 90 ? DAL2[n - 71] : false;
    }
};
static_assert(sizeof(tVetaUAPV) == 602);

/// Transaction code `UKod` (366 bytes).
struct tVetaUKod {
    StrN<3> Kod;  ///< statement digit + 2-digit code number
    StrN<100> Nazev;
    Boolean PARTNER2 = 0;  ///< a partner must be given with this code
    LongInt FILLER_LONG = 0;
    String FILLER_STR;  ///< "1" when two partners of the transaction are required
};
static_assert(sizeof(tVetaUKod) == 366);

#pragma pack(pop)

}  // namespace axo::pap
