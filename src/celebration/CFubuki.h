// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/Particle.h"

#include <cstdint>

namespace moka {

struct CelebrationState;

// One piece of confetti: starts somewhere in the top-left part of the screen,
// falls down and to the right at its own speed while tumbling through the
// eight frames of its row of the sprite sheet, and removes itself once it has
// passed the bottom or right edge.
class CFubuki : public Particle
{
public:
    // Draws six random numbers for its place, speed, colour and first frame.
    explicit CFubuki(CelebrationState &state);

    const QString &ID() const override { return m_id; }
    void Task() override;

    static constexpr int cell = 16; // sprite size on the sheet

    std::int32_t X() const { return m_x; }
    std::int32_t Y() const { return m_y; }
    std::int32_t speedX() const { return m_speedX; }
    std::int32_t speedY() const { return m_speedY; }
    std::int32_t row() const { return m_row; }
    std::int32_t frame() const { return m_frame; }

private:
    CelebrationState &m_state;
    QString m_id;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_speedX = 0;
    std::int32_t m_speedY = 0;
    std::int32_t m_row = 0;
    std::int32_t m_frame = 0;
};

} // namespace moka
