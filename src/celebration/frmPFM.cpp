#include "celebration/frmPFM.h"

#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"
#include "celebration/CelebrationHost.h"
#include "desktop/Cursors.h"
#include "look/Fonts.h"
#include "look/Texts.h"
#include "platform/Platform.h"
#include "platform/Resources.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moka {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
// Behind the main window when the screen itself cannot be copied.
constexpr QRgb kDesk = qRgb(28, 36, 52);

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

// The header fields that the stored trophy lacks: signature, file size,
// offset of the pixels, size of the information header, width and height.
constexpr std::array<std::pair<int, char>, 11> kCupHeader{{{0, 66},
                                                           {1, 77},
                                                           {2, 4},
                                                           {3, char(136)},
                                                           {10, 54},
                                                           {11, 4},
                                                           {14, 40},
                                                           {18, 14},
                                                           {19, 1},
                                                           {22, 54},
                                                           {23, 1}}};
constexpr int kCupHeaderBytes = 26;

// A picture from the program's artwork, or a blank of the given size while
// it is missing (pictures black, masks white: either way nothing is drawn).
void loadPicture(Picture &picture, const QString &name, int width, int height, QRgb blank)
{
    const QImage image = Resources::image(name);
    if (image.isNull())
        picture.reset(width, height, blank);
    else
        picture.setPicture(image);
}

// A capture that shows nothing: refused by the window system, or black as
// some compositors hand it out. Read line by line: a converted copy of a
// large screen would cost as much memory as the screen copy itself.
bool blankCapture(const QImage &capture)
{
    if (capture.isNull())
        return true;
    const bool rgb32 = capture.format() == QImage::Format_RGB32 ||
                       capture.format() == QImage::Format_ARGB32 ||
                       capture.format() == QImage::Format_ARGB32_Premultiplied;
    for (int y = 0; y < capture.height(); ++y) {
        const QImage row =
            rgb32 ? QImage() : capture.copy(0, y, capture.width(), 1).convertToFormat(QImage::Format_RGB32);
        const auto *line =
            reinterpret_cast<const QRgb *>(rgb32 ? capture.constScanLine(y) : row.constScanLine(0));
        for (int x = 0; x < capture.width(); ++x) {
            if (line[x] & 0xffffffu)
                return false;
        }
    }
    return true;
}

// A table entry truncated toward zero. Values that are whole in exact
// arithmetic (sin 30° = 0.5) come out a hair short in floating point and
// must not lose one to the truncation.
std::int32_t truncated(double v) { return static_cast<std::int32_t>(v + std::copysign(1e-6, v)); }

} // namespace

frmPFM::frmPFM(CelebrationHost &host)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
{
    setWindowTitle(Platform::title());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(393, 272);

    loadPicture(picQQQ, QStringLiteral("confetti.bmp"), 128, 128, kBlack);
    loadPicture(picYB, QStringLiteral("shaded_ball.bmp"), ballSize, 2 * ballSize, kBlack);
    if (Resources::image(QStringLiteral("shaded_ball.bmp")).isNull())
        picYB.fillRect(QRect(0, ballSize, ballSize, ballSize), kWhite); // no ball: an empty mask too
    picBL.reset(33, 25, kBlack);
    picW.reset(cupWidth, cupHeight, kBlack);
    loadPicture(picM, QStringLiteral("trophy_mask.bmp"), cupWidth, cupHeight, kWhite);
    loadPicture(picC, QStringLiteral("banner_gold.bmp"), bannerWidth, bannerHeight, kBlack);
    loadPicture(picS, QStringLiteral("banner_navy.bmp"), bannerWidth, bannerHeight, kBlack);
    loadPicture(picMC, QStringLiteral("banner_mask.bmp"), bannerWidth, bannerHeight, kWhite);

    state.NEXT_NO = [this] { return m_host.nextNumber(); };
    state.Rnd = [this] { return m_host.random(); };
}

frmPFM::~frmPFM() = default;

