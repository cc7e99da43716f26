// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace moka {

class DataFile;
class Platform;
class RankingBoard;
struct RecordTable;

// The player data: loading and saving the record table in "mokaru.dat" in the
// game's data folder, recording won rounds and champions in it, and showing it
// on the ranking board.
//
// Each operation goes on after a step fails and reports the most recent
// failure once, in a message box, at its end (after the board is filled).
class modDATA
{
    Q_DECLARE_TR_FUNCTIONS(moka::modDATA)

public:
    // `playerName` and `level` are the current player and the round being
    // played, read when a round is won or a champion recorded.
    modDATA(Platform &platform, DataFile &file, RecordTable &table, const QString &playerName,
            const std::int32_t &level, RankingBoard &board);

    // `appPath` is the folder of the ranking file, ending in '/'.
    void setFolder(const QString &appPath);
    QString path() const { return m_path; }

    // Fills the table from the file, or creates an empty file when there is
    // none; then fills the board. A file that could not be saved later
    // (read-only, in a folder the player cannot write, a full disk) is
    // reported then, in the same message as damage found in it.
    void LOAD_DATA();
    // Empties the table and writes it as a new file.
    void NEW_DATA();
    // Writes the table to the file. A failed save keeps the old file and the
    // table as they were.
    void SAVE_DATA();

    // Enters playerName with the won round `level` in the ranking and marks
    // that line of the board.
    void SET_RANKING();
    // Makes playerName the champion and takes it out of the ranking.
    void SET_CHAMPION();

    static QString championLine(const QString &name);
    static QString rankingLine(int stage, const QString &name);
    static QString newcomerLine();

private:
    // The steps of NEW_DATA and SAVE_DATA without the report; return the
    // failure, empty when none.
    QString writeFresh();
    QString writeTable();
    void report(const QString &failure);
    // 1-4 for the ranked player's entry, 5 when not ranked.
    int findPlayer() const;

    // The initial fill, the refresh after a won round (`marked` gets the blue
    // background) and the refresh after a new champion.
    void fillBoard();
    void refreshAfterRanking(int marked);
    void refreshAfterChampion();

    Platform &m_platform;
    DataFile &m_file;
    RecordTable &m_table;
    const QString &m_playerName;
    const std::int32_t &m_level;
    RankingBoard &m_board;
    QString m_path = QStringLiteral("mokaru.dat");
};

} // namespace moka
