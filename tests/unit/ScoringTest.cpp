// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scoring of points, sets and matches on the match flow alone: a
// scoreboard and a ranking board in memory, recorded dialogs and sound.

#include "MatchRig.h"

#include "match/CourtArt.h"

#include <gtest/gtest.h>

using namespace moka;

namespace {

class ScoringTest : public ::testing::Test, protected MatchRig
{
protected:
    ScoringTest()
    {
        // A match under way at round 1: both bars full.
        match.comBar = 0;
        match.userBar = 0;
        rally.level = 1;
        match.setNumber = 1;
        match.playerName = QStringLiteral("ABC");
    }

    // One decided point for `side` (1 player, 2 computer) after `hits` hits.
    bool point(int side, int hits)
    {
        rally.outSide = side;
        rally.rallyHits = hits;
        return flow.pointAward();
    }
};

} // namespace

TEST_F(ScoringTest, LifeBarsMoveByTheHitsOfTheRally)
{
    struct Case
    {
        int side, hits, comTop, userTop;
    };
    // 1 hit costs the computer 50, no hit costs the player 50, else 10 a hit.
    const Case cases[] = {{1, 1, -50, 0}, {1, 2, -20, 0}, {1, 0, 0, 0}, {1, 7, -70, 0},
                          {2, 0, 0, 50},  {2, 1, 0, 10},  {2, 3, 0, 30}};
    for (const Case &c : cases) {
        match.comBar = 0;
        match.userBar = 0;
        EXPECT_TRUE(point(c.side, c.hits));
        EXPECT_EQ(match.comBar, c.comTop) << c.side << "/" << c.hits;
        EXPECT_EQ(match.userBar, c.userTop) << c.side << "/" << c.hits;
        EXPECT_EQ(board.comTop, match.comBar); // shown as they move
        EXPECT_EQ(board.userTop, match.userBar);
    }
    EXPECT_EQ(match.userSets, 0);
    EXPECT_EQ(match.comSets, 0);
}

TEST_F(ScoringTest, ABarPushedToMinus250WinsTheSetButMinus249DoesNot)
{
    match.comBar = -239;
    EXPECT_TRUE(point(1, 1 + 1)); // 20 more: -259
    EXPECT_EQ(match.userSets, 1);
    EXPECT_EQ(board.userSets, 1);
    match.comBar = -229;
    EXPECT_TRUE(point(1, 2)); // -249: not yet
    EXPECT_EQ(match.userSets, 1);
    EXPECT_EQ(board.comTop, -249);
    match.userBar = 240;
    EXPECT_TRUE(point(2, 1)); // 250: the computer's set
    EXPECT_EQ(match.comSets, 1);
    EXPECT_EQ(board.comSets, 1);
    // After each set both bars are full again and the next set is announced.
    EXPECT_EQ(board.comTop, 0);
    EXPECT_EQ(board.userTop, 0);
    EXPECT_EQ(match.setNumber, 3);
    EXPECT_EQ(announcements(), (QStringList{QStringLiteral("Ｃランク - 第１回戦 ： 第 2 セット"),
                                            QStringLiteral("Ｃランク - 第１回戦 ： 第 3 セット")}));
    EXPECT_EQ(dialogs.infos[0].dialog, QColor(192, 192, 0));
    EXPECT_FALSE(dialogs.infos[0].panel.isValid());
}

// The counts show the sets won (the window turns a count of two red) until
// the round is won, then both go back to 0.
TEST_F(ScoringTest, MatchPointTurnsTheCountRedUntilTheNextRound)
{
    match.userSets = 1;
    match.comBar = -240;
    point(1, 5);
    EXPECT_EQ(board.userSets, 2);
    EXPECT_EQ(board.comSets, 0);
    match.comBar = -240;
    EXPECT_TRUE(point(1, 5)); // the third set: round 1 won
    EXPECT_EQ(rally.level, 2);
    EXPECT_EQ(board.userSets, 0);
    EXPECT_EQ(board.comSets, 0);
    EXPECT_EQ(match.userSets, 0);
    EXPECT_EQ(match.setNumber, 1);
    EXPECT_EQ(board.round, QStringLiteral("第 2回戦"));
    EXPECT_EQ(board.level, QStringLiteral("2"));
    EXPECT_EQ(announcements(), (QStringList{QStringLiteral("Ｃランク - 第１回戦 ： 第 2 セット"),
                                            QStringLiteral("あなたの勝ちです！"),
                                            QStringLiteral("Ｃランク - 第２回戦 ： 第 1 セット")}));
    // The won round is in the ranking.
    EXPECT_EQ(records.rankName[1], QStringLiteral("ABC"));
    EXPECT_EQ(records.rankStage[1], 1);
}

