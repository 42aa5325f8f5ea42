// The checks between the parts of PAP: compiling the compared parts in one pass, the rules, and
// the protocol of the differences.
#include "pap/KontrolniVazby.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/papVysledek.h"
#include "storage/WorkFiles.h"
#include "ui/ProgressPanel.h"
#include "ui/TextListing.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

double Col(const tVeta_Zorvi& r, int c) {
    return r.Sloupec[c].SLOUPEC;
}

bool Lisi(double a, double b) {
    return std::fabs(Round(a - b, 2)) >= 0.005;
}

Text Cast(int cislo) {
    return Trim(RomanNumeral(cislo)) + "."_t;
}

Text Analytika(const tVeta_Zorvi& r) {
    return TrimRight(r.SA);
}

/// The rows of one part; none when the part was not compiled.
const std::vector<tVeta_Zorvi>& Radky(const VysledkyCasti& v, int cislo) {
    static const std::vector<tVeta_Zorvi> kZadne;
    const auto it = v.find(cislo);
    return it == v.end() ? kZadne : it->second;
}

class Kontrola {
  public:
    explicit Kontrola(const VysledkyCasti& v) : v_(v) {}

    std::vector<RozdilVazby> Spust() {
        StavyCastiI();
        for (int k = 4; k <= 9; ++k)
            ObratyIVazIX(k);
        PoPartnerech(1, 10, {1, 2, 3, 4}, [](const tVeta_Zorvi& r) { return r.P10 != 0; });
        for (int k : {2, 3})
            PoPartnerech(k, 11, {1, 2}, [](const tVeta_Zorvi& r) { return r.P11 != 0; });
        PoPartnerech(15, 16, {1, 2, 3, 4}, [](const tVeta_Zorvi& r) { return r.P24 != 0; });
        for (const auto& [cislo, radky] : v_)
            if (cislo <= 9 || cislo == 15)
                Soucty(cislo, radky);
        std::stable_sort(rozdily_.begin(), rozdily_.end(),
                         [](const RozdilVazby& a, const RozdilVazby& b) {
                             return a.cast != b.cast ? a.cast < b.cast : a.radek < b.radek;
                         });
        return std::move(rozdily_);
    }

  private:
    void Zapis(int cast, const tVeta_Zorvi& r, const Text& vazba, double castka, double mabyt) {
        if (Lisi(castka, mabyt))
            rozdily_.push_back({cast, r.RADEK, Analytika(r), vazba, castka, mabyt});
    }

    /// Part I: opening state and turnovers give the closing state, on the row's side.
    void StavyCastiI() {
        for (const tVeta_Zorvi& r : Radky(v_, 1)) {
            const double aktivni = Round(Col(r, 1) + Col(r, 2) - Col(r, 3), 2);
            const double pasivni = Round(Col(r, 1) - Col(r, 2) + Col(r, 3), 2);
            if (!Lisi(Col(r, 4), aktivni) || !Lisi(Col(r, 4), pasivni))
                continue;
            // The side the closing state is nearer to is taken for the row's.
            const bool blizePasivni =
                std::fabs(Col(r, 4) - pasivni) < std::fabs(Col(r, 4) - aktivni);
            Zapis(1, r, blizePasivni ? "KS=PS-MD+D"_t : "KS=PS+MD-D"_t, Col(r, 4),
                  blizePasivni ? pasivni : aktivni);
        }
    }

