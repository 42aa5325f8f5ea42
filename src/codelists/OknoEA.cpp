// The external address editor and the storing of an address.
#include "codelists/OknoEA.h"

#include <string>

#include "codelists/ExAdFields.h"
#include "codelists/ExAdRegistry.h"
#include "lookups/EditorButtons.h"
#include "ui/DialogInsert.h"
#include "ui/DialogPages.h"
#include "ui/TextListing.h"
#include "util/AtomicFile.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

constexpr int kColumns = 80;
constexpr int kRows = 20;
constexpr int kClosePrint = 4;
/// The longest notes text the editor keeps (a megabyte).
constexpr int kNotesCapacity = 1 << 20;

/// Lines broken at CR LF, CR or LF.
std::vector<Text> SplitLines(const Text& text) {
    std::vector<Text> lines;
    Text line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += ch;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

/// A text printout of the lines.
void PrintLines(const AddressBook& book, const Text& title, const std::vector<Text>& lines) {
    if (!book.browser.listing)
        return;
    auto listing = ui::CreateListing(*book.browser.listing);
    if (!listing)
        return;
    listing->Init();
    listing->printoutName = title;
    listing->titles[0] = title;
    listing->lineWidth = 78;
    listing->PageHeading();
    for (const Text& line : lines) {
        if (!listing->HasRoom(2)) {
            listing->WriteLine("\f"_t);
            listing->PageHeading();
        }
        listing->WriteLine(line);
    }
    listing->CloseListingFile();
    listing->HandOver(listing->FileName());
}

/// The notes page's actions: fill from a file, save to a file, print.
void FillNotesFromFile(ui::TDialogAXO& d, ui::TMemoAXO& memo) {
    ui::UiServices& ui = d.Ui();
    ui::FileDialogRequest request;
    request.title = "Obsah souboru "_t;
    request.filter = "*.*"_t;
    const std::optional<Text> name = ui.RunFileDialog(request);
    if (!name || Trim(*name).empty())
        return;
    if (!memo.Content().empty() && !ui.YesNo("Stávající obsah poznámkového bloku bude přepsán."_t,
                                             "&Ano, pokračovat"_t, "&Zpět"_t, 2))
        return;
    std::string bytes;
    const ReadResult read = ReadWholeFile(std::filesystem::path(ToUtf8(Trim(*name))), bytes);
    if (read.error != 0) {
        ui.ShowErrorLine("Soubor "_t + Trim(*name) + " nelze přečíst."_t);
        return;
    }
    memo.SetContent(Text::FromBytes(bytes));
}

void SaveNotesToFile(ui::TDialogAXO& d, const ui::TMemoAXO& memo) {
    ui::UiServices& ui = d.Ui();
    ui::FileDialogRequest request;
    request.title = "Uložení obsahu poznámkového bloku do souboru zadaného názvu (vč. adresáře)"_t;
    request.filter = "*.*"_t;
    request.save = true;
    const std::optional<Text> name = ui.RunFileDialog(request);
    if (!name || Trim(*name).empty())
        return;
    const std::filesystem::path file(ToUtf8(Trim(*name)));
    std::error_code ec;
    if (std::filesystem::exists(file, ec) &&
        !ui.YesNo("Stávající obsah souboru\r"_t + Trim(*name) + "\rbude přepsán."_t,
                  "&Ano, pokračovat"_t, "&Zpět"_t, 2))
        return;
    if (WriteWholeFile(file, memo.Content().View()) != 0)
        ui.ShowErrorLine(
            "Při ukládání obsahu poznámkového bloku došlo k chybě.\r\r"_t
            "Prověřte korektnost názvu cílového souboru.\r\r"_t);
}

/// The editor's dialog and the variables its elements are bound to.
class Editor {
  public:
    Editor(const AddressBook& book, bool insert, tVetaExtAdresa& record, Text& notes)
        : book_(book), r_(record), notes_(notes) {
        debt_ = Trim(record.FILLER.Get().substr(0, 20));
        typPC_ = record.TypPC;
        Build(insert);
    }

    ui::TDialogAXO& Dialog() { return *d_; }
    /// After a confirmation: the debt limit back into FILLER.
    void Finish() {
        r_.TypPC = static_cast<Byte>(std::min<Word>(typPC_, 255));
        if (!book_.showDebtLimit)
            return;
        Text filler = r_.FILLER.Get();
        filler.resize(std::max<std::size_t>(filler.size(), 20), ' ');
        r_.FILLER = LeftJustify(Trim(debt_), 20) + filler.substr(20);
        if (Trim(r_.FILLER.Get()).empty())
            r_.FILLER = Text();
    }

  private:
    const AddressBook& book_;
    tVetaExtAdresa& r_;
    Text& notes_;
    Text debt_;
    Word typPC_ = 0;
    std::unique_ptr<ui::TDialogAXO> d_;
    ui::TPageControlAXO* pages_ = nullptr;
    EditorPages pageIndex_;

    template <std::size_t N>
    void Field(int column, int row, const char* caption, StrN<N>& field, const char* name,
               int shown = 0) {
        ui::InsertPrvek(*d_, column, row, {}, FromUtf8(caption), static_cast<int>(N), field, {},
                        ui::TPrvek::kText, 0, shown);
        d_->NameCurrent(name);
    }
    void Number(int column, int row, const char* caption, Word& value, int digits,
                const char* name) {
        ui::InsertPrvek(*d_, column, row, {}, FromUtf8(caption), digits, value, {},
                        ui::TPrvek::kWord);
        d_->NameCurrent(name);
    }
    void Choice(int column, int row, const char* caption, Byte& value,
                std::initializer_list<const char*> items, int width, const char* name) {
        ui::TItemList list;
        for (const char* item : items)
            list.Add(FromUtf8(item));
        ui::InsertLabelledComboBox(*d_, column, row, {}, FromUtf8(caption), value, list, width);
        d_->NameCurrent(name);
    }
    void Check(int column, int row, const char* caption, Boolean& value, const char* name) {
        ui::InsertCheckBox(*d_, {}, FromUtf8(caption), value, 0, row, column);
        d_->NameCurrent(name);
    }

    void Build(bool insert);
    void AddressPage(int top);
    void BankPage(int top);
    void InvoicePage(int top);
    void StockPage(int top);
    void NotesPage(int top);
    void Register(bool ares);
};

void Editor::Build(bool insert) {
    d_ = ui::CreateDialog(book_.Ui(), book_.browser.dialog, 0, 0, kColumns, {},
                          insert ? "ČÍSELNÍK EXTERNÍCH ADRES - přidání nové adresy"_t
                                 : "ČÍSELNÍK EXTERNÍCH ADRES - oprava adresy"_t,
                          kRows);
    Field(2, 1, "Zatřídění ", r_.MATCH_CODE, "zatrideni");
    if (!Trim(r_.POSL_ZMENA).empty())
        ui::InsertLabel(*d_, 48, 1, {}, "Datum poslední změny: "_t + r_.POSL_ZMENA.Get());
    pages_ = ui::InsertPageControl(*d_, 1, 2, kRows - 3, kColumns - 1);
    d_->NameCurrent("stranky");
    const int top = 4;
    ui::BeginPage(*d_, *pages_, " Adresa, telefon "_t);
    AddressPage(top);
    pageIndex_.bank = ui::BeginPage(*d_, *pages_, " Bankovní účet "_t);
    BankPage(top);
    ui::BeginPage(*d_, *pages_, " Fakturace "_t);
    InvoicePage(top);
    ui::BeginPage(*d_, *pages_, " LFD "_t);
    Field(2, top, "Implicitní měna ", r_.MENA_DODAVATEL, "menaLfd");
    Number(2, top + 1, "Splatnost faktury ", r_.SPLATNOST_LFD, 4, "splatnostLfd");
    ui::InsertLabel(*d_, 26, top + 1, {}, "dní"_t);
    Check(32, top + 1, "OKAMŽITĚ", r_.OKAMZITA_SPLATNOST_LFD, "okamziteLfd");
    ui::BeginPage(*d_, *pages_, " Sklad "_t);
    StockPage(top);
    ui::BeginPage(*d_, *pages_, " Poznámky "_t);
    for (int i = 0; i < 14; ++i) {
        const std::string name = "pozn" + std::to_string(i + 1);
        ui::InsertPrvek(*d_, 2 + (i / 7) * 38, top + i % 7, {}, {}, 35, r_.POZN[i]);
        d_->NameCurrent(name);
    }
    ui::BeginPage(*d_, *pages_, " E-mail "_t);
    for (int i = 0; i < 5; ++i) {
        ui::InsertPrvek(*d_, 2, top + i, {}, "Komu "_t, 30, r_.EMail[i].KOMU, {}, ui::TPrvek::kText,
                        0, 22);
        d_->NameCurrent("komu" + std::to_string(i + 1));
        ui::InsertPrvek(*d_, 31, top + i, {}, "e-mail "_t, 50, r_.EMail[i].ADRESA, {},
                        ui::TPrvek::kText, 0, 40);
        d_->NameCurrent("email" + std::to_string(i + 1));
    }
    Field(2, top + 6, "World Wide Web ", r_.WWW, "www");
    Field(2, top + 7, "Volitelný klíč ", r_.SIPO, "sipo");
    ui::BeginPage(*d_, *pages_, " Poznámkový blok "_t);
    NotesPage(top);
    pageIndex_.furtherBanks = ui::BeginPage(*d_, *pages_, " další bankovní spojení "_t);
    for (int i = 0; i < 5; ++i) {
        const Text roman = FromUtf8(std::array{" I", " II", " III", " IV", " V"}[i]);
        ui::InsertLabel(*d_, 2, top + 2 * i, {}, roman);
        ui::InsertPrvek(*d_, 8, top + 2 * i, {}, "účet "_t, 152, r_.BANK[i].BANK_SPOJENI, {},
                        ui::TPrvek::kText, 0, 60);
        d_->NameCurrent("spojeni" + std::to_string(i + 1));
        ui::InsertPrvek(*d_, 8, top + 2 * i + 1, {}, "banka "_t, 140, r_.BANK[i].ADRESA_BANKY, {},
                        ui::TPrvek::kText, 0, 60);
        d_->NameCurrent("banka" + std::to_string(i + 1));
    }
    ui::EndPages(*d_);
    // The buttons below the pages belong to none of them.
    if (book_.aresAllowed && book_.withLookups) {
        ui::TButtonAXO* ares = ui::InsertButton(
            *d_, 2, kRows - 1,
            "předplnění evidenčních údajů organizace z Obchodního rejstříku ARES podle IČO"_t,
            "ARES"_t);
        d_->NameCurrent("ares");
        ares->SetAction([this](ui::TDialogAXO&) { Register(true); });
    }
    if (book_.vatCheckAllowed && book_.withLookups) {
        ui::TButtonAXO* vat = ui::InsertButton(
            *d_, 14, kRows - 1,
            "ověření NESPOLEHLIVOSTI PLÁTCE DPH\r(viz. Novela zákona 235/2004 Sb. o DPH §106a)\r"
            "a informace o zveřejněných účtech v Registru plátců DPH\rpodle DIČ"_t,
            "DPH"_t);
        d_->NameCurrent("dph");
        vat->SetAction([this](ui::TDialogAXO&) { Register(false); });
    }
    ui::InsertButton(*d_, 28, kRows - 1, "uložení adresy do souboru a následný tisk <F4>"_t,
                     "uložit a tisk"_t, 1, false, kClosePrint);
    d_->NameCurrent("tisk");
    ui::InsertOkZpet(*d_, 46, kRows - 1, {}, {}, kRows - 1, 64);
    d_->SetKeyHandler([](ui::TDialogAXO& dialog, const ui::KeyEvent& key) {
        if (key.key != ui::Key::F4 || !key.Plain())
            return false;
        dialog.Confirm(kClosePrint);
        return true;
    });
    d_->FinishLayout();
}

void Editor::AddressPage(int top) {
    for (int i = 0; i < 4; ++i) {
        StrN<30>* names[] = {&r_.NAZ_FIRM1, &r_.NAZ_FIRM2, &r_.NAZ_FIRM3, &r_.NAZ_FIRM4};
        ui::InsertPrvek(*d_, 2, top + i, {}, i == 0 ? "Název firmy "_t : Blanks(12), 30, *names[i]);
        d_->NameCurrent("nazev" + std::to_string(i + 1));
    }
    Field(2, top + 4, "Adresa &firmy ", r_.ADR_FIRM, "adresa");
    Field(2, top + 5, "PSČ, &město ", r_.PSC_FIRM, "psc");
    ui::InsertPrvek(*d_, 26, top + 5, {}, {}, 25, r_.MESTO_FIRM);
    d_->NameCurrent("mesto");
    ui::InsertPrvek(*d_, 2, top + 6, "zkratka státu v rámci EU:"_t, "Stát "_t, 2, r_.STAT_ZKRATKA);
    d_->NameCurrent("statZkratka");
    ui::InsertPrvek(*d_, 12, top + 6, {}, {}, 30, r_.Stat);
    d_->NameCurrent("stat");
    Field(2, top + 7, "Region ", r_.Region, "region");
    Field(28, top + 7, "Kraj ČR ", r_.KRAJ, "kraj");
    Field(46, top, "IČO ", r_.ICO, "ico");
    Field(46, top + 1, "DIČ ", r_.DIC_FIRM, "dic");
    Field(46, top + 2, "Skupinové DIČ ", r_.SKUP_DIC_FIRM, "skupDic");
    Choice(2, top + 9, "Povaha ", r_.POVAHA,
           {" neurčeno ", " odběratel ", " dodavatel ", " ostatní "}, 14, "povaha");
    Choice(28, top + 9, "Platnost ", r_.PLATNOST, {" platná adresa ", " neplatná adresa "}, 18,
           "platnost");
    Choice(2, top + 10, "Osoba ", r_.OSOBA, {" fyzická osoba ", " právnická osoba "}, 18, "osoba");
    Choice(28, top + 10, "Typ ", r_.TYP, {" běžná adresa ", " kmenová adresa "}, 18, "typ");
    Field(2, top + 12, "Telefon ", r_.TELEF, "telefon");
    Field(34, top + 12, "Fax ", r_.FAX, "fax");
    Field(2, top + 13, "Mobil ", r_.TELEX, "mobil");
    Field(34, top + 13, "Dealer ", r_.DEALER, "dealer");
}

void Editor::BankPage(int top) {
    Field(2, top, "Banko&vní ústav ", r_.NAZ_UST, "ustav");
    Field(2, top + 1, "Číslo účtu/kód &banky ", r_.BS, "ucet");
    Number(44, top + 1, "/", r_.ZVL_DISP, 4, "kodBanky");
    Field(2, top + 2, "IBAN ", r_.IBAN, "iban");
    Field(2, top + 3, "SWIFT ", r_.SWIFT, "swift");
    for (int i = 0; i < 4; ++i) {
        ui::InsertPrvek(*d_, 2, top + 5 + i, {}, i == 0 ? "Název banky  "_t : "Adresa banky "_t, 35,
                        r_.ADRESA_BANKY[i]);
        d_->NameCurrent("adresaBanky" + std::to_string(i + 1));
    }
    Field(2, top + 10, "Specifický s&ymbol ", r_.SPEC_SYM, "specSym");
}

void Editor::InvoicePage(int top) {
    StrN<30>* recipients[] = {&r_.PRIJEM1, &r_.PRIJEM2, &r_.PRIJEM3, &r_.PRIJEM4};
    for (int i = 0; i < 4; ++i) {
        ui::InsertPrvek(*d_, 2, top + i, {}, i == 0 ? "Příjemce "_t : Blanks(9), 30,
                        *recipients[i]);
        d_->NameCurrent("prijemce" + std::to_string(i + 1));
    }
    StrN<20>* finals[] = {&r_.KON_PRIJM1, &r_.KON_PRIJM2, &r_.KON_PRIJM3};
    for (int i = 0; i < 3; ++i) {
        ui::InsertPrvek(*d_, 44, top + i, {}, i == 0 ? "Konečný příjemce "_t : Blanks(17), 20,
                        *finals[i]);
        d_->NameCurrent("konecny" + std::to_string(i + 1));
    }
    Number(2, top + 4, "Splatnost faktury ", r_.Splatnost, 4, "splatnost");
    Check(30, top + 4, "OKAMŽITĚ", r_.OKAMZITA_SPLATNOST, "okamzite");
    for (int i = 0; i < 4; ++i) {
        ui::InsertPrvek(*d_, 2, top + 5 + i, {},
                        i == 0 ? "Adresa kam zaslat fakturu "_t : Blanks(26), 30,
                        r_.OBALKA_Firma[i]);
        d_->NameCurrent("obalka" + std::to_string(i + 1));
    }
    Field(2, top + 9, "Ulice ", r_.OBALKA_Ulice, "obalkaUlice");
    Field(40, top + 9, "Město ", r_.OBALKA_Mesto, "obalkaMesto");
    Field(2, top + 10, "PSČ ", r_.OBALKA_PSC, "obalkaPsc");
    Field(40, top + 10, "Stát ", r_.OBALKA_Stat, "obalkaStat");
    Field(2, top + 11, "Souhlas s e-fakturou ", r_.EPAR, "epar", 50);
    Field(2, top + 12, "Implicitní měna ", r_.MENA, "mena");
    Choice(26, top + 12, "Forma úhrady ", r_.FORMA_UHRADY,
           {" neurčena ", " převodem ", " hotově ", " dobírkou ", " zápočtem ", " kartou "}, 14,
           "formaUhrady");
    Field(2, top + 13, "Hospodářská smlouva ", r_.HOSP_SMLOUVA, "smlouva");
    ui::InsertPrvek(*d_, 46, top + 13, {}, "Středisko "_t, 9, r_.STREDISKO_EA, {},
                    ui::TPrvek::kLongint);
    d_->NameCurrent("stredisko");
    if (book_.showDebtLimit) {
        ui::InsertPrvek(
            *d_, 46, top + 5,
            "maximální povolený dluh limitující prodej na fakturu (i přímo ze skladu)"_t,
            "Max. dluh "_t, 20, debt_);
        d_->NameCurrent("dluh");
    }
}

void Editor::StockPage(int top) {
    ui::InsertPrvek(*d_, 2, top, {}, "Typ prodejní ceny "_t, 3, typPC_, {}, ui::TPrvek::kWord);
    d_->NameCurrent("typPC");
    Field(2, top + 1, "Likvidace odpadu ", r_.LIKVIDACE_ODPADU, "odpad");
    Field(2, top + 2, "Licence ", r_.LICENCE, "licence");
    Field(40, top + 2, "Značka vozu ", r_.SPZvozu, "spz");
    Check(2, top + 3, "% globální slevy/přirážky", r_.EX_LINE_SLEVA, "globalniSleva");
    ui::InsertLabel(*d_, 2, top + 4, {}, "  %      ktg PC    %      ktg PC    %      ktg PC"_t);
    for (int i = 0; i < 21; ++i) {
        const int column = 2 + (i / 7) * 18;
        const int row = top + 5 + i % 7;
        ui::InsertPrvek(*d_, column, row, {}, {}, 6, r_.SLEVY[i].PROCENTO, {}, ui::TPrvek::kDouble,
                        2);
        d_->NameCurrent("sleva" + std::to_string(i));
        ui::InsertPrvek(*d_, column + 9, row, {}, {}, 3, r_.SLEVY[i].KTG);
        d_->NameCurrent("ktg" + std::to_string(i));
    }
}

void Editor::NotesPage(int top) {
    ui::TMemoAXO* memo =
        ui::InsertMemo(*d_, 2, top, {}, ui::TextVariable(notes_, kNotesCapacity), 76, 11);
    d_->NameCurrent("notes");
    ui::TButtonAXO* load =
        ui::InsertButton(*d_, 2, top + 12, "naplnění z textového souboru"_t, "ze souboru"_t);
    d_->NameCurrent("notesLoad");
    load->SetAction([memo](ui::TDialogAXO& d) { FillNotesFromFile(d, *memo); });
    ui::TButtonAXO* save =
        ui::InsertButton(*d_, 14, top + 12, "uložení do textového souboru"_t, "do souboru"_t);
    d_->NameCurrent("notesSave");
    save->SetAction([memo](ui::TDialogAXO& d) { SaveNotesToFile(d, *memo); });
    ui::TButtonAXO* print =
        ui::InsertButton(*d_, 26, top + 12, "tisk poznámkového bloku"_t, "tisk"_t);
    d_->NameCurrent("notesPrint");
    print->SetAction([this, memo](ui::TDialogAXO&) {
        PrintLines(book_, "poznámkový blok externí adresy"_t, SplitLines(memo->Content()));
    });
}

/// The register buttons: the address being edited filled from ARES, or its VAT payer checked
/// with a published account and the result written into it.
void Editor::Register(bool ares) {
    book_.withLookups([&](lookups::LookupContext& ctx) {
        EditorAddress address(*d_, *pages_, pageIndex_, r_, notes_);
        if (ares)
            lookups::AresButton(ctx, address);
        else
            lookups::VatPayerButton(ctx, address);
    });
}

}  // namespace

