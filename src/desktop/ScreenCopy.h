// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

class QScreen;

namespace moka {

// Copies of what a screen shows, taken from the X server.
class ScreenCopy
{
public:
    // The X server's picture of `screen`, in device pixels, copied by the server
    // straight into memory shared with it: a screen-sized picture does not have
    // to travel through the connection and be copied again on arrival (at
    // 3840 × 2160 that is 33 MB twice). Null where this cannot be done (not X,
    // no shared memory, a server elsewhere, pixels other than 8-bit red, green
    // and blue in 32 bits); the caller then asks Qt.
    static QImage throughSharedMemory(const QScreen &screen);
};

} // namespace moka
