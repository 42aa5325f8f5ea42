// The external address list "EXAD" + fiscal year: the family's shared list of business partners
// in the code-list directory. The record `tVetaExtAdresa` byte for byte as the table stores it,
// the table `tExtAdresy` with its nine keys and the notes memo read with every record, and the
// rules on classifications (the list's own codes): the next free one and the exact search.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "storage/Files.h"
#include "util/Text.h"

namespace axo::codelists {

using Byte = std::uint8_t;
using Word = std::uint16_t;
using LongInt = std::int32_t;
using Boolean = std::uint8_t;
using DicStr = StrN<15>;

#pragma pack(push, 1)

/// One discount entry of the stock module: a percentage, a goods category and a price kind.
struct SlevaEA {
    double PROCENTO = 0;
    StrN<3> KTG;
    Byte PC = 0;
};

/// One e-mail contact: a name and an address.
struct EMailEA {
    StrN<30> KOMU;
    StrN<50> ADRESA;
};

/// One further bank connection: a packed text of account data and one of bank data.
struct BankSpojeniEA {
    StrN<152> BANK_SPOJENI;
    StrN<140> ADRESA_BANKY;
};

/// External address `tVetaExtAdresa` (4259 bytes).
struct tVetaExtAdresa {
    StrN<10> MATCH_CODE;  ///< classification, unique (key 3)
    Byte PLATNOST = 0;    ///< 0 valid, 1 invalid
    StrN<10> ICO;
    DicStr DIC_FIRM;
    Byte OSOBA = 0;  ///< 0 natural person, 1 legal person
    StrN<30> NAZ_FIRM1, NAZ_FIRM2, NAZ_FIRM3;
    StrN<30> ADR_FIRM;
    StrN<25> MESTO_FIRM;
    StrN<10> PSC_FIRM;
    StrN<18> BS;  ///< bank account number
    StrN<50> NAZ_UST;
    StrN<10> SPEC_SYM;
    Word ZVL_DISP = 0;  ///< bank code
    StrN<20> TELEF, FAX, TELEX;
    StrN<30> PRIJEM1, PRIJEM2, PRIJEM3;
    StrN<20> KON_PRIJM1, KON_PRIJM2;
    StrN<35> POZN[14];
    Word Splatnost = 0;
    Byte TypPC = 0;
    StrN<8> Region;
    StrN<30> Stat;
    EMailEA EMail[5];
    StrN<50> WWW;
    LongInt RizeniEditace = 0;
    std::uint32_t NOTES = 0;  ///< the slot of the notes text, kept by the table object
    StrN<30> LIKVIDACE_ODPADU;
    StrN<20> LICENCE;
    Byte POVAHA = 0;  ///< 0 not set, 1 customer, 2 supplier, 3 other
    StrN<42> IBAN;
    StrN<30> SWIFT;
    Byte FORM_UHR = 0;
    StrN<2> STAT_ZKRATKA;
    StrN<2> KRAJ;
    SlevaEA SLEVY[21];
    Boolean EX_LINE_SLEVA = 0;
    StrN<4> DEALER;
    StrN<3> MENA;
    Byte TYP = 0;  ///< 0 ordinary, 1 master
    StrN<10> POSL_ZMENA;
    StrN<30> NAZ_FIRM4;
    StrN<30> PRIJEM4;
    StrN<20> KON_PRIJM3;
    StrN<30> OBALKA_Firma[4];
    StrN<30> OBALKA_Ulice, OBALKA_Mesto;
    StrN<10> OBALKA_PSC;
    StrN<30> OBALKA_Stat;
    Boolean OKAMZITA_SPLATNOST = 0;
    Byte FORMA_UHRADY = 0;
    StrN<35> ADRESA_BANKY[4];
    StrN<10> SPZvozu;
    StrN<20> SIPO;
    DicStr SKUP_DIC_FIRM;
    StrN<18> HOSP_SMLOUVA;
    LongInt STREDISKO_EA = 0;
    StrN<255> FILLER;
    BankSpojeniEA BANK[5];
    StrN<3> MENA_DODAVATEL;
    Word SPLATNOST_LFD = 0;
    Boolean OKAMZITA_SPLATNOST_LFD = 0;
    StrN<70> EPAR;
};

#pragma pack(pop)
static_assert(sizeof(tVetaExtAdresa) == 4259);

/// `RizeniEditace` of a record handed to a picker as the template of a new address.
inline constexpr LongInt kTemplateMark = 2147483647;
/// The longest classification.
inline constexpr std::size_t kClassificationLength = 10;

/// The table `tExtAdresy`: "EXAD" + the fiscal-year text in `directory`, nine keys (1 town,
/// 2 name, 3 classification (unique), 4 postcode, 5 IČO, 6 DIČ, 7 recipient lines, 8 vehicle
/// mark + classification, 9 optional key + classification). The notes memo column "NOTES" is
/// read after every GetRec and written from SetNotes by AddRec and PutRec.
class tExtAdresy : public storage::tSoubor {
  public:
    tExtAdresy(const storage::DataContext& ctx, const std::filesystem::path& directory,
               const Text& yearCode);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
    /// Reads the record and then its notes (Notes()).
    bool GetRec(std::int32_t n, void* buffer) override;

    /// The notes of the record read last.
    const Text& Notes() const { return notes_; }
    /// The notes written with the next AddRec or PutRec.
    void SetNotes(const Text& notes) { notes_ = notes; }
    /// The table's directory as given.
    const std::filesystem::path& Directory() const { return directory_; }

  protected:
    Text MemoText(std::size_t fieldIndex, const void* record) override;

  private:
    std::filesystem::path directory_;
    Text directoryText_;
    Text yearCode_;
    Text notes_;
};

/// The fields of the record in the order the table describes them (names and type names).
const storage::FieldList& ExtAdresaFields();

/// The field of order `k` (1-9) as the pickers return it: 1 town, 2 name, 3 classification,
/// 4 postcode, 5 IČO, 6 DIČ, 7 recipient line 1, 8 vehicle mark, 9 optional key.
Text OrderField(const tVetaExtAdresa& r, int k);

/// The next free classification of the open table: one past the highest classification that is
/// a number (up to 10 digits, 64-bit), as wide as the widest such classification (at least its
/// digits), stepped past classifications already taken. An empty table gives "0000000001".
/// None when no numeric classification fits into 10 characters any more.
std::optional<Text> NextFreeClassification(storage::tSoubor& table);

/// The next free classifications of a table, one after another: the table's classifications
/// are walked once, each Next() then steps past those taken (the caller adds the one it got
/// before asking again).
class ClassificationCounter {
  public:
    explicit ClassificationCounter(storage::tSoubor& table);
    /// As NextFreeClassification; the number given counts as taken for the next call.
    std::optional<Text> Next();

  private:
    storage::tSoubor& table_;
    unsigned long long highest_ = 0;
    std::size_t width_ = 0;
};

/// Finds the address with exactly this classification (key 3) and reads it into `record`
/// (notes into the table's Notes()). False for an empty classification or none found.
bool FindAddressByClassification(const Text& classification, tExtAdresy& table,
                                 tVetaExtAdresa& record, std::int32_t* n = nullptr);

/// The name of the partner of an IČO as the list has it (key 5): the first name line of the
/// first address of that IČO, trimmed; empty when the list has none. For the printouts that
/// name partners known by their IČO.
Text PartnerName(tExtAdresy& table, const Text& ico);

}  // namespace axo::codelists
