// The forms file "Soubor tiskových formulářů systému AXO": the text print forms of the family
// as records `tVetaFormular` of the keyed table "FORM" + the fiscal year's path code in the
// code-list directory, found by the type number (five digits) and the name (30 characters).
// Reading a form with its text, listing the forms of a type and storing a form.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "storage/Files.h"
#include "util/Text.h"

namespace axo::printforms {

#pragma pack(push, 1)
/// A forms file record (228 bytes). "Obsah" (the form text) and "Kompilace" are memo columns:
/// their slots in the record are kept by the file object.
struct tVetaFormular {
    std::int32_t STATUS = 0;
    StrN<20> Typ;            ///< the type name ("UCROZVRH")
    std::uint16_t Druh = 0;  ///< kind mask; 0 for every variant
    StrN<30> Nazev;
    StrN<80> Popis1;
    StrN<80> Popis2;
    std::uint32_t Obsah = 0;
    std::uint32_t Kompilace = 0;
};
#pragma pack(pop)
static_assert(sizeof(tVetaFormular) == 228);

/// A text print form as the program handles it.
struct StoredForm {
    Text typeName;
    int type = 0;
    std::uint16_t kind = 0;
    Text name;
    Text description1;
    Text description2;
    Text content;  ///< the form text, lines separated by CR LF
    std::int32_t recordNumber = 0;
};

/// The forms file of a fiscal year. Key 1 (35 characters, duplicates allowed): the type number
/// of "Typ" in five digits and "Nazev" as a fixed key text of 30.
class tFileFormular : public storage::tSoubor {
  public:
    /// The file "FORM" + `yearCode` in `directory` (the code-list directory of the year).
    tFileFormular(const storage::DataContext& ctx, const std::filesystem::path& directory,
                  const Text& yearCode);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;

    /// The form text written with the next AddRec or PutRec.
    void SetContent(const Text& content) { content_ = content; }

  protected:
    Text MemoText(std::size_t fieldIndex, const void* record) override;

  private:
    Text directory_;
    Text fileName_;
    Text content_;
};

/// The key of a form: type number in five digits and the name as a key text of 30.
Text FormKey(int type, const Text& name);
/// How form names are compared: trimmed, cut to 30 characters, in national upper case.
Text FormNameKey(const Text& name);

/// The forms of `type` in the order of key 1, without their texts.
std::vector<StoredForm> FormsOfType(tFileFormular& file, int type);
/// Every form of the file in the order of key 1, without their texts.
std::vector<StoredForm> AllForms(tFileFormular& file);
/// The form of `type` whose name (trimmed, national upper case) is `name`, with its text. Of
/// several such forms (names that differ only in case) the one whose name comes first in byte
/// order is taken, so that the choice never depends on the order they were stored in.
std::optional<StoredForm> FindForm(tFileFormular& file, int type, const Text& name);
/// Stores the form under the table's write lock: it replaces the form of the same type and
/// name (as FindForm finds it) or is added. False when the lock could not be taken (the
/// layer has told the user) or the write failed.
bool StoreForm(tFileFormular& file, const StoredForm& form);

}  // namespace axo::printforms
