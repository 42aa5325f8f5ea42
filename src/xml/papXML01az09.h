// The summary "PAP_souhrn.xml": the fragments of parts I-IX (I-VIII from 2022) copied into one
// message, and the batch run that compiles the parts and then builds the summary.
#pragma once

#include <filesystem>
#include <optional>

#include "pap/StatementContext.h"
#include "xml/papXML.h"

namespace axo::xml {

/// The number of parts in the summary: 9, and 8 from 2022 (part IX was abolished).
int SummaryPartCount(int fiscalYear);

/// Builds "PAP_souhrn.xml" in the target directory from the fragments "PAP_Cast1.xml" ...
/// Not in batch the dialog "888" asks for the block and identifiers first; in batch those given
/// are used. Every fragment must exist before anything is written; an existing summary is
/// replaced only when the user agrees (in batch too). The fragments are deleted only once the
/// summary is complete; on any failure they all stay and no summary is left. Returns the path
/// written, or none after showing why.
std::optional<std::filesystem::path> BuildSummaryXml(const XmlExportContext& ctx,
                                                     const TransferIds& ids,
                                                     const XmlExportParams& params, bool batch);

/// The batch run: the dialog "999" once, parts I-IX (I-VIII from 2022) compiled one after
/// another in batch mode through `statements` (their fragments overwritten silently), then the
/// summary. Leaving the dialog compiles nothing and shows nothing. A part that does not compile
/// or whose fragment is not written stops the run: the fragments it wrote are deleted, no
/// summary is made, and the user is told which part failed. Returns the summary's path.
std::optional<std::filesystem::path> BatchSummaryXml(const XmlExportContext& ctx,
                                                     pap::StatementContext& statements);

}  // namespace axo::xml
