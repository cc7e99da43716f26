#include "TestGame.h"

#include "app/frmMAIN.h"
#include "look/Looks.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace moka;

namespace {

class ScoringTest : public ::testing::Test
{
protected:
    ScoringTest()
    {
        game.start();
        m = game.app->mainWindow();
        // A match under way at round 1: both bars full.
        m->imgCOM->move(0, 0);
        m->imgUSER->move(0, 0);
        game.app->rally.level = 1;
        game.app->match.setNumber = 1;
        game.app->match.playerName = QStringLiteral("ABC");
    }

    // One decided point for `side` (1 player, 2 computer) after `hits` hits.
    bool point(int side, int hits)
    {
        game.app->rally.outSide = side;
        game.app->rally.rallyHits = hits;
        return m->pointAward();
    }

    QStringList announcements() const
    {
        QStringList out;
        for (const auto &info : game.dialogs->infos)
            out << info.text;
        return out;
    }

    TestGame game;
    frmMAIN *m = nullptr;
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
        m->imgCOM->move(0, 0);
        m->imgUSER->move(0, 0);
        EXPECT_TRUE(point(c.side, c.hits));
        EXPECT_EQ(m->imgCOM->y(), c.comTop) << c.side << "/" << c.hits;
        EXPECT_EQ(m->imgUSER->y(), c.userTop) << c.side << "/" << c.hits;
    }
    EXPECT_EQ(game.app->match.userSets, 0);
    EXPECT_EQ(game.app->match.comSets, 0);
}

TEST_F(ScoringTest, ABarPushedToMinus250WinsTheSetButMinus249DoesNot)
{
    m->imgCOM->move(0, -239);
    EXPECT_TRUE(point(1, 1 + 1)); // 20 more: -259
    EXPECT_EQ(game.app->match.userSets, 1);
    m->imgCOM->move(0, -229);
    EXPECT_TRUE(point(1, 2)); // -249: not yet
    EXPECT_EQ(game.app->match.userSets, 1);
    EXPECT_EQ(m->imgCOM->y(), -249);
    m->imgUSER->move(0, 240);
    EXPECT_TRUE(point(2, 1)); // 250: the computer's set
    EXPECT_EQ(game.app->match.comSets, 1);
    // After each set both bars are full again and the next set is announced.
    EXPECT_EQ(m->imgCOM->y(), 0);
    EXPECT_EQ(m->imgUSER->y(), 0);
    EXPECT_EQ(game.app->match.setNumber, 3);
    EXPECT_EQ(announcements(), (QStringList{QStringLiteral("Ｃランク - 第１回戦 ： 第 2 セット"),
                                            QStringLiteral("Ｃランク - 第１回戦 ： 第 3 セット")}));
    EXPECT_EQ(game.dialogs->infos[0].dialog, QColor(192, 192, 0));
    EXPECT_FALSE(game.dialogs->infos[0].panel.isValid());
}

TEST_F(ScoringTest, MatchPointTurnsTheCountRedUntilTheNextRound)
{
    MatchState &match = game.app->match;
    match.userSets = 1;
    m->imgCOM->move(0, -240);
    point(1, 5);
    EXPECT_EQ(m->lblUSER->text(), QStringLiteral("2"));
    EXPECT_EQ(Looks::labelText(m->lblUSER), QColor(255, 0, 0));
    EXPECT_EQ(Looks::labelText(m->lblCOM), QColor(255, 255, 0));
    m->imgCOM->move(0, -240);
    EXPECT_TRUE(point(1, 5)); // the third set: round 1 won
    EXPECT_EQ(game.app->rally.level, 2);
    EXPECT_EQ(Looks::labelText(m->lblUSER), QColor(255, 255, 0));
    EXPECT_EQ(m->lblUSER->text(), QStringLiteral("0"));
    EXPECT_EQ(match.userSets, 0);
    EXPECT_EQ(match.setNumber, 1);
    EXPECT_EQ(m->lblSET->text(), QStringLiteral("第 2回戦"));
    EXPECT_EQ(m->lblCOMg->text(), QStringLiteral("2"));
    const QStringList said = announcements();
    EXPECT_EQ(said, (QStringList{QStringLiteral("Ｃランク - 第１回戦 ： 第 2 セット"),
                                 QStringLiteral("あなたの勝ちです！"),
                                 QStringLiteral("Ｃランク - 第２回戦 ： 第 1 セット")}));
}

