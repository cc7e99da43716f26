// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmMAIN.h"

#include "app/Application.h"
#include "app/CourtView.h"
#include "app/GameCelebrationHost.h"
#include "app/frmSPRUSH.h"
#include "celebration/frmPFM.h"
#include "desktop/WindowFrameHints.h"
#include "desktop/WindowPlacement.h"
#include "desktop/WindowSizeToggle.h"
#include "look/Fonts.h"
#include "look/Looks.h"
#include "look/Palette.h"
#include "look/PictureBox.h"
#include "platform/MouseCodes.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "rally/RallyLoop.h"
#include "state/RallyState.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace moka {

frmMAIN::frmMAIN(Application &app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
    , m_app(app)
{
    setWindowTitle(tr("モカランズ！ mokaRUNs"));
    setWindowIcon(QIcon(Resources::path(QStringLiteral("icon.png"))));
    setFixedSize(409, 514);
    setAutoFillBackground(true);
    Looks::setBackground(this, kGreen);
    buildControls();
    // No minimise or maximise button, yet "大" may maximize it. Asked once the
    // controls are there: made before them, the window would make each of
    // them a window of its own.
    WindowFrameHints::titleAndCloseButMaximizable(*this);
    m_size = new WindowSizeToggle(*this, *picBOX);
    connect(m_size, &WindowSizeToggle::largeChanged, this,
            [this](bool large) { cmdSIZE->setText(large ? tr("小") : tr("大")); });
    m_court = std::make_unique<CourtView>(*picP);
    m_flow = std::make_unique<MatchFlow>(MatchFlow::Game{app.platform(), app.sound(), app.dialogs(),
                                                         app.dataFile(), app.rally, app.match, app.appearance,
                                                         app.records},
                                         *m_court, *m_court, *this);
    showMatch();
    // Centred on the desktop by its frame, title bar included.
    WindowPlacement::centreOnDesktop(*this);
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
    Looks::setBackground(picP, kGreen);

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
}

RallyLoop &frmMAIN::loop() { return m_flow->loop(); }

void frmMAIN::MAIN_LOOP() { m_flow->loop().MAIN_LOOP(); }

void frmMAIN::showMatch()
{
    // Shown at once, in the order the match announces it.
    const auto shown = Qt::DirectConnection;
    MatchFlow *flow = m_flow.get();
    connect(
        flow, &MatchFlow::lifeBarsChanged, this,
        [this](int comTop, int userTop) {
            imgCOM->move(0, comTop);
            imgUSER->move(0, userTop);
        },
        shown);
    connect(
        flow, &MatchFlow::setCountsChanged, this,
        [this](int comSets, int userSets) {
            // Match point: the count turns red.
            lblCOM->setText(QString::number(comSets));
            Looks::setLabelColours(lblCOM, comSets >= 2 ? kRed : kYellow, {});
            lblUSER->setText(QString::number(userSets));
            Looks::setLabelColours(lblUSER, userSets >= 2 ? kRed : kYellow, {});
        },
        shown);
    connect(
        flow, &MatchFlow::roundChanged, this,
        [this](const QString &round, const QString &level) {
            lblSET->setText(round);
            lblCOMg->setText(level);
        },
        shown);
    connect(
        flow, &MatchFlow::rankChanged, this,
        [this](int rank) {
            for (QLabel *label : lblRNK)
                Looks::setLabelColours(label, {}, kTeal);
            Looks::setLabelColours(lblRNK[static_cast<size_t>(rank)], {}, kLime);
        },
        shown);
    connect(
        flow, &MatchFlow::buttonsChanged, this,
        [this](MatchFlow::Buttons buttons) {
            const bool idle = buttons == MatchFlow::Buttons::Idle;
            cmdGAME->setEnabled(idle);
            cmdREN->setEnabled(idle);
            cmdSTOP->setEnabled(buttons == MatchFlow::Buttons::Playing);
            for (QLabel *rank : lblRNK)
                rank->setEnabled(idle);
        },
        shown);
    connect(
        flow, &MatchFlow::rankingLineChanged, this,
        [this](int line, const QString &text) { lblRNKING[static_cast<size_t>(line)]->setText(text); },
        shown);
    connect(
        flow, &MatchFlow::rankingLineColoured, this,
        [this](int line, const QColor &background) {
            Looks::setLabelColours(lblRNKING[static_cast<size_t>(line)], {}, background);
        },
        shown);
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
    m_flow->showCourt();

    m_flow->RESET_BOARD();
    m_flow->LOAD_DATA(m_app.appPath);
    m_app.platform().processEvents();
}

void frmMAIN::Form_Activate()
{
    Platform &platform = m_app.platform();
    platform.processEvents();
    m_flow->showCourt();
    m_app.sound().PLAY_101();
}

void frmMAIN::Form_KeyDown(int keyCode, int) { m_flow->keyDown(keyCode); }

void frmMAIN::Form_QueryUnload()
{
    if (m_app.ending())
        return;
    closeSplash();
    m_app.APP_END();
}

void frmMAIN::cmdSIZE_Click()
{
    closeSplash();
    m_size->toggle();
    m_app.platform().processEvents();
    picP->setFocus();
}

void frmMAIN::celebrate()
{
    GameCelebrationHost host(m_app);
    frmPFM celebration(host);
    celebration.play();
}

bool frmMAIN::unloadSplash()
{
    if (!m_app.splashLoaded)
        return false;
    m_app.unloadSplash();
    return true;
}

void frmMAIN::closeSplash()
{
    if (unloadSplash())
        m_app.platform().processEvents();
}

void frmMAIN::focusCourt() { picP->setFocus(); }

void frmMAIN::picP_MouseDown(int button, int, double x, double y) { loop().courtMouseDown(button, x, y); }

void frmMAIN::picP_MouseMove(int, int, double x, double y) { loop().courtMouseMove(x, y); }

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
    if (unloadSplash())
        return;
    Form_KeyDown(e->key() == Qt::Key_Escape ? 27 : e->key(), 0);
    QWidget::keyPressEvent(e);
}

void frmMAIN::closeEvent(QCloseEvent *e)
{
    Form_QueryUnload();
    e->accept();
}

} // namespace moka