StoreOutcome StoreAddress(tExtAdresy& table, bool insert, std::int32_t& n, tVetaExtAdresa& record,
                          const Text& notes, const Text& date, Text& fault) {
    record.MATCH_CODE = Trim(record.MATCH_CODE);
    if (const std::optional<AddressFault> f = CheckAddress(record)) {
        fault = f->message;
        return StoreOutcome::Fault;
    }
    record.POSL_ZMENA = Trim(date);
    tVetaExtAdresa old{};
    if (!insert)
        table.GetRec(n, &old);
    if (table.FindUsedKey(insert, &old, &record) != 0) {
        if (!insert) {
            fault = "Pokoušíte se zadat již existující zatřídění externí adresy."_t;
            return StoreOutcome::Clash;
        }
        const std::optional<Text> next = NextFreeClassification(table);
        if (!next) {
            fault = "Pokoušíte se zadat již existující zatřídění externí adresy."_t;
            return StoreOutcome::NoFreeNumber;
        }
        record.MATCH_CODE = *next;
    }
    table.SetNotes(notes);
    const bool stored = insert ? table.AddRec(n, &record) : table.PutRec(n, &record);
    if (!insert)
        table.UnlockAllRecs();
    if (!stored) {
        fault = "Adresu nelze uložit."_t;
        return StoreOutcome::Fault;
    }
    return StoreOutcome::Stored;
}

