// The word-processor, spreadsheet and e-mail outputs of text printouts.
#include "ui/ListingOffice.h"

#include <memory>

#include "office/ListingDocument.h"
#include "office/MailMessage.h"
#include "office/OdtDocument.h"
#include "office/SheetTable.h"
#include "office/XlsxWorkbook.h"
#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "ui/ListWindow.h"
#include "ui/ListingConvert.h"
#include "util/AtomicFile.h"
#include "util/Retezce.h"

namespace axo::ui {

namespace {

ProgramResult Run(const ListingEnvironment& env, const std::filesystem::path& program,
                  const std::vector<std::string>& arguments) {
    return env.runProgram ? env.runProgram(program, arguments) : RunProgram(program, arguments);
}

/// The choice among the e-mail contacts of the picked address.
class ContactChoice : public TRolMem {
  public:
    ContactChoice(UiServices& ui, const ListWindowEnvironment& env,
                  const std::vector<MailContact>& contacts)
        : TRolMem(ui, env), contacts_(contacts) {}
    bool MayOpen() override { return true; }
    Text Line(int n) override {
        if (n < 1 || n > static_cast<int>(contacts_.size()))
            return {};
        const MailContact& c = contacts_[static_cast<std::size_t>(n - 1)];
        return " "_t + LeftJustify(c.name, 31) + " "_t + c.address;
    }

