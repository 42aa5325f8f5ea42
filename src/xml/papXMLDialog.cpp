// The parameter dialog of the XML export (`tDialogPAP`): the fields of a record type, their
// checks in the order the user meets them, and the block kept in the parameter vault.
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <memory>

#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Datum.h"
#include "util/Retezce.h"
#include "xml/papXML.h"

namespace axo::xml {

namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 80;
constexpr std::size_t kCaptionWidth = 25;
constexpr const char* kHexDigits = "0123456789abcdefABCDEF";

bool DriveReady(const XmlExportContext& ctx, const fs::path& directory) {
    if (ctx.driveReady)
        return ctx.driveReady(directory);
    struct statvfs st {};
    return ::statvfs(directory.c_str(), &st) == 0;
}

bool AllDigits(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

/// What the envelope's e-mail type accepts: a name, one or more "@" and a domain of at most
/// 100 characters, both of letters without diacritics, digits and "," "_" "." "-".
bool IsEnvelopeEmail(const std::string& s) {
    const auto allowed = [](char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
               ch == ',' || ch == '_' || ch == '.' || ch == '-';
    };
    const std::size_t at = s.find('@');
    const std::size_t domain = s.find_first_not_of('@', at);
    if (at == 0 || at == std::string::npos || domain == std::string::npos)
        return false;
    return s.size() - domain <= 100 && std::all_of(s.begin(), s.begin() + at, allowed) &&
           std::all_of(s.begin() + domain, s.end(), allowed);
}

Text Caption(const char* utf8) {
    return LeftJustify(FromUtf8(utf8), kCaptionWidth);
}

class tDialogPAP {
  public:
    tDialogPAP(const XmlExportContext& ctx, std::string_view recordType)
        : ctx_(ctx), type_(recordType) {}

    /// Runs the dialog; true with the accepted block and identifiers.
    bool Run(XmlExportParams& params, TransferIds& ids);

  private:
    bool IsBatch() const { return type_ == kRecordBatch; }
    bool ShowsDate() const {
        return type_ == kRecordSummary ||
               (ctx_.fiscalYear > 2013 && (type_ == "035" || type_ == "038"));
    }
    bool ShowsOrganisation() const { return type_ != kRecordFragment; }

    void LoadBlock();
    void Build();
    int InsertPeriod();
    int InsertDirectory(int row);
    int InsertOrganisation(int row);
    int InsertForms(int row);
    ui::TPrvek* Field(int row, const char* caption, int length, ui::PrvekVariable variable,
                      const char* name, int shown = 0);

    struct FormField {
        const char* caption;
        StrN<250>* variable;
        const char* name;
        unsigned mask;  ///< the statements' template kinds
    };
    std::array<FormField, 3> FormFields();
    bool FormExists(const Text& name) const;
    /// Fills missing print forms with the catalogue's default and decides "Zobrazit výkazy k
    /// tisku".
    void PresetForms();

    bool MayConfirm(ui::TDialogAXO& d);
    bool CheckForms(ui::TDialogAXO& d);
    bool CheckOrganisation(ui::TDialogAXO& d);
    bool CheckDirectory(ui::TDialogAXO& d, const fs::path& directory);
    bool Refuse(ui::TDialogAXO& d, ui::DialogElement* field, const Text& message);

    const XmlExportContext& ctx_;
    std::string type_;
    XmlExportParams block_{};
    TransferIds ids_;
    std::uint16_t month_ = 12;
    std::uint8_t print_ = 1;
    bool formsFound_ = false;
    XmlExportParams accepted_{};
    std::unique_ptr<ui::TDialogAXO> dialog_;
    ui::TPrvek* directory_ = nullptr;
    ui::TPrvek* ico_ = nullptr;
    ui::TPrvek* name_ = nullptr;
    ui::TPrvek* person_ = nullptr;
    ui::TPrvek* email_ = nullptr;
    ui::TPrvek* zo_ = nullptr;
    ui::TPrvek* transaction_ = nullptr;
    ui::TPrvek* forms_[3] = {};
};

void tDialogPAP::LoadBlock() {
    if (startup::LoadSettings(ctx_.parameterVault, kParamsGroup, kParamsItem, &block_,
                              sizeof block_))
        return;
    const fs::path base =
        ctx_.dataDirectory.empty() ? ctx_.data->currentDirectory : ctx_.dataDirectory;
    block_ = {};
    block_.targetDirectory =
        storage::WithBackslash(storage::TextFromPath(base / "Vykazy_XML"), true);
    block_.ico = ctx_.firmIco;
    block_.unitName = ctx_.firmName;
    block_.telephone = RemoveBlanks(ctx_.firmPhone);
    const DateParts today = ctx_.dialogs.ProgramDate();
    block_.statementDate = ctx_.dialogs.programDate.empty()
                               ? DateText(today.day, today.month, today.year)
                               : ctx_.dialogs.programDate;
}

ui::TPrvek* tDialogPAP::Field(int row, const char* caption, int length, ui::PrvekVariable variable,
                              const char* name, int shown) {
    ui::TPrvek* field = ui::InsertPrvek(*dialog_, 3, row, {}, Caption(caption), length, variable,
                                        {}, ui::TPrvek::kText, 0, shown);
    dialog_->NameCurrent(name);
    return field;
}

int tDialogPAP::InsertPeriod() {
    if (ShowsDate()) {
        ui::InsertPrvek(*dialog_, 3, 1, {}, "Výkaz sestaven ke dni : "_t, 10, block_.statementDate,
                        {}, ui::TPrvek::kDate);
        dialog_->NameCurrent("datum");
    }
    if (IsBatch()) {
        const DateParts date = ctx_.dialogs.ProgramDate();
        month_ = static_cast<std::uint16_t>(
            date.month >= 1 && date.month <= 12 ? (date.month + 2) / 3 * 3 : 12);
        ui::InsertPrvek(*dialog_, 3, 2, {}, "Zpracovat do období     "_t, 2, month_, {},
                        ui::TPrvek::kWord);
        dialog_->NameCurrent("mesic");
        ui::Pripoj(*dialog_, ui::ValueRange::Numbers(1, 12));
        ui::InsertLabel(*dialog_, 30, 2, {}, "/"_t + IntToTextZeros(ctx_.fiscalYear, 4));
        ui::InsertCheckBox(*dialog_, {}, "Zobrazit výkazy k tisku"_t, print_, 26, 2, 44);
        dialog_->NameCurrent("tisk");
    }
    return ShowsDate() || IsBatch() ? 3 : 1;
}

int tDialogPAP::InsertDirectory(int row) {
    ui::InsertLabel(*dialog_, 3, row, {}, "Zadejte cestu k cílovému adresáři / složce"_t);
    ui::TButtonAXO* pick = ui::InsertButton(
        *dialog_, 66, row, "nápověda, předplnění dle vybraného adresáře"_t, "..."_t);
    dialog_->NameCurrent("vyberAdresar");
    directory_ = ui::InsertPrvek(*dialog_, 3, row + 1, {}, {}, 255, block_.targetDirectory, {},
                                 ui::TPrvek::kText, 0, 70);
    dialog_->NameCurrent("adresar");
    pick->SetAction([this](ui::TDialogAXO& d) {
        ui::FileDialogRequest request;
        request.title = "Cílový adresář"_t;
        request.fileName = "Adresář"_t;
        request.filter = "*.*"_t;
        request.startDirectory = directory_->EditText();
        request.chooseDirectory = true;
        if (const std::optional<Text> chosen = d.Ui().RunFileDialog(request)) {
            directory_->SetEditText(storage::WithBackslash(*chosen, true));
            d.PutFocus(directory_);
        }
    });
    return row + 2;
}

int tDialogPAP::InsertOrganisation(int row) {
    ico_ = Field(row++, "IČO :", 10, block_.ico, "ico");
    name_ = Field(row++, "Název účetní jednotky :", 75, block_.unitName, "nazev", 45);
    person_ = Field(row++, "Zodpovědná osoba :", 75, block_.responsiblePerson, "osoba", 45);
    email_ = Field(row++, "E-mail :", 75, block_.email, "email", 45);
    Field(row++, "Telefon :", 20, block_.telephone, "telefon");
    zo_ = Field(row++, "Identifikační číslo ZO :", 20, block_.zoNumber, "zo");
    zo_->SetAllowedChars("0123456789"_t);
    Field(row++, "Kapitola st. rozpočtu:", 3, block_.budgetChapter, "kapitola");
    transaction_ = Field(row++, "Identifikátor přenosu :", 32, ids_.transactionId, "transakce");
    transaction_->SetAllowedChars(Text::FromBytes(kHexDigits));
    transaction_->SetHint(
        "Tato identifikace musí být jedinečná pro každou zprávu odeslanou danou ÚJ\r"
        "a může obsahovat libovolnou hodnotu (sled číslic a písmen a-f o maximální\r"
        "délce 32 znaků)"_t);
    ui::TPrvek* reference =
        Field(row++, "Referenční id. přenosu :", 32, ids_.referenceId, "reference");
    reference->SetAllowedChars(Text::FromBytes(kHexDigits));
    reference->SetHint(
        "Identifikátor přenosu, na který se daná zpráva odkazuje.\r"
        "Poznámka: Tento element je povinnost vyplňovat pouze\r"
        "v případě odesílání vyžádaného účetního dokladu či jiného\r"
        "záznamu."_t);
    return row;
}

std::array<tDialogPAP::FormField, 3> tDialogPAP::FormFields() {
    return {{{"I.", &block_.formI, "formI", 2},
             {"II. a III.", &block_.formII_III, "formII_III", 4},
             {"IV. až IX.", &block_.formIV_IX, "formIV_IX", 24}}};
}

bool tDialogPAP::FormExists(const Text& name) const {
    return !Trim(name).empty() &&
           storage::FileExists(ctx_.templateDirectory / storage::PathFromText(Trim(name)));
}

void tDialogPAP::PresetForms() {
    formsFound_ = false;
    for (const FormField& f : FormFields()) {
        if (!FormExists(*f.variable) && ctx_.defaultForm) {
            if (const std::optional<Text> form = ctx_.defaultForm(f.mask);
                form && FormExists(*form))
                *f.variable = *form;
        }
        formsFound_ = formsFound_ || FormExists(*f.variable);
    }
    // Without any print form the statements cannot be shown for printing: the box starts
    // unticked rather than failing the batch on a missing template.
    print_ = formsFound_ ? 1 : 0;
}

int tDialogPAP::InsertForms(int row) {
    const auto fields = FormFields();
    ui::InsertLabel(*dialog_, 3, row++, {}, "Tiskové formuláře pro výkazy"_t);
    for (int i = 0; i < 3; ++i) {
        const FormField& f = fields[static_cast<std::size_t>(i)];
        forms_[i] = ui::InsertPrvek(*dialog_, 3, row++, "implicitní tiskový formulář"_t,
                                    LeftJustify(FromUtf8(f.caption), 12), 250, *f.variable, {},
                                    ui::TPrvek::kText, 0, 62);
        dialog_->NameCurrent(f.name);
        // The picker only where there is something to pick.
        if (!ctx_.pickForm || !formsFound_)
            continue;
        const unsigned mask = f.mask;
        ui::Pripoj(*dialog_, ui::Ciselnik{[this, mask](Text& value) {
            const auto chosen = ctx_.pickForm(mask, " Vyberte formulář pro opis výkazu"_t);
            if (!chosen)
                return ui::PickResult::None;
            value = *chosen;
            return ui::PickResult::Chosen;
        }});
    }
    return row;
}

void tDialogPAP::Build() {
    const int rows = (ShowsOrganisation() ? 9 : 0) + (IsBatch() ? 4 : 0) +
                     (ShowsDate() || IsBatch() ? 2 : 0) + 4;
    dialog_ = ui::CreateDialog(ctx_.Ui(), ctx_.dialogs, 0, 0, kColumns, {},
                               "Zadání parametrů pro vytvoření souboru XML"_t, rows);
    int row = InsertDirectory(InsertPeriod());
    if (ShowsOrganisation())
        row = InsertOrganisation(row);
    if (IsBatch())
        row = InsertForms(row);
    ui::InsertOkZpet(*dialog_, 0, row + 1, {}, "odchod"_t, row + 1, 0, "vytvoření souboru XML"_t,
                     "provést export"_t);
    dialog_->SetMayClose(
        [this](ui::TDialogAXO& d, int code) { return code != ui::kCloseConfirm || MayConfirm(d); });
}

bool tDialogPAP::Refuse(ui::TDialogAXO& d, ui::DialogElement* field, const Text& message) {
    d.Ui().ShowErrorLine(message);
    d.PutFocus(field);
    return false;
}

bool tDialogPAP::CheckForms(ui::TDialogAXO& d) {
    block_.statementDate = IntToTextZeros(DaysInMonth(month_, ctx_.fiscalYear), 2) + "."_t +
                           IntToTextZeros(month_, 2) + "."_t + IntToTextZeros(ctx_.fiscalYear, 4);
    const auto fields = FormFields();
    const Text directory =
        storage::WithBackslash(storage::TextFromPath(ctx_.templateDirectory), true);
    for (int i = 0; i < 3; ++i) {
        const FormField& f = fields[static_cast<std::size_t>(i)];
        if (!print_) {
            *f.variable = Text();
            continue;
        }
        const Text name = Trim(*f.variable);
        std::error_code ec;
        if (!fs::is_directory(ctx_.templateDirectory, ec))
            return Refuse(d, forms_[i], "Adresář <"_t + directory + "> neexistuje!"_t);
        if (name.empty())
            return Refuse(d, forms_[i],
                          "Položka <Tiskový formulář pro výkazy "_t + FromUtf8(f.caption) +
                              "> není vyplněná!"_t);
        if (!FormExists(name))
            return Refuse(d, forms_[i], "Soubor <"_t + directory + name + "> neexistuje!"_t);
    }
    return true;
}

bool tDialogPAP::CheckOrganisation(ui::TDialogAXO& d) {
    const auto empty = [](const Text& t) { return Trim(t).empty(); };
    if (empty(block_.ico))
        return Refuse(d, ico_, "Položka <IČO> není vyplněná!"_t);
    if (Trim(block_.ico).size() > 8)
        return Refuse(d, ico_, "Položka <IČO> může mít maximálně 8 znaků!"_t);
    // The envelope takes what the central system's schema allows, nothing else.
    const std::string ico = block_.ico.Get().Bytes();
    if (ico.size() != 8 || !AllDigits(ico))
        return Refuse(d, ico_, "Položka <IČO> musí obsahovat právě 8 číslic!"_t);
    if (empty(block_.unitName))
        return Refuse(d, name_, "Položka <Název účetní jednotky> není vyplněná!"_t);
    if (empty(block_.responsiblePerson))
        return Refuse(d, person_, "Položka <Zodpovědná osoba> není vyplněná!"_t);
    if (empty(block_.email))
        return Refuse(d, email_, "Položka <Email> není vyplněná!"_t);
    if (!IsEnvelopeEmail(block_.email.Get().Bytes()))
        return Refuse(d, email_,
                      "Položka <Email> nemá tvar e-mailové adresy jméno@doména (písmena bez "
                      "diakritiky, číslice a znaky . _ -)!"_t);
    if (empty(block_.zoNumber))
        return Refuse(d, zo_, "Položka <Identifikační číslo ZO> není vyplněná!"_t);
    const std::string zo = block_.zoNumber.Get().Bytes();
    if (!AllDigits(zo))
        return Refuse(d, zo_, "Položka <Identifikační číslo ZO> smí obsahovat jen číslice!"_t);
    if (zo.size() > 15)
        return Refuse(d, zo_, "Položka <Identifikační číslo ZO> může mít nejvýše 15 číslic!"_t);
    if (empty(ids_.transactionId))
        return Refuse(d, transaction_, "Položka <Identifikátor přenosu> není vyplněná!"_t);
    return true;
}

bool tDialogPAP::CheckDirectory(ui::TDialogAXO& d, const fs::path& directory) {
    std::error_code ec;
    if (fs::is_directory(directory, ec))
        return true;
    if (!d.Ui().YesNo(" Zadaná cesta neexistuje "_t, "   ~V~ytvořit cestu   "_t,
                      " <Esc>  ~N~ové zadání "_t, 1)) {
        d.PutFocus(directory_);
        return false;
    }
    if (!storage::ForceDirectories(directory))
        return Refuse(d, directory_, "Nelze založit zadaný adresář!"_t);
    return true;
}

bool tDialogPAP::MayConfirm(ui::TDialogAXO& d) {
    d.WriteBack();
    if (IsBatch() && !CheckForms(d))
        return false;
    if (ShowsOrganisation() && !CheckOrganisation(d))
        return false;
    const fs::path directory = storage::ExpandOrProgramDir(*ctx_.data, block_.targetDirectory);
    if (!CheckDirectory(d, directory))
        return false;
    startup::SaveSettings(ctx_.parameterVault, kParamsGroup, kParamsItem, &block_, sizeof block_);
    accepted_ = block_;
    accepted_.targetDirectory = storage::WithBackslash(storage::TextFromPath(directory), true);
    if (!DriveReady(ctx_, directory)) {
        if (d.Ui().YesNo(" Mechanika nepřipravena "_t, "         ~Z~novu        "_t,
                         " <Esc>u~k~ončení funkce "_t, 1))
            return false;
        d.Close(ui::kCloseLeave);
    }
    return true;
}

bool tDialogPAP::Run(XmlExportParams& params, TransferIds& ids) {
    LoadBlock();
    if (IsBatch())
        PresetForms();
    // A new identifier is offered for every message; the user may type another.
    ids_ = {};
    ids_.transactionId = NewTransactionId();
    Build();
    const bool accepted = ui::RunDialog(*dialog_);
    ui::FreeDialog(dialog_);
    if (!accepted)
        return false;
    params = accepted_;
    ids = ids_;
    return true;
}

}  // namespace

bool EditExportParams(const XmlExportContext& ctx, std::string_view recordType,
                      XmlExportParams& params, TransferIds& ids) {
    tDialogPAP dialog(ctx, recordType);
    return dialog.Run(params, ids);
}

}  // namespace axo::xml
