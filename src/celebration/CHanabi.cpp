// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/CHanabi.h"

#include "celebration/CelebrationState.h"
#include "platform/Picture.h"

#include <cmath>

namespace moka {

CHanabi::CHanabi(CelebrationState &state)
    : m_state(state)
    , m_centreX(state.screenW / 2)
    , m_centreY(state.screenH / 3)
    , m_colour(state.burstColor)
{
    m_id = QStringLiteral("H") + QString::number(state.NEXT_NO ? state.NEXT_NO() : 0);
}

void CHanabi::Task()
{
    ++m_step;
    const double radius = 20.0 * m_step;
    const auto &cosTbl = m_state.cosTbl;
    const auto &sinTbl = m_state.sinTbl;
    const auto &eTbl = m_state.eTbl;
    // A step beyond the size table has no dots to draw; the burst still ends.
    const bool sized = m_step >= 1 && m_step <= static_cast<std::int32_t>(eTbl.size());
    if (sized && m_state.picAAA) {
        const std::int32_t e = eTbl[static_cast<size_t>(m_step - 1)];
        for (size_t k = 0; k < cosTbl.size(); ++k) {
            // Rounded to the nearest pixel, halves to even. Each dot has its
            // top-left corner on the ring; dots off the buffer are clipped.
            const auto x = static_cast<std::int32_t>(std::nearbyint(cosTbl[k] * 0.001 * radius + m_centreX));
            const auto y = static_cast<std::int32_t>(std::nearbyint(sinTbl[k] * 0.001 * radius + m_centreY));
            m_state.picAAA->fillRect(QRect(x, y, e, e), m_colour);
        }
    }
    if (m_step >= lifeFrames)
        m_state.particleList.remove(m_id);
}

} // namespace moka
