// The nature rules of the chart of accounts.
#include "pap/PovahaUctu.h"

namespace axo::pap {

namespace {

Text Natures(const char* letters) {
    return Text::FromBytes(letters);
}

/// Class 4: the kind of unit decides, for contributory organisations also the year and the
/// group of accounts.
Text Class4(int s, int kind, int year) {
    if (kind == 0 || kind == 1)
        return Natures("PR");
    if (kind == 3) {
        if (year < 2010)
            return Natures("A");
        if (s >= 490)
            return Natures("Z");
        if ((s >= 460 && s <= 469) || s == 471)
            return Natures("A");
        if (s == 472)
            return Natures("P");
        return Natures("PR");
    }
    return Natures("MN");  // kinds 2 and 4
}

/// Accounts 900-969 of kinds 2-4 (kind 3 only before 2010) hold balances of their own.
bool OffBalanceWithBalances(int kind, int year) {
    return kind == 2 || kind == 4 || (kind == 3 && year < 2010);
}

Text Kind5(int s) {
    if (s <= 99)
        return Natures("ARP");
    if (s <= 199)
        return Natures("AP");
    if (s <= 399)
        return Natures("RAP");
    if (s <= 499)
        return Natures("A");
    if (s <= 599)
        return s >= 580 && s <= 589 ? Natures("PZ") : Natures("P");
    if (s <= 699)
        return Natures("NM");
    if (s <= 799)
        return Natures("VW");
    if (s <= 899)
        return Natures("NMVW");
    return Natures("X");
}

}  // namespace

Text AcceptableNatures(int s, int kind, int year) {
    if (s < 0 || s > 999)
        return Natures("X");
    if (kind == 5)
        return Kind5(s);
    if (s <= 199)
        return Natures("AR");
    if (s <= 399)
        return Natures("RAP");
    if (s <= 499)
        return Class4(s, kind, year);
    if (s <= 599)
        return Natures("NM");
    if (s <= 699)
        return Natures("VW");
    if (s <= 799)
        return s <= 719 && kind != 3 ? Natures("Z") : Natures("X");
    if (s <= 899)
        return Natures("X");
    if (s <= 959)
        return OffBalanceWithBalances(kind, year) ? Natures("RAP") : Natures("X");
    if (s <= 969)
        return OffBalanceWithBalances(kind, year) ? Natures("Z") : Natures("X");
    return Natures("X");
}

std::uint8_t FittingNature(int s, std::uint8_t nature, int kind, int year) {
    const Text acceptable = AcceptableNatures(s, kind, year);
    if (nature != 0 && acceptable.find(static_cast<char>(nature)) != Text::npos)
        return nature;
    return static_cast<std::uint8_t>(acceptable[0]);
}

bool ShowsActivity(int kind) {
    return kind == 3 || kind == 4;
}

std::uint8_t FittingActivity(int s, std::uint8_t activity, int kind) {
    if (ShowsActivity(kind) && s >= 500 && s <= 699 && activity == 0)
        return 1;
    return activity;
}

bool FitNatureAndActivity(tVetaRozvrh& account, int kind, int year) {
    const std::uint8_t nature = FittingNature(account.SE, account.AKT_PAS, kind, year);
    const std::uint8_t activity = FittingActivity(account.SE, account.PO_CINNOST, kind);
    const bool changed = nature != account.AKT_PAS || activity != account.PO_CINNOST;
    account.AKT_PAS = nature;
    account.PO_CINNOST = activity;
    return changed;
}

}  // namespace axo::pap
