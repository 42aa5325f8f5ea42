// The XML commands: the session's export context, the export dialog answered from the options
// by its field names, and the paths written printed on standard output.
#include "XmlCommands.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "CliSession.h"
#include "CliUi.h"
#include "StatementCommands.h"
#include "app/StatementContextFor.h"
#include "pap/StatementTitles.h"
#include "pap/Statements.h"
#include "pap/XmlExportParams.h"
#include "pap/papVykaz.h"
#include "startup/Trezor.h"
#include "ui/Dialog.h"
#include "util/Cisla.h"
#include "util/Retezce.h"
#include "xml/papXML.h"
#include "xml/papXML01az09.h"

namespace axo::cli {

namespace {

namespace fs = std::filesystem;

const char* const kDialogOptions =
    "Volby dialogu XML (co chybí, vezme se z minulého zadání): --dir ADRESÁŘ, --ico IČO,\n"
    "--name NÁZEV, --person OSOBA, --email E-MAIL, --phone TELEFON, --zo ČÍSLO, --chapter\n"
    "KAPITOLA, --date D.M.RRRR (výkaz sestaven ke dni; zároveň datum pro program),\n"
    "--transaction-id HEX (jinak nový náhodný), --reference-id HEX.\n";

/// The dialog's fields by the options that fill them.
struct FieldOption {
    const char* option;
    const char* field;
};
const FieldOption kFieldOptions[] = {
    {"dir", "adresar"},
    {"ico", "ico"},
    {"name", "nazev"},
    {"person", "osoba"},
    {"email", "email"},
    {"phone", "telefon"},
    {"zo", "zo"},
    {"chapter", "kapitola"},
    {"date", "datum"},
    {"transaction-id", "transakce"},
    {"reference-id", "reference"},
};

/// The command line's UI with the export dialog answered from the options: the fields are
/// filled by name and the dialog is confirmed once; when a check refuses, the dialog is left.
class XmlCliUi : public CliUi {
  public:
    void SetAnswer(std::vector<std::pair<std::string, Text>> fields) {
        fields_ = std::move(fields);
    }
    int RunDialogWindow(ui::TDialogAXO& dialog) override;

  private:
    bool Fill(ui::TDialogAXO& dialog);

    std::vector<std::pair<std::string, Text>> fields_;
    bool answered_ = false;
};

bool XmlCliUi::Fill(ui::TDialogAXO& dialog) {
    for (const auto& [name, value] : fields_) {
        ui::DialogElement* element = dialog.Find(name);
        if (!element)
            continue;  // this record type does not show the field
        const bool filled = dialog.FillField(*element, value);
        const auto* edit = element->Kind() == ui::ElementKind::Edit
                               ? static_cast<const ui::TPrvek*>(element)
                               : nullptr;
        if (!filled || (edit && edit->EditText() != value)) {
            ShowError("Hodnotu <"_t + value + "> nelze zadat do položky <"_t +
                      (edit ? Trim(edit->Caption()) : FromUtf8(name)) + ">."_t);
            return false;
        }
    }
    return true;
}

int XmlCliUi::RunDialogWindow(ui::TDialogAXO& dialog) {
    if (!dialog.Find("adresar"))
        return CliUi::RunDialogWindow(dialog);
    // Shown again after a refused check: the command line does not ask twice.
    if (!answered_ && Fill(dialog))
        dialog.KeyDown({ui::Key::F2});
    answered_ = true;
    if (!dialog.IsClosed())
        dialog.Close(ui::kCloseLeave);
    return dialog.CloseCode();
}

/// The dialog's answer: the options given (a relative directory against the current one); the
/// dialog offers a fresh transfer identifier when none is given.
std::vector<std::pair<std::string, Text>> DialogAnswer(const Options& options) {
    std::vector<std::pair<std::string, Text>> fields;
    for (const FieldOption& f : kFieldOptions) {
        std::optional<std::string> value = options.Get(f.option);
        if (value && std::string(f.option) == "dir" && !value->empty())
            value = (fs::absolute(*value) / "").string();
        if (value)
            fields.emplace_back(f.field, FromUtf8(*value));
    }
    return fields;
}

/// Refuses options an export command does not know: the session's, `extra` and the dialog's.
bool OnlyXmlOptions(const Options& options, std::vector<std::string> extra, std::ostream& err) {
    std::vector<std::string> known = SessionOptionNames();
    known.insert(known.end(), extra.begin(), extra.end());
    for (const FieldOption& f : kFieldOptions)
        known.push_back(f.option);
    return OnlyKnown(options, std::move(known), err, kDialogOptions);
}

/// Runs an export in a session of the options: `work` gets the UI, the session and the
/// export context and returns the paths written, which are printed. Exit 0 when any was.
template <class Work>
int InSession(const Options& options, std::ostream& out, std::ostream& err, Work work) {
    if (!OutputDirectoryUsable(options, "dir", err))
        return 2;
    XmlCliUi ui;
    ui.SetAnswer(DialogAnswer(options));
    OpenedSession opened = OpenSession(options, ui, err);
    if (!opened.session)
        return opened.exitCode;
    // The dialog keeps its last entries in the parameter vault, as in the program.
    if (!opened.session->OpenVault(startup::VaultKind::Parameters)) {
        err << "Nelze vytvořit pomocný trezorový soubor pro parametry AXO.\n";
        CloseSession(*opened.session);
        return 1;
    }
    const xml::XmlExportContext ctx = xml::MakeXmlExportContext(*opened.session);
    ui.PushProcess({});
    const std::vector<fs::path> written = work(ui, *opened.session, ctx);
    ui.PopProcess();
    opened.session->CloseVaults();
    CloseSession(*opened.session);
    for (const fs::path& path : written)
        out << path.string() << "\n";
    return written.empty() ? 1 : 0;
}

std::vector<fs::path> AsList(const std::optional<fs::path>& path) {
    return path ? std::vector<fs::path>{*path} : std::vector<fs::path>{};
}

int RunPart(const Options& options, std::ostream& out, std::ostream& err, int part) {
    if (!OnlyXmlOptions(options, {}, err))
        return 2;
    return InSession(options, out, err,
                     [part](XmlCliUi&, startup::Session&, const xml::XmlExportContext& ctx) {
                         return AsList(xml::ExportStatementXml(ctx, nullptr, false, {}, part));
                     });
}

}  // namespace

const char* XmlDialogOptionsHelp() {
    return kDialogOptions;
}

int RunXml(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyXmlOptions(options, {"from", "to", "margin"}, err))
        return 2;
    const std::vector<std::string>& words = options.Positional();
    const int cislo = words.size() == 2 ? Options::WholeNumber(words[1]).value_or(0) : 0;
    std::vector<Margin> margins;
    if (pap::JeSestavovanyVykaz(cislo) && !MarginsOf(options, cislo, margins, err))
        return 2;
    if (!pap::JeSestavovanyVykaz(cislo)) {
        err << "Použití: axo-pap-cli xml N [--from M] [--to M] [--margin ANALYTIKA/PARTNER=MARŽE] "
               "[volby dialogu]\n"
               "N je číslo výkazu 1 až 13, 15 nebo 16 (XIV a XVII: příkazy xml14 a xml17).\n"
            << kDialogOptions;
        return 2;
    }
    std::string period;
    if (const auto from = options.GetInt("from"))
        period += "mesicOd=" + std::to_string(*from) + " ";
    if (const auto to = options.GetInt("to"))
        period += "mesicDo=" + std::to_string(*to) + " ";
    return InSession(
        options, out, err,
        [&](XmlCliUi& ui, startup::Session& s, const xml::XmlExportContext& ctx) {
            pap::StatementContext statements = app::StatementContextFor(s);
            ui.SetPrintoutName(ProtocolName(cislo, MonthsOf(options, statements)));
            std::vector<fs::path> written;
            xml::ConnectXmlExport(statements, ctx,
                                  [&](const fs::path& p) { written.push_back(p); });
            // The statement is not shown: its result file only feeds the export.
            statements.runReport = [](const pap::ReportHandOver& handOver) {
                pap::DeleteResultFile(handOver.dataFile);
            };
            // Margins of statement XI are written before the export, as the
            // browser of its result file does.
            bool marginsWritten = margins.empty();
            statements.editResult = [&](int, const Text&, pap::tFileZorvi& r) {
                marginsWritten = WriteMargins(r, margins, err);
            };
            ui.QueueDialog(period + "xml=1 " + (margins.empty() ? "key:F2" : "click:editovat"));
            Text result;
            pap::SestavVykazCislo(statements, cislo, pap::StatementCaption(cislo), {}, nullptr,
                                  result);
            if (!marginsWritten)
                written.clear();
            return written;
        });
}

