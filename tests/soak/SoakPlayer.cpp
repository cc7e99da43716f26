// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SoakPlayer.h"

#include <cstdio>

#include "StateCheck.h"
#include "VirtualPlatform.h"

#include "app/Application.h"
#include "app/frmMAIN.h"
#include "celebration/frmPFM.h"
#include "dialogs/frmCUT.h"
#include "dialogs/frmINFO.h"
#include "dialogs/frmNAME.h"
#include "look/PictureBox.h"
#include "look/Texts.h"
#include "rally/Ball.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace moka;

namespace {

// The names the player registers with most of the time, so that rankings
// carry over from run to run and some player climbs to the title.
const char *const kNames[] = {"ABC", "MOK", "XYZ", "RUN"};
// Characters the registration box must refuse.
const char kJunk[] = "0123456789 -,.!?\"'#@*";
// Pasted text: anything a clipboard may hold.
const char *const kPastes[] = {"AB",  "abc", "A\"B", "X,Y", "TOOLONG", "\xC3\xA9\xC3\xA9",
                               "A B", " Q",  "ZZZZZ"};
// Stop looking for a dialog's way out after this many inputs.
constexpr int kDialogInputs = 40;
// Inputs handled inside a handler's event processing, of those that take no
// time.
constexpr double kInstantShare = 0.01;
// Nested event processing the player takes part in.
constexpr int kDeepest = 3;
// A game with no input over this many frames is stuck.
constexpr long kStuckFrames = 200000;

QString describe(const QWidget *w)
{
    if (!w)
        return QStringLiteral("nothing");
    if (auto *b = qobject_cast<const QPushButton *>(w))
        return QStringLiteral("button ") + b->text();
    if (auto *l = qobject_cast<const QLabel *>(w); l && !l->text().isEmpty())
        return QStringLiteral("label ") + l->text().trimmed();
    if (!w->objectName().isEmpty())
        return w->objectName();
    return QString::fromLatin1(w->metaObject()->className());
}

QString buttonName(Qt::MouseButton b, Qt::KeyboardModifiers mods)
{
    QString s = b == Qt::LeftButton    ? QStringLiteral("L")
                : b == Qt::RightButton ? QStringLiteral("R")
                                       : QStringLiteral("M");
    if (mods & Qt::ShiftModifier)
        s += QStringLiteral("+Shift");
    if (mods & Qt::ControlModifier)
        s += QStringLiteral("+Ctrl");
    return s;
}

} // namespace

SoakPlayer::SoakPlayer(std::uint64_t seed, long inputs)
    : m_rng(seed)
    , m_target(inputs)
{
}

void SoakPlayer::attach(Application &app, VirtualPlatform &platform)
{
    m_app = &app;
    m_platform = &platform;
    m_main = nullptr;
    m_lastTime = platform.now();
    m_endClicked = false;
    m_gameBall = nullptr;
    m_celebration = nullptr;
}

void SoakPlayer::detach()
{
    m_app = nullptr;
    m_platform = nullptr;
    m_main = nullptr;
}

bool SoakPlayer::chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }

int SoakPlayer::pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

Qt::MouseButton SoakPlayer::anyButton()
{
    const int b = pick(0, 99);
    return b < 50 ? Qt::LeftButton : b < 85 ? Qt::RightButton : Qt::MiddleButton;
}

Qt::KeyboardModifiers SoakPlayer::anyMods()
{
    Qt::KeyboardModifiers mods;
    if (chance(0.2))
        mods |= Qt::ShiftModifier;
    if (chance(0.03))
        mods |= Qt::ControlModifier;
    return mods;
}

QString SoakPlayer::state() const
{
    if (!m_app)
        return {};
    const RallyState &r = m_app->rally;
    const MatchState &mt = m_app->match;
    return QStringLiteral("[level %1, set %2, sets %3-%4%5%6%7%8]")
        .arg(r.level)
        .arg(mt.setNumber)
        .arg(mt.userSets)
        .arg(mt.comSets)
        .arg(r.comActive ? QStringLiteral(", tournament") : QString())
        .arg(r.ballInPlay ? QStringLiteral(", in play") : QString())
        .arg(r.comServeWait ? QStringLiteral(", computer to serve") : QString())
        .arg(r.userServeWait ? QStringLiteral(", player to serve") : QString());
}

