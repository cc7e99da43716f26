// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/MouseCodes.h"

namespace moka {

int MouseCodes::button(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int MouseCodes::buttons(Qt::MouseButtons b)
{
    return (b.testFlag(Qt::LeftButton) ? 1 : 0) | (b.testFlag(Qt::RightButton) ? 2 : 0) |
           (b.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int MouseCodes::shift(Qt::KeyboardModifiers m)
{
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace moka