tVetaExtAdresa NewAddressStart(tExtAdresy& table, std::optional<tVetaExtAdresa>& pendingTemplate,
                               const tVetaExtAdresa* given) {
    tVetaExtAdresa start{};
    if (pendingTemplate) {
        start = *pendingTemplate;
        pendingTemplate.reset();
    } else if (given && !Trim(given->MATCH_CODE).empty()) {
        start = *given;
    }
    start.RizeniEditace = 0;
    start.POSL_ZMENA = Text();
    start.MATCH_CODE = NextFreeClassification(table).value_or(Text());
    return start;
}

bool EditAddress(const AddressBook& book, tExtAdresy& table, bool insert, std::int32_t& n,
                 tVetaExtAdresa& record, Text& notes) {
    tVetaExtAdresa edited = record;
    Text editedNotes = notes;
    for (;;) {
        Editor editor(book, insert, edited, editedNotes);
        if (!ui::RunDialog(editor.Dialog())) {
            if (editor.Dialog().CloseCode() != kClosePrint) {
                if (!insert)
                    table.UnlockAllRecs();
                return false;
            }
            editor.Dialog().WriteBack();
        }
        editor.Finish();
        const bool print = editor.Dialog().CloseCode() == kClosePrint;
        Text fault;
        std::int32_t target = n;
        const StoreOutcome outcome =
            StoreAddress(table, insert, target, edited, editedNotes, book.programDate, fault);
        if (outcome == StoreOutcome::Stored) {
            n = target;
            record = edited;
            notes = editedNotes;
            if (print)
                PrintAddress(book, record, notes);
            return true;
        }
        if (outcome == StoreOutcome::Fault)
            book.Ui().ShowErrorLine(fault);
        else
            book.Ui().ShowErrorLine(fault + "\x0e\x0e"_t + "Opravte prosím."_t);
    }
}

