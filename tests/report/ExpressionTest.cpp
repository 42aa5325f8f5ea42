// The expression language, evaluated against a record of a running report: a numbered table of
// expressions with their values (precedence and associativity, types, nulls, dates, every
// function) and a numbered table of errors with their codes and positions.
#include <cmath>
#include <numbers>

#include "ReportTestSupport.h"

namespace axo::report::test {
namespace {

class ExpressionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        report_.dataSource = &rows_;
        report_.parametry = {"Firma s.r.o."_t, "15"_t, "7.5"_t};
        TRadekFunkce& celkem = report_.AddFunction();
        celkem.name = "Celkem"_t;
        celkem.expression = "#CISLO"_t;
        celkem.aggregation = kAggSum;
        TRadekFunkce& nazev = report_.AddFunction();
        nazev.name = "Nazev"_t;
        nazev.expression = "#NAZEV"_t;
        nazev.resultType = 1;
        report_.AddGroup("#NAZEV"_t);
        c_.Prepare();
        c_.Step(kStepFirst);
        c_.StartRun({2024, 3, 5, 8, 7, 6, 0});
        c_.LoadValues(LoadScope::kStart);
        c_.ComputeFunctions();
    }

    ScopedRegionalSettings regional_{RegionalSettings{',', ' '}};
    RowsBridge rows_{{{"CISLO", kFtFloat},
                      {"NAZEV", kFtString},
                      {"PRAZDNA", kFtFloat},
                      {"DATUM", kFtString},
                      {"POCET", kFtInteger}},
                     {{"12.5", "Abc", std::nullopt, "31.3.2023", "3"}}};
    TSestavaTyp report_;
    ReportComputation c_{report_};
};

constexpr int N = 1;  // type number
constexpr int T = 2;  // type text
constexpr int D = 5;  // type date
constexpr int kNull = -1;

