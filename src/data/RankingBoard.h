// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

namespace moka {

// The six lines of the ranking board on the main window: 0 the champion,
// 1–4 the ranking, 5 the current newcomer.
class RankingBoard
{
public:
    virtual ~RankingBoard() = default;
    virtual void setLine(int line, const QString &text) = 0;
    virtual void setLineBackground(int line, QColor colour) = 0;

    // Lines 1–5 black, then `line` blue when it is one of them (0: none).
    void markLine(int line);
};

} // namespace moka
