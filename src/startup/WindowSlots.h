// The window-position file "axo_" + computer id + ".INI" in the program directory: the stored
// position of the first main window, how further instances are arranged, and thirty slot flags
// that number the instances running on this computer.
#pragma once

#include <cstdint>
#include <filesystem>

#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::startup {

inline constexpr int kWindowSlotCount = 30;
inline constexpr int kWindowSlotFileSize = 49;
inline constexpr int kWindowSlotStep = 20;

#pragma pack(push, 1)
/// The 49-byte record of the window-position file.
struct tWindowSlots {
    std::uint8_t unused[10] = {};
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::uint8_t arrangement = 0;  ///< 0 up-right ... 7 down, 8 no shift
    std::uint8_t slots[kWindowSlotCount] = {};
};
#pragma pack(pop)
static_assert(sizeof(tWindowSlots) == kWindowSlotFileSize);

/// The file name for a computer: "axo_" + id + ".INI".
Text WindowSlotFileName(const Text& computerId);

/// The position of instance `slot` (1..30) shifted from the stored one by 20 pixels per earlier
/// slot according to the arrangement; false for an arrangement above 8.
bool ArrangedPosition(const tWindowSlots& file, int slot, int& top, int& left);

/// This instance's slot in the window-position file.
class WindowSlots {
  public:
    explicit WindowSlots(std::filesystem::path file) : file_(std::move(file)) {}
    WindowSlots(const WindowSlots&) = delete;
    WindowSlots& operator=(const WindowSlots&) = delete;

    /// Takes the first free slot (marked in the file, under a lock so that instances starting
    /// together get different slots) and gives the window's position. False, with top and left
    /// unchanged, when the file cannot be read, no slot is free or the arrangement is unknown.
    bool WindowSlot(int& top, int& left);
    /// Frees the slot taken (nothing when none was). A failed write is shown as a plain message
    /// "Nepodařilo se uložit nastavení do souboru [...]." when `ui` is given.
    void ReleaseWindowSlot(ui::UiServices* ui);
    /// The slot taken, 0 when none.
    int Slot() const { return slot_; }
    const std::filesystem::path& File() const { return file_; }

  private:
    std::filesystem::path file_;
    int slot_ = 0;
};

}  // namespace axo::startup
