// The program's identity: name, version of the program and of the data it works with.
#pragma once

#include "util/Text.h"

namespace axo {

/// The data version this program works with; the data installation must carry the same one.
inline Text ProgramDataVersion() {
    return "2024W01"_t;
}
/// The version text shown in the system information.
inline Text ProgramVersionText() {
    return "2024W01/C1 05.03.2024"_t;
}
/// The build's own version number (from the build system).
inline const char* BuildVersion() {
    return AXO_PROGRAM_VERSION;
}

}  // namespace axo
