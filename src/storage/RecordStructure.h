// Record structure descriptions: the field list a file kind builds with AddField, the type
// names and their byte sizes, the structure check with its codes 9900-9906, the engine-level
// columns and indexes of a table, and the conversions between a record buffer and a row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "storage/Engine.h"
#include "ui/UiServices.h"
#include "util/Text.h"

namespace axo::storage {

inline constexpr int kMaxKeys = 9;
/// At most this many fields and keys together; more draw a warning.
inline constexpr int kMaxItems = 253;
inline constexpr std::size_t kMaxFieldName = 30;
inline constexpr std::size_t kMaxTypeName = 15;

/// Structure check failures.
inline constexpr int kErrNoStructure = 9900;
inline constexpr int kErrBadType = 9901;
inline constexpr int kErrStringLengthNotNumber = 9902;
inline constexpr int kErrStringLengthRange = 9903;
inline constexpr int kErrTooManyKeys = 9904;
inline constexpr int kErrKeyLength = 9905;
inline constexpr int kErrRecordLength = 9906;

/// One entry of a file kind's key table. Entry 0 stands for the record-number order.
struct KeyEntry {
    std::uint8_t length = 0;
    bool duplicates = false;
    bool restart = false;
};
using KeyTable = std::array<KeyEntry, kMaxKeys + 1>;

/// A data field as described: its name (the column name) and type name.
struct FieldDef {
    Text name;
    Text typeName;
};
using FieldList = std::vector<FieldDef>;

/// Appends a field: the name loses its TAB characters and surrounding blanks and is cut to 30
/// characters; the type name is upper-cased (Czech letters included), loses every blank and
/// is cut to 15 characters.
void AddField(FieldList& fields, const Text& name, const Text& typeName);

/// "STRING" and "ISAMKEYSTR" become "STR255", "DIC_STR" becomes "STR15"; other names stay.
Text ResolveTypeAlias(const Text& typeName);

enum class FieldType : std::uint8_t {
    Byte,
    Integer,
    Word,
    LongInt,
    Real,
    Single,
    Double,
    Boolean,
    AnsiString,
    String,
};

/// Where a field lies in the record and how it is stored.
struct FieldLayout {
    FieldType type = FieldType::Byte;
    int length = 0;  ///< characters of a string field
    int offset = 0;  ///< bytes from the start of the record
    int size = 0;    ///< bytes in the record
};

/// The result of the structure check.
struct StructureCheck {
    bool ok = false;
    int errorCode = 0;
    Text errorText;
    int fieldCount = 0;    ///< data fields walked
    int recordLength = 0;  ///< computed from the types
    std::vector<FieldLayout> layout;
};

/// Checks a description (aliases are rewritten in `fields` on the way): empty list 9900, an
/// unknown type 9901, a string length that is no number 9902 or outside 1-255 9903, ten keys or
/// more 9904, a key of length 0 9905, a record length other than the computed one 9906. More
/// than 253 fields and keys show a plain message through `ui` (when given) and pass.
StructureCheck CheckStructure(FieldList& fields, int keyCount, const KeyTable& keys,
                              int declaredLength, ui::UiServices* ui);

/// The plain message about a description of `count` fields and keys (above 253).
Text TooManyItemsText(int count);

/// "W_INDEX_PR" for k = 0, else "W_INDEX_" + k in two digits.
Text KeyColumnName(int k);
/// "INDEX_PRIM" for k = 0, else "INDEX_" + k in two digits.
Text KeyIndexName(int k);
/// The first data column of a table with `keyCount` keys.
constexpr int FirstDataColumn(int keyCount) {
    return keyCount + 2;
}

/// The engine-level columns (record number, key columns, lock flag, data fields) and indexes
/// of a checked description.
TableDef DefineColumns(const FieldList& fields, const std::vector<FieldLayout>& layout,
                       int keyCount, const KeyTable& keys);

/// Supplies the text an "ANSISTRING" field of the record refers to (by field index).
using MemoSource = std::function<Text(std::size_t fieldIndex)>;

/// The write conversion: the data fields of `record` into the row's columns from
/// `firstColumn` on; "ANSISTRING" fields write the text `memo` gives (empty without one).
void WriteRecord(const std::vector<FieldLayout>& layout, const std::byte* record, int firstColumn,
                 RowWriter& row, const MemoSource& memo);

/// Reads column `column` of the row into the field `field` of `record` (an "ANSISTRING" slot
/// is left as it is), held at the nearest value the field can hold.
void ReadField(const RowReader& row, int column, const FieldLayout& field, std::byte* record);

/// The read conversion: the row's columns from `firstColumn` on into the data fields of
/// `record`; "ANSISTRING" slots are left as they are. Values that do not fit a field are held
/// at the nearest value the field can hold.
void ReadRecord(const RowReader& row, int firstColumn, const std::vector<FieldLayout>& layout,
                std::byte* record);

}  // namespace axo::storage
