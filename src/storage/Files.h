// The keyed-table layer: `tSoubor`, the base of every file kind. A file kind describes its
// record and keys (`Describe`, `MakeKey`); the layer opens, creates and waits for the table,
// walks it in key order, reads and writes records, takes table and record locks, and reports
// every unexpected engine failure as a fatal data error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "storage/DataContext.h"
#include "storage/Engine.h"
#include "storage/KeyCursor.h"
#include "storage/RecordStructure.h"
#include "util/Text.h"

namespace axo::storage {

// Wait modes of the open and lock operations (the family's names).
inline constexpr int _Wait = 0;          ///< wait until free, not interruptible
inline constexpr int _NoWait = 1;        ///< one attempt
inline constexpr int _WaitQuestion = 2;  ///< wait, <Esc> gives up

// Status codes of the layer.
inline constexpr int kErrFieldCount = 101;
inline constexpr int kErrCreateTable = 9910;
inline constexpr int kErrCreateIndexes = 9911;
inline constexpr int kErrCloseCreated = 9912;
inline constexpr int kErrIndexMissing = 9920;
inline constexpr int kErrEngine = 9999;
inline constexpr int kErrOpenedElsewhere = 10140;
inline constexpr int kErrKeyNotFound = 10200;
inline constexpr int kErrNoKeyGreaterOrEqual = 10210;
inline constexpr int kErrNoNextRecord = 10250;
inline constexpr int kErrNoPrevRecord = 10260;
inline constexpr int kErrTableLocked = 10330;
inline constexpr int kErrRecordLocked = 10335;
inline constexpr int kErrOpenedExclusively = 10355;

/// How long the wait window stays before the next attempt.
inline constexpr int kWaitWindowMs = 7000;
/// The directory override that stands for the program directory.
inline constexpr const char* kProgramPathToken = "AXO_PROGRAM_PATH";
/// The longest directory text a file object takes. The limit is on the text as an installation
/// stores it, relative to the current directory; a directory the program resolved to an
/// absolute path is taken whole, wherever the installation lies.
inline constexpr std::size_t kMaxDirectoryText = 79;

class tSoubor {
  public:
    /// A file object of the context; nothing is opened until InitFile or InitFilePath.
    explicit tSoubor(const DataContext& ctx, std::shared_ptr<Engine> engine = DefaultEngine());
    /// Closes the table when it is open (record locks released), as CloseFile does.
    virtual ~tSoubor();
    tSoubor(const tSoubor&) = delete;
    tSoubor& operator=(const tSoubor&) = delete;

    // ---- Construction and opening ---------------------------------------------------------

    /// Opens the file in `mode` (0-6) with `wait` (_Wait, _NoWait, _WaitQuestion); returns
    /// and sets the ok flag.
    bool InitFile(int mode, int wait);
    /// As InitFile with a directory override: empty (the file kind's default directory),
    /// "AXO_PROGRAM_PATH" (the program directory) or a directory, which must exist (otherwise
    /// false without a message). A relative directory is taken from the current directory and
    /// cut to kMaxDirectoryText characters; an absolute one is used whole.
    bool InitFilePath(const Text& directory, int mode, int wait);
    /// Describes the file and, unless `mode` is 0, opens it: 1 shared, 2 shared (created when
    /// missing), 3 recreated and shared, 4 exclusive, 5 exclusive (created when missing), 6
    /// recreated and exclusive. False without a report for a missing file in modes 1 and 4
    /// and for a refusal because another user holds the file (10355 shared, 10140
    /// exclusive; modes 3 and 6 need the table to themselves to delete it and give 10140,
    /// leaving it as it was); every other failure is reported as fatal ("OpenFile",
    /// "INIT OpenFile").
    bool BtOpenFileBlock(int mode, int wait);
    /// Releases the record locks and closes the table (fatal "DONE CloseFile" on failure).
    void CloseFile();
    /// Closes the table without releasing record locks and deletes all its files, unless
    /// another user has the table open: then they stay, and the status is 10140.
    void DeleteFile();
    /// Lets the table go as the end of the process would: nothing more is committed, the open
    /// mode and the table locks are released, and the next user finds what a killed process
    /// leaves. The object does no more engine work. Used by the crash mark of a fatal report,
    /// so that it never waits for a table this process itself holds.
    void Abandon() noexcept;

    // ---- Operations of a file kind ----------------------------------------------------------

