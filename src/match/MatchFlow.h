// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "data/RankingBoard.h"
#include "rally/RallyHooks.h"
#include "rally/RallyLoop.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace moka {

class CourtArt;
class CourtPointer;
class CourtPresenter;
class DataFile;
class Dialogs;
class GameWindowCommands;
class Platform;
class SoundModule;
class modDATA;
struct AppearanceState;
struct MatchState;
struct RallyState;
struct RecordTable;

// The match: the tournament and practice starts, the scoring of each point,
// the result of a set and a match, the announcements, the player's round and
// the champion. The life bars and the sets are held in MatchState; what the
// board shows is announced as signals (connect them directly: the game goes
// on only once the window shows it), the window is asked the rest through
// GameWindowCommands and the dialogs are reached through Dialogs. Every call
// is synchronous: a modal dialog or the celebration is over when the call
// that showed it goes on.
class MatchFlow : public QObject, public RallyHooks, private RankingBoard
{
    Q_OBJECT

public:
    // The program's shared state and services.
    struct Game
    {
        Platform &platform;
        SoundModule &sound;
        Dialogs &dialogs;
        DataFile &dataFile;
        RallyState &rally;
        MatchState &match;
        AppearanceState &appearance;
        RecordTable &records;
    };
    // What the game buttons and the rank labels allow.
    enum class Buttons {
        Idle,      // a game or a practice may start; the stop button is dead
        SettingUp, // nothing may be pressed while a game is being set up
        Playing,   // only the stop button answers
    };
    Q_ENUM(Buttons)

    // The court is shown through `court`, its pointer set through `pointer`.
    MatchFlow(const Game &game, CourtPresenter &court, CourtPointer &pointer, GameWindowCommands &window);
    ~MatchFlow() override;
    MatchFlow(const MatchFlow &) = delete;
    MatchFlow &operator=(const MatchFlow &) = delete;

    // The buttons and labels of the main window.
    void cmdGAME_Click();         // a tournament game: registration, then play
    void cmdREN_Click();          // a practice game at the chosen level
    void cmdSTOP_Click();         // the interrupt, once the frame ends
    void cmdEND_Click();          // saves a played tournament, says goodbye, closes
    void lblRNK_Click(int index); // the practice level: rank C, B or A
    // Shift with the right button: on the computer's count while idle arms
    // the celebration preview, on the player's count then plays it.
    void lblCOM_MouseDown(int button, int shift);
    void lblUSER_MouseDown(int button, int shift);
    // A key pressed in the main window: Escape interrupts a ball in play.
    void keyDown(int keyCode);

    // The result of a won set, the announcement of the next set, the
    // player's round from the ranking, the champion's celebration.
    bool CHECK_RESULT();
    void SET_INFO();
    void CHECK_NAME();
    void SET_CHAMP_PFM();

    // The computer's racket and the court in the colours of the level.
    void SET_RAKET();
    void SET_COURT();

    // The record table: loaded from the folder `appPath` at start, changed
    // by won rounds and titles, saved by the end command.
    void LOAD_DATA(const QString &appPath);
    void SAVE_DATA();
    void SET_RANKING();
    void SET_CHAMPION();

    // The idle scoreboard and the scoring of a decided point.
    void RESET_BOARD();
    bool pointAward() override;
    bool resumeAfterInterrupt() override;

    // The court as its pictures hold it now, on the visible court.
    void showCourt();

    // The frame loop of a game and the set-up between points; the court's
    // pictures.
    RallyLoop &loop() { return *m_loop; }
    CourtArt &art() { return *m_art; }

signals:
    // The tops of the two magenta bars inside their frames: the computer's
    // runs from 0 (full) up to -250 (empty), the player's from 0 (full) down
    // to 250 (empty).
    void lifeBarsChanged(int comTop, int userTop);
    // The sets won, each count red from two sets on.
    void setCountsChanged(int comSets, int userSets);
    // The round within its rank ("第 2回戦") and the level over the
    // computer's count; empty texts for none.
    void roundChanged(const QString &round, const QString &level);
    // The rank label lit: 0 C, 1 B, 2 A.
    void rankChanged(int rank);
    void buttonsChanged(moka::MatchFlow::Buttons buttons);
    // The ranking board's six lines: 0 the champion, 1–4 the ranking, 5 the
    // current newcomer; their texts and backgrounds.
    void rankingLineChanged(int line, const QString &text);
    void rankingLineColoured(int line, const QColor &background);

private:
    // The ranking board, as the data module fills it.
    void setLine(int line, const QString &text) override { emit rankingLineChanged(line, text); }
    void setLineBackground(int line, QColor colour) override { emit rankingLineColoured(line, colour); }

    // Puts the ball (and in a tournament the computer) on court, plays the
    // game and clears the court; false when the program ends meanwhile.
    bool playGame(bool tournament);
    // A game over: the idle board, no player, no round.
    void tearDown();
    void announce(const QString &text, QColor dialogColour, QColor panelColour, int sound);
    // Rank A plays with the ball's shadow: said before its first set.
    void announceShadowRule();
    void showRankOf(std::int32_t level);
    void showRoundOf(std::int32_t level);
    void showLifeBars();
    bool ending() const;

    Game m_game;
    CourtPresenter &m_court;
    CourtPointer &m_pointer;
    GameWindowCommands &m_window;
    std::unique_ptr<CourtArt> m_art;
    std::unique_ptr<modDATA> m_data;
    std::unique_ptr<RallyLoop> m_loop;
};

} // namespace moka
