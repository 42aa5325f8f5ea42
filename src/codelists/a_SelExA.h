// The address selector `tSelekceExtAdres`: its filter dialog, the filters it applies, and the
// choice of addresses to export or import.
#pragma once

#include <filesystem>
#include <vector>

#include "codelists/a_Anc_EA.h"

namespace axo::codelists {

/// The selection filter block (kept by the caller between uses).
struct SelectionFilter {
    Text classification = Text(10, '?');
    Text name = Text(30, '?');
    Text ico = Text(10, '?');
    Text dic = Text(15, '?');
    Text region = Text(8, '?');
    Text dealer = Text(4, '?');
    int order = 2;     ///< key 1-7
    int type = 2;      ///< 0 ordinary, 1 master, 2 all
    int validity = 0;  ///< 0 all, 1 valid, 2 invalid
    int notes = 0;     ///< 0 all, 1 only with notes, 2 only without
    bool nature[4] = {true, true, true, true};
};

/// Whether an address qualifies: every mask not made of "?" alone matches its field ("?" any
/// character), and the validity, notes, nature and type choices pass.
bool SelectionPasses(const SelectionFilter& filter, const tVetaExtAdresa& r, bool hasNotes);

/// A selector row: the tick mark's place, name (31), classification (11), IČO (11), DIČ (16)
/// and town (25).
Text SelectionRowText(const tVetaExtAdresa& r);

/// Asks for the filter ("ČÍSELNÍK EXTERNÍCH ADRES: nastavení filtrů pro následné zpracování");
/// false when left.
bool AskSelectionFilter(const AddressBook& book, SelectionFilter& filter);

/// The filter dialog, then the selector over the list in `directory`; the classifications of
/// the ticked addresses in the order of ticking. Empty when left or nothing was ticked.
std::vector<Text> ChooseAddresses(const AddressBook& book, const std::filesystem::path& directory,
                                  const Text& title);

}  // namespace axo::codelists
