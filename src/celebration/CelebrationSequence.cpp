// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/CelebrationSequence.h"

#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"
#include "celebration/CelebrationBackdrop.h"
#include "celebration/CelebrationHost.h"
#include "look/Fonts.h"
#include "look/Texts.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moka {

namespace {

constexpr int cupWidth = CelebrationArt::cupWidth, cupHeight = CelebrationArt::cupHeight;
constexpr int bannerWidth = CelebrationArt::bannerWidth, bannerHeight = CelebrationArt::bannerHeight;
constexpr int ballSize = CelebrationArt::ballSize;
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

// The bursts of frames 1 to 7: colours 9 to 15 of the sixteen classic ones.
// The burst opened before the first frame is always drawn over by the one of
// frame 1, so it takes colour 8, the grey just before them.
constexpr QRgb kFirstBurst = qRgb(128, 128, 128);
constexpr std::array<QRgb, 7> kBurstColours{qRgb(0, 0, 255),    qRgb(0, 255, 0),   qRgb(0, 255, 255),
                                            qRgb(255, 0, 0),    qRgb(255, 0, 255), qRgb(255, 255, 0),
                                            qRgb(255, 255, 255)};

// The path of the ball around the trophy, from the upper left around the
// front to the upper right.
constexpr std::array<std::int32_t, 17> kOrbitX{-56, -84, -114, -136, -150, -136, -98, -54, 0,
                                               54,  98,  136,  150,  136,  114,  84,  56};
constexpr std::array<std::int32_t, 17> kOrbitY{-150, -144, -136, -124, -104, -84,  -68,  -60, -56,
                                               -60,  -68,  -84,  -104, -124, -136, -144, -150};
constexpr std::array<std::int32_t, 17> kOrbitSize{16, 20, 24, 28, 32, 36, 40, 44, 48,
                                                  44, 40, 36, 32, 28, 24, 20, 16};

// A table entry truncated toward zero. Values that are whole in exact
// arithmetic (sin 30° = 0.5) come out a hair short in floating point and
// must not lose one to the truncation.
std::int32_t truncated(double v) { return static_cast<std::int32_t>(v + std::copysign(1e-6, v)); }

} // namespace

CelebrationSequence::CelebrationSequence(CelebrationHost &host)
    : m_host(host)
{
    picBL.reset(33, 25, kBlack);
    picW.reset(cupWidth, cupHeight, kBlack);
    state.picAAA = &picAAA;
    state.picQQQ = &art.picQQQ;
    state.NEXT_NO = [this] { return m_host.nextNumber(); };
    state.Rnd = [this] { return m_host.random(); };
}

CelebrationSequence::~CelebrationSequence() = default;

void CelebrationSequence::open(const QRect &screen)
{
    m_screen = screen;
    state.screenW = screen.width();
    state.screenH = screen.height();
    // The copy shows the screen as the player last saw it. It sizes the back
    // buffer to the screen and becomes its background.
    GET_DESKTOP();
    picAAA.commit();
    show();
}

void CelebrationSequence::run()
{
    sound(101);
    // A program that is ending cuts the sequence short; the sound is still
    // stopped.
    bool drawn = phasePreparation() && phaseBall() && phaseFireworks();
    if (drawn) {
        phaseTitle();
        drawn = phaseReveal();
    }
    if (drawn) {
        phaseBanner();
        drawn = phaseConfetti();
    }
    phaseFinale(drawn);
}

void CelebrationSequence::unload()
{
    ybSize.fill(0);
    ybY.fill(0);
    ybX.fill(0);
    state.eTbl.fill(0);
    state.sinTbl.fill(0);
    state.cosTbl.fill(0);
}

void CelebrationSequence::GET_DESKTOP()
{
    // The back buffer is made from the capture itself, without a screen-sized
    // picture beside it: the old one goes first.
    picAAA.reset(0, 0);
    CelebrationBackdrop::take(picAAA, m_host, m_screen);
}

void CelebrationSequence::LOAD_CUP()
{
    Platform &platform = this->platform();
    QByteArray bytes = m_host.trophy();
    if (bytes.isEmpty()) {
        platform.messageBox(Texts::withDetail(Texts::trophyUnreadable(), Texts::trophyResource()));
        return;
    }
    // The picture is completed and decoded in memory: nothing is written to
    // the program's folder.
    QString error;
    const bool complete = CelebrationArt::completeTrophy(bytes, error);
    platform.processEvents();
    if (complete) {
        const QImage cup = CelebrationArt::decodeTrophy(bytes, error);
        if (!cup.isNull())
            picW.setPicture(cup);
    }
    platform.processEvents();
    if (!error.isEmpty())
        platform.messageBox(error);
}

void CelebrationSequence::YB_SETTING()
{
    ybX = kOrbitX;
    ybY = kOrbitY;
    ybSize = kOrbitSize;
}

