#include "app/frmMAIN.h"

#include "app/Application.h"
#include "app/GameCelebrationHost.h"
#include "app/frmSPRUSH.h"
#include "appearance/Recolour.h"
#include "celebration/frmPFM.h"
#include "data/modDATA.h"
#include "dialogs/Dialogs.h"
#include "dialogs/frmNAME.h"
#include "look/Fonts.h"
#include "look/Looks.h"
#include "look/Texts.h"
#include "platform/Cursors.h"
#include "platform/ImageFrame.h"
#include "platform/MouseCodes.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "platform/WindowFrameHints.h"
#include "rally/clsBALL.h"
#include "rally/clsCOM.h"
#include "rally/clsRKT.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace moka {

namespace {

const QColor kGreen(0, 128, 0);
const QColor kPurple(128, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kOlive(192, 192, 0);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kTeal(0, 128, 128);
const QColor kLime(0, 255, 0);

// The court as a plain clay rectangle, for a build without its artwork.
QImage plainCourt()
{
    QImage court(RallyState::courtWidth, RallyState::courtHeight, QImage::Format_RGB32);
    court.fill(QColor(173, 115, 66));
    return court;
}

} // namespace

frmMAIN::frmMAIN(Application &app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
    , m_app(app)
{
    setWindowTitle(tr("モカランズ！ mokaRUNs"));
    setWindowIcon(QIcon(Resources::path(QStringLiteral("icon.png"))));
    setFixedSize(409, 514);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kGreen);
    setPalette(pal);
    buildControls();
    // No minimise or maximise button, yet "大" may maximize it. Asked once the
    // controls are there: made before them, the window would make each of
    // them a window of its own.
    WindowFrameHints::titleAndCloseButMaximizable(*this);
    m_data = std::make_unique<modDATA>(app.platform(), app.dataFile(), app.records, app.match.playerName,
                                       app.rally.level, *this);
    m_loop =
        std::make_unique<RallyLoop>(app.platform(), app.rally, app.match, app.sound(), *this, picB, *picP);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(409 / 2, 514 / 2));
    }
}

frmMAIN::~frmMAIN() = default;

