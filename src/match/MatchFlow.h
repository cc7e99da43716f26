#pragma once

#include "rally/RallyHooks.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <memory>

namespace moka {

class CourtPointer;
class DataFile;
class Dialogs;
class Picture;
class PictureBox;
class Platform;
class RallyLoop;
class RankingBoard;
class Scoreboard;
class SoundModule;
class modDATA;
struct AppearanceState;
struct MatchState;
struct RallyState;
struct RecordTable;

// The match: the tournament and practice starts, the scoring of each point,
// the result of a set and a match, the announcements, the player's round and
// the champion. The life bars and the sets are held in MatchState; the main
// window shows them through Scoreboard and the ranking through RankingBoard,
// and the dialogs are reached through Dialogs. Every call is synchronous: a
// modal dialog or the celebration is over when the call that showed it goes
// on.
class MatchFlow : public RallyHooks
{
    Q_DECLARE_TR_FUNCTIONS(moka::MatchFlow)

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
    // The court the games are played on: its back buffer and visible
    // picture, the pictures the ball, the player's swing and the computer
    // are drawn from, and the pointer over it.
    struct Court
    {
        Picture &back;
        PictureBox &view;
        Picture &ball;
        Picture &roll;
        Picture &comRacket;
        Picture &comSwing;
        CourtPointer &pointer;
    };

    MatchFlow(const Game &game, const Court &court, Scoreboard &board, RankingBoard &ranking);
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
    void RESET_BOARD() override;
    bool pointAward() override;
    void showInterrupt() override;
    void CUR_NORMAL() override;

    // The frame loop of a game and the set-up between points.
    RallyLoop &loop() { return *m_loop; }

private:
    // Puts the ball (and in a tournament the computer) on court, plays the
    // game and clears the court; false when the program ends meanwhile.
    bool playGame(bool tournament);
    void announce(const QString &text, QColor dialogColour, QColor panelColour, int sound);
    void showRankOf(std::int32_t level);
    void showRoundOf(std::int32_t level);
    void showLifeBars();
    bool ending() const;

    Game m_game;
    Court m_court;
    Scoreboard &m_board;
    RankingBoard &m_ranking;
    std::unique_ptr<modDATA> m_data;
    std::unique_ptr<RallyLoop> m_loop;
};

} // namespace moka
