// The position of a file object in its key orders, with a read-ahead of rows in key order.
//
// Rows are read in batches of up to 512, keyset-paginated by (key, record number), each batch
// in one short query: no read transaction outlives a call, so other processes' writers are
// never held up. BtNextKey and GetRec of the positioned record are served from the batch only
// while it is younger than kBatchLifeMs; an older batch is read again from the current
// position. So another station's change becomes visible at the latest after kBatchLifeMs (at
// once after any positioning that searches, and after this object's own writes, which drop the
// batch), and a record another station deleted is not served from memory after that.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/Engine.h"
#include "storage/RecordStructure.h"

namespace axo::storage {

/// How long rows read ahead are served without reading them again.
inline constexpr int kBatchLifeMs = 200;

class KeyCursor {
  public:
    /// Sets the shape of the rows: keys, the record layout and its length.
    void Configure(const KeyTable& keys, int keyCount, const std::vector<FieldLayout>& layout,
                   int recordLength);
    /// No current record and no batch.
    void Reset();
    /// Drops the batch (after a write of this object); the current record stays.
    void Invalidate();

    /// Moves to the next row of order `order` (the first when `fromStart` or without a
    /// current record); false at the end.
    bool Next(EngineTable& table, int order, bool fromStart);
    /// Moves to the previous row (the last when `fromEnd`); false at the beginning.
    bool Prev(EngineTable& table, int order, bool fromEnd);
    /// Moves to the first row whose key equals (exact) or is at least `key`; false when none.
    bool Seek(EngineTable& table, int order, const Text& key, bool exact);
    /// Moves to record `n`; false when it does not exist.
    bool Locate(EngineTable& table, std::int32_t n);
    /// Makes record `n` with the given keys (index 1..) current after this object wrote it.
    void SetWritten(std::int32_t n, const std::vector<Text>& keys);

    bool HasCurrent() const { return current_.valid; }
    std::int32_t CurrentRecord() const { return current_.recordNumber; }
    /// Key `order` of the current record, padded to the key length (for order 0 the record
    /// number as text).
    Text CurrentKey(int order) const;
    /// Whether the current record's data were read with it, lately (and not changed since).
    bool HasImage() const { return batchIndex_ >= 0 && Young(); }
    /// Copies the current record's data into `record`, leaving "ANSISTRING" slots alone.
    void CopyImage(void* record) const;

  private:
    struct Batch {
        std::chrono::steady_clock::time_point read;
        int order = -1;
        ScanDirection direction = ScanDirection::Forward;
        int count = 0;
        int requested = 0;
        std::vector<std::int32_t> recordNumbers;
        std::vector<char> keys;         ///< keyStride_ per row: each key as stored
        std::vector<std::byte> images;  ///< recordLength_ per row
    };
    struct Current {
        bool valid = false;
        std::int32_t recordNumber = 0;
        std::string keys;  ///< keyStride_ bytes: each key as stored
    };

    /// Whether the batch was read less than kBatchLifeMs ago.
    bool Young() const;
    bool Step(EngineTable& table, int order, ScanDirection direction, bool fromEdge);
    void Load(int order, ScanDirection direction, int limit,
              const std::function<int(const RowVisitor&)>& query);
    void Select(int index);
    OrderPosition PositionIn(int order) const;
    /// Key `order` of the current record as it is stored.
    Text StoredKey(int order) const;

    KeyTable keys_{};
    int keyCount_ = 0;
    std::vector<FieldLayout> layout_;
    int recordLength_ = 0;
    std::vector<int> keyOffset_;
    int keyStride_ = 0;
    /// The byte ranges of the record outside "ANSISTRING" slots: (offset, size) pairs.
    std::vector<std::pair<int, int>> copyRanges_;

    Batch batch_;
    int batchIndex_ = -1;  ///< the current row in the batch, -1 when not there
    Current current_;
};

}  // namespace axo::storage
