// The demo organisation in an installation: its transaction codes, PAP codes, chart of accounts
// filled from the codes, and a year of booked documents (see DemoCatalog.h, DemoJournal.h).
#pragma once

#include <cstdint>
#include <filesystem>

#include "pap/PapFiles.h"
#include "storage/DataContext.h"
#include "ui/UiServices.h"

namespace axo::pap {

struct DemoOptions {
    int year = 2024;    ///< the fiscal year (calendar year) of the documents
    int lines = 20000;  ///< about this many document lines
    std::uint64_t seed = 1;
    /// Where the code-list files "UPAP.txt", "UPAP_04" ... "UPAP_09" and "UKod.txt" are also
    /// written, for the imports; empty: nowhere.
    std::filesystem::path textDirectory;
};

struct DemoResult {
    int transactionCodes = 0;
    int papCodes = 0;
    int accounts = 0;
    int documents = 0;
    int lines = 0;
};

/// Fills the code lists, the chart and the documents of `where` with the demo organisation. The
/// code lists are replaced, the chart's accounts added or changed, and the demo documents replace
/// any of the same identification. After the fill of the chart the demo withdraws one PAP code
/// and puts one account without analytics into statement II, so that the protocols have work.
/// False after a message when a table is in use.
bool InstallDemoData(const PapLocation& where, const storage::DataContext& ctx, ui::UiServices& ui,
                     const DemoOptions& options, DemoResult& result);

}  // namespace axo::pap
