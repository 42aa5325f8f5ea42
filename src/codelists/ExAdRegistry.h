// The external address list and its editor as the registry lookups see them: the list read
// whole, the address of a running editor read from its fields and written into them, and the
// list window's register keys.
#pragma once

#include <vector>

#include "codelists/a_Anc_EA.h"
#include "lookups/AddressBook.h"

namespace axo::ui {
class TDialogAXO;
class TPageControlAXO;
}  // namespace axo::ui

namespace axo::codelists {

/// The book's address list read whole in the order of classifications; a list not made yet
/// reads as empty.
class BookAddresses : public lookups::AddressListSource {
  public:
    explicit BookAddresses(const AddressBook& book) : book_(book) {}
    bool ReadAll(std::vector<lookups::AddressEntry>& addresses) override;

  private:
    const AddressBook& book_;
};

/// The pages of the editor an account written from the register shows.
struct EditorPages {
    int bank = 0;          ///< the primary bank connection
    int furtherBanks = 0;  ///< the further connections I-V
};

/// The address of a running editor: read from what its fields show, written into the record
/// its fields are bound to and shown again.
class EditorAddress : public lookups::AddressEditorFields {
  public:
    EditorAddress(ui::TDialogAXO& dialog, ui::TPageControlAXO& pages, EditorPages pageIndex,
                  tVetaExtAdresa& record, Text& notes)
        : d_(dialog), pages_(pages), pageIndex_(pageIndex), r_(record), notes_(notes) {}

    Text Ico() const override;
    Text Dic() const override;
    void SetIco(const Text& ico) override;
    void SetDic(const Text& dic) override;
    std::array<Text, 4> Names() const override;
    void FillFromRegister(const lookups::AresAddress& address) override;
    bool ConnectionEmpty(int connection) const override;
    void ClearPrimaryConnection() override;
    void WriteAccount(int connection, const lookups::VatPayerRecord& account) override;
    Text Notes() const override;
    void SetNotes(const Text& notes) override;

  private:
    ui::TDialogAXO& d_;
    ui::TPageControlAXO& pages_;
    EditorPages pageIndex_;
    tVetaExtAdresa& r_;
    Text& notes_;

    /// What the fields show, into the record and the notes.
    void Take() const;
    /// The record and the notes shown again.
    void Show();
};

/// The list window's register keys (address_code::kRegister, kRegisterWeb, kUnreliablePayers):
/// the unreliable payers the list holds, the register's web page, all unreliable payers with
/// those of the list marked. Nothing when the VAT payer check is not allowed.
void RegisterKey(const AddressBook& book, int code);

}  // namespace axo::codelists