void frmMAIN::buildControls()
{
    using S = Looks::LabelStyle;
    picBOX = Looks::box(this, {0, 0, 409, 513}, kGreen);
    picBOX->setObjectName(QStringLiteral("picBOX"));

    picP = new PictureBox(picBOX);
    picP->setObjectName(QStringLiteral("picP"));
    picP->setGeometry(16, 0, RallyState::courtWidth, RallyState::courtHeight);
    {
        QPalette pal = picP->palette();
        pal.setColor(QPalette::Window, kGreen);
        picP->setPalette(pal);
    }

    // Life bars: a 10 × 250 magenta picture sliding inside a purple frame.
    const QPixmap bar = QPixmap::fromImage(Resources::image(QStringLiteral("lifebar.bmp")));
    const QColor magenta(255, 0, 255);
    barCOM = new ImageFrame(picBOX, {304, 8, 9, 249}, kPurple, {0, -80, 10, 250}, bar, magenta);
    imgCOM = barCOM->image();
    Picture1 = new ImageFrame(picBOX, {304, 256, 9, 249}, kPurple, {0, 104, 10, 250}, bar, magenta);
    imgUSER = Picture1->image();
    barCOM->setObjectName(QStringLiteral("barCOM"));
    Picture1->setObjectName(QStringLiteral("Picture1"));

    cmdEND = Looks::button(picBOX, {328, 8, 65, 25}, tr("終了"), QColor(255, 128, 0));
    Line1 = Looks::box(picBOX, {328, 39, 65, 2}, kBlack);
    const QFont gameFont = Fonts::gothic(9, true);
    cmdGAME = Looks::button(picBOX, {328, 48, 65, 41}, tr("ゲーム"), kOlive, &gameFont);
    cmdSTOP = Looks::button(picBOX, {328, 96, 41, 33}, tr("停止"), QColor(192, 192, 255));
    cmdSTOP->setEnabled(false);
    cmdSIZE = Looks::button(picBOX, {368, 96, 25, 33}, tr("大"), kOlive);
    cmdREN = Looks::button(picBOX, {328, 136, 65, 25}, tr("練習"), kOlive);

    Label3 = Looks::label(picBOX, {328, 168, 57, 17}, tr("COM："), Fonts::gothic(12, true), S{});
    lblCOM = Looks::label(picBOX, {328, 184, 65, 41}, QStringLiteral("0"), Fonts::gothic(26.25, true),
                          S{kYellow, kBlack, true, true});
    lblCOMg = Looks::label(picBOX, {376, 160, 25, 25}, QString(), Fonts::gothic(18, true),
                           S{QColor(255, 0, 0), {}, false, false});
    Label5 = Looks::label(picBOX, {328, 224, 57, 25}, QStringLiteral("VS"), Fonts::gothic(15.75, true),
                          S{kOlive, {}, true, false});
    lblSET = Looks::label(picBOX, {328, 248, 65, 17}, tr("第１回戦"), Fonts::gothic(11.25),
                          S{kWhite, QColor(0, 0, 192), true, false});
    lblUSER = Looks::label(picBOX, {328, 272, 65, 41}, QStringLiteral("0"), Fonts::gothic(26.25, true),
                           S{kYellow, kBlack, true, false});
    Label4 = Looks::label(picBOX, {328, 312, 57, 17}, QStringLiteral("USER"), Fonts::gothic(12, true), S{});
    const QFont rankFont = Fonts::gothic(11.25, true);
    lblRNK[2] = Looks::label(picBOX, {328, 336, 65, 17}, tr("Ａランク"), rankFont, S{{}, kTeal, true, true});
    lblRNK[1] = Looks::label(picBOX, {328, 352, 65, 17}, tr("Ｂランク"), rankFont, S{{}, kTeal, true, true});
    lblRNK[0] = Looks::label(picBOX, {328, 368, 65, 17}, tr("Ｃランク"), rankFont, S{{}, kLime, true, true});
    Label1 = Looks::label(picBOX, {328, 392, 65, 17}, QStringLiteral("RANKing"), rankFont, S{});
    const QFont boardFont = Fonts::gothic(11.25);
    lblRNKING[0] = Looks::label(picBOX, {328, 408, 65, 17}, tr(" P："), boardFont, S{kYellow, kPurple});
    for (int i = 1; i <= 4; ++i)
        lblRNKING[i] =
            Looks::label(picBOX, {328, 408 + 16 * i, 65, 17}, QString(), boardFont, S{kWhite, kBlack});
    lblRNKING[5] = Looks::label(picBOX, {328, 488, 65, 17}, tr(" N:"), boardFont, S{kWhite, kBlack});

    // The level number sits over the heading of the computer's set count.
    lblCOMg->raise();

    connect(cmdEND, &QPushButton::clicked, this, &frmMAIN::cmdEND_Click);
    connect(cmdSTOP, &QPushButton::clicked, this, &frmMAIN::cmdSTOP_Click);
    connect(cmdSIZE, &QPushButton::clicked, this, &frmMAIN::cmdSIZE_Click);

    connect(cmdREN, &QPushButton::clicked, this, &frmMAIN::cmdREN_Click);
    connect(picP, &PictureBox::mouseDown, this, &frmMAIN::picP_MouseDown);
    connect(picP, &PictureBox::mouseMove, this, &frmMAIN::picP_MouseMove);
    for (QLabel *rank : lblRNK)
        rank->installEventFilter(this);
    lblCOM->installEventFilter(this);
    lblUSER->installEventFilter(this);
    connect(cmdGAME, &QPushButton::clicked, this, &frmMAIN::cmdGAME_Click);

    loadPictures();
}

