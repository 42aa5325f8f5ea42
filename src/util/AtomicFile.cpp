// The all-or-nothing file: a temporary file from mkstemp, renamed over the target on commit;
// and whole-file reading with POSIX calls, whose errors are plain numbers.
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
    std::size_t done = 0;
    while (done < buffer_.size() && error_ == 0) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail(n < 0 ? errno : EIO);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

bool AtomicFile::Commit() {
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
    if (error_ == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    if (error_ != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    SyncDirectory(target_.parent_path());
    return true;
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

}  // namespace axo
