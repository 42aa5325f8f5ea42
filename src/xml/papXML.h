// The XML export for the ministry's central accounting system (CSÚIS): the export parameters
// and their dialog, the part files and their record types, the message envelope and statement
// header every complete file shares, the formatting of amounts, dates and texts, and the export
// of one compiled statement (or of the CSV input of parts XIV and XVII) into its part file.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pap/StatementContext.h"
#include "pap/XmlExportParams.h"
#include "pap/papVykazFiles.h"
#include "startup/Trezor.h"
#include "storage/DataContext.h"
#include "ui/DialogElement.h"
#include "ui/ListingEnvironment.h"
#include "xml/papXMLCheck.h"

namespace axo::startup {
class Session;
}

namespace axo::xml {

using pap::XmlExportParams;

/// Where the parameter block lives in the parameter vault.
inline constexpr int kParamsGroup = 1;
inline constexpr int kParamsItem = 71;

/// Dialog variants that are no part's record type: the interactive and the batch summary.
inline constexpr std::string_view kRecordSummary = "888";
inline constexpr std::string_view kRecordBatch = "999";
inline constexpr std::string_view kRecordFragment = "030";

/// An amount of a printed statement that the part's XML does not carry.
struct UntransmittedAmount {
    int part = 0;
    Text analytics;
    Text code;
    double amount = 0;
    Text reason;
};

/// What the export needs from the running program; the front end fills one from its session.
struct XmlExportContext {
    /// UI services, clock, program directory and current directory.
    const storage::DataContext* data = nullptr;
    /// Up to 2013 the older methodology (parts I-XIII); from 2022 no part IX and XVII.
    int fiscalYear = 0;
    /// Program date (the default statement date) and the other dialog settings.
    ui::DialogEnvironment dialogs;
    /// The user's parameter vault; none: every dialog starts from the defaults.
    startup::tTrezor* parameterVault = nullptr;
    /// The accounting unit's data directory: a new block's target is its "Vykazy_XML/".
    std::filesystem::path dataDirectory;
    /// The firm record: the defaults of a new block.
    Text firmIco;
    Text firmName;
    Text firmPhone;
    /// The report templates; the batch dialog checks its print forms there.
    std::filesystem::path templateDirectory;
    /// The print-form picker: kind mask and title -> the chosen template. Empty: no picker.
    std::function<std::optional<Text>(unsigned kindMask, const Text& title)> pickForm;
    /// The print form the catalogue offers first for a kind mask; none when no form fits.
    /// Empty: no catalogue.
    std::function<std::optional<Text>(unsigned kindMask)> defaultForm;
    /// Whether the drive of a directory is ready (reports free space). Empty: statvfs.
    std::function<bool(const std::filesystem::path& directory)> driveReady;
    /// Text printouts (the protocol of amounts not transmitted); without its `data` the one
    /// above is used.
    ui::ListingEnvironment listing;
    /// Where the amounts the part files do not carry are gathered (the batch run lists them
    /// once, at its end); none: each export lists its own.
    std::vector<UntransmittedAmount>* untransmitted = nullptr;