void frmMAIN::loadPictures()
{
    imgC = Resources::image(QStringLiteral("court.bmp"));
    if (imgC.isNull())
        imgC = plainCourt();
    picBL.reset(64, 48, qRgb(0, 0, 0));
    picBALL.setPicture(Resources::image(QStringLiteral("ball.bmp")));
    picROLL.setPicture(Resources::image(QStringLiteral("roll.bmp")));
    imgCOMrkt = Resources::image(QStringLiteral("com_racket.bmp"));
    imgCOMsh = Resources::image(QStringLiteral("com_swing.bmp"));
    picCOM.setPicture(imgCOMrkt);
    picCOMsh.setPicture(imgCOMsh);
    curRKT = Cursors::fromPicture(Resources::image(QStringLiteral("cursor_racket.png")), 16, 20);
    curNON = Cursors::invisible();
}

void frmMAIN::Form_Load()
{
    auto *splash = new frmSPRUSH(m_app, this);
    m_app.setSplash(splash);
    splash->Form_Load();
    if (m_app.ending())
        return;
    // The splash shows once the main window is up, above it (Application::Main).

    picBOX->setGeometry(0, 0, 409, 513);
    picB.setPicture(imgC);
    picP->picture().setPicture(imgC);
    picP->refresh();

    RESET_BOARD();
    LOAD_DATA();
    m_app.platform().processEvents();
}

void frmMAIN::Form_Activate()
{
    Platform &platform = m_app.platform();
    platform.processEvents();
    picP->picture().bitBlt(0, 0, RallyState::courtWidth, RallyState::courtHeight, picB, 0, 0,
                           RasterOp::SrcCopy);
    picP->refresh();
    m_app.sound().PLAY_101();
}

void frmMAIN::Form_KeyDown(int keyCode, int)
{
    if (keyCode == 27 && m_app.rally.ballInPlay)
        cmdSTOP_Click();
}

void frmMAIN::Form_QueryUnload()
{
    if (m_app.ending())
        return;
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        m_app.platform().processEvents();
    }
    m_app.APP_END();
}

void frmMAIN::cmdSIZE_Click()
{
    Platform &platform = m_app.platform();
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        platform.processEvents();
    }
    m_maximized = !m_maximized;
    if (m_maximized) {
        // The size limit is lifted first: a window manager refuses to
        // maximize a window whose hints say it cannot grow.
        setMinimumSize(409, 514);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showMaximized();
        cmdSIZE->setText(tr("小"));
    } else {
        restoreNormalSize();
    }
    placeBox();
    platform.processEvents();
    picP->setFocus();
}

void frmMAIN::restoreNormalSize()
{
    cmdSIZE->setText(tr("大"));
    showNormal();
    // The size is fixed again once the window is back at its normal size: a
    // Wayland compositor takes a window of another size than the one it
    // configured as a protocol error, and ends the program.
    m_fixPending = true;
    if (size() == QSize(409, 514))
        fixNormalSize();
    else
        QTimer::singleShot(1000, this, [this] { fixNormalSize(); });
}

void frmMAIN::fixNormalSize()
{
    if (!m_fixPending || m_maximized)
        return;
    m_fixPending = false;
    setFixedSize(409, 514);
}

void frmMAIN::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    // The window manager restored a maximized window by itself (a double
    // click on the title bar, a keyboard shortcut): back to the normal state
    // as "小" would, so the window never stays resizable.
    if (e->type() == QEvent::WindowStateChange && m_maximized) {
        const auto *change = static_cast<QWindowStateChangeEvent *>(e);
        if ((change->oldState() & Qt::WindowMaximized) && !(windowState() & Qt::WindowMaximized) &&
            !(windowState() & Qt::WindowMinimized)) {
            m_maximized = false;
            restoreNormalSize();
            placeBox();
        }
    }
}

void frmMAIN::placeBox()
{
    if (!m_maximized) {
        picBOX->move(0, 0);
        return;
    }
    // Centred in the enlarged window, each half rounded down.
    const int left = (width() - picBOX->width()) / 2;
    const int top = (height() - picBOX->height()) / 2;
    picBOX->move(std::max(0, left), std::max(0, top));
}

