Typ: UCROZVRH
Název: ROZVRH PAP
Druh: 0
Popis1: Účtový rozvrh s údaji pro pomocný analytický přehled
Popis2: povaha účtu, statistická analytika, povinné údaje a výkazy PAP

Opis účtového rozvrhu. Účtový rozvrh dává každému účtu zkratky SE, AE, UCET,
NAZ_UCT, CIZI_NAZEV_UCTU, AKT_PAS, POVAHA, MENA, SALDO, STAT_ANAL, KOD, PARTNER,
PARTNER2, VYKAZY a CINNOST; řádky poznámkového bloku účtu tiskne oddíl .POZNRADEK
(zkratka RADEKPOZNAMKY). POCET počítá vytištěné účty.

.FORMAT
SETUPNAZEV=~T~A~D~30
DNES=~T~A~D~10
UR=~T~A~D~4
STR=~T~A~D~3~Z~L
UCET=~T~A~D~7
NAZ_UCT=~T~A~D~30
POVAHA=~T~A~D~23
KOD=~Z~C
PARTNER=~Z~C
PARTNER2=~Z~C
SALDO=~Z~C
VYKAZY=~T~A~D~14
RADEKPOZNAMKY=~T~A~D~110
POCET=~T~N~D~5:0
.KONEC

.EXTERNI
POCET=0
POCITADLO=@SUMWA(POCET;1;;;POCET)
.KONEC

.HLAVASTRANY
$SETUPNAZEV                                                                                Strana: $STR
ÚČTOVÝ ROZVRH S ÚDAJI PRO POMOCNÝ ANALYTICKÝ PŘEHLED                                       Rok $UR, vytištěno $DNES
┌───────┬──────────────────────────────┬──────┬───────────────────────┬──────────┬────┬────────┬─────────┬──────────────┐
│ Účet  │ Název účtu                   │Saldo │ Povaha účtu           │Stat.anal.│ KT │   P1   │   P2    │ Výkazy PAP   │
├───────┼──────────────────────────────┼──────┼───────────────────────┼──────────┼────┼────────┼─────────┼──────────────┤
.KONEC

.RADEK
│$UCET│$NAZ_UCT│$SALDO│$POVAHA│$STAT_ANAL│$KOD│$PARTNER│$PARTNER2│$VYKAZY│
@$POCITADLO
.KONEC

.POZNRADEK
│       │ $RADEKPOZNAMKY│
.KONEC

.PATASTRANY
└───────┴──────────────────────────────┴──────┴───────────────────────┴──────────┴────┴────────┴─────────┴──────────────┘$KONECSTRANY
.KONEC

.PATASESTAVY
└───────┴──────────────────────────────┴──────┴───────────────────────┴──────────┴────┴────────┴─────────┴──────────────┘
Účtů celkem: $POCET
.KONEC
