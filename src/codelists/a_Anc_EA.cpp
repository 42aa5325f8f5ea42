// The external address list window, its rows and filters, and the pickers.
#include "codelists/a_Anc_EA.h"

#include <algorithm>

#include "codelists/ExAdRegistry.h"
#include "codelists/ExAdTransfer.h"
#include "codelists/OknoEA.h"
#include "ui/DialogInsert.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

const char* const kOrderNames[] = {
    "tříděno dle města",    "tříděno dle názvu firmy", "tříděno dle interního čísla firmy",
    "tříděno dle PSČ",      "tříděno dle IČO",         "tříděno dle DIČ",
    "tříděno dle příjemce", "tříděno dle značky vozu", "tříděno dle libovolného klíče",
};

const char* const kNatures[] = {"neurčeno", "odběratel", "dodavatel", "ostatní"};

/// A configurable column: its letter, usual width, title, alignment and value.
struct ColumnDef {
    char letter;
    const char* title;
    bool right;
    Text (*value)(const tVetaExtAdresa&);
};

/// The account without the bank code written after its "/" (the code has a field of its own).
Text AccountWithoutCode(const tVetaExtAdresa& r) {
    const Text account = Trim(r.BS);
    const std::size_t slash = account.find('/');
    if (r.ZVL_DISP != 0 && slash != Text::npos && slash >= 1) {
        const Text after = Trim(account.substr(slash + 1));
        if (after == IntToTextZeros(r.ZVL_DISP, 4) || after == IntToText(r.ZVL_DISP))
            return account.substr(0, slash);
    }
    return account;
}

const ColumnDef kColumnDefs[] = {
    {'A', "Zatřídění", false, [](const tVetaExtAdresa& r) { return r.MATCH_CODE.Get(); }},
    {'B', "Název firmy 1", false, [](const tVetaExtAdresa& r) { return r.NAZ_FIRM1.Get(); }},
    {'C', "Název firmy 2", false, [](const tVetaExtAdresa& r) { return r.NAZ_FIRM2.Get(); }},
    {'D', "Název firmy 3", false, [](const tVetaExtAdresa& r) { return r.NAZ_FIRM3.Get(); }},
    {'E', "Adresa", false, [](const tVetaExtAdresa& r) { return r.ADR_FIRM.Get(); }},
    {'F', "Město", false, [](const tVetaExtAdresa& r) { return r.MESTO_FIRM.Get(); }},
    {'G', "PSČ", false, [](const tVetaExtAdresa& r) { return r.PSC_FIRM.Get(); }},
    {'H', "Stát", false, [](const tVetaExtAdresa& r) { return r.Stat.Get(); }},
    {'I', "Region", false, [](const tVetaExtAdresa& r) { return r.Region.Get(); }},
    {'J', "ICO", false, [](const tVetaExtAdresa& r) { return r.ICO.Get(); }},
    {'K', "DIČ", false, [](const tVetaExtAdresa& r) { return r.DIC_FIRM.Get(); }},
    {'L', "Povaha", false,
     [](const tVetaExtAdresa& r) { return r.POVAHA <= 3 ? FromUtf8(kNatures[r.POVAHA]) : Text(); }},
    {'M', "Telefon", false, [](const tVetaExtAdresa& r) { return r.TELEF.Get(); }},
    {'N', "Fax", false, [](const tVetaExtAdresa& r) { return r.FAX.Get(); }},
    {'O', "Příjemce 1", false, [](const tVetaExtAdresa& r) { return r.PRIJEM1.Get(); }},
    {'P', "Příjemce 2", false, [](const tVetaExtAdresa& r) { return r.PRIJEM2.Get(); }},
    {'Q', "Příjemce 3", false, [](const tVetaExtAdresa& r) { return r.PRIJEM3.Get(); }},
    {'R', "Konečný příjemce 1", false, [](const tVetaExtAdresa& r) { return r.KON_PRIJM1.Get(); }},
    {'S', "Konečný příjemce 2", false, [](const tVetaExtAdresa& r) { return r.KON_PRIJM2.Get(); }},
    {'T', "Bankovní ústav", false, [](const tVetaExtAdresa& r) { return r.NAZ_UST.Get(); }},
    {'U', "Bankovní spojení", true,
     [](const tVetaExtAdresa& r) {
         return Trim(r.BS).empty() && r.ZVL_DISP == 0
                    ? Text()
                    : AccountWithoutCode(r) + "/"_t + IntToTextZeros(r.ZVL_DISP, 4);
     }},
    {'V', "Obálka název firmy 1", false,
     [](const tVetaExtAdresa& r) { return r.OBALKA_Firma[0].Get(); }},
    {'W', "Obálka název firmy 2", false,
     [](const tVetaExtAdresa& r) { return r.OBALKA_Firma[1].Get(); }},
    {'X', "Obálka název firmy 3", false,
     [](const tVetaExtAdresa& r) { return r.OBALKA_Firma[2].Get(); }},
    {'Y', "Obálka adresa", false, [](const tVetaExtAdresa& r) { return r.OBALKA_Ulice.Get(); }},
    {'Z', "Obálka město", false, [](const tVetaExtAdresa& r) { return r.OBALKA_Mesto.Get(); }},
    {'a', "Název firmy 4", false, [](const tVetaExtAdresa& r) { return r.NAZ_FIRM4.Get(); }},
    {'b', "Příjemce 4", false, [](const tVetaExtAdresa& r) { return r.PRIJEM4.Get(); }},
    {'c', "Konečný příjemce 3", false, [](const tVetaExtAdresa& r) { return r.KON_PRIJM3.Get(); }},
    {'d', "SPZ", false, [](const tVetaExtAdresa& r) { return r.SPZvozu.Get(); }},
};

