// The commands of axo-pap-cli that fill an installation with data: the code-list imports, the
// fill of the chart of accounts, the CSV imports of a chart and a journal, and the demo
// installation.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// import-upap FILE [--replace]: the PAP code list from "UPAP.txt" or an update file "UPAP_04"
/// ... "UPAP_09"; a list that has codes is replaced only with --replace.
int RunImportUpap(const Options& options, std::ostream& out, std::ostream& err);
/// import-ukod FILE [--replace]: the transaction code list from "UKod.txt"; a list that has codes
/// is replaced only with --replace.
int RunImportUkod(const Options& options, std::ostream& out, std::ostream& err);
/// fill-chart: the PAP attributes of every account from the PAP code list.
int RunFillChart(const Options& options, std::ostream& out, std::ostream& err);
/// import-chart FILE.csv: accounts of the chart of accounts.
int RunImportChart(const Options& options, std::ostream& out, std::ostream& err);
/// import-journal FILE.csv [--replace] [--strict]: booked document lines of the fiscal year;
/// unbalanced documents are counted and listed in a protocol, or with --strict refuse the file.
int RunImportJournal(const Options& options, std::ostream& out, std::ostream& err);
/// demo-install DIR [--year RRRR ...] [--lines N] [--seed S]: a new installation with the demo
/// organisation.
int RunDemoInstall(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
