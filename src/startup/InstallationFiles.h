// The installation tables as file kinds of the keyed-table layer: the program installation
// "AXO" in the program directory, and the data installation "AXO-DATA" and user installation
// "AXO-USER" in each data area's fiscal-year directory. None of them has a key: records are read
// in record-number order.
#pragma once

#include <filesystem>

#include "startup/InstallationRecords.h"
#include "storage/Files.h"

namespace axo::startup {

inline constexpr int kFieldsAXO = 245;
inline constexpr int kFieldsAXO_DATA = 241;
inline constexpr int kFieldsAXO_USER = 28;

/// "AXO" - "PROGRAMOVÝ instalační soubor" (record tVetaAXO). It holds the supervisor's
/// password: no access for other users of the machine.
class tSouborAXO : public storage::tSoubor {
  public:
    using tSoubor::tSoubor;
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    bool Confidential() const override { return true; }
};

/// "AXO-DATA" - "DATOVÝ instalační soubor" (record tVetaAXO_DATA).
class tSouborAXO_DATA : public storage::tSoubor {
  public:
    using tSoubor::tSoubor;
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
};

/// "AXO-USER" - "UŽIVATELSKÝ instalační soubor" (record tVetaAXO_USER). It holds the users'
/// passwords: no access for other users of the machine.
class tSouborAXO_USER : public storage::tSoubor {
  public:
    using tSoubor::tSoubor;
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    bool Confidential() const override { return true; }
};

/// What a look at an installation table before opening it found.
enum class TableProbe {
    Usable,      ///< a table of the expected columns, or one another process holds
    Missing,     ///< no data file
    Unreadable,  ///< the engine cannot read the file (damaged, or not a table at all)
    Foreign,     ///< a table of other columns
};

/// Looks at the data file of a table without changing it: whether it exists, can be read and has
/// the columns of `fieldCount` data fields and `keyCount` keys. Opening a damaged file through
/// the layer would end the program with a fatal report (or rebuild it), while the start-up is to
/// refuse it with its own message and leave the installation as it is.
TableProbe ProbeInstallationTable(const std::filesystem::path& dataFile, int fieldCount,
                                  int keyCount = 0);

/// Reads the first record (in record-number order) of an open table; false when it has none.
bool ReadFirstRecord(storage::tSoubor& file, void* buffer, std::int32_t& recordNumber);

}  // namespace axo::startup
