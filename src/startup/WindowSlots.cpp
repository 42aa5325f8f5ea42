// The window-position file and this instance's slot in it.
#include "startup/WindowSlots.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "storage/WorkFiles.h"

namespace axo::startup {

namespace {

/// The file, opened for reading and writing and locked against the other instances for as long
/// as this object lives (an open-file-description lock goes with the descriptor, also when the
/// process dies).
class LockedFile {
  public:
    explicit LockedFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {
        if (fd_ < 0)
            return;
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        while (::fcntl(fd_, F_OFD_SETLKW, &lock) < 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~LockedFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool Read(tWindowSlots& record) const {
        return fd_ >= 0 &&
               ::pread(fd_, &record, sizeof record, 0) == static_cast<ssize_t>(sizeof record);
    }
    bool Write(const tWindowSlots& record) const {
        return fd_ >= 0 &&
               ::pwrite(fd_, &record, sizeof record, 0) == static_cast<ssize_t>(sizeof record) &&
               ::fdatasync(fd_) == 0;
    }

  private:
    int fd_;
};

}  // namespace

Text WindowSlotFileName(const Text& computerId) {
    return "axo_"_t + computerId + ".INI"_t;
}

bool ArrangedPosition(const tWindowSlots& file, int slot, int& top, int& left) {
    const int d = kWindowSlotStep * (slot - 1);
    static constexpr int kShift[9][2] = {{-1, 1}, {1, 1},  {1, -1}, {-1, -1}, {0, 1},
                                         {0, -1}, {-1, 0}, {1, 0},  {0, 0}};
    if (file.arrangement > 8)
        return false;
    top = file.top + kShift[file.arrangement][0] * d;
    left = file.left + kShift[file.arrangement][1] * d;
    return true;
}

bool WindowSlots::WindowSlot(int& top, int& left) {
    LockedFile file(file_);
    tWindowSlots record;
    if (slot_ != 0 || !file.Read(record))
        return false;
    int free = 0;
    for (int i = 1; i <= kWindowSlotCount && free == 0; ++i)
        if (record.slots[i - 1] == 0)
            free = i;
    if (free == 0)
        return false;
    record.slots[free - 1] = 1;
    if (!file.Write(record))
        return false;
    slot_ = free;
    return ArrangedPosition(record, slot_, top, left);
}

void WindowSlots::ReleaseWindowSlot(ui::UiServices* ui) {
    if (slot_ == 0)
        return;
    const int slot = slot_;
    slot_ = 0;
    LockedFile file(file_);
    tWindowSlots record;
    bool written = file.Read(record);
    if (written) {
        record.slots[slot - 1] = 0;
        written = file.Write(record);
    }
    if (!written && ui) {
        ui->ShowMessage(ui::MessageKind::Plain, "Nepodařilo se uložit nastavení do souboru ["_t +
                                                    storage::TextFromPath(file_) + "]."_t);
    }
}

}  // namespace axo::startup
