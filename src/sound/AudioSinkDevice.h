// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/EffectVoice.h"
#include "sound/SoundDevice.h"
#include "sound/WavClip.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class QAudioSink;

namespace moka {

// The real sound output: one long-lived Qt audio stream fed by a single voice,
// named after the game in the desktop's volume mixer and paused (corked)
// after a few seconds without a sound, so an idle game keeps no sound device
// awake.
// The seven effects are read from the program's resources and checked at
// open(), which says what is wrong with them; the output itself (the sound
// server's connection and the stream, which the first picture on the screen
// does not need) is opened on the first start(), and the effects converted
// to its format once, then. After that a start or a stop only swaps what the
// voice hands out, so it returns at once. The stream pulls
// from the voice on the GUI thread's event loop, which the game runs every
// frame.
// When the stream fails (the sound server restarts or goes away, and the
// audio library stops the stream with an error) the next effect opens a new
// stream on the default output, named as before; one that cannot be opened
// yet (the server not back) drops that effect, and the next try waits
// kRetryAfterMs, so a game without a server does not ask for one every
// frame. Nothing ever waits for the server to come back.
class AudioSinkDevice : public SoundDevice
{
public:
    AudioSinkDevice();
    ~AudioSinkDevice() override;

    bool open(QString &error) override;
    void start(int id, bool loop) override;
    void stop() override;

    // Opens the output now if it is not open yet (start() does it itself).
    void openOutput();
    // True when a stream is open and sounds go out; false when the machine
    // has no audio output and the device runs silently. Opens the output.
    bool hasOutput()
    {
        openOutput();
        return m_sink != nullptr;
    }
    QAudioFormat format()
    {
        openOutput();
        return m_format;
    }
    // Whether an effect is being handed to the stream (heard or not).
    bool sounding() const { return m_voice.playing(); }
    // The stream is paused for want of sound.
    bool resting() const;
    // Bytes of effects the stream has taken so far (not counting silence).
    qint64 effectBytesTaken() const { return m_voice.effectBytesHandedOut(); }
    // The latency asked of the stream: about the delay before a new effect
    // is heard. Qt's PulseAudio output feeds the stream in 20 ms pieces and
    // stalls for good when the server's buffer is too small to take enough
    // of them to start playing (at 50 ms here); 100 ms leaves room for
    // outputs with a slower device behind them. Measured on a null sink: an
    // effect is heard 45-60 ms after start().
    static constexpr int kBufferMs = 100;
    // How long the stream runs on in silence before it is paused.
    static constexpr int kRestAfterMs = 3000;
    // How long after a failed try to open the stream the next may come.
    static constexpr int kRetryAfterMs = 1000;

private:
    static constexpr int kFirst = 101;
    static constexpr int kCount = 7;

    std::array<std::optional<WavClip>, kCount> m_effects; // as read, once open() succeeded
    std::array<QByteArray, kCount> m_clips;               // in m_format, once the output is open
    bool m_outputOpen = false;
    void restWhenQuiet();
    // Opens a stream on the default output in m_format; false when there is
    // none or it refuses the stream.
    bool openStream();
    // The stream stopped for good or cannot be fed: the server went away.
    bool streamFailed() const;
    QAudioFormat m_format;
    EffectVoice m_voice;
    std::unique_ptr<QAudioSink> m_sink;
    QTimer m_quiet; // runs out kRestAfterMs after the last sound ends
    QTimer m_retry; // runs while no new try to open the stream may come
};

} // namespace moka
