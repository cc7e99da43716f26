// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "data/RecordTable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace moka {

// The text form of the record table in "mokaru.dat": five lines, entry 0 to 4,
// each the stage in decimal, a comma and the name in double quotes, ending in
// CR LF. A fresh file is five lines of 0,"".
//
// Names are UTF-8: this is a Linux game, and the names the registration
// dialog lets anyone type (A-Z) are the same bytes in every encoding.
//
// Reading is lenient where that is harmless and strict where a guess could
// put wrong data in the table:
// - lines may end in CR LF, LF or CR; blank lines are skipped; a UTF-8 byte
//   order mark at the start is ignored; blanks (space, tab) around the
//   fields are ignored;
// - the k-th non-blank line is the record of entry k; lines after the fifth
//   record are ignored;
// - a record is read when its line is: an optional sign and decimal digits
//   whose value fits 32 bits, a comma, and a name that is either quoted (the
//   text up to the next double quote, with nothing but blanks after that
//   quote) or unquoted (the rest of the line, holding no quote and no comma).
//   Anything else cannot be read, and that entry keeps the value it had;
// - any stage is read, also one past the last round (a file edited by hand
//   may hold 10 or more; such a player plays on at rounds announced as
//   "？？？"), up to 2147483647, the last round a won round can record (a
//   player there plays that round again: RecordTable::nextRound);
// - invalid UTF-8 in a name reads as U+FFFD; a name longer than
//   maxNameLength characters is cut to that length (reported, but read).
class RecordFile
{
    Q_DECLARE_TR_FUNCTIONS(moka::RecordFile)

public:
    static constexpr int recordCount = 5;
    static constexpr int maxNameLength = 32;

    struct Outcome
    {
        int recordsRead = 0; // records that could be read, 0-5
        QString failure;     // the last thing that went wrong; empty if none
    };

    // Reads records from `bytes` into `table`, entry by entry.
    static Outcome parse(const QByteArray &bytes, RecordTable &table);
    // The file contents for `table`, byte for byte.
    static QByteArray format(const RecordTable &table);
    // `name` as it is written: without double quotes, CR and LF, which the
    // file cannot hold inside a name. Any other character is kept.
    static QString writableName(const QString &name);
};

} // namespace moka
