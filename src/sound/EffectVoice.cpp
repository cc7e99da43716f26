// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/EffectVoice.h"

#include <algorithm>
#include <cstring>

namespace moka {

EffectVoice::EffectVoice(int frameBytes, char silence, QObject *parent)
    : QIODevice(parent)
    , m_frameBytes(std::max(1, frameBytes))
    , m_silence(silence)
{
}

void EffectVoice::setFormat(int frameBytes, char silence)
{
    m_frameBytes = std::max(1, frameBytes);
    m_silence = silence;
    this->silence();
}

void EffectVoice::play(const QByteArray &clip, bool loop)
{
    m_clip = clip;
    m_pos = 0;
    m_loop = loop;
}

void EffectVoice::silence()
{
    m_clip = QByteArray();
    m_pos = 0;
    m_loop = false;
}

qint64 EffectVoice::bytesAvailable() const
{
    // Silence never ends; a generous figure keeps readers asking.
    return QIODevice::bytesAvailable() + 1024 * m_frameBytes;
}

qint64 EffectVoice::readData(char *data, qint64 maxSize)
{
    // Whole frames only: a frame split across two reads would swap channels
    // or bytes of a sample.
    const qint64 wanted = maxSize - maxSize % m_frameBytes;
    qint64 done = 0;
    while (done < wanted && !m_clip.isEmpty()) {
        const qint64 n = std::min(wanted - done, m_clip.size() - m_pos);
        std::memcpy(data + done, m_clip.constData() + m_pos, size_t(n));
        done += n;
        m_pos += n;
        m_handedOut += n;
        if (m_pos >= m_clip.size()) {
            if (m_loop)
                m_pos = 0;
            else
                silence();
        }
    }
    std::memset(data + done, m_silence, size_t(wanted - done));
    return wanted;
}

} // namespace moka