    /// Fills the description: file name, title, keys, key count, record length, and the fields
    /// through AddField (and the directories through SetDirectories).
    virtual void Describe(Text& fileName, Text& title, KeyTable& keys, int& keyCount,
                          int& recordLength) = 0;
    /// Whether the table holds what other users of the machine must not read (passwords): its
    /// files are created without any access for others, and an existing table loses that
    /// access when it is opened. The base: no.
    virtual bool Confidential() const { return false; }
    /// Key `k` of a record. The base gives an empty key, and for k = -1 the buffer (a
    /// length-prefixed text) as a fixed key text of its own length.
    virtual Text MakeKey(int k, const void* buffer);
    /// Reads record `n` into `buffer` (fatal "GETREC", error code 0, when there is none).
    virtual bool GetRec(std::int32_t n, void* buffer);
    /// Appends the record; `n` gets its record number, the highest in the table + 1.
    virtual bool AddRec(std::int32_t& n, const void* buffer);
    /// Rewrites record `n` and its keys (the lock flag stays).
    virtual bool PutRec(std::int32_t& n, const void* buffer);
    /// Appends the record with the current record number slot.
    virtual bool AddNew(const void* buffer);
    /// Deletes the record that the first key without duplicates built from `buffer` finds.
    virtual void DeleteByKey(const void* buffer);
    /// Rewrites the record the first unique key of `keyBuffer` finds, or appends `dataBuffer`.
    virtual void StoreByKey(const void* keyBuffer, const void* dataBuffer);

    // ---- Key order ------------------------------------------------------------------------

    /// The number of records (fatal "USEDRECS" on failure).
    std::int32_t BtUsedRecs();
    /// The next BtNextKey(k) starts at the first record, BtPrevKey(k) at the last.
    void BtClearKey(int k);
    /// The next record in order k (0 = record numbers): its number and key (padded to the key
    /// length; for k = 0 the number as text). At the end false with 10250, and the order
    /// starts again.
    bool BtNextKey(int k, std::int32_t& n, Text& key);
    /// Reads every record in storage order (not a key order), with only the data fields
    /// named in `fieldNames` converted into `buffer` (its other fields stay as they are), and
    /// calls `visit` with the record number of each; `visit` returning false stops the walk.
    /// False, after the fatal report "SCANFIELDS", when a name is no field or the engine fails;
    /// true otherwise (also when stopped).
    bool BtScanFields(const std::vector<Text>& fieldNames, void* buffer,
                      const std::function<bool(std::int32_t)>& visit);
    /// The mirror of BtNextKey; at the beginning false with 10260.
    bool BtPrevKey(int k, std::int32_t& n, Text& key);
    /// The first record whose key k equals `key`; false with 10200 when there is none.
    bool BtFindKey(int k, std::int32_t& n, const Text& key);
    /// The first record whose key k is greater than or equal to `key` (then `key` is that
    /// record's key); false with 10210 when there is none.
    bool BtSearchKey(int k, std::int32_t& n, Text& key);

    // ---- Records, locks ---------------------------------------------------------------------

    /// Deletes record `n` (fatal "DELETEREC", code 0, when there is none).
    bool DeleteRec(std::int32_t n);
    /// Makes every write durable (fatal "FLUSHFILE" on failure).
    void FlushFile();
    /// Takes the table write lock; another user's lock gives 10330 (waiting by `wait`).
    bool BtLockFileBlock(int wait);
    /// Takes the table read lock; as BtLockFileBlock.
    bool BtReadLockFileBlock(int wait);
    /// Flushes and releases this object's table locks.
    bool Unlock();
    /// Sets the record-lock flag of record `n`; a set flag gives 10335 (_Wait waits,
    /// _NoWait tries once, _WaitQuestion is refused with a message and tries once).
    bool BtLockRec(int wait, std::int32_t n);
    /// Clears the lock flags of the records this object locked.
    bool UnlockAllRecs();
    /// The first key without duplicates whose value from `newBuffer` another record has (for
    /// an update only keys that change); 0 when none. The current record slot is left at it.
    int FindUsedKey(bool insert, const void* oldBuffer, const void* newBuffer);
    /// Finds the record `buffer` stands for, locks it and reads it into `buffer` (n := its
    /// number). False, after a warning or the record-lock explanation, when it cannot.
    bool LockForEdit(std::int32_t& n, void* buffer);
    /// The text of memo column `columnName` of the current record.
    Text ReadMemo(const Text& columnName);

    // ---- State ------------------------------------------------------------------------------

    bool Ok() const { return ok_; }
    int ErrorCode() const { return errorCode_; }
    const Text& ErrorText() const { return errorText_; }
    const Text& FileName() const { return fileName_; }
    const Text& Title() const { return title_; }
    int KeyCount() const { return keyCount_; }
    const KeyTable& Keys() const { return keys_; }
    int RecordLength() const { return recordLength_; }
    int FieldCount() const { return fieldCount_; }
    const FieldList& Fields() const { return fields_; }
    int OpenMode() const { return mode_; }
    bool Opened() const { return opened_; }
    bool WriteLocked() const { return writeLocked_; }
    bool ReadLocked() const { return readLocked_; }
    const std::vector<std::int32_t>& LockedRecords() const { return lockedRecords_; }
    /// The data file: directory + file name + ".DB".
    const std::filesystem::path& DataFilePath() const { return dataPath_; }
    /// The data file as messages and reports name it.
    Text DataFileName() const;
    const DataContext& Context() const { return ctx_; }
    Engine& GetEngine() const { return *engine_; }

    /// The slots callers pass as the current record number and the search key.
    std::int32_t currentRecord = 0;
    Text keyBuffer;

