// Record sources over fixed-layout records, as the keyed-table layer stores them: the columns
// of the table in its order (record number, key columns and lock flag first, then the data
// fields of the record description), read from the record bytes by the field layout. One
// source walks records held in memory, the other a table in record-number order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/data/Bridge.h"
#include "storage/RecordStructure.h"

namespace axo::storage {
class tSoubor;
}

namespace axo::report {

/// One column of a record source.
struct RecordColumn {
    enum Source { kRecordNumber, kKey, kLockFlag, kData } source = kData;
    Text name;
    storage::FieldLayout layout;  ///< kData
    int key = 0;                  ///< kKey: the key number
};

/// The columns of a table: "W_INDEX_PR", "W_INDEX_01" ... for its keys, "W_LOCKREC", then the
/// data fields.
std::vector<RecordColumn> TableColumns(const std::vector<Text>& fieldNames,
                                       const std::vector<storage::FieldLayout>& layout,
                                       int keyCount);
/// The field data type a column is read as.
int FieldTypeOfColumn(const RecordColumn& column);

/// The shared reading of record bytes; sources supply the current record.
class RecordBridge : public TBridge {
  public:
    explicit RecordBridge(std::vector<RecordColumn> columns) : columns_(std::move(columns)) {}

    int FieldCount() const override { return static_cast<int>(columns_.size()); }
    Text FieldName(int field) const override;
    int FieldType(int field) const override;
    int FieldAlignment(int field) const override;
    Text FieldText(int field) const override;
    double FieldNumber(int field) const override;
    /// Fixed-layout records have no nulls.
    bool MayBeNull(int) const override { return false; }

  protected:
    /// The current record's bytes; nullptr when no record is current. Sources set it on each
    /// step.
    const std::byte* Current() const { return current_; }
    void SetCurrent(const std::byte* record) { current_ = record; }
    virtual std::int32_t CurrentNumber() const = 0;
    virtual Text CurrentKey(int key) const = 0;

  private:
    const RecordColumn* Column(int field) const;
    std::vector<RecordColumn> columns_;
    const std::byte* current_ = nullptr;
};

/// Records held in memory, in their order.
class MemoryRecordBridge : public RecordBridge {
  public:
    MemoryRecordBridge(std::vector<RecordColumn> columns, std::size_t recordSize);
    /// Appends a record of `recordSize` bytes.
    void Add(const void* record);
    std::size_t RecordCount() const { return count_; }
    int Step(int dir) override;

  protected:
    std::int32_t CurrentNumber() const override { return static_cast<std::int32_t>(pos_ + 1); }
    Text CurrentKey(int) const override { return {}; }

  private:
    std::vector<std::byte> bytes_;
    std::size_t recordSize_;
    std::size_t count_ = 0;
    std::size_t pos_ = 0;
    bool current_ = false;
};

/// An open table read in record-number order (key 0).
class FileRecordBridge : public RecordBridge {
  public:
    /// `file` must stay open while the source is used.
    FileRecordBridge(storage::tSoubor& file, std::vector<RecordColumn> columns,
                     std::size_t recordSize);
    int Step(int dir) override;

  protected:
    std::int32_t CurrentNumber() const override { return number_; }
    Text CurrentKey(int key) const override;

  private:
    storage::tSoubor& file_;
    std::vector<std::byte> buffer_;
    std::int32_t number_ = 0;
    bool current_ = false;
    /// The last move ran past an end: the table's order has started again, the record stays.
    int pastEnd_ = 0;
};

}  // namespace axo::report
