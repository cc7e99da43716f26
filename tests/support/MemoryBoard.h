// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "data/RankingBoard.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <array>

// The six ranking lines held in memory, starting with the look the main
// window's layout gives them, and counting every change. Filled by the data
// module itself, or by the match flow's announcements (listenTo).
class MemoryBoard : public moka::RankingBoard
{
public:
    MemoryBoard()
    {
        texts[0] = QStringLiteral(" P\uFF1A");
        texts[5] = QStringLiteral(" N:");
        backgrounds.fill(QColor(0, 0, 0));
        backgrounds[0] = QColor(128, 0, 128);
    }
    void setLine(int line, const QString &text) override
    {
        texts.at(line) = text;
        ++changes;
    }
    QString line(int line) const { return texts.at(line); }
    void setLineBackground(int line, QColor colour) override
    {
        backgrounds.at(line) = colour;
        ++changes;
    }
    QColor lineBackground(int line) const { return backgrounds.at(line); }

    // Records the lines `flow` announces from now on (any object with the
    // match flow's ranking signals).
    template <typename Flow> void listenTo(Flow &flow)
    {
        QObject::connect(&flow, &Flow::rankingLineChanged,
                         [this](int line, const QString &text) { setLine(line, text); });
        QObject::connect(&flow, &Flow::rankingLineColoured,
                         [this](int line, const QColor &colour) { setLineBackground(line, colour); });
    }

    std::array<QString, 6> texts;
    std::array<QColor, 6> backgrounds;
    int changes = 0;
};