  protected:
    /// Appends a data field to the description (called by Describe).
    void AddField(const Text& name, const Text& typeName);
    /// Sets the data directory and the default directory (called by Describe); relative ones
    /// are cut to kMaxDirectoryText characters, as InitFilePath does.
    void SetDirectories(const Text& dataDirectory, const Text& defaultDirectory);
    /// The text an "ANSISTRING" field of `record` refers to; the base has none (empty).
    virtual Text MemoText(std::size_t fieldIndex, const void* record);

  private:
    friend bool RebuildIndexes(tSoubor& file, bool showProgress);

    // Status
    void ResetStatus();
    void SetStatus(int code, const Text& text);
    void SetEngineFailure(const EngineError& e);
    bool Fatal(const Text& label, const Text& recordNumber = {}, const Text& key = {},
               const Text& indexNumber = {});
    void AnnounceRetry(const Text& problem);
    bool WaitForAccess(const Text& operation, bool interruptible);

    // Opening (FilesOpen.cpp)
    void RunDescribe();
    void ResolvePaths();
    /// A directory text taken from the current directory (an absolute one as it is).
    std::filesystem::path FromCurrentDirectory(const Text& directory) const;
    bool CheckDescription();
    bool BtCreateFileBlock();
    void CreateWithRetries();
    bool OpenWithWaits(bool exclusive, int wait);
    bool EngineOpenAttempt(bool exclusive);
    bool IndexesPresent();
    bool RebuildsItself() const;
    bool CheckColumnCount();
    void DropTable() noexcept;
    /// Holds the table against every other opener (before its files are deleted), waiting by
    /// `wait` as an exclusive open does. Null with 10140, as an exclusive open gives it, when
    /// another user keeps the table open; null with 9999 when the engine fails otherwise.
    std::unique_ptr<TableReservation> ReserveAll(int wait);

    // Records (FilesRecords.cpp)
    bool PositionOn(std::int32_t n);
    bool TableMissing(const Text& label, const Text& recordNumber = {}, const Text& index = {});
    /// BtNextKey (forward) and BtPrevKey: one step along order k.
    bool StepKey(int k, std::int32_t& n, Text& key, bool forward);
    bool ValidOrder(int k) const { return k >= 0 && k <= keyCount_; }
    /// The keys 1..key count of a record, cut to their lengths (index 0 unused).
    std::vector<Text> BuildKeys(const void* buffer);
    RowFiller FillFrom(const void* buffer, const std::vector<Text>& keys);
    Text AddRecErrorText(std::int32_t& n, const void* buffer, const Text& engineText);
    int FirstUniqueKey() const;
    Text PaddedKey(int k, const Text& key) const;

    // Locks (FilesLocks.cpp)
    bool LockTableWithWaits(TableLock lock, int wait);
    bool IdentifyRecord(std::int32_t& n, const void* buffer, Text& key);

    const DataContext& ctx_;
    std::shared_ptr<Engine> engine_;
    std::unique_ptr<EngineTable> table_;
    KeyCursor cursor_;

    Text fileName_;
    Text title_;
    FieldList fields_;
    std::vector<FieldLayout> layout_;
    std::vector<std::int32_t> lockedRecords_;
    KeyTable keys_{};
    int keyCount_ = 0;
    int mode_ = 0;
    Text dataDirectory_;
    Text defaultDirectory_;
    Text directoryOverride_;
    std::filesystem::path dataPath_;
    bool readLocked_ = false;
    bool writeLocked_ = false;
    bool opened_ = false;
    int fieldCount_ = 0;
    int recordLength_ = 0;
    bool itemWarningShown_ = false;
    /// A fatal report is under way: the object does no more engine work, as at the end of the
    /// program.
    bool ended_ = false;

    bool ok_ = true;
    int errorCode_ = 0;
    Text errorText_;
};

/// Creates a file kind and opens it with InitFile; the object's ok flag tells the result.
template <class Kind, class... Args>
std::unique_ptr<Kind> InitFile(const DataContext& ctx, int mode, int wait, Args&&... args) {
    auto file = std::make_unique<Kind>(ctx, std::forward<Args>(args)...);
    file->InitFile(mode, wait);
    return file;
}

/// Creates a file kind and opens it with InitFilePath.
template <class Kind, class... Args>
std::unique_ptr<Kind> InitFilePath(const DataContext& ctx, const Text& directory, int mode,
                                   int wait, Args&&... args) {
    auto file = std::make_unique<Kind>(ctx, std::forward<Args>(args)...);
    file->InitFilePath(directory, mode, wait);
    return file;
}

/// Whether an engine message contains `needle`, compared case-insensitively.
bool EngineTextContains(const Text& message, std::string_view needle);
/// Whether an engine message is one of the transient open and create failures ("No more
/// files.", "Invalid file name.", "Not exact read/write.", "Cannot access directory.",
/// "Table is not indexed." unless `withNotIndexed` is false, "Corrupt").
bool IsTransientOpenFailure(const Text& message, bool withNotIndexed);

}  // namespace axo::storage
