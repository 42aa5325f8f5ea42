// The write log of a table: while a process holds the table write lock, its writes are grouped
// into one SQLite transaction that is committed with the lock's release (or every few thousand
// writes), and each write is also appended to this log before it returns. A process killed in
// the middle of a group thus leaves every returned write in the log, and whoever next gets the
// table writes them again. Each group has a number that its commit stores in the table file, so
// a log left by a group that did commit (the process was killed just before removing it) is
// thrown away instead.
//
// The log is not synced: it protects against the end of the process, not of the machine. A
// crash of the operating system or a power cut loses the writes of a group not yet committed;
// what is committed (at Unlock, FlushFile, or the group's own limits) is durable.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "storage/SqliteSupport.h"

namespace axo::storage::sqlite {

/// One logged write.
struct LoggedWrite {
    /// Group opens every log: its record number is the group's number, which the group's
    /// commit stores in the table file (PRAGMA user_version), so that a log whose group was
    /// committed after all is recognised and not written again.
    enum class Op : std::uint8_t {
        Group = 'G',
        Insert = 'I',
        Update = 'U',
        Delete = 'D',
        LockFlag = 'L'
    };
    struct Value {
        int column = 0;
        std::uint8_t type = 0;  ///< 0 null, 1 integer, 2 real, 3 text (UTF-8)
        std::int64_t integer = 0;
        double real = 0;
        std::string text;
    };
    Op op = Op::Insert;
    std::int64_t recordNumber = 0;
    std::vector<Value> values;
};

/// Builds the log entry of one write from the values bound to its statement.
class LogEntryBuilder : public BindObserver {
  public:
    void Start(LoggedWrite::Op op);
    void Null(int column) override;
    void Integer(int column, std::int64_t value) override;
    void Real(int column, double value) override;
    void Utf8(int column, std::string_view text) override;
    /// The framed entry (length, checksum, payload) for record number `n`.
    const std::string& Finish(std::int64_t n);

  private:
    std::string values_;
    std::uint64_t count_ = 0;
    LoggedWrite::Op op_ = LoggedWrite::Op::Insert;
    std::string entry_;
};

class WriteLog {
  public:
    /// The log of the table in `dataFile`; a new log gets the permissions of the data file, as
    /// the engine's journal does (it holds the same rows).
    WriteLog(std::filesystem::path path, std::filesystem::path dataFile)
        : path_(std::move(path)), dataFile_(std::move(dataFile)) {}
    ~WriteLog();
    WriteLog(const WriteLog&) = delete;
    WriteLog& operator=(const WriteLog&) = delete;

    /// Appends an entry; it is in the operating system's hands when this returns. Throws
    /// "Disk full." when the disk has no room for it, another message when it cannot be
    /// written otherwise; never one the layer repeats the write for.
    void Append(std::string_view entry);
    /// Removes the log (its group is committed, or it was written again).
    void Remove();
    /// Whether a log file is there (of this process or of one that died).
    bool Exists() const;
    /// The entries of the log file up to the first damaged or incomplete one.
    std::vector<LoggedWrite> Read() const;

  private:
    std::filesystem::path path_;
    std::filesystem::path dataFile_;
    int fd_ = -1;
};

}  // namespace axo::storage::sqlite
