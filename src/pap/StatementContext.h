// What a statement run needs from the running program: the data context, where the fiscal
// year's tables live, the fiscal year and the program date, the switches, and the hooks of the
// parts that take the compiled result further (template picker, result editor, XML export,
// report engine). The front end fills one from its session; nothing here is global.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "pap/PapFiles.h"
#include "pap/XmlExportParams.h"
#include "pap/papVykazFiles.h"
#include "storage/DataContext.h"
#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"

namespace axo::pap {

/// What the report engine gets to show a compiled statement: the template, the result file
/// (closed; the receiver deletes it with DeleteResultFile), its kind and the caption.
struct ReportHandOver {
    std::filesystem::path templatePath;  ///< template directory + template name
    std::filesystem::path dataFile;      ///< the result file's data file
    StatementKind kind;                  ///< opens the result file again (OpenResultFile)
    Text caption;                        ///< the process name
    bool modal = true;                   ///< switch AXO_MODALNI_TISK: the in-process engine
};

struct StatementContext {
    /// UI services, clock, directories (the work directory takes the temporary files).
    const storage::DataContext* data = nullptr;
    /// The documents and code lists of the fiscal year.
    PapLocation location;
    /// The fiscal year (its calendar year): the statements' year, and from 2014 on the newer
    /// methodology of X and XI; from 2022 statement IX is refused.
    int fiscalYear = 0;
    /// The accounting period's month: the default period ends with the last full quarter.
    int currentMonth = 0;
    /// Program date and fiscal-year bounds for the period dialog.
    ui::DialogEnvironment dialogs;
    /// The organisation, dates and printer set-up of the printouts (its `data` as above).
    ui::ListingEnvironment listing;
    /// Switch AXO_MODALNI_TISK: the report engine runs in process (on) or as the print manager.
    bool modalPrint = true;
    /// The directory of the report templates ("CA_T_Cesta").
    std::filesystem::path templateDirectory;
    /// The accumulation reads the document lines through their account index instead of in
    /// storage order: slower, with the same results; the reference the faster order is
    /// checked against.
    bool accountOrderPass = false;
    /// The template used when no picker is given (the layout of IV-IX depends on it).
    Text defaultTemplate;

    /// The print-form picker: form type, kind mask, title -> the chosen template; none when
    /// the user chose nothing, an empty name when no template fits (the report hook then shows
    /// the rows as a text printout). Empty: `defaultTemplate` is taken.
    std::function<std::optional<Text>(int formType, unsigned kindMask, const Text& title)>
        pickTemplate;
    /// The result-file editor (margin of statement XI), run on the open result file.
    std::function<void(int statement, const Text& processName, tFileZorvi& result)> editResult;
    /// The XML export of the open result file. Empty: no file is written.
    std::function<void(tFileZorvi& result, bool batch, const XmlExportParams& params)> exportXml;
    /// The report engine. Empty: the rows are shown as a text printout.
    std::function<void(const ReportHandOver& handOver)> runReport;
    /// In batch: takes each error protocol a statement would have shown, with the number of its
    /// lines; the file is the receiver's to show or delete. Empty: the protocols are dropped.
    std::function<void(int statement, const ui::ListingView& protocol, int lines)> batchProtocol;

    ui::UiServices& Ui() const { return *data->ui; }
};

}  // namespace axo::pap
