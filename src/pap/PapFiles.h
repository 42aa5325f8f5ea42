// The tables PAP reads, as file kinds of the keyed-table layer: document headers and lines of a
// fiscal year in the accounting data directory; the chart of accounts, the PAP codes and the
// transaction codes in the code-list directory. Each names its file after a four-letter code
// and the fiscal year, describes its record and builds its keys.
#pragma once

#include <filesystem>

#include "pap/Records.h"
#include "storage/Files.h"

namespace axo::pap {

/// Where a fiscal year's tables live and how they are named.
struct PapLocation {
    std::filesystem::path dataDirectory;      ///< accounting data: documents
    std::filesystem::path codeListDirectory;  ///< chart of accounts, PAP codes, transaction codes
    Text yearCode;                            ///< four characters appended to the table codes
    int unitKind = 3;                         ///< kind of accounting unit: the chart's letter
};

/// The letter of the chart of accounts for a kind of accounting unit: 0 "p", 1 "z", 2 "r",
/// 3 "v", 4 "n", 5 "f" ("v" for any other kind).
char ChartLetter(int unitKind);

/// A table of a fiscal year: its directory and its name are given when it is made.
class PapTable : public storage::tSoubor {
  public:
    PapTable(const storage::DataContext& ctx, const std::filesystem::path& directory,
             const Text& fileName);

  protected:
    /// Sets the file name, the directories and the title; the kind adds fields and keys.
    void DescribeCommon(Text& fileName, Text& title, const Text& ownTitle);

  private:
    Text directory_;
    Text fileName_;
};

/// Document lines `UDPO`: key 1 document order, key 2 account order (walked by the
/// statements; its first six characters identify the account), key 3 job order.
class tFileUDPO : public PapTable {
  public:
    tFileUDPO(const storage::DataContext& ctx, const PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// Document headers `UDHL`.
class tFileUDHL : public PapTable {
  public:
    tFileUDHL(const storage::DataContext& ctx, const PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// The chart of accounts "Roz" + kind letter, with its note texts.
class tFileRozvrh : public PapTable {
  public:
    tFileRozvrh(const storage::DataContext& ctx, const PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;

    /// The note text written with the next AddRec or PutRec.
    void SetNotes(const Text& notes) { notes_ = notes; }

  protected:
    Text MemoText(std::size_t fieldIndex, const void* record) override;

  private:
    Text notes_;
};

/// PAP codes for statements `UAPV`: key 1 analytics, key 2 group + row ("10005"), key 3
/// description + analytics.
class tFileUAPV : public PapTable {
  public:
    tFileUAPV(const storage::DataContext& ctx, const PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// Transaction codes `UKod`: key 1 code, key 2 name + code.
class tFileUKod : public PapTable {
  public:
    tFileUKod(const storage::DataContext& ctx, const PapLocation& where);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;
};

/// Key parts: a number with leading zeros to `width`, and a text as a fixed key text.
Text KeyNumber(long long n, int width);
Text KeyText(const Text& text, std::size_t width);

}  // namespace axo::pap
