// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <limits>

namespace moka {

// The champion (entry 0) and the ranking (entries 1–4, best first), as kept
// in the ranking file. An empty name marks an empty entry; the stage of a
// ranked player is the last round won, the champion's is 10.
struct RecordTable
{
    std::array<QString, 5> rankName;
    std::array<std::int32_t, 5> rankStage{};

    // The round after `stage` (a ranked player's next round, the round after
    // a won one). 2147483647 has none and stays where it is.
    static constexpr std::int32_t nextRound(std::int32_t stage)
    {
        return stage < std::numeric_limits<std::int32_t>::max() ? stage + 1 : stage;
    }
};

} // namespace moka
