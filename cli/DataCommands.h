// The commands of axo-pap-cli that fill an installation with data: the code-list imports, the
// fill of the chart of accounts, the CSV imports of a chart and a journal, and the demo
// installation.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// import-upap FILE: the PAP code list from "UPAP.txt" or an update file "UPAP_04" ... "UPAP_09".
int RunImportUpap(const Options& options, std::ostream& out, std::ostream& err);
/// import-ukod FILE: the transaction code list from "UKod.txt".
int RunImportUkod(const Options& options, std::ostream& out, std::ostream& err);
/// fill-chart: the PAP attributes of every account from the PAP code list.
int RunFillChart(const Options& options, std::ostream& out, std::ostream& err);
/// import-chart FILE.csv: accounts of the chart of accounts.
int RunImportChart(const Options& options, std::ostream& out, std::ostream& err);
/// import-journal FILE.csv [--replace]: booked document lines of the fiscal year.
int RunImportJournal(const Options& options, std::ostream& out, std::ostream& err);
/// demo-install DIR [--year RRRR ...] [--lines N] [--seed S]: a new installation with the demo
/// organisation.
int RunDemoInstall(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
