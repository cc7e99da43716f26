// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestGame.h"

#include "app/CourtView.h"
#include "app/frmMAIN.h"
#include "app/frmSPRUSH.h"
#include "desktop/WindowSizeToggle.h"
#include "look/Looks.h"
#include "look/PictureBox.h"
#include "match/CourtArt.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

using namespace moka;

namespace {

QRect geometryIn(const QWidget *w, const QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// The empty rows above and below the text of `label`, as drawn in its window.
std::pair<int, int> gapsAroundText(QWidget *window, const QLabel *label, QRgb text)
{
    const QImage shot = window->grab(QRect(label->mapTo(window, QPoint(0, 0)), label->size())).toImage();
    int first = -1, last = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) == (text & 0xffffff)) {
                first = first < 0 ? y : first;
                last = y;
            }
    return {first, first < 0 ? -1 : shot.height() - 1 - last};
}

} // namespace

TEST(MainWindow, ControlsSitWhereTheLayoutPutsThem)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->windowTitle(), QStringLiteral("モカランズ！ mokaRUNs"));
    EXPECT_EQ(m->size(), QSize(409, 514)); // the box leaves a one-pixel strip below
    EXPECT_EQ(m->picBOX->geometry(), QRect(0, 0, 409, 513));

    struct Expect
    {
        const QWidget *w;
        QRect rect;
    };
    const Expect layout[] = {
        {m->picP, {16, 0, 281, 513}},       {m->barCOM, {304, 8, 9, 249}},
        {m->Picture1, {304, 256, 9, 249}},  {m->cmdEND, {328, 8, 65, 25}},
        {m->cmdGAME, {328, 48, 65, 41}},    {m->cmdSTOP, {328, 96, 41, 33}},
        {m->cmdSIZE, {368, 96, 25, 33}},    {m->cmdREN, {328, 136, 65, 25}},
        {m->lblCOMg, {376, 160, 25, 25}},   {m->Label3, {328, 168, 57, 17}},
        {m->lblCOM, {328, 184, 65, 41}},    {m->Label5, {328, 224, 57, 25}},
        {m->lblSET, {328, 248, 65, 17}},    {m->lblUSER, {328, 272, 65, 41}},
        {m->Label4, {328, 312, 57, 17}},    {m->lblRNK[2], {328, 336, 65, 17}},
        {m->lblRNK[1], {328, 352, 65, 17}}, {m->lblRNK[0], {328, 368, 65, 17}},
        {m->Label1, {328, 392, 65, 17}},
    };
    for (const Expect &e : layout)
        EXPECT_EQ(geometryIn(e.w, m), e.rect) << e.w->metaObject()->className();
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(geometryIn(m->lblRNKING[i], m), QRect(328, 408 + 16 * i, 65, 17)) << "ranking row " << i;

    EXPECT_EQ(m->cmdEND->text(), QStringLiteral("終了"));
    EXPECT_EQ(m->cmdGAME->text(), QStringLiteral("ゲーム"));
    EXPECT_EQ(m->cmdSTOP->text(), QStringLiteral("停止"));
    EXPECT_EQ(m->cmdSIZE->text(), QStringLiteral("大"));
    EXPECT_EQ(m->cmdREN->text(), QStringLiteral("練習"));
    EXPECT_EQ(m->Label3->text(), QStringLiteral("COM："));
    EXPECT_EQ(m->Label5->text(), QStringLiteral("VS"));
    EXPECT_EQ(m->Label4->text(), QStringLiteral("USER"));
    EXPECT_EQ(m->Label1->text(), QStringLiteral("RANKing"));
    EXPECT_EQ(m->lblRNK[0]->text(), QStringLiteral("Ｃランク"));
    EXPECT_EQ(m->lblRNK[1]->text(), QStringLiteral("Ｂランク"));
    EXPECT_EQ(m->lblRNK[2]->text(), QStringLiteral("Ａランク"));
    EXPECT_EQ(m->lblRNKING[0]->text(), QStringLiteral(" P： ")); // filled from an empty ranking file
    EXPECT_FALSE(m->cmdSTOP->isEnabled());
    EXPECT_TRUE(m->cmdGAME->isEnabled());

    EXPECT_EQ(Looks::buttonBackground(m->cmdEND), QColor(255, 128, 0));
    EXPECT_EQ(Looks::buttonBackground(m->cmdGAME), QColor(192, 192, 0));
    EXPECT_EQ(Looks::buttonBackground(m->cmdSTOP), QColor(192, 192, 255));
    EXPECT_EQ(Looks::labelText(m->lblCOM), QColor(255, 255, 0));
    EXPECT_EQ(Looks::labelBackground(m->lblCOM), QColor(0, 0, 0));
    EXPECT_EQ(Looks::labelText(m->lblCOMg), QColor(255, 0, 0));
    EXPECT_EQ(Looks::labelBackground(m->lblSET), QColor(0, 0, 192));
    EXPECT_EQ(Looks::labelBackground(m->lblRNKING[0]), QColor(128, 0, 128));
    EXPECT_EQ(m->lblCOM->font().bold(), true);
    EXPECT_EQ(m->lblCOM->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));

    // Labels draw their text from the top: a taller label keeps its text
    // where it was and gains the height below it.
    m->show();
    for (QLabel *label : {m->lblCOM, m->lblUSER, m->Label5}) {
        const QRgb text = Looks::labelText(label).rgb();
        const auto [above, below] = gapsAroundText(m, label, text);
        label->resize(label->width(), label->height() + 20);
        const auto [tallAbove, tallBelow] = gapsAroundText(m, label, text);
        label->resize(label->width(), label->height() - 20);
        EXPECT_GE(above, 0) << label->text().toStdString() << ": no text drawn";
        EXPECT_EQ(tallAbove, above) << label->text().toStdString();
        EXPECT_EQ(tallBelow, below + 20) << label->text().toStdString();
    }
}

