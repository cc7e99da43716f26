// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Clock.h"

namespace moka {

// A clock that only moves when told to: whole matches run in milliseconds.
class VirtualClock : public Clock
{
public:
    explicit VirtualClock(std::int64_t start = 0)
        : m_now(start)
    {
    }
    std::int64_t nowMs() const override { return m_now; }
    void advance(std::int64_t ms) { m_now += ms; }
    void set(std::int64_t ms) { m_now = ms; }

private:
    std::int64_t m_now;
};

} // namespace moka
