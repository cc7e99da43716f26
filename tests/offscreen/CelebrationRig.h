// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TestGame.h"

#include "app/GameCelebrationHost.h"
#include "celebration/CelebrationSequence.h"
#include "celebration/frmPFM.h"
#include "platform/Resources.h"

#include <QApplication>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

// Helpers for watching a celebration on the virtual platform.
namespace celebration_rig {

// The smallest rectangle holding every pixel where `a` and `b` differ.
inline QRect changed(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The smallest rectangle holding every pixel of colour `rgb`, and their count.
inline QRect coloured(const QImage &image, QRgb rgb, int *count = nullptr)
{
    QRect box;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (rgb & 0xffffff)) {
                box |= QRect(x, y, 1, 1);
                ++n;
            }
    if (count)
        *count = n;
    return box;
}

// A ball that shows where it lands: white on black over a fully black mask,
// so drawn bright it turns what it covers white, drawn solid it is a plain
// square of `solid`.
inline moka::Picture squareBall(QRgb solid = qRgb(255, 255, 255))
{
    moka::Picture ball(48, 96, qRgb(0, 0, 0));
    ball.fillRect(QRect(0, 0, 48, 48), solid);
    return ball;
}

// One frame copied onto the window, or one sound asked for.
struct Event
{
    int phase;
    int frame;
    std::int64_t time;
    int sound; // 0 for a frame; else the effect, -1 for stopping all sound
    int particles;
};

// The game's own celebration host, watched: every frame and sound request
// lands in `events`, every frame's changes are copied from the back buffer
// into `shown` (what the window shows), and the confetti draws 0 for every
// random number unless told otherwise.
struct Recorder : moka::GameCelebrationHost
{
    explicit Recorder(moka::Application &app)
        : GameCelebrationHost(app)
    {
    }

    void seedRandom(std::uint64_t fromClock) override
    {
        GameCelebrationHost::seedRandom(seed.value_or(fromClock));
    }
    double random() override { return seed ? GameCelebrationHost::random() : nextRandom; }
    // A window system that does not tell where the main window stands.
    std::optional<QRect> mainWindowRect() const override
    {
        return placeUnknown ? std::nullopt : GameCelebrationHost::mainWindowRect();
    }
    QByteArray trophy() override
    {
        return trophyName.isEmpty() ? GameCelebrationHost::trophy() : moka::Resources::bytes(trophyName);
    }
    void sound(int effect) override
    {
        events.push_back(
            {sequence->phase(), sequence->frame(), platform().now(), effect == 0 ? -1 : effect, 0});
        GameCelebrationHost::sound(effect);
    }
    void frameShown(const QRegion &changed) override
    {
        const QImage &composed = sequence->picAAA.image();
        if (shown.size() != composed.size()) {
            shown = QImage(composed.size(), QImage::Format_RGB32);
            shown.fill(Qt::black);
        }
        for (const QRect &rect : changed) {
            const QRect r = rect.intersected(shown.rect());
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(shown.scanLine(y) + 4 * r.left(), composed.constScanLine(y) + 4 * r.left(),
                            4 * static_cast<size_t>(r.width()));
        }
        if (shown != composed)
            ++staleFrames;
        events.push_back({sequence->phase(), sequence->frame(), platform().now(), 0,
                          sequence->state.particleList.count()});
        if (onFrame)
            onFrame(*sequence);
    }

    // Frames of `phase`, by frame number, in order.
    std::vector<int> frames(int phase) const
    {
        std::vector<int> out;
        for (const Event &e : events)
            if (e.sound == 0 && e.phase == phase)
                out.push_back(e.frame);
        return out;
    }

    std::vector<Event> sounds() const
    {
        std::vector<Event> out;
        for (const Event &e : events)
            if (e.sound != 0)
                out.push_back(e);
        return out;
    }

    moka::CelebrationSequence *sequence = nullptr; // set once the sequence is made
    double nextRandom = 0.0;
    std::optional<std::uint64_t> seed; // set: the game's generator from this seed
    QString trophyName;                // set: the trophy from this resource
    bool placeUnknown = false;
    std::vector<Event> events;
    QImage shown;        // the window as the frames' changes left it
    int staleFrames = 0; // frames after which the window differs from the back buffer
    std::function<void(moka::CelebrationSequence &)> onFrame;
};

// The celebration window that is open now, if any.
inline moka::frmPFM *openCelebration()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *pfm = qobject_cast<moka::frmPFM *>(w))
            return pfm;
    return nullptr;
}

} // namespace celebration_rig