TEST(MainWindow, LoadLeavesTheIdleBoardAndTheBareCourt)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    EXPECT_EQ(m->imgCOM->geometry().top(), -250);
    EXPECT_EQ(m->imgUSER->geometry().top(), 250);
    EXPECT_EQ(m->lblCOM->text(), QStringLiteral("0"));
    EXPECT_TRUE(m->lblSET->text().isEmpty());
    EXPECT_TRUE(m->lblCOMg->text().isEmpty());
    EXPECT_EQ(Looks::labelBackground(m->lblRNK[0]), QColor(0, 255, 0));
    EXPECT_EQ(Looks::labelBackground(m->lblRNK[1]), QColor(0, 128, 128));
    EXPECT_EQ(Looks::labelBackground(m->lblRNK[2]), QColor(0, 128, 128));
    EXPECT_EQ(game.app->rally.level, 1);
    EXPECT_EQ(m->picP->picture().size(), QSize(281, 513));
    EXPECT_EQ(m->picP->picture().image(), m->flow().art().picB.image());
    // No picture holder is a visible widget: everything shown lies in the box.
    for (const QWidget *child : m->findChildren<QWidget *>())
        EXPECT_TRUE(child == m->picBOX || m->picBOX->isAncestorOf(child)) << child->metaObject()->className();
}

