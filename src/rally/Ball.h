// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace moka {

// What the frame loop and the rackets need of the ball.
class Ball
{
public:
    virtual ~Ball() = default;
    virtual void Task() = 0;
    virtual std::int32_t X() const = 0;
    virtual std::int32_t Y() const = 0;
    virtual std::int32_t FactorX() const = 0;
    virtual std::int32_t FactorY() const = 0;
    virtual void setX(std::int32_t x) = 0;
    virtual void setY(std::int32_t y) = 0;
    virtual void setFactorX(std::int32_t f) = 0;
    virtual void setFactorY(std::int32_t f) = 0;
};

} // namespace moka
