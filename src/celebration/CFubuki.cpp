// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/CFubuki.h"

#include "celebration/CelebrationState.h"
#include "platform/Picture.h"

#include <cmath>

namespace moka {

namespace {

// Int(r × n): the largest integer not above.
std::int32_t scaled(double r, std::int32_t n) { return static_cast<std::int32_t>(std::floor(r * n)); }

} // namespace

CFubuki::CFubuki(CelebrationState &state)
    : m_state(state)
{
    auto rnd = [&state] { return state.Rnd ? state.Rnd() : 0.0; };
    m_x = scaled(rnd(), state.screenW / 2);
    m_y = scaled(rnd(), state.screenH / 3);
    m_speedX = scaled(rnd(), 10) + 5;
    m_speedY = scaled(rnd(), 5) + 5;
    m_row = scaled(rnd(), 8);
    m_frame = scaled(rnd(), 8);
    m_id = QStringLiteral("F") + QString::number(state.NEXT_NO ? state.NEXT_NO() : 0);
}

void CFubuki::Task()
{
    m_x += m_speedX;
    m_y += m_speedY;
    if (m_state.picAAA && m_state.picQQQ)
        m_state.picAAA->bitBlt(m_x, m_y, cell, cell, *m_state.picQQQ, m_frame * cell, m_row * cell,
                               RasterOp::SrcPaint);
    ++m_frame;
    if (m_frame > 7)
        m_frame = 0;
    if (m_y > m_state.screenH || m_x > m_state.screenW)
        m_state.particleList.remove(m_id);
}

} // namespace moka
