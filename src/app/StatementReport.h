// A compiled statement printed through the report engine: the template chosen in the print
// form picker, the report prepared over the result file with the session's fifteen parameters,
// and shown in the print preview (or handed to the print manager Axo_Tisk when the switch
// AXO_MODALNI_TISK is off). The desktop program and the command line share the preparation.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pap/StatementContext.h"
#include "report/Sestava.h"
#include "report/data/StatementSource.h"
#include "report/output/FontFiles.h"
#include "startup/Session.h"
#include "xml/papXML.h"

namespace axo::app {

/// A statement's report with its records; the source closes the result file when destroyed.
struct PreparedStatement {
    std::unique_ptr<report::StatementSource> source;
    std::unique_ptr<report::TSestava> sestava;
};

/// The fifteen parameters of the session's reports (&1 ... &15).
std::vector<Text> SessionReportParameters(const startup::Session& session);

/// Opens the handed-over result file and lays it out through its template with the session's
/// parameters. False, with the Czech messages in `messages`, when it could not be prepared;
/// warnings of the layout go there too.
bool PrepareStatementReport(const startup::Session& session, ui::UiServices& ui,
                            const pap::ReportHandOver& handOver, report::TFontFiles& fonts,
                            PreparedStatement& prepared, std::vector<std::string>& messages);

/// Connects the statement context of the desktop program's menu to the printing: the picker
/// (form type 58 and the statement's mask; the list starts on the template chosen last for
/// the same mask, which the user's parameter vault keeps) and the report hook. A statement no
/// template fits is listed as a text printout after a message saying so.
void ConnectStatementPrinting(pap::StatementContext& ctx, const startup::Session& session);

/// Connects the batch XML dialog's three print-form fields to the print-form picker (form type
/// 58) and to the catalogue's default form of each field's mask.
void ConnectBatchForms(xml::XmlExportContext& ctx, const startup::Session& session);

/// The argument list of the print manager for a hand-over (Axo_Tisk, switch AXO_MODALNI_TISK
/// off): "/N" + the data file, "/C", "/K" the caption and template quoted, "/Z" + the number,
/// "/M" when the flag is set, "/1" ... "/15" the parameters quoted, "/I" the index when given.
/// Each switch is one argument (no shell ever sees them).
std::vector<std::string> PrintManagerArguments(const pap::ReportHandOver& handOver,
                                               const std::vector<Text>& parameters, int number,
                                               bool flag, const Text& indexName = {});

}  // namespace axo::app
