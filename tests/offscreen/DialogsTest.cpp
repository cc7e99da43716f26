// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VirtualPlatform.h"

#include "dialogs/FormDialogs.h"
#include "dialogs/frmCUT.h"
#include "dialogs/frmINFO.h"
#include "look/Fonts.h"
#include "look/Looks.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace moka;

namespace {

struct Place
{
    const char *name;
    const QWidget *widget;
    QRect rect;
};

void expectPlaces(const MovableDialog &d, std::initializer_list<Place> places)
{
    for (const Place &p : places) {
        EXPECT_EQ(p.widget->parentWidget(), d.clientArea()) << p.name;
        EXPECT_EQ(p.widget->geometry(), p.rect) << p.name;
    }
}

void expectFont(const QWidget *w, double points, bool bold)
{
    EXPECT_EQ(w->font().family(), Fonts::family()) << w->objectName().toStdString();
    EXPECT_EQ(w->font().pixelSize(), Fonts::pixels(points));
    EXPECT_EQ(w->font().bold(), bold);
}

// A top-aligned text line that ends before the button overlapping its box.
void expectTextClearOf(const QLabel *text, const QPushButton *button)
{
    EXPECT_TRUE(text->alignment() & Qt::AlignTop);
    EXPECT_TRUE(text->alignment() & Qt::AlignHCenter);
    EXPECT_LE(text->y() + QFontMetrics(text->font()).height(), button->y());
}

// The press of a drag, at a point of the grip, then the mouse moved by each
// step in turn (the window must follow every step) and released.
void drag(MovableDialog &d, QWidget *grip, QPoint at, std::initializer_list<QPoint> steps,
          Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint start = d.pos();
    QPoint mouse = grip->mapToGlobal(at);
    QTest::mousePress(grip, button, {}, at);
    EXPECT_TRUE(d.followingMouse()) << "no window manager here: the dialog follows the mouse itself";
    QPoint moved;
    for (QPoint step : steps) {
        mouse += step;
        moved += step;
        QTest::mouseMove(&d, d.mapFromGlobal(mouse));
        EXPECT_EQ(d.pos(), start + moved);
    }
    QTest::mouseRelease(&d, button, {}, d.mapFromGlobal(mouse));
    EXPECT_FALSE(d.followingMouse());
    EXPECT_EQ(d.pos(), start + moved);
    EXPECT_TRUE(d.isVisible());
    // The mouse moving on afterwards leaves the dialog where it is.
    QTest::mouseMove(&d, d.mapFromGlobal(mouse + QPoint(30, 30)));
    EXPECT_EQ(d.pos(), start + moved);
}

class DialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.setGeometry(200, 150, 409, 514);
        owner.show();
    }

    // Runs `act` on the live dialog; if that leaves it open, that is a
    // failure and the dialog is closed so the test can go on.
    template <class Form> void onModal(std::function<void(Form &)> act)
    {
        platform.onModal = [this, act](QDialog &dialog) {
            ++seen;
            auto *form = qobject_cast<Form *>(&dialog);
            live = &dialog;
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(dialog.isModal());
            act(*form);
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog.reject();
            }
        };
    }

    VirtualPlatform platform;
    QWidget owner; // stands in for the main window
    FormDialogs dialogs{platform, [this] { return &owner; }};
    int seen = 0;
    QPointer<QDialog> live;
};