void SoakPlayer::logInput(const QString &what)
{
    ++m_inputs;
    const qint64 t = m_platform ? m_platform->now() : 0;
    m_history.push_back(QStringLiteral("#%1 t=%2 ms %3 %4").arg(m_inputs).arg(t).arg(what, state()));
    while (m_history.size() > 12)
        m_history.pop_front();
    // SOAK_TRACE=1 prints every input as it happens: a replay that dies in a
    // sanitizer's abort still shows what led there.
    static const bool trace = qEnvironmentVariableIntValue("SOAK_TRACE") != 0;
    if (trace)
        std::fprintf(stderr, "soak: %s\n", qPrintable(m_history.back()));
}

void SoakPlayer::move(QWidget *widget, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &e);
}

void SoakPlayer::click(QWidget *widget, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods,
                       const QString &what)
{
    if (!widget)
        return;
    logInput(QStringLiteral("%1 click on %2 at (%3, %4)")
                 .arg(buttonName(button, mods), what)
                 .arg(pos.x())
                 .arg(pos.y()));
    QPointer<QWidget> guard(widget);
    QTest::mousePress(widget, button, mods, pos);
    // The press may have ended the program or closed the widget's window;
    // the button comes up anyway.
    QTest::mouseRelease(guard ? guard.data() : (m_main ? static_cast<QWidget *>(m_main) : widget), button,
                        mods, pos);
}

void SoakPlayer::key(QWidget *widget, Qt::Key k, Qt::KeyboardModifiers mods, const QString &what)
{
    if (!widget)
        return;
    logInput(QStringLiteral("key %1 on %2").arg(what, describe(widget)));
    QPointer<QWidget> guard(widget);
    QTest::keyPress(widget, k, mods);
    if (guard)
        QTest::keyRelease(guard, k, mods);
}

void SoakPlayer::check()
{
    if (!m_app || !m_platform || m_platform->ending())
        return;
    const QString wrong = StateCheck(*m_app).anyTime();
    if (!wrong.isEmpty() && onFailure)
        onFailure(wrong);
}

QWidget *SoakPlayer::celebration()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (qobject_cast<frmPFM *>(w) && w->isVisible())
            return w;
    return nullptr;
}

// ---------------------------------------------------------------- idle

void SoakPlayer::idleInput()
{
    if (!m_app || m_platform->ending())
        return;
    m_main = m_app->mainWindow();
    frmMAIN *m = m_main;
    if (!m)
        return;
    if (frmSPRUSH *splash = m_app->splash(); splash && splash->isVisible() && chance(0.5)) {
        if (chance(0.7))
            click(splash, QPoint(pick(0, 279), pick(0, 199)), anyButton(), {}, QStringLiteral("splash"));
        else
            key(splash, Qt::Key_Space, {}, QStringLiteral("Space"));
        return;
    }
    const int r = pick(0, 99);
    if (r < 20) {
        click(m->cmdGAME, m->cmdGAME->rect().center(), chance(0.9) ? Qt::LeftButton : anyButton(), anyMods(),
              describe(m->cmdGAME));
    } else if (r < 30) {
        click(m->cmdREN, m->cmdREN->rect().center(), chance(0.9) ? Qt::LeftButton : anyButton(), anyMods(),
              describe(m->cmdREN));
    } else if (r < 40) {
        QLabel *rank = m->lblRNK[static_cast<size_t>(pick(0, 2))];
        click(rank, QPoint(pick(0, rank->width() - 1), pick(0, rank->height() - 1)),
              chance(0.85) ? Qt::LeftButton : anyButton(), anyMods(), describe(rank));
    } else if (r < 46) {
        previewGesture(false);
    } else if (r < 49) {
        previewGesture(true);
    } else if (r < 62) {
        courtClick(QPoint(pick(0, RallyState::courtWidth - 1), pick(0, RallyState::courtHeight - 1)),
                   anyButton(), anyMods());
    } else if (r < 76) {
        panelClick();
    } else if (r < 80) {
        click(m->cmdSIZE, m->cmdSIZE->rect().center(), Qt::LeftButton, {}, describe(m->cmdSIZE));
    } else if (r < 92) {
        mainKey();
    } else if (r < 95) {
        click(m->cmdEND, m->cmdEND->rect().center(), Qt::LeftButton, {}, describe(m->cmdEND));
    } else if (r < 96) {
        logInput(QStringLiteral("closes the main window"));
        m->close();
    } else {
        // Only moves the mouse about the court.
        move(m->picP, QPoint(pick(0, RallyState::courtWidth - 1), pick(0, RallyState::courtHeight - 1)));
    }
}

