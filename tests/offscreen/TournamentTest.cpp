// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole tournament games on the virtual clock, through the real frame loop,
// the real registration and announcement dialogs and the real ranking file.
// A scripted player serves and hits like a person would; to decide a point
// quickly it then steers the ball: into the computer's goal mouth to win,
// into its own to lose.

#include "TestGame.h"

#include "app/frmMAIN.h"
#include "dialogs/frmCUT.h"
#include "dialogs/frmINFO.h"
#include "dialogs/frmNAME.h"
#include "rally/Ball.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <utility>

using namespace moka;

namespace {

// Win and Lose steer the ball once the player has hit it; Rally plays
// honestly and stops the game once the computer has returned `rallyTarget`
// shots.
enum class Plan { Win, Lose, Rally };

class Player
{
public:
    // A game whose ranking file lives in `folder` (a fresh one when empty).
    explicit Player(const QString &folder = {})
        : game({}, true)
    {
        if (!folder.isEmpty())
            game.platform.folder = folder;
        game.platform.onModal = [this](QDialog &dialog) { answer(dialog); };
        game.platform.onEvents = [this] { act(); };
        game.start();
        m = game.app->mainWindow();
    }
    ~Player()
    {
        game.platform.onEvents = nullptr;
        game.platform.onModal = nullptr;
    }

    QString file() const { return game.platform.folder + QStringLiteral("mokaru.dat"); }
    QByteArray fileBytes() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Presses "ゲーム" and plays as `plan` says until the game is over.
    void playGame(const QString &name, std::function<Plan()> plan)
    {
        m_name = name;
        m_plan = std::move(plan);
        m->cmdGAME->click();
        m_plan = nullptr;
    }

    // Rounds won in this run, in order.
    std::vector<int> roundsWon;
    QStringList announcements;
    int namesAsked = 0;
    int comReturns = 0; // shots the computer sent back, counted in the upper half
    int rallyTarget = 3;
    int typingMs = 0; // how long the player takes over the name, on the virtual clock
    int frames = 0;
    bool gaveUp = false;

    TestGame game;
    frmMAIN *m = nullptr;

private:
    void answer(QDialog &dialog)
    {
        if (auto *name = qobject_cast<frmNAME *>(&dialog)) {
            ++namesAsked;
            game.platform.virtualClock().advance(typingMs);
            name->cboNAME->setEditText(m_name);
            name->Command1->click();
        } else if (auto *info = qobject_cast<frmINFO *>(&dialog)) {
            announcements << info->lblGAME->text();
            info->cmdOK->click();
        } else if (auto *cut = qobject_cast<frmCUT *>(&dialog)) {
            cut->Command2->click(); // abandons: only reached when the script gave up
        } else {
            ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className();
            dialog.reject();
        }
    }

    // One look at the court per frame.
    void act()
    {
        if (!m)
            return;
        RallyState &rally = game.app->rally;
        Ball *ball = m->loop().cast().ball;
        if (!ball || !rally.comActive || !m_plan || game.platform.ending())
            return;
        if (m_lastLevel != 0 && m_lastLevel < std::numeric_limits<std::int32_t>::max() &&
            rally.level == m_lastLevel + 1)
            roundsWon.push_back(m_lastLevel);
        m_lastLevel = rally.level;
        if (rally.rallyHits > m_lastHits && ball->Y() < 256)
            ++comReturns;
        m_lastHits = rally.rallyHits;
        if (++frames > 100000 && !gaveUp) {
            gaveUp = true;
            m->cmdSTOP->click();
            return;
        }
        if (rally.comServeWait) {
            m->picP_MouseDown(1, 0, 140, 300); // lets the computer serve
            return;
        }
        const Plan plan = m_plan();
        if (plan == Plan::Rally && comReturns >= rallyTarget) {
            m_plan = nullptr;
            m->cmdSTOP->click(); // then abandons in the interrupt dialog
            return;
        }
        if (plan != Plan::Lose) {
            if (plan == Plan::Win && rally.rallyHits >= 1 && ball->FactorY() < 0 && ball->Y() > 20) {
                steer(*ball, 20, -24); // straight through the computer's goal mouth
                return;
            }
            // Swing at a ball in reach: one coming down high in its hop, or
            // the ball held for the player's serve.
            const bool coming = ball->FactorY() > 0 && ball->Y() > 330 && ball->Y() < 480 && !rally.ballLow;
            if ((coming || rally.userServeWait) && !rally.swingActive) {
                const double x = ball->X() + (ball->X() < 141 ? -6 : 6);
                const double y = ball->Y() + 8;
                m->picP_MouseMove(0, 0, x, y);
                m->picP_MouseDown(ball->X() < 141 ? 2 : 1, 0, x, y);
            }
        } else if (ball->FactorY() >= 0 && ball->Y() < 470) {
            steer(*ball, 480, 24); // into the player's own goal mouth
        }
    }

