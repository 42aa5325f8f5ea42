// Whether Caps Lock is on, for the password prompt's warning.
#pragma once

namespace axo::gui {

/// Asks the X server where the program runs under X11; false elsewhere (the prompt then tells
/// it from the letters typed).
bool CapsLockOn();

}  // namespace axo::gui
