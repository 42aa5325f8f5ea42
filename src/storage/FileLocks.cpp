// Open-file-description byte locks on a table's lock file.
#include "storage/FileLocks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace axo::storage {

struct flock ByteLock(off_t at, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = at;
    lock.l_len = 1;
    lock.l_pid = 0;  // required for OFD locks
    return lock;
}

std::filesystem::path LockFilePath(const std::filesystem::path& dataFile) {
    std::filesystem::path lockFile = dataFile;
    lockFile.replace_extension(".LCK");
    return lockFile;
}

LockFile::LockFile(const std::filesystem::path& path) : path_(path) {
    Open();
}

LockFile::~LockFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void LockFile::Open() {
    readOnly_ = false;
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        readOnly_ = true;
    }
}

bool LockFile::Replaced() const {
    struct stat open {};
    struct stat named {};
    if (::fstat(fd_, &open) != 0)
        return false;
    if (::stat(path_.c_str(), &named) != 0)
        return open.st_nlink == 0 || errno == ENOENT;
    return open.st_dev != named.st_dev || open.st_ino != named.st_ino;
}

LockFile::Conflict LockFile::TryLock(Slot slot, Mode mode) {
    const unsigned bit = 1u << slot;
    for (;;) {
        if (fd_ < 0)
            return Conflict::None;
        // A lock file opened for reading only takes shared locks; an exclusive lock is then
        // granted as shared, which still keeps out every exclusive request of others.
        const short type = mode == Mode::Exclusive && !readOnly_ ? F_WRLCK : F_RDLCK;
        struct flock lock = ByteLock(slot, type);
        int rc;
        while ((rc = ::fcntl(fd_, F_OFD_SETLK, &lock)) != 0 && errno == EINTR) {
        }
        if (rc != 0 && errno != EAGAIN && errno != EACCES)
            return Conflict::None;  // no locking on this file system: nothing to be kept out
        if (rc != 0) {
            struct flock probe = ByteLock(slot, type);
            if (::fcntl(fd_, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_RDLCK)
                return Conflict::Shared;
            return Conflict::Exclusive;
        }
        // The file may have been deleted by its last holder between our open and the lock: a
        // lock on it would keep nobody out. Locks held already prove the file is current.
        if ((held_ & ~bit) != 0 || !Replaced()) {
            held_ |= bit;
            return Conflict::None;
        }
        ::close(fd_);
        held_ = 0;
        Open();
    }
}

void LockFile::Unlock(Slot slot) {
    if (fd_ < 0)
        return;
    struct flock lock = ByteLock(slot, F_UNLCK);
    while (::fcntl(fd_, F_OFD_SETLK, &lock) != 0 && errno == EINTR) {
    }
    held_ &= ~(1u << slot);
}

bool LockedByAnybody(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

bool DeleteLockFileIfFree(const std::filesystem::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    // All of the file, including bytes no slot uses yet.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int rc;
    while ((rc = ::fcntl(fd, F_OFD_SETLK, &whole)) != 0 && errno == EINTR) {
    }
    const bool free = rc == 0;
    if (free)
        ::unlink(lockFile.c_str());
    ::close(fd);
    return free;
}

}  // namespace axo::storage
