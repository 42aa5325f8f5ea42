// Printing prepared pages through CUPS: a PDF of the page range (or, for a text-only printer,
// the character grid) handed to `lp` with the destination, copies, paper and the job title
// "Tisková sestava". AXO_LP names another program instead of `lp`. A range that holds no
// page prints nothing and says so.
#pragma once

#include <string>
#include <vector>

#include "report/layout/PageModel.h"
#include "report/output/FontFiles.h"

namespace axo::report {

struct TPrintJob {
    std::string printer;  ///< CUPS destination; empty: the default one
    int first = 1;        ///< pages, from 1
    int last = 9999;
    int copies = 1;
    bool textOnly = false;  ///< the character grid instead of a PDF
    std::string title = "Tisková sestava";
};

/// Whether a CUPS destination is a text-only printer: its model is "Generic Text-Only",
/// "Generic / Text Only" or "Obecná nebo jen textová" (asked through `lpoptions`).
bool IsTextOnlyPrinter(const std::string& printer);

/// The arguments given to `lp` for a job of `out`.
std::vector<std::string> ReportLpOptions(const TSestVystup& out, const TPrintJob& job);

/// Result of PrintReport.
enum PrintResult : int {
    kPrinted = 0,
    kNothingToPrint = 3,  ///< the range holds no page
    kNoPrinter = 4,       ///< no printing system or no destination
    kPrintFailed = 5,     ///< lp failed
    kDrawingFailed = 6,
};

/// Prints the job; the Czech message of the outcome (lp's answer, or why nothing was
/// printed) goes to `message`.
int PrintReport(const TSestVystup& out, TFontFiles& fonts, const TPrintJob& job,
                std::string& message);

}  // namespace axo::report
