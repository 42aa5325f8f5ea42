// The sort file: runs sorted in memory, written to one temporary file, merged while read.
#include "control/SortFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <numeric>

#include "storage/SqliteText.h"
#include "storage/WorkFiles.h"

namespace axo::control {

namespace {

/// Bytes of the merge buffer of each run, and of the staging buffer of a run being written.
constexpr std::size_t kRunBufferBytes = 128 * 1024;
constexpr std::size_t kStageBytes = 1024 * 1024;

/// Each Windows-1250 byte's rank in the key collation: the bytes ordered as the key indexes
/// compare them, equal ones sharing a rank. Derived from the collation itself, so the two
/// cannot drift apart.
const std::array<unsigned char, 256>& Ranks() {
    static const std::array<unsigned char, 256> ranks = [] {
        std::array<std::string, 256> utf8;
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            storage::AppendCp1250AsUtf8(utf8[b], std::string_view(&c, 1));
        }
        std::array<int, 256> bytes{};
        std::iota(bytes.begin(), bytes.end(), 0);
        std::stable_sort(bytes.begin(), bytes.end(),
                         [&](int a, int b) { return storage::CompareKeys(utf8[a], utf8[b]) < 0; });
        std::array<unsigned char, 256> r{};
        int rank = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0 && storage::CompareKeys(utf8[bytes[i - 1]], utf8[bytes[i]]) != 0)
                ++rank;
            r[bytes[i]] = static_cast<unsigned char>(rank);
        }
        return r;
    }();
    return ranks;
}

bool WriteAll(int fd, const char* data, std::size_t size, int& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void AppendSortKey(std::string& key, const Text& text, std::size_t width) {
    const std::array<unsigned char, 256>& ranks = Ranks();
    for (std::size_t i = 0; i < width; ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        key.push_back(static_cast<char>(ranks[c]));
    }
}

SortFile::SortFile(const storage::DataContext& ctx, std::size_t recordSize, std::size_t keyLength,
                   std::size_t runRecords)
    : ctx_(ctx),
      recordSize_(recordSize),
      keyLength_(std::min(keyLength, recordSize)),
      runRecords_(std::max<std::size_t>(runRecords, 2)) {}

SortFile::~SortFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!fileName_.empty())
        storage::DeleteFileQuiet(fileName_);
}

bool SortFile::Less(std::size_t a, std::size_t b) const {
    return std::memcmp(&records_[a * recordSize_], &records_[b * recordSize_], keyLength_) < 0;
}

void SortFile::SortRun() {
    order_.resize(inMemory_);
    std::iota(order_.begin(), order_.end(), 0u);
    // Stable: records of equal keys stay in the order they were added.
    std::stable_sort(order_.begin(), order_.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
}

bool SortFile::WriteRun() {
    if (fd_ < 0) {
        fileName_ =
            storage::RandomNotExistKomplName(ctx_, ctx_.WorkDirectoryOrCurrent(), "WK"_t, {});
        fd_ = ::open(fileName_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error_ = errno;
            return false;
        }
    }
    Run run;
    run.offset = written_;
    run.count = inMemory_;
    std::vector<char> stage;
    stage.reserve(std::max(kStageBytes, recordSize_));
    for (std::uint32_t i : order_) {
        const char* record = &records_[i * recordSize_];
        stage.insert(stage.end(), record, record + recordSize_);
        if (stage.size() + recordSize_ > kStageBytes) {
            if (!WriteAll(fd_, stage.data(), stage.size(), error_))
                return false;
            stage.clear();
        }
    }
    if (!stage.empty() && !WriteAll(fd_, stage.data(), stage.size(), error_))
        return false;
    written_ += static_cast<std::int64_t>(inMemory_ * recordSize_);
    runs_.push_back(std::move(run));
    inMemory_ = 0;
    return true;
}

bool SortFile::Add(const void* record) {
    if (error_ != 0 || reading_)
        return false;
    if (records_.empty())
        records_.resize(runRecords_ * recordSize_);
    // A full run goes to disk only when another record comes: a file that fits one run never
    // touches the disk.
    if (inMemory_ == runRecords_) {
        SortRun();
        if (!WriteRun())
            return false;
    }
    std::memcpy(&records_[inMemory_ * recordSize_], record, recordSize_);
    ++inMemory_;
    ++count_;
    return true;
}

bool SortFile::Fill(Run& run) {
    const std::size_t room = std::max<std::size_t>(kRunBufferBytes / recordSize_, 1);
    const std::size_t want = std::min(room, run.count - run.next);
    run.buffer.resize(want * recordSize_);
    std::size_t got = 0;
    const std::size_t bytes = want * recordSize_;
    while (got < bytes) {
        const off_t at =
            static_cast<off_t>(run.offset) + static_cast<off_t>(run.next * recordSize_ + got);
        const ssize_t n = ::pread(fd_, run.buffer.data() + got, bytes - got, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    run.next += want;
    run.buffered = want;
    run.at = 0;
    return true;
}

const char* SortFile::Head(std::size_t run) const {
    const Run& r = runs_[run];
    return &r.buffer[r.at * recordSize_];
}

bool SortFile::Rewind() {
    if (error_ != 0)
        return false;
    reading_ = true;
    if (fd_ < 0) {
        // Everything fits one run: it is read from memory.
        memoryOnly_ = true;
        SortRun();
        memoryAt_ = 0;
        return true;
    }
    if (inMemory_ > 0) {
        SortRun();
        if (!WriteRun())
            return false;
    }
    records_ = {};
    order_ = {};
    heap_.clear();
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (!Fill(runs_[i]))
            return false;
        if (runs_[i].buffered > 0)
            heap_.push_back(i);
    }
    std::make_heap(heap_.begin(), heap_.end(), [this](std::size_t a, std::size_t b) {
        const int c = std::memcmp(Head(a), Head(b), keyLength_);
        return c > 0 || (c == 0 && a > b);
    });
    return true;
}

bool SortFile::Next(void* record) {
    if (!reading_ || error_ != 0)
        return false;
    if (memoryOnly_) {
        if (memoryAt_ >= inMemory_)
            return false;
        std::memcpy(record, &records_[order_[memoryAt_++] * recordSize_], recordSize_);
        return true;
    }
    if (heap_.empty())
        return false;
    // The smallest head; of equal keys the earlier run, which holds the earlier records.
    const auto later = [this](std::size_t a, std::size_t b) {
        const int c = std::memcmp(Head(a), Head(b), keyLength_);
        return c > 0 || (c == 0 && a > b);
    };
    std::pop_heap(heap_.begin(), heap_.end(), later);
    const std::size_t run = heap_.back();
    heap_.pop_back();
    Run& r = runs_[run];
    std::memcpy(record, Head(run), recordSize_);
    ++r.at;
    if (r.at == r.buffered && r.next < r.count && !Fill(r))
        return false;
    if (r.at < r.buffered) {
        heap_.push_back(run);
        std::push_heap(heap_.begin(), heap_.end(), later);
    }
    return true;
}

}  // namespace axo::control
