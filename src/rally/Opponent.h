// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace moka {

// What the frame loop needs of the computer opponent.
class Opponent
{
public:
    virtual ~Opponent() = default;
    virtual void Task() = 0;
    virtual void setX(std::int32_t x) = 0;
    virtual void setY(std::int32_t y) = 0;
    // Speeds and reach for the current colours.
    virtual void SET_ASP() = 0;
};

} // namespace moka
