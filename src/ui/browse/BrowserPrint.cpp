// Printing the browser's list: every record of the current order that the filter accepts, one
// row text a line, as a text printout; lines beyond the paper's 150 characters cut, or printed
// as two lines when the user agrees.
#include <algorithm>

#include "ui/TextListing.h"
#include "ui/browse/Browser.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

/// The characters a line of the paper takes.
constexpr std::size_t kPaperWidth = 150;

}  // namespace

Text TBrowser::RadekOpisu(std::int32_t n) {
    currentRecord = n;
    if (!VetaVyhovuje())
        return {};
    Uloz(0);
    return TextRadku(0);
}

void TBrowser::Opis() {
    if (env_.printWithForm && env_.printWithForm(*this))
        return;
    PrintList(true);
}

void TBrowser::OpisObrazovky() {
    PrintList(false);
}

void TBrowser::PrintList(bool cutLines) {
    if (!env_.listing || !table)
        return;
    auto listing = CreateListing(*env_.listing);
    if (!listing)
        return;
    listing->Init();
    listing->printoutName = TitulekOpisu();
    listing->progressCaption = TitulekOpisu();
    listing->titles[0] = TitulekOpisu();
    const Text header = HlavickaOpisu();
    listing->plainHeader[0] = cutLines ? header.substr(0, kPaperWidth) : header;
    listing->StartProgress(table->BtUsedRecs(), 64);
    bool headed = false;
    bool asked = false;
    bool twoLines = false;
    auto write = [&](const Text& line) {
        if (!listing->HasRoom(2)) {
            listing->WriteLine("\f"_t);
            listing->PageHeading();
        }
        listing->WriteLine(line);
    };
    std::int32_t n = 0;
    Text key;
    table->BtClearKey(currentKey_);
    while (table->BtNextKey(currentKey_, n, key)) {
        keyBuffer = key;
        Text line = RadekOpisu(n);
        if (!listing->ProgressStep() && listing->stopped)
            break;
        if (line.empty())
            continue;
        if (line.size() > kPaperWidth) {
            if (cutLines) {
                line.resize(kPaperWidth);
            } else if (!asked) {
                asked = true;
                twoLines = ui_.YesNo(
                    "Řádek je delší, než umožňuje šířka papíru.\rTisknout jako dvouřádek?"_t,
                    "ANO"_t, "<Esc>ne"_t, 1);
                if (twoLines) {
                    listing->plainHeader[0] = header.substr(0, kPaperWidth);
                    listing->plainHeader[1] = header.substr(kPaperWidth, kPaperWidth);
                }
            }
        }
        if (!headed) {
            const std::size_t width = twoLines ? std::min(line.size(), kPaperWidth) : line.size();
            listing->lineWidth = static_cast<std::uint16_t>(std::max<std::size_t>(78, width));
            listing->PageHeading();
            headed = true;
        }
        if (twoLines && line.size() > kPaperWidth) {
            write(line.substr(0, kPaperWidth));
            write(line.substr(kPaperWidth, kPaperWidth));
        } else {
            write(line);
        }
    }
    listing->WriteLine(Repeat('\x81', listing->lineWidth));
    listing->EndProgress();
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
}

}  // namespace axo::ui
