// The type table, the structure check, the column definition and the record conversions.
#include "storage/RecordStructure.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::storage {

namespace {

const Text kCrLf = "\r\n"_t;

struct TypeEntry {
    const char* name;
    FieldType type;
    int size;
};

constexpr TypeEntry kTypes[] = {
    {"BYTE", FieldType::Byte, 1},
    {"INTEGER", FieldType::Integer, 4},
    {"WORD", FieldType::Word, 2},
    {"LONGINT", FieldType::LongInt, 4},
    {"REAL", FieldType::Real, 8},
    {"SINGLE", FieldType::Single, 4},
    {"DOUBLE", FieldType::Double, 8},
    {"BOOLEAN", FieldType::Boolean, 1},
    {"ANSISTRING", FieldType::AnsiString, 4},
};

/// The layout of one type name, or the check's failure code.
struct ParsedType {
    int errorCode = 0;
    FieldLayout layout;
};

ParsedType ParseType(const Text& typeName) {
    for (const TypeEntry& t : kTypes)
        if (typeName == Text::FromBytes(t.name))
            return {0, FieldLayout{t.type, 0, 0, t.size}};
    if (typeName.substr(0, 3) != "STR"_t)
        return {kErrBadType, {}};
    const Text digits = typeName.substr(3);
    const bool number =
        !digits.empty() && digits.size() <= 9 &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!number)
        return {kErrStringLengthNotNumber, {}};
    const int length = std::stoi(digits.Bytes());
    if (length < 1 || length > 255)
        return {kErrStringLengthRange, {}};
    return {0, FieldLayout{FieldType::String, length, 0, length + 1}};
}

Text TypeErrorText(int code, const Text& typeName) {
    switch (code) {
        case kErrBadType:
            return "Chybný typ ["_t + typeName + "]."_t;
        case kErrStringLengthNotNumber:
            return "Chybný typ řetězce - délku nelze převést na číslo ["_t + typeName + "]."_t;
        default:
            return "Chybný typ řetězce - délka mimo rozsah 1-255 ["_t + typeName + "]."_t;
    }
}

StructureCheck Fail(StructureCheck result, int code, const Text& text) {
    result.ok = false;
    result.errorCode = code;
    result.errorText = text;
    return result;
}

ColumnKind ColumnKindOf(FieldType type) {
    switch (type) {
        case FieldType::Byte:
        case FieldType::Integer:
            return ColumnKind::SmallInt;
        case FieldType::Word:
        case FieldType::LongInt:
            return ColumnKind::Integer;
        case FieldType::Real:
        case FieldType::Single:
        case FieldType::Double:
            return ColumnKind::Float;
        case FieldType::Boolean:
            return ColumnKind::Boolean;
        case FieldType::AnsiString:
            return ColumnKind::Memo;
        case FieldType::String:
            return ColumnKind::String;
    }
    return ColumnKind::Integer;
}