    /// Part I's turnovers of the rows that part k breaks down by transaction type: the debit
    /// codes (numbers up to 49) sum to the debit, the credit codes to the credit turnover.
    void ObratyIVazIX(int k) {
        const std::vector<tVeta_Zorvi>& casti = Radky(v_, k);
        if (casti.empty())
            return;
        std::map<Text, const tVeta_Zorvi*> rozklad;
        for (const tVeta_Zorvi& r : casti)
            rozklad.emplace(Analytika(r), &r);
        for (const tVeta_Zorvi& r : Radky(v_, 1)) {
            const auto it = rozklad.find(Analytika(r));
            if (it == rozklad.end())
                continue;
            double md = 0;
            double dal = 0;
            for (int c = 1; c < kSloupcu; ++c) {
                const tSloupec& s = it->second->Sloupec[c];
                if (TrimRight(s.TRANSAKCE).empty())
                    continue;
                (CisloKodu(s.TRANSAKCE) < 50 ? md : dal) += s.SLOUPEC;
            }
            Zapis(1, r, "MD v "_t + Cast(k), Col(r, 2), Round(md, 2));
            Zapis(1, r, "DAL v "_t + Cast(k), Col(r, 3), Round(dal, 2));
        }
    }

    /// The rows of part `cast` marked for a partner breakdown against the sums over their
    /// partners in part `partneri`.
    void PoPartnerech(int cast, int partneri, std::initializer_list<int> sloupce,
                      const std::function<bool(const tVeta_Zorvi&)>& rozepsat) {
        if (!v_.count(cast) || !v_.count(partneri))
            return;
        std::map<Text, std::array<double, kSloupcu>> soucty;
        for (const tVeta_Zorvi& r : Radky(v_, partneri)) {
            if (Analytika(r).empty())
                continue;
            std::array<double, kSloupcu>& s = soucty[Analytika(r)];
            for (int c : sloupce)
                s[c] = Round(s[c] + Col(r, c), 2);
        }
        for (const tVeta_Zorvi& r : Radky(v_, cast)) {
            if (r.Soucet || !rozepsat(r))
                continue;
            const auto it = soucty.find(Analytika(r));
            for (int c : sloupce)
                Zapis(cast, r, "sl."_t + IntToText(c) + " v "_t + Cast(partneri), Col(r, c),
                      it == soucty.end() ? 0.0 : it->second[c]);
        }
    }

    /// Every sum row against the rows of its analytics.
    void Soucty(int cislo, const std::vector<tVeta_Zorvi>& radky) {
        for (const tVeta_Zorvi& soucet : radky) {
            if (!soucet.Soucet)
                continue;
            const Text prefix = Analytika(soucet);
            std::array<double, kSloupcu> s{};
            for (const tVeta_Zorvi& r : radky) {
                const Text sa = Analytika(r);
                if (r.Soucet || sa.size() <= 3 || !sa.StartsWith(prefix))
                    continue;
                for (int c = 1; c < kSloupcu; ++c)
                    s[c] = Round(s[c] + Col(r, c), 2);
            }
            for (int c = 1; c < kSloupcu; ++c)
                Zapis(cislo, soucet, "součet sl."_t + IntToText(c), Col(soucet, c), s[c]);
        }
    }

    const VysledkyCasti& v_;
    std::vector<RozdilVazby> rozdily_;
};

struct Sloupec {
    std::uint8_t width;
    Text caption;
};

const std::vector<Sloupec>& Sloupce() {
    static const std::vector<Sloupec> kSloupce = {
        {4, "Část"_t},    {5, "Řádek"_t},   {10, "Analytika"_t}, {12, "Vazba"_t},
        {14, "Částka"_t}, {14, "Má být"_t}, {14, "Rozdíl"_t},
    };
    return kSloupce;
}

std::vector<Text> Bunky(const RozdilVazby& r) {
    return {Cast(r.cast),
            IntToText(r.radek, 5),
            r.analytika,
            r.vazba,
            AmountText(r.castka, 14, 2),
            AmountText(r.mabyt, 14, 2),
            AmountText(Round(r.castka - r.mabyt, 2), 14, 2)};
}

Text Titulek(int od, int doMesic, int rok) {
    return "kontrolní vazby [od "_t + IntToText(od) + " do "_t + IntToText(doMesic) + "/"_t +
           IntToTextZeros(rok, 4) + "]"_t;
}

