// The titles of the seventeen PAP statements and the captions the menu gives them.
#pragma once

#include "util/Text.h"

namespace axo::pap {

inline constexpr int kStatementCount = 17;

/// The title of statement n (1-17); empty for any other n.
Text StatementTitle(int n);
/// The menu caption of statement n: its Roman numeral right-aligned in 5 characters, ". " and
/// the title ("   IV. DNM a DHM - ..."); empty for a number outside 1-17.
Text StatementCaption(int n);

}  // namespace axo::pap
