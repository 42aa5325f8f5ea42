// The edit field: typing filters, overwriting at the maximum length, the leave checks with
// their exact messages, formatting, attachments and write-back.
#include "ui/Prvek.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"

namespace axo::ui {
namespace {

using testing::CzechNumbers;
using testing::LastLines;
using testing::Lenient;
using testing::TestEnvironment;

struct Vars {
    Text text;
    std::uint16_t word = 0;
    std::int32_t longint = 0;
    double number = 0;

    PrvekVariable For(int type) {
        switch (type) {
            case TPrvek::kWord:
                return word;
            case TPrvek::kLongint:
                return longint;
            case TPrvek::kDouble:
                return number;
            default:
                return text;
        }
    }
};

std::unique_ptr<TPrvek> Field(Vars& vars, int type, const char* options, int maxLength,
                              int decimals = 2, int width = 0) {
    return TPrvek::Make(1, 1, {}, maxLength, vars.For(type), FromUtf8(options), type, decimals,
                        width);
}

TEST(PrvekTest, TypingPassesTheFilterOfTheType) {
    struct Case {
        int type;
        const char* options;
        int maxLength;
        const char* typed;
        const char* text;
    } cases[] = {
        {TPrvek::kText, "/M0123456789\\", 10, "a1b2", "12"},
        {TPrvek::kText, "/R", 4, "2a4", "24"},
        {TPrvek::kText, "", 3, "abcdef", "abc"},  // full, cursor at the end: refused
        {TPrvek::kWord, "", 4, "12-a3", "123"},
        {TPrvek::kWord, "", 9, "123456", "1234"},   // words take at most 4 digits
        {TPrvek::kLongint, "", 6, "12-3", "-123"},  // the minus moves to the front
        {TPrvek::kLongint, "", 6, "-1-2", "-12"},   // a second minus is refused
        {TPrvek::kLongint, "/S", 6, "12-3", "123"},
        {TPrvek::kLongint, "", 20, "1234567890", "123456789"},
        {TPrvek::kDouble, "", 10, "12,5", "12.5"},  // "," typed becomes "."
        {TPrvek::kDouble, "/0", 10, "-12", "12"},
        {TPrvek::kDouble, "", 10, "1.2.3", "1.23"},  // one decimal point only
        {TPrvek::kDate, "", 10, "5,3 2023x", "5.3 2023"},
    };
    for (const Case& c : cases) {
        Vars vars;
        auto field = Field(vars, c.type, c.options, c.maxLength);
        ASSERT_TRUE(field) << c.typed;
        field->SetEditText({});
        for (char ch : FromUtf8(c.typed))
            field->TypeChar(ch);
        EXPECT_EQ(FromUtf8(c.text), field->EditText()) << c.type << " " << c.typed;
    }
}

TEST(PrvekTest, AFullFieldOverwritesTheCharacterAfterTheCursor) {
    Vars vars;
    auto field = Field(vars, TPrvek::kText, "", 3);
    field->SetEditText("abc"_t);
    field->KeyDown({Key::Home});
    field->KeyDown({Key::Right});
    EXPECT_TRUE(field->TypeChar('X'));
    EXPECT_EQ("aXc"_t, field->EditText());
    EXPECT_EQ(2, field->Cursor());
    // A selection is replaced instead.
    field->Select(0, 2);
    EXPECT_TRUE(field->TypeChar('Y'));
    EXPECT_EQ("Yc"_t, field->EditText());
    field->KeyDown({Key::End});
    field->KeyDown({Key::Backspace});
    EXPECT_EQ("Y"_t, field->EditText());
}

TEST(PrvekTest, TheTypeMustFitTheVariable) {
    Vars vars;
    EXPECT_FALSE(TPrvek::Make(1, 1, {}, 4, vars.word, {}, TPrvek::kLongint, 0, 0));
    EXPECT_FALSE(TPrvek::Make(1, 1, {}, 4, vars.text, {}, TPrvek::kDouble, 0, 0));
    EXPECT_FALSE(TPrvek::Make(1, 1, {}, 4, vars.text, {}, 4, 0, 0));  // no type 4
    StrN<8> field;
    auto text = TPrvek::Make(1, 1, {}, 20, field, {}, TPrvek::kText, 0, 0);
    ASSERT_TRUE(text);
    EXPECT_EQ(8, text->MaxLength());  // at most what the record field holds
    auto date = TPrvek::Make(1, 1, {}, 4, vars.text, {}, TPrvek::kDate, 0, 0);
    EXPECT_EQ(10, date->MaxLength());
    EXPECT_EQ(20, Field(vars, TPrvek::kText, "/L20\\", 40)->ShownWidth());
}

/// Types a text into a field as a user does and leaves it; the result of the leave.
bool TypeAndLeave(TPrvek& field, ScriptedUi& ui, const Text& typed,
                  const DialogEnvironment& env = TestEnvironment()) {
    field.SelectAll();
    field.KeyDown({Key::Delete});
    for (char ch : typed)
        field.TypeChar(ch);
    return field.Leave(ui, env);
}

TEST(PrvekTest, LeaveChecksShowTheirExactMessages) {
    CzechNumbers czech;
    struct Case {
        int type;
        const char* options;
        int maxLength;
        std::optional<ValueRange> range;
        const char* typed;
        std::vector<std::string> message;  // empty: accepted without a message
    } cases[] = {
        {TPrvek::kWord, "/0", 4, {}, "0", {"Hodnota údaje nesmí být menší nebo rovna NULE."}},
        {TPrvek::kWord, "/0", 4, {}, "", {"Hodnota údaje nesmí být menší nebo rovna NULE."}},
        {TPrvek::kDouble,
         "/0",
         10,
         {},
         "0,001",
         {"Hodnota údaje nesmí být menší nebo rovna NULE."}},
        {TPrvek::kWord,
         "",
         2,
         ValueRange::Numbers(1, 12),
         "13",
         {"Maximální přípustná hodnota údaje je ", "12!"}},
        {TPrvek::kWord,
         "",
         2,
         ValueRange::Numbers(1, 12),
         "0",
         {"Minimální přípustná hodnota údaje je 1!"}},
        {TPrvek::kWord,
         "/Z",
         2,
         ValueRange::Numbers(1, 12),
         "0",
         {"Minimální přípustná hodnota údaje je 01!"}},
        {TPrvek::kLongint,
         "",
         6,
         ValueRange::Numbers(-100, 100),
         "-101",
         {"Minimální přípustná hodnota údaje je -100!"}},
        {TPrvek::kDouble,
         "",
         10,
         ValueRange::Numbers(0.5, 1500),
         "0,4",
         {"Minimální přípustná hodnota údaje je 0,50!"}},
        {TPrvek::kDouble,
         "",
         10,
         ValueRange::Numbers(0.5, 1500),
         "1500,01",
         {"Maximální přípustná hodnota údaje je ", "1 500,00!"}},
        {TPrvek::kDate,
         "",
         10,
         ValueRange::Texts(" 1. 1.2023"_t, "31.12.2023"_t),
         "5.3.2024",
         {"Maximální přípustná hodnota údaje je 31.12.2023!"}},
        {TPrvek::kDate,
         "/Z",
         10,
         ValueRange::Texts(" 1. 1.2023"_t, "31.12.2023"_t),
         "5.3.2022",
         {"Minimální přípustná hodnota údaje je 01.01.2023!"}},
        {TPrvek::kText,
         "",
         5,
         ValueRange::Texts("B"_t, "D"_t),
         "A",
         {"Minimální přípustná hodnota údaje je B!"}},
        {TPrvek::kWord, "", 2, ValueRange::Numbers(1, 12), "12", {}},
        {TPrvek::kDate, "", 10, ValueRange::Texts(" 1. 1.2023"_t, "31.12.2023"_t), "5.3", {}},
    };
    for (const Case& c : cases) {
        ScriptedUi ui(Lenient());
        Vars vars;
        auto field = Field(vars, c.type, c.options, c.maxLength);
        if (c.range)
            field->Attach(*c.range);
        EXPECT_EQ(c.message.empty(), TypeAndLeave(*field, ui, FromUtf8(c.typed))) << c.typed;
        if (c.message.empty()) {
            EXPECT_TRUE(ui.Transcript().empty()) << c.typed;
        } else {
            ASSERT_EQ(1u, ui.Transcript().size()) << c.typed;
            EXPECT_EQ(" CHYBA", ui.Transcript()[0].title) << c.typed;
            EXPECT_EQ(c.message, LastLines(ui)) << c.typed;
        }
    }
}

TEST(PrvekTest, ChecksOffLetZeroPassButNotARange) {
    ScriptedUi ui(Lenient());
    DialogEnvironment env = TestEnvironment();
    env.checksOn = false;
    Vars vars;
    auto positive = Field(vars, TPrvek::kWord, "/0", 4);
    EXPECT_TRUE(TypeAndLeave(*positive, ui, "0"_t, env));
    auto ranged = Field(vars, TPrvek::kWord, "", 2);
    ranged->Attach(ValueRange::Numbers(1, 12));
    EXPECT_FALSE(TypeAndLeave(*ranged, ui, "13"_t, env));
}

TEST(PrvekTest, AnInvalidDateGetsTheProgramDateAndKeepsTheFocus) {
    ScriptedUi ui(Lenient());
    Vars vars;
    auto field = Field(vars, TPrvek::kDate, "", 10);
    EXPECT_FALSE(TypeAndLeave(*field, ui, "5.13.2024"_t));
    ASSERT_EQ(1u, ui.Transcript().size());
    EXPECT_EQ(" INFORMACE", ui.Transcript()[0].title);
    EXPECT_EQ(std::vector<std::string>{"Chybné datum. [5.13.2024]"}, LastLines(ui));
    EXPECT_EQ("10. 6.2023"_t, field->EditText());
    // Left again, the program date passes.
    EXPECT_TRUE(field->Leave(ui, TestEnvironment()));
}

TEST(PrvekTest, AFarAwayYearAsksWhetherTheDateIsRight) {
    struct Case {
        const char* answer;
        bool accepted;
    } cases[] = {{"button 1", true}, {"button 2", false}, {"esc", false}};
    for (const Case& c : cases) {
        ScriptedUi ui;
        ui.LoadScript(c.answer);
        Vars vars;
        auto field = Field(vars, TPrvek::kDate, "", 10);
        EXPECT_EQ(c.accepted, TypeAndLeave(*field, ui, "1.1.1980"_t)) << c.answer;
        const TranscriptEntry& q = ui.Transcript().at(0);
        EXPECT_EQ(" ROZHODNUTÍ", q.title);
        EXPECT_EQ(std::vector<std::string>{" Je Vámi zadané datum [ 1. 1.1980] správné? "},
                  q.lines);
        EXPECT_EQ((std::vector<std::string>{" &Ano ", " &Ne, opravit datum "}), q.buttons);
    }
    // Thirty years away is still near enough.
    ScriptedUi ui;
    Vars vars;
    auto field = Field(vars, TPrvek::kDate, "", 10);
    EXPECT_TRUE(TypeAndLeave(*field, ui, "1.1.1993"_t));
}

TEST(PrvekTest, TextsAreNormalisedWhenLeft) {
    struct Case {
        const char* options;
        int maxLength;
        bool path;
        const char* typed;
        bool accepted;
        const char* text;
    } cases[] = {
        {"/?", 5, false, "AB", true, "AB???"},
        {"/Z", 5, false, " 12", true, "00012"},
        {"/R", 4, false, "24", true, "2024"},
        {"", 10, true, "data", true, "data/"},
        {"", 10, true, "data/", true, "data/"},
        {"", 10, true, "", true, ""},  // no root directory by accident
        {"", 10, true, "abcdefghij", false, "abcdefghij"},
    };
    for (const Case& c : cases) {
        ScriptedUi ui(Lenient());
        Vars vars;
        auto field = Field(vars, TPrvek::kText, c.options, c.maxLength);
        field->SetPathField(c.path);
        EXPECT_EQ(c.accepted, TypeAndLeave(*field, ui, FromUtf8(c.typed))) << c.typed;
        EXPECT_EQ(FromUtf8(c.text), field->EditText()) << c.typed;
    }
    ScriptedUi ui(Lenient());
    Vars vars;
    auto full = Field(vars, TPrvek::kText, "", 4);
    full->SetPathField(true);
    TypeAndLeave(*full, ui, "abcd"_t);
    EXPECT_EQ((std::vector<std::string>{"Poslední znak musí být \"/\".",
                                        "Položka je plná - nelze automaticky doplnit."}),
              LastLines(ui));
}

TEST(PrvekTest, NumbersAreShownInTheFieldsFormatWhenLeft) {
    CzechNumbers czech;
    struct Case {
        int type;
        const char* options;
        int maxLength;
        int width;
        const char* typed;
        const char* text;
    } cases[] = {
        {TPrvek::kWord, "", 4, 0, "12", "  12"},
        {TPrvek::kWord, "/Z", 4, 0, "12", "0012"},
        {TPrvek::kLongint, "", 6, 0, "5-", "    -5"},
        {TPrvek::kLongint, "", 6, 0, "", "     0"},  // empty is 0
        {TPrvek::kDouble, "", 10, 10, "1234,5", "  1 234,50"},
        {TPrvek::kDouble, "", 10, 10, "-0,001", "      0,00"},
        {TPrvek::kDouble, "/T", 10, 10, "1234.5", "   1234,50"},
    };
    for (const Case& c : cases) {
        ScriptedUi ui(Lenient());
        Vars vars;
        auto field = Field(vars, c.type, c.options, c.maxLength, 2, c.width);
        EXPECT_TRUE(TypeAndLeave(*field, ui, FromUtf8(c.typed))) << c.typed;
        EXPECT_EQ(FromUtf8(c.text), field->EditText()) << c.typed;
    }
}

TEST(PrvekTest, AValueShownAsAsterisksKeepsItsValue) {
    ScriptedUi ui(Lenient());
    Vars vars;
    vars.number = 123456789;
    auto field = Field(vars, TPrvek::kDouble, "", 8, 2);
    EXPECT_EQ("********"_t, field->EditText());
    EXPECT_TRUE(field->Leave(ui, TestEnvironment()));
    EXPECT_EQ("********"_t, field->EditText());
    vars.number = 0;
    field->WriteBack();
    EXPECT_EQ(123456789, vars.number);  // not read back from the asterisks
}

TEST(PrvekTest, TheSumsHookGetsEveryAcceptedValue) {
    ScriptedUi ui(Lenient());
    Vars vars;
    std::vector<double> seen;
    auto field = Field(vars, TPrvek::kDouble, "", 10, 2);
    EXPECT_TRUE(field->Attach(SumsHook{[&](double v) { seen.push_back(v); }}));
    TypeAndLeave(*field, ui, "12,345"_t);
    TypeAndLeave(*field, ui, "-3"_t);
    EXPECT_EQ((std::vector<double>{12.35, -3}), seen);  // at the field's decimals
    auto word = Field(vars, TPrvek::kWord, "", 4);
    EXPECT_FALSE(word->Attach(SumsHook{[](double) {}}));
}

TEST(PrvekTest, DecimalsComeFromTheAttachedByteWhenShown) {
    CzechNumbers czech;
    Vars vars;
    vars.number = 2.5;
    std::uint8_t decimals = 3;
    auto field = Field(vars, TPrvek::kDouble, "", 8, 2);
    EXPECT_EQ("    2,50"_t, field->EditText());
    field->Attach(DecimalsSource{&decimals});
    EXPECT_EQ("   2,500"_t, field->EditText());
    decimals = 0;
    field->Reload();
    EXPECT_EQ("       3"_t, field->EditText());
}

TEST(PrvekTest, EnteringAnEmptyDatePresetsTheProgramDate) {
    Vars vars;
    auto field = Field(vars, TPrvek::kDate, "", 10);
    DialogEnvironment env = TestEnvironment();
    field->Enter(env);
    EXPECT_EQ("10. 6.2023"_t, field->EditText());
    EXPECT_EQ(10, field->SelLength());  // all selected: typing replaces the date
    env.dateDayOverwrite = true;
    field->SetEditText({});
    field->Enter(env);
    EXPECT_EQ(0, field->SelStart());
    EXPECT_EQ(2, field->SelLength());  // only the day, for overtyping
    field->TypeChar('2');
    field->TypeChar('4');
    EXPECT_EQ("24. 6.2023"_t, field->EditText());
    // A stored date is shown in the field's own form.
    vars.text = " 5. 3.2024"_t;
    EXPECT_EQ("05.03.2024"_t, Field(vars, TPrvek::kDate, "/Z", 10)->EditText());
    vars.text.clear();
    // "/D": the date may stay empty.
    auto optional = Field(vars, TPrvek::kDate, "/D", 10);
    EXPECT_EQ("  .  .    "_t, optional->EditText());
    optional->Enter(env);
    EXPECT_EQ("  .  .    "_t, optional->EditText());
    vars.text = "x"_t;
    optional->WriteBack();
    EXPECT_EQ(""_t, vars.text);
}

TEST(PrvekTest, APickerGetsTheValueAndReplacesIt) {
    Vars vars;
    vars.word = 7;
    auto field = Field(vars, TPrvek::kWord, "", 4);
    Text offered;
    field->Attach(CiselnikIndex{[&](Text& value, int index) {
                                    offered =
                                        value + "#"_t + Text::FromBytes(std::to_string(index));
                                    value = "42"_t;
                                    return PickResult::Chosen;
                                },
                                5});
    EXPECT_EQ(PickResult::Chosen, field->RunPicker());
    EXPECT_EQ("7#5"_t, offered);
    EXPECT_EQ("  42"_t, field->EditText());
    EXPECT_TRUE(field->NeedsCheck());
}

TEST(PrvekTest, WriteBackStoresEveryTypeIntoItsVariable) {
    ScriptedUi ui(Lenient());
    Vars vars;
    StrN<5> code;
    auto text = TPrvek::Make(1, 1, {}, 5, code, {}, TPrvek::kText, 0, 0);
    auto word = Field(vars, TPrvek::kWord, "", 4);
    auto longint = Field(vars, TPrvek::kLongint, "", 9);
    auto number = Field(vars, TPrvek::kDouble, "", 12, 2);
    TypeAndLeave(*text, ui, "AB12"_t);
    TypeAndLeave(*word, ui, "9999"_t);
    TypeAndLeave(*longint, ui, "-123456789"_t);  // nine characters, the sign among them
    TypeAndLeave(*number, ui, "1234,567"_t);
    for (TPrvek* f : {text.get(), word.get(), longint.get(), number.get()})
        f->WriteBack();
    EXPECT_EQ("AB12"_t, code.Get());
    EXPECT_EQ(9999, vars.word);
    EXPECT_EQ(-12345678, vars.longint);
    EXPECT_EQ(1234.57, vars.number);
}

}  // namespace
}  // namespace axo::ui
