// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "match/GameWindowCommands.h"
#include "match/MatchFlow.h"

#include <QObject>
#include <QString>

#include <functional>

// The main window's scoreboard held in memory: what the match flow announced
// last, and how often the celebration played and the window was closed.
class MemoryScoreboard : public moka::GameWindowCommands
{
public:
    using Buttons = moka::MatchFlow::Buttons;

    // Records what `flow` announces from now on, as the window would show it.
    void listenTo(moka::MatchFlow &flow)
    {
        using moka::MatchFlow;
        QObject::connect(&flow, &MatchFlow::lifeBarsChanged, [this](int com, int user) {
            comTop = com;
            userTop = user;
        });
        QObject::connect(&flow, &MatchFlow::setCountsChanged, [this](int com, int user) {
            comSets = com;
            userSets = user;
        });
        QObject::connect(&flow, &MatchFlow::roundChanged,
                         [this](const QString &roundText, const QString &levelText) {
                             round = roundText;
                             level = levelText;
                         });
        QObject::connect(&flow, &MatchFlow::rankChanged, [this](int lit) { rank = lit; });
        QObject::connect(&flow, &MatchFlow::buttonsChanged, [this](Buttons shown) { buttons = shown; });
    }

    void celebrate() override
    {
        ++celebrations;
        if (onCelebrate)
            onCelebrate();
    }
    void closeSplash() override {}
    void focusCourt() override {}
    void closeWindow() override { ++closes; }

    std::int32_t comTop = 0, userTop = 0;
    std::int32_t comSets = 0, userSets = 0;
    QString round, level;
    int rank = 0;
    Buttons buttons = Buttons::Idle;
    int celebrations = 0;
    int closes = 0;
    std::function<void()> onCelebrate;
};