    static void steer(Ball &ball, std::int32_t y, std::int32_t factorY)
    {
        ball.setX(141);
        ball.setY(y);
        ball.setFactorX(0);
        ball.setFactorY(factorY);
    }

    QString m_name;
    std::function<Plan()> m_plan;
    std::int32_t m_lastLevel = 0;
    std::int32_t m_lastHits = 0;
};

QString rankingRow(int stage, const QString &name) { return QStringLiteral(" %1- %2").arg(stage).arg(name); }

} // namespace

// Puts a ranking file of `bytes` into the folder `path`.
static bool writeRanking(const QString &path, const QByteArray &bytes)
{
    QFile f(path + QStringLiteral("mokaru.dat"));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

TEST(Tournament, NewcomerClimbsLosesResumesInALaterRunAndBecomesChampion)
{
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');

    // Run 1: a newcomer wins round 1 and loses round 2.
    {
        Player p(path);
        ASSERT_EQ(p.fileBytes(), QByteArray("0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
        RallyState &rally = p.game.app->rally;
        p.playGame(QStringLiteral("ABC"), [&] { return rally.level <= 1 ? Plan::Win : Plan::Lose; });
        EXPECT_FALSE(p.gaveUp) << p.frames << " frames";
        EXPECT_EQ(p.namesAsked, 1);
        EXPECT_EQ(p.roundsWon, std::vector<int>{1});
        ASSERT_GE(p.announcements.size(), 2);
        EXPECT_EQ(p.announcements.first(), QStringLiteral("Ｃランク - 第１回戦 ： 第 1 セット"));
        // The won round is in the ranking, the lost one left it alone, and the
        // board is idle again.
        EXPECT_EQ(p.game.app->records.rankName[1], QStringLiteral("ABC"));
        EXPECT_EQ(p.game.app->records.rankStage[1], 1);
        EXPECT_EQ(p.m->lblRNKING[1]->text(), rankingRow(1, QStringLiteral("ABC")));
        EXPECT_EQ(p.m->lblRNKING[5]->text(), QStringLiteral(" N： "));
        EXPECT_EQ(rally.level, 0);
        EXPECT_FALSE(rally.comActive || rally.ballInPlay || rally.comServeWait);
        EXPECT_EQ(p.game.app->match.userSets, 0);
        EXPECT_EQ(p.game.app->match.comSets, 0);
        EXPECT_TRUE(p.m->cmdGAME->isEnabled());
        EXPECT_FALSE(p.m->cmdSTOP->isEnabled());
        // The file changes only when "終了" saves it.
        EXPECT_EQ(p.fileBytes(), QByteArray("0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
        p.m->cmdEND->click();
        EXPECT_EQ(p.game.platform.ends, 1);
        EXPECT_EQ(p.fileBytes(), QByteArray("0,\"\"\r\n1,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    }

    // Run 2: the ranked player resumes at round 2 and wins every round up to
    // the title; the celebration then ends the program, which saves.
    {
        Player p(path);
        EXPECT_EQ(p.m->lblRNKING[1]->text(), rankingRow(1, QStringLiteral("ABC")));
        p.playGame(QStringLiteral("ABC"), [] { return Plan::Win; });
        EXPECT_FALSE(p.gaveUp) << p.frames << " frames";
        EXPECT_EQ(p.roundsWon, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
        // Three sets a round, the rank A hint before each round of rank A,
        // seven won matches, the title and the farewell.
        EXPECT_EQ(p.announcements.count(QStringLiteral("あなたの勝ちです！")), 7);
        EXPECT_EQ(p.announcements.count(QStringLiteral("Ａランクは「ボールの影」が有効です")), 3);
        EXPECT_EQ(p.announcements.size(), 8 * 3 + 7 + 3 + 2);
        ASSERT_GE(p.announcements.size(), 2);
        EXPECT_EQ(p.announcements.at(p.announcements.size() - 2),
                  QStringLiteral("あなたは「チャンピョン」です！"));
        EXPECT_EQ(p.announcements.last(), QStringLiteral("お疲れさま．．．"));
        ASSERT_FALSE(p.announcements.isEmpty());
        EXPECT_EQ(p.announcements.first(), QStringLiteral("Ｃランク - 第２回戦 ： 第 1 セット"));
        EXPECT_EQ(p.game.platform.ends, 1);
        EXPECT_EQ(p.game.app->records.rankName[0], QStringLiteral("ABC"));
        EXPECT_EQ(p.game.app->records.rankStage[0], 10);
        EXPECT_EQ(p.fileBytes(), QByteArray("10,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    }

    // Run 3: the champion may not play; nothing changes. The file is put in a
    // form of its own (LF line ends, unquoted names) that a save would rewrite.
    {
        const QByteArray handWritten = "10,ABC\n0,\n0,\n0,\n0,\n";
        {
            QFile f(path + QStringLiteral("mokaru.dat"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(handWritten);
        }
        Player p(path);
        EXPECT_EQ(p.m->lblRNKING[0]->text(), QStringLiteral(" P： ABC"));
        p.game.device->starts.clear();
        p.game.platform.virtualClock().advance(1000); // the window's own chime is over
        p.typingMs = 2000;                            // and so is the game's, once the name is in
        p.playGame(QStringLiteral("ABC"), [] { return Plan::Win; });
        EXPECT_EQ(p.frames, 0);
        EXPECT_EQ(p.announcements, QStringList{QStringLiteral("チャンピョンはゲーム が出来ません")});
        // The start's chime, then the refusal's own sound; nothing else.
        EXPECT_EQ(p.game.device->ids(), (std::vector<int>{101, 107}));
        EXPECT_EQ(p.game.app->rally.level, 0);
        EXPECT_FALSE(p.game.app->match.tournamentPlayed);
        EXPECT_FALSE(p.game.app->rally.comActive || p.game.app->rally.ballInPlay);
        EXPECT_TRUE(p.m->cmdGAME->isEnabled());
        p.m->cmdEND->click();
        EXPECT_EQ(p.fileBytes(), handWritten);
    }
}

TEST(Tournament, ArmedPreviewLetsAChampionWinWithoutARecord)
{
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    ASSERT_TRUE(writeRanking(path, "10,\"OLD\"\r\n8,\"XYZ\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    Player p(path);
    p.m->lblCOM_MouseDown(2, 1); // Shift + right button while idle arms the preview
    ASSERT_TRUE(p.game.app->match.champPreview);
    p.playGame(QStringLiteral("XYZ"), [] { return Plan::Win; });
    EXPECT_EQ(p.roundsWon, std::vector<int>{});
    EXPECT_EQ(p.game.platform.ends, 1);
    // Round 9 was won and the program ended through the celebration, but the
    // title stays with the old champion and the file keeps XYZ at stage 8.
    EXPECT_EQ(p.game.app->records.rankName[0], QStringLiteral("OLD"));
    EXPECT_EQ(p.fileBytes(), QByteArray("10,\"OLD\"\r\n8,\"XYZ\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
}

TEST(Tournament, OnlyTheEndButtonAfterATournamentWritesTheFile)
{
    const QByteArray ranked("10,\"OLD\"\r\n3,\"XYZ\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n");
    auto fresh = [&](const QString &path) {
        QFile f(path + QStringLiteral("mokaru.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ranked);
    };
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');

    // "終了" without a tournament: nothing to save.
    fresh(path);
    {
        Player p(path);
        p.m->cmdEND->click();
        EXPECT_EQ(p.game.platform.ends, 1);
        EXPECT_EQ(p.fileBytes(), ranked);
    }
    // A won round, then the window closed by the window system: the round is
    // not saved.
    {
        Player p(path);
        RallyState &rally = p.game.app->rally;
        p.playGame(QStringLiteral("XYZ"), [&] { return rally.level <= 4 ? Plan::Win : Plan::Lose; });
        EXPECT_EQ(p.roundsWon, std::vector<int>{4});
        EXPECT_EQ(p.game.app->records.rankStage[1], 4);
        p.m->close();
        EXPECT_EQ(p.game.platform.ends, 1);
        EXPECT_EQ(p.fileBytes(), ranked);
    }
    // A cancelled registration still counts as no tournament.
    {
        Player p(path);
        p.playGame(QString(), [] { return Plan::Win; });
        EXPECT_EQ(p.namesAsked, 1);
        EXPECT_FALSE(p.game.app->match.tournamentPlayed);
        p.m->cmdEND->click();
        EXPECT_EQ(p.fileBytes(), ranked);
    }
    // "終了" in the middle of a game saves the rounds won so far.
    {
        Player p(path);
        RallyState &rally = p.game.app->rally;
        bool pressed = false;
        p.playGame(QStringLiteral("XYZ"), [&] {
            if (rally.level == 5 && !pressed) {
                pressed = true;
                QTimer::singleShot(0, p.m->cmdEND, [&p] { p.m->cmdEND->click(); });
            }
            return Plan::Win;
        });
        EXPECT_TRUE(pressed);
        EXPECT_EQ(p.roundsWon, std::vector<int>{4});
        EXPECT_EQ(p.game.platform.ends, 1);
        EXPECT_EQ(p.fileBytes(), QByteArray("10,\"OLD\"\r\n4,\"XYZ\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    }
}

TEST(Tournament, NoOtherGameStartsWhileATournamentIsBeingSetUp)
{
    // Clicks waiting while the registration is taken and the first set is
    // announced are handled inside the start of the tournament: the practice
    // button and the rank labels must be dead by then, or a practice runs
    // inside the start at the tournament's level and the tournament is lost.
    TestGame game;
    frmMAIN *m = nullptr;
    int clicksDuringSetUp = 0;
    int practiceFrames = 0;
    int tournamentFrames = 0;
    std::int32_t levelInPlay = -1;
    bool stopped = false;                       // once: a second click while interrupted resumes
    game.dialogs->name = QStringLiteral("ABC"); // registered; the recorded interrupt abandons
    game.platform.onEvents = [&] {
        if (!m || game.platform.ending())
            return;
        const RallyCast &cast = m->loop().cast();
        if (!cast.ball && game.app->match.setNumber == 1) {
            if (clicksDuringSetUp++ > 0)
                return;
            QTest::mouseClick(m->lblRNK[2], Qt::LeftButton);
            m->cmdREN->click();
        } else if (cast.ball && !cast.com) {
            ++practiceFrames;
            if (!std::exchange(stopped, true))
                m->cmdSTOP->click(); // the recorded interrupt abandons
        } else if (cast.com) {
            ++tournamentFrames;
            levelInPlay = game.app->rally.level;
            if (!std::exchange(stopped, true))
                m->cmdSTOP->click();
        }
    };
    game.start();
    m = game.app->mainWindow();
    m->cmdGAME->click();

    EXPECT_GT(clicksDuringSetUp, 0);
    EXPECT_EQ(practiceFrames, 0);
    EXPECT_GT(tournamentFrames, 0);
    EXPECT_EQ(levelInPlay, 1);
    // Abandoned: the buttons are back for the next game.
    EXPECT_TRUE(m->cmdGAME->isEnabled());
    EXPECT_TRUE(m->cmdREN->isEnabled());
    EXPECT_TRUE(m->lblRNK[0]->isEnabled());
    EXPECT_FALSE(m->cmdSTOP->isEnabled());
}

// Real rallies: the real ball, racket and computer, the player hitting only
// what it can reach. At every rank the computer reaches the player's shots
// and sends them back.
TEST(Tournament, TheComputerReturnsShotsAtEveryRank)
{
    for (const int stage : {0, 4, 7}) {
        SCOPED_TRACE("round " + std::to_string(stage + 1));
        QTemporaryDir folder;
        const QString path = folder.path() + QLatin1Char('/');
        ASSERT_TRUE(writeRanking(path, "0,\"\"\r\n" + QByteArray::number(stage) +
                                           ",\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
        Player p(path);
        std::int32_t level = 0;
        p.playGame(QStringLiteral("ABC"), [&] {
            level = p.game.app->rally.level;
            return Plan::Rally;
        });
        EXPECT_EQ(level, stage + 1);
        EXPECT_FALSE(p.gaveUp) << p.frames << " frames";
        EXPECT_GE(p.comReturns, p.rallyTarget) << p.frames << " frames";
    }
}

// A ranking file edited past the last round: stage 9 plays round 10, which
// is announced as "？？？" and can never lead to the title; the won round is
// saved as stage 10 and read back as it was written.
TEST(Tournament, StagesPastTheLadderArePlayedSavedAndReadBack)
{
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    ASSERT_TRUE(writeRanking(path, "0,\"\"\r\n9,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    {
        Player p(path);
        EXPECT_TRUE(p.game.platform.messages.isEmpty()) << p.game.platform.messages.join('|').toStdString();
        RallyState &rally = p.game.app->rally;
        p.playGame(QStringLiteral("ABC"), [&] { return rally.level <= 10 ? Plan::Win : Plan::Lose; });
        EXPECT_FALSE(p.gaveUp) << p.frames << " frames";
        EXPECT_EQ(p.roundsWon, std::vector<int>{10});
        EXPECT_TRUE(p.announcements.contains(QStringLiteral("？？？第 1 セット")));
        EXPECT_FALSE(p.announcements.contains(QStringLiteral("あなたは「チャンピョン」です！")));
        EXPECT_EQ(p.game.app->records.rankName[0], QString());
        p.m->cmdEND->click();
        EXPECT_EQ(p.fileBytes(), QByteArray("0,\"\"\r\n10,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    }
    Player p(path);
    EXPECT_TRUE(p.game.platform.messages.isEmpty()) << p.game.platform.messages.join('|').toStdString();
    EXPECT_EQ(p.game.app->records.rankName[1], QStringLiteral("ABC"));
    EXPECT_EQ(p.game.app->records.rankStage[1], 10);
    EXPECT_EQ(p.m->lblRNKING[1]->text(), rankingRow(10, QStringLiteral("ABC")));

    // The last stage with a next round: that round is played and, won,
    // recorded; the round after it cannot be counted, so play stays there
    // (no overflow), and the file it saves reads back as it was saved.
    ASSERT_TRUE(writeRanking(path, "0,\"\"\r\n2147483646,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
    {
        Player last(path);
        const QString won = QStringLiteral("あなたの勝ちです！");
        std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
        last.playGame(QStringLiteral("ABC"), [&] {
            lowest = std::min(lowest, last.game.app->rally.level);
            return last.announcements.count(won) == 0 ? Plan::Win : Plan::Lose;
        });
        EXPECT_FALSE(last.gaveUp) << last.frames << " frames";
        EXPECT_EQ(last.announcements.count(won), 1);
        EXPECT_EQ(lowest, std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(last.game.app->records.rankStage[1], std::numeric_limits<std::int32_t>::max());
        last.m->cmdEND->click();
    }
    Player kept(path);
    EXPECT_TRUE(kept.game.platform.messages.isEmpty()) << kept.game.platform.messages.join('|').toStdString();
    EXPECT_EQ(kept.game.app->records.rankName[1], QStringLiteral("ABC"));
    EXPECT_EQ(kept.game.app->records.rankStage[1], std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(kept.fileBytes(), QByteArray("0,\"\"\r\n2147483647,\"ABC\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n"));
}