const ColumnDef* DefOf(char letter) {
    for (const ColumnDef& d : kColumnDefs)
        if (d.letter == letter)
            return &d;
    return nullptr;
}

Text Cell(const Text& value, int width, bool right) {
    const Text cut = value.substr(0, static_cast<std::size_t>(width));
    return right ? RightJustify(cut, static_cast<std::size_t>(width))
                 : LeftJustify(cut, static_cast<std::size_t>(width));
}

Text FixedHeader() {
    return " Firma                          Zatřídění  IČO        Bankovní spojení        Město "
           "                    DIČ             Bankovní ústav"_t;
}

Text ListTitle() {
    return " Vyberte si z číselníku externích adres "_t;
}

bool Picker(const AddressBook& book, Text& text, int order, tVetaExtAdresa* record) {
    tVyberExtAdresy list(book, true);
    list.startText = text.substr(0, 63);
    if (record && record->RizeniEditace == kTemplateMark)
        list.pendingTemplate = *record;
    if (!list.PripravSeznam(0, order))
        return false;
    const int result = list.Spust();
    list.Ukonci();
    if (result != ui::TBrowser::kResultChosen || list.RowsFilled() == 0)
        return false;
    const tVetaExtAdresa& chosen = list.Zaznam(list.CurrentRow());
    text = OrderField(chosen, order);
    if (record)
        *record = chosen;
    return true;
}

}  // namespace

std::unique_ptr<tExtAdresy> AddressBook::MakeTable() const {
    return std::make_unique<tExtAdresy>(*ctx, directory, yearCode);
}

bool AddressPasses(const AddressFilters& f, const tVetaExtAdresa& r, bool hasNotes) {
    if (f.notesOnly && !hasNotes)
        return false;
    if ((f.validity == 1 && r.PLATNOST != 0) || (f.validity == 2 && r.PLATNOST != 1))
        return false;
    if (r.POVAHA <= 3 && !f.nature[r.POVAHA])
        return false;
    return f.type == 2 || r.TYP == f.type;
}

std::vector<AddressColumn> ParseAddressColumns(const Text& config) {
    std::vector<AddressColumn> columns;
    std::size_t i = 0;
    int items = 0;
    while (i < config.size() && items < 30) {
        while (i < config.size() && config[i] == ' ')
            ++i;
        std::size_t end = i;
        while (end < config.size() && config[end] != ' ')
            ++end;
        if (end == i)
            break;
        const Text item = config.substr(i, end - i);
        ++items;
        i = end;
        if (item.size() != 3 || !DefOf(item[0]))
            continue;
        const std::optional<long long> width = TryTextToInt(item.substr(1, 2));
        if (!width || *width <= 0 || item[1] < '0' || item[1] > '9' || item[2] < '0' ||
            item[2] > '9')
            continue;
        columns.push_back({item[0], static_cast<int>(*width)});
    }
    return columns;
}

