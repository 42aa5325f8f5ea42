// The lines and headers of the code lists.
#include "pap/CodeListLines.h"

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

Text Mark(bool set, const char* text) {
    const Text shown = FromUtf8(text);
    return set ? shown : Blanks(shown.size());
}

/// The numbers of the statements a record belongs to.
template <std::size_t N>
Text Statements(const Boolean (&flags)[N], bool separated) {
    Text out;
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            out += separated ? RightJustify(IntToText(static_cast<long long>(i) + 1), 2) + " "_t
                             : IntToText(static_cast<long long>(i) + 1);
    return out;
}

const char* const kNatureTexts[kNatureCount] = {
    "Aktivní",
    "Pasivní",
    "Rozvahový",
    "Nákladový - daňový",
    "Nákladový - nedaňový",
    "Výnosový - daňový",
    "Výnosový - nedaňový",
    "Závěrkový",
    "Ostatní tj. podrozvahový, vnitropodnikový atd.",
};

}  // namespace

int NatureIndex(std::uint8_t nature) {
    for (int i = 0; i < kNatureCount; ++i)
        if (nature == static_cast<std::uint8_t>(kNatures[i]))
            return i;
    return -1;
}

Text NatureText(std::uint8_t nature) {
    const int i = NatureIndex(nature);
    return i < 0 ? Text() : FromUtf8(kNatureTexts[i]);
}

Text ActivityText(int activity) {
    return activity == 1 ? "Hlavní činnost"_t : activity == 2 ? "Hospodářská činnost"_t : Text();
}

Text PapCodeLine(const tVetaUAPV& c) {
    static const char* const kGroups[] = {" XV", "  I", " II", "III"};
    const Text group = FromUtf8(kGroups[c.VYKAZ_I_II_III <= 3 ? c.VYKAZ_I_II_III : 0]);
    Text partner = Blanks(5);
    if (c.PARTNER)
        partner = c.CojePartner == 1 ? "x AP "_t : "x T  "_t;
    return " "_t + LeftJustify(c.STAT_ANAL, 10) + " "_t + LeftJustify(c.POPIS, 150) + " "_t +
           group + " "_t + RightJustify(IntToText(c.RADEK), 5) + " "_t + partner +
           Mark(c.PARTNER2, "x  ") + Mark(c.Konsolidace == 1, "x  ") + Mark(c.KOD, "x   ") +
           Statements(c.VYKAZY, true);
}

Text TransactionCodeLine(const tVetaUKod& c) {
    const Text filler = c.FILLER_STR.Get();
    const bool twoPartners = !filler.empty() && filler[0] >= '1' && filler[0] <= '9';
    return " "_t + LeftJustify(c.Kod, 3) + " "_t + LeftJustify(c.Nazev, 100) + " "_t +
           Mark(c.PARTNER2, "Partner ") + Mark(twoPartners, "2PT");
}

Text ChartLine(const tVetaRozvrh& a, const Text& notes, int unitKind) {
    Text line = " "_t + IntToTextZeros(a.SE, 3) + " "_t + IntToTextZeros(a.AE, 3) + "  "_t +
                LeftJustify(a.NAZ_UCT, 30) + " "_t + Mark(a.SALDO, "   x    ") +
                LeftJustify(a.MENA, 7) + LeftJustify(NatureText(a.AKT_PAS).substr(0, 23), 24);
    if (unitKind == 3 || unitKind == 4)
        line += LeftJustify(ActivityText(a.PO_CINNOST).substr(0, 4), 5);
    Text partner = Blanks(5);
    if (a.PARTNER)
        partner = a.CojePartner == 0 ? "P-T  "_t : a.CojePartner == 1 ? "P-AP "_t : "P    "_t;
    line += LeftJustify(a.STAT_ANAL, 10) + " "_t + LeftJustify(a.CIZI_NAZEV_UCTU, 30) + " "_t +
            Mark(a.KOD, "X  ") + partner + Mark(a.PARTNER2, "X  ") +
            LeftJustify(Statements(a.VYKAZY, false), 11);
    if (!notes.empty())
        line += "["_t + RemoveChar(RemoveChar(notes, '\r'), '\n') + "]"_t;
    return line;
}

Text PapCodeHeader() {
    return LeftJustify(" Statistická analytika, popis"_t, 163) + "  V řádek "_t +
           "P1   P2 K  Kód  "_t + LeftJustify("Výkazy"_t, 60);
}

Text TransactionCodeHeader() {
    return LeftJustify(" Kód a název transakce "_t, 105);
}

Text ChartHeader(int unitKind) {
    return " SÚ  AE  "_t + LeftJustify("Název účtu"_t, 31) + "  Saldo "_t + "Měna   "_t +
           LeftJustify("Povaha účtu"_t, 24) +
           (unitKind == 3 || unitKind == 4 ? "Čin. "_t : Text()) + LeftJustify("Stat.anal."_t, 11) +
           LeftJustify("Cizí název účtu "_t, 31) + "KT "_t + "P1   "_t + "P2 "_t + "Výkazy PAP "_t +
           "[Poznámkový blok]"_t;
}

}  // namespace axo::pap
