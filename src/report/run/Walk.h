// A run over all records without pages: the sections print in the engine's order (report
// start, page header, group headers, a body per record with the group footers and headers
// where groups change, group footers, report end, page footer), and the values are computed
// record by record as on paper. The page layout repeats this sequence with page breaks; this
// pass serves the checks and measurements that need the values but no pages.
#pragma once

#include <functional>

#include "report/run/Computation.h"

namespace axo::report {

/// Receives each section that prints, with the computation standing on the values it shows.
using SectionSink = std::function<void(int section, ReportComputation& values)>;

/// Runs the report over its records (Prepare must have been called). `cancelled`, asked after
/// each record, stops the run. Returns kSestOk, or kSestCancelled.
int WalkRecords(ReportComputation& c, const DateTime& now, const SectionSink& sink,
                const std::function<bool()>& cancelled = {});

}  // namespace axo::report
