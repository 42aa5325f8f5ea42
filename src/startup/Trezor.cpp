// The vaults: chunked byte blocks keyed by station, group, item and chunk number.
#include "startup/Trezor.h"

#include <algorithm>
#include <cstring>

#include "startup/InstallationFiles.h"
#include "storage/Errors.h"
#include "storage/WorkFiles.h"
#include "util/Cisla.h"

namespace axo::startup {

namespace fs = std::filesystem;
using storage::_Wait;

namespace {

constexpr int kPrefixWithItem = 13;
constexpr int kPrefixGroupOnly = 8;
constexpr int kOutputSettingsGroup = 20;
constexpr int kOutputSettingsItem = 2;

std::int32_t Address(int group, int item) {
    const auto high = static_cast<std::uint32_t>(static_cast<std::uint16_t>(group));
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint16_t>(item));
    return static_cast<std::int32_t>((high << 16) | low);
}

/// Five places keep the key at its length for the numbers -9999..32767.
bool InKeyRange(int number) {
    return number >= -9999 && number <= 32767;
}

Text Prefix(const tTrezor& vault, int group, int item) {
    const Text full = VaultKey(vault.Station(), group, item, 0);
    return full.substr(0, item == -1 ? kPrefixGroupOnly : kPrefixWithItem);
}

bool IsOpen(const tTrezor* vault) {
    return vault && vault->Opened();
}

void WriteChunks(tTrezor& vault, int group, int item, const void* data, int length) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (int chunk = 0; chunk * kVaultChunk < length; ++chunk) {
        tVetaTrezor record;
        record.CisloStanice = static_cast<std::uint16_t>(vault.Station());
        record.ADRESA = Address(group, item);
        record.PORADI = static_cast<std::uint8_t>(chunk);
        const int offset = chunk * kVaultChunk;
        std::memcpy(record.HODNOTA, bytes + offset, std::min(kVaultChunk, length - offset));
        vault.StoreByKey(&record, &record);
    }
}

void DeleteChunks(tTrezor& vault, int group, int item) {
    const Text prefix = Prefix(vault, group, item);
    for (;;) {
        vault.BtClearKey(1);
        Text key = prefix;
        std::int32_t n = 0;
        if (!vault.BtSearchKey(1, n, key) || !key.StartsWith(prefix))
            break;
        tVetaTrezor record;
        vault.GetRec(n, &record);
        vault.DeleteByKey(&record);
    }
}

/// A vault the engine cannot read as a vault (a file cut to nothing by a full disk, or damaged
/// otherwise) would end the program at its opening. It only keeps what windows and dialogs
/// remember between runs: it is put aside (kept for a look, as name + ".DB.poskozeny") with a
/// warning, and the opening creates it anew, empty. A vault somebody has open is left alone.
void PutDamagedVaultAside(tTrezor& vault) {
    const fs::path dataFile = vault.DataFilePath();
    const TableProbe probe =
        ProbeInstallationTable(dataFile, static_cast<int>(vault.Fields().size()), vault.KeyCount());
    if (probe != TableProbe::Unreadable && probe != TableProbe::Foreign)
        return;
    const std::shared_ptr<storage::Engine> engine = storage::DefaultEngine();
    if (!engine->KeepsFiles())
        return;  // a server's table is no file to put aside
    std::unique_ptr<storage::TableReservation> reservation;
    try {
        reservation = engine->Reserve(dataFile);
    } catch (const storage::EngineError&) {
        return;
    }
    const fs::path aside = dataFile.string() + ".poskozeny";
    storage::DeleteFileQuiet(aside);
    if (!storage::RenameFileSafe(dataFile, aside))
        return;
    for (const fs::path& file : engine->TableFiles(dataFile))
        storage::DeleteFileQuiet(file);
    storage::ShowDataWarning(
        vault.Context(), "UPOZORNĚNÍ :"_t,
        vault.Title() + " ("_t + vault.DataFileName() +
            ") byl poškozen a je založen znovu, prázdný: okna a dialogy začnou s výchozím "
            "nastavením."_t +
            "\r\n"_t + "Poškozený soubor zůstal jako "_t + storage::TextFromPath(aside) + "."_t);
}

}  // namespace

Text VaultFileName(VaultKind kind, const Text& userName) {
    Text name = Text(1, kind == VaultKind::Parameters ? '~' : '&') + userName;
    // A user name is a file name here: a "/" must not lead into another directory.
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    return name.substr(0, 8);
}

Text VaultKey(int station, int group, int item, int chunk) {
    return IntToTextZeros(station % 1000, 3) + IntToTextZeros(static_cast<std::int16_t>(group), 5) +
           IntToTextZeros(static_cast<std::int16_t>(item), 5) + IntToTextZeros(chunk % 100, 2);
}

tTrezor::tTrezor(const storage::DataContext& ctx, VaultKind kind, const Text& userName, int station)
    : tSoubor(ctx), kind_(kind), fileName_(VaultFileName(kind, userName)), station_(station) {}

