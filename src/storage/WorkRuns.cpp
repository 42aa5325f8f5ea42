// The run file of a work directory and the work files of runs that are gone.
#include "storage/WorkRuns.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <limits>
#include <map>
#include <system_error>

#include "storage/FileLocks.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace {

/// Byte i (0..kSlots-1) of the run file is locked by a live run; its start time (nanoseconds
/// since the epoch, eight bytes, least significant first) is kept at kStamps + 8 i.
constexpr int kSlots = 1024;
constexpr off_t kStamps = kSlots;
/// Files written less than this before now are kept all the same: the clock of a station and
/// that of its file server may differ by a moment.
constexpr std::int64_t kClockMarginNs = 2'000'000'000;

std::int64_t Nanoseconds(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t SystemNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

/// The file system's time: the file's modification time after setting it to now.
std::int64_t FileSystemNow(int fd) {
    struct stat st {};
    if (::futimens(fd, nullptr) == 0 && ::fstat(fd, &st) == 0)
        return Nanoseconds(st.st_mtim);
    return SystemNow();
}

void WriteStamp(int fd, int slot, std::int64_t ns) {
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(ns) >> (8 * i));
    (void)!::pwrite(fd, bytes, sizeof bytes, kStamps + 8 * slot);
}

std::int64_t ReadStamp(int fd, int slot) {
    unsigned char bytes[8] = {};
    if (::pread(fd, bytes, sizeof bytes, kStamps + 8 * slot) != sizeof bytes)
        return 0;
    std::uint64_t ns = 0;
    for (int i = 7; i >= 0; --i)
        ns = (ns << 8) | bytes[i];
    return static_cast<std::int64_t>(ns);
}

/// The time before which the work files of the directory belong to no live run: the start of
/// the oldest live run (by the file system's clock, as the files' times), or `now` less a
/// margin for a clock that differs from the file system's; the lowest value when a live run's
/// start is not known.
std::int64_t OwnerlessBefore(const fs::path& directory, std::int64_t now) {
    constexpr std::int64_t kUnknown = std::numeric_limits<std::int64_t>::min();
    std::int64_t oldest = now - kClockMarginNs;
    const int fd = ::open((directory / kRunFileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? oldest : kUnknown;
    for (int slot = 0; slot < kSlots && oldest != kUnknown; ++slot) {
        struct flock probe = ByteLock(slot, F_WRLCK);
        if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) {
            oldest = kUnknown;
        } else if (probe.l_type != F_UNLCK) {
            const std::int64_t start = ReadStamp(fd, slot);
            oldest = start > 0 ? std::min(oldest, start) : kUnknown;
        }
    }
    ::close(fd);
    return oldest;
}

/// The name of the temporary name a work file belongs to: "!" + two letters + digits.
std::string StemOf(const std::string& name) {
    std::size_t end = 3;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])))
        ++end;
    return name.substr(0, end);
}

}  // namespace

WorkRun::WorkRun(const fs::path& directory) : directory_(directory) {
    const fs::path runFile = directory / kRunFileName;
    fd_ = ::open(runFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A run file the user may only read still takes a shared lock: the run is seen, and its
    // start, which it cannot write, stays unknown to the others, who then keep every file.
    const bool readOnly = fd_ < 0;
    if (readOnly)
        fd_ = ::open(runFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    for (int slot = 0; slot < kSlots && slot_ < 0; ++slot) {
        struct flock lock = ByteLock(slot, readOnly ? F_RDLCK : F_WRLCK);
        int rc;
        while ((rc = ::fcntl(fd_, F_OFD_SETLK, &lock)) != 0 && errno == EINTR) {
        }
        if (rc == 0)
            slot_ = slot;
        else if (errno != EAGAIN && errno != EACCES)
            break;  // no locks on this file system: the run cannot be seen by others
    }
    if (slot_ < 0)
        return;
    // The slot stays locked also when its start cannot be written: then the start of a run
    // before it stands there (older) or none (unknown), and either way others keep its files.
    start_ = FileSystemNow(fd_);
    if (!readOnly)
        WriteStamp(fd_, slot_, start_);
}

WorkRun::~WorkRun() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool IsWorkFileName(const std::string& name) {
    if (name.size() < 4 || name[0] != '!' || !std::isalpha(static_cast<unsigned char>(name[1])) ||
        !std::isalpha(static_cast<unsigned char>(name[2])) ||
        !std::isdigit(static_cast<unsigned char>(name[3])))
        return false;
    const std::string stem = StemOf(name);
    return stem.size() == name.size() || name[stem.size()] == '.' || name[stem.size()] == '-';
}

std::vector<fs::path> StaleWorkFiles(const fs::path& directory,
                                     std::chrono::system_clock::time_point now) {
    const std::int64_t before = OwnerlessBefore(
        directory,
        std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count());
    if (before == std::numeric_limits<std::int64_t>::min())
        return {};
    // The files of one temporary name go together: a table with its lock file and journal.
    std::map<std::string, std::vector<fs::path>> names;
    std::map<std::string, bool> keep;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (!IsWorkFileName(name))
            continue;
        const std::string stem = StemOf(name);
        names[stem].push_back(entry.path());
        struct stat st {};
        const bool old = ::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                         Nanoseconds(st.st_mtim) < before;
        if (!old || LockedByAnybody(entry.path()))
            keep[stem] = true;
    }
    std::vector<fs::path> stale;
    for (const auto& [stem, files] : names)
        if (!keep[stem])
            stale.insert(stale.end(), files.begin(), files.end());
    return stale;
}

std::vector<fs::path> RemoveStaleWorkFiles(const WorkRun& own) {
    if (!own.Registered())
        return {};
    std::vector<fs::path> removed;
    for (const fs::path& file : StaleWorkFiles(own.Directory())) {
        if (file.extension() == ".LCK" ? DeleteLockFileIfFree(file) : ::unlink(file.c_str()) == 0)
            removed.push_back(file);
    }
    return removed;
}

}  // namespace axo::storage
