// Caps Lock from the X server. Kept apart: the X11 headers define names the core uses.
#include "CapsLock.h"

#include <QGuiApplication>

#ifdef AXO_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace axo::gui {

bool CapsLockOn() {
#ifdef AXO_HAVE_XKB
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned state = 0;
        if (Display* display = x11->display();
            display && XkbGetIndicatorState(display, XkbUseCoreKbd, &state) == Success)
            return (state & 1u) != 0;
    }
#endif
    return false;
}

}  // namespace axo::gui
