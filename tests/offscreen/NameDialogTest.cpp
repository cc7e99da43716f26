// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VirtualPlatform.h"

#include "data/RecordTable.h"
#include "dialogs/frmNAME.h"
#include "look/Fonts.h"
#include "look/Looks.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace moka;

namespace {

void expectFont(const QWidget *w, double points, bool bold, const char *name)
{
    EXPECT_EQ(w->font().family(), Fonts::family()) << name;
    EXPECT_EQ(w->font().pixelSize(), Fonts::pixels(points)) << name;
    EXPECT_EQ(w->font().bold(), bold) << name;
}

class NameDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::yellow);
        owner.setWindowIcon(QIcon(pixmap));
        owner.setGeometry(200, 150, 409, 514);
        owner.show();
        // The champion never appears in the list; entry 2 is empty.
        records.rankName = {QStringLiteral("CHM"), QStringLiteral("ABC"), QString(), QStringLiteral("XYZ"),
                            QString()};
    }

    // Shows a fresh dialog as the main window does and runs `act` on it while
    // it is up. Returns the result of the modal showing.
    int show(const std::function<void(frmNAME &)> &act)
    {
        bool ran = false;
        platform.onModal = [&](QDialog &dialog) {
            ran = true;
            auto *form = qobject_cast<frmNAME *>(&dialog);
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(dialog.isModal());
            act(*form);
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog.reject();
            }
        };
        frmNAME dialog(platform, records, &owner);
        const int result = platform.showModal(dialog);
        EXPECT_TRUE(ran);
        // Kept as the match keeps the registration.
        taken.playerName = dialog.playerName();
        if (!dialog.previewName().isEmpty())
            taken.previewName = dialog.previewName();
        return result;
    }

    static QLineEdit *edit(frmNAME &d) { return d.cboNAME->lineEdit(); }

    VirtualPlatform platform;
    struct
    {
        QString playerName, previewName;
    } taken; // the registration, as the match keeps it
    RecordTable records;
    QWidget owner; // stands in for the main window
};