void SoakPlayer::finish()
{
    if (!m_app || m_platform->ending() || !m_main)
        return;
    click(m_main->cmdEND, m_main->cmdEND->rect().center(), Qt::LeftButton, {}, describe(m_main->cmdEND));
}

void SoakPlayer::courtClick(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    PictureBox *court = m_main->picP;
    move(court, pos);
    click(court, pos, button, mods, QStringLiteral("court"));
}

void SoakPlayer::panelClick()
{
    frmMAIN *m = m_main;
    // The side panel from the life bars to the window's right edge.
    const QPoint inBox(pick(290, 408), pick(0, 512));
    const QPoint p = m->picBOX->mapTo(m, inBox);
    QWidget *target = m->childAt(p);
    if (!target)
        target = m;
    click(target, target->mapFrom(m, p), anyButton(), anyMods(), QStringLiteral("panel ") + describe(target));
}

void SoakPlayer::mainKey()
{
    frmMAIN *m = m_main;
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && focus->window() == m ? focus : static_cast<QWidget *>(m);
    const int r = pick(0, 99);
    if (r < 55)
        key(target, Qt::Key_Escape, chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier,
            QStringLiteral("Escape"));
    else if (r < 70)
        key(target, Qt::Key_Space, {}, QStringLiteral("Space"));
    else if (r < 80)
        key(target, Qt::Key_Return, {}, QStringLiteral("Return"));
    else if (r < 88)
        key(target, Qt::Key_Tab, {}, QStringLiteral("Tab"));
    else
        key(target, Qt::Key_A, anyMods(), QStringLiteral("A"));
}

void SoakPlayer::previewGesture(bool onUser)
{
    QLabel *label = onUser ? m_main->lblUSER : m_main->lblCOM;
    const Qt::KeyboardModifiers mods = chance(0.9) ? Qt::ShiftModifier : anyMods();
    click(label, QPoint(pick(0, label->width() - 1), pick(0, label->height() - 1)),
          chance(0.9) ? Qt::RightButton : anyButton(), mods, describe(label));
}

// ---------------------------------------------------------------- in a game

void SoakPlayer::onEvents()
{
    // Handlers run by the player's inputs process events too; a few levels
    // of that is all a real queue of clicks could bring.
    if (!m_app || !m_platform || m_platform->ending() || m_depth > kDeepest)
        return;
    m_main = m_app->mainWindow();
    if (!m_main || !m_main->isVisible())
        return;
    ++m_depth;
    check();
    const std::int64_t now = m_platform->now();
    const bool timePassed = now > m_lastTime;
    m_lastTime = now;
    // A player acts in the time that passes, never inside one instant, and
    // a modal dialog takes every input for itself (its turn is onModal).
    const long before = m_inputs;
    if (timePassed && !QApplication::activeModalWidget()) {
        if (QWidget *c = celebration()) {
            if (c != m_celebration) {
                m_celebration = c;
                count(m_app->match.champPreview ? QStringLiteral("celebrations (preview)")
                                                : QStringLiteral("celebrations (champion)"));
            }
            celebrationInput(c);
        } else if (m_main->loop().cast().ball)
            gameTurn();
    } else if (!timePassed && !QApplication::activeModalWidget() && !celebration() && chance(kInstantShare)) {
        // Now and then a click that was waiting is handled inside a handler's
        // own event processing, in no time at all.
        count(QStringLiteral("inputs inside a handler"));
        if (m_main->loop().cast().ball)
            wildInput();
        else
            idleInput();
    }
    if (m_inputs != before)
        check();
    --m_depth;
}

void SoakPlayer::newGame()
{
    const RallyCast &cast = m_main->loop().cast();
    m_gameBall = cast.ball;
    m_gameFrames = 0;
    m_givingUp = false;
    m_lastLevel = m_app->rally.level;
    m_lastSets = 0;
    m_plan = Plan::None;
    if (cast.com) {
        count(QStringLiteral("tournament games"));
        const int r = pick(0, 99);
        m_mood = r < 80 ? Mood::Player : Mood::Wild;
        // Most games are helped to a result: mostly won, sometimes lost,
        // sometimes a close match.
        m_winShare = r < 45 ? 0.9 : r < 55 ? 0.0 : r < 65 ? 0.55 : -1.0;
        m_gameBudget = m_mood == Mood::Wild ? pick(300, 3000) : pick(3000, 20000);
    } else {
        count(QStringLiteral("practice games"));
        m_mood = chance(0.5) ? Mood::Player : Mood::Wild;
        m_winShare = -1.0;
        m_gameBudget = pick(100, 1500);
    }
}

