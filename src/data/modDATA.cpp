// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "data/modDATA.h"

#include "data/RankingBoard.h"
#include "data/RecordFile.h"
#include "data/RecordTable.h"
#include "look/Palette.h"
#include "look/Texts.h"
#include "platform/DataFile.h"
#include "platform/Platform.h"

#include <QColor>

#include <utility>

namespace moka {

namespace {

// The message for a failed step: what went wrong, then the file's name (not
// its whole path) and the cause.
QString failureText(const QString &heading, const QString &cause)
{
    return Texts::withDetail(heading, Texts::rankingFileDetail(cause));
}

void setEntry(RecordTable &table, int i, std::int32_t stage, const QString &name)
{
    table.rankStage[i] = stage;
    table.rankName[i] = name;
}

void copyEntry(RecordTable &table, int to, int from)
{
    table.rankStage[to] = table.rankStage[from];
    table.rankName[to] = table.rankName[from];
}

} // namespace

modDATA::modDATA(Platform &platform, DataFile &file, RecordTable &table, const QString &playerName,
                 const std::int32_t &level, RankingBoard &board)
    : m_platform(platform)
    , m_file(file)
    , m_table(table)
    , m_playerName(playerName)
    , m_level(level)
    , m_board(board)
{
}

void modDATA::setFolder(const QString &appPath) { m_path = appPath + QStringLiteral("mokaru.dat"); }

QString modDATA::championLine(const QString &name) { return tr(" P： ") + name; }

QString modDATA::rankingLine(int stage, const QString &name)
{
    return QStringLiteral(" ") + QString::number(stage) + QStringLiteral("- ") + name;
}

QString modDATA::newcomerLine() { return tr(" N： "); }

void modDATA::report(const QString &failure)
{
    if (!failure.isEmpty())
        m_platform.messageBox(failure);
}

void modDATA::LOAD_DATA()
{
    QString failure;
    if (!m_file.exists(m_path)) {
        failure = writeFresh();
    } else {
        QByteArray bytes;
        DataFile::Failure error;
        if (m_file.read(m_path, bytes, error)) {
            // Records that cannot be read leave their entries as they were.
            const RecordFile::Outcome outcome = RecordFile::parse(bytes, m_table);
            if (!outcome.failure.isEmpty())
                failure = failureText(Texts::dataDamaged(), outcome.failure);
            // A ranking that cannot be kept is told now, before a tournament
            // is played for nothing; the file is not touched. (A fresh file
            // was just written, or its failure is the message already; so is
            // a file that cannot even be read.)
            if (!m_file.canSave(m_path, RecordFile::format(m_table).size(), error)) {
                const QString unsaved = failureText(Texts::dataUnsaved(), Texts::fileFailure(error));
                failure = failure.isEmpty() ? unsaved : failure + QLatin1Char('\n') + unsaved;
            }
        } else {
            failure = failureText(Texts::dataUnreadable(), Texts::fileFailure(error));
        }
    }
    fillBoard();
    report(failure);
}

void modDATA::NEW_DATA() { report(writeFresh()); }

void modDATA::SAVE_DATA() { report(writeTable()); }

QString modDATA::writeFresh()
{
    for (int i = 0; i < RecordFile::recordCount; ++i)
        setEntry(m_table, i, 0, QString());
    return writeTable();
}

QString modDATA::writeTable()
{
    // Names holding a double quote, CR or LF lose those characters in the
    // file (see RecordFile::writableName); the table in memory keeps them.
    DataFile::Failure error;
    if (!m_file.save(m_path, RecordFile::format(m_table), error))
        return failureText(Texts::dataUnsaved(), Texts::fileFailure(error));
    return {};
}

int modDATA::findPlayer() const
{
    for (int i = 1; i <= 4; ++i) {
        if (m_table.rankName[i] == m_playerName)
            return i;
    }
    return 5;
}

void modDATA::SET_RANKING()
{
    if (m_playerName.isEmpty()) {
        m_platform.messageBox(QStringLiteral("nameNOW=???"));
        return;
    }
    const std::int32_t level = m_level;
    const QString &name = m_playerName;
    const int f = findPlayer();
    int p = 0;

    if (f == 5) {
        // A newcomer goes above every entry of its own stage or less; the
        // fourth drops out.
        p = 5;
        for (int i = 1; i <= 4; ++i) {
            if (m_table.rankStage[i] <= level) {
                p = i;
                break;
            }
        }
        if (p == 5)
            return;
        for (int i = 4; i >= p + 1; --i)
            copyEntry(m_table, i, i - 1);
        setEntry(m_table, p, level, name);
    } else if (m_table.rankStage[f] < level) {
        if (f == 1) {
            m_table.rankStage[1] = level;
            p = 1;
        } else {
            // Move up past the entries of stage `level` or less; those move
            // down one place, over the player's old entry. Stop at the first
            // entry above `level`: in a ranking out of order (a file edited by
            // hand) going on past it would overwrite that entry and leave the
            // player listed twice.
            for (int i = f - 1; i >= 1 && m_table.rankStage[i] <= level; --i) {
                copyEntry(m_table, i + 1, i);
                p = i;
            }
            if (p == 0) {
                m_table.rankStage[f] = level;
                p = f;
            } else {
                setEntry(m_table, p, level, name);
            }
        }
    }
    // A player already ranked at `level` or above changes nothing.
    if (p >= 1 && p <= 4)
        refreshAfterRanking(p);
}

void modDATA::SET_CHAMPION()
{
    if (m_playerName.isEmpty()) {
        m_platform.messageBox(QStringLiteral("nameNOW=???"));
        return;
    }
    const int f = findPlayer();
    setEntry(m_table, 0, 10, m_playerName);
    if (f == 5)
        return;
    for (int i = f; i <= 3; ++i)
        copyEntry(m_table, i, i + 1);
    setEntry(m_table, 4, 0, QString());
    refreshAfterChampion();
}

void modDATA::fillBoard()
{
    m_board.setLine(0, championLine(m_table.rankName[0]));
    for (int i = 1; i <= 4; ++i) {
        if (m_table.rankStage[i] != 0)
            m_board.setLine(i, rankingLine(m_table.rankStage[i], m_table.rankName[i]));
    }
    m_board.setLine(5, newcomerLine());
}

void modDATA::refreshAfterRanking(int marked)
{
    m_board.setLine(0, championLine(m_table.rankName[0]));
    for (int i = 1; i <= 4; ++i) {
        if (m_table.rankStage[i] != 0) {
            m_board.setLine(i, rankingLine(m_table.rankStage[i], m_table.rankName[i]));
        }
    }
    m_board.setLine(5, newcomerLine());
    m_board.markLine(marked);
}

void modDATA::refreshAfterChampion()
{
    m_board.setLine(0, championLine(m_table.rankName[0]));
    for (int i = 1; i <= 4; ++i) {
        m_board.setLine(i, m_table.rankStage[i] != 0 ? rankingLine(m_table.rankStage[i], m_table.rankName[i])
                                                     : QString());
    }
    m_board.setLine(5, newcomerLine());
    m_board.markLine(0);
}

} // namespace moka
