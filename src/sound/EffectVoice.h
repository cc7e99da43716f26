// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QIODevice>

namespace moka {

// The single voice the audio output pulls from: it hands out the samples of
// the effect that plays, wrapping around for a loop, and silence when there
// is none, so the output never runs dry and a new effect is heard as soon as
// what the output already holds has played. Starting and stopping only swap
// a (shared, never copied) clip and a position: they cannot block.
class EffectVoice : public QIODevice
{
public:
    // `frameBytes`: bytes of one sample frame of the output; `silence`: the
    // byte that fills a silent frame (128 for unsigned 8-bit, else 0).
    explicit EffectVoice(int frameBytes = 1, char silence = char(0x80), QObject *parent = nullptr);

    void setFormat(int frameBytes, char silence);
    // Replaces whatever plays with `clip` (samples in the output's format),
    // from its start.
    void play(const QByteArray &clip, bool loop);
    void silence();
    bool playing() const { return !m_clip.isEmpty(); }
    // Bytes of effects (not silence) handed to the output so far.
    qint64 effectBytesHandedOut() const { return m_handedOut; }

    // Always opened unbuffered: a buffered QIODevice reads 16 KB ahead (1.5 s
    // of sound), and a new effect would wait behind it.
    bool open(OpenMode mode) override { return QIODevice::open(mode | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_clip;
    qint64 m_pos = 0;
    qint64 m_handedOut = 0;
    bool m_loop = false;
    int m_frameBytes;
    char m_silence;
};

} // namespace moka
