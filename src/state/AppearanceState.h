// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace moka {

// The colours last applied to the computer's racket (1–9) and to the court
// (scheme 0 clay, 1 blue, 2 purple). The computer reads them for its speeds.
struct AppearanceState
{
    std::int32_t racketColor = 0;
    std::int32_t courtColor = 0;
};

} // namespace moka