Text AddressListHeader(const std::vector<AddressColumn>& columns) {
    if (columns.empty())
        return FixedHeader();
    Text header = " "_t;
    for (const AddressColumn& c : columns) {
        const ColumnDef* d = DefOf(c.letter);
        header += Cell(FromUtf8(d->title), c.width, d->right) + " "_t;
    }
    return header;
}

Text BankColumn(const tVetaExtAdresa& r) {
    if (r.ZVL_DISP == 0 || Trim(r.BS).empty())
        return LeftJustify(r.BS, 24);
    return LeftJustify(AccountWithoutCode(r), 18) + "/"_t + IntToTextZeros(r.ZVL_DISP, 4) + " "_t;
}

Text AddressRowText(const tVetaExtAdresa& r, bool hasNotes,
                    const std::vector<AddressColumn>& columns) {
    Text row = " "_t;
    if (columns.empty()) {
        row += LeftJustify(r.NAZ_FIRM1, 31) + LeftJustify(r.MATCH_CODE, 11) +
               LeftJustify(r.ICO, 11) + BankColumn(r) + LeftJustify(r.MESTO_FIRM, 26) +
               LeftJustify(r.DIC_FIRM, 16) + LeftJustify(r.NAZ_UST.Get().substr(0, 18), 18);
    } else {
        for (const AddressColumn& c : columns) {
            const ColumnDef* d = DefOf(c.letter);
            row += Cell(d->value(r), c.width, d->right) + " "_t;
        }
    }
    if (hasNotes)
        row[0] = '!';
    return row;
}

// ---- The list window ------------------------------------------------------------------------

tVyberExtAdresy::tVyberExtAdresy(const AddressBook& book, bool choosing)
    : TRecordBrowser(book.Ui(), book.browser),
      book_(book),
      choosing_(choosing),
      columns_(ParseAddressColumns(book.columns)) {
    filters.validity = std::clamp(book.validityDefault, 0, 2);
}

bool tVyberExtAdresy::PripravSeznam(int windowNumber, int order) {
    if (!Priprav(0, 0, ListTitle(), AddressListHeader(columns_), choosing_ ? "C"_t : "A"_t,
                 windowNumber))
        return false;
    // The preparation starts every browser in order 1 of the plain order list.
    orderList = {2, 5, 6, 3, 1, 4, 7, 8, 9};
    SetCurrentKey(order);
    return true;
}

bool tVyberExtAdresy::OtevriData() {
    file_ = book_.MakeTable();
    // The list is shared by every module: opened shared, made when the directory has none.
    if (!file_->InitFile(2, storage::_WaitQuestion))
        return false;
    table = file_.get();
    return true;
}

void tVyberExtAdresy::ZavriData() {
    if (file_ && file_->Opened())
        file_->CloseFile();
}

Text tVyberExtAdresy::NazevTrideni() {
    const int k = CurrentKey();
    return k >= 1 && k <= 9 ? FromUtf8(kOrderNames[k - 1]) : Text();
}

bool tVyberExtAdresy::SetLength_BufferOfRecord_BufferOfHash() {
    notes_.assign(static_cast<std::size_t>(Capacity()) + 1, Text());
    return TRecordBrowser::SetLength_BufferOfRecord_BufferOfHash();
}

void tVyberExtAdresy::UlozVetuDoRadku(int row) {
    TRecordBrowser::UlozVetuDoRadku(row);
    notes_[static_cast<std::size_t>(row)] = file_->Notes();
}

void tVyberExtAdresy::PresunRadek(int from, int to) {
    TRecordBrowser::PresunRadek(from, to);
    notes_[static_cast<std::size_t>(to)] = notes_[static_cast<std::size_t>(from)];
}

Text tVyberExtAdresy::TextRadku(int row) {
    return AddressRowText(Zaznam(row), !Notes(row).empty(), columns_);
}