void SoakPlayer::gameTurn()
{
    const RallyCast &cast = m_main->loop().cast();
    const RallyState &r = m_app->rally;
    const MatchState &mt = m_app->match;
    if (cast.ball != m_gameBall)
        newGame();
    ++m_gameFrames;
    if (cast.com) {
        if (r.level == m_lastLevel + 1 && m_lastLevel > 0)
            count(QStringLiteral("rounds won"));
        m_lastLevel = r.level;
        const std::int32_t sets = mt.userSets + mt.comSets;
        if (sets > m_lastSets)
            count(QStringLiteral("sets played"));
        m_lastSets = sets;
    }
    if (done()) {
        if (!m_endClicked) {
            m_endClicked = true;
            finish();
        }
        return;
    }
    if (m_gameFrames > kStuckFrames && onFailure)
        onFailure(QStringLiteral("a game has run %1 frames and will not end").arg(m_gameFrames));
    if (m_gameFrames > m_gameBudget) {
        // Enough of this game: interrupt it and, mostly, abandon it.
        if (!m_givingUp)
            count(QStringLiteral("games given up"));
        m_givingUp = true;
        if (chance(0.2)) {
            if (chance(0.6))
                click(m_main->cmdSTOP, m_main->cmdSTOP->rect().center(), Qt::LeftButton, {},
                      describe(m_main->cmdSTOP));
            else
                mainKey();
        }
    } else if (m_mood == Mood::Wild) {
        if (chance(0.55))
            wildInput();
    } else {
        playTurn();
    }
    if (!m_platform->ending() && m_main && m_main->loop().cast().ball == m_gameBall)
        assist();
}

void SoakPlayer::playTurn()
{
    const RallyCast &cast = m_main->loop().cast();
    const RallyState &r = m_app->rally;
    const Ball &b = *cast.ball;
    if (r.comServeWait) {
        if (chance(0.3))
            courtClick(QPoint(pick(0, RallyState::courtWidth - 1), pick(0, RallyState::courtHeight - 1)),
                       chance(0.8) ? Qt::LeftButton : anyButton(), anyMods());
        return;
    }
    // Swing at a ball in reach: one coming down high in its hop, or the ball
    // held for the player's serve.
    const bool coming = b.FactorY() > 0 && b.Y() > 300 && b.Y() < 485 && !(r.level > 6 && r.ballLow);
    const bool still = r.ballInPlay && b.FactorX() == 0 && b.FactorY() == 0;
    if ((coming || still) && !r.swingActive && chance(0.7)) {
        const int error = chance(0.2) ? pick(-30, 30) : pick(-4, 4);
        const QPoint p(std::clamp(b.X() + (b.X() < 141 ? -6 : 6) + error, 0, RallyState::courtWidth - 1),
                       std::clamp(b.Y() + 8 + pick(-3, 3), 0, RallyState::courtHeight - 1));
        courtClick(p, b.X() < 141 ? Qt::RightButton : Qt::LeftButton,
                   chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier);
        return;
    }
    if (chance(0.03))
        wildInput();
}

void SoakPlayer::wildInput()
{
    frmMAIN *m = m_main;
    const int r = pick(0, 99);
    if (r < 45)
        courtClick(QPoint(pick(0, RallyState::courtWidth - 1), pick(0, RallyState::courtHeight - 1)),
                   anyButton(), anyMods());
    else if (r < 62)
        panelClick();
    else if (r < 72)
        click(m->cmdSTOP, m->cmdSTOP->rect().center(), Qt::LeftButton, {}, describe(m->cmdSTOP));
    else if (r < 84)
        mainKey();
    else if (r < 89)
        previewGesture(false);
    else if (r < 92)
        previewGesture(true);
    else if (r < 94)
        click(m->cmdSIZE, m->cmdSIZE->rect().center(), Qt::LeftButton, {}, describe(m->cmdSIZE));
    else
        move(m->picP, QPoint(pick(0, RallyState::courtWidth - 1), pick(0, RallyState::courtHeight - 1)));
}