template <class T>
T Load(const std::byte* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <class T>
void Store(std::byte* p, T value) {
    std::memcpy(p, &value, sizeof value);
}

template <class T>
T Held(std::int64_t v) {
    return static_cast<T>(
        std::clamp<std::int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

void AddField(FieldList& fields, const Text& name, const Text& typeName) {
    const Text cleanName = Trim(RemoveChar(name, '\t')).substr(0, kMaxFieldName);
    const Text cleanType = RemoveBlanks(NationalUpperCase(typeName)).substr(0, kMaxTypeName);
    fields.push_back(FieldDef{cleanName, cleanType});
}

Text ResolveTypeAlias(const Text& typeName) {
    if (typeName == "STRING"_t || typeName == "ISAMKEYSTR"_t)
        return "STR255"_t;
    if (typeName == "DIC_STR"_t)
        return "STR15"_t;
    return typeName;
}

Text TooManyItemsText(int count) {
    return "Věta souboru smí obsahovat maximálně "_t + IntToText(kMaxItems) +
           " položek, včetně indexů."_t + "\r"_t + "Vaše struktura obsahuje "_t + IntToText(count) +
           " položek."_t + "\r\r"_t + "Počet prvků snižte o "_t + IntToText(count - kMaxItems) +
           "!"_t;
}

StructureCheck CheckStructure(FieldList& fields, int keyCount, const KeyTable& keys,
                              int declaredLength, ui::UiServices* ui) {
    StructureCheck result;
    if (fields.empty())
        return Fail(std::move(result), kErrNoStructure, "Není definována struktura."_t);
    int offset = 0;
    for (FieldDef& field : fields) {
        field.typeName = ResolveTypeAlias(field.typeName);
        ParsedType parsed = ParseType(field.typeName);
        ++result.fieldCount;
        if (parsed.errorCode != 0)
            return Fail(std::move(result), parsed.errorCode,
                        TypeErrorText(parsed.errorCode, field.typeName));
        parsed.layout.offset = offset;
        offset += parsed.layout.size;
        result.layout.push_back(parsed.layout);
    }
    result.recordLength = offset;
    const int items = keyCount + result.fieldCount;
    if (items > kMaxItems && ui)
        ui->ShowMessage(ui::MessageKind::Plain, TooManyItemsText(items));
    if (keyCount > kMaxKeys)
        return Fail(std::move(result), kErrTooManyKeys,
                    "Počet klíčů souboru je větší než "_t + IntToText(kMaxKeys) + "."_t);
    for (int k = 1; k <= keyCount; ++k)
        if (keys[k].length == 0)
            return Fail(std::move(result), kErrKeyLength,
                        "Délka "_t + IntToText(k) + ". klíče je mimo povolený rozsah."_t);
    if (result.recordLength != declaredLength)
        return Fail(std::move(result), kErrRecordLength,
                    "Nesoulad struktury a datové podpory."_t + kCrLf + kCrLf +
                        "Délka záznamu (record): "_t + IntToText(declaredLength) + kCrLf +
                        "Délka záznamu datové podpory (soubor): "_t +
                        IntToText(result.recordLength));
    result.ok = true;
    return result;
}

Text KeyColumnName(int k) {
    return k == 0 ? "W_INDEX_PR"_t : "W_INDEX_"_t + IntToTextZeros(k, 2);
}

Text KeyIndexName(int k) {
    return k == 0 ? "INDEX_PRIM"_t : "INDEX_"_t + IntToTextZeros(k, 2);
}

TableDef DefineColumns(const FieldList& fields, const std::vector<FieldLayout>& layout,
                       int keyCount, const KeyTable& keys) {
    TableDef def;
    def.columns.push_back({KeyColumnName(0), ColumnKind::RecordNumber, 0});
    for (int k = 1; k <= keyCount; ++k)
        def.columns.push_back({KeyColumnName(k), ColumnKind::Key, keys[k].length});
    def.columns.push_back({"W_LOCKREC"_t, ColumnKind::LockFlag, 0});
    for (std::size_t i = 0; i < fields.size() && i < layout.size(); ++i)
        def.columns.push_back({fields[i].name, ColumnKindOf(layout[i].type), layout[i].length});
    def.indexes.push_back({KeyIndexName(0), KeyColumnName(0), true, true});
    for (int k = 1; k <= keyCount; ++k)
        def.indexes.push_back({KeyIndexName(k), KeyColumnName(k), false, !keys[k].duplicates});
    return def;
}

void WriteRecord(const std::vector<FieldLayout>& layout, const std::byte* record, int firstColumn,
                 RowWriter& row, const MemoSource& memo) {
    int column = firstColumn;
    for (std::size_t i = 0; i < layout.size(); ++i, ++column) {
        const FieldLayout& f = layout[i];
        const std::byte* p = record + f.offset;
        switch (f.type) {
            case FieldType::Byte:
                row.SetInteger(column, Load<std::uint8_t>(p));
                break;
            case FieldType::Integer:
            case FieldType::LongInt:
                row.SetInteger(column, Load<std::int32_t>(p));
                break;
            case FieldType::Word:
                row.SetInteger(column, Load<std::uint16_t>(p));
                break;
            case FieldType::Real:
            case FieldType::Double:
                row.SetReal(column, Load<double>(p));
                break;
            case FieldType::Single:
                row.SetReal(column, static_cast<double>(Load<float>(p)));
                break;
            case FieldType::Boolean:
                row.SetInteger(column, Load<std::uint8_t>(p) != 0 ? 1 : 0);
                break;
            case FieldType::AnsiString:
                row.SetText(column, memo ? memo(i).View() : std::string_view());
                break;
            case FieldType::String: {
                // A damaged length byte is read as at most the field's length.
                const auto length = std::min<int>(Load<std::uint8_t>(p), f.length);
                row.SetText(column, std::string_view(reinterpret_cast<const char*>(p + 1),
                                                     static_cast<std::size_t>(length)));
                break;
            }
        }
    }
}

void ReadField(const RowReader& row, int column, const FieldLayout& f, std::byte* record) {
    std::byte* p = record + f.offset;
    switch (f.type) {
        case FieldType::Byte:
            Store(p, Held<std::uint8_t>(row.Integer(column)));
            break;
        case FieldType::Integer:
        case FieldType::LongInt:
            Store(p, Held<std::int32_t>(row.Integer(column)));
            break;
        case FieldType::Word:
            Store(p, Held<std::uint16_t>(row.Integer(column)));
            break;
        case FieldType::Real:
        case FieldType::Double:
            Store(p, row.Real(column));
            break;
        case FieldType::Single:
            Store(p, static_cast<float>(row.Real(column)));
            break;
        case FieldType::Boolean:
            Store(p, static_cast<std::uint8_t>(row.Integer(column) != 0 ? 1 : 0));
            break;
        case FieldType::AnsiString:
            break;
        case FieldType::String: {
            auto* chars = reinterpret_cast<char*>(p + 1);
            const std::size_t n = row.TextInto(column, chars, static_cast<std::size_t>(f.length));
            Store(p, static_cast<std::uint8_t>(n));
            std::memset(chars + n, 0, static_cast<std::size_t>(f.length) - n);
            break;
        }
    }
}

void ReadRecord(const RowReader& row, int firstColumn, const std::vector<FieldLayout>& layout,
                std::byte* record) {
    int column = firstColumn;
    for (const FieldLayout& f : layout)
        ReadField(row, column++, f, record);
}

}  // namespace axo::storage
