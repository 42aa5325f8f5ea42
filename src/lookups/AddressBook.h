// What the registry lookups need of the external address list and of its editor, as two small
// interfaces: the list read as a whole (the whole-list check and the lists of unreliable
// payers), and the fields of the address being edited (the editor's ARES and VAT payer
// buttons). The address list implements them over its table and its editor's record.
#pragma once

#include <array>
#include <vector>

#include "lookups/AresAnswer.h"
#include "lookups/VatPayerAnswer.h"
#include "util/Text.h"

namespace axo::lookups {

/// One address as the lookups see it.
struct AddressEntry {
    Text classification;  ///< MATCH_CODE
    Text name;            ///< NAZ_FIRM1
    Text ico;             ///< ICO
    Text dic;             ///< DIC_FIRM, with its country prefix, as stored
};

/// The external address list, read as a whole.
class AddressListSource {
  public:
    virtual ~AddressListSource() = default;
    /// Every address of the list in its order; false (after the storage layer's message) when
    /// the list could not be read.
    virtual bool ReadAll(std::vector<AddressEntry>& addresses) = 0;
};

/// The bank connections of an address: the primary one and the further ones I to V.
inline constexpr int kPrimaryConnection = 0;
inline constexpr int kFurtherConnections = 5;

/// The address being edited, as the editor's register buttons read and write it.
class AddressEditorFields {
  public:
    virtual ~AddressEditorFields() = default;
    virtual Text Ico() const = 0;
    virtual Text Dic() const = 0;
    virtual void SetIco(const Text& ico) = 0;
    virtual void SetDic(const Text& dic) = 0;
    /// The four name lines.
    virtual std::array<Text, 4> Names() const = 0;
    /// Fills the DIČ, the four name lines and the address fields (street, town, postcode,
    /// state code and name) from the register.
    virtual void FillFromRegister(const AresAddress& address) = 0;
    /// Whether bank connection `connection` (0 primary, 1-5 the further ones) has no account.
    virtual bool ConnectionEmpty(int connection) const = 0;
    /// Clears the primary connection: bank name, account number, bank code, specific symbol,
    /// IBAN, SWIFT and the bank address lines.
    virtual void ClearPrimaryConnection() = 0;
    /// Writes the account (prefix, number, bank code) into the connection, with the bank's name
    /// and address from the bank code list, and shows that connection's page.
    virtual void WriteAccount(int connection, const VatPayerRecord& account) = 0;
    virtual Text Notes() const = 0;
    virtual void SetNotes(const Text& notes) = 0;
};

}  // namespace axo::lookups
