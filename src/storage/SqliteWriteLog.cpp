// The write log: entry format, appending, reading back and removal.
//
// Entry: payload length (4 bytes), checksum of the payload (4), payload. Payload: operation (1),
// record number, value count, then per value: column, type (1) and the value (an integer, an
// 8-byte double, or a length and the UTF-8 bytes). Integers, lengths and columns are variable
// length (7 bits a byte, signed ones zigzag-coded), so that an entry is hardly longer than the
// row; fixed-width numbers are stored as the machine stores them: the log never leaves it.
#include "storage/SqliteWriteLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace axo::storage::sqlite {

namespace fs = std::filesystem;

namespace {

/// A checksum of the payload, eight bytes at a time (it only has to catch a torn or damaged
/// entry, and runs once for every write under a table lock).
std::uint32_t Checksum(std::string_view bytes) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i)
        h = (h ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ull;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

template <class T>
void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutVarint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void PutSigned(std::string& out, std::int64_t value) {
    PutVarint(out,
              (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
}

/// Reads values from a payload; `ok` turns false when it runs short.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    template <class T>
    T Get() {
        T value{};
        if (at_ + sizeof value > bytes_.size()) {
            ok = false;
            return value;
        }
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::uint64_t Varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const auto b = Get<std::uint8_t>();
            if (!ok)
                return 0;
            value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80))
                return value;
        }
        ok = false;
        return 0;
    }
    std::int64_t Signed() {
        const std::uint64_t v = Varint();
        return static_cast<std::int64_t>((v >> 1) ^ (~(v & 1) + 1));
    }
    std::string Bytes(std::size_t n) {
        if (at_ + n > bytes_.size()) {
            ok = false;
            return {};
        }
        std::string s(bytes_.substr(at_, n));
        at_ += n;
        return s;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }
    bool ok = true;

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool ParsePayload(std::string_view payload, LoggedWrite& write) {
    Reader in(payload);
    write.op = static_cast<LoggedWrite::Op>(in.Get<std::uint8_t>());
    write.recordNumber = in.Signed();
    const std::uint64_t count = in.Varint();
    for (std::uint64_t i = 0; i < count && in.ok; ++i) {
        LoggedWrite::Value v;
        v.column = static_cast<int>(in.Varint());
        v.type = in.Get<std::uint8_t>();
        if (v.type == 1)
            v.integer = in.Signed();
        else if (v.type == 2)
            v.real = in.Get<double>();
        else if (v.type == 3)
            v.text = in.Bytes(in.Varint());
        write.values.push_back(std::move(v));
    }
    return in.ok && in.AtEnd();
}

}  // namespace

void LogEntryBuilder::Start(LoggedWrite::Op op) {
    op_ = op;
    values_.clear();
    count_ = 0;
}

void LogEntryBuilder::Null(int column) {
    PutVarint(values_, static_cast<std::uint64_t>(column));
    values_.push_back(0);
    ++count_;
}

void LogEntryBuilder::Integer(int column, std::int64_t value) {
    PutVarint(values_, static_cast<std::uint64_t>(column));
    values_.push_back(1);
    PutSigned(values_, value);
    ++count_;
}

void LogEntryBuilder::Real(int column, double value) {
    PutVarint(values_, static_cast<std::uint64_t>(column));
    values_.push_back(2);
    Put(values_, value);
    ++count_;
}

void LogEntryBuilder::Utf8(int column, std::string_view text) {
    PutVarint(values_, static_cast<std::uint64_t>(column));
    values_.push_back(3);
    PutVarint(values_, text.size());
    values_.append(text);
    ++count_;
}

const std::string& LogEntryBuilder::Finish(std::int64_t n) {
    std::string head;
    head.push_back(static_cast<char>(op_));
    PutSigned(head, n);
    PutVarint(head, count_);
    entry_.clear();
    Put<std::uint32_t>(entry_, static_cast<std::uint32_t>(head.size() + values_.size()));
    Put(entry_, Checksum(head + values_));
    entry_ += head;
    entry_ += values_;
    return entry_;
}

WriteLog::~WriteLog() {
    if (fd_ >= 0)
        ::close(fd_);
}

void WriteLog::Append(std::string_view entry) {
    if (fd_ < 0) {
        struct stat data {};
        const bool known = ::stat(dataFile_.c_str(), &data) == 0;
        const mode_t mode = known ? data.st_mode & 0666 : 0600;
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, mode);
        // Whoever writes the table may read its log: the data file's permissions, not the
        // writer's umask.
        if (fd_ >= 0 && known)
            (void)::fchmod(fd_, mode);
    }
    int error = fd_ < 0 ? errno : 0;
    std::size_t done = 0;
    while (fd_ >= 0 && done < entry.size()) {
        const ssize_t n = ::write(fd_, entry.data() + done, entry.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (done == entry.size())
        return;
    // The engine has taken the write already: the failure must not read as one that the layer
    // repeats ("Not exact read/write."), or the repeated write meets its own first copy.
    const std::string detail =
        " (" + std::string(std::strerror(error)) + ": the write log cannot be written)";
    if (error == ENOSPC || error == EDQUOT)
        throw EngineError("Disk full." + detail);
    throw EngineError("Write log failure." + detail);
}

void WriteLog::Remove() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    // Not made durable: a log that comes back after a power cut names a committed group.
    ::unlink(path_.c_str());
}

bool WriteLog::Exists() const {
    return ::access(path_.c_str(), F_OK) == 0;
}

std::vector<LoggedWrite> WriteLog::Read() const {
    std::ifstream in(path_, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<LoggedWrite> writes;
    Reader frames(bytes);
    while (!frames.AtEnd()) {
        const auto length = frames.Get<std::uint32_t>();
        const auto checksum = frames.Get<std::uint32_t>();
        const std::string payload = frames.Bytes(length);
        LoggedWrite write;
        // A damaged or cut-off entry ends the log: nothing after it had returned.
        if (!frames.ok || Checksum(payload) != checksum || !ParsePayload(payload, write))
            break;
        writes.push_back(std::move(write));
    }
    return writes;
}

}  // namespace axo::storage::sqlite