void CelebrationSequence::SET_E() { state.eTbl = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1}; }

void CelebrationSequence::SET_COSIN_L()
{
    for (int i = 0; i < 36; ++i) {
        const double angle = i * 10.0 * std::numbers::pi / 180.0;
        state.cosTbl[static_cast<size_t>(i)] = truncated(1000.0 * std::cos(angle));
        state.sinTbl[static_cast<size_t>(i)] = truncated(1000.0 * std::sin(angle));
    }
}

void CelebrationSequence::YB_STEP()
{
    if (orbitStep >= static_cast<std::int32_t>(ybSize.size())) {
        orbitDone = true;
        return;
    }
    ++orbitStep;
    const auto k = static_cast<size_t>(orbitStep - 1);
    picAAA.stretchBlt(centerX + ybX[k], centerY + ybY[k] + 20, ybSize[k], ybSize[k], art.picYB, 0, 0,
                      ballSize, ballSize, RasterOp::SrcPaint);
}

bool CelebrationSequence::phasePreparation()
{
    Platform &platform = this->platform();
    beginPhase(0);
    m_host.seedRandom(static_cast<std::uint64_t>(platform.now()));

    const std::int32_t screenW = state.screenW, screenH = state.screenH;
    centerX = screenW / 2;
    centerY = screenH / 2;
    riseStep = (screenH / 2 + 100 - screenH / 3) / 10;
    trophyX = centerX - 106;
    trophyY = centerY - 170;

    drawBallBright(centerX - 8, centerY, 16);
    show();

    LOAD_CUP();
    engrave(m_host.championName());
    platform.processEvents();

    YB_SETTING();
    SET_E();
    SET_COSIN_L();
    state.particleList.clear();
    return !platform.ending();
}

bool CelebrationSequence::phaseBall()
{
    return playFrames(1, 22, [this](int n) {
        int s = 0, y = 0;
        if (n <= 4) {
            s = 2 * n + 16;
            y = centerY - 20 * n;
        } else if (n <= 8) {
            s = 2 * n + 16;
            y = centerY - 80 + 20 * (n - 4);
        } else if (n <= 12) {
            s = 2 * n + 16;
            y = centerY + 25 * (n - 8);
        } else {
            s = 36 - 2 * (n - 12);
            y = centerY + 100 - riseStep * (n - 12);
        }
        drawBallBright(centerX - s / 2, y, s);
    });
}

bool CelebrationSequence::phaseFireworks()
{
    beginPhase(2);
    state.burstColor = kFirstBurst;
    addParticle(std::make_unique<CHanabi>(state));
    sound(103);
    for (int n = 1;; ++n) {
        fireworkFrame(n);
        if (!endFrame())
            return false;
        if (state.particleList.isEmpty())
            break;
    }
    state.particleList.clear();
    return true;
}

void CelebrationSequence::fireworkFrame(int n)
{
    startFrame(n);
    picAAA.clear();
    if (n < 8) {
        state.burstColor = kBurstColours[static_cast<size_t>(n - 1)];
        addParticle(std::make_unique<CHanabi>(state));
        if (n % 3 == 0)
            sound(103);
    }
    state.particleList.taskAll();
    show();
}

void CelebrationSequence::phaseTitle()
{
    beginPhase(3);
    sound(101);
    picBL.reset(cupWidth, cupHeight, kBlack);
    printTitle(0, 0, kBlack);
    // Not cleared first: the last ring of the fireworks stays in the picture.
    picAAA.commit();
    platform().processEvents();
}

bool CelebrationSequence::phaseReveal()
{
    return playFrames(4, 9, [this](int n) {
        const int r = 15 * n;
        picBL.ellipse(QRect(106 - r, 144 - r, 2 * r, 2 * r), kWhite, kWhite);
        picW.clear();
        picW.bitBlt(0, 0, cupWidth, cupHeight, picBL, 0, 0, RasterOp::SrcAnd);
        drawTrophy();
    });
}

void CelebrationSequence::phaseBanner()
{
    beginPhase(5);
    picW.clear();
    drawTrophy();
    show();

    picAAA.clear();
    drawTrophy();
    picAAA.bitBlt(trophyX - 38, trophyY - 43, bannerWidth, bannerHeight, art.picMC, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX - 38, trophyY - 43, bannerWidth, bannerHeight, art.picS, 0, 0, RasterOp::SrcInvert);
    picAAA.bitBlt(trophyX - 38, trophyY - 55, bannerWidth, bannerHeight, art.picMC, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX - 38, trophyY - 55, bannerWidth, bannerHeight, art.picC, 0, 0, RasterOp::SrcInvert);
    // Two pixels up and left of the black words, which become their shadow.
    printTitle(-2, -2, qRgb(0, 255, 0));
    picAAA.commit();
    platform().processEvents();
    show();
}