void frmPFM::play()
{
    Platform &platform = this->platform();
    Form_Load();
    // The sequence runs from the first activation. A window system that
    // never activates the window (none at all, or one that refuses to raise
    // it) does not keep the champion from the celebration.
    const std::int64_t giveUp = platform.now() + activationWaitMs;
    while (!m_activationSeen && !platform.ending() && platform.now() < giveUp)
        platform.waitUntil(std::min<std::int64_t>(platform.now() + 10, giveUp));
    if (platform.ending())
        unloadWindow();
    else
        Form_Activate();
}

void frmPFM::Form_Load()
{
    Platform &platform = this->platform();
    hide();
    // The screen the player looks at: the one that shows most of the game.
    m_screen = platform.screenHolding(m_host.mainWindowRect().value_or(QRect()));
    const QSize screen = m_screen.size();
    setGeometry(m_screen);
    platform.processEvents();

    state.picAAA = &picAAA;
    state.picQQQ = &picQQQ;
    state.screenW = screen.width();
    state.screenH = screen.height();
    platform.processEvents();

    setCursor(m_host.pointer());

    // Still hidden: the copy shows the screen as the player last saw it. It
    // sizes the back buffer to the screen and becomes its background.
    GET_DESKTOP();
    picAAA.commit();
    copyToWindow();

    setWindowState(windowState() | Qt::WindowFullScreen);
    show();
    raise();
    activateWindow();
}

void frmPFM::Form_Activate()
{
    if (m_activated || m_unloaded)
        return;
    m_activated = true;
    platform().processEvents();
    sound(101);
    LOOP_MAIN();
}

void frmPFM::Form_QueryUnload()
{
    ybSize.fill(0);
    ybY.fill(0);
    ybX.fill(0);
    state.eTbl.fill(0);
    state.sinTbl.fill(0);
    state.cosTbl.fill(0);
    m_unloaded = true;
}

void frmPFM::GET_DESKTOP()
{
    const int w = state.screenW, h = state.screenH;
    // The back buffer is made from the capture itself, without a screen-sized
    // picture beside it: the old one goes first.
    picAAA.reset(0, 0);
    QImage capture = platform().grabScreen(m_screen);
    if (!blankCapture(capture)) {
        // A screen of more device pixels than it has logical ones.
        if (capture.size() != QSize(w, h))
            capture = capture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        picAAA.setPicture(std::move(capture));
        return;
    }
    // Where the screen cannot be copied, the main window stands in for it
    // where it is (in the middle where the window system does not tell), on a
    // dark desk: the celebration then still opens over the game rather than
    // over nothing.
    capture = QImage();
    picAAA.reset(w, h, kDesk);
    const QImage window = m_host.mainWindowPicture();
    if (window.isNull())
        return;
    const auto place = m_host.mainWindowRect();
    const QPoint at = place ? place->topLeft() - m_screen.topLeft()
                            : QPoint((w - window.width()) / 2, (h - window.height()) / 2);
    picAAA.bitBlt(at.x(), at.y(), window.width(), window.height(), window, 0, 0, RasterOp::SrcCopy);
}

void frmPFM::LOAD_CUP()
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
    if (bytes.size() < kCupHeaderBytes) {
        error = Texts::withDetail(Texts::trophyDamaged(), Texts::trophyResource());
    } else {
        for (const auto &[at, value] : kCupHeader)
            bytes[at] = value;
    }
    platform.processEvents();
    if (error.isEmpty()) {
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "bmp");
        const QImage cup = reader.read();
        if (cup.isNull())
            error = Texts::withDetail(Texts::trophyDamaged(), reader.errorString());
        else
            picW.setPicture(cup);
    }
    platform.processEvents();
    if (!error.isEmpty())
        platform.messageBox(error);
}

void frmPFM::YB_SETTING()
{
    ybX = kOrbitX;
    ybY = kOrbitY;
    ybSize = kOrbitSize;
}

void frmPFM::SET_E() { state.eTbl = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1}; }

void frmPFM::SET_COSIN_L()
{
    for (int i = 0; i < 36; ++i) {
        const double angle = i * 10.0 * std::numbers::pi / 180.0;
        state.cosTbl[static_cast<size_t>(i)] = truncated(1000.0 * std::cos(angle));
        state.sinTbl[static_cast<size_t>(i)] = truncated(1000.0 * std::sin(angle));
    }
}