TEST_F(NameDialogTest, Layout)
{
    frmNAME d(platform, records, &owner);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("  プレイヤー登録"));
    const Qt::WindowFlags flags = d.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_EQ(d.minimumSize(), QSize(350, 154));
    EXPECT_EQ(d.maximumSize(), QSize(350, 154));
    EXPECT_EQ(d.parentWidget(), &owner);
    EXPECT_EQ(d.palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_EQ(d.windowIcon().cacheKey(), owner.windowIcon().cacheKey());

    struct Place
    {
        const char *name;
        const QWidget *widget;
        QRect rect;
    };
    const Place places[] = {
        {"Label1", d.Label1, {64, 8, 225, 17}},      {"Line1", d.Line1, {40, 32, 257, 1}},
        {"Label4", d.Label4, {48, 40, 137, 17}},     {"cboNAME", d.cboNAME, {192, 40, 89, 32}},
        {"Label2", d.Label2, {80, 80, 201, 17}},     {"Line2", d.Line2, {40, 104, 257, 1}},
        {"Command2", d.Command2, {72, 112, 81, 33}}, {"Command1", d.Command1, {160, 112, 121, 33}},
    };
    for (const Place &p : places) {
        EXPECT_EQ(p.widget->parentWidget(), &d) << p.name;
        EXPECT_EQ(p.widget->geometry(), p.rect) << p.name;
    }

    EXPECT_EQ(d.Label1->text(), QStringLiteral("あなたの名前を入力して下さい。"));
    EXPECT_EQ(d.Label4->text(), QStringLiteral("アルファベット ３文字以内"));
    EXPECT_EQ(d.Label2->text(), QStringLiteral("ランキングに登録されている場合は、↑"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(d.Command1->text(), QStringLiteral("OK"));

    expectFont(d.Label1, 12, false, "Label1");
    expectFont(d.cboNAME, 18, true, "cboNAME");
    expectFont(d.cboNAME->lineEdit(), 18, true, "cboNAME text");
    for (const QWidget *w :
         {static_cast<const QWidget *>(d.Label4), static_cast<const QWidget *>(d.Label2),
          static_cast<const QWidget *>(d.Command1), static_cast<const QWidget *>(d.Command2)})
        expectFont(w, 9, false, "default font");

    EXPECT_EQ(Looks::labelText(d.Label1), QColor(0, 0, 255));
    for (const QLabel *l : {d.Label1, d.Label4, d.Label2})
        EXPECT_FALSE(Looks::labelBackground(l).isValid()) << "labels are transparent";
    for (const QWidget *line : {d.Line1, d.Line2})
        EXPECT_EQ(line->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(d.cboNAME->isEditable());
    const QPalette box = d.cboNAME->lineEdit()->palette();
    EXPECT_EQ(box.color(QPalette::Base), QColor(192, 255, 255));
    EXPECT_EQ(box.color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Looks::buttonBackground(d.Command1), QColor(192, 192, 0));
    EXPECT_EQ(Looks::buttonBackground(d.Command2), QColor(192, 192, 0));
}

// Every showing starts fresh: no name taken, the ranked names 1–4 that
// are not empty listed in entry order, the box empty and holding the focus,
// the dialog centred on the main window.
TEST_F(NameDialogTest, EachShowingListsTheRankedNamesAndStartsEmpty)
{
    taken.playerName = QStringLiteral("OLD");
    auto look = [&](QStringList expected) {
        return [this, expected](frmNAME &d) {
            EXPECT_TRUE(d.playerName().isEmpty());
            QStringList listed;
            for (int i = 0; i < d.cboNAME->count(); ++i)
                listed << d.cboNAME->itemText(i);
            EXPECT_EQ(listed, expected);
            EXPECT_EQ(d.cboNAME->currentIndex(), -1);
            EXPECT_TRUE(d.cboNAME->currentText().isEmpty());

            const QPoint dc = d.frameGeometry().center(), oc = owner.frameGeometry().center();
            EXPECT_LE(std::abs(dc.x() - oc.x()), 1);
            EXPECT_LE(std::abs(dc.y() - oc.y()), 1);
            for (int pass = 0; pass < 20 && !d.cboNAME->hasFocus(); ++pass)
                QApplication::processEvents();
            EXPECT_TRUE(d.cboNAME->hasFocus());
            QTest::mouseClick(d.Command2, Qt::LeftButton);
        };
    };
    EXPECT_EQ(show(look({QStringLiteral("ABC"), QStringLiteral("XYZ")})), QDialog::Rejected);
    EXPECT_TRUE(taken.playerName.isEmpty());

    records.rankName[2] = QStringLiteral("MID");
    records.rankName[4] = QStringLiteral("LOW");
    show(look({QStringLiteral("ABC"), QStringLiteral("MID"), QStringLiteral("XYZ"), QStringLiteral("LOW")}));
}

// Only letters are typed, as capitals, and no more than three of them; the
// length counts the whole text, selected or not. Control keys pass, so
// Backspace edits and Ctrl+V pastes anything.
TEST_F(NameDialogTest, TypingGivesUpToThreeCapitals)
{
    show([&](frmNAME &d) {
        QLineEdit *box = edit(d);
        QTest::keyClicks(box, "abcd");
        EXPECT_EQ(box->text(), QStringLiteral("ABC"));

        box->selectAll();
        QTest::keyClick(box, Qt::Key_X);
        EXPECT_EQ(box->text(), QStringLiteral("ABC")) << "the selection does not make room";

        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), QStringLiteral("AB"));
        QTest::keyClicks(box, "1- 9.");
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(box->text(), QStringLiteral("AB"));
        QTest::keyClick(box, Qt::Key_Q, Qt::ShiftModifier);
        EXPECT_EQ(box->text(), QStringLiteral("ABQ"));

        // A pasted longer text takes no further letters.
        box->setText(QStringLiteral("ABCDE"));
        QTest::keyClick(box, Qt::Key_F);
        EXPECT_EQ(box->text(), QStringLiteral("ABCDE"));

        QApplication::clipboard()->setText(QStringLiteral("ab-cdef"));
        box->clear();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QStringLiteral("ab-cdef")) << "a paste is not filtered";

        // A real keyboard delivers to the combo box, which has the focus.
        box->clear();
        QTest::keyClicks(d.cboNAME, "x1y zw");
        EXPECT_EQ(box->text(), QStringLiteral("XYZ"));

        QTest::mouseClick(d.Command2, Qt::LeftButton);
    });
    EXPECT_TRUE(taken.playerName.isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

// Enter is OK for texts of up to three characters and does nothing beyond.
TEST_F(NameDialogTest, EnterTakesOnlyShortTexts)
{
    struct Case
    {
        const char *name;
        std::function<void(frmNAME &)> fill;
        QString expected;
        int result;
    };
    const Case cases[] = {
        {"two letters", [](frmNAME &d) { QTest::keyClicks(edit(d), "ab"); }, QStringLiteral("AB"),
         QDialog::Accepted},
        {"three letters", [](frmNAME &d) { QTest::keyClicks(edit(d), "xYz"); }, QStringLiteral("XYZ"),
         QDialog::Accepted},
        {"picked from the list", [](frmNAME &d) { d.cboNAME->setCurrentIndex(1); }, QStringLiteral("XYZ"),
         QDialog::Accepted},
        {"typed into the combo box", [](frmNAME &d) { QTest::keyClicks(d.cboNAME, "q"); },
         QStringLiteral("Q"), QDialog::Accepted},
        {"empty box, as cancel", [](frmNAME &) {}, QString(), QDialog::Rejected},
    };
    for (const Case &c : cases) {
        taken.playerName = QStringLiteral("OLD");
        const int result = show([&](frmNAME &d) {
            c.fill(d);
            QTest::keyClick(edit(d), Qt::Key_Return);
            EXPECT_FALSE(d.isVisible()) << c.name;
        });
        EXPECT_EQ(taken.playerName, c.expected) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
    }

    // A pasted five-letter text: Enter leaves the dialog up, OK takes it.
    show([&](frmNAME &d) {
        edit(d)->setText(QStringLiteral("ABCDE"));
        QTest::keyClick(edit(d), Qt::Key_Return);
        QTest::keyClick(edit(d), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.playerName().isEmpty());
        EXPECT_EQ(edit(d)->text(), QStringLiteral("ABCDE"));
        QTest::mouseClick(d.Command1, Qt::LeftButton);
    });
    EXPECT_EQ(taken.playerName, QStringLiteral("ABCDE"));
    EXPECT_TRUE(platform.messages.isEmpty());
}

// OK with more than five characters says so and leaves the text to correct.
TEST_F(NameDialogTest, OkRefusesMoreThanFiveCharacters)
{
    const int result = show([&](frmNAME &d) {
        edit(d)->setText(QStringLiteral("abcdef"));
        QTest::mouseClick(d.Command1, Qt::LeftButton);
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(platform.messages[0], QStringLiteral("名前入力は、５文字以内です！　　　　"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(edit(d)->text(), QStringLiteral("abcdef"));
        EXPECT_TRUE(d.playerName().isEmpty());

        QTest::keyClick(edit(d), Qt::Key_End);
        QTest::keyClick(edit(d), Qt::Key_Backspace);
        QTest::mouseClick(d.Command1, Qt::LeftButton);
    });
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(taken.playerName, QStringLiteral("abcde")) << "OK takes a pasted text as it is";
    EXPECT_EQ(result, QDialog::Accepted);

    // But for what the ranking file cannot keep: "A"B" plays as the "AB" the
    // file would list it as; nothing but quotes is no name.
    for (const auto &[pasted, name] : {std::pair{QStringLiteral("A\"B"), QStringLiteral("AB")},
                                       std::pair{QStringLiteral("\"\""), QString()}}) {
        taken.playerName.clear();
        const int answer = show([&](frmNAME &d) {
            edit(d)->setText(pasted);
            QTest::mouseClick(d.Command1, Qt::LeftButton);
        });
        EXPECT_EQ(taken.playerName, name);
        EXPECT_EQ(answer, name.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
    }
}

// Cancel, the window's close button and Escape all leave no name, whatever
// is in the box.
TEST_F(NameDialogTest, ClosingWithoutOkLeavesNoName)
{
    struct Way
    {
        const char *name;
        std::function<void(frmNAME &)> close;
    };
    const Way ways[] = {
        {"キャンセル", [](frmNAME &d) { QTest::mouseClick(d.Command2, Qt::LeftButton); }},
        {"window closed", [](frmNAME &d) { d.close(); }},
        {"Escape", [](frmNAME &d) { QTest::keyClick(edit(d), Qt::Key_Escape); }},
    };
    for (const Way &way : ways) {
        taken.playerName = QStringLiteral("OLD");
        const int result = show([&](frmNAME &d) {
            QTest::keyClicks(edit(d), "ab");
            way.close(d);
        });
        EXPECT_TRUE(taken.playerName.isEmpty()) << way.name;
        EXPECT_EQ(result, QDialog::Rejected) << way.name;
    }
}

// A click on "アルファベット ３文字以内" stores the text as the preview name,
// silently, and only when there is a text.
TEST_F(NameDialogTest, HiddenClickStoresThePreviewName)
{
    taken.previewName = QStringLiteral("OLD");
    show([&](frmNAME &d) {
        QTest::mouseClick(d.Label4, Qt::LeftButton);
        EXPECT_TRUE(d.previewName().isEmpty());

        QTest::keyClicks(edit(d), "moc");
        QTest::mouseClick(d.Label4, Qt::RightButton);
        EXPECT_TRUE(d.previewName().isEmpty()) << "a right click is no click";
        QTest::mouseClick(d.Label4, Qt::LeftButton);
        EXPECT_EQ(d.previewName(), QStringLiteral("MOC"));
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.Command2, Qt::LeftButton);
    });
    EXPECT_EQ(taken.previewName, QStringLiteral("MOC"));
    EXPECT_TRUE(taken.playerName.isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
