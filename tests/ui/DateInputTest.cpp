// Typed dates completed from the program date, years completed, days put into their month.
#include "ui/DateInput.h"

#include <gtest/gtest.h>

namespace axo::ui {
namespace {

const DateParts kProgramDate{10, 6, 2023};

TEST(DateInputTest, NormalisesTypedDatesAgainstTheProgramDate) {
    using S = DateInput::Status;
    struct Case {
        const char* typed;
        bool zeros;
        S status;
        const char* shown;
    } cases[] = {
        {"5.3", false, S::Valid, " 5. 3.2023"},         // year from the program date
        {"5.3", true, S::Valid, "05.03.2023"},          // "/Z": zeros for the blanks
        {"5", false, S::Valid, " 5. 6.2023"},           // month and year from the program date
        {".7", false, S::Valid, "10. 7.2023"},          // missing day from the program date
        {"", false, S::Valid, "10. 6.2023"},            // empty: the program date
        {"  .  .    ", false, S::Valid, "10. 6.2023"},  // no digit counts as empty
        {"31.2.2024", false, S::Valid, "29. 2.2024"},   // beyond the month: its last day
        {"29.2.2023", false, S::Valid, "28. 2.2023"},
        {"31.4", false, S::Valid, "30. 4.2023"},
        {"0.5.2024", false, S::Valid, " 1. 5.2024"},  // day 0 is the first
        {"1.1.49", false, S::Valid, " 1. 1.2049"},
        {"1.1.50", false, S::Valid, " 1. 1.2050"},
        {"1.1.51", false, S::Valid, " 1. 1.1951"},
        {"1.1.0", false, S::Valid, " 1. 1.2000"},
        {"1.1.99", false, S::Valid, " 1. 1.1999"},
        {"050323", false, S::Valid, " 5. 3.2023"},  // parts without "." are two characters
        {"0503", false, S::Valid, " 5. 3.2023"},
        {"5 3 24", false, S::Valid, " 5. 3.2024"},  // blanks inside the parts are dropped
        {"5.3.2024.", false, S::Valid, " 5. 3.2024"},
        {" 5. 3.2024", true, S::Valid, "05.03.2024"},
        {"5.13.2024", false, S::Invalid, "5.13.2024"},  // invalid: the typed text stays
        {"5.0.2024", false, S::Invalid, "5.0.2024"},
        {"1.1.12345", false, S::Invalid, "1.1.12345"},
    };
    for (const Case& c : cases) {
        const DateInput in = NormaliseDate(FromUtf8(c.typed), kProgramDate, c.zeros, false);
        EXPECT_EQ(c.status, in.status) << c.typed;
        EXPECT_EQ(FromUtf8(c.shown), in.text) << c.typed;
    }
}

TEST(DateInputTest, AnEmptyDateMayStayEmptyOnlyWhenAllowed) {
    const DateInput empty = NormaliseDate("  .  .    "_t, kProgramDate, false, true);
    EXPECT_EQ(DateInput::Status::Empty, empty.status);
    EXPECT_EQ("  .  .    "_t, empty.text);
    const DateInput typed = NormaliseDate("1.2"_t, kProgramDate, false, true);
    EXPECT_EQ(DateInput::Status::Valid, typed.status);
    EXPECT_EQ((DateParts{1, 2, 2023}), typed.date);
}

}  // namespace
}  // namespace axo::ui
