// The office outputs of the command line.
#include "OfficeOutput.h"

#include <ctime>
#include <ostream>
#include <stdexcept>

#include "office/OdtDocument.h"
#include "office/XlsxWorkbook.h"
#include "storage/WorkFiles.h"
#include "util/AtomicFile.h"
#include "util/SystemError.h"

namespace axo::cli {

namespace {

bool Failed(std::ostream& err, const std::filesystem::path& file, int error) {
    err << "Soubor " << file.string() << " nelze zapsat: " << ToUtf8(SystemErrorText(error))
        << ".\n";
    return false;
}

bool SendPrintouts(const OfficeTargets& targets, const OfficeContent& content,
                   const std::vector<std::filesystem::path>& written,
                   const office::MailSettings& settings, std::ostream& out, std::ostream& err) {
    office::MailMessage m;
    m.fromAddress = settings.sender;
    m.toAddress = *targets.mailTo;
    m.subject = targets.subject.value_or(content.title);
    const office::ListingDocument all = office::Joined(content.printouts, content.title);
    if (targets.message) {
        m.text = targets.message->empty() ? std::string(" ") : *targets.message;
        for (const office::ListingDocument& doc : content.printouts)
            m.attachments.push_back({std::filesystem::path(doc.title).stem().string() + ".htm",
                                     "text/html; charset=UTF-8", office::HtmlOf(doc)});
    } else if (!content.printouts.empty()) {
        m.html = office::HtmlOf(all);
    } else {
        m.text = content.title;
    }
    for (const std::filesystem::path& file : written) {
        std::string bytes;
        if (const int error = ReadWholeFile(file, bytes).error; error != 0) {
            err << "Soubor " << file.string()
                << " nelze přiložit: " << ToUtf8(SystemErrorText(error)) << ".\n";
            return false;
        }
        m.attachments.push_back(
            {file.filename().string(), office::ContentTypeOf(file), std::move(bytes)});
    }
    std::string detail;
    switch (office::SendMail(settings, m, &detail)) {
        case office::MailOutcome::Sent:
            out << "Odesláno: " << m.toAddress << "\n";
            return true;
        case office::MailOutcome::NoProgram:
            err << "Program pro odesílání pošty " << settings.program.string()
                << " nelze spustit (klíč AXO_POSTA_PROGRAM v AXO.CFG).\n";
            break;
        case office::MailOutcome::Failed:
            err << (targets.message ? "Poštu se nepodařilo odeslat.\n"
                                    : "Poštu se nepodařilo odeslat. Odešlete ji jako přílohu.\n");
            if (!detail.empty())
                err << detail << (detail.back() == '\n' ? "" : "\n");
            break;
    }
    return false;
}

}  // namespace

std::vector<std::string> OfficeOptionNames() {
    return {"odt", "xlsx", "mail", "subject", "message"};
}

OfficeTargets OfficeTargetsOf(const Options& options) {
    OfficeTargets t;
    if (const auto odt = options.Get("odt"))
        t.odt = *odt;
    if (const auto xlsx = options.Get("xlsx"))
        t.xlsx = *xlsx;
    t.mailTo = options.Get("mail");
    t.subject = options.Get("subject");
    t.message = options.Get("message");
    if (t.mailTo && !office::ValidMailAddress(*t.mailTo))
        throw std::invalid_argument("Volba --mail čeká e-mailovou adresu (jmeno@domena.cz), ne \"" +
                                    *t.mailTo + "\".");
    if (!t.mailTo && (t.subject || t.message))
        throw std::invalid_argument("Volby --subject a --message patří k volbě --mail.");
    return t;
}

office::MailSettings MailSettingsOf(const startup::Session& session) {
    office::MailSettings settings;
    settings.program = storage::PathFromText(session.GetSwitches().mailProgram);
    settings.sender = ToUtf8(session.GetSwitches().mailSender);
    return settings;
}

std::vector<office::ListingDocument> PrintoutDocuments(
    const std::vector<std::filesystem::path>& files) {
    std::vector<office::ListingDocument> docs;
    for (const std::filesystem::path& file : files) {
        std::string bytes;
        if (ReadWholeFile(file, bytes).error == 0)
            docs.push_back(office::DocumentFromText(bytes, file.filename().string()));
    }
    return docs;
}

bool WriteOfficeOutputs(const OfficeTargets& targets, const OfficeContent& content,
                        const office::MailSettings& mail, std::ostream& out, std::ostream& err) {
    bool ok = true;
    std::vector<std::filesystem::path> written = content.attached;
    if (targets.odt) {
        const office::ListingDocument doc = office::Joined(content.printouts, content.title);
        if (const int error = office::WriteOdt(doc, *targets.odt); error != 0) {
            ok = Failed(err, *targets.odt, error);
        } else {
            out << "Dokument: " << targets.odt->string() << "\n";
            written.push_back(*targets.odt);
        }
    }
    if (targets.xlsx) {
        std::vector<office::SheetTable> sheets = content.tables;
        for (const office::ListingDocument& doc : content.printouts)
            sheets.push_back(office::TableFromListing(doc));
        if (sheets.empty()) {
            sheets.emplace_back();
            sheets.back().name = content.title;
        }
        if (const int error = office::WriteXlsx(sheets, *targets.xlsx); error != 0) {
            ok = Failed(err, *targets.xlsx, error);
        } else {
            out << "Sešit: " << targets.xlsx->string() << "\n";
            written.push_back(*targets.xlsx);
        }
    }
    if (targets.mailTo && ok)
        ok = SendPrintouts(targets, content, written, mail, out, err);
    return ok;
}

}  // namespace axo::cli