    ui::UiServices& Ui() const { return *data->ui; }
};

/// The export context of a started session (its vault, firm, directories and dates).
XmlExportContext MakeXmlExportContext(const startup::Session& session);

/// A part file: its number, record type, file name and, for complete messages, the root
/// element of the body with its namespace and schema file.
struct PartFile {
    int part = 0;
    std::string_view recordType;
    std::string_view fileName;
    std::string_view root;  ///< empty for the fragments I-IX
    std::string_view nameSpace;
    std::string_view schema;
};

/// The part file of part 1-17, or of the summary (part 0); nullptr for any other number.
const PartFile* FindPart(int part);

/// An XML file as it is built: its lines are kept in memory, so that the whole file can be
/// checked before anything of it reaches the disk. Every line ends with CR LF.
class XmlLines {
  public:
    void Line(std::string_view line) {
        bytes_.append(line);
        bytes_ += "\r\n";
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// ---- Formatting ---------------------------------------------------------------------------

/// A text as element content: the first 125 characters, escaped and in UTF-8.
std::string XmlText(const Text& text);
/// An amount with two decimals (halves away from zero), "." as decimal point, "-" in front of
/// negative values, no thousands separator: 0 gives "0.00", -12.5 gives "-12.50".
std::string XmlAmount(double value);
/// A line of one element with its content: indent, opening tag, content, closing tag.
std::string Element(std::string_view indent, std::string_view name, std::string_view content);
/// The telephone as the envelope carries it: blanks removed and, because the central system
/// accepts nothing but digits there, an international "+" written as "00" and every other
/// character that is not a digit left out (a leading "TE" or "FX" stays); empty when fewer than
/// 3 characters would be left.
Text EnvelopePhone(const Text& typed);
/// Leading white space written as runs, "1t 26s 1t": one tab, 26 blanks, one tab.
std::string Indent(std::string_view runs);

/// The indents the part files of both methodologies share.
namespace layout {
inline const std::string kCast = Indent("1t 26s 1t");
inline const std::string kFragmentRow = Indent("1t 1s 1t 12s 1t 24s");
inline const std::string kFragmentField = Indent("1t 1s 1t 12s 1t 31s");
inline const std::string kRow = Indent("1t 23s 2t");
inline const std::string kField = Indent("1t 32s 1t");
}  // namespace layout
/// The period a fragment of parts I-IX was compiled for. The fragment keeps it in its first
/// line, the processing instruction `<?axo-pap obdobi="1-12" rok="2024"?>`, which the summary
/// reads to refuse fragments of different periods and leaves out of its own text.
struct FragmentPeriod {
    int from = 0;
    int to = 0;
    int year = 0;
    bool operator==(const FragmentPeriod&) const = default;
};
std::string FragmentPeriodLine(const FragmentPeriod& period);
/// The period of a fragment's first line; none when the line is no period mark.
std::optional<FragmentPeriod> ParseFragmentPeriod(std::string_view line);
/// "od 1 do 12/2024".
Text PeriodText(const FragmentPeriod& period);

/// A stored statement date (dd.mm.yyyy, blanks read as zeros) as yyyy-mm-dd.
std::string StatementDateIso(const Text& date);
/// The last day of a month as yyyy-mm-dd.
std::string LastDayIso(int month, int year);

// ---- Envelope and header ------------------------------------------------------------------

/// The transfer identifiers, asked anew for every message.
struct TransferIds {
    Text transactionId;
    Text referenceId;  ///< optional
};

/// A fresh transfer identifier: 32 random lower-case hexadecimal characters, unique per message.
Text NewTransactionId();

/// The declaration and envelope lines before a message body. `stamp` is the creation stamp.
void WriteEnvelopeHead(XmlLines& file, std::string_view recordType, const XmlExportParams& p,
                       const TransferIds& ids, const std::string& stamp);
/// The lines after a message body.
void WriteEnvelopeTail(XmlLines& file);
/// "<cus:MessageBody>" and the open root element of a complete part or the summary.
void WriteBodyOpening(XmlLines& file, const PartFile& part);

/// What the statement header of a complete file shows besides the block.
struct HeaderDates {
    std::string today;          ///< `stm:DatumSestaveni`, yyyy-mm-dd
    std::string statementDate;  ///< `stm:DatumVykaz`, yyyy-mm-dd
};
/// The `VykazHlavicka` block; without `contact` (methodology up to 2013) it ends after
/// `stm:FinancniCastkaRad`.
void WriteStatementHeader(XmlLines& file, const XmlExportParams& p, const HeaderDates& dates,
                          bool contact = true);

// ---- Dialog and export --------------------------------------------------------------------

/// The parameter dialog (`tDialogPAP`) of a record type ("030"-"038", "888", "999"): loads the
/// block from the vault (defaults when missing), shows the fields of the type, checks them on
/// "provést export", stores the block and hands it back with the directory made absolute and
/// ending in "/". For "999" the statement date becomes the last day of the chosen month.
/// False when the user leaves (or gives up on a drive that is not ready).
bool EditExportParams(const XmlExportContext& ctx, std::string_view recordType,
                      XmlExportParams& params, TransferIds& ids);

/// Writes the part file of a compiled statement (`result`, open; its first record names the
/// part) or, with `part` 14 or 17 and no result, of part XIV or XVII from its CSV file. In
/// batch the block given is used and an existing file is replaced without asking; otherwise
/// the dialog asks. Every refusal is shown to the user. Returns the path written, or none.
std::optional<std::filesystem::path> ExportStatementXml(const XmlExportContext& ctx,
                                                        pap::tFileZorvi* result, bool batch,
                                                        const XmlExportParams& batchParams,
                                                        int part);

/// Wires the statements' XML option to ExportStatementXml of `ctx` (which must outlive the
/// statement context's use); `written` (when given) is told each path written.
void ConnectXmlExport(pap::StatementContext& statements, const XmlExportContext& ctx,
                      std::function<void(const std::filesystem::path&)> written = {});

/// The overwrite question for an existing target; true when there is none or the user lets
/// it be replaced.
bool AskOverwrite(ui::UiServices& ui, const std::filesystem::path& target);
/// The messages of a file that could not be created, could not be written, and was saved.
void ShowCreateError(ui::UiServices& ui, int error);
void ShowWriteError(ui::UiServices& ui, int error);
void ShowSaved(ui::UiServices& ui, const std::filesystem::path& target, const Text& directory);
/// Checks a built file (well-formed; a message also against the envelope schema) and only then
/// puts it in place of `target`. False after telling the user what is wrong; the file that was
/// there stays as it was.
bool SaveXml(ui::UiServices& ui, const std::filesystem::path& target, const XmlLines& lines,
             XmlKind kind);

/// The protocol listing the amounts of the printout that the XML does not carry, for the period
/// and process named; nothing when there are none.
void ShowUntransmitted(const XmlExportContext& ctx, const std::vector<UntransmittedAmount>& amounts,
                       const FragmentPeriod& period, const Text& processName);

/// The rows of a result file in the order of its first key.
std::vector<pap::tVeta_Zorvi> ReadRowsByKey(pap::tFileZorvi& result);

}  // namespace axo::xml
