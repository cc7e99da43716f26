// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the ranking file reader: any bytes at all must parse
// without a crash, and what was read must survive being written and read
// again unchanged (so a damaged file, once loaded and saved, never turns into
// a file that loads differently).

#include "data/RecordFile.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

using moka::RecordFile;
using moka::RecordTable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    RecordTable table;
    const RecordFile::Outcome first = RecordFile::parse(bytes, table);
    if (first.recordsRead < 0 || first.recordsRead > RecordFile::recordCount)
        __builtin_trap();
    if (first.recordsRead < RecordFile::recordCount && first.failure.isEmpty())
        __builtin_trap(); // a missing record is always reported
    for (const QString &name : table.rankName)
        if (name.toUcs4().size() > RecordFile::maxNameLength) // characters, not UTF-16 units
            __builtin_trap();

    const QByteArray written = RecordFile::format(table);
    RecordTable again;
    const RecordFile::Outcome second = RecordFile::parse(written, again);
    if (second.recordsRead != RecordFile::recordCount || !second.failure.isEmpty())
        __builtin_trap();
    for (int i = 0; i < RecordFile::recordCount; ++i) {
        if (again.rankStage[i] != table.rankStage[i])
            __builtin_trap();
        if (again.rankName[i] != RecordFile::writableName(table.rankName[i]))
            __builtin_trap();
    }
    if (RecordFile::format(again) != written)
        __builtin_trap();
    return 0;
}