int RunXml14(const Options& options, std::ostream& out, std::ostream& err) {
    return RunPart(options, out, err, 14);
}

int RunXml17(const Options& options, std::ostream& out, std::ostream& err) {
    return RunPart(options, out, err, 17);
}

int RunSummary(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyXmlOptions(options, {}, err))
        return 2;
    return InSession(options, out, err,
                     [](XmlCliUi&, startup::Session&, const xml::XmlExportContext& ctx) {
                         return AsList(xml::BuildSummaryXml(ctx, {}, {}, false));
                     });
}

namespace {

/// The export parameters stored in the user's vault, if any.
std::optional<pap::XmlExportParams> StoredParams(const xml::XmlExportContext& ctx) {
    pap::XmlExportParams params{};
    if (!startup::LoadSettings(ctx.parameterVault, xml::kParamsGroup, xml::kParamsItem, &params,
                               sizeof params))
        return std::nullopt;
    return params;
}

}  // namespace

int RunBatch(const Options& options, std::ostream& out, std::ostream& err) {
    if (!OnlyXmlOptions(options, {"month"}, err))
        return 2;
    const std::optional<int> month = options.GetInt("month");
    return InSession(
        options, out, err,
        [&](XmlCliUi& ui, startup::Session& s, const xml::XmlExportContext& ctx) {
            std::vector<std::pair<std::string, Text>> answer = DialogAnswer(options);
            if (month)
                answer.emplace_back("mesic", IntToText(*month));
            // No report engine here: the batch prints nothing.
            answer.emplace_back("tisk", "0"_t);
            ui.SetAnswer(std::move(answer));
            pap::StatementContext statements = app::StatementContextFor(s);
            statements.runReport = [](const pap::ReportHandOver& handOver) {
                pap::DeleteResultFile(handOver.dataFile);
            };
            // Printing nothing clears the print forms of the stored parameters,
            // which the desktop's batch dialog offers again: they are kept.
            const std::optional<pap::XmlExportParams> before = StoredParams(ctx);
            std::vector<fs::path> written = AsList(xml::BatchSummaryXml(ctx, statements));
            if (std::optional<pap::XmlExportParams> after = StoredParams(ctx); before && after) {
                after->formI = before->formI;
                after->formII_III = before->formII_III;
                after->formIV_IX = before->formIV_IX;
                startup::SaveSettings(ctx.parameterVault, xml::kParamsGroup, xml::kParamsItem,
                                      &*after, sizeof *after);
            }
            return written;
        });
}

}  // namespace axo::cli
