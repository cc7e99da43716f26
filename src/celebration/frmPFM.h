#pragma once

#include "celebration/CelebrationState.h"
#include "platform/Picture.h"

#include <QWidget>

#include <array>
#include <cstdint>

namespace moka {

class CelebrationHost;
class Platform;

// The champion's celebration: a borderless window over the whole screen that
// starts out showing a copy of the screen and plays, on top of it, a hopping
// ball, fireworks, the trophy engraved with the champion's name, a banner and
// falling confetti. It shows only what the sequence copies onto it and takes
// no input.
//
// Each frame is composed in the back buffer over the screen copy, and only
// the places that changed (what was drawn in this frame and in the one
// before) are copied onto the window: on a large screen a frame moves a few
// sprites' worth of pixels, not the whole screen.
class frmPFM : public QWidget
{
    Q_OBJECT
public:
    explicit frmPFM(CelebrationHost &host);
    ~frmPFM() override;

    // Loads the window, lets the window system activate it (or gives up
    // waiting after half a second), plays the whole sequence and returns once
    // the window has hidden and unloaded itself.
    void play();

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_MouseDown() {}
    void Form_QueryUnload();

    // Set-up.
    void GET_DESKTOP();
    void LOAD_CUP();
    void YB_SETTING();
    void SET_E();
    void SET_COSIN_L();
    // One position of the ball that circles the trophy, drawn into picAAA.
    void YB_STEP();
    // The sequence; hides and unloads the window at its end.
    void LOOP_MAIN();

    // The sequence's preparation (phase 0): the small ball, the engraved
    // trophy and the tables. False when the program is ending.
    bool phasePreparation();
    // One frame of the fireworks (from 1; bursts are opened up to frame 7)
    // or of the confetti (from 1; the ball circles from frame 21), composed
    // and copied onto the window. The sequence calls them once a frame.
    void fireworkFrame(int n);
    void confettiFrame(int n);

    // Where the sequence is: phase 0–7, and the frame within the phase
    // (from 1; 0 outside the phase's frames).
    int phase() const { return m_phase; }
    int frame() const { return m_frame; }
    bool activated() const { return m_activated; }
    bool unloaded() const { return m_unloaded; }

    // Pictures. The window paints from the back buffer where a frame changed
    // it; the others are only drawn from and into.
    Picture picAAA; // back buffer, screen-sized; its background is the screen copy
    Picture picQQQ; // confetti sheet, 128 × 128
    Picture picYB;  // the ball on black (rows 0–47) above its mask (rows 48–95)
    Picture picBL;  // iris mask of the trophy reveal
    Picture picW;   // the trophy, engraved with the champion's name
    Picture picM;   // trophy mask
    Picture picC;   // banner, gold
    Picture picS;   // banner shadow, navy
    Picture picMC;  // banner mask

    // Shared with the fireworks and confetti.
    CelebrationState state;

    // Window variables.
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
    static constexpr int activationWaitMs = 500;
    static constexpr int cupWidth = 270, cupHeight = 310;
    static constexpr int bannerWidth = 287, bannerHeight = 165;
    static constexpr int ballSize = 48;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The phases of LOOP_MAIN; each returns false when the program is ending.
    bool phaseBall();
    bool phaseFireworks();
    void phaseTitle();
    bool phaseReveal();
    void phaseBanner();
    bool phaseConfetti();
    void phaseFinale(bool drawn);

    void unloadWindow();
    void startFrame(int frame);
    bool endFrame();
    void copyToWindow();
    void drawBallBright(int x, int y, int size);
    void drawBallSolid(int x, int y, int size);
    void drawTrophy();
    void printTitle(int dx, int dy, QRgb colour);
    void engrave(const QString &name);
    void addParticle(std::unique_ptr<Particle> particle);
    void sound(int effect);
    Platform &platform();

    CelebrationHost &m_host;
    std::int64_t m_deadline = 0;
    int m_phase = 0;
    int m_frame = 0;
    bool m_activationSeen = false; // the window system activated the window
    QRect m_screen;                // the screen it covers, in the desktop's coordinates
    bool m_activated = false;      // Form_Activate ran (it runs once)
    bool m_unloading = false;
    bool m_unloaded = false;
};

} // namespace moka
