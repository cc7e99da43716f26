// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

namespace moka {

// Monotonic wall clock, in milliseconds since the program started.
class SystemClock : public Clock
{
public:
    SystemClock();
    std::int64_t nowMs() const override;

private:
    QElapsedTimer m_timer;
};

} // namespace moka
