// The values of print forms, each rule as a table: numbers as forms read them, value formats
// with their alignments and the fitting to a field (numbers that do not fit become "*"),
// print conditions with every operator, the functions with their rounding modes and the
// clamping of their arguments, and the reading of command lines and formats.
#include <gtest/gtest.h>

#include "printforms/FormConditions.h"
#include "printforms/FormFunctions.h"
#include "printforms/FormPrinter.h"
#include "printforms/FormValues.h"
#include "util/Cisla.h"
#include "util/Regional.h"

namespace axo::printforms {
namespace {

const RegionalSettings kCzech{',', ' '};

TEST(FormValuesTest, NumbersAsFormsReadThem) {
    ScopedRegionalSettings czech(kCzech);
    struct Case {
        Text text;
        std::optional<double> expected;
    } cases[] = {
        {"12"_t, 12},
        {" 1 234,50 "_t, 1234.5},  // thousands separator and regional decimal separator
        {"1234.5"_t, 1234.5},      // "." is always a decimal point
        {"-0,25"_t, -0.25},
        {"+3"_t, 3},
        {"0,1234567"_t, 0.123457},  // at most 6 decimals
        {"1,2,3"_t, std::nullopt},
        {"12a"_t, std::nullopt},
        {""_t, std::nullopt},
        {"-"_t, std::nullopt},
        {"1e5"_t, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ReadFormNumber(c.text)) << c.text;
}

TEST(FormValuesTest, FormatsAndFitting) {
    ScopedRegionalSettings czech(kCzech);
    struct Case {
        const char* format;
        Text value;
        int markerWidth;
        Text expected;  // formatted and fitted
    } cases[] = {
        {"", "abc"_t, 5, "abc  "_t},                     // shorter: blanks on the right
        {"", "abcdefgh"_t, 5, "abcde"_t},                // a longer text is cut
        {"", "   12,50"_t, 5, "12,50"_t},                // a number keeps its rightmost digits
        {"", "1 234,50"_t, 5, "*****"_t},                // ... unless that changes it
        {"", "-12,5"_t, 4, "****"_t},                    // losing the sign changes it
        {"~T~N~D~8:2", "1234.5"_t, 3, "   1 234,50"_t},  // amount in w + d + 1
        {"~T~N~D~3:2", "1234.5"_t, 3, "  1234"_t},       // decimals dropped to fit
        {"~T~N~D~2:0", "1234.5"_t, 3, "**"_t},           // does not fit at all
        {"~T~N~D~5:0", "108"_t, 9, "  108"_t},           // field takes w
        {"~T~A~D~3,", "abcdef"_t, 9, "abc"_t},           // text cut to w
        {"~T~V~D~4", "žluťoučký"_t, 9, "ŽLUŤ"_t},        // national upper case
        {"~T~C~D~6:2", "3.14159"_t, 3, "     3,14"_t},   // real with a comma
        {"~T~T~D~6:1", "2.25"_t, 3, "     2.3"_t},       // real with a point
        {"~T~U~D~6:2", "12.5"_t, 3, "    1250 "_t},      // without its decimal point
        {"~T~M~D~8", "12.5"_t, 3, "  12,500"_t},         // unit decimals 3
        {"~T~X~D~4", "abc"_t, 9, "abc "_t},              // any other type: as it is
        {"~D~6~Z~C", " ab "_t, 3, "  ab  "_t},           // centred
        {"~D~6~Z~L", "ab"_t, 3, "    ab"_t},             // padded on the left
        {"~D~6~Z~R", "  ab"_t, 3, "ab    "_t},           // padded on the right
        {"~D~6~Z~Q", "  ab"_t, 3, "ab    "_t},           // any other letter: right
        {"~D~6~Z~0", "42"_t, 3, "000042"_t},             // zeros on the left
        {"~Z~T", "  ab  "_t, 9, "  ab"_t},               // right-trimmed, field as long
        {"~Z~A", "  ab  "_t, 9, "ab"_t},                 // trimmed, field as long
        {"~D~6~Z~N", " ab"_t, 3, " ab   "_t},            // not aligned
        {"~d~4~z~l~t~a", "7"_t, 9, "   7"_t},            // codes in any case and order
    };
    for (const Case& c : cases) {
        const ValueFormat f = ParseValueFormat(Text::FromBytes(c.format));
        int width = c.markerWidth;
        bool clear = false;
        const Text formatted = FormatValue(c.value, f, 3, width, clear);
        EXPECT_EQ(c.expected, FitValue(formatted, width)) << c.format << " " << c.value;
    }
}

TEST(FormValuesTest, ConditionsWithEveryOperator) {
    AcronymTable a;
    a.Set("CASTKA"_t, " 150 "_t);
    a.Set("TYP"_t, "FA"_t);
    a.Set("PRAZDNE"_t, ""_t);
    struct Case {
        const char* condition;
        bool expected;
    } cases[] = {
        {"CASTKA>100", true},
        {"CASTKA<100", false},
        {"CASTKA=150", true},  // numbers compared as numbers
        {"CASTKA!150", false},
        {"CASTKA{150", true},
        {"CASTKA}151", false},
        {"TYP=\"FA\"", true},
        {"TYP!\"FA\"", false},
        {"TYP<\"ZZ\"", false},  // texts: "<" and ">" never hold ...
        {"TYP>\"AA\"", false},
        {"TYP{\"AA\"", true},  // ... "{" and "}" always do
        {"TYP}\"ZZ\"", true},
        {"PRAZDNE!\"\"", false},
        {"NEZNAMA=NEZNAMA", true},  // an unknown name stands for itself
        {"", true},                 // an empty test holds
        {"CASTKA", true},           // so does one without an operator
        {"(CASTKA>100) AND (TYP=\"FV\")", false},
        {"(CASTKA>100) OR (TYP=\"FV\")", true},
        {"(CASTKA<100) OR (TYP=\"FA\") AND (CASTKA=1)", false},  // left to right
        {"(CASTKA<100) XOR (TYP=\"FA\")", false},                // other words: unchanged
        {"(TYP=\"(A)\")", false},                                // quotes hide parentheses
        {"()", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ConditionHolds(Text::FromBytes(c.condition), a)) << c.condition;
}

TEST(FormValuesTest, FunctionsAndRounding) {
    ScopedRegionalSettings czech(kCzech);
    auto number = [](double x) { return NumberResultText(x); };
    struct Case {
        const char* value;
        Text expected;
    } cases[] = {
        {"@NAS(3;4)", number(12)},
        {"@nas( 2,5 ; CENA )", number(25)},  // names read in upper case, acronym arguments
        {"@DEL(1;0)", number(0)},
        {"@DEL1(1;0)", number(1)},
        {"@DEL(10;4)", number(2.5)},
        {"@SUM(1 000,5;TEXT)", number(1000.5)},  // a text counts as 0
        {"@MIN(1;3)", number(-2)},
        {"@DEL(10;3;2)", number(3.33)},       // to the nearest
        {"@DEL(20;3;2;D)", number(6.66)},     // down
        {"@DEL(10;3;2;N)", number(3.34)},     // up
        {"@NAS(1234;1;-2;N)", number(1300)},  // hundreds
        {"@SUM(2,5;0;0;x)", number(3)},
        {"@CDT(1234,5)", AmountInWords(1234.5, {})},
        {"@COP(JMENO;2;3)", "ovo"_t},
        {"@COP(Kratky;5;100)", "ky"_t},  // the argument itself, held inside the text
        {"@COP(Kratky;-3;2)", "Kr"_t},   // a position before the text starts it
        {"@COP(Kratky;20;2)", ""_t},     // beyond the text
        {"@COP(Kratky;1;-1)", ""_t},
        {"@IFPLN(ne;CENA;>;5;ano)", "ano"_t},
        {"@IFPLN(ne;CENA;<;5;ano)", "ne"_t},
        {"@IFPLN(ne;10,004;=;10;ano)", "ano"_t},  // "=" at two decimals
        {"@IFPLN(ne;10,01;!;10;ano)", "ano"_t},
        {"@IFPLN(ne;CENA;{;10;ano)", "ano"_t},
        {"@IFPLN(ne;CENA;};11;ano)", "ne"_t},
        {"@IFPLN(ne;JMENO;=;Novotová;CENA)", number(10)},  // a number prints as one
        {"@IFPLN(ne;JMENO;<;Z;ano)", "ne"_t},              // a text allows only = and !
        {"@IFPLN(ne;JMENO;!;Z;JMENO)", "Novotová"_t},
        {"@IFPLN(ne;1;?;1;ano)", "ne"_t},  // an unknown operator
        {"@NEZNAMA(1;2)", "@NEZNAMA(1;2)"_t},
        {"@NAS", "@NAS"_t},  // without "(" the value prints as it stands
        {"obyčejný text", "obyčejný text"_t},
        {"@SUM(1;2", number(3)},  // a missing ")" ends the arguments at the end
        // Eleven arguments: the eleventh is not read.
        {"@SUM(1;2;;;;;;;;;;99)", number(3)},
        // A name longer than 20 characters is cut and then unknown.
        {"@SUMSUMSUMSUMSUMSUMSUMSUM(1;2)", "@SUMSUMSUMSUMSUMSUMSUMSUM(1;2)"_t},
        // An argument longer than 40 characters is cut to 40.
        {"@COP(0123456789012345678901234567890123456789ABC;38;10)", "789"_t},
    };
    for (const Case& c : cases) {
        AcronymTable a;
        a.Set("CENA"_t, "10"_t);
        a.Set("JMENO"_t, "Novotová"_t);
        EXPECT_EQ(c.expected, EvaluateValue(FromUtf8(c.value), a)) << c.value;
    }
}

TEST(FormValuesTest, SumwaKeepsARunningTotal) {
    ScopedRegionalSettings czech(kCzech);
    AcronymTable a;
    a.Set("POCET"_t, "0"_t);
    for (int i = 0; i < 3; ++i)
        EvaluateValue("@SUMWA(POCET;1;;;POCET)"_t, a);
    EXPECT_EQ(NumberResultText(3), *a.Find("pocet"_t));
    EvaluateValue("@SUMWA(POCET;1)"_t, a);  // without a fifth argument nothing is stored
    EXPECT_EQ(NumberResultText(3), *a.Find("POCET"_t));
}

TEST(FormValuesTest, CommandLines) {
    struct Case {
        const char* line;
        bool command;
        const char* kind;
        const char* name;
        const char* value;
    } cases[] = {
        {"AKRONYM [NAZEV]  Jan ", true, "AKRONYM", "NAZEV", "  Jan"},  // leading blanks kept
        {" prikaz [ NOVASTRANA ] ", true, "PRIKAZ", "NOVASTRANA", ""},
        {"UCROZVRH [Rozvrh PAP]  2 ", true, "UCROZVRH", "Rozvrh PAP", "2"},
        {"AKRONYM NAZEV Jan", false, "", "", ""},
        {"AKRONYM [NAZEV Jan", false, "", "", ""},
    };
    for (const Case& c : cases) {
        const auto command = ParseFormCommand(FromUtf8(c.line));
        ASSERT_EQ(c.command, command.has_value()) << c.line;
        if (!command)
            continue;
        EXPECT_EQ(FromUtf8(c.kind), command->kind) << c.line;
        EXPECT_EQ(FromUtf8(c.name), command->name) << c.line;
        EXPECT_EQ(FromUtf8(c.value), command->value) << c.line;
    }
}

}  // namespace
}  // namespace axo::printforms
