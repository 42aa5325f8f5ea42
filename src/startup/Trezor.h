// The vaults: per-user keyed tables in the program directory in which windows and dialogs keep
// their settings between runs, as byte blocks addressed by a group and an item number and cut
// into chunks of 100 bytes. The parameter vault is "~" + user, the document vault "&" + user.
#pragma once

#include <cstdint>
#include <memory>

#include "storage/Files.h"

namespace axo::startup {

#pragma pack(push, 1)
/// One chunk of a block (103 fields, 107 bytes).
struct tVetaTrezor {
    std::uint16_t CisloStanice = 0;
    std::int32_t ADRESA = 0;  ///< high 16 bits the group, low 16 bits the item
    std::uint8_t PORADI = 0;  ///< chunk number from 0
    std::uint8_t HODNOTA[100] = {};
};
#pragma pack(pop)
static_assert(sizeof(tVetaTrezor) == 107);

inline constexpr int kVaultChunk = 100;
inline constexpr int kVaultMaxBlock = 10000;
inline constexpr int kVaultKeyLength = 15;

enum class VaultKind { Parameters, Documents };

/// The vault's file name for a user: "~" (parameters) or "&" (documents) + the user name, cut to
/// 8 characters.
Text VaultFileName(VaultKind kind, const Text& userName);

/// The vault file kind. Key 1 (15 characters, unique): station (3 digits) + group (5) + item
/// (5) + chunk (2), zeros in front, a negative number with its minus sign first.
class tTrezor : public storage::tSoubor {
  public:
    /// A vault of `kind` for `userName`; its records carry `station`.
    tTrezor(const storage::DataContext& ctx, VaultKind kind, const Text& userName, int station);
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override;
    Text MakeKey(int k, const void* buffer) override;

    /// The station the records are written and searched with.
    int Station() const { return station_; }
    void SetStation(int station) { station_ = station; }
    VaultKind Kind() const { return kind_; }

  private:
    VaultKind kind_;
    Text fileName_;
    int station_;
};

/// The key of a chunk: station, group, item and chunk number.
Text VaultKey(int station, int group, int item, int chunk);

/// Opens (creating when missing) the vault in the program directory, shared, waiting as long as
/// another process holds it exclusively. None when it cannot be opened.
std::unique_ptr<tTrezor> OpenVault(const storage::DataContext& ctx, VaultKind kind,
                                   const Text& userName, int station);
/// Closes the vault and lets it go.
void CloseVault(std::unique_ptr<tTrezor>& vault);

/// Stores `length` (1..10000) bytes as the block (group, item) of the vault's station: one record
/// per 100 bytes, the last padded with zero bytes, each updated when it exists and appended
/// otherwise, all under the table write lock. False (nothing written) for a vault that is not
/// open or a length outside 1..10000.
bool StoreBlock(tTrezor* vault, int group, int item, const void* data, int length);
/// Reads up to `length` bytes of the block into `buffer`; bytes beyond what is stored are left
/// as they are. False when the block is not there or the vault is not open.
bool LoadBlock(tTrezor* vault, int group, int item, void* buffer, int length);
/// The number of blocks stored under (group, item), or with item -1 in the whole group, for the
/// vault's station; 0 for a vault that is not open.
int CountBlocks(tTrezor* vault, int group, int item);
/// Deletes the block (group, item), or with item -1 every block of the group, of the vault's
/// station, under the table write lock. Nothing for a vault that is not open.
void DeleteBlocks(tTrezor* vault, int group, int item);

/// The settings block (group, item) from the parameter vault: the buffer is zero-filled, then
/// loaded; zero-filled again when nothing was found. Group 20 item 2 (the output settings of the
/// printer set-up) is read under station 0, so that one block serves every station.
bool LoadSettings(tTrezor* parameterVault, int group, int item, void* buffer, int length);
/// Replaces the settings block (group, item) in the parameter vault.
void SaveSettings(tTrezor* parameterVault, int group, int item, const void* buffer, int length);
/// Deletes the settings block (group, item) from the parameter vault.
void DeleteSettings(tTrezor* parameterVault, int group, int item);

}  // namespace axo::startup