// What the match announces reaches the right label with its text and
// colours: each step is announced, then every label it should change is read
// back. An empty text or an invalid colour is not checked.
TEST(MainWindow, ScoreAndRankingShowOnTheirLabels)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    using B = MatchFlow::Buttons;
    MatchFlow &flow = m->flow();
    struct Shown
    {
        const QLabel *label;
        QString text;
        QColor ink, ground;
    };
    struct Step
    {
        const char *what;
        std::function<void()> show;
        std::vector<Shown> expected;
    };
    const QColor dim(0, 128, 128), lit(0, 255, 0), white(255, 255, 255), blue(0, 0, 255);
    const Step steps[] = {
        // A count of two sets, a match point, shows red.
        {"sets 1:2",
         [&] { emit flow.setCountsChanged(1, 2); },
         {{m->lblCOM, QStringLiteral("1"), QColor(255, 255, 0), QColor(0, 0, 0)},
          {m->lblUSER, QStringLiteral("2"), QColor(255, 0, 0), QColor(0, 0, 0)}}},
        {"sets 2:0",
         [&] { emit flow.setCountsChanged(2, 0); },
         {{m->lblCOM, QStringLiteral("2"), QColor(255, 0, 0), {}},
          {m->lblUSER, QStringLiteral("0"), QColor(255, 255, 0), {}}}},
        {"round",
         [&] { emit flow.roundChanged(QStringLiteral("第 2回戦"), QStringLiteral("5")); },
         {{m->lblSET, QStringLiteral("第 2回戦"), white, QColor(0, 0, 192)},
          {m->lblCOMg, QStringLiteral("5"), QColor(255, 0, 0), {}}}},
        {"rank B",
         [&] { emit flow.rankChanged(1); },
         {{m->lblRNK[0], {}, {}, dim}, {m->lblRNK[1], {}, {}, lit}, {m->lblRNK[2], {}, {}, dim}}},
        {"rank A",
         [&] { emit flow.rankChanged(2); },
         {{m->lblRNK[0], {}, {}, dim}, {m->lblRNK[1], {}, {}, dim}, {m->lblRNK[2], {}, {}, lit}}},
        {"ranking line",
         [&] { emit flow.rankingLineChanged(3, QStringLiteral(" 5:ABC")); },
         {{m->lblRNKING[3], QStringLiteral(" 5:ABC"), white, QColor(0, 0, 0)}}},
        {"ranking marked",
         [&] { emit flow.rankingLineColoured(2, blue); },
         {{m->lblRNKING[2], {}, white, blue}, {m->lblRNKING[3], {}, white, QColor(0, 0, 0)}}},
        {"newcomer",
         [&] { emit flow.rankingLineChanged(5, QStringLiteral(" N:XYZ")); },
         {{m->lblRNKING[5], QStringLiteral(" N:XYZ"), white, QColor(0, 0, 0)}}},
    };
    for (const Step &step : steps) {
        step.show();
        for (const Shown &e : step.expected) {
            SCOPED_TRACE(step.what);
            const std::string label = e.label->text().toStdString();
            if (!e.text.isNull()) {
                EXPECT_EQ(e.label->text().toStdString(), e.text.toStdString());
            }
            if (e.ink.isValid()) {
                EXPECT_EQ(Looks::labelText(e.label), e.ink) << label;
            }
            if (e.ground.isValid()) {
                EXPECT_EQ(Looks::labelBackground(e.label), e.ground) << label;
            }
        }
    }

    // The life bars slide to their tops; the buttons follow the game.
    emit flow.lifeBarsChanged(-120, 40);
    EXPECT_EQ(m->imgCOM->geometry().top(), -120);
    EXPECT_EQ(m->imgUSER->geometry().top(), 40);
    struct Allowed
    {
        B buttons;
        bool start, stop;
    };
    for (const Allowed &a : {Allowed{B::Playing, false, true}, Allowed{B::SettingUp, false, false},
                             Allowed{B::Idle, true, false}}) {
        emit flow.buttonsChanged(a.buttons);
        EXPECT_EQ(m->cmdGAME->isEnabled(), a.start) << int(a.buttons);
        EXPECT_EQ(m->cmdREN->isEnabled(), a.start) << int(a.buttons);
        EXPECT_EQ(m->cmdSTOP->isEnabled(), a.stop) << int(a.buttons);
        for (const QLabel *rank : m->lblRNK)
            EXPECT_EQ(rank->isEnabled(), a.start) << int(a.buttons);
    }
}

TEST(MainWindow, FirstActivationShowsTheCourtAndChimesOnce)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    QEvent activate(QEvent::WindowActivate);
    if (!m->activated())
        QApplication::sendEvent(m, &activate);
    EXPECT_TRUE(m->activated());
    QCoreApplication::processEvents(); // the first-activation work runs just after
    EXPECT_EQ(m->picP->picture().image(), m->flow().art().picB.image());
    EXPECT_EQ(game.device->ids(), std::vector<int>{101});

    // Later activations change nothing.
    game.platform.virtualClock().advance(5000);
    m->picP->picture().fillRect(QRect(0, 0, 281, 513), qRgb(9, 9, 9));
    QApplication::sendEvent(m, &activate);
    QCoreApplication::processEvents();
    EXPECT_EQ(m->picP->picture().pixel(100, 100), qRgb(9, 9, 9) & 0xffffff);
    EXPECT_EQ(game.device->ids(), std::vector<int>{101});
}

