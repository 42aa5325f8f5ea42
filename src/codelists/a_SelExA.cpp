// The address selector and its filter.
#include "codelists/a_SelExA.h"

#include <algorithm>

#include "ui/DialogInsert.h"
#include "ui/browse/Selector.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

bool MaskPasses(const Text& mask, const Text& value) {
    const Text m = TrimRight(mask);
    if (std::all_of(m.begin(), m.end(), [](char ch) { return ch == '?'; }))
        return true;
    return MaskMatch(LeftJustify(m, m.size()), LeftJustify(value, m.size()), true);
}

class tSelekceExtAdres : public ui::TRecordBrowser<tVetaExtAdresa, ui::TSelector> {
  public:
    tSelekceExtAdres(const AddressBook& book, const std::filesystem::path& directory,
                     const SelectionFilter& filter)
        : TRecordBrowser(book.Ui(), book.browser),
          book_(book),
          directory_(directory),
          filter_(filter) {}

    /// The preparation starts in order 1; the filter's order follows.
    bool PripravVyber(const Text& title, const Text& header) {
        if (!Priprav(title, header, {}, 3, 0))
            return false;
        orderList = {1, 2, 3, 4, 5, 6, 7, 0, 0};
        SetCurrentKey(filter_.order);
        return true;
    }

    bool OtevriData() override {
        file_ = std::make_unique<tExtAdresy>(*book_.ctx, directory_, book_.yearCode);
        if (!file_->InitFile(1, storage::_WaitQuestion))
            return false;
        table = file_.get();
        return true;
    }
    void ZavriData() override {
        if (file_ && file_->Opened())
            file_->CloseFile();
    }
    Text TextRadku(int row) override { return SelectionRowText(Zaznam(row)); }
    bool VetaVyhovuje() override {
        tVetaExtAdresa r{};
        return file_->GetRec(currentRecord, &r) &&
               SelectionPasses(filter_, r, !file_->Notes().empty());
    }

    /// The ticked classifications in the order of ticking.
    std::vector<Text> Chosen() {
        std::vector<Text> codes;
        ui::tSouborSelekce* selection = SelectionFile();
        if (!selection || !selection->Opened())
            return codes;
        ui::tVetaSelekce tick;
        tVetaExtAdresa r{};
        std::int32_t n = 0;
        Text key;
        selection->BtClearKey(1);
        while (selection->BtNextKey(1, n, key)) {
            selection->GetRec(n, &tick);
            if (file_->GetRec(tick.Hash, &r))
                codes.push_back(Trim(r.MATCH_CODE));
        }
        return codes;
    }

  private:
    const AddressBook& book_;
    std::filesystem::path directory_;
    SelectionFilter filter_;
    std::unique_ptr<tExtAdresy> file_;
};

}  // namespace

bool SelectionPasses(const SelectionFilter& f, const tVetaExtAdresa& r, bool hasNotes) {
    if (!MaskPasses(f.classification, r.MATCH_CODE) || !MaskPasses(f.name, r.NAZ_FIRM1) ||
        !MaskPasses(f.ico, r.ICO) || !MaskPasses(f.dic, r.DIC_FIRM) ||
        !MaskPasses(f.region, r.Region) || !MaskPasses(f.dealer, r.DEALER))
        return false;
    if ((f.notes == 1 && !hasNotes) || (f.notes == 2 && hasNotes))
        return false;
    AddressFilters list;
    list.validity = f.validity;
    list.type = f.type;
    for (int i = 0; i < 4; ++i)
        list.nature[i] = f.nature[i];
    return AddressPasses(list, r, hasNotes);
}

Text SelectionRowText(const tVetaExtAdresa& r) {
    return LeftJustify(r.NAZ_FIRM1, 31) + LeftJustify(r.MATCH_CODE, 11) + LeftJustify(r.ICO, 11) +
           LeftJustify(r.DIC_FIRM, 16) + LeftJustify(r.MESTO_FIRM, 25);
}

