// Key positions and the read-ahead batches.
#include "storage/KeyCursor.h"

#include <algorithm>
#include <cstring>

#include "util/Cisla.h"

namespace axo::storage {

namespace {

/// The first batch after a positioning is small (a search is often followed by a few steps);
/// each further batch of the same walk is twice as large, up to kLargestBatch.
constexpr int kFirstBatch = 32;
constexpr int kLargestBatch = 512;
/// A key as stored, whatever its length: a length byte and up to 255 characters. The walk goes
/// on from the stored key, so that a stored key longer than the key length (written by another
/// program) is neither repeated nor skipped.
constexpr int kKeySlot = 256;

}  // namespace

void KeyCursor::Configure(const KeyTable& keys, int keyCount,
                          const std::vector<FieldLayout>& layout, int recordLength) {
    keys_ = keys;
    keyCount_ = keyCount;
    layout_ = layout;
    recordLength_ = recordLength;
    keyOffset_.assign(static_cast<std::size_t>(keyCount) + 1, 0);
    keyStride_ = 0;
    for (int k = 1; k <= keyCount; ++k) {
        keyOffset_[k] = keyStride_;
        keyStride_ += kKeySlot;
    }
    copyRanges_.clear();
    for (const FieldLayout& f : layout) {
        if (f.type == FieldType::AnsiString)
            continue;
        if (!copyRanges_.empty() &&
            copyRanges_.back().first + copyRanges_.back().second == f.offset)
            copyRanges_.back().second += f.size;
        else
            copyRanges_.emplace_back(f.offset, f.size);
    }
    Reset();
}

void KeyCursor::Reset() {
    Invalidate();
    current_ = Current{};
}

void KeyCursor::Invalidate() {
    batch_.order = -1;
    batch_.count = 0;
    batch_.requested = 0;
    batchIndex_ = -1;
}

bool KeyCursor::Next(EngineTable& table, int order, bool fromStart) {
    return Step(table, order, ScanDirection::Forward, fromStart);
}

bool KeyCursor::Prev(EngineTable& table, int order, bool fromEnd) {
    return Step(table, order, ScanDirection::Backward, fromEnd);
}

bool KeyCursor::Step(EngineTable& table, int order, ScanDirection direction, bool fromEdge) {
    fromEdge = fromEdge || !current_.valid;
    int limit = kFirstBatch;
    if (!fromEdge && batchIndex_ >= 0 && batch_.order == order && batch_.direction == direction) {
        const bool young = Young();
        if (batchIndex_ + 1 < batch_.count && young) {
            Select(batchIndex_ + 1);
            return true;
        }
        // A walk slow enough to outlive its batch reads small ones.
        if (young)
            limit = std::clamp(batch_.requested * 2, kFirstBatch, kLargestBatch);
    }
    const OrderPosition from = fromEdge ? OrderPosition{} : PositionIn(order);
    Load(order, direction, limit, [&](const RowVisitor& visit) {
        return table.Scan(order, direction, fromEdge ? nullptr : &from, limit, visit);
    });
    if (batch_.count == 0)
        return false;
    Select(0);
    return true;
}

bool KeyCursor::Seek(EngineTable& table, int order, const Text& key, bool exact) {
    Load(order, ScanDirection::Forward, kFirstBatch, [&](const RowVisitor& visit) {
        return table.Seek(order, key, exact, kFirstBatch, visit);
    });
    if (batch_.count == 0)
        return false;
    Select(0);
    return true;
}

bool KeyCursor::Locate(EngineTable& table, std::int32_t n) {
    Load(0, ScanDirection::Forward, 1,
         [&](const RowVisitor& visit) { return table.FindRecord(n, visit) ? 1 : 0; });
    if (batch_.count == 0)
        return false;
    Select(0);
    return true;
}

void KeyCursor::SetWritten(std::int32_t n, const std::vector<Text>& keys) {
    Invalidate();
    current_.valid = true;
    current_.recordNumber = n;
    current_.keys.assign(static_cast<std::size_t>(keyStride_), '\0');
    for (int k = 1; k <= keyCount_ && static_cast<std::size_t>(k) < keys.size(); ++k) {
        // The layer stores keys cut to the key length.
        const std::size_t length = std::min<std::size_t>(keys[k].size(), keys_[k].length);
        char* slot = current_.keys.data() + keyOffset_[k];
        slot[0] = static_cast<char>(length);
        std::memcpy(slot + 1, keys[k].data(), length);
    }
}

Text KeyCursor::CurrentKey(int order) const {
    if (order <= 0 || order > keyCount_)
        return IntToText(current_.recordNumber);
    Text key = StoredKey(order);
    key.resize(keys_[order].length, ' ');
    return key;
}

Text KeyCursor::StoredKey(int order) const {
    if (!current_.valid || order <= 0 || order > keyCount_)
        return {};
    const char* slot = current_.keys.data() + keyOffset_[order];
    return Text::FromBytes(std::string_view(slot + 1, static_cast<unsigned char>(slot[0])));
}

void KeyCursor::CopyImage(void* record) const {
    if (batchIndex_ < 0)
        return;
    const std::byte* image =
        batch_.images.data() + static_cast<std::size_t>(batchIndex_) * recordLength_;
    for (const auto& [offset, size] : copyRanges_)
        std::memcpy(static_cast<std::byte*>(record) + offset, image + offset,
                    static_cast<std::size_t>(size));
}

bool KeyCursor::Young() const {
    return std::chrono::steady_clock::now() - batch_.read < std::chrono::milliseconds(kBatchLifeMs);
}

void KeyCursor::Load(int order, ScanDirection direction, int limit,
                     const std::function<int(const RowVisitor&)>& query) {
    Invalidate();
    batch_.read = std::chrono::steady_clock::now();
    batch_.order = order;
    batch_.direction = direction;
    batch_.requested = limit;
    const auto rows = static_cast<std::size_t>(limit);
    if (batch_.recordNumbers.size() < rows) {
        batch_.recordNumbers.resize(rows);
        batch_.keys.resize(rows * static_cast<std::size_t>(keyStride_));
        batch_.images.resize(rows * static_cast<std::size_t>(recordLength_));
    }
    const int firstData = FirstDataColumn(keyCount_);
    query([&](const RowReader& row) {
        if (batch_.count >= limit)
            return;
        const auto i = static_cast<std::size_t>(batch_.count++);
        batch_.recordNumbers[i] = static_cast<std::int32_t>(row.Integer(0));
        char* keys = batch_.keys.data() + i * keyStride_;
        for (int k = 1; k <= keyCount_; ++k) {
            char* slot = keys + keyOffset_[k];
            slot[0] = static_cast<char>(row.TextInto(k, slot + 1, kKeySlot - 1));
        }
        ReadRecord(row, firstData, layout_, batch_.images.data() + i * recordLength_);
    });
}

void KeyCursor::Select(int index) {
    batchIndex_ = index;
    current_.valid = true;
    current_.recordNumber = batch_.recordNumbers[static_cast<std::size_t>(index)];
    current_.keys.assign(batch_.keys.data() + static_cast<std::size_t>(index) * keyStride_,
                         static_cast<std::size_t>(keyStride_));
}

OrderPosition KeyCursor::PositionIn(int order) const {
    OrderPosition p;
    p.recordNumber = current_.recordNumber;
    if (order > 0)
        p.key = StoredKey(order);
    return p;
}

}  // namespace axo::storage