bool tVyberExtAdresy::VetaVyhovuje() {
    tVetaExtAdresa r{};
    if (!file_->GetRec(currentRecord, &r))
        return false;
    return AddressPasses(filters, r, !file_->Notes().empty());
}

void tVyberExtAdresy::EditRow(int row, Text& key, std::int32_t& n) {
    tVetaExtAdresa record{};
    if (!ZamkniZaznam(row, record, n)) {
        SetNotHandled();
        return;
    }
    Text notes = file_->Notes();
    if (!EditAddress(book_, *file_, false, n, record, notes)) {
        SetNotHandled();
        return;
    }
    key = file_->MakeKey(CurrentKey(), &record);
}

void tVyberExtAdresy::ZpracujRadek(int row, Text& key, std::int32_t& n, int) {
    key.clear();
    n = 0;
    if (RowsFilled() == 0) {
        SetNotHandled();
        return;
    }
    // <Enter> in a picker chooses; <Ctrl Enter>, and <Enter> in the list itself, edit.
    if (choosing_ && CommandCode() != ui::browse_code::kCtrlEnter)
        return;
    EditRow(row, key, n);
}

void tVyberExtAdresy::PridejVetu(Text& key, int, std::int32_t& n) {
    const bool copy = CommandCode() == ui::browse_code::kAltF7;
    std::optional<tVetaExtAdresa> waiting = copy ? std::nullopt : pendingTemplate;
    const tVetaExtAdresa* given = copy && RowsFilled() > 0 ? &Zaznam(CurrentRow()) : nullptr;
    tVetaExtAdresa record = NewAddressStart(*file_, waiting, given);
    if (!copy)
        pendingTemplate = waiting;
    Text notes = copy && RowsFilled() > 0 ? Notes(CurrentRow()) : Text();
    n = 0;
    if (!EditAddress(book_, *file_, true, n, record, notes)) {
        key.clear();
        SetNotHandled();
        return;
    }
    key = file_->MakeKey(CurrentKey(), &record);
}

void tVyberExtAdresy::ZrusVetu(int row) {
    SmazZaznam(row);
}

int tVyberExtAdresy::PrelozKlavesu(const ui::KeyEvent& key) {
    if (!key.alt || key.ctrl || key.key != ui::Key::Character)
        return 0;
    switch (static_cast<char>(std::toupper(static_cast<unsigned char>(key.ch)))) {
        case 'P':
            return address_code::kNotesFilter;
        case 'L':
            return address_code::kValidityFilter;
        case 'V':
            return address_code::kNatureFilter;
        case 'T':
            return address_code::kTypeFilter;
        case 'I':
            return address_code::kImport;
        case 'E':
            return address_code::kExport;
        case 'R':
            return address_code::kRegister;
        case 'W':
            return address_code::kRegisterWeb;
        case 'N':
            return address_code::kUnreliablePayers;
        default:
            return 0;
    }
}

void tVyberExtAdresy::ApplyFilter(const Text& waitText) {
    {
        const auto notice = Ui().ShowNotice(waitText);
        Obnov();
    }
    if (RowsFilled() > 0)
        Ui().ShowMessage(ui::MessageKind::Info, "Filtr byl nastaven."_t);
    else
        Ui().ShowInfo("Filtr byl nastaven.\r\rVámi zadaným parametrům \rnevyhověla žádná data."_t);
}

void tVyberExtAdresy::ValidityMenu() {
    const char* const items[] = {"&všechny externí adresy", "pouze &platné externí adresy",
                                 "pouze &neplatné externí adresy"};
    std::vector<Text> captions;
    for (int i = 0; i < 3; ++i)
        captions.push_back((i == filters.validity ? "* "_t : Text()) + FromUtf8(items[i]));
    const int chosen = Ui().Decide("Filtr na platnost adres"_t, captions, filters.validity + 1);
    if (chosen < 1)
        return;
    filters.validity = chosen - 1;
    const char* const waits[] = {"VŠECHNY externí adresy.", "pouze PLATNÉ externí adresy.",
                                 "pouze NEPLATNÉ externí adresy."};
    ApplyFilter("Probíhá nastavení filtru\x0e\x0e"_t + FromUtf8(waits[filters.validity]));
}