TEST(MainWindow, SizeToggleTwiceReturnsToTheNormalLayout)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    m->cmdSIZE->click();
    EXPECT_TRUE(m->maximized());
    EXPECT_EQ(m->cmdSIZE->text(), QStringLiteral("小"));
    QTest::qWait(50);
    // Whatever size the window system gives the maximised window (here one
    // of odd width, as a desktop may), the box sits centred, halves dropped.
    m->resize(1002, 701);
    QTest::qWait(50);
    ASSERT_EQ(m->size(), QSize(1002, 701));
    EXPECT_EQ(m->picBOX->pos(), QPoint(296, 94));
    m->cmdSIZE->click();
    QTest::qWait(50);
    EXPECT_FALSE(m->maximized());
    EXPECT_EQ(m->cmdSIZE->text(), QStringLiteral("大"));
    EXPECT_EQ(m->picBOX->pos(), QPoint(0, 0));
    // The size is fixed again once the window system has restored it, or
    // after a second at the latest.
    for (int i = 0; i < 30 && m->size() != QSize(409, 514); ++i)
        QTest::qWait(50);
    EXPECT_EQ(m->size(), QSize(409, 514));
    EXPECT_EQ(m->maximumSize(), QSize(409, 514));
}

TEST(MainWindow, BigJudgesTheWindowByWhatItBecame)
{
    // A frame filling the work area stays, within a tenth (a panel the
    // program does not know of); one short of it takes the whole screen,
    // whatever state the window manager says the window is in.
    using Toggle = WindowSizeToggle;
    const QRect work(0, 0, 1280, 800);
    const Qt::WindowStates said = Qt::WindowMaximized;
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(0, 0, 1280, 800), work), Toggle::Outcome::Keep);
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(0, 32, 1280, 768), work), Toggle::Outcome::Keep);
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(435, 122, 409, 555), work), Toggle::Outcome::FullScreen);
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(0, 0, 800, 700), work), Toggle::Outcome::FullScreen);
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(0, 0, 1280, 700), work), Toggle::Outcome::FullScreen);
    EXPECT_EQ(Toggle::afterMaximize(said, QRect(0, 0, 1100, 800), work), Toggle::Outcome::FullScreen);
    EXPECT_EQ(Toggle::afterMaximize({}, QRect(435, 122, 409, 555), work), Toggle::Outcome::FullScreen);
    EXPECT_EQ(Toggle::afterMaximize(Qt::WindowFullScreen, QRect(0, 0, 1280, 800), work),
              Toggle::Outcome::Keep);

    // The window back at its normal size a moment after "大": it takes the
    // whole screen.
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    m->cmdSIZE->click();
    QTest::qWait(50);
    m->resize(409, 514);
    for (int i = 0; i < 40 && !(m->windowState() & Qt::WindowFullScreen); ++i)
        QTest::qWait(50);
    EXPECT_TRUE(m->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(m->maximized());
    EXPECT_EQ(m->cmdSIZE->text(), QStringLiteral("小"));
}

TEST(MainWindow, EscapeInterruptsOnlyWhileTheBallIsInPlay)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;

    rally.comServeWait = true; // ball waiting for the computer's serve: not in play
    QTest::keyClick(m->picP, Qt::Key_Escape);
    EXPECT_FALSE(rally.stopRequest);
    EXPECT_FALSE(rally.loopBreak);

    rally.ballInPlay = true;
    QTest::keyClick(m->picP, Qt::Key_A);
    EXPECT_FALSE(rally.stopRequest);
    QTest::keyClick(m->picP, Qt::Key_Escape);
    EXPECT_TRUE(rally.stopRequest);
    EXPECT_TRUE(rally.loopBreak);
}