void frmMAIN::cmdSTOP_Click()
{
    m_app.rally.stopRequest = true;
    m_app.rally.loopBreak = true;
    m_app.platform().processEvents();
    picP->setFocus();
}

void frmMAIN::cmdEND_Click()
{
    Platform &platform = m_app.platform();
    m_app.rally.loopBreak = true;
    platform.processEvents();
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        platform.processEvents();
    }
    if (m_app.match.tournamentPlayed) {
        SAVE_DATA();
        platform.processEvents();
    }
    m_app.sound().PLAY_101();
    m_app.dialogs().showInfo(Texts::farewell(), QColor(255, 192, 128), QColor(255, 192, 128));
    platform.processEvents();
    if (!m_app.ending())
        close();
}

void frmMAIN::RESET_BOARD()
{
    imgCOM->move(0, -250);
    imgUSER->move(0, 250);
    lblCOM->setText(QStringLiteral("0"));
    lblUSER->setText(QStringLiteral("0"));
    Looks::setLabelColours(lblCOM, kYellow, {});
    Looks::setLabelColours(lblUSER, kYellow, {});
    lblSET->setText(QString());
    lblCOMg->setText(QString());
    for (QLabel *rank : lblRNK)
        Looks::setLabelColours(rank, {}, kTeal);
    Looks::setLabelColours(lblRNK[0], {}, kLime);
    for (int i = 1; i <= 5; ++i)
        Looks::setLabelColours(lblRNKING[i], {}, kBlack);
    m_app.rally.level = 1;
    // Back to the rank C look.
    if (m_app.appearance.courtColor > 0)
        SET_COURT();
    if (m_app.appearance.racketColor > 1)
        SET_RAKET();
}

bool frmMAIN::pointAward()
{
    RallyState &rally = m_app.rally;
    MatchState &match = m_app.match;
    if (rally.outSide == 1) {
        // The player won the point: the computer's bar goes up, 10 pixels a
        // hit of the rally, 50 for a point won with a single hit.
        const std::int32_t hits = rally.rallyHits == 1 ? 5 : rally.rallyHits;
        imgCOM->move(0, imgCOM->y() - 10 * hits);
        m_app.platform().processEvents();
        if (imgCOM->y() < -249) {
            ++match.userSets;
            if (match.userSets == 2)
                Looks::setLabelColours(lblUSER, QColor(255, 0, 0), {});
            lblUSER->setText(QString::number(match.userSets));
            return CHECK_RESULT();
        }
    } else if (rally.outSide == 2) {
        // The computer won it: the player's bar goes down, 50 pixels when
        // the player made no hit at all.
        const std::int32_t hits = rally.rallyHits == 0 ? 5 : rally.rallyHits;
        imgUSER->move(0, imgUSER->y() + 10 * hits);
        m_app.platform().processEvents();
        if (imgUSER->y() > 249) {
            ++match.comSets;
            if (match.comSets == 2)
                Looks::setLabelColours(lblCOM, QColor(255, 0, 0), {});
            lblCOM->setText(QString::number(match.comSets));
            return CHECK_RESULT();
        }
    }
    return true;
}

void frmMAIN::announce(const QString &text, QColor dialogColour, QColor panelColour, int sound)
{
    if (m_app.ending())
        return;
    m_app.sound().PLAY(sound);
    m_app.dialogs().showInfo(text, dialogColour, panelColour);
    m_app.platform().processEvents();
}

void frmMAIN::showRank(std::int32_t level)
{
    for (QLabel *rank : lblRNK)
        Looks::setLabelColours(rank, {}, kTeal);
    Looks::setLabelColours(lblRNK[level >= 7 ? 2 : level <= 3 ? 0 : 1], {}, kLime);
}

void frmMAIN::showRound(std::int32_t level)
{
    // The round within the rank: 1 for levels 1, 4 and 7.
    const std::int32_t round = level % 3 == 0 ? 3 : level % 3;
    lblSET->setText(tr("第 %1回戦").arg(round));
    lblCOMg->setText(QString::number(level));
}

