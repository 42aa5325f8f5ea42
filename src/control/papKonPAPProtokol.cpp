// The protocol of the accounting record check: column heading, one line per faulty document
// line with its marks, and the legend.
#include "control/papKonPAP.h"

#include "pap/PapData.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

struct Column {
    std::uint8_t width;
    Text caption;
    Alignment alignment;
};

std::vector<Column> Columns() {
    std::vector<Column> columns = {
        {16, "Identifikace"_t, Alignment::kCentre}, {3, "Řádek"_t, Alignment::kCentre},
        {7, " SÚ  AE"_t, Alignment::kCentre},       {10, "Stat.anal."_t, Alignment::kCentre},
        {3, "Kód"_t, Alignment::kCentre},           {10, "Partner 1"_t, Alignment::kCentre},
        {10, "Partner 2"_t, Alignment::kCentre},
    };
    for (int mark = 1; mark <= kMarkCount; ++mark)
        columns.push_back({2, IntToText(mark), Alignment::kRight});
    columns.push_back({13, "MD"_t, Alignment::kCentre});
    columns.push_back({13, "DAL"_t, Alignment::kCentre});
    columns.push_back({15, "VS"_t, Alignment::kCentre});
    return columns;
}

/// The widths, the frame lines and the framed column heading.
void SetColumns(ui::TextListing& listing) {
    const std::vector<Column> columns = Columns();
    listing.columnWidths.fill(ui::TextListing::kEndOfColumns);
    std::vector<Text> captions;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        listing.columnWidths[i] = columns[i].width;
        captions.push_back(
            JustifyWithChar(columns[i].caption, columns[i].width, ' ', columns[i].alignment));
    }
    listing.BuildFrameLines();
    listing.framedHeader = {};
    listing.framedHeader[0] = listing.FramedLine(captions);
}

Text MarkCell(int mark, const RecordCheck& check, bool consolidationSwitch) {
    if (!check.Has(mark))
        return "  "_t;
    if (mark == kMarkStatement)
        return IntToText(check.statement, 2);
    if ((mark == kMarkPartner1 || mark == kMarkPartner2) && consolidationSwitch &&
        check.consolidation)
        return " K"_t;
    return " X"_t;
}

}  // namespace

tProtokolKontroly::tProtokolKontroly(std::unique_ptr<ui::TextListing> listing,
                                     bool consolidationSwitch)
    : listing_(std::move(listing)), consolidationSwitch_(consolidationSwitch) {}

std::unique_ptr<tProtokolKontroly> tProtokolKontroly::Zaloz(const ui::ListingEnvironment& env,
                                                            const RecordCheckParams& params,
                                                            bool consolidationSwitch) {
    auto listing = ui::CreateListing(env);
    if (!listing)
        return nullptr;
    listing->Init();
    listing->printoutName = "Kontrola účetních záznamů"_t;
    listing->progressCaption = "Kontrola účetních záznamů, PAP"_t;
    listing->titles[0] = "Protokol o kontrole vyplnění údajů pro POMOCNÝ ANALYTICKÝ PŘEHLED"_t;
    listing->titles[1] = ProtocolSubtitle(params);
    SetColumns(*listing);
    return std::unique_ptr<tProtokolKontroly>(
        new tProtokolKontroly(std::move(listing), consolidationSwitch));
}

void tProtokolKontroly::Zacni(int lines) {
    listing_->PageHeading();
    listing_->StartProgress(lines, 1);
}

bool tProtokolKontroly::Krok() {
    listing_->ProgressStep();
    return !listing_->stopped;
}

void tProtokolKontroly::TextKroku(const pap::tVetaUDPO& line) {
    if (ui::ProgressPanel* progress = listing_->Progress())
        progress->SetStepText(" doklad "_t + pap::DocumentIdText(line.IDENTIFIKACE, "*"_t) +
                              " řádek "_t + IntToText(line.RADEK) + ". "_t);
}

Text tProtokolKontroly::RadekChyby(const pap::tVetaUDPO& line, const Text& analytics,
                                   const RecordCheck& check, bool sameDocument) const {
    std::vector<Text> cells = {
        sameDocument ? Blanks(16) : pap::DocumentIdText(line.IDENTIFIKACE, "RR"_t),
        IntToText(line.RADEK, 3),
        IntToTextZeros(line.SU, 3) + " "_t + IntToTextZeros(line.AE, 3),
        analytics,
        line.KOD,
        line.PARTNER,
        line.PARTNER2,
    };
    for (int mark = 1; mark <= kMarkCount; ++mark)
        cells.push_back(MarkCell(mark, check, consolidationSwitch_));
    cells.push_back(RealToText(line.MA_DATI, 13, 2));
    cells.push_back(RealToText(line.DAL, 13, 2));
    cells.push_back(line.VS1);
    return listing_->FramedLine(cells);
}

void tProtokolKontroly::ZapisChybu(const pap::tVetaUDPO& line, const Text& analytics,
                                   const RecordCheck& check) {
    const Text id = line.IDENTIFIKACE;
    // A new page shows the identification again, so that no page starts without one.
    const bool sameDocument = faults_ > 0 && id == lastDocument_ && listing_->HasRoom(2);
    listing_->WriteLineWithRoom(RadekChyby(line, analytics, check, sameDocument), 2);
    lastDocument_ = id;
    ++faults_;
}

void tProtokolKontroly::KonecPrubehu() {
    listing_->EndProgress();
}

void tProtokolKontroly::Ukonci() {
    ui::TextListing& l = *listing_;
    l.WriteLine(l.bottomLine);
    l.WriteLine({});
    // Should the legend need a new page, it gets no frame line and no column heading of
    // lines that are not there.
    l.bottomLine.clear();
    l.framedHeader = {};
    l.WriteLineWithRoom("Popis chyb: "_t, kMarkCount);
    for (int mark = 1; mark <= kMarkCount; ++mark)
        l.WriteLine(Blanks(10) + IntToText(mark, 2) + ". "_t + MarkLegend(mark));
}

void tProtokolKontroly::Ukaz() {
    listing_->CloseListingFile();
    listing_->HandOver(listing_->FileName());
}

}  // namespace axo::control
