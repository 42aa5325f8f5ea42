// The report outputs of the statement command: --pdf, --png DIR [--dpi N], --svg DIR,
// --html, --rtf, --emf DIR, --wmf DIR, --txt, --layout and --print [--printer P]
// [--pages A-B] [--copies N]. The handed-over statement is laid out through its template and
// written to each of them.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Options.h"
#include "pap/StatementContext.h"
#include "report/output/ReportTargets.h"
#include "startup/Session.h"

namespace axo::cli {

/// The names of the report output options.
std::vector<std::string> ReportOptionNames();

/// The targets the options ask for. Numbers are read whole and checked (--dpi 10-2400,
/// --copies 1-9999, --pages "A-B", "A-" or "A" with pages from 1); a wrong value throws
/// std::invalid_argument with a Czech message, before anything is compiled.
report::TReportTargets ReportTargetsOf(const Options& options);

/// Lays out the handed-over result through its template with the session's parameters and
/// writes the targets. Prints the files written and the print job's answer on `err`; false
/// (after the message) when the report could not be prepared or a target failed. The files
/// written are added to `written` when given.
bool WriteReport(const startup::Session& session, ui::UiServices& ui,
                 const pap::ReportHandOver& handOver, const report::TReportTargets& targets,
                 std::ostream& err, std::vector<std::filesystem::path>* written = nullptr);

}  // namespace axo::cli
