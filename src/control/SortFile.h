// The sort file of the control printouts: fixed-length records read back in the order of a key
// at their start, as a keyed work file orders them (the key collation of the tables, records of
// equal keys in the order they were added). Records are sorted in memory in runs of a bounded
// size; a printout larger than one run writes its sorted runs to one temporary file in the work
// directory (prefix "WK") and merges them while it is read, so memory stays the same whatever
// the number of lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/DataContext.h"
#include "util/Text.h"

namespace axo::control {

/// Appends a key part: `text` cut or padded with blanks to `width`, each character replaced by
/// its rank in the key collation (letters of either case and their accented forms share a rank,
/// Č follows C), so that keys built of such parts compare byte by byte as the key indexes of the
/// tables compare them.
void AppendSortKey(std::string& key, const Text& text, std::size_t width);

class SortFile {
  public:
    /// Records of `recordSize` bytes whose first `keyLength` bytes are the key; up to
    /// `runRecords` (at least 2) are sorted in memory at a time.
    SortFile(const storage::DataContext& ctx, std::size_t recordSize, std::size_t keyLength,
             std::size_t runRecords);
    /// Closes and deletes the temporary file.
    ~SortFile();
    SortFile(const SortFile&) = delete;
    SortFile& operator=(const SortFile&) = delete;

    /// Adds a record. False when a full run could not be written to the temporary file (then
    /// Error() tells why and nothing more is taken).
    bool Add(const void* record);
    /// Ends the adding: the next Next gives the first record in key order. False when the last
    /// run could not be written.
    bool Rewind();
    /// The next record in key order; false at the end or after a read error (Error()).
    bool Next(void* record);

    /// Records added.
    std::int64_t Count() const { return count_; }
    /// The system's error number of the first failure of the temporary file; 0 while none.
    int Error() const { return error_; }
    /// The temporary file; empty while every record fits one run in memory.
    const std::filesystem::path& FileName() const { return fileName_; }

  private:
    struct Run {
        std::int64_t offset = 0;  ///< first record's byte offset in the file
        std::size_t count = 0;    ///< records
        std::size_t next = 0;     ///< records read so far
        std::vector<char> buffer;
        std::size_t buffered = 0;  ///< records in the buffer
        std::size_t at = 0;        ///< the current record in the buffer
    };

    void SortRun();
    bool WriteRun();
    bool Fill(Run& run);
    bool Less(std::size_t a, std::size_t b) const;
    const char* Head(std::size_t run) const;

    const storage::DataContext& ctx_;
    std::size_t recordSize_;
    std::size_t keyLength_;
    std::size_t runRecords_;
    std::vector<char> records_;         ///< the run being filled
    std::vector<std::uint32_t> order_;  ///< the run's records in key order
    std::size_t inMemory_ = 0;          ///< records of the run being filled
    std::int64_t count_ = 0;
    std::filesystem::path fileName_;
    int fd_ = -1;
    std::int64_t written_ = 0;
    int error_ = 0;
    std::vector<Run> runs_;
    std::vector<std::size_t> heap_;  ///< runs with records left, smallest head first
    bool reading_ = false;
    bool memoryOnly_ = false;
    std::size_t memoryAt_ = 0;
};

}  // namespace axo::control
