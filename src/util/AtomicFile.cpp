// The all-or-nothing file: a temporary file from mkstemp, renamed over the target on commit (or
// to a name no file has); whole-file reading and writing with POSIX calls, whose errors are plain
// numbers.
#include "util/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace axo {

namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

/// The permissions a new file of the user gets, or those of the file it replaces.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

/// Makes a rename in the directory durable (a power cut must not bring the old file back).
void SyncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

/// Gives the file `from` the name `to` unless a file has it (errno EEXIST then). File systems
/// without the atomic rename of that kind get a hard link and the old name removed.
bool PlaceWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

/// Writes all of `bytes` to an open descriptor; the error number, 0 when all went.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Create(const std::filesystem::path& target) {
    Discard();
    target_ = target;
    error_ = 0;
    buffer_.clear();
    // A dot name beside the target: same file system, so the final rename cannot copy.
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    temporary_ = pattern;
    if (::fchmod(fd_, ModeFor(target)) != 0)
        Fail(errno);
    return error_ == 0;
}

void AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0)
        return;
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize)
        Flush();
}

void AtomicFile::Line(std::string_view line) {
    Write(line);
    Write("\r\n");
}

void AtomicFile::Flush() {
    if (error_ == 0)
        if (const int error = WriteAll(fd_, buffer_); error != 0)
            Fail(error);
    buffer_.clear();
}

bool AtomicFile::Finish() {
    if (fd_ < 0)
        return false;
    Flush();
    if (error_ == 0 && ::fsync(fd_) != 0)
        Fail(errno);
    if (error_ == 0) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            Fail(errno);
    }
    return error_ == 0;
}

bool AtomicFile::Commit() {
    if (fd_ < 0)
        return false;
    if (Finish() && std::rename(temporary_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    if (error_ != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    SyncDirectory(target_.parent_path());
    return true;
}

std::filesystem::path AtomicFile::CommitUnique(
    const std::function<std::filesystem::path(int)>& name, int attempts) {
    if (fd_ < 0 || !Finish()) {
        Discard();
        return {};
    }
    for (int i = 1; i <= attempts; ++i) {
        const std::filesystem::path candidate = target_.parent_path() / name(i).filename();
        if (PlaceWithoutReplacing(temporary_, candidate)) {
            temporary_.clear();
            target_ = candidate;
            SyncDirectory(candidate.parent_path());
            return candidate;
        }
        if (errno != EEXIST) {
            Fail(errno);
            break;
        }
    }
    Fail(EEXIST);
    Discard();
    return {};
}

void AtomicFile::Fail(int error) {
    if (error_ == 0)
        error_ = error;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    buffer_.clear();
}

ReadResult ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
    bytes.clear();
    // Without blocking: opening a pipe nobody writes into would wait for ever.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {errno, false};
    // A directory reads as an error, a device such as /dev/zero without end: only a regular
    // file is an input file.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
        ::close(fd);
        return {error, true};
    }
    char buffer[64 * 1024];
    ReadResult result{0, true};
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            result.error = errno;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return result;
}

int WriteWholeFile(const std::filesystem::path& target, std::string_view bytes) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0)
            return errno;
        const int error = WriteAll(fd, bytes);
        const int closed = ::close(fd) == 0 ? 0 : errno;
        return error != 0 ? error : closed;
    }
    AtomicFile file;
    if (!file.Create(target))
        return file.Error();
    file.Write(bytes);
    return file.Commit() ? 0 : file.Error();
}

}  // namespace axo
