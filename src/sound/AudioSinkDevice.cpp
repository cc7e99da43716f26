// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/AudioSinkDevice.h"

#include "look/Texts.h"
#include "platform/Resources.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <algorithm>
#include <utility>

namespace moka {

namespace {

// The effects are 11 025 Hz, 8-bit mono; an output that takes that as it is
// gets the samples unchanged and resamples them itself.
QAudioFormat effectFormat()
{
    QAudioFormat format;
    format.setSampleRate(11025);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    return format;
}

// How the sound server shows the game to the player (PulseAudio, and
// PipeWire through its PulseAudio service): its name, its icon and what kind
// of sound it makes, rather than the audio library's name and process
// number. Set before the first connection; what the player set is kept. The
// sound library reads them whenever it connects, so a connection made after
// the server restarted shows the game the same way.
void nameTheStream()
{
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    const std::pair<const char *, QByteArray> properties[] = {
        // Qt's audio names its connection itself; these two override it.
        {"PULSE_PROP_OVERRIDE_application.name", name.isEmpty() ? QByteArrayLiteral("mokaRUNs") : name},
        {"PULSE_PROP_OVERRIDE_application.icon_name", QByteArrayLiteral("mokaruns")},
        {"PULSE_PROP_media.role", QByteArrayLiteral("game")},
    };
    for (const auto &[key, value] : properties)
        if (!qEnvironmentVariableIsSet(key))
            qputenv(key, value);
}

} // namespace

AudioSinkDevice::AudioSinkDevice()
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kRestAfterMs);
    QObject::connect(&m_quiet, &QTimer::timeout, [this] { restWhenQuiet(); });
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryAfterMs);
}

AudioSinkDevice::~AudioSinkDevice()
{
    if (m_sink)
        m_sink->stop();
}

bool AudioSinkDevice::open(QString &error)
{
    // The effects must be there whether or not anything can be heard: a
    // program without them is broken, and open() says so.
    for (int i = 0; i < kCount; ++i) {
        if (m_effects[size_t(i)])
            continue;
        const QString name = QStringLiteral("se%1.wav").arg(kFirst + i);
        const QByteArray bytes = Resources::bytes(name);
        if (bytes.isEmpty()) {
            error = Texts::effectMissing(name);
            return false;
        }
        QString why;
        m_effects[size_t(i)] = WavClip::parse(bytes, why);
        if (!m_effects[size_t(i)]) {
            error = Texts::effectDamaged(name, why);
            return false;
        }
    }
    return true;
}

void AudioSinkDevice::openOutput()
{
    if (m_outputOpen || !m_effects.back())
        return;
    m_outputOpen = true;

    nameTheStream();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    QAudioFormat format = effectFormat();
    if (!output.isNull() && !output.isFormatSupported(format))
        format = output.preferredFormat();
    if (!format.isValid())
        format = effectFormat();
    m_format = format;
    // An effect that cannot be put into the output's format stays silent
    // (it is valid PCM, so that takes an output no converter knows).
    for (int i = 0; i < kCount; ++i)
        m_clips[size_t(i)] = m_effects[size_t(i)]->convertedTo(format);
    m_voice.setFormat(format.bytesPerFrame(),
                      format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0));
    if (!m_voice.isOpen())
        m_voice.open(QIODevice::ReadOnly);

    // No audio output at all (no sound server, no sound card, a build
    // machine): that is not a failure. The device stays silent, and the
    // game runs as it would with its sound turned down. The same holds when
    // the output refuses the stream.
    openStream();
}

bool AudioSinkDevice::openStream()
{
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        m_retry.start();
        return false;
    }
    auto sink = std::make_unique<QAudioSink>(output, m_format);
    sink->setBufferSize(qsizetype(m_format.bytesForDuration(qint64(kBufferMs) * 1000)));
    sink->start(&m_voice);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        m_retry.start();
        return false;
    }
    m_sink = std::move(sink);
    m_quiet.start();
    return true;
}

bool AudioSinkDevice::streamFailed() const
{
    if (!m_sink)
        return false;
    const QAudio::Error error = m_sink->error();
    // An underrun is no failure: the stream plays on once fed.
    return (m_sink->state() == QAudio::StoppedState && error != QAudio::NoError) ||
           error == QAudio::IOError || error == QAudio::FatalError || error == QAudio::OpenError;
}

bool AudioSinkDevice::resting() const { return m_sink && m_sink->state() == QAudio::SuspendedState; }

void AudioSinkDevice::restWhenQuiet()
{
    if (!m_sink)
        return;
    // A looping effect never ends; one still sounding is looked at again
    // when it may have ended.
    if (m_voice.playing()) {
        m_quiet.start();
        return;
    }
    m_sink->suspend();
}

void AudioSinkDevice::start(int id, bool loop)
{
    openOutput();
    const int i = id - kFirst;
    if (i < 0 || i >= kCount || m_clips[size_t(i)].isEmpty())
        return;
    if (streamFailed()) {
        // Its own signals may still be on their way: it goes once they are
        // delivered, never while the audio library is inside it.
        m_sink.release()->deleteLater();
        m_quiet.stop();
    }
    // The effects stay in the format they were converted to: a restarted
    // server takes it as the first did (it resamples what its output does
    // not play as it is).
    // Without a stream the effect is not heard; the next one tries again.
    if (!m_sink && m_outputOpen && !m_retry.isActive())
        openStream();
    m_voice.play(m_clips[size_t(i)], loop);
    if (resting())
        m_sink->resume();
    if (m_sink)
        m_quiet.start(kRestAfterMs +
                      int(m_clips[size_t(i)].size() * 1000 / std::max(1, m_format.bytesPerFrame()) /
                          std::max(1, m_format.sampleRate())));
}

void AudioSinkDevice::stop()
{
    m_voice.silence();
    if (m_sink)
        m_quiet.start(kRestAfterMs);
}

} // namespace moka
