// The booked documents of the demo organisation, a school, for one fiscal year: opening
// balances, payroll and levies, the founder's contribution and the state budget's grant,
// energy, the canteen's food and fees, rents, supplier invoices and their payments, cash,
// depreciation and the fund it feeds, transfers (a project advance among them), assets
// received and handed on free of charge, off-balance records, the financial plan and the
// settlement with the founder, every document balanced and every balance on its side at
// every month end; partners as valid IČOs, country codes and the special values "111" ...
// "444". A few documents carry the faults that the record check, the statement protocols and
// the control runs exist to catch (their header describes the fault); a few are adjusting
// documents (" U") and some are in state 3. The same seed always gives the same documents.
#pragma once

#include <cstdint>
#include <vector>

#include "pap/ImportJournal.h"

namespace axo::pap {

struct DemoJournalOptions {
    int year = 2024;
    /// About this many lines; the documents every month needs come first (about 1,700 lines
    /// a year), so a small number gives more. Random documents fill the rest with amounts
    /// scaled so that the year's costs and revenues stay about the same at any size.
    int lines = 20000;
    std::uint64_t seed = 1;
};

/// The text every faulty document's description begins with.
Text DemoFaultPrefix();

/// The documents, in booking order.
std::vector<JournalDocument> BuildDemoJournal(const DemoJournalOptions& options);

/// The IČO of seven digits (0 - 9,999,999) completed by its check digit.
Text IcoWithCheckDigit(std::uint32_t sevenDigits);

}  // namespace axo::pap
