// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "data/RecordFile.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <cstdint>
#include <limits>

namespace moka {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// An optional sign and decimal digits, within 32 bits.
bool readStage(QByteArrayView field, std::int32_t &stage, bool &outOfRange, QString &problem)
{
    bool negative = false;
    if (!field.isEmpty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        field = field.sliced(1);
    }
    if (field.isEmpty()) {
        problem = RecordFile::tr("ステージが整数ではありません");
        return false;
    }
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    bool tooLarge = false;
    for (char c : field) {
        if (c < '0' || c > '9') {
            problem = RecordFile::tr("ステージが整数ではありません");
            return false;
        }
        // Keep scanning after an overflow: "99999999999x" is not a number
        // at all, which says more than "out of range".
        if (!tooLarge)
            value = value * 10 + (c - '0');
        tooLarge = tooLarge || value > limit;
    }
    if (tooLarge || (!negative && value == limit)) {
        outOfRange = true;
        return false;
    }
    stage = static_cast<std::int32_t>(negative ? -value : value);
    return true;
}

// One record line without its line end. Fills stage and name only when the
// whole record can be read; `cut` tells that the name was shortened.
bool readRecord(QByteArrayView line, std::int32_t &stage, QString &name, bool &cut, QString &problem)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0) {
        problem = RecordFile::tr("ステージの後にコンマがありません");
        return false;
    }
    std::int32_t newStage = 0;
    bool outOfRange = false;
    const bool number = readStage(trimmed(line.first(comma)), newStage, outOfRange, problem);
    if (outOfRange) {
        problem = RecordFile::tr("ステージが %1～%2 の範囲を外れています")
                      .arg(std::numeric_limits<std::int32_t>::min())
                      .arg(std::numeric_limits<std::int32_t>::max());
        return false;
    }
    if (!number)
        return false;

    QByteArrayView field = trimmed(line.sliced(comma + 1));
    QByteArrayView raw;
    if (!field.isEmpty() && field.front() == '"') {
        field = field.sliced(1);
        const qsizetype close = field.indexOf('"');
        if (close < 0) {
            problem = RecordFile::tr("名前を閉じる \" がありません");
            return false;
        }
        if (!trimmed(field.sliced(close + 1)).isEmpty()) {
            problem = RecordFile::tr("名前の後に余分な文字があります");
            return false;
        }
        raw = field.first(close);
    } else {
        if (field.contains('"') || field.contains(',')) {
            problem = RecordFile::tr("名前に \" か , が混じっています");
            return false;
        }
        raw = field;
    }

    // Decode every character, a byte order mark at the start of the name
    // too (plain fromUtf8 would drop it, and the name would not read back as
    // it was written).
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString newName = decoder(raw);
    // Cut after maxNameLength characters, never inside a surrogate pair.
    qsizetype end = 0;
    for (int chars = 0; end < newName.size() && chars < RecordFile::maxNameLength; ++chars) {
        const bool pair = newName.at(end).isHighSurrogate() && end + 1 < newName.size() &&
                          newName.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    cut = end < newName.size();
    newName.truncate(end);

    stage = newStage;
    name = std::move(newName);
    return true;
}

} // namespace

RecordFile::Outcome RecordFile::parse(const QByteArray &bytes, RecordTable &table)
{
    Outcome outcome;
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);

    int record = 0;
    while (record < recordCount && !rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && !isLineEnd(rest[end]))
            ++end;
        const QByteArrayView line = rest.first(end);
        rest = rest.sliced(end < rest.size() ? end + 1 : end);
        if (trimmed(line).isEmpty())
            continue;

        const QString where = RecordFile::tr("%1 番目の記録（全 %2 件）：").arg(record + 1).arg(recordCount);
        bool cut = false;
        QString problem;
        if (readRecord(line, table.rankStage[record], table.rankName[record], cut, problem)) {
            ++outcome.recordsRead;
            if (cut)
                outcome.failure =
                    where + RecordFile::tr("名前が %1 文字を超えるので切り詰めました").arg(maxNameLength);
        } else {
            outcome.failure = where + problem;
        }
        ++record;
    }
    if (record < recordCount)
        outcome.failure =
            RecordFile::tr("記録が %1 件しかありません（全 %2 件）").arg(record).arg(recordCount);
    return outcome;
}

QByteArray RecordFile::format(const RecordTable &table)
{
    QByteArray out;
    for (int i = 0; i < recordCount; ++i) {
        out += QByteArray::number(table.rankStage[i]);
        out += ",\"";
        out += writableName(table.rankName[i]).toUtf8();
        out += "\"\r\n";
    }
    return out;
}

QString RecordFile::writableName(const QString &name)
{
    QString out = name;
    out.remove(QLatin1Char('"'));
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    return out;
}

} // namespace moka