void frmPFM::YB_STEP()
{
    if (orbitStep >= static_cast<std::int32_t>(ybSize.size())) {
        orbitDone = true;
        return;
    }
    ++orbitStep;
    const auto k = static_cast<size_t>(orbitStep - 1);
    picAAA.stretchBlt(centerX + ybX[k], centerY + ybY[k] + 20, ybSize[k], ybSize[k], picYB, 0, 0, ballSize,
                      ballSize, RasterOp::SrcPaint);
}

void frmPFM::LOOP_MAIN()
{
    // A program that is ending cuts the sequence short; the sound is still
    // stopped and the window unloaded.
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
    unloadWindow();
}

void frmPFM::unloadWindow()
{
    Platform &platform = this->platform();
    platform.processEvents();
    hide();
    platform.processEvents();
    m_unloading = true;
    close();
    if (!m_unloaded)
        Form_QueryUnload();
}

bool frmPFM::phasePreparation()
{
    Platform &platform = this->platform();
    m_phase = 0;
    m_frame = 0;
    m_host.seedRandom(static_cast<std::uint64_t>(platform.now()));

    const std::int32_t screenW = state.screenW, screenH = state.screenH;
    centerX = screenW / 2;
    centerY = screenH / 2;
    riseStep = (screenH / 2 + 100 - screenH / 3) / 10;
    trophyX = centerX - 106;
    trophyY = centerY - 170;

    drawBallBright(centerX - 8, centerY, 16);
    copyToWindow();

    LOAD_CUP();
    engrave(m_host.championName());
    platform.processEvents();

    YB_SETTING();
    SET_E();
    SET_COSIN_L();
    state.particleList.clear();
    return !platform.ending();
}

bool frmPFM::phaseBall()
{
    m_phase = 1;
    for (int n = 1; n <= 22; ++n) {
        startFrame(n);
        picAAA.clear();
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
        copyToWindow();
        if (!endFrame())
            return false;
    }
    return true;
}

bool frmPFM::phaseFireworks()
{
    m_phase = 2;
    m_frame = 0;
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

void frmPFM::fireworkFrame(int n)
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
    copyToWindow();
}

void frmPFM::phaseTitle()
{
    m_phase = 3;
    m_frame = 0;
    sound(101);
    picBL.reset(cupWidth, cupHeight, kBlack);
    printTitle(0, 0, kBlack);
    // Not cleared first: the last ring of the fireworks stays in the picture.
    picAAA.commit();
    platform().processEvents();
}

bool frmPFM::phaseReveal()
{
    m_phase = 4;
    for (int n = 1; n <= 9; ++n) {
        startFrame(n);
        picAAA.clear();
        const int r = 15 * n;
        picBL.ellipse(QRect(106 - r, 144 - r, 2 * r, 2 * r), kWhite, kWhite);
        picW.clear();
        picW.bitBlt(0, 0, cupWidth, cupHeight, picBL, 0, 0, RasterOp::SrcAnd);
        drawTrophy();
        copyToWindow();
        if (!endFrame())
            return false;
    }
    return true;
}

void frmPFM::phaseBanner()
{
    m_phase = 5;
    m_frame = 0;
    picW.clear();
    drawTrophy();
    copyToWindow();

    picAAA.clear();
    drawTrophy();
    picAAA.bitBlt(trophyX - 38, trophyY - 43, bannerWidth, bannerHeight, picMC, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX - 38, trophyY - 43, bannerWidth, bannerHeight, picS, 0, 0, RasterOp::SrcInvert);
    picAAA.bitBlt(trophyX - 38, trophyY - 55, bannerWidth, bannerHeight, picMC, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX - 38, trophyY - 55, bannerWidth, bannerHeight, picC, 0, 0, RasterOp::SrcInvert);
    // Two pixels up and left of the black words, which become their shadow.
    printTitle(-2, -2, qRgb(0, 255, 0));
    picAAA.commit();
    platform().processEvents();
    copyToWindow();
}

