// Reading fixed-layout records as report fields.
#include "report/data/RecordBridge.h"

#include <cstring>

#include "report/model/CalcValue.h"
#include "storage/Files.h"
#include "util/Cisla.h"

namespace axo::report {

namespace {

using storage::FieldType;

template <typename T>
T Load(const std::byte* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

std::vector<RecordColumn> TableColumns(const std::vector<Text>& fieldNames,
                                       const std::vector<storage::FieldLayout>& layout,
                                       int keyCount) {
    std::vector<RecordColumn> columns;
    columns.push_back({RecordColumn::kRecordNumber, storage::KeyColumnName(0), {}, 0});
    for (int k = 1; k <= keyCount; ++k)
        columns.push_back({RecordColumn::kKey, storage::KeyColumnName(k), {}, k});
    columns.push_back({RecordColumn::kLockFlag, "W_LOCKREC"_t, {}, 0});
    for (std::size_t i = 0; i < fieldNames.size() && i < layout.size(); ++i)
        columns.push_back({RecordColumn::kData, fieldNames[i], layout[i], 0});
    return columns;
}

int FieldTypeOfColumn(const RecordColumn& c) {
    switch (c.source) {
        case RecordColumn::kRecordNumber:
            return kFtInteger;
        case RecordColumn::kKey:
            return kFtString;
        case RecordColumn::kLockFlag:
            return kFtBoolean;
        case RecordColumn::kData:
            break;
    }
    switch (c.layout.type) {
        case FieldType::Byte:
            return kFtSmallint;
        case FieldType::Integer:
        case FieldType::LongInt:
            return kFtInteger;
        case FieldType::Word:
            return kFtWord;
        case FieldType::Real:
        case FieldType::Single:
        case FieldType::Double:
            return kFtFloat;
        case FieldType::Boolean:
            return kFtBoolean;
        case FieldType::String:
            return kFtString;
        case FieldType::AnsiString:
            return kFtMemo;
    }
    return kFtUnknown;
}

const RecordColumn* RecordBridge::Column(int field) const {
    return field >= 0 && field < FieldCount() ? &columns_[static_cast<std::size_t>(field)]
                                              : nullptr;
}

Text RecordBridge::FieldName(int field) const {
    const RecordColumn* c = Column(field);
    return c ? c->name : Text();
}

int RecordBridge::FieldType(int field) const {
    const RecordColumn* c = Column(field);
    return c ? FieldTypeOfColumn(*c) : kFtUnknown;
}

int RecordBridge::FieldAlignment(int field) const {
    const int type = FieldType(field);
    return IsNumberValueType(type) ? 1 : 0;
}

double RecordBridge::FieldNumber(int field) const {
    const RecordColumn* c = Column(field);
    const std::byte* record = Current();
    if (!c || !record)
        return 0;
    if (c->source == RecordColumn::kRecordNumber)
        return CurrentNumber();
    if (c->source != RecordColumn::kData)
        return 0;
    const std::byte* p = record + c->layout.offset;
    switch (c->layout.type) {
        case FieldType::Byte:
            return Load<std::uint8_t>(p);
        case FieldType::Boolean:
            return Load<std::uint8_t>(p) != 0 ? 1 : 0;
        case FieldType::Integer:
        case FieldType::LongInt:
            return Load<std::int32_t>(p);
        case FieldType::Word:
            return Load<std::uint16_t>(p);
        case FieldType::Real:
        case FieldType::Double:
            return Load<double>(p);
        case FieldType::Single:
            return Load<float>(p);
        default:
            return 0;
    }
}

Text RecordBridge::FieldText(int field) const {
    const RecordColumn* c = Column(field);
    const std::byte* record = Current();
    if (!c || !record)
        return {};
    switch (c->source) {
        case RecordColumn::kRecordNumber:
            return IntToText(CurrentNumber());
        case RecordColumn::kKey:
            return CurrentKey(c->key);
        case RecordColumn::kLockFlag:
            return "0"_t;
        case RecordColumn::kData:
            break;
    }
    const std::byte* p = record + c->layout.offset;
    switch (c->layout.type) {
        case FieldType::String: {
            const std::size_t length = std::min<std::size_t>(
                Load<std::uint8_t>(p), static_cast<std::size_t>(c->layout.length));
            return Text::FromBytes(std::string_view(reinterpret_cast<const char*>(p + 1), length));
        }
        case FieldType::AnsiString:
            return {};
        case FieldType::Real:
        case FieldType::Single:
        case FieldType::Double:
            return NumberToText(FieldNumber(field));
        default:
            return IntToText(static_cast<long long>(FieldNumber(field)));
    }
}

MemoryRecordBridge::MemoryRecordBridge(std::vector<RecordColumn> columns, std::size_t recordSize)
    : RecordBridge(std::move(columns)), recordSize_(recordSize) {}

void MemoryRecordBridge::Add(const void* record) {
    const auto* p = static_cast<const std::byte*>(record);
    bytes_.insert(bytes_.end(), p, p + recordSize_);
    ++count_;
    // The bytes may have moved.
    SetCurrent(current_ ? bytes_.data() + pos_ * recordSize_ : nullptr);
}

int MemoryRecordBridge::Step(int dir) {
    if (count_ == 0) {
        current_ = false;
        SetCurrent(nullptr);
        return kBeforeFirstAndAfterLast;
    }
    switch (dir) {
        case 0:
            pos_ = 0;
            break;
        case 3:
            pos_ = count_ - 1;
            break;
        case 1:
            if (!current_ || pos_ == 0)
                return 1;
            --pos_;
            break;
        default:
            if (!current_) {
                pos_ = 0;
                break;
            }
            if (pos_ + 1 >= count_)
                return 2;
            ++pos_;
            break;
    }
    current_ = true;
    SetCurrent(bytes_.data() + pos_ * recordSize_);
    return 0;
}

FileRecordBridge::FileRecordBridge(storage::tSoubor& file, std::vector<RecordColumn> columns,
                                   std::size_t recordSize)
    : RecordBridge(std::move(columns)), file_(file), buffer_(recordSize) {}

Text FileRecordBridge::CurrentKey(int key) const {
    return file_.MakeKey(key, buffer_.data());
}

int FileRecordBridge::Step(int dir) {
    const bool forward = dir == 0 || dir == 2;
    if (dir == 0 || dir == 3) {
        file_.BtClearKey(0);
        pastEnd_ = 0;
    } else if (pastEnd_ != 0) {
        // The order started again when the end was passed; stay where the run stopped.
        return pastEnd_;
    }
    std::int32_t n = 0;
    Text key;
    const bool found = forward ? file_.BtNextKey(0, n, key) : file_.BtPrevKey(0, n, key);
    if (!found) {
        if (!current_)
            return kBeforeFirstAndAfterLast;
        pastEnd_ = forward ? 2 : 1;
        return pastEnd_;
    }
    if (!file_.GetRec(n, buffer_.data()))
        return kBeforeFirstAndAfterLast;
    number_ = n;
    current_ = true;
    SetCurrent(buffer_.data());
    return 0;
}

}  // namespace axo::report