bool frmMAIN::CHECK_RESULT()
{
    RallyState &rally = m_app.rally;
    MatchState &match = m_app.match;
    m_app.WAIT_600();
    if (m_app.ending())
        return false;
    m_loop->showBareCourt();

    if (match.userSets == 3 || match.comSets == 3) {
        const bool champion = match.userSets == 3 && rally.level == 9;
        if (champion)
            announce(tr("あなたは「チャンピョン」です！"), QColor(255, 0, 0), QColor(255, 255, 0), 106);
        else if (match.userSets == 3)
            announce(tr("あなたの勝ちです！"), {}, {}, 106);
        else
            announce(tr("コンピュータの勝ちです！"), {}, {}, 107);
        if (m_app.ending())
            return false;
        if (champion) {
            SET_CHAMP_PFM();
            return false;
        }
        if (match.comSets == 3)
            return false; // the ranking keeps the last round won
        // A round won below the title: into the ranking, then the next round.
        SET_RANKING();
        ++rally.level;
        if (rally.level == 4 || rally.level == 7)
            showRank(rally.level);
        match.setNumber = 1;
        match.userSets = 0;
        match.comSets = 0;
        Looks::setLabelColours(lblUSER, kYellow, {});
        Looks::setLabelColours(lblCOM, kYellow, {});
        lblUSER->setText(QStringLiteral("0"));
        lblCOM->setText(QStringLiteral("0"));
        showRound(rally.level);
    } else {
        ++match.setNumber;
    }
    imgCOM->move(0, 0);
    imgUSER->move(0, 0);
    SET_INFO();
    return !m_app.ending();
}

void frmMAIN::SET_INFO()
{
    RallyState &rally = m_app.rally;
    const AppearanceState &look = m_app.appearance;
    if (rally.level > 1)
        SET_RAKET();
    // The court changes only when a new rank begins.
    if ((look.courtColor == 0 && rally.level > 3) || (look.courtColor == 1 && rally.level > 6))
        SET_COURT();
    m_app.platform().processEvents();

    static const char *const kRanks[] = {QT_TR_NOOP("Ｃランク"), QT_TR_NOOP("Ｂランク"),
                                         QT_TR_NOOP("Ａランク")};
    static const char *const kRounds[] = {QT_TR_NOOP("第１回戦"), QT_TR_NOOP("第２回戦"),
                                          QT_TR_NOOP("第３回戦")};
    static const QColor kFrames[] = {QColor(192, 192, 0), QColor(128, 128, 255), QColor(192, 0, 192)};
    QString prefix = tr("？？？");
    QColor frame(0, 0, 0);
    if (rally.level >= 1 && rally.level <= 9) {
        const int rank = (rally.level - 1) / 3;
        // "Ｃランク - 第１回戦 ： "
        prefix = tr("%1 - %2 ： ").arg(tr(kRanks[rank]), tr(kRounds[(rally.level - 1) % 3]));
        frame = kFrames[rank];
    }

    if (rally.level >= 7 && m_app.match.setNumber == 1)
        announce(tr("Ａランクは「ボールの影」が有効です"), QColor(255, 0, 0), QColor(255, 128, 255), 101);
    announce(prefix + tr("第 %1 セット").arg(m_app.match.setNumber), frame, {}, 101);
    if (!m_app.ending())
        m_app.sound().PLAY_102();
}

void frmMAIN::showInterrupt() { m_app.dialogs().showCut(); }

void frmMAIN::CUR_NORMAL()
{
    picP->unsetCursor();
    m_app.rally.racketCursor = false;
}

void frmMAIN::CUR_RACKET()
{
    picP->setCursor(curRKT);
    m_app.rally.racketCursor = true;
}

void frmMAIN::CUR_SWING() { picP->setCursor(curNON); }