TEST_F(DialogsTest, AnnouncementLayout)
{
    frmINFO d(&owner);
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(d.windowTitle().isEmpty());
    EXPECT_EQ(d.parentWidget(), &owner);
    EXPECT_EQ(d.clientArea()->geometry(), QRect(2, 2, 346, 80));
    EXPECT_EQ(d.size(), QSize(350, 84));
    expectPlaces(d, {{"lblGAME", d.lblGAME, {16, 16, 313, 33}},
                     {"cmdOK", d.cmdOK, {120, 40, 105, 25}},
                     {"lblBK", d.lblBK, {8, 8, 329, 65}}});
    EXPECT_EQ(d.lblGAME->text(), QStringLiteral("C - 1 :  第 １ セット"));
    EXPECT_EQ(d.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_TRUE(d.lblBK->text().isEmpty());
    expectFont(d.lblGAME, 14.25, true);
    expectFont(d.cmdOK, 9, false);

    EXPECT_EQ(d.background(), QColor(192, 192, 255));
    EXPECT_EQ(Looks::labelBackground(d.lblBK), QColor(192, 192, 255));
    EXPECT_EQ(Looks::labelText(d.lblGAME), QColor(0, 0, 255));
    EXPECT_FALSE(Looks::labelBackground(d.lblGAME).isValid()) << "the text is transparent over the panel";
    EXPECT_EQ(Looks::buttonBackground(d.cmdOK), QColor(192, 192, 0));
    EXPECT_NE(d.lblBK->styleSheet().indexOf(QStringLiteral("border:1px")), -1) << "the panel is bordered";

    // Stacking: the button over the text, the text over the panel.
    const QWidget *c = d.clientArea();
    EXPECT_EQ(c->childAt(130, 45), d.cmdOK);
    EXPECT_EQ(c->childAt(20, 20), d.lblGAME);
    EXPECT_EQ(c->childAt(12, 60), d.lblBK);
    EXPECT_EQ(c->childAt(3, 3), nullptr) << "the dialog's own frame colour shows around the panel";
    expectTextClearOf(d.lblGAME, d.cmdOK);
}

TEST_F(DialogsTest, InterruptLayout)
{
    frmCUT d(&owner);
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(d.windowTitle().isEmpty());
    EXPECT_EQ(d.clientArea()->geometry(), QRect(2, 2, 312, 120));
    EXPECT_EQ(d.size(), QSize(316, 124));
    expectPlaces(d, {{"Label2", d.Label2, {16, 24, 281, 33}},
                     {"Command1", d.Command1, {64, 48, 185, 25}},
                     {"Command2", d.Command2, {64, 80, 185, 25}},
                     {"Label1", d.Label1, {8, 8, 297, 105}}});
    EXPECT_EQ(d.Label2->text(), QStringLiteral("．．．進行を中断しています．．．"));
    EXPECT_EQ(d.Command1->text(), QStringLiteral("プレイ に戻る"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("プレイデータ を 破棄 する"));
    expectFont(d.Label2, 12, false);
    expectFont(d.Command1, 9, false);

    EXPECT_EQ(d.background(), QColor(255, 0, 0));
    EXPECT_EQ(Looks::labelBackground(d.Label1), QColor(255, 128, 0));
    EXPECT_EQ(Looks::labelText(d.Label2), QColor(0, 0, 255));
    EXPECT_FALSE(Looks::labelBackground(d.Label2).isValid());
    EXPECT_EQ(Looks::buttonBackground(d.Command1), QColor(255, 192, 128));
    EXPECT_EQ(Looks::buttonBackground(d.Command2), QColor(255, 192, 128));

    const QWidget *c = d.clientArea();
    EXPECT_EQ(c->childAt(70, 50), d.Command1);
    EXPECT_EQ(c->childAt(20, 30), d.Label2);
    EXPECT_EQ(c->childAt(12, 100), d.Label1);
    expectTextClearOf(d.Label2, d.Command1);
}

// The rank Ａ hint and then a set announcement: the second starts from the
// default panel, not the hint's pink one. OK closes each, and each copy is
// gone once it has closed.
TEST_F(DialogsTest, EveryAnnouncementStartsFromTheDefaults)
{
    struct Seen
    {
        QString text;
        QColor dialog, panel;
    };
    std::vector<Seen> shown;
    onModal<frmINFO>([&](frmINFO &d) {
        shown.push_back({d.lblGAME->text(), d.background(), Looks::labelBackground(d.lblBK)});
        EXPECT_EQ(d.parentWidget(), &owner);
        const QPoint dc = d.frameGeometry().center(), oc = owner.frameGeometry().center();
        EXPECT_LE(std::abs(dc.x() - oc.x()), 1);
        EXPECT_LE(std::abs(dc.y() - oc.y()), 1);
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });

    dialogs.showInfo(QStringLiteral("Ａランクは「ボールの影」が有効です"), QColor(255, 0, 0),
                     QColor(255, 128, 255));
    EXPECT_TRUE(live.isNull());
    dialogs.showInfo(QStringLiteral("Ａランク - 第１回戦 ： 第 1 セット"), QColor(192, 0, 192));
    EXPECT_TRUE(live.isNull());

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Ａランクは「ボールの影」が有効です"));
    EXPECT_EQ(shown[0].dialog, QColor(255, 0, 0));
    EXPECT_EQ(shown[0].panel, QColor(255, 128, 255));
    EXPECT_EQ(shown[1].dialog, QColor(192, 0, 192));
    EXPECT_EQ(shown[1].panel, QColor(192, 192, 255));
}

// Only "プレイデータ を 破棄 する" abandons the game; every other way out,
// the keyboard's included, returns to play.
TEST_F(DialogsTest, InterruptAbandonsOnlyByItsDiscardButton)
{
    struct Way
    {
        const char *name;
        std::function<void(frmCUT &)> close;
        bool resumes;
    };
    const Way ways[] = {
        {"return to play", [](frmCUT &d) { QTest::mouseClick(d.Command1, Qt::LeftButton); }, true},
        {"discard", [](frmCUT &d) { QTest::mouseClick(d.Command2, Qt::LeftButton); }, false},
        {"window closed", [](frmCUT &d) { d.close(); }, true},
        {"Escape", [](frmCUT &d) { QTest::keyClick(&d, Qt::Key_Escape); }, true},
        {"Enter", [](frmCUT &d) { QTest::keyClick(&d, Qt::Key_Return); }, true},
    };
    for (const Way &way : ways) {
        onModal<frmCUT>([&](frmCUT &d) {
            EXPECT_EQ(d.parentWidget(), &owner);
            way.close(d);
        });
        const int before = seen;
        const Dialogs::Interrupt answer = dialogs.showCut();
        EXPECT_EQ(seen, before + 1) << way.name;
        EXPECT_EQ(answer == Dialogs::Interrupt::Resume, way.resumes) << way.name;
        EXPECT_TRUE(live.isNull()) << way.name;
    }
}

// OK is the announcement's only button: Enter, Space and Escape press it;
// other keys leave the announcement up.
TEST_F(DialogsTest, AnnouncementClosesByTheKeyboard)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
        frmINFO info(&owner);
        info.show();
        QTest::keyClick(&info, Qt::Key_A);
        EXPECT_TRUE(info.isVisible()) << key;
        QTest::keyClick(&info, key);
        EXPECT_FALSE(info.isVisible()) << key;
        EXPECT_EQ(info.result(), QDialog::Accepted) << key;
    }
}