bool AskSelectionFilter(const AddressBook& book, SelectionFilter& f) {
    auto d = ui::CreateDialog(
        book.Ui(), book.browser.dialog, 0, 0, 80, {},
        "ČÍSELNÍK EXTERNÍCH ADRES: nastavení filtrů pro následné zpracování"_t, 18);
    ui::InsertPrvek(*d, 3, 1, {}, "Zatřídění "_t, 10, f.classification);
    d->NameCurrent("zatrideni");
    ui::InsertPrvek(*d, 3, 2, {}, "Název     "_t, 30, f.name);
    d->NameCurrent("nazev");
    ui::InsertPrvek(*d, 3, 3, {}, "IČO       "_t, 10, f.ico);
    d->NameCurrent("ico");
    ui::InsertPrvek(*d, 3, 4, {}, "DIČ       "_t, 15, f.dic);
    d->NameCurrent("dic");
    ui::InsertPrvek(*d, 3, 5, {}, "Region    "_t, 8, f.region);
    d->NameCurrent("region");
    ui::InsertPrvek(*d, 3, 6, {}, "Dealer    "_t, 4, f.dealer);
    d->NameCurrent("dealer");
    ui::TItemList orders;
    for (const char* o :
         {" města ", " názvu firmy ", " zatřídění ", " PSČ ", " IČO ", " DIČ ", " příjemce "})
        orders.Add(FromUtf8(o));
    std::uint8_t order = static_cast<std::uint8_t>(std::clamp(f.order, 1, 7) - 1);
    ui::InsertLabelledComboBox(*d, 3, 8, {}, "třídění dle "_t, order, orders, 16);
    d->NameCurrent("trideni");
    auto radio = [&d](const char* name, std::uint8_t& value, int column,
                      std::initializer_list<const char*> items) {
        ui::TItemList list;
        for (const char* item : items)
            list.Add(FromUtf8(item));
        ui::InsertRadioGroup(*d, {}, value, list, 24, 10, column);
        d->NameCurrent(name);
    };
    std::uint8_t type = static_cast<std::uint8_t>(f.type);
    std::uint8_t validity = static_cast<std::uint8_t>(f.validity);
    std::uint8_t notes = static_cast<std::uint8_t>(f.notes);
    radio("typ", type, 3, {"běžná adresa", "kmenová adresa", "všechny adresy"});
    radio("platnost", validity, 28, {" všechny adresy ", " platné adresy ", " neplatné adresy "});
    radio("poznamky", notes, 53,
          {" všechny ", " s vyplněným poznámkovým blokem ", " s prázdným poznámkovým blokem "});
    std::uint8_t nature[4];
    const char* const natures[] = {" neurčeno ", " odběratel ", " dodavatel ", " ostatní "};
    ui::InsertLabel(*d, 3, 14, {}, " Nabídnout pouze adresu s povahou "_t);
    for (int i = 0; i < 4; ++i) {
        nature[i] = f.nature[i] ? 1 : 0;
        ui::InsertCheckBox(*d, {}, FromUtf8(natures[i]), nature[i], 0, 15, 3 + 16 * i);
        d->NameCurrent("povaha" + std::to_string(i));
    }
    ui::InsertOkZpet(*d, 0, 18, {}, {}, 18);
    if (!ui::RunDialog(*d))
        return false;
    f.order = order + 1;
    f.type = type;
    f.validity = validity;
    f.notes = notes;
    for (int i = 0; i < 4; ++i)
        f.nature[i] = nature[i] != 0;
    return true;
}

std::vector<Text> ChooseAddresses(const AddressBook& book, const std::filesystem::path& directory,
                                  const Text& title) {
    SelectionFilter filter;
    if (!AskSelectionFilter(book, filter))
        return {};
    tSelekceExtAdres selector(book, directory, filter);
    const Text header = "  "_t + LeftJustify("Název firmy"_t, 31) + LeftJustify("Zatřídění"_t, 11) +
                        LeftJustify("IČO"_t, 11) + LeftJustify("DIČ"_t, 16) +
                        LeftJustify("Město"_t, 25);
    if (!selector.PripravVyber(title, header))
        return {};
    const int result = selector.Spust();
    std::vector<Text> chosen =
        result == ui::TBrowser::kResultChosen ? selector.Chosen() : std::vector<Text>();
    selector.Ukonci();
    return chosen;
}

}  // namespace axo::codelists