void frmMAIN::picP_MouseDown(int button, int, double x, double y)
{
    RallyState &rally = m_app.rally;
    Ball *ball = m_loop->cast().ball;
    if (rally.comServeWait) {
        // Any click starts the computer's serve: the ball flies straight
        // down the court. No ball on court yet: nothing to serve.
        if (!ball)
            return;
        rally.comServeWait = false;
        ball->setFactorX(0);
        ball->setFactorY(25);
        rally.ballInPlay = true;
        rally.comServing = true;
    } else if (rally.racketCursor) {
        // Rounded to the nearest pixel, halves to even.
        rally.clickX = static_cast<std::int32_t>(std::lrint(x));
        rally.clickY = static_cast<std::int32_t>(std::lrint(y));
        rally.clickButton = button;
        rally.swingActive = true;
        rally.userServeWait = false;
    }
}

void frmMAIN::picP_MouseMove(int, int, double x, double y)
{
    // Over the lower court the pointer is a racket.
    const bool inZone = y >= 268 && y <= 500 && x >= RallyState::courtLeft && x <= RallyState::courtRight;
    if (inZone && !m_app.rally.racketCursor)
        CUR_RACKET();
    else if (!inZone && m_app.rally.racketCursor)
        CUR_NORMAL();
}

void frmMAIN::lblRNK_Click(int index)
{
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        m_app.platform().processEvents();
    }
    for (QLabel *rank : lblRNK)
        Looks::setLabelColours(rank, {}, kTeal);
    Looks::setLabelColours(lblRNK[static_cast<size_t>(index)], {}, kLime);
    static constexpr std::int32_t kPracticeLevel[] = {2, 5, 8};
    m_app.rally.level = kPracticeLevel[index];
    SET_COURT();
}

void frmMAIN::cmdGAME_Click()
{
    Platform &platform = m_app.platform();
    RallyState &rally = m_app.rally;
    MatchState &match = m_app.match;
    // No second game may start while this one is being set up: the events
    // handled during the registration, the colour changes and the first
    // announcements would otherwise run a practice (or another tournament)
    // inside this start, at this game's level, and leave this game at level
    // 0. The stop button waits for the frame loop.
    cmdGAME->setEnabled(false);
    cmdREN->setEnabled(false);
    for (QLabel *rank : lblRNK)
        rank->setEnabled(false);
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        platform.processEvents();
    }
    RESET_BOARD();
    m_app.sound().PLAY_101();
    {
        frmNAME registration(platform, match, m_app.records, this);
        platform.showModal(registration);
    }
    if (match.playerName.isEmpty() || m_app.ending()) {
        setGameButtons(true);
        return;
    }
    CHECK_NAME();
    if (rally.level == 0 || m_app.ending()) {
        setGameButtons(true);
        return;
    }
    match.tournamentPlayed = true;
    setGameButtons(false);
    picP->setFocus();

    // The first serve of every game belongs to the computer.
    rally.ballInPlay = false;
    rally.comServeWait = true;
    rally.comActive = true;
    auto ball = std::make_unique<clsBALL>(rally, m_app.sound(), platform, picB, picBALL);
    ball->setX(141);
    ball->setY(93);
    auto racket = std::make_unique<clsRKT>(rally, *ball, m_app.sound(), picB, picROLL, *this);
    auto com =
        std::make_unique<clsCOM>(rally, m_app.appearance, *ball, m_app.sound(), picB, picCOM, picCOMsh);
    // On court at once: a click handled from here on serves this ball.
    m_loop->setCast({ball.get(), racket.get(), com.get()});
    platform.processEvents();

    if (!m_app.ending())
        MAIN_LOOP();
    m_loop->setCast({});
    com.reset();
    racket.reset();
    ball.reset();
    if (m_app.ending())
        return;
    platform.processEvents();
    setGameButtons(true);
    lblRNKING[5]->setText(tr(" N： "));
}

