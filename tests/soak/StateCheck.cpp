// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StateCheck.h"

#include "app/Application.h"
#include "app/frmMAIN.h"
#include "data/RecordFile.h"
#include "data/RecordTable.h"
#include "rally/Ball.h"

#include <QPushButton>
#include <QStringList>

#include <cstdlib>

using namespace moka;

namespace {

QString range(const char *what, long value, long low, long high)
{
    if (value >= low && value <= high)
        return {};
    return QStringLiteral("%1 = %2, outside %3-%4").arg(QLatin1String(what)).arg(value).arg(low).arg(high);
}

// The first non-empty text of a list of checks.
QString first(std::initializer_list<QString> checks)
{
    for (const QString &c : checks)
        if (!c.isEmpty())
            return c;
    return {};
}

QString flags(const RallyState &r)
{
    return QStringLiteral("ballInPlay %1 comServeWait %2 comServing %3 userServeWait %4 pointDecided %5 "
                          "comActive %6 swingActive %7 loopBreak %8 stopRequest %9 outSide %10")
        .arg(r.ballInPlay)
        .arg(r.comServeWait)
        .arg(r.comServing)
        .arg(r.userServeWait)
        .arg(r.pointDecided)
        .arg(r.comActive)
        .arg(r.swingActive)
        .arg(r.loopBreak)
        .arg(r.stopRequest)
        .arg(r.outSide);
}

// The table as it comes back from the file: names as the file can hold them.
RecordTable asWritten(const RecordTable &table)
{
    RecordTable t = table;
    for (QString &name : t.rankName)
        name = RecordFile::writableName(name);
    return t;
}

bool same(const RecordTable &a, const RecordTable &b)
{
    return a.rankName == b.rankName && a.rankStage == b.rankStage;
}

} // namespace

StateCheck::StateCheck(Application &app)
    : m_app(app)
{
}

QString StateCheck::anyTime() const
{
    const RallyState &r = m_app.rally;
    const MatchState &mt = m_app.match;
    QString wrong = first({range("level", r.level, 0, 9), range("userSets", mt.userSets, 0, 3),
                           range("comSets", mt.comSets, 0, 3), range("setNumber", mt.setNumber, 0, 5),
                           range("outSide", r.outSide, 0, 2), range("rallyHits", r.rallyHits, 0, 100000)});
    if (!wrong.isEmpty())
        return wrong;

    // Flag combinations no game can reach.
    if (r.ballInPlay && r.comServeWait)
        wrong = QStringLiteral("the ball is in play and held for the computer's serve");
    else if (r.userServeWait && !(r.comActive && r.ballInPlay))
        wrong = QStringLiteral("the player is to serve outside a tournament rally");
    else if (r.pointDecided && !(r.comActive && r.ballInPlay))
        wrong = QStringLiteral("a point is decided outside a tournament rally");
    else if (r.comActive && (r.level < 1 || mt.setNumber < 1))
        wrong = QStringLiteral("a tournament game at level %1, set %2").arg(r.level).arg(mt.setNumber);
    else if (r.comActive &&
             (mt.userSets + mt.comSets > mt.setNumber || mt.userSets + mt.comSets < mt.setNumber - 1 ||
              (mt.userSets == 3 && mt.comSets == 3)))
        wrong = QStringLiteral("sets %1-%2 in set %3").arg(mt.userSets).arg(mt.comSets).arg(mt.setNumber);
    else if (!r.comActive && (mt.userSets != 0 || mt.comSets != 0))
        wrong = QStringLiteral("sets %1-%2 with no tournament game").arg(mt.userSets).arg(mt.comSets);
    if (!wrong.isEmpty())
        return wrong + QStringLiteral(" (") + flags(r) + QLatin1Char(')');

    wrong = first({ball(), records(m_app.records)});
    return wrong;
}

