// The error protocol of a statement run.
#include "pap/papProtokol.h"

#include <array>

#include "pap/PapData.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::pap {

namespace {

struct Column {
    std::uint8_t width;
    Text caption;
    Alignment alignment;
};

/// The columns of the document-line section; the unnamed reason column fills the line to 81.
const std::vector<Column>& RadkoveSloupce() {
    static const std::vector<Column> kColumns = {
        {16, "Identifikace"_t, Alignment::kLeft},
        {5, "Řádek"_t, Alignment::kLeft},
        {7, " SÚ  AE"_t, Alignment::kLeft},
        {14, "MD"_t, Alignment::kCentre},
        {14, "DAL"_t, Alignment::kCentre},
        {10, "Stat.anal."_t, Alignment::kLeft},
        {7, {}, Alignment::kLeft},
    };
    return kColumns;
}

const std::vector<Column>& KodoveSloupce() {
    static const std::vector<Column> kColumns = {
        {12, "St.analytika"_t, Alignment::kLeft},
        {9, "Transakce"_t, Alignment::kLeft},
        {14, "MD"_t, Alignment::kCentre},
        {14, "DAL"_t, Alignment::kCentre},
    };
    return kColumns;
}

const std::vector<Column>& NeprenesenoSloupce() {
    static const std::vector<Column> kColumns = {
        {5, "Výkaz"_t, Alignment::kLeft},
        {12, "St.analytika"_t, Alignment::kLeft},
        {9, "Transakce"_t, Alignment::kLeft},
        {14, "Částka"_t, Alignment::kCentre},
        {34, "Proč se nepřenáší"_t, Alignment::kLeft},
    };
    return kColumns;
}

/// The heading of a section after the document lines.
Text Nadpis(bool kody) {
    return kody ? "nekorektní kódy transakce"_t : "částky nepřenesené do XML"_t;
}

/// Sets the widths and the framed column header of a section and computes the frame lines.
void NastavSloupce(ui::TextListing& listing, const std::vector<Column>& columns) {
    listing.columnWidths.fill(0);
    std::vector<Text> captions;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        listing.columnWidths[i] = columns[i].width;
        captions.push_back(
            JustifyWithChar(columns[i].caption, columns[i].width, ' ', columns[i].alignment));
    }
    listing.BuildFrameLines();
    listing.framedHeader.fill({});
    listing.framedHeader[0] = listing.FramedLine(captions);
}

Text Castka(double x) {
    return AmountText(x, 14, 2);
}

/// The marks of the legend, in the order of its lines.
enum Znacka : std::size_t {
    kUcetChybi,
    kNezadana,
    kNeexistuje,
    kSoucet,
    kBezKodu,
    kKodNepovolen,
    kBezPartnera1,
    kBezPartnera2,
    kNekorektniKody,
    kNeprenesene,
    kSkrtnuto,
    kNepovoleno,
    kZnacek
};

struct PolozkaLegendy {
    const char* znacka;
    const char* popis;
};

/// The legend's lines; a mark of the statement's cells is explained where the protocol speaks
/// of codes of statements IV to IX.
const std::array<PolozkaLegendy, kZnacek>& Polozky() {
    static const std::array<PolozkaLegendy, kZnacek> kPolozky = {{
        {"???", "účet v účtovém rozvrhu neexistuje, nezapočítal se"},
        {"nezad.", "účet nemá v účtovém rozvrhu zadanou analytiku PAP, nezapočítal se"},
        {"neex.", "analytika PAP účtu není v číselníku PAP, účet se nezapočítal"},
        {"součet", "analytika PAP účtu je součtový řádek, účet se nezapočítal"},
        {"kt ---", "řádek dokladu nemá kód transakce"},
        {"kód x", "kód transakce, který analytika PAP nepovoluje nebo do výkazu nepatří"},
        {"P1 ---", "chybí partner (partner 1) nebo není platný"},
        {"P2 ---", "chybí partner 2"},
        {"nekorektní kódy transakce",
         "obraty s kódem, pro který výkaz nemá sloupec; nezapočetly se"},
        {"částky nepřenesené do XML",
         "částky výkazu, které XML části nenese; důvod je v posledním sloupci"},
        {"x", "ve výkazu: sloupec s kódem, který analytika PAP nepovoluje"},
        {"!", "ve výkazu: částka s kódem, který analytika PAP nepovoluje"},
    }};
    return kPolozky;
}

}  // namespace

tChybovyProtokol::tChybovyProtokol(std::unique_ptr<ui::TextListing> listing)
    : listing_(std::move(listing)) {}

std::unique_ptr<tChybovyProtokol> tChybovyProtokol::Zaloz(const ui::ListingEnvironment& env,
                                                          const Text& title,
                                                          const Text& processName) {
    auto listing = ui::CreateListing(env);
    if (!listing)
        return nullptr;
    listing->Init();
    listing->printoutName = title;
    listing->titles[0] = title;
    listing->titles[1] = processName;
    return std::unique_ptr<tChybovyProtokol>(new tChybovyProtokol(std::move(listing)));
}

Text tChybovyProtokol::Titulek(int odMesic, int doMesic, int rok) {
    return "chybový protokol [od "_t + IntToText(odMesic) + " do "_t + IntToText(doMesic) + "/"_t +
           IntToTextZeros(rok, 4) + "]"_t;
}

Text tChybovyProtokol::IdentifikaceText(const Text& identifikace) {
    Text id = identifikace;
    if (id.size() > 6 && id[6] == ' ')
        id[6] = '_';
    return DocumentIdText(id, "RR"_t);
}

