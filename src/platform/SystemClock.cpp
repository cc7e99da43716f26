// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SystemClock.h"

namespace moka {

SystemClock::SystemClock() { m_timer.start(); }

std::int64_t SystemClock::nowMs() const { return m_timer.elapsed(); }

} // namespace moka
