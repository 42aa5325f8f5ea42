// Preparing a report's pages: the records run through the template in the engine's order
// (report start, page header, group headers, a body per record, group footers, report end,
// page footers), with the space tests and flags that break pages, groups that start new
// pages, multi-column bodies, variable-height texts and drawing areas that continue on further
// pages, embedded detail reports, the character raster and the total page count filled in at
// the end. The values come from the same per-record computation that WalkRecords drives.
#pragma once

#include <filesystem>
#include <functional>

#include "report/layout/FontMetrics.h"
#include "report/layout/PageModel.h"
#include "report/run/Computation.h"

namespace axo::report {

struct TLayoutOptions {
    /// Everything fits: one page that grows (the continuous HTML export).
    bool unpaginated = false;
    /// Told the number of each record as it is taken; returning false cancels the run.
    std::function<bool(int record)> progress;
    /// Where the names of picture elements are looked for (besides absolute paths).
    std::filesystem::path pictureDirectory;
};

/// Builds the pages of a prepared computation (`Prepare` called) into `out`. Returns kSestOk,
/// or kSestCancelled (the pages built so far remain). Messages of the layout (a position that
/// stopped advancing, a band taller than a page) go to `out.messages`.
int BuildPages(ReportComputation& c, TFontMetrics& metrics, const DateTime& now, TSestVystup& out,
               const TLayoutOptions& options = {});

}  // namespace axo::report
