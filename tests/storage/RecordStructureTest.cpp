// Record structure descriptions: field names and types, the structure check with its codes and
// texts, the engine-level columns and the conversions between a record and a row.
#include "storage/RecordStructure.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <variant>

#include "ui/ScriptedUi.h"

namespace axo::storage {
namespace {

const Text kCrLf = "\r\n"_t;

KeyTable Keys(std::initializer_list<int> lengths) {
    KeyTable keys{};
    int k = 1;
    for (int length : lengths)
        keys[k++].length = static_cast<std::uint8_t>(length);
    return keys;
}

TEST(RecordStructureTest, AddFieldCleansNameAndType) {
    struct Case {
        Text name, type, expectedName, expectedType;
    };
    const Case cases[] = {
        {" \tNÁZEV\t "_t, "str30"_t, "NÁZEV"_t, "STR30"_t},
        {"NOTES"_t, "AnsiString"_t, "NOTES"_t, "ANSISTRING"_t},
        {Text(40, 'X'), " s t r 1 0 "_t, Text(30, 'X'), "STR10"_t},
        {"A\tB"_t, "longintlongintlongint"_t, "AB"_t, "LONGINTLONGINTL"_t},
        {"ČÍSLO"_t, "řetězec"_t, "ČÍSLO"_t, "ŘETĚZEC"_t},
    };
    for (const Case& c : cases) {
        FieldList fields;
        AddField(fields, c.name, c.type);
        ASSERT_EQ(1u, fields.size());
        EXPECT_EQ(c.expectedName, fields[0].name);
        EXPECT_EQ(c.expectedType, fields[0].typeName);
    }
}

TEST(RecordStructureTest, TypeSizesAndAliases) {
    struct Case {
        const char* type;
        int size;
        const char* resolved;
    };
    const Case cases[] = {
        {"BYTE", 1, "BYTE"},           {"INTEGER", 4, "INTEGER"}, {"WORD", 2, "WORD"},
        {"LONGINT", 4, "LONGINT"},     {"REAL", 8, "REAL"},       {"SINGLE", 4, "SINGLE"},
        {"DOUBLE", 8, "DOUBLE"},       {"BOOLEAN", 1, "BOOLEAN"}, {"ANSISTRING", 4, "ANSISTRING"},
        {"STR1", 2, "STR1"},           {"STR255", 256, "STR255"}, {"STRING", 256, "STR255"},
        {"ISAMKEYSTR", 256, "STR255"}, {"DIC_STR", 16, "STR15"},
    };
    for (const Case& c : cases) {
        FieldList fields{{"F"_t, Text::FromBytes(c.type)}};
        const StructureCheck check = CheckStructure(fields, 0, KeyTable{}, c.size, nullptr);
        EXPECT_TRUE(check.ok) << c.type << ": " << check.errorText;
        EXPECT_EQ(Text::FromBytes(c.resolved), fields[0].typeName);
    }
}

TEST(RecordStructureTest, CheckFailuresWithTheirTexts) {
    struct Case {
        FieldList fields;
        int keyCount;
        KeyTable keys;
        int length;
        int code;
        Text text;
    };
    const Case cases[] = {
        {{}, 0, {}, 0, 9900, "Není definována struktura."_t},
        {{{"A"_t, "FOO"_t}}, 0, {}, 1, 9901, "Chybný typ [FOO]."_t},
        {{{"A"_t, "STR0"_t}},
         0,
         {},
         1,
         9903,
         "Chybný typ řetězce - délka mimo rozsah 1-255 [STR0]."_t},
        {{{"A"_t, "STR256"_t}},
         0,
         {},
         257,
         9903,
         "Chybný typ řetězce - délka mimo rozsah 1-255 [STR256]."_t},
        {{{"A"_t, "STRX"_t}},
         0,
         {},
         1,
         9902,
         "Chybný typ řetězce - délku nelze převést na číslo [STRX]."_t},
        {{{"A"_t, "STR"_t}},
         0,
         {},
         1,
         9902,
         "Chybný typ řetězce - délku nelze převést na číslo [STR]."_t},
        // Ten keys are refused before any key length is looked at (all are 0 here).
        {{{"A"_t, "BYTE"_t}}, 10, {}, 1, 9904, "Počet klíčů souboru je větší než 9."_t},
        {{{"A"_t, "BYTE"_t}},
         2,
         Keys({5, 0}),
         1,
         9905,
         "Délka 2. klíče je mimo povolený rozsah."_t},
        {{{"A"_t, "STRING"_t}, {"B"_t, "DIC_STR"_t}},
         0,
         {},
         271,
         9906,
         "Nesoulad struktury a datové podpory."_t + kCrLf + kCrLf +
             "Délka záznamu (record): 271"_t + kCrLf +
             "Délka záznamu datové podpory (soubor): 272"_t},
    };
    for (const Case& c : cases) {
        FieldList fields = c.fields;
        const StructureCheck check = CheckStructure(fields, c.keyCount, c.keys, c.length, nullptr);
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(c.code, check.errorCode);
        EXPECT_EQ(c.text, check.errorText);
    }
}

TEST(RecordStructureTest, TooManyItemsWarnAndPass) {
    ui::ScriptedUi ui;
    ui.QueueOk();
    FieldList fields;
    for (int i = 0; i < 250; ++i)
        AddField(fields, "F"_t + Text::FromBytes(std::to_string(i)), "BYTE"_t);
    const StructureCheck check = CheckStructure(fields, 5, Keys({1, 1, 1, 1, 1}), 250, &ui);
    EXPECT_TRUE(check.ok);
    EXPECT_EQ(250, check.fieldCount);
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ("message 0", ui.Transcript()[0].kind);
    EXPECT_EQ(
        "Věta souboru smí obsahovat maximálně 253 položek, včetně indexů.\rVaše struktura "
        "obsahuje 255 položek.\r\rPočet prvků snižte o 2!",
        ToUtf8(TooManyItemsText(255)));
    std::string shown;
    for (const std::string& line : ui.Transcript()[0].lines)
        shown += line + "|";
    EXPECT_NE(std::string::npos, shown.find("obsahuje 255 položek")) << shown;
    EXPECT_NE(std::string::npos, shown.find("snižte o 2!")) << shown;
}

TEST(RecordStructureTest, ColumnsAndIndexes) {
    FieldList fields{{"JMENO"_t, "STRING"_t},
                     {"DIC"_t, "DIC_STR"_t},
                     {"N"_t, "INTEGER"_t},
                     {"NOTES"_t, "ANSISTRING"_t}};
    KeyTable keys = Keys({12, 7});
    keys[2].duplicates = true;
    const StructureCheck check = CheckStructure(fields, 2, keys, 256 + 16 + 4 + 4, nullptr);
    ASSERT_TRUE(check.ok) << check.errorText;
    const TableDef def = DefineColumns(fields, check.layout, 2, keys);
    const std::vector<std::tuple<Text, ColumnKind, int>> expected = {
        {"W_INDEX_PR"_t, ColumnKind::RecordNumber, 0},
        {"W_INDEX_01"_t, ColumnKind::Key, 12},
        {"W_INDEX_02"_t, ColumnKind::Key, 7},
        {"W_LOCKREC"_t, ColumnKind::LockFlag, 0},
        {"JMENO"_t, ColumnKind::String, 255},
        {"DIC"_t, ColumnKind::String, 15},
        {"N"_t, ColumnKind::SmallInt, 0},
        {"NOTES"_t, ColumnKind::Memo, 0},
    };
    ASSERT_EQ(expected.size(), def.columns.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::get<0>(expected[i]), def.columns[i].name);
        EXPECT_EQ(std::get<1>(expected[i]), def.columns[i].kind) << i;
        EXPECT_EQ(std::get<2>(expected[i]), def.columns[i].length) << i;
    }
    ASSERT_EQ(3u, def.indexes.size());
    EXPECT_EQ("INDEX_PRIM"_t, def.indexes[0].name);
    EXPECT_TRUE(def.indexes[0].primary && def.indexes[0].unique);
    EXPECT_EQ("INDEX_01"_t, def.indexes[1].name);
    EXPECT_TRUE(def.indexes[1].unique);
    EXPECT_EQ("W_INDEX_02"_t, def.indexes[2].column);
    EXPECT_FALSE(def.indexes[2].unique);
}

/// A row in memory, for the conversions.
class MemoryRow : public RowReader, public RowWriter {
  public:
    using Value = std::variant<std::monostate, std::int64_t, double, Text>;
    std::map<int, Value> values;