TEST_F(ExpressionTest, Values) {
    struct Case {
        int n;
        const char* expr;
        double number;
        const char* text;  ///< nullptr: not compared
        int type;          ///< kNull: the value is null
    } cases[] = {
        // Precedence and associativity.
        {1, "2+3*4", 14, nullptr, N},
        {2, "-2^2", 4, "4", N},  // the minus binds first
        {3, "1 OR 0 AND 0", 1, "1", N},
        {4, "2^3^2", 64, "64", N},  // left to right
        {5, "10-4-3", 3, "3", N},
        {6, "2*(3+4)", 14, "14", N},
        {7, "1 < 2 = 1", 1, "1", N},  // (1 < 2) = 1
        {8, "NOT 1 = 0", 1, "1", N},  // (NOT 1) = 0
        {9, "-(2+3)*2", -10, "-10", N},
        {10, "7/2", 3.5, "3,5", N},
        {11, "2 ^ -1", 0.5, "0,5", N},
        {12, "1+2", 3, "12", N},  // "+" joins the texts of numbers too
        // "+" on texts and numbers; references.
        {13, "'A'+'B'", 0, "AB", T},
        {14, "'A'+1", 1, "A1", N},
        {15, "1+'A'", 1, "1A", N},
        {16, "'12'+'3'", 15, "123", T},
        {17, "#CISLO + 1", 13.5, "12,51", N},
        {18, "#NAZEV + '-' + #2", 0, "Abc-Abc", T},
        {19, "&1", 0, "Firma s.r.o.", T},
        {20, "&2 * 2", 30, "30", N},
        {21, "&3 + 0", 7.5, "7.50", N},
        {22, "@1", 12.5, "12,50", N},
        {23, "@NAZEV", 0, "Abc", T},
        {24, "%3 * 100 - %4 * 10 - %5", 90, "90", N},  // row 1, page 1, no total yet
        {25, "#POCET * 2", 6, "6", N},
        {26, "'It''s'", 0, "It's", T},
        // Comparisons and IN.
        {27, "'abc' < 'abd'", 1, "1", N},
        {28, "'10' < '9'", 1, "1", N},  // texts compare as texts
        {29, "10 < '9'", 0, "0", N},    // otherwise as numbers
        {30, "#NAZEV = 'Abc'", 1, "1", N},
        {31, "#NAZEV <> 'abc'", 1, "1", N},
        {32, "3 IN '1, 2, 3'", 1, "1", N},
        {33, "'B' IN 'A,B,C'", 1, "1", N},
        {34, "4 IN '1,2,3'", 0, "0", N},
        {35, "0 IN '0.0'", 0, "0", N},  // a zero item counts only by its text
        {36, "2 >= 2", 1, "1", N},
        {37, "2 <= 1", 0, "0", N},
        // Nulls.
        {38, "#PRAZDNA + 1", 0, nullptr, kNull},
        {39, "ISNULL(#PRAZDNA)", 1, "1", N},
        {40, "ISNULL(#CISLO)", 0, "0", N},
        {41, "IIF(#PRAZDNA > 0, 1, 2)", 0, nullptr, kNull},
        {42, "UPPER(#PRAZDNA)", 0, nullptr, kNull},
        {43, "NOT #PRAZDNA", 0, nullptr, kNull},
        // Functions.
        {44, "ABS(-3)", 3, "3", N},
        {45, "INT(-2.7)", -2, "-2", N},
        {46, "SGN(-5) + SGN(0) * 10", -1, nullptr, N},
        {47, "MAX(2,5) * 10 + MIN(2,5)", 52, nullptr, N},
        {48, "IIF(1, 'a', 'b')", 0, "a", T},
        {49, "IIF(0, 'a', 5)", 5, "5", N},
        {50, "IIF(#CISLO > 100, #CISLO / 0, 1)", 1, "1", N},  // the other branch is not run
        {51, "LEFT('Abcdef', 2) + RIGHT('Abcdef', 2)", 0, "Abef", T},
        {52, "SUBSTR('Abcdef', 2, 3)", 0, "bcd", T},
        {53, "SUBSTR('Abc', 0, 2)", 0, "Ab", T},
        {54, "LEFT('Abc', 99999999999) + LEFT('x', -1) + SUBSTR('Abc', 5, 2)", 0, "Abc", T},
        {55, "UPPER('žluťoučký kůň')", 0, "ŽLUŤOUČKÝ KŮŇ", T},
        {56, "LOWER('ČŘŽ Ab')", 0, "čřž ab", T},
        {57, "LTRIM('  a ') + RTRIM(' b  ') + ALLTRIM('  c  ')", 0, "a  bc", T},
        {58, "FORMAT(1234.5, '# ##0.00')", 0, "1 234,50", T},
        {59, "FORMAT(12.5, '# ##0.00')", 12.5, "12,50", T},
        {60, "FORMAT(1234567.891, '#,##0.00')", 0, "1 234 567,89", T},
        {61, "FORMAT(-5, '0.0')", -5, "-5,0", T},
        {62, "FORMAT(0.5, '0') + FORMAT(3, '000')", 4, "1003", T},
        {63, "FORMAT(-5, '0;(0);nula') + FORMAT(0, '0;(0);nula')", 0, "(5)nula", T},
        {64, "FORMAT(12345, '0.00E+00')", 0, "1,23E+04", T},
        {65, "FORMAT(1.5, '0.##') + '|' + FORMAT(1, '0.##')", 2.5, "1,5|1", T},
        {66, "FORMAT(7, 'Kč 0')", 0, "Kč 7", T},
        {67, "SIN(0) + COS(0) + EXP(0) + LOG(1) + TAN(0) + ASIN(0) + ACOS(1)", 2, nullptr, N},
        {68, "ATAN(1) * 4", std::numbers::pi, nullptr, N},
        {69, "ACOTG(1)", std::numbers::pi / 4, nullptr, N},
        {70, "COTG(1)", std::cos(1.0) / std::sin(1.0), nullptr, N},
        {71, "CHR(65) + CHR(0) + CHR(256) + CHR(65.4)", 0, "AA", T},
        {72, "ORD('A') + ORD('')", 65, nullptr, N},
        {73, "LENGTH('Abc') * 10 + POS('c', 'abcabc')", 33, nullptr, N},
        {74, "POS('', 'abc') + POS('x', 'abc')", 0, nullptr, N},
        {75, "YEAR([31.12.2023]) + MONTH(#DATUM) + DAY(' 5. 3.2024')", 2031, nullptr, N},
        {76,
         "HOUR([1.1.2024 13:45:10]) * 10000 + MINUTE([1.1.2024 13:45:10]) * 100 + "
         "SECOND([1.1.2024 13:45:10])",
         134510, nullptr, N},
        {77, "YEAR(%1) * 100 + MONTH(%1)", 202403, nullptr, N},
        {78, "FORMATDT([5.3.2024], 'dd.mm.yyyy')", 0, "05.03.2024", T},
        {79, "FORMATDT([5.3.2024], 'dddd d. mmmm yyyy')", 0, "úterý 5. březen 2024", T},
        {80, "FORMATDT([1.1.2024 8:05:09], 'hh:mm:ss')", 0, "08:05:09", T},
        {81, "FORMATDT(%1, '') + '|' + FORMATDT(%2, 'hh:nn:ss')", 0, " 5. 3.2024|08:07:06", T},
        {82, "STRTONUM('12,5') + STRTONUM('12.5') + STRTONUM(' -3')", 22, nullptr, N},
        {83, "STRTONUM('1 000') + STRTONUM('1,2,3') + STRTONUM('1E3')", 0, nullptr, N},
        {84, "NUMTOSTR(2.5) + '|' + NUMTOSTR(1E20)", 2.5, "2,5|1E20", T},
        {85, "ROUND(2.5) * 1000 + ROUND(3.5) * 100 + ROUND(2.6) * 10 + ROUND(-2.5)", 2428, nullptr,
         N},
        {86, "EXROUND(2.3, 0.5)", 2.5, "2,5", N},
        {87, "EXROUND(2.3, -0.25)", 2.25, "2,25", N},
        {88, "EXROUND(2.3, 0) + EXROUND(2, 0.5) + EXROUND(2.75, 0.5)", 7.3, nullptr, N},
        {89, "EXROUND(-2.3, 0.5)", -2.5, "-2,5", N},
        {90, "EXROUND(2.3, 0.1)", 2.3, "2,3", N},  // 0.3 is three steps of 0.1
        // Dates.
        {91, "[1.2.2024]", 45323, "1.2.2024", D},
        {92, "[1.2.2024] < [2.2.2024]", 1, "1", N},
        {93, "[31.2.2024]", 0, "31.2.2024", D},  // no date: number 0
        // The empty expression.
        {94, "   ", 0, "", 0},
    };
    for (const Case& c : cases) {
        ExprError error;
        const TCalcType v = c_.EvaluateText(FromUtf8(c.expr), Need::kText, &error);
        SCOPED_TRACE(testing::Message() << "case " << c.n << ": " << c.expr);
        EXPECT_EQ(0, error.code) << "at " << error.position;
        if (c.type == kNull) {
            EXPECT_TRUE(v.isNull);
            continue;
        }
        EXPECT_FALSE(v.isNull);
        EXPECT_EQ(c.type, static_cast<int>(v.type));
        EXPECT_NEAR(c.number, v.number, 1e-9);
        if (c.text) {
            EXPECT_EQ(c.text, ToUtf8(v.text));
        }
    }
}

