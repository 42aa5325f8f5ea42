// The runs that use a work directory, and the work files no run owns any more. Every run that
// works in the directory holds a lock on a byte of its own in the directory's run file
// "AXO_TEMP.LCK" and keeps there the time it started, by the file system's clock. The locks go
// with the processes, killed ones too, so whoever looks can tell which runs are alive and when
// the oldest of them started: a work file last written before that belongs to no live run.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace axo::storage {

/// The run file of a work directory.
inline constexpr const char* kRunFileName = "AXO_TEMP.LCK";

/// This process's registration as a run of a work directory, held while the object lives.
class WorkRun {
  public:
    /// Registers the run in `directory`. Where no run file can be written or locked (a
    /// directory nobody may write), the run is not registered.
    explicit WorkRun(const std::filesystem::path& directory);
    ~WorkRun();
    WorkRun(const WorkRun&) = delete;
    WorkRun& operator=(const WorkRun&) = delete;

    bool Registered() const { return slot_ >= 0; }
    const std::filesystem::path& Directory() const { return directory_; }
    /// When the run started, by the file system's clock (nanoseconds since the epoch).
    std::int64_t Start() const { return start_; }

  private:
    std::filesystem::path directory_;
    int fd_ = -1;
    int slot_ = -1;
    std::int64_t start_ = 0;
};

/// Whether a file name is one of a work file: a temporary name ("!" + two letters + digits)
/// with any extension or suffix after it ("!WK1234567.DB-journal").
bool IsWorkFileName(const std::string& name);

/// The work files in `directory` whose owner is gone: last written before the oldest live run
/// of the directory started (before `now`, less a moment for clocks that differ, when none
/// runs), and neither they nor any file of their name held by a lock (a table somebody has
/// open). A run that registered and has not yet kept its start time keeps every file.
std::vector<std::filesystem::path> StaleWorkFiles(
    const std::filesystem::path& directory,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

/// Deletes the stale work files of the directory of `own` (a registered run: else nothing is
/// deleted, as a run that cannot be seen could be the owner of any file); returns them.
std::vector<std::filesystem::path> RemoveStaleWorkFiles(const WorkRun& own);

}  // namespace axo::storage
