// The two temporary files of a statement run: the work file, in which the document lines are
// accumulated per analytics (and per transaction code, partners and public contract, by
// statement), and the result file, whose rows are the compiled statement - the data interface
// of the printout and of the XML export. Records, keys and the result record's field list.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "pap/PapFiles.h"
#include "pap/Records.h"
#include "storage/RecordStructure.h"

namespace axo::pap {

#pragma pack(push, 1)

/// The accumulator of one work key (154 bytes).
struct tVetaWork {
    Byte Vykaz = 0;
    StrN<10> SA;
    StrN<3> TRANSAKCE;
    StrN<10> P1;
    StrN<10> P2;
    Boolean PARTNER = 0;
    Byte CojePartner = 0;
    Boolean PARTNER2 = 0;
    Byte AKT_PAS = 0;
    Byte AP_N_V = 0;   ///< 2 cost account, 3 revenue account, else 1 or 0 by statement
    double PZ_MD = 0;  ///< before the period (opening state)
    double PZ_Dal = 0;
    double ObratyOdDo_NV_ned_MD = 0;  ///< in the period, main activity
    double ObratyOdDo_NV_ned_Dal = 0;
    double ObratyOdDo_NV_dan_MD = 0;  ///< in the period, economic activity
    double ObratyOdDo_NV_dan_Dal = 0;
    double ObratyOdDo_MD = 0;  ///< in the period, all lines
    double ObratyOdDo_Dal = 0;
    StrN<15> StZakazka;
    StrN<30> Partner_Nazev;
};
static_assert(sizeof(tVetaWork) == 154);

/// An amount column of the result: the amount, its transaction code and its mark.
struct tSloupec {
    double SLOUPEC = 0;
    StrN<3> TRANSAKCE;
    Byte KRIZEK = 0;
};
static_assert(sizeof(tSloupec) == 13);

/// Marks of an amount column.
inline constexpr Byte kKrizekNic = 0;        ///< no amount, code allowed
inline constexpr Byte kKrizekPovolen = 1;    ///< amount added, code allowed for the row
inline constexpr Byte kKrizekNepovolen = 2;  ///< amount added although the code is not allowed
inline constexpr Byte kKrizekSkrtnut = 255;  ///< code not allowed: the cell is crossed out

inline constexpr int kSloupcu = 41;

/// A row of the compiled statement (1123 bytes).
struct tVeta_Zorvi {
    Byte CisloVykazu = 0;
    String NazevVykazu;
    Word OdMesic = 0;
    Word DoMesic = 0;
    Word Rok = 0;
    StrN<10> KDatu;
    Word RADEK = 0;
    Boolean Soucet = 0;
    StrN<10> SA;
    StrN<150> POPIS;
    Boolean P10 = 0;
    Boolean P11 = 0;
    Boolean P24 = 0;
    tSloupec Sloupec[kSloupcu];  ///< SLOUPEC00 ... SLOUPEC40 with TRANSAKCEnn, KRIZEKnn
    tSloupec SloupecMD[2];       ///< SLOUPECMD00, SLOUPECMD01
    tSloupec SloupecDAL[2];      ///< SLOUPECDAL00, SLOUPECDAL01
    Boolean X_BezObratu = 0;
    StrN<10> P1;
    StrN<10> P2;
    StrN<10> FSA;
    StrN<3> FKT;
    StrN<10> FP1;
    StrN<15> StZakazka;
    StrN<30> Partner_Nazev;
};
static_assert(sizeof(tVeta_Zorvi) == 1123);

#pragma pack(pop)

/// Which key a statement's files use: the statement number and, for statement X, the
/// methodology (from 2014 the partners and the public contract join the key).
struct StatementKind {
    int cislo = 0;
    bool od2014 = false;
};

/// The length of the work key of a statement; 0 for a statement without one.
int DelkaKliceWork(StatementKind kind);
/// The work key (`DejKlicWorkFile`): the statement's fields as fixed key texts.
Text DejKlicWorkFile(const tVetaWork& veta, StatementKind kind);
/// The declared length of the result key of a statement; 0 for a statement without one.
int DelkaKliceZorvi(StatementKind kind);
/// The result key of a row.
Text DejKlicZorvi(const tVeta_Zorvi& veta, StatementKind kind);

/// A temporary file of a run, named by its full path without extension.
class tFileVykazu : public PapTable {
  public:
    tFileVykazu(const storage::DataContext& ctx, const std::filesystem::path& stem,
                StatementKind kind);
    StatementKind Kind() const { return kind_; }

  protected:
    StatementKind kind_;
};

/// The work file: one unique key.
class tFileWork : public tFileVykazu {
  public:
    using tFileVykazu::tFileVykazu;
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// The result file: one key (rows may share it; the report reads record-number order).
class tFileZorvi : public tFileVykazu {
  public:
    using tFileVykazu::tFileVykazu;
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// A field of the result record as its description declares it, with its place in the record.
struct ResultField {
    Text name;
    Text typeName;
    storage::FieldLayout layout;
};

/// The result record's fields in declaration order (`CisloVykazu` ... `Partner_Nazev`): the
/// data interface of the report engine, the XML export and the CSV output.
const std::vector<ResultField>& ResultFields();

/// The header fields every row repeats: statement, caption, period and the closing date.
void VyplnHlavicku(tVeta_Zorvi& veta, int cislo, const Text& nazev, int odMesic, int doMesic,
                   int rok);
/// The closing date of a period: last day + "." + month without leading zero + "." + year.
Text KDatu(int doMesic, int rok);
/// Clears the 41 amount columns (amount, code and mark).
void VymazSloupce(tVeta_Zorvi& veta);
/// Clears the four special columns.
void VymazSpecialniSloupce(tVeta_Zorvi& veta);

}  // namespace axo::pap
