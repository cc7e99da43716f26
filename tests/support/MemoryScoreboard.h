#pragma once

#include "match/Scoreboard.h"

#include <QString>

#include <functional>

// The main window's scoreboard held in memory: what it shows last, and how
// often the celebration played and the window was closed.
class MemoryScoreboard : public moka::Scoreboard
{
public:
    void showLifeBars(std::int32_t com, std::int32_t user) override
    {
        comTop = com;
        userTop = user;
    }
    void showSetCounts(std::int32_t com, std::int32_t user) override
    {
        comSets = com;
        userSets = user;
    }
    void showRound(const QString &roundText, const QString &levelText) override
    {
        round = roundText;
        level = levelText;
    }
    void showRank(int lit) override { rank = lit; }
    void showButtons(Buttons shown) override { buttons = shown; }
    void paintRacket(std::int32_t colour) override { racketColor = colour; }
    void paintCourt(std::int32_t colour) override { courtColor = colour; }
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
    std::int32_t racketColor = 1, courtColor = 0;
    int celebrations = 0;
    int closes = 0;
    std::function<void()> onCelebrate;
};