bool frmPFM::phaseConfetti()
{
    m_phase = 6;
    m_frame = 0;
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

void frmPFM::confettiFrame(int n)
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
    copyToWindow();
}

void frmPFM::phaseFinale(bool drawn)
{
    m_phase = 7;
    m_frame = 0;
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
        copyToWindow();
        if (n < 9 && !endFrame())
            return;
    }
}

void frmPFM::startFrame(int frame)
{
    m_frame = frame;
    m_deadline = platform().now() + framePeriodMs;
}

bool frmPFM::endFrame()
{
    platform().waitUntil(m_deadline);
    return !platform().ending();
}

void frmPFM::copyToWindow()
{
    // Only what changed since the last frame: what this frame drew, and what
    // clearing took away of the frame before.
    const QRegion changed = picAAA.takeChanged();
    if (!changed.isEmpty())
        update(changed);
    m_host.frameShown(changed);
}

void frmPFM::drawBallBright(int x, int y, int size)
{
    picAAA.stretchBlt(x, y, size, size, picYB, 0, 0, ballSize, ballSize, RasterOp::SrcPaint);
}

void frmPFM::drawBallSolid(int x, int y, int size)
{
    picAAA.stretchBlt(x, y, size, size, picYB, 0, ballSize, ballSize, ballSize, RasterOp::SrcAnd);
    picAAA.stretchBlt(x, y, size, size, picYB, 0, 0, ballSize, ballSize, RasterOp::SrcInvert);
}

void frmPFM::drawTrophy()
{
    picAAA.bitBlt(trophyX, trophyY, cupWidth, cupHeight, picM, 0, 0, RasterOp::SrcAnd);
    picAAA.bitBlt(trophyX, trophyY, cupWidth, cupHeight, picW, 0, 0, RasterOp::SrcInvert);
}

void frmPFM::printTitle(int dx, int dy, QRgb colour)
{
    const QFont font = Fonts::gothic(16, true);
    picAAA.drawText(centerX - 50 + dx, centerY + 136 + dy, QStringLiteral("mokaRUNs'"), font, colour);
    picAAA.drawText(centerX - 70 + dx, centerY + 156 + dy, QStringLiteral("TOURNAMENT"), font, colour);
    picAAA.drawText(centerX - 30 + dx, centerY + 176 + dy, QStringLiteral("WINER"), font, colour);
}

void frmPFM::engrave(const QString &name)
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

void frmPFM::addParticle(std::unique_ptr<Particle> particle) { state.particleList.add(std::move(particle)); }

void frmPFM::sound(int effect) { m_host.sound(effect); }

Platform &frmPFM::platform() { return m_host.platform(); }

bool frmPFM::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        m_activationSeen = true;
    return QWidget::event(e);
}

void frmPFM::paintEvent(QPaintEvent *e)
{
    // Asked for the places the frames changed, and for whatever the window
    // system wants back. Events are handled between frames, when the back
    // buffer holds the frame last copied (the title's black words aside,
    // drawn a moment before the frame that shows them). Drawn a rectangle at
    // a time: unscaled, or scaled just there on a screen of more device
    // pixels than logical ones.
    QPainter p(this);
    const QImage &image = picAAA.image();
    const QRect inside = image.rect();
    for (const QRect &rect : e->region()) {
        const QRect part = rect.intersected(inside);
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), image, part);
        // A window larger than the screen read at load shows black beyond it.
        if (!inside.contains(rect))
            for (const QRect &beyond : QRegion(rect).subtracted(inside))
                p.fillRect(beyond, Qt::black);
    }
}

void frmPFM::mousePressEvent(QMouseEvent *e)
{
    Form_MouseDown();
    e->accept();
}

void frmPFM::closeEvent(QCloseEvent *e)
{
    // The celebration is not cut short: only its own last step, or the
    // program ending, closes the window.
    if (!m_unloading && !platform().ending()) {
        e->ignore();
        return;
    }
    if (!m_unloaded)
        Form_QueryUnload();
    e->accept();
}

} // namespace moka