    bool IsNull(int c) const override { return !values.count(c); }
    std::int64_t Integer(int c) const override {
        auto it = values.find(c);
        return it != values.end() && std::holds_alternative<std::int64_t>(it->second)
                   ? std::get<std::int64_t>(it->second)
                   : 0;
    }
    double Real(int c) const override {
        auto it = values.find(c);
        return it != values.end() && std::holds_alternative<double>(it->second)
                   ? std::get<double>(it->second)
                   : 0;
    }
    std::size_t TextInto(int c, char* out, std::size_t capacity) const override {
        const Text t = GetText(c);
        const std::size_t n = std::min(capacity, t.size());
        std::memcpy(out, t.data(), n);
        return n;
    }
    Text GetText(int c) const override {
        auto it = values.find(c);
        return it != values.end() && std::holds_alternative<Text>(it->second)
                   ? std::get<Text>(it->second)
                   : Text();
    }
    void SetNull(int c) override { values.erase(c); }
    void SetInteger(int c, std::int64_t v) override { values[c] = v; }
    void SetReal(int c, double v) override { values[c] = v; }
    void SetText(int c, std::string_view t) override { values[c] = Text::FromBytes(t); }
};

#pragma pack(push, 1)
struct AllTypes {
    std::uint8_t b;
    std::int32_t i;
    std::uint16_t w;
    std::int32_t l;
    double r;
    float s;
    double d;
    std::uint8_t flag;
    std::uint32_t memoSlot;
    StrN<5> text;
};
#pragma pack(pop)

TEST(RecordStructureTest, ConversionsKeepEveryTypeAndSkipMemo) {
    FieldList fields{{"B"_t, "BYTE"_t},    {"I"_t, "INTEGER"_t}, {"W"_t, "WORD"_t},
                     {"L"_t, "LONGINT"_t}, {"R"_t, "REAL"_t},    {"S"_t, "SINGLE"_t},
                     {"D"_t, "DOUBLE"_t},  {"F"_t, "BOOLEAN"_t}, {"M"_t, "ANSISTRING"_t},
                     {"T"_t, "STR5"_t}};
    const StructureCheck check = CheckStructure(fields, 1, Keys({3}), sizeof(AllTypes), nullptr);
    ASSERT_TRUE(check.ok) << check.errorText;

    AllTypes in{200, -32768, 65535, -2000000000, 1.25, 0.1f, -7.5, 7, 0xDEADBEEF, "ŽÁÝ\x01"_t};
    MemoryRow row;
    WriteRecord(check.layout, reinterpret_cast<const std::byte*>(&in), 3, row,
                [](std::size_t i) { return i == 8 ? "poznámka"_t : Text(); });
    EXPECT_EQ(1, row.Integer(10)) << "a boolean is stored as 0/1";
    EXPECT_EQ("poznámka"_t, row.GetText(11));
    EXPECT_DOUBLE_EQ(static_cast<double>(0.1f), row.Real(8));

    AllTypes out;
    std::memset(static_cast<void*>(&out), 0xAB, sizeof out);
    ReadRecord(row, 3, check.layout, reinterpret_cast<std::byte*>(&out));
    EXPECT_EQ(200, out.b);
    EXPECT_EQ(-32768, out.i);
    EXPECT_EQ(65535, out.w);
    EXPECT_EQ(-2000000000, out.l);
    EXPECT_EQ(1.25, out.r);
    EXPECT_EQ(0.1f, out.s);
    EXPECT_EQ(-7.5, out.d);
    EXPECT_EQ(1, out.flag);
    EXPECT_EQ(0xABABABABu, out.memoSlot) << "the memo slot is left as it was";
    EXPECT_EQ("ŽÁÝ\x01"_t, out.text.Get());
    EXPECT_EQ(0, out.text.chars[4]) << "unused characters are zero";
}

TEST(RecordStructureTest, ValuesThatDoNotFitAreHeldAtTheNearest) {
    FieldList fields{{"B"_t, "BYTE"_t}, {"W"_t, "WORD"_t}, {"T"_t, "STR3"_t}};
    const StructureCheck check = CheckStructure(fields, 0, {}, 1 + 2 + 4, nullptr);
    ASSERT_TRUE(check.ok);
    MemoryRow row;
    row.SetInteger(2, 300);
    row.SetInteger(3, -5);
    row.SetText(4, "ABCDEF");
    unsigned char out[7];
    ReadRecord(row, 2, check.layout, reinterpret_cast<std::byte*>(out));
    EXPECT_EQ(255, out[0]);
    EXPECT_EQ(0, out[1] | out[2]);
    EXPECT_EQ(3, out[3]);
    EXPECT_EQ("ABC", std::string(reinterpret_cast<char*>(out + 4), 3));
}

}  // namespace
}  // namespace axo::storage