  private:
    const std::vector<MailContact>& contacts_;
};

/// The recipient's name and address from the external addresses (<F7>).
PickResult PickRecipient(const ListingEnvironment& env, Text& name, Text& address) {
    std::vector<MailContact> contacts;
    Text picked = name;
    if (!env.pickRecipient || !env.pickRecipient(picked, contacts))
        return PickResult::None;
    std::erase_if(contacts, [](const MailContact& c) { return Trim(c.address).empty(); });
    if (contacts.size() > 5)
        contacts.resize(5);
    name = picked;
    if (contacts.size() == 1) {
        address = Trim(contacts.front().address);
    } else if (contacts.size() > 1) {
        ListWindowEnvironment listEnv;
        listEnv.listing = &env;
        listEnv.dialog = env.dialogs;
        ContactChoice choice(env.Ui(), listEnv, contacts);
        choice.Prepare(84, static_cast<int>(contacts.size()), 0,
                       " Adresát                        E-Mail"_t, "Vyberte adresu"_t);
        if (choice.RunModal() == TRolMem::kResultPicked && choice.Current() >= 0)
            address = Trim(contacts[static_cast<std::size_t>(choice.Current())].address);
    }
    return PickResult::Chosen;
}

struct MailFields {
    Text name;
    Text address;
    Text subject;
    Text message;
};

/// The dialog "Zadejte parametry pro E-Mail"; false when the user left it.
bool AskMailFields(const ListingEnvironment& env, bool withMessage, MailFields& f) {
    UiServices& ui = env.Ui();
    const int rows = withMessage ? 6 : 5;
    std::unique_ptr<TDialogAXO> dialog =
        CreateDialog(ui, env.dialogs, 0, 0, 74, {}, "Zadejte parametry pro E-Mail"_t, rows);
    TPrvek* addressField = nullptr;
    TPrvek* nameField = InsertPrvek(*dialog, 2, 1, "F7 - číselník ext. adres"_t,
                                    "&Adresát            "_t, 30, f.name);
    Pripoj(*dialog, Ciselnik{[&env, &f, &addressField](Text& value) {
        const PickResult r = PickRecipient(env, value, f.address);
        if (r != PickResult::None && addressField != nullptr)
            addressField->SetEditText(f.address);
        return r;
    }});
    addressField = InsertPrvek(*dialog, 2, 2, {}, "&Email              "_t, 50, f.address);
    TPrvek* subjectField = InsertPrvek(*dialog, 2, 3, {}, "&Předmět            "_t, 80, f.subject,
                                       {}, TPrvek::kText, 0, 50);
    // The names the scripted answers of the command line and the tests fill.
    nameField->SetName("adresat");
    addressField->SetName("email");
    subjectField->SetName("predmet");
    if (withMessage)
        InsertPrvek(*dialog, 2, 4, {}, "&Zpáva pro příjemce "_t, 255, f.message, {}, TPrvek::kText,
                    0, 50)
            ->SetName("zprava");
    InsertOkZpet(*dialog, 0, rows, "Odchod bez tisku sestavy."_t, {}, rows, 0,
                 "Potvrzení zadaných údajů."_t, "Odeslat"_t);
    // Only an address that can stand in a message is accepted.
    dialog->SetMayClose([addressField](TDialogAXO& d, int code) {
        if (code != kCloseConfirm ||
            office::ValidMailAddress(ToUtf8(Trim(addressField->EditText()))))
            return true;
        d.Ui().ShowErrorLine("Zadejte platnou e-mailovou adresu příjemce."_t);
        d.PutFocus(addressField);
        return false;
    });
    const bool accepted = RunDialog(*dialog);
    FreeDialog(dialog);
    return accepted;
}

office::MailMessage MessageOf(const ListingEnvironment& env, const MailFields& f) {
    office::MailMessage message;
    message.fromAddress = ToUtf8(Trim(env.mailSender));
    message.toName = ToUtf8(Trim(f.name));
    message.toAddress = ToUtf8(Trim(f.address));
    message.subject = ToUtf8(f.subject);
    return message;
}

/// The typed message (a single blank when it is empty) with the file attached.
void AttachToMessage(office::MailMessage& message, const MailFields& f,
                     const std::filesystem::path& file, std::string bytes) {
    message.text = f.message.empty() ? std::string(" ") : ToUtf8(f.message);
    message.attachments.push_back(
        {file.filename().string(), office::ContentTypeOf(file), std::move(bytes)});
}

/// Hands the message to the submission program; a failure is shown as the message of the mode
/// (with a message for the recipient, or the HTML as the body) with what the program said.
bool Send(const ListingEnvironment& env, const office::MailMessage& message, bool withMessage) {
    std::string detail;
    const office::MailOutcome outcome =
        office::SendMail({env.mailProgram, message.fromAddress}, message, &detail);
    if (outcome == office::MailOutcome::Sent)
        return true;
    env.Ui().ShowMessage(MessageKind::Plain,
                         withMessage ? "Poštu se nepodařilo odeslat."_t
                                     : "Poštu se nepodařilo odeslat. Odešlete ji jako přílohu."_t,
                         detail.empty() ? Text() : "\r"_t + Trim(FromUtf8(detail)).substr(0, 200));
    return false;
}

}  // namespace

void OfficeDocumentOutput(const ListingEnvironment& env, const ListingView& listing,
                          const OutputSettings& settings, OutputKind kind) {
    UiServices& ui = env.Ui();
    const bool sheet = kind == OutputKind::Spreadsheet;
    LineConversion conversion = settings.ConversionFor(kind);
    // The spreadsheet splits the frame into cells: it reads the frame characters themselves.
    if (sheet)
        conversion.frameOption = 0;
    int error = 0;
    const std::optional<office::ListingDocument> doc =
        office::ReadListing(listing, conversion, error);
    if (!doc) {
        ui.PrintoutFailed(listing, listing.file, error);
        return;
    }
    const std::filesystem::path file = storage::RandomNotExistKomplName(
        *env.data, env.data->WorkDirectoryOrCurrent(), "OP"_t, sheet ? "xlsx"_t : "odt"_t);
    error = sheet ? office::WriteXlsx(office::TableFromListing(*doc), file)
                  : office::WriteOdt(*doc, file);
    if (error != 0) {
        storage::DeleteFileQuiet(file);
        ui.PrintoutFailed(listing, file, error);
        return;
    }
    const ProgramResult opened = Run(env, env.documentOpener, {file.string()});
    if (!opened.started || opened.exitCode != 0)
        ui.ShowMessage(MessageKind::Plain, "Dokument byl uložen do souboru ["_t +
                                               storage::TextFromPath(file) +
                                               "], ale nepodařilo se jej otevřít programem ["_t +
                                               storage::TextFromPath(env.documentOpener) + "]."_t);
}

void MailOutput(const ListingEnvironment& env, const ListingView& listing,
                const OutputSettings& settings, const std::filesystem::path& htmlFile) {
    UiServices& ui = env.Ui();
    const bool withMessage = settings.htmlMode == 1;
    MailFields f;
    f.subject = storage::TextFromPath(htmlFile.filename());
    if (!AskMailFields(env, withMessage, f))
        return;
    if (!ConvertListingToHtml(ui, listing.file, htmlFile, settings.ConversionFor(OutputKind::Html),
                              false))
        return;
    std::string html;
    if (const int error = ReadWholeFile(htmlFile, html).error; error != 0) {
        ui.PrintoutFailed(listing, htmlFile, error);
        return;
    }
    office::MailMessage message = MessageOf(env, f);
    if (withMessage) {
        AttachToMessage(message, f, htmlFile, std::move(html));
    } else {
        message.html = std::move(html);
    }
    Send(env, message, withMessage);
}

bool SendFileByMail(const ListingEnvironment& env, const std::filesystem::path& file,
                    const Text& subject) {
    MailFields f;
    f.subject = subject;
    if (!AskMailFields(env, true, f))
        return false;
    std::string bytes;
    if (const int error = ReadWholeFile(file, bytes).error; error != 0) {
        env.Ui().ShowError(PrintoutFailureText(file, error));
        return false;
    }
    office::MailMessage message = MessageOf(env, f);
    AttachToMessage(message, f, file, std::move(bytes));
    return Send(env, message, true);
}

}  // namespace axo::ui