void Ukaz(const StatementContext& ctx, const std::vector<RozdilVazby>& rozdily, int od,
          int doMesic) {
    auto listing = ui::CreateListing(ctx.listing);
    if (!listing)
        return;
    ui::TextListing& l = *listing;
    l.Init();
    l.printoutName = Titulek(od, doMesic, ctx.fiscalYear);
    l.titles[0] = l.printoutName;
    l.titles[1] = "Kontrolní vazby mezi částmi PAP"_t;
    l.columnWidths.fill(0);
    std::vector<Text> captions;
    for (std::size_t i = 0; i < Sloupce().size(); ++i) {
        l.columnWidths[i] = Sloupce()[i].width;
        captions.push_back(
            JustifyWithChar(Sloupce()[i].caption, Sloupce()[i].width, ' ', Alignment::kLeft));
    }
    l.BuildFrameLines();
    l.framedHeader.fill({});
    l.framedHeader[0] = l.FramedLine(captions);
    l.PageHeading();
    for (const RozdilVazby& r : rozdily)
        l.WriteLineWithRoom(l.FramedLine(Bunky(r)), 2);
    l.WriteLine(l.bottomLine);
    l.CloseListingFile();
    l.HandOver(l.FileName());
}

}  // namespace

bool SestavCastiProKontrolu(StatementContext& ctx, int od, int doMesic, VysledkyCasti& vysledky) {
    std::vector<int> cisla = {1, 2, 3, 4, 5, 6, 7, 8};
    if (ctx.fiscalYear <= 2021)
        cisla.push_back(9);
    cisla.insert(cisla.end(), {10, 11, 15, 16});
    ui::ProgressPanel postup(ctx.Ui(), true, 0, "kontrolní vazby"_t, {});
    // The compared rows are read back, so that no printout and no hook takes part.
    StatementContext tichy = ctx;
    tichy.exportXml = nullptr;
    tichy.runReport = nullptr;
    tichy.editResult = nullptr;
    SadaVykazu sada(tichy);
    for (int cislo : cisla) {
        VolaniVykazu volani{Trim(StatementCaption(cislo)), {}, &postup, nullptr, false};
        volani.odMesic = od;
        volani.doMesic = doMesic;
        if (!sada.Pridej(cislo, volani))
            return false;
    }
    if (!sada.Kumuluj())
        return false;
    const bool od2014 = ctx.fiscalYear > 2013;
    for (std::size_t i = 0; i < sada.Pocet(); ++i) {
        Text soubor;
        if (!sada.Dokonci(i, soubor))
            return false;
        ReportHandOver h;
        h.dataFile = storage::PathFromText(soubor);
        h.kind = {sada.Cislo(i), od2014};
        if (auto file = OpenResultFile(*ctx.data, h)) {
            vysledky[sada.Cislo(i)] = ReadResultRows(*file);
            file->CloseFile();
        }
        DeleteResultFile(h.dataFile);
    }
    return true;
}

std::vector<RozdilVazby> KontrolniVazby(const VysledkyCasti& vysledky) {
    return Kontrola(vysledky).Spust();
}

std::vector<Text> RadkyVazeb(const std::vector<RozdilVazby>& rozdily) {
    std::vector<Text> radky;
    for (const RozdilVazby& r : rozdily) {
        Text line;
        const std::vector<Text> bunky = Bunky(r);
        for (std::size_t i = 0; i < bunky.size(); ++i)
            line += (i ? " "_t : Text()) +
                    JustifyWithChar(bunky[i], Sloupce()[i].width, ' ', Alignment::kLeft);
        radky.push_back(TrimRight(line));
    }
    return radky;
}

int KontrolaVazeb(StatementContext& ctx, int od, int doMesic) {
    VysledkyCasti vysledky;
    if (!SestavCastiProKontrolu(ctx, od, doMesic, vysledky))
        return -1;
    const std::vector<RozdilVazby> rozdily = KontrolniVazby(vysledky);
    if (rozdily.empty())
        ctx.Ui().ShowInfo("Kontrolní vazby mezi částmi PAP jsou v pořádku."_t);
    else
        Ukaz(ctx, rozdily, od, doMesic);
    return static_cast<int>(rozdily.size());
}

}  // namespace axo::pap
