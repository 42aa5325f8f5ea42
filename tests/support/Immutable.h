// A file or directory made immutable for a test: nothing can be written, created, renamed or
// removed in it, by root either (unlike taking permissions away). The flag is cleared again when
// the object goes. Not every file system has it: tests skip when Made() is false.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace axo::test {

class Immutable {
  public:
    explicit Immutable(const std::filesystem::path& path) {
        fd_ = ::open(path.c_str(), O_RDONLY);
        made_ = fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags_) == 0 &&
                (flags_ |= FS_IMMUTABLE_FL, ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_) == 0);
    }
    ~Immutable() {
        if (made_) {
            flags_ &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;

    /// Whether the flag could be set.
    bool Made() const { return made_; }

  private:
    int fd_ = -1;
    int flags_ = 0;
    bool made_ = false;
};

}  // namespace axo::test
