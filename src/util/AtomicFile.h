// A file written whole or not at all: the bytes go to a temporary file beside the target, which
// replaces the target only when everything was written and synced. A failure at any point
// leaves the previous file (or none) and no temporary file behind. And the reading of an input
// file whole, telling an open failure from a read failure, and the writing of a whole file.
#pragma once

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace axo {

class AtomicFile {
  public:
    AtomicFile() = default;
    /// Discards a file that was not committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Creates the temporary file in the target's directory. False (with the system's error
    /// number in Error()) when it cannot be created; the target is not touched.
    bool Create(const std::filesystem::path& target);
    /// Appends bytes. After the first failure the file is spoilt: further writes do nothing and
    /// Commit fails.
    void Write(std::string_view bytes);
    /// Appends a line and its CR LF.
    void Line(std::string_view line);
    /// Writes out, syncs and puts the file in place of the target. False (temporary file
    /// removed, target untouched, Error() set) when any write failed or this step fails.
    bool Commit();
    /// Removes the temporary file; the target stays as it was.
    void Discard();
    /// As Commit, but never replaces a file: the file takes the first of the names `name(1)`,
    /// `name(2)`, ... `name(attempts)` that no file has (in the directory of the target given to
    /// Create). The name taken; empty (temporary file removed, Error() set: EEXIST when every
    /// name was taken) on failure.
    std::filesystem::path CommitUnique(const std::function<std::filesystem::path(int)>& name,
                                       int attempts = 1000);

    /// The system's error number of the first failure; 0 while none happened.
    int Error() const { return error_; }
    const std::filesystem::path& Target() const { return target_; }

  private:
    void Flush();
    /// Writes out, syncs and closes the temporary file; false (Error() set) on failure.
    bool Finish();
    void Fail(int error);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    int error_ = 0;
    std::string buffer_;
};

/// What reading an input file gave.
struct ReadResult {
    int error = 0;        ///< the system's error number; 0 when the file was read whole
    bool opened = false;  ///< the failure came while reading, after the file was opened
};
/// The error number of a path that names something other than a regular file or a directory
/// (a device, a pipe, a socket).
inline constexpr int kNotRegularFile = EINVAL;
/// Reads a whole file into `bytes`. Only a regular file is read: a directory fails with EISDIR
/// and anything else (a device such as /dev/zero, a pipe) with kNotRegularFile, both as
/// failures after the opening (as reading a directory always failed), so that neither ends the
/// program nor reads without end.
ReadResult ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

/// Writes `bytes` as the whole content of `target`: through an AtomicFile beside it, or straight
/// into it when it is an existing device or pipe (/dev/stdout), which a rename would replace.
/// The system's error number of the failure; 0 when everything was written. A directory gives
/// EISDIR.
int WriteWholeFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace axo
