// The statement command of axo-pap-cli: compiles a PAP statement in the session's fiscal year
// and prints its rows, optionally writing the result file as CSV.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Options.h"
#include "pap/StatementContext.h"
#include "pap/papVykazFiles.h"

namespace axo::cli {

/// The months of a statement run: the options' --from and --to, else those the period dialog
/// offers (from 1 to the quarter's end the program date gives).
struct StatementMonths {
    int from = 1;
    int to = 12;
};
StatementMonths MonthsOf(const Options& options, const pap::StatementContext& ctx);

/// Writes the CSV of a result file to `path`, the whole CSV or none (an older file stays as it
/// was when this one cannot be written); false after the message on `err`.
bool WriteResultCsvFile(pap::tFileZorvi& file, const std::string& path, std::ostream& err);

/// The name (without ".txt") of the protocols of statement `cislo` run for `months`:
/// "vykaz4-01-12-protokol".
std::string ProtocolName(int cislo, StatementMonths months);

/// The margins of statement XI given as --margin "ANALYTIKA/PARTNER=MARŽE" (repeatable).
struct Margin {
    Text analytics;
    Text partner;
    double percent = 0;
    std::string given;
};
/// Reads the --margin options; false after the message when one is not of the form, or when
/// margins are given for a statement other than 11.
bool MarginsOf(const Options& options, int cislo, std::vector<Margin>& margins, std::ostream& err);
/// Writes the margins into the result file of statement XI as its browser does; a margin whose
/// row is missing or asks for none is reported on `err`. False when one was not written.
bool WriteMargins(pap::tFileZorvi& result, const std::vector<Margin>& margins, std::ostream& err);

/// statement N [--from M] [--to M] [--csv FILE] [--template NAME]
int RunStatement(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
