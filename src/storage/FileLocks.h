// Locks between processes on a table's lock file: open-file-description locks (F_OFD_SETLK) on
// single bytes of a sidecar file beside the data file. They belong to the open file, not to the
// process's other descriptors, and the kernel drops them when the holder ends, also by SIGKILL.
#pragma once

#include <filesystem>

namespace axo::storage {

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
    /// this object on the slot is converted to the new mode.
    Conflict TryLock(Slot slot, Mode mode);
    /// Releases this object's lock on the slot.
    void Unlock(Slot slot);

  private:
    int fd_ = -1;
    bool readOnly_ = false;
};

}  // namespace axo::storage
