// The error protocols of the batch.
#include "xml/papXMLBatchProtocols.h"

#include "storage/WorkFiles.h"
#include "ui/ListingOutput.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::xml {

namespace {

/// "1 řádek", "3 řádky", "16 řádků".
Text LinesText(int n) {
    const Text word = n == 1 ? "řádek"_t : n >= 2 && n <= 4 ? "řádky"_t : "řádků"_t;
    return IntToText(n) + " "_t + word;
}

}  // namespace

BatchProtocols::BatchProtocols(pap::StatementContext& statements) : statements_(statements) {
    statements_.batchProtocol = [this](int statement, const ui::ListingView& protocol, int lines) {
        kept_.push_back(protocol);
        lines_[statement] += lines;
    };
}

BatchProtocols::~BatchProtocols() {
    statements_.batchProtocol = nullptr;
    for (const ui::ListingView& protocol : kept_)
        storage::DeleteFileQuiet(protocol.file);
}

void BatchProtocols::Report(const XmlExportContext& ctx) {
    if (lines_.empty())
        return;
    Text text = "Chybové protokoly zpracovaných výkazů obsahují:"_t;
    for (const auto& [statement, lines] : lines_)
        text += ui::kLineBreakMark + "výkaz "_t + Trim(RomanNumeral(statement)) + ". "_t +
                LinesText(lines);
    text += Text(2, ui::kLineBreakMark) +
            "Zaúčtování uvedená v protokolech nejsou ve výkazech započtena."_t;
    if (!ctx.Ui().YesNo(text, " ~Z~obrazit protokoly "_t, " <Esc> ~n~ezobrazovat "_t, 2))
        return;
    ui::ListingEnvironment listing = ctx.listing;
    if (!listing.data)
        listing.data = ctx.data;
    std::vector<ui::ListingView> shown;
    shown.swap(kept_);
    for (const ui::ListingView& protocol : shown)
        ui::HandListingOver(listing, protocol);
}

}  // namespace axo::xml