void SoakPlayer::assist()
{
    const RallyCast &cast = m_main->loop().cast();
    RallyState &r = m_app->rally;
    if (!cast.com || !cast.ball || m_winShare < 0 || r.pointDecided)
        return;
    Ball &b = *cast.ball;
    // The plan of the next rally is made while the serve waits.
    if (r.comServeWait || r.userServeWait) {
        m_plan = chance(m_winShare) ? Plan::Win : Plan::Lose;
        return;
    }
    auto steer = [&b](std::int32_t y, std::int32_t factorY) {
        b.setX(141);
        b.setY(y);
        b.setFactorX(0);
        b.setFactorY(factorY);
    };
    if (m_plan == Plan::Win && r.rallyHits >= 1 && b.FactorY() < 0 && b.Y() > 20)
        steer(20, -24); // straight through the computer's goal mouth
    else if (m_plan == Plan::Lose && r.ballInPlay && b.FactorY() >= 0 && b.Y() < 470)
        steer(480, 24); // into the player's own
}

void SoakPlayer::celebrationInput(QWidget *c)
{
    if (!chance(0.05))
        return;
    if (chance(0.7))
        click(c, QPoint(pick(0, c->width() - 1), pick(0, c->height() - 1)), anyButton(), anyMods(),
              QStringLiteral("celebration"));
    else
        key(c, chance(0.5) ? Qt::Key_Escape : Qt::Key_Space, {}, QStringLiteral("on the celebration"));
}

// ---------------------------------------------------------------- dialogs

void SoakPlayer::onModal(QDialog &dialog)
{
    QPointer<QDialog> guard(&dialog);
    if (auto *name = qobject_cast<frmNAME *>(&dialog))
        answerName(*name);
    else if (auto *info = qobject_cast<frmINFO *>(&dialog))
        answerInfo(*info);
    else if (auto *cut = qobject_cast<frmCUT *>(&dialog))
        answerCut(*cut);
    else if (onFailure)
        onFailure(QStringLiteral("unexpected dialog ") +
                  QString::fromLatin1(dialog.metaObject()->className()));
    if (guard && guard->isVisible() && (!m_platform || !m_platform->ending())) {
        count(QStringLiteral("dialogs closed for the player"));
        guard->reject();
    }
}

void SoakPlayer::answerName(frmNAME &dialog)
{
    count(QStringLiteral("registrations"));
    QPointer<frmNAME> guard(&dialog);
    QComboBox *box = dialog.cboNAME;
    // What the player means to type, as keys.
    QString typing;
    const int plan = pick(0, 99);
    if (plan < 60) {
        const QString name = QString::fromLatin1(kNames[pick(0, 3)]);
        for (QChar c : name)
            typing += chance(0.2) ? c.toLower() : c;
    } else if (plan < 75) {
        for (int i = pick(1, 6); i > 0; --i)
            typing +=
                QChar::fromLatin1(chance(0.5) ? kJunk[pick(0, sizeof kJunk - 2)] : char('A' + pick(0, 25)));
    }
    for (int steps = 0; guard && guard->isVisible() && !m_platform->ending(); ++steps) {
        QCoreApplication::processEvents();
        if (!guard || !guard->isVisible())
            break;
        if (done() || steps > kDialogInputs) {
            click(dialog.Command2, dialog.Command2->rect().center(), Qt::LeftButton, {},
                  describe(dialog.Command2));
            continue;
        }
        if (!typing.isEmpty()) {
            const char c = typing.at(0).toLatin1();
            typing.remove(0, 1);
            logInput(QStringLiteral("types '%1' into the name box").arg(QChar::fromLatin1(c)));
            QTest::keyClick(box, c);
            continue;
        }
        const int r = pick(0, 99);
        if (r < 8) {
            click(dialog.Label4,
                  QPoint(pick(0, dialog.Label4->width() - 1), pick(0, dialog.Label4->height() - 1)),
                  Qt::LeftButton, {}, QStringLiteral("the hidden preview label"));
        } else if (r < 14) {
            key(box, chance(0.5) ? Qt::Key_Down : Qt::Key_Up, {}, QStringLiteral("list"));
        } else if (r < 20) {
            key(box, Qt::Key_Backspace, {}, QStringLiteral("Backspace"));
        } else if (r < 23) {
            const QString text = QString::fromUtf8(kPastes[pick(0, std::size(kPastes) - 1)]);
            if (QClipboard *clip = QGuiApplication::clipboard())
                clip->setText(text);
            key(box, Qt::Key_V, Qt::ControlModifier, QStringLiteral("Ctrl+V (\"%1\")").arg(text));
        } else if (r < 70) {
            click(dialog.Command1, dialog.Command1->rect().center(), Qt::LeftButton, {},
                  describe(dialog.Command1));
        } else if (r < 78) {
            key(box, Qt::Key_Return, {}, QStringLiteral("Return"));
        } else if (r < 88) {
            click(dialog.Command2, dialog.Command2->rect().center(),
                  chance(0.9) ? Qt::LeftButton : anyButton(), {}, describe(dialog.Command2));
        } else if (r < 94) {
            key(box, Qt::Key_Escape, {}, QStringLiteral("Escape"));
        } else {
            logInput(QStringLiteral("closes the registration"));
            dialog.close();
        }
    }
}