TEST_F(DialogsTest, DraggingMovesTheAnnouncementWithoutClosingIt)
{
    onModal<frmINFO>([&](frmINFO &d) {
        // A click on the text neither moves nor closes it.
        const QPoint at = d.pos();
        QTest::mouseClick(d.lblGAME, Qt::LeftButton, {}, QPoint(30, 10));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.pos(), at);

        drag(d, d.lblGAME, {30, 10}, {{15, -7}, {-40, 22}});
        drag(d, d.lblBK, {300, 60}, {{5, 5}}, Qt::RightButton);
        drag(d, d.clientArea(), {3, 3}, {{-12, 0}}, Qt::MiddleButton); // the frame around the panel
        drag(d, &d, {1, 1}, {{0, 9}});                                 // the border
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    dialogs.showInfo(QStringLiteral("あなたの勝ちです！"));
    EXPECT_EQ(seen, 1);
}

TEST_F(DialogsTest, DraggingMovesTheInterruptWithoutDecidingIt)
{
    onModal<frmCUT>([&](frmCUT &d) {
        drag(d, d.Label2, {140, 8}, {{-25, 31}});
        drag(d, d.Label1, {5, 95}, {{8, -3}}, Qt::RightButton);
        EXPECT_FALSE(d.resumes());
        QTest::mouseClick(d.Command1, Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.showCut(), Dialogs::Interrupt::Resume);
}

// The program ending while the interrupt is up (even mid-drag) closes it
// and abandons the game; the caller gets control back and later dialogs are
// not shown at all.
TEST_F(DialogsTest, ProgramEndingWhileADialogIsOpen)
{
    onModal<frmCUT>([&](frmCUT &d) {
        QTest::mousePress(d.Label2, Qt::LeftButton, {}, {10, 10});
        platform.endProgram();
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.followingMouse());
        QTest::mouseRelease(&d, Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.showCut(), Dialogs::Interrupt::Discard);
    EXPECT_TRUE(platform.ending());
    EXPECT_TRUE(live.isNull());

    dialogs.showInfo(QStringLiteral("お疲れさま．．．"), QColor(255, 192, 128), QColor(255, 192, 128));
    dialogs.showCut();
    EXPECT_EQ(seen, 1);
}

} // namespace
