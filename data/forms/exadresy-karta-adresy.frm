Typ: EXADRESY
Název: KARTA ADRESY
Druh: 0
Popis1: Karta externí adresy
Popis2: identifikace, adresa, spojení, bankovní účet a poznámky

Karta jedné externí adresy. Číselník externích adres dává každé adrese zkratky
podle položek záznamu: MATCH_CODE, ICO, DIC_FIRM, NAZ_FIRM1 až NAZ_FIRM4, ADR_FIRM,
PSC_FIRM, MESTO_FIRM, Stat, TELEF, FAX, TELEX (mobil), EMail_ADRESA1, WWW, BS,
ZVL_DISP (kód banky), NAZ_UST, IBAN, SWIFT, a texty POVAHA_TEXT, OSOBA_TEXT a
PLATNOST_TEXT. Řádky poznámkového bloku tiskne oddíl .POZNRADEK (RADEKPOZNAMKY).
Pokračovací řádky názvu a stát se bez údaje netisknou.

.FORMAT
SETUPNAZEV=~T~A~D~30
DNES=~T~A~D~10
MATCH_CODE=~T~A~D~10
NAZ_FIRM1=~T~A~D~30
NAZ_FIRM2=~T~A~D~30
NAZ_FIRM3=~T~A~D~30
NAZ_FIRM4=~T~A~D~30
ADR_FIRM=~T~A~D~30
PSC_FIRM=~Z~T
MESTO_FIRM=~T~A~D~25
Stat=~T~A~D~30
ICO=~T~A~D~10
DIC_FIRM=~T~A~D~14
TELEF=~T~A~D~20
FAX=~T~A~D~20
TELEX=~T~A~D~20
EMail_ADRESA1=~T~A~D~50
WWW=~T~A~D~50
BS=~T~A~D~18~Z~T
ZVL_DISP=~T~A~D~4~Z~0
NAZ_UST=~T~A~D~50
IBAN=~T~A~D~42
SWIFT=~T~A~D~30
POVAHA_TEXT=~T~A~D~10
OSOBA_TEXT=~T~A~D~16
PLATNOST_TEXT=~T~A~D~16
RADEKPOZNAMKY=~T~A~D~60
.KONEC

.SPEC
NEKONECNY_PAPIR
.KONEC

.PODMINKY
NAZ_FIRM2=(NAZ_FIRM2!"")
NAZ_FIRM3=(NAZ_FIRM3!"")
NAZ_FIRM4=(NAZ_FIRM4!"")
Stat=(Stat!"")
ZVL_DISP=(BS!"")
.KONEC

.HLAVASESTAVY
$SETUPNAZEV
KARTA EXTERNÍ ADRESY                                    vytištěno $DNES
═══════════════════════════════════════════════════════════════════════════
.KONEC

.RADEK
Zatřídění  : $MATCH_CODE    $POVAHA_TEXT  $OSOBA_TEXT  $PLATNOST_TEXT
IČO        : $ICO
DIČ        : $DIC_FIRM
Název      : $NAZ_FIRM1
             $NAZ_FIRM2
             $NAZ_FIRM3
             $NAZ_FIRM4
Adresa     : $ADR_FIRM
             $PSC_FIRM $MESTO_FIRM
             $Stat
Telefon    : $TELEF
Fax        : $FAX
Mobil      : $TELEX
E-mail     : $EMail_ADRESA1
WWW        : $WWW
Účet       : $BS/$ZVL_DISP
Banka      : $NAZ_UST
IBAN       : $IBAN
SWIFT      : $SWIFT
───────────────────────────────────────────────────────────────────────────
.KONEC

.POZNRADEK
Poznámka   : $RADEKPOZNAMKY
.KONEC

.PATASESTAVY
═══════════════════════════════════════════════════════════════════════════
Vystavil: $GLOBVYSTAVIL
.KONEC
