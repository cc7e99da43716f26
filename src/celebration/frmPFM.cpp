#include "celebration/frmPFM.h"

#include "app/Application.h"
#include "app/frmMAIN.h"
#include "celebration/CFubuki.h"
#include "celebration/CHanabi.h"
#include "look/Fonts.h"
#include "look/Texts.h"
#include "platform/Cursors.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "sound/SoundModule.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
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
// some compositors hand it out.
bool blankCapture(const QImage &capture)
{
    if (capture.isNull())
        return true;
    const QImage rgb = capture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
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

frmPFM::frmPFM(Application &app)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_app(app)
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

    state.NEXT_NO = [this] { return m_app.NEXT_NO(); };
}

frmPFM::~frmPFM() = default;

void frmPFM::play()
{
    Platform &platform = m_app.platform();
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
    Platform &platform = m_app.platform();
    hide();
    const QSize screen = platform.screenSize();
    setGeometry(QRect(screenOrigin(), screen));
    platform.processEvents();

    state.picAAA = &picAAA;
    state.picQQQ = &picQQQ;
    state.screenW = screen.width();
    state.screenH = screen.height();
    picAAA.reset(state.screenW, state.screenH, kBlack);
    m_surface.reset(state.screenW, state.screenH, kBlack);
    platform.processEvents();

    frmMAIN *main = m_app.mainWindow();
    setCursor(main ? main->curNON : Cursors::invisible());

    // Still hidden: the copy shows the screen as the player last saw it.
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
    m_app.platform().processEvents();
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
    QImage capture = m_app.platform().grabScreen();
    if (!blankCapture(capture)) {
        // A screen of more device pixels than it has logical ones.
        if (capture.size() != QSize(w, h))
            capture = capture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        picAAA.bitBlt(0, 0, w, h, capture, 0, 0, RasterOp::SrcCopy);
        return;
    }
    // Where the screen cannot be copied, the main window stands in for it
    // where it is, on a dark desk: the celebration then still opens over the
    // game rather than over nothing.
    picAAA.fillRect(QRect(0, 0, w, h), kDesk);
    frmMAIN *main = m_app.mainWindow();
    if (!main || !main->isVisible())
        return;
    QImage window = main->grab().toImage();
    if (window.size() != main->size())
        window = window.scaled(main->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QPoint at = main->mapToGlobal(QPoint(0, 0)) - screenOrigin();
    picAAA.bitBlt(at.x(), at.y(), window.width(), window.height(), window, 0, 0, RasterOp::SrcCopy);
}

void frmPFM::LOAD_CUP()
{
    Platform &platform = m_app.platform();
    QByteArray bytes = Resources::bytes(cupResource);
    if (bytes.isEmpty()) {
        platform.messageBox(Texts::withDetail(Texts::trophyUnreadable(), QStringLiteral("resource 108")));
        return;
    }
    // The picture is completed and decoded in memory: nothing is written to
    // the program's folder.
    QString error;
    if (bytes.size() < kCupHeaderBytes) {
        error = Texts::withDetail(Texts::trophyDamaged(), QStringLiteral("resource 108"));
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
    Platform &platform = m_app.platform();
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
    Platform &platform = m_app.platform();
    m_phase = 0;
    m_frame = 0;
    m_rng.seed(static_cast<std::uint64_t>(platform.now()));
    state.Rnd = random ? random : std::function<double()>([this] {
        return static_cast<double>(m_rng() >> 11) * 0x1.0p-53; // 53 random bits: [0, 1)
    });

    const std::int32_t screenW = state.screenW, screenH = state.screenH;
    centerX = screenW / 2;
    centerY = screenH / 2;
    riseStep = (screenH / 2 + 100 - screenH / 3) / 10;
    trophyX = centerX - 106;
    trophyY = centerY - 170;

    drawBallBright(centerX - 8, centerY, 16);
    copyToWindow();

    LOAD_CUP();
    const MatchState &match = m_app.match;
    engrave(match.playerName.isEmpty() ? match.previewName : match.playerName);
    platform.processEvents();

    YB_SETTING();
    SET_E();
    SET_COSIN_L();
    state.particleList.clear();
    return !m_app.ending();
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
        if (!endFrame())
            return false;
        if (state.particleList.isEmpty())
            break;
    }
    state.particleList.clear();
    return true;
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
    m_app.platform().processEvents();
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
    m_app.platform().processEvents();
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
        if (!endFrame())
            return false;
        if (orbitDone)
            break;
    }
    return true;
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
    m_deadline = m_app.platform().now() + framePeriodMs;
}

bool frmPFM::endFrame()
{
    m_app.platform().waitUntil(m_deadline);
    return !m_app.ending();
}

void frmPFM::copyToWindow()
{
    m_surface.bitBlt(0, 0, state.screenW, state.screenH, picAAA, 0, 0, RasterOp::SrcCopy);
    update();
    if (onFrame)
        onFrame();
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

void frmPFM::sound(int effect)
{
    if (onSound)
        onSound(effect);
    SoundModule &module = m_app.sound();
    switch (effect) {
    case 0: module.SOUND_STOP(); break;
    case 101: module.PLAY_101(); break;
    case 103: module.PLAY_103(); break;
    case 104: module.PLAY_104(); break;
    case 106: module.PLAY_106_LOOP(); break;
    default: break;
    }
}

QPoint frmPFM::screenOrigin() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().topLeft() : QPoint();
}

bool frmPFM::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        m_activationSeen = true;
    return QWidget::event(e);
}

void frmPFM::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QImage &image = m_surface.image();
    p.drawImage(0, 0, image);
    // A window larger than the screen read at load shows black beyond it.
    if (width() > image.width())
        p.fillRect(image.width(), 0, width() - image.width(), height(), Qt::black);
    if (height() > image.height())
        p.fillRect(0, image.height(), image.width(), height() - image.height(), Qt::black);
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
    if (!m_unloading && !m_app.ending()) {
        e->ignore();
        return;
    }
    if (!m_unloaded)
        Form_QueryUnload();
    e->accept();
}

} // namespace moka