bool CelebrationSequence::phaseConfetti()
{
    beginPhase(6);
    for (int i = 0; i < 10; ++i)
        addParticle(std::make_unique<CFubuki>(state));
    sound(106);
    for (int n = 1;; ++n) {
        confettiFrame(n);
        if (!endFrame())
            return false;
        if (orbitDone)
            break;
    }
    return true;
}

void CelebrationSequence::confettiFrame(int n)
{
    startFrame(n);
    picAAA.clear();
    addParticle(std::make_unique<CFubuki>(state));
    addParticle(std::make_unique<CFubuki>(state));
    state.particleList.taskAll();
    if (n > 20) {
        if (n == 21)
            sound(103);
        YB_STEP();
    }
    show();
}

void CelebrationSequence::phaseFinale(bool drawn)
{
    beginPhase(7);
    sound(0);
    state.particleList.clear();
    orbitDone = false;
    if (!drawn)
        return;
    startFrame(0);
    if (!endFrame())
        return;
    sound(104);
    // Not cleared: each ball covers the one before and the last confetti.
    for (int n = 0; n <= 9; ++n) {
        startFrame(n + 1);
        const int s = (1 << n) + 16;
        drawBallSolid((state.screenW - s) / 2, (state.screenH - 60 - s) / 2, s);
        show();
        if (n < 9 && !endFrame())
            return;
    }
}

void CelebrationSequence::beginPhase(int phase)
{
    m_phase = phase;
    m_frame = 0;
}

bool CelebrationSequence::playFrames(int phase, int count, const std::function<void(int)> &draw)
{
    beginPhase(phase);
    for (int n = 1; n <= count; ++n) {
        startFrame(n);
        picAAA.clear();
        draw(n);
        show();
        if (!endFrame())
            return false;
    }
    return true;
}

void CelebrationSequence::startFrame(int frame)
{
    m_frame = frame;
    m_deadline = platform().now() + framePeriodMs;
}

bool CelebrationSequence::endFrame()
{
    platform().waitUntil(m_deadline);
    return !platform().ending();
}

void CelebrationSequence::show()
{
    // Only what changed since the last frame: what this frame drew, and what
    // clearing took away of the frame before.
    const QRegion changed = picAAA.takeChanged();
    if (onShow)
        onShow(changed);
    m_host.frameShown(changed);
}

void CelebrationSequence::drawBallBright(int x, int y, int size)
{
    picAAA.stretchBlt(x, y, size, size, art.picYB, 0, 0, ballSize, ballSize, RasterOp::SrcPaint);
}

void CelebrationSequence::drawBallSolid(int x, int y, int size)
{
    picAAA.stretchBlt(x, y, size, size, art.picYB, 0, ballSize, ballSize, ballSize, RasterOp::SrcAnd);
    picAAA.stretchBlt(x, y, size, size, art.picYB, 0, 0, ballSize, ballSize, RasterOp::SrcInvert);
}

void CelebrationSequence::drawTrophy()
{
    picAAA.bitBlt(trophyX, trophyY, cupWidth, cupHeight, art.picM, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX, trophyY, cupWidth, cupHeight, picW, 0, 0, RasterOp::SrcInvert);
}

void CelebrationSequence::printTitle(int dx, int dy, QRgb colour)
{
    const QFont font = Fonts::gothic(16, true);
    picAAA.drawText(centerX - 50 + dx, centerY + 136 + dy, QStringLiteral("mokaRUNs'"), font, colour);
    picAAA.drawText(centerX - 70 + dx, centerY + 156 + dy, QStringLiteral("TOURNAMENT"), font, colour);
    picAAA.drawText(centerX - 30 + dx, centerY + 176 + dy, QStringLiteral("WINER"), font, colour);
}

void CelebrationSequence::engrave(const QString &name)
{
    // Centred on the point (107, 182) of the trophy, in three layers: a
    // white highlight, a black shadow and the magenta letters between them.
    const QFont font = Fonts::gothic(20, true);
    const QSize size = Picture::textSize(name, font);
    const int nx = 107 - size.width() / 2;
    const int ny = 182 - size.height() / 2;
    picW.drawText(nx - 4, ny - 4, name, font, kWhite);
    picW.drawText(nx, ny, name, font, kBlack);
    picW.drawText(nx - 2, ny - 2, name, font, qRgb(255, 0, 255));
    picW.commit();
}

void CelebrationSequence::addParticle(std::unique_ptr<Particle> particle)
{
    state.particleList.add(std::move(particle));
}

void CelebrationSequence::sound(int effect) { m_host.sound(effect); }

Platform &CelebrationSequence::platform() { return m_host.platform(); }

} // namespace moka
