#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace moka {

// The champion (entry 0) and the ranking (entries 1–4, best first), as kept
// in the ranking file. An empty name marks an empty entry; the stage of a
// ranked player is the last round won, the champion's is 10.
struct RecordTable
{
    std::array<QString, 5> rankName;
    std::array<std::int32_t, 5> rankStage{};
};

} // namespace moka
