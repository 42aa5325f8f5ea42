// A compiled statement printed through the report engine.
#include "app/StatementReport.h"

#include <cstring>

#include "pap/papVykaz.h"
#include "pap/papVysledek.h"
#include "printforms/FormPicker.h"
#include "printforms/FormTypes.h"
#include "printforms/SessionForms.h"
#include "report/data/HostParameters.h"
#include "report/preview/Preview.h"
#include "startup/SessionListing.h"
#include "startup/Trezor.h"
#include "storage/WorkFiles.h"
#include "ui/ChildProcess.h"
#include "ui/ListingOffice.h"
#include "ui/ListingOutput.h"
#include "util/Clock.h"
#include "util/Retezce.h"

namespace axo::app {

namespace {

constexpr int kFormTypePapVykazy = 58;
/// The parameter vault keeps the template chosen last per statement mask in this group.
constexpr int kLastTemplateGroup = 58;
constexpr int kTemplateBlock = 256;
/// The print manager's block: group 20, item 2 (the number and the flag of the hand-over).
constexpr int kPrintManagerGroup = 20;
constexpr int kPrintManagerItem = 2;
constexpr int kPrintManagerBlock = 1307;
constexpr const char* kPrintManagerProgram = "Axo_Tisk";

Text LastTemplate(const startup::Session& s, unsigned mask) {
    unsigned char block[kTemplateBlock] = {};
    if (!startup::LoadSettings(s.ParameterVault(), kLastTemplateGroup, static_cast<int>(mask),
                               block, kTemplateBlock))
        return {};
    return Text::FromBytes(std::string(reinterpret_cast<const char*>(block + 1), block[0]));
}

void RememberTemplate(const startup::Session& s, unsigned mask, const Text& name) {
    unsigned char block[kTemplateBlock] = {};
    const std::size_t n = std::min<std::size_t>(name.size(), kTemplateBlock - 1);
    block[0] = static_cast<unsigned char>(n);
    std::memcpy(block + 1, name.data(), n);
    startup::SaveSettings(s.ParameterVault(), kLastTemplateGroup, static_cast<int>(mask), block,
                          kTemplateBlock);
}

std::string Quoted(const Text& text) {
    return "\"" + ToUtf8(Trim(text)) + "\"";
}

/// The statement handed to the print manager Axo_Tisk, which prints it and deletes the file.
void HandToPrintManager(const startup::Session& s, const pap::ReportHandOver& handOver) {
    const ui::ListingEnvironment listing = startup::ListingEnvironmentFor(s);
    const std::filesystem::path program = ui::FindPrintProgram(listing, kPrintManagerProgram);
    if (program.empty()) {
        s.Ui().ShowError("Neexistuje tiskový modul [Axo_Tisk.exe].\r\r"_t +
                         "Funkci tisku nelze provést."_t);
        pap::DeleteResultFile(handOver.dataFile);
        return;
    }
    unsigned char block[kPrintManagerBlock] = {};
    int number = 64;
    bool flag = false;
    if (startup::LoadSettings(s.ParameterVault(), kPrintManagerGroup, kPrintManagerItem, block,
                              kPrintManagerBlock)) {
        flag = block[1] != 0;
        std::int32_t stored = 0;
        std::memcpy(&stored, block + 2, sizeof stored);
        number = stored;
    }
    const ui::ProgramResult r = ui::RunProgram(
        program, PrintManagerArguments(handOver, SessionReportParameters(s), number, flag));
    if (!r.started || r.exitCode != 0) {
        const Text said = Trim(FromUtf8(r.errorOutput));
        s.Ui().ShowErrorLine(!said.empty() ? said.substr(0, 255)
                                           : "Program [Axo_Tisk] nelze spustit."_t);
        // The print manager deletes the file it was given; one that never ran cannot.
        if (!r.started)
            pap::DeleteResultFile(handOver.dataFile);
    }
}

/// The statement shown in the print preview.
void Preview(const startup::Session& s, const pap::ReportHandOver& handOver) {
    report::TFontFiles fonts;
    PreparedStatement prepared;
    std::vector<std::string> messages;
    const bool ready = PrepareStatementReport(s, s.Ui(), handOver, fonts, prepared, messages);
    if (ready) {
        report::TSestVystup out = prepared.sestava->Output();
        report::TFormSestP preview(s.Ui(), out, fonts);
        preview.dialogEnvironment = s.DialogEnv();
        preview.sendPdf = [&s, &handOver](const std::filesystem::path& pdf) {
            ui::SendFileByMail(startup::ListingEnvironmentFor(s), pdf, handOver.caption);
        };
        s.Ui().RunReportPreview(preview);
    } else {
        Text text;
        for (const std::string& m : messages)
            text += FromUtf8(m) + "\r"_t;
        s.Ui().ShowError("Sestavu výkazu nelze připravit.\r"_t + text);
    }
    prepared = {};
    pap::DeleteResultFile(handOver.dataFile);
}

}  // namespace

std::vector<Text> SessionReportParameters(const startup::Session& session) {
    const printforms::SystemAcronyms acronyms = printforms::SystemAcronymsFor(session);
    startup::tVetaAXO_USER user{};
    user.Vystavil = session.Issuer();
    user.Mobil = acronyms.mobile;
    user.Mail = acronyms.mail;
    return report::HostParameters(session.DataInstallation(), user, session.CurrencySign());
}

bool PrepareStatementReport(const startup::Session& session, ui::UiServices& ui,
                            const pap::ReportHandOver& handOver, report::TFontFiles& fonts,
                            PreparedStatement& prepared, std::vector<std::string>& messages) {
    prepared.source = report::OpenStatementSource(session.Context(), handOver);
    if (!prepared.source) {
        messages.push_back("Výsledek výkazu nelze otevřít.");
        return false;
    }
    prepared.sestava = std::make_unique<report::TSestava>(&ui);
    report::TSestava& sestava = *prepared.sestava;
    sestava.dataSource = prepared.source.get();
    sestava.reportDirIgnore = false;
    sestava.SetReportName(handOver.templatePath);
    sestava.parametry = SessionReportParameters(session);
    sestava.popis = handOver.caption;
    Text problem;
    if (!fonts.Ready(problem)) {
        messages.push_back(ToUtf8(problem));
        return false;
    }
    std::vector<Text> warnings;
    const storage::DataContext& data = session.Context();
    const DateTime now = (data.clock ? *data.clock : SystemClock()).Now();
    const int result = sestava.Prepare(fonts, now, {}, &warnings);
    for (const Text& w : warnings)
        messages.push_back("Sestava: " + ToUtf8(w));
    if (result != report::kSestOk) {
        messages.push_back("Sestavu nelze připravit (kód " + std::to_string(result) + ").");
        return false;
    }
    return true;
}

void ConnectStatementPrinting(pap::StatementContext& ctx, const startup::Session& session) {
    auto noTemplate = std::make_shared<bool>(false);
    ctx.pickTemplate = [&session, noTemplate](int type, unsigned mask,
                                              const Text& title) -> std::optional<Text> {
        printforms::SessionPrintForms forms(session);
        const std::uint16_t kind = static_cast<std::uint16_t>(mask);
        *noTemplate = false;
        if (!printforms::DefaultTemplate(forms.Catalogue(), type, kind)) {
            // Nothing to print the statement through: it is listed as text.
            session.Ui().ShowInfo(
                "Pro tento výkaz není v adresáři předloh žádná předloha "
                "sestavy (PAP_VYKAZY).\rVýkaz bude vypsán jako text."_t);
            *noTemplate = true;
            return Text();
        }
        const printforms::FormChoice choice = printforms::SelectForm(
            forms.Environment(), title, type, kind, LastTemplate(session, mask));
        if (!choice.Chosen())
            return std::nullopt;
        RememberTemplate(session, mask, choice.name);
        return choice.name;
    };
    ctx.runReport = [&session, noTemplate](const pap::ReportHandOver& handOver) {
        if (*noTemplate) {
            pap::UkazVysledek(startup::ListingEnvironmentFor(session), handOver);
            pap::DeleteResultFile(handOver.dataFile);
        } else if (!handOver.modal) {
            HandToPrintManager(session, handOver);
        } else {
            Preview(session, handOver);
        }
    };
}

void ConnectBatchForms(xml::XmlExportContext& ctx, const startup::Session& session) {
    ctx.defaultForm = [&session](unsigned mask) {
        printforms::SessionPrintForms forms(session);
        return printforms::DefaultTemplate(forms.Catalogue(), printforms::kTypePapVykazy,
                                           static_cast<std::uint16_t>(mask));
    };
    ctx.pickForm = [&session](unsigned mask, const Text& title) -> std::optional<Text> {
        printforms::SessionPrintForms forms(session);
        const printforms::FormChoice choice =
            printforms::SelectForm(forms.Environment(), title, printforms::kTypePapVykazy,
                                   static_cast<std::uint16_t>(mask));
        if (!choice.Chosen())
            return std::nullopt;
        return choice.name;
    };
}

std::vector<std::string> PrintManagerArguments(const pap::ReportHandOver& handOver,
                                               const std::vector<Text>& parameters, int number,
                                               bool flag, const Text& indexName) {
    std::vector<std::string> args;
    args.push_back("/N" + handOver.dataFile.string());
    args.push_back("/C" + Quoted(handOver.caption));
    args.push_back("/K" + Quoted(storage::TextFromPath(handOver.templatePath)));
    args.push_back("/Z" + std::to_string(number));
    if (flag)
        args.push_back("/M");
    for (std::size_t n = 0; n < parameters.size(); ++n)
        args.push_back("/" + std::to_string(n + 1) + Quoted(parameters[n]));
    if (!Trim(indexName).empty())
        args.push_back("/I" + Quoted(indexName));
    return args;
}

}  // namespace axo::app
