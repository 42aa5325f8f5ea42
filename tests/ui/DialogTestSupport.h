// What the dialog tests share: a fixed program date and clock, a lenient scripted front end
// whose messages are recorded, and a look at the last message shown.
#pragma once

#include <string>
#include <vector>

#include "ui/DialogElement.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"
#include "util/Regional.h"

namespace axo::ui::testing {

/// The clock of the tests: 1 February 2024, while the program date is 10 June 2023.
inline const FixedClock& TestClock() {
    static const FixedClock clock({2024, 2, 1, 9, 0, 0, 0});
    return clock;
}

inline DialogEnvironment TestEnvironment() {
    DialogEnvironment env;
    env.programDate = "10. 6.2023"_t;
    env.fiscalYearFirstDay = " 1. 1.2023"_t;
    env.fiscalYearLastDay = "31.12.2023"_t;
    env.clock = &TestClock();
    return env;
}

/// A scripted front end that answers what the script does not (messages confirmed).
inline ScriptedUi::Options Lenient() {
    ScriptedUi::Options o;
    o.strict = false;
    return o;
}

/// The lines of the last window shown, or none.
inline std::vector<std::string> LastLines(const ScriptedUi& ui) {
    return ui.Transcript().empty() ? std::vector<std::string>{} : ui.Transcript().back().lines;
}

/// Czech separators for the lifetime of a test.
struct CzechNumbers {
    ScopedRegionalSettings scope{RegionalSettings{',', ' '}};
};

}  // namespace axo::ui::testing
