// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

namespace moka {

// The game's mouse codes: buttons 1 left, 2 right, 4 middle; shift state
// 1 Shift, 2 Ctrl, 4 Alt.
class MouseCodes
{
public:
    static int button(Qt::MouseButton b);
    static int buttons(Qt::MouseButtons b);
    static int shift(Qt::KeyboardModifiers m);
};

} // namespace moka