TEST(MainWindow, EndButtonSaysFarewellAndEndsTheProgram)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    game.device->starts.clear();
    game.platform.virtualClock().advance(1000); // the start-up chime is over
    m->cmdEND->click();
    ASSERT_EQ(game.dialogs->infos.size(), 1u);
    EXPECT_EQ(game.dialogs->infos[0].text, QStringLiteral("お疲れさま．．．"));
    EXPECT_EQ(game.dialogs->infos[0].dialog, QColor(255, 192, 128));
    EXPECT_EQ(game.dialogs->infos[0].panel, QColor(255, 192, 128));
    EXPECT_EQ(game.device->ids(), std::vector<int>{101});
    EXPECT_TRUE(game.platform.ending());
    EXPECT_EQ(game.platform.ends, 1);
    EXPECT_FALSE(m->isVisible());
    EXPECT_TRUE(game.app->rally.loopBreak);
}

TEST(MainWindow, ClosingTheWindowEndsWithoutFarewell)
{
    TestGame game;
    game.start(false);
    ASSERT_TRUE(game.app->splashLoaded);
    game.app->mainWindow()->close();
    EXPECT_TRUE(game.platform.ending());
    EXPECT_FALSE(game.app->splashLoaded);
    EXPECT_TRUE(game.dialogs->infos.empty());
}

TEST(Startup, DisplayCheckRefusesSmallOrPalettedScreens)
{
    struct Case
    {
        int depth;
        QSize screen;
        bool accepted;
    };
    const Case cases[] = {{24, {640, 480}, false},
                          {8, {1024, 768}, false},
                          {32, {800, 599}, false},
                          {24, {800, 600}, true},
                          {16, {1024, 768}, true}};
    for (const Case &c : cases) {
        TestGame game;
        game.platform.depth = c.depth;
        game.platform.screen = c.screen;
        game.app->Main();
        EXPECT_EQ(!game.platform.ending(), c.accepted)
            << c.depth << " bits, " << c.screen.height() << " high";
        if (!c.accepted) {
            EXPECT_EQ(game.platform.messages,
                      QStringList{QStringLiteral(
                          "　　２５６色、又は ６４０×４８０ピクセル では使用できません！  　　")});
            EXPECT_TRUE(game.app->mainWindow() == nullptr || !game.app->mainWindow()->isVisible());
        } else {
            EXPECT_TRUE(game.app->mainWindow()->isVisible());
            EXPECT_TRUE(game.app->splashLoaded);
        }
    }
}

