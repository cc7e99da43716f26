#pragma once

#include "TestGame.h"

#include "celebration/frmPFM.h"

#include <QApplication>
#include <QImage>
#include <QRect>

#include <cstdint>
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

// Hooks a celebration window so that every frame and sound request lands in
// `events`, with the confetti drawing 0 for every random number unless told.
struct Recorder
{
    void attach(moka::frmPFM &w, moka::Platform &platform)
    {
        window = &w;
        w.random = [this] { return nextRandom; };
        w.onFrame = [this, &w, &platform] {
            events.push_back({w.phase(), w.frame(), platform.now(), 0, w.state.particleList.count()});
            if (onFrame)
                onFrame(w);
        };
        w.onSound = [this, &w, &platform](int effect) {
            events.push_back({w.phase(), w.frame(), platform.now(), effect == 0 ? -1 : effect, 0});
        };
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

    moka::frmPFM *window = nullptr;
    double nextRandom = 0.0;
    std::vector<Event> events;
    std::function<void(moka::frmPFM &)> onFrame;
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
