// Open-file-description byte locks on a table's lock file.
#include "storage/FileLocks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace axo::storage {

namespace {

struct flock SlotLock(int slot, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = slot;
    lock.l_len = 1;
    lock.l_pid = 0;  // required for OFD locks
    return lock;
}

}  // namespace

std::filesystem::path LockFilePath(const std::filesystem::path& dataFile) {
    std::filesystem::path lockFile = dataFile;
    lockFile.replace_extension(".LCK");
    return lockFile;
}

LockFile::LockFile(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        readOnly_ = true;
    }
}

LockFile::~LockFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

LockFile::Conflict LockFile::TryLock(Slot slot, Mode mode) {
    if (fd_ < 0)
        return Conflict::None;
    // A lock file opened for reading only takes shared locks; an exclusive lock is then granted
    // as shared, which still keeps out every exclusive request of others.
    const short type = mode == Mode::Exclusive && !readOnly_ ? F_WRLCK : F_RDLCK;
    struct flock lock = SlotLock(slot, type);
    for (;;) {
        if (::fcntl(fd_, F_OFD_SETLK, &lock) == 0)
            return Conflict::None;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EACCES)
            return Conflict::None;  // no locking on this file system: nothing to be kept out
        break;
    }
    struct flock probe = SlotLock(slot, type);
    if (::fcntl(fd_, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_RDLCK)
        return Conflict::Shared;
    return Conflict::Exclusive;
}

void LockFile::Unlock(Slot slot) {
    if (fd_ < 0)
        return;
    struct flock lock = SlotLock(slot, F_UNLCK);
    while (::fcntl(fd_, F_OFD_SETLK, &lock) != 0 && errno == EINTR) {
    }
}

}  // namespace axo::storage
