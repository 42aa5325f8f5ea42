Typ: OSTATNI
Název: CISELNIK PAP
Druh: 1
Popis1: Číselník pomocného analytického přehledu pro výkazy
Popis2: statistická analytika, výkaz a řádek, povinné údaje, kódy transakcí

Opis číselníku PAP pro výkazy. Číselník dává každé statistické analytice zkratky
STAT_ANAL, POPIS, SKUPINA, RADEK, PARTNER, PARTNER2, KONSOLIDACE, KOD, VYKAZY,
KODY_MD, KODY_DAL a KODY_TRANSAKCI. Řádek kódů transakcí se tiskne jen u analytik,
které nějaké kódy mají.

.FORMAT
SETUPNAZEV=~T~A~D~30
DNES=~T~A~D~10
UR=~T~A~D~4
STR=~T~A~D~3~Z~L
POPIS=~T~A~D~60
SKUPINA=~T~A~D~5~Z~C
RADEK=~Z~L
PARTNER=~Z~C
PARTNER2=~Z~C
KONSOLIDACE=~T~A~D~5~Z~C
KOD=~Z~C
VYKAZY=~T~A~D~16
KODY_TRANSAKCI=~T~A~D~90
POCET=~T~N~D~5:0
.KONEC

.EXTERNI
POCET=0
POCITADLO=@SUMWA(POCET;1;;;POCET)
.KONEC

.PODMINKY
KODY_TRANSAKCI=(KODY_TRANSAKCI!"")
.KONEC

.HLAVASTRANY
$SETUPNAZEV                                                                                           Strana: $STR
ČÍSELNÍK POMOCNÉHO ANALYTICKÉHO PŘEHLEDU PRO VÝKAZY                                                   Rok $UR, vytištěno $DNES

 Stat.anal. Popis                                                        Výkaz  Řádek Part.1   Part.2    Kons. KT   Výkazy
────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────
.KONEC

.RADEK
 $STAT_ANAL $POPIS $SKUPINA $RADEK $PARTNER $PARTNER2 $KONSOLIDACE $KOD $VYKAZY
            $KODY_TRANSAKCI
@$POCITADLO
.KONEC

.PATASTRANY
────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────$KONECSTRANY
.KONEC

.PATASESTAVY
────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────────
Statistických analytik celkem: $POCET
.KONEC
