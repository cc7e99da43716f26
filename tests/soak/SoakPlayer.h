// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <random>

class QDialog;
class QWidget;

namespace moka {
class Application;
class VirtualPlatform;
class frmCUT;
class frmINFO;
class frmMAIN;
class frmNAME;
} // namespace moka

// A seeded random player. Between games it clicks anywhere on the main
// window with any button and modifier, presses keys, picks ranks, arms the
// celebration preview and starts games; in a game it serves and swings like
// a player, or clicks wildly, interrupts, resumes and abandons; it answers
// every dialog with its buttons, keys and, in the registration box, typing.
// Every input goes through Qt's event delivery to the widget under it.
//
// To get through whole tournaments in a reasonable number of inputs it may
// help a game along the way the tournament test does: once the player has
// hit the ball, the ball is set on course through the computer's goal mouth
// (or, to lose, through the player's own).
//
// After every event processing of the game the state is checked; the first
// inconsistency is reported through `onFailure`.
class SoakPlayer
{
public:
    SoakPlayer(std::uint64_t seed, long inputs);

    // Called with what is wrong; expected not to return.
    std::function<void(const QString &)> onFailure;

    // The program of the next run; detach() before it goes.
    void attach(moka::Application &app, moka::VirtualPlatform &platform);
    void detach();

    // One input with the program idle, from the top level.
    void idleInput();
    // Ends the run with the end button once the inputs are spent.
    void finish();
    // Hooks of the platform.
    void onEvents();
    void onModal(QDialog &dialog);
    void onMessage(const QString &text);

    bool done() const { return m_inputs >= m_target; }
    long inputs() const { return m_inputs; }
    // The last inputs, oldest first.
    QStringList history() const { return {m_history.begin(), m_history.end()}; }
    // How often each thing happened over the whole soak.
    const std::map<QString, long> &tally() const { return m_tally; }
    void count(const QString &what) { ++m_tally[what]; }

private:
    enum class Mood { Player, Wild };
    enum class Plan { None, Win, Lose };

    // Inputs, each counted and logged.
    void click(QWidget *widget, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods,
               const QString &what);
    void key(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers mods, const QString &what);
    void move(QWidget *widget, QPoint pos);
    void logInput(const QString &what);

    // What to do.
    void gameTurn();
    void playTurn();
    void wildInput();
    void courtClick(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void panelClick();
    void mainKey();
    void previewGesture(bool onUser);
    void celebrationInput(QWidget *celebration);
    void answerName(moka::frmNAME &dialog);
    void answerInfo(moka::frmINFO &dialog);
    void answerCut(moka::frmCUT &dialog);
    void newGame();
    void assist();
    void check();

    // Random choices.
    bool chance(double p);
    int pick(int low, int high);
    Qt::MouseButton anyButton();
    Qt::KeyboardModifiers anyMods();
    QString state() const;
    static QWidget *celebration();

    std::mt19937_64 m_rng;
    long m_target;
    long m_inputs = 0;
    std::deque<QString> m_history;
    std::map<QString, long> m_tally;

    moka::Application *m_app = nullptr;
    moka::VirtualPlatform *m_platform = nullptr;
    QPointer<moka::frmMAIN> m_main;
    int m_depth = 0;
    std::int64_t m_lastTime = 0;
    bool m_endClicked = false;
    const QWidget *m_celebration = nullptr;

    // The game being played.
    const void *m_gameBall = nullptr;
    Mood m_mood = Mood::Player;
    Plan m_plan = Plan::None;
    double m_winShare = 1.0;
    long m_gameFrames = 0;
    long m_gameBudget = 0;
    bool m_givingUp = false;
    std::int32_t m_lastLevel = 0;
    std::int32_t m_lastSets = 0;
};
