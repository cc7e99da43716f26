// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/Particle.h"

#include <QRgb>

#include <cstdint>

namespace moka {

struct CelebrationState;

// One firework burst: a ring of 36 square dots around (screenW \ 2,
// screenH \ 3) that grows by 20 pixels a frame for 11 frames, its dots
// growing from 1 to 6 pixels and shrinking back, then removes itself.
class CHanabi : public Particle
{
public:
    // Takes the burst colour of the moment and the next number for its ID.
    explicit CHanabi(CelebrationState &state);

    const QString &ID() const override { return m_id; }
    void Task() override;

    static constexpr int lifeFrames = 11;

    std::int32_t X() const { return m_centreX; }
    std::int32_t Y() const { return m_centreY; }
    QRgb colour() const { return m_colour; }
    std::int32_t step() const { return m_step; }

private:
    CelebrationState &m_state;
    QString m_id;
    std::int32_t m_centreX;
    std::int32_t m_centreY;
    QRgb m_colour;
    std::int32_t m_step = 0;
};

} // namespace moka