void tChybovyProtokol::ZacniSekci(Sekce sekce) {
    if (sekce_ == sekce)
        return;
    ui::TextListing& l = *listing_;
    const bool first = sekce_ == Sekce::Zadna;
    if (!first)
        l.WriteLine(l.bottomLine);
    NastavSloupce(l, sekce == Sekce::Radky  ? RadkoveSloupce()
                     : sekce == Sekce::Kody ? KodoveSloupce()
                                            : NeprenesenoSloupce());
    if (sekce != Sekce::Radky)
        l.titles[2] = Nadpis(sekce == Sekce::Kody);
    if (first) {
        l.PageHeading();
    } else {
        l.WriteLine({});
        l.WriteLineWithRoom(
            JustifyWithChar(Nadpis(sekce == Sekce::Kody), l.lineWidth, ' ', Alignment::kCentre), 6);
        l.WriteLine(l.TopFrameLine());
        l.WriteLine(l.framedHeader[0]);
        l.WriteLine(l.SeparatorLine());
    }
    sekce_ = sekce;
}

void tChybovyProtokol::ZapisRadek(const RadekProtokolu& r) {
    ZacniSekci(Sekce::Radky);
    const Text analytika =
        r.ucetChybi ? JustifyWithChar("???"_t, 10, ' ', Alignment::kCentre) : r.analytika;
    const std::vector<Text> cells = {
        IdentifikaceText(r.identifikace),
        IntToText(r.radek, 5),
        IntToTextZeros(r.su, 3) + "/"_t + IntToTextZeros(r.ae, 3),
        Castka(r.md),
        Castka(r.dal),
        analytika,
        r.duvod,
    };
    listing_->WriteLineWithRoom(listing_->FramedLine(cells), 2);
    ++radku_;
    PoznamenejZnacku(r);
}

void tChybovyProtokol::PoznamenejZnacku(const RadekProtokolu& r) {
    const Text duvod = TrimRight(r.duvod);
    if (r.ucetChybi)
        znacky_.set(kUcetChybi);
    else if (duvod == "nezad."_t)
        znacky_.set(kNezadana);
    else if (duvod == "neex."_t)
        znacky_.set(kNeexistuje);
    else if (duvod == "součet"_t)
        znacky_.set(kSoucet);
    else if (duvod == "kt ---"_t)
        znacky_.set(kBezKodu);
    else if (duvod == "P1 ---"_t)
        znacky_.set(kBezPartnera1);
    else if (duvod == "P2 ---"_t)
        znacky_.set(kBezPartnera2);
    else if (duvod.size() > 2 && duvod.substr(duvod.size() - 2) == " x"_t)
        znacky_.set(kKodNepovolen);
}

std::vector<Text> tChybovyProtokol::Legenda() const {
    std::bitset<16> znacky = znacky_;
    // Codes a row does not allow show in the statement with the marks of its cells.
    if (znacky[kKodNepovolen] || znacky[kNekorektniKody] || znacky[kNeprenesene]) {
        znacky.set(kSkrtnuto);
        znacky.set(kNepovoleno);
    }
    std::vector<Text> lines;
    for (std::size_t i = 0; i < kZnacek; ++i) {
        if (!znacky[i])
            continue;
        const PolozkaLegendy& p = Polozky()[i];
        const Text znacka = FromUtf8(p.znacka);
        // The section headings stand on a line of their own above their explanation.
        if (znacka.size() > 8) {
            lines.push_back(Blanks(2) + znacka + ":"_t);
            lines.push_back(Blanks(12) + FromUtf8(p.popis));
        } else {
            lines.push_back(Blanks(2) + JustifyWithChar(znacka, 8, ' ', Alignment::kLeft) +
                            Blanks(2) + FromUtf8(p.popis));
        }
    }
    return lines;
}

void tChybovyProtokol::Zakonci() {
    ui::TextListing& l = *listing_;
    l.WriteLine(l.bottomLine);
    const std::vector<Text> lines = Legenda();
    if (lines.empty())
        return;
    l.WriteLine({});
    // Should the legend need a new page, it gets no frame line, column header or section
    // heading of lines that are not there.
    l.bottomLine.clear();
    l.framedHeader = {};
    l.titles[2].clear();
    l.WriteLineWithRoom("Vysvětlivky značek:"_t, static_cast<int>(lines.size()) + 1);
    for (const Text& line : lines)
        l.WriteLine(line);
}

void tChybovyProtokol::ZapisNekorektniKod(const Text& analytika, const Text& transakce, double md,
                                          double dal) {
    ZacniSekci(Sekce::Kody);
    const std::vector<Text> cells = {analytika, transakce, Castka(md), Castka(dal)};
    listing_->WriteLineWithRoom(listing_->FramedLine(cells), 2);
    ++radku_;
    znacky_.set(kNekorektniKody);
}

void tChybovyProtokol::ZapisNeprenesenou(const Text& vykaz, const Text& analytika,
                                         const Text& transakce, double castka, const Text& duvod) {
    ZacniSekci(Sekce::Neprenesene);
    const std::vector<Text> cells = {vykaz, analytika, transakce, Castka(castka), duvod};
    listing_->WriteLineWithRoom(listing_->FramedLine(cells), 2);
    ++radku_;
    znacky_.set(kNeprenesene);
}

std::optional<ui::ListingView> tChybovyProtokol::Odloz() {
    if (Prazdny())
        return std::nullopt;
    Zakonci();
    return listing_->Keep();
}

void tChybovyProtokol::Ukaz() {
    if (Prazdny())
        return;
    Zakonci();
    listing_->CloseListingFile();
    listing_->HandOver(listing_->FileName());
}

}  // namespace axo::pap
