// The XML commands of axo-pap-cli: a statement's part file, parts XIV and XVII from their CSV
// files, the summary from the fragments, and the batch run. The export dialog is filled from
// the options (the rest from the block the vault keeps) and its checks apply as in the program.
#pragma once

#include <iosfwd>

#include "Options.h"

namespace axo::cli {

/// The options that fill the export dialog, as the help lists them (lines end with "\n").
const char* XmlDialogOptionsHelp();
/// xml N [--from M] [--to M] [dialog options]
int RunXml(const Options& options, std::ostream& out, std::ostream& err);
/// xml14 [dialog options]: part XIV from "PAP_CastXIV.csv" in the target directory.
int RunXml14(const Options& options, std::ostream& out, std::ostream& err);
/// xml17 [dialog options]: part XVII from "PAP_CastXVII.csv" in the target directory.
int RunXml17(const Options& options, std::ostream& out, std::ostream& err);
/// summary [dialog options]: "PAP_souhrn.xml" from the fragments of parts I-IX.
int RunSummary(const Options& options, std::ostream& out, std::ostream& err);
/// batch [--month M] [dialog options]: parts I-IX compiled in batch mode, then the summary.
int RunBatch(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace axo::cli
