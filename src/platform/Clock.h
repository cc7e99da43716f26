// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace moka {

// The millisecond clock the game's timing runs on. 64 bits, so it does not
// wrap around after 49.7 days as a 32-bit tick counter would.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

} // namespace moka
