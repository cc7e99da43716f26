// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "data/RankingBoard.h"

#include "look/Palette.h"

namespace moka {

void RankingBoard::markLine(int line)
{
    for (int i = 1; i <= 5; ++i)
        setLineBackground(i, kBlack);
    if (line >= 1 && line <= 5)
        setLineBackground(line, kBlue);
}

} // namespace moka
