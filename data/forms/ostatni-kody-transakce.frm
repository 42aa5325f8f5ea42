Typ: OSTATNI
Název: KODY TRANSAKCE
Druh: 2
Popis1: Číselník kódů transakce pro pomocný analytický přehled
Popis2: kód, název a povinnost uvést partnera transakce

Opis číselníku kódů transakce. Číselník dává každému kódu zkratky KOD, NAZEV,
PARTNER ("Partner", když kód vyžaduje partnera) a DVA_PARTNERI ("2PT", když
vyžaduje oba partnery transakce).

.FORMAT
SETUPNAZEV=~T~A~D~30
DNES=~T~A~D~10
UR=~T~A~D~4
STR=~T~A~D~3~Z~L
NAZEV=~T~A~D~70
DVA_PARTNERI=~T~A~D~4~Z~C
POCET=~T~N~D~5:0
.KONEC

.EXTERNI
POCET=0
POCITADLO=@SUMWA(POCET;1;;;POCET)
.KONEC

.HLAVASTRANY
$SETUPNAZEV                                                  Strana: $STR
ČÍSELNÍK KÓDŮ TRANSAKCE PRO POMOCNÝ ANALYTICKÝ PŘEHLED       Rok $UR, vytištěno $DNES
┌────┬──────────────────────────────────────────────────────────────────────┬────────┬────┐
│Kód │ Název transakce                                                      │Partner │2PT │
├────┼──────────────────────────────────────────────────────────────────────┼────────┼────┤
.KONEC

.RADEK
│$KOD│$NAZEV│$PARTNER│$DVA_PARTNERI│
@$POCITADLO
.KONEC

.PATASTRANY
└────┴──────────────────────────────────────────────────────────────────────┴────────┴────┘$KONECSTRANY
.KONEC

.PATASESTAVY
└────┴──────────────────────────────────────────────────────────────────────┴────────┴────┘
Kódů transakce celkem: $POCET
.KONEC
