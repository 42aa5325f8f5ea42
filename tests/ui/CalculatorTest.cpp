// The calculator: evaluating expressions, its line, confirming and cancelling.
#include "ui/Calculator.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"

namespace axo::ui {
namespace {

TEST(CalculatorTest, ExpressionsFollowTheUsualPrecedence) {
    struct Case {
        const char* expression;
        std::optional<double> value;
    } cases[] = {
        {"1+2*3", 7},          {"(1+2)*3", 9},
        {"10/4", 2.5},         {"1,5+1.5", 3},
        {"-3*-2", 6},          {"8-2-1", 5},  // left to right
        {"16/4/2", 2},         {"((2))", 2},
        {" 1 000 + 1 ", 1001}, {"+5", 5},
        {"2/0", std::nullopt}, {"1+", std::nullopt},
        {"", std::nullopt},    {"1..2", std::nullopt},
        {"(1", std::nullopt},  {"1)", std::nullopt},
        {"abc", std::nullopt}, {"999999999999999*10", std::nullopt},  // too large for an amount
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, EvaluateExpression(FromUtf8(c.expression))) << c.expression;
    EXPECT_EQ(std::nullopt, EvaluateExpression(Text(500, '(') + "1"_t + Text(500, ')')));
}

TEST(CalculatorTest, TheLineStartsWithTheValueAndBecomesTheResult) {
    testing::CzechNumbers czech;
    TKalkulatorAXO calculator(12.5);
    EXPECT_EQ("Kalkulačka"_t, TKalkulatorAXO::Title());
    EXPECT_EQ("12,5"_t, calculator.Line());
    for (char ch : "*2="_t)
        calculator.TypeChar(ch);
    EXPECT_EQ("25"_t, calculator.Line());
    EXPECT_FALSE(calculator.TypeChar('x'));
    calculator.TypeChar('/');
    calculator.TypeChar('0');
    EXPECT_FALSE(calculator.Confirm());
    EXPECT_EQ("Chybný výraz"_t, calculator.ErrorText());
    EXPECT_FALSE(calculator.Closed());
    calculator.KeyDown({Key::Backspace});
    calculator.TypeChar('3');
    calculator.KeyDown({Key::Enter});
    EXPECT_TRUE(calculator.Closed() && calculator.Confirmed());
    EXPECT_NEAR(8.333333333, calculator.Result().value_or(0), 1e-9);
    EXPECT_EQ("8,333333333"_t, calculator.Line());

    TKalkulatorAXO empty;
    EXPECT_EQ(""_t, empty.Line());
    empty.KeyDown({Key::Esc});
    EXPECT_TRUE(empty.Closed());
    EXPECT_FALSE(empty.Confirmed());
}

}  // namespace
}  // namespace axo::ui
