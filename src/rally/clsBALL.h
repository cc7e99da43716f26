// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/Ball.h"

namespace moka {

class Picture;
class Platform;
class SoundModule;
struct RallyState;

// The ball: moves by whole pixels each frame, bounces off the side walls and
// off the end walls beside the goal mouths, flies out through a goal mouth
// once past a player, and hops in a 28-frame rhythm shown by its shadow.
class clsBALL : public Ball
{
public:
    clsBALL(RallyState &rally, SoundModule &sound, Platform &platform, Picture &picB, const Picture &picBALL);

    void Task() override;
    std::int32_t X() const override { return m_x; }
    std::int32_t Y() const override { return m_y; }
    std::int32_t FactorX() const override { return m_factorX; }
    std::int32_t FactorY() const override { return m_factorY; }
    void setX(std::int32_t x) override { m_x = x; }
    void setY(std::int32_t y) override { m_y = y; }
    void setFactorX(std::int32_t f) override { m_factorX = f; }
    void setFactorY(std::int32_t f) override { m_factorY = f; }

    std::int32_t height() const { return m_height; }
    bool falling() const { return m_falling; }

private:
    // The ball reached an end line: through the goal mouth, or off the wall.
    void endLine(std::int32_t &nextX, std::int32_t &nextY, bool towardComputer);

    RallyState &m_rally;
    SoundModule &m_sound;
    Platform &m_platform;
    Picture &m_picB;
    const Picture &m_picBALL;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_factorX = 0;
    std::int32_t m_factorY = 0;
    std::int32_t m_height = 0;
    bool m_falling = false;
};

} // namespace moka
