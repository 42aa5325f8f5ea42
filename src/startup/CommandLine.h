// The desktop program's command line as the start-up takes it: parameter 1 the password,
// parameter 2 the client station of a multi-client installation, and "/U" parameters anywhere
// that preset the fiscal year, period and program date.
#pragma once

#include <string>
#include <vector>

#include "startup/Session.h"

namespace axo::startup {

/// The start-up options of the program's parameters (UTF-8, without the program name). The "/U"
/// parameters are not counted as parameters 1 and 2, so that a preset given alone is not taken
/// for the password.
StartUpOptions ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace axo::startup
