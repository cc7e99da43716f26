// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/CelebrationArt.h"
#include "celebration/CelebrationState.h"
#include "platform/Picture.h"

#include <QRect>
#include <QRegion>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace moka {

class CelebrationHost;
class Particle;
class Platform;

// The champion's celebration as pictures in time, without a window: over a
// copy of the screen, a hopping ball, fireworks, the trophy engraved with the
// champion's name, a banner and falling confetti, then a growing ball. It
// runs on the host's platform (its clock, waits and message boxes) and
// composes every frame in the back buffer, then hands on the places that
// changed (what was drawn in this frame and in the one before): on a large
// screen a frame moves a few sprites' worth of pixels, not the whole screen.
class CelebrationSequence
{
public:
    explicit CelebrationSequence(CelebrationHost &host);
    CelebrationSequence(const CelebrationSequence &) = delete;
    CelebrationSequence &operator=(const CelebrationSequence &) = delete;
    ~CelebrationSequence();

    // Takes the screen area `screen` (in the desktop's coordinates) for its
    // own: the back buffer becomes a copy of what it shows, and is shown.
    void open(const QRect &screen);
    // Plays the whole sequence from its first sound; returns at its end or as
    // soon as the program is ending, the sound stopped either way.
    void run();
    // Forgets the number tables and the orbit, as the window unloads.
    void unload();

    // Called with the places of the back buffer each frame changed, before
    // the host hears of them: the window repaints them.
    std::function<void(const QRegion &changed)> onShow;

    // Set-up.
    void GET_DESKTOP();
    void LOAD_CUP();
    void YB_SETTING();
    void SET_E();
    void SET_COSIN_L();
    // One position of the ball that circles the trophy, drawn into picAAA.
    void YB_STEP();

    // The preparation (phase 0): the small ball, the engraved trophy and the
    // tables. False when the program is ending.
    bool phasePreparation();
    // One frame of the fireworks (from 1; bursts are opened up to frame 7)
    // or of the confetti (from 1; the ball circles from frame 21), composed
    // and shown. The sequence calls them once a frame.
    void fireworkFrame(int n);
    void confettiFrame(int n);

    // Where the sequence is: phase 0–7, and the frame within the phase
    // (from 1; 0 outside the phase's frames).
    int phase() const { return m_phase; }
    int frame() const { return m_frame; }
    // The screen area taken by open().
    const QRect &screen() const { return m_screen; }

    CelebrationArt art;
    Picture picAAA; // back buffer, screen-sized; its background is the screen copy
    Picture picBL;  // iris mask of the trophy reveal
    Picture picW;   // the trophy, engraved with the champion's name

    // Shared with the fireworks and confetti.
    CelebrationState state;

    std::int32_t centerX = 0;
    std::int32_t centerY = 0;
    std::int32_t riseStep = 0;
    std::int32_t trophyX = 0;
    std::int32_t trophyY = 0;
    bool orbitDone = false;
    std::int32_t orbitStep = 0;
    // The orbit of the ball: offsets from the centre and drawn sizes.
    std::array<std::int32_t, 17> ybX{};
    std::array<std::int32_t, 17> ybY{};
    std::array<std::int32_t, 17> ybSize{};

    static constexpr int framePeriodMs = 100;

private:
    // The phases of run(); each returns false when the program is ending.
    bool phaseBall();
    bool phaseFireworks();
    void phaseTitle();
    bool phaseReveal();
    void phaseBanner();
    bool phaseConfetti();
    void phaseFinale(bool drawn);

    void beginPhase(int phase);
    // Frames 1 to `count` of a phase: each drawn by `draw` on a cleared
    // picture, shown and held for its period; false when the program ends
    // meanwhile.
    bool playFrames(int phase, int count, const std::function<void(int)> &draw);
    void startFrame(int frame);
    bool endFrame();
    void show();
    void drawBallBright(int x, int y, int size);
    void drawBallSolid(int x, int y, int size);
    void drawTrophy();
    void printTitle(int dx, int dy, QRgb colour);
    void engrave(const QString &name);
    void addParticle(std::unique_ptr<Particle> particle);
    void sound(int effect);
    Platform &platform();

    CelebrationHost &m_host;
    QRect m_screen;
    std::int64_t m_deadline = 0;
    int m_phase = 0;
    int m_frame = 0;
};

} // namespace moka