void frmMAIN::CHECK_NAME()
{
    RallyState &rally = m_app.rally;
    const MatchState &match = m_app.match;
    const RecordTable &records = m_app.records;
    int entry = -1; // the first entry of that exact name
    for (int i = 0; i <= 4 && entry < 0; ++i)
        if (records.rankName[static_cast<size_t>(i)] == match.playerName)
            entry = i;

    if (entry == 0) { // the reigning champion may not play
        rally.level = 0;
        announce(tr("チャンピョンはゲーム が出来ません"), QColor(255, 0, 0), {}, 107);
        return;
    }
    int row = 5;
    if (entry < 0) {
        rally.level = 1;
        lblRNKING[5]->setText(tr(" N： ") + match.playerName);
    } else {
        rally.level = records.rankStage[static_cast<size_t>(entry)] + 1;
        row = entry;
    }
    for (int i = 1; i <= 5; ++i)
        Looks::setLabelColours(lblRNKING[static_cast<size_t>(i)], {}, kBlack);
    Looks::setLabelColours(lblRNKING[static_cast<size_t>(row)], {}, QColor(0, 0, 255));
    m_app.platform().processEvents();
    imgCOM->move(0, 0);
    imgUSER->move(0, 0);
    showRank(rally.level);
    m_app.match.setNumber = 1;
    showRound(rally.level);
    SET_INFO();
}

void frmMAIN::lblCOM_MouseDown(int button, int shift)
{
    const RallyState &rally = m_app.rally;
    if ((shift & 1) && button == 2 && !rally.ballInPlay && !rally.comServeWait && !rally.comActive)
        m_app.match.champPreview = true;
}

void frmMAIN::lblUSER_MouseDown(int button, int shift)
{
    MatchState &match = m_app.match;
    if (!(shift & 1) || button != 2 || !match.champPreview)
        return;
    if (!match.previewName.isEmpty()) {
        SET_CHAMP_PFM();
        match.champPreview = false;
    } else {
        m_app.platform().messageBox(tr("　　チャンピョンネームがありません！　　　　"));
    }
}

void frmMAIN::SET_CHAMP_PFM()
{
    {
        GameCelebrationHost host(m_app);
        frmPFM celebration(host);
        celebration.play();
    }
    m_app.platform().processEvents();
    if (m_app.ending())
        return;
    if (!m_app.match.champPreview)
        SET_CHAMPION();
    cmdEND_Click();
}

void frmMAIN::LOAD_DATA()
{
    m_data->setFolder(m_app.appPath);
    m_data->LOAD_DATA();
}

void frmMAIN::SAVE_DATA() { m_data->SAVE_DATA(); }

void frmMAIN::SET_RANKING() { m_data->SET_RANKING(); }

void frmMAIN::SET_CHAMPION() { m_data->SET_CHAMPION(); }

void frmMAIN::setLine(int line, const QString &text) { lblRNKING[static_cast<size_t>(line)]->setText(text); }

QString frmMAIN::line(int line) const { return lblRNKING[static_cast<size_t>(line)]->text(); }

void frmMAIN::setLineBackground(int line, QColor colour)
{
    Looks::setLabelColours(lblRNKING[static_cast<size_t>(line)], {}, colour);
}

QColor frmMAIN::lineBackground(int line) const
{
    return Looks::labelBackground(lblRNKING[static_cast<size_t>(line)]);
}

void frmMAIN::setGameButtons(bool idle)
{
    cmdGAME->setEnabled(idle);
    cmdREN->setEnabled(idle);
    cmdSTOP->setEnabled(!idle);
    for (QLabel *rank : lblRNK)
        rank->setEnabled(idle);
}