void tVyberExtAdresy::NatureDialog() {
    std::uint8_t on[4];
    for (int i = 0; i < 4; ++i)
        on[i] = filters.nature[i] ? 1 : 0;
    auto d =
        ui::CreateDialog(Ui(), book_.browser.dialog, 0, 0, 34, {}, "Povaha adresy (filtr)"_t, 7);
    for (int i = 0; i < 4; ++i) {
        ui::InsertCheckBox(*d, {}, FromUtf8(kNatures[i]), on[i], 0, 1 + i, 3);
        d->NameCurrent(std::string("povaha") + std::to_string(i));
    }
    ui::InsertOkZpet(*d, 0, 7, {}, {}, 7);
    if (!ui::RunDialog(*d))
        return;
    for (int i = 0; i < 4; ++i)
        filters.nature[i] = on[i] != 0;
    ApplyFilter("Probíhá nastavení filtru."_t);
}

void tVyberExtAdresy::TypeMenu() {
    const char* const items[] = {"pouze &běžné externí adresy", "pouze &kmenové externí adresy",
                                 "&všechny externí adresy"};
    std::vector<Text> captions;
    for (int i = 0; i < 3; ++i)
        captions.push_back((i == filters.type ? "* "_t : Text()) + FromUtf8(items[i]));
    const int chosen = Ui().Decide("Filtr na typ adresy"_t, captions, filters.type + 1);
    if (chosen < 1)
        return;
    filters.type = chosen - 1;
    const char* const waits[] = {"běžná adresa", "kmenová adresa", "všechny adresy"};
    ApplyFilter("Probíhá nastavení filtru\x0e\x0e"_t + FromUtf8(waits[filters.type]));
}

void tVyberExtAdresy::JinaKlavesa(int code) {
    switch (code) {
        case address_code::kNotesFilter:
            filters.notesOnly = !filters.notesOnly;
            ApplyFilter(
                filters.notesOnly
                    ? "Probíhá nastavení filtru na existenci údajů v poznámkovém bloku externí adresy"_t
                    : "Probíhá zrušení filtru na existenci údajů v poznámkovém bloku externí adresy"_t);
            return;
        case address_code::kValidityFilter:
            ValidityMenu();
            return;
        case address_code::kNatureFilter:
            NatureDialog();
            return;
        case address_code::kTypeFilter:
            TypeMenu();
            return;
        case address_code::kImport:
        case address_code::kExport:
            if (!book_.transferAllowed) {
                Ui().ShowInfo("Import a export externích adres smí provést jen správce."_t);
                return;
            }
            if (code == address_code::kImport) {
                // The import replaces the table's file: the list lets it go meanwhile.
                ZavriData();
                ImportAddresses(book_);
                file_->InitFile(2, storage::_WaitQuestion);
            } else {
                ExportAddresses(book_);
            }
            Obnov();
            return;
        case address_code::kRegister:
        case address_code::kRegisterWeb:
        case address_code::kUnreliablePayers:
            RegisterKey(book_, code);
            return;
        default:
            return;
    }
}

// ---- Pickers ----------------------------------------------------------------------------------

bool PickAddressByName(const AddressBook& book, Text& text, tVetaExtAdresa* record) {
    return Picker(book, text, 2, record);
}

bool PickAddressByClassification(const AddressBook& book, Text& text, tVetaExtAdresa* record) {
    return Picker(book, text, 3, record);
}

bool PickAddressField(const AddressBook& book, Text& text, int order, tVetaExtAdresa* record) {
    if (order < 1 || order > 9) {
        book.Ui().ShowErrorLine("Třídící údaj číslo "_t + IntToText(order) +
                                " je v číselníku externích adres nereálné, prosím opravte!"_t);
        return false;
    }
    return Picker(book, text, order, record);
}

ui::CiselnikIndex AddressPicker(const AddressBook& book, int index) {
    return {[&book](Text& value, int order) {
                return PickAddressField(book, value, order) ? ui::PickResult::Chosen
                                                            : ui::PickResult::None;
            },
            index};
}

void ShowAddressList(const AddressBook& book) {
    tVyberExtAdresy list(book, false);
    if (!list.PripravSeznam(252))
        return;
    list.Spust();
    list.Ukonci();
}

}  // namespace axo::codelists