TEST(Startup, SplashIsCentredAndClosesOnAClickOrAKey)
{
    for (bool byKey : {false, true}) {
        TestGame game;
        game.start(false);
        frmSPRUSH *splash = game.app->splash();
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(splash->size(), QSize(280, 200));
        EXPECT_TRUE(game.app->splashLoaded);
        if (byKey)
            QTest::keyClick(splash, Qt::Key_Space);
        else
            QTest::mouseClick(splash, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_FALSE(game.app->splashLoaded);
        EXPECT_EQ(game.app->splash(), nullptr);
    }
}

TEST(Startup, KeysReachTheSplashAndNeverPressAButton)
{
    TestGame game;
    game.start(false);
    frmMAIN *m = game.app->mainWindow();
    for (QPushButton *b : {m->cmdEND, m->cmdGAME, m->cmdSTOP, m->cmdSIZE, m->cmdREN})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    // The main window holds the keyboard; a key still closes the splash.
    QTest::keyClick(m, Qt::Key_Space);
    EXPECT_FALSE(game.app->splashLoaded);
    QTest::keyClick(m, Qt::Key_Space);
    QTest::keyClick(m, Qt::Key_Return);
    EXPECT_FALSE(game.platform.ending());
}

TEST(Startup, SplashStaysUntilDismissedAndTheSizeButtonClosesIt)
{
    TestGame game;
    game.start(false);
    game.platform.virtualClock().advance(60'000);
    QTest::qWait(20);
    EXPECT_TRUE(game.app->splashLoaded);
    game.app->mainWindow()->cmdSIZE->click();
    EXPECT_FALSE(game.app->splashLoaded);
}

TEST(Startup, SecondCopyOnlyShowsTheAlreadyRunningMessage)
{
    TestGame first(QStringLiteral("mokatest-single"));
    first.start();
    ASSERT_FALSE(first.platform.ending());
    TestGame second(QStringLiteral("mokatest-single"));
    second.app->Main();
    EXPECT_TRUE(second.platform.ending());
    EXPECT_EQ(second.platform.messages,
              QStringList{QStringLiteral("　　既に「 モカランズ　mokaRUNs 」は起動しています！　　　　")});
    EXPECT_EQ(second.app->mainWindow(), nullptr);
    EXPECT_EQ(second.device->opens, 0); // nothing else was started
}

TEST(Startup, SoundThatCannotStartIsReportedAndTheGameGoesOnSilently)
{
    VirtualPlatform platform;
    auto device = std::make_unique<RecordingDevice>(false, QStringLiteral("no audio output here"));
    RecordingDevice *dev = device.get();
    Application::Options options;
    options.soundDevice = std::move(device);
    options.lockName = QStringLiteral("mokatest-silent");
    Application app(platform, std::move(options));
    app.Main();
    EXPECT_EQ(platform.messages, (QStringList{QStringLiteral("no audio output here"),
                                              QStringLiteral("トラブル＝効果音は使用できません！　　　　")}));
    EXPECT_FALSE(platform.ending());
    EXPECT_FALSE(app.sound().soundEnabled);
    app.sound().PLAY_103();
    EXPECT_TRUE(dev->starts.empty());
}

TEST(Startup, ProgramFolderAlwaysEndsWithASlash)
{
    TestGame game;
    game.platform.folder = QStringLiteral("/opt/moka");
    game.start();
    EXPECT_EQ(game.app->appPath, QStringLiteral("/opt/moka/"));
}

TEST(SharedProcedures, NextNoCountsFromOneAndWait600HandlesEvents)
{
    TestGame game;
    EXPECT_EQ(game.app->NEXT_NO(), 1);
    EXPECT_EQ(game.app->NEXT_NO(), 2);
    EXPECT_EQ(game.app->NEXT_NO(), 3);

    const auto before = game.platform.now();
    const int passes = game.platform.eventPasses;
    game.app->WAIT_600();
    EXPECT_EQ(game.platform.now() - before, 600);
    EXPECT_GE(game.platform.eventPasses, passes + 1);
}

TEST(Ending, EndFromInsideAModalDialogUnwindsEverything)
{
    TestGame game;
    game.start();
    QDialog outer(game.app->mainWindow());
    // Should the ending leave the dialog open, a watchdog closes it after a
    // while and says so, instead of the test hanging.
    bool stuck = false;
    QTimer::singleShot(3000, &outer, [&] {
        if (outer.isVisible()) {
            stuck = true;
            outer.reject();
        }
    });
    game.platform.onModal = [&](QDialog &) {
        // Inside the dialog's own event loop, the player ends the program.
        game.app->mainWindow()->cmdEND_Click();
    };
    game.platform.showModal(outer);
    EXPECT_FALSE(stuck) << "the dialog stayed open after the end";
    EXPECT_TRUE(game.platform.ending());
    EXPECT_FALSE(outer.isVisible());
    // No further dialog opens once the program is ending.
    QDialog later;
    EXPECT_EQ(game.platform.showModal(later), 0);
    EXPECT_FALSE(later.isVisible());
}

TEST(Ending, EndDuringAGameLeavesTheFrameLoop)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    game.app->rally.ballInPlay = true;
    int frames = 0;
    game.platform.onEvents = [&] {
        if (++frames == 3)
            QTimer::singleShot(0, m->cmdEND, [m] { QTest::mouseClick(m->cmdEND, Qt::LeftButton); });
    };
    m->MAIN_LOOP(); // no ball or racket: frames of bare court
    game.platform.onEvents = nullptr;
    EXPECT_LE(frames, 10); // the click ends the loop in the frame it lands in
    EXPECT_TRUE(game.platform.ending());
    EXPECT_EQ(game.platform.ends, 1);
}

namespace {

void press(QWidget *w, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at = {5, 5})
{
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(at), w->mapToGlobal(QPointF(at)), button, button,
                     modifiers);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), w->mapToGlobal(QPointF(at)), button, Qt::NoButton,
                   modifiers);
    QApplication::sendEvent(w, &up);
}

