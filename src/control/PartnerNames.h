// The partner names of the control printouts: the family's external address list ("EXAD" +
// fiscal year in the code-list directory), read by the partner's identification number. Only
// the fields the printouts need are taken from the record; the file kind describes the whole
// record, as the table must be opened with its full structure.
#pragma once

#include <map>
#include <memory>

#include "pap/PapFiles.h"

namespace axo::control {

/// The external address record: 4259 bytes, of which the printouts read the IČO and the first
/// line of the name.
inline constexpr std::size_t kExtAdresaLength = 4259;
inline constexpr std::size_t kExtAdresaIcoOffset = 12;   ///< ICO, Str10
inline constexpr std::size_t kExtAdresaNameOffset = 40;  ///< NAZ_FIRM1, Str30

/// The external address list as a file kind: nine keys (town, name, classification, postal
/// code, IČO, tax number, recipient, vehicle mark, optional key).
class tExtAdresy : public pap::PapTable {
  public:
    tExtAdresy(const storage::DataContext& ctx, const pap::PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// A record buffer with the fields the printouts use.
struct ExtAdresa {
    unsigned char bytes[kExtAdresaLength] = {};

    Text Ico() const { return Field(kExtAdresaIcoOffset, 10); }
    Text Name() const { return Field(kExtAdresaNameOffset, 30); }
    void SetIco(const Text& ico) { SetField(kExtAdresaIcoOffset, 10, ico); }
    void SetName(const Text& name) { SetField(kExtAdresaNameOffset, 30, name); }
    /// A text field of `capacity` characters at `offset` (its length byte first).
    Text Field(std::size_t offset, std::size_t capacity) const;
    void SetField(std::size_t offset, std::size_t capacity, const Text& text);
};

/// Partner names by identification number, each looked up once a run.
class PartnerNames {
  public:
    PartnerNames(const storage::DataContext& ctx, const pap::PapLocation& where);
    /// Opens the list shared; false when it is not there (the names then stay blank).
    bool Open();
    void Close();
    /// The first name line of the address with this IČO; blank when there is none.
    Text Name(const Text& ico);

  private:
    std::unique_ptr<tExtAdresy> file_;
    std::map<Text, Text> names_;
};

}  // namespace axo::control