QString StateCheck::ball() const
{
    frmMAIN *m = m_app.mainWindow();
    if (!m)
        return {};
    const RallyCast &cast = m->loop().cast();
    if (!cast.ball)
        return {};
    const RallyState &r = m_app.rally;
    if (m->cmdGAME->isEnabled() || m->cmdREN->isEnabled() || !m->cmdSTOP->isEnabled())
        return QStringLiteral("a game runs with the game buttons enabled or the stop button disabled");
    if (cast.com && !r.comActive)
        return QStringLiteral("a tournament game without the computer");
    if (!cast.com) {
        if (r.comActive)
            return QStringLiteral("the computer plays in practice");
        if (r.level != 0 && r.level != 1 && r.level != 2 && r.level != 5 && r.level != 8)
            return QStringLiteral("practice at level %1").arg(r.level);
    }

    const Ball &b = *cast.ball;
    const QString where = QStringLiteral("ball (%1, %2) moving (%3, %4); ")
                              .arg(b.X())
                              .arg(b.Y())
                              .arg(b.FactorX())
                              .arg(b.FactorY()) +
                          flags(r);
    if (std::abs(b.FactorX()) > 32 || std::abs(b.FactorY()) > 32)
        return QStringLiteral("ball too fast: ") + where;
    if (r.pointDecided || r.outSide != 0) {
        // It flies straight on until it has left the court at either end,
        // and stays there while the point is scored.
        if (b.Y() < RallyState::courtTop - 8 - 64 || b.Y() > RallyState::courtBottom + 24 + 64)
            return QStringLiteral("decided ball lost: ") + where;
        return {};
    }
    if (r.ballInPlay) {
        if (b.X() < RallyState::courtLeft || b.X() > RallyState::courtRight || b.Y() < RallyState::courtTop ||
            b.Y() > RallyState::courtBottom)
            return QStringLiteral("ball off the court: ") + where;
        if (r.userServeWait && (b.X() != 141 || b.Y() != 421 || b.FactorX() != 0 || b.FactorY() != 0))
            return QStringLiteral("the player's serve is not on its spot: ") + where;
    } else if (r.comServeWait && (b.X() != 141 || b.Y() != 93)) {
        return QStringLiteral("the computer's serve is not on its spot: ") + where;
    }
    return {};
}

QString StateCheck::idle() const
{
    const RallyState &r = m_app.rally;
    const MatchState &mt = m_app.match;
    if (r.ballInPlay || r.comServeWait || r.comServing || r.userServeWait || r.pointDecided || r.comActive ||
        r.loopBreak || r.outSide != 0)
        return QStringLiteral("game flags left over while idle: ") + flags(r);
    if (mt.setNumber != 0 || mt.userSets != 0 || mt.comSets != 0)
        return QStringLiteral("a score left over while idle: sets %1-%2 in set %3")
            .arg(mt.userSets)
            .arg(mt.comSets)
            .arg(mt.setNumber);
    if (r.level != 0 && r.level != 1 && r.level != 2 && r.level != 5 && r.level != 8)
        return QStringLiteral("level %1 while idle").arg(r.level);
    frmMAIN *m = m_app.mainWindow();
    if (m && (m->loop().cast().ball || !m->cmdGAME->isEnabled() || !m->cmdREN->isEnabled() ||
              m->cmdSTOP->isEnabled()))
        return QStringLiteral("the buttons or the cast of a game left over while idle");
    return {};
}

QString StateCheck::records(const RecordTable &t)
{
    if (!((t.rankStage[0] == 10 && !t.rankName[0].isEmpty()) ||
          (t.rankStage[0] == 0 && t.rankName[0].isEmpty())))
        return QStringLiteral("champion entry %1 \"%2\"").arg(t.rankStage[0]).arg(t.rankName[0]);
    QStringList names;
    if (!t.rankName[0].isEmpty())
        names << t.rankName[0];
    for (int i = 1; i <= 4; ++i) {
        const auto stage = t.rankStage[static_cast<size_t>(i)];
        const QString &name = t.rankName[static_cast<size_t>(i)];
        if (stage < 0 || stage > 8 || (stage == 0) != name.isEmpty())
            return QStringLiteral("ranking entry %1: %2 \"%3\"").arg(i).arg(stage).arg(name);
        if (i > 1 && stage > t.rankStage[static_cast<size_t>(i - 1)])
            return QStringLiteral("ranking out of order at entry %1").arg(i);
        if (!name.isEmpty()) {
            if (names.contains(name))
                return QStringLiteral("\"%1\" listed twice").arg(name);
            names << name;
        }
    }
    return {};
}

QString StateCheck::savedFile(const QByteArray &fileBytes, const RecordTable &before, const RecordTable &now)
{
    RecordTable read;
    const RecordFile::Outcome outcome = RecordFile::parse(fileBytes, read);
    if (outcome.recordsRead != RecordFile::recordCount || !outcome.failure.isEmpty())
        return QStringLiteral("the ranking file reads back %1 records (%2): %3")
            .arg(outcome.recordsRead)
            .arg(outcome.failure, QString::fromUtf8(fileBytes));
    if (!same(read, asWritten(before)) && !same(read, asWritten(now)))
        return QStringLiteral(
                   "the ranking file holds neither the table loaded (%1) nor the table left (%2): %3")
            .arg(QString::fromUtf8(RecordFile::format(before)), QString::fromUtf8(RecordFile::format(now)),
                 QString::fromUtf8(fileBytes));
    return {};
}