void moveTo(QWidget *w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// Counts the pointer picture's pixels: opaque black, fully clear, other.
std::array<int, 3> pointerPixels(const QCursor &cursor)
{
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    std::array<int, 3> count{};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count[p == qRgba(0, 0, 0, 255) ? 0 : qAlpha(p) == 0 ? 1 : 2]++;
        }
    return count;
}

} // namespace

// The mouse as Qt delivers it: the court's pointer, which button swings, and
// the hidden preview gesture with its guards.
TEST(Mouse, ButtonsShiftAndThePointerArriveAsThePlayerMeantThem)
{
    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    RallyState &rally = game.app->rally;
    MatchState &match = game.app->match;

    // Over the lower court the pointer is the racket: 32 × 32, a black outline
    // on a clear ground, held at (16, 20).
    moveTo(m->picP, {140, 400});
    ASSERT_TRUE(rally.racketCursor);
    const QCursor racket = m->picP->cursor();
    EXPECT_EQ(racket.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(racket.hotSpot(), QPoint(16, 20));
    const auto [black, clear, other] = pointerPixels(racket);
    EXPECT_GT(black, 40);
    EXPECT_GT(clear, 500);
    EXPECT_EQ(other, 0);
    m->courtView().CUR_SWING(); // during a swing the pointer vanishes
    EXPECT_EQ(m->picP->cursor().shape(), Qt::BlankCursor);
    moveTo(m->picP, {140, 100}); // the upper court: the ordinary pointer
    EXPECT_FALSE(rally.racketCursor);
    EXPECT_EQ(m->picP->cursor().shape(), Qt::ArrowCursor);
    // A pointer that arrives over the lower court without moving (a dialog
    // above it has closed) is the racket at once.
    QEnterEvent enter(QPointF(140, 400), QPointF(140, 400), m->picP->mapToGlobal(QPointF(140, 400)));
    QApplication::sendEvent(m->picP, &enter);
    EXPECT_TRUE(rally.racketCursor);

    // The left button swings one way, the right the other.
    moveTo(m->picP, {140, 400});
    for (const auto &[button, code] : {std::pair{Qt::LeftButton, 1}, std::pair{Qt::RightButton, 2}}) {
        rally.swingActive = false;
        press(m->picP, button, Qt::NoModifier, {120, 410});
        EXPECT_TRUE(rally.swingActive);
        EXPECT_EQ(rally.clickButton, code);
        EXPECT_EQ(QPoint(rally.clickX, rally.clickY), QPoint(120, 410));
    }
    rally.swingActive = false;

    // The preview is armed only by Shift with the right button on the
    // computer's set count, and only while no game runs.
    press(m->lblCOM, Qt::RightButton, Qt::NoModifier);
    press(m->lblCOM, Qt::LeftButton, Qt::ShiftModifier);
    press(m->lblUSER, Qt::RightButton, Qt::ShiftModifier); // not armed: nothing
    EXPECT_FALSE(match.champPreview);
    EXPECT_TRUE(game.platform.messages.isEmpty());
    for (bool RallyState::*busy :
         {&RallyState::ballInPlay, &RallyState::comServeWait, &RallyState::comActive}) {
        rally.*busy = true;
        press(m->lblCOM, Qt::RightButton, Qt::ShiftModifier);
        rally.*busy = false;
        EXPECT_FALSE(match.champPreview);
    }
    press(m->lblCOM, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_TRUE(match.champPreview);
    // Armed, but no name was stored for the preview: said so, and nothing runs.
    press(m->lblUSER, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(game.platform.messages.isEmpty());
    press(m->lblUSER, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(game.platform.messages,
              QStringList{QStringLiteral("　　チャンピョンネームがありません！　　　　")});
    EXPECT_FALSE(game.platform.ending());
}