void SoakPlayer::answerInfo(frmINFO &dialog)
{
    count(QStringLiteral("announcements"));
    QPointer<frmINFO> guard(&dialog);
    for (int steps = 0; guard && guard->isVisible() && !m_platform->ending(); ++steps) {
        QCoreApplication::processEvents();
        if (!guard || !guard->isVisible())
            break;
        const int r = done() || steps > kDialogInputs ? 50 : pick(0, 99);
        if (r < 8) {
            QLabel *label = chance(0.5) ? dialog.lblGAME : dialog.lblBK;
            click(label, QPoint(pick(0, label->width() - 1), pick(0, label->height() - 1)), anyButton(), {},
                  QStringLiteral("announcement text"));
        } else if (r < 88) {
            click(dialog.cmdOK, dialog.cmdOK->rect().center(), Qt::LeftButton, {}, describe(dialog.cmdOK));
        } else {
            QWidget *focus = QApplication::focusWidget();
            QWidget *target = focus && focus->window() == &dialog ? focus : static_cast<QWidget *>(&dialog);
            const Qt::Key k = r < 93 ? Qt::Key_Return : r < 97 ? Qt::Key_Space : Qt::Key_Escape;
            key(target, k, {},
                k == Qt::Key_Return  ? QStringLiteral("Return")
                : k == Qt::Key_Space ? QStringLiteral("Space")
                                     : QStringLiteral("Escape"));
        }
    }
}

void SoakPlayer::answerCut(frmCUT &dialog)
{
    count(QStringLiteral("interrupts"));
    QPointer<frmCUT> guard(&dialog);
    for (int steps = 0; guard && guard->isVisible() && !m_platform->ending(); ++steps) {
        QCoreApplication::processEvents();
        if (!guard || !guard->isVisible())
            break;
        int r = pick(0, 99);
        if (done() || steps > kDialogInputs || (m_givingUp && chance(0.85)))
            r = 60;
        if (r < 8) {
            QLabel *label = chance(0.5) ? dialog.Label1 : dialog.Label2;
            click(label, QPoint(pick(0, label->width() - 1), pick(0, label->height() - 1)), anyButton(), {},
                  QStringLiteral("interrupt text"));
        } else if (r < 55) {
            count(QStringLiteral("resumes"));
            click(dialog.Command1, dialog.Command1->rect().center(), Qt::LeftButton, {},
                  describe(dialog.Command1));
        } else if (r < 88) {
            count(QStringLiteral("abandons"));
            click(dialog.Command2, dialog.Command2->rect().center(), Qt::LeftButton, {},
                  describe(dialog.Command2));
        } else if (r < 95) {
            // Escape, Enter and a close mean "プレイ に戻る".
            count(QStringLiteral("resumes"));
            const bool escape = chance(0.5);
            key(&dialog, escape ? Qt::Key_Escape : Qt::Key_Return, {},
                escape ? QStringLiteral("Escape") : QStringLiteral("Return"));
        } else {
            count(QStringLiteral("resumes"));
            logInput(QStringLiteral("closes the interrupt dialog"));
            dialog.close();
        }
    }
}

void SoakPlayer::onMessage(const QString &text)
{
    // The messages a player can bring about; anything else is a fault.
    if (text == frmNAME::tooLongMessage() || text == Texts::displayRefused() ||
        text == QStringLiteral("　　チャンピョンネームがありません！　　　　")) {
        count(QStringLiteral("message: ") + text.trimmed());
        return;
    }
    if (onFailure)
        onFailure(QStringLiteral("unexpected message box: ") + text);
}