TEST_F(ScoringTest, RankHighlightMovesAfterRoundsThreeAndSixAndRankABringsTheHint)
{
    RallyState &rally = game.app->rally;
    MatchState &match = game.app->match;
    for (int level : {3, 6}) {
        rally.level = level;
        match.userSets = 2;
        m->imgCOM->move(0, -250 + 50);
        game.dialogs->infos.clear();
        ASSERT_TRUE(point(1, 1));
        EXPECT_EQ(rally.level, level + 1);
        const size_t lit = level == 3 ? 1 : 2;
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(Looks::labelBackground(m->lblRNK[i]),
                      i == lit ? QColor(0, 255, 0) : QColor(0, 128, 128));
        EXPECT_EQ(m->lblSET->text(), QStringLiteral("第 1回戦"));
        const QStringList said = announcements();
        if (level == 6) {
            ASSERT_EQ(said.size(), 3);
            EXPECT_EQ(said[1], QStringLiteral("Ａランクは「ボールの影」が有効です"));
            EXPECT_EQ(game.dialogs->infos[1].dialog, QColor(255, 0, 0));
            EXPECT_EQ(game.dialogs->infos[1].panel, QColor(255, 128, 255));
            EXPECT_EQ(said[2], QStringLiteral("Ａランク - 第１回戦 ： 第 1 セット"));
            EXPECT_EQ(game.dialogs->infos[2].dialog, QColor(192, 0, 192));
            EXPECT_EQ(game.app->appearance.courtColor, 2);
            EXPECT_EQ(game.app->appearance.racketColor, 7);
        } else {
            EXPECT_EQ(said.last(), QStringLiteral("Ｂランク - 第１回戦 ： 第 1 セット"));
            EXPECT_EQ(game.dialogs->infos.back().dialog, QColor(128, 128, 255));
            EXPECT_EQ(game.app->appearance.courtColor, 1);
        }
    }
}

TEST_F(ScoringTest, ALostMatchEndsWithoutTouchingTheRanking)
{
    game.app->records.rankName[1] = QStringLiteral("ABC");
    game.app->records.rankStage[1] = 4;
    game.app->rally.level = 5;
    game.app->match.comSets = 2;
    m->imgUSER->move(0, 200);
    game.platform.virtualClock().advance(5000);
    game.device->starts.clear();
    EXPECT_FALSE(point(2, 0));
    EXPECT_EQ(announcements().last(), QStringLiteral("コンピュータの勝ちです！"));
    EXPECT_EQ(game.device->ids().back(), 107);
    EXPECT_EQ(game.app->records.rankStage[1], 4);
    EXPECT_EQ(game.app->rally.level, 5); // the full reset is the loop's business
}

TEST_F(ScoringTest, WinningRoundNineMakesAChampionWithoutARankingEntry)
{
    game.app->rally.level = 9;
    game.app->match.userSets = 2;
    m->imgCOM->move(0, -200);
    game.platform.virtualClock().advance(5000);
    game.device->starts.clear();
    EXPECT_FALSE(point(1, 5));
    ASSERT_FALSE(game.dialogs->infos.empty());
    EXPECT_EQ(game.dialogs->infos[0].text, QStringLiteral("あなたは「チャンピョン」です！"));
    EXPECT_EQ(game.dialogs->infos[0].dialog, QColor(255, 0, 0));
    EXPECT_EQ(game.dialogs->infos[0].panel, QColor(255, 255, 0));
    EXPECT_EQ(game.device->ids().front(), 106);
    EXPECT_EQ(game.app->rally.level, 9);
    EXPECT_TRUE(game.platform.ending()); // the celebration ends with the end command
}

TEST_F(ScoringTest, OddLevelsFromAnEditedFileAreAnnouncedWithQuestionMarks)
{
    game.app->rally.level = 10;
    m->SET_INFO();
    EXPECT_EQ(announcements().last(), QStringLiteral("？？？第 1 セット"));
    EXPECT_EQ(game.dialogs->infos.back().dialog, QColor(0, 0, 0));
}

// Each set is announced with the chime (#101) and #102 sounds once the player
// has closed the announcement; the rank A hint before a round's first set
// chimes as well.
TEST_F(ScoringTest, SetAnnouncementsChimeAndSoundAgainWhenClosed)
{
    game.dialogs->onInfo = [this] { game.platform.virtualClock().advance(1000); }; // read, then OK
    struct Case
    {
        std::int32_t level, set;
        std::vector<int> sounds;
    };
    const Case cases[] = {{4, 2, {101, 102}}, {7, 1, {101, 101, 102}}, {7, 2, {101, 102}}};
    for (const Case &c : cases) {
        game.platform.virtualClock().advance(5000); // a set is played in between
        game.device->starts.clear();
        game.app->rally.level = c.level;
        game.app->match.setNumber = c.set;
        m->SET_INFO();
        EXPECT_EQ(game.device->ids(), c.sounds) << "level " << c.level << ", set " << c.set;
    }
}
