// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start of a tournament game and of a practice on the match flow alone.

#include "MatchRig.h"

#include "data/modDATA.h"
#include "match/CourtArt.h"
#include "rally/RallyLoop.h"

#include <gtest/gtest.h>

#include <utility>

using namespace moka;

TEST(MatchStart, ACancelledRegistrationGivesTheButtonsBack)
{
    MatchRig rig; // the recorded registration gives no name
    rig.board.buttons = MatchFlow::Buttons::Playing;
    MatchFlow::Buttons duringRegistration = MatchFlow::Buttons::Idle;
    rig.dialogs.onName = [&] { duringRegistration = rig.board.buttons; };
    rig.flow.cmdGAME_Click();
    EXPECT_EQ(rig.dialogs.names, 1);
    EXPECT_EQ(duringRegistration, MatchFlow::Buttons::SettingUp);
    EXPECT_EQ(rig.board.buttons, MatchFlow::Buttons::Idle);
    EXPECT_FALSE(rig.match.tournamentPlayed);
    EXPECT_FALSE(rig.rally.comActive || rig.rally.ballInPlay);
}

// The board as a game starts: the player's own row turns blue, every other
// row black; a ranked player resumes after the first entry of that exact
// name (a name the file holds twice), a newcomer at round 1 on the last row.
TEST(MatchStart, TheStartMarksThePlayersRowAndResumesAfterTheFirstEntryOfTheName)
{
    MatchRig rig;
    const std::array<std::pair<std::int32_t, const char *>, 5> file = {
        {{0, ""}, {7, "DUP"}, {5, "ABC"}, {3, "ABC"}, {2, "abc"}}};
    for (size_t i = 0; i < file.size(); ++i) {
        rig.records.rankStage[i] = file[i].first;
        rig.records.rankName[i] = QString::fromLatin1(file[i].second);
    }
    rig.ranking.setLine(5, modDATA::newcomerLine()); // as loaded
    struct Seen
    {
        std::int32_t level = -1;
        int blueRow = -1;
        int blackRows = 0;
        QString lastRow;
    };
    auto start = [&rig](const QString &name) {
        rig.match.playerName = name;
        rig.flow.CHECK_NAME();
        Seen seen;
        seen.level = rig.rally.level;
        for (int row = 1; row <= 5; ++row) {
            const QColor back = rig.ranking.lineBackground(row);
            if (back == QColor(0, 0, 255))
                seen.blueRow = row;
            seen.blackRows += back == QColor(0, 0, 0);
        }
        seen.lastRow = rig.ranking.line(5);
        return seen;
    };
    const Seen ranked = start(QStringLiteral("ABC"));
    EXPECT_EQ(ranked.level, 6);
    EXPECT_EQ(ranked.blueRow, 2);
    EXPECT_EQ(ranked.blackRows, 4);
    EXPECT_EQ(ranked.lastRow, QStringLiteral(" N： "));
    const Seen newcomer = start(QStringLiteral("NEW"));
    EXPECT_EQ(newcomer.level, 1);
    EXPECT_EQ(newcomer.blueRow, 5);
    EXPECT_EQ(newcomer.blackRows, 4);
    EXPECT_EQ(newcomer.lastRow, QStringLiteral(" N： NEW"));
}

// A practice at rank A starts with the shadow hint, before the first frame;
// at rank B it starts at once.
TEST(MatchStart, RankAGivesThePracticeTheShadowHintBeforePlay)
{
    for (int index : {2, 1}) {
        MatchRig rig;
        rig.flow.lblRNK_Click(index);
        bool stopped = false;
        rig.platform.onEvents = [&] {
            if (rig.flow.loop().cast().ball && !std::exchange(stopped, true))
                rig.flow.cmdSTOP_Click(); // the recorded interrupt abandons
        };
        rig.flow.cmdREN_Click();
        rig.platform.onEvents = nullptr;
        EXPECT_TRUE(stopped);
        EXPECT_EQ(rig.dialogs.cuts, 1);
        EXPECT_EQ(rig.board.buttons, MatchFlow::Buttons::Idle);
        if (index == 2) {
            ASSERT_EQ(rig.dialogs.infos.size(), 1u);
            EXPECT_EQ(rig.dialogs.infos[0].text, QStringLiteral("Ａランクは「ボールの影」が有効です"));
            EXPECT_EQ(rig.dialogs.infos[0].dialog, QColor(255, 0, 0));
            EXPECT_EQ(rig.dialogs.infos[0].panel, QColor(255, 128, 255));
        } else {
            EXPECT_TRUE(rig.dialogs.infos.empty());
        }
    }
}

// A game dropped at the interrupt (or lost, or stopped without a cause) is
// torn down by the match: the idle board, no sets, no round, no player, and
// the bare court shown.
TEST(MatchStart, AnAbandonedGameLeavesTheIdleBoardAndNoPlayer)
{
    MatchRig rig;
    rig.flow.lblRNK_Click(1);
    rig.match.userSets = 2;
    rig.match.comSets = 1;
    rig.match.setNumber = 4;
    rig.match.playerName = QStringLiteral("ABC");
    bool stopped = false;
    rig.platform.onEvents = [&] {
        if (rig.flow.loop().cast().ball && !std::exchange(stopped, true)) {
            rig.board.comTop = rig.board.userTop = 0;
            rig.board.round = QStringLiteral("?");
            rig.board.rank = 2;
            rig.ranking.setLineBackground(3, QColor(0, 0, 255));
            rig.flow.cmdSTOP_Click(); // the recorded interrupt discards
        }
    };
    rig.flow.cmdREN_Click();
    rig.platform.onEvents = nullptr;
    ASSERT_TRUE(stopped);
    EXPECT_EQ(rig.dialogs.cuts, 1);
    EXPECT_EQ(rig.match.userSets, 0);
    EXPECT_EQ(rig.match.comSets, 0);
    EXPECT_EQ(rig.match.setNumber, 0);
    EXPECT_TRUE(rig.match.playerName.isEmpty());
    EXPECT_EQ(rig.rally.level, 0);
    EXPECT_FALSE(rig.rally.ballInPlay || rig.rally.comServeWait || rig.rally.swingActive);
    EXPECT_EQ(rig.flow.loop().cast().ball, nullptr);
    // The board back to idle.
    EXPECT_EQ(rig.board.comTop, -250);
    EXPECT_EQ(rig.board.userTop, 250);
    EXPECT_EQ(rig.board.comSets + rig.board.userSets, 0);
    EXPECT_TRUE(rig.board.round.isEmpty() && rig.board.level.isEmpty());
    EXPECT_EQ(rig.board.rank, 0);
    EXPECT_EQ(rig.ranking.lineBackground(3), QColor(0, 0, 0));
    EXPECT_EQ(rig.board.buttons, MatchFlow::Buttons::Idle);
    EXPECT_EQ(rig.view.shown, rig.flow.art().picB.background()); // the bare court
}
