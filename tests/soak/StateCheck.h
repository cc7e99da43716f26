// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace moka {
class Application;
class frmMAIN;
struct RecordTable;
} // namespace moka

// The rules the soak test holds a running program to. Each check returns
// what is wrong, or an empty text when all is well.
class StateCheck
{
public:
    explicit StateCheck(moka::Application &app);

    // Rules that hold whenever the player can act: ranges of the counters,
    // the flag combinations a game can reach, the ball and the buttons of a
    // running game, and the record table.
    QString anyTime() const;
    // The program idle between games: no game flag left over.
    QString idle() const;

    // The record table's own rules: a champion of stage 10 or none, the
    // ranking best first with stages 1-8, no name twice.
    static QString records(const moka::RecordTable &records);
    // `fileBytes` hold either `before` (the file as the run found it) or
    // `now` (the table as the run left it), as the file can hold them.
    static QString savedFile(const QByteArray &fileBytes, const moka::RecordTable &before,
                             const moka::RecordTable &now);

private:
    QString ball() const;

    moka::Application &m_app;
};