void tTrezor::Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                       int& recordLength) {
    fileName = fileName_;
    title = kind_ == VaultKind::Parameters ? "Trezor parametrů AXO"_t : "Trezor dokladů AXO"_t;
    keyCount = 1;
    keys[1] = {kVaultKeyLength, false, false};
    recordLength = sizeof(tVetaTrezor);
    AddField("CisloStanice"_t, "Word"_t);
    AddField("ADRESA"_t, "LongInt"_t);
    AddField("PORADI"_t, "Byte"_t);
    for (int n = 1; n <= kVaultChunk; ++n)
        AddField("HODNOTA"_t + IntToTextZeros(n, 3), "Byte"_t);
}

Text tTrezor::MakeKey(int k, const void* buffer) {
    if (k != 1)
        return tSoubor::MakeKey(k, buffer);
    const auto* record = static_cast<const tVetaTrezor*>(buffer);
    const auto address = static_cast<std::uint32_t>(record->ADRESA);
    return VaultKey(record->CisloStanice, static_cast<std::int16_t>(address >> 16),
                    static_cast<std::int16_t>(address & 0xFFFF), record->PORADI);
}

std::unique_ptr<tTrezor> OpenVault(const storage::DataContext& ctx, VaultKind kind,
                                   const Text& userName, int station) {
    auto vault = std::make_unique<tTrezor>(ctx, kind, userName, station);
    const Text programPath = Text::FromBytes(storage::kProgramPathToken);
    if (vault->InitFilePath(programPath, 0, _Wait))
        PutDamagedVaultAside(*vault);
    if (!vault->InitFilePath(programPath, 2, _Wait))
        return nullptr;
    return vault;
}

void CloseVault(std::unique_ptr<tTrezor>& vault) {
    if (vault)
        vault->CloseFile();
    vault.reset();
}

bool StoreBlock(tTrezor* vault, int group, int item, const void* data, int length) {
    if (!IsOpen(vault) || !data || length < 1 || length > kVaultMaxBlock || !InKeyRange(group) ||
        !InKeyRange(item))
        return false;
    vault->BtLockFileBlock(_Wait);
    WriteChunks(*vault, group, item, data, length);
    vault->Unlock();
    return true;
}

bool LoadBlock(tTrezor* vault, int group, int item, void* buffer, int length) {
    if (!IsOpen(vault) || !buffer || length < 1 || !InKeyRange(group) || !InKeyRange(item))
        return false;
    std::int32_t n = 0;
    if (!vault->BtFindKey(1, n, VaultKey(vault->Station(), group, item, 0)))
        return false;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    tVetaTrezor record;
    vault->GetRec(n, &record);
    int done = std::min(length, kVaultChunk);
    std::memcpy(bytes, record.HODNOTA, done);
    const Text prefix = VaultKey(vault->Station(), group, item, 0).substr(0, kPrefixWithItem);
    Text key;
    while (done < length && vault->BtNextKey(1, n, key) && key.StartsWith(prefix)) {
        vault->GetRec(n, &record);
        const int part = std::min(kVaultChunk, length - done);
        std::memcpy(bytes + done, record.HODNOTA, part);
        done += part;
    }
    return true;
}

int CountBlocks(tTrezor* vault, int group, int item) {
    if (!IsOpen(vault) || !InKeyRange(group) || !InKeyRange(item))
        return 0;
    const Text prefix = Prefix(*vault, group, item);
    vault->BtClearKey(1);
    Text key = prefix;
    std::int32_t n = 0;
    if (!vault->BtSearchKey(1, n, key))
        return 0;
    int count = 0;
    while (key.StartsWith(prefix)) {
        if (key.substr(kPrefixWithItem, 2) == "00"_t)
            ++count;
        if (!vault->BtNextKey(1, n, key))
            break;
    }
    return count;
}

void DeleteBlocks(tTrezor* vault, int group, int item) {
    if (!IsOpen(vault) || !InKeyRange(group) || !InKeyRange(item))
        return;
    vault->BtLockFileBlock(_Wait);
    DeleteChunks(*vault, group, item);
    vault->Unlock();
}

bool LoadSettings(tTrezor* parameterVault, int group, int item, void* buffer, int length) {
    if (!buffer || length < 1)
        return false;
    std::memset(buffer, 0, static_cast<std::size_t>(length));
    if (!parameterVault)
        return false;
    const int station = parameterVault->Station();
    const bool shared = group == kOutputSettingsGroup && item == kOutputSettingsItem;
    if (shared)
        parameterVault->SetStation(0);
    const bool found = LoadBlock(parameterVault, group, item, buffer, length);
    parameterVault->SetStation(station);
    if (!found)
        std::memset(buffer, 0, static_cast<std::size_t>(length));
    return found;
}

void SaveSettings(tTrezor* parameterVault, int group, int item, const void* buffer, int length) {
    if (!IsOpen(parameterVault) || !buffer || length < 1 || length > kVaultMaxBlock ||
        !InKeyRange(group) || !InKeyRange(item))
        return;
    // One write lock around both steps: no other instance finds the block half replaced.
    parameterVault->BtLockFileBlock(_Wait);
    DeleteChunks(*parameterVault, group, item);
    WriteChunks(*parameterVault, group, item, buffer, length);
    parameterVault->Unlock();
}

void DeleteSettings(tTrezor* parameterVault, int group, int item) {
    DeleteBlocks(parameterVault, group, item);
}

}  // namespace axo::startup
