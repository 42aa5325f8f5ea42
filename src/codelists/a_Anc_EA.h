// The external address list window `tVyberExtAdresy` and the pickers that open it: the rows
// (fixed or configured columns), the four filters, the orders, adding, changing, deleting and
// printing addresses, and the filter, transfer and register keys of the window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "codelists/a_FiExAd.h"
#include "ui/Prvek.h"
#include "ui/browse/RecordBrowser.h"

namespace axo::lookups {
struct LookupContext;
}

namespace axo::codelists {

/// Runs a registry lookup with the lookup context of the running program.
using LookupRunner = std::function<void(const std::function<void(lookups::LookupContext&)>&)>;

/// What the address list, its editor and its transfers need from the running program.
struct AddressBook {
    ui::UiServices* ui = nullptr;
    const storage::DataContext* ctx = nullptr;
    std::filesystem::path directory;  ///< the code-list directory
    Text yearCode;                    ///< appended to "EXAD"
    /// Listing, dialogs, window geometry in the parameter vault, printing with forms.
    ui::BrowserEnvironment browser;
    Text columns;             ///< "EXTADRESY_F7": configured list columns
    int validityDefault = 0;  ///< the validity filter the list starts with
    bool vatCheckAllowed = true;
    bool aresAllowed = true;
    bool showDebtLimit = false;
    /// Export and import: supervisor or author login.
    bool transferAllowed = false;
    /// The program date, written as the date of the last change.
    Text programDate;
    /// The directories of the program's data areas (a transfer to one needs no confirmation).
    std::vector<std::filesystem::path> dataAreas;
    /// Prints one stored address (the print form picker); none: a text listing of the card.
    std::function<void(const tVetaExtAdresa& record, const Text& notes)> printAddress;
    /// The registry lookups of the editor's buttons and the list's register keys, each run
    /// with a context (and transport) made for it; none: they are not offered.
    LookupRunner withLookups;

    ui::UiServices& Ui() const { return *ui; }
    /// The list's table object (not opened).
    std::unique_ptr<tExtAdresy> MakeTable() const;
};

/// The filters of the list.
struct AddressFilters {
    bool notesOnly = false;
    int validity = 0;  ///< 0 all, 1 valid only, 2 invalid only
    bool nature[4] = {true, true, true, true};
    int type = 2;  ///< 0 ordinary only, 1 master only, 2 all
};

/// Whether an address passes all four filters.
bool AddressPasses(const AddressFilters& filters, const tVetaExtAdresa& r, bool hasNotes);

/// A configured column: its letter and width.
struct AddressColumn {
    char letter = 'A';
    int width = 10;
};

/// The configured columns of "EXTADRESY_F7": up to 30 items separated by blanks, each a letter
/// and a two-digit width ("B30"); items of an unknown letter or without a width are dropped.
std::vector<AddressColumn> ParseAddressColumns(const Text& config);

/// The header line of the list (the pickers' fixed one when no column is configured).
Text AddressListHeader(const std::vector<AddressColumn>& columns);

/// A row of the list; "!" in front when the address has notes.
Text AddressRowText(const tVetaExtAdresa& r, bool hasNotes,
                    const std::vector<AddressColumn>& columns);

/// The bank column of the fixed row: account, "/" and the bank code in four digits (24
/// characters), or the account alone.
Text BankColumn(const tVetaExtAdresa& r);

/// Command codes of the window's own keys (<Alt> with a letter).
namespace address_code {
inline constexpr int kNotesFilter = 31001;       ///< <Alt P>
inline constexpr int kValidityFilter = 31002;    ///< <Alt L>
inline constexpr int kNatureFilter = 31003;      ///< <Alt V>
inline constexpr int kTypeFilter = 31004;        ///< <Alt T>
inline constexpr int kImport = 31005;            ///< <Alt I>
inline constexpr int kExport = 31006;            ///< <Alt E>
inline constexpr int kRegister = 31007;          ///< <Alt R>: unreliable payers of the list
inline constexpr int kRegisterWeb = 31008;       ///< <Alt W>: the VAT register's web page
inline constexpr int kUnreliablePayers = 31009;  ///< <Alt N>: all unreliable payers
}  // namespace address_code

/// The list window `tVyberExtAdresy`.
class tVyberExtAdresy : public ui::TRecordBrowser<tVetaExtAdresa> {
  public:
    /// `choosing`: <Enter> chooses the row (a picker); otherwise it opens the editor.
    tVyberExtAdresy(const AddressBook& book, bool choosing);

    /// Prepares the window with the pickers' title and header (or the configured columns), in
    /// key `order`.
    bool PripravSeznam(int windowNumber, int order = 2);

    bool OtevriData() override;
    void ZavriData() override;
    Text NazevTrideni() override;
    Text TextRadku(int row) override;
    void ZpracujRadek(int row, Text& key, std::int32_t& n, int maxLength) override;
    void PridejVetu(Text& key, int maxLength, std::int32_t& n) override;
    void ZrusVetu(int row) override;
    bool VetaVyhovuje() override;
    void JinaKlavesa(int code) override;
    int PrelozKlavesu(const ui::KeyEvent& key) override;

    /// The notes of a row's address.
    const Text& Notes(int row) const { return notes_.at(static_cast<std::size_t>(row)); }
    AddressFilters filters;
    /// A record handed to a picker as the template of a new address (kTemplateMark).
    std::optional<tVetaExtAdresa> pendingTemplate;
    tExtAdresy* File() { return file_.get(); }

    /// Sets a filter and refreshes the list under the wait text, then tells whether any address
    /// passes.
    void ApplyFilter(const Text& waitText);

  protected:
    bool SetLength_BufferOfRecord_BufferOfHash() override;
    void UlozVetuDoRadku(int row) override;
    void PresunRadek(int from, int to) override;

  private:
    const AddressBook& book_;
    bool choosing_;
    std::vector<AddressColumn> columns_;
    std::unique_ptr<tExtAdresy> file_;
    std::vector<Text> notes_;

    void EditRow(int row, Text& key, std::int32_t& n);
    void ValidityMenu();
    void NatureDialog();
    void TypeMenu();
};

/// The pickers: the list window, modal, titled " Vyberte si z číselníku externích adres ", in
/// order 2 (name), 3 (classification) or the given one, positioned on the text. True when the
/// user chose an address: its field of the order goes into `text`, the record into `record`
/// when given. A given record whose RizeniEditace is kTemplateMark is the template of an
/// address the user adds in the picker.
bool PickAddressByName(const AddressBook& book, Text& text, tVetaExtAdresa* record = nullptr);
bool PickAddressByClassification(const AddressBook& book, Text& text,
                                 tVetaExtAdresa* record = nullptr);
/// As above in order 1-9; another order shows "Třídící údaj číslo N je v číselníku externích
/// adres nereálné, prosím opravte !" and gives false.
bool PickAddressField(const AddressBook& book, Text& text, int order,
                      tVetaExtAdresa* record = nullptr);

/// The picker a partner field of a dialog attaches (`Pripoj` kind 5): the address list in
/// order `index` (5: IČO), the chosen address's field of that order into the field.
ui::CiselnikIndex AddressPicker(const AddressBook& book, int index = 5);

/// The list window from the menu: adding, changing, deleting, filters, transfers.
void ShowAddressList(const AddressBook& book);

}  // namespace axo::codelists