void frmMAIN::cmdREN_Click()
{
    Platform &platform = m_app.platform();
    RallyState &rally = m_app.rally;
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        platform.processEvents();
    }
    m_app.sound().PLAY_101();
    setGameButtons(false);
    picP->setFocus();
    rally.ballInPlay = false;
    rally.comServeWait = true;
    rally.comActive = false;

    // No opponent in practice: the ball comes back from both ends.
    auto ball = std::make_unique<clsBALL>(rally, m_app.sound(), platform, picB, picBALL);
    ball->setX(141); // held on the serve spot until the click
    ball->setY(93);
    auto racket = std::make_unique<clsRKT>(rally, *ball, m_app.sound(), picB, picROLL, *this);
    racket->ReINIT();
    // On court at once: a click handled from here on (even one queued while
    // the hint below is up) serves this ball.
    m_loop->setCast({ball.get(), racket.get(), nullptr});
    platform.processEvents();

    if (rally.level == 8 && !m_app.ending()) {
        m_app.sound().PLAY_101();
        m_app.dialogs().showInfo(tr("Ａランクは「ボールの影」が有効です"), QColor(255, 0, 0),
                                 QColor(255, 128, 255));
        platform.processEvents();
    }

    if (!m_app.ending())
        MAIN_LOOP();
    m_loop->setCast({});
    racket.reset();
    ball.reset();
    if (m_app.ending())
        return;
    platform.processEvents();
    setGameButtons(true);
}

void frmMAIN::SET_RAKET()
{
    AppearanceState &look = m_app.appearance;
    picCOMsh.setPicture(imgCOMsh);
    picCOM.setPicture(imgCOMrkt);
    if (m_app.rally.level > 1) {
        look.racketColor = m_app.rally.level;
        picCOMsh.setPicture(Recolour::SET_RKT_COLOR(imgCOMsh, look.racketColor));
        m_app.platform().processEvents();
        picCOM.setPicture(Recolour::SET_RKT_COLOR(imgCOMrkt, look.racketColor));
        m_app.platform().processEvents();
    } else {
        look.racketColor = 1;
    }
}

void frmMAIN::SET_COURT()
{
    AppearanceState &look = m_app.appearance;
    const std::int32_t level = m_app.rally.level;
    look.courtColor = level > 6 ? 2 : level > 3 ? 1 : 0;
    if (look.courtColor > 0) {
        picB.setPicture(Recolour::SET_COURT_COLOR(imgC, look.courtColor));
        m_app.platform().processEvents();
    } else {
        picB.setPicture(imgC);
    }
    // The new court shows at once and survives repaints.
    picP->picture().setPicture(picB.image());
    picP->refresh();
}

bool frmMAIN::eventFilter(QObject *watched, QEvent *e)
{
    // The set counts hide the celebration preview: Shift with the right button.
    if (e->type() == QEvent::MouseButtonPress && (watched == lblCOM || watched == lblUSER)) {
        auto *me = static_cast<QMouseEvent *>(e);
        const int button = MouseCodes::button(me->button());
        const int shift = MouseCodes::shift(me->modifiers());
        if (watched == lblCOM)
            lblCOM_MouseDown(button, shift);
        else
            lblUSER_MouseDown(button, shift);
        return true;
    }
    // A rank label is clicked when the left button goes up over it.
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        for (QLabel *rank : lblRNK)
            if (watched == rank)
                return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(e);
        for (size_t i = 0; i < lblRNK.size(); ++i) {
            if (watched == lblRNK[i] && lblRNK[i]->isEnabled() && me->button() == Qt::LeftButton &&
                lblRNK[i]->rect().contains(me->position().toPoint())) {
                lblRNK_Click(static_cast<int>(i));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

bool frmMAIN::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated) {
        // Form_Activate handles events and plays; it runs just after the
        // activation, never inside it: Qt is still walking its windows here.
        m_activated = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_app.ending())
                    Form_Activate();
            },
            Qt::QueuedConnection);
    }
    return QWidget::event(e);
}

void frmMAIN::keyPressEvent(QKeyEvent *e)
{
    // The splash sits in front of the main window, which keeps the keyboard:
    // a key meant for the splash closes it.
    if (m_app.splashLoaded) {
        m_app.unloadSplash();
        return;
    }
    Form_KeyDown(e->key() == Qt::Key_Escape ? 27 : e->key(), 0);
    QWidget::keyPressEvent(e);
}

void frmMAIN::closeEvent(QCloseEvent *e)
{
    Form_QueryUnload();
    e->accept();
}

void frmMAIN::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (m_fixPending && size() == QSize(409, 514))
        fixNormalSize();
    if (picBOX)
        placeBox();
}

} // namespace moka