TEST_F(ExpressionTest, Errors) {
    const std::string deep = std::string(41, '(') + "1" + std::string(41, ')');
    const std::string long256 = "1" + std::string(254, ' ') + "+";
    struct Case {
        int n;
        std::string expr;
        int code;
        int position;
    } cases[] = {
        {1, "#NEZNAMA", 1, 1},
        {2, "1 + FOO(1)", 1, 5},
        {3, "&X", 1, 1},
        {4, "#0", 1, 1},
        {5, "#99", 1, 1},  // five fields
        {6, "%8", 1, 1},   // five variables and two of the one group
        {7, "@3", 1, 1},
        {8, "1 + ?", 2, 5},
        {9, "1 2", 2, 3},
        {10, "ABS 1", 2, 5},
        {11, "+1", 2, 1},
        {12, "(1,2)", 2, 3},
        {13, "1 +", 2, 4},
        {14, "#", 2, 1},
        {15, deep, 3, 41},
        {16, long256, 3, 256},
        {17, std::string(60, '-') + "1", 3, 41},
        {18, "1)", 4, 2},
        {19, "(1", 5, 3},
        {20, "ABS(1", 5, 6},
        {21, "1/0", 6, 2},
        {22, "0^0", 6, 2},
        {23, "(-8)^0.5", 6, 5},
        {24, "2^2000", 6, 2},
        {25, "LOG(0)", 6, 1},
        {26, "2 * ASIN(2)", 6, 5},
        {27, "COTG(0)", 6, 1},
        {28, "1.2.3", 7, 1},
        {29, "12abc", 7, 1},
        {30, "1E123", 7, 1},
        {31, "1.", 7, 1},
        {32, "#1234", 7, 1},
        {33, "MAX(1)", 10, 6},
        {34, "ABS()", 10, 5},
        {35, "ABS(1,2)", 11, 6},
        {36, "IIF(1,2,3,4)", 11, 10},
        {37, "'abc", 12, 1},
        {38, "1 + [1.1.2024", 13, 5},
    };
    for (const Case& c : cases) {
        ExprError error;
        const TCalcType v = c_.EvaluateText(FromUtf8(c.expr), Need::kText, &error);
        EXPECT_EQ(c.code, error.code) << "case " << c.n << ": " << c.expr;
        EXPECT_EQ(c.position, error.position) << "case " << c.n << ": " << c.expr;
        // An expression with an error is the empty value.
        EXPECT_EQ(0, v.number) << "case " << c.n;
        EXPECT_EQ(Text(), v.text) << "case " << c.n;
    }
    EXPECT_EQ("Chyba : \"Dělení nulou nebo neplatná mocnina\" na pozici 2",
              ToUtf8(ExprCheckMessage({6, 2})));
    EXPECT_EQ("Výraz je v pořádku.", ToUtf8(ExprCheckMessage({})));
}

}  // namespace
}  // namespace axo::report::test