TEST_F(ScoringTest, RankHighlightMovesAfterRoundsThreeAndSixAndRankABringsTheHint)
{
    for (int level : {3, 6}) {
        rally.level = level;
        match.userSets = 2;
        match.comBar = -250 + 50;
        dialogs.infos.clear();
        ASSERT_TRUE(point(1, 1));
        EXPECT_EQ(rally.level, level + 1);
        EXPECT_EQ(board.rank, level == 3 ? 1 : 2);
        EXPECT_EQ(board.round, QStringLiteral("第 1回戦"));
        const QStringList said = announcements();
        if (level == 6) {
            ASSERT_EQ(said.size(), 3);
            EXPECT_EQ(said[1], QStringLiteral("Ａランクは「ボールの影」が有効です"));
            EXPECT_EQ(dialogs.infos[1].dialog, QColor(255, 0, 0));
            EXPECT_EQ(dialogs.infos[1].panel, QColor(255, 128, 255));
            EXPECT_EQ(said[2], QStringLiteral("Ａランク - 第１回戦 ： 第 1 セット"));
            EXPECT_EQ(dialogs.infos[2].dialog, QColor(192, 0, 192));
            EXPECT_EQ(appearance.courtColor, 2);
            EXPECT_EQ(appearance.racketColor, 7);
        } else {
            EXPECT_EQ(said.last(), QStringLiteral("Ｂランク - 第１回戦 ： 第 1 セット"));
            EXPECT_EQ(dialogs.infos.back().dialog, QColor(128, 128, 255));
            EXPECT_EQ(appearance.courtColor, 1);
        }
        // Painted in the new colours, and the court shown at once.
        const CourtArt drawn(platform);
        EXPECT_NE(flow.art().picB.image(), drawn.picB.image());
        EXPECT_NE(flow.art().picCOM.image(), drawn.picCOM.image());
        EXPECT_NE(flow.art().picCOMsh.image(), drawn.picCOMsh.image());
        EXPECT_EQ(view.shown, flow.art().picB.image());
    }
}

TEST_F(ScoringTest, ALostMatchEndsWithoutTouchingTheRanking)
{
    records.rankName[1] = QStringLiteral("ABC");
    records.rankStage[1] = 4;
    rally.level = 5;
    match.comSets = 2;
    match.userBar = 200;
    platform.virtualClock().advance(5000);
    device->starts.clear();
    EXPECT_FALSE(point(2, 0));
    EXPECT_EQ(announcements().last(), QStringLiteral("コンピュータの勝ちです！"));
    EXPECT_EQ(device->ids().back(), 107);
    EXPECT_EQ(records.rankStage[1], 4);
    EXPECT_EQ(rally.level, 5); // the full reset is the loop's business
}

TEST_F(ScoringTest, WinningRoundNineMakesAChampionWithoutARankingEntry)
{
    rally.level = 9;
    match.userSets = 2;
    match.comBar = -200;
    platform.virtualClock().advance(5000);
    device->starts.clear();
    EXPECT_FALSE(point(1, 5));
    ASSERT_FALSE(dialogs.infos.empty());
    EXPECT_EQ(dialogs.infos[0].text, QStringLiteral("あなたは「チャンピョン」です！"));
    EXPECT_EQ(dialogs.infos[0].dialog, QColor(255, 0, 0));
    EXPECT_EQ(dialogs.infos[0].panel, QColor(255, 255, 0));
    EXPECT_EQ(device->ids().front(), 106);
    EXPECT_EQ(rally.level, 9);
    EXPECT_EQ(records.rankName[0], QStringLiteral("ABC"));
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(records.rankName[static_cast<size_t>(i)].isEmpty());
    // The celebration, then the end command: the farewell and the window closed.
    EXPECT_EQ(board.celebrations, 1);
    EXPECT_EQ(dialogs.infos.back().text, QStringLiteral("お疲れさま．．．"));
    EXPECT_EQ(board.closes, 1);
}

TEST_F(ScoringTest, OddLevelsFromAnEditedFileAreAnnouncedWithQuestionMarks)
{
    rally.level = 10;
    flow.SET_INFO();
    EXPECT_EQ(announcements().last(), QStringLiteral("？？？第 1 セット"));
    EXPECT_EQ(dialogs.infos.back().dialog, QColor(0, 0, 0));
}

// Each set is announced with the chime (#101) and #102 sounds once the player
// has closed the announcement; the rank A hint before a round's first set
// chimes as well.
TEST_F(ScoringTest, SetAnnouncementsChimeAndSoundAgainWhenClosed)
{
    dialogs.onInfo = [this] { platform.virtualClock().advance(1000); }; // read, then OK
    struct Case
    {
        std::int32_t level, set;
        std::vector<int> sounds;
    };
    const Case cases[] = {{4, 2, {101, 102}}, {7, 1, {101, 101, 102}}, {7, 2, {101, 102}}};
    for (const Case &c : cases) {
        platform.virtualClock().advance(5000); // a set is played in between
        device->starts.clear();
        rally.level = c.level;
        match.setNumber = c.set;
        flow.SET_INFO();
        EXPECT_EQ(device->ids(), c.sounds) << "level " << c.level << ", set " << c.set;
    }
}
