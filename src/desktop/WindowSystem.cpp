#include "desktop/WindowSystem.h"

#include <QByteArray>
#include <QtGlobal>

namespace moka {

void WindowSystem::choose()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                                qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    if (waylandSession && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        // X11 first; Wayland should the X server not answer after all.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
    }
}

} // namespace moka
