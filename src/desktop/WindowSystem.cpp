// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WindowSystem.h"

#include "desktop/X11Frame.h"

#include <QByteArray>
#include <QGuiApplication>
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

bool WindowSystem::canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool WindowSystem::canMaximize()
{
    if (!X11Frame::onX11() || !X11Frame::supports("_NET_WM_STATE"))
        return true;
    return X11Frame::supports("_NET_WM_STATE_MAXIMIZED_VERT") &&
           X11Frame::supports("_NET_WM_STATE_MAXIMIZED_HORZ");
}

} // namespace moka
