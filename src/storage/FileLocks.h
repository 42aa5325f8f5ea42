// Locks between processes on a table's lock file: open-file-description locks (F_OFD_SETLK) on
// single bytes of a sidecar file beside the data file. They belong to the open file, not to the
// process's other descriptors, and the kernel drops them when the holder ends, also by SIGKILL.
// A lock file is deleted only by whoever holds all of it; whoever locks it checks afterwards that
// the file is still the one of that name, so nobody keeps a lock on a deleted lock file.
#pragma once

#include <fcntl.h>

#include <filesystem>

namespace axo::storage {

/// The description of an open-file-description lock of `type` (F_RDLCK, F_WRLCK, F_UNLCK) on
/// the byte at `at`.
struct flock ByteLock(off_t at, short type);

/// The lock file of a data file: the data file's name with the extension ".LCK".
std::filesystem::path LockFilePath(const std::filesystem::path& dataFile);

/// One open description of a lock file and the byte locks it holds.
class LockFile {
  public:
    /// Bytes of the lock file that stand for the table's states.
    enum Slot { kOpenSlot = 0, kTableLockSlot = 1 };
    enum class Mode { Shared, Exclusive };
    /// What stands in the way of a lock.
    enum class Conflict { None, Shared, Exclusive };

    /// Opens the lock file, creating it when missing. When it can be neither created nor
    /// opened (a directory nobody may write), every lock is granted: nobody can change the
    /// table there anyway.
    explicit LockFile(const std::filesystem::path& path);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    /// One attempt to lock the slot; returns what stood in the way (None = locked). A lock of
    /// this object on the slot is converted to the new mode. The first lock of the object is
    /// taken on the file that has the name when it is granted (the file is opened again when it
    /// was deleted or replaced meanwhile).
    Conflict TryLock(Slot slot, Mode mode);
    /// Releases this object's lock on the slot.
    void Unlock(Slot slot);

  private:
    void Open();
    /// Whether the open file is no longer the one of that name.
    bool Replaced() const;

    std::filesystem::path path_;
    int fd_ = -1;
    bool readOnly_ = false;
    unsigned held_ = 0;  ///< the slots this object holds, one bit each
};

/// Whether anybody holds a lock on any byte of the file (a lock file: whether anybody has the
/// table open); false for a file that cannot be opened.
bool LockedByAnybody(const std::filesystem::path& file);

/// Deletes a lock file when nobody holds any lock on it (errors ignored); a lock file somebody
/// holds stays. True when it is gone.
bool DeleteLockFileIfFree(const std::filesystem::path& lockFile);

}  // namespace axo::storage