bool ConnectionEmpty(const tVetaExtAdresa& r, int connection) {
    if (connection == 0)
        return Trim(r.BS).empty() && r.ZVL_DISP == 0 && Trim(r.IBAN).empty();
    return Trim(r.BANK[connection - 1].BANK_SPOJENI).empty();
}

void WriteAccountInto(tVetaExtAdresa& r, int connection, const PickedAccount& account) {
    const Text number = Trim(account.prefix).empty()
                            ? Trim(account.number)
                            : Trim(account.prefix) + "-"_t + Trim(account.number);
    if (connection > 0) {
        r.BANK[connection - 1].BANK_SPOJENI =
            Trim(account.bankCode).empty() ? number : number + "/"_t + Trim(account.bankCode);
        return;
    }
    r.NAZ_UST = Text();
    r.SPEC_SYM = Text();
    r.IBAN = Text();
    r.SWIFT = Text();
    for (auto& line : r.ADRESA_BANKY)
        line = Text();
    r.BS = number;
    r.ZVL_DISP = static_cast<Word>(TextToIntBlanks(account.bankCode));
}

AccountPlace PlacePickedAccount(tVetaExtAdresa& r, const PickedAccount& account, bool overwrite,
                                int& index) {
    if (ConnectionEmpty(r, 0) || overwrite) {
        WriteAccountInto(r, 0, account);
        return AccountPlace::Primary;
    }
    for (int i = 0; i < 5; ++i) {
        if (!ConnectionEmpty(r, i + 1))
            continue;
        WriteAccountInto(r, i + 1, account);
        index = i;
        return AccountPlace::Further;
    }
    return AccountPlace::Nowhere;
}

void PrintAddress(const AddressBook& book, const tVetaExtAdresa& r, const Text& notes) {
    if (book.printAddress) {
        book.printAddress(r, notes);
        return;
    }
    std::vector<Text> lines;
    for (const AddressField& f : AddressFields()) {
        const Text value = AddressFieldText(r, f);
        if (!Trim(value).empty() && value != "0"_t)
            lines.push_back(LeftJustify(f.name, 24) + value);
    }
    for (const Text& line : SplitLines(notes))
        lines.push_back(LeftJustify("Poznámka"_t, 24) + line);
    PrintLines(book, "Externí adresa "_t + Trim(r.MATCH_CODE), lines);
}

}  // namespace axo::codelists
